// The check services: each call is counted for the running suite, and a failure
// keeps its expression, place, values and the error messages around it.
#include "harness/services.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "harness/render.h"

namespace zq::harness {
namespace {

// Message lists around one failure stay short; a suite that reports without
// checking must not grow them without end.
constexpr std::size_t kMaxKeptMessages = 16;

CheckRecorder& recorderOf(Word ctx) { return *reinterpret_cast<CheckRecorder*>(ctx); }

void keepMessage(std::vector<std::string>& messages, const std::string& text) {
  if (messages.size() == kMaxKeptMessages) messages.erase(messages.begin());
  messages.push_back(text);
}

// Counts one check. A failure whose details are still kept is described by
// `describe` (which fills the kind-specific fields) and takes the pending messages.
template <class Describe>
void recordCheck(CheckRecorder& r, CheckKind kind, bool passed, const ZQChar* file,
                 std::int64_t line, Describe describe) {
  const auto k = static_cast<std::size_t>(kind);
  ++r.tally.checks[k];
  r.collecting_after = false;
  if (passed) {
    r.pending_errors.clear();
    return;
  }
  ++r.tally.failed[k];
  if (r.tally.failures.size() >= r.kept_failure_limit) {
    r.pending_errors.clear();
    return;
  }
  CheckFailure failure;
  failure.kind = kind;
  failure.source = visibleTerminated(file);
  failure.line = line;
  failure.step = r.step;
  describe(failure);
  failure.messages_before = std::move(r.pending_errors);
  r.pending_errors.clear();
  r.tally.failures.push_back(std::move(failure));
  r.collecting_after = true;
}

std::string statusText(Status status) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<std::uint32_t>(status));
  const char* name = statusName(status);
  if (name == nullptr) return hex;
  return std::string(hex) + " (" + name + ")";
}

void beginTest(const ZQChar*, Word ctx, Word) { recorderOf(ctx).step.clear(); }

void noteStep(const ZQChar* text, Word ctx, Word) {
  recorderOf(ctx).step = visibleTerminated(text, 512);
}

void reportMessage(const ZQChar* text, std::int64_t severity, Word ctx) {
  if (severity != SEVERITY_ERROR) return;
  CheckRecorder& r = recorderOf(ctx);
  const std::string message = visibleTerminated(text, 512);
  keepMessage(r.pending_errors, message);
  if (r.collecting_after) keepMessage(r.tally.failures.back().messages_after, message);
}

std::int64_t checkHandle(const void* pointer, const ZQChar* expression, const ZQChar* file,
                         std::int64_t line, Word ctx, Word) {
  recordCheck(recorderOf(ctx), CheckKind::Handle, pointer != nullptr, file, line,
              [&](CheckFailure& f) {
                f.expression = visibleTerminated(expression, 512);
                f.expected = "a handle";
                f.actual = "null";
              });
  return pointer == nullptr ? 1 : 0;
}

std::int64_t checkStatus(Status expected, Status actual, const ZQChar* expression,
                         const ZQChar* file, std::int64_t line, Word ctx, Word) {
  recordCheck(recorderOf(ctx), CheckKind::Status, expected == actual, file, line,
              [&](CheckFailure& f) {
                f.expression = visibleTerminated(expression, 512);
                f.expected = statusText(expected);
                f.actual = statusText(actual);
              });
  return expected == actual ? 1 : 0;
}

// CheckInt, CheckUint64 and CheckInt64: the same comparison at three widths.
template <CheckKind Kind, class Number>
std::int64_t checkNumber(Number expected, Number actual, const ZQChar* expression,
                         const ZQChar* file, std::int64_t line, Word ctx, Word) {
  recordCheck(recorderOf(ctx), Kind, expected == actual, file, line, [&](CheckFailure& f) {
    f.expression = visibleTerminated(expression, 512);
    f.expected = std::to_string(expected);
    f.actual = std::to_string(actual);
  });
  return expected == actual ? 1 : 0;
}

// Compares exactly the bytes it is given: the whole units, then the leading bytes of
// the next unit where the count ends inside one (a suite may compare half a unit). It
// never reads when a pointer is null, the count is negative or the count is implausibly
// large; each of those fails the check.
std::int64_t checkBuffer(const ZQChar* actual, const ZQChar* expected, std::int64_t byte_count,
                         const ZQChar* actual_text, const ZQChar* expected_text,
                         const ZQChar* file, std::int64_t line, Word ctx, Word) {
  std::string refusal;
  if (actual == nullptr || expected == nullptr) refusal = "null buffer";
  if (refusal.empty() && byte_count < 0) {
    refusal = "negative byte count " + std::to_string(byte_count);
  }
  if (refusal.empty() && byte_count > kMaxBufferCheckBytes) {
    refusal = "byte count " + std::to_string(byte_count) + " is too large to compare";
  }
  const bool readable = refusal.empty();
  const std::size_t units = readable ? static_cast<std::size_t>(byte_count / 4) : 0;
  const std::size_t tail_bytes = readable ? static_cast<std::size_t>(byte_count % 4) : 0;
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t first_difference = kNone;
  for (std::size_t i = 0; i < units; ++i) {
    if (actual[i] != expected[i]) {
      first_difference = i;
      break;
    }
  }
  if (first_difference == kNone && tail_bytes > 0 &&
      std::memcmp(actual + units, expected + units, tail_bytes) != 0) {
    first_difference = units;
  }
  const bool same = readable && first_difference == kNone;
  recordCheck(recorderOf(ctx), CheckKind::Buffer, same, file, line, [&](CheckFailure& f) {
    f.expression = visibleTerminated(actual_text, 512);
    f.expected_expression = visibleTerminated(expected_text, 512);
    f.actual = actual == nullptr ? "(null)" : readable ? visibleUnits(actual, units) : "(not read)";
    f.expected =
        expected == nullptr ? "(null)" : readable ? visibleUnits(expected, units) : "(not read)";
    if (!readable) {
      f.note = refusal;
      return;
    }
    if (first_difference != kNone) {
      f.note = "first difference at unit " + std::to_string(first_difference);
    }
  });
  return same ? 1 : 0;
}

}  // namespace

const char* checkKindName(CheckKind kind) {
  switch (kind) {
    case CheckKind::Handle:
      return "handle";
    case CheckKind::Status:
      return "status";
    case CheckKind::Int:
      return "int";
    case CheckKind::Buffer:
      return "buffer";
    case CheckKind::Uint64:
      return "uint64";
    case CheckKind::Int64:
      return "int64";
  }
  return "?";
}

std::int64_t SuiteTally::totalChecks() const {
  std::int64_t total = 0;
  for (std::int64_t n : checks) total += n;
  return total;
}

std::int64_t SuiteTally::totalFailed() const {
  std::int64_t total = 0;
  for (std::int64_t n : failed) total += n;
  return total;
}

Word contextFor(CheckRecorder& recorder) { return reinterpret_cast<Word>(&recorder); }

void beginSuite(CheckRecorder& recorder) {
  recorder.tally = SuiteTally{};
  recorder.step.clear();
  recorder.pending_errors.clear();
  recorder.collecting_after = false;
}

TestServices makeTestServices(std::uint8_t step_flag) {
  TestServices services{};
  services.BeginTest = beginTest;
  services.NoteStep = noteStep;
  services.CheckHandle = checkHandle;
  services.CheckStatus = checkStatus;
  services.CheckInt = checkNumber<CheckKind::Int, std::int32_t>;
  services.CheckBuffer = checkBuffer;
  services.CheckUint64 = checkNumber<CheckKind::Uint64, std::uint64_t>;
  services.CheckInt64 = checkNumber<CheckKind::Int64, std::int64_t>;
  services.ReportMessage = reportMessage;
  services.step_flag = step_flag;
  return services;
}

}  // namespace zq::harness
