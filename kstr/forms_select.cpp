// Probes the processor once, at the library's start, picks the fastest form of the hot
// routines, and routes the exported names to it; the all-equal tests run on its scans.
#include <atomic>
#include <cstdint>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include "kstr/forms.h"
#include "zq/zqvnle.h"

namespace zq::kstr {
namespace {

#if defined(__x86_64__)
// The extended register state the operating system saves on a context switch (XCR0),
// or 0 when it does not say.
unsigned savedRegisterState() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return 0;
  constexpr unsigned kOsSavesExtendedState = 1u << 27;
  if ((ecx & kOsSavesExtendedState) == 0) return 0;
  unsigned xcr0_low = 0, xcr0_high = 0;
  __asm__ volatile("xgetbv" : "=a"(xcr0_low), "=d"(xcr0_high) : "c"(0));
  return xcr0_low;
}

// AVX2 needs the instructions (AVX too) and an operating system that saves the 256-bit
// registers (XCR0 bits 1 and 2).
bool processorRunsAvx2() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return false;
  constexpr unsigned kAvx = 1u << 28;
  constexpr unsigned kXmmAndYmmState = 0x6;
  if ((ecx & kAvx) == 0 || (savedRegisterState() & kXmmAndYmmState) != kXmmAndYmmState) {
    return false;
  }
  if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
  constexpr unsigned kAvx2 = 1u << 5;
  return (ebx & kAvx2) != 0;
}

// AVX-512 F, BW and VL, and an operating system that saves the mask and 512-bit
// registers (XCR0 bits 5 to 7).
bool processorRunsAvx512() {
  if (!processorRunsAvx2()) return false;
  constexpr unsigned kAllVectorState = 0xE6;
  if ((savedRegisterState() & kAllVectorState) != kAllVectorState) return false;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
  constexpr unsigned kAvx512F = 1u << 16;
  constexpr unsigned kAvx512Bw = 1u << 30;
  constexpr unsigned kAvx512Vl = 1u << 31;
  return (ebx & kAvx512F) != 0 && (ebx & kAvx512Bw) != 0 && (ebx & kAvx512Vl) != 0;
}

// The 64-byte form also needs a processor that runs 512-bit vectors at its full clock.
// Intel processors lower the clock of the whole core for a while after 512-bit
// instructions, which costs the code around a short scan more than the scan gains: on
// one of the Sapphire Rapids generation, a single 4 KiB scan with 64-byte vectors after
// 2 ms without any cost the scalar code after it 0.3 to 1.1 us, thirty to a hundred
// times what the wider vectors save, and one with 32-byte vectors (in either encoding)
// nothing measurable. AMD processors do not, so the form is taken on those only.
bool processorRunsAvx512Freely() {
  if (!processorRunsAvx512()) return false;
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) return false;
  constexpr unsigned kAuth = 0x68747541, kEnti = 0x69746E65, kCamd = 0x444D4163;  // "AuthenticAMD"
  return ebx == kAuth && edx == kEnti && ecx == kCamd;
}
#endif

std::size_t probeStringFillFrom() {
#if defined(__x86_64__)
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  constexpr unsigned kEnhancedStringStores = 1u << 9;
  if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return SIZE_MAX;
  if ((ebx & kEnhancedStringStores) == 0) return SIZE_MAX;
  constexpr unsigned kCacheLeaf = 0x80000006;
  if (static_cast<unsigned>(__get_cpuid_max(0x80000000, nullptr)) < kCacheLeaf) return SIZE_MAX;
  if (__get_cpuid(kCacheLeaf, &eax, &ebx, &ecx, &edx) == 0) return SIZE_MAX;
  const std::size_t l2_kib = ecx >> 16;
  if (l2_kib == 0) return SIZE_MAX;
  return l2_kib * 1024 < kLeastStringFill ? kLeastStringFill : l2_kib * 1024;
#else
  return SIZE_MAX;
#endif
}

VectorForm probeBestForm() {
#if defined(__x86_64__)
  // SSE2 is part of every x86-64 processor.
  if (processorRunsAvx512Freely()) return VectorForm::kAvx512;
  return processorRunsAvx2() ? VectorForm::kAvx2 : VectorForm::kSse2;
#else
  return VectorForm::kPortable;
#endif
}

const FormRoutines* routinesOf(VectorForm form) {
#if defined(__x86_64__)
  switch (form) {
    case VectorForm::kPortable:
      return &kPortableRoutines;
    case VectorForm::kSse2:
      return &kSse2Routines;
    case VectorForm::kAvx2:
      return processorRunsEvex() ? &kAvx2EvexRoutines : &kAvx2Routines;
    case VectorForm::kAvx512:
      return &kAvx512Routines;
  }
#endif
  static_cast<void>(form);
  return &kPortableRoutines;
}

// The table the exported names call through, so that a call costs a load and an
// indirect jump and nothing else. It starts as a form that every processor of the
// architecture runs and takes the best form's at the library's start (chooseAtStart).
// Relaxed ordering suffices: every value ever stored points at a constant table.
#if defined(__x86_64__)
constinit std::atomic<const FormRoutines*> g_active{&kSse2Routines};
#else
constinit std::atomic<const FormRoutines*> g_active{&kPortableRoutines};
#endif

}  // namespace

VectorForm bestVectorForm() {
  static const VectorForm best = probeBestForm();
  return best;
}

std::size_t stringFillFrom() {
  static const std::size_t from = probeStringFillFrom();
  return from;
}

#if defined(__x86_64__)
bool processorRunsEvex() {
  static const bool runs = processorRunsAvx512();
  return runs;
}
#endif

const FormRoutines& activeRoutines() { return *g_active.load(std::memory_order_relaxed); }

bool forceVectorForm(VectorForm form) {
  // The forms are ordered: a processor that takes one runs every lower one.
  if (static_cast<int>(form) > static_cast<int>(bestVectorForm())) return false;
  g_active.store(routinesOf(form), std::memory_order_relaxed);
  return true;
}

void resetVectorForm() { g_active.store(routinesOf(bestVectorForm()), std::memory_order_relaxed); }

namespace {

// The choice, made before the static initializers of default priority run, in this
// library and in a program it is linked into: they may call the exported names.
[[gnu::constructor(101)]] void chooseAtStart() { resetVectorForm(); }

}  // namespace

}  // namespace zq::kstr

using zq::kstr::activeRoutines;

extern "C" {

void vdMemSet(void* p, int c, std::size_t n) { activeRoutines().mem_set(p, c, n); }

void vdMemTSet(zq::ZQChar* p, zq::ZQChar c, std::size_t n) { activeRoutines().mem_tset(p, c, n); }

std::int64_t vdMemScan(const void* p, std::size_t n, int c) {
  return activeRoutines().mem_scan(p, n, c);
}

std::int64_t vdMemNScan(const void* p, std::size_t n, int c) {
  return activeRoutines().mem_nscan(p, n, c);
}

std::int64_t vdMemTNScan(const zq::ZQChar* p, std::size_t n, zq::ZQChar c) {
  return activeRoutines().mem_tnscan(p, n, c);
}

// The all-equal tests are the scans for a unit that differs, finding none.
int vdMemNot(int c, const void* p, std::size_t n) {
  return n == 0 || activeRoutines().mem_nscan(p, n, c) < 0 ? 1 : 0;
}

int vdMemTNot(zq::ZQChar c, const zq::ZQChar* p, std::size_t n) {
  return n == 0 || activeRoutines().mem_tnscan(p, n, c) < 0 ? 1 : 0;
}

void vdStrUp(char* s, std::int64_t n) { activeRoutines().str_up(s, n); }

void vdStrLow(char* s, std::int64_t n) { activeRoutines().str_low(s, n); }

void zqzstmin(zq::ZQChar* s, std::int64_t n) { activeRoutines().to_min(s, n); }

void zqzstmax(zq::ZQChar* s, std::int64_t n) { activeRoutines().to_max(s, n); }

}  // extern "C"
