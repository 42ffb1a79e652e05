// Integer parsing: one left-to-right pass over the text for every result width.
//
// Speed. The digit loops only accumulate, modulo 2^64; whether the value fits is decided
// once, from the number of digits read: up to 19 decimal or 16 hexadecimal digits never
// pass 2^64, so the value read is exact and one comparison with the limit decides. A
// longer digit string, which only leading zeros keep in range, is read a second time
// with a check on every digit. The table words read the common texts themselves
// (parseCommonInteger) and hand every other text to parseInteger.
#include "host/nls/integer_parse.h"

#include <cassert>

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

// A run of digits as read: where it ends, its value modulo 2^64 and its digit count.
struct DigitRun {
  const ZQChar* end;
  std::uint64_t value;
  std::int64_t digits;
  bool ended_by_group_blank;  // the string ends with a group blank that no digit follows
};

// Reads the digit string that starts at `p` with a digit. With `grouping`, one group
// blank between two digits belongs to the string, and so does one after its last digit,
// which ends it.
template <int kBase>
DigitRun readDigits(const ZQChar* p, const ZQChar* end, bool grouping) {
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
      return DigitRun{p + 1, value, (p - start) - blanks, true};
    }
    ++blanks;
  }
  return DigitRun{p, value, (p - start) - blanks, false};
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
DigitRun readNumber(const ZQChar* p, const ZQChar* end, bool grouping, std::uint64_t limit,
                       bool& fits) {
  // Digits that can never pass 2^64: 19 decimal ones (below 10^19) or 16 hexadecimal.
  constexpr std::int64_t kExactDigits = kBase == 10 ? 19 : 16;
  DigitRun digits = readDigits<kBase>(p, end, grouping);
  if (digits.digits <= kExactDigits) {
    fits = digits.value <= limit;
    return digits;
  }
  fits = valueWithin<kBase>(p, digits.end, limit, digits.value);
  return digits;
}

ParsedInteger noNumber() { return ParsedInteger{ZQ_NLS_BAD_NUM, 0, false, 0}; }

}  // namespace

ParsedInteger parseInteger(const NumberSymbols& symbols, const ZQChar* text,
                           std::int64_t length, std::uint32_t options, IntegerRange range) {
  assert(usableUnits(text, length));
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
  const DigitRun digits = hex ? readNumber<16>(p, end, grouping, limit, fits)
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

}  // namespace zq::host
