// zqvnleSanity1's record skeleton and check idioms, shared by its families.
#pragma once

#include <cstdint>
#include <span>

#include "suites/common/suite.h"
#include "suites/sanity/sanity1_tables.h"

namespace zq::sanity {

// Units of the output buffer every formatting call writes and every parse reads.
constexpr std::int64_t kOutputUnits = 100;
// Units of the buffer that holds a CheckText for the IntFast cross-check.
constexpr std::int64_t kCheckTextUnits = 256;
// Units of each buffer a status is rendered into.
constexpr int kStatusUnits = 200;

// What every family needs: the harness and the NLS service.
struct Sanity1Run {
  const suite::Harness& harness;
  NlsHandle* nls;
};

// The output buffer, zero-filled and one unit longer than the operations are told, so
// its text is always zero-terminated when a journal line prints it with %s.
struct OutputBuffer {
  ZQChar units[kOutputUnits + 1] = {};
};

// What a failed check says: the message reported at severity 3 and the format of the
// level-4 journal line that explains it. Each check names the arguments its line gets;
// a line takes those it has conversions for, in order, and ignores the rest.
struct FailureTexts {
  const char32_t* message;
  const char32_t* detail;
};

// Creates the record's locale handle and checks it ("localehandle"). On failure it
// reports "Failed to get handle for localehandle" and writes the level-4 line
// `create_failed_format` (which takes the test number and the locale name) and
// returns null: the caller skips the record.
LocaleHandle* openRecordLocale(const Sanity1Run& run, const ZQChar* locale,
                               std::int64_t locale_length, const char32_t* create_failed_format,
                               int test);

// Destroys the record's locale handle and checks that the destroy returned ZQ_OK.
void closeRecordLocale(const Sanity1Run& run, LocaleHandle* locale, int test);

// The record loop every family runs: its step, then for each record in test-number
// order (test n is record n, from 1) the record's locale handle, `check(locale, record,
// test)` and the handle's destroy. A record whose handle cannot be created is skipped
// after openRecordLocale's report, and its test number is not reused.
template <class Record, class Check>
void forEachRecord(const Sanity1Run& run, const char32_t* step,
                   const char32_t* create_failed_format, std::span<const Record> table,
                   Check&& check) {
  suite::noteStep(run.harness, step);
  int test = 0;
  for (const Record& record : table) {
    ++test;
    LocaleHandle* locale = openRecordLocale(run, record.locale, record.locale_length,
                                            create_failed_format, test);
    if (locale == nullptr) continue;
    check(locale, record, test);
    closeRecordLocale(run, locale, test);
  }
}

// The status check: CheckStatus(expected, returned, "status"); on mismatch both
// statuses are rendered and the line gets the test number, the returned text and the
// expected text (each as a "%*s" pair). True when the check passed.
bool checkRecordStatus(const Sanity1Run& run, Status expected, Status returned,
                       const FailureTexts& texts, int test,
                       std::int64_t line = __builtin_LINE());

// The count check of a parse: CheckInt(consumed, expected, expression); the line gets
// the test number, the units consumed and the expected count.
void checkConsumed(const Sanity1Run& run, std::int64_t consumed, std::int64_t expected,
                   const char32_t* expression, const FailureTexts& texts, int test,
                   std::int64_t line = __builtin_LINE());

// The capacity a formatting record asks for: a stored capacity that is not positive
// means the whole output buffer, and no capacity reaches past it.
std::int64_t recordCapacity(std::int64_t stored);

// The texts of a formatting family. A family without status texts makes no status
// check. The length line gets the test number, the converted length, the expected
// length and the formats entry in use (1); the buffer line the test number, the
// returned text, the expected text and the record's locale name; the cross-check line
// the test number, the converted length, the parsed integer and the formats entry.
struct FormatFamilyTexts {
  const char32_t* step;
  const char32_t* create_failed;  // test number, locale name
  FailureTexts status;
  FailureTexts length;
  FailureTexts buffer;
  const char32_t* expected_expression;  // names the expected text in the buffer check
  FailureTexts cross;
};

// The IntFast cross-check: parses the CheckText with zqnlsLocaleBufferToIntfast and
// checks that the integer it starts with equals the converted length `cnvL`.
void crossCheckLength(const Sanity1Run& run, LocaleHandle* locale, const CheckText& checktext,
                      std::int64_t cnvL, const FailureTexts& texts, int test);

// The entry of a record's `formats` the families compare, as the double family's lines
// print it.
constexpr int kFormatEntryInUse = 1;

// The checks of a record that expects a text, in order: the converted length `cnvL`
// against the expected length; the first `units` units of `fmtbuf` against the text,
// calling `dump()` after a mismatch's journal line; then the CheckText cross-check.
// `units` is within both buffers.
template <class Dump>
void checkExpectedText(const Sanity1Run& run, LocaleHandle* locale,
                       const FormatFamilyTexts& texts, const ZQChar* locale_name,
                       const FormatEntry& expected, const CheckText& checktext,
                       const OutputBuffer& fmtbuf, std::int64_t cnvL, std::int64_t units,
                       int test, Dump&& dump) {
  const suite::Harness& f = run.harness;
  if (!suite::checkInt(f, suite::checkedInt32(expected.length), suite::checkedInt32(cnvL),
                       U"(int)cnvL")) {
    suite::report(f, texts.length.message, SEVERITY_ERROR);
    suite::journalLine(f, JNL_LEVEL_DETAIL, texts.length.detail, test, cnvL, expected.length,
                       kFormatEntryInUse);
  }
  if (!suite::checkBuffer(f, fmtbuf.units, expected.fmtbuf, units, U"&fmtbuf",
                          texts.expected_expression)) {
    suite::report(f, texts.buffer.message, SEVERITY_ERROR);
    suite::journalLine(f, JNL_LEVEL_DETAIL, texts.buffer.detail, test, fmtbuf.units,
                       expected.fmtbuf, locale_name);
    dump();
  }
  crossCheckLength(run, locale, checktext, cnvL, texts.cross, test);
}

// The families this file set drives, each beginning with its own step.
void runIntfastFormatFamily(const Sanity1Run& run);
void runIntmaxFormatFamily(const Sanity1Run& run);
void runUintfastFormatFamily(const Sanity1Run& run);
void runUintmaxFormatFamily(const Sanity1Run& run);
void runPointerFormatFamily(const Sanity1Run& run);
void runBufferToDoubleFamily(const Sanity1Run& run);
void runBufferToIntfastFamily(const Sanity1Run& run);
void runBufferToIntmaxFamily(const Sanity1Run& run);
void runBufferToUintfastFamily(const Sanity1Run& run);
void runBufferToUintmaxFamily(const Sanity1Run& run);
void runBufferToTimeFamily(const Sanity1Run& run);

}  // namespace zq::sanity
