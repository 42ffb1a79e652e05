// The integer and pointer formatters: value, width, precision, option word and capacity
// from the input. Nothing is written past the capacity, a cut text is the start of the
// whole one, and a decimal text parses back to its value.
#include "fuzz/fuzz_support.h"
#include "host/nls/number_text.h"

namespace zq::fuzz {
namespace {

using FormatInput = IntegerFormatInput;
using Operation = IntegerFormatInput::Operation;
using enum IntegerFormatInput::Operation;

// Output buffers of up to 1023 units: the suites' hold 5, 72 and 100.
constexpr std::uint16_t kCapacities = 1024;
// Widths and precisions up to this give a whole text that fits the reference buffer.
constexpr std::int32_t kReferenceField = 4096;
constexpr std::int64_t kReferenceUnits = 2 * kReferenceField + 64;

Formatted format(const FormatInput& in, std::int64_t capacity) {
  LocaleHandle* l = fuzzLocale(in.locale);
  const std::int32_t w = in.width;
  const std::int32_t p = in.precision;
  const auto o = static_cast<std::int32_t>(in.options);
  return formatGuarded(capacity, [&](ZQChar* buffer, std::int64_t room, std::int64_t* length) {
    switch (in.operation % kOperations) {
      case kIntfast:
        return l->zqnlsLocaleIntfastFormat(l, static_cast<std::int32_t>(in.value), w, p, o,
                                           buffer, room, length);
      case kIntmax:
        return l->zqnlsLocaleIntmaxFormat(l, static_cast<std::int64_t>(in.value), w, p, o,
                                          buffer, room, length);
      case kUintfast:
        return l->zqnlsLocaleUintfastFormat(l, static_cast<std::uint32_t>(in.value), w, p, o,
                                            buffer, room, length);
      case kUintmax:
        return l->zqnlsLocaleUintmaxFormat(l, in.value, w, p, o, buffer, room, length);
    }
    return l->zqnlsLocalePointerFormat(l, in.value, w, o, buffer, room, length);
  });
}

// A decimal text parses back, whole, to the value it shows: plain, or grouped with a
// blank under blank grouping.
void parsesBack(const FormatInput& in, std::u32string_view text) {
  const std::uint32_t radix = LOCALE_NFMT_HEX | LOCALE_NFMT_HEXBIG | LOCALE_NFMT_OCTAL;
  const bool grouped = (in.options & LOCALE_NFMT_GROUP) != 0;
  const ZQChar separator = fuzzSymbols(in.locale).group_separator;
  const Operation op = static_cast<Operation>(in.operation % kOperations);
  if (op == kPointer || (in.options & radix) != 0 || (grouped && !host::isGroupBlank(separator))) {
    return;
  }
  const std::int32_t options = grouped ? LOCALE_CVT_SPACEGROUPING : 0;
  const bool as_unsigned =
      op == kUintfast || op == kUintmax || (in.options & LOCALE_NFMT_UNSIGNED) != 0;
  const bool narrow = op == kIntfast || op == kUintfast;
  LocaleHandle* l = fuzzLocale(in.locale);
  std::int64_t consumed = -1;
  // Blanks after the digits (left-justified text) end the number, unconsumed but for
  // the first under blank grouping.
  std::int64_t digits_end = std::ssize(text);
  while (digits_end > 0 && text[digits_end - 1] == ' ') --digits_end;
  if (grouped && digits_end < std::ssize(text)) ++digits_end;
  if (as_unsigned) {
    std::uint64_t value = 0;
    const std::uint64_t expected = narrow ? static_cast<std::uint32_t>(in.value) : in.value;
    const Status status = l->zqnlsLocaleBufferToUintmax(l, testing::units(text), std::ssize(text),
                                                        options, &value, &consumed);
    require(status == ZQ_OK && value == expected, "an unsigned text parses back");
  } else {
    std::int64_t value = 0;
    const std::int64_t expected = narrow ? static_cast<std::int32_t>(in.value)
                                         : static_cast<std::int64_t>(in.value);
    const Status status = l->zqnlsLocaleBufferToIntmax(l, testing::units(text), std::ssize(text),
                                                       options, &value, &consumed);
    require(status == ZQ_OK && value == expected, "a signed text parses back");
  }
  require(consumed == digits_end, "parsing back reads the number to its last digit");
}

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const FormatInput in = readInput<FormatInput>(data, size).header;
  const std::int64_t capacity = in.capacity % kCapacities;
  const Formatted cut = format(in, capacity);
  require(cut.status == ZQ_OK || cut.status == ZQ_NLS_FMT_TRUNCATE, "a usable buffer is OK or cut");
  require(cut.length >= 0 && cut.length <= capacity, "the length stays within the capacity");
  if (in.width > kReferenceField || in.precision > kReferenceField) return;

  const Formatted whole = format(in, kReferenceUnits);
  require(whole.status == ZQ_OK, "the reference buffer holds the whole text");
  require((cut.status == ZQ_OK) == (whole.length <= capacity), "cut exactly when too long");
  require(whole.text.starts_with(cut.text), "a cut text is the start of the whole one");
  parsesBack(in, whole.text);
}

}  // namespace zq::fuzz
