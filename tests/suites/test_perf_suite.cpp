// zqvnlePerf on the stand-in host: which cases the selectors run, the result line, and
// every failure path ending cleanly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "recording_services.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::Recorder;

const std::string kHeader =
    "Performance Test for ZqvnlePerf \n"
    "ROUTINE                   LOCALE   ENCODING       ITERATIONS    USER CPU (ms)   "
    "SYSTEM CPU (ms)   ELAPSED TIME (ms)   DESCRIPTION\n";

// What a run is asked for: selectors (0 and "" for none) and an armed host fault.
struct Request {
  std::int32_t routine = 0;
  std::int32_t encoding = 0;
  const char* locale = "";
  std::int32_t iterations = 3;
  ZqhostFault fault = ZQHOST_FAULT_CREATE_POOL;  // never called by the suite
  std::int32_t fault_after = 0;
};

struct PerfSuiteRun : ::testing::Test {
  void SetUp() override { zqhostSetOutputDir(kernel, dir.path().c_str()); }
  void TearDown() override { EXPECT_EQ(zqhostDestroy(kernel), 0); }  // nothing left alive

  // Runs the suite and returns its listing, "" when it wrote none.
  std::string run(const Request& r) {
    zq::SuiteState state{};
    state.perf_routine = r.routine;
    state.perf_encoding = r.encoding;
    state.perf_iterations = r.iterations;
    state.perf_locale_given = *r.locale != 0 ? 1 : 0;
    for (int i = 0; r.locale[i] != 0 && i < 5; ++i) state.perf_locale[i] = r.locale[i];
    zqhostInjectFault(kernel, r.fault, r.fault_after);
    recorder = Recorder{};
    zq::TestServices services = zq::testing::recordingServices(recorder);
    zq::RunRecord run_record{};
    Exported_ZQHandle = static_cast<zq::KernelHandle*>(kernel);
    EXPECT_EQ(zqvnlePerf(&services, 5, &state, &run_record, nullptr), 0);
    Exported_ZQHandle = nullptr;
    return zq::testing::contentsOf(dir / "zqvnlp.lst");
  }

  // The routine, locale and encoding columns of every result line after the header.
  static std::vector<std::string> resultHeads(const std::string& listing) {
    EXPECT_EQ(listing.substr(0, kHeader.size()), kHeader);
    std::vector<std::string> heads;
    std::istringstream lines(listing.substr(std::min(kHeader.size(), listing.size())));
    for (std::string line; std::getline(lines, line);) {
      if (line.starts_with("zqnls") && line.find("Test") == std::string::npos) {
        heads.push_back(line.substr(0, 47));
      }
    }
    return heads;
  }

  void* kernel = zqhostCreate();
  zq::testing::ScratchFolder dir;
  Recorder recorder;
};

// The golden listings hold each routine's cases; here the other selectors.
TEST_F(PerfSuiteRun, SelectorsChooseTheCasesThatMatchThemAll) {
  const std::string parse = "zqnlsStringToDouble       ";
  const std::string write = "zqnlsStringFromDouble     ";
  const std::string utf8 = "    UTF-8       ";
  const std::pair<Request, std::vector<std::string>> rows[] = {
      {{0, 60, "fr_FR"}, {parse + "fr_FR    ISO-8859-15 ", write + "fr_FR    ISO-8859-15 "}},
      {{}, {}},
      {{9}, {}},
      {{1, 0, "ar_SY"}, {parse + "ar_SY" + utf8, parse + "ar_SY    windows-1256"}},
  };
  for (const auto& [request, heads] : rows) {
    EXPECT_EQ(resultHeads(run(request)), heads) << request.routine << " " << request.locale;
    EXPECT_EQ(recorder.failures(), 0u);
  }
}

TEST_F(PerfSuiteRun, ResultLineWithTheDefaultIterations) {
  const std::string listing = run({5, 0, "he_IL", 0});
  const std::regex line(
      "zqnlsLocaleDoubleFormat   he_IL    UTF-8          10000         [0-9]{12}    [0-9]{12}"
      "      [0-9]{12}        Double Format of 6543.21      \n");
  EXPECT_TRUE(std::regex_match(listing.substr(std::min(kHeader.size(), listing.size())), line))
      << listing;
}

TEST_F(PerfSuiteRun, EveryFailureEndsItsCaseOrRunAndReleasesWhatItHeld) {
  struct Row {
    Request request;
    const char32_t* message;
    const char* journal;  // "" for a run that writes no listing
    std::size_t results;
  } rows[] = {
      {{5, 0, "en_US", 3, ZQHOST_FAULT_GET_TIMES, 1},
       U"GetTimes did not successfully get start time for zqnlsLocaleDoubleFormat test.",
       "GetTimes did not successfully get start time for zqnlsLocaleDoubleFormat for UTF-8.\n",
       0},
      {{1, 28, "en_US", 3, ZQHOST_FAULT_GET_TIMES, 2},
       U"GetTimes did not successfully get end time for zqnlsStringToDouble test.",
       "GetTimes did not successfully get end time for zqnlsStringToDouble for ISO-8859-1.\n", 0},
      {{2, 60, "fr_FR", 3, ZQHOST_FAULT_SM_CREATE, 1},
       U"zqnlsSMCreate gave unexpected return code.",
       "zqnlsStringFromDouble Test: 16: zqnlsSMCreate returned status of '", 0},
      {{1, 60, "fr_FR", 3, ZQHOST_FAULT_SM_DESTROY, 1},
       U"zqnlsSMDestroy did not return expected status in zqnlsStringToDouble test.",
       "zqnlsStringToDouble Test 4: zqnlsSMDestroy failed to return correct status for cei "
       "ISO-8859-15.\n",
       1},
      {{1, 138, "ja_JP", 3, ZQHOST_FAULT_LOCALE_CREATE, 1},
       U"zqnlsStringToDouble Test was unable to get locale handle with zqnlsLocaleCreate",
       "zqnlsStringToDouble Test 8: zqnlsLocaleCreate failed to return locale handle for "
       "Shift_JIS.\n",
       0},
      // The case goes on without the encoding's name.
      {{5, 0, "zh_CN", 3, ZQHOST_FAULT_GET_ENCODING_PROPERTIES, 1},
       U"zqnlsGetEncodingProperties gave unexpected return code.",
       "zqnlsLocaleDoubleFormat   zh_CN                   3             ", 1},
      {{5, 0, "", 3, ZQHOST_FAULT_LOAD_EXTENSION, 1}, U"Could not get file handle", "", 0},
      {{5, 0, "", 3, ZQHOST_FAULT_CREATE_JOURNAL, 1}, U"Could not get journal handle", "", 0},
  };
  for (const Row& row : rows) {
    std::filesystem::remove(dir / "zqvnlp.lst");
    const std::string listing = run(row.request);
    EXPECT_EQ(recorder.failures(), 1u) << listing;
    EXPECT_TRUE(recorder.hasMessage(row.message)) << listing;
    EXPECT_NE(listing.find(row.journal), std::string::npos) << listing;
    if (*row.journal != 0) {
      EXPECT_EQ(resultHeads(listing).size(), row.results) << listing;
    }
  }
}

}  // namespace
