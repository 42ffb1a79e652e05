// Number texts in the making: materialized units and long runs (zero fills, padding),
// padded to a field and written within a capacity; fixed and E notation writers.
#pragma once

#include <cstdint>

#include "host/nls/decimal_digits.h"
#include "host/nls/locale_data.h"
#include "zq/types.h"

namespace zq::host {

class NumberText {
 public:
  enum class Pad { kFront, kInside, kBack };

  void put(ZQChar unit);
  void putAscii(const char* text);
  // `count` copies of `unit`; long runs are counted, not stored.
  void repeat(ZQChar unit, std::int64_t count);
  // Inside padding goes here: after a sign or an opening parenthesis.
  void markInside();
  // Adds `unit` at `where` until the text is `field` units long.
  void pad(std::int64_t field, ZQChar unit, Pad where);
  std::int64_t length() const { return length_; }

  // Writes the text into `buffer` of `capacity` units and returns `status`, or,
  // when it is longer than the capacity, writes `capacity` asterisks and returns
  // ZQ_NLS_FMT_TRUNCATE. Either way *out_length (when not null) is the text's length.
  Status emit(ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length,
              Status status) const;

 private:
  // Units units_[begin, begin + count), or (begin < 0) `count` copies of `unit`.
  struct Segment {
    std::int64_t count;
    std::int32_t begin;
    ZQChar unit;
  };
  static constexpr int kUnits = 1600;  // a double's longest materialized fixed text fits
  static constexpr int kSegments = 12;
  void addSegment(Segment segment, int at);

  ZQChar units_[kUnits];
  int used_ = 0;
  Segment segments_[kSegments];
  int segment_count_ = 0;
  int inside_ = 0;
  bool open_ = false;  // whether put() may extend the last segment
  std::int64_t length_ = 0;
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
