// The result files zqtest writes: JUnit XML, versioned JSON and a self-contained HTML report.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "harness/results.h"

namespace zq::harness {

// JUnit XML: one testsuite per report row, one testcase per (row, locale, family).
// A testcase fails when it holds an unexpected failure, and is skipped when all its
// failures were expected; each stale expectation is a failed testcase of its own.
std::string junitXml(const RunResults& results);

// Every count and every kept failure in full, the perf results with their figures per
// call, and the comparison with a baseline, under "schema": "zqtest-results/2".
std::string resultsJson(const RunResults& results);

// One HTML page with no external assets: the run's facts, the row x locale matrix,
// each failing cell's failures with their differences marked, and the perf results.
std::string htmlReport(const RunResults& results);

// Text safe inside XML and HTML elements and attribute values; characters XML 1.0
// cannot carry are spelled <U+XXXX>.
std::string escapeMarkup(std::string_view utf8);

// The failures a tally kept with the XFAIL outcome, by place.
std::map<CheckPlace, std::int64_t> expectedByPlace(const SuiteTally& tally);

}  // namespace zq::harness
