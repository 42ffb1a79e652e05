// The 32-byte vector form of the text localiser (AVX2); compiled with -mavx2 and called only when the processor has it.
#if defined(__x86_64__)

#include <immintrin.h>

#include "suites/common/localise_forms.h"

namespace zq::suite {

// Each vector of units: lanes equal to "." take the decimal separator, lanes equal to ","
// the grouping one, the others keep their unit; the tail goes one unit at a time. Only
// intrinsics and plain loops here, so nothing compiled for this form is shared with
// code that runs on any processor.
std::int64_t localiseTextAvx2(const ZQChar* text, std::int64_t length, ZQChar decimal,
                              ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  const std::int64_t n = length < capacity ? length : capacity;
  if (n <= 0) return 0;
  constexpr std::int64_t kUnits = 32 / sizeof(ZQChar);
  const __m256i period = _mm256_set1_epi32('.');
  const __m256i comma = _mm256_set1_epi32(',');
  const __m256i decimals = _mm256_set1_epi32(static_cast<int>(decimal));
  const __m256i groupings = _mm256_set1_epi32(static_cast<int>(grouping));
  std::int64_t i = 0;
  for (; i + kUnits <= n; i += kUnits) {
    const __m256i units = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + i));
    const __m256i is_period = _mm256_cmpeq_epi32(units, period);
    const __m256i is_comma = _mm256_cmpeq_epi32(units, comma);
    const __m256i kept = _mm256_andnot_si256(_mm256_or_si256(is_period, is_comma), units);
    const __m256i swapped = _mm256_or_si256(_mm256_and_si256(is_period, decimals), _mm256_and_si256(is_comma, groupings));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_or_si256(kept, swapped));
  }
  for (; i < n; ++i) {
    const ZQChar unit = text[i];
    out[i] = unit == '.' ? decimal : unit == ',' ? grouping : unit;
  }
  return n;
}

}  // namespace zq::suite

#endif  // __x86_64__
