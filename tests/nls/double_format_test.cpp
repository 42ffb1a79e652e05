// The double, percent and currency formats: the 84 conformance cases in the three
// separator styles, the IEEE conversion rows in both modes, then each rule of the
// engines' comments, each option alone, both modes and bad input. Expectations
// beyond the given rows are worked out from the rules by hand.
#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>

#include "host/nls/money_format.h"
#include "nls_support.h"

namespace zq::testing {
namespace {

constexpr std::uint32_t QB = LOCALE_NFMT_QORBEST, QEW = LOCALE_NFMT_QOREW, QWD = LOCALE_NFMT_QORWD,
    QEWD = LOCALE_NFMT_QOREWD, BF = LOCALE_NFMT_BESTFIT, DEC = LOCALE_NFMT_DECIMAL,
    FRAC = LOCALE_NFMT_FRACTION, INT = LOCALE_NFMT_INTEGER, SN = LOCALE_NFMT_SNOTE,
    BFB = LOCALE_NFMT_BESTFITBIG, ADD = LOCALE_NFMT_ADDSIGN, GRP = LOCALE_NFMT_GROUP,
    LJ = LOCALE_NFMT_LEFTJUSTIFY, PAD0 = LOCALE_NFMT_PADWITHZERO, RDX = LOCALE_NFMT_RADIX,
    SP = LOCALE_NFMT_SPACEPREFIX, TZ = LOCALE_NFMT_TRAILZERO;
constexpr Status TRUNC = ZQ_NLS_FMT_TRUNCATE, REV = ZQ_NLS_FMT_REVERT;

using Word = DoubleFormatFn LocaleHandle::*;
constexpr Word kDouble = &LocaleHandle::zqnlsLocaleDoubleFormat;
constexpr Word kPercent = &LocaleHandle::zqnlsLocalePercentFormat;
constexpr Word kCurrency = &LocaleHandle::zqnlsLocaleCurrencyFormat;

// A call of a format word.
struct Call {
  std::uint32_t options;
  double value;
  std::int32_t width;
  std::int32_t precision;
  std::int64_t capacity = 72;
  Word word = kDouble;
  const char32_t* locale = U"en_US";
};

double fromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }
// The expected text in a locale's style: '.' and ',' exchanged at once.
std::u32string localized(const std::u32string& text, char32_t point, char32_t group) {
  std::u32string out = text;
  for (char32_t& c : out) c = c == U'.' ? point : c == U',' ? group : c;
  return out;
}
Formatted status(Status s, std::int64_t length, std::u32string text) { return {s, length, text}; }

class DoubleFormatTest : public NlsTest {
 protected:
  // The call's word, with guard units after the capacity.
  Formatted format(const Call& c) {
    LocaleHandle* l = locale(c.locale);
    return formatGuarded(c.capacity, [&](ZQChar* b, std::int64_t n, std::int64_t* length) {
      return (l->*c.word)(l, c.value, c.width, c.precision, static_cast<std::int32_t>(c.options),
                          b, n, length);
    });
  }
  Formatted withExOpts(const Call& c, ExOpts ex_opts) {
    LocaleHandle* l = locale(c.locale);
    return formatGuarded(c.capacity, [&](ZQChar* b, std::int64_t n, std::int64_t* length) {
      return l->zqnlsLocaleDoubleFormatWithExOpts(
          l, c.value, c.width, c.precision, static_cast<std::int32_t>(c.options), b, n, length,
          &ex_opts);
    });
  }
  void setMode(std::int32_t mode) { zqhostSetDecimalConversionMode(kernel_, mode); }
};

struct Row {
  Call call;
  Formatted expected;
};

// clang-format off
const Row kCases[] = {
    {{QB, 1, 1, 0, 72}, ok(U"1")},
    {{QB, -1.2e-26, 10, 10, 72}, ok(U"  -1.2E-26")},
    {{QB, -1.298765559e-28, 8, 0, 72}, ok(U" -13E-29")},
    {{QB, -000000012.345678, 16, 0, 16}, ok(U"      -12.345678")},
    {{QB, -.123456, 9, 0, 8}, ok(U"-0.12346")},
    {{QB, +4, 1, 0, 1}, ok(U"4")},
    {{QB, -4, 2, 0, 2}, ok(U"-4")},
    {{QB, -1234.567890, 15, 0, 72}, ok(U"    -1234.56789")},
    {{QB, 1.234567891E3, 15, 0, 72}, ok(U"    1234.567891")},
    {{QB, 1.234567891, 5, 0, 72}, ok(U"1.235")},
    {{QB, -123.4567891, 3, 0, 72}, status(TRUNC, 3, U"***")},
    {{QEW, 123456, 7, 0, 72}, ok(U"1.2E+05")},
    {{QEW, -0.1234567890123456e-31, 10, 0, 72}, ok(U"-1.235E-32")},
    {{QEW, -0.1234567890123456e-31, 10, 0, 72}, ok(U"-1.235E-32")},
    {{QEW, 1.23456789012345678901234567E32, 8, 30, 72}, ok(U" 1.2E+32")},
    {{QEW, 123456789012, 12, 0, 10}, ok(U" 1.235E+11")},
    {{QWD, 0123456.1234567, 6, 0, 72}, ok(U"123456")},
    {{QWD, 0.1234561234567e-32, 11, 6, 72}, ok(U"   0.000000")},
    {{QWD, .123456789012345, 12, 11, 12}, ok(U".12345678901")},
    {{QWD, 12345.5678905, 12, 6, 12}, ok(U"12345.567891")},
    {{QWD, 0, 1, 0, 1}, ok(U"0")},
    {{QWD, -1, 2, 0, 2}, ok(U"-1")},
    {{QWD, -1245678, 4, 0, 4}, status(REV, 4, U"-1E6")},
    {{QWD | GRP | TZ, -1234567890.02500, 20, 4, 20}, ok(U" -1,234,567,890.0250")},
    {{QWD | TZ, -12345678900, 12, 1, 12}, status(REV, 12, U"-12345678900")},
    {{QWD | TZ, 1.2345678900, 12, 1, 12}, ok(U"         1.2")},
    {{DEC | SP, 1234.56, 10, 3, 10}, ok(U"  1234.560")},
    {{DEC | LJ, 1234.56, 0, 0, 4}, ok(U"1235")},
    {{INT | RDX, .556, 10, 0, 10}, ok(U"        0.")},
    {{LJ, -1, 0, 0, 2}, ok(U"-1")},
    {{BFB, -999.999, 10, 5, 10}, ok(U"     -1000")},
    {{SN, -999.999, 10, 2, 10}, ok(U" -1.00e+03")},
    {{FRAC, -999999.99956, 10, 5, 11}, ok(U"  -0.99956")},
    {{SN, 7654321234, 10, 5, 11}, ok(U"7.65432e+09")},
    {{FRAC | PAD0 | GRP | ADD, 12341234.5656, 14, 2, 14}, ok(U"+0000000000.57")},
    {{DEC | PAD0 | RDX, 0, 5, -1, 8}, ok(U"0.000000")},
    {{DEC | RDX, 999, 7, 0, 7}, ok(U"   999.")},
    {{FRAC, -999.88000, 10, 3, 10}, ok(U"    -0.880")},
    {{BFB, -000999.88000, 10, 15, 10}, ok(U"   -999.88")},
    {{BFB, -1.2, 1, 5, 4}, ok(U"-1.2")},
    {{SN | GRP, 765432.194845, 20, 5, 20}, ok(U"         7.65432e+05")},
    {{0, 765432.194845, 20, 5, 20}, ok(U"          7.6543e+05")},
    {{TZ | BFB, -000999.88000, 17, 15, 17}, ok(U"-999.880000000000")},
    {{DEC | PAD0 | GRP | ADD, 12341234.5656, -14, 2, 14}, ok(U"+12,341,234.57")},
    {{FRAC | PAD0 | GRP | ADD, 12341234.5656, 5, 2, 5}, ok(U"+0.57")},
    {{QB, 1234.1234, 12, 0, 12}, ok(U"   1234.1234")},
    {{QB, 123456789, 12, 0, 12}, ok(U"   123456789")},
    {{QB, 123456789, 6, 0, 6}, ok(U"1.23E8")},
    {{QB, 123456789, 20, 0, 20}, ok(U"           123456789")},
    {{QB, -123456789.000, 20, 0, 20}, ok(U"          -123456789")},
    {{DEC | PAD0 | RDX, 12345.123459999, 15, 5, 15}, ok(U"000012345.12346")},
    {{QB, -123456789.000, 20, 4, 20}, ok(U"          -123456789")},
    {{DEC | PAD0 | RDX, 9876, 9, -1, 11}, ok(U"9876.000000")},
    {{DEC | PAD0 | RDX, 9876.102345, 9, 3, 9}, ok(U"09876.102")},
    {{DEC | PAD0 | RDX, 9876, 9, 3, 9}, ok(U"09876.000")},
    {{QB, 1.1234567890, 13, 10, 13}, ok(U"  1.123456789")},
    {{QB, .9999, 10, 4, 10}, ok(U"    0.9999")},
    {{QB, -.0123456789, 5, 3, 5}, ok(U"-0.01")},
    {{QB, .000123456789, 12, 8, 12}, ok(U"0.0001234568")},
    {{QB, .123456789, 5, 8, 6}, ok(U"0.123")},
    {{QB, -123456780.0123456789, 6, 4, 6}, ok(U"-123E6")},
    {{QB, -123456780.0123456789, 8, 6, 8}, ok(U"-1.235E8")},
    {{QB, 12341234.5656, 5, 2, 7}, ok(U"123E5")},
    {{QB, .123456789, 6, 0, 6}, ok(U"0.1235")},
    {{TZ | DEC, 999.123456789, 10, 9, 13}, ok(U"999.123456789")},
    {{QB, .0000123456789, 11, 11, 11}, ok(U"0.000012346")},
    {{TZ | DEC, 999.123456789, 10, 8, 10}, status(TRUNC, 12, U"**********")},
    {{TZ | FRAC, -999.0123456789, 10, 9, 10}, status(TRUNC, 12, U"**********")},
    {{INT, -99998.987654321, 5, 0, 5}, status(TRUNC, 6, U"*****")},
    {{SN, -99998.987654321, 8, 5, 8}, status(TRUNC, 12, U"********")},
    {{QB, 0.17, 12, 0, 12}, ok(U"        0.17")},
    {{BF, 0.17, 12, 0, 12}, ok(U"        0.17")},
    {{FRAC | ADD, -12341234.5656, 14, 2, 14}, ok(U"         -0.57")},
    {{ADD, -1234.567, 14, 2, 14}, ok(U"      -1.2e+03")},
    {{SP | ADD, -1234.567, 14, 8, 14}, ok(U"     -1234.567")},
    {{ADD, 1234.567, 14, 2, 14}, ok(U"      +1.2e+03")},
    {{QWD, 8.458084035026533e-28, 32, 15, 32}, ok(U"               0.000000000000000")},
    {{1, 1.6736e-023, 1, 15, 10}, ok(U"1.6736e-23")},
    {{QEWD, 123456, 6, 0, 72}, ok(U"123456")},
    {{QEWD, -0.1234567890123456e-31, 2, 0, 72}, ok(U"-0")},
    {{QEWD, 1.23456789012345678901234567E32, 8, 30, 72}, status(REV, 8, U"1.23E+32")},
    {{QEWD, 123456789012, 12, 0, 72}, ok(U"123456789012")},
    {{QEWD, -1.2e+10, 8, 0, 72}, ok(U"-12000000000")},
    {{QEWD, -1.2e10, 8, 0, 72}, ok(U"-12000000000")},
};
// clang-format on

TEST_F(DoubleFormatTest, EveryCaseInEverySeparatorStyle) {
  const double missing = fromBits(0xFFFFFE0000000000);
  const struct {
    const char32_t* locale;
    char32_t point, group;
  } kStyles[] = {{U"en_US", U'.', U','}, {U"fr_FR", U',', kNbsp}, {U"de_DE", U',', U'.'}};
  for (const auto& style : kStyles) {
    for (std::size_t n = 0; n < std::size(kCases); ++n) {
      Call call = kCases[n].call;
      call.locale = style.locale;
      Formatted expected = kCases[n].expected;
      expected.text = localized(expected.text, style.point, style.group);
      EXPECT_EQ(format(call), expected) << readable(style.locale) << " case " << n + 1;
      // The missing-character probes: an invalid character, then '*' in width 1.
      call.value = missing;
      EXPECT_EQ(withExOpts(call, {1, 0}).status, ZQ_NLS_FMT_INVALID_MISSCHAR);
      call.width = 1;
      EXPECT_EQ(withExOpts(call, {1, U'*'}), ok(U"*")) << "case " << n + 1;
    }
  }
}

// The IEEE conversion rows, then more: one call, two expectations. COMPATIBLE's row
// 17 writes within its capacity of 7, as every call does.
TEST_F(DoubleFormatTest, BothModes) {
  const struct {
    Call call;
    Formatted compatible, std_ieee;
  } kRows[] = {
      {{QB, 1.2e+28, 32, 0, 72}, ok(U"   11999999999999999059939033088"),
       ok(U"   12000000000000000000000000000")},
      {{QB, -0.1234567891, 4, 0, 4}, ok(U"-.12"), ok(U"-0.1")},
      {{QEW, -72057594037927936.0, 32, 0, 72}, ok(U"-7.2057594037928000000000000E+16"),
       ok(U"-7.2057594037927940000000000E+16")},
      {{QEW, -9.998765432e-23, 7, 6, 8}, status(REV, 7, U"-1.E-22"), ok(U"-1.E-22")},
      {{QB, 4.5, 1, 0, 72}, ok(U"5"), ok(U"4")},
      {{QWD | GRP, -1234567890.02345, 17, 2, 17}, ok(U"-1,234,567,890.02"),
       ok(U"-1,234,567,890.02")},
      {{TZ | BFB, -999.12345, 8, 5, 7}, ok(U"-999.12"), ok(U"-999.12")},
      {{QB, -8.458084035026533e-23, 32, 15, 32}, ok(U"            -8.4580840350265E-23"),
       ok(U"           -8.45808403502653E-23")},
      {{QEWD, -72057594037927936.0, 10, 0, 72}, ok(U"-72057594037927936"),
       ok(U"-72057594037927936")},
      {{QEWD, 1.2345678901234568e-32, 32, 31, 72},
       status(REV, 32, U"1.23456789012340000000000000E-32"),
       status(REV, 32, U"1.23456789012345700000000000E-32")},
      // Beyond the rows: ties, COMPATIBLE's held digits, its zero drop and carry.
      {{LOCALE_NFMT_DECIMAL, 0.125, 0, 2}, ok(U"0.13"), ok(U"0.12")},  // an exact tie
      {{LOCALE_NFMT_DECIMAL, 2.675, 0, 2}, ok(U"2.68"), ok(U"2.67")},  // 2.67499... in binary
      {{0, 0.125, 0, -1, 72, kPercent}, ok(U"13%"), ok(U"12%")},
      {{LOCALE_NFMT_QORBEST, 1.0 / 3, 20, 0}, ok(U"    0.33333333333333"),
       ok(U"   0.333333333333333")},
      {{LOCALE_NFMT_QORBEST, 0.6, 2, 0}, ok(U".6"), ok(U" 1")},
      {{LOCALE_NFMT_QORBEST, 123456789012345678.0, 30, 0}, ok(U"            123456789012345680"),
       ok(U"            123456789012346000")},
      {{LOCALE_NFMT_QORBEST, 5e-324, 8, 0}, ok(U"  5E-324"), ok(U"494E-326")},
      {{LOCALE_NFMT_QOREW, 9.9996e9, 9, 0}, status(ZQ_NLS_FMT_REVERT, 9, U" 1.00E+10"),
       ok(U" 1.00E+10")},
  };
  for (const auto& row : kRows) {
    setMode(DECIMALCONV_COMPATIBLE);
    EXPECT_EQ(format(row.call), row.compatible) << row.call.value;
    setMode(DECIMALCONV_STDIEEE);
    EXPECT_EQ(format(row.call), row.std_ieee) << row.call.value;
  }
}

// One row per rule or option of the engines' comments, in STDIEEE.
TEST_F(DoubleFormatTest, RulesAndOptions) {
  const std::u32string nbsp(1, kNbsp);
  const Row kRows[] = {
      // g by default (six digits); each conversion and flag.
      {{0, 1234.5678, 0, 0}, ok(U"1234.57")},
      {{LOCALE_NFMT_BESTFIT, 0.0001, 0, 3}, ok(U"0.0001")},
      {{LOCALE_NFMT_TRAILZERO, 2.5, 0, 4}, ok(U"2.500")},
      {{LOCALE_NFMT_RADIX, 2, 0, 0}, ok(U"2.")},
      {{GRP, 1234567, 0, 10}, ok(U"1,234,567")},
      {{DEC, 1.5, 0, -5}, ok(U"1.500000")},
      {{LOCALE_NFMT_FRACTION, -3.75, 0, 1}, ok(U"-0.8")},
      {{LOCALE_NFMT_INTEGER, 3.99, 0, 5}, ok(U"3")},
      {{LOCALE_NFMT_SNOTE, 1e100, 0, 1}, ok(U"1.0e+100")},
      {{LOCALE_NFMT_SNOTE | LOCALE_NFMT_RADIX, 12, 0, 0}, ok(U"1.e+01")},
      {{LOCALE_NFMT_SNOTE | BFB, 1e100, 0, 1}, ok(U"1.0e+100")},  // e wins, with its "e"
      // Signs, padding, undefined bits, field and capacity, infinity.
      {{DEC, -0.0, 0, 1}, ok(U"-0.0")},
      {{DEC | LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_SPACEPREFIX, 1, 0, 0}, ok(U"+1")},
      {{DEC | LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_LEFTJUSTIFY, 1.5, 5, 1}, ok(U"1.5  ")},
      {{DEC | 0x80000000u | LOCALE_NFMT_HEXBIG | LOCALE_NFMT_UNSIGNED, -1.5, 0, 1}, ok(U"-1.5")},
      {{0, 1.5, INT_MAX, 0}, ok(std::u32string(69, U' ') + U"1.5")},
      {{0, 1.5, 0, 0, 1}, status(TRUNC, 3, U"*")},
      {{0, -INFINITY, 10, 0, 3}, status(TRUNC, 4, U"***")},
      {{LOCALE_NFMT_ADDSIGN, INFINITY, 10, 0}, ok(U"Inf")},
      // QORBEST: carries, a digit to show, zeros against digits, no width.
      {{QB, 9.996, 3, 0}, ok(U" 10")},
      {{QB, 0.6, 1, 0}, ok(U"1")},
      {{QB, 0.4, 1, 0}, status(TRUNC, 1, U"*")},
      {{QB, 1e-10, 20, 0}, ok(U"        0.0000000001")},
      {{QB, 1e-10, 12, 0}, ok(U"       1E-10")},
      {{QB, 5e-324, 32, 0}, ok(U"           4.94065645841247E-324")},
      {{QB, 1e300, 0, 0}, ok(U"1E300")},
      {{QB | GRP, 1234567.5, 12, 0}, ok(U" 1,234,567.5")},
      {{QB | LOCALE_NFMT_ADDSIGN, 12.5, 5, 0}, ok(U"+12.5")},
      {{QB | QEW, 123456, 7, 0}, ok(U" 123456")},
      // QOREW: the sign position, exponent lengths, carries.
      {{QEW, 123456, 9, 0}, ok(U"1.235E+05")},
      {{QEW, -123456, 7, 0}, ok(U"-1.E+05")},
      {{QEW, 9.9996e9, 9, 0}, ok(U" 1.00E+10")},
      {{QEW, 1e100, 10, 0}, ok(U" 1.00E+100")},
      {{QEW, 123456, 5, 0}, status(TRUNC, 5, U"*****")},
      {{QEW, 123456, 0, 0}, ok(U"1.23456E+05")},
      // QORWD: fewer decimals, then nothing. QOREWD: past the field.
      {{QWD, 1.23456, 5, 4}, status(REV, 5, U"1.235")},
      {{QWD, 0.96, 2, 1}, status(REV, 2, U" 1")},
      {{QWD, 0.5, 3, 3}, status(REV, 3, U".50")},
      {{QWD, 123456, 1, 0}, status(TRUNC, 1, U"*")},
      {{QEWD, 1.5, 3, 2}, status(REV, 6, U"2.E+00")},  // 1.5 ties to even
      {{QEWD, 1234567.8, 8, 1}, status(REV, 8, U"1.23E+06")},
      {{QEWD, 0.5, 0, 2}, ok(U"0.50")},
      // Percent and currency: the sanity and timing rows, then other locales.
      {{1, -0.214, 10, 2, 100, kPercent}, ok(U"(  21.40%)")},
      {{0, -0.333, 10, 4, 100, kPercent}, ok(U" -33.3000%")},
      {{0, 1234.56, 10, 2, 100, kCurrency}, ok(U" $1,234.56")},
      {{1, 1234.56, 10, 2, 100, kCurrency}, ok(U"    $1,234")},
      {{0, 99.2509, 2, 0, 100, kCurrency}, ok(U"$99")},
      {{0, 999999999.6509, 10, 0, 100, kCurrency}, ok(U"$1,000,000,000")},
      {{0, 1234.56, 10, 2, 3, kCurrency}, status(TRUNC, 9, U"***")},  // the field is cut to 3
      {{0, 1234.56, 10, 2, 72, kCurrency, U"fr_FR"}, ok(U"1" + nbsp + U"234,56" + nbsp + U"€")},
      {{1, 1234.56, 10, 2, 72, kCurrency, U"fr_FR"}, ok(U"   1" + nbsp + U"234" + nbsp + U"€")},
      {{0, -1234.56, 0, 2, 72, kCurrency, U"nl_NL"}, ok(U"€" + nbsp + U"-1.234,56")},
      {{0, -1234.56, 0, -1, 72, kCurrency, U"ja_JP"}, ok(U"-\uFFE51,235")},
      {{0, -0.214, 0, 1, 72, kPercent, U"de_DE"}, ok(U"-21,4" + nbsp + U"%")},
      {{1, -0.214, 0, 1, 72, kPercent, U"de_DE"}, ok(U"(21,4" + nbsp + U"%)")},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(format(row.call), row.expected)
        << row.call.value << " options 0x" << std::hex << row.call.options;
  }
}

TEST_F(DoubleFormatTest, MissingValuesAndTheirCharacters) {
  const std::pair<std::uint64_t, std::u32string> kMissing[] = {
      {0xFFFFFE0000000000, U"."}, {0xFFFFFF0000000000, U"_"}, {0xFFFFFD0000000000, U"A"},
      {0xFFFFE40000000000, U"Z"}, {0xFFFFE30000000000, U"."}, {0x7FF8000000000001, U"."}};
  for (const auto& [bits, text] : kMissing) {
    EXPECT_EQ(format({LOCALE_NFMT_QORBEST, fromBits(bits), 1, 0}), ok(text)) << std::hex << bits;
  }
  const double missing = fromBits(0xFFFFFE0000000000);
  EXPECT_EQ(format({LOCALE_NFMT_LEFTJUSTIFY, missing, 3, 0}), ok(U".  "));
  EXPECT_EQ(format({LOCALE_NFMT_PADWITHZERO, missing, 3, 0}), ok(U"  ."));
  EXPECT_EQ(withExOpts({0, missing, 3, 0}, {2, 0}), ok(U"  .")) << "other bits are ignored";
  EXPECT_EQ(withExOpts({0, 1.5, 0, 0}, {1, U'#'}), ok(U"1.5"));
  // An unusable character is refused whatever the value.
  for (ZQChar bad : {0u, 0xD800u, 0xDFFFu, 0x110000u}) {
    for (double value : {missing, 1.5}) {
      EXPECT_EQ(withExOpts({0, value, 5, 0}, {1, bad}), status(ZQ_NLS_FMT_INVALID_MISSCHAR, 0, U""));
    }
  }
}

TEST_F(DoubleFormatTest, UnusableArgumentsAreRefused) {
  LocaleHandle* l = locale(U"en_US");
  std::int64_t length = 99;
  ZQChar unit = 7;
  for (Word word : {kDouble, kPercent, kCurrency}) {
    EXPECT_EQ((l->*word)(l, 1.5, 0, 0, 0, &unit, -1, &length), ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ((l->*word)(l, 1.5, 0, 0, 0, nullptr, 3, &length), ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ((l->*word)(nullptr, 1.5, 0, 0, 0, &unit, 1, &length), ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(unit, 7u);
  }
  EXPECT_EQ(l->zqnlsLocalePercentFormat(l, 1.5, 0, 0, 0, nullptr, 0, &length), ZQ_NLS_FMT_TRUNCATE);
  EXPECT_EQ(length, 4) << "\"150%\"";
}

// Texts far longer than any buffer report their length and write asterisks only.
TEST_F(DoubleFormatTest, LongTextsStayWithinTheCapacity) {
  const std::pair<Call, std::int64_t> kRows[] = {
      {{LOCALE_NFMT_DECIMAL, DBL_MAX, 0, 1000}, 309 + 1 + 1000},
      {{LOCALE_NFMT_SNOTE, DBL_MAX, 0, 1000}, 1 + 1 + 1000 + 5},
      {{0, DBL_MAX, 0, 1000}, 309},
      {{LOCALE_NFMT_DECIMAL, 1, 0, INT_MAX}, 2 + std::int64_t{INT_MAX}},
      {{LOCALE_NFMT_QOREWD, 1, 0, INT_MAX}, 2 + std::int64_t{INT_MAX}},
  };
  for (const auto& [call, length] : kRows) {
    EXPECT_EQ(format(call), status(ZQ_NLS_FMT_TRUNCATE, length, std::u32string(72, U'*')));
  }
}

// Every combination of awkward arguments gives a known status and a length that
// fits the capacity unless truncated; the guard units catch any write past it.
TEST_F(DoubleFormatTest, AwkwardArgumentsGiveBoundedResults) {
  const double kValues[] = {0, -0.0, 5e-324, -2.2e-308, 0.1, -999.5, DBL_MAX, INFINITY, NAN, 9.5e-5};
  std::vector<std::uint32_t> options = {0, 0xFFFFFFFF, 0x7FFF};
  for (int bit = 0; bit < 25; ++bit) options.push_back(1u << bit);
  for (std::int32_t mode : {DECIMALCONV_STDIEEE, DECIMALCONV_COMPATIBLE}) {
    setMode(mode);
    for (double value : kValues) {
      for (std::uint32_t o : options) {
        for (std::int32_t width : {INT_MIN, -1, 0, 1, 7, INT_MAX}) {
          for (std::int32_t precision : {INT_MIN, -1, 0, 1, 17, 1000, INT_MAX}) {
            for (std::int64_t capacity : {0, 1, 7, 40}) {
              const Formatted f = format({o, value, width, precision, capacity});
              ASSERT_TRUE(f.status == ZQ_OK || f.status == ZQ_NLS_FMT_REVERT ||
                          f.status == ZQ_NLS_FMT_TRUNCATE);
              ASSERT_TRUE(f.status == ZQ_NLS_FMT_TRUNCATE || f.length <= capacity);
            }
          }
        }
      }
    }
  }
}

// Random values of every magnitude, flags, widths, and precisions on both sides of
// 40 (the direct path's longest) against C's printf, which STDIEEE's conversions
// without a QOR bit follow; C's '#' is RADIX, and for g TRAILZERO too.
TEST_F(DoubleFormatTest, ConversionsMatchPrintfForRandomValues) {
  const std::pair<std::uint32_t, char> kConversions[] = {
      {DEC, 'f'}, {SN, 'e'}, {BF, 'g'}, {BFB, 'G'}};
  const std::pair<std::uint32_t, char> kFlags[] = {
      {ADD, '+'}, {SP, ' '}, {LJ, '-'}, {PAD0, '0'}, {RDX, '#'}};
  std::mt19937_64 random(7);
  for (int i = 0; i < 40000; ++i) {
    // A random mantissa and sign, scaled by 2^-70 to 2^69.
    const double mantissa = fromBits(0x3FF0000000000000 | (random() >> 12) | (random() << 63));
    const double value = std::ldexp(mantissa, static_cast<int>(random() % 140) - 70);
    const auto precision = static_cast<int>(1 + random() % 48);
    const auto width = static_cast<int>(random() % 40);
    auto [options, letter] = kConversions[i % 4];
    std::string conversion = "%";
    const std::uint64_t flags = random();
    for (int f = 0; f < 5; ++f) {
      if ((flags >> f & 1) == 0) continue;
      options |= kFlags[f].first;
      conversion += kFlags[f].second;
    }
    if ((options & RDX) != 0 && (letter == 'g' || letter == 'G')) options |= TZ;
    conversion = conversion + "*.*" + letter;
    char expected[200];
    std::snprintf(expected, sizeof expected, conversion.c_str(), width, precision, value);
    const std::string text(expected);
    ASSERT_EQ(format({options, value, width, precision, 200}),
              ok(std::u32string(text.begin(), text.end())))
        << conversion << " " << width << " " << precision << " " << value;
  }
}

TEST(MoneySymbols, OneRowPerLocaleInTableOrder) {
  for (const host::LocaleData& row : host::allLocaleData()) {
    EXPECT_STREQ(host::moneySymbolsOf(row).locale, row.name);
  }
}

}  // namespace
}  // namespace zq::testing
