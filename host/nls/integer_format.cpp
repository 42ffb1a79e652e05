// Integer and pointer formatting: the digit string and the bounded layout around it.
//
// Speed. A format sizes every piece first and, when the text fits, writes each unit once,
// straight into the output; digits come out of the value's low end, so the digit string
// is written right to left into its place. Decimal digits come three at a time: one
// division by 1000 a group, the group's first digit by a multiplication and the other
// two from a table of digit pairs. Only a truncated text is built aside and copied. The
// table operations (formatAs) write the common request themselves and hand the rest to
// formatLaidOut (see formatAs).
#include "host/nls/integer_format.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <type_traits>

#include "host/nls/service.h"

namespace zq::host {
namespace {

// The most units a digit string takes: 20 decimal digits and 6 separators, or 22 octal
// digits.
constexpr int kMaxDigitUnits = 26;

// Writes the two decimal digits of `pair` (0 to 99) at `out`.
void putPair(ZQChar* out, std::uint32_t pair) {
  // Units 2i and 2i+1 are the two digits of i, for i from 0 to 99.
  static constexpr auto kPairs = [] {
    std::array<ZQChar, 200> pairs{};
    for (ZQChar i = 0; i < 100; ++i) {
      pairs[2 * i] = '0' + i / 10;
      pairs[2 * i + 1] = '0' + i % 10;
    }
    return pairs;
  }();
  std::memcpy(out, &kPairs[2 * pair], 2 * sizeof(ZQChar));
}

// Writes the three decimal digits of `group` (0 to 999), leading zeros included, at `out`.
void putThree(ZQChar* out, std::uint32_t group) {
  const std::uint32_t hundreds = group * 41 >> 12;  // group / 100 for every group below 1000
  out[0] = '0' + hundreds;
  putPair(out + 1, group - hundreds * 100);
}

// Number of decimal digits of `n` (1 for 0).
int countDecimalDigits(std::uint64_t n) {
  // 10^i for i from 0 to 19.
  static constexpr std::uint64_t kPowers[20] = {
      1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL,
      100000000ULL, 1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL,
      10000000000000ULL, 100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL,
      100000000000000000ULL, 1000000000000000000ULL, 10000000000000000000ULL};
  // n | 1 has the digits of n (a power of ten above 1 is even) and is never 0.
  // log10(2) is about 1233 / 4096, so the estimate is the digit count or one less.
  const std::uint64_t m = n | 1;
  const int estimate = ((64 - __builtin_clzll(m)) * 1233) >> 12;
  return estimate + (m >= kPowers[estimate] ? 1 : 0);
}

// The digit string of a value: decimal, with `separator` between groups of three
// digits (0: none), or the value's bits in base 8 or 16.
struct DigitString {
  std::uint64_t value;
  int radix_shift;  // 0: decimal; 3: octal; 4: hexadecimal
  bool upper_case;  // hexadecimal letters
  ZQChar separator;
  int length;  // units, separators included

  static DigitString decimal(std::uint64_t value, ZQChar separator) {
    const int digits = countDecimalDigits(value);
    const int separators = separator != 0 ? static_cast<int>((digits - 1u) / 3) : 0;
    return DigitString{value, 0, false, separator, digits + separators};
  }
  static DigitString powerOfTwo(std::uint64_t bits, int shift, bool upper_case) {
    const int significant_bits = 64 - __builtin_clzll(bits | 1);
    return DigitString{bits, shift, upper_case, 0, (significant_bits + shift - 1) / shift};
  }

  // Writes the `length` units so that they end just before `end`.
  void writeEndingAt(ZQChar* end) const {
    if (radix_shift != 0) {
      writePowerOfTwo(end);
      return;
    }
    // The length was counted before the digits are written: they must begin exactly
    // `length` units before `end`, or a unit was skipped or written twice.
    [[maybe_unused]] const ZQChar* const start = end - length;
    // Each full group goes in with the unit in front of it: the separator, or without
    // one a placeholder that the next group or the leading digits overwrite (a full
    // group always has a non-zero rest in front of it).
    const int step = separator != 0 ? 4 : 3;
    std::uint64_t rest = value;
    while (rest >= 1000) {
      const std::uint64_t above = rest / 1000;
      putThree(end - 3, static_cast<std::uint32_t>(rest - above * 1000));
      end[-4] = separator;
      end -= step;
      rest = above;
    }
    const auto lead = static_cast<std::uint32_t>(rest);
    assert(end - (lead >= 100 ? 3 : lead >= 10 ? 2 : 1) == start);
    if (lead >= 100) {
      putThree(end - 3, lead);
    } else if (lead >= 10) {
      putPair(end - 2, lead);
    } else {
      end[-1] = '0' + lead;
    }
  }

  void writePowerOfTwo(ZQChar* end) const {
    // Digit values 0 to 15, lower and upper case.
    static constexpr char kLower[] = "0123456789abcdef";
    static constexpr char kUpper[] = "0123456789ABCDEF";
    const char* alphabet = upper_case ? kUpper : kLower;
    const std::uint64_t mask = (std::uint64_t{1} << radix_shift) - 1;
    std::uint64_t rest = value;
    for (int i = 1; i <= length; ++i, rest >>= radix_shift) {
      end[-i] = static_cast<unsigned char>(alphabet[rest & mask]);
    }
  }
};

// Writes into a buffer already known to hold the whole text.
class DirectSink {
 public:
  explicit DirectSink(ZQChar* buffer) : next_(buffer) {}
  void fill(ZQChar unit, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) next_[i] = unit;
    next_ += count;
  }
  void put(ZQChar unit) { *next_++ = unit; }
  void digits(const DigitString& digits) {
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
  void digits(const DigitString& digits) {
    ZQChar text[kMaxDigitUnits];
    digits.writeEndingAt(text + digits.length);
    for (int i = 0; i < digits.length; ++i) put(text[i]);
  }

 private:
  ZQChar* next_;
  std::int64_t room_;
};

// A number as written before any padding: its lead, which is the sign of a decimal
// text or the prefix of a radix one (no text has both), and its digit string.
struct Number {
  ZQChar lead_first = 0;
  ZQChar lead_second = 0;
  int lead_length = 0;
  DigitString digits;

  std::int64_t length() const { return lead_length + digits.length; }
};

// The padded text: blanks, the number's lead, zeros, its digits, blanks.
struct Layout {
  std::int64_t leading_blanks = 0;
  Number number;
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

bool outputUsable(const ZQChar* buffer, std::int64_t capacity) {
  return capacity >= 0 && (buffer != nullptr || capacity == 0);
}

Status refuse(std::int64_t* out_length) {
  if (out_length != nullptr) *out_length = 0;
  return ZQ_NLS_INVALID_VALUE;
}

std::uint64_t lowBits(std::uint32_t bit_count) {
  return bit_count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bit_count) - 1;
}

// The sign or prefix and the digit string of an integer; see the option rules in the
// header.
[[gnu::always_inline]] inline Number numberOf(const NumberSymbols& symbols,
                                              IntegerOperand operand, std::uint32_t options) {
  assert(operand.bit_count == 32 || operand.bit_count == 64);
  const std::uint64_t bits = operand.bits & lowBits(operand.bit_count);
  Number number;
  if ((options & (LOCALE_NFMT_HEX | LOCALE_NFMT_HEXBIG)) != 0) {
    if ((options & LOCALE_NFMT_HEXPREFIX) != 0) {
      number.lead_first = '0';
      number.lead_second = 'x';
      number.lead_length = 2;
    }
    number.digits = DigitString::powerOfTwo(bits, 4, (options & LOCALE_NFMT_HEXBIG) != 0);
    return number;
  }
  if ((options & LOCALE_NFMT_OCTAL) != 0) {
    // The value 0 already starts with a zero.
    if ((options & LOCALE_NFMT_OCTALPREFIX) != 0 && bits != 0) {
      number.lead_first = '0';
      number.lead_length = 1;
    }
    number.digits = DigitString::powerOfTwo(bits, 3, false);
    return number;
  }
  const bool signed_view = operand.is_signed && (options & LOCALE_NFMT_UNSIGNED) == 0;
  const bool negative = signed_view && ((bits >> (operand.bit_count - 1)) & 1) != 0;
  if (negative) {
    number.lead_first = symbols.minus_sign;
  } else if (signed_view && (options & LOCALE_NFMT_ADDSIGN) != 0) {
    number.lead_first = symbols.plus_sign;
  } else if (signed_view && (options & LOCALE_NFMT_SPACEPREFIX) != 0) {
    number.lead_first = ' ';
  }
  number.lead_length = number.lead_first != 0 ? 1 : 0;
  const std::uint64_t magnitude = negative ? (~bits + 1) & lowBits(operand.bit_count) : bits;
  const bool group = (options & LOCALE_NFMT_GROUP) != 0;
  number.digits = DigitString::decimal(magnitude, group ? symbols.group_separator : 0);
  return number;
}

// The whole format, for every request: sizes every piece, then writes the text, or for
// a text longer than the capacity its first `capacity` units.
Status formatLaidOut(const NumberSymbols& symbols, IntegerOperand operand, std::int32_t width,
                     std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                     std::int64_t capacity, std::int64_t* out_length) {
  if (!outputUsable(buffer, capacity)) return refuse(out_length);
  Layout layout;
  layout.number = numberOf(symbols, operand, options);
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
    if (out_length != nullptr) *out_length = capacity;
    return ZQ_NLS_FMT_TRUNCATE;
  }
  DirectSink sink(buffer);
  layout.writeTo(sink);
  if (out_length != nullptr) *out_length = length;
  return ZQ_OK;
}

template <typename T>
IntegerOperand operandOf(T value) {
  return IntegerOperand{static_cast<std::make_unsigned_t<T>>(value), sizeof(T) * 8,
                        std::is_signed_v<T>};
}

// A format word for every request: formats a T.
template <typename T>
[[gnu::noinline]] Status formatAnyRequest(LocaleHandle* handle, T value, std::int32_t width,
                                          std::int32_t precision, std::int32_t options,
                                          ZQChar* buffer, std::int64_t capacity,
                                          std::int64_t* out_length) {
  if (handle == nullptr) return refuse(out_length);
  return formatLaidOut(localeDataOf(handle).number, operandOf(value), width, precision,
                       static_cast<std::uint32_t>(options), buffer, capacity, out_length);
}

// The format word of T, as formatAnyRequest.
//
// Most requests ask for no padding (no width or precision beyond the number's own
// length) and give room for the text: those are written here, the lead then the digits.
// Every other request (padding, truncation, unusable arguments) goes on to
// formatAnyRequest with the same arguments. That hand-over is a jump, so the call through
// the table is the only call a common request costs; a second call, with its arguments
// on the stack, would cost about a sixth of a short format.
template <typename T>
Status formatAs(LocaleHandle* handle, T value, std::int32_t width, std::int32_t precision,
                std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                std::int64_t* out_length) {
  if (handle != nullptr && buffer != nullptr) {
    const Number number = numberOf(localeDataOf(handle).number, operandOf(value),
                                   static_cast<std::uint32_t>(options));
    const std::int64_t length = number.length();
    if (precision <= number.digits.length && width <= length && length <= capacity) {
      if (number.lead_length > 0) buffer[0] = number.lead_first;
      if (number.lead_length > 1) buffer[1] = number.lead_second;
      number.digits.writeEndingAt(buffer + length);
      if (out_length != nullptr) *out_length = length;
      return ZQ_OK;
    }
  }
  return formatAnyRequest(handle, value, width, precision, options, buffer, capacity,
                          out_length);
}

Status pointerFormat(LocaleHandle* handle, std::uint64_t pointer, std::int32_t width,
                     std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                     std::int64_t* out_length) {
  if (handle == nullptr) return refuse(out_length);
  return formatPointer(localeDataOf(handle), pointer, width, static_cast<std::uint32_t>(options),
                       buffer, capacity, out_length);
}

}  // namespace

Status formatInteger(const LocaleData& locale, IntegerOperand operand, std::int32_t width,
                     std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                     std::int64_t capacity, std::int64_t* out_length) {
  return formatLaidOut(locale.number, operand, width, precision, options, buffer, capacity,
                       out_length);
}

Status formatPointer(const LocaleData& locale, std::uint64_t pointer, std::int32_t width,
                     std::uint32_t options, ZQChar* buffer, std::int64_t capacity,
                     std::int64_t* out_length) {
  if (pointer != 0) {
    const std::uint32_t layout_options =
        LOCALE_NFMT_HEXBIG | LOCALE_NFMT_HEXPREFIX |
        (options & (LOCALE_NFMT_LEFTJUSTIFY | LOCALE_NFMT_PADWITHZERO));
    return formatInteger(locale, IntegerOperand{pointer, 64, false}, width, -1, layout_options,
                         buffer, capacity, out_length);
  }
  if (!outputUsable(buffer, capacity)) return refuse(out_length);
  // The null pointer is a word, not a number: it is never padded.
  static constexpr ZQChar kNil[] = {'N', 'I', 'L'};
  const std::int64_t length = std::min<std::int64_t>(3, capacity);
  std::copy_n(kNil, length, buffer);
  if (out_length != nullptr) *out_length = length;
  return length < 3 ? ZQ_NLS_FMT_TRUNCATE : ZQ_OK;
}

void installIntegerFormats(LocaleHandle& table) {
  table.zqnlsLocaleIntfastFormat = formatAs<std::int32_t>;
  table.zqnlsLocaleIntmaxFormat = formatAs<std::int64_t>;
  table.zqnlsLocaleUintfastFormat = formatAs<std::uint32_t>;
  table.zqnlsLocaleUintmaxFormat = formatAs<std::uint64_t>;
  table.zqnlsLocalePointerFormat = pointerFormat;
}

}  // namespace zq::host
