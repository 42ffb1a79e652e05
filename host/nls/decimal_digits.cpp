// Decimal digits of a double: std::to_chars gives every digit, or for short ones exact
// integer arithmetic; this file picks the precision, reads the digits back, and for
// COMPATIBLE rounds the held digits half away from zero.
#include "host/nls/decimal_digits.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

#include "host/nls/number_text.h"

namespace zq::host {
namespace {

// ---------------------------------------------------------------------------
// Rounded digits by integer arithmetic. A finite double is m x 2^e exactly, with m
// below 2^53, so value x 10^scale is a quotient of two integers; where they fit in 128
// bits, the integer part and the remainder come exactly, and the remainder decides the
// rounding as printf's (and std::to_chars') half to even on the binary value does.

using Uint128 = unsigned __int128;

// The most digits taken here: any number below 10^19 is a std::uint64_t, and so is
// one more after rounding.
constexpr int kIntegerDigits = 19;

// Sets `rounded` to value x 10^scale rounded to an integer, half to even, and returns
// true when that is below 10^19 and |scale| <= 19; false otherwise. Precondition:
// `value` is positive and finite.
bool roundedScaled(double value, int scale, std::uint64_t& rounded) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  // value = m x 2^e; a subnormal has no hidden bit.
  const std::uint64_t m = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int e = std::max(biased, 1) - 1075;
  // value x 10^scale = numerator / (tens x 2^twos). The numerator stays below 2^127
  // (m < 2^53, 2^10 x 10^19 < 2^74), and so does the denominator: 2^126 with tens = 1,
  // else 10^19 x 2^63 at most.
  if (scale < -kIntegerDigits || scale > kIntegerDigits || e > 10 ||
      e < (scale >= 0 ? -126 : -63)) {
    return false;
  }
  Uint128 numerator = Uint128{m} << std::max(e, 0);
  if (scale > 0) numerator *= powerOfTen(scale);
  const int twos = std::max(-e, 0);
  const std::uint64_t tens = scale < 0 ? powerOfTen(-scale) : 1;
  // Divided by 2^twos, then by tens: floor(floor(n / a) / b) is floor(n / ab).
  // With tens > 1 the value is below 2^63 (e <= 10), and so is the integer part:
  // this bounds the quotient with tens = 1 only.
  const Uint128 halved = numerator >> twos;
  if (halved >= powerOfTen(kIntegerDigits)) return false;
  const auto whole = static_cast<std::uint64_t>(halved);
  rounded = scale < 0 ? whole / tens : whole;
  const Uint128 remainder =
      (Uint128{whole - rounded * tens} << twos) | (numerator - (halved << twos));
  const Uint128 twice_remainder = 2 * remainder;
  const Uint128 denominator = Uint128{tens} << twos;
  if (twice_remainder > denominator || (twice_remainder == denominator && rounded % 2 != 0)) {
    ++rounded;
  }
  return true;
}

// floor(b x log10(2)) for |b| <= 1650; checked below where the fast path uses it.
constexpr int floorLog10OfPowerOfTwo(int b) { return (b * 78913) >> 18; }

// Whether 10^floorLog10OfPowerOfTwo(b) <= 2^b < 10^(floorLog10OfPowerOfTwo(b) + 1)
// for every b with |b| <= 120: the integers compared stay below 2^127.
constexpr bool floorLog10Holds() {
  for (int b = -120; b <= 120; ++b) {
    const int k = floorLog10OfPowerOfTwo(b);
    Uint128 ten_k = 1;  // 10^|k|, then 10^(|k| +- 1)
    for (int i = 0; i < (k < 0 ? -k : k); ++i) ten_k *= 10;
    const Uint128 two_b = Uint128{1} << (b < 0 ? -b : b);
    // b >= 0: 10^k <= 2^b < 10^(k+1); b < 0: 10^(-k-1) < 2^-b <= 10^-k.
    if (b >= 0 ? ten_k > two_b || ten_k * 10 <= two_b : ten_k < two_b || ten_k / 10 >= two_b) {
      return false;
    }
  }
  return true;
}
static_assert(floorLog10Holds());

// The digits of printf's "%.*e" of a positive finite value with `precision` <= 18:
// `digits` holds precision + 1 of them, the first not 0, and `exponent` is the power of
// ten of the first. False when roundedScaled cannot reach them.
bool scientificDigits(double value, int precision, std::uint64_t& digits, int& exponent) {
  const std::uint64_t limit = powerOfTen(precision + 1);
  // value >= 2^b, so the estimate is at most its leading power of ten: below it by one
  // at most, and the rounding may carry into the next power. The first exponent whose
  // rounding has precision + 1 digits is printf's.
  const int b = static_cast<int>(std::bit_cast<std::uint64_t>(value) >> 52) - 1023;
  if (b < -120 || b > 120) return false;
  const int estimate = floorLog10OfPowerOfTwo(b);
  for (exponent = estimate; exponent <= estimate + 2; ++exponent) {
    if (!roundedScaled(value, precision - exponent, digits)) return false;
    if (digits < limit) {
      assert(digits >= powerOfTen(precision));
      return true;
    }
  }
  return false;
}

// Writes the `count` digits of `n` (leading zeros included) to end at `end`.
void putDigits(char* end, std::uint64_t n, int count) {
  for (int i = 1; i <= count; ++i, n /= 10) end[-i] = static_cast<char>('0' + n % 10);
}

// to_chars' fixed text "ddd.ddd" of `rounded` x 10^-precision, or null when it does
// not fit before `last`.
char* putFixed(char* first, char* last, std::uint64_t rounded, int precision) {
  const std::uint64_t power = powerOfTen(precision);
  const std::uint64_t integer = rounded / power;
  const int integer_digits = decimalDigitCount(integer);
  const int length = integer_digits + (precision > 0 ? 1 + precision : 0);
  if (last - first < length) return nullptr;
  putDigits(first + integer_digits, integer, integer_digits);
  if (precision == 0) return first + length;
  first[integer_digits] = '.';
  putDigits(first + length, rounded - integer * power, precision);
  return first + length;
}

// to_chars' scientific text "d.ddde+xx" of precision + 1 `digits` and their exponent,
// or null when it does not fit before `last`.
char* putScientific(char* first, char* last, std::uint64_t digits, int exponent,
                    int precision) {
  const int magnitude = exponent < 0 ? -exponent : exponent;
  const int exponent_digits = magnitude >= 100 ? 3 : 2;
  const int mantissa = precision > 0 ? precision + 2 : 1;
  if (last - first < mantissa + 2 + exponent_digits) return nullptr;
  putDigits(first + mantissa, digits, precision + 1);
  if (precision > 0) {
    first[0] = first[1];
    first[1] = '.';
  }
  char* out = first + mantissa;
  *out++ = 'e';
  *out++ = exponent < 0 ? '-' : '+';
  putDigits(out + exponent_digits, static_cast<std::uint64_t>(magnitude), exponent_digits);
  return out + exponent_digits;
}

// Every double's exact expansion ends within 1074 decimals and holds at most 767
// significant digits, so precisions beyond these only add zeros.
constexpr std::int64_t kExactDecimals = 1074;
constexpr std::int64_t kExactSignificant = 780;
// Digits COMPATIBLE holds of a value that is not integral.
constexpr int kCompatibleHeldDigits = 14;

void setZero(Decimal& out) {
  out.digits[0] = '0';
  out.count = 1;
  out.exponent = 0;
}

// Reads `length` characters of digits with a point at `point` (or none when
// `point` >= `length`), the leading digit at 10^`lead_power`, into `out`, dropping
// leading and trailing zeros.
void readDigits(const char* text, std::size_t length, std::size_t point, int lead_power,
                Decimal& out) {
  std::size_t i = 0;
  for (; i < length && (text[i] == '0' || i == point); ++i) {
    if (i != point) --lead_power;
  }
  std::size_t count = 0;
  // Past the significant digits of a double only zeros follow: they are not stored.
  const auto copy = [&](std::size_t from, std::size_t to) {
    const std::size_t n = std::min(to - from, Decimal::kCapacity - count);
    std::memcpy(out.digits + count, text + from, n);
    count += n;
  };
  if (i < point && point < length) {
    copy(i, point);
    copy(point + 1, length);
  } else {
    copy(i, length);
  }
  while (count > 0 && out.digits[count - 1] == '0') --count;
  if (count == 0) {
    setZero(out);
    return;
  }
  out.count = static_cast<int>(count);
  out.exponent = lead_power;
}

// Reads to_chars' scientific form "d[.ddd]e[+-]xx".
void readScientific(const char* text, const char* end, Decimal& out) {
  const char* e = text;
  while (*e != 'e') ++e;
  int exponent = 0;
  for (const char* p = e + 2; p < end; ++p) exponent = exponent * 10 + (*p - '0');
  readDigits(text, static_cast<std::size_t>(e - text), 1, e[1] == '-' ? -exponent : exponent,
             out);
}

// Keeps the first `keep` significant digits of `held` (none or all when out of
// range), rounding half away from zero: a dropped first digit of 5 or more rounds up.
void roundHalfAway(const Decimal& held, std::int64_t keep, Decimal& out) {
  if (held.isZero() || keep >= held.count) {
    out = held;
    return;
  }
  if (keep < 0 || (keep == 0 && held.digits[0] < '5')) {
    setZero(out);
    return;
  }
  const int kept = static_cast<int>(keep);
  std::memcpy(out.digits, held.digits, static_cast<std::size_t>(kept));
  out.exponent = held.exponent;
  int count = kept;
  if (held.digits[kept] >= '5') {
    while (count > 0 && out.digits[count - 1] == '9') --count;
    if (count == 0) {
      out.digits[0] = '1';
      out.count = 1;
      out.exponent = held.exponent + 1;
      return;
    }
    ++out.digits[count - 1];
  }
  while (out.digits[count - 1] == '0') --count;
  out.count = count;
}

}  // namespace

std::to_chars_result toCharsRounded(char* first, char* last, double value,
                                    std::chars_format format, int precision) {
  char* end = nullptr;
  if (value > 0 && std::isfinite(value) && precision >= 0 && precision < kIntegerDigits) {
    std::uint64_t digits = 0;
    int exponent = 0;
    if (format == std::chars_format::fixed && roundedScaled(value, precision, digits)) {
      end = putFixed(first, last, digits, precision);
    } else if (format == std::chars_format::scientific &&
               scientificDigits(value, precision, digits, exponent)) {
      end = putScientific(first, last, digits, exponent, precision);
    }
  }
  if (end != nullptr) return {end, std::errc()};
  return std::to_chars(first, last, value, format, precision);
}

DecimalDigits::DecimalDigits(double magnitude, DecimalMode mode)
    : magnitude_(magnitude), mode_(mode) {
  assert(std::isfinite(magnitude) && !std::signbit(magnitude));
  if (mode != DecimalMode::kCompatible) return;
  char text[400];
  if (magnitude == std::floor(magnitude)) {
    // Integral: every digit (DBL_MAX has 309).
    const auto result = std::to_chars(text, text + sizeof text, magnitude,
                                      std::chars_format::fixed, 0);
    const auto length = static_cast<std::size_t>(result.ptr - text);
    readDigits(text, length, length, static_cast<int>(length) - 1, held_);
    return;
  }
  const auto result = std::to_chars(text, text + sizeof text, magnitude,
                                    std::chars_format::scientific);
  readScientific(text, result.ptr, held_);
  held_.count = std::min(held_.count, kCompatibleHeldDigits);
  while (held_.digits[held_.count - 1] == '0') --held_.count;
}

void DecimalDigits::significant(std::int64_t n, Decimal& out) const {
  assert(n >= 1);
  if (mode_ == DecimalMode::kCompatible) {
    roundHalfAway(held_, n, out);
    return;
  }
  char text[kExactSignificant + 16];
  const int precision = static_cast<int>(std::min(n, kExactSignificant) - 1);
  const auto result = toCharsRounded(text, text + sizeof text, magnitude_,
                                     std::chars_format::scientific, precision);
  readScientific(text, result.ptr, out);
}

void DecimalDigits::decimals(std::int64_t d, Decimal& out) const {
  assert(d >= 0);
  if (mode_ == DecimalMode::kCompatible) {
    roundHalfAway(held_, held_.exponent + 1 + d, out);
    return;
  }
  // 309 integer digits, the point and every exact decimal.
  char text[310 + kExactDecimals + 8];
  const int precision = static_cast<int>(std::min(d, kExactDecimals));
  const auto result = toCharsRounded(text, text + sizeof text, magnitude_,
                                     std::chars_format::fixed, precision);
  // The point, when there is one, is `precision` characters from the end.
  const auto length = static_cast<std::size_t>(result.ptr - text);
  const std::size_t point = precision > 0 ? length - 1 - static_cast<std::size_t>(precision) : length;
  readDigits(text, length, point, static_cast<int>(point) - 1, out);
}

int DecimalDigits::exponent() const {
  if (mode_ == DecimalMode::kCompatible) return held_.exponent;
  if (magnitude_ == 0) return 0;
  // Seventeen digits move to the next power of ten only from a run of seventeen
  // nines; the exact digits settle that case.
  Decimal probe;
  significant(17, probe);
  if (probe.count == 1 && probe.digits[0] == '1') significant(kExactSignificant, probe);
  return probe.exponent;
}

bool DecimalDigits::exactAt(std::int64_t d) const {
  if (mode_ == DecimalMode::kCompatible) return held_.count <= held_.exponent + 1 + d;
  Decimal exact;
  significant(kExactSignificant, exact);
  return exact.count <= exact.exponent + 1 + d;
}

}  // namespace zq::host
