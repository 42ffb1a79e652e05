// The text localiser shared by the suites: one pass over texts of at most 72 units.
#include "suites/common/separators.h"

namespace zq::suite {

std::int64_t localiseText(const ZQChar* text, std::int64_t length, ZQChar decimal,
                          ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  const std::int64_t n = length < capacity ? length : capacity;
  for (std::int64_t i = 0; i < n; ++i) {
    const ZQChar unit = text[i];
    out[i] = unit == '.' ? decimal : unit == ',' ? grouping : unit;
  }
  return n < 0 ? 0 : n;
}

}  // namespace zq::suite
