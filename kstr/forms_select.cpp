// Probes the processor once, picks the fastest form of the hot routines, and routes the
// exported names to it on every call.
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
// AVX2 needs the instructions and an operating system that saves the 256-bit registers
// on a context switch (XCR0 bits 1 and 2).
bool processorRunsAvx2() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return false;
  constexpr unsigned kOsSavesExtendedState = 1u << 27;
  constexpr unsigned kAvx = 1u << 28;
  if ((ecx & kOsSavesExtendedState) == 0 || (ecx & kAvx) == 0) return false;
  unsigned xcr0_low = 0, xcr0_high = 0;
  __asm__ volatile("xgetbv" : "=a"(xcr0_low), "=d"(xcr0_high) : "c"(0));
  constexpr unsigned kXmmAndYmmState = 0x6;
  if ((xcr0_low & kXmmAndYmmState) != kXmmAndYmmState) return false;
  if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
  constexpr unsigned kAvx2 = 1u << 5;
  return (ebx & kAvx2) != 0;
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
  return l2_kib == 0 ? SIZE_MAX : l2_kib * 1024;
#else
  return SIZE_MAX;
#endif
}

VectorForm probeBestForm() {
#if defined(__x86_64__)
  // SSE2 is part of every x86-64 processor.
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
      return &kAvx2Routines;
  }
#endif
  static_cast<void>(form);
  return &kPortableRoutines;
}

// Null until the first call; then the routines in use. Relaxed ordering suffices: every
// value ever stored points at a constant table.
std::atomic<const FormRoutines*> g_active{nullptr};

}  // namespace

VectorForm bestVectorForm() {
  static const VectorForm best = probeBestForm();
  return best;
}

std::size_t stringFillFrom() {
  static const std::size_t from = probeStringFillFrom();
  return from;
}

const FormRoutines& activeRoutines() {
  const FormRoutines* active = g_active.load(std::memory_order_relaxed);
  if (active != nullptr) return *active;
  active = routinesOf(bestVectorForm());
  g_active.store(active, std::memory_order_relaxed);
  return *active;
}

bool forceVectorForm(VectorForm form) {
  // The forms are ordered: a processor that runs one runs every lower one.
  if (static_cast<int>(form) > static_cast<int>(bestVectorForm())) return false;
  g_active.store(routinesOf(form), std::memory_order_relaxed);
  return true;
}

void resetVectorForm() { g_active.store(routinesOf(bestVectorForm()), std::memory_order_relaxed); }

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

void vdStrUp(char* s, std::int64_t n) { activeRoutines().str_up(s, n); }

void vdStrLow(char* s, std::int64_t n) { activeRoutines().str_low(s, n); }

void zqzstmin(zq::ZQChar* s, std::int64_t n) { activeRoutines().to_min(s, n); }

void zqzstmax(zq::ZQChar* s, std::int64_t n) { activeRoutines().to_max(s, n); }

}  // extern "C"
