// Integer and pointer formatting through the locale handle's words 40-44.
#include <charconv>
#include <climits>
#include <random>

#include "host/nls/integer_format.h"
#include "nls_support.h"

namespace zq::testing {
namespace {

enum class Op { Intfast, Intmax, Uintfast, Uintmax };

constexpr std::uint32_t kHexPrefixed = LOCALE_NFMT_HEX | LOCALE_NFMT_HEXPREFIX;
constexpr std::uint32_t kOctalPrefixed = LOCALE_NFMT_OCTAL | LOCALE_NFMT_OCTALPREFIX;

// Calls the operation `op` with `value` (two's-complement bits for the signed ones).
Status callFormat(LocaleHandle* l, Op op, std::uint64_t value, std::int32_t width,
                  std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                  std::int64_t capacity, std::int64_t* length) {
  const auto o = static_cast<std::int32_t>(options);
  switch (op) {
    case Op::Intfast:
      return l->zqnlsLocaleIntfastFormat(l, static_cast<std::int32_t>(value), width, precision,
                                         o, buffer, capacity, length);
    case Op::Intmax:
      return l->zqnlsLocaleIntmaxFormat(l, static_cast<std::int64_t>(value), width, precision, o,
                                        buffer, capacity, length);
    case Op::Uintfast:
      return l->zqnlsLocaleUintfastFormat(l, static_cast<std::uint32_t>(value), width, precision,
                                          o, buffer, capacity, length);
    case Op::Uintmax:
      return l->zqnlsLocaleUintmaxFormat(l, value, width, precision, o, buffer, capacity,
                                         length);
  }
  return ZQ_NLS_INVALID_VALUE;
}

std::uint64_t bits(std::int64_t value) { return static_cast<std::uint64_t>(value); }

struct Row {
  Op op;
  std::uint64_t value;
  std::int32_t width;
  std::int32_t precision;
  std::uint32_t options;
  std::u32string expected;  // en_US; ',' stands for the locale's group separator
};

class IntegerFormatTest : public NlsTest {
 protected:
  void SetUp() override {
    NlsTest::SetUp();
    en_ = locale(U"en_US");
    ASSERT_NE(en_, nullptr);
  }
  Formatted format(LocaleHandle* l, const Row& r, std::int64_t capacity = 100) {
    return formatGuarded(capacity, [&](ZQChar* b, std::int64_t c, std::int64_t* n) {
      return callFormat(l, r.op, r.value, r.width, r.precision, r.options, b, c, n);
    });
  }
  Formatted pointer(std::uint64_t p, std::int32_t width, std::uint32_t options,
                    std::int64_t capacity = 100) {
    return formatGuarded(capacity, [&](ZQChar* b, std::int64_t c, std::int64_t* n) {
      return en_->zqnlsLocalePointerFormat(en_, p, width, static_cast<std::int32_t>(options), b,
                                           c, n);
    });
  }
  LocaleHandle* en_ = nullptr;
};

// Rows whose texts show how the flags combine; each was worked out from the flag
// rules, not from the program.
const Row kRows[] = {
    {Op::Intfast, 246, 6, 0, LOCALE_NFMT_PADWITHZERO, U"000246"},
    {Op::Intfast, bits(-369), 6, 2, LOCALE_NFMT_ADDSIGN, U"  -369"},
    {Op::Intfast, bits(-2147483647), 12, 2, 0x30000, U"-2,147,483,647"},
    {Op::Intfast, 2147483647, 12, 2, 0x230000, U"+2,147,483,647"},
    {Op::Intfast, 2147483647, 12, 4, 0x260000, U" 2,147,483,647"},
    {Op::Intfast, bits(-2147483647), 14, 0, 0x220000, U"-2,147,483,647"},
    {Op::Intfast, bits(-2147483647), 14, 16, LOCALE_NFMT_GROUP, U"-0002,147,483,647"},
    {Op::Intfast, 0, 1, 1, LOCALE_NFMT_GROUP, U"0"},
    {Op::Intfast, 12345678, 1, -5, LOCALE_NFMT_GROUP, U"12,345,678"},
    {Op::Intfast, bits(INT32_MIN), 12, 2, 0x30000, U"-2,147,483,648"},
    {Op::Intmax, 2468, 6, 2, LOCALE_NFMT_LEFTJUSTIFY, U"2468  "},
    {Op::Intmax, bits(-9223372036854775807), 14, 20, 0x220000, U"-9,223,372,036,854,775,807"},
    {Op::Intmax, bits(-9223372036854775807), 14, 32, LOCALE_NFMT_GROUP,
     U"-00000009,223,372,036,854,775,807"},
    {Op::Uintfast, 246, 5, 3, 0x1000200, U" 0366"},
    {Op::Uintfast, 1234, 12, 2, 0x1020200, U"       02322"},
    {Op::Uintfast, 4294967295, 12, 2, 0x820080, U"  0xffffffff"},
    {Op::Uintfast, 4294967295, 12, 2, 0x60100, U"FFFFFFFF    "},
    {Op::Uintfast, 177777777, 14, 0, 0x220200, U"    1246126161"},
    {Op::Uintmax, 246, 6, 2, LOCALE_NFMT_ADDSIGN, U"   246"},
    {Op::Uintmax, 0, 12, 2, 0x30000, U"          00"},
    {Op::Uintmax, UINT64_MAX, 14, 0, LOCALE_NFMT_SPACEPREFIX, U"18446744073709551615"},
    {Op::Uintmax, UINT64_MAX, 14, 32, LOCALE_NFMT_GROUP, U"00000018,446,744,073,709,551,615"},
    // Signs alone and together.
    {Op::Intfast, 42, 0, 0, LOCALE_NFMT_ADDSIGN, U"+42"},
    {Op::Intfast, 42, 0, 0, LOCALE_NFMT_SPACEPREFIX, U" 42"},
    {Op::Intmax, 42, 0, 0, LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_SPACEPREFIX, U"+42"},
    {Op::Uintfast, 246, 6, 0, LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_SPACEPREFIX, U"   246"},
    // Justification and zero fill, with and without a sign.
    {Op::Intfast, 42, 6, 0, LOCALE_NFMT_LEFTJUSTIFY, U"42    "},
    {Op::Intfast, bits(-42), 6, 0, LOCALE_NFMT_LEFTJUSTIFY | LOCALE_NFMT_ADDSIGN, U"-42   "},
    {Op::Intfast, bits(-42), 6, 0, LOCALE_NFMT_PADWITHZERO, U"-00042"},
    {Op::Intfast, 42, 6, 0, LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_ADDSIGN, U"+00042"},
    {Op::Intfast, 42, 6, 0, LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_SPACEPREFIX, U" 00042"},
    {Op::Intfast, 42, 6, 0, LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_LEFTJUSTIFY, U"42    "},
    {Op::Intfast, 1234567, 12, 0, LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_GROUP, U"0001,234,567"},
    // Precision: zeros in front of the digit string, separators counted.
    {Op::Intfast, bits(-5), 0, 3, 0, U"-005"},
    {Op::Intfast, 0, 0, 0, 0, U"0"},
    {Op::Intfast, 0, 0, 3, 0, U"000"},
    {Op::Intfast, 1234, 0, 5, LOCALE_NFMT_GROUP, U"1,234"},
    {Op::Intfast, 1234, 0, 6, LOCALE_NFMT_GROUP, U"01,234"},
    {Op::Uintmax, 1000, 0, -5, LOCALE_NFMT_GROUP, U"1,000"},
    // Group boundaries and the extremes.
    {Op::Intfast, bits(-1000), 0, 0, LOCALE_NFMT_GROUP, U"-1,000"},
    {Op::Intmax, bits(INT64_MIN), 0, 0, LOCALE_NFMT_GROUP, U"-9,223,372,036,854,775,808"},
    {Op::Uintmax, UINT64_MAX, 0, 0, LOCALE_NFMT_GROUP, U"18,446,744,073,709,551,615"},
    // UNSIGNED reads a signed operation's bits as unsigned.
    {Op::Intfast, bits(-1), 0, 0, LOCALE_NFMT_UNSIGNED | LOCALE_NFMT_GROUP, U"4,294,967,295"},
    {Op::Intfast, bits(-1), 0, 0, LOCALE_NFMT_UNSIGNED | LOCALE_NFMT_ADDSIGN, U"4294967295"},
    {Op::Intmax, bits(-1), 0, 0, LOCALE_NFMT_UNSIGNED, U"18446744073709551615"},
    // Hexadecimal: case, prefix, no sign, no grouping, fill after the prefix.
    {Op::Intfast, bits(-1), 0, 0, kHexPrefixed | LOCALE_NFMT_ADDSIGN, U"0xffffffff"},
    {Op::Intmax, bits(-2), 0, 0, LOCALE_NFMT_HEXBIG, U"FFFFFFFFFFFFFFFE"},
    {Op::Uintfast, 255, 0, 0, LOCALE_NFMT_HEX, U"ff"},
    {Op::Uintfast, 255, 0, 0, LOCALE_NFMT_HEXBIG | LOCALE_NFMT_HEXPREFIX, U"0xFF"},
    {Op::Uintfast, 0x12345678, 0, 0, LOCALE_NFMT_HEXBIG | LOCALE_NFMT_GROUP, U"12345678"},
    {Op::Uintfast, 0, 0, 0, kHexPrefixed, U"0x0"},
    {Op::Uintfast, 255, 8, 0, kHexPrefixed | LOCALE_NFMT_PADWITHZERO, U"0x0000ff"},
    {Op::Uintfast, 255, 8, 4, kHexPrefixed, U"  0x00ff"},
    // Octal: the "0" prefix only where the text does not already start with 0.
    {Op::Uintfast, 8, 0, 0, LOCALE_NFMT_OCTAL, U"10"},
    {Op::Uintfast, 8, 0, 0, kOctalPrefixed, U"010"},
    {Op::Uintfast, 0, 0, 0, kOctalPrefixed, U"0"},
    {Op::Uintfast, 8, 0, 4, kOctalPrefixed, U"0010"},
    {Op::Uintfast, 8, 6, 0, kOctalPrefixed | LOCALE_NFMT_PADWITHZERO, U"000010"},
    {Op::Uintfast, 8, 6, 0, kOctalPrefixed | LOCALE_NFMT_LEFTJUSTIFY, U"010   "},
    {Op::Intfast, bits(-1), 0, 0, LOCALE_NFMT_OCTAL | LOCALE_NFMT_SPACEPREFIX, U"37777777777"},
    {Op::Uintmax, UINT64_MAX, 0, 0, LOCALE_NFMT_OCTAL, U"1777777777777777777777"},
    {Op::Uintfast, 8, 0, 0, LOCALE_NFMT_OCTAL | LOCALE_NFMT_HEXBIG, U"8"},
};

TEST_F(IntegerFormatTest, FlagsCombineAsDocumented) {
  for (const Row& row : kRows) {
    EXPECT_EQ(format(en_, row), ok(row.expected))
        << "value " << row.value << " options 0x" << std::hex << row.options;
  }
}

TEST_F(IntegerFormatTest, GroupSeparatorComesFromTheLocale) {
  // The separator each locale writes between groups, as its users expect it.
  const std::pair<const char32_t*, char32_t> kLocales[] = {
      {U"en_US", U','}, {U"zh_CN", U','}, {U"zh_TW", U','}, {U"he_IL", U','}, {U"ja_JP", U','},
      {U"ko_KR", U','}, {U"es_MX", U','}, {U"ar_SY", U','}, {U"ar_SD", U','}, {U"nl_NL", U'.'},
      {U"de_DE", U'.'}, {U"it_IT", U'.'}, {U"es_ES", U'.'}, {U"cs_CZ", kNbsp}, {U"fr_FR", kNbsp},
      {U"hu_HU", kNbsp}, {U"pl_PL", kNbsp}, {U"ru_RU", kNbsp}, {U"sk_SK", kNbsp},
      {U"sv_SE", kNbsp}, {U"kk_KZ", kNbsp}};
  for (const auto& [name, separator] : kLocales) {
    LocaleHandle* l = locale(name);
    ASSERT_NE(l, nullptr);
    for (const Row& row : kRows) {
      std::u32string expected = row.expected;
      for (char32_t& c : expected) c = c == U',' ? separator : c;
      EXPECT_EQ(format(l, row), ok(expected)) << readable(name) << " " << readable(row.expected);
    }
  }
}

TEST_F(IntegerFormatTest, TruncationKeepsTheLeadingUnitsAtEveryCapacity) {
  const Row kTexts[] = {
      {Op::Intfast, bits(-2147483647), 14, 16, LOCALE_NFMT_GROUP, U"-0002,147,483,647"},
      {Op::Uintfast, 4294967295, 12, 2, 0x820080, U"  0xffffffff"},
      {Op::Intmax, 2468, 6, 2, LOCALE_NFMT_LEFTJUSTIFY, U"2468  "},
      {Op::Uintmax, UINT64_MAX, 0, 0, LOCALE_NFMT_GROUP, U"18,446,744,073,709,551,615"},
  };
  for (const Row& row : kTexts) {
    const auto full = static_cast<std::int64_t>(row.expected.size());
    for (std::int64_t capacity = 0; capacity <= full + 1; ++capacity) {
      const Formatted expected = capacity < full
                                     ? truncated(row.expected.substr(0, capacity))
                                     : ok(row.expected);
      EXPECT_EQ(format(en_, row, capacity), expected) << "capacity " << capacity;
    }
  }
  for (std::int64_t capacity = 0; capacity <= 4; ++capacity) {
    const Formatted expected = capacity < 3 ? truncated(std::u32string(U"NIL").substr(0, capacity))
                                            : ok(U"NIL");
    EXPECT_EQ(pointer(0, 10, 1, capacity), expected);
  }
}

TEST_F(IntegerFormatTest, HugeOrNegativeWidthAndPrecisionStayBounded) {
  const Row wide{Op::Intfast, 42, INT_MAX, 0, 0, U""};
  EXPECT_EQ(format(en_, wide, 72), truncated(std::u32string(72, U' ')));
  EXPECT_EQ(format(en_, wide, 0), truncated(U""));
  Row left = wide;
  left.options = LOCALE_NFMT_LEFTJUSTIFY;
  EXPECT_EQ(format(en_, left, 72), truncated(U"42" + std::u32string(70, U' ')));
  Row zero_filled = wide;
  zero_filled.options = LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_ADDSIGN;
  EXPECT_EQ(format(en_, zero_filled, 5), truncated(U"+0000"));
  const Row precise{Op::Intmax, bits(-42), 0, INT_MAX, LOCALE_NFMT_GROUP, U""};
  EXPECT_EQ(format(en_, precise, 72), truncated(U"-" + std::u32string(71, U'0')));
  EXPECT_EQ(pointer(0xDEF34, INT_MAX, 0, 10), truncated(U"          "));

  EXPECT_EQ(format(en_, {Op::Intfast, bits(-42), -10, 0, 0, U""}), ok(U"-42"));
  EXPECT_EQ(format(en_, {Op::Intfast, bits(-42), INT_MIN, INT_MIN, 0, U""}), ok(U"-42"));
  EXPECT_EQ(pointer(0xDEF34, -8, 0), ok(U"0xDEF34"));
}

TEST_F(IntegerFormatTest, UnusableOutputIsRefusedWithoutWriting) {
  std::int64_t length = 99;
  EXPECT_EQ(en_->zqnlsLocaleIntfastFormat(en_, 5, 0, 0, 0, nullptr, 0, &length),
            ZQ_NLS_FMT_TRUNCATE);
  EXPECT_EQ(length, 0);
  length = 99;
  EXPECT_EQ(en_->zqnlsLocaleUintmaxFormat(en_, 5, 0, 0, 0, nullptr, 3, &length),
            ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(length, 0);
  ZQChar unit = 7;
  EXPECT_EQ(en_->zqnlsLocaleIntmaxFormat(en_, 5, 0, 0, 0, &unit, -1, &length),
            ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(unit, 7u);
  EXPECT_EQ(en_->zqnlsLocalePointerFormat(en_, 0, 0, 0, nullptr, 2, &length),
            ZQ_NLS_INVALID_VALUE);
  // Without a place for the length the text is still written.
  EXPECT_EQ(en_->zqnlsLocaleIntfastFormat(en_, 5, 0, 0, 0, &unit, 1, nullptr), ZQ_OK);
  EXPECT_EQ(unit, U'5');
  EXPECT_EQ(en_->zqnlsLocaleIntfastFormat(nullptr, 5, 0, 0, 0, &unit, 1, &length),
            ZQ_NLS_INVALID_VALUE);
}

TEST_F(IntegerFormatTest, PointerIsNilOrUpperCaseHexadecimal) {
  EXPECT_EQ(pointer(0, 10, 1), ok(U"NIL"));
  EXPECT_EQ(pointer(0, 10, LOCALE_NFMT_LEFTJUSTIFY | LOCALE_NFMT_PADWITHZERO), ok(U"NIL"));
  EXPECT_EQ(pointer(0x37DFB84, 8, 3), ok(U"0x37DFB84"));
  EXPECT_EQ(pointer(0xDEF34, 8, 1), ok(U" 0xDEF34"));
  EXPECT_EQ(pointer(0xDEF34, 8, 3), ok(U" 0xDEF34"));
  EXPECT_EQ(pointer(UINT64_MAX, 8, 1), ok(U"0xFFFFFFFFFFFFFFFF"));
  EXPECT_EQ(pointer(0xDEF34, 10, LOCALE_NFMT_LEFTJUSTIFY), ok(U"0xDEF34   "));
  EXPECT_EQ(pointer(0xDEF34, 10, LOCALE_NFMT_PADWITHZERO), ok(U"0x000DEF34"));
  EXPECT_EQ(pointer(0xDEF34, 0, LOCALE_NFMT_GROUP | LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_HEX),
            ok(U"0xDEF34"));
}

// Group sizes other than three, which no locale row uses yet: a first group of
// three and then twos, and groups of four.
TEST(IntegerFormatEngine, GroupsOfOtherSizes) {
  const auto format = [](std::uint8_t primary, std::uint8_t secondary, std::uint64_t value,
                         std::int32_t precision) {
    const host::LocaleData row{"xx_XX", {'.', ',', primary, secondary, '-', '+'}};
    return formatGuarded(40, [&](ZQChar* b, std::int64_t c, std::int64_t* n) {
      return host::formatInteger(row, {value, 64, false}, 0, precision, LOCALE_NFMT_GROUP, b, c,
                                 n);
    });
  };
  EXPECT_EQ(format(3, 2, 123456789, 0), ok(U"12,34,56,789"));
  EXPECT_EQ(format(3, 2, 1000, 0), ok(U"1,000"));
  EXPECT_EQ(format(3, 2, 100000, 0), ok(U"1,00,000"));
  EXPECT_EQ(format(3, 2, 999, 0), ok(U"999"));
  EXPECT_EQ(format(4, 0, 123456789, 0), ok(U"1,2345,6789"));
  EXPECT_EQ(format(4, 0, 12345678, 12), ok(U"0001234,5678"));
  EXPECT_EQ(format(1, 0, UINT64_MAX, 0), ok(U"1,8,4,4,6,7,4,4,0,7,3,7,0,9,5,5,1,6,1,5"));
}

// Random values of every magnitude against std::to_chars, grouped here by threes.
std::u32string groupedReference(const char* first, const char* last, char32_t separator) {
  std::u32string out;
  if (*first == '-') out += *first++;
  for (const char* p = first; p != last; ++p) {
    if (p != first && (last - p) % 3 == 0) out += separator;
    out += static_cast<char32_t>(*p);
  }
  return out;
}

TEST_F(IntegerFormatTest, GroupedTextMatchesAnIndependentConversion) {
  std::mt19937_64 random(20240611);
  const std::pair<const char32_t*, char32_t> kStyles[] = {
      {U"en_US", U','}, {U"de_DE", U'.'}, {U"fr_FR", kNbsp}};
  for (const auto& [name, separator] : kStyles) {
    LocaleHandle* l = locale(name);
    ASSERT_NE(l, nullptr);
    for (int i = 0; i < 3000; ++i) {
      const std::uint64_t value = random() >> (random() % 64);
      const Op op = static_cast<Op>(i % 4);
      char digits[24] = {};
      char* end = nullptr;
      switch (op) {
        case Op::Intfast:
          end = std::to_chars(digits, digits + 24, static_cast<std::int32_t>(value)).ptr;
          break;
        case Op::Intmax:
          end = std::to_chars(digits, digits + 24, static_cast<std::int64_t>(value)).ptr;
          break;
        case Op::Uintfast:
          end = std::to_chars(digits, digits + 24, static_cast<std::uint32_t>(value)).ptr;
          break;
        case Op::Uintmax:
          end = std::to_chars(digits, digits + 24, value).ptr;
          break;
      }
      ASSERT_EQ(format(l, {op, value, 0, 0, LOCALE_NFMT_GROUP, U""}),
                ok(groupedReference(digits, end, separator)));
    }
  }
}

}  // namespace
}  // namespace zq::testing
