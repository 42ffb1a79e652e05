// The double, percent and currency formats beyond the suites' cases: each rule of the
// engines' comments, each option alone, both decimal modes and bad input. Every
// expectation is worked out from the rules by hand.
#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string_view>
#include <vector>

#include "fitted_text.h"
#include "host/nls/decimal_digits.h"
#include "nls_support.h"

namespace zq::testing {
namespace {

constexpr std::uint32_t QB = LOCALE_NFMT_QORBEST, QEW = LOCALE_NFMT_QOREW, QWD = LOCALE_NFMT_QORWD,
    QEWD = LOCALE_NFMT_QOREWD, DEC = LOCALE_NFMT_DECIMAL, GRP = LOCALE_NFMT_GROUP,
    BF = LOCALE_NFMT_BESTFIT, SN = LOCALE_NFMT_SNOTE, BFB = LOCALE_NFMT_BESTFITBIG,
    ADD = LOCALE_NFMT_ADDSIGN, SP = LOCALE_NFMT_SPACEPREFIX, LJ = LOCALE_NFMT_LEFTJUSTIFY,
    PAD0 = LOCALE_NFMT_PADWITHZERO, RDX = LOCALE_NFMT_RADIX, TZ = LOCALE_NFMT_TRAILZERO;
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

// One call, two expectations beyond the ieeeconv suite's rows (its ties, zero drop,
// 14-digit cap, integral digits, held digits at a precision and the revert status of a
// carry): percent, subnormals and carries to a shorter exponent.
TEST_F(DoubleFormatTest, BothModes) {
  const struct {
    Call call;
    Formatted compatible, std_ieee;
  } kRows[] = {
      {{0, 0.125, 0, -1, 72, kPercent}, ok(U"13%"), ok(U"12%")},
      {{LOCALE_NFMT_QORBEST, 5e-324, 8, 0}, ok(U"  5E-324"), ok(U"494E-326")},
      // A carry to a shorter exponent: one rounding, its power of ten in the new layout.
      {{QB, 9.99e-8, 6, 0}, status(REV, 6, U"  1E-7"), ok(U"  1E-7")},
      {{QEW, 9.9999995e-10, 13, 0}, status(REV, 13, U"1.0000000E-09"), ok(U"1.0000000E-09")},
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
      {{LOCALE_NFMT_BESTFIT, 0.0001, 0, 3}, ok(U"0.0001")},
      {{LOCALE_NFMT_TRAILZERO, 2.5, 0, 4}, ok(U"2.500")},
      {{GRP, 1234567, 0, 10}, ok(U"1,234,567")},
      {{DEC, 1.5, 0, -5}, ok(U"1.500000")},
      {{LOCALE_NFMT_FRACTION, -3.75, 0, 1}, ok(U"-0.8")},
      {{LOCALE_NFMT_INTEGER, 3.99, 0, 5}, ok(U"3")},
      {{LOCALE_NFMT_SNOTE, 1e100, 0, 1}, ok(U"1.0e+100")},
      {{LOCALE_NFMT_SNOTE | LOCALE_NFMT_RADIX, 12, 0, 0}, ok(U"1.e+01")},
      {{LOCALE_NFMT_SNOTE | BFB, 1e100, 0, 1}, ok(U"1.0e+100")},  // e wins, with its "e"
      // Signs, padding, undefined bits, field and capacity, infinity.
      {{DEC, -0.0, 0, 1}, ok(U"-0.0")},
      {{DEC | 0x80000000u | LOCALE_NFMT_HEXBIG | LOCALE_NFMT_UNSIGNED, -1.5, 0, 1}, ok(U"-1.5")},
      {{0, 1.5, INT_MAX, 0}, ok(std::u32string(69, U' ') + U"1.5")},
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
      {{QEW, 1e100, 10, 0}, ok(U" 1.00E+100")},
      {{QEW, 123456, 5, 0}, status(TRUNC, 5, U"*****")},
      {{QEW, 123456, 0, 0}, ok(U"1.23456E+05")},
      // QORWD: fewer decimals, then nothing. QOREWD: past the field.
      {{QWD, 1.23456, 5, 4}, status(REV, 5, U"1.235")},
      {{QWD, 0.96, 2, 1}, status(REV, 2, U" 1")},
      {{QWD, 0.5, 3, 3}, status(REV, 3, U".50")},
      {{QWD, 123456, 1, 0}, status(TRUNC, 1, U"*")},
      {{QWD, -0.3, 1, 0}, status(TRUNC, 1, U"*")},  // a sign without a digit does not fit
      {{QWD | LOCALE_NFMT_SPACEPREFIX, 0.3, 1, 0}, status(TRUNC, 1, U"*")},
      {{QEWD, 1.5, 3, 2}, status(REV, 6, U"2.E+00")},  // 1.5 ties to even
      {{QEWD, 1234567.8, 8, 1}, status(REV, 8, U"1.23E+06")},
      {{QEWD, 0.5, 0, 2}, ok(U"0.50")},
      // Percent and currency: the field cut to the capacity, other locales.
      {{0, 1234.56, 10, 2, 3, kCurrency}, status(TRUNC, 9, U"***")},  // the field is cut to 3
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
      {kMissingBits, U"."}, {0xFFFFFF0000000000, U"_"}, {0xFFFFFD0000000000, U"A"},
      {0xFFFFE40000000000, U"Z"}, {0xFFFFE30000000000, U"."}, {0x7FF8000000000001, U"."}};
  for (const auto& [bits, text] : kMissing) {
    EXPECT_EQ(format({LOCALE_NFMT_QORBEST, fromBits(bits), 1, 0}), ok(text)) << std::hex << bits;
  }
  const double missing = fromBits(kMissingBits);
  EXPECT_EQ(format({LOCALE_NFMT_LEFTJUSTIFY, missing, 3, 0}), ok(U".  "));
  EXPECT_EQ(format({LOCALE_NFMT_PADWITHZERO, missing, 3, 0}), ok(U"  ."));
  EXPECT_EQ(withExOpts({0, missing, 3, 0}, {2, 0}), ok(U"  .")) << "other bits are ignored";
  // An unusable character is refused whatever the value.
  for (ZQChar bad : {0u, 0xD800u, 0xDFFFu, 0x110000u}) {
    for (double value : {missing, 1.5}) {
      EXPECT_EQ(withExOpts({0, value, 5, 0}, {1, bad}), status(ZQ_NLS_FMT_INVALID_MISSCHAR, 0, U""));
    }
  }
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

// Values just below every power of ten, where rounding carries into it or just fails
// to, in every field up to 24, precisions 0 and 3, both signs, the four QOR formats
// and both modes: every text that fits shows a digit and reads back to within half a
// unit of its last significant digit.
TEST_F(DoubleFormatTest, FittedTextsReadBackNearEveryPowerOfTen) {
  std::vector<double> values;
  for (int k = -101; k <= 101; ++k) {  // exponents of one, two and three digits
    if (std::abs(k) > 25 && std::abs(k) < 98) continue;
    values.push_back(std::nextafter(std::pow(10.0, k), 0.0));
    // 10^k (1 - 5 10^-d): "95", "995", ... with d - 1 nines.
    for (int d : {1, 2, 3, 4, 6, 9, 13, 16}) {
      char text[40];
      std::snprintf(text, sizeof text, "%.*s5e%d", d - 1, "999999999999999", k - d);
      values.push_back(std::strtod(text, nullptr));
    }
  }
  int faults = 0;
  for (const bool compatible : {false, true}) {
    setMode(compatible ? DECIMALCONV_COMPATIBLE : DECIMALCONV_STDIEEE);
    for (const std::uint32_t options : {QB, QWD, QEW, QEWD}) {
      const int cap = significantCap(compatible, options == QB);
      for (const double value : values) {
        for (int call = 0; call < 2 * 2 * 24; ++call) {  // sign, precision, width
          const double signed_value = call % 2 == 0 ? value : -value;
          const std::int32_t precision = call / 2 % 2 * 3, width = 1 + call / 4;
          const Formatted f = format({options, signed_value, width, precision, 24});
          const char* fault =
              f.status == ZQ_OK || f.status == REV
                  ? fittedTextFault(f.text, value, U'.', U',', compatible, cap)
                  : nullptr;
          if (fault != nullptr && ++faults <= 10) {
            ADD_FAILURE() << fault << ": " << f << " for " << signed_value << " in " << width
                          << ", precision " << precision << ", options 0x" << std::hex
                          << options << (compatible ? ", COMPATIBLE" : "");
          }
        }
      }
    }
  }
  EXPECT_EQ(faults, 0);
}

// The digits at a precision by integer arithmetic are std::to_chars' where that path
// rounds and where its domain ends: ties odd / 2^j, both sides of 2^53 in the
// significand, of 2^63, of 2^64 in the digits (1.9e18 at precision 1), and of every
// power of ten from 10^-22 to 10^40 (carries, and scales of 19 and 20), at every
// precision to 20, in both formats.
TEST(ToCharsRoundedTest, IntegerDigitsAreToCharsOwn) {
  std::vector<double> values{std::nextafter(0x1p63, 0.0), 0x1p63, 1.9e18, 5e-324};
  for (const double odd : {1.0, 3.0, 125.0, 0x1.0000000000001p52, 0x1.fffffffffffffp52}) {
    for (int j = -12; j <= 75; ++j) values.push_back(std::ldexp(odd, -j));
  }
  for (int k = -22; k <= 40; ++k) {
    const double power = std::pow(10.0, k);
    values.insert(values.end(), {std::nextafter(power, 0.0), power, power * 9.5});
  }
  char ours[400];
  char theirs[400];
  for (const double value : values) {
    for (int precision = 0; precision <= 20; ++precision) {
      for (const auto format : {std::chars_format::fixed, std::chars_format::scientific}) {
        const auto mine = host::toCharsRounded(ours, ours + 400, value, format, precision).ptr;
        const auto expected = std::to_chars(theirs, theirs + 400, value, format, precision).ptr;
        ASSERT_EQ(std::string_view(ours, mine), std::string_view(theirs, expected)) << precision;
      }
    }
  }
}

}  // namespace
}  // namespace zq::testing
