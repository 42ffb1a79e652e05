// Missing values: the bit patterns, their lookup by character, and the array test.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "zq/zqvnle.h"

namespace {

std::uint64_t bits(double d) { return std::bit_cast<std::uint64_t>(d); }

TEST(MissingValues, TableHoldsTheDescendingPatterns) {
  EXPECT_EQ(bits(vdmissv_struct[0]), 0u);
  EXPECT_EQ(bits(vdmissv_struct[1]), 0xFFFFFF0000000000u);
  EXPECT_EQ(bits(vdmissv_struct[2]), 0xFFFFFE0000000000u);
  EXPECT_EQ(bits(vdmissv_struct[3]), 0xFFFFFD0000000000u);
  EXPECT_EQ(bits(vdmissv_struct[28]), 0xFFFFE40000000000u);
  for (int k = 1; k < 29; ++k) {
    EXPECT_TRUE(std::isnan(vdmissv_struct[k])) << k;
    EXPECT_EQ(bits(vdmissv_struct[k]) & 0xFFFFFFFFFFu, 0u) << "low 40 bits are zero, slot " << k;
    EXPECT_NE(bits(vdmissv_struct[k]) & (std::uint64_t{1} << 51), 0u) << "quiet NaN, slot " << k;
  }
}

TEST(MissingValues, LookupByCharacter) {
  EXPECT_EQ(bits(vdMissVal('.')), 0xFFFFFE0000000000u);
  EXPECT_EQ(bits(vdMissVal('?')), 0xFFFFFE0000000000u);
  EXPECT_EQ(bits(vdMissVal(0)), 0xFFFFFE0000000000u);
  EXPECT_EQ(bits(vdMissVal('-')), 0xFFFFFF0000000000u);
  EXPECT_EQ(bits(vdMissVal('_')), 0xFFFFFF0000000000u);
  EXPECT_EQ(bits(vdMissVal('b')), 0xFFFFFC0000000000u);
  EXPECT_EQ(bits(vdMissVal('B')), 0xFFFFFC0000000000u);
  EXPECT_EQ(bits(vdMissVal('z')), 0xFFFFE40000000000u);
  EXPECT_EQ(bits(vdMissVal('A' - 1)), 0xFFFFFE0000000000u);
  EXPECT_EQ(bits(vdMissVal('Z' + 1)), 0xFFFFFE0000000000u);
  for (int c = 0; c < 0x300; ++c) {
    const double v = vdMissVal(c);
    EXPECT_NE(v, v) << "every value returned is missing, code " << c;
  }
}

TEST(MissingValues, LookupReadsTheTableAtCallTime) {
  const double saved = vdmissv_struct[2];
  vdmissv_struct[2] = std::bit_cast<double>(0xFFF8000000000123u);
  EXPECT_EQ(bits(vdMissVal('.')), 0xFFF8000000000123u);
  vdmissv_struct[2] = saved;
}

TEST(MissingValues, ArrayTest) {
  const double none[] = {1.0, -0.0, std::numeric_limits<double>::infinity()};
  EXPECT_EQ(vdMissArray(none, 3), 0);
  EXPECT_EQ(vdMissArray(none, 0), 0);
  EXPECT_EQ(vdMissArray(nullptr, 0), 0);
  const double last[] = {1.0, 2.0, vdMissVal('.')};
  EXPECT_EQ(vdMissArray(last, 3), 1);
  EXPECT_EQ(vdMissArray(last, 2), 0) << "the count bounds the scan";
  const double foreign[] = {std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(vdMissArray(foreign, 1), 1) << "any NaN counts";
}

}  // namespace
