// The host objects as operation tables: every slot the extension uses, at its word number.
//
// A host object is a pointer to 64-bit words; word n holds operation n (or data).
// Every operation takes the object itself as its first argument. The structs below
// spell each table out once; the host fills them and the extension calls through
// them, so the two sides cannot disagree. Slots nobody uses are `Reserved` words.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "zq/types.h"

namespace zq {

using Word = std::uint64_t;
using Reserved = void*;

struct KernelHandle;
struct NlsHandle;
struct LocaleHandle;
struct MemoryPool;
struct Journal;
struct FileHandle;
struct StringManager;
struct TimingService;

// ---------------------------------------------------------------------------
// Records the extension builds for the host.

// Pool parameters handed to CreatePool: three zero words.
struct PoolParms {
  Word words[3];
};
static_assert(sizeof(PoolParms) == 24);

// Parameters of the "zqfileio" extension: which listing file to open.
struct fioparms {
  const ZQChar* name;        // file name, not terminated
  std::int64_t name_length;  // in ZQChar units
  std::int32_t param1;       // 1
  std::int32_t reserved20;
  std::int64_t size;  // 1024
  std::int32_t reserved32;
  std::int32_t param2;  // 20
};
static_assert(sizeof(fioparms) == 40);
static_assert(offsetof(fioparms, name) == 0);
static_assert(offsetof(fioparms, name_length) == 8);
static_assert(offsetof(fioparms, param1) == 16);
static_assert(offsetof(fioparms, size) == 24);
static_assert(offsetof(fioparms, param2) == 36);

// Passed to LoadExtension.
struct ExtensionRequest {
  const ZQChar* name;  // "zqfileio"
  std::int64_t name_length;
  void* parms;  // fioparms for "zqfileio"
  Word reserved24;
  Word reserved32;
};
static_assert(sizeof(ExtensionRequest) == 40);
static_assert(offsetof(ExtensionRequest, name) == 0);
static_assert(offsetof(ExtensionRequest, name_length) == 8);
static_assert(offsetof(ExtensionRequest, parms) == 16);

// Passed to CreateJournal.
struct jnlparms {
  FileHandle* file;
  Word reserved8;
  std::uint32_t flags;  // 0x40000001
  std::uint32_t reserved20;
  Word reserved24;
  Word reserved32[7];
};
static_assert(sizeof(jnlparms) == 88);
static_assert(offsetof(jnlparms, file) == 0);
static_assert(offsetof(jnlparms, flags) == 16);
static_assert(offsetof(jnlparms, reserved24) == 24);

// Extended options of zqnlsLocaleDoubleFormatWithExOpts.
struct ExOpts {
  std::uint32_t flags;  // bit 0: print missing_char for a missing value
  ZQChar missing_char;
};
static_assert(sizeof(ExOpts) == 8);
static_assert(offsetof(ExOpts, missing_char) == 4);
constexpr std::uint32_t EXOPTS_PRINT_MISSING_CHAR = 0x1;

// Encoding properties returned by zqnlsGetEncodingProperties.
struct EncodingProperties {
  const ZQChar* name;  // zero-terminated
  std::int64_t number;
  Word reserved[6];
};
static_assert(sizeof(EncodingProperties) == 64);

// One time value of the timing service; a difference carries whole milliseconds
// in its second half.
struct TimeValue {
  std::int64_t seconds;
  std::int32_t milliseconds;
  std::int32_t reserved;
};
static_assert(sizeof(TimeValue) == 16);
static_assert(offsetof(TimeValue, milliseconds) == 8);

// Filled by GetTimes: elapsed, user CPU, system CPU.
struct TimingRecord {
  TimeValue elapsed;
  TimeValue user;
  TimeValue system;
};
static_assert(sizeof(TimingRecord) == 48);

// ---------------------------------------------------------------------------
// Operation signatures.

// Kernel
using LoadExtensionFn = FileHandle* (*)(KernelHandle*, const ExtensionRequest*, Word, Word);
using CreateJournalFn = Journal* (*)(KernelHandle*, const jnlparms*, Word, const char* name);
using CreatePoolFn = MemoryPool* (*)(KernelHandle*, const PoolParms*, Word, const char* name);
using GetServiceFn = void* (*)(KernelHandle*, const ZQChar* name, std::int64_t length, Word);

// Memory pool
using DestroyPoolFn = std::int64_t (*)(MemoryPool*);
using AllocateMemoryFn = void* (*)(MemoryPool*, std::uint64_t size, std::uint64_t flags);

// Journal. The message operations take the caller's variable arguments as a
// pointer to a va_list; integers travel as 64-bit words, texts as ZQChar pointers.
using DestroyJournalFn = std::int64_t (*)(Journal*);
using FlushJournalFn = std::int64_t (*)(Journal*);
// MessageToBuf: buffer, capacity, out-length, format, format length.
using MessageToBufFn = std::int64_t (*)(Journal*, Word, Word, Word, Word, Word, std::va_list*);
using MessageToJnlFn = std::int64_t (*)(Journal*, std::int64_t level, const ZQChar* format,
                                        std::int64_t format_length, std::va_list*);
using StatusToBufFn = std::int64_t (*)(Journal*, std::int64_t status, ZQChar* buffer,
                                       std::int64_t capacity, std::int64_t* out_length,
                                       std::va_list*);
// StatusToJnl: level, status.
using StatusToJnlFn = std::int64_t (*)(Journal*, Word, Word, std::va_list*);
using OpenJournalFn = std::int64_t (*)(Journal*, std::uint32_t mode, void*, FileHandle*, Word,
                                       Word, std::uint32_t flags, std::uint32_t, Word);
// GetLocale: the five words are passed through unchanged by the extension. The host
// reads them as a ZQChar buffer, its capacity in units and an int64_t* out-length (the
// last two are unused), writes the journal's locale name ("en_US") and returns 0, or
// ZQ_NLS_FMT_TRUNCATE when the name did not fit.
using GetLocaleFn = std::int64_t (*)(Journal*, Word, Word, Word, Word, Word);

// File handle of "zqfileio"
using DestroyFileFn = std::int64_t (*)(FileHandle*);

// NLS service
using GetEncodingPropertiesFn = Status (*)(NlsHandle*, std::int32_t encoding,
                                           EncodingProperties* out);
using CaseMapCharFn = ZQChar (*)(NlsHandle*, ZQChar code_point, std::int64_t count);
using LocaleCreateFn = LocaleHandle* (*)(NlsHandle*, const ZQChar* name, std::int64_t length);
using SMCreateFn = Status (*)(NlsHandle*, std::int32_t encoding, Word, StringManager** out);
using ClassifyCharFn = std::int32_t (*)(NlsHandle*, ZQChar code_point, std::uint32_t mask);

// String manager
using SMDestroyFn = Status (*)(StringManager*);
using StringFromDoubleFn = Status (*)(StringManager*, LocaleHandle*, std::int32_t width,
                                      std::int32_t precision, std::int32_t options, char* out,
                                      std::int64_t capacity, std::int64_t* out_length,
                                      double value);
using StringToDoubleFn = Status (*)(StringManager*, LocaleHandle*, const char* text,
                                    std::int64_t length, std::int32_t options, double* value,
                                    std::int64_t* used);

// Timing service "zqperf"
using DestroyServiceFn = std::int64_t (*)(TimingService*);
using GetTimesFn = Status (*)(TimingService*, TimingRecord* out);
using DiffTimesFn = Status (*)(TimingService*, const TimeValue* later, const TimeValue* earlier,
                               TimeValue* out);

// Locale
using LocaleDestroyFn = Status (*)(LocaleHandle*);
using DateFormatFn = Status (*)(LocaleHandle*, std::int32_t month, std::int32_t day,
                                std::int32_t year, std::int32_t style, ZQChar* buffer,
                                std::int64_t capacity, std::int64_t* out_length);
using TimeFormatFn = Status (*)(LocaleHandle*, double seconds, std::int32_t style,
                                ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length);
using DoubleFormatFn = Status (*)(LocaleHandle*, double value, std::int32_t width,
                                  std::int32_t precision, std::int32_t options, ZQChar* buffer,
                                  std::int64_t capacity, std::int64_t* out_length);
using IntfastFormatFn = Status (*)(LocaleHandle*, std::int32_t value, std::int32_t width,
                                   std::int32_t precision, std::int32_t options, ZQChar* buffer,
                                   std::int64_t capacity, std::int64_t* out_length);
using IntmaxFormatFn = Status (*)(LocaleHandle*, std::int64_t value, std::int32_t width,
                                  std::int32_t precision, std::int32_t options, ZQChar* buffer,
                                  std::int64_t capacity, std::int64_t* out_length);
using UintfastFormatFn = Status (*)(LocaleHandle*, std::uint32_t value, std::int32_t width,
                                    std::int32_t precision, std::int32_t options, ZQChar* buffer,
                                    std::int64_t capacity, std::int64_t* out_length);
using UintmaxFormatFn = Status (*)(LocaleHandle*, std::uint64_t value, std::int32_t width,
                                   std::int32_t precision, std::int32_t options, ZQChar* buffer,
                                   std::int64_t capacity, std::int64_t* out_length);
using PointerFormatFn = Status (*)(LocaleHandle*, std::uint64_t pointer, std::int32_t width,
                                   std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                                   std::int64_t* out_length);
using BufferToDatetimeFn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                      std::int32_t options, double* datetime,
                                      std::int64_t* out_length);
using BufferToDateFn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                  std::int32_t options, std::int32_t* month, std::int32_t* day,
                                  std::int32_t* year, std::int64_t* out_length);
using BufferToTimeFn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                  std::int32_t options, double* seconds,
                                  std::int64_t* out_length);
using BufferToDoubleFn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                    double* value, std::int64_t* out_length);
using BufferToInt32Fn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                   std::int32_t options, std::int32_t* value,
                                   std::int64_t* out_length);
using BufferToInt64Fn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                   std::int32_t options, std::int64_t* value,
                                   std::int64_t* out_length);
using BufferToUint32Fn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                    std::int32_t options, std::uint32_t* value,
                                    std::int64_t* out_length);
using BufferToUint64Fn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                    std::int32_t options, std::uint64_t* value,
                                    std::int64_t* out_length);
using DatetimeFormatFn = Status (*)(LocaleHandle*, double datetime, std::int32_t options,
                                    ZQChar* buffer, std::int64_t capacity,
                                    std::int64_t* out_length);
using DoubleFormatExOptsFn = Status (*)(LocaleHandle*, double value, std::int32_t width,
                                        std::int32_t precision, std::int32_t options,
                                        ZQChar* buffer, std::int64_t capacity,
                                        std::int64_t* out_length, const ExOpts* ex_opts);
using BufferToDoubleOptsFn = Status (*)(LocaleHandle*, const ZQChar* text, std::int64_t length,
                                        std::int32_t options, double* value,
                                        std::int64_t* out_length);

// ---------------------------------------------------------------------------
// Object tables.

// The options block at the end of kernel word 41's chain; mode non-zero means
// COMPATIBLE decimal conversion, zero means STDIEEE.
struct ConversionOptions {
  std::int32_t reserved0;
  std::int32_t decimal_conversion_mode;
};
static_assert(offsetof(ConversionOptions, decimal_conversion_mode) == 4);

struct ConversionRecord {
  Reserved reserved0;
  ConversionOptions* options;  // word 1
};
static_assert(offsetof(ConversionRecord, options) == 8);

constexpr std::int32_t DECIMALCONV_STDIEEE = 0;
constexpr std::int32_t DECIMALCONV_COMPATIBLE = 1;

struct KernelHandle {
  Reserved reserved0[4];
  LoadExtensionFn LoadExtension;  // 4
  CreateJournalFn CreateJournal;  // 5
  CreatePoolFn CreatePool;        // 6
  Reserved reserved7[2];
  GetServiceFn GetService;  // 9
  Reserved reserved10[17];
  NlsHandle* nls;  // 27: null when the kernel has no NLS service
  Reserved reserved28[13];
  ConversionRecord* conversion;  // 41: chain to the decimal-conversion mode word
};
static_assert(offsetof(KernelHandle, LoadExtension) == 4 * 8);
static_assert(offsetof(KernelHandle, CreateJournal) == 5 * 8);
static_assert(offsetof(KernelHandle, CreatePool) == 6 * 8);
static_assert(offsetof(KernelHandle, GetService) == 9 * 8);
static_assert(offsetof(KernelHandle, nls) == 27 * 8);
static_assert(offsetof(KernelHandle, conversion) == 41 * 8);

struct MemoryPool {
  Reserved reserved0[2];
  DestroyPoolFn DestroyPool;        // 2
  AllocateMemoryFn AllocateMemory;  // 3
};
static_assert(offsetof(MemoryPool, DestroyPool) == 2 * 8);
static_assert(offsetof(MemoryPool, AllocateMemory) == 3 * 8);

struct Journal {
  Reserved reserved0[2];
  DestroyJournalFn Destroy;      // 2
  FlushJournalFn FlushJournal;   // 3
  MessageToBufFn MessageToBuf;   // 4
  MessageToJnlFn MessageToJnl;   // 5
  StatusToBufFn StatusToBuf;     // 6
  StatusToJnlFn StatusToJnl;     // 7
  Reserved reserved8[3];
  OpenJournalFn OpenJournal;  // 11
  GetLocaleFn GetLocale;      // 12
};
static_assert(offsetof(Journal, Destroy) == 2 * 8);
static_assert(offsetof(Journal, FlushJournal) == 3 * 8);
static_assert(offsetof(Journal, MessageToBuf) == 4 * 8);
static_assert(offsetof(Journal, MessageToJnl) == 5 * 8);
static_assert(offsetof(Journal, StatusToBuf) == 6 * 8);
static_assert(offsetof(Journal, StatusToJnl) == 7 * 8);
static_assert(offsetof(Journal, OpenJournal) == 11 * 8);
static_assert(offsetof(Journal, GetLocale) == 12 * 8);

struct FileHandle {
  Reserved reserved0[2];
  DestroyFileFn Destroy;  // 2
};
static_assert(offsetof(FileHandle, Destroy) == 2 * 8);

struct TimingService {
  Reserved reserved0[2];
  DestroyServiceFn Destroy;  // 2
  GetTimesFn GetTimes;       // 3
  DiffTimesFn DiffTimes;     // 4
};
static_assert(offsetof(TimingService, GetTimes) == 3 * 8);
static_assert(offsetof(TimingService, DiffTimes) == 4 * 8);

struct NlsHandle {
  Reserved reserved0[5];
  KernelHandle* kernel;  // 5
  Reserved reserved6[7];
  GetEncodingPropertiesFn zqnlsGetEncodingProperties;  // 13
  Reserved reserved14[17];
  CaseMapCharFn UpcaseChar;            // 31
  CaseMapCharFn DowncaseChar;          // 32
  LocaleCreateFn zqnlsLocaleCreate;    // 33
  Reserved reserved34[45];
  SMCreateFn zqnlsSMCreate;  // 79
  Reserved reserved80[56];
  ClassifyCharFn ClassifyChar;  // 136
  Reserved reserved137[42];
  void* character_database;  // 179: "zqnlsudb", cached on first use
};
static_assert(offsetof(NlsHandle, kernel) == 5 * 8);
static_assert(offsetof(NlsHandle, zqnlsGetEncodingProperties) == 13 * 8);
static_assert(offsetof(NlsHandle, UpcaseChar) == 31 * 8);
static_assert(offsetof(NlsHandle, DowncaseChar) == 32 * 8);
static_assert(offsetof(NlsHandle, zqnlsLocaleCreate) == 33 * 8);
static_assert(offsetof(NlsHandle, zqnlsSMCreate) == 79 * 8);
static_assert(offsetof(NlsHandle, ClassifyChar) == 136 * 8);
static_assert(offsetof(NlsHandle, character_database) == 179 * 8);

struct StringManager {
  Reserved reserved0[2];
  SMDestroyFn zqnlsSMDestroy;  // 2
  Reserved reserved3[26];
  StringFromDoubleFn zqnlsStringFromDouble;  // 29
  Reserved reserved30;
  StringToDoubleFn zqnlsStringToDouble;  // 31
};
static_assert(offsetof(StringManager, zqnlsSMDestroy) == 2 * 8);
static_assert(offsetof(StringManager, zqnlsStringFromDouble) == 29 * 8);
static_assert(offsetof(StringManager, zqnlsStringToDouble) == 31 * 8);

struct LocaleHandle {
  Reserved reserved0[2];
  LocaleDestroyFn zqnlsLocaleDestroy;  // 2
  Reserved reserved3[34];
  DateFormatFn zqnlsLocaleDateFormat;                  // 37
  TimeFormatFn zqnlsLocaleTimeFormat;                  // 38
  DoubleFormatFn zqnlsLocaleDoubleFormat;              // 39
  IntfastFormatFn zqnlsLocaleIntfastFormat;            // 40
  IntmaxFormatFn zqnlsLocaleIntmaxFormat;              // 41
  UintfastFormatFn zqnlsLocaleUintfastFormat;          // 42
  UintmaxFormatFn zqnlsLocaleUintmaxFormat;            // 43
  PointerFormatFn zqnlsLocalePointerFormat;            // 44
  DoubleFormatFn zqnlsLocaleCurrencyFormat;            // 45
  DoubleFormatFn zqnlsLocalePercentFormat;             // 46
  BufferToDatetimeFn zqnlsLocaleBufferToDatetime;      // 47
  BufferToDateFn zqnlsLocaleBufferToDate;              // 48
  BufferToTimeFn zqnlsLocaleBufferToTime;              // 49
  BufferToDoubleFn zqnlsLocaleBufferToDouble;          // 50
  BufferToInt32Fn zqnlsLocaleBufferToIntfast;          // 51
  BufferToInt64Fn zqnlsLocaleBufferToIntmax;           // 52
  BufferToUint32Fn zqnlsLocaleBufferToUintfast;        // 53
  BufferToUint64Fn zqnlsLocaleBufferToUintmax;         // 54
  Reserved reserved55[4];
  DatetimeFormatFn zqnlsLocaleDatetimeFormat;  // 59
  Reserved reserved60[4];
  BufferToInt32Fn zqnlsLocaleBufferToInt;    // 64
  BufferToUint32Fn zqnlsLocaleBufferToUInt;  // 65
  Reserved reserved66[2];
  BufferToInt64Fn zqnlsLocaleBufferToLong;    // 68
  BufferToUint64Fn zqnlsLocaleBufferToULong;  // 69
  DoubleFormatExOptsFn zqnlsLocaleDoubleFormatWithExOpts;  // 70
  Reserved reserved71[20];
  BufferToDoubleOptsFn zqnlsLocaleBufferToDoubleWithOpts;  // 91
};
static_assert(offsetof(LocaleHandle, zqnlsLocaleDestroy) == 2 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleDateFormat) == 37 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleTimeFormat) == 38 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleDoubleFormat) == 39 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleIntfastFormat) == 40 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleIntmaxFormat) == 41 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleUintfastFormat) == 42 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleUintmaxFormat) == 43 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocalePointerFormat) == 44 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleCurrencyFormat) == 45 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocalePercentFormat) == 46 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToDatetime) == 47 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToDate) == 48 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToTime) == 49 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToDouble) == 50 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToIntfast) == 51 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToIntmax) == 52 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToUintfast) == 53 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToUintmax) == 54 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleDatetimeFormat) == 59 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToInt) == 64 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToUInt) == 65 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToLong) == 68 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToULong) == 69 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleDoubleFormatWithExOpts) == 70 * 8);
static_assert(offsetof(LocaleHandle, zqnlsLocaleBufferToDoubleWithOpts) == 91 * 8);

}  // namespace zq
