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
#include "zq/host_objects.h"
#include "zq/types.h"

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

// Parses text[0, length). Precondition: text is not null when length > 0, and
// length >= 0.
ParsedInteger parseInteger(const LocaleData& locale, const ZQChar* text, std::int64_t length,
                           std::uint32_t options, IntegerRange range);

// Fills the locale handle's parser words (51-54, 64, 65, 68, 69) with parseInteger for
// their result types. Each writes the value and the consumed count, 0 and 0 for
// unusable arguments (a null handle, a negative length, a null text with a positive
// length: ZQ_NLS_INVALID_VALUE); either place may be null.
void installIntegerParsers(LocaleHandle& table);

}  // namespace zq::host
