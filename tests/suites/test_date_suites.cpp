// dateTest1 on a scripted locale: a wrong year and month, which no wrong result of the
// stand-in host gives (its wrong dates are a day late).
#include <gtest/gtest.h>

#include <string>

#include "suite_run.h"

namespace {

using zq::testing::SuiteRun;

TEST(DateTest1, AWrongYearAndMonthAreReportedWithTheWholeDate) {
  SuiteRun r;  // every date parses as 17 September 2002
  r.host.locale.zqnlsLocaleBufferToDate = [](zq::LocaleHandle*, const zq::ZQChar*,
                                             std::int64_t, std::int32_t, std::int32_t* month,
                                             std::int32_t* day, std::int32_t* year,
                                             std::int64_t* used) {
    *month = 9;
    *day = 17;
    *year = 2002;
    *used = 9;
    return zq::ZQ_OK;
  };
  r.conformance(dateTest1);
  EXPECT_TRUE(r.has(4, U"  TEST02: LocBufferToDate  Length is 9 date should be 2003  1  1  "
                       U"but was 2002  9  17 \n"));
  EXPECT_EQ(r.messages(U"  TEST2 BufferToDate, incorrect informatted date value"), 17u);
}

}  // namespace
