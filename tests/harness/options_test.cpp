// zqtest's command line: good forms, rejected forms, and the SuiteState built from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/options.h"

namespace zq::harness {
namespace {

TEST(Options, EveryOptionReachesTheStateInBothSpellings) {
  const ParsedOptions parsed = parseOptions(
      {"--lib", "/x/libe.so", "--suite=perf", "--mask", "0x1F", "--verbose", "--no-verify",
       "--run-code=Q7", "--out", "out/d", "--perf-iterations", "-3", "--perf-routine=5",
       "--perf-encoding", "60", "--perf-locale", "fr_FR", "--decimal-conversion=compatible"});
  ASSERT_EQ(parsed.error, "");
  // The ZqtestRun transcripts show the fixture's checks see the library, output directory,
  // suite, mask, run code, no-verify flag and perf selectors arrive, the default threshold,
  // calibration unless iterations are given, a baseline and its threshold and
  // fail-on-regression; here what they cannot show.
  const HarnessOptions& o = parsed.options;
  EXPECT_EQ(o.decimal_conversion, 1);
  const SuiteState state = suiteStateFor(o);
  EXPECT_EQ(state.verbose, 1);
  EXPECT_EQ(state.perf_iterations, -3);
  EXPECT_EQ(suiteStateFor(parseOptions({"--verbose"}).options).no_verify, 0);
  // Calibrated iterations reach the suites as 0; the last --perf-iterations counts; a
  // threshold may carry its percent sign.
  EXPECT_EQ(suiteStateFor(parseOptions({}).options).perf_iterations, 0);
  const HarnessOptions compared = parseOptions({"--perf-iterations", "5", "--perf-iterations=auto",
                                                "--perf-threshold", "2.5%"}).options;
  EXPECT_TRUE(compared.perf_iterations_auto);
  EXPECT_EQ(compared.perf_threshold_percent, 2.5);

  EXPECT_EQ(suitesToRun(parseOptions({"--suite", "perf", "--suite", "all"}).options).size(), 5u);
  EXPECT_EQ(parseOptions({"--mask", "4294967295"}).options.selection_mask, 0xFFFFFFFFu);
}

TEST(Options, BadUsageIsRejectedWithAMessageNamingTheProblem) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--mask"}, "--mask needs a value"},
      {{"--lib", "--verbose"}, "--lib needs a value"},
      {{"--verbose=1"}, "--verbose takes no value"},
      {{"--suite", "sanity3"}, "--suite: unknown suite 'sanity3'"},
      {{"--mask", "4294967296"}, "--mask: '4294967296'"},
      {{"--mask", "0x"}, "--mask: '0x'"},
      {{"--mask", "12abc"}, "--mask: '12abc'"},
      {{"--perf-iterations", "2147483648"}, "--perf-iterations: '2147483648'"},
      {{"--perf-routine", ""}, "--perf-routine: ''"},
      {{"--perf-iterations", "Auto"}, "--perf-iterations: 'Auto' is neither auto nor"},
      {{"--perf-threshold", "-1"}, "--perf-threshold: '-1'"},
      {{"--perf-threshold", "%"}, "--perf-threshold: '%'"},
      {{"--perf-threshold", "nan"}, "--perf-threshold: 'nan'"},
      {{"--baseline="}, "--baseline needs a directory"},
      {{"--run-code", "012"}, "--run-code: '012'"},
      {{"--run-code", "/x"}, "--run-code: '/x'"},
      {{"--run-code", "a b"}, "--run-code: 'a b'"},
      {{"--perf-locale", "fr_F"}, "--perf-locale: 'fr_F'"},
      {{"--out="}, "--out needs a directory"},
      {{"--decimal-conversion", "ieee"}, "--decimal-conversion: 'ieee'"},
  };
  for (const auto& [args, message] : cases) {
    const std::string error = parseOptions(args).error;
    EXPECT_NE(error.find(message), std::string::npos) << args[0] << " gave: " << error;
  }
}

}  // namespace
}  // namespace zq::harness
