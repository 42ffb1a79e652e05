// Before a run: the files it will write and read; after it: the closing report, the
// result files and the exit code.
#pragma once

#include "harness/session.h"

namespace zq::harness {

// Creates the output directory, checks that every result file can be written and
// reads the expectations file. False after one line on the error stream saying what
// cannot be had.
bool prepareFiles(Session& s);

// The exit status of a finished run (runner.h).
int exitCodeOf(const Session& s);

// The closing part of the report (tables, rerun commands, expectations, the closing
// line), the result files, and the exit status in the session's results.
void finishRun(Session& s);

}  // namespace zq::harness
