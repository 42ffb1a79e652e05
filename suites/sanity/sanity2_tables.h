// Vector records of zqvnleSanity2's number-parsing sections, and their tables.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::sanity {

// Units of the input field of an integer-parsing record.
constexpr std::int64_t kLocaleBufferInputUnits = 40;

// One integer-parsing vector, run in every LocaleInfo locale. The expected value that
// counts is the one of the function's result type: `expected_int` for codes 10-12,
// `expected_uint` for 14-16, `expected_long` for 13 and `expected_ulong` for 17.
struct LocaleBufferRecord {
  std::int32_t function;  // a ParseFunction code
  std::int32_t options;
  ZQChar input[kLocaleBufferInputUnits];  // not terminated; input_length units count
  std::uint64_t input_length;
  std::int32_t decimal_position;  // 1-based index of the decimal point, 0 for none
  std::int32_t expected_int;
  std::uint32_t expected_uint;
  std::int32_t filler;
  std::int64_t expected_long;
  std::uint64_t expected_ulong;
  std::uint64_t expected_length;  // units consumed
  Status status;
};

// zqvnl_localebuffer_list: integer parsing with the decimal part ignored.
std::span<const LocaleBufferRecord> localeBufferList();

// Units of the input field of a space-grouping record.
constexpr std::int64_t kSpaceGroupingInputUnits = 100;

// One space-grouping vector, run in its own locale. Integer codes expect the value of
// their result type (as in LocaleBufferRecord); code 18 expects `expected_double`,
// or a missing value when the status is not ZQ_OK.
struct SpaceGroupingRecord {
  std::int32_t function;  // a ParseFunction code
  std::int32_t options;
  const ZQChar* locale;
  std::uint64_t locale_length;
  ZQChar input[kSpaceGroupingInputUnits];  // input_length units count
  std::uint64_t input_length;
  std::int32_t expected_int;
  std::uint32_t expected_uint;
  std::int64_t expected_long;
  std::uint64_t expected_ulong;
  double expected_double;
  std::uint64_t expected_length;  // units consumed
  Status status;
};

// zqvnl_localebuffer_spacegrouping, in test-number order.
std::span<const SpaceGroupingRecord> spaceGroupingList();

// One buffer-to-double vector, run in every LocaleInfo locale.
struct LocaleBufferToDoubleRecord {
  ZQChar input[kLocaleBufferInputUnits];  // input_length units count
  std::uint64_t input_length;
  std::int32_t decimal_position;  // 1-based index of the decimal point, 0 for none
  std::int32_t filler;
  double expected_value;
  std::uint64_t expected_length;  // units consumed
  Status status;
};

// zqvnl_localebuffertodouble_list.
std::span<const LocaleBufferToDoubleRecord> localeBufferToDoubleList();

}  // namespace zq::sanity
