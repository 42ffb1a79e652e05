// The 16-byte vector form of the text localiser (SSE2, part of every x86-64 processor).
#if defined(__x86_64__)

#include <immintrin.h>

#include "suites/common/localise_forms.h"
#include "suites/common/localise_loop.h"

namespace zq::suite {
namespace {

struct Sse2 {
  using Vec = __m128i;
  static constexpr std::int64_t kBytes = 16;
  static Vec load(const ZQChar* p) { return _mm_loadu_si128(reinterpret_cast<const Vec*>(p)); }
  static void store(ZQChar* p, Vec v) { _mm_storeu_si128(reinterpret_cast<Vec*>(p), v); }
  static Vec splat32(ZQChar u) { return _mm_set1_epi32(static_cast<int>(u)); }
  static Vec equal32(Vec a, Vec b) { return _mm_cmpeq_epi32(a, b); }
  static Vec both(Vec a, Vec b) { return _mm_and_si128(a, b); }
  static Vec either(Vec a, Vec b) { return _mm_or_si128(a, b); }
  static Vec andNot(Vec mask, Vec v) { return _mm_andnot_si128(mask, v); }
};

}  // namespace

std::int64_t localiseTextSse2(const ZQChar* text, std::int64_t length, ZQChar decimal,
                              ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  return localise_loop::localise<Sse2>(text, length, decimal, grouping, out, capacity);
}

}  // namespace zq::suite

#endif  // __x86_64__
