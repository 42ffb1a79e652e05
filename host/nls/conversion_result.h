// What the conversion engines return, and the one check the handle words make of the
// buffer or text they hand an engine.
#pragma once

#include <cstdint>

#include "zq/types.h"

namespace zq::host {

// A format's outcome: its status and the length it reports.
struct FormatResult {
  Status status;
  std::int64_t length;
};

// A parse into a double (a number, a time or a datetime): its status, the value and
// the units of the text read.
struct ParsedDouble {
  Status status;
  double value;  // the ordinary missing value (a NaN) for every status but ZQ_OK
  std::int64_t consumed;
};

// Whether `count` units at `units` can be written or read: the count is not negative,
// and a null pointer comes with a count of 0. Every engine requires it of its buffer
// or text; a handle word answers ZQ_NLS_INVALID_VALUE where it fails.
inline bool usableUnits(const void* units, std::int64_t count) {
  return count >= 0 && (units != nullptr || count == 0);
}

}  // namespace zq::host
