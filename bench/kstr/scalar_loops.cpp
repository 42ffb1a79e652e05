// Plain one-unit-a-step loops, compiled without vectorizing (bench/kstr/CMakeLists.txt).
#include "bench/kstr/scalar_loops.h"

namespace zq::bench {

std::int64_t scalarScan(const unsigned char* p, std::size_t n, unsigned char c) {
  for (std::size_t i = 0; i < n; ++i) {
    if (p[i] == c) return static_cast<std::int64_t>(i);
  }
  return -1;
}

std::int64_t scalarUnitNScan(const std::uint32_t* p, std::size_t n, std::uint32_t c) {
  for (std::size_t i = 0; i < n; ++i) {
    if (p[i] != c) return static_cast<std::int64_t>(i);
  }
  return -1;
}

void scalarFill(unsigned char* p, unsigned char c, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) p[i] = c;
}

void scalarUnitFill(std::uint32_t* p, std::uint32_t c, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) p[i] = c;
}

}  // namespace zq::bench
