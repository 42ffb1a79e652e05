// Records exchanged between the test harness and the extension's suites.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zq/host_objects.h"
#include "zq/types.h"

namespace zq {

// The harness's run state, read by the suites.
struct SuiteState {
  std::uint32_t selection_mask;  // conformance suites to run; 0 means all
  std::uint8_t verbose;
  std::uint8_t no_verify;
  std::uint8_t reserved6[2];
  std::int32_t perf_iterations;     // 0 or less: each case's default
  std::int32_t perf_routine;        // 0: no routine selector
  std::int32_t perf_encoding;       // 0 or less: no encoding selector
  std::int32_t perf_locale_given;   // greater than 0: perf_locale holds a selector
  ZQChar perf_locale[5];
  std::uint8_t reserved44[4];
};
static_assert(sizeof(SuiteState) == 48);
static_assert(offsetof(SuiteState, verbose) == 4);
static_assert(offsetof(SuiteState, no_verify) == 5);
static_assert(offsetof(SuiteState, perf_iterations) == 8);
static_assert(offsetof(SuiteState, perf_routine) == 12);
static_assert(offsetof(SuiteState, perf_encoding) == 16);
static_assert(offsetof(SuiteState, perf_locale_given) == 20);
static_assert(offsetof(SuiteState, perf_locale) == 24);

// The object that carries the two-character run code naming a suite's listing file.
struct RunRecord {
  Word reserved0[2];
  std::uint32_t reserved16;
  ZQChar run_code[2];
  std::uint32_t reserved28;
};
static_assert(sizeof(RunRecord) == 32);
static_assert(offsetof(RunRecord, run_code) == 20);

// Harness services. Unlike host objects, they do not take the table as an argument.
// The check operations return zero when the check failed, except CheckHandle, which
// returns non-zero when the pointer is null.
using BeginTestFn = void (*)(const ZQChar* suite_name, Word ctx, Word step_flag);
using NoteStepFn = void (*)(const ZQChar* step_text, Word ctx, Word step_flag);
using CheckHandleFn = std::int64_t (*)(const void* pointer, const ZQChar* expression,
                                       const ZQChar* file, std::int64_t line, Word ctx, Word);
using CheckStatusFn = std::int64_t (*)(Status expected, Status actual, const ZQChar* expression,
                                       const ZQChar* file, std::int64_t line, Word ctx, Word);
using CheckIntFn = std::int64_t (*)(std::int32_t expected, std::int32_t actual,
                                    const ZQChar* expression, const ZQChar* file,
                                    std::int64_t line, Word ctx, Word);
using CheckBufferFn = std::int64_t (*)(const ZQChar* actual, const ZQChar* expected,
                                       std::int64_t byte_count, const ZQChar* actual_text,
                                       const ZQChar* expected_text, const ZQChar* file,
                                       std::int64_t line, Word ctx, Word);
using CheckUint64Fn = std::int64_t (*)(std::uint64_t expected, std::uint64_t actual,
                                       const ZQChar* expression, const ZQChar* file,
                                       std::int64_t line, Word ctx, Word);
using CheckInt64Fn = std::int64_t (*)(std::int64_t expected, std::int64_t actual,
                                      const ZQChar* expression, const ZQChar* file,
                                      std::int64_t line, Word ctx, Word);
using ReportMessageFn = void (*)(const ZQChar* message, std::int64_t severity, Word ctx);

struct TestServices {
  Reserved reserved0[10];
  BeginTestFn BeginTest;      // 10
  NoteStepFn NoteStep;        // 11
  CheckHandleFn CheckHandle;  // 12
  Reserved reserved13;
  CheckStatusFn CheckStatus;  // 14
  CheckIntFn CheckInt;        // 15
  Reserved reserved16[2];
  CheckBufferFn CheckBuffer;  // 18
  Reserved reserved19[3];
  CheckUint64Fn CheckUint64;  // 22
  CheckInt64Fn CheckInt64;    // 23
  Reserved reserved24;
  ReportMessageFn ReportMessage;  // 25
  std::uint8_t step_flag;         // 26, low byte
  std::uint8_t reserved209[7];
};
static_assert(sizeof(TestServices) == 27 * 8);
static_assert(offsetof(TestServices, BeginTest) == 10 * 8);
static_assert(offsetof(TestServices, NoteStep) == 11 * 8);
static_assert(offsetof(TestServices, CheckHandle) == 12 * 8);
static_assert(offsetof(TestServices, CheckStatus) == 14 * 8);
static_assert(offsetof(TestServices, CheckInt) == 15 * 8);
static_assert(offsetof(TestServices, CheckBuffer) == 18 * 8);
static_assert(offsetof(TestServices, CheckUint64) == 22 * 8);
static_assert(offsetof(TestServices, CheckInt64) == 23 * 8);
static_assert(offsetof(TestServices, ReportMessage) == 25 * 8);
static_assert(offsetof(TestServices, step_flag) == 208);

// A suite entry: services, context, state, then two objects whose use differs by
// suite (a Journal, a RunRecord, or unused).
using SuiteEntryFn = std::int64_t (*)(TestServices*, Word ctx, SuiteState*, void* arg4,
                                      void* arg5);
// A conformance suite, run by the conformance driver.
using ConformanceSuiteFn = std::int64_t (*)(TestServices*, Word ctx, SuiteState*, Journal*,
                                            KernelHandle*);

struct ExtensionRecord;
using VersionFn = std::int64_t (*)(ExtensionRecord*, std::int64_t*, std::int64_t*,
                                   std::int64_t*);
using ExtensionDestroyFn = std::int64_t (*)(ExtensionRecord*);

// What the factory returns; the host reads it by position.
struct ExtensionRecord {
  Word reserved0;
  const ZQChar* name;  // 1: points at name_units
  Word reserved2;
  VersionFn GetReqVersion;  // 3
  VersionFn GetVersion;     // 4
  Word reserved5;
  ExtensionDestroyFn RealDestroy;  // 6
  Word reserved7[2];
  MemoryPool* pool;        // 9
  ZQChar name_units[6];    // 10-12: "zqvnle", not terminated
  SuiteEntryFn suites[5];  // 13-17: Sanity1, Sanity2, Function1, Perf, IEEEConv
};
static_assert(sizeof(ExtensionRecord) == 18 * 8);
static_assert(offsetof(ExtensionRecord, name) == 1 * 8);
static_assert(offsetof(ExtensionRecord, GetReqVersion) == 3 * 8);
static_assert(offsetof(ExtensionRecord, GetVersion) == 4 * 8);
static_assert(offsetof(ExtensionRecord, RealDestroy) == 6 * 8);
static_assert(offsetof(ExtensionRecord, pool) == 9 * 8);
static_assert(offsetof(ExtensionRecord, name_units) == 10 * 8);
static_assert(offsetof(ExtensionRecord, suites) == 13 * 8);

enum class SuiteSlot : int { Sanity1 = 0, Sanity2 = 1, Function1 = 2, Perf = 3, IEEEConv = 4 };

// Entry points the host looks up by name in the loaded library.
using ExtVerFn = std::int64_t (*)(KernelHandle*, std::int64_t* major, std::int64_t* minor);
using ExtEntFn = std::int64_t (*)(KernelHandle*);
using FactoryFn = ExtensionRecord* (*)();

}  // namespace zq
