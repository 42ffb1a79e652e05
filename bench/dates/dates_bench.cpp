// Dates formatted and parsed through the host's locale operations, beside the C
// library (gmtime_r + strftime, strptime) and ICU's SimpleDateFormat, on the same
// dates: en_US style 0 ("09/17/2001") and fr_FR style 2 ("lundi 17 septembre 2001"),
// read under their pattern and leniently.
//
// The C library runs in the "C" locale, so its long form has English names; the
// work per call is the same.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "bench/common/bench_host.h"

#ifdef ZQ_BENCH_WITH_ICU
#include <unicode/locid.h>
#include <unicode/parsepos.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#endif

namespace {

constexpr std::size_t kDates = 1024;  // a power of two: the loops wrap with a mask

struct Date {
  std::int32_t year, month, day;
  std::time_t seconds;  // midnight UTC of the date
};

// Dates spread over 1900-2099.
const std::vector<Date>& dates() {
  static const std::vector<Date> all = [] {
    std::mt19937 random(17);
    std::vector<Date> out;
    for (std::size_t i = 0; i < kDates; ++i) {
      const auto days = static_cast<std::time_t>(random() % 73049) - 25567;  // from 1900
      std::tm tm{};
      const std::time_t seconds = days * 86400;
      gmtime_r(&seconds, &tm);
      out.push_back(Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, seconds});
    }
    return out;
  }();
  return all;
}

using zq::bench::host;

// The host's texts of every date, and the C library's, for the parsers.
struct Texts {
  std::vector<std::u32string> host;
  std::vector<std::string> c_library;
};

Texts textsOf(zq::LocaleHandle* l, std::int32_t style, const char* c_format) {
  Texts texts;
  for (const Date& d : dates()) {
    zq::ZQChar buffer[72];
    std::int64_t length = 0;
    l->zqnlsLocaleDateFormat(l, d.month, d.day, d.year, style, buffer, 72, &length);
    texts.host.emplace_back(reinterpret_cast<const char32_t*>(buffer),
                            static_cast<std::size_t>(length));
    std::tm tm{};
    gmtime_r(&d.seconds, &tm);
    char c_text[72];
    texts.c_library.emplace_back(c_text, std::strftime(c_text, sizeof c_text, c_format, &tm));
  }
  return texts;
}

void hostFormat(benchmark::State& state, zq::LocaleHandle* l, std::int32_t style) {
  const std::vector<Date>& v = dates();
  zq::ZQChar buffer[72];
  std::int64_t length = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    const Date& d = v[i++ & (kDates - 1)];
    l->zqnlsLocaleDateFormat(l, d.month, d.day, d.year, style, buffer, 72, &length);
    benchmark::DoNotOptimize(buffer);
    benchmark::DoNotOptimize(length);
  }
}

void cLibraryFormat(benchmark::State& state, const char* format) {
  const std::vector<Date>& v = dates();
  char buffer[72];
  std::size_t i = 0;
  for (auto _ : state) {
    std::tm tm{};
    gmtime_r(&v[i++ & (kDates - 1)].seconds, &tm);
    benchmark::DoNotOptimize(std::strftime(buffer, sizeof buffer, format, &tm));
    benchmark::DoNotOptimize(buffer);
  }
}

void hostParse(benchmark::State& state, zq::LocaleHandle* l, std::int32_t style,
               const Texts& texts) {
  std::int32_t month = 0, day = 0, year = 0;
  std::int64_t consumed = 0;
  std::size_t i = 0;
  for (auto _ : state) {
    const std::u32string& text = texts.host[i++ & (kDates - 1)];
    l->zqnlsLocaleBufferToDate(l, reinterpret_cast<const zq::ZQChar*>(text.data()),
                               static_cast<std::int64_t>(text.size()), style, &month, &day,
                               &year, &consumed);
    benchmark::DoNotOptimize(year);
  }
}

void cLibraryParse(benchmark::State& state, const char* format, const Texts& texts) {
  std::size_t i = 0;
  for (auto _ : state) {
    std::tm tm{};
    benchmark::DoNotOptimize(strptime(texts.c_library[i++ & (kDates - 1)].c_str(), format, &tm));
    benchmark::DoNotOptimize(tm);
  }
}

constexpr const char* kShortC = "%m/%d/%Y";
constexpr const char* kLongC = "%A %d %B %Y";

void BM_ShortFormatHost(benchmark::State& s) { hostFormat(s, host().en_us, 0); }
void BM_ShortFormatCLibrary(benchmark::State& s) { cLibraryFormat(s, kShortC); }
void BM_LongFormatHost(benchmark::State& s) { hostFormat(s, host().fr_fr, 2); }
void BM_LongFormatCLibrary(benchmark::State& s) { cLibraryFormat(s, kLongC); }
void BM_ShortParseHost(benchmark::State& s) {
  static const Texts texts = textsOf(host().en_us, 0, kShortC);
  hostParse(s, host().en_us, 0, texts);
}
void BM_ShortParseCLibrary(benchmark::State& s) {
  static const Texts texts = textsOf(host().en_us, 0, kShortC);
  cLibraryParse(s, kShortC, texts);
}
void BM_LongParseHost(benchmark::State& s) {
  static const Texts texts = textsOf(host().fr_fr, 2, kLongC);
  hostParse(s, host().fr_fr, 2, texts);
}
void BM_LongParseCLibrary(benchmark::State& s) {
  static const Texts texts = textsOf(host().fr_fr, 2, kLongC);
  cLibraryParse(s, kLongC, texts);
}
// The same texts read leniently: the host finds the form itself (ICU's parse, below,
// is lenient by default).
void BM_ShortLenientHost(benchmark::State& s) {
  static const Texts texts = textsOf(host().en_us, 0, kShortC);
  hostParse(s, host().en_us, zq::LOCALE_DATE_LENIENT, texts);
}
void BM_LongLenientHost(benchmark::State& s) {
  static const Texts texts = textsOf(host().fr_fr, 2, kLongC);
  hostParse(s, host().fr_fr, zq::LOCALE_DATE_LENIENT, texts);
}
BENCHMARK(BM_ShortFormatHost);
BENCHMARK(BM_ShortFormatCLibrary);
BENCHMARK(BM_LongFormatHost);
BENCHMARK(BM_LongFormatCLibrary);
BENCHMARK(BM_ShortParseHost);
BENCHMARK(BM_ShortParseCLibrary);
BENCHMARK(BM_LongParseHost);
BENCHMARK(BM_LongParseCLibrary);
BENCHMARK(BM_ShortLenientHost);
BENCHMARK(BM_LongLenientHost);

#ifdef ZQ_BENCH_WITH_ICU
// A SimpleDateFormat of the same pattern, on UTC, as ICU users would hold one.
struct IcuFormat {
  IcuFormat(const char* pattern, const char* locale) {
    UErrorCode status = U_ZERO_ERROR;
    format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(pattern, -1, US_INV),
                                                     icu::Locale(locale), status);
    format->setTimeZone(*icu::TimeZone::getGMT());
  }
  std::unique_ptr<icu::SimpleDateFormat> format;
};

void icuFormat(benchmark::State& state, const IcuFormat& f) {
  const std::vector<Date>& v = dates();
  icu::UnicodeString text;
  std::size_t i = 0;
  for (auto _ : state) {
    text.remove();
    f.format->format(static_cast<UDate>(v[i++ & (kDates - 1)].seconds) * 1000.0, text);
    benchmark::DoNotOptimize(text.getBuffer());
  }
}

void icuParse(benchmark::State& state, const IcuFormat& f, const Texts& texts) {
  std::vector<icu::UnicodeString> inputs;
  for (const std::u32string& t : texts.host) {
    inputs.push_back(icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(t.data()),
                                                   static_cast<std::int32_t>(t.size())));
  }
  std::size_t i = 0;
  for (auto _ : state) {
    icu::ParsePosition position(0);
    benchmark::DoNotOptimize(f.format->parse(inputs[i++ & (kDates - 1)], position));
  }
}

const IcuFormat& icuShort() {
  static const IcuFormat f("MM/dd/yyyy", "en_US");
  return f;
}
const IcuFormat& icuLong() {
  static const IcuFormat f("EEEE dd MMMM yyyy", "fr_FR");
  return f;
}
void BM_ShortFormatIcu(benchmark::State& s) { icuFormat(s, icuShort()); }
void BM_LongFormatIcu(benchmark::State& s) { icuFormat(s, icuLong()); }
void BM_ShortParseIcu(benchmark::State& s) {
  static const Texts texts = textsOf(host().en_us, 0, kShortC);
  icuParse(s, icuShort(), texts);
}
void BM_LongParseIcu(benchmark::State& s) {
  static const Texts texts = textsOf(host().fr_fr, 2, kLongC);
  icuParse(s, icuLong(), texts);
}
BENCHMARK(BM_ShortFormatIcu);
BENCHMARK(BM_LongFormatIcu);
BENCHMARK(BM_ShortParseIcu);
BENCHMARK(BM_LongParseIcu);
#endif

}  // namespace

BENCHMARK_MAIN();
