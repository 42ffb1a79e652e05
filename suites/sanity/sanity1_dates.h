// zqvnleSanity1's date and time families: date and time formats (1, 2) and the datetime
// round trip (3).
#pragma once

#include "suites/sanity/sanity1_family.h"

namespace zq::sanity {

// Each begins with its own step and walks its table inside the record skeleton.
void runDateFormatFamily(const Sanity1Run& run);
void runTimeFormatFamily(const Sanity1Run& run);
void runDatetimeRoundtripFamily(const Sanity1Run& run);

}  // namespace zq::sanity
