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
