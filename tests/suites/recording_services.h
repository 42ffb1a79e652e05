// A TestServices table that records every call, for driving suites inside a test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zq/harness.h"

namespace zq::testing {

struct RecordedCheck {
  std::string kind;        // "handle", "status", "int", "int64", "uint64", "buffer"
  std::u32string expression;
  std::u32string file;
  std::int64_t line = 0;
  bool passed = false;
  std::int64_t expected = 0;  // status, int, int64 and uint64 checks
  std::int64_t actual = 0;
  std::size_t steps_before = 0;  // steps noted before this check
};

struct RecordedMessage {
  std::u32string text;
  std::int64_t severity = 0;
};

// What a suite did through the services, in order. One recorder is active at a time.
struct Recorder {
  std::vector<std::u32string> begun;
  std::vector<std::u32string> steps;
  std::vector<RecordedCheck> checks;
  std::vector<RecordedMessage> messages;

  std::size_t failures() const {
    std::size_t n = 0;
    for (const RecordedCheck& c : checks) n += c.passed ? 0 : 1;
    return n;
  }
  bool hasMessage(const std::u32string& text) const {
    for (const RecordedMessage& m : messages) {
      if (m.text == text) return true;
    }
    return false;
  }
};

inline Recorder*& activeRecorder() {
  static Recorder* recorder = nullptr;
  return recorder;
}

inline std::u32string textOf(const ZQChar* p) {
  std::u32string s;
  if (p == nullptr) return s;
  while (*p != 0) s += static_cast<char32_t>(*p++);
  return s;
}

inline void recordCheck(const char* kind, bool passed, const ZQChar* expression,
                        const ZQChar* file, std::int64_t line, std::int64_t expected,
                        std::int64_t actual) {
  Recorder* recorder = activeRecorder();
  recorder->checks.push_back({kind, textOf(expression), textOf(file), line, passed, expected,
                              actual, recorder->steps.size()});
}

// Builds a services table wired to `recorder`; keep the recorder alive while used.
inline TestServices recordingServices(Recorder& recorder) {
  activeRecorder() = &recorder;
  TestServices s{};
  s.BeginTest = [](const ZQChar* name, Word, Word) {
    activeRecorder()->begun.push_back(textOf(name));
  };
  s.NoteStep = [](const ZQChar* text, Word, Word) {
    activeRecorder()->steps.push_back(textOf(text));
  };
  s.CheckHandle = [](const void* p, const ZQChar* e, const ZQChar* f, std::int64_t l, Word,
                     Word) -> std::int64_t {
    recordCheck("handle", p != nullptr, e, f, l, 0, 0);
    return p == nullptr ? 1 : 0;
  };
  s.CheckStatus = [](Status x, Status a, const ZQChar* e, const ZQChar* f, std::int64_t l, Word,
                     Word) -> std::int64_t {
    recordCheck("status", x == a, e, f, l, x, a);
    return x == a ? 1 : 0;
  };
  s.CheckInt = [](std::int32_t x, std::int32_t a, const ZQChar* e, const ZQChar* f,
                  std::int64_t l, Word, Word) -> std::int64_t {
    recordCheck("int", x == a, e, f, l, x, a);
    return x == a ? 1 : 0;
  };
  s.CheckBuffer = [](const ZQChar* a, const ZQChar* x, std::int64_t bytes, const ZQChar* at,
                     const ZQChar*, const ZQChar* f, std::int64_t l, Word,
                     Word) -> std::int64_t {
    bool same = true;
    for (std::int64_t i = 0; i < bytes / 4; ++i) same = same && a[i] == x[i];
    recordCheck("buffer", same, at, f, l, 0, 0);
    return same ? 1 : 0;
  };
  s.CheckUint64 = [](std::uint64_t x, std::uint64_t a, const ZQChar* e, const ZQChar* f,
                     std::int64_t l, Word, Word) -> std::int64_t {
    recordCheck("uint64", x == a, e, f, l, static_cast<std::int64_t>(x),
                static_cast<std::int64_t>(a));
    return x == a ? 1 : 0;
  };
  s.CheckInt64 = [](std::int64_t x, std::int64_t a, const ZQChar* e, const ZQChar* f,
                    std::int64_t l, Word, Word) -> std::int64_t {
    recordCheck("int64", x == a, e, f, l, x, a);
    return x == a ? 1 : 0;
  };
  s.ReportMessage = [](const ZQChar* text, std::int64_t severity, Word) {
    activeRecorder()->messages.push_back({textOf(text), severity});
  };
  return s;
}

}  // namespace zq::testing
