// Reading the performance listing's result lines and writing them out as a table and as CSV.
#include "harness/perf_listing.h"

#include <cstdio>
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

std::string perfTable(const std::vector<PerfResult>& results) {
  std::string out =
      "routine                    locale  encoding      iterations  user ms  system ms  "
      "elapsed ms  CPU ms/1000 calls  description\n";
  char row[256];
  for (const PerfResult& r : results) {
    std::snprintf(row, sizeof row, "%-26s %-7s %-12s %11lld %8lld %10lld %11lld %18.3f  ",
                  r.routine.c_str(), r.locale.c_str(), r.encoding.c_str(),
                  static_cast<long long>(r.iterations), static_cast<long long>(r.user_ms),
                  static_cast<long long>(r.system_ms), static_cast<long long>(r.elapsed_ms),
                  r.cpuMsPer1000());
    out += row + r.description + "\n";
  }
  return out;
}

std::string perfCsv(const std::vector<PerfResult>& results) {
  std::string out =
      "routine,locale,encoding,iterations,user_cpu_ms,system_cpu_ms,elapsed_ms,description\r\n";
  for (const PerfResult& r : results) {
    out += csvField(r.routine) + "," + csvField(r.locale) + "," + csvField(r.encoding) + "," +
           std::to_string(r.iterations) + "," + std::to_string(r.user_ms) + "," +
           std::to_string(r.system_ms) + "," + std::to_string(r.elapsed_ms) + "," +
           csvField(r.description) + "\r\n";
  }
  return out;
}

}  // namespace zq::harness
