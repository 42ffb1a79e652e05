// The 32-byte vector operations that the AVX2 form (kstr/forms_avx2.cpp) and its scans in
// the AVX-512 VL encoding (kstr/forms_evex.cpp) share.
//
// The struct lies in an anonymous namespace on purpose: each including file gets its own
// copy, compiled with that file's instruction set (see kstr/vector_loops.h).
#pragma once

#if defined(__x86_64__)

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace zq::kstr {
namespace {

struct Vectors256 {
  using Vec = __m256i;
  static constexpr std::size_t kBytes = 32;
  using Mask = std::uint32_t;
  static constexpr Mask kFullMask = 0xFFFFFFFF;

  static Vec load(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
  static Vec splat8(unsigned char b) { return _mm256_set1_epi8(static_cast<char>(b)); }
  static Vec splat32(std::uint32_t u) { return _mm256_set1_epi32(static_cast<int>(u)); }
  static Vec equal8(Vec a, Vec b) { return _mm256_cmpeq_epi8(a, b); }
  static Mask byteMask(Vec v) { return static_cast<Mask>(_mm256_movemask_epi8(v)); }
};

}  // namespace
}  // namespace zq::kstr

#endif  // __x86_64__
