// Number texts: segment bookkeeping, the bounded writer, and the notation writers.
#include "host/nls/number_text.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstring>

namespace zq::host {

void NumberText::addSegment(Segment segment, int at) {
  assert(segment_count_ < kSegments);
  std::memmove(segments_ + at + 1, segments_ + at,
               static_cast<std::size_t>(segment_count_ - at) * sizeof(Segment));
  segments_[at] = segment;
  ++segment_count_;
  if (at < inside_) ++inside_;
}

void NumberText::put(ZQChar unit) {
  assert(used_ < kUnits);
  if (open_) {
    ++segments_[segment_count_ - 1].count;
  } else {
    addSegment(Segment{1, used_, 0}, segment_count_);
    open_ = true;
  }
  units_[used_++] = unit;
  ++length_;
}

void NumberText::putAscii(const char* text) {
  for (; *text != '\0'; ++text) put(static_cast<unsigned char>(*text));
}

void NumberText::repeat(ZQChar unit, std::int64_t count) {
  if (count <= 0) return;
  if (count <= 8) {
    for (std::int64_t i = 0; i < count; ++i) put(unit);
    return;
  }
  addSegment(Segment{count, -1, unit}, segment_count_);
  open_ = false;
  length_ += count;
}

void NumberText::markInside() {
  inside_ = segment_count_;
  open_ = false;
}

void NumberText::pad(std::int64_t field, ZQChar unit, Pad where) {
  const std::int64_t missing = field - length_;
  if (missing <= 0) return;
  const int at = where == Pad::kFront ? 0 : where == Pad::kInside ? inside_ : segment_count_;
  addSegment(Segment{missing, -1, unit}, at);
  open_ = false;
  length_ += missing;
}

Status NumberText::emit(ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length,
                        Status status) const {
  if (out_length != nullptr) *out_length = length_;
  if (length_ > capacity) {
    std::fill(buffer, buffer + capacity, ZQChar{'*'});
    return ZQ_NLS_FMT_TRUNCATE;
  }
  for (int i = 0; i < segment_count_; ++i) {
    const Segment& s = segments_[i];
    if (s.begin >= 0) {
      std::memcpy(buffer, units_ + s.begin, static_cast<std::size_t>(s.count) * sizeof(ZQChar));
    } else {
      std::fill(buffer, buffer + s.count, s.unit);
    }
    buffer += s.count;
  }
  return status;
}

namespace {

// The character a missing value is written with: "_" (top bits 0xFFFFFF), "."
// (0xFFFFFE), "A" to "Z" (0xFFFFFD down to 0xFFFFE4), "." for any other NaN.
ZQChar missingCharacter(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t top = bits >> 40;
  if ((bits & 0xFFFFFFFFFFu) != 0 || top < 0xFFFFE4) return '.';
  if (top == 0xFFFFFF) return '_';
  if (top == 0xFFFFFE) return '.';
  return static_cast<ZQChar>('A' + (0xFFFFFD - top));
}

}  // namespace

bool putSpecialValue(double value, const NumberSymbols& symbols, ZQChar substitute,
                     std::int64_t field, bool pad_after, NumberText& text) {
  if (std::isinf(value)) {
    if (value < 0) text.put(symbols.minus_sign);
    text.putAscii("Inf");
    return true;
  }
  if (!std::isnan(value)) return false;
  text.put(substitute != 0 ? substitute : missingCharacter(value));
  text.pad(field, ' ', pad_after ? NumberText::Pad::kBack : NumberText::Pad::kFront);
  return true;
}

namespace {

std::int64_t integerDigits(const Decimal& value, const FixedForm& form) {
  if (!value.isZero() && value.exponent >= 0) return value.exponent + 1;
  return form.lead_zero ? 1 : 0;
}

// Separators between `digits` integer digits, or 0 when not grouping.
std::int64_t separatorCount(std::int64_t digits, const FixedForm& form,
                            const NumberSymbols& symbols) {
  const int primary = symbols.primary_group_size;
  if (!form.group || symbols.group_separator == 0 || primary <= 0 || digits <= primary) {
    return 0;
  }
  const int other = symbols.secondary_group_size > 0 ? symbols.secondary_group_size : primary;
  return 1 + (digits - primary - 1) / other;
}

// Fraction digits written: the decimals, less trailing zeros when they are dropped.
std::int64_t fractionDigits(const Decimal& value, const FixedForm& form) {
  if (!form.drop_zeros) return form.decimals;
  const std::int64_t held = value.isZero() ? 0 : value.count - 1 - value.exponent;
  return std::clamp<std::int64_t>(held, 0, form.decimals);
}

}  // namespace

std::int64_t fixedLength(const Decimal& value, const FixedForm& form,
                         const NumberSymbols& symbols) {
  const std::int64_t digits = integerDigits(value, form);
  const std::int64_t fraction = fractionDigits(value, form);
  return digits + separatorCount(digits, form, symbols) +
         (fraction > 0 || form.keep_point ? 1 : 0) + fraction;
}

void appendFixed(NumberText& text, const Decimal& value, const FixedForm& form,
                 const NumberSymbols& symbols) {
  const std::int64_t digits = integerDigits(value, form);
  if (separatorCount(digits, form, symbols) == 0) {
    for (std::int64_t power = digits - 1; power >= 0; --power) text.put(value.at(power));
  } else {
    // A separator follows the digit at 10^primary, and every `other` digits further left.
    const int primary = symbols.primary_group_size;
    const int other = symbols.secondary_group_size > 0 ? symbols.secondary_group_size : primary;
    for (std::int64_t power = digits - 1; power >= 0; --power) {
      text.put(value.at(power));
      if (power == primary || (power > primary && (power - primary) % other == 0)) {
        text.put(symbols.group_separator);
      }
    }
  }
  const std::int64_t fraction = fractionDigits(value, form);
  if (fraction > 0 || form.keep_point) text.put(symbols.decimal_separator);
  // Digits down to the value's last one; zeros after it are a run.
  const std::int64_t held = value.isZero() ? 0 : value.count - 1 - value.exponent;
  const std::int64_t written = std::clamp<std::int64_t>(held, 0, fraction);
  for (std::int64_t power = -1; power >= -written; --power) text.put(value.at(power));
  text.repeat('0', fraction - written);
}

int exponentLength(int exponent, const ExponentForm& form) {
  int digits = 1;
  for (int rest = exponent < 0 ? -exponent : exponent; rest >= 10; rest /= 10) ++digits;
  return 1 + (exponent < 0 || form.plus ? 1 : 0) + std::max(digits, form.min_digits);
}

void appendExponent(NumberText& text, int exponent, const ExponentForm& form) {
  text.put(form.letter);
  if (exponent < 0) {
    text.put('-');
  } else if (form.plus) {
    text.put('+');
  }
  char digits[8];
  int count = 0;
  for (int rest = exponent < 0 ? -exponent : exponent; rest > 0 || count == 0; rest /= 10) {
    digits[count++] = static_cast<char>('0' + rest % 10);
  }
  text.repeat('0', form.min_digits - count);
  while (count > 0) text.put(static_cast<unsigned char>(digits[--count]));
}

void appendMantissa(NumberText& text, const Decimal& value, std::int64_t digits, bool point,
                    ZQChar point_unit) {
  assert(digits >= 1);
  text.put(static_cast<unsigned char>(value.digits[0]));
  if (point) text.put(point_unit);
  const std::int64_t held = std::min<std::int64_t>(value.count, digits);
  for (std::int64_t i = 1; i < held; ++i) text.put(static_cast<unsigned char>(value.digits[i]));
  text.repeat('0', digits - std::max<std::int64_t>(held, 1));
}

}  // namespace zq::host
