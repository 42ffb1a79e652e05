// integerTest1-integerTest4: the integer conformance suites, one share of the locales each.
#include "suites/conformance/integer_cases.h"

using namespace zq;
using namespace zq::conformance;

namespace {

std::int64_t runIntegerSuite(TestServices* services, Word ctx, const SuiteState* state,
                             Journal* journal, KernelHandle* kernel, const char32_t* source,
                             int share) {
  const suite::Frame f{services, ctx, source, journal};
  return runConformanceSuite(f, state, kernel, BlockStyle{U"Integer", true},
                             conformanceShare(share), [](const LocaleBlock& block) {
                               runIntegerFormatCases(block);
                               runIntegerParseCases(block);
                             });
}

}  // namespace

extern "C" {

std::int64_t integerTest1(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli1", 1);
}
std::int64_t integerTest2(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli2", 2);
}
std::int64_t integerTest3(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli3", 3);
}
std::int64_t integerTest4(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli4", 4);
}

}  // extern "C"
