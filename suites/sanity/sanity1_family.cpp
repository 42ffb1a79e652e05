// zqvnleSanity1's record skeleton: locale handle per record, status and cross-checks.
#include "suites/sanity/sanity1_family.h"

#include <algorithm>

namespace zq::sanity {

using suite::checkHandle;
using suite::checkInt;
using suite::checkStatus;
using suite::clampUnits;
using suite::journalLine;
using suite::report;

LocaleHandle* openRecordLocale(const Sanity1Run& run, const ZQChar* locale,
                               std::int64_t locale_length, const char32_t* create_failed_format,
                               int test) {
  LocaleHandle* handle = suite::createLocale(run.nls, locale, locale_length);
  if (checkHandle(run.harness, handle, U"localehandle")) return handle;
  report(run.harness, U"Failed to get handle for localehandle", SEVERITY_ERROR);
  journalLine(run.harness, JNL_LEVEL_DETAIL, create_failed_format, test, locale);
  return nullptr;
}

void closeRecordLocale(const Sanity1Run& run, LocaleHandle* locale, int test) {
  const Status status = suite::destroyLocale(locale);
  if (checkStatus(run.harness, ZQ_OK, status, U"status")) return;
  report(run.harness, U"zqnlsLocaleDestroy failed", SEVERITY_ERROR);
  journalLine(run.harness, JNL_LEVEL_DETAIL,
              U"zqnlsLocaleDestroy Failed to destroy locale handle for test %i", test);
}

bool checkRecordStatus(const Sanity1Run& run, Status expected, Status returned,
                       const FailureTexts& texts, int test, std::int64_t line) {
  if (checkStatus(run.harness, expected, returned, U"status", line)) return true;
  const auto returned_text = suite::statusText<kStatusUnits>(run.harness, returned);
  const auto expected_text = suite::statusText<kStatusUnits>(run.harness, expected);
  report(run.harness, texts.message, SEVERITY_ERROR);
  journalLine(run.harness, JNL_LEVEL_DETAIL, texts.detail, test, returned_text.length,
              returned_text.text, expected_text.length, expected_text.text);
  return false;
}

void checkConsumed(const Sanity1Run& run, std::int64_t consumed, std::int64_t expected,
                   const char32_t* expression, const FailureTexts& texts, int test,
                   std::int64_t line) {
  if (checkInt(run.harness, suite::checkedInt32(consumed), suite::checkedInt32(expected),
               expression, line)) {
    return;
  }
  report(run.harness, texts.message, SEVERITY_ERROR);
  journalLine(run.harness, JNL_LEVEL_DETAIL, texts.detail, test, consumed, expected);
}

std::int64_t recordCapacity(std::int64_t stored) {
  if (stored <= 0) return kOutputUnits;
  return std::min(stored, kOutputUnits);
}

void crossCheckLength(const Sanity1Run& run, LocaleHandle* locale, const CheckText& checktext,
                      std::int64_t cnvL, const FailureTexts& texts, int test) {
  // The copy stays within both the record's text field and the local buffer.
  ZQChar buffer[kCheckTextUnits] = {};
  const std::int64_t length = clampUnits(checktext.length, kEntryUnits);
  std::copy_n(checktext.fmtbuf, length, buffer);
  std::int32_t intfast = 0;
  std::int64_t consumed = 0;
  // Only the parsed integer matters here; the parse's status and count are not checked.
  locale->zqnlsLocaleBufferToIntfast(locale, buffer, length, 0, &intfast, &consumed);
  if (checkInt(run.harness, intfast, suite::checkedInt32(cnvL), U"(int)cnvL")) return;
  report(run.harness, texts.message, SEVERITY_ERROR);
  // The double family's line ends "for format type of %d"; the others have no fourth
  // conversion and ignore it.
  journalLine(run.harness, JNL_LEVEL_DETAIL, texts.detail, test, cnvL, intfast,
              kFormatEntryInUse);
}

}  // namespace zq::sanity
