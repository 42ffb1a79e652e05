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

#include "tests/support/test_support.h"

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

using zq::testing::contentsOf;

class ZqtestRun : public ::testing::Test {
 protected:

  // Runs zqtest in the temporary directory with listing files going there too.
  RunResult zqtest(const std::vector<std::string>& args) {
    // Built by appending: GCC 12 misreports "literal" + std::string under -O3.
    std::string command = "cd ";
    command.append(quote(dir_.path().string())).append(" && ").append(quote(ZQTEST_PATH));
    for (const std::string& arg : args) command.append(" ").append(quote(arg));
    command.append(" >out.txt 2>err.txt");
    const int status = std::system(command.c_str());
    RunResult run;
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = contentsOf(dir_ / "out.txt");
    run.err = contentsOf(dir_ / "err.txt");
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
  }
  RunResult fixture(std::vector<std::string> args) {
    args.insert(args.begin(), {"--lib", ZQ_FIXTURE_PATH, "--out", (dir_ / "out").string()});
    return zqtest(args);
  }

  zq::testing::ScratchFolder dir_;
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

TEST_F(ZqtestRun, BadInputExitsTwoWithAOneLineReason) {
  std::ofstream(dir_ / "not_a_library.so") << "plain text\n";
  std::ofstream(dir_ / "a_file") << "in the way\n";
  std::ofstream(dir_ / "bad.expect") << "# known\nsanity2 - step \"TEST1\"\n";
  // Baseline folders that cannot serve: empty, of an unknown schema, with a broken perf.csv.
  for (const char* folder : {"empty", "schema9", "badcsv"}) fs::create_directory(dir_ / folder);
  std::ofstream(dir_ / "schema9" / "results.json") << "{\"schema\":\"zqtest-results/9\"}";
  std::ofstream(dir_ / "badcsv" / "results.json") << "{\"schema\":\"zqtest-results/2\",\"suites\":[]}";
  std::ofstream(dir_ / "badcsv" / "perf.csv") << "routine,iterations\r\n";
  const std::string fixture_lib = ZQ_FIXTURE_PATH;
  const std::string absent = (dir_ / "absent.so").string();
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"--color", "pink"}, "--color: 'pink' is not auto, always or never"},
      {{"--lib", absent}, "library not found: " + absent},
      {{"--lib", "not_a_library.so"}, "cannot load ./not_a_library.so: "},
      {{"--lib", ZQHOST_PATH}, "has no entry point zqextver"},
      {{"--lib", ZQ_FIXTURE_NOFACTORY_PATH}, "has no entry point zqvnle"},
      {{"--lib", ZQ_FIXTURE_V8_PATH}, "is built for host 8.1; this host is 7.1"},
      {{"--lib", fixture_lib, "--out", "a_file/out"}, "cannot create the output directory a_file/out"},
      {{"--lib", fixture_lib, "--html", "missing/report.html"}, "cannot write missing/report.html"},
      {{"--lib", fixture_lib, "--expect", "absent.expect"}, "cannot read the expectations file absent.expect"},
      {{"--lib", fixture_lib, "--expect", "bad.expect"}, "bad.expect:2: an expected failure needs a reason"},
      {{"--lib", fixture_lib, "--baseline", "absent"}, "--baseline absent: no such directory"},
      {{"--lib", fixture_lib, "--baseline", "empty"}, "--baseline empty: cannot read empty/results.json"},
      {{"--lib", fixture_lib, "--baseline", "schema9"},
       "schema9/results.json has schema \"zqtest-results/9\"; zqtest reads zqtest-results/1 and zqtest-results/2"},
      {{"--lib", fixture_lib, "--baseline", "badcsv"}, "badcsv/perf.csv: line 1: no column locale"},
  };
  for (const auto& [args, message] : cases) {
    const RunResult run = zqtest(args);
    EXPECT_EQ(run.exit_code, 2) << args[0];
    EXPECT_TRUE(contains(run.err, message)) << run.err;
    // One line of reason; a usage error adds the pointer to --help.
    EXPECT_EQ(countOf(run.err, "\n"), contains(run.err, "zqtest --help") ? 2 : 1) << run.err;
    EXPECT_FALSE(contains(run.out, "passed"));
  }
  const RunResult help = zqtest({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_TRUE(contains(help.out, "--perf-locale"));
}

TEST_F(ZqtestRun, PassingSuiteExitsZeroAndCreatesTheOutputDirectory) {
  const RunResult run = fixture({"--suite", "sanity1"});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  ASSERT_EQ(run.lines.size(), 6u) << run.out;
  EXPECT_EQ(run.lines[0], "extension zqfixt 2.0.0, requires host 7.1.1");
  EXPECT_TRUE(std::regex_match(run.lines[1],
                               std::regex("sanity1: 6 checks, 6 passed, 0 failed, [0-9]+ ms")))
      << run.lines[1];
  EXPECT_TRUE(std::regex_match(run.lines[3], std::regex("sanity1 +6 +6 +0 +[0-9]+ ms")));
  EXPECT_EQ(run.lines[5], "6 passed, 0 failed");
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

TEST_F(ZqtestRun, ExpectationsSeparateFailXfailAndXpass) {
  // sanity2 fails 12 checks outside every locale, all in the step below; the first at line 40000.
  const std::string step = "sanity2 - step \"TEST1 fr_FR failing checks\" ";
  const struct {
    std::string file;
    int exit_code;
    std::string counts;
  } cases[] = {
      {"", 1, "12 FAIL, 0 XFAIL, 0 XPASS"},
      {step + "host gap\n", 0, "0 FAIL, 12 XFAIL, 0 XPASS"},
      {"sanity2 - at fixture/sanity2:40000 status only\n", 1, "11 FAIL, 1 XFAIL, 0 XPASS"},
      {step + "gap\nsanity2 - at fixture/sanity2:7 fixed since\n", 1, "0 FAIL, 12 XFAIL, 1 XPASS"},
      {"sanity2 fr_FR step \"TEST1 fr_FR failing checks\" other locale\n", 1, "12 FAIL, 0 XFAIL, 1 XPASS"},
      {step + "gap\nsanity1 - at fixture/sanity1:1 suite not run\n", 0, "0 FAIL, 12 XFAIL, 0 XPASS"},
  };
  for (const auto& c : cases) {
    std::ofstream(dir_ / "known.expect") << c.file;
    const RunResult run = fixture({"--suite", "sanity2", "--expect", "known.expect"});
    EXPECT_EQ(run.exit_code, c.exit_code) << c.file;
    EXPECT_TRUE(contains(run.out, "expectations known.expect: " + c.counts + "\n")) << run.out;
  }
  // What --write-expect writes turns every present failure into XFAIL.
  const RunResult written = fixture({"--suite", "sanity2", "--write-expect", "current.expect"});
  EXPECT_EQ(written.exit_code, 1);
  EXPECT_TRUE(contains(contentsOf(dir_ / "current.expect"),
                       "\n" + step + "status check \"status\" expected 0x00000000 (ZQ_OK), actual "
                       "0x803FE810 (ZQ_NLS_BAD_NUM)\n")) << contentsOf(dir_ / "current.expect");
  const RunResult rerun = fixture({"--suite", "sanity2", "--expect", "current.expect"});
  EXPECT_EQ(rerun.exit_code, 0) << rerun.out;
  EXPECT_EQ(rerun.lines.back(), "2 passed, 0 failed");
}

TEST_F(ZqtestRun, ResultFilesPerfTableAndRerunCommand) {
  const fs::path out = dir_ / "out";
  const RunResult run = fixture({"--mask", "0x200", "--perf-routine", "all", "--perf-iterations",
                                 "20000000", "--junit", "r.xml", "--json", "r.json", "--html",
                                 "r.html", "--perf-csv", "perf.csv", "--color", "always"});
  EXPECT_EQ(run.exit_code, 1) << run.out << run.err;
  EXPECT_TRUE(contains(run.err, "--perf-iterations 20000000 is capped at 10000000")) << run.err;
  // Five calls, each rewriting the listing: every call's lines are kept.
  const std::string listing = contentsOf(out / "zqvnlp.lst");
  EXPECT_EQ(countOf(listing, "Performance Test for ZqvnlePerf"), 5);
  EXPECT_EQ(countOf(listing, "    10000000 "), 15);
  const std::string csv = contentsOf(dir_ / "perf.csv");
  EXPECT_EQ(countOf(csv, "\r\n"), 16);
  // 54 ms over 10,000,000 calls: 5.4 ns, from enough milliseconds to be precise.
  EXPECT_TRUE(contains(csv, "\r\nzqnlsLocaleDoubleFormat,ja_JP,Shift_JIS,10000000,52,2,54,5.400,precise,"
                            "5.400,precise,Demo case\r\n")) << csv;
  EXPECT_TRUE(std::regex_search(run.out, std::regex("\nzqnlsLocaleDateFormat +fr_FR +ISO-8859-1 +10000000 "
                                                    "+31 +1 +32 +3.2 +3.2  Demo case\n")));
  // 10 ms: imprecise.
  EXPECT_TRUE(std::regex_search(run.out, std::regex("\nzqnlsStringToDouble +en_US +UTF-8 +10000000 "
                                                    "+10 +0 +10 +~1.0 +~1.0  Demo case\n")));
  EXPECT_TRUE(contains(run.out, "\nrerun: zqtest --suite sanity1 --lib " + std::string(ZQ_FIXTURE_PATH) + "\n"));
  EXPECT_TRUE(contains(run.out, "sanity1: 21 checks, 19 passed, \x1b[31m2 failed\x1b[0m"));
  for (const char* file : {"r.xml", "r.json", "r.html", "perf.csv"}) {
    EXPECT_TRUE(contains(run.out, "\nwrote " + std::string(file) + "\n")) << file;
  }
  EXPECT_EQ(run.lines.back(), "44 passed, 2 failed");
  const std::string validate = "xmllint --noout --schema " + quote(ZQ_TEST_SOURCE_DIR "/tests/e2e/junit.xsd") +
                               " " + quote((dir_ / "r.xml").string()) + " 2>/dev/null";
  EXPECT_EQ(std::system(validate.c_str()), 0) << contentsOf(dir_ / "r.xml");
  EXPECT_TRUE(contains(contentsOf(dir_ / "r.xml"), "<testcase name=\"fr_FR zqnlsLocaleIntfastFormat\" "
                                              "classname=\"sanity1.fr_FR\""));
  EXPECT_TRUE(contains(contentsOf(dir_ / "r.json"), "{\"schema\":\"zqtest-results/2\","));

  const std::pair<std::vector<std::string>, std::string> no_case[] = {
      {{"--perf-routine", "9"}, "no case matches the selectors"},
      {{}, "no selector was given"},
      {{"--mask", "0"}, "the suite wrote no listing"},
  };
  for (auto [args, reason] : no_case) {
    args.insert(args.begin(), {"--suite", "perf", "--mask", "0x200"});
    EXPECT_TRUE(contains(fixture(args).out, "\nperf: no case ran: " + reason)) << reason;
  }

  const RunResult list = zqtest({"--list"});
  EXPECT_EQ(list.exit_code, 0);
  EXPECT_TRUE(contains(list.out, "mask 4  integerTest2   fr_FR de_DE he_IL hu_HU it_IT\n")) << list.out;
}

// The fixture's perf listing gives each routine r the same figures at any iterations:
// 10r ms of CPU for its fastest case. The first short call (1000 iterations) scales
// to 1000 * 120 / 10r; that call falls short of 100 ms and is made once more, scaled
// again: 144000 for routine 1, 5760 for routine 5.
TEST_F(ZqtestRun, CalibratedRunAgainstADoctoredBaseline) {
  const auto demo = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--mask", "0x200", "--perf-routine", "all"});
    return fixture(args);
  };
  const auto doctor = [](std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  };
  fs::create_directory(dir_ / "old");
  const RunResult earlier = demo({"--json", "old/results.json", "--perf-csv", "old/perf.csv",
                                  "--write-expect", "known.expect"});
  EXPECT_EQ(earlier.exit_code, 1);
  EXPECT_TRUE(contains(earlier.out, "\nperf: routine 1 timed at 144000 iterations a case, found by 2 short calls\n"
                                    "perf: routine 2 timed at 36000 iterations"))
      << earlier.out;
  EXPECT_TRUE(contains(earlier.out, "\nperf: routine 5 timed at 5760 iterations"));
  EXPECT_TRUE(contains(earlier.out, "\nperf: 5 checks, 5 passed, 0 failed"));

  // One precise case slower now (42 ms of CPU there, 54 here), one imprecise (5 and 10);
  // sanity1 fails in fr_FR where it passed there, and passes in en_US where it failed.
  std::string csv = contentsOf(dir_ / "old" / "perf.csv");
  doctor(csv, "\nzqnlsLocaleDoubleFormat,ja_JP,Shift_JIS,5760,52,", "\nzqnlsLocaleDoubleFormat,ja_JP,Shift_JIS,5760,40,");
  doctor(csv, "\nzqnlsStringToDouble,en_US,UTF-8,144000,10,", "\nzqnlsStringToDouble,en_US,UTF-8,144000,5,");
  std::string json = contentsOf(dir_ / "old" / "results.json");
  fs::create_directory(dir_ / "perf_only");
  std::ofstream(dir_ / "perf_only" / "results.json") << json;
  std::ofstream(dir_ / "perf_only" / "perf.csv") << csv;
  // The first such cell is sanity1's.
  const auto cell = [](const std::string& locale, int failed) {
    return "{\"locale\":\"" + locale + "\",\"family\":\"zqnlsLocaleIntfastFormat\",\"checks\":3,\"failed\":" +
           std::to_string(failed);
  };
  doctor(json, cell("fr_FR", 1), cell("fr_FR", 0));
  doctor(json, cell("en_US", 0), cell("en_US", 1));
  std::ofstream(dir_ / "old" / "results.json") << json;
  std::ofstream(dir_ / "old" / "perf.csv") << csv;

  // Every failure is expected: only the newly failing group fails the run.
  const RunResult run = demo({"--baseline", "old", "--expect", "known.expect", "--json", "new.json",
                              "--html", "new.html"});
  EXPECT_EQ(run.exit_code, 1) << run.out << run.err;
  EXPECT_TRUE(contains(run.out,
                       "\nbaseline old (zqtest-results/2): check groups 1 newly failing, 1 newly passing, "
                       "23 unchanged, 0 not run here\n"
                       "  newly failing: sanity1 fr_FR zqnlsLocaleIntfastFormat: 1 of 3 failed (baseline 0 of 3)\n"
                       "  newly passing: sanity1 en_US zqnlsLocaleIntfastFormat: 0 of 3 failed (baseline 1 of 3)\n"
                       "baseline perf: 15 cases compared, 1 slower by more than 10 %\n"
                       "  slower: zqnlsLocaleDoubleFormat ja_JP Shift_JIS Demo case: 1.29x slower (9375.0 ns "
                       "per call, baseline 7291.7)\n"))
      << run.out;
  EXPECT_TRUE(std::regex_search(run.out, std::regex("\nzqnlsStringToDouble +en_US +UTF-8 +144000 +10 +0 +10 "
                                                    "+~69.4 +~69.4 +~34.7 +~2.00x  Demo case\n")));
  const std::string results = contentsOf(dir_ / "new.json");
  EXPECT_TRUE(contains(results, "\"groups\":{\"newly_failing\":1,\"newly_passing\":1,\"still_failing\":1,"
                                "\"still_passing\":22,\"not_run\":0}"));
  EXPECT_EQ(countOf(results, "\"slower\":true"), 1);
  const std::string html = contentsOf(dir_ / "new.html");
  EXPECT_TRUE(contains(html, "<section id=\"changes\""));
  EXPECT_EQ(countOf(html, "<rect x=\"190\" y=\""), 30) << "a bar and a baseline bar per case";

  // Slower cases fail the run only when asked, and only beyond the threshold.
  const std::pair<std::vector<std::string>, int> regressions[] = {
      {{}, 0}, {{"--perf-fail-on-regression"}, 1}, {{"--perf-fail-on-regression", "--perf-threshold", "30%"}, 0}};
  for (auto [args, exit_code] : regressions) {
    args.insert(args.end(), {"--baseline", "perf_only", "--expect", "known.expect"});
    const RunResult compared = demo(args);
    EXPECT_EQ(compared.exit_code, exit_code) << compared.out;
    EXPECT_TRUE(contains(compared.out, "check groups 0 newly failing, 0 newly passing, 25 unchanged"));
  }
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

// The self-check's table, row by row in run order: each row reports every class of
// wrong result its checks can see ('x') and none it cannot ('-'); the classes are
// text, length, status, value and date.
TEST_F(ZqtestRun, SelfCheckEveryRowReportsTheWrongResultsItCanSee) {
  const RunResult run = zqtest({"--self-check", "--out", (dir_ / "listings").string()});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  std::string table;
  for (std::size_t i = 2; i < std::min<std::size_t>(17, run.lines.size()); ++i) {
    std::istringstream cells(run.lines[i]);
    std::string row;
    cells >> row;
    table += row + " ";
    for (long long caught = 0; cells >> caught;) table += caught > 0 ? "x" : "-";
    table += " ";
  }
  EXPECT_EQ(table,
            "sanity1 xxxxx sanity2 -xxxx function1 ----- doubleTest1 xxx-- doubleTest2 xxx-- "
            "doubleTest3 xxx-- doubleTest4 xxx-- buftodblTest1 -xx-- dateTest1 xxxxx "
            "integerTest1 xxxx- integerTest2 xxxx- integerTest3 xxxx- integerTest4 xxxx- "
            "perf xxxx- ieeeconv xxx-- ")
      << run.out;
}

}  // namespace
