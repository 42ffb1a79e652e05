// Plain one-unit-a-step loops: the anchors the vector forms are measured against.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zq::bench {

// Index of the first byte equal to c, or -1.
std::int64_t scalarScan(const unsigned char* p, std::size_t n, unsigned char c);
// Index of the first unit not equal to c, or -1.
std::int64_t scalarUnitNScan(const std::uint32_t* p, std::size_t n, std::uint32_t c);
void scalarFill(unsigned char* p, unsigned char c, std::size_t n);
void scalarUnitFill(std::uint32_t* p, std::uint32_t c, std::size_t n);

}  // namespace zq::bench
