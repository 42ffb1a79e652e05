// Wide-string and memory primitives: lengths, copies, comparisons and duplication into a
// pool. The fills, scans and all-equal tests go through kstr/forms_select.cpp.
#include <cstdint>
#include <cstring>

#include "zq/zqvnle.h"

namespace {

// Above this many bytes a copy between regions that lie more than n bytes apart goes to
// the platform's bulk copy; below it, or when the regions are close, it goes byte by byte.
constexpr std::size_t kBulkCopyAbove = 96;

// The distance between two addresses, whichever comes first.
std::uintptr_t distance(const void* a, const void* b) {
  const auto x = reinterpret_cast<std::uintptr_t>(a);
  const auto y = reinterpret_cast<std::uintptr_t>(b);
  return x > y ? x - y : y - x;
}

// Forwards, from the lowest address up, two bytes a step and then the odd last byte.
// Every byte is read after the bytes before it were written, so when the destination
// starts inside the source the leading bytes repeat.
void copyForwards(const unsigned char* src, unsigned char* dst, std::size_t n) {
  std::size_t i = 0;
  for (; i + 1 < n; i += 2) {
    dst[i] = src[i];
    dst[i + 1] = src[i + 1];
  }
  if (i < n) dst[i] = src[i];
}

void copyAsMemCpy(const unsigned char* src, unsigned char* dst, std::size_t n) {
  if (n > kBulkCopyAbove && distance(src, dst) > n) {
    std::memcpy(dst, src, n);
    return;
  }
  copyForwards(src, dst, n);
}

}  // namespace

extern "C" {

zq::Status vdUnsup() { return zq::ZQ_UNSUPPORTED; }

std::size_t vdStrLen(const char* s) {
  if (s == nullptr) return 0;
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

std::size_t vdStrTLen(const zq::ZQChar* s) {
  if (s == nullptr) return 0;
  std::size_t n = 0;
  while (s[n] != 0) ++n;
  return n;
}

void vdStrCpy(const char* src, char* dst) {
  if (dst == nullptr) return;
  if (src == nullptr) {
    dst[0] = 0;
    return;
  }
  std::size_t i = 0;
  while ((dst[i] = src[i]) != 0) ++i;
}

void vdStrTCpy(const zq::ZQChar* src, zq::ZQChar* dst) {
  if (dst == nullptr) return;
  if (src == nullptr) {
    dst[0] = 0;
    return;
  }
  std::size_t i = 0;
  while ((dst[i] = src[i]) != 0) ++i;
}

int vdMemCmp(const void* a, const void* b, std::size_t n) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  for (std::size_t i = 0; i < n; ++i) {
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  }
  return 0;
}

int vdWMemCmp(const zq::ZQChar* a, const zq::ZQChar* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    // The difference taken modulo 2^32 and read as signed: numeric order for units
    // below 0x80000000.
    const auto difference = static_cast<std::int32_t>(a[i] - b[i]);
    return difference < 0 ? -1 : 1;
  }
  return 0;
}

void vdMemCpy(const void* src, void* dst, std::size_t n) {
  if (n == 0) return;
  copyAsMemCpy(static_cast<const unsigned char*>(src), static_cast<unsigned char*>(dst), n);
}

void vdMemSCpy(const void* source, void* destination, std::size_t n) {
  if (n == 0) return;
  const auto* src = static_cast<const unsigned char*>(source);
  auto* dst = static_cast<unsigned char*>(destination);
  const auto s = reinterpret_cast<std::uintptr_t>(src);
  const auto t = reinterpret_cast<std::uintptr_t>(dst);
  if (!(s < t && t < s + n)) {
    // The destination lies at or below the source, or the regions do not meet: a
    // forward copy reads every byte before it is overwritten.
    copyAsMemCpy(src, dst, n);
    return;
  }
  // The destination starts inside the source, d bytes up; the last r source bytes are
  // the first r destination bytes.
  const std::size_t d = t - s;
  const std::size_t r = n - d;
  if (d >= r) {
    // The overlapped tail moves clear of itself, then the untouched head follows.
    std::memcpy(dst + d, dst, r);
    std::memcpy(dst, src, d);
    return;
  }
  // The source's last d bytes go to the destination's end first; the rest of the
  // overlap then moves up by d, from the highest byte down so that nothing is read after
  // it was overwritten; the source's first d bytes come last.
  std::memcpy(dst + n - d, dst + n - 2 * d, d);
  for (std::size_t i = n - 2 * d; i > 0; --i) dst[i - 1 + d] = dst[i - 1];
  std::memcpy(dst, src, d);
}

void* vdMemDup(const void* src, std::size_t n, zq::MemoryPool* pool) {
  if (src == nullptr || pool == nullptr) return nullptr;
  void* block = pool->AllocateMemory(pool, n, 0);
  if (block == nullptr) return nullptr;
  if (n != 0) std::memcpy(block, src, n);
  return block;
}

}  // extern "C"
