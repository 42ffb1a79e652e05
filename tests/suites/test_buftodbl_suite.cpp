// buftodblTest1 on a scripted locale: its inputs, the reference-value rule and its lines.
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
  r.state.verbose = 1;
  r.host.script.used = 3;
  r.host.script.real = [](const ScriptedCall& call) {
    return call.locale == U"en_US" || call.locale == U"zh_CN" ? 1235.0 : 1236.0;
  };
  r.conformance(buftodblTest1);
  // en_US runs 27 cases, every later one 26: fr_FR's first is call 27 + 4 * 26.
  ASSERT_EQ(r.host.calls.size(), 443u);
  EXPECT_EQ(r.host.calls[131].text, U"1\u00A0234,567");
  EXPECT_EQ(r.recorder.steps[2], U"TEST1 en_US zqnlsLocaleBufferToDouble, value= 1,234.567 ");

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
  EXPECT_TRUE(r.has(4, U"S0212833 TEST14: LocBufferToDouble  Status was 'ZQ_OK (0x00000000)' "
                       U"but should have been 'ZQ_NLS_UNDERFLOW'\n"));
  // ".a" parses in the period-comma style only: eleven locales write ",a".
  EXPECT_EQ(r.messages(U"S0394534 TEST24  zqnlsLocaleBufferToDouble: Unexpected status"), 11u);
  EXPECT_TRUE(r.has(4, U"zqnlsLocaleBufferToDouble TEST27 (S1128044): Converted length was 3 but "
                       U"should have been 65"));
  EXPECT_TRUE(r.has(1, U"TEST15: LocBufferToDouble  C=03     1235.000000\n"));
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
  EXPECT_TRUE(underflow.has(4, U"zqnlsLocaleBufferToDouble TEST27 (S1128044): Status was "
                               U"'ZQ_NLS_UNDERFLOW (0x803FE812)' but should have been 'ZQ_OK "
                               U"(0x00000000)'\n"));
}

}  // namespace
