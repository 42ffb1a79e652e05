// Whole zqtest runs: the built binary over the fixture extensions, over libraries it
// must refuse, and over the real libzqvnle.so. Each fixture scenario's runs (the
// command, exit code, output and error output, and the files they wrote) make one
// transcript, compared whole with the reviewed one in tests/golden/e2e/; with
// ZQ_GOLDEN_WRITE=1 (`make golden`) the transcripts that differ are rewritten instead.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/listing_diff.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using zq::testing::contentsOf;

// `text` in single quotes for the shell, each quote in it closed, escaped and reopened.
std::string quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class ZqtestRun : public ::testing::Test {
 protected:
  // Runs zqtest in the scratch folder, where relative paths lead, over the fixture with
  // listings going to out/, or with `args` alone when they begin with a library or
  // `on_fixture` is false; adds the command, its exit code and its output to the transcript.
  void record(std::vector<std::string> args, bool on_fixture = true) {
    if (on_fixture && (args.empty() || args[0] != "--lib")) {
      args.insert(args.begin(), {"--lib", ZQ_FIXTURE_PATH, "--out", "out"});
    }
    // Built by appending: GCC 12 misreports "literal" + std::string under -O3.
    std::string command = "cd ";
    command.append(quote(dir_.path().string())).append(" && ").append(quote(ZQTEST_PATH));
    std::string shown = "$ zqtest";
    for (const std::string& arg : args) {
      command.append(" ").append(quote(arg));
      shown.append(" ").append(arg);
    }
    const int status = std::system(command.append(" >out.txt 2>err.txt").c_str());
    const int exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    transcript_ += shown + "\nexit " + std::to_string(exit_code) + "\n";
    transcript_ += contentsOf(dir_ / "out.txt");
    const std::string err = contentsOf(dir_ / "err.txt");
    if (!err.empty()) transcript_ += "-- stderr\n" + err;
  }
  // Adds a file the runs wrote to the transcript.
  void recordFile(const std::string& name) {
    transcript_ += "== " + name + "\n" + contentsOf(dir_ / name);
  }

  // The transcript against tests/golden/e2e/NAME.txt, with what varies from run to run
  // made fixed: the build's and the scratch folder's paths, times and dates.
  void expectGolden(const std::string& name) {
    std::string text = transcript_;
    const std::pair<std::string, std::string> kPaths[] = {
        {ZQ_FIXTURE_NOFACTORY_PATH, "FIXTURE_NOFACTORY"}, {ZQ_FIXTURE_V8_PATH, "FIXTURE_V8"},
        {ZQ_FIXTURE_PATH, "FIXTURE"}, {ZQHOST_PATH, "ZQHOST"}, {dir_.path().string(), "SCRATCH"}};
    for (const auto& [path, word] : kPaths) {
      for (std::size_t at; (at = text.find(path)) != std::string::npos;) {
        text.replace(at, path.size(), word);
      }
    }
    const std::pair<std::regex, const char*> kVarying[] = {
        {std::regex(" +[0-9]+ ms$", std::regex::multiline), " # ms"},
        {std::regex("(\"seconds\":|time=\")[-+.e0-9]+"), "$1#"},
        {std::regex("(\"date\":\"|timestamp=\")[-:T0-9Z]+"), "$1#"},
        {std::regex("(cannot load [^:]+: ).*"), "$1(the loader's reason)"}};
    for (const auto& [pattern, fixed] : kVarying) text = std::regex_replace(text, pattern, fixed);
    const fs::path golden = fs::path(ZQ_TEST_SOURCE_DIR) / "tests/golden/e2e" / (name + ".txt");
    const char* write = std::getenv("ZQ_GOLDEN_WRITE");
    if (write != nullptr && std::string(write) == "1") {
      if (contentsOf(golden) != text) std::ofstream(golden, std::ios::binary) << text;
      return;
    }
    const std::string differences = zq::testing::firstDifferences(contentsOf(golden), text);
    EXPECT_TRUE(differences.empty()) << golden.string() << " differs (- golden, + this run):\n"
                                     << differences
                                     << "Once the change has been reviewed, `make golden` "
                                        "rewrites the golden transcripts.";
  }

  zq::testing::ScratchFolder dir_;
  std::string transcript_;
};

TEST_F(ZqtestRun, BadInputExitsTwoWithAOneLineReason) {
  std::ofstream(dir_ / "not_a_library.so") << "plain text\n";
  std::ofstream(dir_ / "a_file") << "in the way\n";
  std::ofstream(dir_ / "bad.expect") << "# known\nsanity2 - step \"TEST1\"\n";
  // Baseline folders that cannot serve: empty, not JSON, of an unknown schema, with a
  // count that is no number, with a broken perf.csv.
  const std::pair<const char*, const char*> kBaselines[] = {
      {"empty", nullptr},
      {"notjson", "{\"schema\":"},
      {"schema9", "{\"schema\":\"zqtest-results/9\"}"},
      {"textcount", "{\"schema\":\"zqtest-results/2\",\"suites\":[{\"areas\":[{\"name\":\"s\","
                    "\"cells\":[{\"locale\":\"x\",\"family\":\"f\",\"checks\":\"2\"}]}]}]}"},
      {"badcsv", "{\"schema\":\"zqtest-results/2\",\"suites\":[]}"}};
  for (const auto& [folder, results] : kBaselines) {
    fs::create_directory(dir_ / folder);
    if (results != nullptr) std::ofstream(dir_ / folder / "results.json") << results;
  }
  std::ofstream(dir_ / "badcsv" / "perf.csv") << "routine,iterations\r\n";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--lib", ZQ_FIXTURE_PATH, "--frobnicate"},
           {"--lib", ZQ_FIXTURE_PATH, "--color", "pink"},
           {"--lib", (dir_ / "absent.so").string()},
           {"--lib", "not_a_library.so"},
           {"--lib", ZQHOST_PATH},
           {"--lib", ZQ_FIXTURE_NOFACTORY_PATH},
           {"--lib", ZQ_FIXTURE_V8_PATH},
           {"--lib", ZQ_FIXTURE_PATH, "--out", "a_file/out"},
           {"--lib", ZQ_FIXTURE_PATH, "--html", "missing/report.html"},
           {"--lib", ZQ_FIXTURE_PATH, "--expect", "absent.expect"},
           {"--lib", ZQ_FIXTURE_PATH, "--expect", "bad.expect"},
           {"--lib", ZQ_FIXTURE_PATH, "--baseline", "absent"}}) {
    record(args);
  }
  for (const auto& [folder, results] : kBaselines) {
    record({"--lib", ZQ_FIXTURE_PATH, "--baseline", folder});
  }
  record({"--lib", ZQ_FIXTURE_PATH, "--help"});
  expectGolden("bad_input");
}

// Each suite of the fixture alone, then all, where a run code the driver refuses makes the
// suite after sanity2 begin with a failure: counts, failure details with the messages
// around them, the options the suites receive, a suite's own result and a leak.
TEST_F(ZqtestRun, FixtureSuitesReportTheirChecksAndTheRunItsExitCode) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--suite", "sanity1"},
           {"--suite", "sanity2"},
           {"--suite", "sanity2", "--verbose"},
           {"--suite", "function1"},
           {"--suite", "function1", "--run-code", "AB", "--mask", "4"},
           {"--suite", "perf"},
           {"--suite", "perf", "--perf-iterations", "7", "--perf-routine", "5",
            "--perf-encoding=60", "--perf-locale", "fr_FR"},
           {"--suite", "ieeeconv", "--no-verify"},
           {"--suite", "sanity1", "--mask", "256"},
           {"--suite", "all", "--run-code", "AB"}}) {
    record(args);
  }
  EXPECT_TRUE(fs::exists(dir_ / "out" / "zqtest.lst"));
  expectGolden("fixture_suites");
}

TEST_F(ZqtestRun, ExpectationsSeparateFailXfailAndXpass) {
  // sanity2 fails 12 checks outside every locale, all in the step below; the first at line 40000.
  const std::string step = "sanity2 - step \"TEST1 fr_FR failing checks\" ";
  for (const std::string& file :
       {std::string(), step + "host gap\n",
        std::string("sanity2 - at fixture/sanity2:40000 status only\n"),
        step + "gap\nsanity2 - at fixture/sanity2:7 fixed since\n",
        std::string("sanity2 fr_FR step \"TEST1 fr_FR failing checks\" other locale\n"),
        step + "gap\nsanity1 - at fixture/sanity1:1 suite not run\n"}) {
    std::ofstream(dir_ / "known.expect") << file;
    transcript_ += "== known.expect\n" + file;
    record({"--suite", "sanity2", "--expect", "known.expect"});
  }
  // What --write-expect writes turns every present failure into XFAIL.
  record({"--suite", "sanity2", "--write-expect", "current.expect"});
  recordFile("current.expect");
  record({"--suite", "sanity2", "--expect", "current.expect"});
  expectGolden("expectations");
}

TEST_F(ZqtestRun, ResultFilesPerfTableAndRerunCommand) {
  record({"--mask", "0x200", "--perf-routine", "all", "--perf-iterations", "20000000", "--junit",
          "r.xml", "--json", "r.json", "--html", "r.html", "--perf-csv", "perf.csv", "--color",
          "always"});
  // Five calls, each rewriting the listing: every call's lines are kept.
  for (const char* file : {"out/zqvnlp.lst", "perf.csv", "r.json", "r.xml"}) recordFile(file);
  const std::string validate = "xmllint --noout --schema " +
                               quote(ZQ_TEST_SOURCE_DIR "/tests/e2e/junit.xsd") + " " +
                               quote((dir_ / "r.xml").string()) + " 2>/dev/null";
  EXPECT_EQ(std::system(validate.c_str()), 0) << contentsOf(dir_ / "r.xml");
  // The perf suite when no case runs: why.
  for (const std::vector<std::string>& selectors :
       std::vector<std::vector<std::string>>{{"--perf-routine", "9"}, {}, {"--mask", "0"}}) {
    std::vector<std::string> args = {"--suite", "perf", "--mask", "0x200"};
    args.insert(args.end(), selectors.begin(), selectors.end());
    record(args);
  }
  record({"--lib", ZQ_FIXTURE_PATH, "--list"});
  expectGolden("result_files");
}

// The fixture's perf listing gives each routine r the same figures at any iterations:
// 10r ms of CPU for its fastest case. The first short call (1000 iterations) scales
// to 1000 * 120 / 10r; that call falls short of 100 ms and is made once more, scaled
// again: 144000 for routine 1, 5760 for routine 5.
TEST_F(ZqtestRun, CalibratedRunAgainstADoctoredBaseline) {
  const auto demo = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--mask", "0x200", "--perf-routine", "all"});
    record(args);
  };
  const auto doctor = [](std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  };
  fs::create_directory(dir_ / "old");
  demo({"--json", "old/results.json", "--perf-csv", "old/perf.csv", "--write-expect",
        "known.expect"});

  // One precise case slower now (42 ms of CPU there, 54 here), one imprecise (5 and 10);
  // sanity1 fails in fr_FR where it passed there, and passes in en_US where it failed.
  std::string csv = contentsOf(dir_ / "old" / "perf.csv");
  doctor(csv, "\nzqnlsLocaleDoubleFormat,ja_JP,Shift_JIS,5760,52,",
         "\nzqnlsLocaleDoubleFormat,ja_JP,Shift_JIS,5760,40,");
  doctor(csv, "\nzqnlsStringToDouble,en_US,UTF-8,144000,10,",
         "\nzqnlsStringToDouble,en_US,UTF-8,144000,5,");
  std::string json = contentsOf(dir_ / "old" / "results.json");
  fs::create_directory(dir_ / "perf_only");
  std::ofstream(dir_ / "perf_only" / "results.json") << json;
  std::ofstream(dir_ / "perf_only" / "perf.csv") << csv;
  // The first such cell is sanity1's.
  const auto cell = [](const std::string& locale, int failed) {
    return "{\"locale\":\"" + locale +
           "\",\"family\":\"zqnlsLocaleIntfastFormat\",\"checks\":3,\"failed\":" +
           std::to_string(failed);
  };
  doctor(json, cell("fr_FR", 1), cell("fr_FR", 0));
  doctor(json, cell("en_US", 0), cell("en_US", 1));
  std::ofstream(dir_ / "old" / "results.json") << json;
  std::ofstream(dir_ / "old" / "perf.csv") << csv;

  // Every failure is expected: only the newly failing group fails the run.
  demo({"--baseline", "old", "--expect", "known.expect", "--json", "new.json", "--html",
        "new.html"});
  recordFile("new.json");
  const std::string html = contentsOf(dir_ / "new.html");
  EXPECT_NE(html.find("<section id=\"changes\""), std::string::npos);
  const std::regex bar("<rect x=\"190\" y=\"");
  EXPECT_EQ(std::distance(std::sregex_iterator(html.begin(), html.end(), bar), {}), 30)
      << "a bar and a baseline bar per case";

  // Slower cases fail the run only when asked, and only beyond the threshold.
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {},
           {"--perf-fail-on-regression"},
           {"--perf-fail-on-regression", "--perf-threshold", "30%"}}) {
    args.insert(args.end(), {"--baseline", "perf_only", "--expect", "known.expect"});
    demo(args);
  }
  expectGolden("baseline");
}

// The real extension beside zqtest: every suite passes; then the self-check's table, in
// which each row reports every class of wrong result its checks can see and none it
// cannot (the classes are text, length, status, value and date).
TEST_F(ZqtestRun, RealExtensionPassesAndItsSelfCheckSeesWhatEachRowCan) {
  record({"--suite", "all", "--out", "listings"}, false);
  record({"--self-check", "--out", "listings"}, false);
  expectGolden("real_extension");
}

}  // namespace
