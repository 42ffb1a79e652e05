// The 52 benchmark cases of zqvnlePerf, with their expected results.
//
// Every expected result follows from the host's locale data and its formatting rules:
//
// Tests 1-12 parse and 13-24 write 908123 as the 8-bit text "908123", once in UTF-8
// (encoding 20) and once in the locale's own encoding: en_US 28, fr_FR 60, pl_PL 29,
// ja_JP 138, ar_SY 34, zh_CN 125. Each of those writes the six digits as their ASCII
// bytes. Writing uses "%g" (options 0) at precision 0, which means six significant
// digits: exactly the six digits, with no point and no grouping, in a field and a
// capacity of six.
//
// Tests 25-31 write 17 September 2001 in each locale's short (style 0) pattern:
// "MM/dd/yyyy" in en_US, "dd/MM/yyyy" in fr_FR, ar_SD and he_IL, "dd.MM.yyyy" in
// pl_PL, "yyyy/MM/dd" in ja_JP, and "yyyy-_M-_d" in zh_CN, whose month below 10 is a
// blank and its digit ("2001- 9-17"). Each text is ten units.
//
// Tests 32-45 write 1234.56 as currency at width 10 and precision 2: two decimals of
// 1234.55999999999994543..., which round to .56, grouped by threes, or with option 1
// the whole units 1234 alone. The symbols: en_US "$" and zh_CN U+00A5 before the
// number, ja_JP U+FFE5 before it (the given precision 2 overrides the yen's 0 minor
// digits); fr_FR U+20AC, pl_PL "zł", ar_SD "ج.س." and he_IL U+20AA after it with a
// no-break space. fr_FR and pl_PL write a decimal comma and a no-break space between
// groups. Texts shorter than 10 units get blanks in front: " $1,234.56" and
// "    $1,234"; pl_PL's "1 234,56 zł" (11 units) and ar_SD's "1,234.56 ج.س." (13)
// run past the width unpadded.
//
// Tests 46-52 write 6543.21 at width 10 and precision 2 with options 0, "%g": two
// significant digits, and an exponent of 3, not below the precision, asks for E
// notation, "6.5e+03" (6.543 rounds to 6.5), with three blanks in front; fr_FR and
// pl_PL write the decimal comma.
//
// Tests 25-52 name encoding 20 and pass the capacity of the suite's 100-unit buffer.
#include "suites/perf/perf_table.h"

#include <array>

namespace zq::perf {
namespace {

constexpr std::int32_t kDefaultIterations = 10000;
constexpr std::uint64_t kOutputCapacity = 100;

template <class Char>
constexpr std::uint64_t textLength(const Char* text) {
  std::uint64_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

template <class Char, std::size_t N>
constexpr void copyText(Char (&to)[N], const Char* from) {
  for (std::uint64_t i = 0; i < textLength(from) && i < N - 1; ++i) to[i] = from[i];
}

constexpr PerfCase row(Routine routine, const char32_t* locale, std::int32_t encoding,
                       const char32_t* description) {
  PerfCase c{};
  c.default_iterations = kDefaultIterations;
  c.routine = routine;
  copyText(c.locale, locale);
  c.locale_length = 5;
  c.encoding = encoding;
  copyText(c.description, description);
  return c;
}

// Routines 1 and 2: 908123 and its text.
constexpr PerfCase digitsRow(Routine routine, const char32_t* locale, std::int32_t encoding) {
  PerfCase c = row(routine, locale, encoding,
                   routine == Routine::kStringToDouble ? U"Double value of 908123"
                                                       : U"String value of 908123");
  copyText(c.text, "908123");
  c.text_length = 6;
  c.value = 908123.0;
  if (routine == Routine::kStringToDouble) {
    c.expected_length = 6;
    return c;
  }
  c.width = 6;
  c.precision = 0;
  return c;
}

// Routines 3-5: a ZQChar result in the 100-unit buffer.
constexpr PerfCase textRow(Routine routine, const char32_t* locale, std::int32_t options,
                           const char32_t* expected, const char32_t* description) {
  PerfCase c = row(routine, locale, 20, description);
  copyText(c.expected, expected);
  c.expected_length = textLength(expected);
  c.capacity = kOutputCapacity;
  c.options = options;
  return c;
}

constexpr PerfCase dateRow(const char32_t* locale, const char32_t* expected) {
  PerfCase c = textRow(Routine::kDateFormat, locale, 0, expected,
                       U"Short date of September 17, 2001");
  c.month = 9;
  c.day = 17;
  c.year = 2001;
  return c;
}

constexpr PerfCase currencyRow(const char32_t* locale, std::int32_t options,
                               const char32_t* expected, const char32_t* description) {
  PerfCase c = textRow(Routine::kCurrencyFormat, locale, options, expected, description);
  c.value = 1234.56;
  c.width = 10;
  c.precision = 2;
  return c;
}

constexpr PerfCase doubleRow(const char32_t* locale, const char32_t* expected) {
  PerfCase c = textRow(Routine::kDoubleFormat, locale, 0, expected, U"Double Format of 6543.21");
  c.value = 6543.21;
  c.width = 10;
  c.precision = 2;
  return c;
}

constexpr Routine kParse = Routine::kStringToDouble;
constexpr Routine kWrite = Routine::kStringFromDouble;
constexpr const char32_t* kAmount = U"Currency Format of 1234.56";
constexpr const char32_t* kWholeAmount = U"Currency Format of 1234.56 with Integer option";

constexpr std::array<PerfCase, 52> kCases{{
    digitsRow(kParse, U"en_US", 20),
    digitsRow(kParse, U"en_US", 28),
    digitsRow(kParse, U"fr_FR", 20),
    digitsRow(kParse, U"fr_FR", 60),
    digitsRow(kParse, U"pl_PL", 20),
    digitsRow(kParse, U"pl_PL", 29),
    digitsRow(kParse, U"ja_JP", 20),
    digitsRow(kParse, U"ja_JP", 138),
    digitsRow(kParse, U"ar_SY", 20),
    digitsRow(kParse, U"ar_SY", 34),
    digitsRow(kParse, U"zh_CN", 20),
    digitsRow(kParse, U"zh_CN", 125),
    digitsRow(kWrite, U"en_US", 20),
    digitsRow(kWrite, U"en_US", 28),
    digitsRow(kWrite, U"fr_FR", 20),
    digitsRow(kWrite, U"fr_FR", 60),
    digitsRow(kWrite, U"pl_PL", 20),
    digitsRow(kWrite, U"pl_PL", 29),
    digitsRow(kWrite, U"ja_JP", 20),
    digitsRow(kWrite, U"ja_JP", 138),
    digitsRow(kWrite, U"ar_SY", 20),
    digitsRow(kWrite, U"ar_SY", 34),
    digitsRow(kWrite, U"zh_CN", 20),
    digitsRow(kWrite, U"zh_CN", 125),
    dateRow(U"en_US", U"09/17/2001"),
    dateRow(U"fr_FR", U"17/09/2001"),
    dateRow(U"pl_PL", U"17.09.2001"),
    dateRow(U"ja_JP", U"2001/09/17"),
    dateRow(U"ar_SD", U"17/09/2001"),
    dateRow(U"zh_CN", U"2001- 9-17"),
    dateRow(U"he_IL", U"17/09/2001"),
    currencyRow(U"en_US", 0, U" $1,234.56", U"Currency Format of $1,234.56"),
    currencyRow(U"en_US", 1, U"    $1,234", U"Currency Format of $1,234.56 with Integer option"),
    currencyRow(U"fr_FR", 0, U"1\u00A0234,56\u00A0\u20AC", kAmount),
    currencyRow(U"fr_FR", 1, U"   1\u00A0234\u00A0\u20AC", kWholeAmount),
    currencyRow(U"pl_PL", 0, U"1\u00A0234,56\u00A0z\u0142", kAmount),
    currencyRow(U"pl_PL", 1, U"  1\u00A0234\u00A0z\u0142", kWholeAmount),
    currencyRow(U"ja_JP", 0, U" \uFFE51,234.56", kAmount),
    currencyRow(U"ja_JP", 1, U"    \uFFE51,234", kWholeAmount),
    currencyRow(U"ar_SD", 0, U"1,234.56\u00A0\u062C.\u0633.", kAmount),
    currencyRow(U"ar_SD", 1, U"1,234\u00A0\u062C.\u0633.", kWholeAmount),
    currencyRow(U"zh_CN", 0, U" \u00A51,234.56", kAmount),
    currencyRow(U"zh_CN", 1, U"    \u00A51,234", kWholeAmount),
    currencyRow(U"he_IL", 0, U"1,234.56\u00A0\u20AA", kAmount),
    currencyRow(U"he_IL", 1, U"   1,234\u00A0\u20AA", kWholeAmount),
    doubleRow(U"en_US", U"   6.5e+03"),
    doubleRow(U"fr_FR", U"   6,5e+03"),
    doubleRow(U"pl_PL", U"   6,5e+03"),
    doubleRow(U"ja_JP", U"   6.5e+03"),
    doubleRow(U"ar_SD", U"   6.5e+03"),
    doubleRow(U"zh_CN", U"   6.5e+03"),
    doubleRow(U"he_IL", U"   6.5e+03"),
}};

}  // namespace

std::span<const PerfCase> perfCases() { return kCases; }

}  // namespace zq::perf
