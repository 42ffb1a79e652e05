// The host's calendar: proleptic Gregorian dates, datetimes and times of day in exact
// integer arithmetic, with no time zones.
//
// A date is (year, month, day). A datetime is a count of seconds since 1960-01-01
// 00:00:00 (the epoch); a time is a count of seconds since midnight. Days never have
// leap seconds. The Gregorian rules apply before 1582 as after it, so 1582-01-01 and
// 1582-08-31 are ordinary dates.
#pragma once

#include <cstdint>
#include <optional>

namespace zq::host {

// The years the host formats and parses: every year written with four digits.
constexpr std::int32_t kFirstYear = 1;
constexpr std::int32_t kLastYear = 9999;

constexpr std::int32_t kSecondsPerDay = 86400;

struct CivilDate {
  std::int32_t year;
  std::int32_t month;  // 1-12
  std::int32_t day;    // 1-31
};

// Days in `month` (1-12) of `year`.
std::int32_t daysInMonth(std::int32_t year, std::int32_t month);

// True for a date of the calendar within kFirstYear..kLastYear.
bool isValidDate(CivilDate date);

// Days from the epoch to `date` (negative before it). Precondition: isValidDate.
std::int64_t daysSinceEpoch(CivilDate date);

// The date `days` after the epoch. Precondition: the date lies within
// kFirstYear..kLastYear.
CivilDate dateOfDay(std::int64_t days);

// The weekday of the day `days` after the epoch: 0 Sunday to 6 Saturday.
std::int32_t weekdayOfDay(std::int64_t days);

// How a locale numbers the weeks of a year: the weekday its weeks begin on (0
// Sunday to 6 Saturday) and the fewest days of the new year its week 1 holds (1-7).
// Week 1 is the first week that holds at least `min_days` days of January.
struct WeekRule {
  std::int32_t first_weekday;
  std::int32_t min_days;
};

// The day (since the epoch) that begins week `week` of `year` under `rule`; week n
// begins 7 (n - 1) days after week 1, whatever year that day falls in. Precondition:
// `year` within kFirstYear..kLastYear.
std::int64_t weekStartDay(std::int32_t year, std::int32_t week, WeekRule rule);

// True for a day (since the epoch) within kFirstYear..kLastYear.
bool isSupportedDay(std::int64_t days);

// The year of 1960-2059 whose last two digits are `two_digits` (0-99): 60 is
// 1960, 99 is 1999, 0 is 2000 and 59 is 2059.
std::int32_t yearOfTwoDigits(std::int32_t two_digits);

// A datetime as its day and its whole second of that day.
struct DayAndSecond {
  std::int64_t days;           // since the epoch
  std::int32_t second_of_day;  // 0-86399
};

// The whole second that `datetime` falls in (fractions round down, also before the
// epoch), split into day and second. Empty for a NaN, an infinity or a datetime
// outside kFirstYear..kLastYear.
std::optional<DayAndSecond> splitDatetime(double datetime);

// The datetime of `second_of_day` on the day `days` after the epoch; exact.
double datetimeOf(std::int64_t days, std::int32_t second_of_day);

}  // namespace zq::host
