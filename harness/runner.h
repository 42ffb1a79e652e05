// A whole zqtest run: load the extension as the toolkit would, run its suites, report.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "harness/options.h"
#include "harness/results.h"

namespace zq::harness {

inline constexpr int kExitPassed = 0;  // every check passed, every suite returned 0, no leak
inline constexpr int kExitFailed = 1;  // a check failed, a suite returned non-zero or the host leaked
inline constexpr int kExitUsage = 2;   // bad usage or the extension could not be loaded

// Runs the suites the options select and returns the exit status above. The report
// goes to `out`; load errors and warnings go to `err`.
int runHarness(const HarnessOptions& options, std::FILE* out, std::FILE* err);

// The suites the options select, run once against a new host that gives the results
// of the class `corruption` wrongly (zqhostCorruptResults); their reports go to `out`.
// Nothing when the extension or the host could not be had (`err` says why).
std::optional<RunResults> runCorrupted(const HarnessOptions& options, std::int32_t corruption,
                                       std::FILE* out, std::FILE* err);

}  // namespace zq::harness
