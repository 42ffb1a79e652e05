// --baseline DIR: an earlier run's output folder, read back and compared with this run.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "harness/results.h"

namespace zq::harness {

// The schema results.json is written under, and the earlier one still read.
inline constexpr const char* kResultsSchema = "zqtest-results/2";
inline constexpr const char* kResultsSchemaV1 = "zqtest-results/1";

// What a comparison needs of an earlier run: its check groups with their counts, and
// its timed cases.
struct Baseline {
  std::string dir;
  std::string schema;
  std::map<CheckPlace, CellCounts> groups;
  bool has_perf = false;  // the folder held a perf.csv
  std::vector<PerfResult> perf;
};

struct LoadedBaseline {
  std::optional<Baseline> baseline;
  std::string error;  // one line saying what could not be read, when there is no baseline
};

// Reads DIR/results.json (either schema above; the groups are its cells) and, when
// the folder holds one, DIR/perf.csv (either form perfCsv has written).
LoadedBaseline readBaseline(const std::string& dir);

// This run against the baseline: every check group by its GroupChange, and every
// timed case found in both with the ratio of their CPU figures per call. A case is
// slower when both figures are precise and the ratio exceeds 1 + threshold / 100.
BaselineComparison compareWithBaseline(const RunResults& run, const Baseline& baseline,
                                       double threshold_percent);

}  // namespace zq::harness
