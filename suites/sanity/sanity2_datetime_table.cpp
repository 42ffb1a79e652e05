// zqvnleSanity2's date/time vectors, derived by hand from the host's reading rules:
//
//   - Lenient reading takes the whole text; it reads dates with numbers or month
//     names in the locale's orders, two-digit years as 1960-2059, times with ':', '.'
//     or the locale's time marks and day periods, and datetimes date first or time
//     first. Whatever its outcome, it consumes every unit.
//   - Quarter, month and week reading takes a period and a year in either order and
//     consumes up to where the text leaves the form (all of it when the form holds
//     but names no period). A week gives its first day: en_US weeks run from Sunday
//     and week 1 is the first whole week; ISO weeks (Monday, week 1 holding 4 January)
//     in the European locales; weeks from Sunday (he_IL, ja_JP, ko_KR) or Monday
//     (zh_CN) whose week 1 holds 1 January.
//
// Datetime values count days from 1960-01-01: 1960-01-01 is day 0, 1976-01-01 day 5844,
// 2000-01-01 day 14610, 2001-09-01 day 15219, 9999-12-31 day 2936549. 1 January fell
// on a Sunday in 2006, Monday 2001, Tuesday 2002, Wednesday 2003, Thursday 2004,
// Friday 1999 (and 9999), Saturday 2000.
#include <array>
#include <string_view>

#include "suites/sanity/locale_names.h"
#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_datetime_table.h"

namespace zq::sanity {
namespace {

using namespace std::literals;

constexpr std::int32_t kLenient = LOCALE_DATE_LENIENT;
constexpr std::int32_t kQuarter = LOCALE_DATE_YYQQ;
constexpr std::int32_t kMonth = LOCALE_DATE_YYMM;
constexpr std::int32_t kWeek = LOCALE_DATE_YYWW;

// Not constexpr: a row whose input is longer than the suite's working buffer stops
// the table from compiling.
void inputLongerThanWorkingBuffer() {}

constexpr DatetimeRecord record(const ZQChar* locale, DatetimeFunction function,
                                std::int32_t options, std::u32string_view input,
                                std::uint64_t consumed, Status status) {
  if (input.size() > static_cast<std::size_t>(kWorkingUnits)) inputLongerThanWorkingBuffer();
  DatetimeRecord r{};
  r.locale = locale;
  r.locale_length = kLocaleLength;
  r.function = static_cast<std::int32_t>(function);
  r.options = options;
  for (std::size_t i = 0; i < input.size(); ++i) r.input[i] = static_cast<ZQChar>(input[i]);
  r.input_length = input.size();
  r.consumed = consumed;
  r.status = status;
  return r;
}

// A date read under `options`: month, day and year.
constexpr DatetimeRecord date(const ZQChar* locale, std::int32_t options,
                              std::u32string_view input, std::int32_t month, std::int32_t day,
                              std::int32_t year, std::uint64_t consumed) {
  DatetimeRecord r = record(locale, DatetimeFunction::kDate, options, input, consumed, ZQ_OK);
  r.month = month;
  r.day = day;
  r.year = year;
  return r;
}
constexpr DatetimeRecord noDate(const ZQChar* locale, std::int32_t options,
                                std::u32string_view input, std::uint64_t consumed) {
  return record(locale, DatetimeFunction::kDate, options, input, consumed, ZQ_NLS_DTIFMTERR);
}

// Lenient datetimes and times.
constexpr DatetimeRecord datetime(const ZQChar* locale, std::u32string_view input, double value,
                                  std::uint64_t consumed) {
  DatetimeRecord r = record(locale, DatetimeFunction::kDatetime, kLenient, input, consumed, ZQ_OK);
  r.value = value;
  return r;
}
constexpr DatetimeRecord noDatetime(const ZQChar* locale, std::u32string_view input,
                                    std::uint64_t consumed) {
  return record(locale, DatetimeFunction::kDatetime, kLenient, input, consumed,
                ZQ_NLS_DTIFMTERR);
}
constexpr DatetimeRecord time(const ZQChar* locale, std::u32string_view input, double value,
                              std::uint64_t consumed) {
  DatetimeRecord r = record(locale, DatetimeFunction::kTime, kLenient, input, consumed, ZQ_OK);
  r.value = value;
  return r;
}
constexpr DatetimeRecord noTime(const ZQChar* locale, std::u32string_view input,
                                std::uint64_t consumed) {
  return record(locale, DatetimeFunction::kTime, kLenient, input, consumed, ZQ_NLS_DTIFMTERR);
}

constexpr std::array zqvnl_datetime_list = {
    // TEST01-20: lenient dates. en_US reads month-day-year and day before year
    // around a month name; a first number of four digits starts year-month-day.
    date(kEnUs, kLenient, U"03Jan1999"sv, 1, 3, 1999, 9),
    date(kEnUs, kLenient, U"01Mar60"sv, 3, 1, 1960, 7),
    date(kEnUs, kLenient, U"January 3, 1999"sv, 1, 3, 1999, 15),
    date(kEnUs, kLenient, U"1999-12-31"sv, 12, 31, 1999, 10),
    date(kEnUs, kLenient, U"jul 4 76"sv, 7, 4, 1976, 8),
    date(kEnUs, kLenient, U"6/2/56"sv, 6, 2, 2056, 6),
    noDate(kEnUs, kLenient, U"02/29/1999"sv, 10),
    noDate(kEnUs, kLenient, U"1960-blah\0"sv, 10),
    date(kFrFr, kLenient, U"vendredi 31 décembre 1999"sv, 12, 31, 1999, 25),
    noDate(kPlPl, kLenient, U"31 kwietnia 1999"sv, 16),  // April has 30 days
    date(kItIt, kLenient, U"3 gen 1999"sv, 1, 3, 1999, 10),
    date(kDeDe, kLenient, U"3. Jan 1999"sv, 1, 3, 1999, 11),  // "Jan." without its '.'
    date(kHuHu, kLenient, U"1999. január 3."sv, 1, 3, 1999, 15),
    noDate(kSkSk, kLenient, U"3.13.1999"sv, 9),
    date(kEsEs, kLenient, U"3 de enero de 1999"sv, 1, 3, 1999, 18),
    date(kCsCz, kLenient, U"3. ledna 1999"sv, 1, 3, 1999, 13),
    noDate(kRuRu, kLenient, U"понедельник, 3 января 1999 г."sv, 29),  // 3 January was a Sunday
    date(kHeIl, kLenient, U"2 ביוני 1966"sv, 6, 2, 1966, 12),
    date(kJaJp, kLenient, U"1966年6月2日"sv, 6, 2, 1966, 9),
    date(kZhCn, kLenient, U"1999-1-3"sv, 1, 3, 1999, 8),

    // TEST21-45: lenient datetimes.
    datetime(kEnUs, U"January 1, 1960 12:34:56 AM"sv, 2096, 27),
    datetime(kEnUs, U"01Jan1960:00:00:01"sv, 1, 18),
    datetime(kEnUs, U"1/2/60 6:42 PM"sv, 86400 + 67320, 14),
    datetime(kEnUs, U"1960-03-01 23:59:59"sv, 60 * 86400 + 86399, 19),
    datetime(kEnUs, U"Dec 31, 1959 11:59 PM"sv, -60, 21),
    datetime(kEnUs, U"31dec1999 12:00:00"sv, 14609.0 * 86400 + 43200, 18),
    datetime(kEnUs, U"2000-01-01 00:00"sv, 14610.0 * 86400, 16),
    datetime(kEnUs, U"February 29, 2000 12:00 AM"sv, (14610.0 + 31 + 28) * 86400, 26),
    datetime(kEnUs, U"7/4/76 12:00:00 PM"sv, (5844.0 + 182 + 3) * 86400 + 43200, 18),
    noDatetime(kEnUs, U"1/1/60 13:00 PM"sv, 15),
    noDatetime(kEnUs, U"01Jan1960"sv, 9),
    datetime(kEnUs, U"12:00 PM Jan 1 1960"sv, 43200, 19),
    noDatetime(kEnUs, U"February 31, 2001 12:00:01 PM"sv, 29),
    datetime(kFrFr, U"31 décembre 1999 23 h 59"sv, 14609.0 * 86400 + 86340, 24),
    datetime(kPlPl, U"1 stycznia 1960 12:30:00"sv, 45000, 24),
    noDatetime(kItIt, U"31/04/1999 10:00"sv, 16),
    datetime(kDeDe, U"1.1.1960 18.42 Uhr"sv, 67320, 18),
    noDatetime(kHuHu, U"1999. január 3. 24:00"sv, 21),
    datetime(kSkSk, U"1960, januára 3 06:42:00"sv, 2 * 86400 + 24120, 24),
    noDatetime(kEsEs, U"3 de enero de 1999 25H00"sv, 24),
    datetime(kCsCz, U"1. 1. 1960 0:00:01"sv, 1, 18),
    datetime(kRuRu, U"1 января 1960 г. 12:00"sv, 43200, 22),
    datetime(kHeIl, U"23:59:59 31 דצמבר 1959"sv, -1, 22),  // the time first
    datetime(kJaJp, U"2001年 9月1日11時30分56秒"sv, 15219.0 * 86400 + 41456, 19),
    noDatetime(kZhCn, U"1999年2月29日 10时00分"sv, 17),

    // TEST46-63: lenient times.
    time(kEnUs, U"12:34:56 AM"sv, 2096, 11),
    time(kEnUs, U"6:42pm"sv, 67320, 6),
    time(kEnUs, U"0:00"sv, 0, 4),
    time(kEnUs, U"  11:59:59 PM  "sv, 86399, 15),
    time(kEnUs, U"6:42 PM"sv, 67320, 7),
    noTime(kFrFr, U"18 h 60"sv, 7),
    time(kPlPl, U"18:42"sv, 67320, 5),
    time(kItIt, U"6:42:00 PM"sv, 67320, 10),
    noTime(kDeDe, U"25.00 Uhr"sv, 9),
    time(kHuHu, U"du. 6:42"sv, 67320, 8),
    time(kSkSk, U"18:42:30"sv, 67350, 8),
    time(kEsEs, U"6:42 p. m."sv, 67320, 10),
    noTime(kCsCz, U"odp. 13:00"sv, 10),
    time(kRuRu, U"23.59"sv, 86340, 5),
    noTime(kHeIl, U"6:42:60 אחה״צ"sv, 13),
    noTime(kJaJp, U"午後13:00"sv, 7),
    time(kZhCn, U"下午6:42"sv, 67320, 6),
    noTime(kEnUs, U"06:60:00"sv, 8),

    // TEST64-73: en_US quarters.
    date(kEnUs, kQuarter, U"Q1 1999"sv, 1, 1, 1999, 7),
    date(kEnUs, kQuarter, U"Q2 1999"sv, 4, 1, 1999, 7),
    date(kEnUs, kQuarter, U"q3 99"sv, 7, 1, 1999, 5),
    date(kEnUs, kQuarter, U"4th quarter 2000"sv, 10, 1, 2000, 16),
    noDate(kEnUs, kQuarter, U"Q5 2002"sv, 0),
    date(kEnUs, kQuarter, U"1999 Q4"sv, 10, 1, 1999, 7),
    date(kEnUs, kQuarter, U"1999-Q2"sv, 4, 1, 1999, 7),
    noDate(kEnUs, kQuarter, U"Q0 1999"sv, 0),
    noDate(kEnUs, kQuarter, U"2nd quarter"sv, 11),
    noDate(kEnUs, kQuarter, U"Q1 19999"sv, 8),
    // TEST74-81: en_US months.
    date(kEnUs, kMonth, U"Jan 1999"sv, 1, 1, 1999, 8),
    date(kEnUs, kMonth, U"September 2001"sv, 9, 1, 2001, 14),
    date(kEnUs, kMonth, U"12/1999"sv, 12, 1, 1999, 7),
    date(kEnUs, kMonth, U"1999-02"sv, 2, 1, 1999, 7),
    noDate(kEnUs, kMonth, U"13/1999"sv, 7),
    noDate(kEnUs, kMonth, U"Foo 1999"sv, 0),
    date(kEnUs, kMonth, U"feb 60"sv, 2, 1, 1960, 6),
    date(kEnUs, kMonth, U"may59"sv, 5, 1, 2059, 5),
    // TEST82-91: en_US weeks of 1999: week 1 begins on Sunday 3 January.
    date(kEnUs, kWeek, U"W1 1999"sv, 1, 3, 1999, 7),
    date(kEnUs, kWeek, U"W2 1999"sv, 1, 10, 1999, 7),
    date(kEnUs, kWeek, U"w10 1999"sv, 3, 7, 1999, 8),
    date(kEnUs, kWeek, U"Week 26 1999"sv, 6, 27, 1999, 12),
    date(kEnUs, kWeek, U"1999-W01"sv, 1, 3, 1999, 8),
    date(kEnUs, kWeek, U"1999 W52"sv, 12, 26, 1999, 8),
    date(kEnUs, kWeek, U"W1 99"sv, 1, 3, 1999, 5),
    noDate(kEnUs, kWeek, U"W0 1999"sv, 7),
    date(kEnUs, kWeek, U"W53 1999"sv, 1, 2, 2000, 8),
    noDate(kEnUs, kWeek, U"W54 1999"sv, 8),
    // TEST92-103: week 1 and week 53 in years whose 1 January falls on each other
    // weekday, Sunday (2006) to Thursday (2004), then Saturday (2000).
    date(kEnUs, kWeek, U"W1 2006"sv, 1, 1, 2006, 7),
    date(kEnUs, kWeek, U"W1 2001"sv, 1, 7, 2001, 7),
    date(kEnUs, kWeek, U"W1 2002"sv, 1, 6, 2002, 7),
    date(kEnUs, kWeek, U"W1 2003"sv, 1, 5, 2003, 7),
    date(kEnUs, kWeek, U"W1 2004"sv, 1, 4, 2004, 7),
    date(kEnUs, kWeek, U"W1 2000"sv, 1, 2, 2000, 7),
    date(kEnUs, kWeek, U"W53 2006"sv, 12, 31, 2006, 8),
    date(kEnUs, kWeek, U"W53 2001"sv, 1, 6, 2002, 8),
    date(kEnUs, kWeek, U"W53 2002"sv, 1, 5, 2003, 8),
    date(kEnUs, kWeek, U"W53 2003"sv, 1, 4, 2004, 8),
    date(kEnUs, kWeek, U"W53 2004"sv, 1, 2, 2005, 8),
    date(kEnUs, kWeek, U"W53 2000"sv, 12, 31, 2000, 8),
    // TEST104-115: every month, by name or abbreviation, in any case.
    date(kEnUs, kMonth, U"January 2004"sv, 1, 1, 2004, 12),
    date(kEnUs, kMonth, U"FEB 2004"sv, 2, 1, 2004, 8),
    date(kEnUs, kMonth, U"March 2004"sv, 3, 1, 2004, 10),
    date(kEnUs, kMonth, U"apr 2004"sv, 4, 1, 2004, 8),
    date(kEnUs, kMonth, U"May 2004"sv, 5, 1, 2004, 8),
    date(kEnUs, kMonth, U"June 2004"sv, 6, 1, 2004, 9),
    date(kEnUs, kMonth, U"Jul 2004"sv, 7, 1, 2004, 8),
    date(kEnUs, kMonth, U"August 2004"sv, 8, 1, 2004, 11),
    date(kEnUs, kMonth, U"Sep 2004"sv, 9, 1, 2004, 8),
    date(kEnUs, kMonth, U"October 2004"sv, 10, 1, 2004, 12),
    date(kEnUs, kMonth, U"Nov 2004"sv, 11, 1, 2004, 8),
    date(kEnUs, kMonth, U"December 2004"sv, 12, 1, 2004, 13),
    // TEST116-121: quarters in full, and the two-digit years at both ends.
    date(kEnUs, kQuarter, U"1st quarter 2004"sv, 1, 1, 2004, 16),
    date(kEnUs, kQuarter, U"2nd quarter 2004"sv, 4, 1, 2004, 16),
    date(kEnUs, kQuarter, U"3rd quarter 2004"sv, 7, 1, 2004, 16),
    date(kEnUs, kQuarter, U"Q4 2004"sv, 10, 1, 2004, 7),
    date(kEnUs, kQuarter, U"Q1 59"sv, 1, 1, 2059, 5),
    date(kEnUs, kQuarter, U"Q1 60"sv, 1, 1, 1960, 5),
    // TEST122-140: year 2000 in two digits, the first and last years, and texts
    // that leave the form.
    date(kEnUs, kMonth, U"Jan 00"sv, 1, 1, 2000, 6),
    date(kEnUs, kWeek, U"W1 00"sv, 1, 2, 2000, 5),
    date(kEnUs, kMonth, U"Jan 0001"sv, 1, 1, 1, 8),
    date(kEnUs, kWeek, U"W1 0001"sv, 1, 7, 1, 7),  // 1 January 0001 was a Monday
    date(kEnUs, kQuarter, U"Q4 9999"sv, 10, 1, 9999, 7),
    date(kEnUs, kMonth, U"Dec 9999"sv, 12, 1, 9999, 8),
    date(kEnUs, kWeek, U"W52 9999"sv, 12, 26, 9999, 8),
    noDate(kEnUs, kQuarter, U"Q1 0000"sv, 7),
    noDate(kEnUs, kQuarter, U""sv, 0),
    noDate(kEnUs, kMonth, U"1999"sv, 4),
    noDate(kEnUs, kMonth, U"Jan Feb 1999"sv, 4),
    noDate(kEnUs, kWeek, U"W1 1999 x"sv, 8),
    noDate(kEnUs, kQuarter, U"Q1 1999 Q2"sv, 8),
    date(kEnUs, kWeek, U"W 1 1999"sv, 1, 3, 1999, 8),
    date(kEnUs, kQuarter, U"  Q3 2004  "sv, 7, 1, 2004, 11),
    date(kEnUs, kMonth, U"2/2004"sv, 2, 1, 2004, 6),
    date(kEnUs, kMonth, U"2004 May"sv, 5, 1, 2004, 8),
    date(kEnUs, kWeek, U"W53 99"sv, 1, 2, 2000, 6),
    date(kEnUs, kWeek, U"1999W52"sv, 12, 26, 1999, 7),

    // TEST141-150: fr_FR, ISO weeks.
    date(kFrFr, kQuarter, U"T1 1999"sv, 1, 1, 1999, 7),
    date(kFrFr, kMonth, U"janvier 1999"sv, 1, 1, 1999, 12),
    date(kFrFr, kWeek, U"W1 1999"sv, 1, 4, 1999, 7),
    date(kFrFr, kQuarter, U"1er trimestre 1999"sv, 1, 1, 1999, 18),
    date(kFrFr, kQuarter, U"4e trimestre 2000"sv, 10, 1, 2000, 17),
    date(kFrFr, kMonth, U"févr. 2000"sv, 2, 1, 2000, 10),
    date(kFrFr, kWeek, U"semaine 53 2004"sv, 12, 27, 2004, 15),
    noDate(kFrFr, kQuarter, U"5e trimestre 1999"sv, 1),
    noDate(kFrFr, kMonth, U"brumaire 1999"sv, 0),
    noDate(kFrFr, kWeek, U"S54 1999"sv, 8),
    // TEST151-222: each locale's quarter, month and week, read and refused.
    date(kPlPl, kQuarter, U"I kwartał 1999"sv, 1, 1, 1999, 14),
    noDate(kPlPl, kQuarter, U"V kwartał 1999"sv, 0),
    date(kPlPl, kMonth, U"lut 2000"sv, 2, 1, 2000, 8),
    noDate(kPlPl, kMonth, U"00.2000"sv, 7),
    date(kPlPl, kWeek, U"tydzień 1 2001"sv, 1, 1, 2001, 14),
    noDate(kPlPl, kWeek, U"tydzień 60 2001"sv, 15),
    date(kItIt, kQuarter, U"2º trimestre 1999"sv, 4, 1, 1999, 17),
    noDate(kItIt, kQuarter, U"T1 1999 T2"sv, 8),
    date(kItIt, kMonth, U"mar 1999"sv, 3, 1, 1999, 8),
    noDate(kItIt, kMonth, U"marzo"sv, 5),
    date(kItIt, kWeek, U"settimana 1 2006"sv, 1, 2, 2006, 16),
    noDate(kItIt, kWeek, U"settimana 1"sv, 11),
    date(kDeDe, kQuarter, U"3. Quartal 1999"sv, 7, 1, 1999, 15),
    noDate(kDeDe, kQuarter, U"Quartal 1999"sv, 0),
    date(kDeDe, kMonth, U"Dez. 1999"sv, 12, 1, 1999, 9),
    noDate(kDeDe, kMonth, U"Dezember 999"sv, 12),
    date(kDeDe, kWeek, U"KW 1 2003"sv, 12, 30, 2002, 9),
    noDate(kDeDe, kWeek, U"KW 54 2004"sv, 10),
    date(kHuHu, kQuarter, U"1999. III. negyedév"sv, 7, 1, 1999, 19),
    noDate(kHuHu, kQuarter, U"1999. V. negyedév"sv, 6),
    date(kHuHu, kMonth, U"1999. február"sv, 2, 1, 1999, 13),
    noDate(kHuHu, kMonth, U"1999. 13."sv, 9),
    date(kHuHu, kWeek, U"2000. 1. hét"sv, 1, 3, 2000, 12),
    noDate(kHuHu, kWeek, U"2000. hét"sv, 9),
    date(kSkSk, kQuarter, U"2. štvrťrok 2000"sv, 4, 1, 2000, 16),
    noDate(kSkSk, kQuarter, U"Q1"sv, 2),
    date(kSkSk, kMonth, U"máj 2000"sv, 5, 1, 2000, 8),
    noDate(kSkSk, kMonth, U"máj 20000"sv, 9),
    date(kSkSk, kWeek, U"týždeň 52 1999"sv, 12, 27, 1999, 14),
    noDate(kSkSk, kWeek, U"týždeň 0 1999"sv, 13),
    date(kEsEs, kQuarter, U"3.er trimestre de 2000"sv, 7, 1, 2000, 22),
    noDate(kEsEs, kQuarter, U"T4 de"sv, 5),
    date(kEsEs, kMonth, U"sept. 2001"sv, 9, 1, 2001, 10),
    noDate(kEsEs, kMonth, U"enero febrero 2001"sv, 6),
    date(kEsEs, kWeek, U"semana 1 de 2002"sv, 12, 31, 2001, 16),
    noDate(kEsEs, kWeek, U"semana 1 de 10000"sv, 17),
    date(kCsCz, kQuarter, U"4. čtvrtletí 2001"sv, 10, 1, 2001, 17),
    noDate(kCsCz, kQuarter, U"0. čtvrtletí 2001"sv, 3),
    date(kCsCz, kMonth, U"bře 2001"sv, 3, 1, 2001, 8),
    noDate(kCsCz, kMonth, U"2001/02/03"sv, 8),
    date(kCsCz, kWeek, U"týden 9 2001"sv, 2, 26, 2001, 12),
    noDate(kCsCz, kWeek, U"týden 9"sv, 7),
    date(kRuRu, kQuarter, U"1-й квартал 2002 г."sv, 1, 1, 2002, 19),
    noDate(kRuRu, kQuarter, U"5-й квартал 2002 г."sv, 2),
    date(kRuRu, kMonth, U"янв. 2002"sv, 1, 1, 2002, 9),
    noDate(kRuRu, kMonth, U"янв. 2002 г. 5"sv, 13),
    date(kRuRu, kWeek, U"неделя 10 2002"sv, 3, 4, 2002, 14),
    noDate(kRuRu, kWeek, U"неделя 99 2002"sv, 14),
    date(kHeIl, kQuarter, U"רבעון 2 2002"sv, 4, 1, 2002, 12),
    noDate(kHeIl, kQuarter, U"רבעון 2"sv, 7),
    date(kHeIl, kMonth, U"מרץ 2002"sv, 3, 1, 2002, 8),
    noDate(kHeIl, kMonth, U"2002 מרצ"sv, 5),  // not the final letter of "מרץ"
    date(kHeIl, kWeek, U"שבוע 1 1999"sv, 12, 27, 1998, 11),
    noDate(kHeIl, kWeek, U"שבוע 54 1999"sv, 12),
    date(kJaJp, kQuarter, U"2002年第3四半期"sv, 7, 1, 2002, 10),
    noDate(kJaJp, kQuarter, U"2002年第5四半期"sv, 5),
    date(kJaJp, kMonth, U"2002年10月"sv, 10, 1, 2002, 8),
    noDate(kJaJp, kMonth, U"2002年13月"sv, 8),
    date(kJaJp, kWeek, U"2006年第1週"sv, 1, 1, 2006, 8),
    noDate(kJaJp, kWeek, U"2006年第週"sv, 6),
    date(kZhCn, kQuarter, U"2003年第一季度"sv, 1, 1, 2003, 9),
    noDate(kZhCn, kQuarter, U"2003年第五季度"sv, 5),
    date(kZhCn, kMonth, U"2003年十二月"sv, 12, 1, 2003, 8),
    noDate(kZhCn, kMonth, U"二〇〇三年一月"sv, 0),
    date(kZhCn, kWeek, U"2003年第1周"sv, 12, 30, 2002, 8),
    noDate(kZhCn, kWeek, U"2003年第0周"sv, 8),
    date(kKoKr, kQuarter, U"2004년 1분기"sv, 1, 1, 2004, 9),
    noDate(kKoKr, kQuarter, U"2004년 0분기"sv, 6),
    date(kKoKr, kMonth, U"2004년 2월"sv, 2, 1, 2004, 8),
    noDate(kKoKr, kMonth, U"2004년 2월 29일"sv, 9),
    date(kKoKr, kWeek, U"2004년 1주"sv, 12, 28, 2003, 8),
    noDate(kKoKr, kWeek, U"2004년 주"sv, 7),

    // TEST223-231: edges.
    date(kKkKz, kLenient, U"1966 ж. 2 маусым"sv, 6, 2, 1966, 16),
    date(kEnUs, kLenient, U"1/3/99\0\0"sv, 1, 3, 1999, 8),  // zero-padded
    time(kEnUs, U"23:59:59"sv, 86399, 8),
    noTime(kEnUs, U"24:00:00"sv, 8),
    datetime(kEnUs, U"12/31/9999 23:59:59"sv, 2936549.0 * 86400 + 86399, 19),
    noDate(kEnUs, kWeek, U"W53 9999"sv, 8),  // 2 January 10000
    date(kEnUs, kMonth, U"SEP.20"sv, 9, 1, 2020, 6),
    noDate(kEnUs, kLenient,
           U"1234567890123456789012345678901234567890"
           U"1234567890123456789012345678901234567890"sv,
           80),
    noDate(kEnUs, kQuarter, U"Q100D"sv, 4),
};
static_assert(zqvnl_datetime_list.size() == 231);

}  // namespace

std::span<const DatetimeRecord> datetimeList() { return zqvnl_datetime_list; }

}  // namespace zq::sanity
