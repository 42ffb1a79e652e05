// Integer parsing through the locale handle's eight parsers (words 51-54, 64, 65, 68, 69).
#include <random>

#include "nls_support.h"

namespace zq::testing {
namespace {

enum class Parser { Intfast, Intmax, Uintfast, Uintmax, Int, UInt, Long, ULong };
constexpr Parser kAllParsers[] = {Parser::Intfast, Parser::Intmax, Parser::Uintfast,
                                  Parser::Uintmax, Parser::Int,    Parser::UInt,
                                  Parser::Long,    Parser::ULong};

struct Parsed {
  Status status;
  std::int64_t consumed;
  std::uint64_t value;  // signed results sign-extended
};
bool operator==(const Parsed& a, const Parsed& b) {
  return a.status == b.status && a.consumed == b.consumed && a.value == b.value;
}
std::ostream& operator<<(std::ostream& out, const Parsed& p) {
  return out << "{status 0x" << std::hex << static_cast<std::uint32_t>(p.status) << std::dec
             << ", consumed " << p.consumed << ", value " << static_cast<std::int64_t>(p.value)
             << " (" << p.value << ")}";
}

std::uint64_t bits(std::int64_t value) { return static_cast<std::uint64_t>(value); }

template <typename T, typename Fn>
Parsed run(LocaleHandle* l, Fn fn, const ZQChar* text, std::int64_t length,
           std::uint32_t options) {
  T value = 77;
  std::int64_t consumed = 77;
  const Status status = fn(l, text, length, static_cast<std::int32_t>(options), &value, &consumed);
  return Parsed{status, consumed, static_cast<std::uint64_t>(static_cast<std::int64_t>(value))};
}

Parsed parse(LocaleHandle* l, Parser parser, const ZQChar* text, std::int64_t length,
             std::uint32_t options) {
  switch (parser) {
    case Parser::Intfast:
      return run<std::int32_t>(l, l->zqnlsLocaleBufferToIntfast, text, length, options);
    case Parser::Intmax:
      return run<std::int64_t>(l, l->zqnlsLocaleBufferToIntmax, text, length, options);
    case Parser::Uintfast:
      return run<std::uint32_t>(l, l->zqnlsLocaleBufferToUintfast, text, length, options);
    case Parser::Uintmax:
      return run<std::uint64_t>(l, l->zqnlsLocaleBufferToUintmax, text, length, options);
    case Parser::Int:
      return run<std::int32_t>(l, l->zqnlsLocaleBufferToInt, text, length, options);
    case Parser::UInt:
      return run<std::uint32_t>(l, l->zqnlsLocaleBufferToUInt, text, length, options);
    case Parser::Long:
      return run<std::int64_t>(l, l->zqnlsLocaleBufferToLong, text, length, options);
    case Parser::ULong:
      return run<std::uint64_t>(l, l->zqnlsLocaleBufferToULong, text, length, options);
  }
  return Parsed{};
}

// Unsigned results reach the comparison zero-extended.
std::uint64_t unsignedBits(Parser parser, std::uint64_t value) {
  const bool narrow_unsigned = parser == Parser::Uintfast || parser == Parser::UInt;
  return narrow_unsigned ? value & 0xFFFFFFFFu : value;
}

struct Row {
  Parser parser;
  std::u32string input;
  std::uint32_t options;
  Parsed expected;
  std::int64_t length = -1;  // -1: the whole input
};

constexpr std::uint32_t kHex = LOCALE_CVT_HEX;
constexpr std::uint32_t kNoSpace = LOCALE_CVT_NOEMBEDDEDSPACE;
constexpr std::uint32_t kIgnoreDecimal = LOCALE_CVT_IGNORE_DECIMAL;
constexpr std::uint32_t kSpaceGroups = LOCALE_CVT_SPACEGROUPING;
constexpr Status kBad = ZQ_NLS_BAD_NUM;
constexpr Status kOverflow = ZQ_NLS_OVERFLOW;
constexpr Status kTruncate = ZQ_NLS_FMT_TRUNCATE;

class IntegerParseTest : public NlsTest {
 protected:
  Parsed parseRow(LocaleHandle* l, const Row& row) {
    const std::int64_t length =
        row.length >= 0 ? row.length : static_cast<std::int64_t>(row.input.size());
    Parsed p = parse(l, row.parser, units(row.input), length, row.options);
    p.value = unsignedBits(row.parser, p.value);
    return p;
  }
  void expectRows(const char32_t* name, std::initializer_list<Row> rows) {
    LocaleHandle* l = locale(name);
    ASSERT_NE(l, nullptr);
    for (const Row& row : rows) {
      EXPECT_EQ(parseRow(l, row), row.expected)
          << readable(name) << " \"" << readable(row.input) << "\" options 0x" << std::hex
          << row.options;
    }
  }
};

TEST_F(IntegerParseTest, BlanksSignsAndStrayCharacters) {
  const std::u32string eight(8, U' ');
  expectRows(U"en_US", {
      {Parser::Intfast, U"1234.", 0, {ZQ_OK, 4, 1234}, 4},
      {Parser::Intfast, U"1234.", 0, {kBad, 4, 1234}},
      {Parser::Intfast, U"-12345 ", 0, {ZQ_OK, 6, bits(-12345)}},
      {Parser::Intfast, U"9876.5", 0, {kBad, 4, 9876}},
      {Parser::Intfast, U" 1234", 0, {ZQ_OK, 5, 1234}},
      {Parser::Intfast, U"", 0, {ZQ_OK, 0, 0}},
      {Parser::Intfast, U" ", 0, {ZQ_OK, 1, 0}},
      {Parser::Uintmax, U"  1234  33", 0, {ZQ_OK, 6, 1234}},
      {Parser::Uintmax, U"+1234", 0, {ZQ_OK, 5, 1234}},
      {Parser::Uintfast, U"-1234", 0, {kBad, 0, 0}},
      {Parser::Uintfast, U"  -0", 0, {kBad, 0, 0}},
      {Parser::Intmax, U"a922337203685477580799992233720368547", 0, {kBad, 0, 0}},
      {Parser::Intfast, U"-0", 0, {ZQ_OK, 2, 0}},
      {Parser::Intfast, U"12a", 0, {kBad, 2, 12}},
      {Parser::Intfast, U"  x", 0, {kBad, 0, 0}},
      {Parser::Intfast, U"- 5", 0, {kBad, 0, 0}},
      {Parser::Intfast, U"+-5", 0, {kBad, 0, 0}},
      {Parser::Intfast, U"1,234", 0, {kBad, 1, 1}},
      {Parser::Intfast, U"12\t", 0, {kBad, 2, 12}},
      {Parser::Intfast, U"\u00A012", 0, {kBad, 0, 0}},
      // Without embedded blanks: blanks around the number are consumed, any
      // character after the trailing ones is bad.
      {Parser::Intfast, U"111" + eight, kNoSpace, {ZQ_OK, 11, 111}},
      {Parser::Intmax, eight + U"111", kNoSpace, {ZQ_OK, 11, 111}},
      {Parser::Uintfast, U"111 222", kNoSpace, {kBad, 4, 111}},
      {Parser::Uintmax, U"111  222 333", kNoSpace, {kBad, 5, 111}},
      {Parser::Intfast, U"111 x", kNoSpace, {kBad, 4, 111}},
      {Parser::Intmax, U"1.234", kNoSpace, {kBad, 1, 1}},
      {Parser::Uintmax, U"     ", kNoSpace, {ZQ_OK, 5, 0}},
  });
}

TEST_F(IntegerParseTest, HexadecimalWithAndWithoutPrefix) {
  expectRows(U"en_US", {
      {Parser::Uintfast, U"fffffffe", kHex, {ZQ_OK, 8, 4294967294}},
      {Parser::Uintfast, std::u32string(72, U' '), kHex, {ZQ_OK, 72, 0}},
      {Parser::Uintmax, U"12CF", kHex, {ZQ_OK, 4, 4815}},
      {Parser::Uintmax, U"0x12CF", kHex, {ZQ_OK, 6, 4815}},
      {Parser::Uintmax, U"0X1f", kHex, {ZQ_OK, 4, 31}},
      {Parser::Uintmax, U"12CF", 0, {kBad, 2, 12}},
      {Parser::Uintmax, U"0x", kHex, {kBad, 1, 0}},
      {Parser::Uintmax, U"0xg", kHex, {kBad, 1, 0}},
      {Parser::Uintmax, U"x12", kHex, {kBad, 0, 0}},
      {Parser::Uintmax, U"FFFFFFFFFFFFFFFF", kHex, {ZQ_OK, 16, UINT64_MAX}},
      {Parser::Uintmax, U"10000000000000000", kHex, {kOverflow, 17, 0}},
      {Parser::Intfast, U"7fffffff", kHex, {ZQ_OK, 8, 2147483647}},
      {Parser::Intfast, U"80000000", kHex, {kOverflow, 8, 0}},
      {Parser::Intfast, U"-80000000", kHex, {ZQ_OK, 9, bits(INT32_MIN)}},
      {Parser::Long, U"7FFFFFFFFFFFFFFF", kHex, {ZQ_OK, 16, INT64_MAX}},
      {Parser::Long, U"8000000000000000", kHex, {kOverflow, 16, 0}},
      {Parser::Intmax, U"-8000000000000000", kHex, {ZQ_OK, 17, bits(INT64_MIN)}},
      {Parser::Uintfast, U"ff.8", kHex, {kBad, 2, 255}},
  });
}

TEST_F(IntegerParseTest, DecimalPartIsDroppedOnlyOnRequest) {
  expectRows(U"en_US", {
      {Parser::Int, U"123.00", kIgnoreDecimal, {ZQ_OK, 6, 123}},
      {Parser::Long, U"-123.01", kIgnoreDecimal, {kTruncate, 7, bits(-123)}},
      {Parser::Intfast, U"123.", kIgnoreDecimal, {ZQ_OK, 4, 123}},
      {Parser::UInt, U"123.001", kIgnoreDecimal, {kTruncate, 7, 123}},
      {Parser::Intfast, U"123.45x", kIgnoreDecimal, {kBad, 6, 123}},
      {Parser::Intfast, U"123.5 ", kIgnoreDecimal, {kTruncate, 5, 123}},
      {Parser::Intfast, U"123.5 7", kIgnoreDecimal | kNoSpace, {kBad, 6, 123}},
      {Parser::Intfast, U"123.4.5", kIgnoreDecimal, {kBad, 5, 123}},
      {Parser::Intfast, U"99999999999.0", kIgnoreDecimal, {kOverflow, 13, 0}},
      {Parser::Intfast, U".5", kIgnoreDecimal, {kBad, 0, 0}},
  });
  // A comma-decimal locale: the point is just a stray character there.
  expectRows(U"de_DE", {
      {Parser::Intfast, U"1234,", 0, {kBad, 4, 1234}},
      {Parser::Intfast, U"1234.", 0, {kBad, 4, 1234}},
      {Parser::Int, U"123,01", kIgnoreDecimal, {kTruncate, 6, 123}},
      {Parser::Int, U"-123,00", kIgnoreDecimal, {ZQ_OK, 7, bits(-123)}},
      {Parser::Int, U"123.01", kIgnoreDecimal, {kBad, 3, 123}},
      {Parser::Uintmax, U"1,234", kNoSpace, {kBad, 1, 1}},
  });
}

TEST_F(IntegerParseTest, SpaceGroupingInBlankGroupingLocales) {
  const std::u32string nul(1, U'\0');
  expectRows(U"cs_CZ", {
      {Parser::Int, U"123 456", kSpaceGroups, {ZQ_OK, 7, 123456}},
      {Parser::Int, U"123\u00A0456", kSpaceGroups, {ZQ_OK, 7, 123456}},
      {Parser::Int, U"123 ", kSpaceGroups, {ZQ_OK, 4, 123}},
      {Parser::Int, U"123,456" + nul, kSpaceGroups, {kBad, 3, 123}},
      {Parser::Int, U" 123", kSpaceGroups, {ZQ_OK, 4, 123}},
      {Parser::Int, U"\u00A0123", kSpaceGroups, {kBad, 0, 0}},
      {Parser::Long, U"1 234\u00A0567", kSpaceGroups, {ZQ_OK, 9, 1234567}},
      {Parser::Int, U"123  456", kSpaceGroups, {ZQ_OK, 4, 123}},
      {Parser::Int, U"123  456", kSpaceGroups | kNoSpace, {kBad, 5, 123}},
      {Parser::Int, U"123 x", kSpaceGroups, {ZQ_OK, 4, 123}},
      {Parser::Int, U"2 147 483 648", kSpaceGroups, {kOverflow, 13, 0}},
      {Parser::Int, U"-2 147 483 648", kSpaceGroups, {ZQ_OK, 14, bits(INT32_MIN)}},
      {Parser::Int, U"123 456,7", kSpaceGroups | kIgnoreDecimal, {kTruncate, 9, 123456}},
      {Parser::Int, U"123 456", 0, {ZQ_OK, 3, 123}},
      {Parser::Int, U"123\u00A0456", 0, {kBad, 3, 123}},
  });
  // In a locale that groups with a comma the option changes nothing.
  expectRows(U"en_US", {
      {Parser::Int, U"123 456", kSpaceGroups, {ZQ_OK, 3, 123}},
      {Parser::Int, U"123\u00A0456", kSpaceGroups, {kBad, 3, 123}},
  });
  for (const char32_t* name : {U"fr_FR", U"hu_HU", U"pl_PL", U"ru_RU", U"sk_SK", U"sv_SE",
                               U"kk_KZ"}) {
    LocaleHandle* l = locale(name);
    ASSERT_NE(l, nullptr);
    for (Parser parser : kAllParsers) {
      EXPECT_EQ(parseRow(l, {parser, U"123\u00A0456", kSpaceGroups, {}}),
                (Parsed{ZQ_OK, 7, 123456}));
    }
  }
}

TEST_F(IntegerParseTest, EveryWidthOverflowsJustPastItsRange) {
  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  // Per parser: the largest value's text and value, the next text, then the
  // smallest value's text and value and the one below it (unsigned: "-0", bad).
  struct Range {
    std::u32string max, past_max, min, past_min;
    std::uint64_t max_value, min_value;
  };
  const Range int32{U"2147483647", U"2147483648", U"-2147483648", U"-2147483649",
                    2147483647, bits(INT32_MIN)};
  const Range int64{U"9223372036854775807", U"9223372036854775808", U"-9223372036854775808",
                    U"-9223372036854775809", INT64_MAX, bits(INT64_MIN)};
  const Range uint32{U"4294967295", U"4294967296", U"", U"-0", 4294967295, 0};
  const Range uint64{U"18446744073709551615", U"18446744073709551616", U"", U"-0", UINT64_MAX, 0};
  const std::pair<Parser, const Range*> kRanges[] = {
      {Parser::Intfast, &int32}, {Parser::Int, &int32},     {Parser::Intmax, &int64},
      {Parser::Long, &int64},    {Parser::Uintfast, &uint32}, {Parser::UInt, &uint32},
      {Parser::Uintmax, &uint64}, {Parser::ULong, &uint64}};
  const auto size = [](const std::u32string& s) { return static_cast<std::int64_t>(s.size()); };
  for (const auto& [parser, r] : kRanges) {
    EXPECT_EQ(parseRow(l, {parser, r->max, 0, {}}), (Parsed{ZQ_OK, size(r->max), r->max_value}));
    EXPECT_EQ(parseRow(l, {parser, U"000" + r->max, 0, {}}),
              (Parsed{ZQ_OK, size(r->max) + 3, r->max_value}));
    EXPECT_EQ(parseRow(l, {parser, r->past_max, 0, {}}), (Parsed{kOverflow, size(r->past_max), 0}));
    EXPECT_EQ(parseRow(l, {parser, U"99999999999999999999", 0, {}}), (Parsed{kOverflow, 20, 0}));
    if (!r->min.empty()) {
      EXPECT_EQ(parseRow(l, {parser, r->min, 0, {}}), (Parsed{ZQ_OK, size(r->min), r->min_value}));
      EXPECT_EQ(parseRow(l, {parser, r->past_min, 0, {}}),
                (Parsed{kOverflow, size(r->past_min), 0}));
    } else {
      EXPECT_EQ(parseRow(l, {parser, r->past_min, 0, {}}), (Parsed{kBad, 0, 0}));
    }
  }
  std::u32string plus_digits = U"+";
  for (int i = 0; i < 6; ++i) plus_digits += U"1234567890";
  EXPECT_EQ(parseRow(l, {Parser::Uintfast, plus_digits, 0, {}}), (Parsed{kOverflow, 61, 0}));
  EXPECT_EQ(parseRow(l, {Parser::Intmax, U"-922337203685477580799992233720368547", 0, {}}),
            (Parsed{kOverflow, 37, 0}));
  EXPECT_EQ(parseRow(l, {Parser::Intfast, U"99999999999 x", 0, {}}), (Parsed{kOverflow, 11, 0}));
}

TEST_F(IntegerParseTest, AMebibyteOfDigitsIsReadInOnePass) {
  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  constexpr std::int64_t kLength = std::int64_t{1} << 20;
  std::u32string ones(kLength, U'1');
  EXPECT_EQ(parseRow(l, {Parser::Uintmax, ones, 0, {}}), (Parsed{kOverflow, kLength, 0}));
  std::u32string zeros(kLength, U'0');
  zeros += U"42";
  EXPECT_EQ(parseRow(l, {Parser::Intmax, zeros, 0, {}}), (Parsed{ZQ_OK, kLength + 2, 42}));
}

TEST_F(IntegerParseTest, UnusableArgumentsAreRefused) {
  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  const std::u32string text = U"12";
  EXPECT_EQ(parse(l, Parser::Intfast, units(text), -1, 0), (Parsed{ZQ_NLS_INVALID_VALUE, 0, 0}));
  EXPECT_EQ(parse(l, Parser::ULong, nullptr, 3, 0), (Parsed{ZQ_NLS_INVALID_VALUE, 0, 0}));
  EXPECT_EQ(parse(l, Parser::Long, nullptr, 0, 0), (Parsed{ZQ_OK, 0, 0}));
  EXPECT_EQ(run<std::int32_t>(nullptr, l->zqnlsLocaleBufferToInt, units(text), 2, 0),
            (Parsed{ZQ_NLS_INVALID_VALUE, 0, 0}));
  std::int64_t consumed = 0;
  EXPECT_EQ(l->zqnlsLocaleBufferToIntmax(l, units(text), 2, 0, nullptr, &consumed), ZQ_OK);
  EXPECT_EQ(consumed, 2);
  std::int64_t value = 0;
  EXPECT_EQ(l->zqnlsLocaleBufferToIntmax(l, units(text), 2, 0, &value, nullptr), ZQ_OK);
  EXPECT_EQ(value, 12);
}

// Formatting and parsing back: every value survives, plain and (where the
// locale groups with a blank) grouped under space grouping.
TEST_F(IntegerParseTest, FormattedValuesParseBack) {
  LocaleHandle* en = locale(U"en_US");
  LocaleHandle* fr = locale(U"fr_FR");
  ASSERT_TRUE(en != nullptr && fr != nullptr);
  std::mt19937_64 random(7);
  for (int i = 0; i < 2000; ++i) {
    const auto magnitude = static_cast<std::int64_t>(random() >> (1 + random() % 63));
    const std::int64_t value = i % 2 == 0 ? magnitude : -magnitude;
    for (auto [l, options, cvt] : {std::tuple{en, 0u, 0u},
                                   std::tuple{fr, LOCALE_NFMT_GROUP, kSpaceGroups}}) {
      ZQChar text[40];
      std::int64_t length = 0;
      ASSERT_EQ(l->zqnlsLocaleIntmaxFormat(l, value, 0, 0, static_cast<std::int32_t>(options),
                                           text, 40, &length),
                ZQ_OK);
      EXPECT_EQ(parse(l, Parser::Intmax, text, length, cvt),
                (Parsed{ZQ_OK, length, static_cast<std::uint64_t>(value)}));
    }
  }
}

}  // namespace
}  // namespace zq::testing
