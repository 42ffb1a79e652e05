// Text-to-double parsing: the host's zqnlsLocaleBufferToDouble beside std::from_chars,
// strtod and ICU's NumberFormat::parse, on the same three numbers. The host and ICU
// read the locale's text ("1 234,567" in fr_FR with U+00A0); from_chars and strtod,
// which know no locale, read the same digits as "1234.567". A string manager's
// zqnlsStringToDouble reads the locale's text as 8-bit text in the locale's encoding
// (Latin-1 for en_US, Latin-9 for fr_FR, whose U+00A0 is the byte 0xA0).
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/common/bench_host.h"

#if defined(ZQ_BENCH_WITH_ICU)
#include <unicode/fmtable.h>
#include <unicode/numfmt.h>
#include <unicode/parsepos.h>
#include <unicode/unistr.h>
#endif

namespace {

struct Input {
  const char* locale;
  std::u32string localized;  // the text in the locale
  std::string plain;         // the same number in the C locale
  double value;
  std::int32_t encoding;  // the locale's 8-bit encoding
  std::string encoded;    // the localized text in it
};

const Input kInputs[] = {
    {"en_US", U"908123", "908123", 908123.0, 28, "908123"},
    {"en_US", U"-1234.5678", "-1234.5678", -1234.5678, 28, "-1234.5678"},
    {"fr_FR", U"1\u00A0234,567", "1234.567", 1234.567, 60, "1\xA0" "234,567"},
};

const Input& inputOf(const benchmark::State& state) { return kInputs[state.range(0)]; }

using zq::bench::host;

zq::KernelHandle* kernel() { return host().kernel; }

void BM_Host(benchmark::State& state) {
  const Input& input = inputOf(state);
  zq::NlsHandle* nls = kernel()->nls;
  const std::u32string name(input.locale, input.locale + 5);
  zq::LocaleHandle* l =
      nls->zqnlsLocaleCreate(nls, reinterpret_cast<const zq::ZQChar*>(name.data()), 5);
  const auto* text = reinterpret_cast<const zq::ZQChar*>(input.localized.data());
  const auto length = static_cast<std::int64_t>(input.localized.size());
  double value = 0;
  std::int64_t consumed = 0;
  l->zqnlsLocaleBufferToDouble(l, text, length, &value, &consumed);
  if (value != input.value) state.SkipWithError("the host parsed another value");
  for (auto _ : state) {
    benchmark::DoNotOptimize(l->zqnlsLocaleBufferToDouble(l, text, length, &value, &consumed));
    benchmark::DoNotOptimize(value);
  }
  l->zqnlsLocaleDestroy(l);
}

void BM_HostStringToDouble(benchmark::State& state) {
  const Input& input = inputOf(state);
  zq::LocaleHandle* l = input.locale[0] == 'e' ? host().en_us : host().fr_fr;
  zq::StringManager* m = host().manager(input.encoding);
  const char* text = input.encoded.data();
  const auto length = static_cast<std::int64_t>(input.encoded.size());
  double value = 0;
  std::int64_t used = 0;
  m->zqnlsStringToDouble(m, l, text, length, 0, &value, &used);
  if (value != input.value) state.SkipWithError("the host parsed another value");
  for (auto _ : state) {
    benchmark::DoNotOptimize(m->zqnlsStringToDouble(m, l, text, length, 0, &value, &used));
    benchmark::DoNotOptimize(value);
  }
}

void BM_FromChars(benchmark::State& state) {
  const std::string& text = inputOf(state).plain;
  double value = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
    benchmark::DoNotOptimize(value);
  }
}

void BM_Strtod(benchmark::State& state) {
  const std::string& text = inputOf(state).plain;
  char* end = nullptr;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(text.c_str(), &end));
    benchmark::DoNotOptimize(end);
  }
}

#if defined(ZQ_BENCH_WITH_ICU)
void BM_IcuNumberFormatParse(benchmark::State& state) {
  const Input& input = inputOf(state);
  UErrorCode error = U_ZERO_ERROR;
  const std::unique_ptr<icu::NumberFormat> format(
      icu::NumberFormat::createInstance(icu::Locale(input.locale), error));
  if (U_FAILURE(error)) {
    state.SkipWithError("no ICU number format");
    return;
  }
  const icu::UnicodeString text =
      icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(input.localized.data()),
                                    static_cast<std::int32_t>(input.localized.size()));
  icu::Formattable result;
  icu::ParsePosition position(0);
  format->parse(text, result, position);
  UErrorCode conversion = U_ZERO_ERROR;
  if (result.getDouble(conversion) != input.value) state.SkipWithError("ICU parsed another value");
  for (auto _ : state) {
    position.setIndex(0);
    format->parse(text, result, position);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_IcuNumberFormatParse)->DenseRange(0, 2);
#endif

BENCHMARK(BM_Host)->DenseRange(0, 2);
BENCHMARK(BM_HostStringToDouble)->DenseRange(0, 2);
BENCHMARK(BM_FromChars)->DenseRange(0, 2);
BENCHMARK(BM_Strtod)->DenseRange(0, 2);

}  // namespace

BENCHMARK_MAIN();
