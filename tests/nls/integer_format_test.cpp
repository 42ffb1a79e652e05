// Integer and pointer formatting through the locale handle's words 40-44.
#include <climits>
#include <random>

#include "host/nls/integer_format.h"
#include "nls_support.h"

namespace zq::testing {
namespace {

constexpr std::uint32_t kHexPrefixed = LOCALE_NFMT_HEX | LOCALE_NFMT_HEXPREFIX;
constexpr std::uint32_t kOctalPrefixed = LOCALE_NFMT_OCTAL | LOCALE_NFMT_OCTALPREFIX;

// Calls the format word `kWord` with `value` cut to the operation's type T.
template <typename T, auto kWord>
Status callAs(LocaleHandle* l, std::uint64_t value, std::int32_t width, std::int32_t precision,
              std::uint32_t options, ZQChar* buffer, std::int64_t capacity, std::int64_t* length) {
  return (l->*kWord)(l, static_cast<T>(value), width, precision,
                     static_cast<std::int32_t>(options), buffer, capacity, length);
}

// One integer format operation, and the independent conversion of its values.
struct Op {
  Status (*call)(LocaleHandle*, std::uint64_t, std::int32_t, std::int32_t, std::uint32_t,
                 ZQChar*, std::int64_t, std::int64_t*);
  std::string (*reference)(std::uint64_t);
};
constexpr Op kIntfast{callAs<std::int32_t, &LocaleHandle::zqnlsLocaleIntfastFormat>,
                      referenceDigits<std::int32_t>};
constexpr Op kIntmax{callAs<std::int64_t, &LocaleHandle::zqnlsLocaleIntmaxFormat>,
                     referenceDigits<std::int64_t>};
constexpr Op kUintfast{callAs<std::uint32_t, &LocaleHandle::zqnlsLocaleUintfastFormat>,
                       referenceDigits<std::uint32_t>};
constexpr Op kUintmax{callAs<std::uint64_t, &LocaleHandle::zqnlsLocaleUintmaxFormat>,
                      referenceDigits<std::uint64_t>};

struct Row {
  Op op;
  std::uint64_t value;
  std::int32_t width;
  std::int32_t precision;
  std::uint32_t options;
  std::u32string expected;  // en_US
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
      return r.op.call(l, r.value, r.width, r.precision, r.options, b, c, n);
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

// Rows whose texts show how the flags combine, beyond the cases the conformance and
// sanity suites check; each was worked out from the flag rules, not from the program.
TEST_F(IntegerFormatTest, FlagsCombineAsDocumented) {
  const Row kRows[] = {
      // Justification and zero fill, with and without a sign.
      {kIntfast, bits(-42), 6, 0, LOCALE_NFMT_LEFTJUSTIFY | LOCALE_NFMT_ADDSIGN, U"-42   "},
      {kIntfast, bits(-42), 6, 0, LOCALE_NFMT_PADWITHZERO, U"-00042"},
      {kIntfast, 42, 6, 0, LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_SPACEPREFIX, U" 00042"},
      {kIntfast, 1234567, 12, 0, LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_GROUP, U"0001,234,567"},
      // UNSIGNED reads a signed operation's bits as unsigned.
      {kIntfast, bits(-1), 0, 0, LOCALE_NFMT_UNSIGNED | LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_GROUP,
       U"4,294,967,295"},
      {kIntmax, bits(-1), 0, 0, LOCALE_NFMT_UNSIGNED, U"18446744073709551615"},
      // Hexadecimal: case, prefix, no sign, fill after the prefix.
      {kIntfast, bits(-1), 0, 0, kHexPrefixed | LOCALE_NFMT_ADDSIGN, U"0xffffffff"},
      {kIntmax, bits(-2), 0, 0, LOCALE_NFMT_HEXBIG, U"FFFFFFFFFFFFFFFE"},
      {kUintfast, 255, 0, 0, LOCALE_NFMT_HEXBIG | LOCALE_NFMT_HEXPREFIX, U"0xFF"},
      {kUintfast, 255, 8, 0, kHexPrefixed | LOCALE_NFMT_PADWITHZERO, U"0x0000ff"},
      {kUintfast, 255, 8, 4, kHexPrefixed, U"  0x00ff"},
      // Octal: the "0" prefix only where the text does not already start with 0.
      {kUintfast, 8, 0, 0, kOctalPrefixed, U"010"},
      {kUintfast, 0, 0, 0, kOctalPrefixed, U"0"},
      {kUintfast, 8, 0, 4, kOctalPrefixed, U"0010"},
      {kUintfast, 8, 6, 0, kOctalPrefixed | LOCALE_NFMT_PADWITHZERO, U"000010"},
      {kIntfast, bits(-1), 0, 0, LOCALE_NFMT_OCTAL | LOCALE_NFMT_SPACEPREFIX, U"37777777777"},
      {kUintfast, 8, 0, 0, LOCALE_NFMT_OCTAL | LOCALE_NFMT_HEXBIG, U"8"},
  };
  for (const Row& row : kRows) {
    EXPECT_EQ(format(en_, row), ok(row.expected))
        << "value " << row.value << " options 0x" << std::hex << row.options;
  }
}

TEST_F(IntegerFormatTest, PointerIsNilOrUpperCaseHexadecimal) {
  EXPECT_EQ(pointer(0, 10, LOCALE_NFMT_LEFTJUSTIFY | LOCALE_NFMT_PADWITHZERO), ok(U"NIL"));
  EXPECT_EQ(pointer(0xDEF34, 10, LOCALE_NFMT_LEFTJUSTIFY), ok(U"0xDEF34   "));
  EXPECT_EQ(pointer(0xDEF34, 10, LOCALE_NFMT_PADWITHZERO), ok(U"0x000DEF34"));
  EXPECT_EQ(pointer(0xDEF34, 0, LOCALE_NFMT_GROUP | LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_HEX),
            ok(U"0xDEF34"));
}

// Random values of every magnitude, through every operation and every locale, grouped
// and plain, against std::to_chars grouped by threes with the locale's separator.
TEST_F(IntegerFormatTest, DecimalTextMatchesAnIndependentConversion) {
  const Op kOps[] = {kIntfast, kIntmax, kUintfast, kUintmax};
  std::mt19937_64 random(20240611);
  for (const host::LocaleData& row : host::allLocaleData()) {
    const std::u32string name(row.name, row.name + 5);
    LocaleHandle* l = locale(name.c_str());
    ASSERT_NE(l, nullptr) << row.name;
    for (int i = 0; i < 800; ++i) {
      const std::uint64_t value = random() >> (random() % 64);
      const Op& op = kOps[i % 4];
      const bool group = i % 8 < 4;
      const std::u32string expected =
          grouped(op.reference(value), group ? row.number.group_separator : 0);
      ASSERT_EQ(format(l, {op, value, 0, 0, group ? LOCALE_NFMT_GROUP : 0, U""}), ok(expected))
          << row.name;
    }
  }
}

}  // namespace
}  // namespace zq::testing
