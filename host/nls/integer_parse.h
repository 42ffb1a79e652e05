// Locale parsing of ZQChar text into integers of every width.
//
// The parser reads, in order (a "blank" is U+0020 unless said otherwise):
//
//  1. Leading blanks, consumed. A text of blanks only (or an empty text) is the
//     number 0 with every unit consumed and ZQ_OK.
//  2. An optional sign: the locale's plus sign, or its minus sign for a signed
//     result. A minus sign for an unsigned result is ZQ_NLS_BAD_NUM.
//  3. With LOCALE_CVT_HEX (0x1), an optional "0x" or "0X" when a hexadecimal digit
//     follows it; then hexadecimal digits of either case. Otherwise decimal digits.
//     At least one digit is required: without one the status is ZQ_NLS_BAD_NUM
//     with value 0 and nothing consumed (not even the leading blanks).
//  4. With LOCALE_CVT_SPACEGROUPING (0x4000), in a locale whose group separator is
//     a blank (U+0020 or U+00A0), one U+0020 or U+00A0 directly after a digit is a
//     group separator and is consumed: when a digit follows it the number goes
//     on; otherwise the number ends after it, no decimal part is read, and what
//     follows is taken as what follows a blank in step 6 (so "123 " consumes 4
//     with ZQ_OK). Group lengths are not checked. Elsewhere the option changes
//     nothing.
//  5. The locale's decimal separator after the digits: without
//     LOCALE_CVT_IGNORE_DECIMAL (0x2000) it ends the number with ZQ_NLS_BAD_NUM
//     and is not consumed. With it, the separator and the digits after it are
//     consumed and dropped; a non-zero digit among them gives
//     ZQ_NLS_FMT_TRUNCATE.
//  6. What follows the number:
//       - the end of the text: ZQ_OK;
//       - a blank, without LOCALE_CVT_NOEMBEDDEDSPACE (0x1000): the number ends
//         before it with ZQ_OK ("  1234  33" gives 1234, 6 consumed);
//       - blanks, with LOCALE_CVT_NOEMBEDDEDSPACE: they are consumed; anything
//         after them is ZQ_NLS_BAD_NUM ("111 222" gives 111, 4 consumed);
//       - anything else: ZQ_NLS_BAD_NUM, not consumed.
//
// A digit string whose value does not fit the result (for a negative value, its
// magnitude may reach the type's minimum) is still consumed to its end and gives
// value 0 and ZQ_NLS_OVERFLOW. When several findings meet, the status is the
// first of ZQ_NLS_OVERFLOW, ZQ_NLS_BAD_NUM, ZQ_NLS_FMT_TRUNCATE, ZQ_OK; with
// ZQ_NLS_BAD_NUM or ZQ_NLS_FMT_TRUNCATE the value is the number read. Other
// option bits are ignored. The work is linear in the length of the text.
#pragma once

#include <cstdint>

#include "host/nls/locale_data.h"
#include "host/nls/number_text.h"

namespace zq::host {

// The range of the result type, as magnitudes.
struct IntegerRange {
  std::uint64_t max_positive;
  std::uint64_t max_negative;  // 0 for an unsigned result: no minus sign
};

struct ParsedInteger {
  Status status;
  std::uint64_t magnitude;  // 0 on overflow
  bool negative;
  std::int64_t consumed;  // units of the text read
};

// Parses text[0, length). Precondition: usableUnits(text, length). The handle words
// (integer_operations.cpp) answer a null handle, a negative length or a null text
// with a positive length with ZQ_NLS_INVALID_VALUE, value 0 and nothing consumed.
ParsedInteger parseInteger(const NumberSymbols& symbols, const ZQChar* text,
                           std::int64_t length, std::uint32_t options, IntegerRange range);

// The common text, read in one pass: a decimal number, perhaps signed and after
// blanks, that ends the text and fits the range, plain or grouped as the locale writes
// it (a first run of digits, then groups of a group blank and three digits, under
// blank grouping). Sets `parsed` to what parseInteger gives for it and returns true;
// returns false for any other text. The table words try it first.
[[gnu::always_inline]] inline bool parseCommonInteger(const NumberSymbols& symbols,
                                                      const ZQChar* text, std::int64_t length,
                                                      std::uint32_t options, IntegerRange range,
                                                      ParsedInteger& parsed) {
  if (text == nullptr || length <= 0 || (options & LOCALE_CVT_HEX) != 0) return false;
  const ZQChar* const end = text + length;
  const ZQChar* p = text;
  while (p != end && *p == kBlank) ++p;
  const bool negative = range.max_negative != 0 && p != end && *p == symbols.minus_sign;
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
  // Up to 19 digits never pass 2^64: the magnitude read is exact.
  const std::uint64_t limit = negative ? range.max_negative : range.max_positive;
  if (p != end || digits == 0 || digits > 19 || magnitude > limit) return false;
  parsed = ParsedInteger{ZQ_OK, magnitude, negative, length};
  return true;
}

}  // namespace zq::host
