// Locale formatting of integers and pointers into ZQChar text.
//
// A formatted integer is laid out, left to right, as
//
//     [blanks] [sign] [prefix] [zeros] [digit string] [blanks]
//
// The digit string is the value's digits, with the locale's group separator
// between groups of three digits when grouping applies. The option word
// (LOCALE_NFMT_*) chooses:
//
//   radix        decimal unless a radix flag is set. HEX (0x80) writes lower-case
//                hexadecimal digits, HEXBIG (0x100) upper-case ones (HEXBIG wins
//                when both are set); OCTAL (0x200) writes octal digits when neither
//                hex flag is set. A radix form shows the value's bits as an
//                unsigned number of the operation's width (a negative 32-bit value
//                shows its two's-complement pattern) and never has a sign.
//   HEXPREFIX    (0x800000) "0x" before hexadecimal digits of either case.
//                Callers pass it together with HEX, as 0x800080.
//   OCTALPREFIX  (0x1000000) "0" before octal digits, unless the text already
//                starts with a zero (the value 0, or zeros added by precision).
//   UNSIGNED     (0x40) a signed operation formats the value's bits as unsigned
//                (-1 through the 32-bit operation gives 4294967295).
//   ADDSIGN      (0x10000) "+" before a non-negative value of a signed operation.
//   SPACEPREFIX  (0x200000) a blank before a non-negative value of a signed
//                operation when ADDSIGN is absent. A negative value always has
//                the locale's minus sign. Unsigned operations, and radix forms,
//                never have a sign or a blank in its place.
//   GROUP        (0x20000) the locale's group separator between groups of three
//                digits, counted from the units place, in decimal only; octal
//                and hexadecimal digits are never grouped.
//   precision    the minimum length of the digit string, separators included:
//                zeros, never grouped, are added in front of the digit string to
//                reach it ("0002,147,483,647" for precision 16). A negative
//                precision means none. The value 0 always has the digit "0".
//   width        the minimum length of the whole text; a negative width means
//                none. The text is right-justified in it with blanks in front.
//   LEFTJUSTIFY  (0x40000) blanks after the text instead of in front.
//   PADWITHZERO  (0x80000) without LEFTJUSTIFY, the width is filled with zeros
//                after the sign and prefix ("000246", "-00012", "0x00ff");
//                LEFTJUSTIFY wins, since zeros after the digits would change the
//                value.
// Every other bit is ignored by the integer formats.
//
// Results: the full text has a length L. With capacity >= L the text is written
// (no terminator), the length is L and the status is ZQ_OK. With a smaller capacity
// the first `capacity` units of the text are written, the length is the capacity
// and the status is ZQ_NLS_FMT_TRUNCATE; nothing is ever written past the capacity,
// and the work done is bounded by the capacity, however large the width or
// precision. A null buffer is accepted with capacity 0. The handle words (words 40
// to 44, integer_operations.cpp) answer a null handle, a negative capacity, or a null
// buffer with a positive capacity with ZQ_NLS_INVALID_VALUE and length 0.
#pragma once

#include <cstdint>

#include "host/nls/conversion_result.h"
#include "host/nls/integer_digits.h"
#include "host/nls/locale_data.h"

namespace zq::host {

// Formats `operand` by the rules above into `buffer` of `capacity` units.
// Precondition: usableUnits(buffer, capacity).
FormatResult formatInteger(const NumberSymbols& symbols, IntegerOperand operand,
                           std::int32_t width, std::int32_t precision, std::uint32_t options,
                           ZQChar* buffer, std::int64_t capacity);

// A pointer: "NIL" for null, whatever the width; otherwise "0x" and the upper-case
// hexadecimal digits of the address, right-justified in the width. Of the options
// only LEFTJUSTIFY and PADWITHZERO act, as for integers; the other bits (callers pass
// 1 and 3) do not change a pointer's text. Results and truncation as for integers.
// Precondition: usableUnits(buffer, capacity).
FormatResult formatPointer(const NumberSymbols& symbols, std::uint64_t pointer,
                           std::int32_t width, std::uint32_t options, ZQChar* buffer,
                           std::int64_t capacity);

}  // namespace zq::host
