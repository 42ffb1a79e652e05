// The 16-byte vector form of the text localiser (SSE2, part of every x86-64 processor).
#if defined(__x86_64__)

#include <immintrin.h>

#include "suites/common/localise_forms.h"

namespace zq::suite {

// Each vector of units: lanes equal to "." take the decimal separator, lanes equal to ","
// the grouping one, the others keep their unit; the tail goes one unit at a time. Only
// intrinsics and plain loops here, so nothing compiled for this form is shared with
// code that runs on any processor.
std::int64_t localiseTextSse2(const ZQChar* text, std::int64_t length, ZQChar decimal,
                              ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  const std::int64_t n = length < capacity ? length : capacity;
  if (n <= 0) return 0;
  constexpr std::int64_t kUnits = 16 / sizeof(ZQChar);
  const __m128i period = _mm_set1_epi32('.');
  const __m128i comma = _mm_set1_epi32(',');
  const __m128i decimals = _mm_set1_epi32(static_cast<int>(decimal));
  const __m128i groupings = _mm_set1_epi32(static_cast<int>(grouping));
  std::int64_t i = 0;
  for (; i + kUnits <= n; i += kUnits) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    const __m128i is_period = _mm_cmpeq_epi32(units, period);
    const __m128i is_comma = _mm_cmpeq_epi32(units, comma);
    const __m128i kept = _mm_andnot_si128(_mm_or_si128(is_period, is_comma), units);
    const __m128i swapped = _mm_or_si128(_mm_and_si128(is_period, decimals), _mm_and_si128(is_comma, groupings));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_or_si128(kept, swapped));
  }
  for (; i < n; ++i) {
    const ZQChar unit = text[i];
    out[i] = unit == '.' ? decimal : unit == ',' ? grouping : unit;
  }
  return n;
}

}  // namespace zq::suite

#endif  // __x86_64__
