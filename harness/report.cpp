// Formatting of suite summaries, failure details, the closing table and rerun commands.
#include "harness/report.h"

#include <cstdio>
#include <set>

#include "harness/catalog.h"
#include "harness/perf_listing.h"
#include "harness/render.h"

namespace zq::harness {
namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// "N failed", red when N is not zero.
std::string failedCount(std::int64_t failed, const Style& style) {
  const std::string text = std::to_string(failed) + " failed";
  return failed > 0 ? style.red(text) : text;
}

// A shell word: left bare when it needs no quoting.
std::string shellWord(const std::string& text) {
  if (!text.empty() && text.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                              "0123456789_-./=:,+@%") == std::string::npos) {
    return text;
  }
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::string failureText(const CheckFailure& f, std::size_t number, std::int64_t total,
                        const Style& style) {
  const bool expected = f.outcome == Outcome::XFail;
  std::string out = "  " + (expected ? style.yellow("expected failure ") : style.red("failure ")) +
                    std::to_string(number) + " of " + std::to_string(total) + ": " +
                    checkKindName(f.kind) + " check " + quoted(f.expression);
  if (f.kind == CheckKind::Buffer) out += " against " + quoted(f.expected_expression);
  out += " at " + f.source + ":" + std::to_string(f.line) + "\n";
  if (!f.place.locale.empty()) out += "    locale: " + f.place.locale + "\n";
  if (!f.step.empty()) out += "    step: " + f.step + "\n";
  if (f.kind == CheckKind::Buffer) {
    out += "    actual (" + f.expression + "): " + quoted(f.actual) + "\n";
    out += "    expected (" + f.expected_expression + "): " + quoted(f.expected) + "\n";
  } else if (f.valuesInJournal() && !f.journal_after.empty()) {
    out += "    the values are in the journal lines below\n";
  } else {
    out += "    expected " + f.expected + ", actual " + f.actual + "\n";
  }
  if (!f.note.empty()) out += "    note: " + f.note + "\n";
  for (const std::string& message : f.messages_before) out += "    before: " + message + "\n";
  for (const std::string& message : f.messages_after) out += "    after: " + message + "\n";
  for (const std::u32string& line : f.journal_before) out += "    journal: " + visibleText(line) + "\n";
  for (const std::u32string& line : f.journal_after) out += "    journal: " + visibleText(line) + "\n";
  if (expected) out += "    expected because: " + f.reason + "\n";
  return out;
}

std::string suiteReport(const std::string& suite_name, const SuiteTally& tally,
                        std::int64_t elapsed_ms, bool by_service, std::size_t shown,
                        const Style& style) {
  const std::int64_t failed = tally.totalFailed();
  const std::string passed = std::to_string(tally.totalPassed()) + " passed";
  std::string out = suite_name + ": " + std::to_string(tally.totalChecks()) + " checks, " +
                    (failed == 0 ? style.green(passed) : passed) + ", " +
                    failedCount(failed, style) + ", " + std::to_string(elapsed_ms) + " ms\n";
  if (by_service) {
    out += "  checks by service:";
    for (std::size_t k = 0; k < kCheckKindCount; ++k) {
      out += std::string(k == 0 ? " " : ", ") + checkKindName(static_cast<CheckKind>(k)) + " " +
             std::to_string(tally.checks[k]) + " (" + std::to_string(tally.failed[k]) +
             " failed)";
    }
    out += "\n";
  }
  const std::size_t listed = std::min(shown, tally.failures.size());
  for (std::size_t i = 0; i < listed; ++i) {
    out += failureText(tally.failures[i], i + 1, failed, style);
  }
  const auto listed_count = static_cast<std::int64_t>(listed);
  if (failed > listed_count) {
    out += "  " + std::to_string(failed - listed_count) +
           " more failures not shown (--verbose shows all)\n";
  }
  return out;
}

std::string summaryTable(const RunResults& results, bool with_expectations, const Style& style) {
  std::string out = "suite          checks    passed    failed";
  if (with_expectations) out += "     xfail";
  out += "        time\n";
  const auto row = [&](const std::string& name, std::int64_t checks, std::int64_t failed,
                       std::int64_t xfail, double seconds) {
    char cells[96];
    std::snprintf(cells, sizeof cells, "%-12s %8lld  %8lld  ", name.c_str(),
                  static_cast<long long>(checks), static_cast<long long>(checks - failed));
    out += cells;
    std::snprintf(cells, sizeof cells, "%8lld", static_cast<long long>(failed - xfail));
    out += failed - xfail > 0 ? style.red(cells) : std::string(cells);
    if (with_expectations) {
      std::snprintf(cells, sizeof cells, "  %8lld", static_cast<long long>(xfail));
      out += cells;
    }
    std::snprintf(cells, sizeof cells, "  %7.0f ms\n", seconds * 1000.0);
    out += cells;
  };
  std::int64_t xfail_total = 0;
  double seconds_total = 0;
  for (const SuiteResult& suite : results.suites) {
    std::int64_t xfail = 0;
    for (const CheckFailure& f : suite.tally.failures) xfail += f.outcome == Outcome::XFail;
    row(suite.name, suite.tally.totalChecks(), suite.tally.totalFailed(), xfail, suite.seconds);
    xfail_total += xfail;
    seconds_total += suite.seconds;
  }
  row("total", results.checks(), results.failed(), xfail_total, seconds_total);
  return out;
}

std::vector<std::string> rerunCommands(const RunResults& results, const HarnessOptions& options) {
  std::string common;
  if (!options.library_path.empty()) common += " --lib " + shellWord(options.library_path);
  if (options.run_code != "01") common += " --run-code " + shellWord(options.run_code);
  if (options.verbose) common += " --verbose";
  std::set<std::string> seen;
  std::vector<std::string> commands;
  for (const SuiteResult& suite : results.suites) {
    std::set<std::string> failing_rows;
    for (const CheckFailure& f : suite.tally.failures) {
      if (f.outcome == Outcome::Fail) failing_rows.insert(f.place.area);
    }
    // Failures beyond the kept details are unexpected too.
    const bool beyond_kept = suite.tally.totalFailed() >
                             static_cast<std::int64_t>(suite.tally.failures.size());
    if (beyond_kept || suite.returned != 0) failing_rows.insert(suite.name);
    for (const std::string& area : failing_rows) {
      std::string command = "zqtest --suite " + suite.name + common;
      const std::uint32_t mask = maskBitOfArea(area);
      if (mask != 0) command += " --mask " + std::to_string(mask);
      if (mask == 0 && suite.name == suiteName(SuiteSlot::Function1) &&
          options.selection_mask != 0) {
        command += " --mask " + std::to_string(options.selection_mask);
      }
      if (suite.name == suiteName(SuiteSlot::Perf)) {
        if (options.perf_all_routines) command += " --perf-routine all";
        if (options.perf_routine != 0) command += " --perf-routine " + std::to_string(options.perf_routine);
        if (!options.perf_iterations_auto) {
          command += " --perf-iterations " + std::to_string(options.perf_iterations);
        }
        if (options.perf_encoding != 0) command += " --perf-encoding " + std::to_string(options.perf_encoding);
        if (!options.perf_locale.empty()) command += " --perf-locale " + shellWord(options.perf_locale);
      }
      if (seen.insert(command).second) commands.push_back(command);
    }
  }
  return commands;
}

std::string changesText(const BaselineComparison& b, const std::vector<PerfResult>& perf,
                        const Style& style) {
  // Rows listed per kind of change; the JSON results hold them all.
  constexpr std::size_t kListed = 20;
  const auto count = [&](GroupChange change) { return std::to_string(b.count(change)); };
  const std::int64_t newly_failing = b.count(GroupChange::NewlyFailing);
  const std::string failing_text = count(GroupChange::NewlyFailing) + " newly failing";
  std::string out = "baseline " + b.dir + " (" + b.schema + "): check groups " +
                    (newly_failing > 0 ? style.red(failing_text) : failing_text) + ", " +
                    count(GroupChange::NewlyPassing) + " newly passing, " +
                    std::to_string(b.count(GroupChange::StillFailing) +
                                   b.count(GroupChange::StillPassing)) +
                    " unchanged, " + count(GroupChange::NotRun) + " not run here\n";
  for (GroupChange change : {GroupChange::NewlyFailing, GroupChange::NewlyPassing}) {
    std::size_t listed = 0;
    for (const GroupComparison& g : b.changed) {
      if (g.change != change || ++listed > kListed) continue;
      out += std::string(change == GroupChange::NewlyFailing ? "  newly failing: "
                                                             : "  newly passing: ") +
             g.place.area + " " + (g.place.locale.empty() ? "-" : g.place.locale) + " " +
             g.place.family + ": " + std::to_string(g.failed) + " of " +
             std::to_string(g.checks) + " failed (baseline " + std::to_string(g.baseline_failed) +
             " of " + std::to_string(g.baseline_checks) + ")\n";
    }
    if (listed > kListed) out += "  and " + std::to_string(listed - kListed) + " more\n";
  }
  if (!b.has_perf) return out + "baseline perf: no perf.csv in the baseline; timings not compared\n";
  char threshold[32];
  std::snprintf(threshold, sizeof threshold, "%g %%", b.threshold_percent);
  out += "baseline perf: " + std::to_string(b.cases.size()) + " cases compared, " +
         std::to_string(b.slowerCases()) + " slower by more than " + threshold + "\n";
  for (const CaseComparison& c : b.cases) {
    if (!c.slower) continue;
    const PerfResult& r = perf[c.perf_index];
    out += "  " + style.red("slower") + ": " + r.routine + " " + r.locale + " " + r.encoding +
           " " + r.description + ": " + ratioText(c) + " (" + perCallText(r.cpuPerCall()) +
           " ns per call, baseline " + perCallText(c.baseline.cpuPerCall()) + ")\n";
  }
  return out;
}

std::string closingLine(std::int64_t passed, std::int64_t failed) {
  return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed\n";
}

}  // namespace zq::harness
