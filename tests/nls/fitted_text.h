// The property every text a QOR format fits to its field holds, shared by the unit
// sweep and the double-format fuzz target: it shows a digit, and read back it lies
// within half a unit of its last significant digit of the value the mode rounds.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zq::testing {

// The significant digits a QOR format rounds at, at most; zeros follow them.
// COMPATIBLE 14; STDIEEE 15 for QORBEST and 16 for the other formats.
inline int significantCap(bool compatible, bool best) { return compatible ? 14 : best ? 15 : 16; }

// What `text`, a QOR format's ZQ_OK or ZQ_NLS_FMT_REVERT result for `value` written
// with the decimal point `point` and group separator `group`, gets wrong, or null.
// The value rounded is the double in STDIEEE; in COMPATIBLE an integral value itself,
// any other its shortest round-trip digits cut (not rounded) to 14.
inline const char* fittedTextFault(std::u32string_view text, double value, char32_t point,
                                   char32_t group, bool compatible, int cap) {
  // The text as C reads it: no blanks around it, no group separators, a '.' point.
  std::string c;
  for (char32_t unit : text.substr(0, text.find_last_not_of(U' ') + 1)) {
    if (unit == group && c.find('.') == std::string::npos) continue;
    if (unit == U' ' && c.empty()) continue;
    c += unit == point ? '.' : unit < 0x80 ? static_cast<char>(unit) : '?';
  }
  if (c.find_first_of("0123456789") == std::string::npos) return "the text shows no digit";
  char* end = nullptr;
  const long double read = std::fabs(std::strtold(c.c_str(), &end));
  if (*end != '\0' || c.find_first_not_of("+-.0123456789E") != std::string::npos) {
    return "the text is not a number";
  }
  // The power of ten of the last digit written, or of the cap's digit when the text
  // shows more significant digits.
  const std::string mantissa = c.substr(0, c.find('E'));
  const std::size_t dot = mantissa.find('.'), first = mantissa.find_first_of("123456789");
  long power = mantissa.size() < c.size() ? std::stol(c.substr(mantissa.size() + 1)) : 0;
  if (dot != std::string::npos) power -= static_cast<long>(mantissa.size() - dot - 1);
  if (first != std::string::npos) {
    const auto significant = static_cast<long>(mantissa.size() - first) -
                             (dot != std::string::npos && dot > first ? 1 : 0);
    power += std::max(0L, significant - cap);
  }
  long double rounded = std::fabs(value);
  if (compatible && std::floor(value) != value) {
    char shortest[40];
    char* e = std::to_chars(shortest, shortest + 40, std::fabs(value),
                            std::chars_format::scientific).ptr;
    const std::string digits(shortest, e);
    const std::size_t mark = digits.find('e');
    rounded = std::strtold((digits.substr(0, std::min<std::size_t>(mark, 15)) +  // "d." 13 more
                            digits.substr(mark)).c_str(), nullptr);
  }
  // A tie lies at exactly half a unit; the slack covers long double's own rounding.
  const long double half = 0.5L * std::pow(10.0L, static_cast<long double>(power));
  if (std::fabs(read - rounded) > half * (1 + 1e-15L) + rounded * 1e-18L) {
    return "the text reads back further than half a unit of its last digit";
  }
  return nullptr;
}

}  // namespace zq::testing
