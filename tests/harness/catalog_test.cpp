// The catalogue against the suites: real runs of the extension record where each
// conformance suite's checks land, under which mask bit, and in which locales.
#include <gtest/gtest.h>

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

std::set<std::string> wordsOf(const char* text) {
  std::istringstream words(text);
  std::set<std::string> out;
  for (std::string word; words >> word;) out.insert(word);
  return out;
}

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

TEST(Catalog, ConformanceSuitesLandUnderTheirSourceMaskBitAndLocales) {
  // The driver's own checks (its listing and journal) land in its row outside every
  // locale; a source the catalogue does not know would land there too, in a locale.
  for (std::uint32_t bit : {1u, 2u, 4u}) {
    LocalesByRow expected = {{"function1", {}}};
    for (const ConformanceSuiteInfo& info : conformanceCatalog()) {
      if (info.mask_bit == bit) expected[info.name] = wordsOf(info.locales);
    }
    EXPECT_EQ(recordedRows({"--suite", "function1", "--mask", std::to_string(bit)}), expected)
        << "mask " << bit;
  }
}

TEST(Catalog, TheOtherSuitesCheckInTheirListedLocales) {
  LocalesByRow expected;
  for (const SuiteInfo& info : suiteCatalog()) {
    if (info.slot != SuiteSlot::Function1) expected[suiteName(info.slot)] = wordsOf(info.locales);
  }
  LocalesByRow recorded;
  for (const char* suite : {"sanity1", "sanity2", "perf", "ieeeconv"}) {
    recorded.merge(recordedRows(
        {"--suite", suite, "--perf-routine", "all", "--perf-iterations", "1"}));
  }
  EXPECT_EQ(recorded, expected);
}

}  // namespace
}  // namespace zq::harness
