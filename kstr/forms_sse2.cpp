// The 16-byte vector form of the hot string routines (SSE2, present on every x86-64).
#if defined(__x86_64__)

#include <emmintrin.h>

#include "kstr/characters.h"
#include "kstr/forms.h"
#include "kstr/vector_loops.h"

namespace zq::kstr {
namespace {

struct Sse2 {
  using Vec = __m128i;
  static constexpr std::size_t kBytes = 16;
  using Mask = std::uint32_t;
  static constexpr Mask kFullMask = 0xFFFF;
  // Fills of a vector or more always start by reaching a vector boundary.
  static constexpr std::size_t kAlignedFillFrom = kBytes;

  // Every fill uses vector stores.
  static constexpr bool kStringFills = false;

  static Vec load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
  static void store(void* p, Vec v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
  static Vec splat8(unsigned char b) { return _mm_set1_epi8(static_cast<char>(b)); }
  static Vec splat32(std::uint32_t u) { return _mm_set1_epi32(static_cast<int>(u)); }
  static Vec equal8(Vec a, Vec b) { return _mm_cmpeq_epi8(a, b); }
  static Vec both(Vec a, Vec b) { return _mm_and_si128(a, b); }
  static Vec either(Vec a, Vec b) { return _mm_or_si128(a, b); }
  static Mask byteMask(Vec v) { return static_cast<Mask>(_mm_movemask_epi8(v)); }
  // Adding 0x80 - first moves first..first+25 to -128..-103 and every other byte above,
  // so one signed comparison finds the letters.
  static Vec toggleAsciiRange(Vec v, char first) {
    const Vec moved = _mm_add_epi8(v, _mm_set1_epi8(static_cast<char>(0x80 - first)));
    const Vec letters = _mm_cmpgt_epi8(_mm_set1_epi8(static_cast<char>(-128 + 26)), moved);
    return _mm_xor_si128(v, _mm_and_si128(letters, _mm_set1_epi8(0x20)));
  }
};

// SSE2 has no gather: the table lookups go unit by unit, in pairs, with the tables read
// directly rather than through a call per unit.
void toVariant(ZQChar* s, std::int64_t n, ExtremeTables tables) {
  if (s == nullptr || n <= 0) return;
  vector_loops::caseVariantsInPairs<Sse2>(s, 0, static_cast<std::size_t>(n), tables.meta,
                                          tables.shift);
}
void toMin(ZQChar* s, std::int64_t n) { toVariant(s, n, leastVariantTables()); }
void toMax(ZQChar* s, std::int64_t n) { toVariant(s, n, greatestVariantTables()); }

}  // namespace

constinit const FormRoutines kSse2Routines =
    vector_loops::formRoutines<Sse2>(VectorForm::kSse2, toMin, toMax);

}  // namespace zq::kstr

#endif  // __x86_64__
