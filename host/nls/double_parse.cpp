// Double parsing. A plain text of few digits is read in one pass into an integer and
// divided once by a power of ten; other plain texts have their digits narrowed into a
// short ASCII number, which std::from_chars rounds. The general path does the same for
// any text, and keeps long digit runs and exponents bounded.
#include "host/nls/double_parse.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>


namespace zq::host {
namespace {

bool isDigit(ZQChar unit) { return unit - ZQChar{'0'} <= 9; }

// Significant digits kept for the conversion. Every midpoint between two adjacent
// doubles has at most 767 significant digits, so two texts that agree in their
// first 800 significant digits round alike unless one of them is a midpoint; the
// digits beyond matter only as zero or not, and a non-zero tail is kept as one
// more digit 1, which moves the value off the midpoint in the right direction.
constexpr int kKeptDigits = 800;
// An exponent's magnitude saturates here: far beyond any double, far below the
// int64 limit once added to a position in a text that fits in memory.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

// The digits of 0.d1d2d3... x 10^point, d1 non-zero, as they are read, written as
// the ASCII number "d1d2d3...e<exponent>" that std::from_chars rounds.
class Significand {
 public:
  // Reads the run of digits at `at`, of the integer part or of the fraction, and
  // returns the end of the run.
  const ZQChar* read(const ZQChar* at, const ZQChar* end, bool fraction) {
    if (size_ == 0) {
      const ZQChar* const zeros = at;
      while (at != end && *at == '0') ++at;
      if (fraction) point_ -= at - zeros;
    }
    const ZQChar* const significant = at;
    // Locals, not members: the stores into the text may alias any member.
    char* out = ascii_ + size_;
    char* const limit = ascii_ + kKeptDigits;
    bool tail_nonzero = tail_nonzero_;
    for (; at != end && isDigit(*at); ++at) {
      if (out != limit) {
        *out++ = static_cast<char>(*at);
      } else {
        tail_nonzero = tail_nonzero || *at != '0';
      }
    }
    size_ = static_cast<int>(out - ascii_);
    tail_nonzero_ = tail_nonzero;
    if (!fraction) point_ += at - significant;
    return at;
  }

  // The value times 10^exponent, rounded to the nearest double, or the status of
  // a value out of range.
  ParsedDouble round(std::int64_t exponent, bool negative) {
    if (size_ == 0) return ParsedDouble{ZQ_OK, negative ? -0.0 : 0.0, 0};
    // The value lies in [10^(scale - 1), 10^scale).
    const std::int64_t scale = point_ + exponent;
    if (scale > 310) return ParsedDouble{ZQ_NLS_OVERFLOW, kMissingValue, 0};
    if (scale < -310) return ParsedDouble{ZQ_NLS_UNDERFLOW, kMissingValue, 0};
    char* end = ascii_ + size_;
    if (tail_nonzero_) *end++ = '1';
    // An integer and a power of ten: the form the conversion reads fastest.
    if (const std::int64_t power = scale - (end - ascii_); power != 0) {
      *end++ = 'e';
      end = std::to_chars(end, ascii_ + sizeof ascii_, power).ptr;
    }
    double value = 0;
    const std::from_chars_result result = std::from_chars(ascii_, end, value);
    if (result.ec == std::errc::result_out_of_range) {
      return ParsedDouble{scale > 0 ? ZQ_NLS_OVERFLOW : ZQ_NLS_UNDERFLOW, kMissingValue, 0};
    }
    assert(result.ec == std::errc() && result.ptr == end);
    if (std::isinf(value)) return ParsedDouble{ZQ_NLS_OVERFLOW, kMissingValue, 0};
    if (value < std::numeric_limits<double>::min()) {
      return ParsedDouble{ZQ_NLS_UNDERFLOW, kMissingValue, 0};
    }
    return ParsedDouble{ZQ_OK, negative ? -value : value, 0};
  }

 private:
  // Kept digits, the tail digit, then "e" and an exponent of at most 5 characters.
  char ascii_[kKeptDigits + 8];
  int size_ = 0;  // digits kept
  bool tail_nonzero_ = false;
  std::int64_t point_ = 0;
};

// The longest text the plain path takes, in units after the sign.
constexpr std::int64_t kPlainUnits = 40;

// Whether `unit` separates digit groups: the locale's separator, and with blank
// grouping both blanks.
struct GroupSeparator {
  ZQChar separator;
  bool blanks;
  bool operator()(ZQChar unit) const {
    return unit == separator || (blanks && isGroupBlank(unit));
  }
};

// Whether the floating-point environment rounds to nearest, as C's default one does
// (1 + DBL_MIN and 1 - DBL_MIN both round to 1 only then). The host never changes it;
// a caller could.
bool roundsToNearest() {
  static volatile double tiny = std::numeric_limits<double>::min();
  const double t = tiny;
  return 1 + t == 1 - t;
}

// The double nearest `significand` / 10^`decimals`, when one division gives it: with at
// most 19 significant digits read the significand is exact, at most 2^53 it is a
// double, and so is 10^k up to 10^22 (5^22 < 2^53). IEEE division of two doubles rounds
// their exact quotient once, to nearest in the default environment. False in any other
// case.
bool exactQuotient(std::uint64_t significand, std::int64_t digits, std::int64_t decimals,
                   double& value) {
  // 10^k for k from 0 to 22, each exactly.
  static constexpr double kPowers[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (digits > 19 || significand > (std::uint64_t{1} << 53) || decimals > 22 ||
      !roundsToNearest()) {
    return false;
  }
  value = static_cast<double>(static_cast<std::int64_t>(significand)) / kPowers[decimals];
  return true;
}

// A plain text's digits read into an integer, modulo 2^64: exact up to 19 significant
// digits (leading zeros are not counted).
struct DigitsAsInteger {
  std::uint64_t significand = 0;
  std::int64_t digits = 0;    // from the first non-zero one
  std::int64_t decimals = 0;  // digits after the decimal separator
  bool point = false;
  void digit(ZQChar unit) {
    significand = significand * 10 + (unit - '0');
    // Counted from the first non-zero digit: the significand is not 0 from there on
    // until it wraps, which takes 20 digits.
    digits += digits != 0 || significand != 0 ? 1 : 0;
    decimals += point ? 1 : 0;
  }
  void decimalPoint() { point = true; }
};

// A plain text narrowed to ASCII ("1 234,5" to "1234.5") for std::from_chars.
struct DigitsAsAscii {
  char chars[kPlainUnits];
  char* out = chars;
  void digit(ZQChar unit) { *out++ = static_cast<char>(unit); }
  void decimalPoint() { *out++ = '.'; }
};

// The plain texts: digits, the locale's group separators each between two digits
// of the integer part, at most one decimal separator, and nothing after. One pass
// checks them and hands their digits and decimal separator to `sink`; returns false,
// with the sink's content unspecified, for any other text. `unit_of` gives the
// character of a unit of the text: the unit itself, or an 8-bit text's byte decoded
// through its encoding's table.
template <typename Unit, typename UnitOf, typename Sink>
bool readPlain(const Unit* at, const Unit* end, UnitOf unit_of, ZQChar decimal_separator,
               GroupSeparator is_group_separator, Sink& sink) {
  bool point = false;
  bool any_digit = false;
  for (const Unit* unit = at;; ++unit) {
    const Unit* const run = unit;
    for (; unit != end && isDigit(unit_of(*unit)); ++unit) sink.digit(unit_of(*unit));
    any_digit = any_digit || unit != run;
    if (unit == end) break;
    const ZQChar character = unit_of(*unit);
    if (!point && is_group_separator(character)) {
      // As the general path reads it: a separator with no digit after it ends the
      // number, and one with no digit before it is not part of it.
      if (unit == run || unit + 1 == end || !isDigit(unit_of(unit[1]))) return false;
    } else if (!point && character == decimal_separator) {
      sink.decimalPoint();
      point = true;
    } else {
      return false;
    }
  }
  // A digit is needed: a decimal separator alone is not a number.
  return any_digit;
}

// The magnitude of a plain text of at most kPlainUnits units (readPlain), with no
// exponent and few digits, so normal and finite, or 0. Sets `value` and returns true;
// false leaves any other text to the general path, which reads it from the start.
// Short significands take one exact division; others are narrowed for
// std::from_chars.
template <typename Unit, typename UnitOf>
bool parsePlain(const Unit* at, const Unit* end, UnitOf unit_of, ZQChar decimal_separator,
                GroupSeparator is_group_separator, double& value) {
  if (end - at > kPlainUnits) return false;
  DigitsAsInteger integer;
  if (!readPlain(at, end, unit_of, decimal_separator, is_group_separator, integer)) {
    return false;
  }
  if (exactQuotient(integer.significand, integer.digits, integer.decimals, value)) return true;
  DigitsAsAscii ascii;
  readPlain(at, end, unit_of, decimal_separator, is_group_separator, ascii);
  [[maybe_unused]] const std::from_chars_result result =
      std::from_chars(ascii.chars, ascii.out, value);
  assert(result.ec == std::errc() && result.ptr == ascii.out);
  return true;
}

bool onlyBlanks(const ZQChar* at, const ZQChar* end) {
  while (at != end && *at == kBlank) ++at;
  return at == end;
}

// A value read from `text` up to `stop`: only blanks may follow it.
ParsedDouble endedAt(ParsedDouble parsed, const ZQChar* text, const ZQChar* stop,
                     const ZQChar* end) {
  parsed.consumed = stop - text;
  if (parsed.status != ZQ_OK || onlyBlanks(stop, end)) return parsed;
  return ParsedDouble{ZQ_NLS_BAD_NUM, kMissingValue, parsed.consumed};
}

// Steps 4 to 7 for the number at `at`, after its sign: the general path, kept out
// of the plain path's frame.
[[gnu::noinline]] ParsedDouble parseNumber(const NumberSymbols& symbols,
                                           GroupSeparator is_group_separator,
                                           const ZQChar* text, const ZQChar* at,
                                           const ZQChar* end, bool negative) {
  const auto badAt = [text](const ZQChar* stop) {
    return ParsedDouble{ZQ_NLS_BAD_NUM, kMissingValue, stop - text};
  };
  Significand significand;
  bool any_digit = false;
  // Whether the number ended with a group separator that no digit follows.
  bool closed = false;
  for (;;) {
    const ZQChar* const run = at;
    at = significand.read(at, end, false);
    if (at == run) break;
    any_digit = true;
    if (at == end || !is_group_separator(*at)) break;
    ++at;
    if (at == end || !isDigit(*at)) {
      closed = true;
      break;
    }
  }
  if (!closed && at != end && *at == symbols.decimal_separator) {
    const ZQChar* const run = ++at;
    at = significand.read(at, end, true);
    any_digit = any_digit || at != run;
  }
  if (!any_digit) return badAt(at);

  std::int64_t exponent = 0;
  if (!closed && at != end && (*at == 'e' || *at == 'E')) {
    ++at;
    bool exponent_negative = false;
    if (at != end && *at == symbols.minus_sign) {
      exponent_negative = true;
      ++at;
    } else if (at != end && *at == symbols.plus_sign) {
      ++at;
    }
    if (at == end || !isDigit(*at)) return badAt(at);
    for (; at != end && isDigit(*at); ++at) {
      exponent = std::min(exponent * 10 + static_cast<std::int64_t>(*at - '0'), kExponentCap);
    }
    if (exponent_negative) exponent = -exponent;
  }
  return endedAt(significand.round(exponent, negative), text, at, end);
}

// parseDouble's work; also the plain path of 8-bit text, whose units are bytes read
// through `unit_of`. Sets `parsed` and returns true, or for 8-bit text returns false,
// having set nothing, where it needs more than the plain path: an empty field, a
// missing value or the general path. Without `plain_path` a number takes the general
// path whatever it is.
template <typename Unit, typename UnitOf>
[[gnu::always_inline]] inline bool parse(const NumberSymbols& symbols, const Unit* text,
                                         std::int64_t length, std::uint32_t options,
                                         UnitOf unit_of, bool plain_path, ParsedDouble& parsed) {
  constexpr bool kUnits = std::is_same_v<Unit, ZQChar>;
  assert(usableUnits(text, length));
  const Unit* const end = text + length;
  const Unit* at = text;
  while (at != end && unit_of(*at) == kBlank) ++at;
  const bool missing =
      at == end || (unit_of(*at) == '.' && (at + 1 == end || !isDigit(unit_of(at[1]))));
  if constexpr (!kUnits) {
    if (missing) return false;
  } else if (at == end) {
    parsed = ParsedDouble{ZQ_OK, kMissingValue, length};
    return true;
  } else if (missing) {
    ++at;
    ZQChar code = '.';
    if (at != end && isMissingCode(*at)) code = *at++;
    parsed = endedAt(ParsedDouble{ZQ_OK, missingValueOf(code), 0}, text, at, end);
    return true;
  }

  bool negative = false;
  if (unit_of(*at) == symbols.minus_sign) {
    negative = true;
    ++at;
  } else if (unit_of(*at) == symbols.plus_sign) {
    ++at;
  }

  const GroupSeparator is_group_separator{symbols.group_separator,
                                          groupsWithBlanks(symbols, options)};
  double magnitude = 0;
  if (plain_path &&
      parsePlain(at, end, unit_of, symbols.decimal_separator, is_group_separator, magnitude)) {
    parsed = ParsedDouble{ZQ_OK, negative ? -magnitude : magnitude, length};
    return true;
  }
  if constexpr (!kUnits) {
    return false;
  } else {
    parsed = parseNumber(symbols, is_group_separator, text, at, end, negative);
    return true;
  }
}

ZQChar sameUnit(ZQChar unit) { return unit; }

}  // namespace

ParsedDouble parseDouble(const NumberSymbols& symbols, const ZQChar* text, std::int64_t length,
                         std::uint32_t options) {
  ParsedDouble parsed;
  parse(symbols, text, length, options, sameUnit, true, parsed);
  return parsed;
}

ParsedDouble parseDoubleGenerally(const NumberSymbols& symbols, const ZQChar* text,
                                  std::int64_t length, std::uint32_t options) {
  ParsedDouble parsed;
  parse(symbols, text, length, options, sameUnit, false, parsed);
  return parsed;
}

bool parsePlainBytes(const NumberSymbols& symbols, const unsigned char* text,
                     std::int64_t length, const ByteCharacters& characters,
                     std::uint32_t options, ParsedDouble& parsed) {
  return parse(symbols, text, length, options,
               [&characters](unsigned char byte) { return characters[byte]; }, true, parsed);
}

}  // namespace zq::host
