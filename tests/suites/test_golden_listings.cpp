// The whole of what the suites write (what they tell the harness and the listings they
// write through the host) against the reviewed listings in tests/golden/: every suite
// entry on the stand-in host, clean and under each class of wrong result; and scenarios
// of the answers no wrong result gives: host failures at chosen calls, the perf suite's
// selectors, and a scripted host's lengths past 32 bits, values in a word's low half
// and values that differ from locale to locale.
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
          run.recorder.failures()};
}

// A run of a scenario: what it shows, whether on a scripted host, and what it does to
// the host and the state before it calls its suite, and the call.
struct ScenarioRun {
  const char* title;
  bool scripted;
  std::function<void(SuiteRun&)> act;
};

GoldenRun scenario(const std::vector<ScenarioRun>& runs) {
  GoldenRun all;
  for (const ScenarioRun& step : runs) {
    SuiteRun run(step.scripted);
    step.act(run);
    all.listing += std::string("# ") + step.title + "\n" + run.transcript();
    all.failures += run.recorder.failures();
  }
  return all;
}

// `point` armed to fail its `call`-th call, then the suite entry.
std::function<void(SuiteRun&)> failing(ZqhostFault point, int call, SuiteSlot slot) {
  return [=](SuiteRun& r) {
    zqhostInjectFault(r.host, point, call);
    r.entry(slot);
  };
}

// The call of zqnlsLocaleCreate that makes the `nth` locale of sanity2's section whose
// step begins with `section`, counted in a clean run, where each creation is checked.
int creationInSanity2Section(std::u32string_view section, int nth) {
  SuiteRun clean;
  clean.entry(SuiteSlot::Sanity2);
  const auto& steps = clean.recorder.steps;
  std::size_t at = 0;
  while (at < steps.size() && !steps[at].starts_with(section)) ++at;
  for (const zq::testing::RecordedCheck& c : clean.recorder.checks) {
    if (c.expression == U"currentLocale" && c.steps_before <= at) ++nth;
  }
  return nth;
}

// The perf suite with its selectors, `iterations` a case, and `point` armed to fail at its
// `call`-th call (none when 0).
std::function<void(SuiteRun&)> perf(std::int32_t routine, std::int32_t encoding,
                                     const char* locale,
                                     ZqhostFault point = ZQHOST_FAULT_CREATE_POOL, int call = 0,
                                     std::int32_t iterations = 3) {
  return [=](SuiteRun& r) {
    r.state.perf_routine = routine;
    r.state.perf_encoding = encoding;
    r.state.perf_iterations = iterations;
    r.state.perf_locale_given = *locale != 0 ? 1 : 0;
    for (int i = 0; locale[i] != 0 && i < 5; ++i) r.state.perf_locale[i] = locale[i];
    zqhostInjectFault(r.host, point, call);
    r.entry(SuiteSlot::Perf);
  };
}

// The driver with a selection mask and a run code; the mask it leaves in the state.
std::function<void(SuiteRun&)> driver(std::uint32_t mask, const char* code = "01") {
  return [=](SuiteRun& r) {
    r.state.selection_mask = mask;
    r.run_record.run_code[0] = code[0];
    r.run_record.run_code[1] = code[1];
    r.entry(SuiteSlot::Function1);
    r.recorder.log("selection mask after the run: " + std::to_string(r.state.selection_mask));
  };
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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
      {{"zqnlsLocaleCreate fails at its 2nd call", false, failing(kCreate, 2, Sanity1)},
       {"zqnlsLocaleCreate fails at its 25th call (ja_JP)", false, failing(kCreate, 25, Sanity1)},
       {"zqnlsLocaleCreate fails at its 32nd call (the first datetime parse)", false,
        failing(kCreate, 32, Sanity1)},
       {"zqnlsLocaleCreate fails at its 109th call (the first IntFast format)", false,
        failing(kCreate, 109, Sanity1)},
       {"zqnlsLocaleCreate fails at its 181st call (the third time parse)", false,
        failing(kCreate, 181, Sanity1)},
       {"zqnlsLocaleDestroy fails at its 10th call", false,
        failing(ZQHOST_FAULT_LOCALE_DESTROY, 10, Sanity1)}});
  add("sanity2.faults",
      {{"the integer section's third locale cannot be created: the suite ends", false,
        [](SuiteRun& r) {
          failing(kCreate, creationInSanity2Section(U"LOCALEBUFFERTO Intfast", 3), Sanity2)(r);
        }},
       {"the grouping section's third locale cannot be created: only its vector fails", false,
        [](SuiteRun& r) {
          failing(kCreate, creationInSanity2Section(U"SPACEGROUPING", 3), Sanity2)(r);
        }},
       {"the double section's second locale cannot be created: the suite ends", false,
        [](SuiteRun& r) {
          failing(kCreate, creationInSanity2Section(U"LOCALEBUFFERTODouble", 2), Sanity2)(r);
        }}});
  add("sanity1.scripted",
      {{"every format writes 150 x's and reports 2^32 + 6 units; every parser reads 6", true,
        [](SuiteRun& r) {
          auto& script = r.scripted_host->script;
          script.decimal = false;
          script.text = std::u32string(150, U'x');
          script.length = (std::int64_t{1} << 32) + 6;
          script.value = 6;
          r.entry(Sanity1);
        }},
       {"every integer parser reads 0x100000007 in 3 units", true,
        [](SuiteRun& r) {
          r.scripted_host->script.value = 0x100000007u;
          r.scripted_host->script.used = 3;
          r.entry(Sanity1);
        }}});
  add("sanity2.scripted",
      {{"every integer parser reads 0x10000007B (123 in its low half) in 6 units", true,
        [](SuiteRun& r) {
          r.scripted_host->script.value = 0x10000007Bu;
          r.scripted_host->script.used = 6;
          r.entry(Sanity2);
        }},
       {"every double parser answers ZQ_NLS_INVALID_VALUE and a missing value", true,
        [](SuiteRun& r) {
          r.scripted_host->script.parse_status = zq::ZQ_NLS_INVALID_VALUE;
          r.scripted_host->script.real = [](const ScriptedCall&) { return kNaN; };
          r.entry(Sanity2);
        }},
       {"the grouped doubles read 123456.0015 in cs_CZ and 123456.0009 elsewhere, an empty "
        "text a missing value",
        true,
        [](SuiteRun& r) {
          r.scripted_host->script.used = 7;
          r.scripted_host->script.real = [](const ScriptedCall& call) {
            if (call.text.empty()) return kNaN;
            return call.locale == U"cs_CZ" ? 123456.0015 : 123456.0009;
          };
          r.entry(Sanity2);
        }}});
  add("buftodblTest1.scripted",
      {{"en_US and zh_CN read 1235, the other locales 1236", true,
        [](SuiteRun& r) {
          r.scripted_host->script.used = 3;
          r.scripted_host->script.real = [](const ScriptedCall& call) {
            return call.locale == U"en_US" || call.locale == U"zh_CN" ? 1235.0 : 1236.0;
          };
          r.conformance(buftodblTest1);
        }},
       {"en_US reads a missing value, the other locales 1234", true,
        [](SuiteRun& r) {
          r.scripted_host->script.real = [](const ScriptedCall& call) {
            return call.locale == U"en_US" ? kNaN : 1234.0;
          };
          r.conformance(buftodblTest1);
        }},
       {"every text underflows to a missing value", true, [](SuiteRun& r) {
          r.scripted_host->script.parse_status = zq::ZQ_NLS_UNDERFLOW;
          r.scripted_host->script.real = [](const ScriptedCall&) { return kNaN; };
          r.conformance(buftodblTest1);
        }}});
  add("dateTest1.scripted",
      {{"every date reads as 17 September 2002 in 9 units", true, [](SuiteRun& r) {
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
        }}});
  add("integerTest4.scripted",
      {{"every format fills its buffer with X's and reports 1000 units", true,
        [](SuiteRun& r) {
          r.scripted_host->script.decimal = false;
          r.scripted_host->script.text = std::u32string(80, U'X');
          r.scripted_host->script.length = 1000;
          r.conformance(integerTest4);
        }},
       {"every format writes 000246 and reports 2^32 + 6 units; every parser 2^32 + 4", true,
        [](SuiteRun& r) {
          auto& script = r.scripted_host->script;
          script.decimal = false;
          script.text = U"000246";
          script.length = (std::int64_t{1} << 32) + 6;
          script.used = (std::int64_t{1} << 32) + 4;
          r.conformance(integerTest4);
        }}});
  add("function1.masks",
      {{"mask 6: the date and integer suites", false, driver(6)},
       {"mask 8 (no suite) and run code A7", false, driver(8, "A7")},
       {"mask 4, integerTest1's second locale (zh_CN) cannot be created", false,
        [](SuiteRun& r) {
          zqhostInjectFault(r.host, kCreate, 2);
          driver(4)(r);
        }}});
  add("perf.selectors",
      {{"encoding 60 and fr_FR", false, perf(0, 60, "fr_FR")},
       {"no selector", false, perf(0, 0, "")},
       {"routine 9, which names none", false, perf(9, 0, "")},
       {"routine 1 and ar_SY", false, perf(1, 0, "ar_SY")},
       {"routine 5 and he_IL at the default iterations", false,
        perf(5, 0, "he_IL", ZQHOST_FAULT_CREATE_POOL, 0, 0)}});
  add("perf.faults",
      {{"GetTimes fails at its 1st call", false, perf(5, 0, "en_US", ZQHOST_FAULT_GET_TIMES, 1)},
       {"GetTimes fails at its 2nd call", false, perf(1, 28, "en_US", ZQHOST_FAULT_GET_TIMES, 2)},
       {"zqnlsSMCreate fails", false, perf(2, 60, "fr_FR", ZQHOST_FAULT_SM_CREATE, 1)},
       {"zqnlsSMDestroy fails", false, perf(1, 60, "fr_FR", ZQHOST_FAULT_SM_DESTROY, 1)},
       {"zqnlsLocaleCreate fails", false, perf(1, 138, "ja_JP", kCreate, 1)},
       {"zqnlsGetEncodingProperties fails: the case goes on without the encoding's name", false,
        perf(5, 0, "zh_CN", ZQHOST_FAULT_GET_ENCODING_PROPERTIES, 1)},
       {"the listing file cannot be opened", false,
        perf(5, 0, "", ZQHOST_FAULT_LOAD_EXTENSION, 1)},
       {"the journal cannot be created", false,
        perf(5, 0, "", ZQHOST_FAULT_CREATE_JOURNAL, 1)}});
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
