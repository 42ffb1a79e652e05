// The integer parsers: locale, parser, option word, length and text from the input. The
// text is a block of exactly `length` units, so any read past it is caught; the
// consumed count stays within the length, and an overflow gives the value 0. The
// parser words' own reading of common texts gives what the general parser gives.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "host/nls/integer_parse.h"

namespace zq::fuzz {
namespace {

// The parsers in word order: Intfast, Intmax, Uintfast, Uintmax, Int, UInt, Long, ULong.
constexpr int kParsers = 8;

struct Parsed {
  Status status;
  std::int64_t value;  // the result's bits, widened
  std::int64_t consumed;
};

template <class Value, class Parser>
Parsed call(LocaleHandle* l, Parser parser, const ZQChar* text, std::int64_t length,
            std::uint32_t options) {
  Value value = 0;
  std::int64_t consumed = -1;
  const Status status =
      (l->*parser)(l, text, length, static_cast<std::int32_t>(options), &value, &consumed);
  return {status, static_cast<std::int64_t>(value), consumed};
}

Parsed parse(int parser, LocaleHandle* l, const ZQChar* text, std::int64_t length,
             std::uint32_t options) {
  using L = LocaleHandle;
  switch (parser) {
    case 0: return call<std::int32_t>(l, &L::zqnlsLocaleBufferToIntfast, text, length, options);
    case 1: return call<std::int64_t>(l, &L::zqnlsLocaleBufferToIntmax, text, length, options);
    case 2: return call<std::uint32_t>(l, &L::zqnlsLocaleBufferToUintfast, text, length, options);
    case 3: return call<std::uint64_t>(l, &L::zqnlsLocaleBufferToUintmax, text, length, options);
    case 4: return call<std::int32_t>(l, &L::zqnlsLocaleBufferToInt, text, length, options);
    case 5: return call<std::uint32_t>(l, &L::zqnlsLocaleBufferToUInt, text, length, options);
    case 6: return call<std::int64_t>(l, &L::zqnlsLocaleBufferToLong, text, length, options);
    default: return call<std::uint64_t>(l, &L::zqnlsLocaleBufferToULong, text, length, options);
  }
}

// Where the words' reading of common texts takes a text, in the range of every result
// type, it gives the status, value and consumed count of the general parser.
void commonTextsReadAsTheParserReadsThem(std::uint32_t locale, const ParserText& text,
                                         std::uint32_t options) {
  const host::NumberSymbols& symbols = fuzzSymbols(locale);
  for (const host::IntegerRange range : {host::IntegerRange{INT32_MAX, 1ULL << 31},
                                         host::IntegerRange{INT64_MAX, 1ULL << 63},
                                         host::IntegerRange{UINT32_MAX, 0},
                                         host::IntegerRange{UINT64_MAX, 0}}) {
    host::ParsedInteger common{};
    if (text.length < 0 || !host::parseCommonInteger(symbols, text.units.data(), text.length,
                                                     options, range, common)) {
      continue;
    }
    const host::ParsedInteger general =
        host::parseInteger(symbols, text.units.data(), text.length, options, range);
    require(common.status == general.status && common.magnitude == general.magnitude &&
                common.negative == general.negative && common.consumed == general.consumed,
            "a common text reads as the general parser reads it");
  }
}

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const Input<ParseInput> in = readInput<ParseInput>(data, size);
  const ParserText text = parserText(in);
  const Parsed parsed = parse(in.header.parser % kParsers, fuzzLocale(in.header.locale),
                              text.units.data(), text.length, in.header.options);
  require(parsed.consumed >= 0 && parsed.consumed <= std::ssize(text.units),
          "the consumed count stays within the text");
  require(parsed.status != ZQ_NLS_OVERFLOW || parsed.value == 0, "an overflow gives 0");
  commonTextsReadAsTheParserReadsThem(in.header.locale, text, in.header.options);
}

}  // namespace zq::fuzz
