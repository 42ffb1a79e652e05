// What a zqtest run found: checks counted by where they ran, failures in full, run facts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace zq::harness {

// The services that count checks, in the order the report lists them.
enum class CheckKind : int { Handle = 0, Status, Int, Buffer, Uint64, Int64 };
inline constexpr std::size_t kCheckKindCount = 6;

// "handle", "status", "int", "buffer", "uint64" or "int64".
const char* checkKindName(CheckKind kind);

// A failed check's standing against the expectations file: not expected (FAIL), or
// expected (XFAIL) with the entry's reason.
enum class Outcome : int { Fail = 0, XFail };

// Where a check ran. `area` is the report's row: the suite, or for the conformance
// driver the conformance suite named by the check's source. `locale` is the newest
// locale handle alive at the check ("" outside every locale block); `family` is the
// operation named by the last step (or the step text itself).
struct CheckPlace {
  std::string area;
  std::string locale;
  std::string family;

  auto operator<=>(const CheckPlace&) const = default;
};

// What the harness keeps of one failed check. Texts are UTF-8 with invisible
// characters spelled out (render.h); the *_units fields keep the raw code points.
struct CheckFailure {
  CheckKind kind = CheckKind::Handle;
  CheckPlace place;
  std::string expression;           // the check's expression; for a buffer, the actual's text
  std::string expected_expression;  // a buffer's expected text; empty for other kinds
  std::string source;
  std::int64_t line = 0;
  std::string expected;  // statuses as 0x%08X, buffers as their text over the compared length
  std::string actual;
  std::u32string expected_units;  // the same, unrendered
  std::u32string actual_units;
  std::string note;  // why a buffer check failed without a full comparison, or ""
  std::string step;  // the last NoteStep text before the check
  std::vector<std::string> messages_before;  // severity-3 messages since the previous check
  std::vector<std::string> messages_after;   // severity-3 messages until the next check
  std::vector<std::u32string> journal_before;  // journal lines since the previous check
  std::vector<std::u32string> journal_after;   // journal lines until the next check
  Outcome outcome = Outcome::Fail;
  std::string reason;  // the expectation's reason when XFAIL

  // True for the suites' "expected 0, actual 1" registration of a failure whose real
  // values are only in the journal lines beside it.
  bool valuesInJournal() const {
    return kind == CheckKind::Int && expression == "1" && expected == "0" && actual == "1";
  }
};

// Checks and failures at one place, and the time spent reaching them.
struct CellCounts {
  std::int64_t checks = 0;
  std::int64_t failed = 0;
  double seconds = 0;
};

// The counts of one suite run.
struct SuiteTally {
  std::array<std::int64_t, kCheckKindCount> checks{};  // by CheckKind
  std::array<std::int64_t, kCheckKindCount> failed{};
  std::vector<CheckFailure> failures;  // details of the first failures, in order
  std::map<CheckPlace, CellCounts> cells;
  std::vector<std::string> areas;  // in the order first met

  std::int64_t totalChecks() const;
  std::int64_t totalFailed() const;
  std::int64_t totalPassed() const { return totalChecks() - totalFailed(); }
};

// One suite as the run called it (the perf suite once per routine with
// --perf-routine all; its calls add up here).
struct SuiteResult {
  std::string name;
  SuiteTally tally;
  std::int64_t returned = 0;   // the last non-zero result of its calls, else 0
  bool missing_entry = false;  // the extension record had no entry for it
  double seconds = 0;
};

// The perf listing gives whole milliseconds, truncated; a figure made of fewer than
// 20 of them is imprecise.
inline constexpr std::int64_t kListingResolutionMs = 1;
inline constexpr std::int64_t kPreciseFromMs = 20 * kListingResolutionMs;

// How far a figure per call can be trusted.
enum class Precision : int {
  Precise = 0,  // from kPreciseFromMs or more
  Imprecise,    // from fewer milliseconds: the truncation weighs
  UpperBound,   // from none: the true figure lies below the one given
};

// "precise", "imprecise" or "upper-bound".
const char* precisionName(Precision precision);

// A time per call in nanoseconds.
struct PerCall {
  double ns = 0;
  Precision precision = Precision::UpperBound;
};

// One result line of the performance listing.
struct PerfResult {
  std::string routine;
  std::string locale;
  std::string encoding;
  std::int64_t iterations = 0;
  std::int64_t user_ms = 0;
  std::int64_t system_ms = 0;
  std::int64_t elapsed_ms = 0;
  std::string description;

  // CPU time (user and system) and elapsed time per call; nothing without iterations.
  // Where the listing shows 0 ms the figure is the bound the resolution sets, never 0.
  std::optional<PerCall> cpuPerCall() const;
  std::optional<PerCall> elapsedPerCall() const;
  bool operator==(const PerfResult&) const = default;
  // What names the case across runs: routine, locale, encoding and description.
  auto key() const { return std::tie(routine, locale, encoding, description); }
};

// One call of the perf suite whose cases were timed: the routine selector and the
// iterations its SuiteState carried (0: none, and each case's default), found by
// `short_calls` calls before it when calibrated.
struct PerfCall {
  std::int32_t routine = 0;
  std::int32_t iterations = 0;
  bool calibrated = false;
  int short_calls = 0;
};

// How a check group (report row, locale and operation) stands against the baseline:
// failing means at least one of its checks failed, expected or not.
enum class GroupChange : int {
  NewlyFailing = 0,  // failing here, passing or absent there
  NewlyPassing,      // passing here, failing there
  StillFailing,
  StillPassing,      // passing here, passing or absent there
  NotRun,            // in the baseline only
};
inline constexpr std::size_t kGroupChangeCount = 5;

struct GroupComparison {
  CheckPlace place;
  GroupChange change = GroupChange::StillPassing;
  std::int64_t checks = 0;
  std::int64_t failed = 0;
  std::int64_t baseline_checks = 0;  // 0 where the baseline lacks the group
  std::int64_t baseline_failed = 0;
};

// One timed case of this run against the same case in the baseline.
struct CaseComparison {
  std::size_t perf_index = 0;  // into RunResults::perf
  PerfResult baseline;
  std::optional<double> ratio;  // CPU per call, here over there; none where either is a bound
  bool precise = false;         // both figures precise: only then is a case flagged
  bool slower = false;          // precise, and slower than the threshold allows
};

struct BaselineComparison {
  std::string dir;
  std::string schema;  // of the baseline's results.json
  bool has_perf = false;  // the baseline folder held a perf.csv
  double threshold_percent = 10;
  std::array<std::int64_t, kGroupChangeCount> groups{};  // counted by GroupChange
  std::vector<GroupComparison> changed;  // the newly failing and newly passing groups
  std::vector<CaseComparison> cases;     // this run's cases found in the baseline, in order

  std::int64_t count(GroupChange change) const {
    return groups[static_cast<std::size_t>(change)];
  }
  std::int64_t slowerCases() const;
};

// An expectation that matched no failed check: the check now passes (XPASS).
struct StaleExpectation {
  std::string area;
  std::string locale;
  std::string key;  // `step "..."` or `at SOURCE:LINE`, as in the file
  std::string reason;
  int line = 0;  // in the expectations file
};

struct RunInfo {
  std::string extension;         // the record's name, "zqvnle"
  std::string version;           // "1.0.3"
  std::string required_host;     // "7.1.1"
  std::string run_code;          // "01"
  std::string decimal_conversion;  // "COMPATIBLE" or "STDIEEE", as the run began
  std::string date;              // UTC, ISO 8601, when the run began
  std::string expect_file;       // "" when no expectations were given
};

struct RunResults {
  RunInfo info;
  std::vector<SuiteResult> suites;
  std::vector<PerfResult> perf;
  std::vector<PerfCall> perf_calls;
  std::optional<BaselineComparison> baseline;  // with --baseline
  std::vector<StaleExpectation> stale;
  bool leaked = false;
  int exit_code = 0;

  std::int64_t checks() const;
  std::int64_t passed() const { return checks() - failed(); }
  std::int64_t failed() const;
  // Failed checks by outcome; failures beyond the kept details count as FAIL.
  std::int64_t unexpectedFailures() const;
  std::int64_t expectedFailures() const;
};

}  // namespace zq::harness
