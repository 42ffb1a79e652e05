// Reading an earlier run's results.json and perf.csv, and comparing this run with them.
#include "harness/baseline.h"

#include <filesystem>
#include <system_error>

#include "harness/files.h"
#include "harness/json_reader.h"
#include "harness/perf_listing.h"

namespace zq::harness {
namespace {

namespace fs = std::filesystem;

// Reads members of a given type; one that is missing or of another type reads as
// an empty value, and the first such is remembered in `error`.
struct MemberReader {
  std::string error;

  const JsonValue& operator()(const JsonValue& object, const char* name, JsonValue::Kind kind) {
    static const JsonValue kNone;
    const JsonValue* value = object.member(name);
    if (value != nullptr && value->kind == kind) return *value;
    if (error.empty()) {
      error = std::string("\"") + name + "\" is missing or not " +
              (kind == JsonValue::Kind::Array    ? "a list"
               : kind == JsonValue::Kind::String ? "a text"
                                                 : "a number");
    }
    return kNone;
  }
};

// The check groups of a results document: every cell of every area of every suite.
// False with `error` when a member is missing or of another type.
bool readGroups(const JsonValue& document, std::map<CheckPlace, CellCounts>& groups,
                std::string& error) {
  using Kind = JsonValue::Kind;
  MemberReader read;
  for (const JsonValue& suite : read(document, "suites", Kind::Array).items) {
    for (const JsonValue& area : read(suite, "areas", Kind::Array).items) {
      const std::string& name = read(area, "name", Kind::String).text;
      for (const JsonValue& cell : read(area, "cells", Kind::Array).items) {
        CellCounts& counts = groups[{name, read(cell, "locale", Kind::String).text,
                                     read(cell, "family", Kind::String).text}];
        counts.checks += static_cast<std::int64_t>(read(cell, "checks", Kind::Number).number);
        counts.failed += static_cast<std::int64_t>(read(cell, "failed", Kind::Number).number);
      }
    }
  }
  error = read.error;
  return error.empty();
}

std::optional<CellCounts> findGroup(const std::map<CheckPlace, CellCounts>& groups,
                                    const CheckPlace& place) {
  const auto it = groups.find(place);
  if (it == groups.end()) return std::nullopt;
  return it->second;
}

}  // namespace

LoadedBaseline readBaseline(const std::string& dir) {
  LoadedBaseline loaded;
  const std::string prefix = "--baseline " + dir + ": ";
  std::error_code error;
  if (!fs::is_directory(dir, error)) {
    loaded.error = prefix + "no such directory";
    return loaded;
  }
  Baseline baseline;
  baseline.dir = dir;
  const fs::path json_path = fs::path(dir) / "results.json";
  std::string text;
  if (!readFile(json_path, text)) {
    loaded.error = prefix + "cannot read " + json_path.string() + " (the earlier run's --json file)";
    return loaded;
  }
  std::string why;
  const std::optional<JsonValue> document = parseJson(text, why);
  const JsonValue* schema = document ? document->member("schema") : nullptr;
  if (!document) {
    loaded.error = prefix + json_path.string() + " is not JSON: " + why;
    return loaded;
  }
  if (schema == nullptr || (schema->text != kResultsSchema && schema->text != kResultsSchemaV1)) {
    loaded.error = prefix + json_path.string() + " has schema \"" +
                   (schema != nullptr ? schema->text : std::string()) + "\"; zqtest reads " +
                   kResultsSchemaV1 + " and " + kResultsSchema;
    return loaded;
  }
  baseline.schema = schema->text;
  if (!readGroups(*document, baseline.groups, why)) {
    loaded.error = prefix + json_path.string() + ": " + why;
    return loaded;
  }
  const fs::path csv_path = fs::path(dir) / "perf.csv";
  baseline.has_perf = fs::exists(csv_path, error);
  if (baseline.has_perf) {
    ParsedPerfCsv csv;
    if (!readFile(csv_path, text)) csv.error = "cannot be read";
    if (csv.error.empty()) csv = parsePerfCsv(text);
    if (!csv.error.empty()) {
      loaded.error = prefix + csv_path.string() + ": " + csv.error;
      return loaded;
    }
    baseline.perf = std::move(csv.results);
  }
  loaded.baseline = std::move(baseline);
  return loaded;
}

BaselineComparison compareWithBaseline(const RunResults& run, const Baseline& baseline,
                                       double threshold_percent) {
  BaselineComparison c;
  c.dir = baseline.dir;
  c.schema = baseline.schema;
  c.has_perf = baseline.has_perf;
  c.threshold_percent = threshold_percent;

  std::map<CheckPlace, CellCounts> groups;
  for (const SuiteResult& suite : run.suites) {
    for (const auto& [place, counts] : suite.tally.cells) {
      groups[place].checks += counts.checks;
      groups[place].failed += counts.failed;
    }
  }
  for (const auto& [place, counts] : groups) {
    const std::optional<CellCounts> then = findGroup(baseline.groups, place);
    const bool failing = counts.failed > 0;
    const bool failed_then = then && then->failed > 0;
    const GroupChange change = failing ? (failed_then ? GroupChange::StillFailing
                                                      : GroupChange::NewlyFailing)
                                       : (failed_then ? GroupChange::NewlyPassing
                                                      : GroupChange::StillPassing);
    ++c.groups[static_cast<std::size_t>(change)];
    if (change == GroupChange::NewlyFailing || change == GroupChange::NewlyPassing) {
      c.changed.push_back({place, change, counts.checks, counts.failed, then ? then->checks : 0,
                           then ? then->failed : 0});
    }
  }
  for (const auto& [place, counts] : baseline.groups) {
    if (groups.count(place) == 0) ++c.groups[static_cast<std::size_t>(GroupChange::NotRun)];
  }

  // A case that occurs more than once is matched in order.
  std::vector<bool> used(baseline.perf.size(), false);
  const double limit = 1.0 + threshold_percent / 100.0;
  for (std::size_t i = 0; i < run.perf.size(); ++i) {
    const PerfResult& now = run.perf[i];
    std::size_t j = 0;
    while (j < baseline.perf.size() && (used[j] || baseline.perf[j].key() != now.key())) ++j;
    if (j == baseline.perf.size()) continue;
    used[j] = true;
    CaseComparison compared;
    compared.perf_index = i;
    compared.baseline = baseline.perf[j];
    const std::optional<PerCall> here = now.cpuPerCall();
    const std::optional<PerCall> there = compared.baseline.cpuPerCall();
    if (here && there && here->precision != Precision::UpperBound &&
        there->precision != Precision::UpperBound) {
      compared.ratio = here->ns / there->ns;
      compared.precise =
          here->precision == Precision::Precise && there->precision == Precision::Precise;
      compared.slower = compared.precise && *compared.ratio > limit;
    }
    c.cases.push_back(std::move(compared));
  }
  return c;
}

}  // namespace zq::harness
