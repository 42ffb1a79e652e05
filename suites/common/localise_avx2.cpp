// The 32-byte vector form of the text localiser (AVX2); compiled with -mavx2 and called
// only when the processor has it (localiseForm).
#if defined(__x86_64__)

#include <immintrin.h>

#include "suites/common/localise_forms.h"
#include "suites/common/localise_loop.h"

namespace zq::suite {
namespace {

struct Avx2 {
  using Vec = __m256i;
  static constexpr std::int64_t kBytes = 32;
  static Vec load(const ZQChar* p) {
    return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p));
  }
  static void store(ZQChar* p, Vec v) { _mm256_storeu_si256(reinterpret_cast<Vec*>(p), v); }
  static Vec splat32(ZQChar u) { return _mm256_set1_epi32(static_cast<int>(u)); }
  static Vec equal32(Vec a, Vec b) { return _mm256_cmpeq_epi32(a, b); }
  static Vec both(Vec a, Vec b) { return _mm256_and_si256(a, b); }
  static Vec either(Vec a, Vec b) { return _mm256_or_si256(a, b); }
  static Vec andNot(Vec mask, Vec v) { return _mm256_andnot_si256(mask, v); }
};

}  // namespace

std::int64_t localiseTextAvx2(const ZQChar* text, std::int64_t length, ZQChar decimal,
                              ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  return localise_loop::localise<Avx2>(text, length, decimal, grouping, out, capacity);
}

}  // namespace zq::suite

#endif  // __x86_64__
