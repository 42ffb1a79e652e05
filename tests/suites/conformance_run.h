// One conformance suite run on the scripted locale, with recording services and journal.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "recording_services.h"
#include "scripted_host.h"
#include "zq/zqvnle.h"

namespace zq::testing {

struct ScriptedRun {
  ScriptedHost host;
  RecordingJournal journal;
  Recorder recorder;
  zq::SuiteState state{};

  void run(zq::ConformanceSuiteFn suite) {
    zq::TestServices services = recordingServices(recorder);
    ASSERT_EQ(suite(&services, 9, &state, journal.handle(), host.handle()), 0);
  }
  bool has(std::int64_t level, const std::u32string& text) const {
    return journal.has(level, text);
  }
  // Messages that begin with `head`.
  std::size_t messages(const std::u32string& head) const {
    return static_cast<std::size_t>(std::count_if(
        recorder.messages.begin(), recorder.messages.end(),
        [&](const auto& m) { return m.text.starts_with(head); }));
  }
};

}  // namespace zq::testing
