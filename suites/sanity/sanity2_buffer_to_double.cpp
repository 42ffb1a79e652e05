// zqvnleSanity2's buffer-to-double section: two vectors in every LocaleInfo locale.
#include <cstdint>
#include <span>

#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_tables.h"

namespace zq::sanity {
namespace {

using suite::journalLine;

// Runs one vector in `locale`; `name` is the LocaleInfo locale's name.
void runRecord(const Sanity2Run& run, LocaleHandle* locale, const ZQChar* name,
               const ZQChar* decimal_separator, const LocaleBufferToDoubleRecord& r, int test,
               int count) {
  const suite::Harness& f = run.harness;
  ZQChar buffer[kWorkingUnits] = {};
  const std::int64_t length = localisedInput(r, decimal_separator, buffer);

  double value = 0.0;
  std::int64_t consumed = 0;
  const Status status = suite::parseDouble(locale, buffer, length, &value, &consumed);

  if (!suite::checkStatus(f, r.status, status, U"status")) {
    const auto actual_text = suite::statusText<kSanity2StatusUnits>(f, status);
    const auto expected_text = suite::statusText<kSanity2StatusUnits>(f, r.status);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: zqnlsLocaleBufferToDouble (%c%c%c%c%c) status was '%*s' but should "
                U"have been '%*s'",
                test, name[0], name[1], name[2], name[3], name[4], actual_text.length,
                actual_text.text, expected_text.length, expected_text.text);
  }
  if (!suite::checkInt(f, suite::checkedInt32(static_cast<std::int64_t>(r.expected_length)),
                       suite::checkedInt32(consumed), U"cnvL")) {
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: zqnlsLocaleBufferToDouble (%c%c%c%c%c) ZQChars consumed was %d but "
                U"should have been %d",
                test, name[0], name[1], name[2], name[3], name[4], consumed, r.expected_length);
  }
  // Exact, whatever the status: a NaN never equals. A pass makes no check call; a
  // failure is recorded by a check that always fails.
  if (value != r.expected_value) {
    suite::checkInt(f, 0, 1, U"1");
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i of %.2i: zqnlsLocaleBufferToDouble (%c%c%c%c%c) returned value was "
                U"%-20.16e but should have been %-20.16e",
                test, count, name[0], name[1], name[2], name[3], name[4], value,
                r.expected_value);
  }
}

}  // namespace

bool runBufferToDoubleSection(const Sanity2Run& run) {
  suite::noteStep(run.harness, U"LOCALEBUFFERTODouble tests");
  const std::span<const LocaleBufferToDoubleRecord> list = localeBufferToDoubleList();
  const auto count = static_cast<int>(list.size());
  for (const LocaleInfoRow& row : LocaleInfo) {
    LocaleHandle* locale = openSectionLocale(run, row.name, row.name_length);
    if (locale == nullptr) return false;
    int test = 0;
    for (const LocaleBufferToDoubleRecord& record : list) {
      runRecord(run, locale, row.name, row.decimal_separator, record, ++test, count);
    }
    closeSectionLocale(run, locale);
  }
  return true;
}

}  // namespace zq::sanity
