// The whole of what the suites write (what they tell the harness and the listings they
// write through the host) against the reviewed listings in tests/golden/: every suite
// entry on the stand-in host, clean and under each class of wrong result; and scenarios
// of the answers no wrong result gives: host failures at chosen calls, the perf suite's
// selectors, the decimal-conversion mode the IEEE suite finds, and a scripted host's
// lengths past 32 bits, values in a word's low half and values that differ from locale
// to locale.
// ZQ_GOLDEN_WRITE=1 (`make golden`) rewrites the listings that differ instead.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "suite_run.h"
#include "tests/support/listing_diff.h"

namespace {

namespace fs = std::filesystem;
using zq::SuiteSlot;
using zq::testing::ScriptedCall;
using zq::testing::SuiteRun;

// The listings' names of the classes of wrong result, by their ZqhostCorruption value
// ("clean" for none).
constexpr const char* kClassNames[] = {"clean", "text", "length", "status", "value", "date"};
static_assert(std::size(kClassNames) == ZQHOST_CORRUPT_DATE + 1);
constexpr const char* kSuiteNames[] = {"sanity1", "sanity2", "function1", "perf", "ieeeconv"};

// What a case wrote, and how many of its checks failed.
struct GoldenRun {
  std::string listing;
  std::size_t failures = 0;
};

struct GoldenCase {
  std::string name;  // of its file, tests/golden/NAME.txt.gz
  std::function<GoldenRun()> run;
  bool clean = false;  // every check must pass
};
void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.name; }

// A suite entry as zqtest calls it, on a new stand-in host giving `corruption`'s results
// wrongly: the perf suite once per routine, as --perf-routine all calls it, each case
// timing one call.
GoldenRun suiteRun(SuiteSlot slot, std::int32_t corruption, bool verbose) {
  SuiteRun run;
  zqhostCorruptResults(run.host, corruption);
  const bool perf = slot == SuiteSlot::Perf;
  for (std::int32_t routine = perf ? 1 : 0; routine <= (perf ? 5 : 0); ++routine) {
    run.state = zq::SuiteState{};
    run.state.perf_routine = routine;
    run.state.perf_iterations = 1;
    run.state.verbose = verbose ? 1 : 0;
    run.entry(slot);
  }
  const std::string results = corruption == ZQHOST_CORRUPT_NONE
                                  ? "every result right"
                                  : std::string(kClassNames[corruption]) + " results wrong";
  return {std::string("# ") + kSuiteNames[static_cast<int>(slot)] + " on the stand-in host, " +
              results + (verbose ? ", verbose" : "") + "\n" + run.transcript(),
          run.recorder.failures};
}

// A run of a scenario: what it shows, what it does to the host and the state before it
// calls its suite, and the call; and whether on a scripted host.
using Act = std::function<void(SuiteRun&)>;
struct ScenarioRun {
  std::string title;
  Act act;
  bool scripted = false;
};

GoldenRun scenario(const std::vector<ScenarioRun>& runs) {
  GoldenRun all;
  for (const ScenarioRun& step : runs) {
    SuiteRun run(step.scripted);
    step.act(run);
    all.listing += "# " + step.title + "\n" + run.transcript();
  }
  return all;
}

Act entry(SuiteSlot slot) {
  return [=](SuiteRun& r) { r.entry(slot); };
}
Act conformance(zq::ConformanceSuiteFn suite) {
  return [=](SuiteRun& r) { r.conformance(suite); };
}
// `point` armed to fail its `call`-th call (none when 0), then `then`.
Act failing(ZqhostFault point, int call, Act then) {
  return [=](SuiteRun& r) {
    zqhostInjectFault(r.host, point, call);
    then(r);
  };
}
// On a scripted host answering `script`, then `then`.
ScenarioRun scripted(std::string title, zq::testing::Script script, Act then) {
  return {title,
          [=](SuiteRun& r) {
            r.scripted_host->script = script;
            then(r);
          },
          true};
}

// The perf suite with its selectors, `iterations` a case.
Act perf(std::int32_t routine, std::int32_t encoding, const char* locale,
         std::int32_t iterations = 3) {
  return [=](SuiteRun& r) {
    r.state.perf_routine = routine;
    r.state.perf_encoding = encoding;
    r.state.perf_iterations = iterations;
    r.state.perf_locale_given = *locale != 0 ? 1 : 0;
    for (int i = 0; locale[i] != 0 && i < 5; ++i) r.state.perf_locale[i] = locale[i];
    r.entry(SuiteSlot::Perf);
  };
}

// The driver with a selection mask and a run code; the mask it leaves in the state.
Act driver(std::uint32_t mask, const char* code = "01") {
  return [=](SuiteRun& r) {
    r.state.selection_mask = mask;
    r.run_record.run_code[0] = code[0];
    r.run_record.run_code[1] = code[1];
    r.entry(SuiteSlot::Function1);
    r.recorder.log("selection mask after the run: " + std::to_string(r.state.selection_mask));
  };
}

// The IEEE suite on a host found in decimal-conversion mode `saved`, by `then`, and the
// mode word it leaves. Each pass's checks pass only in the mode they expect.
Act ieeeconvFrom(std::int32_t saved, Act then) {
  return [=](SuiteRun& r) {
    zqhostSetDecimalConversionMode(r.host, saved);
    then(r);
    r.recorder.log("mode word after the run: " +
                   std::to_string(zqhostGetDecimalConversionMode(r.host)));
  };
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t k32 = std::int64_t{1} << 32;

std::vector<GoldenCase> everyCase() {
  using enum SuiteSlot;
  std::vector<GoldenCase> cases;
  for (const SuiteSlot slot : {Sanity1, Sanity2, Function1, Perf, IEEEConv}) {
    for (std::int32_t c = ZQHOST_CORRUPT_NONE; c <= ZQHOST_CORRUPT_DATE; ++c) {
      cases.push_back({std::string(kSuiteNames[static_cast<int>(slot)]) + "." + kClassNames[c],
                       [=] { return suiteRun(slot, c, false); }, c == ZQHOST_CORRUPT_NONE});
    }
  }
  // Only the conformance suites read the verbose flag; their traces hold every raw result.
  cases.push_back({"function1.clean.verbose", [] { return suiteRun(Function1, 0, true); }, true});

  const auto add = [&](const char* name, std::vector<ScenarioRun> runs) {
    cases.push_back({name, [=] { return scenario(runs); }});
  };
  constexpr ZqhostFault kCreate = ZQHOST_FAULT_LOCALE_CREATE;
  add("sanity1.faults",
      {{"zqnlsLocaleCreate fails at its 2nd call", failing(kCreate, 2, entry(Sanity1))},
       {"zqnlsLocaleCreate fails at its 25th call (ja_JP)", failing(kCreate, 25, entry(Sanity1))},
       {"zqnlsLocaleCreate fails at its 32nd call (the first datetime parse)",
        failing(kCreate, 32, entry(Sanity1))},
       {"zqnlsLocaleCreate fails at its 109th call (the first IntFast format)",
        failing(kCreate, 109, entry(Sanity1))},
       {"zqnlsLocaleCreate fails at its 181st call (the third time parse)",
        failing(kCreate, 181, entry(Sanity1))},
       {"zqnlsLocaleDestroy fails at its 10th call",
        failing(ZQHOST_FAULT_LOCALE_DESTROY, 10, entry(Sanity1))}});
  add("sanity2.faults",
      {{"zqnlsLocaleCreate fails at its 234th call (the integer section's third locale): the "
        "suite ends",
        failing(kCreate, 234, entry(Sanity2))},
       {"zqnlsLocaleCreate fails at its 252nd call (the grouping section's third locale): only "
        "its vector fails",
        failing(kCreate, 252, entry(Sanity2))},
       {"zqnlsLocaleCreate fails at its 324th call (the double section's second locale): the "
        "suite ends",
        failing(kCreate, 324, entry(Sanity2))}});
  add("sanity1.scripted",
      {scripted("every format writes 150 x's and reports 2^32 + 6 units; every parser reads 6",
                {.decimal = false, .text = std::u32string(150, U'x'), .length = k32 + 6,
                 .value = 6},
                entry(Sanity1)),
       scripted("every integer parser reads 0x100000007 in 3 units",
                {.value = 0x100000007u, .used = 3}, entry(Sanity1))});
  add("sanity2.scripted",
      {scripted("every integer parser reads 0x10000007B (123 in its low half) in 6 units",
                {.value = 0x10000007Bu, .used = 6}, entry(Sanity2)),
       scripted("every double parser answers ZQ_NLS_INVALID_VALUE and a missing value",
                {.real = [](const ScriptedCall&) { return kNaN; },
                 .parse_status = zq::ZQ_NLS_INVALID_VALUE},
                entry(Sanity2)),
       scripted("the grouped doubles read 123456.0015 in cs_CZ and 123456.0009 elsewhere, an "
                "empty text a missing value",
                {.used = 7,
                 .real =
                     [](const ScriptedCall& call) {
                       if (call.text.empty()) return kNaN;
                       return call.locale == U"cs_CZ" ? 123456.0015 : 123456.0009;
                     }},
                entry(Sanity2))});
  add("buftodblTest1.scripted",
      {scripted("en_US and zh_CN read 1235, the other locales 1236",
                {.used = 3,
                 .real =
                     [](const ScriptedCall& call) {
                       return call.locale == U"en_US" || call.locale == U"zh_CN" ? 1235.0 : 1236.0;
                     }},
                conformance(buftodblTest1)),
       scripted("en_US reads a missing value, the other locales 1234",
                {.real = [](const ScriptedCall& call) { return call.locale == U"en_US" ? kNaN : 1234.0; }},
                conformance(buftodblTest1))});
  add("dateTest1.scripted",
      {{"every date reads as 17 September 2002 in 9 units",
        [](SuiteRun& r) {
          r.scripted_host->locale.zqnlsLocaleBufferToDate =
              [](zq::LocaleHandle*, const zq::ZQChar*, std::int64_t, std::int32_t,
                 std::int32_t* month, std::int32_t* day, std::int32_t* year,
                 std::int64_t* used) {
                *month = 9;
                *day = 17;
                *year = 2002;
                *used = 9;
                return zq::ZQ_OK;
              };
          r.conformance(dateTest1);
        },
        true}});
  add("integerTest4.scripted",
      {scripted("every format fills its buffer with X's and reports 1000 units; the text parsed "
                "back is the buffer's",
                {.decimal = false, .text = std::u32string(80, U'X'), .length = 1000},
                [](SuiteRun& r) {
                  r.conformance(integerTest4);
                  r.recorder.log("call 45 parsed " +
                                 zq::testing::lineText(r.scripted_host->calls.at(44).text));
                }),
       scripted("every format writes 000246 and reports 2^32 + 6 units; every parser 2^32 + 4",
                {.decimal = false, .text = U"000246", .length = k32 + 6, .used = k32 + 4},
                conformance(integerTest4))});
  // A suite stops with its report when the kernel or its NLS handle is missing.
  static zq::KernelHandle without_nls{};
  std::vector<ScenarioRun> missing;
  for (const SuiteSlot slot : {Sanity1, Sanity2, Function1, Perf, IEEEConv}) {
    const std::string name = kSuiteNames[static_cast<int>(slot)];
    missing.push_back({name + " without a kernel", [=](SuiteRun& r) { r.entry(slot, nullptr); }});
    if (slot == Function1) continue;  // the driver needs no NLS of its own
    missing.push_back({name + " without NLS", [=](SuiteRun& r) { r.entry(slot, &without_nls); }});
  }
  const std::pair<const char*, zq::ConformanceSuiteFn> kConformance[] = {
      {"dateTest1", dateTest1},       {"integerTest1", integerTest1},
      {"integerTest2", integerTest2}, {"integerTest3", integerTest3},
      {"integerTest4", integerTest4}, {"doubleTest1", doubleTest1},
      {"doubleTest2", doubleTest2},   {"doubleTest3", doubleTest3},
      {"doubleTest4", doubleTest4},   {"buftodblTest1", buftodblTest1}};
  for (const auto& named : kConformance) {
    const zq::ConformanceSuiteFn suite = named.second;
    missing.push_back({std::string(named.first) + " without NLS",
                       [=](SuiteRun& r) { r.conformance(suite, &without_nls); }});
  }
  add("entries.missing_handles", missing);
  // Each pass creates 18 locales: the 22nd creation is pass 2's fourth.
  add("ieeeconv.modes",
      {{"found in mode 7, which is not STDIEEE", ieeeconvFrom(7, entry(IEEEConv))},
       {"found in STDIEEE, pass 2's fourth locale cannot be created",
        ieeeconvFrom(0, failing(kCreate, 22, entry(IEEEConv)))},
       {"found in mode 1, pass 2's fourth locale cannot be created",
        ieeeconvFrom(1, failing(kCreate, 22, entry(IEEEConv)))},
       {"no-verify, every text wrong, found in mode 7: nothing compared, the word untouched",
        ieeeconvFrom(7,
                     [](SuiteRun& r) {
                       r.state.no_verify = 1;
                       zqhostCorruptResults(r.host, ZQHOST_CORRUPT_TEXT);
                       r.entry(IEEEConv);
                     })},
       {"no chain to the mode word: the host stays in STDIEEE",
        [](SuiteRun& r) {
          zq::ConversionRecord* chain = r.host->conversion;
          r.host->conversion = nullptr;
          r.entry(IEEEConv);
          r.host->conversion = chain;
        }}});
  add("function1.masks",
      {{"mask 6: the date and integer suites", driver(6)},
       {"mask 8 (no suite) and run code A7", driver(8, "A7")},
       {"mask 4, integerTest1's second locale (zh_CN) cannot be created",
        failing(kCreate, 2, driver(4))}});
  add("perf.selectors",
      {{"encoding 60 and fr_FR", perf(0, 60, "fr_FR")},
       {"no selector", perf(0, 0, "")},
       {"routine 9, which names none", perf(9, 0, "")},
       {"routine 1 and ar_SY", perf(1, 0, "ar_SY")},
       {"routine 5 and he_IL at the default iterations", perf(5, 0, "he_IL", 0)}});
  add("perf.faults",
      {{"GetTimes fails at its 1st call", failing(ZQHOST_FAULT_GET_TIMES, 1, perf(5, 0, "en_US"))},
       {"GetTimes fails at its 2nd call", failing(ZQHOST_FAULT_GET_TIMES, 2, perf(1, 28, "en_US"))},
       {"zqnlsSMCreate fails", failing(ZQHOST_FAULT_SM_CREATE, 1, perf(2, 60, "fr_FR"))},
       {"zqnlsSMDestroy fails", failing(ZQHOST_FAULT_SM_DESTROY, 1, perf(1, 60, "fr_FR"))},
       {"zqnlsLocaleCreate fails", failing(kCreate, 1, perf(1, 138, "ja_JP"))},
       {"zqnlsGetEncodingProperties fails: the case goes on without the encoding's name",
        failing(ZQHOST_FAULT_GET_ENCODING_PROPERTIES, 1, perf(5, 0, "zh_CN"))},
       {"the listing file cannot be opened",
        failing(ZQHOST_FAULT_LOAD_EXTENSION, 1, perf(5, 0, ""))},
       {"the journal cannot be created", failing(ZQHOST_FAULT_CREATE_JOURNAL, 1, perf(5, 0, ""))}});
  return cases;
}

bool gzipped(const fs::path& path, const std::string& text) {
  gzFile file = gzopen(path.c_str(), "wb9");
  if (file == nullptr) return false;
  const int written = gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
  return gzclose(file) == Z_OK && written == static_cast<int>(text.size());
}

class GoldenListing : public ::testing::TestWithParam<GoldenCase> {};

// The golden listings are kept gzip-compressed (`zcat` shows one): together they are
// ten times the size of the rest of the tree. zlib writes no time or name into the
// header, so an unchanged listing compresses to the same bytes.
TEST_P(GoldenListing, MatchesTheReviewedListing) {
  const GoldenCase& c = GetParam();
  const GoldenRun run = c.run();
  ASSERT_TRUE(!c.clean || run.failures == 0) << "the clean run fails checks:\n" << run.listing;

  const fs::path golden = fs::path(ZQ_TEST_SOURCE_DIR) / "tests/golden" / (c.name + ".txt.gz");
  const std::optional<std::string> reviewed = zq::testing::gunzipped(golden);
  const char* write = std::getenv("ZQ_GOLDEN_WRITE");
  if (write != nullptr && std::string(write) == "1") {
    // A listing becomes a baseline only when the clean run of every suite passes every
    // check against the suite's own tables.
    static const bool clean_runs_pass = [] {
      for (const GoldenCase& other : everyCase()) {
        if (other.clean && other.run().failures != 0) return false;
      }
      return true;
    }();
    ASSERT_TRUE(clean_runs_pass) << "a clean run fails checks";
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

INSTANTIATE_TEST_SUITE_P(EverySuiteAndScenario, GoldenListing,
                         ::testing::ValuesIn(everyCase()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

}  // namespace
