// zqtest --self-check: every suite against a host that gives one class of result
// wrongly at a time; the table of what each report row caught, and its verdict.
#include "harness/self_check.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "harness/render.h"
#include "harness/runner.h"
#include "zq/host.h"

namespace zq::harness {
namespace {

struct ResultClass {
  ZqhostCorruption corruption;
  const char* name;
};

// The classes in the table's column order.
constexpr ResultClass kClasses[] = {
    {ZQHOST_CORRUPT_TEXT, "text"},     {ZQHOST_CORRUPT_LENGTH, "length"},
    {ZQHOST_CORRUPT_STATUS, "status"}, {ZQHOST_CORRUPT_VALUE, "value"},
    {ZQHOST_CORRUPT_DATE, "date"},
};
constexpr std::size_t kClassCount = std::size(kClasses);

// Report rows that cannot see classes of wrong result (blank-separated lists): what
// they check has no such result, or their checks do not look at it.
struct BlindSpot {
  const char* rows;
  const char* classes;
  const char* reason;
};
constexpr BlindSpot kBlindSpots[] = {
    {"function1", "text length status value date",
     "the driver checks only the file and journal handles it opens; the suites it runs "
     "have rows of their own"},
    {"sanity2", "text", "its four sections parse; it formats nothing"},
    {"doubleTest1 doubleTest2 doubleTest3 doubleTest4 ieeeconv", "value date",
     "they format doubles and parse nothing"},
    {"integerTest1 integerTest2 integerTest3 integerTest4", "date",
     "they format and parse integers, never dates"},
    {"buftodblTest1", "text date", "it parses doubles and formats nothing"},
    {"buftodblTest1", "value",
     "every locale after en_US accepts the value en_US returned, and en_US's value is "
     "compared with nothing but the missing value: a value wrong alike in every locale "
     "passes"},
    {"perf", "date", "its routines format dates but parse only doubles"},
};

bool listHas(const char* list, const std::string& word) {
  std::istringstream words(list);
  for (std::string item; words >> item;) {
    if (item == word) return true;
  }
  return false;
}

const BlindSpot* blindSpotOf(const std::string& row, const std::string& result_class) {
  for (const BlindSpot& spot : kBlindSpots) {
    if (listHas(spot.rows, row) && listHas(spot.classes, result_class)) return &spot;
  }
  return nullptr;
}

// Failures caught by one report row, by class.
struct Row {
  std::string area;
  std::array<std::int64_t, kClassCount> caught{};
};

Row& rowOf(std::vector<Row>& rows, const std::string& area) {
  const auto found =
      std::find_if(rows.begin(), rows.end(), [&](const Row& row) { return row.area == area; });
  if (found != rows.end()) return *found;
  rows.push_back(Row{area, {}});
  return rows.back();
}

// Every failure is explained as the suites explain one: a line after the check
// names the test ("TEST07", "Test 3", "Test: 12"), and a failed status check's line
// shows the status returned as the host renders it. Returns what is missing, or "".
std::string explanationMissing(const CheckFailure& failure) {
  static const std::regex kNamesTest("(TEST|Test|test):? ?[0-9]+");
  std::vector<std::string> lines;
  for (const std::u32string& line : failure.journal_after) lines.push_back(utf8Of(line));
  const bool named = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return std::regex_search(line, kNamesTest);
  });
  if (!named) return "no journal line naming the test after the check";
  if (failure.kind != CheckKind::Status) return "";
  // Statuses read "0x803FE80D (NAME)"; the host renders their codes the same way. Some
  // checks pass the status returned in the place of the expected one.
  const auto codeOf = [](const std::string& status) { return status.substr(0, 10); };
  const bool shown = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(codeOf(failure.actual)) != std::string::npos ||
           line.find(codeOf(failure.expected)) != std::string::npos;
  });
  return shown ? "" : "no journal line showing the status returned";
}

// A problem once per check: "text: sanity1 at zqtest/src/zqvnle2:412: ... (3 times)".
void addProblem(std::vector<std::pair<std::string, int>>& problems, const std::string& problem) {
  const auto found = std::find_if(problems.begin(), problems.end(),
                                  [&](const auto& known) { return known.first == problem; });
  if (found != problems.end()) {
    ++found->second;
    return;
  }
  problems.emplace_back(problem, 1);
}

}  // namespace

int runSelfCheck(const HarnessOptions& options, std::FILE* out, std::FILE* err) {
  HarnessOptions every_suite = options;
  every_suite.suite.reset();
  every_suite.perf_all_routines = true;
  every_suite.perf_routine = 0;
  if (every_suite.perf_iterations_auto || every_suite.perf_iterations <= 0) {
    every_suite.perf_iterations_auto = false;
    every_suite.perf_iterations = 1;
  }
  every_suite.baseline.clear();
  std::FILE* quiet = std::fopen("/dev/null", "w");
  if (quiet == nullptr) {
    std::fprintf(err, "zqtest: cannot open /dev/null for the suites' reports\n");
    return kExitUsage;
  }
  std::vector<Row> rows;
  std::vector<std::pair<std::string, int>> problems;  // with the times each was met
  std::int64_t explained = 0;
  for (std::size_t c = 0; c < kClassCount; ++c) {
    const std::optional<RunResults> run =
        runCorrupted(every_suite, kClasses[c].corruption, quiet, err);
    if (!run) {
      std::fclose(quiet);
      return kExitUsage;
    }
    if (run->leaked) addProblem(problems, std::string(kClasses[c].name) + ": the host leaked");
    for (const SuiteResult& suite : run->suites) {
      for (const std::string& area : suite.tally.areas) rowOf(rows, area);
      for (const auto& [place, counts] : suite.tally.cells) {
        rowOf(rows, place.area).caught[c] += counts.failed;
      }
      for (const CheckFailure& failure : suite.tally.failures) {
        const std::string missing = explanationMissing(failure);
        if (missing.empty()) {
          ++explained;
          continue;
        }
        addProblem(problems, std::string(kClasses[c].name) + ": " + failure.place.area + " at " +
                                 failure.source + ":" + std::to_string(failure.line) + ": " +
                                 missing);
      }
    }
  }
  std::fclose(quiet);

  std::fprintf(out, "self-check: failures reported with the host giving one class of result "
                    "wrongly\n%-15s", "row");
  for (const ResultClass& result_class : kClasses) std::fprintf(out, "%9s", result_class.name);
  std::fputs("\n", out);
  for (const Row& row : rows) {
    std::fprintf(out, "%-15s", row.area.c_str());
    for (std::size_t c = 0; c < kClassCount; ++c) {
      std::fprintf(out, "%9" PRId64, row.caught[c]);
      const bool blind = blindSpotOf(row.area, kClasses[c].name) != nullptr;
      const std::string cell = row.area + " " + kClasses[c].name;
      if (row.caught[c] == 0 && !blind) {
        addProblem(problems, cell + ": no failure reported, and nothing explains why");
      }
      if (row.caught[c] > 0 && blind) {
        addProblem(problems, cell + ": failures reported where the notes say none can be");
      }
    }
    std::fputs("\n", out);
  }
  std::fputs("where a row reports nothing:\n", out);
  for (const BlindSpot& spot : kBlindSpots) {
    std::fprintf(out, "  %s (%s): %s\n", spot.rows, spot.classes, spot.reason);
  }
  for (const auto& [problem, times] : problems) {
    std::fprintf(out, "self-check problem: %s%s\n", problem.c_str(),
                 times > 1 ? (" (" + std::to_string(times) + " times)").c_str() : "");
  }
  if (!problems.empty()) {
    std::fprintf(out, "self-check: FAILED, %zu problem(s)\n", problems.size());
    return kExitFailed;
  }
  std::fprintf(out,
               "self-check: passed: every row reports each class it can see; %" PRId64
               " failures, each explained by a journal line naming its test\n",
               explained);
  return kExitPassed;
}

}  // namespace zq::harness
