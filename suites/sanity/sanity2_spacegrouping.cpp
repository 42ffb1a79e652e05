// zqvnleSanity2's space-grouping section: every parser on grouped digits, in its own locale.
#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_tables.h"

namespace zq::sanity {
namespace {

using suite::journalLine;

// What the status and count checks compare once the value has been checked.
struct Outcome {
  Status status;
  std::int64_t consumed;
};

// The integer value check of codes 10-17: 32-bit, so a 64-bit result takes part
// by its low half, while the line prints the whole value.
Outcome checkIntegerParse(const Sanity2Run& run, LocaleHandle* locale,
                          const SpaceGroupingRecord& r, const ZQChar* text,
                          std::int64_t length, const ParseFunctionTexts& function, int test) {
  const std::optional<IntegerParse> parsed =
      parseByCode(locale, r.function, text, length, r.options);
  assert(parsed);
  const std::int64_t expected = expectedOfType(r);
  if (!suite::checkInt(run.harness, static_cast<std::int32_t>(expected),
                       static_cast<std::int32_t>(parsed->value), function.check_text)) {
    const ZQChar* name = r.locale;
    journalLine(run.harness, JNL_LEVEL_DETAIL,
                U"TEST%.2i: %s (%c%c%c%c%c) returned %i but should have been %i", test,
                function.name, name[0], name[1], name[2], name[3], name[4], parsed->value,
                expected);
  }
  return {parsed->status, parsed->consumed};
}

// The double value check of code 18. A failure is recorded by a check that
// always fails; the line says what differed.
Outcome checkDoubleParse(const Sanity2Run& run, LocaleHandle* locale,
                         const SpaceGroupingRecord& r, const ZQChar* text, std::int64_t length,
                         const ParseFunctionTexts& function, int test) {
  const suite::Harness& f = run.harness;
  const ZQChar* name = r.locale;
  double value = 0.0;
  std::int64_t consumed = 0;
  Status status = suite::parseDoubleWithOpts(locale, text, length,
                                             static_cast<std::uint32_t>(r.options), &value,
                                             &consumed);
  // An out-of-range result may be reported as an invalid value instead; it then counts
  // as the range status expected, for the status check too.
  if (status == ZQ_NLS_INVALID_VALUE &&
      (r.status == ZQ_NLS_OVERFLOW || r.status == ZQ_NLS_UNDERFLOW)) {
    status = r.status;
  }
  if (status != ZQ_OK) {
    // Any failure must leave a missing value (a NaN).
    if (!std::isnan(value)) {
      suite::checkInt(f, 0, 1, U"1");
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"TEST%.2i: %s (%c%c%c%c%c) returned 0x%2x but should have been ZQMACMISSING",
                  test, function.name, name[0], name[1], name[2], name[3], name[4],
                  std::bit_cast<std::uint64_t>(value));
    }
    return {status, consumed};
  }
  // A missing value with ZQ_OK (an empty input) is not checked; a number passes within
  // 0.001 of the expected one.
  const double difference = r.expected_double - value;
  if (!std::isnan(value) && !(difference >= -0.001 && difference <= 0.001)) {
    suite::checkInt(f, 0, 1, U"1");
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: %s (%c%c%c%c%c) returned %-f but should have been %-f", test,
                function.name, name[0], name[1], name[2], name[3], name[4], value,
                r.expected_double);
  }
  return {status, consumed};
}

void runRecord(const Sanity2Run& run, const SpaceGroupingRecord& r, int test) {
  const suite::Harness& f = run.harness;
  const ZQChar* name = r.locale;
  LocaleHandle* locale =
      openSectionLocale(run, r.locale, static_cast<std::int64_t>(r.locale_length));
  if (locale == nullptr) {
    journalLine(f, JNL_LEVEL_DETAIL,
                U"SPACEGROUPING TEST%.2i: zqnlsLocaleCreate failed for locale %c%c%c%c%c", test,
                name[0], name[1], name[2], name[3], name[4]);
    return;
  }

  // Copied as it is: the separators are the test's subject, not localised.
  ZQChar buffer[kWorkingUnits] = {};
  const auto length = static_cast<std::int64_t>(std::min<std::uint64_t>(
      r.input_length, static_cast<std::uint64_t>(kWorkingUnits)));
  std::copy_n(r.input, length, buffer);

  const ParseFunctionTexts function = parseFunctionTexts(r.function);
  if (function.name != nullptr) {
    const Outcome outcome =
        r.function == static_cast<std::int32_t>(ParseFunction::DoubleWithOpts)
            ? checkDoubleParse(run, locale, r, buffer, length, function, test)
            : checkIntegerParse(run, locale, r, buffer, length, function, test);
    if (!suite::checkStatus(f, r.status, outcome.status, U"status")) {
      const auto actual_text = suite::statusText<kSanity2StatusUnits>(f, outcome.status);
      const auto expected_text = suite::statusText<kSanity2StatusUnits>(f, r.status);
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"TEST%.2i: %s (%c%c%c%c%c) status was '%*s' but should have been '%*s'",
                  test, function.name, name[0], name[1], name[2], name[3], name[4],
                  actual_text.length, actual_text.text, expected_text.length,
                  expected_text.text);
    }
    if (!suite::checkInt(f, suite::checkedInt32(static_cast<std::int64_t>(r.expected_length)),
                         suite::checkedInt32(outcome.consumed), U"cnvL")) {
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"TEST%.2i: %s (%c%c%c%c%c) ZQChars consumed was %d but should have been %d",
                  test, function.name, name[0], name[1], name[2], name[3], name[4],
                  outcome.consumed, r.expected_length);
    }
  }

  if (!closeSectionLocale(run, locale)) {
    journalLine(f, JNL_LEVEL_DETAIL, U"SPACEGROUPING TEST%.2i: zqnlsLocaleDestroy failed", test);
  }
}

}  // namespace

void runSpaceGroupingSection(const Sanity2Run& run) {
  suite::noteStep(run.harness,
                  U"SPACEGROUPING option tests for LOCALEBUFFERTO Intfast, Intmax, Int, Long, "
                  U"UIntfast, UIntmax, UInt, ULong");
  int test = 0;
  for (const SpaceGroupingRecord& record : spaceGroupingList()) runRecord(run, record, ++test);
}

}  // namespace zq::sanity
