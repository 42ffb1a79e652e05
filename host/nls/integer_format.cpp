// Integer and pointer formatting: digit strings, grouping and the bounded layout.
#include "host/nls/integer_format.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>

namespace zq::host {
namespace {

// The digits of a value, right-aligned in `units`, and how they are grouped: either
// through `separator` and the group sizes when written, or already in `units`.
struct Digits {
  ZQChar units[40];  // 20 digits and their separators, or 22 octal digits
  int first = 40;
  ZQChar separator = 0;  // 0: not grouped
  int primary_group = 0;
  int other_groups = 0;
  int separators = 0;

  int count() const { return 40 - first; }
  ZQChar leading() const { return units[first]; }
  void prepend(ZQChar unit) { units[--first] = unit; }
  void prependTwo(const ZQChar* two) {
    first -= 2;
    std::memcpy(units + first, two, 2 * sizeof(ZQChar));
  }
  std::int64_t length() const { return count() + separators; }

  // Groups the digits (once they are all there): `primary` digits next to the
  // units place, `secondary` in each group further left (0: as the first).
  void group(ZQChar separator_unit, int primary, int secondary) {
    if (separator_unit == 0 || primary <= 0 || count() <= primary) return;
    separator = separator_unit;
    primary_group = primary;
    other_groups = secondary > 0 ? secondary : primary;
    // Group sizes of 3 divide by a constant, which compiles to a multiplication.
    const int rest = count() - primary - 1;
    separators = 1 + (other_groups == 3 ? rest / 3 : rest / other_groups);
  }

  // Writes the digits left to right, a separator before each group but the first.
  template <typename Sink>
  void writeTo(Sink& sink) const {
    const ZQChar* next = units + first;
    if (separators == 0) {
      sink.copy(next, count());
      return;
    }
    const int lead = count() - primary_group - (separators - 1) * other_groups;
    sink.copy(next, lead);
    next += lead;
    for (int i = 1; i < separators; ++i, next += other_groups) {
      sink.put(separator);
      sink.copy(next, other_groups);
    }
    sink.put(separator);
    sink.copy(next, primary_group);
  }
};

// Writes digits right to left into a buffer already known to hold them.
struct BackwardWriter {
  ZQChar* start;  // the leftmost unit written so far
  void prepend(ZQChar unit) { *--start = unit; }
  void prependTwo(const ZQChar* two) {
    start -= 2;
    std::memcpy(start, two, 2 * sizeof(ZQChar));
  }
};

// Writes into a buffer already known to hold the whole text.
class DirectSink {
 public:
  explicit DirectSink(ZQChar* buffer) : next_(buffer) {}
  void fill(ZQChar unit, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) *next_++ = unit;
  }
  void put(ZQChar unit) { *next_++ = unit; }
  void copy(const ZQChar* units, int count) {
    std::memcpy(next_, units, static_cast<std::size_t>(count) * sizeof(ZQChar));
    next_ += count;
  }
  ZQChar* position() const { return next_; }

 private:
  ZQChar* next_;
};

// Writes into a buffer of `capacity` units, dropping whatever does not fit.
class BoundedSink {
 public:
  BoundedSink(ZQChar* buffer, std::int64_t capacity) : next_(buffer), room_(capacity) {}
  void fill(ZQChar unit, std::int64_t count) {
    const std::int64_t n = std::min(count, room_);
    for (std::int64_t i = 0; i < n; ++i) *next_++ = unit;
    room_ -= n;
  }
  void put(ZQChar unit) { fill(unit, 1); }
  void copy(const ZQChar* units, int count) {
    for (int i = 0; i < count; ++i) put(units[i]);
  }

 private:
  ZQChar* next_;
  std::int64_t room_;
};

// The pieces of a formatted text, in their order.
struct Layout {
  std::int64_t leading_blanks = 0;
  ZQChar sign = 0;  // 0: no sign
  ZQChar prefix[2] = {};
  int prefix_length = 0;
  std::int64_t zeros = 0;
  Digits digits;
  // A decimal digit string in groups of three (or none) is written straight into
  // the output when the whole text fits; until then only its length is known.
  bool deferred_decimal = false;
  std::uint64_t deferred_magnitude = 0;
  ZQChar deferred_separator = 0;  // 0: not grouped
  std::int64_t deferred_length = 0;
  std::int64_t trailing_blanks = 0;

  void setPrefix(ZQChar first, ZQChar second) {
    prefix[0] = first;
    prefix[1] = second;
    prefix_length = second != 0 ? 2 : 1;
  }
  std::int64_t bodyLength() const {
    return (sign != 0 ? 1 : 0) + prefix_length + zeros + digitsLength();
  }
  std::int64_t digitsLength() const {
    return deferred_decimal ? deferred_length : digits.length();
  }
  template <typename Sink>
  void writeTo(Sink& sink) const {
    sink.fill(' ', leading_blanks);
    if (sign != 0) sink.put(sign);
    sink.copy(prefix, prefix_length);
    sink.fill('0', zeros);
    digits.writeTo(sink);
    sink.fill(' ', trailing_blanks);
  }
};

bool outputUsable(const ZQChar* buffer, std::int64_t capacity) {
  return capacity >= 0 && (buffer != nullptr || capacity == 0);
}

// Writes the layout, truncated to the capacity, and reports the outcome. Forced
// inline so the layout stays in registers: about a tenth of a format's time.
[[gnu::always_inline]] inline Status emit(const Layout& layout, ZQChar* buffer,
                                          std::int64_t capacity, std::int64_t* out_length) {
  const std::int64_t length = layout.leading_blanks + layout.bodyLength() +
                              layout.trailing_blanks;
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

// Puts the two decimal digits of `pair` (0 to 99) in front of `out`.
template <typename Out>
void prependPair(std::size_t pair, Out& out) {
  // Units 2i and 2i+1 are the two digits of i, for i from 0 to 99.
  static constexpr auto kPairs = [] {
    std::array<ZQChar, 200> pairs{};
    for (ZQChar i = 0; i < 100; ++i) {
      pairs[2 * i] = '0' + i / 10;
      pairs[2 * i + 1] = '0' + i % 10;
    }
    return pairs;
  }();
  out.prependTwo(&kPairs[2 * pair]);
}

// Decimal digits of `magnitude`, two at a time.
template <typename Out>
void setDecimal(std::uint64_t magnitude, Out& out) {
  while (magnitude >= 100) {
    prependPair(static_cast<std::size_t>(magnitude % 100), out);
    magnitude /= 100;
  }
  if (magnitude >= 10) {
    prependPair(static_cast<std::size_t>(magnitude), out);
    return;
  }
  out.prepend(static_cast<ZQChar>('0' + magnitude));
}

// Decimal digits of `magnitude` with `separator` between groups of three, written
// with the separators in place, a group at a time; a separator of 0 means none.
template <typename Out>
void setDecimalInThrees(std::uint64_t magnitude, ZQChar separator, Out& out) {
  if (separator == 0) {
    setDecimal(magnitude, out);
    return;
  }
  while (magnitude >= 1000) {
    const auto group = static_cast<std::size_t>(magnitude % 1000);
    magnitude /= 1000;
    prependPair(group % 100, out);
    out.prepend(static_cast<ZQChar>('0' + group / 100));
    out.prepend(separator);
  }
  setDecimal(magnitude, out);
}

// Digits of `bits` in base 2^shift (8 or 16).
void setPowerOfTwo(std::uint64_t bits, int shift, bool upper_case, Digits& out) {
  // Digit values 0 to 15, lower and upper case.
  static constexpr char kLower[] = "0123456789abcdef";
  static constexpr char kUpper[] = "0123456789ABCDEF";
  const char* table = upper_case ? kUpper : kLower;
  const std::uint64_t mask = (std::uint64_t{1} << shift) - 1;
  do {
    out.prepend(static_cast<unsigned char>(table[bits & mask]));
    bits >>= shift;
  } while (bits != 0);
}

// Number of decimal digits of `n` (1 for 0).
int countDigits(std::uint64_t n) {
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

// Writes the whole text of a deferred decimal layout into a buffer that holds it.
std::int64_t writeDeferredDecimal(const Layout& layout, ZQChar* buffer) {
  DirectSink sink(buffer);
  sink.fill(' ', layout.leading_blanks);
  if (layout.sign != 0) sink.put(layout.sign);
  if (layout.prefix_length != 0) sink.copy(layout.prefix, layout.prefix_length);
  sink.fill('0', layout.zeros);
  ZQChar* digits_end = sink.position() + layout.deferred_length;
  BackwardWriter digits{digits_end};
  setDecimalInThrees(layout.deferred_magnitude, layout.deferred_separator, digits);
  // The digits were counted before they were written: they must end where the text
  // before them does, or a unit was skipped or written twice.
  assert(digits.start == sink.position());
  DirectSink tail(digits_end);
  tail.fill(' ', layout.trailing_blanks);
  return tail.position() - buffer;
}

std::uint64_t lowBits(std::uint32_t bit_count) {
  return bit_count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bit_count) - 1;
}

}  // namespace

Status formatInteger(const LocaleData& locale, IntegerOperand operand, std::int32_t width,
                     std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                     std::int64_t capacity, std::int64_t* out_length) {
  if (out_length != nullptr) *out_length = 0;
  if (!outputUsable(buffer, capacity)) return ZQ_NLS_INVALID_VALUE;
  const NumberSymbols& symbols = locale.number;
  const std::uint64_t bits = operand.bits & lowBits(operand.bit_count);

  Layout layout;
  const bool hex = (options & (LOCALE_NFMT_HEX | LOCALE_NFMT_HEXBIG)) != 0;
  const bool octal = !hex && (options & LOCALE_NFMT_OCTAL) != 0;
  if (hex) {
    if ((options & LOCALE_NFMT_HEXPREFIX) != 0) layout.setPrefix('0', 'x');
    setPowerOfTwo(bits, 4, (options & LOCALE_NFMT_HEXBIG) != 0, layout.digits);
  } else if (octal) {
    setPowerOfTwo(bits, 3, false, layout.digits);
  } else {
    const bool signed_view = operand.is_signed && (options & LOCALE_NFMT_UNSIGNED) == 0;
    const bool negative = signed_view && ((bits >> (operand.bit_count - 1)) & 1) != 0;
    const std::uint64_t magnitude = negative ? (~bits + 1) & lowBits(operand.bit_count) : bits;
    if (negative) {
      layout.sign = symbols.minus_sign;
    } else if (signed_view && (options & LOCALE_NFMT_ADDSIGN) != 0) {
      layout.sign = symbols.plus_sign;
    } else if (signed_view && (options & LOCALE_NFMT_SPACEPREFIX) != 0) {
      layout.sign = ' ';
    }
    const bool group = (options & LOCALE_NFMT_GROUP) != 0 && symbols.group_separator != 0;
    if (!group || (symbols.primary_group_size == 3 && (symbols.secondary_group_size == 0 ||
                                                       symbols.secondary_group_size == 3))) {
      const int count = countDigits(magnitude);
      layout.deferred_decimal = true;
      layout.deferred_magnitude = magnitude;
      layout.deferred_separator = group ? symbols.group_separator : 0;
      layout.deferred_length = count + (group ? (count - 1) / 3 : 0);
    } else {
      setDecimal(magnitude, layout.digits);
      if (group) {
        layout.digits.group(symbols.group_separator, symbols.primary_group_size,
                            symbols.secondary_group_size);
      }
    }
  }

  // Precision zeros come before the digit string and are not grouped.
  layout.zeros = std::max<std::int64_t>(0, std::int64_t{precision} - layout.digitsLength());
  // An octal text that already starts with a zero needs no "0" prefix.
  if (octal && (options & LOCALE_NFMT_OCTALPREFIX) != 0 && layout.zeros == 0 &&
      layout.digits.leading() != '0') {
    layout.setPrefix('0', 0);
  }

  const std::int64_t fill = std::max<std::int64_t>(0, std::int64_t{width} - layout.bodyLength());
  if ((options & LOCALE_NFMT_LEFTJUSTIFY) != 0) {
    layout.trailing_blanks = fill;
  } else if ((options & LOCALE_NFMT_PADWITHZERO) != 0) {
    layout.zeros += fill;
  } else {
    layout.leading_blanks = fill;
  }
  if (layout.deferred_decimal) {
    const std::int64_t length =
        layout.leading_blanks + layout.bodyLength() + layout.trailing_blanks;
    if (length <= capacity) {
      const std::int64_t written = writeDeferredDecimal(layout, buffer);
      if (out_length != nullptr) *out_length = written;
      return ZQ_OK;
    }
    // A truncated text goes through the bounded writer with its digits built.
    layout.deferred_decimal = false;
    setDecimalInThrees(layout.deferred_magnitude, layout.deferred_separator, layout.digits);
  }
  return emit(layout, buffer, capacity, out_length);
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
  if (out_length != nullptr) *out_length = 0;
  if (!outputUsable(buffer, capacity)) return ZQ_NLS_INVALID_VALUE;
  // The null pointer is a word, not a number: it is never padded.
  Layout layout;
  for (ZQChar unit : {'L', 'I', 'N'}) layout.digits.prepend(unit);
  return emit(layout, buffer, capacity, out_length);
}

}  // namespace zq::host
