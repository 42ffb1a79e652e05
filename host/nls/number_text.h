// Number texts in the making: materialized units and long runs (zero fills, padding),
// padded to a field and written within a capacity; fixed and E notation writers.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>

#include "host/nls/conversion_result.h"
#include "host/nls/decimal_digits.h"
#include "host/nls/locale_data.h"
#include "zq/host_objects.h"
#include "zq/types.h"

namespace zq::host {

// The number of decimal digits of `n` (1 for 0).
inline int decimalDigitCount(std::uint64_t n) {
  // n | 1 has the digits of n (a power of ten above 1 is even) and is never 0.
  // log10(2) is about 1233 / 4096, so the estimate is the digit count or one less.
  const std::uint64_t m = n | 1;
  const int estimate = (std::bit_width(m) * 1233) >> 12;
  return estimate + (m >= powerOfTen(estimate) ? 1 : 0);
}

// Blank grouping: with LOCALE_CVT_SPACEGROUPING, in a locale whose group separator is
// a blank, both blanks (U+0020 and U+00A0) separate digit groups when read.
inline bool isGroupBlank(ZQChar unit) { return unit == kBlank || unit == kNoBreakSpace; }
inline bool groupsWithBlanks(const NumberSymbols& symbols, std::uint32_t options) {
  return (options & LOCALE_CVT_SPACEGROUPING) != 0 && isGroupBlank(symbols.group_separator);
}

// Missing values: NaNs whose top 24 bits name them and whose low 40 bits are zero,
// written "." and a code. "." alone (0xFFFFFE) is the ordinary missing value, "._"
// (0xFFFFFF) and ".A" to ".Z" (0xFFFFFD down to 0xFFFFE4) the special ones.
inline constexpr double kMissingValue = std::bit_cast<double>(std::uint64_t{0xFFFFFE0000000000});
// Whether `unit` names a special missing value after the ".": '_' or an ASCII letter
// of either case.
inline bool isMissingCode(ZQChar unit) {
  return unit == '_' || (unit | 0x20) - ZQChar{'a'} <= 25;
}
// The missing value of `code`: a special one's (isMissingCode), else the ordinary one.
double missingValueOf(ZQChar code);
// The character a missing value is written with: its code, "." for the ordinary one
// and for any other NaN.
ZQChar missingCharacterOf(double value);

// C's %g with P significant digits: E notation when the value's exponent (after
// rounding to P digits) is below -4 or not below P, else fixed notation.
inline bool generalIsExponent(int exponent, std::int64_t precision) {
  return exponent < -4 || exponent >= precision;
}

class NumberText {
 public:
  enum class Pad { kFront, kInside, kBack };

  void put(ZQChar unit) {
    assert(used_ < kUnits);
    units_[used_++] = unit;
  }
  void putAscii(const char* text);
  // Room for `count` units, written by the caller.
  ZQChar* claim(std::int64_t count) {
    assert(count >= 0 && used_ + count <= kUnits);
    ZQChar* units = units_ + used_;
    used_ += static_cast<std::int32_t>(count);
    return units;
  }
  // `count` copies of `unit`; long runs are counted, not stored.
  void repeat(ZQChar unit, std::int64_t count);
  // Inside padding goes here: after a sign or an opening parenthesis.
  void markInside() { inside_ = used_; }
  // Adds `unit` at `where` until the text is `field` units long.
  void pad(std::int64_t field, ZQChar unit, Pad where);
  std::int64_t length() const { return used_ + run_units_; }

  // Writes the text into `buffer` of `capacity` units and returns `status`, or,
  // when it is longer than the capacity, writes `capacity` asterisks and returns
  // ZQ_NLS_FMT_TRUNCATE; either way with the text's length. Precondition:
  // usableUnits(buffer, capacity).
  FormatResult emit(ZQChar* buffer, std::int64_t capacity, Status status) const;

 private:
  // `count` copies of `unit` before units_[at].
  struct Run {
    std::int64_t count;
    std::int32_t at;
    ZQChar unit;
  };
  static constexpr int kUnits = 1600;  // a double's longest materialized fixed text fits
  static constexpr int kRuns = 8;
  // Inserts `run` after the runs at or before its place (`first`: before those at it).
  void addRun(Run run, bool first);

  ZQChar units_[kUnits];
  std::int32_t used_ = 0;
  std::int32_t inside_ = 0;
  Run runs_[kRuns];
  int run_count_ = 0;
  std::int64_t run_units_ = 0;
};

// Writes a value that is not a number into `text` and returns true; false for a
// finite value. Infinity is "Inf" or "-Inf", never padded. A missing value (a NaN)
// is `substitute`, or when that is 0 its own character (missingCharacterOf), padded
// with blanks to `field`, after it when `pad_after`.
bool putSpecialValue(double value, const NumberSymbols& symbols, ZQChar substitute,
                     std::int64_t field, bool pad_after, NumberText& text);

// Fixed notation of a Decimal: integer digits (grouped or not), a point and decimals.
struct FixedForm {
  std::int64_t decimals = 0;  // fraction digits before any are dropped
  bool drop_zeros = false;    // drop trailing fraction zeros, then a bare point
  bool keep_point = false;    // a point even without decimals
  bool lead_zero = true;      // "0" before the point of a value below 1
  bool group = false;
};
std::int64_t fixedLength(const Decimal& value, const FixedForm& form,
                         const NumberSymbols& symbols);
void appendFixed(NumberText& text, const Decimal& value, const FixedForm& form,
                 const NumberSymbols& symbols);

// Every locale groups integer digits by threes.
constexpr std::int64_t kGroupDigits = 3;

// The group separators the locale puts between `digits` integer digits; 0 when
// `group` is false.
inline std::int64_t groupSeparatorCount(std::int64_t digits, bool group,
                                        const NumberSymbols& symbols) {
  if (!group || symbols.group_separator == 0 || digits <= kGroupDigits) return 0;
  return (digits - 1) / kGroupDigits;
}

// Writes `digits` integer digits to `out`, digit i being at(i), with `separators`
// group separators (groupSeparatorCount's, or 0) between them, and returns the end.
template <typename DigitAt>
ZQChar* writeGroupedDigits(ZQChar* out, std::int64_t digits, std::int64_t separators,
                           const NumberSymbols& symbols, DigitAt at) {
  // The leading group, then groups of three.
  std::int64_t group_end = digits - separators * kGroupDigits;
  std::int64_t i = 0;
  for (std::int64_t left = separators;; --left) {
    for (; i < group_end; ++i) *out++ = static_cast<unsigned char>(at(i));
    if (left == 0) return out;
    *out++ = symbols.group_separator;
    group_end += kGroupDigits;
  }
}

// An exponent: the letter, its sign ('-', or '+' when `plus`) and at least
// `min_digits` digits.
struct ExponentForm {
  ZQChar letter;
  bool plus;
  int min_digits;
};
int exponentLength(int exponent, const ExponentForm& form);
void appendExponent(NumberText& text, int exponent, const ExponentForm& form);

// A mantissa of `digits` digits from `value`: the first, the point (when `point`),
// then the rest, zeros past the value's own.
void appendMantissa(NumberText& text, const Decimal& value, std::int64_t digits, bool point,
                    ZQChar point_unit);

}  // namespace zq::host
