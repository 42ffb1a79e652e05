// Case mapping and character classes of ZQChar code points, through the host's NLS
// service when the kernel has one and through the compiled-in Unicode 9.0 tables otherwise.
#include "kstr/characters.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "kstr/unicode_tables.h"
#include "zq/zqvnle.h"

namespace zq::kstr {
namespace {

constexpr ZQChar kFirstNonAscii = 0x80;
constexpr ZQChar kFirstBeyondTables = 0x10000;
constexpr std::int8_t kDeltaInAuxiliaryTable = -128;

// The table path shared by both directions: meta entry of c's block, then the block's
// delta for c; -128 sends the lookup to the {from, to} pairs, which end at from 0.
ZQChar mapThroughTables(ZQChar c, const std::int8_t* shift, const std::uint32_t (*aux)[2]) {
  if (c >= kFirstBeyondTables) return c;
  const std::int16_t entry = vdz_metatable[c >> 7];
  if (entry < 0) return c;
  const std::int8_t delta = shift[entry + static_cast<std::int32_t>(c & 127)];
  if (delta != kDeltaInAuxiliaryTable)
    return static_cast<ZQChar>(static_cast<std::int32_t>(c) + delta);
  for (std::size_t i = 0; aux[i][0] != 0; ++i) {
    if (aux[i][0] == c) return aux[i][1];
  }
  return c;
}

ZQChar variantThroughTables(ZQChar c, const std::int32_t* meta, const std::int32_t* shift) {
  if (c >= kFirstBeyondTables) return c;
  const std::int32_t entry = meta[c >> 7];
  if (entry < 0) return c;
  return static_cast<ZQChar>(static_cast<std::int32_t>(c) + shift[entry + (c & 127)]);
}

// The kernel's NLS service, or null when there is no kernel or it has none.
NlsHandle* nlsService() {
  const KernelHandle* kernel = Exported_ZQHandle;
  return kernel == nullptr ? nullptr : kernel->nls;
}

// The NLS service when it can classify, else null.
NlsHandle* classifyingNlsService() {
  NlsHandle* nls = nlsService();
  return nls != nullptr && nls->ClassifyChar != nullptr ? nls : nullptr;
}

// Binary search of sorted closed ranges.
int inRanges(ZQChar c, const ucd9::CodeRange* ranges, std::size_t count) {
  std::int64_t low = 0;
  std::int64_t high = static_cast<std::int64_t>(count) - 1;
  while (low <= high) {
    const std::int64_t mid = (low + high) / 2;
    if (c < ranges[mid].first) {
      high = mid - 1;
    } else if (c > ranges[mid].last) {
      low = mid + 1;
    } else {
      return 1;
    }
  }
  return 0;
}

template <std::size_t N>
int inRanges(ZQChar c, const ucd9::CodeRange (&ranges)[N]) {
  return inRanges(c, ranges, N);
}

// The character-database service, fetched from the kernel once and kept in the NLS
// handle's word 179 for every later classification. A kernel that has no such service is
// asked again next time. The word is read and written atomically, without a lock.
void ensureCharacterDatabase(NlsHandle& nls) {
  std::atomic_ref<void*> cached(nls.character_database);
  if (cached.load(std::memory_order_acquire) != nullptr) return;
  KernelHandle* kernel = Exported_ZQHandle;
  if (kernel == nullptr || kernel->GetService == nullptr) return;
  static constexpr ZQChar kServiceName[] = {'z', 'q', 'n', 'l', 's', 'u', 'd', 'b'};
  void* service = kernel->GetService(kernel, kServiceName, 8, 0);
  if (service != nullptr) cached.store(service, std::memory_order_release);
}

// One classification: with an NLS service, ASCII answers from ansi_ccl and every other
// code point from the service; without one, from the fallback range table.
template <std::size_t N>
int classify(ZQChar c, std::uint32_t mask, const ucd9::CodeRange (&fallback)[N]) {
  NlsHandle* nls = classifyingNlsService();
  if (nls == nullptr) return inRanges(c, fallback);
  if (c < kFirstNonAscii) return (ucd9::ansi_ccl[c][1] & mask) != 0 ? 1 : 0;
  ensureCharacterDatabase(*nls);
  return nls->ClassifyChar(nls, c, mask) != 0 ? 1 : 0;
}

// In-place case mapping of n units: ASCII always through the tables; from 0x80 on
// through the NLS operation when there is one.
void mapUnits(ZQChar* s, std::int64_t n, CaseMapCharFn NlsHandle::*operation,
              ZQChar (*through_tables)(ZQChar)) {
  if (s == nullptr || n <= 0) return;
  NlsHandle* nls = nlsService();
  const CaseMapCharFn map_char = nls == nullptr ? nullptr : nls->*operation;
  if (map_char == nullptr) {
    for (std::int64_t i = 0; i < n; ++i) s[i] = through_tables(s[i]);
    return;
  }
  for (std::int64_t i = 0; i < n; ++i) {
    s[i] = s[i] < kFirstNonAscii ? through_tables(s[i]) : map_char(nls, s[i], 1);
  }
}

}  // namespace

ZQChar upperThroughTables(ZQChar c) { return mapThroughTables(c, vdz_upshift, vdz_upaux); }

ZQChar lowerThroughTables(ZQChar c) { return mapThroughTables(c, vdz_downshift, vdz_downaux); }

ZQChar leastCaseVariant(ZQChar c) {
  return variantThroughTables(c, ucd9::vdz_min_meta, ucd9::vdz_minshift);
}

ZQChar greatestCaseVariant(ZQChar c) {
  return variantThroughTables(c, ucd9::vdz_max_meta, ucd9::vdz_maxshift);
}

ExtremeTables leastVariantTables() { return {ucd9::vdz_min_meta, ucd9::vdz_minshift}; }

ExtremeTables greatestVariantTables() { return {ucd9::vdz_max_meta, ucd9::vdz_maxshift}; }

}  // namespace zq::kstr

namespace ucd9 = zq::ucd9;
using zq::ZQChar;
using zq::kstr::classify;

extern "C" {

void zqzstup(ZQChar* s, std::int64_t n) {
  zq::kstr::mapUnits(s, n, &zq::NlsHandle::UpcaseChar, zq::kstr::upperThroughTables);
}

void zqzstlo(ZQChar* s, std::int64_t n) {
  zq::kstr::mapUnits(s, n, &zq::NlsHandle::DowncaseChar, zq::kstr::lowerThroughTables);
}

// Class masks given to the NLS service, by the class bits of ansi_ccl.
int zqnlsisdigit(ZQChar c) { return classify(c, 0x40, ucd9::digitranges); }
int zqnlsislower(ZQChar c) { return classify(c, 0x2, ucd9::lowerranges); }
int zqnlsisupper(ZQChar c) { return classify(c, 0x1, ucd9::upperranges); }
int zqnlsisalpha(ZQChar c) { return classify(c, 0x60007, ucd9::alpharanges); }
int zqnlsisprint(ZQChar c) { return classify(c, 0x3FFE03FF, ucd9::printranges); }
int zqnlsisgraph(ZQChar c) { return classify(c, 0xFFFE81FF, ucd9::graphranges); }
int zqnlsispunct(ZQChar c) { return classify(c, 0x3F80000, ucd9::punctranges); }
int zqnlsiscntrl(ZQChar c) { return classify(c, 0x3C00, ucd9::controlranges); }

// Without NLS, letters first, then digits.
int zqnlsisalnum(ZQChar c) {
  if (zq::kstr::classifyingNlsService() != nullptr) return classify(c, 0x60047, ucd9::alpharanges);
  return zq::kstr::inRanges(c, ucd9::alpharanges) != 0 ? 1
                                                       : zq::kstr::inRanges(c, ucd9::digitranges);
}

// The hexadecimal letters answer at once; every other code point is a digit question.
int zqnlsisxdigit(ZQChar c) {
  const bool hex_letter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') ||
                          (c >= 0xFF21 && c <= 0xFF26) || (c >= 0xFF41 && c <= 0xFF46);
  if (hex_letter) return 1;
  return classify(c, 0x40, ucd9::xdigitranges);
}

// Never asks the NLS service: a linear walk of the eleven white-space ranges, the last
// of which ends at U+3000.
int zqnlsisspace(ZQChar c) {
  if (c > 0x3000) return 0;
  for (const ucd9::CodeRange& range : ucd9::spaceranges) {
    if (c >= range.first && c <= range.last) return 1;
  }
  return 0;
}

}  // extern "C"
