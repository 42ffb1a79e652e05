// The harness's check services: the TestServices table and the counts behind it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "zq/harness.h"

namespace zq::harness {

// The services that count checks, in the order the report lists them.
enum class CheckKind : int { Handle = 0, Status, Int, Buffer, Uint64, Int64 };
inline constexpr std::size_t kCheckKindCount = 6;

// "handle", "status", "int", "buffer", "uint64" or "int64".
const char* checkKindName(CheckKind kind);

// What the harness keeps of one failed check. Texts are UTF-8 with invisible
// characters spelled out (render.h).
struct CheckFailure {
  CheckKind kind = CheckKind::Handle;
  std::string expression;  // the check's expression; for a buffer, the actual's text
  std::string expected_expression;  // a buffer's expected text; empty for other kinds
  std::string source;
  std::int64_t line = 0;
  std::string expected;  // statuses as 0x%08X, buffers as their text over the compared length
  std::string actual;
  std::string note;  // why a buffer check failed without a full comparison, or ""
  std::string step;  // the last NoteStep text before the check
  std::vector<std::string> messages_before;  // severity-3 messages since the previous check
  std::vector<std::string> messages_after;   // severity-3 messages until the next check
};

// The counts of one suite run.
struct SuiteTally {
  std::array<std::int64_t, kCheckKindCount> checks{};  // by CheckKind
  std::array<std::int64_t, kCheckKindCount> failed{};
  std::vector<CheckFailure> failures;  // details of the first failures, in order

  std::int64_t totalChecks() const;
  std::int64_t totalFailed() const;
  std::int64_t totalPassed() const { return totalChecks() - totalFailed(); }
};

// The run state the services reach through their context word. Details are kept
// for the first `kept_failure_limit` failures of each suite; all are counted.
struct CheckRecorder {
  explicit CheckRecorder(std::size_t kept_failure_limit) : kept_failure_limit(kept_failure_limit) {}

  std::size_t kept_failure_limit;
  SuiteTally tally;
  std::string step;                        // last NoteStep text
  std::vector<std::string> pending_errors;  // severity-3 messages since the last check
  bool collecting_after = false;           // the last check failed and its details are kept
};

// The context word that makes the services record into `recorder`.
Word contextFor(CheckRecorder& recorder);

// Starts a suite: clears the counts and the message history.
void beginSuite(CheckRecorder& recorder);

// The 27-word services table; every operation finds its recorder through ctx.
TestServices makeTestServices(std::uint8_t step_flag = 0);

// A CheckBuffer comparison larger than this many bytes is refused as implausible:
// no suite buffer comes near it, and a runaway length must not walk through memory.
inline constexpr std::int64_t kMaxBufferCheckBytes = std::int64_t{1} << 20;

}  // namespace zq::harness
