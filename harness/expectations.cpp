// Reading, applying and writing the expectations file.
#include "harness/expectations.h"

#include <charconv>
#include <set>
#include <sstream>
#include <tuple>

#include "harness/render.h"

namespace zq::harness {
namespace {

// Reads one blank-separated word at `pos`; empty at the end of the line.
std::string word(const std::string& line, std::size_t& pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  const std::size_t start = pos;
  while (pos < line.size() && line[pos] != ' ') ++pos;
  return line.substr(start, pos - start);
}

// Reads a quoted text at `pos` (after blanks); false when it is not one.
bool quoted(const std::string& line, std::size_t& pos, std::string& out) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
  if (pos == line.size() || line[pos] != '"') return false;
  for (++pos; pos < line.size(); ++pos) {
    char c = line[pos];
    if (c == '"') {
      ++pos;
      return true;
    }
    if (c == '\\' && pos + 1 < line.size() && (line[pos + 1] == '"' || line[pos + 1] == '\\')) {
      c = line[++pos];
    }
    out += c;
  }
  return false;
}

// "SOURCE:LINE", split at the last colon.
bool sourceAndLine(const std::string& text, std::string& source, std::int64_t& line) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  const char* first = text.data() + colon + 1;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, line);
  if (error != std::errc{} || end != last || first == last) return false;
  source = text.substr(0, colon);
  return true;
}

std::string quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string describe(const CheckFailure& f) {
  if (f.valuesInJournal() && !f.journal_after.empty()) {
    std::string line = visibleText(f.journal_after.front());
    line.erase(0, line.find_first_not_of(' '));
    return "value check: " + line;
  }
  return std::string(checkKindName(f.kind)) + " check \"" + f.expression + "\" expected " +
         f.expected + ", actual " + f.actual;
}

}  // namespace

std::string Expectation::key() const {
  if (by_step) return "step " + quote(step);
  return "at " + source + ":" + std::to_string(line);
}

bool Expectation::matches(const CheckFailure& f) const {
  if (f.place.area != area || f.place.locale != locale) return false;
  if (by_step) return f.step == step;
  return f.source == source && f.line == line;
}

ParsedExpectations parseExpectations(const std::string& text) {
  ParsedExpectations parsed;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t pos = 0;
    Expectation e;
    e.file_line = number;
    e.area = word(line, pos);
    if (e.area.empty() || e.area[0] == '#') continue;
    const auto fail = [&](const std::string& what) {
      parsed.error = std::to_string(number) + ": " + what;
      return parsed;
    };
    e.locale = word(line, pos);
    if (e.locale.empty()) return fail("a suite needs a locale (or -) after it");
    if (e.locale == "-") e.locale.clear();
    const std::string kind = word(line, pos);
    if (kind == "step") {
      if (!quoted(line, pos, e.step)) return fail("step needs a text in double quotes");
    } else if (kind == "at") {
      e.by_step = false;
      if (!sourceAndLine(word(line, pos), e.source, e.line)) {
        return fail("at needs SOURCE:LINE");
      }
    } else {
      return fail("expected step \"TEXT\" or at SOURCE:LINE after the locale");
    }
    while (pos < line.size() && line[pos] == ' ') ++pos;
    e.reason = line.substr(pos);
    if (e.reason.empty()) return fail("an expected failure needs a reason");
    parsed.entries.push_back(std::move(e));
  }
  return parsed;
}

void applyExpectations(std::vector<Expectation>& entries, SuiteTally& tally) {
  for (CheckFailure& failure : tally.failures) {
    for (Expectation& entry : entries) {
      if (!entry.matches(failure)) continue;
      failure.outcome = Outcome::XFail;
      failure.reason = entry.reason;
      ++entry.matched;
      break;
    }
  }
}

std::vector<StaleExpectation> staleExpectations(const std::vector<Expectation>& entries,
                                                const std::vector<SuiteResult>& suites) {
  std::set<std::string> rows_run;
  for (const SuiteResult& suite : suites) rows_run.insert(suite.tally.areas.begin(), suite.tally.areas.end());
  std::vector<StaleExpectation> stale;
  for (const Expectation& e : entries) {
    if (e.matched > 0 || rows_run.count(e.area) == 0) continue;
    stale.push_back({e.area, e.locale, e.key(), e.reason, e.file_line});
  }
  return stale;
}

std::string expectationsText(const std::vector<SuiteResult>& suites) {
  std::string out =
      "# zqtest expected failures: SUITE LOCALE step \"TEXT\" REASON, or SUITE LOCALE at "
      "SOURCE:LINE REASON\n";
  std::set<std::tuple<std::string, std::string, std::string>> written;
  for (const SuiteResult& suite : suites) {
    for (const CheckFailure& f : suite.tally.failures) {
      Expectation e;
      e.area = f.place.area;
      e.locale = f.place.locale;
      e.by_step = !f.step.empty();
      e.step = f.step;
      e.source = f.source;
      e.line = f.line;
      if (!written.insert({e.area, e.locale, e.key()}).second) continue;
      const std::string& reason = f.outcome == Outcome::XFail ? f.reason : describe(f);
      out += e.area + " " + (e.locale.empty() ? "-" : e.locale) + " " + e.key() + " " + reason +
             "\n";
    }
  }
  return out;
}

}  // namespace zq::harness
