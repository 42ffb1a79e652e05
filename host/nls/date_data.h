// How each locale writes dates and times: its names and its patterns, one record per
// locale, which the locale's row of the locale table refers to.
#pragma once

#include <array>
#include <string_view>

#include "host/nls/date_pattern.h"

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
  DateNames names;
  DatePattern short_date;  // LOCALE_DATE_SHORT: numeric
  DatePattern long_date;   // LOCALE_DATE_LONG
  DatePattern full_date;   // LOCALE_DATE_FULL
  DatePattern datetime;    // datetime option 0
  DatePattern time12;      // time style 0: twelve-hour clock
  DatePattern time24;      // time style 1: twenty-four-hour clock
  // Whether the locale's parsers read blanks before a text (en_US, where dates are
  // often right-aligned in fixed-width fields); elsewhere a leading blank is an error.
  bool skips_leading_blanks;
  ReadingWords words;
  WeekRule weeks;
};

// The date record of each of the host's locales, named by language and country; the
// locale table (locale_data.cpp) refers to them.
extern const DateLocale kArSdDates, kArSyDates, kCsCzDates, kDeDeDates, kEnUsDates, kEsEsDates,
    kEsMxDates, kFrFrDates, kHeIlDates, kHuHuDates, kItItDates, kJaJpDates, kKkKzDates,
    kKoKrDates, kNlNlDates, kPlPlDates, kRuRuDates, kSkSkDates, kSvSeDates, kZhCnDates,
    kZhTwDates;

}  // namespace zq::host
