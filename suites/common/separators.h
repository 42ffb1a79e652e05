// How the extension's locales write numbers: one separator style per locale, and the
// localiser that rewrites a period-comma text in a style's separators.
#pragma once

#include <cstdint>
#include <string_view>

#include "zq/types.h"

namespace zq::suite {

// How a locale writes numbers. The suites' tables hold the period-comma form; the
// other styles follow by exchanging the two separators.
enum class SeparatorStyle { PeriodComma, CommaSpace, CommaPeriod };

struct Separators {
  ZQChar decimal;
  ZQChar grouping;
};

// The separators of a style as the host writes them: a comma-space locale groups
// digits with the no-break space U+00A0.
constexpr Separators separatorsOf(SeparatorStyle style) {
  // style -> decimal separator, grouping separator
  switch (style) {
    case SeparatorStyle::PeriodComma: return {'.', ','};
    case SeparatorStyle::CommaSpace: return {',', 0x00A0};
    case SeparatorStyle::CommaPeriod: return {',', '.'};
  }
  return {'.', ','};
}

struct LocaleStyle {
  const char32_t* name;  // five units, such as "en_US"
  SeparatorStyle style;
};

// The extension's one record of how its locales write numbers, in the order of the
// exported LocaleInfo, which is built from it row for row. The suites expect the
// host's texts in these styles; they never read the host's own locale tables.
inline constexpr LocaleStyle kLocaleStyles[] = {
    {U"cs_CZ", SeparatorStyle::CommaSpace},  {U"de_DE", SeparatorStyle::CommaPeriod},
    {U"en_US", SeparatorStyle::PeriodComma}, {U"es_ES", SeparatorStyle::CommaPeriod},
    {U"es_MX", SeparatorStyle::PeriodComma}, {U"fr_FR", SeparatorStyle::CommaSpace},
    {U"he_IL", SeparatorStyle::PeriodComma}, {U"hu_HU", SeparatorStyle::CommaSpace},
    {U"it_IT", SeparatorStyle::CommaPeriod}, {U"ja_JP", SeparatorStyle::PeriodComma},
    {U"ko_KR", SeparatorStyle::PeriodComma}, {U"nl_NL", SeparatorStyle::CommaPeriod},
    {U"pl_PL", SeparatorStyle::CommaSpace},  {U"ru_RU", SeparatorStyle::CommaSpace},
    {U"sk_SK", SeparatorStyle::CommaSpace},  {U"sv_SE", SeparatorStyle::CommaSpace},
    {U"zh_CN", SeparatorStyle::PeriodComma}, {U"zh_TW", SeparatorStyle::PeriodComma},
};

// The row of the locale `name`. Evaluated while compiling: a locale the table lacks
// does not compile.
consteval LocaleStyle localeStyle(std::u32string_view name) {
  for (const LocaleStyle& row : kLocaleStyles) {
    if (name == row.name) return row;
  }
  throw "a locale without a separator style";
}

// Copies `length` units of `text`, written with "." as decimal point and "," between
// digit groups, into `out`, exchanging both in one pass: "." becomes `decimal` and ","
// becomes `grouping` ("1,234.5" becomes "1.234,5" for a comma-period locale, never
// "1,234,5"). Every other unit is copied unchanged. Writes at most `capacity` units
// and returns the number written; `out` is not terminated.
std::int64_t localiseText(const ZQChar* text, std::int64_t length, ZQChar decimal,
                          ZQChar grouping, ZQChar* out, std::int64_t capacity);

}  // namespace zq::suite
