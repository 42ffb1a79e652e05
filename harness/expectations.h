// Known failures: the --expect file that turns expected failures into XFAIL, and --write-expect.
//
// One entry a line; blank lines and lines starting with '#' are skipped:
//   SUITE LOCALE step "STEP TEXT" REASON
//   SUITE LOCALE at SOURCE:LINE REASON
// SUITE is a report row (sanity1, integerTest2, ...), LOCALE a locale name or "-" for
// checks made outside every locale. Inside the quotes \" stands for " and \\ for \.
// The reason is the rest of the line and may not be empty.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "harness/results.h"

namespace zq::harness {

struct Expectation {
  std::string area;
  std::string locale;  // "" for "-"
  bool by_step = true;
  std::string step;    // by_step
  std::string source;  // otherwise, with `line`
  std::int64_t line = 0;
  std::string reason;
  int file_line = 0;
  std::int64_t matched = 0;  // failed checks it has turned into XFAIL

  // `step "..."` or `at SOURCE:LINE`, as the file spells it.
  std::string key() const;
  bool matches(const CheckFailure& failure) const;
};

struct ParsedExpectations {
  std::vector<Expectation> entries;
  std::string error;  // "LINE: what is wrong", or "" when the whole text was good
};

ParsedExpectations parseExpectations(const std::string& text);

// Marks the suite's failures that an entry matches as XFAIL with its reason, and
// counts the matches in the entries.
void applyExpectations(std::vector<Expectation>& entries, SuiteTally& tally);

// The entries that matched nothing although their row ran checks: XPASS.
std::vector<StaleExpectation> staleExpectations(const std::vector<Expectation>& entries,
                                                const std::vector<SuiteResult>& suites);

// An expectations file holding every kept failure of the run once per (row, locale,
// step), keyed by its step, or by its source and line when it has no step. An
// expected failure keeps its reason; any other gets the first failure's description.
std::string expectationsText(const std::vector<SuiteResult>& suites);

}  // namespace zq::harness
