// buftodblTest1 on a scripted locale: the reference-value rule, which needs values that
// differ from locale to locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "suite_run.h"

namespace {

using zq::testing::ScriptedCall;
using zq::testing::SuiteRun;

const std::u32string kValueFailure = U" BufferToDouble, incorrect informatted double value.";

TEST(BufToDouble, LaterLocalesAcceptTheReferenceValue) {
  SuiteRun r;
  r.host.script.used = 3;
  r.host.script.real = [](const ScriptedCall& call) {
    return call.locale == U"en_US" || call.locale == U"zh_CN" ? 1235.0 : 1236.0;
  };
  r.conformance(buftodblTest1);
  // en_US never compares with the listed value, zh_CN matches en_US, the rest fail.
  EXPECT_EQ(r.messages(U"TEST15" + kValueFailure), 15u);
  EXPECT_TRUE(r.has(4, U"  TEST15: LocBufferToDouble  Value 1236.000000 doesn't match expected "
                       U"value of 1234 \n"));
  EXPECT_TRUE(r.has(4, U"S0208478 TEST11: LocBufferToDouble  Value " + std::u32string(30, U' ') +
                       U"1236 doesn't match expected value of 7.20575940379e307 \n"));
  // A value where a missing one belongs fails everywhere, printed with %f.
  EXPECT_EQ(r.messages(U"TEST13" + kValueFailure), 17u);
  EXPECT_TRUE(r.has(4, U"S0208478 TEST13: LocBufferToDouble  Value 1235.000000 doesn't match "
                       U"expected value of MISSING \n"));
}

TEST(BufToDouble, MissingReferenceFailsLaterLocalesAndUnderflowMayBeMissing) {
  SuiteRun r;
  r.host.script.real = [](const ScriptedCall& call) {
    return call.locale == U"en_US" ? std::numeric_limits<double>::quiet_NaN() : 1234.0;
  };
  r.conformance(buftodblTest1);
  EXPECT_TRUE(r.has(4, U"  TEST16: LocBufferToDouble  Missing value doesn't match expected "
                       U"value of 1234.5678 \n"));
  EXPECT_EQ(r.messages(U"TEST16" + kValueFailure), 17u);
  EXPECT_EQ(r.messages(U"TEST15" + kValueFailure), 1u);  // later locales give the listed value

  SuiteRun underflow;
  underflow.host.script.parse_status = zq::ZQ_NLS_UNDERFLOW;
  underflow.host.script.real = [](const ScriptedCall&) {
    return std::numeric_limits<double>::quiet_NaN();
  };
  underflow.conformance(buftodblTest1);
  const auto& messages = underflow.recorder.messages;
  EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                          [](const auto& m) { return m.text.ends_with(kValueFailure); }),
            0);
}

}  // namespace
