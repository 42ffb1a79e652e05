// The stand-in host kernel: its private state behind the KernelHandle operation table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/host_object.h"
#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::host {

struct Kernel;
struct JournalState;

// A memory pool: it owns every block allocated from it and frees them all when
// destroyed.
struct Pool {
  MemoryPool abi;  // word 0 points back here (host_object.h)
  Kernel* kernel;
  std::string name;
  std::unordered_map<void*, std::uint64_t> blocks;  // block -> size
};

// A "zqperf" timing service.
struct Timing {
  TimingService abi;  // word 0 points back here
  Kernel* kernel;
};

// Points of failure that fault injection can arm, ZQHOST_FAULT_* up to this bound.
constexpr std::size_t kFaultPoints = 12;

struct Kernel {
  KernelHandle abi;  // word 0 points back here
  ConversionRecord conversion_record{};
  ConversionOptions conversion_options{};
  std::string output_dir = ".";
  // Objects handed out and not yet destroyed; listing files are counted in their
  // registry (fileio.cpp) and locale handles by the NLS service.
  std::unordered_set<Pool*> pools;
  std::unordered_set<JournalState*> journals;
  std::unordered_set<Timing*> timers;
  // Fault countdowns by ZqhostFault value; 0 means disarmed or fired.
  std::array<std::int32_t, kFaultPoints> fault_countdown{};
  ZqhostObserver observer{};  // all callbacks null: nobody watches
  ZqhostCorruption corruption = ZQHOST_CORRUPT_NONE;  // results given wrongly on purpose
};

inline Kernel& kernelOf(KernelHandle* handle) { return *ownerOf<Kernel>(handle); }

// True when the armed fault for `fault` fires on this call; counts it down otherwise.
bool takeFault(Kernel& kernel, ZqhostFault fault);

// The full path of a listing file named `name` in the kernel's output directory.
std::string outputPath(const Kernel& kernel, const std::string& name);

// UTF-8 form of a ZQChar text; code points that are not scalar values become U+FFFD.
std::string toUtf8(const ZQChar* text, std::int64_t length);

// Provided by the file-I/O extension and the journal (fileio.cpp, journal.cpp).
FileHandle* loadFileExtension(Kernel& kernel, const ExtensionRequest* request);
Journal* createJournal(Kernel& kernel, const jnlparms* parms, const char* name);
// Writes out and frees a journal, as its word 2 does; returns that word's result.
std::int64_t destroyJournalState(JournalState* journal);

// The listing files of `kernel` not yet destroyed.
std::vector<FileHandle*> openFilesOf(const Kernel& kernel);

// Provided by the NLS service (nls/).
NlsHandle* createNlsService(Kernel& kernel);
void destroyNlsService(NlsHandle* nls);

// The character-database service "zqnlsudb" (udb/): one object per process.
void* characterDatabaseService();

// A new "zqperf" timing service of `kernel` (timing.cpp); its word 2 destroys it.
TimingService* createTimingService(Kernel& kernel);
void destroyTiming(Timing* timing);

}  // namespace zq::host
