// Integers as the formats write them before any padding: a lead (a sign or a radix
// prefix) and a digit string, written right to left into their place. The general
// layout (integer_format.cpp) and the table words' common request (formatUnpadded)
// share them.
//
// Speed. Digits come out of the value's low end, so the digit string is written right
// to left into its place, each unit once. Decimal digits come three at a time: one
// division by 1000 a group, the group's first digit by a multiplication and the other
// two from a table of digit pairs.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "host/nls/number_text.h"

namespace zq::host {

// An integer as an operation received it: its two's-complement bits (zero above
// `bit_count`), the operation's width (32 or 64) and whether the operation is a
// signed one.
struct IntegerOperand {
  std::uint64_t bits;
  std::uint32_t bit_count;
  bool is_signed;
};

namespace integer_digits {

// Writes the two decimal digits of `pair` (0 to 99) at `out`.
inline void putPair(ZQChar* out, std::uint32_t pair) {
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
inline void putThree(ZQChar* out, std::uint32_t group) {
  const std::uint32_t hundreds = group * 41 >> 12;  // group / 100 for every group below 1000
  out[0] = '0' + hundreds;
  putPair(out + 1, group - hundreds * 100);
}

inline std::uint64_t lowBits(std::uint32_t bit_count) {
  return bit_count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bit_count) - 1;
}

}  // namespace integer_digits

// The most units a digit string takes: 20 decimal digits and 6 separators, or 22 octal
// digits.
constexpr int kMaxIntegerDigitUnits = 26;

// The digit string of a value to write: decimal, with `separator` between groups of
// three digits (0: none), or the value's bits in base 8 or 16.
struct IntegerDigits {
  std::uint64_t value;
  int radix_shift;  // 0: decimal; 3: octal; 4: hexadecimal
  bool upper_case;  // hexadecimal letters
  ZQChar separator;
  int length;  // units, separators included

  static IntegerDigits decimal(std::uint64_t value, ZQChar separator) {
    const int digits = decimalDigitCount(value);
    const int separators = separator != 0 ? static_cast<int>((digits - 1u) / 3) : 0;
    return IntegerDigits{value, 0, false, separator, digits + separators};
  }
  static IntegerDigits powerOfTwo(std::uint64_t bits, int shift, bool upper_case) {
    const int significant_bits = 64 - __builtin_clzll(bits | 1);
    return IntegerDigits{bits, shift, upper_case, 0, (significant_bits + shift - 1) / shift};
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
      integer_digits::putThree(end - 3, static_cast<std::uint32_t>(rest - above * 1000));
      end[-4] = separator;
      end -= step;
      rest = above;
    }
    const auto lead = static_cast<std::uint32_t>(rest);
    assert(end - (lead >= 100 ? 3 : lead >= 10 ? 2 : 1) == start);
    if (lead >= 100) {
      integer_digits::putThree(end - 3, lead);
    } else if (lead >= 10) {
      integer_digits::putPair(end - 2, lead);
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

// An integer as written before any padding: its lead, which is the sign of a decimal
// text or the prefix of a radix one (no text has both), and its digit string.
struct UnpaddedInteger {
  ZQChar lead_first = 0;
  ZQChar lead_second = 0;
  int lead_length = 0;
  IntegerDigits digits;

  std::int64_t length() const { return lead_length + digits.length; }
};

// The lead and the digit string of an integer; see the option rules in
// integer_format.h.
[[gnu::always_inline]] inline UnpaddedInteger unpaddedIntegerOf(const NumberSymbols& symbols,
                                                                IntegerOperand operand,
                                                                std::uint32_t options) {
  assert(operand.bit_count == 32 || operand.bit_count == 64);
  const std::uint64_t bits = operand.bits & integer_digits::lowBits(operand.bit_count);
  UnpaddedInteger number;
  if ((options & (LOCALE_NFMT_HEX | LOCALE_NFMT_HEXBIG)) != 0) {
    if ((options & LOCALE_NFMT_HEXPREFIX) != 0) {
      number.lead_first = '0';
      number.lead_second = 'x';
      number.lead_length = 2;
    }
    number.digits = IntegerDigits::powerOfTwo(bits, 4, (options & LOCALE_NFMT_HEXBIG) != 0);
    return number;
  }
  if ((options & LOCALE_NFMT_OCTAL) != 0) {
    // The value 0 already starts with a zero.
    if ((options & LOCALE_NFMT_OCTALPREFIX) != 0 && bits != 0) {
      number.lead_first = '0';
      number.lead_length = 1;
    }
    number.digits = IntegerDigits::powerOfTwo(bits, 3, false);
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
  const std::uint64_t magnitude =
      negative ? (~bits + 1) & integer_digits::lowBits(operand.bit_count) : bits;
  const bool group = (options & LOCALE_NFMT_GROUP) != 0;
  number.digits = IntegerDigits::decimal(magnitude, group ? symbols.group_separator : 0);
  return number;
}

// The common request: one that asks for no padding (no width or precision beyond the
// number's own length) into a buffer with room for the text. Writes it, sets `length`
// and returns true; returns false, having written nothing, for any other request,
// which formatInteger writes. Precondition: `buffer` is not null.
[[gnu::always_inline]] inline bool formatUnpadded(const NumberSymbols& symbols,
                                                  IntegerOperand operand, std::int32_t width,
                                                  std::int32_t precision, std::uint32_t options,
                                                  ZQChar* buffer, std::int64_t capacity,
                                                  std::int64_t& length) {
  const UnpaddedInteger number = unpaddedIntegerOf(symbols, operand, options);
  length = number.length();
  if (precision > number.digits.length || width > length || length > capacity) return false;
  if (number.lead_length > 0) buffer[0] = number.lead_first;
  if (number.lead_length > 1) buffer[1] = number.lead_second;
  number.digits.writeEndingAt(buffer + length);
  return true;
}

}  // namespace zq::host
