// The performance suite's listing: its result lines read back, shown as a table and as CSV.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "harness/results.h"

namespace zq::harness {

// The listing file the performance suite writes in the output directory.
inline constexpr const char* kPerfListingName = "zqvnlp.lst";

// One result line: the routine's name, the five locale characters, the encoding's
// name, then iterations, user CPU, system CPU and elapsed milliseconds, and the
// description. Header lines and anything else give nothing.
std::optional<PerfResult> parsePerfLine(const std::string& line);

// Every result line of a listing, in order.
std::vector<PerfResult> parsePerfListing(const std::string& text);

// A figure per call in nanoseconds as the reports show it: "37.5"; "~412.0" when
// imprecise; "<666.7" when only a bound is known; "-" for none.
std::string perCallText(const std::optional<PerCall>& figure);

// The ratio of a compared case: "1.25x"; "~1.25x" when either figure is imprecise;
// " slower" added when flagged; "-" when either figure is only a bound.
std::string ratioText(const CaseComparison& comparison);

// An aligned table with a header line and one row per result: the listing's figures,
// the iterations and the CPU and elapsed nanoseconds per call; with a baseline, also
// its CPU figure and the ratio to it. A note under the table explains the marks used.
std::string perfTable(const std::vector<PerfResult>& results,
                      const BaselineComparison* baseline = nullptr);

// One line for each calibrated call: the iterations it used and how they were found.
std::string perfCallsText(const std::vector<PerfCall>& calls);

// The results as CSV (RFC 4180) with a header row: the listing's figures and the
// figures per call with their precision.
std::string perfCsv(const std::vector<PerfResult>& results);

// Results read back from such a CSV, or from the one earlier zqtest versions wrote
// (whole milliseconds only): the columns are found by their names. An error "line N:
// what is wrong" when the text is not such a CSV.
struct ParsedPerfCsv {
  std::vector<PerfResult> results;
  std::string error;
};
ParsedPerfCsv parsePerfCsv(const std::string& text);

}  // namespace zq::harness
