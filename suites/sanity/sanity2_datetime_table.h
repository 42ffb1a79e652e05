// zqvnleSanity2's date/time vectors: one parse per record, under one date option word.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::sanity {

// Units of a record's input field; only the first `input_length` count.
constexpr std::int64_t kDatetimeInputUnits = 100;

// The parse a record runs; any other value runs none.
enum class DatetimeFunction : std::int32_t { kDate = 1, kDatetime = 2, kTime = 3 };

// One vector. Date records expect `month`, `day` and `year`; datetime records
// `value` in seconds since 1960-01-01 00:00:00, time records in seconds since
// midnight. The input has at most 80 units (the suite's working buffer), which the
// table checks when it compiles.
struct DatetimeRecord {
  const ZQChar* locale;
  std::uint64_t locale_length;
  std::int32_t function;  // a DatetimeFunction
  std::int32_t options;   // a LOCALE_DATE_* word
  ZQChar input[kDatetimeInputUnits];
  std::uint64_t input_length;
  std::int32_t month;
  std::int32_t day;
  std::int32_t year;
  double value;
  std::uint64_t consumed;
  Status status;
};

// zqvnl_datetime_list: the 231 records, TEST01 first.
std::span<const DatetimeRecord> datetimeList();

}  // namespace zq::sanity
