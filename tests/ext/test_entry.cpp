// Entry points, factory, version operations and the version-control record.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "ext/fake_kernel.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::FakeKernel;

class EntryTest : public ::testing::Test {
 protected:
  void TearDown() override { Exported_ZQHandle = nullptr; }
  FakeKernel kernel;
};

// The version zqextver and the record report are what zqtest checks and prints over the
// real extension (ZqtestRun.RealExtensionRunsEverySuiteWithoutFailures).
TEST_F(EntryTest, ExtverStoresTheHandle) {
  EXPECT_EQ(zqvnle(), nullptr) << "no record before the host's handle is known";
  std::int64_t major = 0;
  std::int64_t minor = 0;
  EXPECT_EQ(zqextver(&kernel.abi, &major, &minor), 0);
  EXPECT_EQ(Exported_ZQHandle, &kernel.abi);
  FakeKernel other;
  EXPECT_EQ(zqextent(&other.abi), 0);
  EXPECT_EQ(Exported_ZQHandle, &other.abi) << "a second zqextent replaces the handle";
}

TEST_F(EntryTest, FactoryBuildsTheRecordInItsOwnPool) {
  zqextent(&kernel.abi);
  zq::ExtensionRecord* record = zqvnle();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(kernel.last_pool_name, "zqvnle Pool");
  ASSERT_EQ(kernel.pools.size(), 1u);
  EXPECT_EQ(record->pool, &kernel.pools[0]->abi);
  // The pool's memory comes garbage-filled: the words the factory does not set are zero.
  const auto* words = reinterpret_cast<const std::uint64_t*>(record);
  for (int i : {0, 2, 5, 7, 8}) EXPECT_EQ(words[i], 0u) << "word " << i;
  EXPECT_EQ(words[1], reinterpret_cast<std::uint64_t>(&words[10])) << "name points into the record";
  EXPECT_EQ(record->suites[0], &zqvnleSanity1);
  EXPECT_EQ(record->suites[4], &zqvnleIEEEConv);
  // A second record has a pool of its own; each destroy releases its pool.
  zq::ExtensionRecord* second = zqvnle();
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second->pool, record->pool);
  EXPECT_EQ(record->RealDestroy(record), 0);
  EXPECT_EQ(zqvnleRealDestroy(second), 0);
  EXPECT_EQ(kernel.pools_destroyed, 2);
}

TEST(VersionRecord, FillsAllTwentySixWords) {
  std::uint64_t info[26];
  std::memset(info, 0xFF, sizeof info);
  EXPECT_EQ(zqvercn1(info), 0);
  for (int i = 17; i < 26; ++i) EXPECT_EQ(info[i], 0u) << "word " << i;
  auto text = [&](int i) { return std::string(reinterpret_cast<const char*>(info[i])); };
  EXPECT_EQ(text(4), "zqtest");
  EXPECT_EQ(text(9), "version");
  EXPECT_EQ(text(12).rfind("QOR_VERSION_HOTFIX_NUMBER=", 0), 0u);
  // Word 16 is word 3's moment as the date command prints it in UTC.
  const auto seconds = static_cast<time_t>(info[3]);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char printed[64];
  std::strftime(printed, sizeof printed, "%a %b %e %H:%M:%S UTC %Y", &utc);
  EXPECT_EQ(text(16), printed);
}

}  // namespace
