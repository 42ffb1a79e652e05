// zqvnleIEEEConv on a scripted host: the decimal-conversion mode word each of its passes
// finds, and the word restored after them. (Its texts, which a scripted host writes
// wrongly, are the golden listings' of the stand-in host.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "suite_run.h"

namespace {

using zq::SuiteSlot;
using zq::testing::SuiteRun;

constexpr std::size_t kIeeeCallsPerPass = 18 * 22 * 2;

// The mode word each double format call found, pass by pass.
bool passModes(const SuiteRun& r, std::int32_t first, std::int32_t second) {
  const auto& calls = r.scripted_host->calls;
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
    SuiteRun r(true);
    r.scripted_host->conversion_options.decimal_conversion_mode = row.saved;
    r.entry(SuiteSlot::IEEEConv);
    EXPECT_EQ(r.result, 0);
    EXPECT_TRUE(passModes(r, row.saved, row.second));
    EXPECT_EQ(r.scripted_host->conversion_options.decimal_conversion_mode, row.saved);
    EXPECT_TRUE(r.said(banner(row.first_banner)));
    EXPECT_TRUE(r.said(banner(row.second_banner)));
    EXPECT_NE(zq::host::journalText(r.journal)
                  .find(U"\n***Beginning zqvnleIEEEConv testing with " +
                        std::u32string(row.second_banner) + U" ***\n"),
              std::u32string::npos);
  }
}

TEST(IeeeConvMode, AMissingLocaleInPassTwoStillRestoresTheWord) {
  for (const std::int32_t saved : {0, 1}) {
    SuiteRun r(true);
    r.scripted_host->conversion_options.decimal_conversion_mode = saved;
    r.scripted_host->script.locales_left = 18 + 3;
    r.entry(SuiteSlot::IEEEConv);
    EXPECT_EQ(r.result, 1);
    EXPECT_TRUE(r.said(U"Failed to get handle for currentLocale"));
    EXPECT_EQ(r.scripted_host->calls.size(), kIeeeCallsPerPass + 3 * 22 * 2);
    EXPECT_EQ(r.scripted_host->calls.back().mode, saved == 0 ? 1 : 0);
    EXPECT_EQ(r.scripted_host->conversion_options.decimal_conversion_mode, saved);
  }
}

TEST(IeeeConvMode, NoVerifyOrNoModeChainLeavesTheWordAlone) {
  SuiteRun r(true);
  r.scripted_host->conversion_options.decimal_conversion_mode = 7;
  r.state.no_verify = 1;
  r.scripted_host->script.decimal = false;  // every text wrong: nothing may be compared
  r.scripted_host->script.text = U"?";
  r.entry(SuiteSlot::IEEEConv);
  EXPECT_TRUE(passModes(r, 7, 7));
  EXPECT_EQ(r.scripted_host->conversion_options.decimal_conversion_mode, 7);
  EXPECT_EQ(r.recorder.failures(), 0u);
  EXPECT_EQ(std::count_if(r.recorder.checks.begin(), r.recorder.checks.end(),
                          [](const auto& c) { return c.expression == U"1"; }),
            2 * 18 * 22 * 6);
  // The banners are those of a host found in STDIEEE.
  EXPECT_TRUE(r.said(banner(U"reset DECIMALCONV = COMPATIBLE")));

  SuiteRun chainless(true);
  chainless.scripted_host->kernel.conversion = nullptr;
  chainless.entry(SuiteSlot::IEEEConv);
  EXPECT_EQ(chainless.result, 0);
  EXPECT_TRUE(chainless.said(banner(U"reset DECIMALCONV = COMPATIBLE")));
}

}  // namespace
