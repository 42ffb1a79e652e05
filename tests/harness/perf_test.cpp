// Timings: figures per call, the CSV read back, the calibration's arithmetic, and the
// comparison with a baseline, all on doctored figures.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "harness/baseline.h"
#include "harness/json_reader.h"
#include "harness/perf_calibration.h"
#include "harness/perf_listing.h"
#include "tests/support/test_support.h"

namespace zq::harness {
namespace {

PerfResult timed(std::int64_t iterations, std::int64_t user_ms, std::int64_t system_ms,
                 std::int64_t elapsed_ms, const std::string& locale = "en_US") {
  return {"zqnlsStringToDouble", locale, "UTF-8", iterations, user_ms, system_ms, elapsed_ms,
          "Double value of 908123"};
}

TEST(PerfFigures, PerCallFiguresAreNeverZeroAndSayHowFarToTrustThem) {
  // iterations, user, system, elapsed ms; CPU and elapsed ns per call as shown.
  const struct {
    PerfResult result;
    const char* cpu;
    const char* elapsed;
  } cases[] = {
      // (The transcripts show 20 ms and more precise, fewer imprecise, the CPU parts added.)
      {timed(4'000, 0, 0, 0), "<500.0", "<250.0"},       // under 1 ms in each part
      {timed(4'000, 0, 0, -1), "<500.0", "<250.0"},
      {timed(0, 5, 0, 5), "-", "-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(perCallText(c.result.cpuPerCall()), c.cpu) << c.result.iterations << " " << c.result.user_ms;
    EXPECT_EQ(perCallText(c.result.elapsedPerCall()), c.elapsed) << c.result.elapsed_ms;
  }
}

TEST(PerfFigures, CsvReadsBackAQuotedDescriptionAndRefusesBrokenFiles) {
  // The transcripts' baseline runs read back plain figures; here a description to quote.
  std::vector<PerfResult> results = {timed(1000, 0, 0, 0, "fr_FR")};
  results[0].description = "quoted \"1,234\"\r\nand on";
  const ParsedPerfCsv back = parsePerfCsv(perfCsv(results));
  EXPECT_EQ(back.results, results) << back.error;
  // The whole-millisecond form of an earlier run is read by the baseline test below.

  const std::string header = "routine,locale,encoding,iterations,user_cpu_ms,system_cpu_ms,elapsed_ms,description\n";
  const std::pair<std::string, std::string> bad[] = {
      {"routine,locale\n", "line 1: no column encoding"},
      {header + "a,b,c,1,2,3,4\n", "record 2: 7 fields under a header of 8"},
      {header + "a,b,c,1x,2,3,4,d\n", "record 2: iterations '1x' is not a whole number"},
      {header + "a,b,c,1,2,3,4,\"open\n", "line 3: a quoted field is not closed"},
      {header + "a,b,c,1,2,3,4,\"x\"y\n", "line 2: a quote in the middle of a field"},
  };
  for (const auto& [text, error] : bad) EXPECT_EQ(parsePerfCsv(text).error, error) << text;
}

TEST(Calibration, ShortCallsGrowUntilTheFastestCaseCanBeScaledToTheTarget) {
  // The fastest case's CPU ms decides: under 10 the next short call grows (tenfold from
  // 0 ms, else to about 20 ms); from 10 the real call gets 120 ms worth; all within
  // the signed 32-bit iterations word.
  const struct {
    std::int32_t iterations;
    std::vector<std::int64_t> cpu_ms;
    bool done;
    std::int32_t next;
  } steps[] = {
      {1000, {}, true, 1000},
      {1000, {0, 3}, false, 10'000},
      {1000, {30, 4}, false, 5000},
      {1000, {9}, false, 2223},
      {1000, {19, 40}, true, 6316},
      {190'476, {10, 25}, true, 2'285'712},
      {1'000'000'000, {0}, false, 2'147'483'647},
      {2'147'483'647, {3}, true, 2'147'483'647},
      {1'000'000'000, {20}, true, 2'147'483'647},
  };
  for (const auto& step : steps) {
    std::vector<PerfResult> results;
    for (std::int64_t ms : step.cpu_ms) results.push_back(timed(step.iterations, ms, 0, ms));
    const CalibrationStep next = nextCalibrationStep(step.iterations, results);
    EXPECT_EQ(next.done, step.done) << step.iterations;
    EXPECT_EQ(next.iterations, step.next) << step.iterations;
  }
}

TEST(Baseline, GroupsChangeByFailureAndOnlyPreciseCasesBeyondTheThresholdAreSlower) {
  RunResults run;
  run.suites.emplace_back();
  std::map<CheckPlace, CellCounts>& cells = run.suites.back().tally.cells;
  Baseline baseline;
  // locale: checks and failed here, then there (-1: not there).
  const struct {
    const char* locale;
    std::int64_t checks, failed, baseline_checks, baseline_failed;
  } groups[] = {
      {"fr_FR", 3, 1, 3, 0}, {"en_US", 3, 0, 3, 2}, {"de_DE", 3, 1, 3, 1},
      {"ja_JP", 3, 0, -1, -1}, {"ko_KR", 2, 2, -1, -1}, {"sv_SE", -1, -1, 4, 0},
  };
  for (const auto& g : groups) {
    const CheckPlace place{"sanity1", g.locale, "zqnlsLocaleIntfastFormat"};
    if (g.checks >= 0) cells[place] = {g.checks, g.failed, 0};
    if (g.baseline_checks >= 0) baseline.groups[place] = {g.baseline_checks, g.baseline_failed, 0};
  }
  // CPU ms at 1,000,000 iterations here and there. (The transcripts show a precise case
  // slower beyond the threshold, within it, and an imprecise ratio on both sides.)
  run.perf = {timed(1'000'000, 30, 0, 0, "c"), timed(1'000'000, 0, 0, 0, "d"),
              timed(1'000'000, 100, 0, 0, "e"), timed(1'000'000, 200, 0, 0, "e"),
              timed(1'000'000, 100, 0, 0, "only here")};
  baseline.perf = {timed(1'000'000, 10, 0, 0, "c"), timed(1'000'000, 50, 0, 0, "d"),
                   timed(1'000'000, 100, 0, 0, "e"), timed(1'000'000, 100, 0, 0, "e")};

  const BaselineComparison c = compareWithBaseline(run, baseline, 10);
  EXPECT_EQ(c.groups, (std::array<std::int64_t, kGroupChangeCount>{2, 1, 1, 1, 1}));
  std::vector<std::string> changed;
  for (const GroupComparison& g : c.changed) {
    changed.push_back(g.place.locale + " " + std::to_string(g.baseline_failed) + ">" + std::to_string(g.failed));
  }
  EXPECT_EQ(changed, (std::vector<std::string>{"en_US 2>0", "fr_FR 0>1", "ko_KR 0>2"}));

  // index: ratio text.
  std::vector<std::string> ratios;
  for (const CaseComparison& compared : c.cases) {
    ratios.push_back(run.perf[compared.perf_index].locale + " " + ratioText(compared));
  }
  EXPECT_EQ(ratios, (std::vector<std::string>{"c ~3.00x", "d -", "e 1.00x", "e 2.00x slower"}));
  EXPECT_EQ(c.slowerCases(), 1);
  EXPECT_EQ(compareWithBaseline(run, baseline, 100).slowerCases(), 0);
}

// An earlier run's files: schema 1, and perf.csv in the whole-millisecond form with
// mixed line ends.
TEST(Baseline, AnEarlierSchemaIsReadAndBrokenJsonIsRefusedWithItsByte) {
  const zq::testing::ScratchFolder dir;
  std::ofstream(dir / "results.json")
      << "{\"schema\":\"zqtest-results/1\",\"suites\":[{\"name\":\"sanity1\",\"areas\":[{\"name\":\"sanity1\","
         "\"cells\":[{\"locale\":\"fr_FR\",\"family\":\"zqnlsLocaleCreate\",\"checks\":2,\"failed\":1}]}]}],"
         "\"perf\":[]}";
  std::ofstream(dir / "perf.csv")
      << "routine,locale,encoding,iterations,user_cpu_ms,system_cpu_ms,elapsed_ms,description\r\n"
         "zqnlsStringToDouble,en_US,UTF-8,1000,0,0,0,Double value of 908123\n";
  const LoadedBaseline loaded = readBaseline(dir.path().string());
  ASSERT_TRUE(loaded.baseline) << loaded.error;
  EXPECT_EQ(loaded.baseline->schema, "zqtest-results/1");
  const auto group = loaded.baseline->groups.find({"sanity1", "fr_FR", "zqnlsLocaleCreate"});
  ASSERT_NE(group, loaded.baseline->groups.end());
  EXPECT_EQ(group->second.failed, 1);
  EXPECT_EQ(loaded.baseline->perf, std::vector<PerfResult>{timed(1000, 0, 0, 0)});

  const std::pair<std::string, std::string> bad[] = {
      {"{\"a\":[1,2,}", "byte 10: not a value"},
      {"{} x", "byte 3: text after the value"},
      {"{\"a\" 1}", "byte 5: ':' is missing"},
      {"\"tab\there\"", "byte 5: a control character in a string"},
      {std::string(65, '[') + std::string(65, ']'), "byte 64: nested too deeply"},
  };
  for (const auto& [text, error] : bad) {
    std::string why;
    EXPECT_FALSE(parseJson(text, why));
    EXPECT_EQ(why, error) << text;
  }
  // Every cut of a whole text short of its end is refused at a byte inside the cut.
  std::string why;
  for (const std::string whole : {R"({"a":[1,-2.5e+3,0.5E-1,true,false,null],"b":{},"c":[]})",
                                  R"("x\u00e9\n\"")"}) {
    ASSERT_TRUE(parseJson(whole, why)) << why;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      EXPECT_FALSE(parseJson(whole.substr(0, cut), why)) << cut;
      EXPECT_LE(std::stoul(why.substr(5)), cut) << why;
    }
  }
  const auto text = parseJson("[\"\\u00e9\\ud83d\\ude00\\ud800\\u0041\\n\\/\", true, null, -1.5e3]", why);
  ASSERT_TRUE(text) << why;
  EXPECT_EQ(text->items[0].text, "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD" "A\n/");
  EXPECT_EQ(text->items[3].number, -1500);
}

}  // namespace
}  // namespace zq::harness
