// zqtest: loads the zqvnle extension, runs its suites and exits 0, 1 or 2.
#include <cstdio>
#include <string>
#include <vector>

#include "harness/catalog.h"
#include "harness/options.h"
#include "harness/runner.h"
#include "harness/self_check.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const zq::harness::ParsedOptions parsed = zq::harness::parseOptions(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "zqtest: %s\nzqtest: run 'zqtest --help' for the options\n",
                 parsed.error.c_str());
    return zq::harness::kExitUsage;
  }
  if (parsed.options.help) {
    std::fputs(zq::harness::usageText().c_str(), stdout);
    return zq::harness::kExitPassed;
  }
  if (parsed.options.list) {
    std::fputs(zq::harness::listText().c_str(), stdout);
    return zq::harness::kExitPassed;
  }
  if (parsed.options.self_check) return zq::harness::runSelfCheck(parsed.options, stdout, stderr);
  return zq::harness::runHarness(parsed.options, stdout, stderr);
}
