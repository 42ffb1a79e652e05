// A kernel of the test's own making: pools that count.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "zq/host_objects.h"

namespace zq::testing {

// One pool table per pool; the fake tracks the calls the factory makes.
struct FakePool {
  MemoryPool abi{};
  struct FakeKernel* owner = nullptr;
  std::vector<void*> blocks;
};

struct FakeKernel {
  KernelHandle abi{};
  int pools_destroyed = 0;
  std::string last_pool_name;
  std::vector<FakePool*> pools;

  FakeKernel() {
    abi.CreatePool = [](KernelHandle* k, const PoolParms*, Word,
                        const char* name) -> MemoryPool* {
      auto* self = reinterpret_cast<FakeKernel*>(k);
      self->last_pool_name = name != nullptr ? name : "";
      auto* pool = new FakePool;
      pool->owner = self;
      pool->abi.DestroyPool = [](MemoryPool* p) -> std::int64_t {
        auto* fp = reinterpret_cast<FakePool*>(p);
        for (void* b : fp->blocks) std::free(b);
        fp->blocks.clear();
        ++fp->owner->pools_destroyed;
        return 0;
      };
      pool->abi.AllocateMemory = [](MemoryPool* p, std::uint64_t size, std::uint64_t) -> void* {
        auto* fp = reinterpret_cast<FakePool*>(p);
        // Garbage-filled, so a factory that forgets to zero its record is caught.
        void* block = std::malloc(size == 0 ? 1 : size);
        auto* bytes = static_cast<unsigned char*>(block);
        for (std::uint64_t i = 0; i < size; ++i) bytes[i] = 0xA5;
        fp->blocks.push_back(block);
        return block;
      };
      self->pools.push_back(pool);
      return &pool->abi;
    };
  }
  ~FakeKernel() {
    for (FakePool* p : pools) {
      for (void* b : p->blocks) std::free(b);
      delete p;
    }
  }
  FakeKernel(const FakeKernel&) = delete;
  FakeKernel& operator=(const FakeKernel&) = delete;
};

}  // namespace zq::testing
