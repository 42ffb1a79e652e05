// Missing values: the bit patterns, their lookup by character, and the array test.
#include <gtest/gtest.h>

#include <bit>
#include <limits>

#include "zq/zqvnle.h"

namespace {

std::uint64_t bits(double d) { return std::bit_cast<std::uint64_t>(d); }

TEST(MissingValues, SlotsDescendAndCharactersPickTheirSlot) {
  EXPECT_EQ(bits(vdmissv_struct[0]), 0u);
  // Slot k: the quiet NaN 0xFFFFFF - (k - 1) in the top 24 bits, the rest zero.
  for (std::uint64_t k = 1; k < 29; ++k) {
    EXPECT_EQ(bits(vdmissv_struct[k]), (0xFFFFFFu - (k - 1)) << 40) << k;
  }
  // character -> slot: '_' and '-' 1, '.' and anything else 2, letters from 3.
  const std::pair<int, int> kLookups[] = {{'_', 1}, {'-', 1}, {'.', 2},       {'?', 2},
                                          {0, 2},   {'A' - 1, 2}, {'Z' + 1, 2}, {'b', 4},
                                          {'B', 4}, {'z', 28}};
  for (const auto& [character, slot] : kLookups) {
    EXPECT_EQ(bits(vdMissVal(character)), bits(vdmissv_struct[slot])) << character;
  }
  for (int c = 0; c < 0x300; ++c) EXPECT_NE(vdMissVal(c), vdMissVal(c)) << c;
  // The lookup reads the table at call time.
  const double saved = vdmissv_struct[2];
  vdmissv_struct[2] = std::bit_cast<double>(0xFFF8000000000123u);
  EXPECT_EQ(bits(vdMissVal('.')), 0xFFF8000000000123u);
  vdmissv_struct[2] = saved;
}

TEST(MissingValues, ArrayTestFindsAnyNaNWithinTheCount) {
  const double none[] = {1.0, -0.0, std::numeric_limits<double>::infinity()};
  EXPECT_EQ(vdMissArray(none, 3), 0);
  EXPECT_EQ(vdMissArray(nullptr, 0), 0);
  const double last[] = {1.0, 2.0, vdMissVal('.')};
  EXPECT_EQ(vdMissArray(last, 3), 1);
  EXPECT_EQ(vdMissArray(last, 2), 0);
  const double foreign[] = {std::numeric_limits<double>::quiet_NaN()};
  EXPECT_EQ(vdMissArray(foreign, 1), 1);
}

}  // namespace
