// zqvnleSanity2 driven in-process: its frame, section order and the IGNORE_DECIMAL section.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "recording_services.h"
#include "suites/sanity/sanity2_tables.h"
#include "test_sanity_fakes.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::RecordedCheck;
using zq::testing::Recorder;
using zq::testing::SanityHost;
using zq::testing::SanityJournal;

const std::u32string kHandleStep = U"zqGetHandle: get the main ZQ handle";
const std::u32string kNlsStep = U"zqExtensionLoad:Get the zq NLS handle";
const std::u32string kDateSection = U"TODATE, TOTIME, TODATETIME tests";
const std::u32string kIntegerSection =
    U"LOCALEBUFFERTO Intfast, Intmax, Int, Long, UIntfast, UIntmax, UInt, ULong tests";
const std::u32string kSpaceSection =
    U"SPACEGROUPING option tests for LOCALEBUFFERTO Intfast, Intmax, Int, Long, UIntfast, "
    U"UIntmax, UInt, ULong";
const std::u32string kDoubleSection = U"LOCALEBUFFERTODouble tests";

constexpr std::size_t kRecordsPerLocale = 44;

std::string narrow(const std::u32string& s) {
  std::string out;
  for (char32_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

struct SuiteRun {
  Recorder recorder;
  SanityJournal journal;
  std::int64_t result = -1;

  void go(zq::KernelHandle* kernel) {
    zqextent(kernel);
    zq::TestServices services = zq::testing::recordingServices(recorder);
    result = zqvnleSanity2(&services, 9, nullptr, journal.handle(), nullptr);
    zqextent(nullptr);
  }
  std::size_t messageCount(const std::u32string& text) const {
    std::size_t n = 0;
    for (const auto& m : recorder.messages) n += m.text == text ? 1 : 0;
    return n;
  }
};

std::u32string localeName(int row) {
  return zq::testing::sanityUnits(LocaleInfo[row].name, LocaleInfo[row].name_length);
}

TEST(Sanity2Frame, WithoutKernelReportsAndReturnsOne) {
  SuiteRun run;
  run.go(nullptr);
  EXPECT_EQ(run.result, 1);
  EXPECT_TRUE(run.recorder.begun.empty());
  EXPECT_EQ(run.recorder.steps, std::vector<std::u32string>{kHandleStep});
  ASSERT_EQ(run.recorder.messages.size(), 1u);
  EXPECT_EQ(run.recorder.messages[0].text, U"Could not get ZQ handle");
  EXPECT_EQ(run.recorder.messages[0].severity, 3);
  EXPECT_TRUE(run.journal.lines.empty());
}

TEST(Sanity2Frame, KernelWithoutNlsReportsAndReturnsOne) {
  zq::KernelHandle kernel{};
  SuiteRun run;
  run.go(&kernel);
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.recorder.steps, (std::vector<std::u32string>{kHandleStep, kNlsStep}));
  ASSERT_EQ(run.recorder.messages.size(), 1u);
  EXPECT_EQ(run.recorder.messages[0].text, U"Could not get ZQNLS handle");
  EXPECT_TRUE(run.journal.lines.empty());
}

TEST(Sanity2Frame, SectionsRunInOrderOverEveryLocale) {
  SanityHost host;
  host.parse.value = 123;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 0);
  EXPECT_TRUE(run.recorder.begun.empty());
  EXPECT_EQ(run.recorder.steps,
            (std::vector<std::u32string>{kHandleStep, kNlsStep, kDateSection, kIntegerSection,
                                         kSpaceSection, kDoubleSection}));
  ASSERT_FALSE(run.recorder.messages.empty());
  EXPECT_EQ(run.recorder.messages[0].text,
            U"**************Beginning zqvnleSanity2 testing*************");
  ASSERT_FALSE(run.journal.lines.empty());
  EXPECT_EQ(run.journal.lines[0].text, U"\n***Beginning zqvnleSanity2 testing***\n");
  EXPECT_EQ(run.journal.lines[0].level, 1);
  EXPECT_EQ(run.journal.flushes, 0);

  ASSERT_EQ(host.locale_names.size(), 18u);
  for (int row = 0; row < 18; ++row) EXPECT_EQ(host.locale_names[row], localeName(row));
  EXPECT_EQ(host.locales_live, 0);
  ASSERT_EQ(host.calls.size(), 18 * kRecordsPerLocale);
  // Per locale: six vectors for each signed parser, then five for each unsigned one.
  const std::vector<std::pair<std::u32string, std::size_t>> order = {
      {U"BufferToIntfast", 6},  {U"BufferToIntmax", 6},  {U"BufferToInt", 6},
      {U"BufferToLong", 6},     {U"BufferToUintfast", 5}, {U"BufferToUintmax", 5},
      {U"BufferToUInt", 5},     {U"BufferToULong", 5}};
  for (std::size_t locale = 0; locale < 18; ++locale) {
    std::size_t i = locale * kRecordsPerLocale;
    for (const auto& [operation, count] : order) {
      for (std::size_t k = 0; k < count; ++k, ++i) {
        EXPECT_EQ(host.calls[i].operation, operation) << i;
        EXPECT_EQ(host.calls[i].options, 0x2000) << i;
        EXPECT_EQ(host.calls[i].locale, localeName(static_cast<int>(locale))) << i;
      }
    }
  }
  for (const RecordedCheck& c : run.recorder.checks) EXPECT_EQ(c.file, U"zqtest/src/zqvnle3");
}

TEST(Sanity2Integer, DecimalPointTakesTheLocaleSeparator) {
  SanityHost host;
  SuiteRun run;
  run.go(host.handle());
  const auto textOf = [&](int row, std::size_t test) {
    return host.calls[static_cast<std::size_t>(row) * kRecordsPerLocale + test - 1].text;
  };
  constexpr int kCsCz = 0, kDeDe = 1, kEnUs = 2, kFrFr = 5, kJaJp = 9, kZhTw = 17;
  EXPECT_EQ(textOf(kEnUs, 3), U"123.01");
  EXPECT_EQ(textOf(kJaJp, 3), U"123.01");
  EXPECT_EQ(textOf(kFrFr, 3), U"123,01");
  EXPECT_EQ(textOf(kDeDe, 20), U"-123,00");  // Long, second vector
  EXPECT_EQ(textOf(kCsCz, 6), U"123");       // no decimal point
  EXPECT_EQ(textOf(kZhTw, 44), U"123.");
  EXPECT_EQ(textOf(kCsCz, 44), U"123,");
  // Every other unit passes unchanged, over the input's own length.
  const auto list = zq::sanity::localeBufferList();
  for (int row = 0; row < 18; ++row) {
    const char32_t separator = static_cast<char32_t>(LocaleInfo[row].decimal_separator[0]);
    for (std::size_t test = 1; test <= kRecordsPerLocale; ++test) {
      const auto& record = list[test - 1];
      std::u32string expected = zq::testing::sanityUnits(
          record.input, static_cast<std::int64_t>(record.input_length));
      for (char32_t& c : expected) {
        if (c == U'.') c = separator;
      }
      EXPECT_EQ(textOf(row, test), expected) << narrow(localeName(row)) << " " << test;
    }
  }
}

TEST(Sanity2Integer, MismatchesAreJournalledAndWideValuesCountByTheirLowHalf) {
  SanityHost host;
  host.parse.value = 0x10000007Bu;  // 123 in its low 32 bits
  host.parse.consumed = 6;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 0);
  // Value checks fail only for the -123 vectors: two per signed parser and locale.
  std::size_t value_failures = 0;
  for (const RecordedCheck& c : run.recorder.checks) {
    if (c.kind == "int" && c.expression != U"cnvL" && !c.passed) ++value_failures;
  }
  EXPECT_EQ(value_failures, 18u * 8u);
  EXPECT_TRUE(run.journal.hasText(
      U"TEST08: LocaleBufferToIntmax (LOCALE_CVT_IGNORE_DECIMAL option - cs_CZ) returned "
      U"4294967419 but should have been -123"));
  EXPECT_TRUE(run.journal.hasText(
      U"TEST02: LocaleBufferToIntfast (LOCALE_CVT_IGNORE_DECIMAL option - fr_FR) returned 123 "
      U"but should have been -123"));
  EXPECT_TRUE(run.journal.hasText(
      U"TEST03: LocaleBufferToIntfast ( LOCALE_CVT_IGNORE_DECIMAL option(#8192) - en_US) status "
      U"was 'S00000000' but should have been 'S803FE80E'"));
  EXPECT_TRUE(run.journal.hasText(
      U"TEST26: LocaleBufferToUintfast (LOCALE_CVT_IGNORE_DECIMAL option - zh_TW) ZQChars "
      U"consumed was 6 but should have been 7"));
  // The value checks name the parser's own expression.
  // Checks: kernel, NLS, the first locale, then value, status and count per vector.
  ASSERT_GE(run.recorder.checks.size(), 3 + 3 * kRecordsPerLocale);
  std::vector<std::u32string> expressions;
  for (std::size_t k = 0; k < kRecordsPerLocale; ++k) {
    expressions.push_back(run.recorder.checks[3 + 3 * k].expression);
  }
  EXPECT_EQ(expressions[0], U"(int)intfast");
  EXPECT_EQ(expressions[6], U"(int)intmax");
  EXPECT_EQ(expressions[12], U"intval");
  EXPECT_EQ(expressions[18], U"longval");
  EXPECT_EQ(expressions[24], U"(int)uintfast");
  EXPECT_EQ(expressions[29], U"(int)uintmax");
  EXPECT_EQ(expressions[34], U"uintval");
  EXPECT_EQ(expressions[39], U"ulongval");
  for (std::size_t i = 1; i < run.journal.lines.size(); ++i) {
    EXPECT_EQ(run.journal.lines[i].level, 4);
  }
  EXPECT_EQ(run.recorder.messages.size(), 1u);  // the banner: mismatches go to the journal
}

TEST(Sanity2Integer, LocaleThatCannotBeCreatedEndsTheSuite) {
  SanityHost host;
  host.fail_locale_at = 3;
  SuiteRun run;
  run.go(host.handle());
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.messageCount(U"Failed to get handle for currentLocale"), 1u);
  EXPECT_EQ(run.recorder.steps,
            (std::vector<std::u32string>{kHandleStep, kNlsStep, kDateSection, kIntegerSection}));
  EXPECT_EQ(host.destroys, 2);
  EXPECT_EQ(host.calls.size(), 2 * kRecordsPerLocale);
}

// Against the stand-in host, every check of the integer section passes.
TEST(Sanity2Host, IgnoreDecimalSectionPassesAgainstTheHost) {
  void* kernel = zqhostCreate();
  SuiteRun run;
  run.go(static_cast<zq::KernelHandle*>(kernel));
  EXPECT_EQ(run.result, 0);
  std::string failures;
  for (const auto& line : run.journal.lines) {
    if (line.level == 4) failures += narrow(line.text) + "\n";
  }
  EXPECT_EQ(run.recorder.failures(), 0u) << failures;
  EXPECT_EQ(run.recorder.checks.size(), 2 + 18 * (2 + 3 * kRecordsPerLocale));
  EXPECT_EQ(zqhostDestroy(kernel), 0);
}

}  // namespace
