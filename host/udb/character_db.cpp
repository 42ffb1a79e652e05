// The character-database service "zqnlsudb" and the NLS handle's character operations,
// drawn from the Unicode 9.0 tables that the kernel string library also compiles.
#include "host/udb/character_db.h"

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
  std::size_t low = 0;
  std::size_t high = N;
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (table[mid].from < c) {
      low = mid + 1;
      continue;
    }
    high = mid;
  }
  return low < N && table[low].from == c ? table[low].to : c;
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
  const auto& ranges = ucd9::class_word_ranges;
  std::size_t low = 0;
  std::size_t high = std::size(ranges);
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (ranges[mid].last < c) {
      low = mid + 1;
      continue;
    }
    high = mid;
  }
  if (low == std::size(ranges) || ranges[low].first > c) return 0;
  return ranges[low].word;
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
