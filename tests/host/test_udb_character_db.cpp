// The host's character operations (NLS words 31, 32 and 136), against Unicode 9.0 facts
// and the extension's fallback range tables.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>

#include "host/udb/character_db.h"
#include "kstr/unicode_tables.h"
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
  // {code point, upper-case, lower-case}: both ends of both sorted tables (U+0061 and
  // U+1E943 of the upper-case one, U+0041 and U+1E921 of the lower-case one) and beyond
  // them, mappings beyond the extension's byte deltas (U+0131, U+0130), the database's own
  // U+018E, a supplementary plane, and no mapping at all.
  const ZQChar rows[][3] = {{'a', 'A', 'a'},           {'A', 'A', 'a'},
                            {0x1E943, 0x1E921, 0x1E943}, {0x1E921, 0x1E921, 0x1E943},
                            {0x1E944, 0x1E944, 0x1E944}, {0x131, 'I', 0x131},
                            {0x130, 0x130, 'i'},       {0x18E, 0x18E, 0x1DD},
                            {0x1C5, 0x1C4, 0x1C6},     {0x10428, 0x10400, 0x10428},
                            {0xDF, 0xDF, 0xDF},        {0x4E00, 0x4E00, 0x4E00}};
  for (const auto& row : rows) {
    EXPECT_EQ(up(row[0]), row[1]) << std::hex << row[0];
    EXPECT_EQ(down(row[0]), row[2]) << std::hex << row[0];
  }
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

}  // namespace
