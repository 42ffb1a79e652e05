// What the fuzz targets share: a fixed header read from the input, the parser targets'
// texts, guarded format calls, a fatal check, seed inputs, and one stand-in host with
// every locale's handle.
//
// A target is one file, NAME_fuzz.cpp: its LLVMFuzzerTestOneInput and its seedInputs().
// Run with ZQ_FUZZ_SEEDS=DIR, a target writes its seeds into DIR and exits.
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

// The seed corpus of this target, drawn from the suites' vectors.
std::vector<Bytes> seedInputs();

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

// The header of the parser targets, followed by the text.
struct ParseInput {
  std::uint8_t locale;
  std::uint8_t parser;  // modulo the target's number of parsers
  std::int16_t length;  // negative: passed as it is; else at most the text's units
  std::uint32_t options;
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
Bytes parseSeed(std::uint32_t locale, std::uint8_t parser, std::uint32_t options,
                std::u32string_view text);

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
// The index of the locale named `name` (five units).
std::uint32_t fuzzLocaleIndex(const ZQChar* name);
std::uint32_t fuzzLocaleIndex(std::u32string_view name);

}  // namespace zq::fuzz
