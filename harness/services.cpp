// The check services: each call is counted for the running suite, and a failure
// keeps its expression, place, values and the error messages around it.
#include "harness/services.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <utility>

#include "harness/catalog.h"
#include "harness/render.h"

namespace zq::harness {
namespace {

// Message lists around one failure stay short; a suite that reports without
// checking must not grow them without end.
constexpr std::size_t kMaxKeptMessages = 16;

CheckRecorder& recorderOf(Word ctx) { return *reinterpret_cast<CheckRecorder*>(ctx); }

std::u32string unitsOf(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// The row a check's source belongs to; suites pass the same literal with every check.
const std::string& areaFor(CheckRecorder& r, const ZQChar* file) {
  if (file != r.area_source || r.area.empty()) {
    r.area_source = file;
    r.area = areaOf(r.suite, visibleTerminated(file, 512));
  }
  return r.area;
}

// Counts the check at its place, with the time since the previous check.
CheckPlace countAtPlace(CheckRecorder& r, const ZQChar* file, bool passed) {
  CheckPlace place{areaFor(r, file), r.context.locale(), r.context.family()};
  SuiteTally& t = r.tally;
  if (t.areas.empty() || t.areas.back() != place.area) {
    if (std::find(t.areas.begin(), t.areas.end(), place.area) == t.areas.end()) {
      t.areas.push_back(place.area);
    }
  }
  const auto now = std::chrono::steady_clock::now();
  CellCounts& cell = t.cells[place];
  ++cell.checks;
  if (!passed) ++cell.failed;
  cell.seconds += std::chrono::duration<double>(now - r.last_check).count();
  r.last_check = now;
  return place;
}

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
  CheckPlace place = countAtPlace(r, file, passed);
  std::vector<std::u32string> journal_before = r.context.takeJournalLines();
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
  failure.place = std::move(place);
  failure.source = visibleTerminated(file);
  failure.line = line;
  failure.step = r.context.step();
  describe(failure);
  if (failure.expected_units.empty()) failure.expected_units = unitsOf(failure.expected);
  if (failure.actual_units.empty()) failure.actual_units = unitsOf(failure.actual);
  failure.messages_before = std::move(r.pending_errors);
  failure.journal_before = std::move(journal_before);
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

void beginTest(const ZQChar*, Word ctx, Word) { recorderOf(ctx).context.noteStep(""); }

void noteStep(const ZQChar* text, Word ctx, Word) {
  recorderOf(ctx).context.noteStep(visibleTerminated(text, 512));
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
    f.actual_units.assign(actual, actual + units);
    f.expected_units.assign(expected, expected + units);
    if (first_difference != kNone) {
      f.note = "first difference at unit " + std::to_string(first_difference);
    }
  });
  return same ? 1 : 0;
}

}  // namespace

Word contextFor(CheckRecorder& recorder) { return reinterpret_cast<Word>(&recorder); }

void beginSuite(CheckRecorder& recorder, const std::string& suite) {
  recorder.suite = suite;
  recorder.tally = SuiteTally{};
  recorder.context.reset();
  recorder.pending_errors.clear();
  recorder.collecting_after = false;
  recorder.area_source = nullptr;
  recorder.area.clear();
  recorder.last_check = std::chrono::steady_clock::now();
}

ZqhostObserver observerFor(CheckRecorder& recorder) {
  ZqhostObserver observer{};
  observer.context = &recorder;
  observer.locale_created = [](void* context, const void* handle, const std::uint32_t* name,
                               std::int64_t length) {
    auto& r = *static_cast<CheckRecorder*>(context);
    r.context.localeCreated(handle, visibleUnits(name, static_cast<std::size_t>(length)));
    if (handle != nullptr && r.on_locale) r.on_locale(r);
  };
  observer.locale_destroyed = [](void* context, const void* handle) {
    static_cast<CheckRecorder*>(context)->context.localeDestroyed(handle);
  };
  observer.journal_text = [](void* context, std::int64_t, const std::uint32_t* text,
                             std::int64_t length) {
    auto& r = *static_cast<CheckRecorder*>(context);
    r.context.journalText(text, length);
    if (!r.collecting_after || r.tally.failures.empty()) return;
    std::vector<std::u32string>& after = r.tally.failures.back().journal_after;
    for (const std::u32string& line : r.context.lastLines()) {
      if (after.size() < CheckContext::kMaxLines) after.push_back(line);
    }
  };
  return observer;
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
