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

TEST_F(EntryTest, ExtverReportsHostVersionAndStoresTheHandle) {
  std::int64_t major = 0;
  std::int64_t minor = 0;
  EXPECT_EQ(zqextver(&kernel.abi, &major, &minor), 0);
  EXPECT_EQ(major, 7);
  EXPECT_EQ(minor, 1);
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
  EXPECT_EQ(kernel.last_pool_parms, (std::vector<zq::Word>{0, 0, 0}));
  ASSERT_EQ(kernel.pools.size(), 1u);
  EXPECT_EQ(record->pool, &kernel.pools[0]->abi);
  EXPECT_EQ(kernel.allocations, 1);

  const auto* words = reinterpret_cast<const std::uint64_t*>(record);
  EXPECT_EQ(words[0], 0u);
  EXPECT_EQ(words[2], 0u);
  EXPECT_EQ(words[5], 0u);
  EXPECT_EQ(words[7], 0u);
  EXPECT_EQ(words[8], 0u);
  EXPECT_EQ(words[1], reinterpret_cast<std::uint64_t>(&words[10])) << "name points into the record";
  const char32_t expected_name[] = U"zqvnle";
  for (int i = 0; i < 6; ++i) EXPECT_EQ(record->name[i], expected_name[i]);

  EXPECT_EQ(record->suites[0], &zqvnleSanity1);
  EXPECT_EQ(record->suites[1], &zqvnleSanity2);
  EXPECT_EQ(record->suites[2], &zqvnleFunction1);
  EXPECT_EQ(record->suites[3], &zqvnlePerf);
  EXPECT_EQ(record->suites[4], &zqvnleIEEEConv);

  std::int64_t v[3] = {};
  EXPECT_EQ(record->GetReqVersion(record, &v[0], &v[1], &v[2]), 0);
  EXPECT_EQ((std::vector<std::int64_t>{v[0], v[1], v[2]}), (std::vector<std::int64_t>{7, 1, 1}));
  EXPECT_EQ(record->GetVersion(nullptr, &v[0], &v[1], &v[2]), 0);
  EXPECT_EQ((std::vector<std::int64_t>{v[0], v[1], v[2]}), (std::vector<std::int64_t>{1, 0, 3}));

  EXPECT_EQ(record->RealDestroy(record), 0);
  EXPECT_EQ(kernel.pools_destroyed, 1);
  EXPECT_TRUE(kernel.pools[0]->destroyed);
}

TEST_F(EntryTest, EachFactoryCallHasItsOwnPool) {
  zqextent(&kernel.abi);
  zq::ExtensionRecord* first = zqvnle();
  zq::ExtensionRecord* second = zqvnle();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first->pool, second->pool);
  zqvnleRealDestroy(first);
  zqvnleRealDestroy(second);
  EXPECT_EQ(kernel.pools_destroyed, 2);
}

TEST_F(EntryTest, FactoryFailurePaths) {
  zqextent(&kernel.abi);
  kernel.fail_create_pool = true;
  EXPECT_EQ(zqvnle(), nullptr);
  EXPECT_EQ(kernel.allocations, 0) << "nothing is allocated without a pool";

  kernel.fail_create_pool = false;
  kernel.fail_allocate = true;
  EXPECT_EQ(zqvnle(), nullptr);
  EXPECT_EQ(kernel.pools_created, 1);
  EXPECT_EQ(kernel.pools_destroyed, 1) << "the pool is destroyed when the record cannot be had";
}

TEST_F(EntryTest, FactoryWithoutKernelReturnsNull) {
  Exported_ZQHandle = nullptr;
  EXPECT_EQ(zqvnle(), nullptr);
}

TEST(VersionRecord, FillsAllTwentySixWords) {
  std::uint64_t info[26];
  std::memset(info, 0xFF, sizeof info);
  EXPECT_EQ(zqvercn1(info), 0);
  for (int i = 17; i < 26; ++i) EXPECT_EQ(info[i], 0u) << "word " << i;
  auto text = [&](int i) { return std::string(reinterpret_cast<const char*>(info[i])); };
  EXPECT_EQ(text(0).size(), 18u);
  for (char c : text(0)) EXPECT_TRUE((c >= '0' && c <= '9') || c == '.' || (c >= 'A' && c <= 'Z'));
  EXPECT_EQ(text(1).size(), 14u);
  EXPECT_EQ(text(2), "");
  EXPECT_EQ(text(4), "zqtest");
  EXPECT_EQ(text(5).size(), 6u);
  EXPECT_EQ(text(6), "zqtest");
  EXPECT_EQ(text(7).size(), 19u);
  EXPECT_EQ(text(9), "version");
  EXPECT_EQ(text(10), "::");
  EXPECT_EQ(text(12).rfind("QOR_VERSION_HOTFIX_NUMBER=", 0), 0u);
  EXPECT_EQ(text(12).size(), 65u);
  EXPECT_EQ(text(14).rfind("VERCON_IMAGE_DESCRIPTION=", 0), 0u);
  EXPECT_EQ(text(14).size(), 65u);
  EXPECT_EQ(text(16).size(), 28u);

  // Word 16 is word 3's moment as the date command prints it in UTC.
  const auto seconds = static_cast<time_t>(info[3]);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char printed[64];
  std::strftime(printed, sizeof printed, "%a %b %e %H:%M:%S UTC %Y", &utc);
  EXPECT_EQ(text(16), printed);
}

TEST(LocaleInfoTable, EighteenLocalesWithTheirSeparators) {
  auto str = [](const zq::ZQChar* p, std::int64_t n) {
    return std::u32string(reinterpret_cast<const char32_t*>(p), static_cast<std::size_t>(n));
  };
  std::u32string blank_grouping;
  int comma_decimals = 0;
  for (const LocaleInfoRow& row : LocaleInfo) {
    EXPECT_EQ(row.name_length, 5);
    EXPECT_EQ(row.decimal_separator[1], 0u);
    EXPECT_EQ(row.grouping_separator[1], 0u);
    if (row.decimal_separator[0] == U',') ++comma_decimals;
    if (row.grouping_separator[0] == U' ') blank_grouping += str(row.name, 2);
  }
  EXPECT_EQ(str(LocaleInfo[0].name, 5), U"cs_CZ");
  EXPECT_EQ(str(LocaleInfo[17].name, 5), U"zh_TW");
  EXPECT_EQ(comma_decimals, 11);
  EXPECT_EQ(blank_grouping, U"csfrhuplrusksv");
}

}  // namespace
