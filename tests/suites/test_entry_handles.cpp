// Every suite entry stops with 1 and its report when a handle is missing, before any banner
// or journal line.
#include <gtest/gtest.h>

#include "suite_run.h"

namespace {

using zq::testing::SuiteRun;

TEST(EntryHandles, MissingKernelOrNlsStopsTheSuite) {
  zq::KernelHandle without_nls{};
  const struct {
    const char* name;
    zq::SuiteEntryFn fn;
  } kEntries[] = {{"sanity1", zqvnleSanity1},     {"sanity2", zqvnleSanity2},
                  {"function1", zqvnleFunction1}, {"perf", zqvnlePerf},
                  {"ieeeconv", zqvnleIEEEConv}};
  for (const auto& e : kEntries) {
    // Without a kernel the first check fails; the driver needs no NLS of its own.
    SuiteRun bare;
    zq::RunRecord run_record{};
    zq::TestServices services = zq::testing::recordingServices(bare.recorder);
    Exported_ZQHandle = nullptr;
    EXPECT_EQ(e.fn(&services, 0, &bare.state, &run_record, nullptr), 1) << e.name;
    EXPECT_TRUE(bare.said(U"Could not get ZQ handle")) << e.name;
    ASSERT_EQ(bare.recorder.checks.size(), 1u) << e.name;
    EXPECT_EQ(bare.recorder.checks[0].expression, U"zqh") << e.name;
    EXPECT_EQ(bare.recorder.failures(), 1u) << e.name;
    if (e.fn == zqvnleFunction1) continue;

    SuiteRun run;
    run.entry(e.fn, &without_nls);
    EXPECT_EQ(run.result, 1) << e.name;
    ASSERT_EQ(run.recorder.messages.size(), 1u) << e.name;
    EXPECT_EQ(run.recorder.messages[0].text, U"Could not get ZQNLS handle") << e.name;
    EXPECT_EQ(run.recorder.failures(), 1u) << e.name;
    EXPECT_TRUE(run.journal.lines.empty()) << e.name;
    EXPECT_EQ(run.journal.flushes, 0) << e.name;
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
