// A TestServices table that records every call, for driving suites inside a test.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/kernel.h"
#include "tests/support/test_support.h"
#include "zq/harness.h"
#include "zq/host_objects.h"

namespace zq::testing {

// What a suite did through the services. One recorder is active at a time.
struct Recorder {
  std::size_t failures = 0;     // failed checks
  bool reported_error = false;  // a message of SEVERITY_ERROR came
  // Every call as a line, in order, for comparing whole runs: "begin", "step", "message
  // SEVERITY", each failed check with its values; a run of passed checks is one line,
  // "pass N", written when the next line comes. Check lines leave out the source line,
  // so that moving a check within its file changes nothing.
  std::string transcript;
  std::int64_t passes_untold = 0;

  void log(const std::string& line) {
    if (passes_untold > 0) transcript.append("pass ").append(std::to_string(passes_untold)) += '\n';
    passes_untold = 0;
    transcript.append(line) += '\n';
  }
};

inline Recorder*& activeRecorder() {
  static Recorder* recorder = nullptr;
  return recorder;
}

// A text on one transcript line: UTF-8, with a newline written "\n", a zero unit "\0"
// and a backslash "\\".
inline std::string lineText(const std::u32string& text) {
  std::string out;
  for (const char c : host::toUtf8(units(text), lengthOf(text))) {
    if (c == '\n' || c == '\0' || c == '\\') out += '\\';
    out += c == '\n' ? 'n' : c == '\0' ? '0' : c;
  }
  return out;
}

// A compared buffer on a transcript line: its text, or its bytes in hex when they are not
// whole units of text.
inline std::string bufferText(const ZQChar* buffer, std::size_t bytes) {
  const auto scalar = [](ZQChar c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); };
  if (bytes % 4 == 0 && std::all_of(buffer, buffer + bytes / 4, scalar)) {
    std::string text = "\"";
    text.append(lineText(std::u32string(buffer, buffer + bytes / 4))) += '"';
    return text;
  }
  std::string out = "bytes";
  for (std::size_t i = 0; i < bytes; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, " %02X", reinterpret_cast<const unsigned char*>(buffer)[i]);
    out += byte;
  }
  return out;
}

// The values of a failed check of a number: `describe` for the transcript.
template <class Value>
auto expectedActual(Value expected, Value actual) {
  return [=] {
    return "expected " + std::to_string(expected) + ", actual " + std::to_string(actual);
  };
}

// Records a check, with the values `describe` gives for the transcript when it fails;
// returns the service's result for a check that passes when `passed`.
template <class Describe>
std::int64_t recordCheck(const char* kind, bool passed, const ZQChar* expression,
                         const ZQChar* file, Describe describe) {
  Recorder* recorder = activeRecorder();
  if (passed) {
    ++recorder->passes_untold;
    return 1;
  }
  ++recorder->failures;
  std::string line = "FAIL ";
  line.append(kind).append(" check ").append(lineText(textOf(expression)));
  line.append(" (").append(lineText(textOf(file))).append("): ").append(describe());
  recorder->log(line);
  return 0;
}

// Builds a services table wired to `recorder`; keep the recorder alive while used.
inline TestServices recordingServices(Recorder& recorder) {
  activeRecorder() = &recorder;
  TestServices s{};
  s.BeginTest = [](const ZQChar* name, Word, Word) {
    activeRecorder()->log("begin " + lineText(textOf(name)));
  };
  s.NoteStep = [](const ZQChar* text, Word, Word) {
    activeRecorder()->log("step " + lineText(textOf(text)));
  };
  // CheckHandle is the one service whose non-zero result means failure.
  s.CheckHandle = [](const void* p, const ZQChar* e, const ZQChar* f, std::int64_t, Word,
                     Word) -> std::int64_t {
    return 1 - recordCheck("handle", p != nullptr, e, f, [] { return "null"; });
  };
  s.CheckStatus = [](Status x, Status a, const ZQChar* e, const ZQChar* f, std::int64_t, Word,
                     Word) {
    return recordCheck("status", x == a, e, f, [=] {
      char values[48];
      std::snprintf(values, sizeof values, "expected 0x%08X, actual 0x%08X",
                    static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(a));
      return std::string(values);
    });
  };
  s.CheckInt = [](std::int32_t x, std::int32_t a, const ZQChar* e, const ZQChar* f,
                  std::int64_t, Word, Word) {
    return recordCheck("int", x == a, e, f, expectedActual(x, a));
  };
  // The byte count need not be a whole number of units.
  s.CheckBuffer = [](const ZQChar* a, const ZQChar* x, std::int64_t bytes, const ZQChar* at,
                     const ZQChar* xt, const ZQChar* f, std::int64_t, Word, Word) {
    const auto n = static_cast<std::size_t>(std::max<std::int64_t>(bytes, 0));
    return recordCheck("buffer", bytes >= 0 && std::memcmp(a, x, n) == 0, at, f, [=] {
      return "against " + lineText(textOf(xt)) + ", " + std::to_string(bytes) +
             " bytes: actual " + bufferText(a, n) + ", expected " + bufferText(x, n);
    });
  };
  s.CheckUint64 = [](std::uint64_t x, std::uint64_t a, const ZQChar* e, const ZQChar* f,
                     std::int64_t, Word, Word) {
    return recordCheck("uint64", x == a, e, f, expectedActual(x, a));
  };
  s.CheckInt64 = [](std::int64_t x, std::int64_t a, const ZQChar* e, const ZQChar* f,
                    std::int64_t, Word, Word) {
    return recordCheck("int64", x == a, e, f, expectedActual(x, a));
  };
  s.ReportMessage = [](const ZQChar* text, std::int64_t severity, Word) {
    activeRecorder()->reported_error |= severity == SEVERITY_ERROR;
    activeRecorder()->log("message " + std::to_string(severity) + " " + lineText(textOf(text)));
  };
  return s;
}

}  // namespace zq::testing
