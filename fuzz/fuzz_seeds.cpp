// The one table of seed inputs: for each fuzz target, the suites' vectors it starts from.
#include <algorithm>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "suites/conformance/buftodbl_cases.h"
#include "suites/conformance/date_table.h"
#include "suites/conformance/double_cases.h"
#include "suites/ieeeconv/ieeeconv_table.h"
#include "suites/sanity/sanity1_date_tables.h"
#include "suites/sanity/sanity1_double_parse_table.h"
#include "suites/sanity/sanity1_double_tables.h"
#include "suites/sanity/sanity1_tables.h"
#include "suites/sanity/sanity2_datetime_table.h"
#include "suites/sanity/sanity2_tables.h"

namespace zq::fuzz {
namespace {

// The index fuzzLocale takes for the locale named by the five units at `name`.
std::uint8_t localeNamed(const ZQChar* name) {
  const auto rows = host::allLocaleData();
  const auto row = std::find_if(rows.begin(), rows.end(), [&](const host::LocaleData& r) {
    return std::equal(name, name + 5, r.name);
  });
  return static_cast<std::uint8_t>(row != rows.end() ? row - rows.begin() : 0);
}
std::uint8_t localeNamed(std::u32string_view name) { return localeNamed(testing::units(name)); }
std::span<const ZQChar> textOf(const ZQChar* text, std::int64_t length) {
  return {text, static_cast<std::size_t>(length)};
}

// sanity1's date, time and datetime vectors, a buffer of 100 units each.
void dateFormatSeeds(std::vector<Bytes>& seeds) {
  using In = DateFormatInput;
  const auto add = [&](const ZQChar* locale, In in) {
    in.locale = localeNamed(locale);
    in.capacity = 100;
    seeds.push_back(encodeInput(in));
  };
  for (const sanity::DateFormatRecord& r : sanity::dateFormatTable()) {
    add(r.locale, {.operation = In::kDate, .style = r.style, .month = r.month, .day = r.day,
                   .year = r.year});
  }
  for (const sanity::TimeFormatRecord& r : sanity::timeFormatTable()) {
    add(r.locale, {.operation = In::kTime, .style = r.style, .seconds = r.seconds});
  }
  for (const sanity::BufferToDatetimeRecord& r : sanity::bufferToDatetimeTable()) {
    add(r.locale, {.operation = In::kDatetime, .style = r.options, .seconds = r.expected_datetime});
  }
}

// sanity2's date and time vectors; dateTest1's texts in each locale's own forms.
void dateParseSeeds(std::vector<Bytes>& seeds) {
  for (const sanity::DatetimeRecord& r : sanity::datetimeList()) {
    seeds.push_back(parseSeed(localeNamed(r.locale), static_cast<std::uint8_t>(r.function - 1),
                              static_cast<std::uint32_t>(r.options), {r.input, r.input_length}));
  }
  for (const conformance::DateLocaleInputs& inputs : conformance::dateLocaleInputs()) {
    for (std::size_t i = 0; i < std::size(inputs.dates); ++i) {
      const auto style = static_cast<std::uint32_t>(conformance::dateParseCases()[i].style);
      seeds.push_back(parseSeed(localeNamed(inputs.name), DateParser::kDate, style,
                                testing::exactCopy(inputs.dates[i])));
    }
    for (const char32_t* text : inputs.datetimes) {
      seeds.push_back(parseSeed(localeNamed(inputs.name), DateParser::kDatetime, 0,
                                testing::exactCopy(text)));
    }
  }
}

// sanity1's double vectors in the percent and currency formats too, doubleTest1's cases,
// the IEEE suite's vectors in both modes, and carries into a shorter exponent and a
// field with room for the sign alone.
void doubleFormatSeeds(std::vector<Bytes>& seeds) {
  using In = DoubleFormatInput;
  const auto add = [&](std::uint8_t locale, In::Operation op, double value, std::int32_t width,
                       std::int32_t precision, std::uint32_t options, std::int64_t capacity,
                       std::uint32_t compatible = 0) {
    const auto room = static_cast<std::uint16_t>(capacity > 0 ? capacity : 100);
    seeds.push_back(
        encodeInput(In{locale, op, room, width, precision, options, compatible, value, {}}));
  };
  for (const sanity::DoubleFormatRecord& r : sanity::doubleFormatTable()) {
    for (const In::Operation op : {In::kDouble, In::kPercent, In::kCurrency}) {
      add(localeNamed(r.locale), op, r.value, r.width, r.precision,
          static_cast<std::uint32_t>(r.options), r.capacity);
    }
  }
  for (const conformance::DoubleCase& c : conformance::doubleCases()) {
    add(localeNamed(U"de_DE"), In::kDouble, c.value, c.width, c.precision, c.options, c.capacity);
  }
  for (const ieeeconv::FormatVector& v : ieeeconv::formatVectors()) {
    for (const std::uint32_t compatible : {0u, 1u}) {
      add(localeNamed(U"fr_FR"), In::kDouble, v.value, v.width, v.precision,
          static_cast<std::uint32_t>(v.options), v.buffer_length, compatible);
    }
  }
  add(localeNamed(U"en_US"), In::kDouble, 9.99e-8, 6, 0, LOCALE_NFMT_QORBEST, 72);
  add(localeNamed(U"en_US"), In::kDouble, 9.9999995e-10, 13, 0, LOCALE_NFMT_QOREW, 72, 1);
  add(localeNamed(U"en_US"), In::kDouble, -0.3, 1, 0, LOCALE_NFMT_QORWD, 72);
}

// sanity1's double texts to word 50, sanity2's grouped ones to word 91, and
// buftodblTest1's texts.
void doubleParseSeeds(std::vector<Bytes>& seeds) {
  for (const sanity::BufferToDoubleRecord& r : sanity::bufferToDoubleTable()) {
    seeds.push_back(parseSeed(localeNamed(r.locale), 0, 0, textOf(r.inputbuf, r.input_length)));
  }
  for (const sanity::SpaceGroupingRecord& r : sanity::spaceGroupingList()) {
    seeds.push_back(parseSeed(localeNamed(r.locale), 1, static_cast<std::uint32_t>(r.options),
                              textOf(r.input, r.input_length)));
  }
  for (const conformance::BufToDoubleCase& c : conformance::bufToDoubleCases()) {
    seeds.push_back(parseSeed(localeNamed(U"en_US"), 0, 0, testing::exactCopy(c.input)));
  }
}

// sanity1's integer and pointer vectors.
void integerFormatSeeds(std::vector<Bytes>& seeds) {
  using In = IntegerFormatInput;
  const auto add = [&](const auto& table, In::Operation op) {
    for (const auto& r : table) {
      const auto capacity = static_cast<std::uint16_t>(r.capacity > 0 ? r.capacity : 100);
      In in{localeNamed(r.locale), op, capacity, r.width, 0,
            static_cast<std::uint32_t>(r.options), 0};
      if constexpr (requires { r.pointer; }) {
        in.value = r.pointer;
      } else {
        in.value = static_cast<std::uint64_t>(r.value);
        in.precision = r.precision;
      }
      seeds.push_back(encodeInput(in));
    }
  };
  add(sanity::intfastFormatTable(), In::kIntfast);
  add(sanity::intmaxFormatTable(), In::kIntmax);
  add(sanity::uintfastFormatTable(), In::kUintfast);
  add(sanity::uintmaxFormatTable(), In::kUintmax);
  add(sanity::pointerFormatTable(), In::kPointer);
}

// sanity1's integer texts, and sanity2's option vectors once each, in fr_FR's
// separators (the suite runs them in every locale).
void integerParseSeeds(std::vector<Bytes>& seeds) {
  const auto add = [&](const auto& table, std::uint8_t parser, bool own_options) {
    for (const auto& r : table) {
      std::uint32_t options = 0;
      if constexpr (requires { r.options; }) options = own_options ? r.options : 0;
      seeds.push_back(parseSeed(localeNamed(r.locale), parser, options,
                                textOf(r.inputbuf, r.input_length)));
    }
  };
  add(sanity::bufferToIntfastTable(), 0, false);
  add(sanity::bufferToIntmaxTable(), 1, false);
  add(sanity::bufferToUintfastTable(), 2, true);
  add(sanity::bufferToUintmaxTable(), 3, true);
  // function code 10 + i -> parser: Intfast, Intmax, Int, Long, Uintfast, Uintmax, UInt, ULong
  constexpr std::uint8_t kParserOfCode[] = {0, 1, 4, 6, 2, 3, 5, 7};
  for (const sanity::LocaleBufferRecord& r : sanity::localeBufferList()) {
    if (r.function < 10 || r.function >= 10 + static_cast<int>(std::size(kParserOfCode))) continue;
    seeds.push_back(parseSeed(localeNamed(U"fr_FR"), kParserOfCode[r.function - 10],
                              static_cast<std::uint32_t>(r.options),
                              textOf(r.input, r.input_length)));
  }
}

// Formats of the suites' journal lines, and one of every conversion and flag.
void journalFormatSeeds(std::vector<Bytes>& seeds) {
  const char32_t* formats[] = {
      U"\n ****************************** en_US TESTS ****************************** \n",
      U"  TEST%.2i: zqnlsLocaleIntfastFormat Status was '%*s' but should have been 'ZQ_OK'\n",
      U"TEST%.2i: %s ( %s option(#%d) - %c%c%c%c%c) status was '%*s' but should have ",
      U"  TEST%.2i: zqnlsLocaleIntfastFormat Value %s does not match expected value of %s\n",
      U"TEST%.2i: zqnlsBuffertoDatetime    C=%.2d     %f\n",
      (U"zqnlsStringToDouble       %c%c%c%c%c    %-12s   %-12i  %-.12i    %-.12i      "
       U"%-.12i        %-30s\n"),
      U"    expected[%2d]= %4x(%c)  fmtbuf[%2d]= %4x(%c)",
      U"%#llX|%lu|%-20.16e|%+05d|% .3g|%#o|%%|%y",
  };
  for (const char32_t* format : formats) {
    seeds.push_back(encodeInput(JournalInput{seeds.size(), 72}, testing::exactCopy(format)));
  }
}

// sanity2's texts, each split in two.
void kstrCompareSeeds(std::vector<Bytes>& seeds) {
  for (const sanity::LocaleBufferRecord& r : sanity::localeBufferList()) {
    seeds.push_back(encodeInput(KstrInput{static_cast<std::uint16_t>(r.input_length / 2)},
                                textOf(r.input, r.input_length)));
  }
}

}  // namespace

std::vector<Bytes> seedInputs(std::string_view target) {
  static constexpr std::pair<std::string_view, void (*)(std::vector<Bytes>&)> kSeeds[] = {
      {"date_format_fuzz", dateFormatSeeds},       {"date_parse_fuzz", dateParseSeeds},
      {"double_format_fuzz", doubleFormatSeeds},   {"double_parse_fuzz", doubleParseSeeds},
      {"integer_format_fuzz", integerFormatSeeds}, {"integer_parse_fuzz", integerParseSeeds},
      {"journal_format_fuzz", journalFormatSeeds}, {"kstr_compare_fuzz", kstrCompareSeeds},
  };
  const auto* entry = std::find_if(std::begin(kSeeds), std::end(kSeeds),
                                   [&](const auto& e) { return e.first == target; });
  std::vector<Bytes> seeds;
  if (entry != std::end(kSeeds)) entry->second(seeds);
  return seeds;
}

}  // namespace zq::fuzz
