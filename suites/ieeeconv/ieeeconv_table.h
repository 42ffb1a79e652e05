// The format vectors of zqvnleIEEEConv: one call each, with its result in both modes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::ieeeconv {

// Units of each expected text field; a text and its terminator fit with room to spare.
constexpr std::int64_t kTextUnits = 144;

// One vector. The expected texts are written with "." as decimal point and "," between
// digit groups; the suite localises them for each locale.
struct FormatVector {
  double value;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  std::int32_t buffer_length;  // capacity announced to the operations, at most 72
  ZQChar compatible_text[kTextUnits];
  ZQChar stdieee_text[kTextUnits];
  std::uint64_t compatible_length;
  std::uint64_t stdieee_length;
  std::uint64_t third_length;  // equal to compatible_length; not read
  Status compatible_status;
  Status stdieee_status;
  Status third_status;  // equal to compatible_status; not read
  std::uint32_t filler;
};
static_assert(offsetof(FormatVector, compatible_text) == 24);
static_assert(offsetof(FormatVector, stdieee_text) == 24 + 4 * kTextUnits);
static_assert(offsetof(FormatVector, compatible_length) == 24 + 8 * kTextUnits);
static_assert(offsetof(FormatVector, compatible_status) == 48 + 8 * kTextUnits);
static_assert(sizeof(FormatVector) == 64 + 8 * kTextUnits);

// Tests 1 to 22 in order (test n is element n - 1).
std::span<const FormatVector> formatVectors();

}  // namespace zq::ieeeconv
