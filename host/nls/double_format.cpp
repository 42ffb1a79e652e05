// The double formatting engine: the option word picks a conversion, the field and the
// mode pick the digits, and NumberText lays them out within the capacity. STDIEEE's
// conversions without a QOR bit, the common case, skip NumberText: their text is
// std::to_chars' with the locale's symbols, written once into the caller's buffer.
//
// Fitting works on the value's leading exponent: the QOR formats plan a layout from
// it and round once for that layout. A rounding that carries into the next power of
// ten leaves that power exactly, which is then laid out for its own exponent with no
// second rounding (9.996 in three units is "10", not "10.0"; 9.99e-8 in six is
// "1E-7"): rounding the value again for the new layout, which may hold one digit
// more, could undo the carry and print the old digits under the new exponent. The
// power is the correct rounding for the new layout too, since that layout's last
// digit is no finer than the old one's. Every rounding goes through DecimalDigits, so
// a layout never rounds digits that were rounded before.
#include "host/nls/double_format.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "host/nls/number_text.h"

namespace zq::host {
namespace {

constexpr std::uint32_t kQorBits =
    LOCALE_NFMT_QORBEST | LOCALE_NFMT_QORWD | LOCALE_NFMT_QOREW | LOCALE_NFMT_QOREWD;
constexpr std::uint32_t kFixedBits =
    LOCALE_NFMT_DECIMAL | LOCALE_NFMT_FRACTION | LOCALE_NFMT_INTEGER;

// QORBEST's E notation: "1.23E8", "-123E6", "1.2E-26".
constexpr ExponentForm kBestExponent{'E', false, 1};
// QOREW's and QOREWD's: "1.2E+05".
constexpr ExponentForm kFilledExponent{'E', true, 2};

// A field with no width: the QOR formats then write their text unfitted.
constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max() / 4;

// The settings of one call, shared by the conversions: the locale's symbols, the
// option word and the decimal-conversion mode.
struct FormatSettings {
  const NumberSymbols& symbols;
  std::uint32_t options;
  bool compatible;
  bool has(std::uint32_t bits) const { return (options & bits) != 0; }
  // Significant digits QORBEST shows, and the other QOR formats in E notation.
  std::int64_t bestCap() const { return compatible ? 14 : 15; }
  std::int64_t exponentCap() const { return compatible ? 14 : 16; }
};

// Grouped length of `digits` integer digits, as the fixed writer lays them out.
std::int64_t integerLength(const FormatSettings& settings, int exponent) {
  Decimal one_digit;
  one_digit.digits[0] = '1';
  one_digit.count = 1;
  one_digit.exponent = exponent;
  FixedForm form;
  form.group = settings.has(LOCALE_NFMT_GROUP);
  return fixedLength(one_digit, form, settings.symbols);
}

// ---------------------------------------------------------------------------
// Conversions without a QOR bit.

// printf's conversion for an option word: f, e or g, and its precision.
struct Conversion {
  std::chars_format notation;
  std::int64_t precision;
};

// The exponent letter of g ("e") and G ("E", BESTFITBIG).
char generalLetter(const FormatSettings& settings) {
  return settings.has(LOCALE_NFMT_BESTFITBIG) ? 'E' : 'e';
}

Conversion conversionOf(const FormatSettings& settings, std::int32_t precision) {
  if (settings.has(kFixedBits)) {
    const bool decimals = settings.has(LOCALE_NFMT_FRACTION) || !settings.has(LOCALE_NFMT_INTEGER);
    return {std::chars_format::fixed, decimals ? (precision < 0 ? 6 : precision) : 0};
  }
  if (settings.has(LOCALE_NFMT_SNOTE)) {
    return {std::chars_format::scientific, precision < 0 ? 6 : precision};
  }
  return {std::chars_format::general, precision <= 0 ? 6 : precision};
}

// STDIEEE's conversions are printf's own, and std::to_chars writes exactly its
// digits; the text then takes the locale's sign, point and groups, G's capital E,
// RADIX's point and TRAILZERO's zeros. It is printf's text in pieces, pointing into
// the characters to_chars wrote.
struct PlainText {
  const char* integer;  // integer digits
  std::int64_t integer_count;
  const char* fraction;  // decimals
  std::int64_t fraction_count;
  bool point;
  char exponent_letter;   // 'e' or 'E'; 0 when there is no exponent
  const char* exponent;   // the exponent's sign and digits, as to_chars wrote them
  std::int64_t exponent_count;
};

// Longest precision taken here: the text then fits `chars` (309 integer digits, a
// point, 40 decimals); a longer one goes through the digits instead.
constexpr std::int64_t kPlainPrecision = 40;
using PlainChars = char[400];

// printf's text of `magnitude` for `conversion`, or false when its precision is
// beyond kPlainPrecision.
bool plainText(const FormatSettings& settings, double magnitude, const Conversion& conversion,
               PlainChars& chars, PlainText& text) {
  const std::int64_t p = conversion.precision;
  if (p > kPlainPrecision) return false;
  const bool radix = settings.has(LOCALE_NFMT_RADIX);
  const int precision = static_cast<int>(p);
  if (conversion.notation == std::chars_format::fixed) {
    const char* end =
        toCharsRounded(chars, chars + sizeof chars, magnitude, conversion.notation, precision).ptr;
    // The point, when there is one, is `precision` characters from the end.
    text = {chars, end - chars - (p > 0 ? p + 1 : 0), end - p, p, p > 0 || radix, 0, end, 0};
    return true;
  }
  if (conversion.notation == std::chars_format::scientific) {
    const char* end =
        toCharsRounded(chars, chars + sizeof chars, magnitude, conversion.notation, precision).ptr;
    const char* e = chars + (p > 0 ? p + 2 : 1);
    text = {chars, 1, chars + 2, p, p > 0 || radix, 'e', e + 1, end - e - 1};
    return true;
  }
  // g: P significant digits, E notation when the exponent is below -4 or not below
  // P. They are e's digits with one decimal less (the same rounding), written after
  // four zeros: fixed notation moves the leading digit onto the point so that all P
  // digits follow one another, with the zeros before them for a value below 1.
  char* const start = chars + 4;
  const char* end = toCharsRounded(start, chars + sizeof chars, magnitude,
                                   std::chars_format::scientific, precision - 1)
                        .ptr;
  const char* const e = start + (p > 1 ? p + 1 : 1);
  // The exponent: a sign and two or three digits.
  int exponent = (e[2] - '0') * 10 + (e[3] - '0');
  if (end - e == 5) exponent = exponent * 10 + (e[4] - '0');
  if (e[1] == '-') exponent = -exponent;
  if (generalIsExponent(exponent, p)) {
    text = {start, 1, start + 2, p - 1, false, generalLetter(settings), e + 1, end - e - 1};
  } else {
    std::memset(chars, '0', 4);
    const char* digits = start;
    if (p > 1) {
      start[1] = start[0];
      start[0] = '0';
      digits = start + 1;
    }
    // A value below 1 is "0." and -exponent - 1 zeros before the digits.
    text = exponent >= 0 ? PlainText{digits, exponent + 1, digits + exponent + 1,
                                     p - exponent - 1, false, 0, end, 0}
                         : PlainText{digits - 1, 1, digits + exponent + 1, p - exponent - 1,
                                     false, 0, end, 0};
  }
  if (!settings.has(LOCALE_NFMT_TRAILZERO)) {
    while (text.fraction_count > 0 && text.fraction[text.fraction_count - 1] == '0') {
      --text.fraction_count;
    }
  }
  text.point = text.fraction_count > 0 || radix;
  return true;
}

// `count` ASCII characters as units.
ZQChar* widen(ZQChar* out, const char* chars, std::int64_t count) {
  for (std::int64_t i = 0; i < count; ++i) out[i] = static_cast<unsigned char>(chars[i]);
  return out + count;
}

ZQChar* repeat(ZQChar* out, ZQChar unit, std::int64_t count) {
  for (std::int64_t i = 0; i < count; ++i) out[i] = unit;
  return out + count;
}

// Writes the sign (when `sign` is not 0) and `text` padded to `field` straight
// into the caller's buffer, as NumberText::emit would.
FormatResult writePlain(const FormatSettings& settings, ZQChar sign, const PlainText& text,
                        std::int64_t field, ZQChar* buffer, std::int64_t capacity) {
  const NumberSymbols& symbols = settings.symbols;
  const std::int64_t separators =
      settings.has(LOCALE_NFMT_GROUP) && text.exponent_letter == 0
          ? groupSeparatorCount(text.integer_count, true, symbols)
          : 0;
  const std::int64_t length = (sign != 0 ? 1 : 0) + text.integer_count + separators +
                              (text.point ? 1 : 0) + text.fraction_count +
                              (text.exponent_letter != 0 ? 1 + text.exponent_count : 0);
  const std::int64_t total = std::max(length, field);
  if (total > capacity) {
    repeat(buffer, '*', capacity);
    return {ZQ_NLS_FMT_TRUNCATE, total};
  }
  // Blanks in front, zeros after the sign, or blanks after the text.
  const std::int64_t padding = total - length;
  const bool left = settings.has(LOCALE_NFMT_LEFTJUSTIFY);
  const bool zeros = !left && settings.has(LOCALE_NFMT_PADWITHZERO);
  ZQChar* out = buffer;
  if (!left && !zeros) out = repeat(out, ' ', padding);
  if (sign != 0) *out++ = sign;
  if (zeros) out = repeat(out, '0', padding);
  if (separators > 0) {
    out = writeGroupedDigits(out, text.integer_count, separators, symbols,
                             [&text](std::int64_t i) { return text.integer[i]; });
  } else if (text.integer_count == 1) {  // E notation, and most values below 10
    *out++ = static_cast<unsigned char>(text.integer[0]);
  } else {
    out = widen(out, text.integer, text.integer_count);
  }
  if (text.point) *out++ = symbols.decimal_separator;
  out = widen(out, text.fraction, text.fraction_count);
  if (text.exponent_letter != 0) {
    // The letter, the sign and two or three digits.
    out[0] = static_cast<unsigned char>(text.exponent_letter);
    out[1] = static_cast<unsigned char>(text.exponent[0]);
    out[2] = static_cast<unsigned char>(text.exponent[1]);
    out[3] = static_cast<unsigned char>(text.exponent[2]);
    if (text.exponent_count == 4) out[4] = static_cast<unsigned char>(text.exponent[3]);
    out += 1 + text.exponent_count;
  }
  if (left) repeat(out, ' ', padding);
  return {ZQ_OK, total};
}

// The conversions through the mode's digits.
void convert(const FormatSettings& settings, double magnitude, const Conversion& conversion,
             DecimalMode mode, NumberText& text) {
  const DecimalDigits digits(magnitude, mode);
  const bool radix = settings.has(LOCALE_NFMT_RADIX);
  const std::int64_t p = conversion.precision;
  Decimal value;
  if (conversion.notation == std::chars_format::fixed) {
    FixedForm form;
    form.decimals = p;
    form.keep_point = radix;
    form.group = settings.has(LOCALE_NFMT_GROUP);
    digits.decimals(p, value);
    appendFixed(text, value, form, settings.symbols);
    return;
  }
  if (conversion.notation == std::chars_format::scientific) {
    digits.significant(p + 1, value);
    appendMantissa(text, value, p + 1, p > 0 || radix, settings.symbols.decimal_separator);
    appendExponent(text, value.exponent, ExponentForm{'e', true, 2});
    return;
  }
  // g and G: P significant digits.
  const bool keep_zeros = settings.has(LOCALE_NFMT_TRAILZERO);
  digits.significant(p, value);
  const int exponent = value.exponent;
  if (generalIsExponent(exponent, p)) {
    const std::int64_t shown = keep_zeros ? p : value.count;
    appendMantissa(text, value, shown, shown > 1 || radix, settings.symbols.decimal_separator);
    appendExponent(text, exponent,
                   ExponentForm{static_cast<ZQChar>(generalLetter(settings)), true, 2});
    return;
  }
  FixedForm form;
  form.decimals = p - 1 - exponent;
  form.drop_zeros = !keep_zeros;
  form.keep_point = radix;
  form.group = settings.has(LOCALE_NFMT_GROUP);
  appendFixed(text, value, form, settings.symbols);
}

// ---------------------------------------------------------------------------
// QOR formats. Each writes the text after the sign into `text`, or returns false
// when nothing fits in `room` (the field less the sign). `carried` is set when a
// rounding carried into the next power of ten.

// Rounds for a fixed layout with `decimals` decimals, keeping at most `cap`
// significant digits (STDIEEE only: COMPATIBLE holds its digits already).
void roundFixed(const FormatSettings& settings, const DecimalDigits& digits, int exponent,
                std::int64_t decimals, Decimal& out) {
  if (!settings.compatible && exponent + 1 + decimals > settings.bestCap()) {
    digits.significant(settings.bestCap(), out);
    return;
  }
  digits.decimals(decimals, out);
}

// QORBEST's fixed notation in `room`: the decimals that fit, zeros dropped. False
// when the integer digits do not fit or a non-zero value would show only zeros.
bool bestFixed(const FormatSettings& settings, const DecimalDigits& digits, double magnitude,
               std::int64_t room, Decimal& value, FixedForm& form) {
  form.drop_zeros = true;
  form.group = settings.has(LOCALE_NFMT_GROUP);
  const int exponent = digits.exponent();
  // COMPATIBLE trades the "0" of a value below 1 for a digit "0." would cut off,
  // unless the value then rounds up to 1.
  if (settings.compatible && exponent < 0 && room >= 2 && !digits.exactAt(room - 2)) {
    form.lead_zero = false;
    form.decimals = room - 1;
    digits.decimals(form.decimals, value);
    if (!value.isZero() && value.exponent < 0) return true;
    form.lead_zero = true;
  }
  const std::int64_t integer = exponent >= 0 ? integerLength(settings, exponent) : 1;
  if (integer > room) return false;
  form.decimals = std::max<std::int64_t>(0, room - integer - 1);
  roundFixed(settings, digits, exponent, form.decimals, value);
  // A carry into a new integer digit leaves a power of ten, whose zeros after the
  // point drop: its length alone says whether it fits.
  if (fixedLength(value, form, settings.symbols) > room) return false;
  return !value.isZero() || magnitude == 0;
}

// Whether a fixed text of a value below 1 spends more zeros after the point than
// the field leaves room for significant digits.
bool zerosOutnumberDigits(const FormatSettings& settings, const Decimal& value,
                          const FixedForm& form) {
  if (value.isZero() || value.exponent >= 0) return false;
  const std::int64_t zeros = -value.exponent - 1;
  return zeros > std::min(form.decimals - zeros, settings.bestCap());
}

// QORBEST's E notation in `room`, with at most `cap` significant digits.
bool bestExponent(const FormatSettings& settings, const DecimalDigits& digits, std::int64_t room,
                  std::int64_t cap, NumberText& text, bool& carried) {
  int exponent = digits.exponent();
  // A mantissa d.dd at least, or else a whole number of as many digits as fit beside
  // the lowered exponent.
  std::int64_t shown = room - exponentLength(exponent, kBestExponent) - 1;
  const bool whole = shown < 3;
  if (whole) {
    shown = 0;
    for (std::int64_t n = std::min(room - 2, cap); n >= 1 && shown == 0; --n) {
      if (n + exponentLength(static_cast<int>(exponent - n + 1), kBestExponent) <= room) shown = n;
    }
    if (shown == 0) return false;
  }
  Decimal value;
  digits.significant(std::min(shown, cap), value);
  if (value.exponent > exponent) {
    // The value is 10^(exponent + 1): "1" and the next exponent, when they fit.
    carried = true;
    exponent = value.exponent;
    if (1 + exponentLength(exponent, kBestExponent) > room) return false;
  }
  if (whole) {
    for (int i = 0; i < value.count; ++i) text.put(static_cast<unsigned char>(value.digits[i]));
    appendExponent(text, exponent - value.count + 1, kBestExponent);
    return true;
  }
  appendMantissa(text, value, value.count, value.count > 1, settings.symbols.decimal_separator);
  appendExponent(text, exponent, kBestExponent);
  return true;
}

bool bestFit(const FormatSettings& settings, const DecimalDigits& digits, double magnitude,
             std::int64_t room, NumberText& text, bool& carried) {
  Decimal value;
  FixedForm form;
  const bool fixed = bestFixed(settings, digits, magnitude, room, value, form);
  if (fixed && !zerosOutnumberDigits(settings, value, form)) {
    appendFixed(text, value, form, settings.symbols);
    return true;
  }
  if (bestExponent(settings, digits, room, settings.bestCap(), text, carried)) return true;
  if (!fixed) return false;
  appendFixed(text, value, form, settings.symbols);
  return true;
}

// The room QORBEST takes with no width: its shorter notation at the digit cap.
std::int64_t bestNaturalRoom(const FormatSettings& settings, const DecimalDigits& digits) {
  Decimal value;
  digits.significant(settings.compatible ? Decimal::kCapacity : settings.bestCap(), value);
  FixedForm form;
  form.decimals = std::max<std::int64_t>(0, value.count - 1 - value.exponent);
  form.drop_zeros = true;
  form.group = settings.has(LOCALE_NFMT_GROUP);
  const std::int64_t fixed = fixedLength(value, form, settings.symbols);
  const std::int64_t shown = std::min<std::int64_t>(value.count, settings.bestCap());
  const std::int64_t exponent = shown + (shown > 1 ? 1 : 0) +
                                exponentLength(value.exponent, kBestExponent);
  return std::min(fixed, exponent);
}

// E notation of `digits(exponent)` digits with the point always and a signed,
// two-digit exponent (QOREW, QOREWD); `digits` below 1 means it does not fit.
template <typename DigitsFor>
bool filledExponent(const FormatSettings& settings, const DecimalDigits& digits,
                    DigitsFor digits_for, bool drop_zeros, NumberText& text, bool& carried) {
  int exponent = digits.exponent();
  std::int64_t n = digits_for(exponent);
  if (n < 1) return false;
  Decimal value;
  digits.significant(std::min(n, settings.exponentCap()), value);
  if (value.exponent > exponent) {
    // The value is 10^(exponent + 1): "1." and zeros in the next exponent's layout.
    carried = true;
    exponent = value.exponent;
    n = digits_for(exponent);
    if (n < 1) return false;
  }
  appendMantissa(text, value, drop_zeros ? value.count : n, true,
                 settings.symbols.decimal_separator);
  appendExponent(text, exponent, kFilledExponent);
  return true;
}

int exponentDigits(int exponent) {
  return decimalDigitCount(static_cast<std::uint64_t>(std::abs(exponent)));
}

// QORWD and QOREWD first: the fixed text with `decimals` decimals, when it fits.
bool decimalsFit(const FormatSettings& settings, const Decimal& value, std::int64_t decimals,
                 bool lead_zero, std::int64_t room, NumberText& text) {
  // A value below 1 without its "0" shows its digits only after the point.
  if (!lead_zero && decimals == 0 && (value.isZero() || value.exponent < 0)) return false;
  FixedForm form;
  form.decimals = decimals;
  form.lead_zero = lead_zero;
  form.group = settings.has(LOCALE_NFMT_GROUP);
  if (fixedLength(value, form, settings.symbols) > room) return false;
  appendFixed(text, value, form, settings.symbols);
  return true;
}

// QORWD past its first text: fewer decimals (a value below 1 without its "0"),
// down to none, then QORBEST's E notation. Always a revert.
bool fewerDecimals(const FormatSettings& settings, const DecimalDigits& digits, std::int64_t room,
                   NumberText& text, bool& carried) {
  const auto decimals_beside = [&](int exponent) {
    const std::int64_t integer = exponent >= 0 ? integerLength(settings, exponent) : 0;
    return std::max<std::int64_t>(0, room - integer - 1);
  };
  const int exponent = digits.exponent();
  std::int64_t decimals = decimals_beside(exponent);
  Decimal value;
  digits.decimals(decimals, value);
  // A carry into a new integer digit leaves a power of ten, written with the decimals
  // its integer digits leave room for.
  if (!value.isZero() && value.exponent >= 0 && value.exponent > exponent) {
    decimals = decimals_beside(value.exponent);
  }
  if (decimalsFit(settings, value, decimals, value.exponent >= 0 || decimals == 0, room, text)) {
    return true;
  }
  return bestExponent(settings, digits, room, settings.exponentCap(), text, carried);
}

// The QOR formats. Returns the status of a text written to `text`, or
// ZQ_NLS_FMT_TRUNCATE when nothing fits.
Status fit(const FormatSettings& settings, double magnitude, std::int64_t field, int sign_length,
           std::int32_t precision, DecimalMode mode, NumberText& text) {
  const DecimalDigits digits(magnitude, mode);
  const bool unbounded = field == 0;
  const std::int64_t room = unbounded ? kUnbounded : field - sign_length;
  bool carried = false;
  const auto revert_on_carry = [&] {
    return settings.compatible && carried ? ZQ_NLS_FMT_REVERT : ZQ_OK;
  };
  const std::int64_t decimals = precision < 0 ? 6 : precision;

  if (settings.has(LOCALE_NFMT_QORBEST)) {
    const std::int64_t best_room = unbounded ? bestNaturalRoom(settings, digits) : room;
    if (!bestFit(settings, digits, magnitude, best_room, text, carried)) return ZQ_NLS_FMT_TRUNCATE;
    return revert_on_carry();
  }
  if (settings.has(LOCALE_NFMT_QORWD)) {
    Decimal value;
    digits.decimals(decimals, value);
    if (decimalsFit(settings, value, decimals, true, room, text)) return ZQ_OK;
    const bool below_one = value.isZero() || value.exponent < 0;
    if (below_one && decimalsFit(settings, value, decimals, false, room, text)) return ZQ_OK;
    if (!fewerDecimals(settings, digits, room, text, carried)) return ZQ_NLS_FMT_TRUNCATE;
    return ZQ_NLS_FMT_REVERT;
  }
  if (settings.has(LOCALE_NFMT_QOREW)) {
    const auto mantissa_digits = [&](int exponent) -> std::int64_t {
      if (unbounded) return settings.exponentCap();
      const int own = exponentDigits(exponent);
      return field - 4 - own - (sign_length > 0 && own == 1 ? 1 : 0);
    };
    if (!filledExponent(settings, digits, mantissa_digits, unbounded, text, carried)) {
      return ZQ_NLS_FMT_TRUNCATE;
    }
    return revert_on_carry();
  }
  // QOREWD: the fixed text, past the field when no decimals were asked for.
  Decimal value;
  digits.decimals(decimals, value);
  if (decimalsFit(settings, value, decimals, true, decimals == 0 ? kUnbounded : room, text)) {
    return ZQ_OK;
  }
  const auto mantissa_digits = [&](int exponent) -> std::int64_t {
    return std::max<std::int64_t>(1, room - 3 - std::max(2, exponentDigits(exponent)));
  };
  filledExponent(settings, digits, mantissa_digits, false, text, carried);
  return ZQ_NLS_FMT_REVERT;
}

// Every conversion through NumberText: the QOR formats, COMPATIBLE's digits and the
// long precisions. `part` is the value or the part the option word takes.
[[gnu::noinline]] FormatResult formatThroughText(const FormatSettings& settings, DecimalMode mode,
                                                 double part, ZQChar sign, std::int64_t field,
                                                 std::int32_t precision, ZQChar* buffer,
                                                 std::int64_t capacity) {
  NumberText text;
  if (sign != 0) text.put(sign);
  const int sign_length = static_cast<int>(text.length());
  text.markInside();

  Status status = ZQ_OK;
  const std::uint32_t qor_bits = settings.options & kQorBits;
  if (qor_bits != 0) {
    // The lowest QOR bit chooses the format.
    const FormatSettings qor_settings{
        settings.symbols, (settings.options & ~kQorBits) | (qor_bits & (0u - qor_bits)),
        settings.compatible};
    status = fit(qor_settings, std::fabs(part), field, sign_length, precision, mode, text);
    if (status == ZQ_NLS_FMT_TRUNCATE) {
      NumberText stars;
      stars.repeat('*', field);
      return stars.emit(buffer, capacity, ZQ_NLS_FMT_TRUNCATE);
    }
  } else {
    convert(settings, std::fabs(part), conversionOf(settings, precision), mode, text);
  }
  if (settings.has(LOCALE_NFMT_LEFTJUSTIFY)) {
    text.pad(field, ' ', NumberText::Pad::kBack);
  } else if (settings.has(LOCALE_NFMT_PADWITHZERO)) {
    text.pad(field, '0', NumberText::Pad::kInside);
  } else {
    text.pad(field, ' ', NumberText::Pad::kFront);
  }
  return text.emit(buffer, capacity, status);
}

// Infinity or a missing value.
[[gnu::noinline]] FormatResult formatSpecialValue(double value, const NumberSymbols& symbols,
                                                  ZQChar missing_char, std::int64_t field,
                                                  bool left, ZQChar* buffer,
                                                  std::int64_t capacity) {
  NumberText text;
  putSpecialValue(value, symbols, missing_char, field, left, text);
  return text.emit(buffer, capacity, ZQ_OK);
}

}  // namespace

FormatResult formatDouble(const NumberSymbols& symbols, DecimalMode mode, double value,
                          std::int32_t width, std::int32_t precision, std::uint32_t options,
                          ZQChar missing_char, ZQChar* buffer, std::int64_t capacity) {
  assert(usableUnits(buffer, capacity));
  const std::int64_t field = std::clamp<std::int64_t>(width, 0, capacity);
  if (!std::isfinite(value)) {
    return formatSpecialValue(value, symbols, missing_char, field,
                              (options & LOCALE_NFMT_LEFTJUSTIFY) != 0, buffer, capacity);
  }

  const FormatSettings settings{symbols, options, mode == DecimalMode::kCompatible};
  const bool qor = (options & kQorBits) != 0;
  // The fraction or integer part, for the conversions that take one.
  double part = value;
  if (!qor && settings.has(LOCALE_NFMT_FRACTION)) {
    double integer;
    part = std::modf(value, &integer);
  } else if (!qor && settings.has(LOCALE_NFMT_INTEGER)) {
    part = std::trunc(value);
  }
  ZQChar sign = 0;
  if (std::signbit(part)) {
    sign = symbols.minus_sign;
  } else if (settings.has(LOCALE_NFMT_ADDSIGN)) {
    sign = symbols.plus_sign;
  } else if (settings.has(LOCALE_NFMT_SPACEPREFIX)) {
    sign = ' ';
  }
  if (!qor && !settings.compatible) {
    PlainChars chars;
    PlainText plain;
    if (plainText(settings, std::fabs(part), conversionOf(settings, precision), chars, plain)) {
      return writePlain(settings, sign, plain, field, buffer, capacity);
    }
  }
  return formatThroughText(settings, mode, part, sign, field, precision, buffer, capacity);
}

}  // namespace zq::host
