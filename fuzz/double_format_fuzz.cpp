// The double, percent and currency formatters: value, width, precision, option word,
// ExOpts record and capacity from the input, in either decimal-conversion mode. Nothing
// is written past the capacity. A text longer than the capacity gives
// ZQ_NLS_FMT_TRUNCATE, the length the whole text needs and asterisks: the one way the
// length exceeds the capacity. Where the capacity holds the width, a bigger one writes
// the same text, whole where the first was cut. Texts of 17 significant digits written
// in STDIEEE mode read back to the very value. A QOR format's text that fits shows a
// digit and reads back to within half a unit of its last significant digit. The digits
// at a precision by integer arithmetic are std::to_chars' own.
#include <bit>
#include <charconv>
#include <cmath>
#include <string>

#include "fuzz/fuzz_support.h"
#include "host/nls/decimal_digits.h"
#include "tests/nls/fitted_text.h"
#include "zq/host.h"

namespace zq::fuzz {
namespace {

using FormatInput = DoubleFormatInput;
using enum DoubleFormatInput::Operation;

constexpr std::int64_t kWholeUnits = 16384;

Formatted format(const FormatInput& in, std::int64_t capacity) {
  using L = LocaleHandle;
  constexpr DoubleFormatFn L::*kWords[] = {&L::zqnlsLocaleDoubleFormat,
                                           &L::zqnlsLocalePercentFormat,
                                           &L::zqnlsLocaleCurrencyFormat};
  LocaleHandle* l = fuzzLocale(in.locale);
  const auto o = static_cast<std::int32_t>(in.options);
  return formatGuarded(capacity, [&](ZQChar* out, std::int64_t room, std::int64_t* length) {
    const unsigned op = in.operation % kOperations;
    if (op == kExOpts) {
      return l->zqnlsLocaleDoubleFormatWithExOpts(l, in.value, in.width, in.precision, o, out,
                                                  room, length, &in.ex_opts);
    }
    return (l->*kWords[op])(l, in.value, in.width, in.precision, o, out, room, length);
  });
}

// "%.16e", and for values of 1 and above grouped "%.17f", show 17 significant digits
// or more, which name one double: the parser reads a normal number back to it.
void readsBack(LocaleHandle* l, double value) {
  if (!std::isnormal(value)) return;
  for (const std::uint32_t options : {LOCALE_NFMT_SNOTE, LOCALE_NFMT_DECIMAL | LOCALE_NFMT_GROUP}) {
    if (options != LOCALE_NFMT_SNOTE && std::fabs(value) < 1) return;
    ZQChar text[512];
    std::int64_t length = 0, consumed = -1;
    l->zqnlsLocaleDoubleFormat(l, value, 0, options == LOCALE_NFMT_SNOTE ? 16 : 17, options, text,
                               512, &length);
    double back = 0;
    require(l->zqnlsLocaleBufferToDouble(l, text, length, &back, &consumed) == ZQ_OK &&
                consumed == length &&
                std::bit_cast<std::uint64_t>(back) == std::bit_cast<std::uint64_t>(value),
            "17 significant digits read back to their value");
  }
}

// A QOR format's text that fits shows a digit and lies within half a unit of its last
// significant digit; the lowest QOR bit chooses the format.
void fitsItsValue(const FormatInput& in, const Formatted& f) {
  const std::uint32_t qor = in.options & (LOCALE_NFMT_QORBEST | LOCALE_NFMT_QORWD |
                                          LOCALE_NFMT_QOREW | LOCALE_NFMT_QOREWD);
  const unsigned op = in.operation % kOperations;
  if (qor == 0 || (op != kDouble && op != kExOpts) || !std::isfinite(in.value) ||
      (f.status != ZQ_OK && f.status != ZQ_NLS_FMT_REVERT)) {
    return;
  }
  const host::NumberSymbols& symbols = fuzzSymbols(in.locale);
  const bool compatible = (in.compatible & 1) != 0;
  const char* fault = testing::fittedTextFault(
      std::u32string(f.text.begin(), f.text.end()), in.value, symbols.decimal_separator,
      symbols.group_separator, compatible,
      testing::significantCap(compatible, (qor & (0u - qor)) == LOCALE_NFMT_QORBEST));
  require(fault == nullptr, fault);
}

// toCharsRounded against std::to_chars on the value's magnitude, fixed and scientific,
// at precisions on both sides of the integer path's longest, in a buffer of 1 to 64
// characters or one that holds any text.
void roundsAsToChars(const FormatInput& in) {
  const double magnitude = std::fabs(in.value);
  const int precision = static_cast<int>(static_cast<std::uint32_t>(in.precision) % 24);
  const std::int64_t room = in.capacity % 4 == 0 ? 400 : 1 + in.capacity % 64;
  for (const std::chars_format format : {std::chars_format::fixed, std::chars_format::scientific}) {
    char ours[400];
    char theirs[400];
    const auto a = host::toCharsRounded(ours, ours + room, magnitude, format, precision);
    const auto b = std::to_chars(theirs, theirs + room, magnitude, format, precision);
    require(a.ec == b.ec && (a.ec != std::errc() ||
                             std::string_view(ours, a.ptr) == std::string_view(theirs, b.ptr)),
            "digits at a precision are std::to_chars' own");
  }
}

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const FormatInput in = readInput<FormatInput>(data, size).header;
  zqhostSetDecimalConversionMode(fuzzKernel(), static_cast<std::int32_t>(in.compatible & 1));
  if ((in.compatible & 1) == 0) readsBack(fuzzLocale(in.locale), in.value);
  roundsAsToChars(in);
  const std::int64_t capacity = in.capacity % 1024;
  const Formatted cut = format(in, capacity);
  fitsItsValue(in, cut);
  const bool truncated = cut.status == ZQ_NLS_FMT_TRUNCATE;
  require(cut.status == ZQ_OK || truncated || cut.status == ZQ_NLS_FMT_REVERT ||
              (cut.status == ZQ_NLS_FMT_INVALID_MISSCHAR && in.operation % kOperations == kExOpts),
          "a buffer gives OK, TRUNCATE, REVERT or, with ExOpts, INVALID_MISSCHAR");
  require(cut.length >= 0 && (cut.length <= capacity || truncated),
          "only a cut text reports more units than the capacity");
  require(!truncated || std::ranges::all_of(cut.text, [](ZQChar unit) { return unit == '*'; }),
          "a cut text is asterisks");
  // The field is the width cut to the capacity: where the capacity holds the width, a
  // bigger one changes nothing else.
  if (in.width > capacity || cut.length > kWholeUnits) return;
  const Formatted whole = format(in, kWholeUnits);
  require(whole.length == cut.length, "the capacity does not change the length");
  if (truncated && cut.length > capacity) {
    require(whole.status == ZQ_OK || whole.status == ZQ_NLS_FMT_REVERT,
            "a text cut for its capacity is whole in a bigger one");
    return;
  }
  require(whole.status == cut.status && whole.text == cut.text,
          "a text that fits is the same in a bigger buffer");
}

}  // namespace zq::fuzz
