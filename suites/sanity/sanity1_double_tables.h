// Vector records of zqvnleSanity1's percent, currency, double and extended-options families.
#pragma once

#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_tables.h"
#include "zq/host_objects.h"

namespace zq::sanity {

// A percent or currency record: one CheckText, the capacity is always the whole buffer.
struct AmountFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  double value;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  CheckText checktext;
  FormatEntry formats[4];
  std::int64_t spare_length;
  Status status;
};

struct DoubleFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  double value;
  std::int32_t width;
  std::int32_t precision;  // may be negative
  std::int32_t options;
  CheckText checktext[4];
  FormatEntry formats[4];
  std::int64_t capacity;  // not positive: the whole output buffer
  std::int64_t spare_length;
  Status status;
};

// An extended-options record formats the ordinary missing value instead of `value` when
// `missing` is non-zero.
struct DoubleExOptsRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  double value;
  std::int32_t missing;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  FormatEntry formats[4];
  std::int64_t expected_length;
  ExOpts ex_opts;
  Status status;
};

// The tables, in test-number order (test n is element n - 1).
std::span<const AmountFormatRecord> percentFormatTable();
std::span<const AmountFormatRecord> currencyFormatTable();
std::span<const DoubleFormatRecord> doubleFormatTable();
std::span<const DoubleExOptsRecord> doubleExOptsTable();

}  // namespace zq::sanity
