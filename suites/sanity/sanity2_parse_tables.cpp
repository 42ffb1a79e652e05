// zqvnleSanity2's space-grouping vectors, and its buffer-to-double vectors.
//
// With LOCALE_CVT_SPACEGROUPING a blank or a no-break space (U+00A0) after a digit
// groups digits in the locales that group with a blank. Tests 1-11 try the integer
// parse in cs_CZ: either blank between groups, a trailing separator, several groups
// after a sign, a group-spanning overflow, the decimal comma after groups and alone, the
// option joined with NOEMBEDDEDSPACE and left out, a leading blank and a leading
// no-break space. Tests 12-66 parse "123" U+00A0 "456" with every parser in every
// blank-grouping locale: Int first in the six locales other than cs_CZ (its Int case
// is test 2), then each other parser in all seven. Tests 67-73 try the double parse in
// fr_FR: many groups and a long fraction, a stray U+00A1, overflow, underflow, the
// option left out, undefined option bits, and an empty input.
#include <array>
#include <cstdint>
#include <span>

#include "suites/sanity/locale_names.h"
#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_tables.h"

namespace zq::sanity {
namespace {

constexpr std::int32_t kGroup = static_cast<std::int32_t>(LOCALE_CVT_SPACEGROUPING);

// The locales whose grouping separator is a blank, cs_CZ first.
constexpr const ZQChar* kBlankGrouping[] = {kCsCz, kFrFr, kHuHu, kPlPl, kRuRu, kSkSk, kSvSe};

constexpr SpaceGroupingRecord input(ParseFunction function, std::int32_t options,
                                    const ZQChar* locale, const char32_t* text,
                                    std::uint64_t length) {
  SpaceGroupingRecord r{};
  r.function = static_cast<std::int32_t>(function);
  r.options = options;
  r.locale = locale;
  r.locale_length = kLocaleLength;
  std::uint64_t n = 0;
  for (; text[n] != 0; ++n) r.input[n] = static_cast<ZQChar>(text[n]);
  r.input_length = length <= kSpaceGroupingInputUnits ? length : throw "input beyond the field";
  return r;
}

// An integer vector: every integer field holds `value`.
constexpr SpaceGroupingRecord integerRow(ParseFunction function, std::int32_t options,
                                         const ZQChar* locale, const char32_t* text,
                                         std::uint64_t length, std::int64_t value,
                                         std::uint64_t consumed, Status status) {
  SpaceGroupingRecord r = input(function, options, locale, text, length);
  r.expected_int = static_cast<std::int32_t>(value);
  r.expected_uint = static_cast<std::uint32_t>(value);
  r.expected_long = value;
  r.expected_ulong = static_cast<std::uint64_t>(value);
  r.expected_double = static_cast<double>(value);
  r.expected_length = consumed;
  r.status = status;
  return r;
}

// A double vector in fr_FR; the value counts only with ZQ_OK.
constexpr SpaceGroupingRecord doubleRow(std::int32_t options, const char32_t* text,
                                        std::uint64_t length, double value,
                                        std::uint64_t consumed, Status status) {
  SpaceGroupingRecord r =
      input(ParseFunction::DoubleWithOpts, options, kFrFr, text, length);
  r.expected_double = value;
  r.expected_length = consumed;
  r.status = status;
  return r;
}

constexpr auto kInt = ParseFunction::Int;

constexpr SpaceGroupingRecord kCzechInt[] = {
    integerRow(kInt, kGroup, kCsCz, U"123 456", 7, 123456, 7, ZQ_OK),
    integerRow(kInt, kGroup, kCsCz, U"123\u00A0456", 7, 123456, 7, ZQ_OK),
    integerRow(kInt, kGroup, kCsCz, U"123 ", 4, 123, 4, ZQ_OK),
    integerRow(kInt, kGroup, kCsCz, U"-123 456 789", 12, -123456789, 12, ZQ_OK),
    integerRow(kInt, kGroup, kCsCz, U"2 147 483 648", 13, 0, 13, ZQ_NLS_OVERFLOW),
    integerRow(kInt, kGroup, kCsCz, U"123 456,7", 9, 123456, 7, ZQ_NLS_BAD_NUM),
    // The eighth unit passed is the field's zero padding.
    integerRow(kInt, kGroup, kCsCz, U"123,456", 8, 123, 3, ZQ_NLS_BAD_NUM),
    integerRow(kInt, kGroup | static_cast<std::int32_t>(LOCALE_CVT_NOEMBEDDEDSPACE), kCsCz,
               U"123 456", 7, 123456, 7, ZQ_OK),
    integerRow(kInt, 0, kCsCz, U"123 456", 7, 123, 3, ZQ_OK),
    integerRow(kInt, kGroup, kCsCz, U" 123", 4, 123, 4, ZQ_OK),
    integerRow(kInt, kGroup, kCsCz, U"\u00A0123", 4, 0, 0, ZQ_NLS_BAD_NUM),
};

constexpr SpaceGroupingRecord kFrenchDouble[] = {
    doubleRow(kGroup,
              U"123\u00A0456\u00A0789\u00A0012,12345678901234567890123456789", 45,
              123456789012.12346, 45, ZQ_OK),
    doubleRow(kGroup, U"123\u00A1456", 7, 0.0, 3, ZQ_NLS_BAD_NUM),
    doubleRow(kGroup, U"10E399", 6, 0.0, 6, ZQ_NLS_OVERFLOW),
    doubleRow(kGroup, U"10E-99999", 9, 0.0, 9, ZQ_NLS_UNDERFLOW),
    doubleRow(0, U"123\u00A0456", 7, 123456.0, 7, ZQ_OK),
    doubleRow(0x12D687, U"123\u00A0456", 7, 123456.0, 7, ZQ_OK),
    doubleRow(kGroup, U"", 0, 0.0, 0, ZQ_OK),
};

// The parsers after Int, in the order tests 18-66 run them.
constexpr ParseFunction kOtherParsers[] = {
    ParseFunction::Intmax,   ParseFunction::Long,    ParseFunction::Uintfast,
    ParseFunction::Uintmax,  ParseFunction::UInt,    ParseFunction::ULong,
    ParseFunction::DoubleWithOpts};

constexpr std::size_t kListSize = std::size(kCzechInt) + (std::size(kBlankGrouping) - 1) +
                                  std::size(kOtherParsers) * std::size(kBlankGrouping) +
                                  std::size(kFrenchDouble);

constexpr std::array<SpaceGroupingRecord, kListSize> buildList() {
  std::array<SpaceGroupingRecord, kListSize> list{};
  std::size_t next = 0;
  const auto grouped = [](ParseFunction function, const ZQChar* locale) {
    return integerRow(function, kGroup, locale, U"123\u00A0456", 7, 123456, 7, ZQ_OK);
  };
  for (const SpaceGroupingRecord& r : kCzechInt) list[next++] = r;
  for (std::size_t i = 1; i < std::size(kBlankGrouping); ++i) {
    list[next++] = grouped(kInt, kBlankGrouping[i]);
  }
  for (ParseFunction function : kOtherParsers) {
    for (const ZQChar* locale : kBlankGrouping) list[next++] = grouped(function, locale);
  }
  for (const SpaceGroupingRecord& r : kFrenchDouble) list[next++] = r;
  return list;
}

constexpr std::array<SpaceGroupingRecord, kListSize> zqvnl_localebuffer_spacegrouping =
    buildList();
static_assert(zqvnl_localebuffer_spacegrouping.size() == 73);

// Each input's decimal point, at its 1-based position, takes the locale's separator.
constexpr LocaleBufferToDoubleRecord doubleInput(const char32_t* text, std::int32_t position,
                                                 double value) {
  LocaleBufferToDoubleRecord r{};
  std::uint64_t n = 0;
  for (; text[n] != 0; ++n) r.input[n] = static_cast<ZQChar>(text[n]);
  r.input_length = n;
  r.decimal_position = text[position - 1] == U'.' ? position : throw "no decimal point there";
  r.expected_value = value;
  r.expected_length = n;
  r.status = ZQ_OK;
  return r;
}

constexpr LocaleBufferToDoubleRecord zqvnl_localebuffertodouble_list[] = {
    doubleInput(U"    23737.88912295464", 10, 23737.88912295464),
    doubleInput(U"1.2e-8", 2, 1.2e-08),
};

}  // namespace

std::span<const SpaceGroupingRecord> spaceGroupingList() {
  return zqvnl_localebuffer_spacegrouping;
}

std::span<const LocaleBufferToDoubleRecord> localeBufferToDoubleList() {
  return zqvnl_localebuffertodouble_list;
}

}  // namespace zq::sanity
