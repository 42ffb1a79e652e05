// zqvnleSanity1 driven in-process: its frame, record skeleton, check idioms and tables.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "recording_services.h"
#include "suites/sanity/sanity1_tables.h"
#include "test_sanity_fakes.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::RecordedCheck;
using zq::testing::Recorder;
using zq::testing::SanityCall;
using zq::testing::SanityHost;
using zq::testing::SanityJournal;

// The families with tables, in the order they run, with their operation names as
// the create-failure lines spell them and their record counts.
struct FamilyShape {
  const char32_t* operation;
  std::size_t records;
};
constexpr std::array<FamilyShape, 9> kFamilies = {{
    {U"zqnlsLocaleIntFastFormat", 10},
    {U"zqnlsLocaleIntmaxFormat", 9},
    {U"zqnlsLocaleUintfastFormat", 9},
    {U"zqnlsLocaleUintmaxFormat", 9},
    {U"zqnlsLocalePointerFormat", 7},
    {U"zqnlsLocaleBufferToIntfast", 6},
    {U"zqnlsLocaleBufferToIntmax", 5},
    {U"zqnlsLocaleBufferToUintfast", 6},
    {U"zqnlsLocaleBufferToUintmax", 5},
}};
constexpr std::size_t kRecords = 66;

const std::vector<std::u32string> kFamilySteps = {
    U"zqnlsLocaleDateFormat testing",
    U"zqnlsLocaleTimeFormat testing",
    U"zqnlsLocaleBufferToDatetime and zqnlsLocaleDatetimeFormat testing",
    U"zqnlsLocalePercentFormat testing",
    U"zqnlsLocaleCurrencyFormat testing",
    U"zqnlsLocaleDoubleFormat testing",
    U"zqnlsLocaleDoubleFormatWithExOpts testing",
    U"zqnlsLocaleIntFastFormat testing",
    U"zqnlsLocaleIntmaxFormat testing",
    U"zqnlsLocaleUintfastFormat testing",
    U"zqnlsLocaleUintmaxFormat testing",
    U"zqnlsLocalePointerFormat testing",
    U"zqnlsLocaleBufferToDouble testing",
    U"zqnlsLocaleBufferToIntfast testing",
    U"zqnlsLocaleBufferToIntmax testing",
    U"zqnlsLocaleBufferToUintfast testing",
    U"zqnlsLocaleBufferToUintmax testing",
    U"zqnlsLocaleBufferToTime testing",
};

std::string narrow(const std::u32string& s) {
  std::string out;
  for (char32_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::u32string wide(const std::string& s) { return std::u32string(s.begin(), s.end()); }

struct SuiteRun {
  Recorder recorder;
  SanityJournal journal;
  std::int64_t result = -1;

  void go(zq::KernelHandle* kernel) {
    zqextent(kernel);
    zq::TestServices services = zq::testing::recordingServices(recorder);
    result = zqvnleSanity1(&services, 7, nullptr, journal.handle(), nullptr);
    zqextent(nullptr);
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
  std::size_t messageCount(const std::u32string& text) const {
    std::size_t n = 0;
    for (const auto& m : recorder.messages) n += m.text == text ? 1 : 0;
    return n;
  }
};

// The index of the first record of family `family` (0-based among kFamilies).
std::size_t firstRecordOf(std::size_t family) {
  std::size_t index = 0;
  for (std::size_t i = 0; i < family; ++i) index += kFamilies[i].records;
  return index;
}

std::vector<std::string> describe(const std::vector<RecordedCheck>& checks) {
  std::vector<std::string> out;
  for (const RecordedCheck& c : checks) out.push_back(c.kind + " " + narrow(c.expression));
  return out;
}

TEST(Sanity1Frame, WithoutKernelReportsAndReturnsOneLeavingJournalAlone) {
  SuiteRun run;
  run.go(nullptr);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.recorder.begun, std::vector<std::u32string>{U"zqvnleSanity1"});
  EXPECT_EQ(run.recorder.steps,
            std::vector<std::u32string>{U"zqGetHandle: get the main ZQ handle"});
  ASSERT_EQ(run.recorder.messages.size(), 1u);
  EXPECT_EQ(run.recorder.messages[0].text, U"Could not get ZQ handle");
  EXPECT_EQ(run.recorder.messages[0].severity, 3);
  EXPECT_TRUE(run.journal.lines.empty());
  EXPECT_EQ(run.journal.flushes, 0);
}

TEST(Sanity1Frame, KernelWithoutNlsReportsAndReturnsOne) {
  zq::KernelHandle kernel{};
  SuiteRun run;
  run.go(&kernel);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.recorder.steps, (std::vector<std::u32string>{
                                    U"zqGetHandle: get the main ZQ handle",
                                    U"zqExtensionLoad:Get the zq NLS handle"}));
  ASSERT_EQ(run.recorder.checks.size(), 2u);
  EXPECT_EQ(run.recorder.checks[1].expression, U"nls");
  EXPECT_FALSE(run.recorder.checks[1].passed);
  ASSERT_EQ(run.recorder.messages.size(), 1u);
  EXPECT_EQ(run.recorder.messages[0].text, U"Could not get ZQNLS handle");
  EXPECT_TRUE(run.journal.lines.empty());
  EXPECT_EQ(run.journal.flushes, 0);
}

TEST(Sanity1Frame, RunsEveryFamilyInOrderWithBannerFirstAndOneFinalFlush) {
  SanityHost host;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 0);
  std::vector<std::u32string> steps = {U"zqGetHandle: get the main ZQ handle",
                                       U"zqExtensionLoad:Get the zq NLS handle"};
  steps.insert(steps.end(), kFamilySteps.begin(), kFamilySteps.end());
  EXPECT_EQ(run.recorder.steps, steps);
  ASSERT_FALSE(run.recorder.messages.empty());
  EXPECT_EQ(run.recorder.messages[0].text,
            U"**************Beginning zqvnleSanity1 testing*************");
  EXPECT_EQ(run.recorder.messages[0].severity, 1);
  ASSERT_FALSE(run.journal.lines.empty());
  EXPECT_EQ(run.journal.lines[0].level, 1);
  EXPECT_EQ(run.journal.lines[0].text, U"\n***Beginning zqvnleSanity1 testing***\n");
  EXPECT_EQ(run.journal.lines[0].format_length, 39);
  EXPECT_EQ(run.journal.flushes, 1);
  EXPECT_EQ(run.journal.lines_at_first_flush, run.journal.lines.size());
  // Every record had its own handle, and every handle was destroyed.
  EXPECT_EQ(host.locales_created, static_cast<int>(kRecords));
  EXPECT_EQ(host.locales_live, 0);
  for (const std::u32string& name : host.locale_names) EXPECT_EQ(name, U"en_US");
  for (const RecordedCheck& c : run.recorder.checks) {
    EXPECT_EQ(c.file, U"zqtest/src/zqvnle2");
  }
}

TEST(Sanity1Frame, TestNumbersRestartInEveryFamily) {
  SanityHost host;
  host.fail_all_locales = true;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 0);
  std::vector<std::u32string> expected = {U"\n***Beginning zqvnleSanity1 testing***\n"};
  for (const FamilyShape& family : kFamilies) {
    for (std::size_t n = 1; n <= family.records; ++n) {
      expected.push_back(std::u32string(family.operation) + U" TEST " + wide(std::to_string(n)) +
                         U": Failed to create handle for locale en_US");
    }
  }
  EXPECT_EQ(run.journal.texts(), expected);
  for (std::size_t i = 1; i < run.journal.lines.size(); ++i) {
    EXPECT_EQ(run.journal.lines[i].level, 4);
  }
  EXPECT_EQ(run.messageCount(U"Failed to get handle for localehandle"), kRecords);
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(host.destroys, 0);
  EXPECT_EQ(run.journal.flushes, 1);
}

TEST(Sanity1Skeleton, FailedDestroyIsReportedPerRecordAndTheRunGoesOn) {
  SanityHost host;
  host.destroy_status = zq::ZQ_NLS_INVALID_VALUE;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleDestroy failed"), kRecords);
  EXPECT_EQ(host.destroys, static_cast<int>(kRecords));
  for (const FamilyShape& family : kFamilies) {
    for (std::size_t n = 1; n <= family.records; ++n) {
      EXPECT_TRUE(run.journal.hasText(
          U"zqnlsLocaleDestroy Failed to destroy locale handle for test " +
          wide(std::to_string(n))));
    }
  }
}

TEST(Sanity1Format, PassingRecordMakesEveryCheckAndTruncatedRowOnlyTheStatus) {
  SanityHost host;
  host.format.text = U"000246";
  host.parse.value = 6;  // what the CheckText "06 ..." parses to
  SuiteRun run;
  run.go(host.handle());
  const auto records = run.records();
  ASSERT_EQ(records.size(), kRecords);
  EXPECT_EQ(describe(records[0]),
            (std::vector<std::string>{"handle localehandle", "status status", "int (int)cnvL",
                                      "buffer &fmtbuf", "int (int)cnvL", "status status"}));
  for (const RecordedCheck& c : records[0]) EXPECT_TRUE(c.passed) << narrow(c.expression);
  // The cross-check parsed the CheckText over its own length with options 0.
  const std::vector<SanityCall> parses = host.callsOf(U"BufferToIntfast");
  ASSERT_FALSE(parses.empty());
  EXPECT_EQ(parses[0].text, U"06     000246");
  EXPECT_EQ(parses[0].options, 0);
  // Intfast test 10 expects truncation: status and destroy only.
  EXPECT_EQ(describe(records[9]), (std::vector<std::string>{"handle localehandle",
                                                            "status status", "status status"}));
  // The unsigned and pointer families make no status check of their own.
  const std::size_t uintfast = firstRecordOf(2);
  EXPECT_EQ(describe(records[uintfast]),
            (std::vector<std::string>{"handle localehandle", "int (int)cnvL", "buffer &fmtbuf",
                                      "int (int)cnvL", "status status"}));
  EXPECT_EQ(describe(records[firstRecordOf(5) - 1]),
            (std::vector<std::string>{"handle localehandle", "status status"}));
}

TEST(Sanity1Format, MismatchesAreExplainedWithBothStatusesAndTexts) {
  SanityHost host;
  host.format.status = zq::ZQ_NLS_BAD_NUM;
  host.format.text = U"12";
  host.parse.value = 99;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntfastFormat TEST 1: status was 'S803FE810' but should have been "
      U"'S00000000'"));
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntfastFormat TEST 10: status was 'S803FE810' but should have been "
      U"'S803FE80E'"));
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat converted length was 2 when 6 was "
      U"expected"));
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat buffer was 12 when 000246 "
      U"expected"));
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleBufferToIntfast: Test 1: LocaleIntfastFormat converted length was 2 while "
      U"IntFast was 99"));
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleIntfastFormat: incorrect status returned"), 10u);
  EXPECT_EQ(run.messageCount(U"zqnlsLocaleIntmaxFormat: incorrect status returned"), 9u);
  EXPECT_EQ(run.messageCount(U"incorrect converted length for pointer format"), 6u);
  for (const auto& line : run.journal.lines) {
    EXPECT_EQ(line.text.find(U"UintfastFormat TEST"), std::u32string::npos);
    EXPECT_EQ(line.text.find(U"PointerFormat TEST"), std::u32string::npos);
  }
}

TEST(Sanity1Format, CapacityPointerMarkAndOverlongResultsStayInBounds) {
  SanityHost host;
  host.format.fill = true;  // every unit of the capacity, no terminator
  host.format.reported_length = std::int64_t{1} << 40;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 0);
  const auto intfast = host.callsOf(U"IntfastFormat");
  ASSERT_EQ(intfast.size(), 10u);
  EXPECT_EQ(intfast[8].capacity, 100);  // stored 0
  EXPECT_EQ(intfast[9].capacity, 5);
  EXPECT_EQ(host.callsOf(U"UintmaxFormat")[0].capacity, 100);  // stored -1
  const auto pointers = host.callsOf(U"PointerFormat");
  ASSERT_EQ(pointers.size(), 7u);
  EXPECT_EQ(pointers[0].value, 0u);
  EXPECT_EQ(pointers[2].value, ~std::uint64_t{0});
  EXPECT_EQ(pointers[5].value, 0xABCDEF0123u);
  // The returned text prints as exactly the 100 units the operation could write.
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat buffer was " +
      std::u32string(100, U'x') + U" when 000246 expected"));
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntfastFormat: Test 1: LocaleIntfastFormat converted length was 1099511627776 "
      U"when 6 was expected"));
}

TEST(Sanity1Parse, ChecksCountAndLowHalfOfTheValueInThatOrder) {
  SanityHost host;
  host.parse.value = 0x100000007u;
  host.parse.consumed = 3;
  SuiteRun run;
  run.go(host.handle());
  const auto records = run.records();
  ASSERT_EQ(records.size(), kRecords);
  const auto& intmax1 = records[firstRecordOf(6)];
  EXPECT_EQ(describe(intmax1),
            (std::vector<std::string>{"handle localehandle", "status status",
                                      "int (int)locale_buffer_to_intmax[i].expected_length",
                                      "int (int)intmax_bench", "status status"}));
  // Returned first, expected second; the 64-bit value counts by its low half.
  EXPECT_EQ(intmax1[2].expected, 3);
  EXPECT_EQ(intmax1[2].actual, 20);
  EXPECT_EQ(intmax1[3].expected, 7);
  EXPECT_EQ(intmax1[3].actual, 0);
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleBufferToIntmax: Test 1: integer returned was 4294967303 when "
      U"-9223372036854775808 was expected"));
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleBufferToIntMax: Test 1: number of characters read was 3 when 20 was "
      U"expected"));
  // Inputs go over their stated length; the unsigned parsers get the record's options.
  const auto intfast = host.callsOf(U"BufferToIntfast");
  const std::size_t formatting_cross_checks = 10 + 9 + 9 + 9 + 7 - 5;  // rows expecting text
  ASSERT_EQ(intfast.size(), formatting_cross_checks + 6);
  EXPECT_EQ(intfast[formatting_cross_checks].text, U"1234");
  EXPECT_EQ(intfast[formatting_cross_checks + 3].text, std::u32string(U"9876.5") + U'\0');
  EXPECT_EQ(intfast[formatting_cross_checks + 5].length, 0);
  const auto uintfast = host.callsOf(U"BufferToUintfast");
  ASSERT_EQ(uintfast.size(), 6u);
  EXPECT_EQ(uintfast[1].options, 1);
  EXPECT_EQ(uintfast[1].text, U"fffffffe");
  EXPECT_EQ(uintfast[4].length, 61);
}

// The CheckText of every row that expects a text names that text's length and ends
// with it, so the IntFast cross-check and the length check agree.
template <class Table>
void expectConsistentCheckTexts(const Table& table, const char* name) {
  int test = 0;
  for (const auto& row : table) {
    ++test;
    const zq::sanity::FormatEntry& expected = row.formats[1];
    const zq::sanity::CheckText& check = row.checktext[1];
    EXPECT_LT(expected.length, zq::sanity::kEntryUnits) << name << " " << test;
    if (row.status != zq::ZQ_OK || expected.length == 0) continue;
    const std::u32string text = zq::testing::sanityUnits(check.fmtbuf, check.length);
    const std::u32string want = zq::testing::sanityUnits(expected.fmtbuf, expected.length);
    ASSERT_GE(text.size(), 7u) << name << " " << test;
    // Two digits, or one digit and a blank.
    const std::string digits = narrow(text.substr(0, text[1] == U' ' ? 1 : 2));
    ASSERT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << name << " " << test;
    EXPECT_EQ(std::stoll(digits), expected.length) << name << " " << test;
    EXPECT_EQ(text.substr(2, 5), U"     ") << name << " " << test;
    EXPECT_EQ(text.substr(7), want) << name << " " << test;
  }
}

TEST(Sanity1Tables, CheckTextsAgreeWithTheirExpectedTexts) {
  expectConsistentCheckTexts(zq::sanity::intfastFormatTable(), "intfast");
  expectConsistentCheckTexts(zq::sanity::intmaxFormatTable(), "intmax");
  expectConsistentCheckTexts(zq::sanity::uintfastFormatTable(), "uintfast");
  expectConsistentCheckTexts(zq::sanity::uintmaxFormatTable(), "uintmax");
  expectConsistentCheckTexts(zq::sanity::pointerFormatTable(), "pointer");
}

// Against the stand-in host, every check of the integer and pointer families passes.
TEST(Sanity1Host, IntegerAndPointerFamiliesPassAgainstTheHost) {
  void* kernel = zqhostCreate();
  SuiteRun run;
  run.go(static_cast<zq::KernelHandle*>(kernel));
  EXPECT_EQ(run.result, 0);
  std::string failures;
  for (const auto& line : run.journal.lines) {
    if (line.level == 4) failures += narrow(line.text) + "\n";
  }
  EXPECT_EQ(run.recorder.failures(), 0u) << failures;
  // Two handle checks, then per record the handle, the status where the family checks
  // it, length, text and cross-check where a text is expected, and the destroy; five
  // checks per parsing record.
  constexpr std::size_t kFormatChecks = (10 + 10 + 27 + 10) + (9 + 9 + 24 + 9) +
                                        (9 + 24 + 9) + (9 + 24 + 9) + (7 + 18 + 7);
  EXPECT_EQ(run.recorder.checks.size(), 2 + kFormatChecks + 22 * 5);
  EXPECT_EQ(zqhostDestroy(kernel), 0);
}

TEST(Sanity1Host, LocaleThatCannotBeCreatedIsReportedAndTheSuiteGoesOn) {
  void* kernel = zqhostCreate();
  zqhostInjectFault(kernel, ZQHOST_FAULT_LOCALE_CREATE, 2);
  SuiteRun run;
  run.go(static_cast<zq::KernelHandle*>(kernel));
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.messageCount(U"Failed to get handle for localehandle"), 1u);
  EXPECT_TRUE(run.journal.hasText(
      U"zqnlsLocaleIntFastFormat TEST 2: Failed to create handle for locale en_US"));
  // The failed record made its handle check and nothing else; the others all ran.
  const auto records = run.records();
  ASSERT_EQ(records.size(), kRecords);
  EXPECT_EQ(describe(records[1]), std::vector<std::string>{"handle localehandle"});
  EXPECT_EQ(describe(records[2]).size(), 6u);
  EXPECT_EQ(zqhostDestroy(kernel), 0);
}

}  // namespace
