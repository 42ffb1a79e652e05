// zqvnleSanity1's percent, currency, double and extended-options families (4 to 7).
#pragma once

#include "suites/sanity/sanity1_family.h"

namespace zq::sanity {

// Each begins with its own step and walks its table inside the record skeleton.
void runPercentFormatFamily(const Sanity1Run& run);
void runCurrencyFormatFamily(const Sanity1Run& run);
void runDoubleFormatFamily(const Sanity1Run& run);
void runDoubleExOptsFamily(const Sanity1Run& run);

}  // namespace zq::sanity
