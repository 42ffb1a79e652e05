// Two doubles formatted through the host's zqnlsLocaleDoubleFormat, beside snprintf,
// std::to_chars of the same digits and (when built with it) ICU's number formatter:
// 6543.21 with width 10, precision 2, options 0 ("   6.5e+03"), and 1234.56 with
// DECIMAL|GROUP, precision 2 ("1,234.56").
#include <benchmark/benchmark.h>

#include <charconv>
#include <clocale>
#include <cstdio>

#include "bench/common/bench_host.h"

#if defined(ZQ_BENCH_ICU)
#include <unicode/numberformatter.h>
#endif

namespace {

constexpr double kGeneral = 6543.21;
constexpr double kFixed = 1234.56;

using zq::bench::host;

void formatThroughHost(benchmark::State& state, zq::LocaleHandle* l, double value,
                       std::int32_t width, std::uint32_t options) {
  zq::ZQChar buffer[72];
  std::int64_t length = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    l->zqnlsLocaleDoubleFormat(l, value, width, 2, static_cast<std::int32_t>(options), buffer,
                               72, &length);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(length);
  }
}

constexpr std::uint32_t kDecimalGrouped = zq::LOCALE_NFMT_DECIMAL | zq::LOCALE_NFMT_GROUP;

void BM_HostGeneral_enUS(benchmark::State& state) {
  formatThroughHost(state, host().en_us, kGeneral, 10, 0);
}
void BM_HostFixedGrouped_enUS(benchmark::State& state) {
  formatThroughHost(state, host().en_us, kFixed, 0, kDecimalGrouped);
}
void BM_HostFixedGrouped_frFR(benchmark::State& state) {
  formatThroughHost(state, host().fr_fr, kFixed, 0, kDecimalGrouped);
}
BENCHMARK(BM_HostGeneral_enUS);
BENCHMARK(BM_HostFixedGrouped_enUS);
BENCHMARK(BM_HostFixedGrouped_frFR);

// The same digits from std::to_chars: two significant digits, and two decimals.
void toChars(benchmark::State& state, double value, std::chars_format format) {
  char buffer[32];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value, format, 2).ptr;
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(end);
  }
}
void BM_ToCharsGeneral(benchmark::State& state) {
  toChars(state, kGeneral, std::chars_format::general);
}
void BM_ToCharsFixed(benchmark::State& state) { toChars(state, kFixed, std::chars_format::fixed); }
BENCHMARK(BM_ToCharsGeneral);
BENCHMARK(BM_ToCharsFixed);

// The shortest round-trip digits of each value: dearer than either row above, so
// rounding them is no shorter road to the digits at a precision.
void toCharsShortest(benchmark::State& state, double value) {
  char buffer[32];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(end);
  }
}
void BM_ToCharsShortestGeneral(benchmark::State& state) { toCharsShortest(state, kGeneral); }
void BM_ToCharsShortestFixed(benchmark::State& state) { toCharsShortest(state, kFixed); }
BENCHMARK(BM_ToCharsShortestGeneral);
BENCHMARK(BM_ToCharsShortestFixed);

// "%'.2f" groups only under a C library locale that defines grouping; the label
// says which locale was found, or that the text is ungrouped.
void snprintfRow(benchmark::State& state, double value, const char* format, bool grouped) {
  const char* found = nullptr;
  for (const char* name : {"en_US.UTF-8", "en_US.utf8", "en_US"}) {
    if (grouped && std::setlocale(LC_NUMERIC, name) != nullptr) {
      found = name;
      break;
    }
  }
  if (grouped) state.SetLabel(found != nullptr ? found : "no grouping locale: ungrouped");
  char buffer[40];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(n);
  }
  std::setlocale(LC_NUMERIC, "C");
}
void BM_SnprintfGeneral(benchmark::State& state) {
  snprintfRow(state, kGeneral, "%10.2g", false);
}
void BM_SnprintfFixedGrouped(benchmark::State& state) {
  snprintfRow(state, kFixed, "%'.2f", true);
}
BENCHMARK(BM_SnprintfGeneral);
BENCHMARK(BM_SnprintfFixedGrouped);

#if defined(ZQ_BENCH_ICU)
// ICU's nearest forms: two significant digits in scientific notation ("6.5E3"), and
// two decimals grouped ("1,234.56", "1 234,56").
void icuRow(benchmark::State& state, const char* locale, double value, bool general) {
  using namespace icu::number;
  UErrorCode status = U_ZERO_ERROR;
  const LocalizedNumberFormatter formatter =
      general ? NumberFormatter::withLocale(locale)
                    .notation(Notation::scientific())
                    .precision(Precision::maxSignificantDigits(2))
              : NumberFormatter::withLocale(locale).precision(Precision::fixedFraction(2));
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    FormattedNumber text = formatter.formatDouble(value, status);
    benchmark::DoNotOptimize(text.toTempString(status).getBuffer());
  }
  if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
}
void BM_IcuGeneral_enUS(benchmark::State& state) { icuRow(state, "en_US", kGeneral, true); }
void BM_IcuFixedGrouped_enUS(benchmark::State& state) { icuRow(state, "en_US", kFixed, false); }
void BM_IcuFixedGrouped_frFR(benchmark::State& state) { icuRow(state, "fr_FR", kFixed, false); }
BENCHMARK(BM_IcuGeneral_enUS);
BENCHMARK(BM_IcuFixedGrouped_enUS);
BENCHMARK(BM_IcuFixedGrouped_frFR);
#endif

}  // namespace

BENCHMARK_MAIN();
