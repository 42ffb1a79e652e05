// Decimal digits of a double: std::to_chars gives every digit; this file only
// picks the precision, reads the digits back, and for COMPATIBLE rounds the held
// digits half away from zero.
#include "host/nls/decimal_digits.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>

namespace zq::host {
namespace {

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
  const auto result = std::to_chars(text, text + sizeof text, magnitude_,
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
  const auto result = std::to_chars(text, text + sizeof text, magnitude_,
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
