// zqvnleSanity1's record skeleton and check idioms, shared by its families.
#pragma once

#include <cstdint>

#include "suites/common/suite.h"
#include "suites/sanity/sanity1_tables.h"

namespace zq::sanity {

// Units of the output buffer every formatting call writes and every parse reads.
constexpr std::int64_t kOutputUnits = 100;
// Units of the buffer that holds a CheckText for the IntFast cross-check.
constexpr std::int64_t kCheckTextUnits = 256;
// Units of each buffer a status is rendered into.
constexpr int kStatusUnits = 200;

// What every family needs: the harness frame and the NLS service.
struct Sanity1Run {
  const suite::Frame& frame;
  NlsHandle* nls;
};

// The output buffer, one unit longer than the operations are told, so its text is
// always zero-terminated when a journal line prints it with %s.
struct OutputBuffer {
  ZQChar units[kOutputUnits + 1];
  void clear();
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

// The status check: CheckStatus(expected, returned, "status"); on mismatch both
// statuses are rendered (returned first) and `message` and `detail_format` (test
// number, returned text, expected text) are written. True when the check passed.
bool checkRecordStatus(const Sanity1Run& run, Status expected, Status returned,
                       const char32_t* message, const char32_t* detail_format, int test,
                       std::int64_t line = __builtin_LINE());

// The capacity a formatting record asks for: a stored capacity that is not positive
// means the whole output buffer, and no capacity reaches past it.
std::int64_t recordCapacity(std::int64_t stored);

// The IntFast cross-check: parses the CheckText with zqnlsLocaleBufferToIntfast and
// checks that the integer it starts with equals the converted length `cnvL`.
struct CrossCheckTexts {
  const char32_t* message;
  const char32_t* detail_format;  // test number, converted length, parsed integer[, 1]
};
void crossCheckLength(const Sanity1Run& run, LocaleHandle* locale, const CheckText& checktext,
                      std::int64_t cnvL, const CrossCheckTexts& texts, int test);

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

}  // namespace zq::sanity
