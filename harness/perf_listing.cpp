// Reading the performance listing's result lines and writing them out as a table and as CSV.
#include "harness/perf_listing.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <regex>
#include <sstream>

namespace zq::harness {
namespace {

// The result line's fields: "%-26s" routine name (it ends in at least one blank),
// "%c%c%c%c%c" locale, four blanks, "%-12s" encoding name and three blanks, "%-12i"
// iterations and two blanks, then three "%-.12i" times and the "%-30s" description,
// each after four or more blanks. An encoding name never holds three blanks in a row.
const std::regex& resultLine() {
  static const std::regex pattern(
      "(zqnls[A-Za-z]+) +(.{5})    (.*?) {3,}(-?[0-9]+) +(-?[0-9]+) +(-?[0-9]+) +(-?[0-9]+)"
      "(?: +(.*?))? *\r?");
  return pattern;
}

std::string trimmedRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// Splits CSV text into records of fields: quoted fields may hold commas, quotes
// ("") and line breaks; records end in CRLF or LF; blank lines are skipped. False with
// `error` when a quote is left open or stray text follows a closing quote.
bool splitCsv(const std::string& text, std::vector<std::vector<std::string>>& records,
              std::string& error) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  bool after_quote = false;
  std::size_t line = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') ++line;
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
        after_quote = true;
      }
      continue;
    }
    if (c == ',') {
      fields.emplace_back();
      after_quote = false;
      continue;
    }
    if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') {
        ++i;
        ++line;
      }
      if (fields.size() > 1 || !fields.back().empty()) records.push_back(std::move(fields));
      fields.assign(1, "");
      after_quote = false;
      continue;
    }
    if (after_quote || (c == '"' && !fields.back().empty())) {
      error = "line " + std::to_string(line) + ": a quote in the middle of a field";
      return false;
    }
    if (c == '"') {
      quoted = true;
      continue;
    }
    fields.back() += c;
  }
  if (quoted) {
    error = "line " + std::to_string(line) + ": a quoted field is not closed";
    return false;
  }
  if (fields.size() > 1 || !fields.back().empty()) records.push_back(std::move(fields));
  return true;
}

}  // namespace

std::optional<PerfResult> parsePerfLine(const std::string& line) {
  std::smatch m;
  if (!std::regex_match(line, m, resultLine())) return std::nullopt;
  PerfResult result;
  result.routine = m[1].str();
  result.locale = m[2].str();
  result.encoding = trimmedRight(m[3].str());
  try {
    result.iterations = std::stoll(m[4].str());
    result.user_ms = std::stoll(m[5].str());
    result.system_ms = std::stoll(m[6].str());
    result.elapsed_ms = std::stoll(m[7].str());
  } catch (const std::out_of_range&) {
    return std::nullopt;
  }
  result.description = trimmedRight(m[8].str());
  return result;
}

std::vector<PerfResult> parsePerfListing(const std::string& text) {
  std::vector<PerfResult> results;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (auto result = parsePerfLine(line)) results.push_back(std::move(*result));
  }
  return results;
}

std::string perCallText(const std::optional<PerCall>& figure) {
  if (!figure) return "-";
  char text[48];
  const char* mark = figure->precision == Precision::Imprecise    ? "~"
                     : figure->precision == Precision::UpperBound ? "<"
                                                                  : "";
  std::snprintf(text, sizeof text, "%s%.1f", mark, figure->ns);
  return text;
}

std::string ratioText(const CaseComparison& c) {
  if (!c.ratio) return "-";
  char text[48];
  std::snprintf(text, sizeof text, "%s%.2fx%s", c.precise ? "" : "~", *c.ratio,
                c.slower ? " slower" : "");
  return text;
}

std::string perfTable(const std::vector<PerfResult>& results, const BaselineComparison* baseline) {
  std::vector<const CaseComparison*> compared(results.size(), nullptr);
  if (baseline != nullptr) {
    for (const CaseComparison& c : baseline->cases) {
      if (c.perf_index < results.size()) compared[c.perf_index] = &c;
    }
  }
  std::string out =
      "routine                    locale  encoding      iterations  user ms  system ms  "
      "elapsed ms  CPU ns/call  elapsed ns/call  ";
  if (baseline != nullptr) out += "baseline ns/call         ratio  ";
  out += "description\n";
  bool marked = false;
  char row[256];
  for (std::size_t i = 0; i < results.size(); ++i) {
    const PerfResult& r = results[i];
    const std::string cpu = perCallText(r.cpuPerCall());
    const std::string elapsed = perCallText(r.elapsedPerCall());
    std::snprintf(row, sizeof row, "%-26s %-7s %-12s %11lld %8lld %10lld %11lld %12s %16s  ",
                  r.routine.c_str(), r.locale.c_str(), r.encoding.c_str(),
                  static_cast<long long>(r.iterations), static_cast<long long>(r.user_ms),
                  static_cast<long long>(r.system_ms), static_cast<long long>(r.elapsed_ms),
                  cpu.c_str(), elapsed.c_str());
    out += row;
    const auto isMarked = [](const std::string& figure) {
      return figure.front() == '~' || figure.front() == '<';
    };
    marked = marked || isMarked(cpu) || isMarked(elapsed);
    if (baseline != nullptr) {
      const CaseComparison* c = compared[i];
      const std::string before = c != nullptr ? perCallText(c->baseline.cpuPerCall()) : "new";
      marked = marked || isMarked(before);
      std::snprintf(row, sizeof row, "%16s %13s  ", before.c_str(),
                    c != nullptr ? ratioText(*c).c_str() : "-");
      out += row;
    }
    out += r.description + "\n";
  }
  if (marked) {
    out += "~ imprecise: fewer than " + std::to_string(kPreciseFromMs) +
           " ms in all; < an upper bound: 0 ms in all (the listing counts whole milliseconds)\n";
  }
  return out;
}

std::string perfCallsText(const std::vector<PerfCall>& calls) {
  std::string out;
  for (const PerfCall& call : calls) {
    if (!call.calibrated) continue;
    out += "perf: routine " + std::to_string(call.routine) + " timed at " +
           std::to_string(call.iterations) + " iterations a case, found by " +
           std::to_string(call.short_calls) + (call.short_calls == 1 ? " short call" : " short calls") +
           "\n";
  }
  return out;
}

std::string perfCsv(const std::vector<PerfResult>& results) {
  std::string out =
      "routine,locale,encoding,iterations,user_cpu_ms,system_cpu_ms,elapsed_ms,cpu_ns_per_call,"
      "cpu_precision,elapsed_ns_per_call,elapsed_precision,description\r\n";
  const auto figure = [](const std::optional<PerCall>& f) {
    if (!f) return std::string(",");
    char text[64];
    std::snprintf(text, sizeof text, "%.3f,%s", f->ns, precisionName(f->precision));
    return std::string(text);
  };
  for (const PerfResult& r : results) {
    out += csvField(r.routine) + "," + csvField(r.locale) + "," + csvField(r.encoding) + "," +
           std::to_string(r.iterations) + "," + std::to_string(r.user_ms) + "," +
           std::to_string(r.system_ms) + "," + std::to_string(r.elapsed_ms) + "," +
           figure(r.cpuPerCall()) + "," + figure(r.elapsedPerCall()) + "," +
           csvField(r.description) + "\r\n";
  }
  return out;
}

ParsedPerfCsv parsePerfCsv(const std::string& text) {
  ParsedPerfCsv parsed;
  std::vector<std::vector<std::string>> records;
  if (!splitCsv(text, records, parsed.error)) return parsed;
  if (records.empty()) {
    parsed.error = "line 1: no header row";
    return parsed;
  }
  // The columns read, in PerfResult's order.
  static const char* const kColumns[] = {"routine",       "locale",        "encoding",
                                         "iterations",    "user_cpu_ms",   "system_cpu_ms",
                                         "elapsed_ms",    "description"};
  std::size_t at[std::size(kColumns)];
  for (std::size_t c = 0; c < std::size(kColumns); ++c) {
    const auto& header = records.front();
    const auto found = std::find(header.begin(), header.end(), kColumns[c]);
    if (found == header.end()) {
      parsed.error = std::string("line 1: no column ") + kColumns[c];
      return parsed;
    }
    at[c] = static_cast<std::size_t>(found - header.begin());
  }
  for (std::size_t n = 1; n < records.size(); ++n) {
    const std::vector<std::string>& fields = records[n];
    if (fields.size() != records.front().size()) {
      parsed.error = "record " + std::to_string(n + 1) + ": " + std::to_string(fields.size()) +
                     " fields under a header of " + std::to_string(records.front().size());
      return parsed;
    }
    PerfResult r;
    r.routine = fields[at[0]];
    r.locale = fields[at[1]];
    r.encoding = fields[at[2]];
    r.description = fields[at[7]];
    std::int64_t* numbers[] = {&r.iterations, &r.user_ms, &r.system_ms, &r.elapsed_ms};
    for (std::size_t k = 0; k < std::size(numbers); ++k) {
      const std::string& field = fields[at[3 + k]];
      const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *numbers[k]);
      if (error != std::errc{} || end != field.data() + field.size()) {
        parsed.error = "record " + std::to_string(n + 1) + ": " + kColumns[3 + k] + " '" + field +
                       "' is not a whole number";
        return parsed;
      }
    }
    parsed.results.push_back(std::move(r));
  }
  return parsed;
}

}  // namespace zq::harness
