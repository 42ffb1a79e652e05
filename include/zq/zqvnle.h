// The names libzqvnle.so exports: entry points, suites, wrappers, kernel string library.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zq/harness.h"
#include "zq/host_objects.h"
#include "zq/types.h"

#if defined(ZQVNLE_BUILDING)
#define ZQVNLE_API __attribute__((visibility("default")))
#else
#define ZQVNLE_API
#endif

extern "C" {

// ---- Entry and lifecycle ----
ZQVNLE_API extern zq::KernelHandle* Exported_ZQHandle;
ZQVNLE_API std::int64_t zqextent(zq::KernelHandle* kernel);
ZQVNLE_API std::int64_t zqextver(zq::KernelHandle* kernel, std::int64_t* major,
                                 std::int64_t* minor);
ZQVNLE_API zq::ExtensionRecord* zqvnle();
ZQVNLE_API std::int64_t zqvnleGetReqVersion(zq::ExtensionRecord*, std::int64_t* major,
                                            std::int64_t* minor, std::int64_t* patch);
ZQVNLE_API std::int64_t zqvnleGetVersion(zq::ExtensionRecord*, std::int64_t* major,
                                         std::int64_t* minor, std::int64_t* patch);
ZQVNLE_API std::int64_t zqvnleRealDestroy(zq::ExtensionRecord* record);
// Copies the 26-word version-control record into `out`.
ZQVNLE_API std::int64_t zqvercn1(std::uint64_t* out);

// One row of LocaleInfo: a locale with its decimal and grouping separators.
struct LocaleInfoRow {
  const zq::ZQChar* name;
  std::int64_t name_length;
  const zq::ZQChar* decimal_separator;
  const zq::ZQChar* grouping_separator;
};
static_assert(sizeof(LocaleInfoRow) == 32);
constexpr int kLocaleInfoRows = 18;
ZQVNLE_API extern const LocaleInfoRow LocaleInfo[kLocaleInfoRows];

// ---- Suites ----
ZQVNLE_API std::int64_t zqvnleSanity1(zq::TestServices*, zq::Word ctx, zq::SuiteState*,
                                      void* journal, void*);
ZQVNLE_API std::int64_t zqvnleSanity2(zq::TestServices*, zq::Word ctx, zq::SuiteState*,
                                      void* journal, void*);
ZQVNLE_API std::int64_t zqvnleFunction1(zq::TestServices*, zq::Word ctx, zq::SuiteState*,
                                        void* run_record, void*);
ZQVNLE_API std::int64_t zqvnlePerf(zq::TestServices*, zq::Word ctx, zq::SuiteState*,
                                   void* run_record, void*);
ZQVNLE_API std::int64_t zqvnleIEEEConv(zq::TestServices*, zq::Word ctx, zq::SuiteState*,
                                       void* unused, void* journal);

#define ZQVNLE_CONFORMANCE_SUITE(name)                                                \
  ZQVNLE_API std::int64_t name(zq::TestServices*, zq::Word ctx, zq::SuiteState*, \
                               zq::Journal*, zq::KernelHandle*)
ZQVNLE_CONFORMANCE_SUITE(dateTest1);
ZQVNLE_CONFORMANCE_SUITE(integerTest1);
ZQVNLE_CONFORMANCE_SUITE(integerTest2);
ZQVNLE_CONFORMANCE_SUITE(integerTest3);
ZQVNLE_CONFORMANCE_SUITE(integerTest4);
ZQVNLE_CONFORMANCE_SUITE(doubleTest1);
ZQVNLE_CONFORMANCE_SUITE(doubleTest2);
ZQVNLE_CONFORMANCE_SUITE(doubleTest3);
ZQVNLE_CONFORMANCE_SUITE(doubleTest4);
ZQVNLE_CONFORMANCE_SUITE(buftodblTest1);
#undef ZQVNLE_CONFORMANCE_SUITE

// ---- Message wrappers: gather the variable arguments into a va_list and hand the
// journal operation a pointer to it. Integers must be passed as 64-bit words.
ZQVNLE_API std::int64_t zqlMessageToBuf(zq::Journal*, zq::Word, zq::Word, zq::Word, zq::Word,
                                        zq::Word, ...);
ZQVNLE_API std::int64_t zqlMessageToJnl(zq::Journal*, std::int64_t level,
                                        const zq::ZQChar* format, std::int64_t format_length,
                                        ...);
ZQVNLE_API std::int64_t zqlStatusToBuf(zq::Journal*, std::int64_t status, zq::ZQChar* buffer,
                                       std::int64_t capacity, std::int64_t* out_length, ...);
ZQVNLE_API std::int64_t zqlStatusToJnl(zq::Journal*, zq::Word, zq::Word, ...);
ZQVNLE_API std::int64_t zqlGetLocale(zq::Journal*, zq::Word, zq::Word, zq::Word, zq::Word,
                                     zq::Word);

// ---- Wide-string and memory primitives ----
ZQVNLE_API zq::Status vdUnsup();
ZQVNLE_API std::size_t vdStrLen(const char* s);
ZQVNLE_API std::size_t vdStrTLen(const zq::ZQChar* s);
ZQVNLE_API void vdStrCpy(const char* src, char* dst);
ZQVNLE_API void vdStrTCpy(const zq::ZQChar* src, zq::ZQChar* dst);
ZQVNLE_API int vdMemNot(int c, const void* p, std::size_t n);
ZQVNLE_API int vdMemTNot(zq::ZQChar c, const zq::ZQChar* p, std::size_t n);
ZQVNLE_API void vdMemSet(void* p, int c, std::size_t n);
ZQVNLE_API void vdMemTSet(zq::ZQChar* p, zq::ZQChar c, std::size_t n);
ZQVNLE_API int vdMemCmp(const void* a, const void* b, std::size_t n);
ZQVNLE_API int vdWMemCmp(const zq::ZQChar* a, const zq::ZQChar* b, std::size_t n);
ZQVNLE_API void vdMemCpy(const void* src, void* dst, std::size_t n);
ZQVNLE_API void vdMemSCpy(const void* src, void* dst, std::size_t n);
ZQVNLE_API void* vdMemDup(const void* src, std::size_t n, zq::MemoryPool* pool);
ZQVNLE_API std::int64_t vdMemScan(const void* p, std::size_t n, int c);
ZQVNLE_API std::int64_t vdMemNScan(const void* p, std::size_t n, int c);
ZQVNLE_API std::int64_t vdMemTNScan(const zq::ZQChar* p, std::size_t n, zq::ZQChar c);

// ---- Case mapping and character classes ----
ZQVNLE_API void vdStrUp(char* s, std::int64_t n);
ZQVNLE_API void vdStrLow(char* s, std::int64_t n);
ZQVNLE_API void zqzstup(zq::ZQChar* s, std::int64_t n);
ZQVNLE_API void zqzstlo(zq::ZQChar* s, std::int64_t n);
ZQVNLE_API int zqnlsisdigit(zq::ZQChar c);
ZQVNLE_API int zqnlsislower(zq::ZQChar c);
ZQVNLE_API int zqnlsisupper(zq::ZQChar c);
ZQVNLE_API int zqnlsisalpha(zq::ZQChar c);
ZQVNLE_API int zqnlsisspace(zq::ZQChar c);
ZQVNLE_API int zqnlsisalnum(zq::ZQChar c);
ZQVNLE_API int zqnlsisprint(zq::ZQChar c);
ZQVNLE_API int zqnlsisxdigit(zq::ZQChar c);
ZQVNLE_API int zqnlsispunct(zq::ZQChar c);
ZQVNLE_API int zqnlsisgraph(zq::ZQChar c);
ZQVNLE_API int zqnlsiscntrl(zq::ZQChar c);
ZQVNLE_API extern const std::int16_t vdz_metatable[512];
ZQVNLE_API extern const std::int8_t vdz_upshift[2432];
ZQVNLE_API extern const std::int8_t vdz_downshift[2432];
ZQVNLE_API extern const std::uint32_t vdz_upaux[21][2];
ZQVNLE_API extern const std::uint32_t vdz_downaux[20][2];

// ---- Blank-padded comparison and collation extremes ----
ZQVNLE_API int zqzsCompare(const zq::ZQChar* a, std::int64_t a_length, const zq::ZQChar* b,
                           std::int64_t b_length);
ZQVNLE_API int zqzseqn(const zq::ZQChar* a, std::int64_t a_length, const zq::ZQChar* b,
                       std::int64_t b_length);
ZQVNLE_API int zqzsCompareNorm(const zq::ZQChar* a, std::int64_t a_length, const zq::ZQChar* b,
                               std::int64_t b_length);
ZQVNLE_API std::int32_t zqzsncmp(const zq::ZQChar* a, std::int64_t a_length,
                                 const zq::ZQChar* b, std::int64_t b_length);
ZQVNLE_API std::int64_t zqzsStripBlanks(const zq::ZQChar* s, std::int64_t length,
                                        std::int32_t mode);
ZQVNLE_API void zqzstmin(zq::ZQChar* s, std::int64_t n);
ZQVNLE_API void zqzstmax(zq::ZQChar* s, std::int64_t n);

// ---- Missing values ----
ZQVNLE_API extern double vdmissv_struct[29];
ZQVNLE_API double vdMissVal(std::int32_t c);
ZQVNLE_API int vdMissArray(const double* values, std::uint64_t n);

}  // extern "C"
