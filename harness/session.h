// What one zqtest run shares between loading, running the suites and writing the results.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <vector>

#include "harness/baseline.h"
#include "harness/expectations.h"
#include "harness/options.h"
#include "harness/progress.h"
#include "harness/report.h"
#include "harness/results.h"
#include "harness/services.h"

namespace zq::harness {

// Failure details kept per suite for the result files; beyond them failures are
// only counted.
inline constexpr std::size_t kKeptFailures = 100'000;

struct Session {
  Session(const HarnessOptions& options, std::FILE* out, std::FILE* err);

  const HarnessOptions& options;
  std::FILE* out;
  std::FILE* err;
  Style style;
  Progress progress;
  std::vector<Expectation> expectations;
  std::optional<Baseline> baseline;  // --baseline, read before the run
  RunResults results;
  CheckRecorder recorder{kKeptFailures};
  bool load_error = false;    // the extension could not be loaded or run
  bool output_error = false;  // a result file could not be written

  // Where the listing files go: --out, else the current directory.
  std::filesystem::path outputDir() const;
};

}  // namespace zq::harness
