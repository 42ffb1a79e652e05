// C interface of libzqhost.so, the stand-in host toolkit: creation and configuration.
//
// zqhostCreate returns a KernelHandle* (as void*) with an NLS service; listing files
// go to the current directory until zqhostSetOutputDir says otherwise. Everything
// the extension uses is then reached through the kernel's operation words.
#pragma once

#include <cstdint>

#if defined(ZQHOST_BUILDING)
#define ZQHOST_API __attribute__((visibility("default")))
#else
#define ZQHOST_API
#endif

extern "C" {

ZQHOST_API void* zqhostCreate(void);

// Destroys the kernel and everything it still owns. Objects left alive by callers
// (pools, blocks, locale handles, journals, file handles, timing services) are
// reported on stderr and freed; the count of those other than pools is returned.
ZQHOST_API std::int64_t zqhostDestroy(void* kernel);

// Directory for listing files written through "zqfileio". The text is copied.
ZQHOST_API void zqhostSetOutputDir(void* kernel, const char* directory);

// The decimal-conversion mode word: non-zero COMPATIBLE (1), 0 STDIEEE (the default:
// the double formatting conformance cases keep the "0." that COMPATIBLE drops).
ZQHOST_API void zqhostSetDecimalConversionMode(void* kernel, std::int32_t mode);
ZQHOST_API std::int32_t zqhostGetDecimalConversionMode(void* kernel);

// Live pools and blocks, for leak checks in tests.
ZQHOST_API std::int64_t zqhostLivePools(void* kernel);
ZQHOST_API std::int64_t zqhostLiveBlocks(void* kernel);

// Every object the host has handed out and not yet seen destroyed: pools, blocks,
// locale handles, string managers, journals, file handles and timing services.
ZQHOST_API std::int64_t zqhostLiveObjects(void* kernel);

// Fault injection at the host's points of failure. Arming a point with `after` = N
// makes its N-th call from then on (1 = the next one) fail once: a creation returns
// null (or a failing status), a destroy frees the object and returns a failing
// status, GetTimes returns a failing status. 0 disarms the point; unknown points are
// ignored.
enum ZqhostFault : std::int32_t {
  ZQHOST_FAULT_CREATE_POOL = 1,
  ZQHOST_FAULT_ALLOCATE_MEMORY = 2,
  ZQHOST_FAULT_LOAD_EXTENSION = 3,
  ZQHOST_FAULT_CREATE_JOURNAL = 4,
  ZQHOST_FAULT_LOCALE_CREATE = 5,
  ZQHOST_FAULT_LOCALE_DESTROY = 6,
  ZQHOST_FAULT_GET_SERVICE = 7,
  ZQHOST_FAULT_SM_CREATE = 8,
  ZQHOST_FAULT_SM_DESTROY = 9,
  ZQHOST_FAULT_GET_ENCODING_PROPERTIES = 10,
  ZQHOST_FAULT_GET_TIMES = 11,
};
ZQHOST_API void zqhostInjectFault(void* kernel, std::int32_t fault, std::int32_t after);

// What a harness may watch to say where each check ran. Every callback may be null;
// each is called on the thread of the host call that causes it, before that call
// returns. Texts are ZQChar units (code points), not terminated.
struct ZqhostObserver {
  void* context;
  // zqnlsLocaleCreate was asked for `name`; `handle` is its result (null: it failed).
  void (*locale_created)(void* context, const void* handle, const std::uint32_t* name,
                         std::int64_t length);
  // zqnlsLocaleDestroy is freeing `handle`.
  void (*locale_destroyed)(void* context, const void* handle);
  // A journal took a message or status line at `level`; the text may hold newlines.
  void (*journal_text)(void* context, std::int64_t level, const std::uint32_t* text,
                       std::int64_t length);
};

// Watches the kernel through a copy of `observer`; null stops watching.
ZQHOST_API void zqhostSetObserver(void* kernel, const ZqhostObserver* observer);

// Calls still to go before the armed fault fires: 0 once it has fired, or when the
// point is not armed.
ZQHOST_API std::int32_t zqhostFaultPending(void* kernel, std::int32_t fault);

// Wrong results on purpose, one class at a time, to show which checks notice them.
// Locale handles and string managers created while a class is set give every
// conversion's result of the class set at the time of the call wrongly (those created
// before give right results):
//   TEXT    the first unit (byte) a format writes is changed, when it writes one
//   LENGTH  a format's converted length, or a parser's consumed count, is one more
//   STATUS  ZQ_OK becomes ZQ_NLS_INVALID_VALUE and every other status ZQ_OK
//   VALUE   a parsed number, time or datetime has the lowest bit of its value flipped
//   DATE    a parsed date, or the date of a parsed datetime, is one day later
// Creation and destruction are never affected. NONE stops it; other values are ignored.
enum ZqhostCorruption : std::int32_t {
  ZQHOST_CORRUPT_NONE = 0,
  ZQHOST_CORRUPT_TEXT = 1,
  ZQHOST_CORRUPT_LENGTH = 2,
  ZQHOST_CORRUPT_STATUS = 3,
  ZQHOST_CORRUPT_VALUE = 4,
  ZQHOST_CORRUPT_DATE = 5,
};
ZQHOST_API void zqhostCorruptResults(void* kernel, std::int32_t corruption);

}  // extern "C"
