// What the fuzz targets share: a fixed header read from the input, guarded output
// buffers, a fatal check, seed inputs, and one stand-in host with every locale's handle.
//
// A target is one file, NAME_fuzz.cpp: its LLVMFuzzerTestOneInput and its seedInputs().
// Run with ZQ_FUZZ_SEEDS=DIR, a target writes its seeds into DIR and exits.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

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

// An output buffer of `capacity` units between two runs of canary units.
class GuardedBuffer {
 public:
  static constexpr std::size_t kGuardUnits = 16;
  static constexpr ZQChar kCanary = 0xFDFDFDFD;

  explicit GuardedBuffer(std::size_t capacity)
      : units_(capacity + 2 * kGuardUnits, kCanary) {}
  ZQChar* data() { return units_.data() + kGuardUnits; }
  std::span<const ZQChar> written(std::int64_t length) const {
    return {units_.data() + kGuardUnits, static_cast<std::size_t>(length)};
  }
  // True when no unit outside the capacity changed.
  bool guardsIntact() const {
    const auto canary = [](ZQChar unit) { return unit == kCanary; };
    return std::all_of(units_.begin(), units_.begin() + kGuardUnits, canary) &&
           std::all_of(units_.end() - kGuardUnits, units_.end(), canary);
  }

 private:
  std::vector<ZQChar> units_;
};

// A handle of the stand-in host for one of its locales, chosen by `index` modulo their
// number; the host and its handles are made once and live for the whole run.
LocaleHandle* fuzzLocale(std::uint32_t index);
// The index of the locale named `name` (five units).
std::uint32_t fuzzLocaleIndex(const ZQChar* name);

}  // namespace zq::fuzz
