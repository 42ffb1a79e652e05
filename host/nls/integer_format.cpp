// Integer and pointer formatting: the bounded layout around the lead and digit string
// of integer_digits.h.
//
// Speed. A format sizes every piece first and, when the text fits, writes each unit
// once, straight into the output. Only a truncated text is built aside and copied. The
// table words write the common request themselves (formatUnpadded) and hand the rest
// to formatInteger.
#include "host/nls/integer_format.h"

#include <algorithm>
#include <cassert>

namespace zq::host {
namespace {

// Writes into a buffer already known to hold the whole text.
class DirectSink {
 public:
  explicit DirectSink(ZQChar* buffer) : next_(buffer) {}
  void fill(ZQChar unit, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) next_[i] = unit;
    next_ += count;
  }
  void put(ZQChar unit) { *next_++ = unit; }
  void digits(const IntegerDigits& digits) {
    next_ += digits.length;
    digits.writeEndingAt(next_);
  }

 private:
  ZQChar* next_;
};

// Writes into a buffer of `capacity` units, dropping whatever does not fit.
class BoundedSink {
 public:
  BoundedSink(ZQChar* buffer, std::int64_t capacity) : next_(buffer), room_(capacity) {}
  void fill(ZQChar unit, std::int64_t count) {
    const std::int64_t n = std::min(count, room_);
    for (std::int64_t i = 0; i < n; ++i) next_[i] = unit;
    next_ += n;
    room_ -= n;
  }
  void put(ZQChar unit) { fill(unit, 1); }
  void digits(const IntegerDigits& digits) {
    ZQChar text[kMaxIntegerDigitUnits];
    digits.writeEndingAt(text + digits.length);
    for (int i = 0; i < digits.length; ++i) put(text[i]);
  }

 private:
  ZQChar* next_;
  std::int64_t room_;
};

// The padded text: blanks, the number's lead, zeros, its digits, blanks.
struct Layout {
  std::int64_t leading_blanks = 0;
  UnpaddedInteger number;
  std::int64_t zeros = 0;
  std::int64_t trailing_blanks = 0;

  std::int64_t length() const {
    return leading_blanks + number.length() + zeros + trailing_blanks;
  }

  template <typename Sink>
  void writeTo(Sink& sink) const {
    sink.fill(' ', leading_blanks);
    if (number.lead_length > 0) sink.put(number.lead_first);
    if (number.lead_length > 1) sink.put(number.lead_second);
    sink.fill('0', zeros);
    sink.digits(number.digits);
    sink.fill(' ', trailing_blanks);
  }
};

}  // namespace

// The whole format, for every request: sizes every piece, then writes the text, or for
// a text longer than the capacity its first `capacity` units.
FormatResult formatInteger(const NumberSymbols& symbols, IntegerOperand operand,
                           std::int32_t width, std::int32_t precision, std::uint32_t options,
                           ZQChar* buffer, std::int64_t capacity) {
  assert(usableUnits(buffer, capacity));
  Layout layout;
  layout.number = unpaddedIntegerOf(symbols, operand, options);
  // Precision zeros come before the digit string and are not grouped. An octal text
  // that starts with them needs no "0" prefix (the only lead that is a lone "0").
  layout.zeros = std::max<std::int64_t>(0, std::int64_t{precision} - layout.number.digits.length);
  if (layout.zeros > 0 && layout.number.lead_first == '0' && layout.number.lead_length == 1) {
    layout.number.lead_length = 0;
  }
  const std::int64_t fill =
      std::max<std::int64_t>(0, std::int64_t{width} - layout.number.length() - layout.zeros);
  if ((options & LOCALE_NFMT_LEFTJUSTIFY) != 0) {
    layout.trailing_blanks = fill;
  } else if ((options & LOCALE_NFMT_PADWITHZERO) != 0) {
    layout.zeros += fill;
  } else {
    layout.leading_blanks = fill;
  }
  const std::int64_t length = layout.length();
  if (length > capacity) {
    BoundedSink sink(buffer, capacity);
    layout.writeTo(sink);
    return {ZQ_NLS_FMT_TRUNCATE, capacity};
  }
  DirectSink sink(buffer);
  layout.writeTo(sink);
  return {ZQ_OK, length};
}

FormatResult formatPointer(const NumberSymbols& symbols, std::uint64_t pointer,
                           std::int32_t width, std::uint32_t options, ZQChar* buffer,
                           std::int64_t capacity) {
  if (pointer != 0) {
    const std::uint32_t layout_options =
        LOCALE_NFMT_HEXBIG | LOCALE_NFMT_HEXPREFIX |
        (options & (LOCALE_NFMT_LEFTJUSTIFY | LOCALE_NFMT_PADWITHZERO));
    return formatInteger(symbols, IntegerOperand{pointer, 64, false}, width, -1, layout_options,
                         buffer, capacity);
  }
  assert(usableUnits(buffer, capacity));
  // The null pointer is a word, not a number: it is never padded.
  static constexpr ZQChar kNil[] = {'N', 'I', 'L'};
  const std::int64_t length = std::min<std::int64_t>(3, capacity);
  std::copy_n(kNil, length, buffer);
  return {length < 3 ? ZQ_NLS_FMT_TRUNCATE : ZQ_OK, length};
}

}  // namespace zq::host
