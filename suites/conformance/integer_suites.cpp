// integerTest1-integerTest4: the integer conformance suites, one share of the locales each.
#include "suites/conformance/integer_cases.h"

namespace {

using zq::conformance::LocaleBlock;

void runIntegerCases(const LocaleBlock& block) {
  zq::conformance::runIntegerFormatCases(block);
  zq::conformance::runIntegerParseCases(block);
}

constexpr zq::conformance::ShareFamily kIntegerSuites{
    {U"zqtest/src/zqvnli1", U"zqtest/src/zqvnli2", U"zqtest/src/zqvnli3", U"zqtest/src/zqvnli4"},
    {U"Integer", true},
    runIntegerCases,
};

}  // namespace

ZQ_SHARE_SUITE_ENTRY(integerTest1, kIntegerSuites, 1)
ZQ_SHARE_SUITE_ENTRY(integerTest2, kIntegerSuites, 2)
ZQ_SHARE_SUITE_ENTRY(integerTest3, kIntegerSuites, 3)
ZQ_SHARE_SUITE_ENTRY(integerTest4, kIntegerSuites, 4)
