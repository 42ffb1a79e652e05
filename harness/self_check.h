// zqtest --self-check: proof that the suites notice wrong results.
#pragma once

#include <cstdio>

#include "harness/options.h"

namespace zq::harness {

// Runs every suite (the perf suite once per routine) against a host that gives one
// class of result wrongly at a time: a unit of a formatted text, a converted length, a
// status, the last bit of a parsed value, a parsed date. Prints the table of failures
// caught by report row and class, with the reason for every row that cannot see a
// class, to `out`. Returns kExitPassed when every row reports each class its checks
// can see, every failure with an error message and a journal line naming its test
// (a failed status check's line showing the status returned), and no host object is
// left; kExitFailed otherwise, with one line per problem; kExitUsage when the
// extension cannot be run.
int runSelfCheck(const HarnessOptions& options, std::FILE* out, std::FILE* err);

}  // namespace zq::harness
