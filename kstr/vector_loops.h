// The loop skeletons shared by the 16-byte and 32-byte forms of the hot routines.
//
// Each skeleton is a template over a vector type `V` that the including file defines in
// its own anonymous namespace, so every instantiation stays inside that file and is
// compiled with that file's instruction set. Nothing here may be a plain inline function
// or call a standard-library template: the linker would keep one copy of it for all files,
// possibly one compiled for instructions the processor lacks.
//
// `V` provides:
//   Vec                         the vector register type
//   kBytes                      its width in bytes (16, 32 or 64)
//   Mask                        an unsigned integer of at least kBytes bits
//   kFullMask                   the Mask of a vector whose every byte is equal
//   kAlignedFillFrom            fills of at least this many bytes align the destination
//   kStringFills                whether fills from stringFillFrom() bytes on go to the
//                               processor's string store
//   load(p), store(p, v)        unaligned load and store
//   splat8(b), splat32(u)       every byte b, every 32-bit unit u
//   equal8(a, b)                which bytes of a and b are equal, as a lanes value of
//                               the form's own kind
//   both(a, b), either(a, b)    the lanes equal in both, or in either, of two such values
//   byteMask(e)                 the Mask of lanes e: bit i set where byte i is equal
//   toggleAsciiRange(v, first)  bytes in first..first+25 get bit 0x20 flipped
//
// and, where its scans take their own steps,
//   kScanStep                   the vectors a scan step reads (else 4)
//   qualifies<kEqual>(p, n)     whether some byte of the kScanStep vectors from p equals
//                               (kEqual) or differs from (!kEqual) the needle n's
//                               (else equal8 lanes combined with either or both)
//   firstQualifying<kEqual>(p, n)  the offset from p of the first such byte, or kNoLane
//                               (else the vectors' Masks one at a time)
//
// The scans visit units in ascending order and report the lowest qualifying index;
// every skeleton gives the same result as the portable form for every input.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "kstr/forms.h"
#include "zq/types.h"

namespace zq::kstr::vector_loops {

// Bytes from p up to the next multiple of V::kBytes (0 when p is already there).
template <class V>
std::size_t bytesToAlignment(const void* p) {
  const auto address = reinterpret_cast<std::uintptr_t>(p);
  return static_cast<std::size_t>((V::kBytes - (address % V::kBytes)) % V::kBytes);
}

template <class V>
std::size_t smaller(std::size_t a, std::size_t b) {
  return a < b ? a : b;
}

// The index of the lowest set bit of a non-zero mask.
template <class V>
std::size_t lowestBit(typename V::Mask mask) {
  return static_cast<std::size_t>(__builtin_ctzll(mask));
}

// The lanes of the vector at p that qualify: bytes equal to the needle's (kEqual) or
// differing from them (!kEqual), as a Mask.
template <class V, bool kEqual>
typename V::Mask qualifyingLanes(const unsigned char* p, typename V::Vec needle) {
  const typename V::Mask equal = V::byteMask(V::equal8(V::load(p), needle));
  return kEqual ? equal : ~equal & V::kFullMask;
}

// The vectors a scan step reads.
template <class V>
constexpr std::size_t scanStep() {
  if constexpr (requires { V::kScanStep; }) return V::kScanStep;
  return 4;
}

// Whether some lane of the scanStep<V>() vectors from p qualifies.
template <class V, bool kEqual>
bool stepQualifies(const unsigned char* p, typename V::Vec needle) {
  // The else keeps the combination below from being compiled for a form without either
  // and both.
  if constexpr (requires { V::template qualifies<kEqual>(p, needle); }) {
    return V::template qualifies<kEqual>(p, needle);
  } else {
    static_assert(scanStep<V>() == 4);
    const auto e0 = V::equal8(V::load(p), needle);
    const auto e1 = V::equal8(V::load(p + V::kBytes), needle);
    const auto e2 = V::equal8(V::load(p + 2 * V::kBytes), needle);
    const auto e3 = V::equal8(V::load(p + 3 * V::kBytes), needle);
    if constexpr (kEqual) return V::byteMask(V::either(V::either(e0, e1), V::either(e2, e3))) != 0;
    return V::byteMask(V::both(V::both(e0, e1), V::both(e2, e3))) != V::kFullMask;
  }
}

// No qualifying lane.
constexpr std::size_t kNoLane = SIZE_MAX;

// The offset from p of the first qualifying lane of the scanStep<V>() vectors from p, or
// kNoLane. Inlined, as findLane below is, for the needle's register.
template <class V, bool kEqual>
[[gnu::always_inline]] inline std::size_t firstInStep(const unsigned char* p,
                                                     typename V::Vec needle) {
  if constexpr (requires { V::template firstQualifying<kEqual>(p, needle); }) {
    return V::template firstQualifying<kEqual>(p, needle);
  }
  if (!stepQualifies<V, kEqual>(p, needle)) return kNoLane;
  constexpr std::size_t kLastVector = (scanStep<V>() - 1) * V::kBytes;
  std::size_t k = 0;
  for (; k < kLastVector; k += V::kBytes) {
    const typename V::Mask lanes = qualifyingLanes<V, kEqual>(p + k, needle);
    if (lanes != 0) return k + lowestBit<V>(lanes);
  }
  return k + lowestBit<V>(qualifyingLanes<V, kEqual>(p + k, needle));
}

// The offset of the first qualifying byte of s[0..n), or -1; n is at least a vector.
//
// The first vector is read where s starts, the next `step` bytes on (1 to V::kBytes: the
// distance to a vector boundary, unless the caller's units keep it from aligning), and
// from there on scanStep<V>() vectors a step, the last step ending where s ends. The reads
// overlap bytes already found not to qualify, so no byte is visited one at a time and
// none outside s is read. Every read lies a multiple of the units' size from s, which
// keeps a needle of wider units in step with them. Inlined into each scan, so that the
// needle stays in its register and each scan's loop is laid out on its own.
template <class V, bool kEqual>
[[gnu::always_inline]] inline std::int64_t findLane(const unsigned char* s, std::size_t n,
                                                    typename V::Vec needle, std::size_t step) {
  assert(n >= V::kBytes && step >= 1 && step <= V::kBytes);
  constexpr std::size_t kStepBytes = scanStep<V>() * V::kBytes;
  const typename V::Mask head = qualifyingLanes<V, kEqual>(s, needle);
  if (head != 0) return static_cast<std::int64_t>(lowestBit<V>(head));
  if (n < kStepBytes) {
    // Whole vectors after the first, then the one that ends the buffer.
    std::size_t i = V::kBytes;
    for (; i < n - V::kBytes; i += V::kBytes) {
      const typename V::Mask lanes = qualifyingLanes<V, kEqual>(s + i, needle);
      if (lanes != 0) return static_cast<std::int64_t>(i + lowestBit<V>(lanes));
    }
    const typename V::Mask lanes = qualifyingLanes<V, kEqual>(s + n - V::kBytes, needle);
    return lanes != 0 ? static_cast<std::int64_t>(n - V::kBytes + lowestBit<V>(lanes)) : -1;
  }
  const unsigned char* const last = s + n - kStepBytes;
  for (const unsigned char* p = s + step; p < last; p += kStepBytes) {
    if (stepQualifies<V, kEqual>(p, needle)) {
      return static_cast<std::int64_t>(p - s) +
             static_cast<std::int64_t>(firstInStep<V, kEqual>(p, needle));
    }
  }
  const std::size_t first = firstInStep<V, kEqual>(last, needle);
  return first == kNoLane ? -1 : static_cast<std::int64_t>(n - kStepBytes + first);
}

// Index of the first byte that equals (kEqual) or differs from (!kEqual) `value`, or -1.
template <class V, bool kEqual>
std::int64_t findByte(const void* p, std::size_t n, int c) {
  if (p == nullptr) return -1;
  const auto* s = static_cast<const unsigned char*>(p);
  const auto value = static_cast<unsigned char>(c);
  if (n < V::kBytes) {
    for (std::size_t i = 0; i < n; ++i) {
      if ((s[i] == value) == kEqual) return static_cast<std::int64_t>(i);
    }
    return -1;
  }
  const std::size_t to_boundary = V::kBytes - reinterpret_cast<std::uintptr_t>(s) % V::kBytes;
  return findLane<V, kEqual>(s, n, V::splat8(value), to_boundary);
}

// Index of the first 32-bit unit that differs from `value`, or -1. The units are
// compared byte by byte: the first byte that differs lies in the first unit that does.
template <class V>
std::int64_t findUnequalUnit(const ZQChar* s, std::size_t n, ZQChar value) {
  if (s == nullptr) return -1;
  constexpr std::size_t kUnits = V::kBytes / sizeof(ZQChar);
  if (n < kUnits) {
    for (std::size_t i = 0; i < n; ++i) {
      if (s[i] != value) return static_cast<std::int64_t>(i);
    }
    return -1;
  }
  // A buffer off the 4-byte grid never reaches a vector boundary in whole units; it is
  // read with unaligned vectors throughout.
  const std::size_t to_boundary = V::kBytes - reinterpret_cast<std::uintptr_t>(s) % V::kBytes;
  const std::size_t step = to_boundary % sizeof(ZQChar) == 0 ? to_boundary : V::kBytes;
  const std::int64_t byte = findLane<V, false>(reinterpret_cast<const unsigned char*>(s),
                                               n * sizeof(ZQChar), V::splat32(value), step);
  return byte < 0 ? -1 : byte / static_cast<std::int64_t>(sizeof(ZQChar));
}

// Stores `c` into n bytes. Below one vector the bytes go one at a time; up to
// V::kAlignedFillFrom whole unaligned vectors cover them, the last one ending at the
// buffer's end; from there on the destination is brought to a vector boundary first,
// unless the form leaves so large a fill to a string store.
template <class V>
void fillBytes(void* p, int c, std::size_t n) {
  if (n == 0) return;
  auto* d = static_cast<unsigned char*>(p);
  const auto value = static_cast<unsigned char>(c);
  if (n < V::kBytes) {
    for (std::size_t i = 0; i < n; ++i) d[i] = value;
    return;
  }
  const typename V::Vec v = V::splat8(value);
  std::size_t i = 0;
  if (n >= V::kAlignedFillFrom) {
    if (V::kStringFills && n >= kLeastStringFill && n >= stringFillFrom()) {
      __asm__ volatile("rep stosb" : "+D"(d), "+c"(n) : "a"(value) : "memory");
      return;
    }
    i = bytesToAlignment<V>(d);
    if (i != 0) V::store(d, v);  // the bytes up to the boundary, and a few past it
    for (; i + 4 * V::kBytes <= n; i += 4 * V::kBytes) {
      V::store(d + i, v);
      V::store(d + i + V::kBytes, v);
      V::store(d + i + 2 * V::kBytes, v);
      V::store(d + i + 3 * V::kBytes, v);
    }
  }
  for (; i + V::kBytes <= n; i += V::kBytes) V::store(d + i, v);
  if (i < n) V::store(d + n - V::kBytes, v);
}

// Stores `c` into n 32-bit units, the same way as fillBytes (a large fill is one string
// store of 32-bit units).
template <class V>
void fillUnits(ZQChar* d, ZQChar c, std::size_t n) {
  if (n == 0) return;
  constexpr std::size_t kUnits = V::kBytes / sizeof(ZQChar);
  if (n < kUnits) {
    for (std::size_t i = 0; i < n; ++i) d[i] = c;
    return;
  }
  const std::size_t bytes = n * sizeof(ZQChar);
  if (V::kStringFills && bytes >= kLeastStringFill && bytes >= stringFillFrom()) {
    __asm__ volatile("rep stosl" : "+D"(d), "+c"(n) : "a"(c) : "memory");
    return;
  }
  const typename V::Vec v = V::splat32(c);
  std::size_t i = 0;
  const std::size_t to_boundary = bytesToAlignment<V>(d);
  // Aligning only keeps the pattern in step when the buffer lies on the 4-byte grid.
  if (bytes >= V::kAlignedFillFrom && to_boundary % sizeof(ZQChar) == 0) {
    if (to_boundary != 0) V::store(d, v);
    i = to_boundary / sizeof(ZQChar);
    for (; i + 4 * kUnits <= n; i += 4 * kUnits) {
      V::store(d + i, v);
      V::store(d + i + kUnits, v);
      V::store(d + i + 2 * kUnits, v);
      V::store(d + i + 3 * kUnits, v);
    }
  }
  for (; i + kUnits <= n; i += kUnits) V::store(d + i, v);
  if (i < n) V::store(d + n - kUnits, v);
}

// Flips the case of the ASCII letters first..first+25 ('a' upper-cases, 'A' lower-cases);
// every other byte is kept. The start is aligned one byte at a time.
template <class V>
void toggleAsciiCase(char* s, std::int64_t count, char first) {
  if (s == nullptr || count <= 0) return;
  const auto n = static_cast<std::size_t>(count);
  const char last = static_cast<char>(first + 25);
  std::size_t i = 0;
  const std::size_t head = smaller<V>(n, bytesToAlignment<V>(s));
  for (; i < head; ++i) {
    if (s[i] >= first && s[i] <= last) s[i] = static_cast<char>(s[i] ^ 0x20);
  }
  for (; i + V::kBytes <= n; i += V::kBytes) {
    V::store(s + i, V::toggleAsciiRange(V::load(s + i), first));
  }
  for (; i < n; ++i) {
    if (s[i] >= first && s[i] <= last) s[i] = static_cast<char>(s[i] ^ 0x20);
  }
}

// c moved to the least or greatest member of its case class by the two-level tables
// (kstr/characters.h); code points from 0x10000 on are kept.
template <class V>
ZQChar caseVariantOf(ZQChar c, const std::int32_t* meta, const std::int32_t* shift) {
  if (c >= 0x10000) return c;
  const std::int32_t entry = meta[c >> 7];
  if (entry < 0) return c;
  return static_cast<ZQChar>(static_cast<std::int32_t>(c) + shift[entry + (c & 127)]);
}

// Units from..n-1 moved to their case variants two at a time, then the odd last one.
template <class V>
void caseVariantsInPairs(ZQChar* s, std::size_t from, std::size_t n, const std::int32_t* meta,
                         const std::int32_t* shift) {
  std::size_t i = from;
  for (; i + 1 < n; i += 2) {
    const ZQChar first = s[i];
    const ZQChar second = s[i + 1];
    s[i] = caseVariantOf<V>(first, meta, shift);
    s[i + 1] = caseVariantOf<V>(second, meta, shift);
  }
  if (i < n) s[i] = caseVariantOf<V>(s[i], meta, shift);
}

// Upper-cases and lower-cases ASCII letters: vdStrUp and vdStrLow.
template <class V>
void upperAscii(char* s, std::int64_t n) {
  toggleAsciiCase<V>(s, n, 'a');
}
template <class V>
void lowerAscii(char* s, std::int64_t n) {
  toggleAsciiCase<V>(s, n, 'A');
}

// A form's routines: the skeletons over V, with the form's own case-variant routines.
template <class V>
constexpr FormRoutines formRoutines(VectorForm form, void (*to_min)(ZQChar*, std::int64_t),
                                    void (*to_max)(ZQChar*, std::int64_t)) {
  return FormRoutines{
      .form = form,
      .mem_set = fillBytes<V>,
      .mem_tset = fillUnits<V>,
      .mem_scan = findByte<V, true>,
      .mem_nscan = findByte<V, false>,
      .mem_tnscan = findUnequalUnit<V>,
      .str_up = upperAscii<V>,
      .str_low = lowerAscii<V>,
      .to_min = to_min,
      .to_max = to_max,
  };
}

}  // namespace zq::kstr::vector_loops
