// Integer parsing through the locale handle's parsers (words 51-54, 64, 65, 68, 69). Each
// width's bounds and the overflow just past them are in the golden listings: sanity1 and
// function1 parse them with every parser.
#include "nls_support.h"

namespace zq::testing {
namespace {

struct Parsed {
  Status status;
  std::int64_t consumed;
  std::uint64_t value;  // signed results sign-extended, unsigned ones zero-extended
  bool operator==(const Parsed&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Parsed& p) {
  return out << "{status 0x" << std::hex << static_cast<std::uint32_t>(p.status) << std::dec
             << ", consumed " << p.consumed << ", value " << static_cast<std::int64_t>(p.value)
             << " (" << p.value << ")}";
}

// Calls the parser word `kWord` of result type T, with outputs that start stale.
template <typename T, auto kWord>
Parsed parseAs(LocaleHandle* l, const ZQChar* text, std::int64_t length, std::uint32_t options) {
  T value = 77;
  std::int64_t consumed = 77;
  const Status status =
      (l->*kWord)(l, text, length, static_cast<std::int32_t>(options), &value, &consumed);
  return Parsed{status, consumed, static_cast<std::uint64_t>(value)};
}

using Parser = Parsed (*)(LocaleHandle*, const ZQChar*, std::int64_t, std::uint32_t);
constexpr Parser kIntfast = parseAs<std::int32_t, &LocaleHandle::zqnlsLocaleBufferToIntfast>;
constexpr Parser kIntmax = parseAs<std::int64_t, &LocaleHandle::zqnlsLocaleBufferToIntmax>;
constexpr Parser kUintfast = parseAs<std::uint32_t, &LocaleHandle::zqnlsLocaleBufferToUintfast>;
constexpr Parser kUintmax = parseAs<std::uint64_t, &LocaleHandle::zqnlsLocaleBufferToUintmax>;
constexpr Parser kInt = parseAs<std::int32_t, &LocaleHandle::zqnlsLocaleBufferToInt>;
constexpr Parser kLong = parseAs<std::int64_t, &LocaleHandle::zqnlsLocaleBufferToLong>;

struct Row {
  Parser parser;
  std::u32string input;
  std::uint32_t options;
  Parsed expected;
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
    return row.parser(l, units(row.input), static_cast<std::int64_t>(row.input.size()),
                      row.options);
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

// Rows beyond the cases the conformance and sanity suites check.
TEST_F(IntegerParseTest, BlanksSignsStrayCharactersAndHexadecimal) {
  expectRows(U"en_US", {
      {kIntfast, U"-0", 0, {ZQ_OK, 2, 0}},
      {kIntfast, U"12a", 0, {kBad, 2, 12}},
      {kIntfast, U"  x", 0, {kBad, 0, 0}},
      {kIntfast, U"+-5", 0, {kBad, 0, 0}},
      {kIntfast, U"1,234", 0, {kBad, 1, 1}},
      {kIntfast, U"\u00A012", 0, {kBad, 0, 0}},
      {kUintmax, U"0X1f", kHex, {ZQ_OK, 4, 31}},
      {kUintmax, U"0x", kHex, {kBad, 1, 0}},
      {kUintmax, U"x12", kHex, {kBad, 0, 0}},
      {kUintmax, U"10000000000000000", kHex, {kOverflow, 17, 0}},
      {kIntfast, U"80000000", kHex, {kOverflow, 8, 0}},
      {kLong, U"7FFFFFFFFFFFFFFF", kHex, {ZQ_OK, 16, INT64_MAX}},
      {kLong, U"8000000000000000", kHex, {kOverflow, 16, 0}},
      {kIntmax, U"-8000000000000000", kHex, {ZQ_OK, 17, bits(INT64_MIN)}},
      {kUintfast, U"ff.8", kHex, {kBad, 2, 255}},
  });
}

TEST_F(IntegerParseTest, DecimalPartIsDroppedOnlyOnRequest) {
  expectRows(U"en_US", {
      {kIntfast, U"123.45x", kIgnoreDecimal, {kBad, 6, 123}},
      {kIntfast, U"123.5 ", kIgnoreDecimal, {kTruncate, 5, 123}},
      {kIntfast, U"123.5 7", kIgnoreDecimal | kNoSpace, {kBad, 6, 123}},
      {kIntfast, U"123.4.5", kIgnoreDecimal, {kBad, 5, 123}},
      {kIntfast, U"99999999999.0", kIgnoreDecimal, {kOverflow, 13, 0}},
      {kIntfast, U".5", kIgnoreDecimal, {kBad, 0, 0}},
  });
  // A comma-decimal locale: the point is just a stray character there.
  expectRows(U"de_DE", {
      {kIntfast, U"1234.", 0, {kBad, 4, 1234}},
      {kInt, U"123.01", kIgnoreDecimal, {kBad, 3, 123}},
  });
}

TEST_F(IntegerParseTest, SpaceGroupingInBlankGroupingLocales) {
  expectRows(U"cs_CZ", {
      {kLong, U"1 234\u00A0567", kSpaceGroups, {ZQ_OK, 9, 1234567}},
      {kInt, U"123  456", kSpaceGroups, {ZQ_OK, 4, 123}},
      {kInt, U"123  456", kSpaceGroups | kNoSpace, {kBad, 5, 123}},
      {kInt, U"-2 147 483 648", kSpaceGroups, {ZQ_OK, 14, bits(INT32_MIN)}},
      {kInt, U"123 456,7", kSpaceGroups | kIgnoreDecimal, {kTruncate, 9, 123456}},
      {kInt, U"123\u00A0456", 0, {kBad, 3, 123}},
  });
  // In a locale that groups with a comma the option changes nothing.
  expectRows(U"en_US", {{kInt, U"123\u00A0456", kSpaceGroups, {kBad, 3, 123}}});
}

TEST_F(IntegerParseTest, AMebibyteOfDigitsIsReadInOnePass) {
  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  constexpr std::int64_t kLength = std::int64_t{1} << 20;
  std::u32string ones(kLength, U'1');
  EXPECT_EQ(parseRow(l, {kUintmax, ones, 0, {}}), (Parsed{kOverflow, kLength, 0}));
  std::u32string zeros(kLength, U'0');
  zeros += U"42";
  EXPECT_EQ(parseRow(l, {kIntmax, zeros, 0, {}}), (Parsed{ZQ_OK, kLength + 2, 42}));
}

}  // namespace
}  // namespace zq::testing
