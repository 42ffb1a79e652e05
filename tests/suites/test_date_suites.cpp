// dateTest1 and sanity1's date family on a scripted host: which checks a wrong status
// suppresses and the exact failure texts.
#include <gtest/gtest.h>

#include <string>

#include "suite_run.h"

namespace {

using zq::testing::ScriptedHost;
using zq::testing::SuiteRun;

// Every parse and format fails with ZQ_NLS_INVALID_VALUE.
TEST(DateTest1, WrongStatusEndsADateCaseButNotADatetimeCase) {
  SuiteRun r;
  r.conformance(dateTest1);
  // Group A: no length or date check follows a wrong status, save in ko_KR's case 1,
  // whose results are replaced by the expected ones.
  const auto ko_kr = r.checksAfter(U"TEST1 ko_KR BufferToDate, value= 17SEP2002");
  ASSERT_EQ(ko_kr.size(), 2u);
  EXPECT_TRUE(ko_kr[0].passed && ko_kr[1].passed);
  EXPECT_EQ(ko_kr[1].expression, U"(int)length");
  const auto cs_cz = r.checksAfter(U"TEST8 cs_CZ BufferToDate, value= 29FEB2004");
  ASSERT_EQ(cs_cz.size(), 1u);
  EXPECT_FALSE(cs_cz[0].passed);
  EXPECT_TRUE(r.has(4, U"  TEST14: LocBufferToDate  Status was 'ZQ_NLS_INVALID_VALUE "
                       U"(0x803FE80D)' but should have been 'ZQ_NLS_DTIFMTERR'\n"));
  EXPECT_EQ(r.messages(U"  TEST1  zqnlsBuffertoDate: Unexpected status"), 16u);

  // Group B: each prefix leads its cases' lines, and the format-back check runs all
  // three checks after the failed parse.
  EXPECT_EQ(r.messages(U"S0209048 TEST14  zqnlsBuffertoDateTime: Unexpected status"), 17u);
  EXPECT_EQ(r.messages(U"  TEST12  zqnlsBuffertoDateTime: Unexpected status"), 17u);
  const auto back =
      r.checksAfter(U"TEST1 en_US zqnlsLocaleDatetimeFormat with datetime in future ");
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[2].kind, "buffer");
  EXPECT_TRUE(r.has(4, U"S0210014 TEST01: DatetimeFormat  buffer_len= 18 cnvL= 0 \n"));
  EXPECT_TRUE(r.has(4, U"S0210014 TEST01: DatetimeFormat  Value  does not match expected "
                       U"value of 31Dec3009:23:59:59 \n"));
  EXPECT_EQ(r.messages(U"S0210014 TEST4 DatetimeFormat incorrect formatted string"), 17u);
}

TEST(DateTest1, WrongLengthAndDateAreBothReported) {
  SuiteRun r;  // every date parses as 17 September 2002 from 10 units
  r.host.locale.zqnlsLocaleBufferToDate = [](zq::LocaleHandle*, const zq::ZQChar*,
                                             std::int64_t, std::int32_t, std::int32_t* month,
                                             std::int32_t* day, std::int32_t* year,
                                             std::int64_t* used) {
    *month = 9;
    *day = 17;
    *year = 2002;
    *used = 10;
    return zq::ZQ_OK;
  };
  r.conformance(dateTest1);
  EXPECT_EQ(r.messages(U"  TEST2 BuffertoDate : incorrect converted length"), 17u);
  EXPECT_TRUE(r.has(4, U"  TEST02: LocBufferToDate  Length was 10 but should have been 9 \n"));
  EXPECT_TRUE(r.has(4, U"  TEST02: LocBufferToDate  Length is 10 date should be 2003  1  1  "
                       U"but was 2002  9  17 \n"));
  const auto en_us = r.checksAfter(U"TEST2 en_US BufferToDate, value= 01JAN2003");
  ASSERT_EQ(en_us.size(), 3u);
  EXPECT_EQ(en_us[2].expression, U"1");
  // Each locale's own length counts: only hu_HU's short date has 11 units.
  EXPECT_EQ(r.messages(U"  TEST1 BuffertoDate : incorrect converted length"), 1u);
}

TEST(Sanity1Dates, DateMismatchIsDumpedUnitByUnit) {
  SuiteRun r;
  r.host.script.decimal = false;
  r.host.script.text = U"17Sep2002";  // test 1 expects "17Sep2001"
  r.host.locale.zqnlsLocaleDateFormat = [](zq::LocaleHandle* l, std::int32_t, std::int32_t,
                                           std::int32_t, std::int32_t style, zq::ZQChar* buffer,
                                           std::int64_t capacity, std::int64_t* length) {
    return ScriptedHost::of(l)->format("", style, buffer, capacity, length);
  };
  r.entry(zqvnleSanity1);
  EXPECT_TRUE(r.has(4, U"zqnlsLocaleDateFormat: Test 1: LocaleDateformat buffer was "
                       U"17Sep2002 when 17Sep2001 expected"));
  // One line per returned unit, the differing last one included.
  EXPECT_TRUE(r.has(1, U"expected[ 0]: 0031     returned[ 0]: 0031"));
  EXPECT_TRUE(r.has(1, U"expected[ 8]: 0031     returned[ 8]: 0032"));
  EXPECT_FALSE(r.has(1, U"expected[ 9]: 0000     returned[ 9]: 0000"));
}

}  // namespace
