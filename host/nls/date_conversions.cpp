// Date, time and datetime formats and parsers: the option word picks the locale's
// pattern or a lenient or period reading, and the pattern engine does the rest.
#include "host/nls/date_conversions.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <optional>

#include "host/nls/date_lenient.h"
#include "host/nls/number_text.h"

namespace zq::host {
namespace {

constexpr FormatResult kInvalidValue{ZQ_NLS_INVALID_VALUE, 0};

const DatePattern* datePattern(const DateLocale& locale, std::int32_t style) {
  switch (style) {
    case LOCALE_DATE_SHORT: return &locale.short_date;
    case LOCALE_DATE_LONG: return &locale.long_date;
    case LOCALE_DATE_FULL: return &locale.full_date;
  }
  return nullptr;
}

const DatePattern* timePattern(const DateLocale& locale, std::int32_t style) {
  if (style == 0) return &locale.time12;
  return style == 1 ? &locale.time24 : nullptr;
}

const DatePattern* datetimePattern(const DateLocale& locale, std::int32_t options) {
  return options == 0 ? &locale.datetime : nullptr;
}

// Writes `value` under `pattern` into the caller's buffer, truncated to its capacity.
FormatResult write(const DateLocale& locale, const DatePattern& pattern,
                   const DateTimeValue& value, ZQChar* buffer, std::int64_t capacity) {
  assert(usableUnits(buffer, capacity));
  ZQChar text[kMaxDateTextUnits];
  const auto length = static_cast<std::int64_t>(writeDateText(pattern, locale.names, value, text));
  const std::int64_t written = std::min(length, capacity);
  if (written > 0) std::memcpy(buffer, text, static_cast<std::size_t>(written) * sizeof(ZQChar));
  return {written < length ? ZQ_NLS_FMT_TRUNCATE : ZQ_OK, written};
}

// The reading of a text under `pattern`; nothing when there is no pattern.
std::optional<DateReading> readUnder(const DatePattern* pattern, const DateLocale& locale,
                                     const ZQChar* text, std::int64_t length) {
  if (pattern == nullptr) return std::nullopt;
  return readDateText(*pattern, locale.names, locale.skips_leading_blanks, text, length);
}

// What a parser's option word asks for: one of the locale's patterns, a lenient
// reading or a period; nothing when the word names no form.
std::optional<DateReading> readDateOption(const DateLocale& locale, std::int32_t options,
                                          const ZQChar* text, std::int64_t length) {
  // option word -> reading
  switch (options) {
    case LOCALE_DATE_LENIENT: return readLenient(locale, LenientForm::kDate, text, length);
    case LOCALE_DATE_YYQQ: return readPeriod(locale, PeriodForm::kQuarter, text, length);
    case LOCALE_DATE_YYMM: return readPeriod(locale, PeriodForm::kMonth, text, length);
    case LOCALE_DATE_YYWW: return readPeriod(locale, PeriodForm::kWeek, text, length);
  }
  return readUnder(datePattern(locale, options), locale, text, length);
}

std::optional<DateReading> readTimeOption(const DateLocale& locale, std::int32_t options,
                                          const ZQChar* text, std::int64_t length) {
  if (options == LOCALE_DATE_LENIENT) return readLenient(locale, LenientForm::kTime, text, length);
  return readUnder(timePattern(locale, options), locale, text, length);
}

std::optional<DateReading> readDatetimeOption(const DateLocale& locale, std::int32_t options,
                                              const ZQChar* text, std::int64_t length) {
  if (options == LOCALE_DATE_LENIENT) {
    return readLenient(locale, LenientForm::kDatetime, text, length);
  }
  return readUnder(datetimePattern(locale, options), locale, text, length);
}

// A reading's status and consumed count, and its value when it succeeded; `value_of`
// turns a reading's value into the parser's, `failed` is the parser's failure value.
template <typename Parsed, typename ValueOf, typename Failed>
Parsed resultOf(const std::optional<DateReading>& reading, ValueOf value_of, Failed failed) {
  if (!reading) return Parsed{ZQ_NLS_DTIFMTERR, failed, 0};
  if (!reading->ok) return Parsed{ZQ_NLS_DTIFMTERR, failed, reading->consumed};
  return Parsed{ZQ_OK, value_of(reading->value), reading->consumed};
}

}  // namespace

FormatResult formatDate(const DateLocale& locale, CivilDate date, std::int32_t style,
                        ZQChar* buffer, std::int64_t capacity) {
  const DatePattern* pattern = datePattern(locale, style);
  if (pattern == nullptr || !isValidDate(date)) return kInvalidValue;
  return write(locale, *pattern, DateTimeValue{date, 0}, buffer, capacity);
}

FormatResult formatTime(const DateLocale& locale, double seconds, std::int32_t style,
                        ZQChar* buffer, std::int64_t capacity) {
  const DatePattern* pattern = timePattern(locale, style);
  if (pattern == nullptr) return kInvalidValue;
  if (std::isnan(seconds)) return {ZQ_NLS_MISSING_VALUE, 0};
  if (!(seconds >= 0 && seconds < kSecondsPerDay)) return kInvalidValue;
  const DateTimeValue value{CivilDate{0, 0, 0}, static_cast<std::int32_t>(seconds)};
  return write(locale, *pattern, value, buffer, capacity);
}

FormatResult formatDatetime(const DateLocale& locale, double datetime, std::int32_t options,
                            ZQChar* buffer, std::int64_t capacity) {
  const DatePattern* pattern = datetimePattern(locale, options);
  if (pattern == nullptr) return kInvalidValue;
  if (std::isnan(datetime)) return {ZQ_NLS_MISSING_VALUE, 0};
  const std::optional<DayAndSecond> split = splitDatetime(datetime);
  if (!split) return kInvalidValue;
  const DateTimeValue value{dateOfDay(split->days), split->second_of_day};
  return write(locale, *pattern, value, buffer, capacity);
}

ParsedDate parseDate(const DateLocale& locale, const ZQChar* text, std::int64_t length,
                     std::int32_t options) {
  assert(usableUnits(text, length));
  return resultOf<ParsedDate>(
      readDateOption(locale, options, text, length),
      [](const DateTimeValue& value) { return value.date; }, CivilDate{0, 0, 0});
}

ParsedDouble parseTime(const DateLocale& locale, const ZQChar* text, std::int64_t length,
                       std::int32_t options) {
  assert(usableUnits(text, length));
  return resultOf<ParsedDouble>(
      readTimeOption(locale, options, text, length),
      [](const DateTimeValue& value) { return static_cast<double>(value.second_of_day); },
      kMissingValue);
}

ParsedDouble parseDatetime(const DateLocale& locale, const ZQChar* text, std::int64_t length,
                           std::int32_t options) {
  assert(usableUnits(text, length));
  return resultOf<ParsedDouble>(
      readDatetimeOption(locale, options, text, length),
      [](const DateTimeValue& value) {
        return datetimeOf(daysSinceEpoch(value.date), value.second_of_day);
      },
      kMissingValue);
}

}  // namespace zq::host
