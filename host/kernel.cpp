// The stand-in host kernel: pools, service lookup, extension loading and configuration.
#include "host/kernel.h"

#include "host/nls/service.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace zq::host {
namespace {

bool nameIs(const ZQChar* name, std::int64_t length, const char* expected) {
  const auto expected_length = static_cast<std::int64_t>(std::strlen(expected));
  if (name == nullptr || length != expected_length) return false;
  for (std::int64_t i = 0; i < length; ++i) {
    if (name[i] != static_cast<unsigned char>(expected[i])) return false;
  }
  return true;
}

void freePool(Pool* pool) {
  for (auto& [block, size] : pool->blocks) std::free(block);
  pool->kernel->pools.erase(pool);
  delete pool;
}

std::int64_t destroyPool(MemoryPool* handle) {
  freePool(ownerOf<Pool>(handle));
  return 0;
}

void* allocateMemory(MemoryPool* handle, std::uint64_t size, std::uint64_t /*flags*/) {
  Pool* pool = ownerOf<Pool>(handle);
  if (takeFault(*pool->kernel, ZQHOST_FAULT_ALLOCATE_MEMORY)) return nullptr;
  // Blocks start zeroed; a request for 0 bytes still gets a distinct block.
  void* block = std::calloc(size == 0 ? 1 : size, 1);
  if (block == nullptr) return nullptr;
  pool->blocks.emplace(block, size);
  return block;
}

MemoryPool* createPool(KernelHandle* handle, const PoolParms* /*parms*/, Word /*reserved*/,
                       const char* name) {
  Kernel& kernel = kernelOf(handle);
  if (takeFault(kernel, ZQHOST_FAULT_CREATE_POOL)) return nullptr;
  auto* pool = new (std::nothrow) Pool{};
  if (pool == nullptr) return nullptr;
  bindTable(pool);
  pool->abi.DestroyPool = destroyPool;
  pool->abi.AllocateMemory = allocateMemory;
  pool->kernel = &kernel;
  pool->name = name != nullptr ? name : "";
  kernel.pools.insert(pool);
  return &pool->abi;
}

void* getService(KernelHandle* handle, const ZQChar* name, std::int64_t length,
                 Word /*reserved*/) {
  Kernel& kernel = kernelOf(handle);
  if (takeFault(kernel, ZQHOST_FAULT_GET_SERVICE)) return nullptr;
  if (nameIs(name, length, "zqnlsudb")) return characterDatabaseService();
  if (nameIs(name, length, "zqperf")) return createTimingService(kernel);
  return nullptr;
}

// Frees every object of one kind left in `live` by `destroy`, saying on stderr what was
// left; returns how many there were.
template <class Objects, class Destroy>
std::size_t destroyLeftovers(const Objects& live, const char* what, Destroy destroy) {
  // Each destroy removes its object from the set it is kept in, so work on a copy.
  const std::vector left(live.begin(), live.end());
  if (!left.empty()) std::fprintf(stderr, "zqhost: %zu %s still alive\n", left.size(), what);
  for (auto* object : left) destroy(object);
  return left.size();
}

FileHandle* loadExtension(KernelHandle* handle, const ExtensionRequest* request, Word, Word) {
  Kernel& kernel = kernelOf(handle);
  if (takeFault(kernel, ZQHOST_FAULT_LOAD_EXTENSION)) return nullptr;
  if (request == nullptr || !nameIs(request->name, request->name_length, "zqfileio")) {
    return nullptr;
  }
  return loadFileExtension(kernel, request);
}

Journal* createJournalOp(KernelHandle* handle, const jnlparms* parms, Word, const char* name) {
  Kernel& kernel = kernelOf(handle);
  if (takeFault(kernel, ZQHOST_FAULT_CREATE_JOURNAL)) return nullptr;
  return createJournal(kernel, parms, name);
}

}  // namespace

bool takeFault(Kernel& kernel, ZqhostFault fault) {
  std::int32_t& countdown = kernel.fault_countdown.at(static_cast<std::size_t>(fault));
  if (countdown <= 0) return false;
  return --countdown == 0;
}

std::string outputPath(const Kernel& kernel, const std::string& name) {
  if (kernel.output_dir.empty()) return name;
  return kernel.output_dir + "/" + name;
}

std::string toUtf8(const ZQChar* text, std::int64_t length) {
  std::string out;
  out.reserve(static_cast<std::size_t>(length > 0 ? length : 0));
  for (std::int64_t i = 0; i < length; ++i) {
    ZQChar c = text[i];
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace zq::host

using zq::host::Kernel;
using zq::host::kernelOf;

extern "C" {

void* zqhostCreate(void) {
  auto* kernel = new Kernel{};
  zq::host::bindTable(kernel);
  kernel->abi.LoadExtension = zq::host::loadExtension;
  kernel->abi.CreateJournal = zq::host::createJournalOp;
  kernel->abi.CreatePool = zq::host::createPool;
  kernel->abi.GetService = zq::host::getService;
  kernel->conversion_options.decimal_conversion_mode = zq::DECIMALCONV_STDIEEE;
  kernel->conversion_record.options = &kernel->conversion_options;
  kernel->abi.conversion = &kernel->conversion_record;
  kernel->abi.nls = zq::host::createNlsService(*kernel);
  return &kernel->abi;
}

std::int64_t zqhostDestroy(void* handle) {
  if (handle == nullptr) return 0;
  Kernel& kernel = kernelOf(static_cast<zq::KernelHandle*>(handle));
  std::int64_t leaked = 0;
  // Journals first, so that they write out what they hold before their files close.
  leaked += zq::host::destroyLeftovers(kernel.journals, "journal(s)",
                                       zq::host::destroyJournalState);
  leaked += zq::host::destroyLeftovers(zq::host::openFilesOf(kernel), "file handle(s)",
                                       [](zq::FileHandle* file) { file->Destroy(file); });
  leaked += zq::host::destroyLeftovers(kernel.timers, "timing service(s)",
                                       zq::host::destroyTiming);
  const std::vector<zq::host::Pool*> pools(kernel.pools.begin(), kernel.pools.end());
  for (zq::host::Pool* pool : pools) {
    leaked += static_cast<std::int64_t>(pool->blocks.size());
    std::fprintf(stderr, "zqhost: pool \"%s\" still alive with %zu block(s)\n",
                 pool->name.c_str(), pool->blocks.size());
    zq::host::freePool(pool);
  }
  if (kernel.abi.nls != nullptr) {
    leaked += static_cast<std::int64_t>(zq::host::liveLocaleCount(kernel.abi.nls));
    leaked += static_cast<std::int64_t>(zq::host::liveStringManagerCount(kernel.abi.nls));
    zq::host::destroyNlsService(kernel.abi.nls);
  }
  delete &kernel;
  return leaked;
}

void zqhostSetOutputDir(void* handle, const char* directory) {
  kernelOf(static_cast<zq::KernelHandle*>(handle)).output_dir =
      directory != nullptr ? directory : ".";
}

void zqhostSetDecimalConversionMode(void* handle, std::int32_t mode) {
  kernelOf(static_cast<zq::KernelHandle*>(handle)).conversion_options.decimal_conversion_mode =
      mode;
}

std::int32_t zqhostGetDecimalConversionMode(void* handle) {
  return kernelOf(static_cast<zq::KernelHandle*>(handle))
      .conversion_options.decimal_conversion_mode;
}

std::int64_t zqhostLivePools(void* handle) {
  return static_cast<std::int64_t>(kernelOf(static_cast<zq::KernelHandle*>(handle)).pools.size());
}

std::int64_t zqhostLiveBlocks(void* handle) {
  std::int64_t blocks = 0;
  for (const zq::host::Pool* pool : kernelOf(static_cast<zq::KernelHandle*>(handle)).pools) {
    blocks += static_cast<std::int64_t>(pool->blocks.size());
  }
  return blocks;
}

std::int64_t zqhostLiveObjects(void* handle) {
  const Kernel& kernel = kernelOf(static_cast<zq::KernelHandle*>(handle));
  const std::size_t objects = kernel.pools.size() + kernel.journals.size() +
                              kernel.timers.size() + zq::host::openFilesOf(kernel).size() +
                              zq::host::liveLocaleCount(kernel.abi.nls) +
                              zq::host::liveStringManagerCount(kernel.abi.nls);
  return static_cast<std::int64_t>(objects) + zqhostLiveBlocks(handle);
}

void zqhostInjectFault(void* handle, std::int32_t fault, std::int32_t after) {
  Kernel& kernel = kernelOf(static_cast<zq::KernelHandle*>(handle));
  if (fault <= 0 || static_cast<std::size_t>(fault) >= kernel.fault_countdown.size()) return;
  kernel.fault_countdown[static_cast<std::size_t>(fault)] = after > 0 ? after : 0;
}

std::int32_t zqhostFaultPending(void* handle, std::int32_t fault) {
  const Kernel& kernel = kernelOf(static_cast<zq::KernelHandle*>(handle));
  if (fault <= 0 || static_cast<std::size_t>(fault) >= kernel.fault_countdown.size()) return 0;
  return kernel.fault_countdown[static_cast<std::size_t>(fault)];
}

}  // extern "C"
