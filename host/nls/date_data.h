// How each locale writes dates and times: its names and its patterns, one record per
// locale behind one accessor.
#pragma once

#include "host/nls/date_pattern.h"
#include "host/nls/locale_data.h"

namespace zq::host {

// The words lenient and period reading know beyond the names of DateNames. Lists
// hold up to their size; the entries after the last word are empty.
struct ReadingWords {
  // Words a date carries that name no field: "de" (es), "г." (ru), "年" (ja).
  std::array<std::u32string_view, 4> date_fill;
  // Words that stand between, before or after the fields of a time: "h" (fr),
  // "Uhr" (de), "時" (ja).
  std::array<std::u32string_view, 4> time_marks;
  // The quarters, first quarter first, in full and abbreviated: "1er trimestre", "T1".
  std::array<std::u32string_view, 4> quarters;
  std::array<std::u32string_view, 4> quarter_abbreviations;
  // Words that mark a week's number, written before or after it: "W", "semaine", "週".
  std::array<std::u32string_view, 4> week_marks;
};

struct DateLocale {
  char name[6];  // five characters and a NUL, e.g. "en_US"
  DateNames names;
  DatePattern short_date;   // style 0: numeric
  DatePattern medium_date;  // style 1
  DatePattern long_date;    // style 2
  DatePattern datetime;     // datetime option 0
  DatePattern time12;       // time style 0: twelve-hour clock
  DatePattern time24;       // time style 1: twenty-four-hour clock
  // Whether the locale's parsers read blanks before a text (en_US, where dates are
  // often right-aligned in fixed-width fields); elsewhere a leading blank is an error.
  bool skips_leading_blanks;
  ReadingWords words;
  WeekRule weeks;
};

// The date record of `locale`, or null when the host has none for it.
// Precondition: `locale` is a row of allLocaleData().
const DateLocale* findDateLocale(const LocaleData& locale);

// Every record, in table order.
std::span<const DateLocale> allDateLocales();

}  // namespace zq::host
