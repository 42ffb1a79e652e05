// Date, time and datetime formats and parsers over a locale's date record: the rules
// of the locale handle's date words, formats (words 37, 38, 59) and parsers (words 47,
// 48, 49), each a choice of the locale's pattern run through the one pattern engine.
//
// Formats. Date styles 0, 1 and 2 (LOCALE_DATE_SHORT, LONG and FULL) are the locale's
// short (numeric), long and full forms; time styles 0 and 1 its twelve- and
// twenty-four-hour clocks; datetime option 0 its datetime form. Any other style or
// option, a date that does not exist or lies outside years 1-9999, a time outside
// [0, 86400), an infinite datetime or one outside those years gives
// ZQ_NLS_INVALID_VALUE; a NaN time or datetime (a missing value) gives
// ZQ_NLS_MISSING_VALUE. Fractions of a second are dropped. A text longer than the
// capacity is written up to the capacity, which is reported as its length, with
// ZQ_NLS_FMT_TRUNCATE; nothing is ever written past the capacity. On any status but
// ZQ_OK and ZQ_NLS_FMT_TRUNCATE nothing is written and the length is 0.
//
// Parsers read the text under the pattern the option word names (the same styles as
// the formats; date styles for dates, 0 for datetimes, time styles for times), or
// leniently under LOCALE_DATE_LENIENT (all three), or as a quarter, month or week
// under LOCALE_DATE_YYQQ, YYMM and YYWW (dates only; see date_lenient.h). A text the
// form does not fit, or which names no date or time, gives ZQ_NLS_DTIFMTERR, as does
// an option word that names no form (with nothing consumed). The consumed count is
// the units read (see readDateText, readLenient and readPeriod). On failure the date
// is (0, 0, 0) and a datetime or time the ordinary missing value.
//
// The words (date_operations.cpp) answer a null handle, a negative capacity or
// length, or a null buffer or text with a positive one with ZQ_NLS_INVALID_VALUE,
// length 0 or nothing consumed (and a parser's failure value); any of their output
// pointers may be null.
#pragma once

#include <cstdint>

#include "host/nls/calendar.h"
#include "host/nls/conversion_result.h"
#include "host/nls/date_data.h"

namespace zq::host {

// The formats, into `buffer` of `capacity` units. Precondition:
// usableUnits(buffer, capacity).
FormatResult formatDate(const DateLocale& locale, CivilDate date, std::int32_t style,
                        ZQChar* buffer, std::int64_t capacity);
FormatResult formatTime(const DateLocale& locale, double seconds, std::int32_t style,
                        ZQChar* buffer, std::int64_t capacity);
FormatResult formatDatetime(const DateLocale& locale, double datetime, std::int32_t options,
                            ZQChar* buffer, std::int64_t capacity);

struct ParsedDate {
  Status status;
  CivilDate date;  // (0, 0, 0) for every status but ZQ_OK
  std::int64_t consumed;
};

// The parsers of text[0, length): a date, a time as seconds since midnight, a
// datetime as seconds since 1960-01-01 00:00. Precondition: usableUnits(text, length).
ParsedDate parseDate(const DateLocale& locale, const ZQChar* text, std::int64_t length,
                     std::int32_t options);
ParsedDouble parseTime(const DateLocale& locale, const ZQChar* text, std::int64_t length,
                       std::int32_t options);
ParsedDouble parseDatetime(const DateLocale& locale, const ZQChar* text, std::int64_t length,
                           std::int32_t options);

}  // namespace zq::host
