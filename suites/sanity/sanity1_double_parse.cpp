// zqvnleSanity1's buffer-to-double family: parse a text, check status, count and value.
#include <algorithm>
#include <cstdint>

#include "suites/sanity/sanity1_double_parse_table.h"
#include "suites/sanity/sanity1_family.h"

namespace zq::sanity {

void runBufferToDoubleFamily(const Sanity1Run& run) {
  const suite::Frame& f = run.frame;
  suite::noteStep(f, U"zqnlsLocaleBufferToDouble testing");
  int test = 0;
  for (const BufferToDoubleRecord& record : bufferToDoubleTable()) {
    ++test;
    LocaleHandle* locale = openRecordLocale(
        run, record.locale, record.locale_length,
        U"zqnlsLocaleBufferToDouble TEST %d: Failed to create handle for locale %s", test);
    if (locale == nullptr) continue;

    // Only the first input_length units are passed; the rest of the buffer is zero.
    ZQChar buffer[kOutputUnits] = {};
    const std::int64_t length = suite::clampUnits(record.input_length, kEntryUnits);
    std::copy_n(record.inputbuf, length, buffer);
    double value = 0.0;
    std::int64_t consumed = 0;
    const Status status = suite::parseDouble(locale, buffer, length, &value, &consumed);

    checkRecordStatus(
        run, record.status, status, U"zqnlsLocaleBufferToDouble did not return expected status",
        U"zqnlsLocaleBufferToDouble: Test %d: status was '%*s' but should have been '%*s'",
        test);
    if (!suite::checkInt(f, suite::checkedInt32(consumed),
                         suite::checkedInt32(record.expected_length),
                         U"(int)locale_buffer_to_double[i].expected_length")) {
      suite::report(f, U"zqnlsLocaleBufferToDouble: incorrect number of characters read",
                    SEVERITY_ERROR);
      suite::journalLine(f, JNL_LEVEL_DETAIL,
                         U"zqnlsLocaleBufferToDouble: Test %d: number of characters read was %d "
                         U"when %d was expected",
                         test, consumed, record.expected_length);
    }
    // Compared exactly, so a NaN (a missing value) never passes; the harness only
    // records the failure, the journal line says what differed.
    if (value != record.expected_value) {
      suite::checkInt(f, 1, 0, U"0");
      suite::report(f, U"zqnlsLocaleBufferToDouble: incorrect value returned", SEVERITY_ERROR);
      suite::journalLine(
          f, JNL_LEVEL_DETAIL,
          U"zqnlsLocaleBufferToDouble: Test %d: double returned was %f when %f was expected", test,
          value, record.expected_value);
    }

    closeRecordLocale(run, locale, test);
  }
}

}  // namespace zq::sanity
