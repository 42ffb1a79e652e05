// The vector record and table of zqvnleSanity1's buffer-to-double family.
#pragma once

#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_tables.h"

namespace zq::sanity {

// The input is `input_length` units of `inputbuf`, which may be shorter than the text.
// The value is compared exactly; a NaN never equals, so every row expects a number.
struct BufferToDoubleRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  double expected_value;
  std::int64_t expected_length;  // units consumed
  Status status;
};

// locale_buffer_to_double, in test-number order.
std::span<const BufferToDoubleRecord> bufferToDoubleTable();

}  // namespace zq::sanity
