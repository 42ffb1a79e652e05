// The catalogue that --list prints against the suites: real runs of the extension record
// where each conformance suite's checks land, under which mask bit, and in which locales.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "harness/catalog.h"
#include "harness/runner.h"
#include "tests/support/test_support.h"
#include "zq/host.h"

namespace zq::harness {
namespace {

using LocalesByRow = std::map<std::string, std::set<std::string>>;

// The report rows of a real run and the locales their checks were made in.
LocalesByRow recordedRows(const std::vector<std::string>& args) {
  const zq::testing::ScratchFolder dir;
  std::vector<std::string> all_args = {"--lib", ZQVNLE_PATH, "--out", dir.path().string()};
  all_args.insert(all_args.end(), args.begin(), args.end());
  const ParsedOptions parsed = parseOptions(all_args);
  EXPECT_EQ(parsed.error, "");
  std::FILE* quiet = std::fopen("/dev/null", "w");
  const auto run = runCorrupted(parsed.options, ZQHOST_CORRUPT_NONE, quiet, stderr);
  std::fclose(quiet);
  LocalesByRow rows;
  if (!run) {
    ADD_FAILURE() << "the extension did not run";
    return rows;
  }
  for (const SuiteResult& suite : run->suites) {
    EXPECT_EQ(suite.tally.totalFailed(), 0) << suite.name;
    for (const auto& [place, counts] : suite.tally.cells) {
      std::set<std::string>& locales = rows[place.area];
      if (!place.locale.empty()) locales.insert(place.locale);
    }
  }
  return rows;
}

// What --list says: each suite's locales (none for the conformance driver), and each
// conformance suite's mask bit and locales.
struct Listed {
  LocalesByRow suites;
  std::map<std::uint32_t, LocalesByRow> conformance;  // by mask bit
};
Listed listed() {
  Listed out;
  std::istringstream lines(listText());
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string first, second, third;
    words >> first >> second >> third;
    if (first == "mask") {
      std::set<std::string>& locales = out.conformance[std::stoul(second)][third];
      for (std::string locale; words >> locale;) locales.insert(locale);
    } else if (!second.empty() && std::isdigit(static_cast<unsigned char>(second[0]))) {
      std::set<std::string>& locales = out.suites[first];
      for (std::string locale; words >> locale;) locales.insert(locale);
      if (first == "function1") locales.clear();  // the driver's line names no locale
    }
  }
  return out;
}

TEST(Catalog, ConformanceSuitesLandUnderTheirSourceMaskBitAndLocales) {
  // The driver's own checks (its listing and journal) land in its row outside every
  // locale; a source the catalogue does not know would land there too, in a locale.
  const Listed list = listed();
  ASSERT_EQ(list.conformance.size(), 3u);
  for (auto [bit, expected] : list.conformance) {
    expected["function1"] = {};
    EXPECT_EQ(recordedRows({"--suite", "function1", "--mask", std::to_string(bit)}), expected)
        << "mask " << bit;
  }
}

TEST(Catalog, TheOtherSuitesCheckInTheirListedLocales) {
  LocalesByRow expected = listed().suites;
  ASSERT_EQ(expected.size(), 5u);
  expected.erase("function1");
  LocalesByRow recorded;
  for (const char* suite : {"sanity1", "sanity2", "perf", "ieeeconv"}) {
    recorded.merge(recordedRows(
        {"--suite", suite, "--perf-routine", "all", "--perf-iterations", "1"}));
  }
  EXPECT_EQ(recorded, expected);
}

}  // namespace
}  // namespace zq::harness
