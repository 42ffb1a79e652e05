// The portable form of the hot string routines: plain loops, one unit at a time.
//
// This form is the reference the vector forms are tested against, so it stays as
// direct as the contracts it implements.
#include "kstr/characters.h"
#include "kstr/forms.h"

namespace zq::kstr {
namespace {

void memSet(void* p, int c, std::size_t n) {
  if (n == 0) return;
  auto* bytes = static_cast<unsigned char*>(p);
  const auto value = static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = value;
}

void memTSet(ZQChar* p, ZQChar c, std::size_t n) {
  if (n == 0) return;
  for (std::size_t i = 0; i < n; ++i) p[i] = c;
}

std::int64_t memScan(const void* p, std::size_t n, int c) {
  if (p == nullptr) return -1;
  const auto* bytes = static_cast<const unsigned char*>(p);
  const auto value = static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < n; ++i) {
    if (bytes[i] == value) return static_cast<std::int64_t>(i);
  }
  return -1;
}

std::int64_t memNScan(const void* p, std::size_t n, int c) {
  if (p == nullptr) return -1;
  const auto* bytes = static_cast<const unsigned char*>(p);
  const auto value = static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < n; ++i) {
    if (bytes[i] != value) return static_cast<std::int64_t>(i);
  }
  return -1;
}

std::int64_t memTNScan(const ZQChar* p, std::size_t n, ZQChar c) {
  if (p == nullptr) return -1;
  for (std::size_t i = 0; i < n; ++i) {
    if (p[i] != c) return static_cast<std::int64_t>(i);
  }
  return -1;
}

// ASCII letters only: bytes from 0x80 up are kept.
void strUp(char* s, std::int64_t n) {
  if (s == nullptr) return;
  for (std::int64_t i = 0; i < n; ++i) {
    if (s[i] >= 'a' && s[i] <= 'z') s[i] = static_cast<char>(s[i] - 32);
  }
}

void strLow(char* s, std::int64_t n) {
  if (s == nullptr) return;
  for (std::int64_t i = 0; i < n; ++i) {
    if (s[i] >= 'A' && s[i] <= 'Z') s[i] = static_cast<char>(s[i] + 32);
  }
}

// Units go in pairs, then the odd last one.
void toMin(ZQChar* s, std::int64_t n) {
  if (s == nullptr || n <= 0) return;
  std::int64_t i = 0;
  for (; i + 1 < n; i += 2) {
    const ZQChar first = s[i];
    const ZQChar second = s[i + 1];
    s[i] = leastCaseVariant(first);
    s[i + 1] = leastCaseVariant(second);
  }
  if (i < n) s[i] = leastCaseVariant(s[i]);
}

void toMax(ZQChar* s, std::int64_t n) {
  if (s == nullptr || n <= 0) return;
  std::int64_t i = 0;
  for (; i + 1 < n; i += 2) {
    const ZQChar first = s[i];
    const ZQChar second = s[i + 1];
    s[i] = greatestCaseVariant(first);
    s[i + 1] = greatestCaseVariant(second);
  }
  if (i < n) s[i] = greatestCaseVariant(s[i]);
}

}  // namespace

const FormRoutines kPortableRoutines = {
    .form = VectorForm::kPortable,
    .mem_set = memSet,
    .mem_tset = memTSet,
    .mem_scan = memScan,
    .mem_nscan = memNScan,
    .mem_tnscan = memTNScan,
    .str_up = strUp,
    .str_low = strLow,
    .to_min = toMin,
    .to_max = toMax,
};

}  // namespace zq::kstr
