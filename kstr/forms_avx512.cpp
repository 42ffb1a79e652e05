// The 64-byte vector form of the hot string routines (AVX-512 F and BW); compiled with
// those instruction sets and called only when the processor has them
// (kstr/forms_select.cpp).
#if defined(__x86_64__)

#include <immintrin.h>

#include "kstr/forms.h"
#include "kstr/vector_loops.h"

namespace zq::kstr {
namespace {

struct Avx512 {
  using Vec = __m512i;
  static constexpr std::size_t kBytes = 64;
  using Mask = std::uint64_t;
  static constexpr Mask kFullMask = ~Mask{0};
  // Fills of a vector or more and below 1137 bytes are unaligned vectors, as in the
  // 32-byte form; larger ones bring the destination to a 64-byte boundary first.
  static constexpr std::size_t kAlignedFillFrom = 1137;

  // Fills that outgrow the L2 cache go to the processor's string store (see stringFillFrom).
  static constexpr bool kStringFills = true;

  static Vec load(const void* p) { return _mm512_loadu_si512(p); }
  static void store(void* p, Vec v) { _mm512_storeu_si512(p, v); }
  static Vec splat8(unsigned char b) { return _mm512_set1_epi8(static_cast<char>(b)); }
  static Vec splat32(std::uint32_t u) { return _mm512_set1_epi32(static_cast<int>(u)); }
  // Lanes are the bytes' differences, zero where equal: "both equal" is then their or,
  // "either equal" their unsigned minimum, and one test turns lanes into a mask. That
  // keeps the four-vector steps on the vector units, with one mask move a step.
  static Vec equal8(Vec a, Vec b) { return _mm512_xor_si512(a, b); }
  static Vec both(Vec a, Vec b) { return _mm512_or_si512(a, b); }
  static Vec either(Vec a, Vec b) { return _mm512_min_epu8(a, b); }
  static Mask byteMask(Vec lanes) { return _mm512_testn_epi8_mask(lanes, lanes); }
  // Bytes first..first+25 are those below 26 after subtracting `first`.
  static Vec toggleAsciiRange(Vec v, char first) {
    const __mmask64 letters = _mm512_cmplt_epu8_mask(
        _mm512_sub_epi8(v, _mm512_set1_epi8(first)), _mm512_set1_epi8(26));
    return _mm512_mask_blend_epi8(letters, v, _mm512_xor_si512(v, _mm512_set1_epi8(0x20)));
  }
};

}  // namespace

constinit const FormRoutines kAvx512Routines =
    vector_loops::formRoutines<Avx512>(VectorForm::kAvx512, avx2ToMin, avx2ToMax);

}  // namespace zq::kstr

#endif  // __x86_64__
