// The generated Unicode 9.0 tables: a fresh run of the generator writes the committed
// files, and the tables hold the blocks, pairs, ranges and ASCII rows the library uses.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "kstr/unicode_tables.h"
#include "zq/zqvnle.h"

namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(GeneratedTables, AFreshRunWritesTheCommittedFiles) {
  const fs::path source = ZQ_TEST_SOURCE_DIR;
  if (!fs::exists(source / "tools/unicode/node_modules/@unicode/unicode-9.0.0/package.json")) {
    GTEST_SKIP() << "tools/unicode/node_modules is absent; run `npm ci --prefix tools/unicode` "
                    "to compare the tables with a fresh run of the generator";
  }
  if (std::system("node --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
  std::string pattern = (fs::temp_directory_path() / "zq-unicode-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path out = pattern;
  const std::string command = "node '" + (source / "tools/unicode/generate.mjs").string() +
                              "' --out '" + out.string() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* name : {"unicode_tables.h", "case_tables.cpp"}) {
    EXPECT_TRUE(contentsOf(out / name) == contentsOf(source / "kstr" / name))
        << "kstr/" << name << " differs from a fresh run of tools/unicode/generate.mjs";
  }
  fs::remove_all(out);
}

TEST(GeneratedTables, CaseBlocksAndAuxiliaryPairs) {
  const std::uint32_t blocks[] = {0x0000, 0x0080, 0x0100, 0x0180, 0x0200, 0x0280, 0x0380,
                                  0x0400, 0x0480, 0x0500, 0x0580, 0x1080, 0x1E00, 0x1E80,
                                  0x1F00, 0x1F80, 0x2100, 0x2480, 0xFF00};
  std::vector<std::int16_t> expected(512, -1);
  for (std::size_t i = 0; i < std::size(blocks); ++i) {
    expected[blocks[i] >> 7] = static_cast<std::int16_t>(128 * i);
  }
  EXPECT_EQ(std::vector<std::int16_t>(std::begin(vdz_metatable), std::end(vdz_metatable)),
            expected);

  const std::uint32_t up[][2] = {
      {0x17F, 0x53},  {0x253, 0x181}, {0x254, 0x186}, {0x257, 0x18A},   {0x258, 0x18E},
      {0x259, 0x18F}, {0x25B, 0x190}, {0x260, 0x193}, {0x263, 0x194},   {0x268, 0x197},
      {0x269, 0x196}, {0x26F, 0x19C}, {0x272, 0x19D}, {0x283, 0x1A9},   {0x288, 0x1AE},
      {0x28A, 0x1B1}, {0x28B, 0x1B2}, {0x292, 0x1B7}, {0x1F78, 0x1FF8}, {0x1F79, 0x1FF9}};
  for (std::size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(vdz_upaux[i][0], up[i][0]);
    EXPECT_EQ(vdz_upaux[i][1], up[i][1]);
    if (i == 0) continue;  // U+0053 does not lower-case to U+017F
    EXPECT_EQ(vdz_downaux[i - 1][0], up[i][1]);
    EXPECT_EQ(vdz_downaux[i - 1][1], up[i][0]);
  }
  EXPECT_EQ(vdz_upaux[20][0], 0u);
  EXPECT_EQ(vdz_downaux[19][0], 0u);
  // Each pair's source is marked -128 in its block; no other code point is.
  int up_marks = 0;
  int down_marks = 0;
  for (std::size_t i = 0; i < 2432; ++i) {
    up_marks += vdz_upshift[i] == -128;
    down_marks += vdz_downshift[i] == -128;
  }
  EXPECT_EQ(up_marks, 20);
  EXPECT_EQ(down_marks, 19);
  EXPECT_EQ(vdz_upshift[vdz_metatable[0x17F >> 7] + (0x17F & 127)], -128);
  EXPECT_EQ(vdz_downshift[vdz_metatable[0x1FF8 >> 7] + (0x1FF8 & 127)], -128);
}

// The class bits of the ASCII rows, from the membership each bit is documented with.
std::uint32_t documentedAsciiClass(int c) {
  std::uint32_t bits = 0;
  if (c >= 'A' && c <= 'Z') bits |= 0x1;
  if (c >= 'a' && c <= 'z') bits |= 0x2;
  if (c >= '0' && c <= '9') bits |= 0x40;
  if (c == ' ') bits |= 0x200;
  if (c >= '\t' && c <= '\r') bits |= 0x800;
  if (c < 0x20 || c == 0x7F) bits |= 0x1000;
  if (c == '_') bits |= 0x80000;
  if (c == '-') bits |= 0x100000;
  if (c != 0 && std::strchr("([{", c) != nullptr) bits |= 0x200000;
  if (c != 0 && std::strchr(")]}", c) != nullptr) bits |= 0x400000;
  if (c != 0 && std::strchr("!\"#%&'*,./:;?\\@", c) != nullptr) bits |= 0x2000000;
  if (c != 0 && std::strchr("+<=>|~", c) != nullptr) bits |= 0x4000000;
  if (c == '$') bits |= 0x8000000;
  if (c == '^' || c == '`') bits |= 0x10000000;
  if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) bits |= 0x40000000;
  return bits;
}

TEST(GeneratedTables, AsciiRows) {
  for (int c = 0; c < 128; ++c) {
    const std::uint32_t* row = zq::ucd9::ansi_ccl[c];
    EXPECT_EQ(row[0], static_cast<std::uint32_t>(c));
    EXPECT_EQ(row[1], documentedAsciiClass(c)) << c;
    EXPECT_EQ(row[4], c >= 'a' && c <= 'z' ? static_cast<std::uint32_t>(c - 32) : 0u) << c;
    EXPECT_EQ(row[5], c >= 'A' && c <= 'Z' ? static_cast<std::uint32_t>(c + 32) : 0u) << c;
    EXPECT_EQ(row[3] | row[6] | row[7], 0u) << c;
  }
  // Directional classes: L 0, EN 3, ES 4, ET 5, CS 7, BN 9, B 10, S 11, WS 12, ON 13.
  const auto direction = [](int c) { return zq::ucd9::ansi_ccl[c][2]; };
  EXPECT_EQ(direction('A'), 0u);
  EXPECT_EQ(direction('7'), 3u);
  EXPECT_EQ(direction('+'), 4u);
  EXPECT_EQ(direction('#'), 5u);
  EXPECT_EQ(direction(','), 7u);
  EXPECT_EQ(direction(0), 9u);
  EXPECT_EQ(direction('\n'), 10u);
  EXPECT_EQ(direction('\t'), 11u);
  EXPECT_EQ(direction(' '), 12u);
  EXPECT_EQ(direction('!'), 13u);
}

}  // namespace
