// Integer parsing: one left-to-right pass over the text for every result width.
//
// Speed. The digit loops only accumulate, modulo 2^64; whether the value fits is decided
// once, from the number of digits read: up to 19 decimal or 16 hexadecimal digits never
// pass 2^64, so the value read is exact and one comparison with the limit decides. A
// longer digit string, which only leading zeros keep in range, is read a second time
// with a check on every digit. The table operations (parseAs) read the common texts
// themselves and hand every other text to parseInteger (see parseAs).
#include "host/nls/integer_parse.h"

#include <limits>
#include <type_traits>

#include "host/nls/service.h"

namespace zq::host {
namespace {

// The value of `unit` as a digit of `kBase` (10 or 16), or -1.
template <int kBase>
int digitValue(ZQChar unit) {
  if (unit - ZQChar{'0'} <= 9) return static_cast<int>(unit - '0');
  if (kBase != 16) return -1;
  if (unit - ZQChar{'a'} <= 5) return static_cast<int>(unit - 'a' + 10);
  if (unit - ZQChar{'A'} <= 5) return static_cast<int>(unit - 'A' + 10);
  return -1;
}

bool isGroupBlank(ZQChar unit) { return unit == kBlank || unit == kNoBreakSpace; }

// Whether blanks may separate digit groups: on request, in a locale that groups with one.
bool groupsWithBlanks(const NumberSymbols& symbols, std::uint32_t options) {
  return (options & LOCALE_CVT_SPACEGROUPING) != 0 && isGroupBlank(symbols.group_separator);
}

// A digit string as read: where it ends, its value modulo 2^64 and its digit count.
struct DigitString {
  const ZQChar* end;
  std::uint64_t value;
  std::int64_t digits;
  bool ended_by_group_blank;  // the string ends with a group blank that no digit follows
};

// Reads the digit string that starts at `p` with a digit. With `grouping`, one group
// blank between two digits belongs to the string, and so does one after its last digit,
// which ends it.
template <int kBase>
DigitString readDigits(const ZQChar* p, const ZQChar* end, bool grouping) {
  const ZQChar* start = p;
  std::uint64_t value = 0;
  std::int64_t blanks = 0;
  for (; p != end; ++p) {
    const int digit = digitValue<kBase>(*p);
    if (digit >= 0) {
      value = value * kBase + static_cast<std::uint64_t>(digit);
      continue;
    }
    if (!grouping || !isGroupBlank(*p)) break;
    if (p + 1 == end || digitValue<kBase>(p[1]) < 0) {
      return DigitString{p + 1, value, (p - start) - blanks, true};
    }
    ++blanks;
  }
  return DigitString{p, value, (p - start) - blanks, false};
}

// The value of the digits in [p, end) (group blanks skipped), or false once it passes
// `limit`.
template <int kBase>
bool valueWithin(const ZQChar* p, const ZQChar* end, std::uint64_t limit, std::uint64_t& value) {
  value = 0;
  for (; p != end; ++p) {
    const int digit = digitValue<kBase>(*p);
    if (digit < 0) continue;
    if (__builtin_mul_overflow(value, std::uint64_t{kBase}, &value) ||
        __builtin_add_overflow(value, static_cast<std::uint64_t>(digit), &value) ||
        value > limit) {
      return false;
    }
  }
  return true;
}

// The digit string at `p` and whether its value is within `limit` (and then `value`).
template <int kBase>
DigitString readNumber(const ZQChar* p, const ZQChar* end, bool grouping, std::uint64_t limit,
                       bool& fits) {
  // Digits that can never pass 2^64: 19 decimal ones (below 10^19) or 16 hexadecimal.
  constexpr std::int64_t kExactDigits = kBase == 10 ? 19 : 16;
  DigitString digits = readDigits<kBase>(p, end, grouping);
  if (digits.digits <= kExactDigits) {
    fits = digits.value <= limit;
    return digits;
  }
  fits = valueWithin<kBase>(p, digits.end, limit, digits.value);
  return digits;
}

ParsedInteger noNumber() { return ParsedInteger{ZQ_NLS_BAD_NUM, 0, false, 0}; }

// Stores a parser's results where the caller asked for them.
template <typename T>
Status deliver(Status status, T result, std::int64_t used, T* value, std::int64_t* consumed) {
  if (value != nullptr) *value = result;
  if (consumed != nullptr) *consumed = used;
  return status;
}

// T's range as magnitudes.
template <typename T>
constexpr IntegerRange kRangeOf{static_cast<std::uint64_t>(std::numeric_limits<T>::max()),
                                std::is_signed_v<T> ? std::uint64_t{1} << (sizeof(T) * 8 - 1)
                                                    : 0};

// T's value of a magnitude and sign. The negation is done in the unsigned type, so that
// the minimum converts back exactly.
template <typename T>
T valueOf(std::uint64_t magnitude, bool negative) {
  using Unsigned = std::make_unsigned_t<T>;
  const auto bits = static_cast<Unsigned>(magnitude);
  return static_cast<T>(negative ? static_cast<Unsigned>(0 - bits) : bits);
}

// A parser word for every text: parses into T. The value and the consumed count are
// always written (0 when the arguments are unusable); either pointer may be null.
template <typename T>
[[gnu::noinline]] Status parseAnyText(LocaleHandle* handle, const ZQChar* text,
                                      std::int64_t length, std::int32_t options, T* value,
                                      std::int64_t* consumed) {
  if (handle == nullptr || length < 0 || (text == nullptr && length > 0)) {
    return deliver(ZQ_NLS_INVALID_VALUE, T{0}, 0, value, consumed);
  }
  const ParsedInteger parsed = parseInteger(localeDataOf(handle), text, length,
                                            static_cast<std::uint32_t>(options), kRangeOf<T>);
  return deliver(parsed.status, valueOf<T>(parsed.magnitude, parsed.negative), parsed.consumed,
                 value, consumed);
}

// The parser word of T, as parseAnyText.
//
// Most texts are a decimal number, perhaps signed and after blanks, that ends the text
// and fits T: plain, or grouped as the locale writes it (a first run of digits, then
// groups of a blank and three digits). Those are read here, a group in one step; every
// other text (hexadecimal, anything after the digits, other grouping, more than 19
// digits, a value past T's range, unusable arguments) goes on to parseAnyText with the
// same arguments, which reads it from its start. That hand-over is a jump, so the call
// through the table is the only call a common text costs.
template <typename T>
Status parseAs(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
               std::int32_t options, T* value, std::int64_t* consumed) {
  if (handle != nullptr && text != nullptr && length > 0 && (options & LOCALE_CVT_HEX) == 0) {
    const NumberSymbols& symbols = localeDataOf(handle).number;
    const ZQChar* const end = text + length;
    const ZQChar* p = text;
    while (p != end && *p == kBlank) ++p;
    const bool negative = kRangeOf<T>.max_negative != 0 && p != end && *p == symbols.minus_sign;
    if (negative || (p != end && *p == symbols.plus_sign)) ++p;
    const ZQChar* const first = p;
    std::uint64_t magnitude = 0;
    for (; p != end; ++p) {
      const std::uint64_t digit = *p - ZQChar{'0'};
      if (digit > 9) break;
      magnitude = magnitude * 10 + digit;
    }
    std::int64_t digits = p - first;
    if (digits > 0 && groupsWithBlanks(symbols, options)) {
      for (; end - p >= 4 && isGroupBlank(p[0]); p += 4, digits += 3) {
        const std::uint64_t hundreds = p[1] - ZQChar{'0'};
        const std::uint64_t tens = p[2] - ZQChar{'0'};
        const std::uint64_t units = p[3] - ZQChar{'0'};
        if (hundreds > 9 || tens > 9 || units > 9) break;
        magnitude = magnitude * 1000 + hundreds * 100 + tens * 10 + units;
      }
    }
    const std::uint64_t limit = negative ? kRangeOf<T>.max_negative : kRangeOf<T>.max_positive;
    if (p == end && digits > 0 && digits <= 19 && magnitude <= limit) {
      return deliver(ZQ_OK, valueOf<T>(magnitude, negative), length, value, consumed);
    }
  }
  return parseAnyText(handle, text, length, options, value, consumed);
}

}  // namespace

ParsedInteger parseInteger(const LocaleData& locale, const ZQChar* text, std::int64_t length,
                           std::uint32_t options, IntegerRange range) {
  const NumberSymbols& symbols = locale.number;
  const ZQChar* const end = text + length;
  const ZQChar* p = text;
  while (p != end && *p == kBlank) ++p;
  if (p == end) return ParsedInteger{ZQ_OK, 0, false, length};

  bool negative = false;
  if (*p == symbols.minus_sign) {
    if (range.max_negative == 0) return noNumber();
    negative = true;
    ++p;
  } else if (*p == symbols.plus_sign) {
    ++p;
  }

  const bool hex = (options & LOCALE_CVT_HEX) != 0;
  // "0x" is a prefix only with a digit after it; otherwise "0" is the number.
  if (hex && end - p >= 3 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
      digitValue<16>(p[2]) >= 0) {
    p += 2;
  }
  if (p == end || (hex ? digitValue<16>(*p) : digitValue<10>(*p)) < 0) return noNumber();

  const std::uint64_t limit = negative ? range.max_negative : range.max_positive;
  const bool grouping = groupsWithBlanks(symbols, options);
  bool fits = false;
  const DigitString digits = hex ? readNumber<16>(p, end, grouping, limit, fits)
                                 : readNumber<10>(p, end, grouping, limit, fits);
  p = digits.end;

  bool bad = false;
  bool truncated = false;
  if (!digits.ended_by_group_blank && p != end && *p == symbols.decimal_separator) {
    if ((options & LOCALE_CVT_IGNORE_DECIMAL) == 0) {
      bad = true;
    } else {
      for (++p; p != end; ++p) {
        const int digit = hex ? digitValue<16>(*p) : digitValue<10>(*p);
        if (digit < 0) break;
        truncated = truncated || digit != 0;
      }
    }
  }

  if (!bad && p != end) {
    const bool after_blank = digits.ended_by_group_blank || *p == kBlank;
    if (!after_blank) {
      bad = true;
    } else if ((options & LOCALE_CVT_NOEMBEDDEDSPACE) != 0) {
      while (p != end && *p == kBlank) ++p;
      bad = p != end;
    }
  }

  Status status = ZQ_OK;
  if (truncated) status = ZQ_NLS_FMT_TRUNCATE;
  if (bad) status = ZQ_NLS_BAD_NUM;
  if (!fits) status = ZQ_NLS_OVERFLOW;
  return ParsedInteger{status, fits ? digits.value : 0, negative && fits, p - text};
}

void installIntegerParsers(LocaleHandle& table) {
  table.zqnlsLocaleBufferToIntfast = parseAs<std::int32_t>;
  table.zqnlsLocaleBufferToIntmax = parseAs<std::int64_t>;
  table.zqnlsLocaleBufferToUintfast = parseAs<std::uint32_t>;
  table.zqnlsLocaleBufferToUintmax = parseAs<std::uint64_t>;
  table.zqnlsLocaleBufferToInt = parseAs<std::int32_t>;
  table.zqnlsLocaleBufferToUInt = parseAs<std::uint32_t>;
  table.zqnlsLocaleBufferToLong = parseAs<std::int64_t>;
  table.zqnlsLocaleBufferToULong = parseAs<std::uint64_t>;
}

}  // namespace zq::host
