// zqvnleSanity2's date/time section: its vectors against the stand-in host. The golden
// listings hold its lines for wrong days, statuses, counts and values.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "suite_run.h"
#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_datetime_table.h"

namespace {

// The section checks no consumed count of a refused input; the host must still
// report the vector's.
TEST(Sanity2Datetime, EveryVectorsStatusAndCountHoldOnTheHost) {
  zq::testing::SuiteRun host;
  zq::NlsHandle* nls = host.host->nls;
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
  // An option word no vector has is named as such in the section's lines.
  EXPECT_EQ(std::u32string(zq::sanity::dateOptionName(12)), U"Undefined option");
}

}  // namespace
