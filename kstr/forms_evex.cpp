// The scans of the 32-byte form in the encoding AVX-512 VL and BW add; compiled with
// those instruction sets and called only when the processor has them
// (kstr/forms_select.cpp).
//
// The vectors stay 32 bytes wide: 512-bit instructions lower the clock of some processors
// for a while after them. What the encoding adds is a three-input logical operation and
// comparisons into mask registers, which shorten the combining of a step's vectors into
// one answer (the 32-byte form spends a two-input operation a vector on it).
#if defined(__x86_64__)

#include <immintrin.h>

#include "kstr/forms.h"
#include "kstr/vector_loops.h"
#include "kstr/vectors_256.h"

namespace zq::kstr {
namespace {

struct Evex256 : Vectors256 {
  static constexpr std::size_t kScanStep = 8;

  // The three-input operations, as truth tables over (a, b, c) = (0xF0, 0xCC, 0xAA).
  static constexpr int kAnyOfThree = 0xFE;   // a | b | c
  static constexpr int kOrDiffering = 0xF6;  // a | (b ^ c)

  // Equal bytes: seven comparisons into vectors joined by three three-input ors, and the
  // eighth into a mask register, joined in a general register. Differing bytes: the
  // differences of the eight vectors or-ed together in two chains, one three-input
  // operation a vector, then one test.
  template <bool kEqual>
  static bool qualifies(const unsigned char* p, Vec needle) {
    if constexpr (kEqual) {
      const Vec e0 = equal8(load(p), needle);
      const Vec e1 = equal8(load(p + kBytes), needle);
      const Vec e2 = equal8(load(p + 2 * kBytes), needle);
      const Vec e3 = equal8(load(p + 3 * kBytes), needle);
      const Vec e4 = equal8(load(p + 4 * kBytes), needle);
      const Vec e5 = equal8(load(p + 5 * kBytes), needle);
      const Vec e6 = equal8(load(p + 6 * kBytes), needle);
      const Mask e7 = _mm256_cmpeq_epi8_mask(load(p + 7 * kBytes), needle);
      const Vec first = _mm256_ternarylogic_epi32(e0, e1, e2, kAnyOfThree);
      const Vec second = _mm256_ternarylogic_epi32(e3, e4, e5, kAnyOfThree);
      const Vec any = _mm256_ternarylogic_epi32(first, second, e6, kAnyOfThree);
      return (byteMask(any) | e7) != 0;
    }
    Vec low = _mm256_xor_si256(load(p), needle);
    Vec high = _mm256_xor_si256(load(p + 4 * kBytes), needle);
    for (std::size_t k = 1; k < 4; ++k) {
      low = _mm256_ternarylogic_epi32(low, needle, load(p + k * kBytes), kOrDiffering);
      high = _mm256_ternarylogic_epi32(high, needle, load(p + (4 + k) * kBytes), kOrDiffering);
    }
    const Vec differences = _mm256_or_si256(low, high);
    return _mm256_test_epi8_mask(differences, differences) != 0;
  }

  // The qualifying bytes of the two vectors from p, as one 64-bit mask.
  template <bool kEqual>
  static std::uint64_t pairLanes(const unsigned char* p, Vec needle) {
    const auto lanes = [&](const unsigned char* q) -> std::uint64_t {
      return kEqual ? _mm256_cmpeq_epi8_mask(load(q), needle)
                    : _mm256_cmpneq_epi8_mask(load(q), needle);
    };
    return lanes(p) | lanes(p + kBytes) << 32;
  }

  // A step's eight vectors two at a time, each pair one test. The step that ends a
  // buffer is searched this way from the start: it is often not aligned, and reading its
  // vectors once for the answer and again for the place would cost more than the tests.
  template <bool kEqual>
  static std::size_t firstQualifying(const unsigned char* p, Vec needle) {
    for (std::size_t k = 0; k < 8 * kBytes; k += 2 * kBytes) {
      const std::uint64_t lanes = pairLanes<kEqual>(p + k, needle);
      if (lanes != 0) return k + static_cast<std::size_t>(__builtin_ctzll(lanes));
    }
    return vector_loops::kNoLane;
  }
};

}  // namespace

std::int64_t evexMemScan(const void* p, std::size_t n, int c) {
  return vector_loops::findByte<Evex256, true>(p, n, c);
}

std::int64_t evexMemNScan(const void* p, std::size_t n, int c) {
  return vector_loops::findByte<Evex256, false>(p, n, c);
}

std::int64_t evexMemTNScan(const ZQChar* p, std::size_t n, ZQChar c) {
  return vector_loops::findUnequalUnit<Evex256>(p, n, c);
}

}  // namespace zq::kstr

#endif  // __x86_64__
