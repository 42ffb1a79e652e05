// The generated Unicode 9.0 tables: a fresh run of the generator writes the committed
// files, and the ASCII class bits are those each bit is documented with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

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

// A delta of -128 sends a code point to the auxiliary pairs, which end at a zero source:
// the marked code points are exactly the pairs' sources, so no mark lacks its pair and the
// lookup never runs past the end.
template <std::size_t N>
void expectMarksMatchPairs(const std::int8_t* shift, const std::uint32_t (&aux)[N][2]) {
  EXPECT_EQ(aux[N - 1][0], 0u);
  int marks = 0;
  for (std::size_t i = 0; i < 2432; ++i) marks += shift[i] == -128;
  EXPECT_EQ(marks, static_cast<int>(N - 1));
  for (std::size_t i = 0; i + 1 < N; ++i) {
    const std::uint32_t from = aux[i][0];
    ASSERT_LT(from, 0x10000u);
    const int entry = vdz_metatable[from >> 7];
    ASSERT_GE(entry, 0) << std::hex << from;
    EXPECT_EQ(shift[entry + (from & 127)], -128) << std::hex << from;
  }
}

TEST(GeneratedTables, CaseBlocksAndAuxiliaryMarks) {
  EXPECT_EQ(std::count_if(std::begin(vdz_metatable), std::end(vdz_metatable),
                          [](std::int16_t entry) { return entry >= 0; }),
            19);
  expectMarksMatchPairs(vdz_upshift, vdz_upaux);
  expectMarksMatchPairs(vdz_downshift, vdz_downaux);
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

TEST(GeneratedTables, AsciiClassBits) {
  for (int c = 0; c < 128; ++c) {
    EXPECT_EQ(zq::ucd9::ansi_ccl[c][1], documentedAsciiClass(c)) << c;
  }
}

}  // namespace
