// zqvnleSanity2's date/time section. The golden listings hold its lines for wrong days,
// statuses, counts and values; the sanity2.status listing, where every refused input
// reads as accepted, checks each refused vector's consumed count against the host's.
#include <gtest/gtest.h>

#include <string>

#include "suites/sanity/sanity2.h"

namespace {

// An option word no vector has is named as such in the section's lines.
TEST(Sanity2Datetime, AnOptionWordOfNoFormIsNamedUndefined) {
  EXPECT_EQ(std::u32string(zq::sanity::dateOptionName(12)), U"Undefined option");
}

}  // namespace
