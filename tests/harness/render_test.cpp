// Invisible characters in suite texts are spelled out; everything else stays UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/render.h"

namespace zq::harness {
namespace {

TEST(Render, InvisibleUnitsAreSpelledAsCodePointsAndTheRestIsUtf8) {
  // Units -> their rendering; each invisible range is met at an edge, beside a
  // visible neighbour where it has one.
  const std::pair<std::vector<ZQChar>, std::string> rows[] = {
      {{'1', 0x00A0, '2', 'a', ' ', '<', '%'}, "1<U+00A0>2a <%"},
      {{0x0000, 0x001F, 0x007F, 0x0085, 0x00A1}, "<U+0000><U+001F><U+007F><U+0085>\xC2\xA1"},
      {{0x200F, 0x2010, 0x2030, 0x202F, 0x2064, 0x2065, 0x2066},
       "<U+200F>\xE2\x80\x90\xE2\x80\xB0<U+202F><U+2064>\xE2\x81\xA5<U+2066>"},
      {{0x061B, 0x061C, 0x061D, 0x3000, 0x3001},
       "\xD8\x9B<U+061C>\xD8\x9D<U+3000>\xE3\x80\x81"},
      {{0x00AD, 0xFEFF, 0x1680, 0x205F, 0x2028, 0x2029},
       "<U+00AD><U+FEFF><U+1680><U+205F><U+2028><U+2029>"},
      {{0x00E9, 0x20AC, 0x1F600, 0xE0001, 0xD800, 0x110000},
       "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80<U+E0001><U+D800><U+110000>"},
  };
  for (const auto& [units, expected] : rows) {
    EXPECT_EQ(visibleUnits(units.data(), units.size()), expected);
  }
}

TEST(Render, TerminatedTextsStopAtZeroOrAtTheLimit) {
  const ZQChar text[] = {'a', 'b', 'c', 'd', 0};
  EXPECT_EQ(visibleTerminated(text), "abcd");
  EXPECT_EQ(visibleTerminated(text, 4), "abcd");
  EXPECT_EQ(visibleTerminated(text, 2), "ab...");
  EXPECT_EQ(visibleTerminated(nullptr), "(null)");
}

}  // namespace
}  // namespace zq::harness
