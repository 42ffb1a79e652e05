// Case mapping and character classes, through the compiled-in tables and through an
// NLS service of the test's own.
#include <gtest/gtest.h>

#include <ctype.h>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/udb/character_db.h"
#include "kstr/fake_nls.h"
#include "zq/zqvnle.h"

namespace {

using zq::ZQChar;
using zq::testing::FakeNls;

ZQChar upper(ZQChar c) {
  zqzstup(&c, 1);
  return c;
}

ZQChar lower(ZQChar c) {
  zqzstlo(&c, 1);
  return c;
}

using Predicate = int (*)(ZQChar);

// Each class with the C library's predicate of the same name, for ASCII in the "C" locale.
struct Class {
  const char* name;
  Predicate is;
  int (*c_locale)(int);
};
const Class kClasses[] = {
    {"digit", zqnlsisdigit, ::isdigit}, {"lower", zqnlsislower, ::islower},
    {"upper", zqnlsisupper, ::isupper}, {"alpha", zqnlsisalpha, ::isalpha},
    {"alnum", zqnlsisalnum, ::isalnum}, {"print", zqnlsisprint, ::isprint},
    {"graph", zqnlsisgraph, ::isgraph}, {"punct", zqnlsispunct, ::ispunct},
    {"cntrl", zqnlsiscntrl, ::iscntrl}, {"xdigit", zqnlsisxdigit, ::isxdigit},
    {"space", zqnlsisspace, ::isspace}};

TEST(CaseTables, MappingsWithoutNls) {
  ASSERT_EQ(Exported_ZQHandle, nullptr);
  // {code point, upper-case, lower-case}: a delta beyond the ASCII range (U+00FF), the
  // auxiliary pairs (U+017F, U+1F78), where no pair takes S back to U+017F and the
  // reversed pair wins over U+01DD (U+018E), the last block (U+FF41); then code points
  // kept: no simple mapping, beyond 0xFFFF, a block without cases, no code point.
  const ZQChar rows[][3] = {{'a', 'A', 'a'},           {'Z', 'Z', 'z'},
                            {0xFF, 0x178, 0xFF},       {0x17F, 'S', 0x17F},
                            {0x1C5, 0x1C4, 0x1C6},     {0x18E, 0x18E, 0x258},
                            {0x1F78, 0x1FF8, 0x1F78},  {0xFF41, 0xFF21, 0xFF41},
                            {0xDF, 0xDF, 0xDF},        {0x10428, 0x10428, 0x10428},
                            {0x4E00, 0x4E00, 0x4E00},  {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}};
  for (const auto& row : rows) {
    EXPECT_EQ(upper(row[0]), row[1]) << std::hex << row[0];
    EXPECT_EQ(lower(row[0]), row[2]) << std::hex << row[0];
  }
  ZQChar text[] = {'a', 'b'};
  zqzstup(text, 0);
  zqzstup(text, -2);
  zqzstlo(nullptr, 0);
  EXPECT_EQ(text[0], 'a') << "counts of 0 or less do nothing";
  zqzstup(text, 1);
  EXPECT_EQ(std::vector<ZQChar>(text, text + 2), (std::vector<ZQChar>{'A', 'b'}));
}

TEST(CaseTables, WithNlsAsciiStaysOnTheTables) {
  FakeNls fake;
  ZQChar text[] = {'a', 0x80, 0x7F};
  zqzstup(text, 3);
  EXPECT_EQ(std::vector<ZQChar>(text, text + 3), (std::vector<ZQChar>{'A', 0x1080, 0x7F}));
  EXPECT_EQ(lower('A'), 'a');
  EXPECT_EQ(lower(0x130), 0x2130u) << "from 0x80 on the NLS service answers";
  EXPECT_EQ(fake.upcased, std::vector<ZQChar>{0x80});
  EXPECT_EQ(fake.downcased, std::vector<ZQChar>{0x130});
  EXPECT_FALSE(fake.bad_request);
  fake.nls.UpcaseChar = nullptr;
  EXPECT_EQ(upper(0xFF), 0x178u) << "a handle without the operation falls back to the tables";
}

TEST(Classes, SpecificCodePointsWithoutNls) {
  ASSERT_EQ(Exported_ZQHandle, nullptr);
  struct Row {
    Predicate is;
    ZQChar c;
    int expected;
  };
  // The full-width hexadecimal letters end at U+FF26, its digits are digits; white space
  // is its own walk. (Alnum's search of the letters, then the digits, is the fallback
  // check of WithNlsEachPredicateAsksWithItsMask.)
  const Row rows[] = {{zqnlsisxdigit, 0xFF26, 1}, {zqnlsisxdigit, 0xFF27, 0},
                      {zqnlsisxdigit, 0xFF10, 1}, {zqnlsisspace, 0x3000, 1},
                      {zqnlsisspace, 0x200B, 0}};
  for (const Row& row : rows) EXPECT_EQ(row.is(row.c), row.expected) << std::hex << row.c;
  for (ZQChar c : {0xD800u, 0x110000u, 0x80000041u, 0xFFFFFFFFu}) {
    for (const Class& k : kClasses) EXPECT_EQ(k.is(c), 0) << k.name << " " << std::hex << c;
  }
}

// ASCII against the C library's classes in the "C" locale, which differ from ours only
// in punctuation: there the symbols $ + < = > ^ ` | ~ count too.
void expectAsciiClassesOfTheCLocale() {
  for (int c = 0; c < 128; ++c) {
    const bool symbol = std::strchr("$+<=>^`|~", c) != nullptr && c != 0;
    for (const Class& k : kClasses) {
      const bool expected = k.c_locale(c) != 0 && !(k.is == zqnlsispunct && symbol);
      EXPECT_EQ(k.is(static_cast<ZQChar>(c)), expected) << k.name << " " << c;
    }
  }
}

TEST(Classes, AsciiFollowsTheCLocaleWithAndWithoutNls) {
  expectAsciiClassesOfTheCLocale();
  FakeNls fake;  // a service that says yes to everything would show
  expectAsciiClassesOfTheCLocale();
  EXPECT_EQ(fake.nlsCalls(), 0);
  EXPECT_EQ(fake.service_requests, 0);
}

// Each predicate but white space asks the service about code points from 0x80 on, with
// one mask for every call; any non-zero answer means yes.
TEST(Classes, WithNlsEachPredicateAsksWithItsMask) {
  FakeNls fake;
  for (const Class& k : kClasses) {
    fake.masks.clear();
    fake.classify_answer = 7;
    const int yes = k.is(0x4E00);
    fake.classify_answer = 0;
    EXPECT_EQ(k.is(0x4E00), 0) << k.name;
    const bool asks = k.is != zqnlsisspace;
    EXPECT_EQ(yes, asks ? 1 : 0) << k.name;
    ASSERT_EQ(fake.masks.size(), asks ? 2u : 0u) << k.name;
    if (asks) {
      EXPECT_EQ(fake.masks[0], fake.masks[1]) << k.name;
    }
  }
  fake.masks.clear();
  EXPECT_EQ(zqnlsisxdigit(0xFF21), 1) << "hexadecimal letters answer at once";
  EXPECT_TRUE(fake.masks.empty());
  EXPECT_FALSE(fake.bad_request);
  fake.nls.ClassifyChar = nullptr;
  // U+0661 is an Arabic-Indic digit: alnum searches the letters, then the digits.
  EXPECT_EQ(zqnlsisalnum(0x661), 1) << "a handle that cannot classify falls back to the tables";
  EXPECT_EQ(zqnlsisalpha(0x661), 0);
}

// With the host's own character operations as the service, every predicate answers as
// the fallback tables do for every code point: the masks select the tables' classes, and
// the host's class words and the tables' binary search agree, range end by range end.
TEST(Classes, TheHostServiceAgreesWithTheTablesEverywhere) {
  FakeNls fake;
  zq::host::installCharacterOperations(fake.nls);
  for (const Class& k : kClasses) {
    int mismatches = 0;
    for (ZQChar c = 0; c <= 0x110000; ++c) {
      Exported_ZQHandle = nullptr;
      const int tables = k.is(c);
      Exported_ZQHandle = &fake.kernel;
      if (k.is(c) != tables && mismatches++ < 3) {
        ADD_FAILURE() << k.name << " of U+" << std::hex << c << ": tables " << tables;
      }
    }
    EXPECT_EQ(mismatches, 0) << k.name;
  }
}

// The character-database service is fetched once and kept in the NLS handle; a kernel
// without it is asked again.
TEST(Classes, TheCharacterDatabaseIsFetchedOnceItIsThere) {
  FakeNls fake;
  fake.service_available = false;
  EXPECT_EQ(zqnlsisalpha(0x100), 1);
  EXPECT_EQ(zqnlsisalpha(0x101), 1);
  EXPECT_EQ(fake.service_requests, 2);
  fake.service_available = true;
  zqnlsisdigit('7');
  EXPECT_EQ(fake.service_requests, 2) << "ASCII needs no service";
  zqnlsisdigit(0x661);
  zqnlsispunct(0x2E44);
  EXPECT_EQ(fake.service_requests, 3);
  EXPECT_EQ(fake.nls.character_database, &fake.service_token);
  EXPECT_FALSE(fake.bad_request) << "asked for \"zqnlsudb\", 8 units, word 0";
}

}  // namespace
