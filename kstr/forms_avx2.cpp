// The 32-byte vector form of the hot string routines (AVX2); compiled with -mavx2 and
// called only when the processor has it (kstr/forms_select.cpp).
#if defined(__x86_64__)

#include <immintrin.h>

#include "kstr/characters.h"
#include "kstr/forms.h"
#include "kstr/vector_loops.h"
#include "kstr/vectors_256.h"

namespace zq::kstr {
namespace {

struct Avx2 : Vectors256 {
  // Fills of 32 to 1136 bytes are unaligned vectors; from 1137 bytes the destination is
  // brought to a 32-byte boundary first.
  static constexpr std::size_t kAlignedFillFrom = 1137;

  // Fills that outgrow the L2 cache go to the processor's string store (see stringFillFrom).
  static constexpr bool kStringFills = true;

  static void store(void* p, Vec v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
  static Vec both(Vec a, Vec b) { return _mm256_and_si256(a, b); }
  static Vec either(Vec a, Vec b) { return _mm256_or_si256(a, b); }
  // As in the 16-byte form: first..first+25 move to -128..-103, everything else above.
  static Vec toggleAsciiRange(Vec v, char first) {
    const Vec moved = _mm256_add_epi8(v, _mm256_set1_epi8(static_cast<char>(0x80 - first)));
    const Vec letters = _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(-128 + 26)), moved);
    return _mm256_xor_si256(v, _mm256_and_si256(letters, _mm256_set1_epi8(0x20)));
  }
};

// Eight units a step, both table levels read with gathers. Lanes at or above 0x10000
// (including values that are no code point) and lanes of unmapped blocks are masked out
// of the gathers and keep a delta of 0. The odd units at the end go in pairs.
void toVariant(ZQChar* s, std::int64_t count, ExtremeTables tables) {
  if (s == nullptr || count <= 0) return;
  const auto n = static_cast<std::size_t>(count);
  const Avx2::Vec block_count = _mm256_set1_epi32(512);
  const Avx2::Vec offset_in_block = _mm256_set1_epi32(127);
  const Avx2::Vec unmapped = _mm256_set1_epi32(-1);
  const auto* meta = reinterpret_cast<const int*>(tables.meta);
  const auto* shift = reinterpret_cast<const int*>(tables.shift);
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const Avx2::Vec units = Avx2::load(s + i);
    // A logical shift keeps every block number non-negative, so the signed comparison
    // holds for units from 0x80000000 on too.
    const Avx2::Vec block = _mm256_srli_epi32(units, 7);
    const Avx2::Vec in_table = _mm256_cmpgt_epi32(block_count, block);
    const Avx2::Vec entry = _mm256_mask_i32gather_epi32(unmapped, meta, block, in_table, 4);
    const Avx2::Vec mapped = _mm256_cmpgt_epi32(entry, unmapped);
    if (_mm256_movemask_epi8(mapped) == 0) continue;
    const Avx2::Vec index = _mm256_add_epi32(entry, _mm256_and_si256(units, offset_in_block));
    const Avx2::Vec delta =
        _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), shift, index, mapped, 4);
    Avx2::store(s + i, _mm256_add_epi32(units, delta));
  }
  vector_loops::caseVariantsInPairs<Avx2>(s, i, n, tables.meta, tables.shift);
}

}  // namespace

void avx2ToMin(ZQChar* s, std::int64_t n) { toVariant(s, n, leastVariantTables()); }
void avx2ToMax(ZQChar* s, std::int64_t n) { toVariant(s, n, greatestVariantTables()); }

constinit const FormRoutines kAvx2Routines =
    vector_loops::formRoutines<Avx2>(VectorForm::kAvx2, avx2ToMin, avx2ToMax);

constinit const FormRoutines kAvx2EvexRoutines = [] {
  FormRoutines routines = vector_loops::formRoutines<Avx2>(VectorForm::kAvx2, avx2ToMin, avx2ToMax);
  routines.mem_scan = evexMemScan;
  routines.mem_nscan = evexMemNScan;
  routines.mem_tnscan = evexMemTNScan;
  return routines;
}();

}  // namespace zq::kstr

#endif  // __x86_64__
