// zqvnleSanity2's integer section: every integer parser with the decimal part ignored.
#include <cstdint>

#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_tables.h"

namespace zq::sanity {
namespace {

using suite::checkInt;
using suite::checkStatus;
using suite::journalLine;

// Runs one record in `locale`; `name` is the LocaleInfo locale's name.
void runRecord(const Sanity2Run& run, LocaleHandle* locale, const ZQChar* name,
               const ZQChar* decimal_separator, const LocaleBufferRecord& r, int test) {
  const suite::Harness& f = run.harness;
  ZQChar buffer[kWorkingUnits] = {};
  const std::int64_t length = localisedInput(r, decimal_separator, buffer);

  const ParseFunctionTexts function = parseFunctionTexts(r.function);
  const char32_t* option = cvtOptionName(r.options);
  const std::optional<IntegerParse> parsed =
      parseByCode(locale, r.function, buffer, length, r.options);
  if (!parsed) return;

  // The harness compares 32-bit integers: 64-bit results take part by their low half,
  // while the journal line prints the whole value.
  const std::int64_t expected = expectedOfType(r);
  if (!checkInt(f, static_cast<std::int32_t>(expected), static_cast<std::int32_t>(parsed->value),
                function.check_text)) {
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: %s (%s option - %c%c%c%c%c) returned %i but should have been %i",
                test, function.name, option, name[0], name[1], name[2], name[3], name[4],
                parsed->value, expected);
  }
  if (!checkStatus(f, r.status, parsed->status, U"status")) {
    const auto actual_text = suite::statusText<kSanity2StatusUnits>(f, parsed->status);
    const auto expected_text = suite::statusText<kSanity2StatusUnits>(f, r.status);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: %s ( %s option(#%d) - %c%c%c%c%c) status was '%*s' but should have "
                U"been '%*s'",
                test, function.name, option, r.options, name[0], name[1], name[2], name[3],
                name[4], actual_text.length, actual_text.text, expected_text.length,
                expected_text.text);
  }
  if (!checkInt(f, static_cast<std::int32_t>(r.expected_length),
                static_cast<std::int32_t>(parsed->consumed), U"cnvL")) {
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: %s (%s option - %c%c%c%c%c) ZQChars consumed was %d but should have "
                U"been %d",
                test, function.name, option, name[0], name[1], name[2], name[3], name[4],
                parsed->consumed, r.expected_length);
  }
}

}  // namespace

bool runIgnoreDecimalSection(const Sanity2Run& run) {
  const suite::Harness& f = run.harness;
  suite::noteStep(
      f, U"LOCALEBUFFERTO Intfast, Intmax, Int, Long, UIntfast, UIntmax, UInt, ULong tests");
  for (const LocaleInfoRow& row : LocaleInfo) {
    LocaleHandle* locale = openSectionLocale(run, row.name, row.name_length);
    if (locale == nullptr) return false;
    int test = 0;
    for (const LocaleBufferRecord& record : localeBufferList()) {
      ++test;
      runRecord(run, locale, row.name, row.decimal_separator, record, test);
    }
    closeSectionLocale(run, locale);
  }
  return true;
}

}  // namespace zq::sanity
