// integerTest1-integerTest4: the integer conformance suites, one list of locales each.
#include <span>

#include "suites/conformance/integer_cases.h"

using namespace zq;
using namespace zq::conformance;

namespace {

constexpr ZQChar kNoBreakSpace = 0x00A0;

// locale, grouping character of its expected texts, decimal separator of its inputs
constexpr IntegerLocale kSuite1Locales[] = {
    {U"en_US", U',', U'.'},
    {U"zh_CN", U',', U'.'},
    {U"zh_TW", U',', U'.'},
    {U"cs_CZ", kNoBreakSpace, U','},
    {U"nl_NL", U'.', U','},
};
constexpr IntegerLocale kSuite2Locales[] = {
    {U"fr_FR", kNoBreakSpace, U','},
    {U"de_DE", U'.', U','},
    {U"he_IL", U',', U'.'},
    {U"hu_HU", kNoBreakSpace, U','},
    {U"it_IT", U'.', U','},
};
constexpr IntegerLocale kSuite3Locales[] = {
    {U"ja_JP", U',', U'.'},
    {U"ko_KR", U',', U'.'},
    {U"pl_PL", kNoBreakSpace, U','},
    {U"ru_RU", kNoBreakSpace, U','},
    {U"sk_SK", kNoBreakSpace, U','},
};
constexpr IntegerLocale kSuite4Locales[] = {
    {U"es_ES", U'.', U','},
    {U"sv_SE", kNoBreakSpace, U','},
};

void runCases(const LocaleBlock& block, const IntegerLocale& locale) {
  runIntegerFormatCases(block, locale);
  runIntegerParseCases(block, locale);
}

std::int64_t runIntegerSuite(TestServices* services, Word ctx, const SuiteState* state,
                             Journal* journal, KernelHandle* kernel, const char32_t* source,
                             std::span<const IntegerLocale> locales) {
  const suite::Frame f{services, ctx, source, journal};
  return runConformanceSuite<IntegerLocale>(f, state, kernel, U"Integer", locales, runCases);
}

}  // namespace

extern "C" {

std::int64_t integerTest1(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli1", kSuite1Locales);
}
std::int64_t integerTest2(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli2", kSuite2Locales);
}
std::int64_t integerTest3(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli3", kSuite3Locales);
}
std::int64_t integerTest4(TestServices* s, Word ctx, SuiteState* state, Journal* j,
                          KernelHandle* k) {
  return runIntegerSuite(s, ctx, state, j, k, U"zqtest/src/zqvnli4", kSuite4Locales);
}

}  // extern "C"
