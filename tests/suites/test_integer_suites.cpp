// integerTest1-4: a full run on the stand-in host, and failure paths on a scripted locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/message_format.h"
#include "host/status_text.h"
#include "recording_services.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::Recorder;

const char* const kLocales[] = {"en_US", "zh_CN", "zh_TW", "cs_CZ", "nl_NL", "fr_FR",
                                "de_DE", "he_IL", "hu_HU", "it_IT", "ja_JP", "ko_KR",
                                "pl_PL", "ru_RU", "sk_SK", "es_ES", "sv_SE"};

std::u32string wide(const std::string& s) { return std::u32string(s.begin(), s.end()); }

struct IntegerHostRun : ::testing::Test {
  void SetUp() override {
    char pattern[] = "/tmp/zqvnli_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    kernel = static_cast<zq::KernelHandle*>(zqhostCreate());
    zqhostSetOutputDir(kernel, dir.c_str());
  }
  void TearDown() override {
    EXPECT_EQ(zqhostDestroy(kernel), 0);
    std::filesystem::remove_all(dir);
  }
  // The integer suites through the driver, listing "nlf101.lst"; returns the listing.
  std::string run(bool verbose) {
    zq::TestServices services = zq::testing::recordingServices(recorder);
    zq::SuiteState state{};
    state.selection_mask = 4;
    state.verbose = verbose ? 1 : 0;
    zq::RunRecord run_record{};
    run_record.run_code[0] = U'0';
    run_record.run_code[1] = U'1';
    Exported_ZQHandle = kernel;
    EXPECT_EQ(zqvnleFunction1(&services, 1, &state, &run_record, nullptr), 0);
    Exported_ZQHandle = nullptr;
    std::ifstream in(dir + "/nlf101.lst", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::string failedChecks() const {
    std::string out;
    for (const auto& c : recorder.checks) {
      if (!c.passed) out += std::to_string(c.line) + " expected " + std::to_string(c.expected) +
                            " actual " + std::to_string(c.actual) + "\n";
    }
    return out;
  }
  std::string dir;
  zq::KernelHandle* kernel = nullptr;
  Recorder recorder;
};

TEST_F(IntegerHostRun, EveryCasePassesAndTheListingHoldsOnlyTheBanners) {
  const std::string listing = run(false);
  EXPECT_EQ(recorder.failures(), 0u) << failedChecks();
  // zqh, fileh, jnlh; per suite its NLS check; per locale its handle, 33 formatting
  // cases with three checks, 4 truncation cases with one, 52 parsing cases with three,
  // and the destroy status.
  EXPECT_EQ(recorder.checks.size(), 3 + 4 + 17 * (1 + 33 * 3 + 4 + 52 * 3 + 1));
  EXPECT_EQ(recorder.checks.size(), 4444u);

  const std::string stars(30, '*');
  std::string banners;
  for (const char* locale : kLocales) {
    banners += "\n " + stars + " " + locale + " TESTS " + stars + " \n";
    const std::u32string shown =
        U"\n " + wide(stars) + U" Integer " + wide(locale) + U" TESTS " + wide(stars) + U" \n";
    EXPECT_TRUE(recorder.hasMessage(shown)) << locale;
    const auto descriptors = std::count_if(
        recorder.steps.begin(), recorder.steps.end(), [&](const std::u32string& step) {
          return step.rfind(U"TEST", 0) == 0 && step.find(U" " + wide(locale) + U" ") < 8;
        });
    EXPECT_EQ(descriptors, 89) << locale;
  }
  EXPECT_EQ(listing, banners);
  for (const auto& m : recorder.messages) EXPECT_EQ(m.severity, zq::SEVERITY_INFO);

  const auto step = [&](const std::u32string& text) {
    return std::find(recorder.steps.begin(), recorder.steps.end(), text) != recorder.steps.end();
  };
  EXPECT_TRUE(step(U"TEST5 en_US zqnlsLocaleIntfastFormat , LOCALE_NFMT_SPACEPREFIX | "
                   U"LOCALE_NFMT_GROUP |LOCALE_NFMT_LEFTJUSTIFY , width= 12 , precision=4 "));
  EXPECT_TRUE(step(U"TEST10 de_DE zqnlsLocaleIntfastFormat , LOCALE_NFMT_GROUP , width= 1 , "
                   U"precision=-5 "));
  EXPECT_TRUE(step(U"TEST7 sv_SE zqnlsLocaleUintfastFormat , LOCALE_NFMT_OCTAL| "
                   U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP , width= 14 , precision=0 "));
  EXPECT_TRUE(step(U"TEST3 ko_KR zqnlsLocaleBufferToUintfast , value=buffer, width=14 , "
                   U"precision=32 , options=LOCALE_CVT_HEX "));
  EXPECT_TRUE(step(U"TEST12 fr_FR zqnlsLocaleBufferToUintmax , value=buffer, width=14 , "
                   U"precision=32 , options=LOCALE_CVT_NOEMBEDDEDSPACE "));
}

TEST_F(IntegerHostRun, VerboseListingTracesEveryCase) {
  std::stringstream listing(run(true));
  EXPECT_EQ(recorder.failures(), 0u) << failedChecks();
  std::vector<std::string> traces;
  for (std::string line; std::getline(listing, line);) {
    if (line.rfind("TEST", 0) == 0) traces.push_back(line);
  }
  EXPECT_EQ(traces.size(), 17u * 89);
  const auto has = [&](const std::string& wanted) {
    return std::find(traces.begin(), traces.end(), wanted) != traces.end();
  };
  const std::string nbsp = "\xC2\xA0";
  EXPECT_TRUE(has("TEST03: zqnlsLocaleIntfastFormat  C=14   -2.147.483.647"));
  EXPECT_TRUE(has("TEST03: zqnlsLocaleIntfastFormat  C=14   -2" + nbsp + "147" + nbsp + "483" +
                  nbsp + "647"));
  EXPECT_TRUE(has("TEST08: zqnlsLocaleBufferToIntfast   C=11     -2147483648 "));
  EXPECT_TRUE(has("TEST02: zqnlsLocaleBufferToUintfast   C=08     fffffffe "));
  EXPECT_TRUE(has("TEST04: zqnlsLocaleBufferToUintmax   C=04     0X12CF "));
  // Both 64-bit parsers trace with the signed conversion.
  EXPECT_TRUE(has("TEST06: zqnlsLocaleBufferToUintmax   C=20     -1 "));
}

// ---------------------------------------------------------------------------
// A scripted locale: its integer operations record their arguments and answer as told,
// so a test decides which checks fail. One script is active at a time.

struct Call {
  std::string operation;
  std::int64_t capacity = 0;  // formatters
  std::u32string text;        // parsers: the units they were given
};

struct Script {
  // Formatters write `text` (cut at the capacity) and report `length`; with `decimal`
  // they write the value in plain decimal and report its length.
  bool decimal = true;
  zq::Status format_status = zq::ZQ_OK;
  std::u32string text;
  std::int64_t length = 0;
  // Parsers answer these whatever they are given.
  zq::Status parse_status = zq::ZQ_OK;
  std::int64_t used = 0;
  std::int64_t value = 0;
  zq::Status destroy_status = zq::ZQ_OK;

  std::vector<Call> calls;
  std::vector<std::pair<std::int64_t, std::u32string>> lines;  // level, text
  int flushes = 0;
};
Script* g_script = nullptr;

template <class V>
zq::Status format(zq::LocaleHandle*, V value, std::int32_t, std::int32_t, std::int32_t,
                  zq::ZQChar* buffer, std::int64_t capacity, std::int64_t* length) {
  g_script->calls.push_back({"format", capacity, U""});
  std::u32string out = g_script->text;
  *length = g_script->length;
  if (g_script->decimal) {
    out = wide(std::to_string(value));
    *length = static_cast<std::int64_t>(out.size());
  }
  for (std::size_t i = 0; i < out.size() && static_cast<std::int64_t>(i) < capacity; ++i) {
    buffer[i] = out[i];
  }
  return g_script->format_status;
}

template <class V>
zq::Status parse(zq::LocaleHandle*, const zq::ZQChar* text, std::int64_t length, std::int32_t,
                 V* value, std::int64_t* used) {
  g_script->calls.push_back({"parse", 0, std::u32string(text, text + length)});
  *value = static_cast<V>(g_script->value);
  *used = g_script->used;
  return g_script->parse_status;
}

struct ScriptedRun {
  Script script;
  Recorder recorder;
  zq::TestServices services = zq::testing::recordingServices(recorder);
  zq::SuiteState state{};
  zq::KernelHandle kernel{};
  zq::NlsHandle nls{};
  zq::LocaleHandle locale{};
  zq::Journal journal{};

  ScriptedRun() {
    g_script = &script;
    kernel.nls = &nls;
    nls.zqnlsLocaleCreate = [](zq::NlsHandle* n, const zq::ZQChar*, std::int64_t) {
      return &static_cast<ScriptedRun*>(n->reserved0[0])->locale;
    };
    nls.reserved0[0] = this;
    locale.zqnlsLocaleDestroy = [](zq::LocaleHandle*) { return g_script->destroy_status; };
    locale.zqnlsLocaleIntfastFormat = format<std::int32_t>;
    locale.zqnlsLocaleIntmaxFormat = format<std::int64_t>;
    locale.zqnlsLocaleUintfastFormat = format<std::uint32_t>;
    locale.zqnlsLocaleUintmaxFormat = format<std::uint64_t>;
    locale.zqnlsLocaleBufferToIntfast = parse<std::int32_t>;
    locale.zqnlsLocaleBufferToIntmax = parse<std::int64_t>;
    locale.zqnlsLocaleBufferToUintfast = parse<std::uint32_t>;
    locale.zqnlsLocaleBufferToUintmax = parse<std::uint64_t>;
    journal.FlushJournal = [](zq::Journal*) -> std::int64_t { return ++g_script->flushes; };
    journal.MessageToJnl = [](zq::Journal*, std::int64_t level, const zq::ZQChar* format,
                              std::int64_t length, std::va_list* args) -> std::int64_t {
      // A format passed with its exact length ends right there.
      EXPECT_EQ(format[length], 0u);
      g_script->lines.emplace_back(level, zq::host::formatMessage(format, length, args));
      return 0;
    };
    journal.StatusToBuf = [](zq::Journal*, std::int64_t status, zq::ZQChar* buffer,
                             std::int64_t capacity, std::int64_t* length,
                             std::va_list*) -> std::int64_t {
      const std::u32string text = zq::host::statusText(status);
      *length = std::min<std::int64_t>(capacity, static_cast<std::int64_t>(text.size()));
      std::copy_n(text.begin(), *length, buffer);
      return 0;
    };
  }
  ~ScriptedRun() { g_script = nullptr; }

  void run(zq::ConformanceSuiteFn suite) {
    ASSERT_EQ(suite(&services, 9, &state, &journal, &kernel), 0);
  }
  bool hasLine(std::int64_t level, const std::u32string& text) const {
    return std::find(script.lines.begin(), script.lines.end(), std::pair{level, text}) !=
           script.lines.end();
  }
  std::size_t messages(const std::u32string& head) const {
    return static_cast<std::size_t>(std::count_if(
        recorder.messages.begin(), recorder.messages.end(),
        [&](const auto& m) { return m.text.rfind(head, 0) == 0; }));
  }
};

TEST(IntegerInputs, FollowTheLocaleDecimalSeparatorAndTheBuiltValues) {
  ScriptedRun r;
  r.run(integerTest1);  // en_US, zh_CN, zh_TW, cs_CZ, nl_NL
  ASSERT_EQ(r.script.calls.size(), 5u * 93);
  std::vector<std::u32string> en_us;
  std::vector<std::u32string> nl_nl;
  for (std::size_t i = 0; i < 93; ++i) {
    en_us.push_back(r.script.calls[i].text);
    nl_nl.push_back(r.script.calls[4 * 93 + i].text);
  }
  // Formatted extremes are parsed as the formatter wrote them; minimum values are copied.
  const std::u32string intfast7 = en_us[44];
  EXPECT_EQ(intfast7, U"2147483647");
  EXPECT_EQ(r.script.calls[43].capacity, 72);
  EXPECT_EQ(en_us[45], U"-2147483648");
  EXPECT_EQ(en_us[58], U"9223372036854775807");
  EXPECT_EQ(en_us[59], U"-9223372036854775808");
  EXPECT_EQ(en_us[73], U"4294967295");
  EXPECT_EQ(en_us[86], U"18446744073709551615");
  EXPECT_EQ(en_us[68], std::u32string(72, U' '));
  // Only the inputs with a decimal separator change, and only that unit.
  for (std::size_t i = 37; i < 93; ++i) {
    std::u32string expected = en_us[i];
    std::replace(expected.begin(), expected.end(), U'.', U',');
    EXPECT_EQ(nl_nl[i], expected) << i;
  }
  EXPECT_EQ(en_us[37], U"1234.");
  EXPECT_EQ(nl_nl[82], U"1234,674");
  // The truncation cases alone pass a 5-unit buffer.
  for (std::size_t i = 0; i < 37; ++i) {
    EXPECT_EQ(r.script.calls[i].capacity, i == 9 || i == 18 || i == 27 || i == 36 ? 5 : 72);
  }
}

TEST(IntegerMismatches, FormattingCasesReportAndJournalEachCheck) {
  ScriptedRun r;  // plain decimal: "246" where "000246" is expected, and so on
  r.run(integerTest2);
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleIntfastFormat : incorrect converted length"), 5u);
  EXPECT_TRUE(
      r.hasLine(4, U"  TEST01: zqnlsLocaleIntfastFormat cnvL was 3 but should have been 6\n"));
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleIntfastFormat , incorrect formatted string"), 5u);
  const std::u32string head = U"  TEST03: zqnlsLocaleIntfastFormat Value -2147483647 does not "
                              U"match expected value of ";
  EXPECT_TRUE(r.hasLine(4, head + U"-2\u00A0147\u00A0483\u00A0647\n"));  // fr_FR, hu_HU
  EXPECT_TRUE(r.hasLine(4, head + U"-2.147.483.647\n"));                 // de_DE, it_IT
  EXPECT_TRUE(r.hasLine(4, head + U"-2,147,483,647\n"));                 // he_IL
  // The converted length goes in the slot the harness calls expected.
  const auto length_check = std::find_if(r.recorder.checks.begin(), r.recorder.checks.end(),
                                         [](const auto& c) { return c.kind == "int"; });
  EXPECT_EQ(length_check->expected, 3);
  EXPECT_EQ(length_check->actual, 6);
  // Plain decimal is right for 0 and for the unsigned maximum without grouping.
  EXPECT_EQ(r.messages(U"TEST8 zqnlsLocaleIntfastFormat"), 0u);
  EXPECT_EQ(r.messages(U"TEST7 zqnlsLocaleUintmaxFormat"), 0u);

  // An untruncated truncation case: the status line, the TRUNCATE line, nothing more.
  EXPECT_EQ(r.messages(U"  TEST10 zqnlsLocaleIntfastFormat : Unexpected status"), 5u);
  EXPECT_TRUE(r.hasLine(4, U"  TEST10: zqnlsLocaleIntfastFormat Status was 'ZQ_OK (0x00000000)' "
                           U"but should have been 'ZQ_NLS_FMT_TRUNCATE'\n"));
  EXPECT_TRUE(r.hasLine(4, U"  TEST10: zqnlsLocaleIntfastFormat Should have been TRUNCATE, cnvL = "
                           U"8 fmtbuf = 12345\n"));
  EXPECT_EQ(r.messages(U"TEST10 zqnlsLocaleIntfastFormat"), 0u);

  ScriptedRun truncating;
  truncating.script.decimal = false;
  truncating.script.format_status = zq::ZQ_NLS_FMT_TRUNCATE;
  truncating.run(integerTest4);
  EXPECT_EQ(truncating.messages(U"  TEST10 zqnlsLocaleIntfastFormat"), 0u);
  EXPECT_EQ(truncating.messages(U"  TEST1 zqnlsLocaleIntmaxFormat : Unexpected status"), 2u);
  EXPECT_TRUE(truncating.hasLine(4, U"  TEST01: zqnlsLocaleIntmaxFormat Status was "
                                    U"'ZQ_NLS_FMT_TRUNCATE (0x803FE80E)' but should have been "
                                    U"'ZQ_OK'\n"));
}

TEST(IntegerMismatches, ParsingCasesReportAndJournalEachCheck) {
  ScriptedRun r;
  r.script.used = 11;
  r.script.value = 111;  // what "111" with eight blanks should give
  r.run(integerTest4);
  EXPECT_EQ(r.messages(U"S0310191 TEST11 zqnlsLocaleBufferToIntfast : Unexpected status"), 2u);
  EXPECT_TRUE(r.hasLine(4, U"S0310191 TEST11: zqnlsLocaleBufferToIntfast Status was 'ZQ_OK "
                           U"(0x00000000)' but should have been 'ZQ_NLS_BAD_NUM'\n"));
  EXPECT_TRUE(r.hasLine(4, U"  TEST03: zqnlsLocaleBufferToIntmax Status was 'ZQ_OK (0x00000000)' "
                           U"but should have been 'ZQ_NLS_OVERFLOW'\n"));
  // Length lines go to level 1, with the expected length written into the format.
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleBufferToIntfast : incorrect converted length"), 2u);
  EXPECT_TRUE(r.hasLine(1, U"  TEST01: zqnlsLocaleBufferToIntfast Expected used length should have "
                           U"been 4  but was 11\n"));
  EXPECT_TRUE(r.hasLine(1, U"S0214671 TEST03: zqnlsLocaleBufferToUintfast Expected used length "
                           U"should have been 72  but was 11\n"));
  EXPECT_TRUE(r.hasLine(1, U"S0309949 TEST07: zqnlsLocaleBufferToIntfast Expected used length "
                           U"should have been 10 but was 11\n"));
  // Value lines write the expected value as the case gives it.
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleBufferToIntfast , incorrect informatted value"), 2u);
  EXPECT_TRUE(r.hasLine(4, U"  TEST01: zqnlsLocaleBufferToIntfast Value should have been 1234  "
                           U"but was 111 \n"));
  EXPECT_TRUE(r.hasLine(4, U"  TEST02: zqnlsLocaleBufferToUintfast Value should have been "
                           U"0xfffffffe  but was 6f \n"));
  EXPECT_TRUE(r.hasLine(4, U"  TEST04: zqnlsLocaleBufferToUintmax Value should have been 0X12CF  "
                           U"but was 0X6F \n"));
  EXPECT_TRUE(r.hasLine(4, U"S0309949 TEST07: zqnlsLocaleBufferToIntmax Value should have been "
                           U"-9223372036854775808  but was 111 \n"));
  // The case the script answers rightly raises nothing.
  EXPECT_EQ(r.messages(U"S0310191 TEST9 zqnlsLocaleBufferToIntfast"), 0u);
  EXPECT_EQ(r.messages(U"TEST9 zqnlsLocaleBufferToIntfast"), 0u);
}

TEST(IntegerMismatches, ReportedLengthsNeverReadPastTheBuffers) {
  ScriptedRun r;
  r.script.decimal = false;  // fill every unit given and claim far more
  r.script.text = std::u32string(80, U'X');
  r.script.length = 1000;
  r.run(integerTest4);
  const std::u32string full(72, U'X');
  EXPECT_TRUE(r.hasLine(4, U"  TEST01: zqnlsLocaleIntfastFormat Value " + full +
                               U" does not match expected value of 000246\n"));
  EXPECT_TRUE(r.hasLine(4, U"  TEST10: zqnlsLocaleIntfastFormat Should have been TRUNCATE, cnvL = "
                           U"1000 fmtbuf = XXXXX\n"));
  EXPECT_EQ(r.script.calls[44].text, full);  // the formatted input, parsed over the buffer

  // A count beyond 32 bits never passes for a small expected count.
  ScriptedRun wide_counts;
  wide_counts.script.decimal = false;
  wide_counts.script.text = U"000246";
  wide_counts.script.length = (std::int64_t{1} << 32) + 6;
  wide_counts.script.used = (std::int64_t{1} << 32) + 4;
  wide_counts.run(integerTest4);
  EXPECT_EQ(wide_counts.messages(U"TEST1 zqnlsLocaleIntfastFormat : incorrect converted"), 2u);
  EXPECT_EQ(wide_counts.messages(U"TEST1 zqnlsLocaleIntfastFormat , incorrect formatted"), 0u);
  EXPECT_EQ(wide_counts.messages(U"TEST1 zqnlsLocaleBufferToIntfast : incorrect converted"), 2u);
}

TEST(IntegerMismatches, VerboseTracesAndDestroyFailures) {
  ScriptedRun r;
  r.state.verbose = 1;
  r.script.used = 11;
  r.script.value = 111;
  r.script.destroy_status = zq::ZQ_NLS_INVALID_VALUE;
  r.run(integerTest4);
  const auto traces = std::count_if(r.script.lines.begin(), r.script.lines.end(), [](auto& l) {
    return l.second.rfind(U"TEST", 0) == 0 && l.first == 1;
  });
  EXPECT_EQ(traces, 2 * 89);
  EXPECT_TRUE(r.hasLine(1, U"TEST10: zqnlsLocaleIntfastFormat  C=08   12345\n"));
  EXPECT_TRUE(r.hasLine(1, U"TEST01: zqnlsLocaleBufferToIntmax   C=11     111 \n"));
  EXPECT_TRUE(r.hasLine(1, U"TEST05: zqnlsLocaleBufferToUintmax   C=11     0X6F \n"));
  // Each locale's destroy failure is reported, and the next locale still runs.
  EXPECT_EQ(r.messages(U"zqnlsLocaleDestroy failed"), 2u);
  EXPECT_EQ(r.script.flushes, 2);
}

}  // namespace
