// Loading the extension, running its suites through the record and closing down.
#include "harness/runner.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>

#include "harness/render.h"
#include "harness/report.h"
#include "harness/services.h"
#include "zq/host.h"

namespace zq::harness {
namespace {

// Failure details shown per suite unless --verbose asks for all of them.
constexpr std::size_t kShownFailures = 10;

// What the suites of one run added up to; `load_error` means nothing ran.
struct RunTotals {
  bool load_error = false;
  bool suite_failed = false;  // a suite returned non-zero or had no entry
  std::int64_t passed = 0;
  std::int64_t failed = 0;
};

RunTotals loadError() {
  RunTotals totals;
  totals.load_error = true;
  return totals;
}

// The harness's own journal on "zqtest.lst", handed to the suites that write one.
// The request records stay here because the host may keep pointers into them.
struct HarnessJournal {
  fioparms file_parms{};
  ExtensionRequest request{};
  FileHandle* file = nullptr;
  Journal* journal = nullptr;
};

const ZQChar* zqText(const char32_t* text) { return reinterpret_cast<const ZQChar*>(text); }

void openHarnessJournal(KernelHandle* kernel, HarnessJournal& h, std::FILE* err) {
  h.file_parms.name = zqText(U"zqtest.lst");
  h.file_parms.name_length = 10;
  h.file_parms.param1 = 1;
  h.file_parms.size = 1024;
  h.file_parms.param2 = 20;
  h.request.name = zqText(U"zqfileio");
  h.request.name_length = 8;
  h.request.parms = &h.file_parms;
  h.file = kernel->LoadExtension(kernel, &h.request, 0, 0);
  if (h.file == nullptr) {
    std::fprintf(err,
                 "zqtest: warning: the host gave no file handle for zqtest.lst; suites get no "
                 "harness journal\n");
    return;
  }
  jnlparms parms{};
  parms.file = h.file;
  parms.flags = 0x40000001;
  h.journal = kernel->CreateJournal(kernel, &parms, 0, "zqtest");
  if (h.journal == nullptr) {
    std::fprintf(err,
                 "zqtest: warning: the host gave no journal for zqtest.lst; suites get no "
                 "harness journal\n");
    return;
  }
  h.journal->OpenJournal(h.journal, 0x60000, nullptr, h.file, 0, 0, 0x40000000, 0, 0);
}

void closeHarnessJournal(HarnessJournal& h) {
  if (h.journal != nullptr) {
    h.journal->FlushJournal(h.journal);
    h.journal->Destroy(h.journal);
  }
  if (h.file != nullptr) h.file->Destroy(h.file);
  h.journal = nullptr;
  h.file = nullptr;
}

// Calls one suite entry with the arguments its slot takes and prints its report.
void runSuite(SuiteSlot slot, const ExtensionRecord& record, const HarnessOptions& options,
              TestServices& services, CheckRecorder& recorder, Journal* journal,
              RunTotals& totals, std::FILE* out) {
  const char* name = suiteName(slot);
  const SuiteEntryFn entry = record.suites[static_cast<int>(slot)];
  if (entry == nullptr) {
    std::fprintf(out, "%s: no suite entry in the extension record\n", name);
    totals.suite_failed = true;
    return;
  }
  SuiteState state = suiteStateFor(options);
  RunRecord run_record{};
  run_record.run_code[0] = static_cast<unsigned char>(options.run_code[0]);
  run_record.run_code[1] = static_cast<unsigned char>(options.run_code[1]);
  void* arg4 = nullptr;
  void* arg5 = nullptr;
  switch (slot) {
    case SuiteSlot::Sanity1:
    case SuiteSlot::Sanity2:
      arg4 = journal;
      break;
    case SuiteSlot::Function1:
    case SuiteSlot::Perf:
      arg4 = &run_record;
      break;
    case SuiteSlot::IEEEConv:
      arg5 = journal;
      break;
  }
  beginSuite(recorder);
  std::fflush(out);
  const auto start = std::chrono::steady_clock::now();
  const std::int64_t returned = entry(&services, contextFor(recorder), &state, arg4, arg5);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const auto elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  std::fputs(suiteReport(name, recorder.tally, elapsed_ms, options.verbose).c_str(), out);
  if (returned != 0) {
    std::fprintf(out, "%s: suite returned %lld\n", name, static_cast<long long>(returned));
    totals.suite_failed = true;
  }
  std::fflush(out);
  totals.passed += recorder.tally.totalPassed();
  totals.failed += recorder.tally.totalFailed();
}

// Announces the extension and runs the selected suites with the harness journal open.
RunTotals runRecord(const HarnessOptions& options, ExtensionRecord& record,
                    KernelHandle* kernel, std::FILE* out, std::FILE* err) {
  if (record.GetVersion == nullptr || record.GetReqVersion == nullptr || record.name == nullptr) {
    std::fprintf(err, "zqtest: the extension record lacks its name or version operations\n");
    return loadError();
  }
  std::int64_t version[3] = {};
  std::int64_t required[3] = {};
  record.GetVersion(&record, &version[0], &version[1], &version[2]);
  record.GetReqVersion(&record, &required[0], &required[1], &required[2]);
  std::fprintf(out, "extension %s %lld.%lld.%lld, requires host %lld.%lld.%lld\n",
               visibleUnits(record.name, 6).c_str(), static_cast<long long>(version[0]),
               static_cast<long long>(version[1]), static_cast<long long>(version[2]),
               static_cast<long long>(required[0]), static_cast<long long>(required[1]),
               static_cast<long long>(required[2]));

  HarnessJournal harness_journal;
  openHarnessJournal(kernel, harness_journal, err);
  CheckRecorder recorder(options.verbose ? std::numeric_limits<std::size_t>::max()
                                         : kShownFailures);
  TestServices services = makeTestServices(0);
  RunTotals totals;
  for (SuiteSlot slot : suitesToRun(options)) {
    runSuite(slot, record, options, services, recorder, harness_journal.journal, totals, out);
  }
  closeHarnessJournal(harness_journal);
  return totals;
}

// Finds the entry points, checks the host version, builds the record, runs, and
// destroys the record again.
RunTotals runLibrary(const HarnessOptions& options, const std::string& path, void* library,
                     KernelHandle* kernel, std::FILE* out, std::FILE* err) {
  const auto extver = reinterpret_cast<ExtVerFn>(dlsym(library, "zqextver"));
  if (extver == nullptr) {
    std::fprintf(err, "zqtest: %s has no entry point zqextver\n", path.c_str());
    return loadError();
  }
  const auto factory = reinterpret_cast<FactoryFn>(dlsym(library, "zqvnle"));
  if (factory == nullptr) {
    std::fprintf(err, "zqtest: %s has no entry point zqvnle\n", path.c_str());
    return loadError();
  }
  std::int64_t major = 0;
  std::int64_t minor = 0;
  extver(kernel, &major, &minor);
  if (major != 7 || minor != 1) {
    std::fprintf(err, "zqtest: %s is built for host %lld.%lld; this host is 7.1\n", path.c_str(),
                 static_cast<long long>(major), static_cast<long long>(minor));
    return loadError();
  }
  ExtensionRecord* record = factory();
  if (record == nullptr) {
    std::fprintf(err, "zqtest: the factory zqvnle of %s returned no extension record\n",
                 path.c_str());
    return loadError();
  }
  const RunTotals totals = runRecord(options, *record, kernel, out, err);
  if (record->RealDestroy != nullptr) record->RealDestroy(record);
  return totals;
}

RunTotals runWithHost(const HarnessOptions& options, const std::string& path,
                      KernelHandle* kernel, std::FILE* out, std::FILE* err) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    std::fprintf(err, "zqtest: cannot load %s: %s\n", path.c_str(),
                 reason != nullptr ? reason : "unknown error");
    return loadError();
  }
  const RunTotals totals = runLibrary(options, path, library, kernel, out, err);
  dlclose(library);
  return totals;
}

}  // namespace

std::string defaultLibraryPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "";
  return (self.parent_path() / "libzqvnle.so").string();
}

int runHarness(const HarnessOptions& options, std::FILE* out, std::FILE* err) {
  std::string path = options.library_path.empty() ? defaultLibraryPath() : options.library_path;
  if (path.empty()) {
    std::fprintf(err, "zqtest: cannot find the directory of zqtest; give the library with --lib\n");
    return kExitUsage;
  }
  // A bare file name would make the loader search the library path instead.
  if (path.find('/') == std::string::npos) path = "./" + path;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    std::fprintf(err, "zqtest: library not found: %s\n", path.c_str());
    return kExitUsage;
  }
  if (!options.output_dir.empty()) {
    std::filesystem::create_directories(options.output_dir, error);
    if (error) {
      std::fprintf(err, "zqtest: cannot create the output directory %s: %s\n",
                   options.output_dir.c_str(), error.message().c_str());
      return kExitUsage;
    }
  }
  void* host = zqhostCreate();
  if (host == nullptr) {
    std::fprintf(err, "zqtest: the host could not be created\n");
    return kExitUsage;
  }
  if (!options.output_dir.empty()) zqhostSetOutputDir(host, options.output_dir.c_str());
  const RunTotals totals = runWithHost(options, path, static_cast<KernelHandle*>(host), out, err);
  const std::int64_t live_pools = zqhostLivePools(host);
  const std::int64_t leaked_blocks = zqhostDestroy(host);
  if (totals.load_error) return kExitUsage;
  const bool leaked = live_pools > 0 || leaked_blocks > 0;
  if (leaked) {
    std::fprintf(out, "zqtest: leak: the host still held %lld pool(s) with %lld block(s) at shutdown\n",
                 static_cast<long long>(live_pools), static_cast<long long>(leaked_blocks));
  }
  std::fputs(closingLine(totals.passed, totals.failed).c_str(), out);
  std::fflush(out);
  if (totals.failed > 0 || totals.suite_failed || leaked) return kExitFailed;
  return kExitPassed;
}

}  // namespace zq::harness
