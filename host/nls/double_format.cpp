// The double formatting engine: the option word picks a conversion, the field and the
// mode pick the digits, and NumberText lays them out within the capacity.
//
// Fitting works on the value's leading exponent: the QOR formats plan a layout from
// it, round once for that layout, and plan again when rounding carried into the next
// power of ten (9.996 in three units is "10", not "10.0"). Every rounding goes
// through DecimalDigits, so a layout never rounds digits that were rounded before.
#include "host/nls/double_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "host/kernel.h"
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

bool isScalarValue(ZQChar unit) {
  return unit != 0 && unit <= 0x10FFFF && (unit < 0xD800 || unit > 0xDFFF);
}

// One call's settings, shared by the conversions.
struct Job {
  const NumberSymbols& symbols;
  std::uint32_t options;
  bool compatible;
  bool has(std::uint32_t bits) const { return (options & bits) != 0; }
  // Significant digits QORBEST shows, and the other QOR formats in E notation.
  std::int64_t bestCap() const { return compatible ? 14 : 15; }
  std::int64_t exponentCap() const { return compatible ? 14 : 16; }
};

// Grouped length of `digits` integer digits, as the fixed writer lays them out.
std::int64_t integerLength(const Job& job, int exponent) {
  Decimal one_digit;
  one_digit.digits[0] = '1';
  one_digit.count = 1;
  one_digit.exponent = exponent;
  FixedForm form;
  form.group = job.has(LOCALE_NFMT_GROUP);
  return fixedLength(one_digit, form, job.symbols);
}

// ---------------------------------------------------------------------------
// Conversions without a QOR bit.

// printf's conversion for an option word: f, e or g, and its precision.
struct Conversion {
  std::chars_format notation;
  std::int64_t precision;
};

Conversion conversionOf(const Job& job, std::int32_t precision) {
  if (job.has(kFixedBits)) {
    const bool decimals = job.has(LOCALE_NFMT_FRACTION) || !job.has(LOCALE_NFMT_INTEGER);
    return {std::chars_format::fixed, decimals ? (precision < 0 ? 6 : precision) : 0};
  }
  if (job.has(LOCALE_NFMT_SNOTE)) return {std::chars_format::scientific, precision < 0 ? 6 : precision};
  return {std::chars_format::general, precision <= 0 ? 6 : precision};
}

// STDIEEE's conversions are printf's own, and std::to_chars writes exactly those:
// the text only takes the locale's point and groups, G's capital E and RADIX's
// point. TRAILZERO, and precisions whose text would not fit `chars`, go through
// the digits instead.
bool convertDirect(const Job& job, double magnitude, const Conversion& conversion,
                   NumberText& text) {
  if (conversion.precision > 40 || job.has(LOCALE_NFMT_TRAILZERO)) return false;
  char chars[400];  // 309 integer digits, a point, 40 decimals
  const char* end = std::to_chars(chars, chars + sizeof chars, magnitude, conversion.notation,
                                  static_cast<int>(conversion.precision))
                        .ptr;
  // Fixed text has no exponent and its point `precision` units from the end; only
  // g's text must be searched.
  const char* exponent = end;
  const char* point = end - conversion.precision - 1;
  if (conversion.notation != std::chars_format::fixed) {
    exponent = chars;
    while (exponent < end && *exponent != 'e') ++exponent;
    point = chars + 1;
    while (point < exponent && *point != '.') ++point;
  } else if (conversion.precision == 0) {
    point = end;
  }
  appendDigits(text, chars, point - chars, job.has(LOCALE_NFMT_GROUP) && exponent == end,
               job.symbols);
  // Then the point (the locale's), the decimals, and the exponent with its letter.
  const bool point_written = point < exponent || job.has(LOCALE_NFMT_RADIX);
  const char* decimals = point < exponent ? point + 1 : exponent;
  ZQChar* out = text.claim((point_written ? 1 : 0) + (exponent - decimals) + (end - exponent));
  if (point_written) *out++ = job.symbols.decimal_separator;
  for (const char* c = decimals; c < exponent; ++c) *out++ = static_cast<unsigned char>(*c);
  if (exponent < end) {
    *out++ = job.has(LOCALE_NFMT_BESTFITBIG) ? 'E' : 'e';
    for (const char* c = exponent + 1; c < end; ++c) *out++ = static_cast<unsigned char>(*c);
  }
  return true;
}

// The conversions through the mode's digits.
void convert(const Job& job, double magnitude, const Conversion& conversion, DecimalMode mode,
             NumberText& text) {
  const DecimalDigits digits(magnitude, mode);
  const bool radix = job.has(LOCALE_NFMT_RADIX);
  const std::int64_t p = conversion.precision;
  Decimal value;
  if (conversion.notation == std::chars_format::fixed) {
    FixedForm form;
    form.decimals = p;
    form.keep_point = radix;
    form.group = job.has(LOCALE_NFMT_GROUP);
    digits.decimals(p, value);
    appendFixed(text, value, form, job.symbols);
    return;
  }
  if (conversion.notation == std::chars_format::scientific) {
    digits.significant(p + 1, value);
    appendMantissa(text, value, p + 1, p > 0 || radix, job.symbols.decimal_separator);
    appendExponent(text, value.exponent, ExponentForm{'e', true, 2});
    return;
  }
  // g and G: P significant digits; E notation when the exponent is below -4 or not
  // below P.
  const bool keep_zeros = job.has(LOCALE_NFMT_TRAILZERO);
  digits.significant(p, value);
  const int exponent = value.exponent;
  if (exponent < -4 || exponent >= p) {
    const std::int64_t shown = keep_zeros ? p : value.count;
    appendMantissa(text, value, shown, shown > 1 || radix, job.symbols.decimal_separator);
    const ZQChar letter = job.has(LOCALE_NFMT_BESTFITBIG) ? 'E' : 'e';
    appendExponent(text, exponent, ExponentForm{letter, true, 2});
    return;
  }
  FixedForm form;
  form.decimals = p - 1 - exponent;
  form.drop_zeros = !keep_zeros;
  form.keep_point = radix;
  form.group = job.has(LOCALE_NFMT_GROUP);
  appendFixed(text, value, form, job.symbols);
}

// ---------------------------------------------------------------------------
// QOR formats. Each writes the text after the sign into `text`, or returns false
// when nothing fits in `room` (the field less the sign). `carried` is set when a
// rounding carried into the next power of ten.

// Rounds for a fixed layout with `decimals` decimals, keeping at most `cap`
// significant digits (STDIEEE only: COMPATIBLE holds its digits already).
void roundFixed(const Job& job, const DecimalDigits& digits, int exponent,
                std::int64_t decimals, Decimal& out) {
  if (!job.compatible && exponent + 1 + decimals > job.bestCap()) {
    digits.significant(job.bestCap(), out);
    return;
  }
  digits.decimals(decimals, out);
}

// QORBEST's fixed notation in `room`: the decimals that fit, zeros dropped. False
// when the integer digits do not fit or a non-zero value would show only zeros.
bool bestFixed(const Job& job, const DecimalDigits& digits, double magnitude,
               std::int64_t room, Decimal& value, FixedForm& form) {
  form.drop_zeros = true;
  form.group = job.has(LOCALE_NFMT_GROUP);
  int exponent = digits.exponent();
  // COMPATIBLE trades the "0" of a value below 1 for a digit "0." would cut off,
  // unless the value then rounds up to 1.
  if (job.compatible && exponent < 0 && room >= 2 && !digits.exactAt(room - 2)) {
    form.lead_zero = false;
    form.decimals = room - 1;
    digits.decimals(form.decimals, value);
    if (!value.isZero() && value.exponent < 0) return true;
    form.lead_zero = true;
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::int64_t integer = exponent >= 0 ? integerLength(job, exponent) : 1;
    if (integer > room) return false;
    form.decimals = std::max<std::int64_t>(0, room - integer - 1);
    roundFixed(job, digits, exponent, form.decimals, value);
    // A carry into a new integer digit asks for one decimal less.
    if (value.isZero() || value.exponent <= std::max(exponent, -1)) break;
    exponent = value.exponent;
  }
  if (fixedLength(value, form, job.symbols) > room) return false;
  return !value.isZero() || magnitude == 0;
}

// Whether a fixed text of a value below 1 spends more zeros after the point than
// the field leaves room for significant digits.
bool zerosOutnumberDigits(const Job& job, const Decimal& value, const FixedForm& form) {
  if (value.isZero() || value.exponent >= 0) return false;
  const std::int64_t zeros = -value.exponent - 1;
  return zeros > std::min(form.decimals - zeros, job.bestCap());
}

// QORBEST's E notation in `room`, with at most `cap` significant digits.
bool bestExponent(const Job& job, const DecimalDigits& digits, std::int64_t room,
                  std::int64_t cap, NumberText& text, bool& carried) {
  int exponent = digits.exponent();
  Decimal value;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::int64_t mantissa = room - exponentLength(exponent, kBestExponent);
    if (mantissa >= 4) {  // d.dd at least
      digits.significant(std::min(mantissa - 1, cap), value);
      if (value.exponent > exponent) {
        exponent = value.exponent;
        carried = true;
        continue;
      }
      appendMantissa(text, value, value.count, value.count > 1, job.symbols.decimal_separator);
      appendExponent(text, exponent, kBestExponent);
      return true;
    }
    // A whole-number mantissa: as many digits as fit beside the lowered exponent.
    std::int64_t whole = 0;
    for (std::int64_t n = std::min(room - 2, cap); n >= 1 && whole == 0; --n) {
      if (n + exponentLength(static_cast<int>(exponent - n + 1), kBestExponent) <= room) whole = n;
    }
    if (whole == 0) return false;
    digits.significant(whole, value);
    if (value.exponent > exponent) {
      exponent = value.exponent;
      carried = true;
      continue;
    }
    for (int i = 0; i < value.count; ++i) text.put(static_cast<unsigned char>(value.digits[i]));
    appendExponent(text, exponent - value.count + 1, kBestExponent);
    return true;
  }
  return false;
}

bool bestFit(const Job& job, const DecimalDigits& digits, double magnitude, std::int64_t room,
             NumberText& text, bool& carried) {
  Decimal value;
  FixedForm form;
  const bool fixed = bestFixed(job, digits, magnitude, room, value, form);
  if (fixed && !zerosOutnumberDigits(job, value, form)) {
    appendFixed(text, value, form, job.symbols);
    return true;
  }
  if (bestExponent(job, digits, room, job.bestCap(), text, carried)) return true;
  if (!fixed) return false;
  appendFixed(text, value, form, job.symbols);
  return true;
}

// The room QORBEST takes with no width: its shorter notation at the digit cap.
std::int64_t bestNaturalRoom(const Job& job, const DecimalDigits& digits) {
  Decimal value;
  digits.significant(job.compatible ? Decimal::kCapacity : job.bestCap(), value);
  FixedForm form;
  form.decimals = std::max<std::int64_t>(0, value.count - 1 - value.exponent);
  form.drop_zeros = true;
  form.group = job.has(LOCALE_NFMT_GROUP);
  const std::int64_t fixed = fixedLength(value, form, job.symbols);
  const std::int64_t shown = std::min<std::int64_t>(value.count, job.bestCap());
  const std::int64_t exponent = shown + (shown > 1 ? 1 : 0) +
                                exponentLength(value.exponent, kBestExponent);
  return std::min(fixed, exponent);
}

// E notation of `digits(exponent)` digits with the point always and a signed,
// two-digit exponent (QOREW, QOREWD); `digits` below 1 means it does not fit.
template <typename DigitsFor>
bool filledExponent(const Job& job, const DecimalDigits& digits, DigitsFor digits_for,
                    bool drop_zeros, NumberText& text, bool& carried) {
  int exponent = digits.exponent();
  Decimal value;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::int64_t n = digits_for(exponent);
    if (n < 1) return false;
    digits.significant(std::min(n, job.exponentCap()), value);
    if (value.exponent > exponent) {
      exponent = value.exponent;
      carried = true;
      continue;
    }
    appendMantissa(text, value, drop_zeros ? value.count : n, true,
                   job.symbols.decimal_separator);
    appendExponent(text, exponent, kFilledExponent);
    return true;
  }
  return false;
}

int exponentDigits(int exponent) {
  int count = 1;
  for (int rest = exponent < 0 ? -exponent : exponent; rest >= 10; rest /= 10) ++count;
  return count;
}

// QORWD and QOREWD first: the fixed text with `decimals` decimals, when it fits.
bool decimalsFit(const Job& job, const Decimal& value, std::int64_t decimals, bool lead_zero,
                 std::int64_t room, NumberText& text) {
  FixedForm form;
  form.decimals = decimals;
  form.lead_zero = lead_zero;
  form.group = job.has(LOCALE_NFMT_GROUP);
  if (fixedLength(value, form, job.symbols) > room) return false;
  appendFixed(text, value, form, job.symbols);
  return true;
}

// QORWD past its first text: fewer decimals (a value below 1 without its "0"),
// down to none, then QORBEST's E notation. Always a revert.
bool fewerDecimals(const Job& job, const DecimalDigits& digits, std::int64_t room,
                   NumberText& text, bool& carried) {
  int exponent = digits.exponent();
  Decimal value;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::int64_t integer = exponent >= 0 ? integerLength(job, exponent) : 0;
    const std::int64_t decimals = std::max<std::int64_t>(0, room - integer - 1);
    digits.decimals(decimals, value);
    if (!value.isZero() && value.exponent >= 0 && value.exponent > exponent) {
      exponent = value.exponent;
      continue;
    }
    if (decimalsFit(job, value, decimals, value.exponent >= 0 || decimals == 0, room, text)) {
      return true;
    }
    break;
  }
  return bestExponent(job, digits, room, job.exponentCap(), text, carried);
}

// The QOR formats. Returns the status of a text written to `text`, or
// ZQ_NLS_FMT_TRUNCATE when nothing fits.
Status fit(const Job& job, double magnitude, std::int64_t field, int sign_length,
           std::int32_t precision, DecimalMode mode, NumberText& text) {
  const DecimalDigits digits(magnitude, mode);
  const bool unbounded = field == 0;
  const std::int64_t room = unbounded ? kUnbounded : field - sign_length;
  bool carried = false;
  const auto revert_on_carry = [&] {
    return job.compatible && carried ? ZQ_NLS_FMT_REVERT : ZQ_OK;
  };
  const std::int64_t decimals = precision < 0 ? 6 : precision;

  if (job.has(LOCALE_NFMT_QORBEST)) {
    const std::int64_t best_room = unbounded ? bestNaturalRoom(job, digits) : room;
    if (!bestFit(job, digits, magnitude, best_room, text, carried)) return ZQ_NLS_FMT_TRUNCATE;
    return revert_on_carry();
  }
  if (job.has(LOCALE_NFMT_QORWD)) {
    Decimal value;
    digits.decimals(decimals, value);
    if (decimalsFit(job, value, decimals, true, room, text)) return ZQ_OK;
    const bool below_one = value.isZero() || value.exponent < 0;
    if (below_one && decimalsFit(job, value, decimals, false, room, text)) return ZQ_OK;
    if (!fewerDecimals(job, digits, room, text, carried)) return ZQ_NLS_FMT_TRUNCATE;
    return ZQ_NLS_FMT_REVERT;
  }
  if (job.has(LOCALE_NFMT_QOREW)) {
    const auto mantissa_digits = [&](int exponent) -> std::int64_t {
      if (unbounded) return job.exponentCap();
      const int own = exponentDigits(exponent);
      return field - 4 - own - (sign_length > 0 && own == 1 ? 1 : 0);
    };
    if (!filledExponent(job, digits, mantissa_digits, unbounded, text, carried)) {
      return ZQ_NLS_FMT_TRUNCATE;
    }
    return revert_on_carry();
  }
  // QOREWD: the fixed text, past the field when no decimals were asked for.
  Decimal value;
  digits.decimals(decimals, value);
  if (decimalsFit(job, value, decimals, true, decimals == 0 ? kUnbounded : room, text)) {
    return ZQ_OK;
  }
  const auto mantissa_digits = [&](int exponent) -> std::int64_t {
    return std::max<std::int64_t>(1, room - 3 - std::max(2, exponentDigits(exponent)));
  };
  filledExponent(job, digits, mantissa_digits, false, text, carried);
  return ZQ_NLS_FMT_REVERT;
}

}  // namespace

DecimalMode decimalModeOf(const Kernel& kernel) {
  const ConversionRecord* record = kernel.abi.conversion;
  if (record == nullptr || record->options == nullptr) return DecimalMode::kStdIeee;
  return record->options->decimal_conversion_mode != DECIMALCONV_STDIEEE
             ? DecimalMode::kCompatible
             : DecimalMode::kStdIeee;
}

Status formatDouble(const NumberSymbols& symbols, DecimalMode mode, double value,
                    std::int32_t width, std::int32_t precision, std::uint32_t options,
                    const ExOpts* ex_opts, ZQChar* buffer, std::int64_t capacity,
                    std::int64_t* out_length) {
  if (out_length != nullptr) *out_length = 0;
  if (!outputUsable(buffer, capacity)) return ZQ_NLS_INVALID_VALUE;
  const bool substitute =
      ex_opts != nullptr && (ex_opts->flags & EXOPTS_PRINT_MISSING_CHAR) != 0;
  if (substitute && !isScalarValue(ex_opts->missing_char)) return ZQ_NLS_FMT_INVALID_MISSCHAR;

  const std::int64_t field = std::clamp<std::int64_t>(width, 0, capacity);
  const bool left = (options & LOCALE_NFMT_LEFTJUSTIFY) != 0;
  NumberText text;
  if (putSpecialValue(value, symbols, substitute ? ex_opts->missing_char : 0, field, left, text)) {
    return text.emit(buffer, capacity, out_length, ZQ_OK);
  }

  const Job job{symbols, options, mode == DecimalMode::kCompatible};
  const bool qor = (options & kQorBits) != 0;
  // The fraction or integer part, for the conversions that take one.
  double part = value;
  if (!qor && job.has(LOCALE_NFMT_FRACTION)) {
    double integer;
    part = std::modf(value, &integer);
  } else if (!qor && job.has(LOCALE_NFMT_INTEGER)) {
    part = std::trunc(value);
  }
  if (std::signbit(part)) {
    text.put(symbols.minus_sign);
  } else if (job.has(LOCALE_NFMT_ADDSIGN)) {
    text.put(symbols.plus_sign);
  } else if (job.has(LOCALE_NFMT_SPACEPREFIX)) {
    text.put(' ');
  }
  const int sign_length = static_cast<int>(text.length());
  text.markInside();

  Status status = ZQ_OK;
  if (qor) {
    // The lowest QOR bit chooses the format.
    const std::uint32_t qor_bits = options & kQorBits;
    const Job qor_job{symbols, (options & ~kQorBits) | (qor_bits & (0u - qor_bits)),
                      job.compatible};
    status = fit(qor_job, std::fabs(part), field, sign_length, precision, mode, text);
    if (status == ZQ_NLS_FMT_TRUNCATE) {
      NumberText stars;
      stars.repeat('*', field);
      return stars.emit(buffer, capacity, out_length, ZQ_NLS_FMT_TRUNCATE);
    }
  } else {
    const Conversion conversion = conversionOf(job, precision);
    if (job.compatible || !convertDirect(job, std::fabs(part), conversion, text)) {
      convert(job, std::fabs(part), conversion, mode, text);
    }
  }
  if (left) {
    text.pad(field, ' ', NumberText::Pad::kBack);
  } else if (job.has(LOCALE_NFMT_PADWITHZERO)) {
    text.pad(field, '0', NumberText::Pad::kInside);
  } else {
    text.pad(field, ' ', NumberText::Pad::kFront);
  }
  return text.emit(buffer, capacity, out_length, status);
}

}  // namespace zq::host
