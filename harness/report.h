// The text zqtest prints for each suite run and at the end of a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "harness/options.h"
#include "harness/results.h"

namespace zq::harness {

// ANSI colours for the terminal, or none. Colour is never the only signal: every
// painted text says the same in words.
struct Style {
  bool color = false;
  std::string red(const std::string& text) const { return paint(text, "31"); }
  std::string green(const std::string& text) const { return paint(text, "32"); }
  std::string yellow(const std::string& text) const { return paint(text, "33"); }

 private:
  std::string paint(const std::string& text, const char* sgr) const {
    return color ? "\x1b[" + std::string(sgr) + "m" + text + "\x1b[0m" : text;
  }
};

// "  failure 3 of 12: status check "status" at SOURCE:LINE" and a newline, then the
// step, the values, the note, the messages and journal lines around the check, and
// the reason of an expected failure.
std::string failureText(const CheckFailure& failure, std::size_t number, std::int64_t total,
                        const Style& style = {});

// "sanity1: 512 checks, 512 passed, 0 failed, 14 ms" and a newline, followed by the
// first `shown` kept failures with their details, a line counting failures not shown,
// and, when `by_service` is set, the checks counted per service.
std::string suiteReport(const std::string& suite_name, const SuiteTally& tally,
                        std::int64_t elapsed_ms, bool by_service, std::size_t shown = 10,
                        const Style& style = {});

// The table of suites x (checks, passed, failed, time), with an XFAIL column when
// expectations were given, and a total row.
std::string summaryTable(const RunResults& results, bool with_expectations,
                         const Style& style = {});

// One "zqtest --suite ..." line per suite (and conformance mask) with unexpected
// failures, carrying the options that chose what ran.
std::vector<std::string> rerunCommands(const RunResults& results, const HarnessOptions& options);

// The comparison with --baseline: the check groups by change, each newly failing
// and newly passing group, the timed cases compared and each one flagged slower.
std::string changesText(const BaselineComparison& baseline, const std::vector<PerfResult>& perf,
                        const Style& style = {});

// The closing line: "N passed, N failed" and a newline.
std::string closingLine(std::int64_t passed, std::int64_t failed);

}  // namespace zq::harness
