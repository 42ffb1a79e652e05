// Two doubles formatted through the host's zqnlsLocaleDoubleFormat, beside snprintf,
// std::to_chars of the same digits and (when built with it) ICU's number formatter:
// 6543.21 with width 10, precision 2, options 0 ("   6.5e+03"), and 1234.56 with
// DECIMAL|GROUP, precision 2 ("1,234.56"). The same two through a string manager's
// zqnlsStringFromDouble as 8-bit text; and 1234.56 as currency through
// zqnlsLocaleCurrencyFormat (" $1,234.56", "1 234,56 €" at width 10) beside strfmon
// and ICU's currency formatter.
#include <benchmark/benchmark.h>
#include <monetary.h>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <initializer_list>

#include "bench/common/bench_host.h"

#if defined(ZQ_BENCH_ICU)
#include <unicode/currunit.h>
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

// Through a string manager in the locale's 8-bit encoding: Latin-1 (28) for en_US,
// Latin-9 (60) for fr_FR, whose U+00A0 between groups leaves the plain-ASCII copy
// for the C library's iconv.
void stringThroughHost(benchmark::State& state, zq::LocaleHandle* l, std::int32_t encoding,
                       double value, std::int32_t width, std::uint32_t options) {
  zq::StringManager* m = host().manager(encoding);
  char buffer[72];
  std::int64_t length = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    m->zqnlsStringFromDouble(m, l, width, 2, static_cast<std::int32_t>(options), buffer, 72,
                             &length, value);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(length);
  }
}
void BM_HostStringGeneral_enUS(benchmark::State& state) {
  stringThroughHost(state, host().en_us, 28, kGeneral, 10, 0);
}
void BM_HostStringFixedGrouped_enUS(benchmark::State& state) {
  stringThroughHost(state, host().en_us, 28, kFixed, 0, kDecimalGrouped);
}
void BM_HostStringFixedGrouped_frFR(benchmark::State& state) {
  stringThroughHost(state, host().fr_fr, 60, kFixed, 0, kDecimalGrouped);
}
BENCHMARK(BM_HostStringGeneral_enUS);
BENCHMARK(BM_HostStringFixedGrouped_enUS);
BENCHMARK(BM_HostStringFixedGrouped_frFR);

void currencyThroughHost(benchmark::State& state, zq::LocaleHandle* l) {
  zq::ZQChar buffer[72];
  std::int64_t length = 0;
  double value = kFixed;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    l->zqnlsLocaleCurrencyFormat(l, value, 10, 2, 0, buffer, 72, &length);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(length);
  }
}
void BM_HostCurrency_enUS(benchmark::State& state) { currencyThroughHost(state, host().en_us); }
void BM_HostCurrency_frFR(benchmark::State& state) { currencyThroughHost(state, host().fr_fr); }
BENCHMARK(BM_HostCurrency_enUS);
BENCHMARK(BM_HostCurrency_frFR);

// strfmon's "%10.2n" under the first C library locale found; without one it runs in
// the "C" locale, which writes no symbol and no grouping, and the label says so.
void strfmonRow(benchmark::State& state, std::initializer_list<const char*> names) {
  const char* found = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_MONETARY, name) != nullptr) {
      found = name;
      break;
    }
  }
  state.SetLabel(found != nullptr ? found : "no such locale: C locale");
  char buffer[40];
  double value = kFixed;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    const ssize_t n = strfmon(buffer, sizeof buffer, "%10.2n", value);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(n);
  }
  std::setlocale(LC_MONETARY, "C");
}
void BM_StrfmonCurrency_enUS(benchmark::State& state) {
  strfmonRow(state, {"en_US.UTF-8", "en_US.utf8"});
}
void BM_StrfmonCurrency_frFR(benchmark::State& state) {
  strfmonRow(state, {"fr_FR.UTF-8", "fr_FR.utf8"});
}
BENCHMARK(BM_StrfmonCurrency_enUS);
BENCHMARK(BM_StrfmonCurrency_frFR);

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

// ICU's currency formatter for the locale's currency, two decimals.
void icuCurrencyRow(benchmark::State& state, const char* locale, const char16_t* currency) {
  using namespace icu::number;
  UErrorCode status = U_ZERO_ERROR;
  const LocalizedNumberFormatter formatter = NumberFormatter::withLocale(locale)
                                                 .unit(icu::CurrencyUnit(currency, status))
                                                 .precision(Precision::fixedFraction(2));
  double value = kFixed;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    FormattedNumber text = formatter.formatDouble(value, status);
    benchmark::DoNotOptimize(text.toTempString(status).getBuffer());
  }
  if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
}
void BM_IcuCurrency_enUS(benchmark::State& state) { icuCurrencyRow(state, "en_US", u"USD"); }
void BM_IcuCurrency_frFR(benchmark::State& state) { icuCurrencyRow(state, "fr_FR", u"EUR"); }
BENCHMARK(BM_IcuCurrency_enUS);
BENCHMARK(BM_IcuCurrency_frFR);
#endif

}  // namespace

BENCHMARK_MAIN();
