// zqvnleSanity1 and zqvnleSanity2 driven in-process, on the stand-in host and a scripted one.
// Their whole output under every class of wrong result the stand-in host gives is in the
// golden listings (tests/golden); here are the answers it does not give: locales it cannot
// create or destroy, lengths past 32 bits, values in a word's low half, an invalid value
// for a range error, and values either side of a tolerance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "suite_run.h"

namespace {

using zq::testing::RecordedCheck;
using zq::testing::StandInHost;
using zq::testing::SuiteRun;

TEST(Sanity1Host, AFailedCreateOrDestroyIsReportedUnderItsRecordsNumber) {
  // which creation or destroy fails -> the journal line
  const std::tuple<ZqhostFault, int, const char32_t*> rows[] = {
      {ZQHOST_FAULT_LOCALE_CREATE, 2, U"zqnlsLocaleDateFormat TEST 2: "},
      {ZQHOST_FAULT_LOCALE_CREATE, 25, U"zqnlsLocaleDateFormat TEST 25: "},
      // Family 3 is named by its parser, family 8 spells its operation IntFast.
      {ZQHOST_FAULT_LOCALE_CREATE, 32, U"zqnlsLocaleBufferToDatetime TEST 1: "},
      {ZQHOST_FAULT_LOCALE_CREATE, 109, U"zqnlsLocaleIntFastFormat TEST 1: "},
      {ZQHOST_FAULT_LOCALE_CREATE, 181, U"zqnlsLocaleBufferToTime TEST 3: "},
      {ZQHOST_FAULT_LOCALE_DESTROY, 10, U"zqnlsLocaleDestroy Failed to destroy locale handle "},
  };
  for (const auto& [fault, call, head] : rows) {
    StandInHost host;
    zqhostInjectFault(host.kernel, fault, call);
    SuiteRun run;
    run.entry(zqvnleSanity1, host.kernel);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.recorder.failures(), 1u) << run.explanations();
    const bool create = fault == ZQHOST_FAULT_LOCALE_CREATE;
    EXPECT_TRUE(run.said(create ? U"Failed to get handle for localehandle"
                                : U"zqnlsLocaleDestroy failed"));
    const std::u32string tail = call == 25 ? U"ja_JP" : U"en_US";
    EXPECT_TRUE(run.has(zq::JNL_LEVEL_DETAIL, head + (create ? U"Failed to create handle for "
                                                               U"locale " + tail
                                                             : U"for test 10")))
        << run.explanations();
  }
}

TEST(Sanity1Scripted, FormatLengthsPast32BitsFailAndPrintOnlyTheBuffer) {
  SuiteRun run;
  run.host.script.decimal = false;
  run.host.script.text = std::u32string(150, U'x');  // fills every unit it is given
  // Cut to 32 bits, the length would be the 6 expected, and what the cross-check parses.
  run.host.script.length = (std::int64_t{1} << 32) + 6;
  run.host.script.value = 6;
  run.entry(zqvnleSanity1);
  EXPECT_EQ(run.result, 0);
  const auto has = [&](const std::u32string& text) { return run.has(4, text); };
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat converted length was "
                  U"4294967302 when 6 was expected"));
  // The returned text prints as exactly the 100 units the operation could write.
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat buffer was " +
                  std::u32string(100, U'x') + U" when 000246 expected"));
  EXPECT_TRUE(has(U"zqnlsLocaleBufferToIntfast: Test 1: LocaleIntfastFormat converted length was "
                  U"4294967302 while IntFast was 6"));
}

TEST(Sanity1Scripted, ParseChecksCountTheLowHalfAndPutTheReturnedValueFirst) {
  SuiteRun run;
  run.host.script.value = 0x100000007u;
  run.host.script.used = 3;
  run.entry(zqvnleSanity1);
  const auto intmax1 = run.checksAfter(U"zqnlsLocaleBufferToIntmax testing");
  ASSERT_GE(intmax1.size(), 5u);
  // Handle, status, count and value; returned first, the 64-bit value by its low half.
  EXPECT_EQ(intmax1[2].expression, U"(int)locale_buffer_to_intmax[i].expected_length");
  EXPECT_EQ(std::tie(intmax1[2].expected, intmax1[2].actual), std::make_tuple(3, 20));
  EXPECT_EQ(intmax1[3].expression, U"(int)intmax_bench");
  EXPECT_EQ(std::tie(intmax1[3].expected, intmax1[3].actual), std::make_tuple(7, 0));
  EXPECT_TRUE(run.has(4, U"zqnlsLocaleBufferToIntmax: Test 1: integer returned was 4294967303 "
                         U"when -9223372036854775808 was expected"));
  EXPECT_TRUE(run.has(4, U"zqnlsLocaleBufferToIntMax: Test 1: number of characters read was 3 "
                         U"when 20 was expected"));
}

TEST(Sanity2Host, LocaleThatCannotBeCreatedEndsTheSuiteOrOnlyAGroupingVector) {
  // section step, which locale of it fails, result, the create line of the vector
  const std::tuple<const char32_t*, std::size_t, std::int64_t, const char32_t*> rows[] = {
      {U"LOCALEBUFFERTO Intfast", 3, 1, nullptr},
      {U"SPACEGROUPING", 3, 0, U"SPACEGROUPING TEST03: zqnlsLocaleCreate failed for locale cs_CZ"},
      {U"LOCALEBUFFERTODouble", 2, 1, nullptr},
  };
  for (const auto& [section_step, nth, result, create_line] : rows) {
    // The creation that makes the section's nth locale, counted in a clean run.
    std::size_t creation = nth;
    std::size_t section = 0;
    {
      StandInHost host;
      SuiteRun clean;
      clean.entry(zqvnleSanity2, host.kernel);
      const auto& steps = clean.recorder.steps;
      while (section < steps.size() && !steps[section].starts_with(section_step)) ++section;
      for (const RecordedCheck& c : clean.recorder.checks) {
        if (c.expression == U"currentLocale" && c.steps_before <= section) ++creation;
      }
    }
    StandInHost host;
    zqhostInjectFault(host.kernel, ZQHOST_FAULT_LOCALE_CREATE, static_cast<int>(creation));
    SuiteRun run;
    run.entry(zqvnleSanity2, host.kernel);
    EXPECT_EQ(run.result, result);
    EXPECT_EQ(run.messages(U"Failed to get handle for currentLocale"), 1u);
    EXPECT_EQ(run.recorder.failures(), 1u) << run.explanations();
    // A failure ending the suite is its last check; a grouping vector's is not.
    EXPECT_EQ(run.recorder.checks.back().passed, result == 0);
    EXPECT_EQ(run.recorder.steps.size(), result == 0 ? 6u : section + 1);
    if (create_line != nullptr) {
      EXPECT_TRUE(run.has(4, create_line));
    }
  }
}

TEST(Sanity2Scripted, IntegerSectionCountsWideValuesByTheirLowHalf) {
  SuiteRun run;
  run.host.script.value = 0x10000007Bu;  // 123 in its low 32 bits
  run.host.script.used = 6;
  run.entry(zqvnleSanity2);
  EXPECT_EQ(run.result, 0);
  // Value checks fail only for the -123 vectors: two per signed parser and locale.
  const auto value_failures = std::count_if(
      run.recorder.checks.begin(), run.recorder.checks.end(), [](const RecordedCheck& c) {
        return c.steps_before == 4 && c.kind == "int" && c.expression != U"cnvL" && !c.passed;
      });
  EXPECT_EQ(value_failures, 18 * 8);
  EXPECT_TRUE(run.has(4, U"TEST08: LocaleBufferToIntmax (LOCALE_CVT_IGNORE_DECIMAL option - "
                         U"cs_CZ) returned 4294967419 but should have been -123"));
}

// The host reports an out-of-range double as such; a host may report it as an invalid
// value instead, which then counts as the range status expected, and only as that.
TEST(Sanity2Scripted, AnInvalidValueStandsForAnExpectedOverflowOrUnderflowOnly) {
  SuiteRun run;
  run.host.script.parse_status = zq::ZQ_NLS_INVALID_VALUE;
  run.host.script.real = [](const auto&) { return std::numeric_limits<double>::quiet_NaN(); };
  run.entry(zqvnleSanity2);
  const std::u32string d = U"zqnlsLocaleBufferToDoubleWithOpts (fr_FR) ";
  EXPECT_EQ(run.journal.countStartingWith(U"TEST69: " + d + U"status"), 0u);  // an overflow
  EXPECT_TRUE(run.has(4, U"TEST71: " + d + U"status was 'ZQ_NLS_INVALID_VALUE (0x803FE80D)' "
                                           U"but should have been 'ZQ_OK (0x00000000)'"));
}

TEST(Sanity2Scripted, GroupedDoublesPassWithinAThousandthAndAMissingValueWithOk) {
  SuiteRun run;
  run.host.script.used = 7;
  run.host.script.real = [](const zq::testing::ScriptedCall& call) {
    if (call.text.empty()) return std::numeric_limits<double>::quiet_NaN();
    return call.locale == U"cs_CZ" ? 123456.0015 : 123456.0009;
  };
  run.entry(zqvnleSanity2);
  EXPECT_TRUE(run.has(4, U"TEST60: zqnlsLocaleBufferToDoubleWithOpts (cs_CZ) returned "
                         U"123456.001500 but should have been 123456.000000"));
  for (const std::u32string test : {U"TEST61", U"TEST73"}) {
    EXPECT_EQ(run.journal.countStartingWith(
                  test + U": zqnlsLocaleBufferToDoubleWithOpts (fr_FR) returned"),
              0u);
  }
}

}  // namespace
