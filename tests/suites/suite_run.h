// One suite driven in-process with recording services and journal, on the scripted host
// or on a stand-in host kernel.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "host/nls/service.h"
#include "recording_services.h"
#include "scripted_host.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace zq::testing {

struct SuiteRun {
  ScriptedHost host;
  RecordingJournal journal;
  Recorder recorder;
  SuiteState state{};
  std::int64_t result = -1;

  // A suite entry of the record, with the journal as both its fourth and its fifth
  // argument (the sanity suites write to the fourth, ieeeconv to the fifth). A null
  // kernel means the scripted host.
  void entry(SuiteEntryFn fn, KernelHandle* kernel = nullptr) {
    zqextent(kernel != nullptr ? kernel : host.handle());
    TestServices services = recordingServices(recorder);
    result = fn(&services, 5, &state, journal.handle(), journal.handle());
    zqextent(nullptr);
  }
  // A conformance suite, which is handed its kernel.
  void conformance(ConformanceSuiteFn suite, KernelHandle* kernel = nullptr) {
    TestServices services = recordingServices(recorder);
    result = suite(&services, 5, &state, journal.handle(),
                   kernel != nullptr ? kernel : host.handle());
  }

  bool has(std::int64_t level, const std::u32string& text) const {
    return journal.has(level, text);
  }
  bool said(const std::u32string& text) const { return recorder.hasMessage(text); }
  // Messages that begin with `head`.
  std::size_t messages(const std::u32string& head) const {
    return static_cast<std::size_t>(
        std::count_if(recorder.messages.begin(), recorder.messages.end(),
                      [&](const auto& m) { return m.text.starts_with(head); }));
  }
  // The checks made under the step `step`.
  std::vector<RecordedCheck> checksAfter(const std::u32string& step) const {
    std::vector<RecordedCheck> out;
    for (const RecordedCheck& c : recorder.checks) {
      if (c.steps_before > 0 && recorder.steps[c.steps_before - 1] == step) out.push_back(c);
    }
    return out;
  }
  // Every journal line, for a failure's explanation.
  std::string explanations() const {
    std::string out;
    for (const auto& line : journal.lines) {
      for (char32_t c : line.text) out += c < 0x80 ? static_cast<char>(c) : '?';
      out += '\n';
    }
    return out;
  }
};

// The stand-in host for one test; the suites must leave no locale handle alive.
struct StandInHost {
  KernelHandle* kernel = static_cast<KernelHandle*>(zqhostCreate());
  ~StandInHost() {
    EXPECT_EQ(host::liveLocaleCount(kernel->nls), 0u);
    EXPECT_EQ(zqhostDestroy(kernel), 0);
  }
};

}  // namespace zq::testing
