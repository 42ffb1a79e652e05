// Every suite entry stops with 1 and the specified report when a handle is missing.
#include <gtest/gtest.h>

#include "recording_services.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::Recorder;
using zq::testing::recordingServices;

struct Entry {
  const char* name;
  zq::SuiteEntryFn fn;
};

const Entry kEntries[] = {
    {"sanity1", zqvnleSanity1},   {"sanity2", zqvnleSanity2}, {"function1", zqvnleFunction1},
    {"perf", zqvnlePerf},         {"ieeeconv", zqvnleIEEEConv},
};

// A kernel that has no NLS service and no other operation.
struct BareKernel {
  zq::KernelHandle abi{};
};

class EntryFrames : public ::testing::Test {
 protected:
  void TearDown() override { Exported_ZQHandle = nullptr; }
  zq::SuiteState state{};
  zq::RunRecord run{};
};

TEST_F(EntryFrames, NoKernelHandle) {
  for (const Entry& e : kEntries) {
    Recorder recorder;
    zq::TestServices services = recordingServices(recorder);
    Exported_ZQHandle = nullptr;
    EXPECT_EQ(e.fn(&services, 0, &state, &run, nullptr), 1) << e.name;
    EXPECT_TRUE(recorder.hasMessage(U"Could not get ZQ handle")) << e.name;
    ASSERT_FALSE(recorder.checks.empty()) << e.name;
    EXPECT_EQ(recorder.checks.front().expression, U"zqh") << e.name;
    EXPECT_FALSE(recorder.checks.front().passed) << e.name;
    EXPECT_EQ(recorder.failures(), 1u) << e.name;
  }
}

TEST_F(EntryFrames, KernelWithoutNls) {
  BareKernel kernel;
  zqextent(&kernel.abi);
  for (const Entry& e : kEntries) {
    if (e.fn == zqvnleFunction1) continue;  // the driver needs no NLS itself
    Recorder recorder;
    zq::TestServices services = recordingServices(recorder);
    EXPECT_EQ(e.fn(&services, 0, &state, nullptr, nullptr), 1) << e.name;
    EXPECT_TRUE(recorder.hasMessage(U"Could not get ZQNLS handle")) << e.name;
    EXPECT_EQ(recorder.failures(), 1u) << e.name;
  }
}

TEST_F(EntryFrames, ConformanceSuitesWithoutNls) {
  BareKernel kernel;
  const zq::ConformanceSuiteFn suites[] = {dateTest1,    integerTest1, integerTest2,
                                           integerTest3, integerTest4, doubleTest1,
                                           doubleTest2,  doubleTest3,  doubleTest4,
                                           buftodblTest1};
  for (zq::ConformanceSuiteFn suite : suites) {
    Recorder recorder;
    zq::TestServices services = recordingServices(recorder);
    EXPECT_EQ(suite(&services, 0, &state, nullptr, &kernel.abi), 1);
    EXPECT_TRUE(recorder.hasMessage(U"Could not get ZQNLS handle"));
    ASSERT_EQ(recorder.checks.size(), 1u);
    EXPECT_EQ(recorder.checks[0].expression, U"nls");
  }
}

}  // namespace
