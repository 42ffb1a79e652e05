// Every host failure point, failing at its 1st, 2nd, ... call, under every suite (the
// perf suite once per routine, so that its cases reach every point): the suite's
// result, its reports, and not one host object left alive.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "recording_services.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::Recorder;

constexpr int kSuites = 5;  // record order: Sanity1, Sanity2, Function1, Perf, IEEEConv
constexpr const char* kSuiteNames[kSuites] = {"sanity1", "sanity2", "function1", "perf",
                                              "ieeeconv"};

// What a suite does when the point fails, by suite in record order: '0' it reports the
// failure and returns 0, '1' it reports and returns 1, '*' either, by which call failed;
// 'f' the failure is the factory's (no record, nothing to run); 's' the suite returns 0
// and reports nothing.
struct FaultPoint {
  ZqhostFault fault;
  const char* name;
  const char* outcome;
};
constexpr FaultPoint kPoints[] = {
    {ZQHOST_FAULT_CREATE_POOL, "CreatePool", "fffff"},
    {ZQHOST_FAULT_ALLOCATE_MEMORY, "AllocateMemory", "fffff"},
    {ZQHOST_FAULT_LOAD_EXTENSION, "LoadExtension", "00100"},
    {ZQHOST_FAULT_CREATE_JOURNAL, "CreateJournal", "00100"},
    {ZQHOST_FAULT_LOCALE_CREATE, "zqnlsLocaleCreate", "0*001"},
    {ZQHOST_FAULT_LOCALE_DESTROY, "zqnlsLocaleDestroy", "000s0"},
    {ZQHOST_FAULT_GET_SERVICE, "GetService", "sssss"},
    {ZQHOST_FAULT_SM_CREATE, "zqnlsSMCreate", "00000"},
    {ZQHOST_FAULT_SM_DESTROY, "zqnlsSMDestroy", "00000"},
    {ZQHOST_FAULT_GET_ENCODING_PROPERTIES, "zqnlsGetEncodingProperties", "00000"},
    {ZQHOST_FAULT_GET_TIMES, "GetTimes", "00000"},
};

struct WalkRun {
  bool fired = false;
  bool built = false;  // the factory returned a record
  std::int64_t result = 0;
  Recorder recorder;
  std::int64_t live_objects = 0;
  std::int64_t leaked = 0;
};

// One run as zqtest makes it, with `point` armed to fail its n-th call once the harness
// journal is open: factory, suite, record destroyed, harness journal destroyed, host
// destroyed.
WalkRun runOnce(int suite, ZqhostFault point, int n, const std::string& out_dir) {
  WalkRun run;
  auto* kernel = static_cast<zq::KernelHandle*>(zqhostCreate());
  zqhostSetOutputDir(kernel, out_dir.c_str());
  zq::jnlparms parms{};
  zq::Journal* journal = kernel->CreateJournal(kernel, &parms, 0, "zqtest");
  zqextent(kernel);
  zqhostInjectFault(kernel, point, n);
  if (zq::ExtensionRecord* record = zqvnle()) {
    run.built = true;
    zq::TestServices services = zq::testing::recordingServices(run.recorder);
    zq::RunRecord run_code{};
    run_code.run_code[0] = U'0';
    run_code.run_code[1] = U'1';
    // The sanity suites write to the harness journal, Function1 and Perf read the run
    // code, IEEEConv writes to the journal as its fifth argument.
    void* fourth = suite <= 1 ? static_cast<void*>(journal) : suite <= 3 ? &run_code : nullptr;
    void* fifth = suite == 4 ? journal : nullptr;
    // The perf suite runs no case without a selector: one call per routine, as
    // --perf-routine all makes them, each case timed over one iteration.
    for (std::int32_t routine = suite == 3 ? 1 : 0; routine <= (suite == 3 ? 5 : 0); ++routine) {
      zq::SuiteState state{};
      state.perf_routine = routine;
      state.perf_iterations = 1;
      const std::int64_t result = record->suites[suite](&services, 0, &state, fourth, fifth);
      if (result != 0) run.result = result;
    }
    record->RealDestroy(record);
  }
  run.fired = zqhostFaultPending(kernel, point) == 0;
  journal->Destroy(journal);
  run.live_objects = zqhostLiveObjects(kernel);
  run.leaked = zqhostDestroy(kernel);
  return run;
}

TEST(FaultWalk, EverySuiteSurvivesEveryFailureOfEveryPoint) {
  const zq::testing::ScratchFolder scratch;
  const std::string out_dir = scratch.path().string();
  int runs = 0;
  int fired = 0;
  for (const FaultPoint& point : kPoints) {
    for (int suite = 0; suite < kSuites; ++suite) {
      const char outcome = point.outcome[suite];
      for (int n = 1;; ++n) {
        ASSERT_LT(n, 100000) << "the walk does not end";
        const WalkRun run = runOnce(suite, point.fault, n, out_dir);
        ++runs;
        const std::string where =
            std::string(kSuiteNames[suite]) + ", " + point.name + " call " + std::to_string(n);
        EXPECT_EQ(run.live_objects, 0) << where;
        EXPECT_EQ(run.leaked, 0) << where;
        if (!run.fired) {
          EXPECT_TRUE(run.built) << where;
          EXPECT_EQ(run.recorder.failures, 0u) << where;
          break;
        }
        ++fired;
        EXPECT_EQ(run.built, outcome != 'f') << where;
        if (outcome == 'f') continue;
        const bool result_as_specified =
            outcome == '*' ? run.result == 0 || run.result == 1 : run.result == (outcome == '1');
        EXPECT_TRUE(result_as_specified) << where << ": returned " << run.result;
        const bool reported = run.recorder.reported_error && run.recorder.failures > 0;
        EXPECT_EQ(reported, outcome != 's') << where;
      }
    }
  }
  std::printf("fault walk: %d runs, %d with the failure injected\n", runs, fired);
}

}  // namespace
