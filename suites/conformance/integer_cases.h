// The integer conformance cases: per locale, 37 formatting cases then 52 parsing cases.
#pragma once

#include "suites/conformance/conformance_frame.h"

namespace zq::conformance {

// A locale of the integer suites with the separators its expected texts use: the
// grouping character replaces "," in the expected formatted texts, the decimal
// separator replaces "." in the parsed inputs.
struct IntegerLocale {
  const char32_t* name;
  ZQChar grouping;
  ZQChar decimal;
};

// The 37 formatting cases: 10 Intfast, 9 Intmax, 9 Uintfast, 9 Uintmax.
void runIntegerFormatCases(const LocaleBlock& block, const IntegerLocale& locale);

// The 52 parsing cases: 14 Intfast, 13 Intmax, 13 Uintfast, 12 Uintmax.
void runIntegerParseCases(const LocaleBlock& block, const IntegerLocale& locale);

}  // namespace zq::conformance
