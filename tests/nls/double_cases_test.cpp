// The contract rows of the double formats: the 84 conformance cases in the three
// separator styles, and the IEEE conversion rows in both decimal-conversion modes.
#include <bit>

#include "nls_support.h"

namespace zq::testing {
namespace {

constexpr std::uint32_t QB = LOCALE_NFMT_QORBEST, QEW = LOCALE_NFMT_QOREW,
                        QWD = LOCALE_NFMT_QORWD, QEWD = LOCALE_NFMT_QOREWD,
                        BF = LOCALE_NFMT_BESTFIT, DEC = LOCALE_NFMT_DECIMAL,
                        FRAC = LOCALE_NFMT_FRACTION, INT = LOCALE_NFMT_INTEGER,
                        SN = LOCALE_NFMT_SNOTE, BFB = LOCALE_NFMT_BESTFITBIG,
                        ADD = LOCALE_NFMT_ADDSIGN, GRP = LOCALE_NFMT_GROUP,
                        LJ = LOCALE_NFMT_LEFTJUSTIFY, PAD0 = LOCALE_NFMT_PADWITHZERO,
                        RDX = LOCALE_NFMT_RADIX, SP = LOCALE_NFMT_SPACEPREFIX,
                        TZ = LOCALE_NFMT_TRAILZERO;
constexpr Status OK = ZQ_OK, TRUNC = ZQ_NLS_FMT_TRUNCATE, REV = ZQ_NLS_FMT_REVERT;

struct Case {
  std::uint32_t options;
  double value;
  std::int32_t width;
  std::int32_t precision;
  std::int64_t capacity;
  Status status = ZQ_OK;
  std::int64_t length = 0;
  std::u32string text = {};  // period-comma style; capacity asterisks when truncated
};

// clang-format off
const Case kCases[] = {
    {QB, 1, 1, 0, 72, OK, 1, U"1"},
    {QB, -1.2e-26, 10, 10, 72, OK, 10, U"  -1.2E-26"},
    {QB, -1.298765559e-28, 8, 0, 72, OK, 8, U" -13E-29"},
    {QB, -000000012.345678, 16, 0, 16, OK, 16, U"      -12.345678"},
    {QB, -.123456, 9, 0, 8, OK, 8, U"-0.12346"},
    {QB, +4, 1, 0, 1, OK, 1, U"4"},
    {QB, -4, 2, 0, 2, OK, 2, U"-4"},
    {QB, -1234.567890, 15, 0, 72, OK, 15, U"    -1234.56789"},
    {QB, 1.234567891E3, 15, 0, 72, OK, 15, U"    1234.567891"},
    {QB, 1.234567891, 5, 0, 72, OK, 5, U"1.235"},
    {QB, -123.4567891, 3, 0, 72, TRUNC, 3, U"***"},
    {QEW, 123456, 7, 0, 72, OK, 7, U"1.2E+05"},
    {QEW, -0.1234567890123456e-31, 10, 0, 72, OK, 10, U"-1.235E-32"},
    {QEW, -0.1234567890123456e-31, 10, 0, 72, OK, 10, U"-1.235E-32"},
    {QEW, 1.23456789012345678901234567E32, 8, 30, 72, OK, 8, U" 1.2E+32"},
    {QEW, 123456789012, 12, 0, 10, OK, 10, U" 1.235E+11"},
    {QWD, 0123456.1234567, 6, 0, 72, OK, 6, U"123456"},
    {QWD, 0.1234561234567e-32, 11, 6, 72, OK, 11, U"   0.000000"},
    {QWD, .123456789012345, 12, 11, 12, OK, 12, U".12345678901"},
    {QWD, 12345.5678905, 12, 6, 12, OK, 12, U"12345.567891"},
    {QWD, 0, 1, 0, 1, OK, 1, U"0"},
    {QWD, -1, 2, 0, 2, OK, 2, U"-1"},
    {QWD, -1245678, 4, 0, 4, REV, 4, U"-1E6"},
    {QWD | GRP | TZ, -1234567890.02500, 20, 4, 20, OK, 20, U" -1,234,567,890.0250"},
    {QWD | TZ, -12345678900, 12, 1, 12, REV, 12, U"-12345678900"},
    {QWD | TZ, 1.2345678900, 12, 1, 12, OK, 12, U"         1.2"},
    {DEC | SP, 1234.56, 10, 3, 10, OK, 10, U"  1234.560"},
    {DEC | LJ, 1234.56, 0, 0, 4, OK, 4, U"1235"},
    {INT | RDX, .556, 10, 0, 10, OK, 10, U"        0."},
    {LJ, -1, 0, 0, 2, OK, 2, U"-1"},
    {BFB, -999.999, 10, 5, 10, OK, 10, U"     -1000"},
    {SN, -999.999, 10, 2, 10, OK, 10, U" -1.00e+03"},
    {FRAC, -999999.99956, 10, 5, 11, OK, 10, U"  -0.99956"},
    {SN, 7654321234, 10, 5, 11, OK, 11, U"7.65432e+09"},
    {FRAC | PAD0 | GRP | ADD, 12341234.5656, 14, 2, 14, OK, 14, U"+0000000000.57"},
    {DEC | PAD0 | RDX, 0, 5, -1, 8, OK, 8, U"0.000000"},
    {DEC | RDX, 999, 7, 0, 7, OK, 7, U"   999."},
    {FRAC, -999.88000, 10, 3, 10, OK, 10, U"    -0.880"},
    {BFB, -000999.88000, 10, 15, 10, OK, 10, U"   -999.88"},
    {BFB, -1.2, 1, 5, 4, OK, 4, U"-1.2"},
    {SN | GRP, 765432.194845, 20, 5, 20, OK, 20, U"         7.65432e+05"},
    {0, 765432.194845, 20, 5, 20, OK, 20, U"          7.6543e+05"},
    {TZ | BFB, -000999.88000, 17, 15, 17, OK, 17, U"-999.880000000000"},
    {DEC | PAD0 | GRP | ADD, 12341234.5656, -14, 2, 14, OK, 14, U"+12,341,234.57"},
    {FRAC | PAD0 | GRP | ADD, 12341234.5656, 5, 2, 5, OK, 5, U"+0.57"},
    {QB, 1234.1234, 12, 0, 12, OK, 12, U"   1234.1234"},
    {QB, 123456789, 12, 0, 12, OK, 12, U"   123456789"},
    {QB, 123456789, 6, 0, 6, OK, 6, U"1.23E8"},
    {QB, 123456789, 20, 0, 20, OK, 20, U"           123456789"},
    {QB, -123456789.000, 20, 0, 20, OK, 20, U"          -123456789"},
    {DEC | PAD0 | RDX, 12345.123459999, 15, 5, 15, OK, 15, U"000012345.12346"},
    {QB, -123456789.000, 20, 4, 20, OK, 20, U"          -123456789"},
    {DEC | PAD0 | RDX, 9876, 9, -1, 11, OK, 11, U"9876.000000"},
    {DEC | PAD0 | RDX, 9876.102345, 9, 3, 9, OK, 9, U"09876.102"},
    {DEC | PAD0 | RDX, 9876, 9, 3, 9, OK, 9, U"09876.000"},
    {QB, 1.1234567890, 13, 10, 13, OK, 13, U"  1.123456789"},
    {QB, .9999, 10, 4, 10, OK, 10, U"    0.9999"},
    {QB, -.0123456789, 5, 3, 5, OK, 5, U"-0.01"},
    {QB, .000123456789, 12, 8, 12, OK, 12, U"0.0001234568"},
    {QB, .123456789, 5, 8, 6, OK, 5, U"0.123"},
    {QB, -123456780.0123456789, 6, 4, 6, OK, 6, U"-123E6"},
    {QB, -123456780.0123456789, 8, 6, 8, OK, 8, U"-1.235E8"},
    {QB, 12341234.5656, 5, 2, 7, OK, 5, U"123E5"},
    {QB, .123456789, 6, 0, 6, OK, 6, U"0.1235"},
    {TZ | DEC, 999.123456789, 10, 9, 13, OK, 13, U"999.123456789"},
    {QB, .0000123456789, 11, 11, 11, OK, 11, U"0.000012346"},
    {TZ | DEC, 999.123456789, 10, 8, 10, TRUNC, 12, U"**********"},
    {TZ | FRAC, -999.0123456789, 10, 9, 10, TRUNC, 12, U"**********"},
    {INT, -99998.987654321, 5, 0, 5, TRUNC, 6, U"*****"},
    {SN, -99998.987654321, 8, 5, 8, TRUNC, 12, U"********"},
    {QB, 0.17, 12, 0, 12, OK, 12, U"        0.17"},
    {BF, 0.17, 12, 0, 12, OK, 12, U"        0.17"},
    {FRAC | ADD, -12341234.5656, 14, 2, 14, OK, 14, U"         -0.57"},
    {ADD, -1234.567, 14, 2, 14, OK, 14, U"      -1.2e+03"},
    {SP | ADD, -1234.567, 14, 8, 14, OK, 14, U"     -1234.567"},
    {ADD, 1234.567, 14, 2, 14, OK, 14, U"      +1.2e+03"},
    {QWD, 8.458084035026533e-28, 32, 15, 32, OK, 32, U"               0.000000000000000"},
    {1, 1.6736e-023, 1, 15, 10, OK, 10, U"1.6736e-23"},
    {QEWD, 123456, 6, 0, 72, OK, 6, U"123456"},
    {QEWD, -0.1234567890123456e-31, 2, 0, 72, OK, 2, U"-0"},
    {QEWD, 1.23456789012345678901234567E32, 8, 30, 72, REV, 8, U"1.23E+32"},
    {QEWD, 123456789012, 12, 0, 72, OK, 12, U"123456789012"},
    {QEWD, -1.2e+10, 8, 0, 72, OK, 12, U"-12000000000"},
    {QEWD, -1.2e10, 8, 0, 72, OK, 12, U"-12000000000"},
};
// clang-format on

// The expected text in a locale's style: '.' and ',' exchanged at once.
std::u32string localized(const std::u32string& text, char32_t point, char32_t group) {
  std::u32string out = text;
  for (char32_t& c : out) c = c == U'.' ? point : c == U',' ? group : c;
  return out;
}

class DoubleCasesTest : public NlsTest {
 protected:
  Formatted format(LocaleHandle* l, const Case& c, const ExOpts* ex_opts = nullptr,
                   double value = 0, std::int32_t width = -1) {
    return formatGuarded(c.capacity, [&](ZQChar* b, std::int64_t n, std::int64_t* length) {
      return l->zqnlsLocaleDoubleFormatWithExOpts(
          l, ex_opts ? value : c.value, ex_opts ? width : c.width, c.precision,
          static_cast<std::int32_t>(c.options), b, n, length, ex_opts);
    });
  }
};

TEST_F(DoubleCasesTest, EveryCaseInEverySeparatorStyle) {
  const double missing = std::bit_cast<double>(std::uint64_t{0xFFFFFE0000000000});
  const struct {
    const char32_t* locale;
    char32_t point, group;
  } kStyles[] = {{U"en_US", U'.', U','}, {U"fr_FR", U',', kNbsp}, {U"de_DE", U',', U'.'}};
  for (const auto& style : kStyles) {
    LocaleHandle* l = locale(style.locale);
    ASSERT_NE(l, nullptr);
    for (std::size_t n = 0; n < std::size(kCases); ++n) {
      const Case& c = kCases[n];
      const Formatted expected{c.status, c.length, localized(c.text, style.point, style.group)};
      EXPECT_EQ(format(l, c), expected) << readable(style.locale) << " case " << n + 1;
      // The missing-character probes: an invalid character, then '*' in width 1.
      const ExOpts invalid{1, 0}, star{1, U'*'};
      EXPECT_EQ(format(l, c, &invalid, missing, c.width).status, ZQ_NLS_FMT_INVALID_MISSCHAR);
      EXPECT_EQ(format(l, c, &star, missing, 1), ok(U"*")) << "case " << n + 1;
    }
  }
}

// The IEEE conversion rows: one call, two expectations. COMPATIBLE's row 17 writes
// within its capacity of 7, as every call does.
TEST_F(DoubleCasesTest, ConversionRowsInBothModes) {
  const struct {
    Case call;
    Formatted compatible, std_ieee;
  } kRows[] = {
      {{QB, 1.2e+28, 32, 0, 72}, ok(U"   11999999999999999059939033088"),
       ok(U"   12000000000000000000000000000")},
      {{QB, -0.1234567891, 4, 0, 4}, ok(U"-.12"), ok(U"-0.1")},
      {{QEW, -72057594037927936.0, 32, 0, 72}, ok(U"-7.2057594037928000000000000E+16"),
       ok(U"-7.2057594037927940000000000E+16")},
      {{QEW, -9.998765432e-23, 7, 6, 8}, {REV, 7, U"-1.E-22"}, ok(U"-1.E-22")},
      {{QB, 4.5, 1, 0, 72}, ok(U"5"), ok(U"4")},
      {{QWD | GRP, -1234567890.02345, 17, 2, 17}, ok(U"-1,234,567,890.02"),
       ok(U"-1,234,567,890.02")},
      {{TZ | BFB, -999.12345, 8, 5, 7}, ok(U"-999.12"), ok(U"-999.12")},
      {{QB, -8.458084035026533e-23, 32, 15, 32}, ok(U"            -8.4580840350265E-23"),
       ok(U"           -8.45808403502653E-23")},
      {{QEWD, -72057594037927936.0, 10, 0, 72}, ok(U"-72057594037927936"),
       ok(U"-72057594037927936")},
      {{QEWD, 1.2345678901234568e-32, 32, 31, 72},
       {REV, 32, U"1.23456789012340000000000000E-32"},
       {REV, 32, U"1.23456789012345700000000000E-32"}},
  };
  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  for (const auto& row : kRows) {
    zqhostSetDecimalConversionMode(kernel_, DECIMALCONV_COMPATIBLE);
    EXPECT_EQ(format(l, row.call), row.compatible) << row.call.value;
    zqhostSetDecimalConversionMode(kernel_, DECIMALCONV_STDIEEE);
    EXPECT_EQ(format(l, row.call), row.std_ieee) << row.call.value;
  }
}

}  // namespace
}  // namespace zq::testing
