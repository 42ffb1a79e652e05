// Processor-specific forms of the hot string routines, and the choice between them.
//
// Internal to the kernel string library: nothing here is exported from libzqvnle.so.
// Every form of a routine has the contract of the exported routine it stands behind
// (include/zq/zqvnle.h) and gives the same result for every input; the forms differ in
// speed only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zq/types.h"

namespace zq::kstr {

enum class VectorForm : int {
  kPortable = 0,  // plain C++, one unit at a time
  kSse2 = 1,      // 16-byte vectors
  kAvx2 = 2,      // 32-byte vectors
  kAvx512 = 3,    // 64-byte vectors
};

// One form's routines.
struct FormRoutines {
  VectorForm form;
  void (*mem_set)(void* p, int c, std::size_t n);                        // vdMemSet
  void (*mem_tset)(ZQChar* p, ZQChar c, std::size_t n);                  // vdMemTSet
  std::int64_t (*mem_scan)(const void* p, std::size_t n, int c);         // vdMemScan
  std::int64_t (*mem_nscan)(const void* p, std::size_t n, int c);        // vdMemNScan
  std::int64_t (*mem_tnscan)(const ZQChar* p, std::size_t n, ZQChar c);  // vdMemTNScan
  void (*str_up)(char* s, std::int64_t n);                               // vdStrUp
  void (*str_low)(char* s, std::int64_t n);                              // vdStrLow
  void (*to_min)(ZQChar* s, std::int64_t n);                             // zqzstmin
  void (*to_max)(ZQChar* s, std::int64_t n);                             // zqzstmax
};

extern const FormRoutines kPortableRoutines;
#if defined(__x86_64__)
extern const FormRoutines kSse2Routines;
extern const FormRoutines kAvx2Routines;
extern const FormRoutines kAvx512Routines;

// The 32-byte form as a processor with AVX-512 VL and BW runs it: its scans are those
// below (kstr/forms_evex.cpp), its other routines kAvx2Routines'. It stands for the
// 32-byte form wherever processorRunsEvex().
extern const FormRoutines kAvx2EvexRoutines;
std::int64_t evexMemScan(const void* p, std::size_t n, int c);
std::int64_t evexMemNScan(const void* p, std::size_t n, int c);
std::int64_t evexMemTNScan(const ZQChar* p, std::size_t n, ZQChar c);

// Whether this processor runs kAvx2EvexRoutines.
bool processorRunsEvex();

// The 32-byte form's zqzstmin and zqzstmax, which the 64-byte form shares.
void avx2ToMin(ZQChar* s, std::int64_t n);
void avx2ToMax(ZQChar* s, std::int64_t n);
#endif

// The best form this processor runs, probed once on first use.
VectorForm bestVectorForm();

// The routines the exported names call now: from the library's start on, the best
// form's, unless forced.
const FormRoutines& activeRoutines();

// Makes the exported routines use `form`, for tests and benchmarks. Returns false and
// changes nothing when the processor cannot run that form.
bool forceVectorForm(VectorForm form);

// Returns the exported routines to the best form.
void resetVectorForm();

// Fills of at least this many bytes go faster as one string store (rep stosb, or rep
// stosl for 32-bit units) than as vector stores: the size of the processor's L2 cache
// when it has fast string stores, beyond which a fill spills to L3 and stores that skip
// reading each line first win. SIZE_MAX when the processor has no fast string stores.
// Probed once; never below kLeastStringFill.
std::size_t stringFillFrom();

// Fills below this size never go to the string store, so they need not ask
// stringFillFrom() (a call): every processor with fast string stores has an L2 cache at
// least this large.
constexpr std::size_t kLeastStringFill = std::size_t{256} << 10;

}  // namespace zq::kstr
