// Every suite entry against the stand-in host, clean and under each class of wrong
// result: the whole of what it writes (what it tells the harness and the listing it
// writes through the host) against the reviewed listing in tests/golden/.
// ZQ_GOLDEN_WRITE=1 (`make golden`) rewrites the listings that differ instead.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "host/journal.h"
#include "host/kernel.h"
#include "tests/support/listing_diff.h"
#include "recording_services.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

namespace fs = std::filesystem;

// The listings' names of the classes of wrong result, by their ZqhostCorruption value
// ("clean" for none).
constexpr const char* kClassNames[] = {"clean", "text", "length", "status", "value", "date"};
static_assert(std::size(kClassNames) == ZQHOST_CORRUPT_DATE + 1);

struct SuiteEntry {
  zq::SuiteSlot slot;
  const char* name;
};
constexpr SuiteEntry kSuites[] = {
    {zq::SuiteSlot::Sanity1, "sanity1"},     {zq::SuiteSlot::Sanity2, "sanity2"},
    {zq::SuiteSlot::Function1, "function1"}, {zq::SuiteSlot::Perf, "perf"},
    {zq::SuiteSlot::IEEEConv, "ieeeconv"},
};

struct GoldenCase {
  SuiteEntry suite;
  std::int32_t corruption;
  bool verbose = false;  // the conformance cases' traces of their raw results
};

// The name of a case's listing, and of its file in tests/golden/.
std::string nameOf(const GoldenCase& c) {
  return std::string(c.suite.name) + "." + kClassNames[c.corruption] +
         (c.verbose ? ".verbose" : "");
}

// The perf suite's cases time this many calls.
constexpr std::int32_t kPerfIterations = 1;

// The golden listings are kept gzip-compressed (`zcat` shows one): together they are
// ten times the size of the rest of the tree. zlib writes no time or name into the
// header, so an unchanged listing compresses to the same bytes; and it reads a file
// that is not compressed as it is, so the suites' listings are read here too.
std::optional<std::string> gunzipped(const fs::path& path) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  char chunk[1 << 16];
  for (int n; (n = gzread(file, chunk, sizeof chunk)) > 0;) text.append(chunk, n);
  return gzclose(file) == Z_OK ? std::optional(text) : std::nullopt;
}

bool gzipped(const fs::path& path, const std::string& text) {
  gzFile file = gzopen(path.c_str(), "wb9");
  if (file == nullptr) return false;
  const int written = gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
  return gzclose(file) == Z_OK && written == static_cast<int>(text.size());
}

// The perf result lines' timing columns (user and system CPU and elapsed milliseconds,
// twelve digits each) differ from run to run: their digits become '#'.
std::string withoutTimings(const std::string& listing) {
  static const std::regex kTimings("^(zqnls.*? )\\d{12}( +)\\d{12}( +)\\d{12} ",
                                   std::regex::multiline);
  return std::regex_replace(listing, kTimings, "$1############$2############$3############ ");
}

// One run of a suite entry as zqtest makes it, on a new host.
struct GoldenRun {
  std::string listing;
  std::size_t failures = 0;
};

GoldenRun runSuite(const GoldenCase& c, const fs::path& out_dir) {
  void* host = zqhostCreate();
  auto* kernel = static_cast<zq::KernelHandle*>(host);
  zqhostSetOutputDir(host, out_dir.c_str());
  zqhostCorruptResults(host, c.corruption);
  // The harness journal the sanity and IEEE suites write to, kept in memory.
  zq::jnlparms parms{};
  zq::Journal* journal = kernel->CreateJournal(kernel, &parms, 0, "zqtest");
  zqextent(kernel);
  zq::ExtensionRecord* record = zqvnle();

  zq::testing::Recorder recorder;
  zq::TestServices services = zq::testing::recordingServices(recorder);
  zq::RunRecord run_record{{}, 0, {U'0', U'1'}, 0};
  const zq::SuiteSlot slot = c.suite.slot;
  const bool journal_fourth = slot == zq::SuiteSlot::Sanity1 || slot == zq::SuiteSlot::Sanity2;
  void* fourth = journal_fourth                   ? static_cast<void*>(journal)
                 : slot == zq::SuiteSlot::IEEEConv ? nullptr
                                                   : &run_record;
  void* fifth = slot == zq::SuiteSlot::IEEEConv ? journal : nullptr;
  const bool perf = slot == zq::SuiteSlot::Perf;
  std::string listings;
  // The perf suite is called once per routine, as --perf-routine all calls it; each
  // call writes its listing anew.
  for (std::int32_t routine = perf ? 1 : 0; routine <= (perf ? 5 : 0); ++routine) {
    zq::SuiteState state{};
    state.perf_routine = routine;
    state.perf_iterations = kPerfIterations;
    state.verbose = c.verbose ? 1 : 0;
    const std::int64_t result =
        record->suites[static_cast<int>(slot)](&services, 0, &state, fourth, fifth);
    recorder.log("returned " + std::to_string(result));
    if (perf) {
      listings += "== zqvnlp.lst, routine " + std::to_string(routine) + "\n" +
                  withoutTimings(gunzipped(out_dir / "zqvnlp.lst").value_or(""));
    }
  }
  record->RealDestroy(record);
  Exported_ZQHandle = nullptr;
  if (slot == zq::SuiteSlot::Function1) {
    listings += "== nlf101.lst\n" + gunzipped(out_dir / "nlf101.lst").value_or("");
  }
  if (journal_fourth || fifth != nullptr) {
    const std::u32string text = zq::host::journalText(journal);
    listings += "== harness journal\n" +
                zq::host::toUtf8(zq::testing::units(text), zq::testing::lengthOf(text));
  }
  journal->Destroy(journal);
  EXPECT_EQ(zqhostLiveObjects(host), 0);
  EXPECT_EQ(zqhostDestroy(host), 0);

  // What the suite told the harness, then each listing it wrote.
  const std::string results = c.corruption == ZQHOST_CORRUPT_NONE
                                  ? "every result right"
                                  : std::string(kClassNames[c.corruption]) + " results wrong";
  return {std::string("# ") + c.suite.name + " on the stand-in host, " + results +
              (c.verbose ? ", verbose" : "") + "\n== harness services\n" + recorder.transcript +
              listings,
          recorder.failures()};
}

std::vector<GoldenCase> everyCase() {
  std::vector<GoldenCase> cases;
  for (const SuiteEntry& suite : kSuites) {
    for (std::int32_t corruption = ZQHOST_CORRUPT_NONE; corruption <= ZQHOST_CORRUPT_DATE;
         ++corruption) {
      cases.push_back({suite, corruption});
    }
  }
  // Only the conformance suites read the verbose flag; their traces hold every raw result.
  cases.push_back({kSuites[2], ZQHOST_CORRUPT_NONE, true});
  return cases;
}

class GoldenListing : public ::testing::TestWithParam<GoldenCase> {
 protected:
  GoldenRun run(const GoldenCase& c) { return runSuite(c, out_dir_.path()); }

 private:
  zq::testing::ScratchFolder out_dir_;
};

TEST_P(GoldenListing, MatchesTheReviewedListing) {
  const GoldenCase& c = GetParam();
  const bool clean = c.corruption == ZQHOST_CORRUPT_NONE;
  const GoldenRun run = this->run(c);
  ASSERT_TRUE(!clean || run.failures == 0) << "the clean run fails checks:\n" << run.listing;

  const fs::path golden = fs::path(ZQ_TEST_SOURCE_DIR) / "tests/golden" / (nameOf(c) + ".txt.gz");
  const std::optional<std::string> reviewed = gunzipped(golden);
  const char* write = std::getenv("ZQ_GOLDEN_WRITE");
  if (write != nullptr && std::string(write) == "1") {
    // A listing becomes a baseline only when the clean run of its suite passes every
    // check against the suite's own tables.
    ASSERT_TRUE(clean || this->run({c.suite, ZQHOST_CORRUPT_NONE, c.verbose}).failures == 0)
        << "the clean run fails checks";
    if (reviewed == run.listing) return;
    ASSERT_TRUE(gzipped(golden, run.listing)) << "cannot write " << golden;
    std::printf("rewrote %s\n", golden.c_str());
    return;
  }
  ASSERT_TRUE(reviewed) << "no golden listing " << golden << ": `make golden` writes it";
  const std::string differences = zq::testing::firstDifferences(*reviewed, run.listing);
  EXPECT_TRUE(differences.empty())
      << golden.string() << " differs from this run (- golden, + this run):\n"
      << differences
      << "Once the change to the suite's messages has been reviewed, `make golden` rewrites "
         "the golden listings.";
}

INSTANTIATE_TEST_SUITE_P(EverySuiteAndResultClass, GoldenListing,
                         ::testing::ValuesIn(everyCase()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           std::string name = nameOf(info.param);
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

}  // namespace
