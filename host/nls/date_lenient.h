// Reading dates, times and datetimes as people type them (lenient reading), and
// reading quarters, months and weeks of a year.
//
// Lenient reading takes any of the locale's own forms and the loose variants of them:
//
//   - A date is three fields, a year, a month and a day, written as numbers or with
//     the month's name or abbreviation, in any case and with or without its closing
//     '.' ("3 jan 1999", "3. Jan 1999", "1999. január 3."). The fields may be apart
//     by blanks, ',' '-' '.' '/' or the locale's fill words ("de", "г.", "年"), or not
//     apart at all ("03Jan1999"). A weekday name may stand before, among or after
//     them and must then be the date's own.
//   - Which number is which: with a month name, a number of more than two digits is
//     the year; two short numbers are ordered as in the locale's long form (day
//     before year in "01Mar60", year first in hu_HU, ja_JP, kk_KZ, ko_KR, sk_SK,
//     zh_CN, zh_TW). Three numbers are read year-month-day when the first has more
//     than two digits ("1999-12-31"), otherwise in the order of the locale's short
//     form (month-day-year in en_US, day-month-year in most of Europe, year first in
//     East Asia, hu_HU and sv_SE).
//   - Days and months have one or two digits. A year has four digits, or one or two,
//     which name a year of 1960-2059: "60" is 1960, "56" is 2056. Any other count of
//     digits is no year.
//   - A time is an hour and a minute, optionally a second, each of one or two digits,
//     joined by ':' or '.' or the locale's time marks ("23 h 59", "11時30分56秒"); marks
//     may also open or close it ("kl 23:59", "18.42 Uhr"). With a day-period marker,
//     before or after ("6:42 PM", "下午6:42"), the hour runs 1-12; without, 0-23.
//     Minutes and seconds run 0-59.
//   - A datetime is a date and a time, the date first (with blanks or punctuation,
//     ':' included, between) or the time first (he_IL writes its datetimes so).
//   - Blanks, U+00A0 and zero units (the padding of a fixed field) may lead and
//     trail; punctuation and fill words may also trail, and lead a date.
//
// A lenient reading judges the whole text: it reports every unit consumed whether
// it finds a date in it or not ("1960-blah" and a zero unit: 10 units, no date).
//
// Period reading (quarters, months, weeks) reads a period and a year, in either
// order, apart by what may stand between date fields or not apart at all ("Q1 1999",
// "1999-Q1", "SEP.20", "1999年第1週", "2000. 1. hét"):
//
//   - A quarter is one of the locale's quarter names, in full or abbreviated ("Q2",
//     "1er trimestre"), and gives the quarter's first day.
//   - A month is a month name or abbreviation or a number of one or two digits, and
//     gives its first day.
//   - A week is a number of one or two digits, 1-53, with one of the locale's week
//     marks before or after it ("W1", "semaine 1", "第1週"); it gives the first day of
//     that week under the locale's week rule (WeekRule). Week 53 is read in every
//     year; in a year of 52 weeks it is the first week of the next.
//   - The year is as in a lenient date, and the day given must lie in years 1-9999.
//
// A period reading reads left to right and stops where the text leaves the form; it
// reports the units read up to there, the furthest of either order ("Q100D": "Q1",
// the year "00", then "D", which no form allows: 4 units). A text read to its end
// whose fields name no period ("Q1 19999", "W54 1999") reports all its units.
#pragma once

#include <cstdint>

#include "host/nls/date_data.h"

namespace zq::host {

enum class LenientForm : std::uint8_t { kDate, kTime, kDatetime };

// Reads text[0, length) leniently as `form` in `locale`. The value holds the date
// (kDate, kDatetime) and the second of the day (kTime, kDatetime). Precondition:
// length >= 0, and text is not null when length > 0.
DateReading readLenient(const DateLocale& locale, LenientForm form, const ZQChar* text,
                        std::int64_t length);

enum class PeriodForm : std::uint8_t { kQuarter, kMonth, kWeek };

// Reads text[0, length) as a quarter, month or week of a year in `locale`; the
// value's date is the period's first day. Precondition as readLenient.
DateReading readPeriod(const DateLocale& locale, PeriodForm form, const ZQChar* text,
                       std::int64_t length);

}  // namespace zq::host
