// The files around a run: checked before it, written after it, and the exit status.
#include "harness/result_files.h"

#include <system_error>

#include "harness/documents.h"
#include "harness/files.h"
#include "harness/perf_listing.h"
#include "harness/runner.h"

namespace zq::harness {
namespace {

namespace fs = std::filesystem;

// Writes one result file and names it; a failure makes the run an output error.
void writeResultFile(Session& s, const std::string& path, const std::string& text,
                     std::vector<std::string>& written) {
  if (path.empty()) return;
  if (writeFile(path, text)) {
    written.push_back(path);
    return;
  }
  std::fprintf(s.err, "zqtest: cannot write %s\n", path.c_str());
  s.output_error = true;
}

}  // namespace

bool prepareFiles(Session& s) {
  const HarnessOptions& o = s.options;
  std::error_code error;
  if (!o.output_dir.empty()) {
    fs::create_directories(o.output_dir, error);
    if (error || !fs::is_directory(o.output_dir)) {
      std::fprintf(s.err, "zqtest: cannot create the output directory %s: %s\n",
                   o.output_dir.c_str(),
                   error ? error.message().c_str() : "a file of that name is in the way");
      return false;
    }
  }
  const fs::path probe = s.outputDir() / ".zqtest-write-probe";
  if (!canWrite(probe)) {
    std::fprintf(s.err, "zqtest: cannot write to the output directory %s\n",
                 s.outputDir().c_str());
    return false;
  }
  for (const std::string* file : {&o.junit, &o.json, &o.html, &o.perf_csv, &o.write_expect}) {
    if (file->empty() || canWrite(*file)) continue;
    std::fprintf(s.err, "zqtest: cannot write %s\n", file->c_str());
    return false;
  }
  if (!o.baseline.empty()) {
    LoadedBaseline loaded = readBaseline(o.baseline);
    if (!loaded.baseline) {
      std::fprintf(s.err, "zqtest: %s\n", loaded.error.c_str());
      return false;
    }
    s.baseline = std::move(loaded.baseline);
  }
  if (o.expect.empty()) return true;
  std::string text;
  if (!readFile(o.expect, text)) {
    std::fprintf(s.err, "zqtest: cannot read the expectations file %s\n", o.expect.c_str());
    return false;
  }
  ParsedExpectations parsed = parseExpectations(text);
  if (!parsed.error.empty()) {
    std::fprintf(s.err, "zqtest: %s:%s\n", o.expect.c_str(), parsed.error.c_str());
    return false;
  }
  s.expectations = std::move(parsed.entries);
  s.results.info.expect_file = o.expect;
  return true;
}

int exitCodeOf(const Session& s) {
  if (s.load_error || s.output_error) return kExitUsage;
  const RunResults& r = s.results;
  bool suite_failed = false;
  for (const SuiteResult& suite : r.suites) {
    suite_failed = suite_failed || suite.returned != 0 || suite.missing_entry;
  }
  if (r.unexpectedFailures() > 0 || !r.stale.empty() || suite_failed || r.leaked) {
    return kExitFailed;
  }
  if (!r.baseline) return kExitPassed;
  const bool regressed = s.options.perf_fail_on_regression && r.baseline->slowerCases() > 0;
  return r.baseline->count(GroupChange::NewlyFailing) > 0 || regressed ? kExitFailed : kExitPassed;
}

void finishRun(Session& s) {
  RunResults& r = s.results;
  const HarnessOptions& o = s.options;
  r.stale = staleExpectations(s.expectations, r.suites);
  const bool with_expectations = !o.expect.empty();
  if (s.baseline) {
    r.baseline = compareWithBaseline(r, *s.baseline, o.perf_threshold_percent);
  }
  const BaselineComparison* baseline = r.baseline ? &*r.baseline : nullptr;
  std::fputs(summaryTable(r, with_expectations, s.style).c_str(), s.out);
  if (!r.perf.empty()) std::fputs(perfTable(r.perf, baseline).c_str(), s.out);
  if (baseline != nullptr) std::fputs(changesText(*baseline, r.perf, s.style).c_str(), s.out);
  for (const std::string& command : rerunCommands(r, o)) {
    std::fprintf(s.out, "rerun: %s\n", command.c_str());
  }
  if (with_expectations) {
    std::fprintf(s.out, "expectations %s: %lld FAIL, %lld XFAIL, %zu XPASS\n", o.expect.c_str(),
                 static_cast<long long>(r.unexpectedFailures()),
                 static_cast<long long>(r.expectedFailures()), r.stale.size());
    for (const StaleExpectation& stale : r.stale) {
      std::fprintf(s.out, "%s %s:%d: %s %s %s passed: %s\n",
                   s.style.red("XPASS").c_str(), o.expect.c_str(), stale.line,
                   stale.area.c_str(), stale.locale.empty() ? "-" : stale.locale.c_str(),
                   stale.key.c_str(), stale.reason.c_str());
    }
  }
  r.exit_code = exitCodeOf(s);
  std::vector<std::string> written;
  writeResultFile(s, o.junit, junitXml(r), written);
  writeResultFile(s, o.json, resultsJson(r), written);
  writeResultFile(s, o.html, htmlReport(r), written);
  writeResultFile(s, o.perf_csv, perfCsv(r.perf), written);
  writeResultFile(s, o.write_expect, expectationsText(r.suites), written);
  for (const std::string& path : written) std::fprintf(s.out, "wrote %s\n", path.c_str());
  std::fputs(closingLine(r.passed(), r.unexpectedFailures()).c_str(), s.out);
  std::fflush(s.out);
}

}  // namespace zq::harness
