// The journal's message formatter: printf-style ZQChar formats over a va_list of 64-bit words.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>

#include "zq/types.h"

namespace zq::host {

// Formats `length` units of `format` with the arguments in `*args` and returns the
// text, at most `limit` units of it. Where the text would go on past `limit`, it stops
// there (reading no further format and no further arguments) and *cut, when given, is
// set; otherwise *cut is cleared. Memory and time so follow the output, not the format.
//
// Conversions and the arguments they take from `*args`:
//   %d %i          a signed 64-bit word;
//   %u %o %x %X    an unsigned 64-bit word (length modifiers such as l, ll, h are
//                  accepted and ignored: every integer arrives as a 64-bit word);
//   %c             a 64-bit character code, written as one ZQChar;
//   %s %S          a zero-terminated ZQChar text; a null pointer prints "(null)";
//                  a precision limits the units read;
//   %*s %*S        a 64-bit length, then a ZQChar text of that length (a negative
//                  length counts as 0; the text also ends at a zero unit; a null text
//                  prints nothing);
//   %f %F %e %E %g %G %a %A   a double, as the C library prints it (NaN, infinities);
//   %%             a percent sign.
// Flags '-', '0', '#', '+', ' ', the width and the precision follow C printf (on
// integers the precision is the minimum number of digits). A '*' width or precision
// of any other conversion takes a 64-bit word. Widths and precisions are capped at
// kMaxFieldWidth units so a hostile format cannot exhaust memory.
// A conversion the formatter does not know (including %n and %p) is copied literally
// and consumes no argument; so is a conversion cut off by the end of the format.
// Every other unit of the format, U+00A0 and non-BMP code points included, is copied
// unchanged. A null format or a negative length gives an empty text.
std::u32string formatMessage(const ZQChar* format, std::int64_t length, std::va_list* args,
                             std::size_t limit, bool* cut = nullptr);

constexpr std::int64_t kMaxFieldWidth = 4096;

}  // namespace zq::host
