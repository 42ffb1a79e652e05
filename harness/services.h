// The harness's check services: the TestServices table and the counts behind it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "harness/check_context.h"
#include "harness/results.h"
#include "zq/harness.h"
#include "zq/host.h"

namespace zq::harness {

// The run state the services reach through their context word. Details are kept
// for the first `kept_failure_limit` failures of each suite; all are counted.
struct CheckRecorder {
  explicit CheckRecorder(std::size_t kept_failure_limit) : kept_failure_limit(kept_failure_limit) {}

  std::size_t kept_failure_limit;
  std::string suite;  // the suite running, as the command line names it
  SuiteTally tally;
  CheckContext context;                     // step, locale, journal lines around checks
  std::vector<std::string> pending_errors;  // severity-3 messages since the last check
  bool collecting_after = false;           // the last check failed and its details are kept
  std::function<void(const CheckRecorder&)> on_locale;  // a locale handle was created

  // The row of the last source seen, and when the last check was made.
  const ZQChar* area_source = nullptr;
  std::string area;
  std::chrono::steady_clock::time_point last_check = std::chrono::steady_clock::now();
};

// The context word that makes the services record into `recorder`.
Word contextFor(CheckRecorder& recorder);

// Starts a suite: clears the counts and the message and step history.
void beginSuite(CheckRecorder& recorder, const std::string& suite = "");

// The host observer that keeps the recorder's locale and journal context.
ZqhostObserver observerFor(CheckRecorder& recorder);

// The 27-word services table; every operation finds its recorder through ctx.
TestServices makeTestServices(std::uint8_t step_flag = 0);

// A CheckBuffer comparison larger than this many bytes is refused as implausible:
// no suite buffer comes near it, and a runaway length must not walk through memory.
inline constexpr std::int64_t kMaxBufferCheckBytes = std::int64_t{1} << 20;

}  // namespace zq::harness
