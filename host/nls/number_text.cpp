// Number texts: segment bookkeeping, the bounded writer, and the notation writers.
#include "host/nls/number_text.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace zq::host {

void NumberText::addRun(Run run, bool first) {
  assert(run_count_ < kRuns);
  int i = run_count_;
  while (i > 0 && (runs_[i - 1].at > run.at || (first && runs_[i - 1].at == run.at))) {
    runs_[i] = runs_[i - 1];
    --i;
  }
  runs_[i] = run;
  ++run_count_;
  run_units_ += run.count;
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
  addRun(Run{count, used_, unit}, false);
}

void NumberText::pad(std::int64_t field, ZQChar unit, Pad where) {
  const std::int64_t missing = field - length();
  if (missing <= 0) return;
  const std::int32_t at = where == Pad::kFront ? 0 : where == Pad::kInside ? inside_ : used_;
  addRun(Run{missing, at, unit}, where != Pad::kBack);
}

FormatResult NumberText::emit(ZQChar* buffer, std::int64_t capacity, Status status) const {
  const std::int64_t total = length();
  if (total > capacity) {
    std::fill(buffer, buffer + capacity, ZQChar{'*'});
    return {ZQ_NLS_FMT_TRUNCATE, total};
  }
  // Units up to each run, then the run; short texts are copied unit by unit.
  const auto copy = [&buffer](const ZQChar* from, std::int64_t count) {
    if (count > 16) {
      std::memcpy(buffer, from, static_cast<std::size_t>(count) * sizeof(ZQChar));
      buffer += count;
      return;
    }
    for (std::int64_t i = 0; i < count; ++i) *buffer++ = from[i];
  };
  std::int32_t copied = 0;
  for (int i = 0; i < run_count_; ++i) {
    const Run& run = runs_[i];
    copy(units_ + copied, run.at - copied);
    copied = run.at;
    buffer = std::fill_n(buffer, run.count, run.unit);
  }
  copy(units_ + copied, used_ - copied);
  return {status, total};
}

double missingValueOf(ZQChar code) {
  std::uint64_t top = 0xFFFFFE;
  if (code == '_') {
    top = 0xFFFFFF;
  } else if (isMissingCode(code)) {
    top = 0xFFFFFD - ((code | 0x20) - 'a');  // the letter in lower case
  }
  return std::bit_cast<double>(top << 40);
}

ZQChar missingCharacterOf(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t top = bits >> 40;
  if ((bits & 0xFFFFFFFFFFu) != 0 || top < 0xFFFFE4) return '.';
  if (top == 0xFFFFFF) return '_';
  if (top == 0xFFFFFE) return '.';
  return static_cast<ZQChar>('A' + (0xFFFFFD - top));
}

bool putSpecialValue(double value, const NumberSymbols& symbols, ZQChar substitute,
                     std::int64_t field, bool pad_after, NumberText& text) {
  if (std::isinf(value)) {
    if (value < 0) text.put(symbols.minus_sign);
    text.putAscii("Inf");
    return true;
  }
  if (!std::isnan(value)) return false;
  text.put(substitute != 0 ? substitute : missingCharacterOf(value));
  text.pad(field, ' ', pad_after ? NumberText::Pad::kBack : NumberText::Pad::kFront);
  return true;
}

namespace {

std::int64_t integerDigits(const Decimal& value, const FixedForm& form) {
  if (!value.isZero() && value.exponent >= 0) return value.exponent + 1;
  return form.lead_zero ? 1 : 0;
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
  return digits + groupSeparatorCount(digits, form.group, symbols) +
         (fraction > 0 || form.keep_point ? 1 : 0) + fraction;
}

void appendFixed(NumberText& text, const Decimal& value, const FixedForm& form,
                 const NumberSymbols& symbols) {
  // The integer digits are the value's first ones (zeros past them), or one "0".
  const std::int64_t digits = integerDigits(value, form);
  const std::int64_t held =
      !value.isZero() && value.exponent >= 0 ? std::min<std::int64_t>(value.count, digits) : 0;
  const std::int64_t separators = groupSeparatorCount(digits, form.group, symbols);
  writeGroupedDigits(text.claim(digits + separators), digits, separators, symbols,
                     [&](std::int64_t i) { return i < held ? value.digits[i] : '0'; });
  const std::int64_t fraction = fractionDigits(value, form);
  if (fraction > 0 || form.keep_point) text.put(symbols.decimal_separator);
  // Digits down to the value's last one; zeros after it are a run. The digit at
  // 10^-k is digits[exponent + k], or '0' outside them.
  const std::int64_t last = value.isZero() ? 0 : value.count - 1 - value.exponent;
  const std::int64_t written = std::clamp<std::int64_t>(last, 0, fraction);
  ZQChar* out = text.claim(written);
  for (std::int64_t k = 1; k <= written; ++k) {
    const std::int64_t index = value.exponent + k;
    *out++ = static_cast<unsigned char>(index >= 0 && index < value.count ? value.digits[index]
                                                                          : '0');
  }
  text.repeat('0', fraction - written);
}

int exponentLength(int exponent, const ExponentForm& form) {
  const int digits = decimalDigitCount(static_cast<std::uint64_t>(std::abs(exponent)));
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
