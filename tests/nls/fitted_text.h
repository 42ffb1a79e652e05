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

// How a locale writes the number: its decimal point and group separator.
struct TextSymbols {
  char32_t point;
  char32_t group;
};

// The significant digits a QOR format rounds at, at most; zeros follow them.
// COMPATIBLE 14; STDIEEE 15 for QORBEST and 16 for the other formats.
inline int significantCap(bool compatible, bool best) {
  if (compatible) return 14;
  return best ? 15 : 16;
}

// The value a mode rounds: STDIEEE the double itself; COMPATIBLE an integral value
// itself and any other its shortest round-trip digits cut (not rounded) to 14.
inline long double roundedValueOf(double value, bool compatible) {
  const double magnitude = std::fabs(value);
  if (!compatible || magnitude == std::floor(magnitude)) return magnitude;
  char shortest[40];
  char* end =
      std::to_chars(shortest, shortest + sizeof shortest, magnitude, std::chars_format::scientific)
          .ptr;
  const std::string text(shortest, end);
  const std::size_t e = text.find('e');
  // "d." and 13 more digits.
  const std::string mantissa = text.substr(0, std::min<std::size_t>(e, 15));
  return std::strtold((mantissa + text.substr(e)).c_str(), nullptr);
}

// What `text`, a QOR format's ZQ_OK or ZQ_NLS_FMT_REVERT result for `value`, gets
// wrong, or null when it holds the property. The text is read as written: blanks, a
// sign, digits with group separators, a point and decimals, "E" and an exponent, blanks.
inline const char* fittedTextFault(std::u32string_view text, double value, TextSymbols symbols,
                                   bool compatible, int cap) {
  std::size_t i = 0;
  const auto skipBlanks = [&] {
    while (i < text.size() && text[i] == U' ') ++i;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == U'-' || text[i] == U'+')) ++i;
  std::string digits;
  long decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (unit >= U'0' && unit <= U'9') {
      digits += static_cast<char>(unit);
      decimals += point ? 1 : 0;
    } else if (unit == symbols.point && !point) {
      point = true;
    } else if (unit != symbols.group || point) {
      break;
    }
  }
  if (digits.empty()) return "the text shows no digit";
  long exponent = 0;
  if (i < text.size() && text[i] == U'E') {
    const bool negative = ++i < text.size() && text[i] == U'-';
    if (i < text.size() && (text[i] == U'-' || text[i] == U'+')) ++i;
    if (i == text.size()) return "an exponent without digits";
    for (; i < text.size() && text[i] >= U'0' && text[i] <= U'9'; ++i) {
      exponent = exponent * 10 + static_cast<long>(text[i] - U'0');
    }
    if (negative) exponent = -exponent;
  }
  skipBlanks();
  if (i != text.size()) return "the text is not a number";
  // The power of ten of the last digit written, or of the cap's digit when the text
  // shows more significant digits.
  long last_power = exponent - decimals;
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string::npos) {
    last_power += std::max(0L, static_cast<long>(digits.size() - first) - cap);
  }
  const long double read =
      std::strtold((digits + "e" + std::to_string(exponent - decimals)).c_str(), nullptr);
  const long double rounded = roundedValueOf(value, compatible);
  // A tie lies at exactly half a unit; the slack covers long double's own rounding.
  const long double half = 0.5L * std::pow(10.0L, static_cast<long double>(last_power));
  if (std::fabs(read - rounded) > half * (1 + 1e-15L) + rounded * 1e-18L) {
    return "the text reads back further than half a unit of its last digit";
  }
  return nullptr;
}

}  // namespace zq::testing
