// The double parsers, words 50 and 91: locale, parser, option word, length and text from
// the input, the text a block of exactly `length` units. The consumed count stays within
// the text, every failure leaves the ordinary missing value, and an option word without
// LOCALE_CVT_SPACEGROUPING reads as word 50 does. A text of characters below U+0100,
// written in ISO-8859-1 (a byte each, of the character's value), reads through a string
// manager's zqnlsStringToDouble as word 91 reads its units. The parser's shortcuts for
// plain texts give what its general path gives.
#include <bit>
#include <algorithm>
#include <optional>
#include <tuple>

#include "fuzz/fuzz_support.h"
#include "host/nls/double_parse.h"

namespace zq::fuzz {
namespace {

// The status, the value's bits and the consumed count.
using Parsed = std::tuple<Status, std::uint64_t, std::int64_t>;

// Word 91 with the options for an odd parser, word 50 for an even one.
Parsed parse(LocaleHandle* l, const ParserText& text, unsigned parser, std::uint32_t options) {
  double value = 0;
  std::int64_t consumed = -1;
  const Status status =
      parser % 2 != 0 ? l->zqnlsLocaleBufferToDoubleWithOpts(l, text.units.data(), text.length,
                                                              static_cast<std::int32_t>(options),
                                                              &value, &consumed)
                      : l->zqnlsLocaleBufferToDouble(l, text.units.data(), text.length, &value,
                                                     &consumed);
  return {status, std::bit_cast<std::uint64_t>(value), consumed};
}

// The engine with its shortcuts for plain texts, or by its general path alone.
Parsed engine(std::uint32_t locale, const ParserText& text, std::uint32_t options,
              bool shortcuts) {
  const auto parse = shortcuts ? host::parseDouble : host::parseDoubleGenerally;
  const host::ParsedDouble p = parse(fuzzSymbols(locale), text.units.data(), text.length, options);
  return {p.status, std::bit_cast<std::uint64_t>(p.value), p.consumed};
}

// zqnlsStringToDouble on text's units written as ISO-8859-1 bytes, if each has one, in a
// block of their own.
std::optional<Parsed> parseLatin1(LocaleHandle* l, const ParserText& text,
                                  std::uint32_t options) {
  static StringManager* const latin1 = [] {
    StringManager* made = nullptr;
    NlsHandle* nls = fuzzKernel()->nls;
    require(nls->zqnlsSMCreate(nls, 28, 0, &made) == ZQ_OK, "an ISO-8859-1 string manager");
    return made;
  }();
  if (text.length < 0) return std::nullopt;
  if (std::ranges::any_of(text.units, [](ZQChar unit) { return unit > 0xFF; })) {
    return std::nullopt;
  }
  const std::vector<char> bytes(text.units.begin(), text.units.end());
  double value = 0;
  std::int64_t consumed = -1;
  const Status status = latin1->zqnlsStringToDouble(latin1, l, bytes.data(), text.length,
                                                     static_cast<std::int32_t>(options),
                                                     &value, &consumed);
  return Parsed{status, std::bit_cast<std::uint64_t>(value), consumed};
}

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const Input<ParseInput> in = readInput<ParseInput>(data, size);
  const ParserText text = parserText(in);
  LocaleHandle* l = fuzzLocale(in.header.locale);
  const Parsed parsed = parse(l, text, in.header.parser, in.header.options);
  const auto& [status, bits, consumed] = parsed;
  require(consumed >= 0 && consumed <= std::ssize(text.units),
          "the consumed count stays within the text");
  require(status == ZQ_OK || status == ZQ_NLS_BAD_NUM || status == ZQ_NLS_OVERFLOW ||
              status == ZQ_NLS_UNDERFLOW || (status == ZQ_NLS_INVALID_VALUE && text.length < 0),
          "a text gives OK, BAD_NUM, OVERFLOW or UNDERFLOW");
  require(status == ZQ_OK || bits == kMissingBits, "a failure leaves the missing value");
  if ((in.header.options & LOCALE_CVT_SPACEGROUPING) == 0) {
    require(parse(l, text, in.header.parser + 1u, in.header.options) == parsed,
            "options other than SPACEGROUPING change nothing");
  }
  if (text.length >= 0) {
    require(engine(in.header.locale, text, in.header.options, true) ==
                engine(in.header.locale, text, in.header.options, false),
            "the shortcuts read as the general path");
  }
  if (const std::optional<Parsed> latin1 = parseLatin1(l, text, in.header.options)) {
    require(*latin1 == parse(l, text, 1, in.header.options),
            "ISO-8859-1 bytes read as their characters do");
  }
}

}  // namespace zq::fuzz
