// Missing values: the table of their bit patterns, lookup by character, array test.
#include <bit>
#include <cmath>
#include <cstdint>

#include "zq/zqvnle.h"

namespace {

// Slot k (1..28) holds (0xFFFFFF - (k - 1)) << 40: sign, all exponent bits and a
// 13-bit payload, so every missing value is a quiet NaN. Slot 0 is 0.0.
constexpr double missingSlot(int k) {
  return k == 0 ? 0.0 : std::bit_cast<double>(static_cast<std::uint64_t>(0xFFFFFF - (k - 1)) << 40);
}

constexpr int kOrdinarySlot = 2;  // "."
constexpr int kUnderscoreSlot = 1;
constexpr int kFirstLetterSlot = 3;  // "A"

}  // namespace

extern "C" {

double vdmissv_struct[29] = {
    missingSlot(0),  missingSlot(1),  missingSlot(2),  missingSlot(3),  missingSlot(4),
    missingSlot(5),  missingSlot(6),  missingSlot(7),  missingSlot(8),  missingSlot(9),
    missingSlot(10), missingSlot(11), missingSlot(12), missingSlot(13), missingSlot(14),
    missingSlot(15), missingSlot(16), missingSlot(17), missingSlot(18), missingSlot(19),
    missingSlot(20), missingSlot(21), missingSlot(22), missingSlot(23), missingSlot(24),
    missingSlot(25), missingSlot(26), missingSlot(27), missingSlot(28)};

double vdMissVal(std::int32_t c) {
  if (c >= 'A' && c <= 'Z') return vdmissv_struct[kFirstLetterSlot + (c - 'A')];
  if (c >= 'a' && c <= 'z') return vdmissv_struct[kFirstLetterSlot + (c - 'a')];
  if (c == '_' || c == '-') return vdmissv_struct[kUnderscoreSlot];
  return vdmissv_struct[kOrdinarySlot];
}

int vdMissArray(const double* values, std::uint64_t n) {
  if (values == nullptr) return 0;
  for (std::uint64_t i = 0; i < n; ++i) {
    if (std::isnan(values[i])) return 1;
  }
  return 0;
}

}  // extern "C"
