// Entry points, factory and the version-control record, on the stand-in host.
#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "host/kernel.h"
#include "zq/zqvnle.h"

namespace {

using zq::MemoryPool;

// The host's pool operations, each block garbage-filled first, so that a record the
// factory forgets to zero shows.
decltype(zq::KernelHandle::CreatePool) host_create_pool = nullptr;
decltype(MemoryPool::AllocateMemory) host_allocate = nullptr;

MemoryPool* createGarbagePool(zq::KernelHandle* k, const zq::PoolParms* parms, zq::Word word,
                              const char* name) {
  MemoryPool* pool = host_create_pool(k, parms, word, name);
  host_allocate = pool->AllocateMemory;
  pool->AllocateMemory = [](MemoryPool* p, std::uint64_t size, std::uint64_t flags) -> void* {
    void* block = host_allocate(p, size, flags);
    std::memset(block, 0xA5, size);
    return block;
  };
  return pool;
}

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_create_pool = kernel->CreatePool;
    kernel->CreatePool = createGarbagePool;
  }
  void TearDown() override {
    Exported_ZQHandle = nullptr;
    zqhostDestroy(kernel);
  }
  zq::KernelHandle* kernel = static_cast<zq::KernelHandle*>(zqhostCreate());
};

// The version zqextver and the record report are what zqtest checks and prints over the
// real extension (ZqtestRun.RealExtensionRunsEverySuiteWithoutFailures).
TEST_F(EntryTest, ExtverStoresTheHandle) {
  EXPECT_EQ(zqvnle(), nullptr) << "no record before the host's handle is known";
  std::int64_t major = 0;
  std::int64_t minor = 0;
  EXPECT_EQ(zqextver(kernel, &major, &minor), 0);
  EXPECT_EQ(Exported_ZQHandle, kernel);
  zq::KernelHandle other{};
  EXPECT_EQ(zqextent(&other), 0);
  EXPECT_EQ(Exported_ZQHandle, &other) << "a second zqextent replaces the handle";
}

TEST_F(EntryTest, FactoryBuildsTheRecordInItsOwnPool) {
  zqextent(kernel);
  zq::ExtensionRecord* record = zqvnle();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(zq::host::ownerOf<zq::host::Pool>(record->pool)->name, "zqvnle Pool");
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
  EXPECT_EQ(zqhostLivePools(kernel), 2);
  EXPECT_EQ(record->RealDestroy(record), 0);
  EXPECT_EQ(zqvnleRealDestroy(second), 0);
  EXPECT_EQ(zqhostLivePools(kernel), 0);
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
