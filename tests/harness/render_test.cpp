// Invisible characters in suite texts are spelled out; everything else stays UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/render.h"

namespace zq::harness {
namespace {

std::string visible(const std::vector<ZQChar>& units) {
  return visibleUnits(units.data(), units.size());
}

TEST(Render, InvisibleUnitsAreSpelledAsCodePoints) {
  EXPECT_EQ(visible({'1', 0x00A0, '2', '3', '4'}), "1<U+00A0>234");
  EXPECT_EQ(visible({0x0000, 0x0009, 0x000A, 0x007F, 0x0085}),
            "<U+0000><U+0009><U+000A><U+007F><U+0085>");
  EXPECT_EQ(visible({0x202F, 0x2009, 0x3000, 0x1680, 0x205F}),
            "<U+202F><U+2009><U+3000><U+1680><U+205F>");
  EXPECT_EQ(visible({0x200B, 0x200E, 0x2028, 0x2029, 0x2066, 0xFEFF, 0x00AD}),
            "<U+200B><U+200E><U+2028><U+2029><U+2066><U+FEFF><U+00AD>");
  EXPECT_EQ(visible({0xE0001, 0xD800, 0x110000}), "<U+E0001><U+D800><U+110000>");
}

TEST(Render, VisibleCharactersStayAsTheirUtf8) {
  EXPECT_EQ(visible({'a', ' ', '<', '-', '%'}), "a <-%");
  EXPECT_EQ(visible({0x00E9, 0x20AC, 0x4E2D, 0x1F600, 0x00A1}),
            "\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x98\x80\xC2\xA1");
  // Neighbours of the invisible ranges are ordinary characters.
  EXPECT_EQ(visible({0x2010, 0x2030, 0x2065 - 1}), "\xE2\x80\x90\xE2\x80\xB0<U+2064>");
  EXPECT_EQ(visible({0x061B, 0x061D, 0x3001}), "\xD8\x9B\xD8\x9D\xE3\x80\x81");
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
