// Totals over a run's results.
#include "harness/results.h"

namespace zq::harness {

const char* checkKindName(CheckKind kind) {
  switch (kind) {
    case CheckKind::Handle:
      return "handle";
    case CheckKind::Status:
      return "status";
    case CheckKind::Int:
      return "int";
    case CheckKind::Buffer:
      return "buffer";
    case CheckKind::Uint64:
      return "uint64";
    case CheckKind::Int64:
      return "int64";
  }
  return "?";
}

const char* precisionName(Precision precision) {
  switch (precision) {
    case Precision::Precise:
      return "precise";
    case Precision::Imprecise:
      return "imprecise";
    case Precision::UpperBound:
      return "upper-bound";
  }
  return "?";
}

namespace {

// `ms` milliseconds over `iterations` calls, read from `parts` truncated figures (a
// figure of 0 ms allows up to one resolution step for each part).
std::optional<PerCall> perCall(std::int64_t ms, int parts, std::int64_t iterations) {
  if (iterations <= 0) return std::nullopt;
  const double calls = static_cast<double>(iterations);
  if (ms <= 0) {
    return PerCall{static_cast<double>(parts * kListingResolutionMs) * 1e6 / calls,
                   Precision::UpperBound};
  }
  return PerCall{static_cast<double>(ms) * 1e6 / calls,
                 ms < kPreciseFromMs ? Precision::Imprecise : Precision::Precise};
}

}  // namespace

std::optional<PerCall> PerfResult::cpuPerCall() const {
  return perCall(user_ms + system_ms, 2, iterations);
}

std::optional<PerCall> PerfResult::elapsedPerCall() const {
  return perCall(elapsed_ms, 1, iterations);
}

std::int64_t BaselineComparison::slowerCases() const {
  std::int64_t slower = 0;
  for (const CaseComparison& c : cases) slower += c.slower ? 1 : 0;
  return slower;
}

std::int64_t SuiteTally::totalChecks() const {
  std::int64_t total = 0;
  for (std::int64_t n : checks) total += n;
  return total;
}

std::int64_t SuiteTally::totalFailed() const {
  std::int64_t total = 0;
  for (std::int64_t n : failed) total += n;
  return total;
}

std::int64_t RunResults::checks() const {
  std::int64_t total = 0;
  for (const SuiteResult& suite : suites) total += suite.tally.totalChecks();
  return total;
}

std::int64_t RunResults::failed() const {
  std::int64_t total = 0;
  for (const SuiteResult& suite : suites) total += suite.tally.totalFailed();
  return total;
}

std::int64_t RunResults::expectedFailures() const {
  std::int64_t total = 0;
  for (const SuiteResult& suite : suites) {
    for (const CheckFailure& failure : suite.tally.failures) {
      if (failure.outcome == Outcome::XFail) ++total;
    }
  }
  return total;
}

std::int64_t RunResults::unexpectedFailures() const { return failed() - expectedFailures(); }

}  // namespace zq::harness
