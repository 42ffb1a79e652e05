// doubleTest1-4, zqvnleIEEEConv and sanity families 4-7 on a scripted locale: the mode word
// and the texts of mismatches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "suite_run.h"

namespace {

using zq::testing::SuiteRun;

constexpr std::size_t kIeeeCallsPerPass = 18 * 22 * 2;

// The mode word each double format call found, pass by pass.
bool passModes(const SuiteRun& r, std::int32_t first, std::int32_t second) {
  const auto& calls = r.host.calls;
  if (calls.size() != 2 * kIeeeCallsPerPass) return false;
  return std::all_of(calls.begin(), calls.end(), [&](const auto& call) {
    return call.mode == (&call < &calls[kIeeeCallsPerPass] ? first : second);
  });
}

std::u32string banner(const std::u32string& mode) {
  const std::u32string stars = U"**************";
  return stars + U"Beginning zqvnleIEEEConv testing with " + mode + U" " + stars.substr(1);
}

TEST(IeeeConvMode, BannersAndPassModesFollowTheSavedModeWhichComesBack) {
  // saved mode -> pass 2's mode, the two banners
  const struct {
    std::int32_t saved, second;
    const char32_t* first_banner;
    const char32_t* second_banner;
  } rows[] = {{0, 1, U"DECIMALCONV = STDIEEE", U"reset DECIMALCONV = COMPATIBLE"},
              {7, 0, U"DECIMALCONV = COMPATIBLE", U"reset DECIMALCONV = STDIEEE"}};
  for (const auto& row : rows) {
    SuiteRun r;
    r.host.conversion_options.decimal_conversion_mode = row.saved;
    r.entry(zqvnleIEEEConv);
    EXPECT_EQ(r.result, 0);
    EXPECT_TRUE(passModes(r, row.saved, row.second));
    EXPECT_EQ(r.host.conversion_options.decimal_conversion_mode, row.saved);
    EXPECT_TRUE(r.said(banner(row.first_banner)));
    EXPECT_TRUE(r.said(banner(row.second_banner)));
    EXPECT_TRUE(r.has(1, U"\n***Beginning zqvnleIEEEConv testing with " +
                             std::u32string(row.second_banner) + U" ***\n"));
  }
}

TEST(IeeeConvMode, AMissingLocaleInPassTwoStillRestoresTheWord) {
  for (const std::int32_t saved : {0, 1}) {
    SuiteRun r;
    r.host.conversion_options.decimal_conversion_mode = saved;
    r.host.script.locales_left = 18 + 3;
    r.entry(zqvnleIEEEConv);
    EXPECT_EQ(r.result, 1);
    EXPECT_TRUE(r.said(U"Failed to get handle for currentLocale"));
    EXPECT_EQ(r.host.calls.size(), kIeeeCallsPerPass + 3 * 22 * 2);
    EXPECT_EQ(r.host.calls.back().mode, saved == 0 ? 1 : 0);
    EXPECT_EQ(r.host.conversion_options.decimal_conversion_mode, saved);
  }
}

TEST(IeeeConvMode, NoVerifyOrNoModeChainLeavesTheWordAlone) {
  SuiteRun r;
  r.host.conversion_options.decimal_conversion_mode = 7;
  r.state.no_verify = 1;
  r.host.script.decimal = false;  // every text wrong: nothing may be compared
  r.host.script.text = U"?";
  r.entry(zqvnleIEEEConv);
  EXPECT_TRUE(passModes(r, 7, 7));
  EXPECT_EQ(r.host.conversion_options.decimal_conversion_mode, 7);
  EXPECT_EQ(r.recorder.failures(), 0u);
  EXPECT_EQ(std::count_if(r.recorder.checks.begin(), r.recorder.checks.end(),
                          [](const auto& c) { return c.expression == U"1"; }),
            2 * 18 * 22 * 6);
  // The banners are those of a host found in STDIEEE.
  EXPECT_TRUE(r.said(banner(U"reset DECIMALCONV = COMPATIBLE")));

  SuiteRun chainless;
  chainless.host.kernel.conversion = nullptr;
  chainless.entry(zqvnleIEEEConv);
  EXPECT_EQ(chainless.result, 0);
  EXPECT_TRUE(chainless.said(banner(U"reset DECIMALCONV = COMPATIBLE")));
}

TEST(IeeeConvMismatch, LinesNameTheVectorAndLocaleAndDumpTheUnits) {
  SuiteRun r;
  r.host.script.decimal = false;
  r.host.script.text = std::u32string(17, U'X');
  r.entry(zqvnleIEEEConv);
  // Pass 1 runs STDIEEE, where test 21 expects a reversion.
  EXPECT_TRUE(r.has(4, U"TEST21: zqnlsLocaleDoubleFormatExOpts (option#16384 - cs_CZ) status "
                       U"was 'ZQ_OK (0x00000000)' but should have been 'ZQ_NLS_FMT_REVERT "
                       U"(0x803FE816)'"));
  EXPECT_TRUE(r.has(4, U"TEST01: zqnlsLocaleDoubleFormatWithExOpts (option#2048 - zh_TW) "
                       U"ZQChars consumed was 17 but should have been 32"));
  EXPECT_EQ(r.messages(U"ERROR: zqnlsLocaleDoubleFormat did not return expected number of "
                       U"converted characters"),
            2u * 18 * 21);  // every vector but test 15, whose length is right
  // The grouped vector's expected units, localised: a no-break space between groups in
  // fr_FR, points in de_DE, a decimal comma in both.
  const auto fr = r.linesAfter(U"TEST15: zqnlsLocaleDoubleFormat (option#135168 - fr_FR) "
                               U"returned incorrect contents in update buffer.",
                               17);
  ASSERT_EQ(fr.size(), 17u);
  EXPECT_EQ(fr[2], U"                 expected[ 2]=   a0  fmtbuf[ 2]=   58");
  EXPECT_EQ(fr[14], U"                 expected[14]=   2c  fmtbuf[14]=   58");
  const auto de = r.linesAfter(U"TEST15: zqnlsLocaleDoubleFormat (option#135168 - de_DE) "
                               U"returned incorrect contents in update buffer.",
                               15);
  ASSERT_EQ(de.size(), 15u);
  EXPECT_EQ(de[2], U"                 expected[ 2]=   2e  fmtbuf[ 2]=   58");
}

TEST(DoubleCaseMismatches, TextsCarryTheCaseTagsAndTheLocaleStyle) {
  SuiteRun r;
  r.host.script.decimal = false;
  r.host.script.text = U"X";
  r.conformance(doubleTest4);  // es_ES, sv_SE
  EXPECT_EQ(r.result, 0);
  EXPECT_TRUE(r.said(U"\n ****************************** LocDoubleFormat es_ES TESTS "
                     U"****************************** \n"));
  // Only the banners' empty lines: none before a locale's first step.
  EXPECT_EQ(std::count_if(r.recorder.messages.begin(), r.recorder.messages.end(),
                          [](const auto& m) { return m.text.empty(); }),
            4);
  EXPECT_NE(std::find(r.recorder.steps.begin(), r.recorder.steps.end(),
                      U"TEST24 sv_SE zqnlsLocaleDoubleFormat, LOCALE_NFMT_QORWD|LOCALE_NFMT_GROUP"
                      U"|LOCALE_NFMT_TRAILZERO , value= -1234567890.02500 , width= 20 , prec=4 "
                      U"\n"),
            r.recorder.steps.end());
  EXPECT_EQ(r.messages(U"TEST5 zqnlsLocaleDoubleFormat : incorrect converted length\n"), 2u);
  EXPECT_TRUE(r.has(4, U"S0209633 TEST05: LocDoubleFormat   cnvL was 1 but should have been "
                       U"8\n"));
  EXPECT_TRUE(r.has(4, U"  TEST11: LocDoubleFormat  Status was 'ZQ_OK (0x00000000)' but should "
                       U"have been 'ZQ_NLS_FMT_TRUNCATE'\n"));
  EXPECT_TRUE(r.has(4, U"  TEST24: LocDoubleFormat  Value X does not match expected value of "
                       U" -1\u00A0234\u00A0567\u00A0890,0250\n"));
  EXPECT_TRUE(r.has(4, U"  TEST24: LocDoubleFormat  Value X does not match expected value of "
                       U" -1.234.567.890,0250\n"));
  // The probes: a zero substitute must be refused, "*" must come back.
  EXPECT_TRUE(r.has(4, U"S0213279 TEST69: LocDoubleFormatWithExOpts Status was 'ZQ_OK "
                       U"(0x00000000)' when ZQ_NLS_FMT_INVALID_MISSCHAR was expected\n"));
  EXPECT_TRUE(r.has(4, U"  TEST01: LocDoubleFormatWithExOpts value of X is not expected value "
                       U"of *\n"));
  // Both operations answered alike: checks 4 to 6 raise nothing.
  EXPECT_EQ(r.messages(U"  TEST1  zqnlsLocaleDoubleFormat and"), 0u);
  EXPECT_EQ(r.messages(U"TEST1 zqnlsLocaleDoubleFormat and"), 0u);
}

TEST(SanityDoubleMismatches, LinesOfTheFourFamilies) {
  SuiteRun r;
  r.host.script.decimal = false;
  r.host.script.text = U"X";
  r.entry(zqvnleSanity1);
  EXPECT_TRUE(r.has(4, U"zqnlsLocaleDoubleFormat: Test 1: LocaleDoubleFormat converted length "
                       U"was 1 when 10 was expected for format type of 1"));
  EXPECT_EQ(r.linesAfter(U"zqnlsLocaleDoubleFormat: Test 1: LocaleDoubleFormat buffer was "
                         U"unexpected",
                         1),
            std::vector<std::u32string>{U"    ReturnedBuf[0]==X(58)       ExpectedBuf[0]== (20)"});
  EXPECT_EQ(r.linesAfter(U"zqnlsLocaleCurrencyFormat: Test 1: LocaleCurrencyFormat buffer was X "
                         U"when  $1,234.56 expected for locale en_US",
                         1),
            std::vector<std::u32string>{U"returned[ 0] == 0x58   expected[ 0] = 0x20"});
  EXPECT_TRUE(r.has(4, U"zqnlsLocalePercentFormat: Test 2: LocalePercentFormat converted length "
                       U"was 1 while IntFast was 0"));
  EXPECT_TRUE(r.has(4, U"zqnlsLocaleDoubleFormat: Test 1: LocaleDoubleFormat converted length was "
                       U"1 while IntFast was 0 for format type of 1"));
  EXPECT_TRUE(r.has(4, U"zqnlsLocaleDoubleFormatWithExOpts: Test 2: formatted string was X when  "
                       U"* was expected"));
  // The second operation's status is held to the record's, not to the first call's: the
  // three rows that expect a truncation.
  EXPECT_EQ(r.messages(U"LocDoubleFormat and LocDoubleFormatWithExOpts status do not match"), 3u);
}

}  // namespace
