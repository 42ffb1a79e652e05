// Double parsing through the locale handle's words 50 and 91.
#include <bit>
#include <charconv>
#include <random>
#include <string>
#include <tuple>

#include "nls_support.h"

namespace zq::testing {
namespace {

constexpr std::uint64_t kMiss = kMissingBits;
constexpr std::int64_t kWhole = -1;                  // a row's text is consumed whole
constexpr Status kBad = ZQ_NLS_BAD_NUM;
constexpr Status kOver = ZQ_NLS_OVERFLOW;
constexpr Status kUnder = ZQ_NLS_UNDERFLOW;

// Status, units consumed and the bits of the value; a row gives its text first.
using Parsed = std::tuple<Status, std::int64_t, std::uint64_t>;
using Row = std::tuple<std::u32string, Status, std::int64_t, std::uint64_t>;
constexpr std::uint64_t of(double value) { return std::bit_cast<std::uint64_t>(value); }

class DoubleParseTest : public NlsTest {
 protected:
  // Parses each text with word 91, followed by a guard digit that would change any
  // result it reached (an empty text as a null pointer).
  void expectRows(const char32_t* name, std::int32_t options, std::initializer_list<Row> rows) {
    LocaleHandle* l = locale(name);
    for (const auto& [text, status, consumed, bits] : rows) {
      const std::u32string guarded = text + U'7';
      const auto length = static_cast<std::int64_t>(text.size());
      double value = 1.0;
      std::int64_t used = -1;
      const Status got = l->zqnlsLocaleBufferToDoubleWithOpts(
          l, text.empty() ? nullptr : units(guarded), length, options, &value, &used);
      EXPECT_EQ(Parsed(got, used, of(value)),
                Parsed(status, consumed == kWhole ? length : consumed, bits))
          << readable(name) << " \"" << readable(text.substr(0, 30)) << "\" " << options;
    }
  }
};

TEST_F(DoubleParseTest, RulesHardValuesLongTextsAndRefusals) {
  const std::u32string zeros(1 << 20, U'0'), nines(1 << 20, U'9');
  expectRows(U"en_US", 0, {
      {U"", ZQ_OK, 0, kMiss}, {U"  ", ZQ_OK, 2, kMiss}, {U" .a ", ZQ_OK, 3, 0xFFFFFD0000000000},
      {U"._", ZQ_OK, 2, 0xFFFFFF0000000000}, {U".z", ZQ_OK, 2, 0xFFFFE40000000000},
      {U"-.a", kBad, 2, kMiss}, {U"  x", kBad, 2, kMiss}, {U"+5.  ", ZQ_OK, 3, of(5.0)},
      {U"1,2,3", ZQ_OK, 5, of(123.0)}, {U"12,", ZQ_OK, 3, of(12.0)}, {U"12,.5", kBad, 3, kMiss},
      {U"1e+", kBad, 3, kMiss}, {U"1E-2x", kBad, 4, kMiss}, {U"-0.0e999", ZQ_OK, 8, of(-0.0)},
      {U"1e999x", kOver, 5, kMiss}, {U"-1e-320", kUnder, 7, kMiss},
      {U"2.2250738585072011e-308", kUnder, 23, kMiss},
      {U"2.2250738585072012e-308", ZQ_OK, 23, 0x0010000000000000},
      {U"1.7976931348623158e308", ZQ_OK, 22, 0x7FEFFFFFFFFFFFFF},
      {U"1.7976931348623159e308", kOver, 22, kMiss},
      {U"7.20575940379e-308", ZQ_OK, 18, 0x0029E851294BAEBC},
      {U"8e-301", ZQ_OK, 6, 0x01A124E63593F5E1},
      // A mebibyte of digits: position and exponent bookkeeping, and digits past the
      // kept ones, which decide a rounding only as zero or not.
      {U"1" + zeros + U"e-1048576", ZQ_OK, kWhole, of(1.0)},
      {U"0." + zeros + U"1e1048577", ZQ_OK, kWhole, of(1.0)},
      {U"9007199254740993." + zeros + U"1", ZQ_OK, kWhole, of(9007199254740994.0)},
      {U"9007199254740993" + zeros + U"e-1048576", ZQ_OK, kWhole, of(9007199254740992.0)},
      {U"1e-" + nines, kUnder, kWhole, kMiss}, {nines, kOver, kWhole, kMiss},
      {U"1e18446744073709551617", kOver, kWhole, kMiss}});
  expectRows(U"en_US", LOCALE_CVT_SPACEGROUPING, {{U"1 234", kBad, 1, kMiss}});
  expectRows(U"fr_FR", 0, {{U".a", ZQ_OK, 2, 0xFFFFFD0000000000}, {U"1 234,5", kBad, 1, kMiss},
                           {U"\u00A01", kBad, 0, kMiss}, {U"123\u00A0", ZQ_OK, 4, of(123.0)}});
  expectRows(U"fr_FR", LOCALE_CVT_SPACEGROUPING,
             {{U"1 234,5", ZQ_OK, 7, of(1234.5)}, {U"123 e1", kBad, 4, kMiss}});
  expectRows(U"fr_FR", 0x12D687, {{U"1 2", ZQ_OK, 3, of(12.0)}, {U"0x1F", kBad, 1, kMiss}});
  expectRows(U"de_DE", 0, {{U"1.234,5e1", ZQ_OK, 9, of(12345.0)}, {U".5", kBad, 0, kMiss}});
}

// Texts at the limits of the one-division shortcut (significands either side of 2^53,
// and 2^64, whose 20th digit wraps an integer read to 0, with 0 to 23 decimals), then
// random short texts of digits, signs, blanks and separators that end with a digit or
// the decimal separator, read alike with and without "e0" after them, which only the
// general path reads.
TEST_F(DoubleParseTest, TextsReadAlikeWithAnExponentOfZero) {
  const std::u32string alphabet = std::u32string(U"0123456789 -+.,") + kNbsp;
  const std::pair<const char32_t*, char32_t> kStyles[] = {
      {U"en_US", U'.'}, {U"fr_FR", U','}, {U"de_DE", U','}};
  std::vector<std::u32string> limits;
  for (const std::u32string digits :
       {U"9007199254740991", U"9007199254740993", U"18446744073709551616"}) {
    // The point after digit i, or after "0" and zeros before every digit.
    for (std::size_t i = 1; i <= digits.size() + 8; ++i) {
      limits.push_back(i <= digits.size()
                           ? digits.substr(0, i) + U"." + digits.substr(i)
                           : U"0." + std::u32string(i - digits.size() - 1, U'0') + digits);
    }
  }
  std::mt19937_64 random(9);
  for (const auto& [name, point] : kStyles) {
    LocaleHandle* l = locale(name);
    const auto parse = [l](const std::u32string& text, std::int32_t options) {
      double value = 0;
      std::int64_t used = 0;
      const Status status = l->zqnlsLocaleBufferToDoubleWithOpts(
          l, units(text), static_cast<std::int64_t>(text.size()), options, &value, &used);
      return Parsed(status, used, of(value));
    };
    for (std::size_t i = 0; i < 20000; ++i) {
      std::u32string text = i < limits.size() ? limits[i] : U"";
      std::replace(text.begin(), text.end(), U'.', point);
      for (auto n = text.empty() ? 1 + random() % 12 : 0; n-- > 0;) {
        text += alphabet[random() % alphabet.size()];
      }
      if (text.find_first_of(U"0123456789") == std::u32string::npos) continue;
      if ((text.back() < U'0' || text.back() > U'9') && text.back() != point) continue;
      const auto options = static_cast<std::int32_t>(random() % 2 * LOCALE_CVT_SPACEGROUPING);
      auto [status, used, bits] = parse(text + U"e0", options);
      if (status == ZQ_OK) used -= 2;
      EXPECT_EQ(parse(text, options), Parsed(status, used, bits))
          << readable(name) << " \"" << readable(text) << "\" " << options;
    }
  }
}

}  // namespace
}  // namespace zq::testing
