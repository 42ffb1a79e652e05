// zqvnleSanity1 and zqvnleSanity2 driven in-process, on the stand-in host and a scripted one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "host/nls/service.h"
#include "recording_services.h"
#include "scripted_host.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::Op;
using zq::testing::RecordedCheck;
using zq::testing::Recorder;
using zq::testing::RecordingJournal;
using zq::testing::ScriptedHost;

constexpr std::size_t kSanity2Vectors = 44;

std::string narrow(const std::u32string& s) {
  std::string out;
  for (char32_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// One suite run with recording services and journal.
struct SuiteRun {
  Recorder recorder;
  RecordingJournal journal;
  std::int64_t result = -1;

  SuiteRun(zq::SuiteEntryFn entry, zq::KernelHandle* kernel) {
    zqextent(kernel);
    zq::TestServices services = zq::testing::recordingServices(recorder);
    result = entry(&services, 7, nullptr, journal.handle(), nullptr);
    zqextent(nullptr);
  }
  SuiteRun(const SuiteRun&) = delete;
  SuiteRun& operator=(const SuiteRun&) = delete;

  std::size_t messageCount(const std::u32string& text) const {
    std::size_t n = 0;
    for (const auto& m : recorder.messages) n += m.text == text ? 1 : 0;
    return n;
  }
  bool hasDetail(const std::u32string& text) const {
    return journal.has(zq::JNL_LEVEL_DETAIL, text);
  }
  std::string explanations() const {
    std::string out;
    for (const auto& line : journal.lines) out += narrow(line.text) + "\n";
    return out;
  }
  // The checks of each record, split where a record's locale-handle check begins.
  std::vector<std::vector<RecordedCheck>> records() const {
    std::vector<std::vector<RecordedCheck>> out;
    for (const RecordedCheck& c : recorder.checks) {
      if (c.kind == "handle" && c.expression == U"localehandle") out.emplace_back();
      if (!out.empty()) out.back().push_back(c);
    }
    return out;
  }
  // The operation a record's family tests: the first word of the family's step.
  std::u32string familyOperation(const std::vector<RecordedCheck>& record) const {
    const std::u32string& step = recorder.steps.at(record.front().steps_before - 1);
    return step.substr(0, step.find(U' '));
  }
};

using Kinds = std::vector<std::string>;
Kinds describe(const std::vector<RecordedCheck>& checks) {
  Kinds out;
  for (const RecordedCheck& c : checks) out.push_back(c.kind + " " + narrow(c.expression));
  return out;
}

// The stand-in host for one test; the suite must leave no locale handle alive.
struct StandInHost {
  zq::KernelHandle* kernel = static_cast<zq::KernelHandle*>(zqhostCreate());
  ~StandInHost() {
    EXPECT_EQ(zq::host::liveLocaleCount(kernel->nls), 0u);
    EXPECT_EQ(zqhostDestroy(kernel), 0);
  }
};

// Without a kernel or its NLS service a suite stops before its banner and journal.
TEST(SanityFrames, MissingHandlesLeaveTheJournalAlone) {
  zq::KernelHandle without_nls{};
  for (zq::SuiteEntryFn entry : {zqvnleSanity1, zqvnleSanity2}) {
    for (zq::KernelHandle* kernel : {static_cast<zq::KernelHandle*>(nullptr), &without_nls}) {
      SuiteRun run(entry, kernel);
      EXPECT_EQ(run.result, 1);
      ASSERT_EQ(run.recorder.messages.size(), 1u);
      EXPECT_EQ(run.recorder.messages[0].severity, zq::SEVERITY_ERROR);
      EXPECT_EQ(run.recorder.steps.size(), kernel == nullptr ? 1u : 2u);
      EXPECT_TRUE(run.journal.lines.empty());
      EXPECT_EQ(run.journal.flushes, 0);
    }
  }
}

TEST(Sanity1Host, EveryRecordPassesInFamilyOrderWithItsOwnHandle) {
  StandInHost host;
  SuiteRun run(zqvnleSanity1, host.kernel);
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.recorder.failures(), 0u) << run.explanations();
  EXPECT_EQ(run.recorder.steps,
            (std::vector<std::u32string>{
                U"zqGetHandle: get the main ZQ handle", U"zqExtensionLoad:Get the zq NLS handle",
                U"zqnlsLocaleDateFormat testing", U"zqnlsLocaleTimeFormat testing",
                U"zqnlsLocaleBufferToDatetime and zqnlsLocaleDatetimeFormat testing",
                U"zqnlsLocalePercentFormat testing", U"zqnlsLocaleCurrencyFormat testing",
                U"zqnlsLocaleDoubleFormat testing", U"zqnlsLocaleDoubleFormatWithExOpts testing",
                U"zqnlsLocaleIntFastFormat testing", U"zqnlsLocaleIntmaxFormat testing",
                U"zqnlsLocaleUintfastFormat testing", U"zqnlsLocaleUintmaxFormat testing",
                U"zqnlsLocalePointerFormat testing", U"zqnlsLocaleBufferToDouble testing",
                U"zqnlsLocaleBufferToIntfast testing", U"zqnlsLocaleBufferToIntmax testing",
                U"zqnlsLocaleBufferToUintfast testing", U"zqnlsLocaleBufferToUintmax testing",
                U"zqnlsLocaleBufferToTime testing"}));
  ASSERT_FALSE(run.recorder.messages.empty());
  EXPECT_EQ(run.recorder.messages[0].text,
            U"**************Beginning zqvnleSanity1 testing*************");
  EXPECT_EQ(run.recorder.messages[0].severity, zq::SEVERITY_INFO);
  ASSERT_EQ(run.journal.lines.size(), 1u);
  EXPECT_EQ(run.journal.lines[0].level, zq::JNL_LEVEL_INFO);
  EXPECT_EQ(run.journal.lines[0].text, U"\n***Beginning zqvnleSanity1 testing***\n");
  EXPECT_EQ(run.journal.flushes, 1);
  for (const RecordedCheck& c : run.recorder.checks) EXPECT_EQ(c.file, U"zqtest/src/zqvnle2");
  // Every record opens with its own handle and ends with its destroy.
  for (const auto& record : run.records()) {
    EXPECT_EQ(record.back().kind, "status");
    EXPECT_EQ(record.back().expression, U"status");
  }
}

TEST(Sanity1Host, LocaleThatCannotBeCreatedSkipsOnlyItsRecord) {
  // The first and second record of each family, found in a clean run: creation n
  // belongs to the n-th record, and test numbers restart at 1 in every family.
  std::vector<std::pair<std::size_t, std::u32string>> failures;
  {
    StandInHost host;
    SuiteRun clean(zqvnleSanity1, host.kernel);
    const auto records = clean.records();
    for (std::size_t i = 0; i < records.size(); ++i) {
      const bool first = i == 0 || records[i].front().steps_before !=
                                       records[i - 1].front().steps_before;
      const bool second = i >= 1 && !first && (i == 1 || records[i - 1].front().steps_before !=
                                                             records[i - 2].front().steps_before);
      if (first || second) {
        failures.emplace_back(i + 1, clean.familyOperation(records[i]) +
                                         (first ? U" TEST 1:" : U" TEST 2:"));
      }
    }
  }
  ASSERT_GE(failures.size(), 18u);  // two for each of the families with records at least
  for (const auto& [creation, head] : failures) {
    StandInHost host;
    zqhostInjectFault(host.kernel, ZQHOST_FAULT_LOCALE_CREATE, static_cast<int>(creation));
    SuiteRun run(zqvnleSanity1, host.kernel);
    EXPECT_EQ(run.result, 0) << creation;
    EXPECT_EQ(run.messageCount(U"Failed to get handle for localehandle"), 1u) << creation;
    EXPECT_EQ(run.journal.countStartingWith(head + U" Failed to create handle for locale "), 1u)
        << run.explanations();
    EXPECT_EQ(run.recorder.failures(), 1u) << creation;
    const auto records = run.records();
    ASSERT_GE(records.size(), creation);
    EXPECT_EQ(describe(records[creation - 1]), Kinds{"handle localehandle"});
  }
}

TEST(Sanity1Scripted, FailedDestroyIsReportedPerRecordAndTheRunGoesOn) {
  ScriptedHost host;
  host.script.destroy_status = zq::ZQ_NLS_INVALID_VALUE;
  SuiteRun run(zqvnleSanity1, host.handle());
  EXPECT_EQ(run.result, 0);
  const std::size_t records = run.records().size();
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleDestroy failed"), records);
  const std::u32string line = U"zqnlsLocaleDestroy Failed to destroy locale handle for test ";
  EXPECT_EQ(run.journal.countStartingWith(line), records);
  EXPECT_TRUE(run.journal.has(zq::JNL_LEVEL_DETAIL, line + U"10"));
  EXPECT_TRUE(run.journal.has(zq::JNL_LEVEL_DETAIL, line + U"5"));
}

TEST(Sanity1Scripted, FormatMismatchesAreExplainedWithinTheBuffer) {
  ScriptedHost host;
  host.script.decimal = false;
  host.script.format_status = zq::ZQ_NLS_BAD_NUM;
  host.script.text = std::u32string(150, U'x');  // fills every unit it is given
  host.script.length = std::int64_t{1} << 40;
  host.script.value = 99;
  SuiteRun run(zqvnleSanity1, host.handle());
  EXPECT_EQ(run.result, 0);
  const auto has = [&](const std::u32string& text) { return run.hasDetail(text); };
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat TEST 1: status was 'ZQ_NLS_BAD_NUM (0x803FE810)' "
                  U"but should have been 'ZQ_OK (0x00000000)'"));
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat TEST 10: status was 'ZQ_NLS_BAD_NUM (0x803FE810)' "
                  U"but should have been 'ZQ_NLS_FMT_TRUNCATE (0x803FE80E)'"));
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat converted length was "
                  U"1099511627776 when 6 was expected"));
  // The returned text prints as exactly the 100 units the operation could write.
  EXPECT_TRUE(has(U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat buffer was " +
                  std::u32string(100, U'x') + U" when 000246 expected"));
  EXPECT_TRUE(has(U"zqnlsLocaleBufferToIntfast: Test 1: LocaleIntfastFormat converted length was "
                  U"1099511627776 while IntFast was 99"));
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleIntfastFormat: incorrect status returned"), 10u);
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleIntmaxFormat: incorrect status returned"), 9u);
  EXPECT_EQ(run.messageCount(U"incorrect converted length for pointer format"), 6u);
  EXPECT_EQ(run.journal.countStartingWith(U"zqnlsLocaleUintfastFormat TEST"), 0u);
  EXPECT_EQ(run.journal.countStartingWith(U"zqnlsLocalePointerFormat TEST"), 0u);
  // One flush, after the last line.
  EXPECT_EQ(run.journal.flushes, 1);
  EXPECT_EQ(run.journal.lines_at_first_flush, run.journal.lines.size());
}

TEST(Sanity1Scripted, ParseChecksCountTheLowHalfAndPutTheReturnedValueFirst) {
  ScriptedHost host;
  host.script.value = 0x100000007u;
  host.script.used = 3;
  SuiteRun run(zqvnleSanity1, host.handle());
  const auto records = run.records();
  const auto intmax1_at = std::find_if(records.begin(), records.end(), [&](const auto& r) {
    return run.familyOperation(r) == U"zqnlsLocaleBufferToIntmax";
  });
  ASSERT_NE(intmax1_at, records.end());
  const auto& intmax1 = *intmax1_at;
  EXPECT_EQ(describe(intmax1), (Kinds{"handle localehandle", "status status",
                                      "int (int)locale_buffer_to_intmax[i].expected_length",
                                      "int (int)intmax_bench", "status status"}));
  // Returned first, expected second; the 64-bit value counts by its low half.
  EXPECT_EQ(intmax1[2].expected, 3);
  EXPECT_EQ(intmax1[2].actual, 20);
  EXPECT_EQ(intmax1[3].expected, 7);
  EXPECT_EQ(intmax1[3].actual, 0);
  EXPECT_TRUE(run.journal.has(zq::JNL_LEVEL_DETAIL,
                              U"zqnlsLocaleBufferToIntmax: Test 1: integer returned was 4294967303 "
                              U"when -9223372036854775808 was expected"));
  EXPECT_TRUE(run.journal.has(zq::JNL_LEVEL_DETAIL,
                              U"zqnlsLocaleBufferToIntMax: Test 1: number of characters read was 3 "
                              U"when 20 was expected"));
}

TEST(Sanity2Host, IgnoreDecimalSectionPassesInEveryLocale) {
  StandInHost host;
  SuiteRun run(zqvnleSanity2, host.kernel);
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.recorder.failures(), 0u) << run.explanations();
  EXPECT_TRUE(run.recorder.begun.empty());
  EXPECT_EQ(run.recorder.steps,
            (std::vector<std::u32string>{
                U"zqGetHandle: get the main ZQ handle", U"zqExtensionLoad:Get the zq NLS handle",
                U"TODATE, TOTIME, TODATETIME tests",
                U"LOCALEBUFFERTO Intfast, Intmax, Int, Long, UIntfast, UIntmax, UInt, ULong tests",
                U"SPACEGROUPING option tests for LOCALEBUFFERTO Intfast, Intmax, Int, Long, "
                U"UIntfast, UIntmax, UInt, ULong",
                U"LOCALEBUFFERTODouble tests"}));
  ASSERT_FALSE(run.recorder.messages.empty());
  EXPECT_EQ(run.recorder.messages[0].text,
            U"**************Beginning zqvnleSanity2 testing*************");
  ASSERT_EQ(run.journal.lines.size(), 1u);
  EXPECT_EQ(run.journal.lines[0].level, zq::JNL_LEVEL_INFO);
  EXPECT_EQ(run.journal.lines[0].text, U"\n***Beginning zqvnleSanity2 testing***\n");
  EXPECT_EQ(run.journal.flushes, 0);
  for (const RecordedCheck& c : run.recorder.checks) EXPECT_EQ(c.file, U"zqtest/src/zqvnle3");
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
      SuiteRun clean(zqvnleSanity2, host.kernel);
      const auto& steps = clean.recorder.steps;
      while (section < steps.size() && !steps[section].starts_with(section_step)) ++section;
      for (const RecordedCheck& c : clean.recorder.checks) {
        if (c.expression == U"currentLocale" && c.steps_before <= section) ++creation;
      }
    }
    StandInHost host;
    zqhostInjectFault(host.kernel, ZQHOST_FAULT_LOCALE_CREATE, static_cast<int>(creation));
    SuiteRun run(zqvnleSanity2, host.kernel);
    EXPECT_EQ(run.result, result) << narrow(section_step);
    EXPECT_EQ(run.messageCount(U"Failed to get handle for currentLocale"), 1u);
    EXPECT_EQ(run.recorder.failures(), 1u) << run.explanations();
    // A failure ending the suite is its last check; a grouping vector's is not.
    EXPECT_EQ(run.recorder.checks.back().passed, result == 0);
    EXPECT_EQ(run.recorder.steps.size(), result == 0 ? 6u : section + 1);
    if (create_line != nullptr) {
      EXPECT_TRUE(run.hasDetail(create_line));
    }
  }
}

TEST(Sanity2Scripted, EveryParserGetsTheLocalisedInputWithIgnoreDecimal) {
  ScriptedHost host;
  SuiteRun run(zqvnleSanity2, host.handle());
  // The date/time section's calls go to words no script answers; the integer section's
  // calls come next. Per locale: six vectors for each signed parser, then five for each
  // unsigned one.
  std::erase_if(host.calls, [](const auto& call) { return call.op == Op::Unscripted; });
  ASSERT_GE(host.calls.size(), 18 * kSanity2Vectors);
  std::vector<Op> order;
  for (Op op : {Op::BufferToIntfast, Op::BufferToIntmax, Op::BufferToInt, Op::BufferToLong}) {
    order.insert(order.end(), 6, op);
  }
  for (Op op : {Op::BufferToUintfast, Op::BufferToUintmax, Op::BufferToUInt, Op::BufferToULong}) {
    order.insert(order.end(), 5, op);
  }
  for (std::size_t i = 0; i < 18 * kSanity2Vectors; ++i) {
    EXPECT_EQ(host.calls[i].op, order[i % kSanity2Vectors]) << i;
    EXPECT_EQ(host.calls[i].options, 0x2000) << i;
  }
  // locale row, test number -> the locale and the units the parser was given
  const std::tuple<std::size_t, std::size_t, const char32_t*, const char32_t*> rows[] = {
      {0, 6, U"cs_CZ", U"123"},      {1, 20, U"de_DE", U"-123,00"}, {2, 3, U"en_US", U"123.01"},
      {5, 3, U"fr_FR", U"123,01"},   {0, 44, U"cs_CZ", U"123,"},    {17, 44, U"zh_TW", U"123."},
  };
  for (const auto& [locale_row, test, locale, text] : rows) {
    const auto& call = host.calls[locale_row * kSanity2Vectors + test - 1];
    EXPECT_EQ(call.locale, locale);
    EXPECT_EQ(call.text, text) << narrow(locale) << " " << test;
  }
}

TEST(Sanity2Scripted, MismatchesAreJournalledAndWideValuesCountByTheirLowHalf) {
  ScriptedHost host;
  host.script.value = 0x10000007Bu;  // 123 in its low 32 bits
  host.script.used = 6;
  SuiteRun run(zqvnleSanity2, host.handle());
  EXPECT_EQ(run.result, 0);
  // Value checks fail only for the -123 vectors: two per signed parser and locale.
  std::size_t value_failures = 0;
  for (const RecordedCheck& c : run.recorder.checks) {
    const bool integer_section = c.steps_before == 4;
    if (integer_section && c.kind == "int" && c.expression != U"cnvL" && !c.passed) {
      ++value_failures;
    }
  }
  EXPECT_EQ(value_failures, 18u * 8u);
  const auto has = [&](const std::u32string& text) { return run.hasDetail(text); };
  EXPECT_TRUE(has(U"TEST08: LocaleBufferToIntmax (LOCALE_CVT_IGNORE_DECIMAL option - cs_CZ) "
                  U"returned 4294967419 but should have been -123"));
  EXPECT_TRUE(has(U"TEST02: LocaleBufferToIntfast (LOCALE_CVT_IGNORE_DECIMAL option - fr_FR) "
                  U"returned 123 but should have been -123"));
  EXPECT_TRUE(has(U"TEST03: LocaleBufferToIntfast ( LOCALE_CVT_IGNORE_DECIMAL option(#8192) - "
                  U"en_US) status was 'ZQ_OK (0x00000000)' but should have been "
                  U"'ZQ_NLS_FMT_TRUNCATE (0x803FE80E)'"));
  EXPECT_TRUE(has(U"TEST26: LocaleBufferToUintfast (LOCALE_CVT_IGNORE_DECIMAL option - zh_TW) "
                  U"ZQChars consumed was 6 but should have been 7"));
  // The value checks name the parser's own expression. The integer section's checks:
  // its first locale, then value, status and count per vector.
  const auto& checks = run.recorder.checks;
  const auto first = static_cast<std::size_t>(
      std::find_if(checks.begin(), checks.end(), [](const auto& c) { return c.steps_before == 4; }) -
      checks.begin());
  ASSERT_GE(checks.size(), first + 1 + 3 * kSanity2Vectors);
  const auto expression = [&](std::size_t vector) {
    return checks[first + 1 + 3 * vector].expression;
  };
  EXPECT_EQ(expression(0), U"(int)intfast");
  EXPECT_EQ(expression(6), U"(int)intmax");
  EXPECT_EQ(expression(12), U"intval");
  EXPECT_EQ(expression(18), U"longval");
  EXPECT_EQ(expression(24), U"(int)uintfast");
  EXPECT_EQ(expression(29), U"(int)uintmax");
  EXPECT_EQ(expression(34), U"uintval");
  EXPECT_EQ(expression(39), U"ulongval");
  for (std::size_t i = 1; i < run.journal.lines.size(); ++i) {
    EXPECT_EQ(run.journal.lines[i].level, zq::JNL_LEVEL_DETAIL);
  }
  EXPECT_EQ(run.recorder.messages.size(), 1u);  // the banner: mismatches go to the journal
}

TEST(Sanity1Scripted, DoubleFamilyPassesTheInputLengthAndComparesValuesExactly) {
  ScriptedHost host;
  host.script.parse_status = zq::ZQ_NLS_BAD_NUM;
  host.script.used = 3;
  host.script.real = [](const auto&) { return 1.5; };
  SuiteRun run(zqvnleSanity1, host.handle());
  EXPECT_TRUE(std::any_of(host.calls.begin(), host.calls.end(),
                          [](const auto& call) { return call.text == U"  -2.5e-3"; }));
  const std::u32string head = U"zqnlsLocaleBufferToDouble: Test ";
  EXPECT_TRUE(run.hasDetail(head + U"1: status was 'ZQ_NLS_BAD_NUM (0x803FE810)' but should "
                                   U"have been 'ZQ_OK (0x00000000)'"));
  EXPECT_TRUE(run.hasDetail(head + U"2: number of characters read was 3 when 9 was expected"));
  EXPECT_TRUE(run.hasDetail(head + U"3: double returned was 1.500000 when -1234.567800 was "
                                   U"expected"));
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleBufferToDouble: incorrect value returned"), 4u);
}

// The space-grouping calls follow the integer section's 18 x 44; the buffer-to-double
// calls follow its 73.
constexpr std::size_t kGroupingCalls = 18 * kSanity2Vectors;
constexpr std::size_t kDoubleCalls = kGroupingCalls + 73;

TEST(Sanity2Scripted, NumberSectionsPassTheirInputsAndJournalEachMismatch) {
  ScriptedHost host;
  host.script.value = 123456;
  host.script.used = 7;
  host.script.parse_status = zq::ZQ_NLS_INVALID_VALUE;
  host.script.real = [](const auto&) { return 2.5; };
  host.script.destroy_status = zq::ZQ_NLS_BAD_NUM;
  SuiteRun run(zqvnleSanity2, host.handle());
  std::erase_if(host.calls, [](const auto& call) { return call.op == Op::Unscripted; });
  ASSERT_EQ(host.calls.size(), kDoubleCalls + 18 * 2);
  // test, locale, options, the units passed
  const std::tuple<std::size_t, const char32_t*, std::int32_t, std::u32string> grouped[] = {
      {7, U"cs_CZ", 0x4000, std::u32string(U"123,456\0", 8)},
      {72, U"fr_FR", 0x12D687, U"123\u00A0456"},
  };
  for (const auto& [test, locale, options, text] : grouped) {
    const auto& call = host.calls[kGroupingCalls + test - 1];
    EXPECT_EQ(std::tie(call.locale, call.options, call.text), std::tie(locale, options, text));
  }
  // LocaleInfo rows 0 (cs_CZ) and 5 (fr_FR): the decimal point localised.
  EXPECT_EQ(host.calls[kDoubleCalls].text, U"    23737,88912295464");
  EXPECT_EQ(host.calls[kDoubleCalls + 11].text, U"1,2e-8");

  const std::u32string d = U"zqnlsLocaleBufferToDoubleWithOpts (fr_FR) ";
  EXPECT_TRUE(run.hasDetail(U"TEST05: LocaleBufferToInt (cs_CZ) returned 123456 but should have "
                            U"been 0"));
  EXPECT_TRUE(run.hasDetail(U"TEST69: " + d + U"returned 0x4004000000000000 but should have been "
                                              U"ZQMACMISSING"));
  EXPECT_TRUE(run.hasDetail(U"TEST69: " + d + U"ZQChars consumed was 7 but should have been 6"));
  // An invalid value stands for an expected overflow or underflow, and for nothing else.
  EXPECT_EQ(run.journal.countStartingWith(U"TEST69: " + d + U"status"), 0u);
  EXPECT_EQ(run.journal.countStartingWith(U"TEST70: " + d + U"status"), 0u);
  EXPECT_TRUE(run.hasDetail(U"TEST71: " + d + U"status was 'ZQ_NLS_INVALID_VALUE (0x803FE80D)' "
                                              U"but should have been 'ZQ_OK (0x00000000)'"));
  EXPECT_TRUE(run.hasDetail(U"TEST01: zqnlsLocaleBufferToDouble (de_DE) status was "
                            U"'ZQ_NLS_INVALID_VALUE (0x803FE80D)' but should have been 'ZQ_OK "
                            U"(0x00000000)'"));
  EXPECT_TRUE(run.hasDetail(U"TEST02 of 02: zqnlsLocaleBufferToDouble (fr_FR) returned value was "
                            U"2.5000000000000000e+00 but should have been 1.2000000000000000e-08"));
  // Every grouping vector has its own locale, and its own line when the destroy fails.
  EXPECT_EQ(run.journal.countStartingWith(U"SPACEGROUPING TEST"), 73u);
  EXPECT_TRUE(run.hasDetail(U"SPACEGROUPING TEST73: zqnlsLocaleDestroy failed"));
}

TEST(Sanity2Scripted, GroupedDoublesPassWithinAThousandthAndAMissingValueWithOk) {
  ScriptedHost host;
  host.script.used = 7;
  host.script.real = [](const zq::testing::ScriptedCall& call) {
    if (call.text.empty()) return std::numeric_limits<double>::quiet_NaN();
    return call.locale == U"cs_CZ" ? 123456.0015 : 123456.0009;
  };
  SuiteRun run(zqvnleSanity2, host.handle());
  EXPECT_TRUE(run.hasDetail(U"TEST60: zqnlsLocaleBufferToDoubleWithOpts (cs_CZ) returned "
                            U"123456.001500 but should have been 123456.000000"));
  for (const std::u32string test : {U"TEST61", U"TEST73"}) {
    EXPECT_EQ(run.journal.countStartingWith(test + U": zqnlsLocaleBufferToDoubleWithOpts (fr_FR) "
                                                   U"returned"),
              0u);
  }
}

}  // namespace
