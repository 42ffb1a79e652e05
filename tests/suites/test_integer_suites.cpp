// integerTest4 on a scripted locale: lengths no buffer holds, and lengths past 32 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "suite_run.h"

namespace {

using zq::testing::SuiteRun;

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

}  // namespace
