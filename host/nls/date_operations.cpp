// The locale handle's date and time operations: formats (words 37, 38, 59) and
// parsers (words 47, 48, 49), each a choice of the locale's pattern run through the
// one pattern engine.
//
// Formats. Date styles 0, 1 and 2 are the locale's short (numeric), long and full
// forms; time styles 0 and 1 its twelve- and twenty-four-hour clocks; datetime option
// 0 its datetime form. Any other style or option, a date that does not exist or lies
// outside years 1-9999, a time outside [0, 86400), an infinite datetime or one outside
// those years gives ZQ_NLS_INVALID_VALUE; a NaN time or datetime (a missing value)
// gives ZQ_NLS_MISSING_VALUE. Fractions of a second are dropped. A text longer than
// the capacity is written up to the capacity, which is reported as its length, with
// ZQ_NLS_FMT_TRUNCATE; nothing is ever written past the capacity. A negative capacity
// or a null buffer with a positive capacity gives ZQ_NLS_INVALID_VALUE. On any status
// but ZQ_OK and ZQ_NLS_FMT_TRUNCATE nothing is written and the length is 0.
//
// Parsers read the text under the pattern the option word names (the same styles as
// the formats; date styles for dates, 0 for datetimes, time styles for times), or
// leniently under LOCALE_DATE_LENIENT (all three), or as a quarter, month or week
// under LOCALE_DATE_YYQQ, YYMM and YYWW (dates only; see date_lenient.h). A text the
// form does not fit, or which names no date or time, gives ZQ_NLS_DTIFMTERR, as does
// an option word that names no form (with nothing consumed). The consumed count is
// the units read (see readDateText, readLenient and readPeriod). A null handle, a
// negative length or a null text with a positive length gives ZQ_NLS_INVALID_VALUE
// with nothing consumed. On failure the date is
// (0, 0, 0) and a datetime or time the ordinary missing value. Any output pointer may
// be null.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "host/nls/date_data.h"
#include "host/nls/date_lenient.h"
#include "host/nls/double_parse.h"
#include "host/nls/service.h"

namespace zq::host {
namespace {

template <typename T>
void put(T* out, T value) {
  if (out != nullptr) *out = value;
}

const DateLocale* dateLocaleOf(LocaleHandle* handle) {
  return handle != nullptr ? &localeDataOf(handle).dates : nullptr;
}

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

bool outputUsable(const ZQChar* buffer, std::int64_t capacity) {
  return capacity >= 0 && (buffer != nullptr || capacity == 0);
}

// Writes `value` under `pattern` into the caller's buffer, truncated to its capacity.
Status format(const DateLocale& locale, const DatePattern& pattern, const DateTimeValue& value,
              ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length) {
  ZQChar text[kMaxDateTextUnits];
  const auto length = static_cast<std::int64_t>(writeDateText(pattern, locale.names, value, text));
  const std::int64_t written = std::min(length, capacity);
  if (written > 0) std::memcpy(buffer, text, static_cast<std::size_t>(written) * sizeof(ZQChar));
  put(out_length, written);
  return written < length ? ZQ_NLS_FMT_TRUNCATE : ZQ_OK;
}

Status dateFormat(LocaleHandle* handle, std::int32_t month, std::int32_t day, std::int32_t year,
                  std::int32_t style, ZQChar* buffer, std::int64_t capacity,
                  std::int64_t* out_length) {
  put<std::int64_t>(out_length, 0);
  const DateLocale* locale = dateLocaleOf(handle);
  if (locale == nullptr || !outputUsable(buffer, capacity)) return ZQ_NLS_INVALID_VALUE;
  const DatePattern* pattern = datePattern(*locale, style);
  const CivilDate date{year, month, day};
  if (pattern == nullptr || !isValidDate(date)) return ZQ_NLS_INVALID_VALUE;
  return format(*locale, *pattern, DateTimeValue{date, 0}, buffer, capacity, out_length);
}

Status timeFormat(LocaleHandle* handle, double seconds, std::int32_t style, ZQChar* buffer,
                  std::int64_t capacity, std::int64_t* out_length) {
  put<std::int64_t>(out_length, 0);
  const DateLocale* locale = dateLocaleOf(handle);
  if (locale == nullptr || !outputUsable(buffer, capacity)) return ZQ_NLS_INVALID_VALUE;
  const DatePattern* pattern = timePattern(*locale, style);
  if (pattern == nullptr) return ZQ_NLS_INVALID_VALUE;
  if (std::isnan(seconds)) return ZQ_NLS_MISSING_VALUE;
  if (!(seconds >= 0 && seconds < kSecondsPerDay)) return ZQ_NLS_INVALID_VALUE;
  const DateTimeValue value{CivilDate{0, 0, 0}, static_cast<std::int32_t>(seconds)};
  return format(*locale, *pattern, value, buffer, capacity, out_length);
}

Status datetimeFormat(LocaleHandle* handle, double datetime, std::int32_t options,
                      ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length) {
  put<std::int64_t>(out_length, 0);
  const DateLocale* locale = dateLocaleOf(handle);
  if (locale == nullptr || !outputUsable(buffer, capacity)) return ZQ_NLS_INVALID_VALUE;
  const DatePattern* pattern = datetimePattern(*locale, options);
  if (pattern == nullptr) return ZQ_NLS_INVALID_VALUE;
  if (std::isnan(datetime)) return ZQ_NLS_MISSING_VALUE;
  const std::optional<DayAndSecond> split = splitDatetime(datetime);
  if (!split) return ZQ_NLS_INVALID_VALUE;
  const DateTimeValue value{dateOfDay(split->days), split->second_of_day};
  return format(*locale, *pattern, value, buffer, capacity, out_length);
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

// Reads a text for one of the parsers; `read_option` reads it as the option word
// asks. The reading's consumed count is stored, whatever the outcome.
template <typename ReadOption>
Status read(LocaleHandle* handle, const ZQChar* text, std::int64_t length, std::int32_t options,
            ReadOption read_option, DateTimeValue& value, std::int64_t* consumed) {
  put<std::int64_t>(consumed, 0);
  const DateLocale* locale = dateLocaleOf(handle);
  if (locale == nullptr || length < 0 || (text == nullptr && length > 0)) {
    return ZQ_NLS_INVALID_VALUE;
  }
  const std::optional<DateReading> reading = read_option(*locale, options, text, length);
  if (!reading) return ZQ_NLS_DTIFMTERR;
  put(consumed, reading->consumed);
  value = reading->value;
  return reading->ok ? ZQ_OK : ZQ_NLS_DTIFMTERR;
}

Status bufferToDate(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                    std::int32_t options, std::int32_t* month, std::int32_t* day,
                    std::int32_t* year, std::int64_t* consumed) {
  DateTimeValue value{};
  const Status status = read(handle, text, length, options, readDateOption, value, consumed);
  const CivilDate date = status == ZQ_OK ? value.date : CivilDate{0, 0, 0};
  put(month, date.month);
  put(day, date.day);
  put(year, date.year);
  return status;
}

Status bufferToDatetime(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                        std::int32_t options, double* datetime, std::int64_t* consumed) {
  DateTimeValue value{};
  const Status status = read(handle, text, length, options, readDatetimeOption, value, consumed);
  put(datetime, status == ZQ_OK
                    ? datetimeOf(daysSinceEpoch(value.date), value.second_of_day)
                    : kMissingValue);
  return status;
}

Status bufferToTime(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                    std::int32_t options, double* seconds, std::int64_t* consumed) {
  DateTimeValue value{};
  const Status status = read(handle, text, length, options, readTimeOption, value, consumed);
  put(seconds, status == ZQ_OK ? static_cast<double>(value.second_of_day) : kMissingValue);
  return status;
}

}  // namespace

void installDateOperations(LocaleHandle& table) {
  table.zqnlsLocaleDateFormat = dateFormat;
  table.zqnlsLocaleTimeFormat = timeFormat;
  table.zqnlsLocaleDatetimeFormat = datetimeFormat;
  table.zqnlsLocaleBufferToDate = bufferToDate;
  table.zqnlsLocaleBufferToDatetime = bufferToDatetime;
  table.zqnlsLocaleBufferToTime = bufferToTime;
}

}  // namespace zq::host
