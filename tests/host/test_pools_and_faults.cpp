// The host kernel's pools, leak accounting, fault injection and configuration.
#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "zq/host.h"
#include "zq/host_objects.h"

namespace {

using zq::testing::units;

zq::KernelHandle* makeKernel() { return static_cast<zq::KernelHandle*>(zqhostCreate()); }

// Destroying a pool releases its blocks: here the host's end finds none, and the fault
// walk counts no live object after any run; zqtest's leak line counts pools and blocks.
TEST(KernelPools, BlocksStartZeroedAndGoWithTheirPool) {
  zq::KernelHandle* kernel = makeKernel();
  const zq::PoolParms parms{};
  zq::MemoryPool* pool = kernel->CreatePool(kernel, &parms, 0, "a");
  ASSERT_NE(pool, nullptr);
  auto* block = static_cast<unsigned char*>(pool->AllocateMemory(pool, 64, 0));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(block[i], 0) << "blocks start zeroed";
  EXPECT_NE(pool->AllocateMemory(pool, 0, 0), nullptr) << "a zero-byte request still gets a block";
  pool->DestroyPool(pool);
  EXPECT_EQ(zqhostDestroy(kernel), 0);
}

TEST(KernelPools, DestroyReportsAndFreesEveryObjectStillAlive) {
  zq::KernelHandle* kernel = makeKernel();
  const zq::PoolParms parms{};
  zq::MemoryPool* pool = kernel->CreatePool(kernel, &parms, 0, "forgotten");
  pool->AllocateMemory(pool, 16, 0);
  pool->AllocateMemory(pool, 16, 0);
  zq::fioparms file_parms{units(U"leak.lst"), 8, 1, 0, 1024, 0, 20};
  const zq::ExtensionRequest request{units(U"zqfileio"), 8, &file_parms, 0, 0};
  zqhostSetOutputDir(kernel, ::testing::TempDir().c_str());
  zq::jnlparms journal_parms{};
  journal_parms.file = kernel->LoadExtension(kernel, &request, 0, 0);
  ASSERT_NE(journal_parms.file, nullptr);
  ASSERT_NE(kernel->CreateJournal(kernel, &journal_parms, 0, "j"), nullptr);
  ASSERT_NE(kernel->GetService(kernel, units(U"zqperf"), 6, 0), nullptr);
  ASSERT_NE(kernel->nls->zqnlsLocaleCreate(kernel->nls, units(U"de_DE"), 5), nullptr);
  // pool, 2 blocks, file, journal, timing service, locale
  EXPECT_EQ(zqhostLiveObjects(kernel), 7);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(zqhostDestroy(kernel), 6);
  const std::string said = ::testing::internal::GetCapturedStderr();
  for (const char* what : {"forgotten", "journal", "file handle", "timing service", "locale"}) {
    EXPECT_NE(said.find(what), std::string::npos) << what;
  }
}

// A fault fires on the named call and only then: the suites' fault rows count on it
// (the golden sanity2.faults and perf.faults scenarios). Here the switches.
TEST(KernelFaults, ZeroDisarmsAndUnknownFaultsAreIgnored) {
  zq::KernelHandle* kernel = makeKernel();
  const zq::PoolParms parms{};
  zqhostInjectFault(kernel, ZQHOST_FAULT_CREATE_POOL, 1);
  zqhostInjectFault(kernel, ZQHOST_FAULT_CREATE_POOL, 0);
  zqhostInjectFault(kernel, 99, 1);
  zq::MemoryPool* pool = kernel->CreatePool(kernel, &parms, 0, "1");
  ASSERT_NE(pool, nullptr) << "0 disarms";
  pool->DestroyPool(pool);
  EXPECT_EQ(zqhostDestroy(kernel), 0);
}

TEST(KernelServices, OnlyKnownServicesAreFound) {
  zq::KernelHandle* kernel = makeKernel();
  const zq::ZQChar* name = units(U"zqnlsudb");
  void* service = kernel->GetService(kernel, name, 8, 0);
  EXPECT_NE(service, nullptr);
  EXPECT_EQ(kernel->GetService(kernel, name, 8, 0), service) << "one service per process";
  EXPECT_EQ(kernel->GetService(kernel, name, 7, 0), nullptr) << "the length is part of the name";
  EXPECT_EQ(kernel->GetService(kernel, nullptr, 0, 0), nullptr);
  zqhostDestroy(kernel);
}

}  // namespace
