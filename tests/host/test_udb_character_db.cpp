// The host's character operations (NLS words 31, 32 and 136) and its character-database
// service, against Unicode 9.0 facts and the extension's fallback range tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>

#include "host/kernel.h"
#include "host/udb/character_db.h"
#include "kstr/unicode_tables.h"
#include "zq/host.h"
#include "zq/host_objects.h"

namespace {

using zq::ZQChar;

class CharacterOperations : public ::testing::Test {
 protected:
  void SetUp() override { zq::host::installCharacterOperations(nls); }
  ZQChar up(ZQChar c) { return nls.UpcaseChar(&nls, c, 1); }
  ZQChar down(ZQChar c) { return nls.DowncaseChar(&nls, c, 1); }
  zq::NlsHandle nls{};
};

TEST_F(CharacterOperations, SimpleMappingsOfEveryPlane) {
  ASSERT_NE(nls.UpcaseChar, nullptr);
  ASSERT_NE(nls.DowncaseChar, nullptr);
  ASSERT_NE(nls.ClassifyChar, nullptr);
  EXPECT_EQ(up('a'), 'A');
  EXPECT_EQ(down('A'), 'a');
  EXPECT_EQ(up(0x131), 'I') << "beyond the reach of the extension's byte deltas";
  EXPECT_EQ(down(0x130), 'i');
  EXPECT_EQ(up(0xB5), 0x39Cu);
  EXPECT_EQ(up(0x17F), 'S');
  EXPECT_EQ(down(0x18E), 0x1DDu) << "the database's own mapping";
  EXPECT_EQ(up(0x1C5), 0x1C4u);
  EXPECT_EQ(down(0x1C5), 0x1C6u);
  EXPECT_EQ(down(0x10A0), 0x2D00u);
  EXPECT_EQ(down(0x1E9E), 0xDFu);
  EXPECT_EQ(up(0xDF), 0xDFu) << "no simple upper-case mapping";
  EXPECT_EQ(up(0x10428), 0x10400u);
  EXPECT_EQ(down(0x1E900), 0x1E922u) << "Adlam, new in Unicode 9.0";
  EXPECT_EQ(up(0x1C81), 0x414u);
  EXPECT_EQ(up(0x4E00), 0x4E00u);
  for (ZQChar kept : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
    EXPECT_EQ(up(kept), kept);
    EXPECT_EQ(down(kept), kept);
  }
}

// Classification by mask must agree, code point by code point, with the range tables the
// extension falls back on: both come from the same categories by different routes.
TEST_F(CharacterOperations, ClassificationAgreesWithTheFallbackTablesEverywhere) {
  struct Class {
    const char* name;
    std::uint32_t mask;
    const zq::ucd9::CodeRange* ranges;
    std::size_t count;
  };
  const Class classes[] = {
      {"digit", 0x40, zq::ucd9::digitranges, std::size(zq::ucd9::digitranges)},
      {"lower", 0x2, zq::ucd9::lowerranges, std::size(zq::ucd9::lowerranges)},
      {"upper", 0x1, zq::ucd9::upperranges, std::size(zq::ucd9::upperranges)},
      {"alpha", 0x60007, zq::ucd9::alpharanges, std::size(zq::ucd9::alpharanges)},
      {"print", 0x3FFE03FF, zq::ucd9::printranges, std::size(zq::ucd9::printranges)},
      {"graph", 0xFFFE81FF, zq::ucd9::graphranges, std::size(zq::ucd9::graphranges)},
      {"punct", 0x3F80000, zq::ucd9::punctranges, std::size(zq::ucd9::punctranges)},
      {"cntrl", 0x3C00, zq::ucd9::controlranges, std::size(zq::ucd9::controlranges)},
  };
  for (const Class& k : classes) {
    int mismatches = 0;
    std::size_t range = 0;
    for (ZQChar c = 0; c <= 0x110000; ++c) {
      while (range < k.count && k.ranges[range].last < c) ++range;
      const bool member = range < k.count && k.ranges[range].first <= c;
      const bool classified = nls.ClassifyChar(&nls, c, k.mask) != 0;
      if (member != classified && mismatches++ < 3) {
        ADD_FAILURE() << k.name << " of U+" << std::hex << c << ": tables " << member << ", host "
                      << classified;
      }
    }
    EXPECT_EQ(mismatches, 0) << k.name;
  }
}

TEST_F(CharacterOperations, ClassWordsOfAsciiAreTheClassTable) {
  for (ZQChar c = 0; c < 128; ++c) {
    EXPECT_EQ(zq::host::characterClassWord(c), zq::ucd9::ansi_ccl[c][1]) << c;
  }
  EXPECT_EQ(zq::host::characterClassWord(0x85), 0x1800u) << "a control that is white space";
  EXPECT_EQ(zq::host::characterClassWord(0xFF21), 0x40000001u);
  EXPECT_EQ(zq::host::characterClassWord(0xFF27), 0x1u);
  EXPECT_EQ(zq::host::characterClassWord(0x2028), 0x400u);
  EXPECT_EQ(zq::host::characterClassWord(0xE000), 0u) << "private use has no class";
  EXPECT_EQ(zq::host::characterClassWord(0xD800), 0u);
  EXPECT_EQ(zq::host::characterClassWord(0x10FFFF), 0u);
  EXPECT_EQ(nls.ClassifyChar(&nls, 0xD800, 0xFFFFFFFFu), 0) << "surrogates classify as nothing";
  EXPECT_EQ(nls.ClassifyChar(&nls, 0x01C5, 0x4), 1) << "title-case letter";
  EXPECT_EQ(nls.ClassifyChar(&nls, 0x01C5, 0x3), 0);
}

// That one service is found once, by name, is checked with the other kernel services.
TEST(CharacterDatabase, TheKernelHandsOutTheDatabaseService) {
  auto* kernel = static_cast<zq::KernelHandle*>(zqhostCreate());
  const ZQChar name[] = {'z', 'q', 'n', 'l', 's', 'u', 'd', 'b'};
  EXPECT_EQ(kernel->GetService(kernel, name, 8, 0), zq::host::characterDatabaseService());
  zqhostDestroy(kernel);
}

}  // namespace
