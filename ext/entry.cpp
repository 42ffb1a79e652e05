// Extension entry points: the kernel handle, the factory and its record, versions.
#include <cstdint>
#include <cstring>

#include "zq/zqvnle.h"

extern "C" {

zq::KernelHandle* Exported_ZQHandle = nullptr;

std::int64_t zqextent(zq::KernelHandle* kernel) {
  Exported_ZQHandle = kernel;
  return 0;
}

// Reports the host version this extension was built for (7.1), then stores the handle.
std::int64_t zqextver(zq::KernelHandle* kernel, std::int64_t* major, std::int64_t* minor) {
  if (major != nullptr) *major = 7;
  if (minor != nullptr) *minor = 1;
  return zqextent(kernel);
}

// Required host version 7.1.1.
std::int64_t zqvnleGetReqVersion(zq::ExtensionRecord*, std::int64_t* major, std::int64_t* minor,
                                 std::int64_t* patch) {
  if (major != nullptr) *major = 7;
  if (minor != nullptr) *minor = 1;
  if (patch != nullptr) *patch = 1;
  return 0;
}

// This extension's version, 1.0.3.
std::int64_t zqvnleGetVersion(zq::ExtensionRecord*, std::int64_t* major, std::int64_t* minor,
                              std::int64_t* patch) {
  if (major != nullptr) *major = 1;
  if (minor != nullptr) *minor = 0;
  if (patch != nullptr) *patch = 3;
  return 0;
}

// The record lives in its pool; destroying the pool releases both.
std::int64_t zqvnleRealDestroy(zq::ExtensionRecord* record) {
  if (record == nullptr || record->pool == nullptr) return 0;
  zq::MemoryPool* pool = record->pool;
  pool->DestroyPool(pool);
  return 0;
}

zq::ExtensionRecord* zqvnle() {
  zq::KernelHandle* kernel = Exported_ZQHandle;
  if (kernel == nullptr) return nullptr;
  const zq::PoolParms parms{};
  zq::MemoryPool* pool = kernel->CreatePool(kernel, &parms, 0, "zqvnle Pool");
  if (pool == nullptr) return nullptr;
  void* block = pool->AllocateMemory(pool, sizeof(zq::ExtensionRecord), 0);
  if (block == nullptr) {
    pool->DestroyPool(pool);
    return nullptr;
  }
  // Words the factory does not fill stay zero.
  std::memset(block, 0, sizeof(zq::ExtensionRecord));
  auto* record = static_cast<zq::ExtensionRecord*>(block);
  record->pool = pool;
  record->GetReqVersion = zqvnleGetReqVersion;
  record->GetVersion = zqvnleGetVersion;
  record->RealDestroy = zqvnleRealDestroy;
  const char32_t name[] = U"zqvnle";
  for (int i = 0; i < 6; ++i) record->name_units[i] = name[i];
  record->name = record->name_units;
  record->suites[0] = zqvnleSanity1;
  record->suites[1] = zqvnleSanity2;
  record->suites[2] = zqvnleFunction1;
  record->suites[3] = zqvnlePerf;
  record->suites[4] = zqvnleIEEEConv;
  return record;
}

}  // extern "C"
