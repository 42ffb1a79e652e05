// The host's double formatting engine, behind zqnlsLocaleDoubleFormat(WithExOpts).
//
// Rules. Every result of the two words follows from these.
//
// Arguments. A negative capacity, or a null buffer with a positive capacity, gives
//   ZQ_NLS_INVALID_VALUE and length 0. An ExOpts record with bit 0 set whose missing
//   character is not a Unicode scalar value other than 0 gives
//   ZQ_NLS_FMT_INVALID_MISSCHAR and length 0, whatever the value. Other ExOpts bits,
//   and option bits not named below, are ignored.
//
// Field and capacity. The field is the width (0 when negative) cut to the capacity.
//   A shorter text is padded to the field: blanks in front; with LEFTJUSTIFY blanks
//   after; with PADWITHZERO (and no LEFTJUSTIFY) zeros after the sign. A text longer
//   than the capacity gives ZQ_NLS_FMT_TRUNCATE, the length the whole text needs, and
//   `capacity` asterisks. Otherwise the text is written without a terminator and its
//   length returned. Nothing is ever written past the capacity.
//
// Special values. Infinity is "Inf" or "-Inf", whatever the field and options. A NaN
//   is a missing value: it prints ExOpts' character when bit 0 is set, else its own
//   ("." for the ordinary missing value, "_" and "A"-"Z" for the special ones, "." for
//   any other NaN), padded like a number but never with zeros.
//
// Sign. "-" when the sign bit is set (also -0, and values that round to 0), else "+"
//   with ADDSIGN, else a blank with SPACEPREFIX, else none. The sign takes a position
//   of the field in every format.
//
// Conversions without a QOR bit act as C's printf in the "C" locale. DECIMAL,
//   FRACTION or INTEGER: "%f" of the value, of its fraction part (the value's sign
//   kept; FRACTION wins), or of its integer part with no decimals whatever the
//   precision. Else SNOTE: "%e". Else BESTFITBIG: "%G". Else (BESTFIT or none): "%g".
//   The precision counts decimals for f and e and significant digits for g and G; a
//   negative precision means 6, and so does 0 for g and G. RADIX keeps the point
//   (C's '#'); TRAILZERO keeps the trailing zeros of g and G. GROUP puts the locale's
//   separator between the integer digit groups of fixed notation (padding zeros are
//   not grouped). Exponents are "e" or "E", a sign and at least two digits.
//
// QOR formats fit the value to the field; the lowest QOR bit set chooses the format.
//   RADIX and TRAILZERO do not act; the precision acts only in QORWD and QOREWD.
//   Where nothing fits, the field is filled with asterisks: ZQ_NLS_FMT_TRUNCATE with
//   the field's length.
//   A digit shown. A fitted text shows at least one digit: where only the sign would
//   fit, nothing fits ("*" for -0.3 in a field of 1 under QORWD at precision 0).
//   One rounding. Each format lays the value out for its leading exponent and rounds
//   once for that layout. Where the rounding carries into the next power of ten, the
//   rounded value is that power exactly, and it is laid out for the next exponent
//   without rounding again ("10" for 9.996 in 3 under QORBEST, "1E-7" for 9.99e-8 in
//   6, "1.0000000E-09" for 9.9999995e-10 in 13 under QOREW): the exponent written is
//   always the exponent of the digits written, and they are the value correctly
//   rounded for the layout.
//   QORBEST  Fixed notation when the integer digits fit, with as many decimals as fit
//            and trailing zeros dropped; but a value below 1 takes it only when its
//            zeros after the point do not outnumber the significant digits the field
//            leaves room for (up to the digit cap), or when E notation does not fit.
//            Otherwise E notation: "E", "-" for a negative exponent, and its digits
//            ("1.23E8", "-1.2E-26"). The mantissa is d.ddd when the room leaves two
//            decimals or more, else a whole number of as many digits as fit, the
//            exponent lowered to match ("-123E6"); trailing zeros are dropped
//            ("13E-29"). A non-zero value must show a non-zero digit.
//   QOREW    E notation filling the field: d.ddd (the point always), "E", the
//            exponent's sign and at least two digits. The mantissa has the field less
//            4 less the exponent's own digit count (sign position, point, "E",
//            exponent sign) in digits: a positive value leaves the sign position
//            blank, except that a one-digit exponent's leading zero takes it; for a
//            signed value that zero costs one mantissa digit ("1.2E+05" in 7,
//            " 1.2E+32" in 8, "-1.E+05" in 7).
//   QORWD    Fixed notation with `precision` decimals (negative: 6), zeros kept. When
//            it does not fit: a value below 1 with decimals drops its leading "0"
//            (still ZQ_OK);
//            then as many decimals as fit, down to none; then E notation in
//            QORBEST's form; these two with ZQ_NLS_FMT_REVERT.
//   QOREWD   Fixed notation with `precision` decimals (negative: 6). When it does not
//            fit: with precision 0 it runs past the field (ZQ_OK); otherwise E
//            notation as QOREW's without the sign position, filling the field (one
//            digit, past the field, when no digit fits), with ZQ_NLS_FMT_REVERT.
//   A field of 0 asks for no fitting: QORBEST takes as its field the length of its
//   shorter notation at the digit cap (fixed on a tie), QOREW writes the cap's digits
//   less their trailing zeros, QORWD and QOREWD write their fixed text.
//
// Decimal-conversion modes (the kernel's mode word: non-zero COMPATIBLE, 0 STDIEEE).
//   STDIEEE     Digits of the exact binary value, correctly rounded, ties to even.
//               QORBEST shows at most 15 significant digits in either notation, the
//               other QOR formats at most 16 in E notation; zeros follow.
//   COMPATIBLE  An integral value holds its exact digits, any other value its
//               shortest round-trip digits cut (not rounded) to 14; rounding works on
//               those digits, half away from zero. QOR formats show at most 14
//               significant digits in E notation; zeros follow. QORBEST drops the "0"
//               before the point of a value below 1 where "0." would cut off a digit
//               and the value stays below 1 (".12" for -0.1234567891 in 4). A QOR E
//               notation whose rounding carries into the next power of ten gives
//               ZQ_NLS_FMT_REVERT.
//   So -999.12345 with width 8, precision 5, TRAILZERO|BESTFITBIG and capacity 7
//   gives "-999.12" (7 units, ZQ_OK) in both modes: the field is cut to 7.
#pragma once

#include <cstdint>

#include "host/nls/conversion_result.h"
#include "host/nls/decimal_digits.h"
#include "host/nls/locale_data.h"

namespace zq::host {

// Formats `value` by the rules above, but for the arguments' checks (which are the
// handle words', double_operations.cpp), with the locale's `symbols` (decimal point,
// group separator and sizes, signs) into `buffer` of `capacity` units. A missing value
// prints `missing_char`, or its own character when that is 0. Preconditions:
// usableUnits(buffer, capacity); `missing_char` is 0 or a Unicode scalar value.
FormatResult formatDouble(const NumberSymbols& symbols, DecimalMode mode, double value,
                          std::int32_t width, std::int32_t precision, std::uint32_t options,
                          ZQChar missing_char, ZQChar* buffer, std::int64_t capacity);

}  // namespace zq::host
