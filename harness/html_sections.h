// Sections of the HTML report beside the matrix: performance, and the changes against
// a baseline.
#pragma once

#include <string>

#include "harness/results.h"

namespace zq::harness {

// The id of the section holding a matrix cell's failures.
std::string cellId(const std::string& area, const std::string& locale);

// "no locale" for the checks made outside every locale, else the locale.
std::string localeLabel(const std::string& locale);

// The perf results: a bar chart per routine of the CPU nanoseconds per call (with the
// baseline's as a second bar), how the iterations were chosen, and every figure in a
// table. "" when nothing was timed.
std::string perfHtml(const RunResults& results);

// The comparison with --baseline: the check groups by change with each newly failing
// and newly passing one, and the timed cases flagged slower. "" without a baseline.
std::string changesHtml(const RunResults& results);

}  // namespace zq::harness
