// The generated Unicode 9.0 tables: a fresh run of the generator writes the committed files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

using zq::testing::contentsOf;

TEST(GeneratedTables, AFreshRunWritesTheCommittedFiles) {
  const fs::path source = ZQ_TEST_SOURCE_DIR;
  if (!fs::exists(source / "tools/unicode/node_modules/@unicode/unicode-9.0.0/package.json")) {
    GTEST_SKIP() << "tools/unicode/node_modules is absent; run `npm ci --prefix tools/unicode` "
                    "to compare the tables with a fresh run of the generator";
  }
  if (std::system("node --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "node is not installed";
  const zq::testing::ScratchFolder out;
  const std::string command = "node '" + (source / "tools/unicode/generate.mjs").string() +
                              "' --out '" + out.path().string() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const char* name : {"unicode_tables.h", "case_tables.cpp"}) {
    EXPECT_TRUE(contentsOf(out / name) == contentsOf(source / "kstr" / name))
        << "kstr/" << name << " differs from a fresh run of tools/unicode/generate.mjs";
  }
}

}  // namespace
