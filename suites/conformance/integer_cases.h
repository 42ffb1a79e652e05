// The integer conformance cases: per locale, 37 formatting cases then 52 parsing cases.
#pragma once

#include "suites/conformance/locale_loop.h"

namespace zq::conformance {

// The 37 formatting cases: 10 Intfast, 9 Intmax, 9 Uintfast, 9 Uintmax. The expected
// texts follow the locale's grouping separator.
void runIntegerFormatCases(const LocaleBlock& block);

// The 52 parsing cases: 14 Intfast, 13 Intmax, 13 Uintfast, 12 Uintmax. The inputs
// follow the locale's decimal separator.
void runIntegerParseCases(const LocaleBlock& block);

}  // namespace zq::conformance
