// One suite run in-process, as zqtest makes it: recording services, a harness journal of
// the stand-in host, and the stand-in host or a scripted one as the kernel; and the
// transcript of what the run wrote.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "host/journal.h"
#include "host/kernel.h"
#include "recording_services.h"
#include "scripted_host.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace zq::testing {

// A gzip-compressed file's text (zlib reads a file that is not compressed as it is).
inline std::optional<std::string> gunzipped(const std::filesystem::path& path) {
  gzFile file = gzopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string text;
  char chunk[1 << 16];
  for (int n; (n = gzread(file, chunk, sizeof chunk)) > 0;) text.append(chunk, n);
  return gzclose(file) == Z_OK ? std::optional(text) : std::nullopt;
}

struct SuiteRun {
  // On the stand-in host, or with `scripted` on a scripted one; the stand-in host keeps
  // the harness journal either way. The host must hold nothing at the end.
  explicit SuiteRun(bool scripted = false)
      : host(static_cast<KernelHandle*>(zqhostCreate())),
        scripted_host(scripted ? std::make_unique<ScriptedHost>() : nullptr) {
    zqhostSetOutputDir(host, out_dir.path().c_str());
    jnlparms parms{};
    journal = host->CreateJournal(host, &parms, 0, "zqtest");
  }
  ~SuiteRun() {
    journal->Destroy(journal);
    EXPECT_EQ(zqhostLiveObjects(host), 0);
    EXPECT_EQ(zqhostDestroy(host), 0);
  }
  SuiteRun(const SuiteRun&) = delete;
  SuiteRun& operator=(const SuiteRun&) = delete;

  KernelHandle* kernel() { return scripted_host ? scripted_host->handle() : host; }

  // A suite entry with the arguments zqtest passes it: the harness journal to the sanity
  // suites as their fourth, to the IEEE suite as its fifth; the run record to the driver
  // and the perf suite. `other` (null: none) stands for the kernel when given.
  void entry(SuiteSlot slot, std::optional<KernelHandle*> other = std::nullopt) {
    using enum SuiteSlot;
    constexpr SuiteEntryFn kEntries[] = {zqvnleSanity1, zqvnleSanity2, zqvnleFunction1,
                                         zqvnlePerf, zqvnleIEEEConv};
    const bool sanity = slot == Sanity1 || slot == Sanity2;
    void* fourth = sanity ? static_cast<void*>(journal) : slot == IEEEConv ? nullptr : &run_record;
    Exported_ZQHandle = other.value_or(kernel());
    TestServices services = recordingServices(recorder);
    result = kEntries[static_cast<int>(slot)](&services, 0, &state, fourth,
                                              slot == IEEEConv ? journal : nullptr);
    Exported_ZQHandle = nullptr;
    recorder.log("returned " + std::to_string(result));
    journal_passed = journal_passed || sanity || slot == IEEEConv;
    if (slot == Function1) {
      const std::string name = "nlf1" + std::string(run_record.run_code, run_record.run_code + 2);
      listings += "== " + name + ".lst\n" + gunzipped(out_dir / (name + ".lst")).value_or("");
    }
    if (slot == Perf) {
      // The perf result lines' timing columns (user and system CPU and elapsed
      // milliseconds, twelve digits each) differ from run to run: their digits become '#'.
      static const std::regex kTimings("^(zqnls.*? )\\d{12}( +)\\d{12}( +)\\d{12} ",
                                       std::regex::multiline);
      listings += "== zqvnlp.lst, routine " + std::to_string(state.perf_routine) + "\n" +
                  std::regex_replace(gunzipped(out_dir / "zqvnlp.lst").value_or(""), kTimings,
                                     "$1############$2############$3############ ");
    }
  }
  // A conformance suite, which is handed the journal and the kernel.
  void conformance(ConformanceSuiteFn suite, KernelHandle* other = nullptr) {
    TestServices services = recordingServices(recorder);
    result = suite(&services, 0, &state, journal, other != nullptr ? other : kernel());
    recorder.log("returned " + std::to_string(result));
    journal_passed = true;
  }

  // What the suites told the harness, then each listing they wrote.
  std::string transcript() const {
    std::string text = "== harness services\n" + recorder.transcript + listings;
    if (!journal_passed) return text;
    const std::u32string lines = host::journalText(journal);
    return text + "== harness journal\n" + host::toUtf8(units(lines), lengthOf(lines));
  }

  ScratchFolder out_dir;
  KernelHandle* host;
  std::unique_ptr<ScriptedHost> scripted_host;
  Journal* journal = nullptr;
  Recorder recorder;
  SuiteState state{};
  RunRecord run_record{{}, 0, {U'0', U'1'}, 0};
  std::int64_t result = -1;
  bool journal_passed = false;
  std::string listings;
};

}  // namespace zq::testing
