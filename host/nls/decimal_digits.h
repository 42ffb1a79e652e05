// Decimal digits of a double, rounded the way each decimal-conversion mode rounds.
#pragma once

#include <cassert>
#include <charconv>
#include <cstdint>

namespace zq::host {

// 10^exponent, for an exponent from 0 to 19.
inline std::uint64_t powerOfTen(int exponent) {
  static constexpr std::uint64_t kPowers[20] = {
      1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL,
      100000000ULL, 1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL,
      10000000000000ULL, 100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL,
      100000000000000000ULL, 1000000000000000000ULL, 10000000000000000000ULL};
  assert(exponent >= 0 && exponent <= 19);
  return kPowers[exponent];
}

// std::to_chars(first, last, value, format, precision) for the fixed and scientific
// formats: the same characters and the same result for every argument. A positive value
// whose rounded digits number 19 or fewer gets them from exact integer arithmetic on its
// binary value; any other call is std::to_chars' own.
std::to_chars_result toCharsRounded(char* first, char* last, double value,
                                    std::chars_format format, int precision);

// How the host turns binary doubles into decimal digits; the kernel's mode word
// chooses (0 STDIEEE, non-zero COMPATIBLE).
enum class DecimalMode : std::uint8_t { kStdIeee, kCompatible };

// A non-negative decimal d1.d2...dn x 10^exponent with no trailing zeros: every
// digit past `count` is 0. Zero is the single digit '0' at exponent 0.
struct Decimal {
  // Above the 767 significant digits of the longest exact expansion of a double.
  static constexpr int kCapacity = 800;
  char digits[kCapacity];
  int count;
  int exponent;

  bool isZero() const { return digits[0] == '0'; }
  // The digit at 10^power; '0' outside the digits.
  char at(std::int64_t power) const {
    const std::int64_t index = exponent - power;
    return index >= 0 && index < count ? digits[index] : '0';
  }
};

// The digits of one finite, non-negative magnitude as `mode` gives them:
//   STDIEEE     the exact binary value, correctly rounded, ties to even;
//   COMPATIBLE  the held digits (an integral value's exact digits, any other
//               value's shortest round-trip digits cut to 14) rounded half away
//               from zero.
class DecimalDigits {
 public:
  DecimalDigits(double magnitude, DecimalMode mode);

  // Rounded to `n` >= 1 significant digits (digits past the exact ones are 0).
  void significant(std::int64_t n, Decimal& out) const;
  // Rounded at 10^-`d`, d >= 0.
  void decimals(std::int64_t d, Decimal& out) const;
  // The power of ten of the leading digit before rounding (0 for zero).
  int exponent() const;
  // Whether rounding at 10^-`d` keeps every digit the mode holds.
  bool exactAt(std::int64_t d) const;

 private:
  double magnitude_;
  DecimalMode mode_;
  Decimal held_;  // COMPATIBLE only
};

}  // namespace zq::host
