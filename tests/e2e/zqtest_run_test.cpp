// Whole zqtest runs: the built binary over the fixture extensions, over libraries it
// must refuse, and over the real libzqvnle.so.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct RunResult {
  int exit_code = -1;
  std::string out;
  std::string err;
  std::vector<std::string> lines;  // of out
};

std::string quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
      continue;
    }
    quoted += c;
  }
  return quoted + "'";
}

std::string slurp(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ZqtestRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zqtest-e2e-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs zqtest in the temporary directory with listing files going there too.
  RunResult zqtest(const std::vector<std::string>& args) {
    // Built by appending: GCC 12 misreports "literal" + std::string under -O3.
    std::string command = "cd ";
    command.append(quote(dir_.string())).append(" && ").append(quote(ZQTEST_PATH));
    for (const std::string& arg : args) command.append(" ").append(quote(arg));
    command.append(" >out.txt 2>err.txt");
    const int status = std::system(command.c_str());
    RunResult run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = slurp(dir_ / "out.txt");
    run.err = slurp(dir_ / "err.txt");
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
  }
  RunResult fixture(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lib", ZQ_FIXTURE_PATH, "--out", (dir_ / "out").string()});
    return zqtest(args);
  }

  fs::path dir_;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++n;
  }
  return n;
}

TEST_F(ZqtestRun, LibrariesThatCannotServeAreLoadErrors) {
  const RunResult missing = zqtest({"--lib", (dir_ / "absent.so").string()});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_TRUE(contains(missing.err, "library not found: " + (dir_ / "absent.so").string()))
      << missing.err;
  EXPECT_FALSE(contains(missing.out, "passed"));

  std::ofstream(dir_ / "not_a_library.so") << "plain text\n";
  const RunResult junk = zqtest({"--lib", "not_a_library.so"});
  EXPECT_EQ(junk.exit_code, 2);
  EXPECT_TRUE(contains(junk.err, "cannot load ./not_a_library.so: ")) << junk.err;

  const RunResult host = zqtest({"--lib", ZQHOST_PATH});
  EXPECT_EQ(host.exit_code, 2);
  EXPECT_TRUE(contains(host.err, "has no entry point zqextver")) << host.err;

  const RunResult no_factory = zqtest({"--lib", ZQ_FIXTURE_NOFACTORY_PATH});
  EXPECT_EQ(no_factory.exit_code, 2);
  EXPECT_TRUE(contains(no_factory.err, "has no entry point zqvnle")) << no_factory.err;

  const RunResult other_host = zqtest({"--lib", ZQ_FIXTURE_V8_PATH});
  EXPECT_EQ(other_host.exit_code, 2);
  EXPECT_TRUE(contains(other_host.err, "is built for host 8.1; this host is 7.1"))
      << other_host.err;
}

TEST_F(ZqtestRun, BadUsageExitsTwoBeforeLoadingAnything) {
  const RunResult unknown = zqtest({"--frobnicate"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_TRUE(contains(unknown.err, "unknown option '--frobnicate'"));
  EXPECT_EQ(zqtest({"--run-code", "ABC"}).exit_code, 2);
  EXPECT_EQ(zqtest({"--suite"}).exit_code, 2);
  const RunResult help = zqtest({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_TRUE(contains(help.out, "--perf-locale"));
}

TEST_F(ZqtestRun, PassingSuiteExitsZeroAndCreatesTheOutputDirectory) {
  const RunResult run = fixture({"--suite", "sanity1"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  ASSERT_EQ(run.lines.size(), 3u) << run.out;
  EXPECT_EQ(run.lines[0], "extension zqfixt 2.0.0, requires host 7.1.1");
  EXPECT_TRUE(std::regex_match(run.lines[1],
                               std::regex("sanity1: 6 checks, 6 passed, 0 failed, [0-9]+ ms")))
      << run.lines[1];
  EXPECT_EQ(run.lines[2], "6 passed, 0 failed");
  EXPECT_TRUE(fs::is_directory(dir_ / "out"));
  EXPECT_TRUE(fs::exists(dir_ / "out" / "zqtest.lst")) << run.err;
}

TEST_F(ZqtestRun, FailingChecksExitOneWithTheirDetails) {
  const RunResult run = fixture({"--suite", "sanity2"});
  EXPECT_EQ(run.exit_code, 1);
  ASSERT_GE(run.lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(run.lines[1],
                               std::regex("sanity2: 14 checks, 2 passed, 12 failed, [0-9]+ ms")));
  EXPECT_EQ(run.lines.back(), "2 passed, 12 failed");
  EXPECT_TRUE(contains(run.out,
                       "  failure 1 of 12: status check \"status\" at fixture/sanity2:40000\n"
                       "    step: TEST1 fr_FR failing checks\n"
                       "    expected 0x00000000 (ZQ_OK), actual 0x803FE810 (ZQ_NLS_BAD_NUM)\n"
                       "    before: before the status check\n"
                       "    after: after the status check\n"))
      << run.out;
  EXPECT_TRUE(contains(run.out, "    actual (&fmtbuf): \"1<U+00A0>234\"\n"
                                "    expected (expected): \"1 234\"\n"));
  EXPECT_TRUE(contains(run.out, "    after: the buffers differ\n"));
  EXPECT_FALSE(contains(run.out, "information only"));
  EXPECT_EQ(countOf(run.out, "  failure "), 10);
  EXPECT_TRUE(contains(run.out, "  2 more failures not shown"));

  const RunResult verbose = fixture({"--suite", "sanity2", "--verbose"});
  EXPECT_EQ(countOf(verbose.out, "  failure "), 12);
  EXPECT_TRUE(contains(verbose.out, "\n  checks by service: handle 0 (0 failed), status 1 (1 failed), "
                                    "int 2 (0 failed), buffer 1 (1 failed), uint64 0 (0 failed), "
                                    "int64 10 (10 failed)\n"));
  EXPECT_TRUE(contains(verbose.out, "  failure 12 of 12: int64 check \"intmax_value\" at "
                                    "fixture/sanity2:40109\n"
                                    "    step: TEST1 fr_FR failing checks\n"
                                    "    expected 9, actual 109\n"));
}

TEST_F(ZqtestRun, OptionsReachTheSuitesThroughStateAndRunRecord) {
  const RunResult perf_default = fixture({"--suite", "perf"});
  EXPECT_EQ(perf_default.exit_code, 1);
  EXPECT_EQ(perf_default.lines.back(), "0 passed, 5 failed");
  const RunResult perf = fixture({"--suite", "perf", "--perf-iterations", "7", "--perf-routine", "5",
                            "--perf-encoding=60", "--perf-locale", "fr_FR"});
  EXPECT_EQ(perf.exit_code, 0) << perf.out;
  EXPECT_EQ(perf.lines.back(), "5 passed, 0 failed");

  EXPECT_EQ(fixture({"--suite", "function1"}).exit_code, 0);
  const RunResult function1 = fixture({"--suite", "function1", "--run-code", "AB", "--mask", "4"});
  EXPECT_EQ(function1.exit_code, 1);
  EXPECT_EQ(function1.lines.back(), "0 passed, 3 failed");
  EXPECT_TRUE(contains(function1.out, "expected 48, actual 65"));
}

TEST_F(ZqtestRun, NonZeroSuiteResultOrLeakFailsTheRunWithoutFailedChecks) {
  const RunResult returned = fixture({"--suite", "ieeeconv", "--no-verify"});
  EXPECT_EQ(returned.exit_code, 1);
  EXPECT_TRUE(contains(returned.out, "\nieeeconv: suite returned 1\n")) << returned.out;
  EXPECT_EQ(returned.lines.back(), "2 passed, 0 failed");

  const RunResult leak = fixture({"--suite", "sanity1", "--mask", "256"});
  EXPECT_EQ(leak.exit_code, 1);
  EXPECT_TRUE(contains(leak.out, "zqtest: leak: the host still held 1 pool(s) with 1 block(s)"))
      << leak.out;
  EXPECT_EQ(leak.lines.back(), "6 passed, 0 failed");
}

TEST_F(ZqtestRun, AllRunsTheFiveSuitesInRecordOrderAndTotalsThem) {
  const RunResult run = fixture({"--suite", "all"});
  EXPECT_EQ(run.exit_code, 1);
  std::vector<std::string> summaries;
  const std::regex summary("([a-z0-9]+): ([0-9]+) checks, ([0-9]+) passed, ([0-9]+) failed, [0-9]+ ms");
  for (const std::string& line : run.lines) {
    std::smatch m;
    if (std::regex_match(line, m, summary)) {
      summaries.push_back(m[1].str() + " " + m[2].str() + "/" + m[3].str() + "/" + m[4].str());
    }
  }
  const std::vector<std::string> expected = {"sanity1 6/6/0", "sanity2 14/2/12",
                                             "function1 3/3/0", "perf 5/0/5", "ieeeconv 3/3/0"};
  EXPECT_EQ(summaries, expected) << run.out;
  EXPECT_EQ(run.lines.back(), "14 passed, 17 failed");
}

TEST_F(ZqtestRun, RealExtensionRunsEverySuiteWithoutFailures) {
  const RunResult run = zqtest({"--suite", "all", "--out", (dir_ / "listings").string()});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  ASSERT_FALSE(run.lines.empty());
  EXPECT_EQ(run.lines[0], "extension zqvnle 1.0.3, requires host 7.1.1");
  int suites_seen = 0;
  const char* names[] = {"sanity1", "sanity2", "function1", "perf", "ieeeconv"};
  for (const std::string& line : run.lines) {
    if (suites_seen == 5) break;
    const std::regex summary(std::string(names[suites_seen]) +
                             ": [0-9]+ checks, [0-9]+ passed, 0 failed, [0-9]+ ms");
    if (std::regex_match(line, summary)) ++suites_seen;
  }
  EXPECT_EQ(suites_seen, 5) << run.out;
  EXPECT_TRUE(std::regex_match(run.lines.back(), std::regex("[0-9]+ passed, 0 failed")))
      << run.lines.back();
}

}  // namespace
