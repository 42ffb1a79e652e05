// The stand-in host kernel: its private state behind the KernelHandle operation table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::host {

struct Kernel;

// A "zqperf" timing service.
struct Timing {
  TimingService abi;  // must stay first
  Kernel* kernel;
};

// A memory pool: it owns every block allocated from it and frees them all when
// destroyed.
struct Pool {
  MemoryPool abi;  // must stay first: the extension sees only this table
  Kernel* kernel;
  std::string name;
  std::unordered_map<void*, std::uint64_t> blocks;  // block -> size
};

struct Kernel {
  KernelHandle abi;  // must stay first
  ConversionRecord conversion_record{};
  ConversionOptions conversion_options{};
  std::string output_dir = ".";
  std::unordered_set<Pool*> pools;
  std::unordered_set<Timing*> timers;  // live "zqperf" services
  // Fault countdowns by ZqhostFault value; 0 means disarmed.
  std::array<std::int32_t, 12> fault_countdown{};
  ZqhostObserver observer{};  // all callbacks null: nobody watches
};

inline Kernel& kernelOf(KernelHandle* handle) { return *reinterpret_cast<Kernel*>(handle); }

// True when the armed fault for `fault` fires on this call; counts it down otherwise.
bool takeFault(Kernel& kernel, ZqhostFault fault);

// The full path of a listing file named `name` in the kernel's output directory.
std::string outputPath(const Kernel& kernel, const std::string& name);

// UTF-8 form of a ZQChar text; code points that are not scalar values become U+FFFD.
std::string toUtf8(const ZQChar* text, std::int64_t length);

// Provided by the file-I/O extension and the journal (fileio.cpp, journal.cpp).
FileHandle* loadFileExtension(Kernel& kernel, const ExtensionRequest* request);
Journal* createJournal(Kernel& kernel, const jnlparms* parms, const char* name);

// Provided by the NLS service (nls/).
NlsHandle* createNlsService(Kernel& kernel);
void destroyNlsService(NlsHandle* nls);

// The character-database service "zqnlsudb" (udb/): one object per process.
void* characterDatabaseService();

// A new "zqperf" timing service of `kernel` (timing.cpp); its word 2 destroys it.
TimingService* createTimingService(Kernel& kernel);
void destroyTiming(Timing* timing);

}  // namespace zq::host
