// The zqtest command line: what to load, which suites to run and with what state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zq/harness.h"

namespace zq::harness {

// When the terminal report is coloured.
enum class ColorMode { Auto, Always, Never };

struct HarnessOptions {
  std::string library_path;            // empty: libzqvnle.so next to the zqtest binary
  std::optional<SuiteSlot> suite;      // empty: all five, in record order
  std::uint32_t selection_mask = 0;    // SuiteState selection mask
  bool verbose = false;                // SuiteState verbose flag; also prints every failure
  bool no_verify = false;              // SuiteState no-verify flag
  std::optional<std::int32_t> decimal_conversion;  // host mode word to set; empty: leave it
  std::string run_code = "01";         // exactly two ASCII characters
  std::string output_dir;              // empty: the current directory
  bool perf_iterations_auto = true;    // --perf-iterations auto: calibrated per call
  std::int32_t perf_iterations = 0;    // otherwise: given (0 or less: each case's default)
  std::int32_t perf_routine = 0;
  bool perf_all_routines = false;      // --perf-routine all: one perf call per routine, 1 to 5
  std::int32_t perf_encoding = 0;
  std::string perf_locale;             // empty: not given; otherwise five ASCII characters
  std::string perf_csv;                // --perf-csv FILE; empty: none
  std::string baseline;                // --baseline DIR: an earlier run's output; empty: none
  double perf_threshold_percent = 10;  // a case slower than the baseline by more is flagged
  bool perf_fail_on_regression = false;  // a flagged case fails the run
  std::string junit;                   // result files; empty: not written
  std::string json;
  std::string html;
  std::string expect;                  // --expect FILE: known failures
  std::string write_expect;            // --write-expect FILE
  ColorMode color = ColorMode::Auto;
  bool list = false;                   // --list: print the suites and do nothing else
  bool self_check = false;             // --self-check: run every suite against wrong results
  bool help = false;                   // --help: print the usage and do nothing else
};

// The most iterations a timed perf case is given; larger requests are cut to it.
inline constexpr std::int32_t kMaxPerfIterations = 10'000'000;

// The result of parsing: `error` is empty when the command line was good.
struct ParsedOptions {
  HarnessOptions options;
  std::string error;
};

// Parses the arguments after the program name. Values follow their option as the
// next argument or after '=' ("--mask 4", "--mask=4").
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The text printed by --help and after a usage error.
std::string usageText();

// The lower-case name of a suite as the command line and the report spell it.
const char* suiteName(SuiteSlot slot);

// The suites a run calls, in record order.
std::vector<SuiteSlot> suitesToRun(const HarnessOptions& options);

// A fresh SuiteState carrying the options' mask, flags and perf selectors; with
// --perf-routine all, `perf_routine` names the routine of this call. Calibrated
// iterations are the caller's to fill in; here they are 0.
SuiteState suiteStateFor(const HarnessOptions& options, std::int32_t perf_routine = 0);

}  // namespace zq::harness
