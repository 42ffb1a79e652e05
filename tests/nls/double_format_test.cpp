// The double, percent and currency formats beyond the contract rows: each rule of
// the engine's comment, each option alone, both modes and bad input. Expectations
// are worked out from the rules by hand.
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

// A call of a format word; `capacity` 0 in a row means 72.
struct Call {
  std::uint32_t options;
  double value;
  std::int32_t width;
  std::int32_t precision;
  std::int64_t capacity = 72;
};

double fromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

class DoubleFormatTest : public NlsTest {
 protected:
  void SetUp() override {
    NlsTest::SetUp();
    en_ = locale(U"en_US");
    ASSERT_NE(en_, nullptr);
  }
  // Word 39 (or 45, 46) on `l`, with guard units after the capacity.
  using Word = DoubleFormatFn LocaleHandle::*;
  Formatted format(const Call& c, LocaleHandle* l = nullptr,
                   Word word = &LocaleHandle::zqnlsLocaleDoubleFormat) {
    l = l != nullptr ? l : en_;
    return formatGuarded(c.capacity, [&](ZQChar* b, std::int64_t n, std::int64_t* length) {
      return (l->*word)(l, c.value, c.width, c.precision, static_cast<std::int32_t>(c.options),
                        b, n, length);
    });
  }
  Formatted withExOpts(const Call& c, ExOpts ex_opts) {
    return formatGuarded(c.capacity, [&](ZQChar* b, std::int64_t n, std::int64_t* length) {
      return en_->zqnlsLocaleDoubleFormatWithExOpts(
          en_, c.value, c.width, c.precision, static_cast<std::int32_t>(c.options), b, n, length,
          &ex_opts);
    });
  }
  void setMode(std::int32_t mode) { zqhostSetDecimalConversionMode(kernel_, mode); }
  LocaleHandle* en_ = nullptr;
};

constexpr auto kPercent = &LocaleHandle::zqnlsLocalePercentFormat;
constexpr auto kCurrency = &LocaleHandle::zqnlsLocaleCurrencyFormat;

TEST_F(DoubleFormatTest, SanityAndTimingRows) {
  EXPECT_EQ(format({0x200002, 1234.56, 10, 3}), ok(U"  1234.560"));
  EXPECT_EQ(format({0xB0004, 12341234.5656, 5, 2, 4}), (Formatted{ZQ_NLS_FMT_TRUNCATE, 5, U"****"}));
  EXPECT_EQ(format({0x800, 123456789.0, 6, 0}), ok(U"1.23E8"));
  EXPECT_EQ(format({0x800, INFINITY, 32, 7}), ok(U"Inf"));
  EXPECT_EQ(withExOpts({0, 1234.56, 2, 2}, {1, U'*'}), ok(U"1.2e+03"));
  EXPECT_EQ(withExOpts({0, fromBits(0xFFFFFE0000000000), 2, 2}, {1, U'*'}), ok(U" *"));
  EXPECT_EQ(format({1, -0.214, 10, 2}, en_, kPercent), ok(U"(  21.40%)"));
  EXPECT_EQ(format({0, -0.333, 10, 4}, en_, kPercent), ok(U" -33.3000%"));
  EXPECT_EQ(format({0, 1234.56, 10, 2}, en_, kCurrency), ok(U" $1,234.56"));
  EXPECT_EQ(format({1, 1234.56, 10, 2}, en_, kCurrency), ok(U"    $1,234"));
  EXPECT_EQ(format({0, 99.2509, 2, 0}, en_, kCurrency), ok(U"$99"));
  EXPECT_EQ(format({0, 999999999.6509, 10, 0}, en_, kCurrency), ok(U"$1,000,000,000"));
  EXPECT_EQ(format({0, 6543.21, 10, 2}), ok(U"   6.5e+03"));
  EXPECT_EQ(format({0, 6543.21, 10, 2}, locale(U"fr_FR")), ok(U"   6,5e+03"));
}

// One row per rule or option of the engine's comment, in STDIEEE.
TEST_F(DoubleFormatTest, RulesAndOptions) {
  using F = Formatted;
  constexpr std::uint32_t DEC = LOCALE_NFMT_DECIMAL, QB = LOCALE_NFMT_QORBEST,
                          QEW = LOCALE_NFMT_QOREW, QWD = LOCALE_NFMT_QORWD,
                          QEWD = LOCALE_NFMT_QOREWD, GRP = LOCALE_NFMT_GROUP;
  const struct {
    Call call;
    Formatted expected;
  } kRows[] = {
      // g by default: six digits, E notation outside 1e-4 to 1e6.
      {{0, 1234.5678, 0, 0}, ok(U"1234.57")},
      {{0, 0.00001, 0, 0}, ok(U"1e-05")},
      {{0, 123456789, 0, 0}, ok(U"1.23457e+08")},
      {{0, 3.14159265, 0, -1}, ok(U"3.14159")},
      {{LOCALE_NFMT_BESTFIT, 0.0001, 0, 3}, ok(U"0.0001")},
      {{LOCALE_NFMT_BESTFITBIG, 1e-10, 0, 3}, ok(U"1E-10")},
      {{LOCALE_NFMT_TRAILZERO, 2.5, 0, 4}, ok(U"2.500")},
      {{LOCALE_NFMT_RADIX, 2, 0, 0}, ok(U"2.")},
      {{GRP, 1234567, 0, 10}, ok(U"1,234,567")},
      // f, e, and the parts.
      {{DEC, 1.5, 0, -5}, ok(U"1.500000")},
      {{DEC | GRP, 1234567.891, 0, 2}, ok(U"1,234,567.89")},
      {{LOCALE_NFMT_FRACTION, -3.75, 0, 1}, ok(U"-0.8")},
      {{LOCALE_NFMT_INTEGER, 3.99, 0, 5}, ok(U"3")},
      {{LOCALE_NFMT_INTEGER | LOCALE_NFMT_RADIX, 3.99, 0, 5}, ok(U"3.")},
      {{LOCALE_NFMT_SNOTE, 0, 0, 2}, ok(U"0.00e+00")},
      {{LOCALE_NFMT_SNOTE, 1e100, 0, 1}, ok(U"1.0e+100")},
      {{LOCALE_NFMT_SNOTE | LOCALE_NFMT_RADIX, 12, 0, 0}, ok(U"1.e+01")},
      // Signs, padding, undefined bits.
      {{DEC, -0.0, 0, 1}, ok(U"-0.0")},
      {{DEC, -0.04, 0, 1}, ok(U"-0.0")},
      {{DEC | LOCALE_NFMT_ADDSIGN, 0, 0, 1}, ok(U"+0.0")},
      {{DEC | LOCALE_NFMT_SPACEPREFIX, 0, 0, 1}, ok(U" 0.0")},
      {{DEC | LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_SPACEPREFIX, 1, 0, 0}, ok(U"+1")},
      {{DEC | LOCALE_NFMT_LEFTJUSTIFY, 1.5, 6, 1}, ok(U"1.5   ")},
      {{DEC | LOCALE_NFMT_PADWITHZERO, -1.5, 7, 1}, ok(U"-0001.5")},
      {{DEC | LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_LEFTJUSTIFY, 1.5, 5, 1}, ok(U"1.5  ")},
      {{DEC | 0x80000000u | LOCALE_NFMT_HEXBIG | LOCALE_NFMT_UNSIGNED, -1.5, 0, 1}, ok(U"-1.5")},
      // Field and capacity.
      {{0, 1.5, INT_MAX, 0}, ok(std::u32string(69, U' ') + U"1.5")},
      {{0, 1.5, 0, 0, 1}, F{ZQ_NLS_FMT_TRUNCATE, 3, U"*"}},
      {{0, -INFINITY, 10, 0, 3}, F{ZQ_NLS_FMT_TRUNCATE, 4, U"***"}},
      {{LOCALE_NFMT_ADDSIGN, INFINITY, 10, 0}, ok(U"Inf")},
      // QORBEST: carries, a digit to show, zeros against digits, no width.
      {{QB, 9.996, 3, 0}, ok(U" 10")},
      {{QB, 0.6, 1, 0}, ok(U"1")},
      {{QB, 0.4, 1, 0}, F{ZQ_NLS_FMT_TRUNCATE, 1, U"*"}},
      {{QB, 1e-10, 20, 0}, ok(U"        0.0000000001")},
      {{QB, 1e-10, 12, 0}, ok(U"       1E-10")},
      {{QB, 123456789012345678.0, 30, 0}, ok(U"            123456789012346000")},
      {{QB, 5e-324, 32, 0}, ok(U"           4.94065645841247E-324")},
      {{QB, 1e300, 0, 0}, ok(U"1E300")},
      {{QB, -1234.5, 0, 0}, ok(U"-1234.5")},
      {{QB, 0.5, 0, 0}, ok(U"0.5")},
      {{QB | GRP, 1234567.5, 12, 0}, ok(U" 1,234,567.5")},
      {{QB | LOCALE_NFMT_ADDSIGN, 12.5, 5, 0}, ok(U"+12.5")},
      {{QB | LOCALE_NFMT_PADWITHZERO, -1.5, 6, 0}, ok(U"-001.5")},
      {{QB | QEW, 123456, 7, 0}, ok(U" 123456")},
      // QOREW: the sign position, exponent lengths, carries.
      {{QEW, 123456, 9, 0}, ok(U"1.235E+05")},
      {{QEW, -123456, 7, 0}, ok(U"-1.E+05")},
      {{QEW, 9.9996e9, 9, 0}, ok(U" 1.00E+10")},
      {{QEW, 1e100, 10, 0}, ok(U" 1.00E+100")},
      {{QEW, 123456, 5, 0}, F{ZQ_NLS_FMT_TRUNCATE, 5, U"*****"}},
      {{QEW, 123456, 0, 0}, ok(U"1.23456E+05")},
      // QORWD: fewer decimals, then nothing.
      {{QWD, 1.23456, 5, 4}, F{ZQ_NLS_FMT_REVERT, 5, U"1.235"}},
      {{QWD, 0.96, 2, 1}, F{ZQ_NLS_FMT_REVERT, 2, U" 1"}},
      {{QWD, 0.5, 3, 3}, F{ZQ_NLS_FMT_REVERT, 3, U".50"}},
      {{QWD, 1.5, 10, -1}, ok(U"  1.500000")},
      {{QWD, 123456, 1, 0}, F{ZQ_NLS_FMT_TRUNCATE, 1, U"*"}},
      // QOREWD: E notation past the field when not one digit fits.
      {{QEWD, 1.5, 3, 2}, F{ZQ_NLS_FMT_REVERT, 6, U"2.E+00"}},  // 1.5 ties to even
      {{QEWD, 1234567.8, 8, 1}, F{ZQ_NLS_FMT_REVERT, 8, U"1.23E+06"}},
      {{QEWD, 0.5, 0, 2}, ok(U"0.50")},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(format(row.call), row.expected)
        << row.call.value << " options 0x" << std::hex << row.call.options;
  }
}

TEST_F(DoubleFormatTest, ModesRoundTheirOwnDigits) {
  const struct {
    Call call;
    std::u32string compatible, std_ieee;
  } kRows[] = {
      {{LOCALE_NFMT_DECIMAL, 0.125, 0, 2}, U"0.13", U"0.12"},  // an exact tie
      {{LOCALE_NFMT_DECIMAL, 2.675, 0, 2}, U"2.68", U"2.67"},  // 2.67499999... in binary
      {{LOCALE_NFMT_QORBEST, 1.0 / 3, 20, 0}, U"    0.33333333333333", U"   0.333333333333333"},
      {{LOCALE_NFMT_QORBEST, 0.6, 2, 0}, U".6", U" 1"},
      {{LOCALE_NFMT_QORBEST, 123456789012345678.0, 30, 0}, U"            123456789012345680",
       U"            123456789012346000"},
      {{LOCALE_NFMT_QORBEST, 5e-324, 8, 0}, U"  5E-324", U"494E-326"},
  };
  for (const auto& row : kRows) {
    setMode(DECIMALCONV_COMPATIBLE);
    EXPECT_EQ(format(row.call), ok(row.compatible)) << row.call.value;
    setMode(DECIMALCONV_STDIEEE);
    EXPECT_EQ(format(row.call), ok(row.std_ieee)) << row.call.value;
  }
  setMode(DECIMALCONV_COMPATIBLE);
  EXPECT_EQ(format({LOCALE_NFMT_QOREW, 9.9996e9, 9, 0}),
            (Formatted{ZQ_NLS_FMT_REVERT, 9, U" 1.00E+10"}));
  EXPECT_EQ(format({0, 0.125, 0, -1}, en_, kPercent), ok(U"13%"));
  setMode(DECIMALCONV_STDIEEE);
  EXPECT_EQ(format({0, 0.125, 0, -1}, en_, kPercent), ok(U"12%"));
}

TEST_F(DoubleFormatTest, MissingValuesAndTheirCharacters) {
  const std::pair<std::uint64_t, std::u32string> kMissing[] = {
      {0xFFFFFE0000000000, U"."}, {0xFFFFFF0000000000, U"_"}, {0xFFFFFD0000000000, U"A"},
      {0xFFFFE40000000000, U"Z"}, {0xFFFFE30000000000, U"."}, {0xFFFFFD0000000001, U"."},
      {0x7FF8000000000000, U"."}};
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
      EXPECT_EQ(withExOpts({0, value, 5, 0}, {1, bad}),
                (Formatted{ZQ_NLS_FMT_INVALID_MISSCHAR, 0, U""}));
    }
  }
}

TEST_F(DoubleFormatTest, UnusableArgumentsAreRefused) {
  std::int64_t length = 99;
  ZQChar unit = 7;
  EXPECT_EQ(en_->zqnlsLocaleDoubleFormat(en_, 1.5, 0, 0, 0, &unit, -1, &length),
            ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(unit, 7u);
  EXPECT_EQ(en_->zqnlsLocaleCurrencyFormat(en_, 1.5, 0, 0, 0, nullptr, 3, &length),
            ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(en_->zqnlsLocalePercentFormat(en_, 1.5, 0, 0, 0, nullptr, 0, &length),
            ZQ_NLS_FMT_TRUNCATE);
  EXPECT_EQ(length, 4) << "\"150%\"";
  for (auto word : {&LocaleHandle::zqnlsLocaleDoubleFormat, kPercent, kCurrency}) {
    EXPECT_EQ((en_->*word)(nullptr, 1.5, 0, 0, 0, &unit, 1, &length), ZQ_NLS_INVALID_VALUE);
  }
  EXPECT_EQ(en_->zqnlsLocaleDoubleFormat(en_, 1.5, 0, 0, 0, &unit, 1, nullptr), ZQ_NLS_FMT_TRUNCATE);
}

// Texts far longer than any buffer report their length and write asterisks only.
TEST_F(DoubleFormatTest, LongTextsStayWithinTheCapacity) {
  const struct {
    Call call;
    std::int64_t length;
  } kRows[] = {
      {{LOCALE_NFMT_DECIMAL, DBL_MAX, 0, 1000}, 309 + 1 + 1000},
      {{LOCALE_NFMT_SNOTE, DBL_MAX, 0, 1000}, 1 + 1 + 1000 + 5},
      {{0, DBL_MAX, 0, 1000}, 309},
      {{LOCALE_NFMT_DECIMAL, 1, 0, INT_MAX}, 2 + std::int64_t{INT_MAX}},
      {{LOCALE_NFMT_QOREWD, 1, 0, INT_MAX}, 2 + std::int64_t{INT_MAX}},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(format(row.call), (Formatted{ZQ_NLS_FMT_TRUNCATE, row.length, std::u32string(72, U'*')}));
  }
}

// Every combination of awkward arguments: a known status, and (checked by the
// guard units) no write past the capacity.
TEST_F(DoubleFormatTest, AwkwardArgumentsGiveBoundedResults) {
  const double kValues[] = {0.0,     -0.0,     5e-324,   -2.2e-308, 0.1,  -999.5,
                            DBL_MAX, -DBL_MAX, INFINITY, NAN,       1e22, 9.5e-5};
  const std::int32_t kWidths[] = {INT_MIN, -1, 0, 1, 7, INT_MAX};
  const std::int32_t kPrecisions[] = {INT_MIN, -1, 0, 1, 17, 1000, INT_MAX};
  const std::int64_t kCapacities[] = {0, 1, 7, 40};
  std::vector<std::uint32_t> options = {0, 0xFFFFFFFF, 0x7FFF};
  for (int bit = 0; bit < 25; ++bit) options.push_back(1u << bit);
  for (std::int32_t mode : {DECIMALCONV_STDIEEE, DECIMALCONV_COMPATIBLE}) {
    setMode(mode);
    for (double value : kValues) {
      for (std::uint32_t o : options) {
        for (std::int32_t width : kWidths) {
          for (std::int32_t precision : kPrecisions) {
            for (std::int64_t capacity : kCapacities) {
              const Formatted f = format({o, value, width, precision, capacity});
              ASSERT_TRUE(f.status == ZQ_OK || f.status == ZQ_NLS_FMT_REVERT ||
                          f.status == ZQ_NLS_FMT_TRUNCATE);
              ASSERT_TRUE(f.status == ZQ_NLS_FMT_TRUNCATE ? f.length > capacity || (o & 0x7800)
                                                          : f.length <= capacity);
            }
          }
        }
      }
    }
  }
}

// Random values of every magnitude against C's printf, which STDIEEE's conversions
// without a QOR bit follow; "%#g" is TRAILZERO with RADIX.
TEST_F(DoubleFormatTest, ConversionsMatchPrintfForRandomValues) {
  const std::pair<std::uint32_t, const char*> kConversions[] = {
      {LOCALE_NFMT_DECIMAL, "%.*f"},
      {LOCALE_NFMT_SNOTE, "%.*e"},
      {LOCALE_NFMT_BESTFIT, "%.*g"},
      {LOCALE_NFMT_BESTFITBIG, "%.*G"},
      {LOCALE_NFMT_TRAILZERO | LOCALE_NFMT_RADIX, "%#.*g"}};
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    // A random mantissa and sign, scaled by 2^-70 to 2^69.
    const double mantissa = fromBits(0x3FF0000000000000 | (random() >> 12) | (random() << 63));
    const double scaled = std::ldexp(mantissa, static_cast<int>(random() % 140) - 70);
    const auto precision = static_cast<std::int32_t>(1 + random() % 20);
    const auto& [options, format] = kConversions[i % 5];
    char expected[200];
    std::snprintf(expected, sizeof expected, format, static_cast<int>(precision), scaled);
    const std::string text(expected);
    ASSERT_EQ(this->format({options, scaled, 0, precision, 200}),
              ok(std::u32string(text.begin(), text.end())))
        << format << " " << precision << " " << scaled;
  }
}

TEST(MoneySymbols, OneRowPerLocaleInTableOrder) {
  for (const host::LocaleData& row : host::allLocaleData()) {
    EXPECT_STREQ(host::moneySymbolsOf(row).locale, row.name);
  }
}

TEST_F(DoubleFormatTest, CurrencyAndPercentFollowTheLocale) {
  const std::u32string nbsp(1, kNbsp);
  EXPECT_EQ(format({0, 1234.56, 10, 2}, locale(U"fr_FR"), kCurrency),
            ok(U"1" + nbsp + U"234,56" + nbsp + U"\u20AC"));
  EXPECT_EQ(format({1, 1234.56, 10, 2}, locale(U"fr_FR"), kCurrency),
            ok(U"   1" + nbsp + U"234" + nbsp + U"\u20AC"));
  EXPECT_EQ(format({0, -1234.56, 0, 2}, locale(U"nl_NL"), kCurrency),
            ok(U"\u20AC" + nbsp + U"-1.234,56"));
  EXPECT_EQ(format({0, -1234.56, 0, -1}, locale(U"ja_JP"), kCurrency), ok(U"-\uFFE51,235"));
  EXPECT_EQ(format({0, -0.214, 0, 1}, locale(U"de_DE"), kPercent), ok(U"-21,4" + nbsp + U"%"));
  EXPECT_EQ(format({1, -0.214, 0, 1}, locale(U"de_DE"), kPercent), ok(U"(21,4" + nbsp + U"%)"));
  EXPECT_EQ(format({1, 0.214, 8, 1}, en_, kPercent), ok(U"   21.4%"));
  EXPECT_EQ(format({0, -INFINITY, 10, 2}, en_, kCurrency), ok(U"-Inf"));
  EXPECT_EQ(format({0, NAN, 2, 2}, en_, kPercent), ok(U" ."));
  EXPECT_EQ(format({0, 1234.56, 10, 2, 3}, en_, kCurrency),
            (Formatted{ZQ_NLS_FMT_TRUNCATE, 9, U"***"}))
      << "the field is cut to the capacity: the text needs 9";
}

}  // namespace
}  // namespace zq::testing
