// Loading the extension, running its suites through the record, and reporting at the end.
#include "harness/runner.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "harness/catalog.h"
#include "harness/documents.h"
#include "harness/expectations.h"
#include "harness/perf_listing.h"
#include "harness/render.h"
#include "harness/report.h"
#include "harness/services.h"
#include "zq/host.h"

namespace zq::harness {
namespace {

namespace fs = std::filesystem;

// Failure details shown per suite unless --verbose asks for all of them.
constexpr std::size_t kShownFailures = 10;
// Failure details kept per suite for the result files; beyond them failures are
// only counted.
constexpr std::size_t kKeptFailures = 100'000;
// Runs shorter than this show no progress lines.
constexpr double kProgressAfterSeconds = 1.0;

// The harness's own journal on "zqtest.lst", handed to the suites that write one.
// The request records stay here because the host may keep pointers into them.
struct HarnessJournal {
  fioparms file_parms{};
  ExtensionRequest request{};
  FileHandle* file = nullptr;
  Journal* journal = nullptr;
};

const ZQChar* zqText(const char32_t* text) { return reinterpret_cast<const ZQChar*>(text); }

bool readFile(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

bool writeFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  return static_cast<bool>(file);
}

// True when a file can be made at `path`; one made only to find out is removed again.
bool canWrite(const fs::path& path) {
  std::error_code error;
  const bool existed = fs::exists(path, error);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ::close(fd);
  if (!existed) fs::remove(path, error);
  return true;
}

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

// Progress lines on stderr, once the run has lasted a second: one per suite and
// locale, rewritten in place on a terminal.
class Progress {
 public:
  explicit Progress(std::FILE* err) : err_(err), in_place_(::isatty(::fileno(err)) != 0) {}
  ~Progress() { finish(); }

  void show(const std::string& suite, const std::string& locale) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    if (seconds < kProgressAfterSeconds) return;
    const std::string line = "zqtest: " + std::to_string(static_cast<long long>(seconds)) +
                             " s, " + suite + " in " + locale;
    std::fprintf(err_, in_place_ ? "\r\x1b[K%s" : "%s\n", line.c_str());
    std::fflush(err_);
    shown_ = true;
  }
  void finish() {
    if (shown_ && in_place_) std::fputs("\r\x1b[K", err_);
    shown_ = false;
  }

 private:
  std::FILE* err_;
  bool in_place_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Everything one run shares between its stages.
struct Session {
  Session(const HarnessOptions& o, std::FILE* out_file, std::FILE* err_file)
      : options(o), out(out_file), err(err_file), progress(err_file) {
    style.color = colorWanted(o.color, out_file);
  }

  const HarnessOptions& options;
  std::FILE* out;
  std::FILE* err;
  Style style;
  Progress progress;
  std::vector<Expectation> expectations;
  RunResults results;
  CheckRecorder recorder{kKeptFailures};
  bool load_error = false;
  bool output_error = false;

  fs::path outputDir() const {
    return options.output_dir.empty() ? fs::path(".") : fs::path(options.output_dir);
  }
};

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

// The perf listing after one call of the perf suite: its lines are kept (each call
// rewrites the file) and its result lines read. False when the call wrote none.
bool collectPerfListing(Session& s, std::string& kept_listing) {
  std::string listing;
  if (!readFile(s.outputDir() / kPerfListingName, listing)) return false;
  kept_listing += listing;
  std::vector<PerfResult> results = parsePerfListing(listing);
  s.results.perf.insert(s.results.perf.end(), results.begin(), results.end());
  return true;
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

// Calls one suite entry with the arguments its slot takes (the perf suite once per
// routine with --perf-routine all) and prints its report.
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
  const bool perf = slot == SuiteSlot::Perf;
  std::vector<std::int32_t> routines = {0};
  if (perf && s.options.perf_all_routines) routines = {1, 2, 3, 4, 5};
  const std::size_t perf_results_before = s.results.perf.size();
  std::string perf_listing;

  beginSuite(s.recorder, result.name);
  std::fflush(s.out);
  const auto start = std::chrono::steady_clock::now();
  bool listing_written = false;
  for (std::int32_t routine : routines) {
    SuiteState state = suiteStateFor(s.options, routine);
    std::error_code ignored;
    // A listing left by an earlier run must not pass for this call's.
    if (perf) fs::remove(s.outputDir() / kPerfListingName, ignored);
    const std::int64_t returned =
        entry(&services, contextFor(s.recorder), &state, arg4, arg5);
    if (returned != 0) result.returned = returned;
    if (perf && collectPerfListing(s, perf_listing)) listing_written = true;
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
  std::fflush(s.out);
  s.results.suites.push_back(std::move(result));
}

// Announces the extension and runs the selected suites with the harness journal open.
void runRecord(Session& s, ExtensionRecord& record, KernelHandle* kernel) {
  if (record.GetVersion == nullptr || record.GetReqVersion == nullptr || record.name == nullptr) {
    std::fprintf(s.err, "zqtest: the extension record lacks its name or version operations\n");
    s.load_error = true;
    return;
  }
  std::int64_t version[3] = {};
  std::int64_t required[3] = {};
  record.GetVersion(&record, &version[0], &version[1], &version[2]);
  record.GetReqVersion(&record, &required[0], &required[1], &required[2]);
  const auto dotted = [](const std::int64_t (&v)[3]) {
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
  };
  RunInfo& info = s.results.info;
  info.extension = visibleUnits(record.name, 6);
  info.version = dotted(version);
  info.required_host = dotted(required);
  std::fprintf(s.out, "extension %s %s, requires host %s\n", info.extension.c_str(),
               info.version.c_str(), info.required_host.c_str());

  HarnessJournal harness_journal;
  openHarnessJournal(kernel, harness_journal, s.err);
  TestServices services = makeTestServices(0);
  for (SuiteSlot slot : suitesToRun(s.options)) {
    runSuite(s, slot, record, services, harness_journal.journal);
  }
  closeHarnessJournal(harness_journal);
}

// Finds the entry points, checks the host version, builds the record, runs, and
// destroys the record again.
void runLibrary(Session& s, const std::string& path, void* library, KernelHandle* kernel) {
  const auto extver = reinterpret_cast<ExtVerFn>(dlsym(library, "zqextver"));
  if (extver == nullptr) {
    std::fprintf(s.err, "zqtest: %s has no entry point zqextver\n", path.c_str());
    s.load_error = true;
    return;
  }
  const auto factory = reinterpret_cast<FactoryFn>(dlsym(library, "zqvnle"));
  if (factory == nullptr) {
    std::fprintf(s.err, "zqtest: %s has no entry point zqvnle\n", path.c_str());
    s.load_error = true;
    return;
  }
  std::int64_t major = 0;
  std::int64_t minor = 0;
  extver(kernel, &major, &minor);
  if (major != 7 || minor != 1) {
    std::fprintf(s.err, "zqtest: %s is built for host %lld.%lld; this host is 7.1\n",
                 path.c_str(), static_cast<long long>(major), static_cast<long long>(minor));
    s.load_error = true;
    return;
  }
  ExtensionRecord* record = factory();
  if (record == nullptr) {
    std::fprintf(s.err, "zqtest: the factory zqvnle of %s returned no extension record\n",
                 path.c_str());
    s.load_error = true;
    return;
  }
  runRecord(s, *record, kernel);
  if (record->RealDestroy != nullptr) record->RealDestroy(record);
}

void runWithHost(Session& s, const std::string& path, KernelHandle* kernel) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    std::fprintf(s.err, "zqtest: cannot load %s: %s\n", path.c_str(),
                 reason != nullptr ? reason : "unknown error");
    s.load_error = true;
    return;
  }
  runLibrary(s, path, library, kernel);
  dlclose(library);
}

// Checks everything the run will write or read before anything runs; prints the
// one-line reason and returns false when something cannot be had.
bool prepareFiles(Session& s) {
  const HarnessOptions& o = s.options;
  std::error_code error;
  if (!o.output_dir.empty()) {
    fs::create_directories(o.output_dir, error);
    if (error || !fs::is_directory(o.output_dir)) {
      std::fprintf(s.err, "zqtest: cannot create the output directory %s: %s\n",
                   o.output_dir.c_str(),
                   error ? error.message().c_str() : "a file of that name is in the way");
      return false;
    }
  }
  const fs::path probe = s.outputDir() / ".zqtest-write-probe";
  if (!canWrite(probe)) {
    std::fprintf(s.err, "zqtest: cannot write to the output directory %s\n",
                 s.outputDir().c_str());
    return false;
  }
  for (const std::string* file : {&o.junit, &o.json, &o.html, &o.perf_csv, &o.write_expect}) {
    if (file->empty() || canWrite(*file)) continue;
    std::fprintf(s.err, "zqtest: cannot write %s\n", file->c_str());
    return false;
  }
  if (o.expect.empty()) return true;
  std::string text;
  if (!readFile(o.expect, text)) {
    std::fprintf(s.err, "zqtest: cannot read the expectations file %s\n", o.expect.c_str());
    return false;
  }
  ParsedExpectations parsed = parseExpectations(text);
  if (!parsed.error.empty()) {
    std::fprintf(s.err, "zqtest: %s:%s\n", o.expect.c_str(), parsed.error.c_str());
    return false;
  }
  s.expectations = std::move(parsed.entries);
  s.results.info.expect_file = o.expect;
  return true;
}

// Writes one result file and names it; a failure makes the run an output error.
void writeResultFile(Session& s, const std::string& path, const std::string& text,
                     std::vector<std::string>& written) {
  if (path.empty()) return;
  if (writeFile(path, text)) {
    written.push_back(path);
    return;
  }
  std::fprintf(s.err, "zqtest: cannot write %s\n", path.c_str());
  s.output_error = true;
}

int exitCodeOf(const Session& s) {
  if (s.load_error || s.output_error) return kExitUsage;
  const RunResults& r = s.results;
  bool suite_failed = false;
  for (const SuiteResult& suite : r.suites) {
    suite_failed = suite_failed || suite.returned != 0 || suite.missing_entry;
  }
  if (r.unexpectedFailures() > 0 || !r.stale.empty() || suite_failed || r.leaked) {
    return kExitFailed;
  }
  return kExitPassed;
}

// The closing part of the report: tables, rerun commands, result files, expectations
// and the closing line.
void finishRun(Session& s) {
  RunResults& r = s.results;
  const HarnessOptions& o = s.options;
  r.stale = staleExpectations(s.expectations, r.suites);
  const bool with_expectations = !o.expect.empty();
  std::fputs(summaryTable(r, with_expectations, s.style).c_str(), s.out);
  if (!r.perf.empty()) std::fputs(perfTable(r.perf).c_str(), s.out);
  for (const std::string& command : rerunCommands(r, o)) {
    std::fprintf(s.out, "rerun: %s\n", command.c_str());
  }
  if (with_expectations) {
    std::fprintf(s.out, "expectations %s: %lld FAIL, %lld XFAIL, %zu XPASS\n", o.expect.c_str(),
                 static_cast<long long>(r.unexpectedFailures()),
                 static_cast<long long>(r.expectedFailures()), r.stale.size());
    for (const StaleExpectation& stale : r.stale) {
      std::fprintf(s.out, "%s %s:%d: %s %s %s passed: %s\n",
                   s.style.red("XPASS").c_str(), o.expect.c_str(), stale.line,
                   stale.area.c_str(), stale.locale.empty() ? "-" : stale.locale.c_str(),
                   stale.key.c_str(), stale.reason.c_str());
    }
  }
  r.exit_code = exitCodeOf(s);
  std::vector<std::string> written;
  writeResultFile(s, o.junit, junitXml(r), written);
  writeResultFile(s, o.json, resultsJson(r), written);
  writeResultFile(s, o.html, htmlReport(r), written);
  writeResultFile(s, o.perf_csv, perfCsv(r.perf), written);
  writeResultFile(s, o.write_expect, expectationsText(r.suites), written);
  for (const std::string& path : written) std::fprintf(s.out, "wrote %s\n", path.c_str());
  std::fputs(closingLine(r.passed(), r.unexpectedFailures()).c_str(), s.out);
  std::fflush(s.out);
}

// The library to load, or "" after saying on `err` why there is none.
std::string libraryToLoad(const HarnessOptions& options, std::FILE* err) {
  std::string path = options.library_path.empty() ? defaultLibraryPath() : options.library_path;
  if (path.empty()) {
    std::fprintf(err, "zqtest: cannot find the directory of zqtest; give the library with --lib\n");
    return "";
  }
  // A bare file name would make the loader search the library path instead.
  if (path.find('/') == std::string::npos) path = "./" + path;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    std::fprintf(err, "zqtest: library not found: %s\n", path.c_str());
    return "";
  }
  return path;
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
  runWithHost(s, path, static_cast<KernelHandle*>(host));
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

std::string defaultLibraryPath() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return "";
  return (self.parent_path() / "libzqvnle.so").string();
}

int runHarness(const HarnessOptions& options, std::FILE* out, std::FILE* err) {
  const std::string path = libraryToLoad(options, err);
  if (path.empty()) return kExitUsage;
  if (options.perf_iterations > kMaxPerfIterations) {
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
