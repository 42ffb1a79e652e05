// The host's case operations (NLS words 31 and 32) against Unicode 9.0 facts; its
// classification (word 136) is checked against the extension's tables in tests/kstr.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/udb/character_db.h"
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

}  // namespace
