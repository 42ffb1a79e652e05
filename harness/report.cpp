// Formatting of suite summaries and failure details.
#include "harness/report.h"

namespace zq::harness {
namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string failureText(const CheckFailure& f, std::size_t number, std::int64_t total) {
  std::string out = "  failure " + std::to_string(number) + " of " + std::to_string(total) +
                    ": " + checkKindName(f.kind) + " check " + quoted(f.expression);
  if (f.kind == CheckKind::Buffer) out += " against " + quoted(f.expected_expression);
  out += " at " + f.source + ":" + std::to_string(f.line) + "\n";
  if (!f.step.empty()) out += "    step: " + f.step + "\n";
  if (f.kind == CheckKind::Buffer) {
    out += "    actual (" + f.expression + "): " + quoted(f.actual) + "\n";
    out += "    expected (" + f.expected_expression + "): " + quoted(f.expected) + "\n";
  } else {
    out += "    expected " + f.expected + ", actual " + f.actual + "\n";
  }
  if (!f.note.empty()) out += "    note: " + f.note + "\n";
  for (const std::string& message : f.messages_before) out += "    before: " + message + "\n";
  for (const std::string& message : f.messages_after) out += "    after: " + message + "\n";
  return out;
}

}  // namespace

std::string suiteReport(const std::string& suite_name, const SuiteTally& tally,
                        std::int64_t elapsed_ms, bool by_service) {
  const std::int64_t failed = tally.totalFailed();
  std::string out = suite_name + ": " + std::to_string(tally.totalChecks()) + " checks, " +
                    std::to_string(tally.totalPassed()) + " passed, " + std::to_string(failed) +
                    " failed, " + std::to_string(elapsed_ms) + " ms\n";
  if (by_service) {
    out += "  checks by service:";
    for (std::size_t k = 0; k < kCheckKindCount; ++k) {
      out += std::string(k == 0 ? " " : ", ") + checkKindName(static_cast<CheckKind>(k)) + " " +
             std::to_string(tally.checks[k]) + " (" + std::to_string(tally.failed[k]) +
             " failed)";
    }
    out += "\n";
  }
  for (std::size_t i = 0; i < tally.failures.size(); ++i) {
    out += failureText(tally.failures[i], i + 1, failed);
  }
  const auto shown = static_cast<std::int64_t>(tally.failures.size());
  if (failed > shown) {
    out += "  " + std::to_string(failed - shown) + " more failures not shown (--verbose shows all)\n";
  }
  return out;
}

std::string closingLine(std::int64_t passed, std::int64_t failed) {
  return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed\n";
}

}  // namespace zq::harness
