// The one text localiser: a period-comma text rewritten for a locale's separators.
#pragma once

#include <cstdint>

#include "zq/types.h"

namespace zq::suite {

// Copies `length` units of `text`, written with "." as decimal point and "," between
// digit groups, into `out`, exchanging both in one pass: "." becomes `decimal` and ","
// becomes `grouping` ("1,234.5" becomes "1.234,5" for a comma-period locale, never
// "1,234,5"). Every other unit is copied unchanged. Writes at most `capacity` units
// and returns the number written; `out` is not terminated.
std::int64_t localiseText(const ZQChar* text, std::int64_t length, ZQChar decimal,
                          ZQChar grouping, ZQChar* out, std::int64_t capacity);

}  // namespace zq::suite
