// JUnit XML of a run: rows as testsuites, (locale, family) cells as testcases.
#include "harness/documents.h"

#include <cstdio>

#include "harness/report.h"

namespace zq::harness {
namespace {

std::string attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + escapeMarkup(value) + "\"";
}

std::string attr(const char* name, std::int64_t value) {
  return attr(name, std::to_string(value));
}

std::string seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

std::string localeOrNone(const std::string& locale) { return locale.empty() ? "-" : locale; }

struct Totals {
  std::int64_t tests = 0;
  std::int64_t failures = 0;
  std::int64_t skipped = 0;
};

// One row's testcases. Each failing testcase's body lists its unexpected failures.
std::string rowSuite(const SuiteResult& suite, const std::string& area,
                     const std::map<CheckPlace, std::int64_t>& expected,
                     const std::vector<StaleExpectation>& stale, const std::string& date,
                     Totals& totals) {
  std::string cases;
  std::int64_t tests = 0;
  std::int64_t failures = 0;
  std::int64_t skipped = 0;
  double time = 0;
  for (const auto& [place, counts] : suite.tally.cells) {
    if (place.area != area) continue;
    ++tests;
    time += counts.seconds;
    const auto it = expected.find(place);
    const std::int64_t xfail = it == expected.end() ? 0 : it->second;
    const std::int64_t unexpected = counts.failed - xfail;
    cases += "    <testcase" + attr("name", localeOrNone(place.locale) + " " + place.family) +
             attr("classname", area + "." + localeOrNone(place.locale)) +
             attr("time", seconds(counts.seconds));
    if (counts.failed == 0) {
      cases += "/>\n";
      continue;
    }
    cases += ">\n";
    if (unexpected == 0) {
      ++skipped;
      cases += "      <skipped" +
               attr("message", std::to_string(xfail) + " expected failure(s) of " +
                                   std::to_string(counts.checks) + " checks") +
               "/>\n    </testcase>\n";
      continue;
    }
    ++failures;
    std::string body;
    std::int64_t number = 0;
    for (const CheckFailure& f : suite.tally.failures) {
      if (f.place != place || f.outcome != Outcome::Fail) continue;
      body += failureText(f, static_cast<std::size_t>(++number), unexpected);
    }
    if (number < unexpected) {
      body += "  " + std::to_string(unexpected - number) + " more failures not kept\n";
    }
    cases += "      <failure" +
             attr("message", std::to_string(unexpected) + " of " + std::to_string(counts.checks) +
                                 " checks failed") +
             attr("type", "check") + ">" + escapeMarkup(body) + "</failure>\n    </testcase>\n";
  }
  for (const StaleExpectation& s : stale) {
    if (s.area != area) continue;
    ++tests;
    ++failures;
    cases += "    <testcase" + attr("name", "stale expectation " + s.key) +
             attr("classname", area + "." + localeOrNone(s.locale)) + attr("time", "0") +
             ">\n      <failure" +
             attr("message", "expected to fail but passed (XPASS): " + s.reason) +
             attr("type", "xpass") + "/>\n    </testcase>\n";
  }
  totals.tests += tests;
  totals.failures += failures;
  totals.skipped += skipped;
  return "  <testsuite" + attr("name", area) + attr("tests", tests) + attr("failures", failures) +
         attr("errors", std::int64_t{0}) + attr("skipped", skipped) +
         attr("time", seconds(time)) + attr("timestamp", date) + ">\n" + cases +
         "  </testsuite>\n";
}

}  // namespace

std::string junitXml(const RunResults& results) {
  // JUnit readers take the time stamp as a local date and time with no zone; the run's
  // date is UTC.
  std::string date = results.info.date;
  if (!date.empty() && date.back() == 'Z') date.pop_back();
  Totals totals;
  std::string suites;
  for (const SuiteResult& suite : results.suites) {
    const auto expected = expectedByPlace(suite.tally);
    for (const std::string& area : suite.tally.areas) {
      suites += rowSuite(suite, area, expected, results.stale, date, totals);
    }
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + attr("name", "zqtest") +
         attr("tests", totals.tests) + attr("failures", totals.failures) +
         attr("errors", std::int64_t{0}) + attr("skipped", totals.skipped) + ">\n" + suites +
         "</testsuites>\n";
}

}  // namespace zq::harness
