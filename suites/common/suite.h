// What every suite shares: ZQChar literals, the harness check idioms and journal lines.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

#include "suites/common/operations.h"
#include "zq/harness.h"
#include "zq/host_objects.h"
#include "zq/types.h"
#include "zq/zqvnle.h"

namespace zq::suite {

static_assert(sizeof(char32_t) == sizeof(ZQChar));

// A U"..." literal as the host's text type.
inline const ZQChar* zt(const char32_t* text) { return reinterpret_cast<const ZQChar*>(text); }
inline ZQChar* zt(char32_t* text) { return reinterpret_cast<ZQChar*>(text); }

// Length of a zero-terminated U"..." literal, in ZQChar units.
constexpr std::int64_t zlen(const char32_t* text) {
  return static_cast<std::int64_t>(std::char_traits<char32_t>::length(text));
}

// The harness as a suite reaches it: its services, the context word handed back to
// every one of them, the source name that names the suite in every check, and the
// journal the suite writes to.
struct Harness {
  TestServices* services;
  Word ctx;
  const char32_t* source;  // for example U"zqtest/src/zqvnle2"
  Journal* journal;        // may be null where a suite writes no journal
};

inline Word stepFlag(const Harness& f) { return f.services->step_flag; }

inline void beginTest(const Harness& f, const char32_t* suite_name) {
  f.services->BeginTest(zt(suite_name), f.ctx, stepFlag(f));
}
inline void noteStep(const Harness& f, const char32_t* text) {
  f.services->NoteStep(zt(text), f.ctx, stepFlag(f));
}
inline void noteStep(const Harness& f, const ZQChar* text) {
  f.services->NoteStep(text, f.ctx, stepFlag(f));
}
inline void report(const Harness& f, const char32_t* message, std::int64_t severity) {
  f.services->ReportMessage(zt(message), severity, f.ctx);
}
inline void report(const Harness& f, const ZQChar* message, std::int64_t severity) {
  f.services->ReportMessage(message, severity, f.ctx);
}

// The checks return true when the check passed; each carries the caller's line.
// CheckHandle is the one service whose non-zero result means failure.
inline bool checkHandle(const Harness& f, const void* pointer, const char32_t* expression,
                        std::int64_t line = __builtin_LINE()) {
  return f.services->CheckHandle(pointer, zt(expression), zt(f.source), line, f.ctx, 0) == 0;
}
inline bool checkStatus(const Harness& f, Status expected, Status actual,
                        const char32_t* expression,
                        std::int64_t line = __builtin_LINE()) {
  return f.services->CheckStatus(expected, actual, zt(expression), zt(f.source), line, f.ctx,
                                 0) != 0;
}
inline bool checkInt(const Harness& f, std::int32_t expected, std::int32_t actual,
                     const char32_t* expression,
                     std::int64_t line = __builtin_LINE()) {
  return f.services->CheckInt(expected, actual, zt(expression), zt(f.source), line, f.ctx,
                              0) != 0;
}
inline bool checkInt64(const Harness& f, std::int64_t expected, std::int64_t actual,
                       const char32_t* expression,
                       std::int64_t line = __builtin_LINE()) {
  return f.services->CheckInt64(expected, actual, zt(expression), zt(f.source), line, f.ctx,
                                0) != 0;
}
inline bool checkUint64(const Harness& f, std::uint64_t expected, std::uint64_t actual,
                        const char32_t* expression,
                        std::int64_t line = __builtin_LINE()) {
  return f.services->CheckUint64(expected, actual, zt(expression), zt(f.source), line, f.ctx,
                                 0) != 0;
}
// Compares `units` ZQChars; the harness receives the count in bytes.
inline bool checkBuffer(const Harness& f, const ZQChar* actual, const ZQChar* expected,
                        std::int64_t units, const char32_t* actual_text,
                        const char32_t* expected_text,
                        std::int64_t line = __builtin_LINE()) {
  return f.services->CheckBuffer(actual, expected, units * 4, zt(actual_text), zt(expected_text),
                                 zt(f.source), line, f.ctx, 0) != 0;
}

// Journal arguments travel as 64-bit words: integers of any width are widened to
// 64 bits, floating values to double, texts stay pointers.
template <class T>
auto journalArgument(T value) {
  if constexpr (std::is_floating_point_v<T>) {
    return static_cast<double>(value);
  } else if constexpr (std::is_enum_v<T>) {
    return static_cast<std::int64_t>(value);
  } else if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T> && sizeof(T) == 8) {
    return static_cast<std::uint64_t>(value);
  } else if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T>) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(value));
  } else if constexpr (std::is_integral_v<T>) {
    return static_cast<std::int64_t>(value);
  } else if constexpr (std::is_same_v<T, const char32_t*> || std::is_same_v<T, char32_t*>) {
    return reinterpret_cast<const ZQChar*>(value);
  } else {
    static_assert(std::is_pointer_v<T>, "journal arguments are numbers or texts");
    return value;
  }
}

// One journal line through zqlMessageToJnl, with the format's exact length.
template <class... Args>
void journalLine(const Harness& f, std::int64_t level, const char32_t* format, Args... args) {
  if (f.journal == nullptr) return;
  zqlMessageToJnl(f.journal, level, zt(format), zlen(format), journalArgument(args)...);
}

// A status rendered by the journal, ready for a "%*s" pair.
template <int Capacity>
struct StatusText {
  ZQChar text[Capacity + 1] = {};
  std::int64_t length = 0;
};

template <int Capacity>
StatusText<Capacity> statusText(const Harness& f, Status status) {
  StatusText<Capacity> out;
  if (f.journal != nullptr) {
    zqlStatusToBuf(f.journal, static_cast<std::int64_t>(status), out.text, Capacity, &out.length);
  }
  if (out.length < 0) out.length = 0;
  if (out.length > Capacity) out.length = Capacity;
  return out;
}

// Clamps a length reported by the operation under test to the buffer the suite owns,
// so a comparison never reads past it; the length check still reports the mismatch.
inline std::int64_t clampUnits(std::int64_t length, std::int64_t capacity) {
  if (length < 0) return 0;
  return length < capacity ? length : capacity;
}

// Narrows a 64-bit count for a 32-bit check. A count outside the 32-bit range saturates
// instead of wrapping, so it can never pass for a small expected count.
constexpr std::int32_t checkedInt32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

// The kernel handle and its NLS service, or null.
inline KernelHandle* kernelHandle() { return Exported_ZQHandle; }
inline NlsHandle* nlsHandle(KernelHandle* kernel) {
  return kernel != nullptr ? kernel->nls : nullptr;
}

}  // namespace zq::suite
