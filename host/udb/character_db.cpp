// The character-database service "zqnlsudb" and the NLS handle's character operations,
// drawn from the Unicode 9.0 tables that the kernel string library also compiles.
#include "host/udb/character_db.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "host/kernel.h"
#include "kstr/unicode_tables.h"

namespace zq::host {
namespace {

struct CharacterDatabase {
  Reserved reserved0[2];
  std::int64_t (*Destroy)(CharacterDatabase*);  // 2: the service outlives its users
};

std::int64_t keepService(CharacterDatabase*) { return 0; }

bool isScalarValue(ZQChar c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

// Binary search of a sorted mapping table; c itself when it has no entry.
template <std::size_t N>
ZQChar mappedBy(const ucd9::CaseMapping (&table)[N], ZQChar c) {
  const auto* entry = std::lower_bound(
      std::begin(table), std::end(table), c,
      [](const ucd9::CaseMapping& mapping, ZQChar unit) { return mapping.from < unit; });
  return entry != std::end(table) && entry->from == c ? entry->to : c;
}

// Word 31 and word 32: the count argument is always 1, one code point.
ZQChar upcaseChar(NlsHandle*, ZQChar c, std::int64_t /*count*/) { return upperCaseOf(c); }
ZQChar downcaseChar(NlsHandle*, ZQChar c, std::int64_t /*count*/) { return lowerCaseOf(c); }

// Word 136: non-zero when c has any class bit of the mask.
std::int32_t classifyChar(NlsHandle*, ZQChar c, std::uint32_t mask) {
  return (characterClassWord(c) & mask) != 0 ? 1 : 0;
}

}  // namespace

ZQChar upperCaseOf(ZQChar c) {
  if (!isScalarValue(c)) return c;
  return mappedBy(ucd9::simple_upper, c);
}

ZQChar lowerCaseOf(ZQChar c) {
  if (!isScalarValue(c)) return c;
  return mappedBy(ucd9::simple_lower, c);
}

std::uint32_t characterClassWord(ZQChar c) {
  // The first range that does not end before c.
  const auto& ranges = ucd9::class_word_ranges;
  const auto* range = std::lower_bound(
      std::begin(ranges), std::end(ranges), c,
      [](const auto& candidate, ZQChar unit) { return candidate.last < unit; });
  if (range == std::end(ranges) || range->first > c) return 0;
  return range->word;
}

void* characterDatabaseService() {
  static CharacterDatabase service{{}, keepService};
  return &service;
}

void installCharacterOperations(NlsHandle& nls) {
  nls.UpcaseChar = upcaseChar;
  nls.DowncaseChar = downcaseChar;
  nls.ClassifyChar = classifyChar;
}

}  // namespace zq::host
