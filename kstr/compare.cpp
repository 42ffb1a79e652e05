// Exact, case-insensitive and blank-padded comparison of ZQChar strings given as
// (pointer, length), and stripping of trailing blanks.
#include <cstdint>
#include <cstring>

#include "kstr/characters.h"
#include "zq/zqvnle.h"

using zq::ZQChar;
using zq::kstr::lowerThroughTables;

namespace {

// Strings shorter than this are lower-cased as whole copies on the stack.
constexpr std::int64_t kStackCopyUnits = 256;

// The blanks of mode 2: the space and every other white-space code point that is no
// control (the Unicode 9.0 space separators plus U+2028 and U+2029).
bool isSeparatorBlank(ZQChar c) {
  switch (c) {
    case 0x20:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

bool isBlank(ZQChar c, std::int32_t mode) {
  if (mode == 0) return c == 0x20;
  if (mode == 2) return isSeparatorBlank(c);
  return zqnlsisspace(c) != 0;
}

}  // namespace

extern "C" {

int zqzsCompare(const ZQChar* a, std::int64_t a_length, const ZQChar* b, std::int64_t b_length) {
  if (a_length != b_length) return 0;
  for (std::int64_t i = 0; i < a_length; ++i) {
    if (a[i] != b[i]) return 0;
  }
  return 1;
}

int zqzseqn(const ZQChar* a, std::int64_t a_length, const ZQChar* b, std::int64_t b_length) {
  if (a_length != b_length) return 0;
  for (std::int64_t i = 0; i < a_length; ++i) {
    if (lowerThroughTables(a[i]) != lowerThroughTables(b[i])) return 0;
  }
  return 1;
}

int zqzsCompareNorm(const ZQChar* a, std::int64_t a_length, const ZQChar* b,
                    std::int64_t b_length) {
  if (a_length != b_length) return 0;
  const std::int64_t n = a_length;
  if (n <= 0) return 1;
  if (n < kStackCopyUnits) {
    ZQChar a_lower[kStackCopyUnits];
    ZQChar b_lower[kStackCopyUnits];
    std::memcpy(a_lower, a, static_cast<std::size_t>(n) * sizeof(ZQChar));
    std::memcpy(b_lower, b, static_cast<std::size_t>(n) * sizeof(ZQChar));
    zqzstlo(a_lower, n);
    zqzstlo(b_lower, n);
    return zqzsCompare(a_lower, n, b_lower, n);
  }
  for (std::int64_t i = 0; i < n; ++i) {
    ZQChar x = a[i];
    ZQChar y = b[i];
    zqzstlo(&x, 1);
    zqzstlo(&y, 1);
    if (x != y) return 0;
  }
  return 1;
}

std::int32_t zqzsncmp(const ZQChar* a, std::int64_t a_length, const ZQChar* b,
                      std::int64_t b_length) {
  // A negative length holds no units; taken as given it would send the blank test
  // below to units before the start of the longer string.
  const std::int64_t m = a_length > 0 ? a_length : 0;
  const std::int64_t n = b_length > 0 ? b_length : 0;
  const std::int64_t k = m < n ? m : n;
  std::int32_t tie = 0;
  for (std::int64_t i = 0; i < k; ++i) {
    if (a[i] == b[i]) continue;
    // Units compare as signed 32-bit values, the same order as code points.
    if (tie == 0) tie = static_cast<std::int32_t>(a[i]) < static_cast<std::int32_t>(b[i]) ? -1 : 1;
    const auto a_lower = static_cast<std::int32_t>(lowerThroughTables(a[i]));
    const auto b_lower = static_cast<std::int32_t>(lowerThroughTables(b[i]));
    if (a_lower < b_lower) return -2;
    if (a_lower > b_lower) return 2;
  }
  if (m == n) return tie;
  if (m < n) {
    return vdMemTNot(0x20, b + m, static_cast<std::size_t>(n - m)) != 0 ? tie : -2;
  }
  return vdMemTNot(0x20, a + n, static_cast<std::size_t>(m - n)) != 0 ? tie : 2;
}

std::int64_t zqzsStripBlanks(const ZQChar* s, std::int64_t length, std::int32_t mode) {
  // A negative length holds no units; handing it back would give callers a negative
  // length to use.
  std::int64_t n = length > 0 ? length : 0;
  while (n > 0 && isBlank(s[n - 1], mode)) --n;
  return n;
}

}  // extern "C"
