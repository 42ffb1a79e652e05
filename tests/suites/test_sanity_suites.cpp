// zqvnleSanity1 and zqvnleSanity2 driven in-process, on the stand-in host and a scripted one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "suite_run.h"

namespace {

using zq::testing::Op;
using zq::testing::RecordedCheck;
using zq::testing::StandInHost;
using zq::testing::SuiteRun;

constexpr std::size_t kSanity2Vectors = 44;

// The checks of each sanity1 record, split where a record's locale-handle check begins.
std::vector<std::vector<RecordedCheck>> records(const SuiteRun& run) {
  std::vector<std::vector<RecordedCheck>> out;
  for (const RecordedCheck& c : run.recorder.checks) {
    if (c.kind == "handle" && c.expression == U"localehandle") out.emplace_back();
    if (!out.empty()) out.back().push_back(c);
  }
  return out;
}

// That every check passes on the stand-in host is the fault walk's clean runs and the
// end-to-end run; here the steps, the banner and the journal of a clean run.
TEST(SanityHost, EveryCheckPassesInStepOrderAfterOneBanner) {
  const struct {
    zq::SuiteEntryFn entry;
    const char32_t* name;
    const char32_t* source;
    std::vector<std::u32string> steps;  // after the kernel and NLS steps
    int flushes;
  } kSuites[] = {
      {zqvnleSanity1, U"zqvnleSanity1", U"zqtest/src/zqvnle2",
       {U"zqnlsLocaleDateFormat testing", U"zqnlsLocaleTimeFormat testing",
        U"zqnlsLocaleBufferToDatetime and zqnlsLocaleDatetimeFormat testing",
        U"zqnlsLocalePercentFormat testing", U"zqnlsLocaleCurrencyFormat testing",
        U"zqnlsLocaleDoubleFormat testing", U"zqnlsLocaleDoubleFormatWithExOpts testing",
        U"zqnlsLocaleIntFastFormat testing", U"zqnlsLocaleIntmaxFormat testing",
        U"zqnlsLocaleUintfastFormat testing", U"zqnlsLocaleUintmaxFormat testing",
        U"zqnlsLocalePointerFormat testing", U"zqnlsLocaleBufferToDouble testing",
        U"zqnlsLocaleBufferToIntfast testing", U"zqnlsLocaleBufferToIntmax testing",
        U"zqnlsLocaleBufferToUintfast testing", U"zqnlsLocaleBufferToUintmax testing",
        U"zqnlsLocaleBufferToTime testing"},
       1},
      {zqvnleSanity2, U"zqvnleSanity2", U"zqtest/src/zqvnle3",
       {U"TODATE, TOTIME, TODATETIME tests",
        U"LOCALEBUFFERTO Intfast, Intmax, Int, Long, UIntfast, UIntmax, UInt, ULong tests",
        U"SPACEGROUPING option tests for LOCALEBUFFERTO Intfast, Intmax, Int, Long, UIntfast, "
        U"UIntmax, UInt, ULong",
        U"LOCALEBUFFERTODouble tests"},
       0},
  };
  for (const auto& suite : kSuites) {
    StandInHost host;
    SuiteRun run;
    run.entry(suite.entry, host.kernel);
    const std::u32string name = suite.name;
    std::vector<std::u32string> steps = {U"zqGetHandle: get the main ZQ handle",
                                         U"zqExtensionLoad:Get the zq NLS handle"};
    steps.insert(steps.end(), suite.steps.begin(), suite.steps.end());
    EXPECT_EQ(run.recorder.steps, steps);
    EXPECT_EQ(run.recorder.messages.at(0).text,
              U"**************Beginning " + name + U" testing*************");
    ASSERT_EQ(run.journal.lines.size(), 1u);
    EXPECT_EQ(run.journal.lines[0].text, U"\n***Beginning " + name + U" testing***\n");
    EXPECT_EQ(run.journal.flushes, suite.flushes);
    EXPECT_EQ(run.recorder.checks.at(0).file, suite.source);
    EXPECT_EQ(run.recorder.begun.empty(), suite.entry == zqvnleSanity2);  // no BeginTest there
  }
}

TEST(Sanity1Scripted, ARecordWhoseLocaleFailsIsSkippedUnderItsOwnNumber) {
  SuiteRun run;
  run.host.script.locales_left = 1;  // only the first record gets its locale
  run.entry(zqvnleSanity1);
  const auto all = records(run);
  ASSERT_GT(all.size(), 100u);
  for (std::size_t i = 1; i < all.size(); ++i) EXPECT_EQ(all[i].size(), 1u) << i;
  EXPECT_EQ(run.messages(U"Failed to get handle for localehandle"), all.size() - 1);
  // Test numbers go on past a skipped record and start again in every family.
  const std::pair<const char32_t*, const char32_t*> kSkipped[] = {
      {U"zqnlsLocaleDateFormat TEST 2", U"en_US"},
      {U"zqnlsLocaleDateFormat TEST 25", U"ja_JP"},
      {U"zqnlsLocaleBufferToTime TEST 3", U"en_US"}};
  for (const auto& [head, locale] : kSkipped) {
    const std::u32string line = head + std::u32string(U": Failed to create handle for locale ");
    EXPECT_TRUE(run.has(4, line + locale)) << run.explanations();
  }
}

TEST(Sanity1Scripted, FailedDestroyIsReportedPerRecordAndTheRunGoesOn) {
  SuiteRun run;
  run.host.script.destroy_status = zq::ZQ_NLS_INVALID_VALUE;
  run.entry(zqvnleSanity1);
  const std::size_t count = records(run).size();
  EXPECT_EQ(run.messages(U"zqnlsLocaleDestroy failed"), count);
  const std::u32string line = U"zqnlsLocaleDestroy Failed to destroy locale handle for test ";
  EXPECT_EQ(run.journal.countStartingWith(line), count);
  EXPECT_TRUE(run.has(zq::JNL_LEVEL_DETAIL, line + U"10"));
}

TEST(Sanity1Scripted, FormatMismatchesAreExplainedWithinTheBuffer) {
  SuiteRun run;
  run.host.script.decimal = false;
  run.host.script.format_status = zq::ZQ_NLS_BAD_NUM;
  run.host.script.text = std::u32string(150, U'x');  // fills every unit it is given
  run.host.script.length = std::int64_t{1} << 40;
  run.host.script.value = 99;
  run.entry(zqvnleSanity1);
  EXPECT_EQ(run.result, 0);
  const auto has = [&](const std::u32string& text) { return run.has(4, text); };
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat TEST 10: status was 'ZQ_NLS_BAD_NUM (0x803FE810)' "
                  U"but should have been 'ZQ_NLS_FMT_TRUNCATE (0x803FE80E)'"));
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat converted length was "
                  U"1099511627776 when 6 was expected"));
  // The returned text prints as exactly the 100 units the operation could write.
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat buffer was " +
                  std::u32string(100, U'x') + U" when 000246 expected"));
  EXPECT_TRUE(has(U"zqnlsLocaleBufferToIntfast: Test 1: LocaleIntfastFormat converted length was "
                  U"1099511627776 while IntFast was 99"));
  // The unsigned and pointer families make no status check; the pointer family's six
  // rows each fail their length and their cross-check.
  EXPECT_EQ(run.messages(U"zqnlsLocaleIntfastFormat: incorrect status returned"), 10u);
  EXPECT_EQ(run.messages(U"incorrect converted length for pointer format"), 12u);
  EXPECT_EQ(run.journal.countStartingWith(U"zqnlsLocaleUintfastFormat TEST"), 0u);
  EXPECT_EQ(run.journal.countStartingWith(U"zqnlsLocalePointerFormat TEST"), 0u);
  // The one flush (SanityHost) comes after the last line.
  EXPECT_EQ(run.journal.lines_at_first_flush, run.journal.lines.size());
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

TEST(Sanity1Scripted, DoubleAndTimeParsesPassTheInputLengthAndCompareValuesExactly) {
  SuiteRun run;
  run.host.script.parse_status = zq::ZQ_NLS_BAD_NUM;
  run.host.script.used = 3;
  run.host.script.real = [](const auto&) { return 1.5; };
  run.entry(zqvnleSanity1);
  EXPECT_TRUE(std::any_of(run.host.calls.begin(), run.host.calls.end(),
                          [](const auto& call) { return call.text == U"  -2.5e-3"; }));
  const std::u32string head = U"zqnlsLocaleBufferToDouble: Test ";
  EXPECT_TRUE(run.has(4, head + U"1: status was 'ZQ_NLS_BAD_NUM (0x803FE810)' but should "
                                U"have been 'ZQ_OK (0x00000000)'"));
  EXPECT_TRUE(run.has(4, head + U"2: number of characters read was 3 when 9 was expected"));
  EXPECT_TRUE(run.has(4, head + U"3: double returned was 1.500000 when -1234.567800 was "
                                U"expected"));
  EXPECT_EQ(run.messages(U"zqnlsLocaleBufferToDouble: incorrect value returned"), 4u);
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

TEST(Sanity2Scripted, IntegerSectionLocalisesInputsAndCountsWideValuesByTheirLowHalf) {
  SuiteRun run;
  run.host.script.value = 0x10000007Bu;  // 123 in its low 32 bits
  run.host.script.used = 6;
  run.entry(zqvnleSanity2);
  EXPECT_EQ(run.result, 0);
  // The date/time section's calls go to unscripted words; the integer section's follow.
  auto& calls = run.host.calls;
  std::erase_if(calls, [](const auto& call) { return call.op == Op::Unscripted; });
  ASSERT_GE(calls.size(), 18 * kSanity2Vectors);
  for (std::size_t i = 0; i < 18 * kSanity2Vectors; ++i) EXPECT_EQ(calls[i].options, 0x2000);
  EXPECT_EQ(calls[6].op, Op::BufferToIntmax);
  EXPECT_EQ(calls[43].op, Op::BufferToULong);
  // locale row, test number -> the locale and the units the parser was given
  const std::tuple<std::size_t, std::size_t, const char32_t*, const char32_t*> rows[] = {
      {0, 6, U"cs_CZ", U"123"},   {1, 20, U"de_DE", U"-123,00"}, {2, 3, U"en_US", U"123.01"},
      {0, 44, U"cs_CZ", U"123,"}, {17, 44, U"zh_TW", U"123."},
  };
  for (const auto& [locale_row, test, locale, text] : rows) {
    const auto& call = calls[locale_row * kSanity2Vectors + test - 1];
    EXPECT_EQ(std::tie(call.locale, call.text), std::make_tuple(locale, text)) << test;
  }
  // Value checks fail only for the -123 vectors: two per signed parser and locale.
  const auto value_failures = std::count_if(
      run.recorder.checks.begin(), run.recorder.checks.end(), [](const RecordedCheck& c) {
        return c.steps_before == 4 && c.kind == "int" && c.expression != U"cnvL" && !c.passed;
      });
  EXPECT_EQ(value_failures, 18 * 8);
  const auto has = [&](const std::u32string& text) { return run.has(4, text); };
  EXPECT_TRUE(has(U"TEST08: LocaleBufferToIntmax (LOCALE_CVT_IGNORE_DECIMAL option - cs_CZ) "
                  U"returned 4294967419 but should have been -123"));
  EXPECT_TRUE(has(U"TEST03: LocaleBufferToIntfast ( LOCALE_CVT_IGNORE_DECIMAL option(#8192) - "
                  U"en_US) status was 'ZQ_OK (0x00000000)' but should have been "
                  U"'ZQ_NLS_FMT_TRUNCATE (0x803FE80E)'"));
  EXPECT_TRUE(has(U"TEST26: LocaleBufferToUintfast (LOCALE_CVT_IGNORE_DECIMAL option - zh_TW) "
                  U"ZQChars consumed was 6 but should have been 7"));
  EXPECT_EQ(run.recorder.messages.size(), 1u);  // the banner: mismatches go to the journal
}

// The space-grouping calls follow the integer section's 18 x 44; the buffer-to-double
// calls follow its 73.
constexpr std::size_t kGroupingCalls = 18 * kSanity2Vectors;
constexpr std::size_t kDoubleCalls = kGroupingCalls + 73;

TEST(Sanity2Scripted, NumberSectionsPassTheirInputsAndJournalEachMismatch) {
  SuiteRun run;
  run.host.script.value = 123456;
  run.host.script.used = 7;
  run.host.script.parse_status = zq::ZQ_NLS_INVALID_VALUE;
  run.host.script.real = [](const auto&) { return 2.5; };
  run.host.script.destroy_status = zq::ZQ_NLS_BAD_NUM;
  run.entry(zqvnleSanity2);
  auto& calls = run.host.calls;
  std::erase_if(calls, [](const auto& call) { return call.op == Op::Unscripted; });
  ASSERT_EQ(calls.size(), kDoubleCalls + 18 * 2);
  // test, locale, options, the units passed
  const std::tuple<std::size_t, const char32_t*, std::int32_t, std::u32string> grouped[] = {
      {7, U"cs_CZ", 0x4000, std::u32string(U"123,456\0", 8)},
      {72, U"fr_FR", 0x12D687, U"123\u00A0456"},
  };
  for (const auto& [test, locale, options, text] : grouped) {
    const auto& call = calls[kGroupingCalls + test - 1];
    EXPECT_EQ(std::tie(call.locale, call.options, call.text), std::tie(locale, options, text));
  }
  // LocaleInfo rows 0 (cs_CZ) and 5 (fr_FR): the decimal point localised.
  EXPECT_EQ(calls[kDoubleCalls].text, U"    23737,88912295464");
  EXPECT_EQ(calls[kDoubleCalls + 11].text, U"1,2e-8");

  const std::u32string d = U"zqnlsLocaleBufferToDoubleWithOpts (fr_FR) ";
  const auto has = [&](const std::u32string& text) { return run.has(4, text); };
  EXPECT_TRUE(has(U"TEST05: LocaleBufferToInt (cs_CZ) returned 123456 but should have been 0"));
  EXPECT_TRUE(has(U"TEST69: " + d + U"returned 0x4004000000000000 but should have been "
                                    U"ZQMACMISSING"));
  EXPECT_TRUE(has(U"TEST69: " + d + U"ZQChars consumed was 7 but should have been 6"));
  // An invalid value stands for an expected overflow or underflow, and for nothing else.
  EXPECT_EQ(run.journal.countStartingWith(U"TEST69: " + d + U"status"), 0u);
  EXPECT_TRUE(has(U"TEST71: " + d + U"status was 'ZQ_NLS_INVALID_VALUE (0x803FE80D)' "
                                    U"but should have been 'ZQ_OK (0x00000000)'"));
  EXPECT_TRUE(has(U"TEST01: zqnlsLocaleBufferToDouble (de_DE) status was "
                  U"'ZQ_NLS_INVALID_VALUE (0x803FE80D)' but should have been 'ZQ_OK "
                  U"(0x00000000)'"));
  EXPECT_TRUE(has(U"TEST02 of 02: zqnlsLocaleBufferToDouble (fr_FR) returned value was "
                  U"2.5000000000000000e+00 but should have been 1.2000000000000000e-08"));
  // Every grouping vector has its own locale, and its own line when the destroy fails.
  EXPECT_EQ(run.journal.countStartingWith(U"SPACEGROUPING TEST"), 73u);
  EXPECT_TRUE(has(U"SPACEGROUPING TEST73: zqnlsLocaleDestroy failed"));
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
