// Vector records of zqvnleSanity1's date, time, datetime and time-parsing families.
#pragma once

#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_tables.h"

namespace zq::sanity {

// A date to format: month, day and year as given (they may name no date), the style
// (0 numeric, 1 medium, 2 long) and the capacity (not positive: the whole buffer).
struct DateFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  std::int32_t month;
  std::int32_t day;
  std::int32_t year;
  std::int32_t style;
  CheckText checktext;
  std::int64_t capacity;
  FormatEntry formats[4];
  Status status;
};

// A time of day to format, in seconds since midnight; style 0 is the twelve-hour
// clock, 1 the twenty-four-hour clock. A record that expects ZQ_NLS_MISSING_VALUE and
// holds 0.0 stands for the ordinary missing value.
struct TimeFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  double seconds;
  std::int32_t style;
  CheckText checktext;
  std::int64_t capacity;
  FormatEntry formats[4];
  Status status;
};

// A datetime text to parse and format back: the whole text (up to its first zero unit)
// is parsed, and the format must give back `input_length` units of it.
struct BufferToDatetimeRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  double expected_datetime;  // seconds since 1960-01-01 00:00:00
  std::int64_t expected_length;  // units consumed
  std::int32_t options;
  Status status;
};

// A time text to parse: `input_length` units of `inputbuf`; the value is whole seconds
// since midnight.
struct BufferToTimeRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  std::int32_t options;
  std::int32_t expected_value;
  std::int64_t expected_length;  // units consumed
  Status status;
};

// locale_date_format, locale_time_format, locale_bufferto_datetime and
// locale_buffer_to_time, in test-number order.
std::span<const DateFormatRecord> dateFormatTable();
std::span<const TimeFormatRecord> timeFormatTable();
std::span<const BufferToDatetimeRecord> bufferToDatetimeTable();
std::span<const BufferToTimeRecord> bufferToTimeTable();

}  // namespace zq::sanity
