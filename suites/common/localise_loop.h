// The loop shared by the 16-byte and 32-byte forms of the text localiser.
//
// A template over a vector type `V` that the including file defines in its own anonymous
// namespace, so every instantiation stays inside that file and is compiled with that
// file's instruction set (the same rule as the kernel string library's vector loops).
//
// `V` provides: Vec, kBytes, load(p), store(p, v), splat32(u), equal32(a, b),
// both(a, b), either(a, b), andNot(mask, v) (v where mask is clear).
#pragma once

#include <cstdint>

#include "zq/types.h"

namespace zq::suite::localise_loop {

// localiseText's contract: each vector of units takes the decimal separator in lanes
// equal to ".", the grouping one in lanes equal to ",", and keeps its other lanes; the
// tail goes one unit at a time.
template <class V>
std::int64_t localise(const ZQChar* text, std::int64_t length, ZQChar decimal,
                      ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  const std::int64_t n = length < capacity ? length : capacity;
  if (n <= 0) return 0;
  constexpr std::int64_t kUnits = V::kBytes / sizeof(ZQChar);
  const typename V::Vec period = V::splat32('.');
  const typename V::Vec comma = V::splat32(',');
  const typename V::Vec decimals = V::splat32(decimal);
  const typename V::Vec groupings = V::splat32(grouping);
  std::int64_t i = 0;
  for (; i + kUnits <= n; i += kUnits) {
    const typename V::Vec units = V::load(text + i);
    const typename V::Vec is_period = V::equal32(units, period);
    const typename V::Vec is_comma = V::equal32(units, comma);
    const typename V::Vec kept = V::andNot(V::either(is_period, is_comma), units);
    const typename V::Vec swapped =
        V::either(V::both(is_period, decimals), V::both(is_comma, groupings));
    V::store(out + i, V::either(kept, swapped));
  }
  for (; i < n; ++i) {
    const ZQChar unit = text[i];
    out[i] = unit == '.' ? decimal : unit == ',' ? grouping : unit;
  }
  return n;
}

}  // namespace zq::suite::localise_loop
