// A whole run: a new host, the extension's suites called through its record, the report.
#include "harness/runner.h"

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "harness/files.h"
#include "harness/loader.h"
#include "harness/perf_calibration.h"
#include "harness/perf_listing.h"
#include "harness/report.h"
#include "harness/result_files.h"
#include "harness/session.h"
#include "zq/host.h"

namespace zq::harness {

namespace fs = std::filesystem;

namespace {

// Failure details shown per suite unless --verbose asks for all of them.
constexpr std::size_t kShownFailures = 10;

// The harness's own journal on "zqtest.lst", handed to the suites that write one.
// The request records stay here because the host may keep pointers into them.
struct HarnessJournal {
  fioparms file_parms{};
  ExtensionRequest request{};
  FileHandle* file = nullptr;
  Journal* journal = nullptr;
};

const ZQChar* zqText(const char32_t* text) { return reinterpret_cast<const ZQChar*>(text); }

std::string utcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

bool colorWanted(ColorMode mode, std::FILE* out) {
  if (mode != ColorMode::Auto) return mode == ColorMode::Always;
  const char* term = std::getenv("TERM");
  return ::isatty(::fileno(out)) != 0 && std::getenv("NO_COLOR") == nullptr &&
         (term == nullptr || std::string(term) != "dumb");
}

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

// Why a perf run timed nothing.
const char* noPerfCaseReason(const HarnessOptions& o, bool listing_written) {
  if (!listing_written) return "the suite wrote no listing";
  const bool selected = o.perf_all_routines || o.perf_routine != 0 || o.perf_encoding > 0 ||
                        !o.perf_locale.empty();
  if (!selected) {
    return "no selector was given (--perf-routine all or 1-5, --perf-encoding, --perf-locale)";
  }
  return "no case matches the selectors";
}

// One suite entry and the arguments its slot takes.
struct SuiteCall {
  Session& s;
  SuiteEntryFn entry;
  TestServices& services;
  bool perf;
  void* arg4;
  void* arg5;

  // Calls the entry once with the state for `routine` and `iterations`, its checks
  // counted by `recorder`. The perf suite's listing is read into `listing` ("" when it
  // wrote none); each call rewrites it, so an older one is removed first.
  std::int64_t operator()(std::int32_t routine, std::int32_t iterations, CheckRecorder& recorder,
                          std::string& listing) const {
    SuiteState state = suiteStateFor(s.options, routine);
    state.perf_iterations = iterations;
    const fs::path listing_path = s.outputDir() / kPerfListingName;
    std::error_code ignored;
    if (perf) fs::remove(listing_path, ignored);
    const std::int64_t returned = entry(&services, contextFor(recorder), &state, arg4, arg5);
    listing.clear();
    if (perf && !readFile(listing_path, listing)) listing.clear();
    return returned;
  }
};

// The perf suite's call for `routine` with calibrated iterations: short calls, their
// checks counted apart and dropped, until the fastest case's CPU time can be scaled
// to kCalibratedCaseMs.
PerfCall calibrated(const SuiteCall& call, std::int32_t routine) {
  CheckRecorder scratch{0};
  beginSuite(scratch, suiteName(SuiteSlot::Perf));
  PerfCall perf_call{suiteStateFor(call.s.options, routine).perf_routine,
                     kFirstShortCallIterations, true, 0};
  for (;;) {
    std::string listing;
    call(routine, perf_call.iterations, scratch, listing);
    ++perf_call.short_calls;
    const CalibrationStep step = nextCalibrationStep(perf_call.iterations, parsePerfListing(listing));
    perf_call.iterations = step.iterations;
    if (step.done) return perf_call;
  }
}

// Makes the call `perf_call` describes. A calibrated call whose fastest case still ran
// under kCalibratedCaseMs of CPU time (the machine was busier while it calibrated) is
// made once more, scaled from its own figures; only the second call's checks count.
std::int64_t timedCall(const SuiteCall& call, std::int32_t routine, PerfCall& perf_call,
                       std::string& listing) {
  CheckRecorder& recorder = call.s.recorder;
  const SuiteTally before = perf_call.calibrated ? recorder.tally : SuiteTally{};
  const std::int64_t returned = call(routine, perf_call.iterations, recorder, listing);
  if (!perf_call.calibrated) return returned;
  const std::vector<PerfResult> timed = parsePerfListing(listing);
  if (timed.empty() || fastestCpuMs(timed) >= kCalibratedCaseMs) return returned;
  recorder.tally = before;
  recorder.pending_errors.clear();
  recorder.collecting_after = false;
  perf_call.iterations = nextCalibrationStep(perf_call.iterations, timed).iterations;
  ++perf_call.short_calls;
  return call(routine, perf_call.iterations, recorder, listing);
}

// Calls one suite entry with the arguments its slot takes (the perf suite once per
// routine with --perf-routine all, each call calibrated first unless the iterations
// are given) and prints its report.
void runSuite(Session& s, SuiteSlot slot, const ExtensionRecord& record, TestServices& services,
              Journal* journal) {
  SuiteResult result;
  result.name = suiteName(slot);
  const SuiteEntryFn entry = record.suites[static_cast<int>(slot)];
  if (entry == nullptr) {
    std::fprintf(s.out, "%s: no suite entry in the extension record\n", result.name.c_str());
    result.missing_entry = true;
    s.results.suites.push_back(std::move(result));
    return;
  }
  RunRecord run_record{};
  run_record.run_code[0] = static_cast<unsigned char>(s.options.run_code[0]);
  run_record.run_code[1] = static_cast<unsigned char>(s.options.run_code[1]);
  SuiteCall call{s, entry, services, slot == SuiteSlot::Perf, nullptr, nullptr};
  switch (slot) {
    case SuiteSlot::Sanity1:
    case SuiteSlot::Sanity2:
      call.arg4 = journal;
      break;
    case SuiteSlot::Function1:
    case SuiteSlot::Perf:
      call.arg4 = &run_record;
      break;
    case SuiteSlot::IEEEConv:
      call.arg5 = journal;
      break;
  }
  const bool perf = call.perf;
  std::vector<std::int32_t> routines = {0};
  if (perf && s.options.perf_all_routines) routines = {1, 2, 3, 4, 5};
  const std::size_t perf_results_before = s.results.perf.size();

  beginSuite(s.recorder, result.name);
  std::fflush(s.out);
  const auto start = std::chrono::steady_clock::now();
  std::vector<PerfCall> perf_calls;
  for (std::int32_t routine : routines) {
    const SuiteState state = suiteStateFor(s.options, routine);
    perf_calls.push_back(perf && s.options.perf_iterations_auto
                             ? calibrated(call, routine)
                             : PerfCall{state.perf_routine, state.perf_iterations});
  }
  beginSuite(s.recorder, result.name);  // the short calls' steps and journal lines are not this run's
  bool listing_written = false;
  std::string perf_listing;
  for (std::size_t i = 0; i < routines.size(); ++i) {
    std::string listing;
    const std::int64_t returned = timedCall(call, routines[i], perf_calls[i], listing);
    if (returned != 0) result.returned = returned;
    if (listing.empty()) continue;
    listing_written = true;
    perf_listing += listing;
    const std::vector<PerfResult> timed = parsePerfListing(listing);
    s.results.perf.insert(s.results.perf.end(), timed.begin(), timed.end());
    if (!timed.empty()) s.results.perf_calls.push_back(perf_calls[i]);
  }
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  s.progress.finish();
  result.tally = std::move(s.recorder.tally);
  beginSuite(s.recorder);  // nothing the host says between suites belongs to this one
  applyExpectations(s.expectations, result.tally);

  const std::size_t shown = s.options.verbose ? result.tally.failures.size() : kShownFailures;
  std::fputs(suiteReport(result.name, result.tally,
                         static_cast<std::int64_t>(result.seconds * 1000.0), s.options.verbose,
                         shown, s.style)
                 .c_str(),
             s.out);
  if (result.returned != 0) {
    std::fprintf(s.out, "%s: suite returned %lld\n", result.name.c_str(),
                 static_cast<long long>(result.returned));
  }
  if (perf && routines.size() > 1 && !perf_listing.empty()) {
    // Each call rewrote the listing; it now holds every call's lines again.
    writeFile(s.outputDir() / kPerfListingName, perf_listing);
  }
  if (perf && s.results.perf.size() == perf_results_before) {
    std::fprintf(s.out, "perf: no case ran: %s\n", noPerfCaseReason(s.options, listing_written));
  }
  if (perf) std::fputs(perfCallsText(s.results.perf_calls).c_str(), s.out);
  std::fflush(s.out);
  s.results.suites.push_back(std::move(result));
}

// Runs the selected suites with the harness journal open.
void runRecord(Session& s, ExtensionRecord& record, KernelHandle* kernel) {
  HarnessJournal harness_journal;
  openHarnessJournal(kernel, harness_journal, s.err);
  TestServices services = makeTestServices(0);
  for (SuiteSlot slot : suitesToRun(s.options)) {
    runSuite(s, slot, record, services, harness_journal.journal);
  }
  closeHarnessJournal(harness_journal);
}

// Runs the suites against a new host that gives results of the class `corruption`
// wrongly, then destroys the host. False when the host or the extension could not be
// had.
bool runOnNewHost(Session& s, const std::string& path, std::int32_t corruption) {
  void* host = zqhostCreate();
  if (host == nullptr) {
    std::fprintf(s.err, "zqtest: the host could not be created\n");
    return false;
  }
  zqhostCorruptResults(host, corruption);
  if (!s.options.output_dir.empty()) zqhostSetOutputDir(host, s.options.output_dir.c_str());
  if (s.options.decimal_conversion) {
    zqhostSetDecimalConversionMode(host, *s.options.decimal_conversion);
  }
  RunInfo& info = s.results.info;
  info.run_code = s.options.run_code;
  info.date = utcNow();
  info.decimal_conversion =
      zqhostGetDecimalConversionMode(host) != 0 ? "COMPATIBLE" : "STDIEEE";
  // The row of the latest check names the conformance suite the driver is in.
  s.recorder.on_locale = [&s](const CheckRecorder& r) {
    const bool own_row = r.area.empty() || r.area == r.suite;
    s.progress.show(own_row ? r.suite : r.suite + " " + r.area, r.context.locale());
  };
  const ZqhostObserver observer = observerFor(s.recorder);
  zqhostSetObserver(host, &observer);
  auto* kernel = static_cast<KernelHandle*>(host);
  runExtension(s, path, kernel, [&](ExtensionRecord& record) { runRecord(s, record, kernel); });
  zqhostSetObserver(host, nullptr);
  const std::int64_t live_pools = zqhostLivePools(host);
  const std::int64_t leaked_blocks = zqhostDestroy(host);
  if (s.load_error) return false;
  s.results.leaked = live_pools > 0 || leaked_blocks > 0;
  if (s.results.leaked) {
    std::fprintf(s.out,
                 "zqtest: leak: the host still held %lld pool(s) with %lld block(s) at shutdown\n",
                 static_cast<long long>(live_pools), static_cast<long long>(leaked_blocks));
  }
  return true;
}

}  // namespace

Session::Session(const HarnessOptions& o, std::FILE* out_file, std::FILE* err_file)
    : options(o), out(out_file), err(err_file), progress(err_file) {
  style.color = colorWanted(o.color, out_file);
}

fs::path Session::outputDir() const {
  return options.output_dir.empty() ? fs::path(".") : fs::path(options.output_dir);
}

int runHarness(const HarnessOptions& options, std::FILE* out, std::FILE* err) {
  const std::string path = libraryToLoad(options, err);
  if (path.empty()) return kExitUsage;
  if (!options.perf_iterations_auto && options.perf_iterations > kMaxPerfIterations) {
    std::fprintf(err, "zqtest: --perf-iterations %d is capped at %d\n", options.perf_iterations,
                 kMaxPerfIterations);
  }
  Session s(options, out, err);
  if (!prepareFiles(s) || !runOnNewHost(s, path, ZQHOST_CORRUPT_NONE)) return kExitUsage;
  finishRun(s);
  return s.results.exit_code;
}

std::optional<RunResults> runCorrupted(const HarnessOptions& options, std::int32_t corruption,
                                       std::FILE* out, std::FILE* err) {
  const std::string path = libraryToLoad(options, err);
  if (path.empty()) return std::nullopt;
  Session s(options, out, err);
  if (!prepareFiles(s) || !runOnNewHost(s, path, corruption)) return std::nullopt;
  return std::move(s.results);
}

}  // namespace zq::harness
