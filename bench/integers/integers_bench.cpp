// Grouped 64-bit integers formatted and parsed through the host's locale operations,
// beside std::to_chars, std::from_chars and snprintf.
#include <benchmark/benchmark.h>

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

using zq::bench::host;

void formatThroughHost(benchmark::State& state, std::int32_t options) {
  zq::LocaleHandle* l = host().en_us;
  const std::vector<std::int64_t>& v = values();
  zq::ZQChar buffer[72];
  std::int64_t length = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    l->zqnlsLocaleIntmaxFormat(l, v[i++ & (kValues - 1)], 0, 0, options, buffer, 72, &length);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(length);
  }
}

void BM_FormatHostGrouped(benchmark::State& state) {
  formatThroughHost(state, static_cast<std::int32_t>(zq::LOCALE_NFMT_GROUP));
}
BENCHMARK(BM_FormatHostGrouped);

void BM_FormatHostPlain(benchmark::State& state) { formatThroughHost(state, 0); }
BENCHMARK(BM_FormatHostPlain);

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
BENCHMARK(BM_FormatToChars);

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
BENCHMARK(BM_FormatSnprintf);

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
BENCHMARK(BM_ParseHostPlain);

void BM_ParseHostSpaceGrouped(benchmark::State& state) {
  parseThroughHost(state, host().fr_fr, static_cast<std::int32_t>(zq::LOCALE_NFMT_GROUP),
                   static_cast<std::int32_t>(zq::LOCALE_CVT_SPACEGROUPING));
}
BENCHMARK(BM_ParseHostSpaceGrouped);

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
BENCHMARK(BM_ParseFromChars);

}  // namespace

BENCHMARK_MAIN();
