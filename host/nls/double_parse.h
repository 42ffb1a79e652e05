// Locale parsing of ZQChar text into doubles: one parser behind both buffer-to-double words.
//
// The parser reads, in order (a "blank" is U+0020 unless said otherwise):
//
//  1. Leading blanks, consumed. A text of blanks only (or an empty text) is an
//     empty field: the ordinary missing value, every unit consumed, ZQ_OK.
//  2. A missing value as data write it, the same in every locale: "." followed by
//     no digit, alone or with one letter or "_" (".A" to ".Z" in either case,
//     "._"). Its value is that missing value. No sign may precede it.
//  3. Otherwise an optional sign: the locale's minus or plus sign.
//  4. The integer part: decimal digits. The locale's group separator directly
//     after one of them is consumed; when a digit follows, the integer part goes
//     on, otherwise the number ends after the separator (no fraction, no
//     exponent). With LOCALE_CVT_SPACEGROUPING (0x4000), in a locale whose group
//     separator is a blank (U+0020 or U+00A0), both blanks are group separators.
//     Group lengths are not checked.
//  5. The fraction: the locale's decimal separator and the digits after it. The
//     integer part and the fraction together need a digit (".5" and "5." count).
//  6. An exponent: "e" or "E", an optional sign as in step 3, decimal digits.
//  7. What follows: the end of the text, or blanks up to it, gives ZQ_OK; the
//     trailing blanks are not consumed. Anything else, after blanks or not, is
//     ZQ_NLS_BAD_NUM with the number (or missing value) consumed: "12 4" gives 2,
//     ".ab" gives 2.
//
// A unit that steps 3-6 need and do not find (no number at all, a sign or decimal
// separator without a digit, an exponent mark without digits) is ZQ_NLS_BAD_NUM
// with everything read before it consumed: "abc" gives 0, "  x" 2, "-" 1, ",a" 1
// where "," is the decimal separator, "1e+" 3.
//
// The value of a number is the double nearest its decimal value, ties to even,
// however many digits it has: 7.20575940379e-308 gives 0x0029E851294BAEBC and
// 8e-301 gives 0x01A124E63593F5E1, not the doubles one unit lower that a
// truncating conversion produces. A zero is 0 (-0 after a minus sign) whatever its
// exponent. A number whose nearest double is infinite is ZQ_NLS_OVERFLOW; a
// non-zero number whose nearest double is below the normal range (magnitude under
// 2^-1022, so every subnormal) is ZQ_NLS_UNDERFLOW. Both consume the whole number
// and win over text after it. Every status but ZQ_OK gives the ordinary missing
// value (0xFFFFFE0000000000).
//
// Only LOCALE_CVT_SPACEGROUPING is read from the options; every other bit changes
// nothing. The work is linear in the length of the text, whatever the count of
// digits or the size of the exponent.
//
// The locale handle's words 50 (no options) and 91 run this parser
// (double_operations.cpp). They always write the value and the consumed count (either
// pointer may be null), and answer ZQ_NLS_INVALID_VALUE with the ordinary missing
// value and 0 consumed for a null handle, a negative length, or a null text with a
// positive length.
#pragma once

#include <array>
#include <cstdint>

#include "host/nls/conversion_result.h"
#include "host/nls/locale_data.h"
#include "host/nls/number_text.h"

namespace zq::host {

// Parses text[0, length). Precondition: usableUnits(text, length). No unit at or
// past text[length] is read.
ParsedDouble parseDouble(const NumberSymbols& symbols, const ZQChar* text, std::int64_t length,
                         std::uint32_t options);

// parseDouble's result by its general path alone, which reads every text the way
// steps 4 to 7 say: what parseDouble's shortcuts for plain texts must give exactly
// (the double-parse fuzz target compares the two).
ParsedDouble parseDoubleGenerally(const NumberSymbols& symbols, const ZQChar* text,
                                  std::int64_t length, std::uint32_t options);

// The character each byte stands for alone in an 8-bit encoding.
using ByteCharacters = std::array<ZQChar, 256>;

// Parses 8-bit text[0, length), whose byte b stands for characters[b], when it is a
// plain number: blanks, a sign, then digits and the locale's separators only (no
// exponent, nothing after it), 40 bytes at most after the sign. `parsed` is then
// parseDouble's result for the decoded text, which has a unit for each byte. Any
// other text returns false and leaves `parsed` alone. Precondition: a byte that is
// no whole character alone (a part of a longer one) stands for U+FFFD.
bool parsePlainBytes(const NumberSymbols& symbols, const unsigned char* text,
                     std::int64_t length, const ByteCharacters& characters,
                     std::uint32_t options, ParsedDouble& parsed);

}  // namespace zq::host
