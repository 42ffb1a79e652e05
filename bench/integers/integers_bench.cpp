// Grouped 64-bit integers formatted and parsed through the host's locale operations,
// beside std::to_chars, std::from_chars and snprintf. Two rows measure what the host's
// interface costs beside the digits: a call through the locale handle's table that is
// refused at once, and std::to_chars followed by widening its text to 32-bit units.
// With repetitions each row also reports its fastest repetition ("_min").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/common/bench_host.h"

namespace {

constexpr std::size_t kValues = 1024;  // a power of two: the loops wrap with a mask

// Values spread evenly over digit counts 1 to 19, both signs.
const std::vector<std::int64_t>& values() {
  static const std::vector<std::int64_t> all = [] {
    std::mt19937_64 random(42);
    std::vector<std::int64_t> out;
    for (std::size_t i = 0; i < kValues; ++i) {
      std::int64_t limit = 1;
      for (std::size_t d = 1 + i % 19; d > 0; --d) limit *= 10;
      const auto magnitude =
          static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(limit));
      out.push_back(i % 2 == 0 ? magnitude : -magnitude);
    }
    return out;
  }();
  return all;
}

double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}
void withFastest(benchmark::internal::Benchmark* b) { b->ComputeStatistics("min", fastest); }

using zq::bench::host;

// Formats through en_US's table, passing `handle` as the operation's handle.
void formatThroughHost(benchmark::State& state, std::int32_t options, zq::LocaleHandle* handle) {
  zq::LocaleHandle* l = host().en_us;
  const std::vector<std::int64_t>& v = values();
  zq::ZQChar buffer[72];
  std::int64_t length = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    l->zqnlsLocaleIntmaxFormat(handle, v[i++ & (kValues - 1)], 0, 0, options, buffer, 72,
                               &length);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(length);
  }
}

void BM_FormatHostGrouped(benchmark::State& state) {
  formatThroughHost(state, static_cast<std::int32_t>(zq::LOCALE_NFMT_GROUP), host().en_us);
}
BENCHMARK(BM_FormatHostGrouped)->Apply(withFastest);

void BM_FormatHostPlain(benchmark::State& state) { formatThroughHost(state, 0, host().en_us); }
BENCHMARK(BM_FormatHostPlain)->Apply(withFastest);

// A null handle: the operation answers ZQ_NLS_INVALID_VALUE at once, so the row is the
// cost of the call through the table itself.
void BM_FormatHostRefused(benchmark::State& state) { formatThroughHost(state, 0, nullptr); }
BENCHMARK(BM_FormatHostRefused)->Apply(withFastest);

void BM_FormatToChars(benchmark::State& state) {
  const std::vector<std::int64_t>& v = values();
  char buffer[32];
  std::size_t i = 0;
  for (auto _ : state) {
    char* end = std::to_chars(buffer, buffer + sizeof buffer, v[i++ & (kValues - 1)]).ptr;
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(end);
  }
}
BENCHMARK(BM_FormatToChars)->Apply(withFastest);

// std::to_chars, then its text copied into 32-bit units as the host's interface wants.
void BM_FormatToCharsWidened(benchmark::State& state) {
  const std::vector<std::int64_t>& v = values();
  char buffer[32];
  zq::ZQChar units[32];
  std::size_t i = 0;
  for (auto _ : state) {
    char* end = std::to_chars(buffer, buffer + sizeof buffer, v[i++ & (kValues - 1)]).ptr;
    for (const char* c = buffer; c != end; ++c) units[c - buffer] = static_cast<unsigned char>(*c);
    benchmark::DoNotOptimize(units);
    benchmark::DoNotOptimize(end);
  }
}
BENCHMARK(BM_FormatToCharsWidened)->Apply(withFastest);

// "%'lld" groups only under a C library locale that defines grouping; the label
// tells which locale was found, or that none was and the text is ungrouped.
void BM_FormatSnprintf(benchmark::State& state) {
  const char* found = nullptr;
  for (const char* name : {"en_US.UTF-8", "en_US.utf8", "en_US"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      found = name;
      break;
    }
  }
  const char* format = found != nullptr ? "%'lld" : "%lld";
  state.SetLabel(found != nullptr ? found : "no grouping locale: plain %lld");
  const std::vector<std::int64_t>& v = values();
  char buffer[40];
  std::size_t i = 0;
  for (auto _ : state) {
    const int n = std::snprintf(buffer, sizeof buffer, format,
                                static_cast<long long>(v[i++ & (kValues - 1)]));
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(n);
  }
  std::setlocale(LC_NUMERIC, "C");
}
BENCHMARK(BM_FormatSnprintf)->Apply(withFastest);

// Texts formatted once by the host: plain in en_US, grouped with U+00A0 in fr_FR.
std::vector<std::vector<zq::ZQChar>> hostTexts(zq::LocaleHandle* l, std::int32_t options) {
  std::vector<std::vector<zq::ZQChar>> texts;
  for (std::int64_t value : values()) {
    zq::ZQChar buffer[72];
    std::int64_t length = 0;
    l->zqnlsLocaleIntmaxFormat(l, value, 0, 0, options, buffer, 72, &length);
    texts.emplace_back(buffer, buffer + length);
  }
  return texts;
}

void parseThroughHost(benchmark::State& state, zq::LocaleHandle* l, std::int32_t format_options,
                      std::int32_t parse_options) {
  const auto texts = hostTexts(l, format_options);
  std::int64_t value = 0;
  std::int64_t consumed = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& text = texts[i++ & (kValues - 1)];
    l->zqnlsLocaleBufferToIntmax(l, text.data(), static_cast<std::int64_t>(text.size()),
                                 parse_options, &value, &consumed);
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(consumed);
  }
}

void BM_ParseHostPlain(benchmark::State& state) {
  parseThroughHost(state, host().en_us, 0, 0);
}
BENCHMARK(BM_ParseHostPlain)->Apply(withFastest);

void BM_ParseHostSpaceGrouped(benchmark::State& state) {
  parseThroughHost(state, host().fr_fr, static_cast<std::int32_t>(zq::LOCALE_NFMT_GROUP),
                   static_cast<std::int32_t>(zq::LOCALE_CVT_SPACEGROUPING));
}
BENCHMARK(BM_ParseHostSpaceGrouped)->Apply(withFastest);

void BM_ParseFromChars(benchmark::State& state) {
  std::vector<std::string> texts;
  for (std::int64_t value : values()) texts.push_back(std::to_string(value));
  std::int64_t value = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::string& text = texts[i++ & (kValues - 1)];
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(result.ptr);
  }
}
BENCHMARK(BM_ParseFromChars)->Apply(withFastest);

}  // namespace

BENCHMARK_MAIN();
