// integerTest1-4 on a scripted locale: the inputs they build and how they report mismatches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "suite_run.h"

namespace {

using zq::testing::SuiteRun;

TEST(IntegerInputs, FollowTheLocaleDecimalSeparatorAndTheBuiltValues) {
  SuiteRun r;
  r.conformance(integerTest1);  // en_US, zh_CN, zh_TW, cs_CZ, nl_NL
  EXPECT_EQ(r.result, 0);
  ASSERT_EQ(r.host.calls.size(), 5u * 93);
  const auto en_us = [&](std::size_t i) { return r.host.calls[i].text; };
  const auto nl_nl = [&](std::size_t i) { return r.host.calls[4 * 93 + i].text; };
  // Formatted extremes are parsed as the formatter wrote them; minimum values are copied.
  EXPECT_EQ(en_us(44), U"2147483647");
  EXPECT_EQ(r.host.calls[43].capacity, 72);
  EXPECT_EQ(en_us(59), U"-9223372036854775808");
  EXPECT_EQ(en_us(86), U"18446744073709551615");
  EXPECT_EQ(en_us(68), std::u32string(72, U' '));
  // Only the inputs with a decimal separator change, and only that unit.
  EXPECT_EQ(en_us(37), U"1234.");
  EXPECT_EQ(nl_nl(37), U"1234,");
  EXPECT_EQ(nl_nl(45), U"-2147483648");
  EXPECT_EQ(nl_nl(82), U"1234,674");
}

TEST(IntegerMismatches, FormattingCasesReportAndJournalEachCheck) {
  SuiteRun r;  // plain decimal: "246" where "000246" is expected, and so on
  r.conformance(integerTest2);
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleIntfastFormat : incorrect converted length"), 5u);
  EXPECT_TRUE(r.has(4, U"  TEST01: zqnlsLocaleIntfastFormat cnvL was 3 but should have been 6\n"));
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleIntfastFormat , incorrect formatted string"), 5u);
  const std::u32string head = U"  TEST03: zqnlsLocaleIntfastFormat Value -2147483647 does not "
                              U"match expected value of ";
  EXPECT_TRUE(r.has(4, head + U"-2\u00A0147\u00A0483\u00A0647\n"));  // fr_FR, hu_HU
  EXPECT_TRUE(r.has(4, head + U"-2.147.483.647\n"));                 // de_DE, it_IT
  EXPECT_TRUE(r.has(4, head + U"-2,147,483,647\n"));                 // he_IL
  // The converted length goes in the slot the harness calls expected.
  const auto length_check = std::find_if(r.recorder.checks.begin(), r.recorder.checks.end(),
                                         [](const auto& c) { return c.kind == "int"; });
  EXPECT_EQ(std::tie(length_check->expected, length_check->actual), std::make_tuple(3, 6));
  // Plain decimal is right for 0 and for the unsigned maximum without grouping.
  EXPECT_EQ(r.messages(U"TEST8 zqnlsLocaleIntfastFormat"), 0u);
  EXPECT_EQ(r.messages(U"TEST7 zqnlsLocaleUintmaxFormat"), 0u);

  // An untruncated truncation case: the status line, the TRUNCATE line, nothing more.
  EXPECT_EQ(r.messages(U"  TEST10 zqnlsLocaleIntfastFormat : Unexpected status"), 5u);
  EXPECT_TRUE(r.has(4, U"  TEST10: zqnlsLocaleIntfastFormat Status was 'ZQ_OK (0x00000000)' "
                       U"but should have been 'ZQ_NLS_FMT_TRUNCATE'\n"));
  EXPECT_TRUE(r.has(4, U"  TEST10: zqnlsLocaleIntfastFormat Should have been TRUNCATE, cnvL = "
                       U"8 fmtbuf = 12345\n"));
  EXPECT_EQ(r.messages(U"TEST10 zqnlsLocaleIntfastFormat"), 0u);

  SuiteRun truncating;
  truncating.host.script.decimal = false;
  truncating.host.script.format_status = zq::ZQ_NLS_FMT_TRUNCATE;
  truncating.conformance(integerTest4);
  EXPECT_EQ(truncating.messages(U"  TEST10 zqnlsLocaleIntfastFormat"), 0u);
  EXPECT_TRUE(truncating.has(4, U"  TEST01: zqnlsLocaleIntmaxFormat Status was "
                                U"'ZQ_NLS_FMT_TRUNCATE (0x803FE80E)' but should have been "
                                U"'ZQ_OK'\n"));
}

TEST(IntegerMismatches, ParsingCasesReportAndJournalEachCheck) {
  SuiteRun r;
  r.host.script.used = 11;
  r.host.script.value = 111;  // what "111" with eight blanks should give
  r.conformance(integerTest4);
  EXPECT_EQ(r.messages(U"S0310191 TEST11 zqnlsLocaleBufferToIntfast : Unexpected status"), 2u);
  EXPECT_TRUE(r.has(4, U"S0310191 TEST11: zqnlsLocaleBufferToIntfast Status was 'ZQ_OK "
                       U"(0x00000000)' but should have been 'ZQ_NLS_BAD_NUM'\n"));
  // Length lines go to level 1, with the expected length written into the format.
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleBufferToIntfast : incorrect converted length"), 2u);
  EXPECT_TRUE(r.has(1, U"  TEST01: zqnlsLocaleBufferToIntfast Expected used length should have "
                       U"been 4  but was 11\n"));
  EXPECT_TRUE(r.has(1, U"S0309949 TEST07: zqnlsLocaleBufferToIntfast Expected used length "
                       U"should have been 10 but was 11\n"));
  // Value lines write the expected value as the case gives it.
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleBufferToIntfast , incorrect informatted value"), 2u);
  EXPECT_TRUE(r.has(4, U"  TEST02: zqnlsLocaleBufferToUintfast Value should have been "
                       U"0xfffffffe  but was 6f \n"));
  EXPECT_TRUE(r.has(4, U"  TEST04: zqnlsLocaleBufferToUintmax Value should have been 0X12CF  "
                       U"but was 0X6F \n"));
  EXPECT_TRUE(r.has(4, U"S0309949 TEST07: zqnlsLocaleBufferToIntmax Value should have been "
                       U"-9223372036854775808  but was 111 \n"));
  // The case the script answers rightly raises nothing.
  EXPECT_EQ(r.messages(U"S0310191 TEST9 zqnlsLocaleBufferToIntfast"), 0u);
}

TEST(IntegerMismatches, ReportedLengthsNeverReadPastTheBuffers) {
  SuiteRun r;
  r.host.script.decimal = false;  // fill every unit given and claim far more
  r.host.script.text = std::u32string(80, U'X');
  r.host.script.length = 1000;
  r.conformance(integerTest4);
  const std::u32string full(72, U'X');
  EXPECT_TRUE(r.has(4, U"  TEST01: zqnlsLocaleIntfastFormat Value " + full +
                       U" does not match expected value of 000246\n"));
  EXPECT_TRUE(r.has(4, U"  TEST10: zqnlsLocaleIntfastFormat Should have been TRUNCATE, cnvL = "
                       U"1000 fmtbuf = XXXXX\n"));
  EXPECT_EQ(r.host.calls[44].text, full);  // the formatted input, parsed over the buffer

  // A count beyond 32 bits never passes for a small expected count.
  SuiteRun wide;
  wide.host.script.decimal = false;
  wide.host.script.text = U"000246";
  wide.host.script.length = (std::int64_t{1} << 32) + 6;
  wide.host.script.used = (std::int64_t{1} << 32) + 4;
  wide.conformance(integerTest4);
  EXPECT_EQ(wide.messages(U"TEST1 zqnlsLocaleIntfastFormat : incorrect converted"), 2u);
  EXPECT_EQ(wide.messages(U"TEST1 zqnlsLocaleIntfastFormat , incorrect formatted"), 0u);
  EXPECT_EQ(wide.messages(U"TEST1 zqnlsLocaleBufferToIntfast : incorrect converted"), 2u);
}

TEST(IntegerMismatches, VerboseTracesAndDestroyFailures) {
  SuiteRun r;
  r.state.verbose = 1;
  r.host.script.used = 11;
  r.host.script.value = ~std::uint64_t{0};
  r.host.script.destroy_status = zq::ZQ_NLS_INVALID_VALUE;
  r.conformance(integerTest4);
  EXPECT_EQ(r.journal.countStartingWith(U"TEST"), 2u * 89);
  EXPECT_TRUE(r.has(1, U"TEST10: zqnlsLocaleIntfastFormat  C=08   12345\n"));
  EXPECT_TRUE(r.has(1, U"TEST02: zqnlsLocaleBufferToUintfast   C=11     ffffffff \n"));
  // Both 64-bit parsers trace with the signed conversion.
  EXPECT_TRUE(r.has(1, U"TEST06: zqnlsLocaleBufferToUintmax   C=11     -1 \n"));
  // Each locale's destroy failure is reported, and the next locale still runs.
  EXPECT_EQ(r.messages(U"zqnlsLocaleDestroy failed"), 2u);
  EXPECT_EQ(r.journal.flushes, 2);
}

}  // namespace
