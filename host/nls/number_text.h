// Number texts in the making: materialized units and long runs (zero fills, padding),
// padded to a field and written within a capacity; fixed and E notation writers.
#pragma once

#include <cassert>
#include <cstdint>

#include "host/nls/decimal_digits.h"
#include "host/nls/locale_data.h"
#include "zq/types.h"

namespace zq::host {

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
  // ZQ_NLS_FMT_TRUNCATE. Either way *out_length (when not null) is the text's length.
  Status emit(ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length,
              Status status) const;

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

// Whether a buffer of `capacity` units can be written: the capacity is not
// negative, and a null buffer comes with capacity 0.
inline bool outputUsable(const ZQChar* buffer, std::int64_t capacity) {
  return capacity >= 0 && (buffer != nullptr || capacity == 0);
}

// Writes a value that is not a number into `text` and returns true; false for a
// finite value. Infinity is "Inf" or "-Inf", never padded. A missing value (a NaN)
// is `substitute`, or when that is 0 the value's own character ("." ordinary, "_"
// and "A"-"Z" special, "." any other NaN), padded with blanks to `field`, after it
// when `pad_after`.
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
