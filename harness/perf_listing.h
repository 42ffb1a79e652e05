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

// An aligned table with a header line, one row per result, and the CPU milliseconds
// per 1000 calls.
std::string perfTable(const std::vector<PerfResult>& results);

// The same as CSV (RFC 4180) with a header row.
std::string perfCsv(const std::vector<PerfResult>& results);

}  // namespace zq::harness
