// Every suite entry stops with 1 and its report when a handle is missing, before any banner
// or journal line.
#include <gtest/gtest.h>

#include "suite_run.h"

namespace {

using zq::SuiteSlot;
using zq::testing::SuiteRun;

TEST(EntryHandles, MissingKernelOrNlsStopsTheSuite) {
  zq::KernelHandle without_nls{};
  constexpr zq::SuiteEntryFn kEntries[] = {zqvnleSanity1, zqvnleSanity2, zqvnleFunction1,
                                           zqvnlePerf, zqvnleIEEEConv};
  for (int slot = 0; slot < 5; ++slot) {
    SCOPED_TRACE(slot);
    // Without a kernel the first check fails; the driver needs no NLS of its own.
    SuiteRun bare;
    zq::TestServices services = zq::testing::recordingServices(bare.recorder);
    Exported_ZQHandle = nullptr;
    EXPECT_EQ(kEntries[slot](&services, 0, &bare.state, &bare.run_record, nullptr), 1);
    EXPECT_TRUE(bare.said(U"Could not get ZQ handle"));
    ASSERT_EQ(bare.recorder.checks.size(), 1u);
    EXPECT_EQ(bare.recorder.checks[0].expression, U"zqh");
    EXPECT_EQ(bare.recorder.failures(), 1u);
    if (slot == static_cast<int>(SuiteSlot::Function1)) continue;

    SuiteRun run;
    run.entry(static_cast<SuiteSlot>(slot), &without_nls);
    EXPECT_EQ(run.result, 1);
    ASSERT_EQ(run.recorder.messages.size(), 1u);
    EXPECT_EQ(run.recorder.messages[0].text, U"Could not get ZQNLS handle");
    EXPECT_EQ(run.recorder.failures(), 1u);
    EXPECT_TRUE(zq::host::journalText(run.journal).empty());
  }
}

TEST(EntryHandles, ConformanceSuitesWithoutNls) {
  zq::KernelHandle without_nls{};
  for (zq::ConformanceSuiteFn suite :
       {dateTest1, integerTest1, integerTest2, integerTest3, integerTest4, doubleTest1,
        doubleTest2, doubleTest3, doubleTest4, buftodblTest1}) {
    SuiteRun run;
    run.conformance(suite, &without_nls);
    EXPECT_EQ(run.result, 1);
    EXPECT_TRUE(run.said(U"Could not get ZQNLS handle"));
    ASSERT_EQ(run.recorder.checks.size(), 1u);
    EXPECT_EQ(run.recorder.checks[0].expression, U"nls");
  }
}

}  // namespace
