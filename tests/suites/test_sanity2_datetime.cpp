// zqvnleSanity2's date/time section: its vectors against the stand-in host, and its
// messages on a scripted host whose date parsers answer wrongly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "suite_run.h"
#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_datetime_table.h"

namespace {

using zq::testing::RecordedCheck;
using zq::testing::SuiteRun;

// The section checks no consumed count of a refused input; the host must still
// report the vector's.
TEST(Sanity2Datetime, EveryVectorsStatusAndCountHoldOnTheHost) {
  zq::testing::StandInHost host;
  zq::NlsHandle* nls = host.kernel->nls;
  int test = 0;
  for (const zq::sanity::DatetimeRecord& r : zq::sanity::datetimeList()) {
    ++test;
    zq::LocaleHandle* l = nls->zqnlsLocaleCreate(nls, r.locale, 5);
    ASSERT_NE(l, nullptr) << test;
    const auto length = static_cast<std::int64_t>(r.input_length);
    std::int64_t used = -1;
    std::int32_t m = 0, d = 0, y = 0;
    double seconds = 0;
    const zq::Status status =
        r.function == 1   ? l->zqnlsLocaleBufferToDate(l, r.input, length, r.options, &m, &d, &y,
                                                       &used)
        : r.function == 2 ? l->zqnlsLocaleBufferToDatetime(l, r.input, length, r.options,
                                                           &seconds, &used)
                          : l->zqnlsLocaleBufferToTime(l, r.input, length, r.options, &seconds,
                                                       &used);
    EXPECT_EQ(status, r.status) << "TEST" << test;
    EXPECT_EQ(used, static_cast<std::int64_t>(r.consumed)) << "TEST" << test;
    EXPECT_EQ(l->zqnlsLocaleDestroy(l), zq::ZQ_OK);
  }
}

// The texts the scripted date parsers were given.
std::vector<std::u32string>& parsedTexts() {
  static std::vector<std::u32string> texts;
  return texts;
}

zq::Status scriptedDate(zq::LocaleHandle*, const zq::ZQChar* text, std::int64_t length,
                        std::int32_t, std::int32_t* month, std::int32_t* day,
                        std::int32_t* year, std::int64_t* used) {
  parsedTexts().emplace_back(text, text + length);
  *month = 12;
  *day = 30;
  *year = 2000;
  *used = 5;
  return zq::ZQ_OK;
}

zq::Status scriptedSeconds(zq::LocaleHandle*, const zq::ZQChar* text, std::int64_t length,
                           std::int32_t, double* seconds, std::int64_t* used) {
  parsedTexts().emplace_back(text, text + length);
  *seconds = 2096.0000001;  // off in the seventh decimal place
  *used = 5;
  return zq::ZQ_OK;
}

TEST(Sanity2Datetime, MismatchesAreJournalledWithTheSectionsMessages) {
  SuiteRun run;
  run.host.locale.zqnlsLocaleBufferToDate = scriptedDate;
  run.host.locale.zqnlsLocaleBufferToTime = scriptedSeconds;
  run.host.locale.zqnlsLocaleBufferToDatetime = scriptedSeconds;
  parsedTexts().clear();
  run.entry(zqvnleSanity2);
  EXPECT_EQ(run.result, 0);

  ASSERT_EQ(parsedTexts().size(), 231u);
  EXPECT_EQ(parsedTexts()[0], U"03Jan1999");
  EXPECT_EQ(parsedTexts()[7], std::u32string(U"1960-blah\0", 10));
  const std::u32string kLines[] = {
      U"TEST01: LocaleBufferToDate (LOCALE_DATE_LENIENT option - en_US) month was 12 but "
      U"should have been 1",
      U"TEST01: LocaleBufferToDate (LOCALE_DATE_LENIENT option - en_US) ZQChars consumed was 5 "
      U"but should have been 9",
      U"TEST08: LocaleBufferToDate ( LOCALE_DATE_LENIENT option(#4) - en_US) status was 'ZQ_OK "
      U"(0x00000000)' but should have been 'ZQ_NLS_DTIFMTERR (0x803FE80B)'",
      U"TEST21: LocaleBufferToDatetime (LOCALE_DATE_LENIENT option - en_US) datetime was 2096 "
      U"and should be 2096",
      U"TEST46: LocaleBufferToTime (LOCALE_DATE_LENIENT option - en_US) time was 2096 and "
      U"should be 2096",
      U"TEST143: LocaleBufferToDate (LOCALE_DATE_YYWW option - fr_FR) month was 12 but should "
      U"have been 1",
      U"TEST229: LocaleBufferToDate (LOCALE_DATE_YYMM option - en_US) year was 2000 but should "
      U"have been 2020",
  };
  for (const std::u32string& line : kLines) {
    EXPECT_TRUE(run.has(4, line)) << std::string(line.begin(), line.end());
  }
  // An unequal value is recorded as the failed check of 1 against 0.
  const auto value_check = std::find_if(
      run.recorder.checks.begin(), run.recorder.checks.end(),
      [](const RecordedCheck& c) { return c.expression == U"1" && !c.passed; });
  ASSERT_NE(value_check, run.recorder.checks.end());
  EXPECT_EQ(std::tie(value_check->expected, value_check->actual), std::make_tuple(0, 1));
  EXPECT_EQ(std::u32string(zq::sanity::dateOptionName(12)), U"Undefined option");
}

}  // namespace
