// Calendar arithmetic by 400-year eras: an era of the Gregorian calendar always has
// 146097 days, so a date maps to a day count with a few integer divisions and back.
#include "host/nls/calendar.h"

#include <cmath>

namespace zq::host {
namespace {

// 1960-01-01 counted from 1970-01-01, the origin of the era arithmetic below.
constexpr std::int64_t kEpochFrom1970 = -3653;

bool isLeapYear(std::int32_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Floor division for the negative day counts before an era's start.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

// The years are counted from March, so that the leap day ends a year: the day of
// the year then follows from the month by (153 m + 2) / 5, months of 31 and 30 days
// alternating from March on.
std::int64_t daysFrom1970(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = floorDiv(year, 400);
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

// The first and the last day of the supported years.
const std::int64_t kFirstDay = daysFrom1970(kFirstYear, 1, 1) - kEpochFrom1970;
const std::int64_t kLastDay = daysFrom1970(kLastYear, 12, 31) - kEpochFrom1970;

}  // namespace

std::int32_t daysInMonth(std::int32_t year, std::int32_t month) {
  // Days of January to December in a common year.
  static constexpr std::int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(CivilDate date) {
  return date.year >= kFirstYear && date.year <= kLastYear && date.month >= 1 &&
         date.month <= 12 && date.day >= 1 && date.day <= daysInMonth(date.year, date.month);
}

std::int64_t daysSinceEpoch(CivilDate date) {
  return daysFrom1970(date.year, date.month, date.day) - kEpochFrom1970;
}

CivilDate dateOfDay(std::int64_t days) {
  const std::int64_t z = days + kEpochFrom1970 + 719468;
  const std::int64_t era = floorDiv(z, 146097);
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_from_march = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * month_from_march + 2) / 5 + 1;
  const std::int64_t month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return CivilDate{static_cast<std::int32_t>(year), static_cast<std::int32_t>(month),
                   static_cast<std::int32_t>(day)};
}

std::int32_t weekdayOfDay(std::int64_t days) {
  // The epoch, 1960-01-01, was a Friday.
  return static_cast<std::int32_t>(days + 5 - floorDiv(days + 5, 7) * 7);
}

std::int64_t weekStartDay(std::int32_t year, std::int32_t week, WeekRule rule) {
  const std::int64_t january1 = daysSinceEpoch(CivilDate{year, 1, 1});
  // Days from the start of the week holding 1 January to 1 January itself.
  const std::int32_t lead = (weekdayOfDay(january1) - rule.first_weekday + 7) % 7;
  // That week holds 7 - lead days of the year; too few make it the last week of the
  // year before, and week 1 the one after it.
  const std::int64_t week1 = january1 - lead + (7 - lead < rule.min_days ? 7 : 0);
  return week1 + 7 * static_cast<std::int64_t>(week - 1);
}

bool isSupportedDay(std::int64_t days) { return days >= kFirstDay && days <= kLastDay; }

std::int32_t yearOfTwoDigits(std::int32_t two_digits) {
  return 1960 + (two_digits + 40) % 100;
}

std::optional<DayAndSecond> splitDatetime(double datetime) {
  // Compared as doubles first: every whole second of the range is exact in a double,
  // and a value outside it must not reach the integer conversion.
  const double whole = std::floor(datetime);
  if (!(whole >= static_cast<double>(kFirstDay * kSecondsPerDay) &&
        whole < static_cast<double>((kLastDay + 1) * kSecondsPerDay))) {
    return std::nullopt;
  }
  const auto seconds = static_cast<std::int64_t>(whole);
  const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
  return DayAndSecond{days, static_cast<std::int32_t>(seconds - days * kSecondsPerDay)};
}

double datetimeOf(std::int64_t days, std::int32_t second_of_day) {
  return static_cast<double>(days * kSecondsPerDay + second_of_day);
}

}  // namespace zq::host
