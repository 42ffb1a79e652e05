// What the fuzz targets share: the fixed headers read from their inputs, the parser
// targets' texts, guarded format calls, a fatal check, seed inputs, and one stand-in
// host with every locale's handle.
//
// A target is one file, NAME_fuzz.cpp, with its fuzzOne; its seeds are its row of the
// table in fuzz_seeds.cpp. Run with ZQ_FUZZ_SEEDS=DIR, a target writes its seeds into
// DIR and exits.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "host/nls/locale_data.h"
#include "tests/support/test_support.h"
#include "zq/host_objects.h"

namespace zq::fuzz {

using Bytes = std::vector<std::uint8_t>;

// The target's checks of one input, which libFuzzer's entry point hands it.
void fuzzOne(const std::uint8_t* data, std::size_t size);

// The seed corpus of the target named `target` (its file's name without ".cpp"), drawn
// from the suites' vectors by the one table in fuzz_seeds.cpp; none for another name.
std::vector<Bytes> seedInputs(std::string_view target);

// Stops the run with `what` on stderr when `holds` is false; libFuzzer keeps the input.
void require(bool holds, const char* what);

// An input: a fixed header (fields past the input's end read as zero), then text units
// from the whole 4-byte groups that follow it.
template <class Header>
struct Input {
  Header header{};
  std::vector<ZQChar> text;
};

template <class Header>
Input<Header> readInput(const std::uint8_t* data, std::size_t size) {
  static_assert(std::is_trivially_copyable_v<Header>);
  Input<Header> in;
  if (size == 0) return in;
  const std::size_t used = std::min(size, sizeof(Header));
  std::memcpy(&in.header, data, used);
  in.text.resize((size - used) / sizeof(ZQChar));
  if (!in.text.empty()) std::memcpy(in.text.data(), data + used, in.text.size() * sizeof(ZQChar));
  return in;
}

// The bytes readInput reads back as `header` and `text`.
template <class Header>
Bytes encodeInput(const Header& header, std::span<const ZQChar> text = {}) {
  Bytes bytes(sizeof(Header) + text.size_bytes());
  std::memcpy(bytes.data(), &header, sizeof(Header));
  if (!text.empty()) std::memcpy(bytes.data() + sizeof(Header), text.data(), text.size_bytes());
  return bytes;
}

// The fixed headers of the targets' inputs, which the seed table writes.

// The parser targets', followed by the text. date_parse_fuzz's parsers are DateParser's;
// double_parse_fuzz's are word 50 for an even number and word 91 for an odd one;
// integer_parse_fuzz's are Intfast, Intmax, Uintfast, Uintmax, Int, UInt, Long, ULong.
struct ParseInput {
  std::uint8_t locale;
  std::uint8_t parser;  // modulo the target's number of parsers
  std::int16_t length;  // negative: passed as it is; else at most the text's units
  std::uint32_t options;
};
struct DateParser {
  enum Parser : std::uint8_t { kDate, kDatetime, kTime, kParsers };  // sanity2's codes 1-3
};

struct DateFormatInput {
  enum Operation : std::uint8_t { kDate, kTime, kDatetime, kOperations };
  std::uint8_t locale;
  std::uint8_t operation;  // modulo kOperations
  std::uint16_t capacity;  // output units, modulo 128: no date text is longer than 64
  std::int32_t style;      // the datetime format's option word
  std::int32_t month;
  std::int32_t day;
  std::int32_t year;
  double seconds;  // since midnight, or since 1960-01-01 for a datetime
};

struct DoubleFormatInput {
  enum Operation : std::uint8_t { kDouble, kPercent, kCurrency, kExOpts, kOperations };
  std::uint8_t locale;
  std::uint8_t operation;  // modulo kOperations
  std::uint16_t capacity;  // output units, modulo 1024: the suites' buffers hold 72 and 100
  std::int32_t width;
  std::int32_t precision;
  std::uint32_t options;
  std::uint32_t compatible;  // odd: the COMPATIBLE decimal-conversion mode
  double value;
  ExOpts ex_opts;  // word 70's record
};

struct IntegerFormatInput {
  enum Operation : std::uint8_t { kIntfast, kIntmax, kUintfast, kUintmax, kPointer, kOperations };
  std::uint8_t locale;
  std::uint8_t operation;  // modulo kOperations
  std::uint16_t capacity;  // output units, modulo 1024: the suites' buffers hold 5, 72 and 100
  std::int32_t width;
  std::int32_t precision;
  std::uint32_t options;
  std::uint64_t value;
};

// journal_format_fuzz's, followed by the format.
struct JournalInput {
  std::uint64_t seed;  // the argument values
  std::uint16_t capacity;
};

// kstr_compare_fuzz's, followed by the two strings.
struct KstrInput {
  std::uint16_t split;  // where the text divides into the two compared strings
};

// The text a parser is given: exactly `length` units of the input's text (fewer when it
// has fewer) in a block of their own, so that a read past them is caught. A negative
// length is passed on as it is, with no text.
struct ParserText {
  std::vector<ZQChar> units;
  std::int64_t length;
};
ParserText parserText(const Input<ParseInput>& in);

// A parser target's seed: the header and `text`, all of it read.
Bytes parseSeed(std::uint32_t locale, std::uint8_t parser, std::uint32_t options,
                std::span<const ZQChar> text);

using testing::Formatted;
using testing::kMissingBits;

// testing::formatGuarded, stopping the run when a unit outside the buffer changed.
template <class Format>
Formatted formatGuarded(std::int64_t capacity, Format format) {
  Formatted f = testing::formatGuarded(capacity, format);
  require(f.within, "nothing is written outside the buffer");
  return f;
}

// The stand-in host the handles below belong to.
KernelHandle* fuzzKernel();

// A handle of the stand-in host for one of its locales, chosen by `index` modulo their
// number; the host and its handles are made once and live for the whole run.
LocaleHandle* fuzzLocale(std::uint32_t index);
// The number symbols of the locale `fuzzLocale(index)` works in.
const host::NumberSymbols& fuzzSymbols(std::uint32_t index);

}  // namespace zq::fuzz
