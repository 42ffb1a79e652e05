// Case mapping and character classes, through the compiled-in tables and through an
// NLS service of the test's own.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kstr/fake_nls.h"
#include "kstr/unicode_tables.h"
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

struct NamedPredicate {
  const char* name;
  Predicate is;
  std::uint32_t mask;  // what the NLS service is asked
};

constexpr NamedPredicate kPredicates[] = {
    {"digit", zqnlsisdigit, 0x40},       {"lower", zqnlsislower, 0x2},
    {"upper", zqnlsisupper, 0x1},        {"alpha", zqnlsisalpha, 0x60007},
    {"alnum", zqnlsisalnum, 0x60047},    {"print", zqnlsisprint, 0x3FFE03FF},
    {"graph", zqnlsisgraph, 0xFFFE81FF}, {"punct", zqnlsispunct, 0x3F80000},
    {"cntrl", zqnlsiscntrl, 0x3C00},     {"xdigit", zqnlsisxdigit, 0x40},
    {"space", zqnlsisspace, 0},
};

TEST(CaseTables, MappingsWithoutNls) {
  ASSERT_EQ(Exported_ZQHandle, nullptr);
  EXPECT_EQ(upper('a'), 'A');
  EXPECT_EQ(lower('Z'), 'z');
  EXPECT_EQ(upper(0xFF), 0x178u) << "a delta beyond the ASCII range";
  EXPECT_EQ(upper(0x17F), 'S') << "through the auxiliary pairs";
  EXPECT_EQ(upper(0x1C5), 0x1C4u);
  EXPECT_EQ(lower(0x1C5), 0x1C6u);
  EXPECT_EQ(lower(0x18E), 0x258u) << "the reversed pair wins over U+01DD";
  EXPECT_EQ(upper(0x1F78), 0x1FF8u);
  EXPECT_EQ(lower(0x1FF9), 0x1F79u);
  EXPECT_EQ(lower(0x53), 's') << "no pair takes S back to U+017F";
  EXPECT_EQ(upper(0x434), 0x414u);
  EXPECT_EQ(lower(0x24B6), 0x24D0u);
  EXPECT_EQ(upper(0xFF41), 0xFF21u);
  for (ZQChar kept : {0xDFu, 0x130u, 0x131u, 0xB5u, 0x10A0u, 0x10428u, 0x4E00u, 0xD800u, 0x110000u,
                      0xFFFFFFFFu}) {
    EXPECT_EQ(upper(kept), kept) << std::hex << kept;
    EXPECT_EQ(lower(kept), kept) << std::hex << kept;
  }
}

TEST(CaseTables, CountsOfZeroOrLessDoNothing) {
  ZQChar text[] = {'a', 'b'};
  zqzstup(text, 0);
  zqzstup(text, -2);
  zqzstlo(nullptr, 0);
  EXPECT_EQ(text[0], 'a');
  zqzstup(text, 1);
  EXPECT_EQ(text[0], 'A');
  EXPECT_EQ(text[1], 'b');
}

TEST(CaseTables, WithNlsAsciiStaysOnTheTables) {
  FakeNls fake;
  EXPECT_EQ(lower('A'), 'a');
  EXPECT_EQ(upper('z'), 'Z');
  EXPECT_EQ(fake.nlsCalls(), 0);
  EXPECT_EQ(upper(0xE0), 0x10E0u) << "from 0x80 on the NLS service answers";
  EXPECT_EQ(lower(0x130), 0x2130u);
  EXPECT_EQ(fake.upcased, std::vector<ZQChar>{0xE0});
  EXPECT_EQ(fake.downcased, std::vector<ZQChar>{0x130});
  EXPECT_EQ(fake.case_counts, (std::vector<std::int64_t>{1, 1}));
  ZQChar text[] = {'a', 0x80, 0x7F};
  zqzstup(text, 3);
  EXPECT_EQ(text[0], 'A');
  EXPECT_EQ(text[1], 0x1080u);
  EXPECT_EQ(text[2], 0x7Fu);
}

TEST(Classes, SpecificCodePointsWithoutNls) {
  ASSERT_EQ(Exported_ZQHandle, nullptr);
  EXPECT_EQ(zqnlsisspace(0xA0), 1);
  EXPECT_EQ(zqnlsisspace(0x3000), 1);
  EXPECT_EQ(zqnlsisspace(0x85), 1);
  EXPECT_EQ(zqnlsisspace(0x200B), 0);
  EXPECT_EQ(zqnlsisspace(0x1C), 0);
  EXPECT_EQ(zqnlsisxdigit(0xFF26), 1);
  EXPECT_EQ(zqnlsisxdigit(0xFF27), 0);
  EXPECT_EQ(zqnlsisxdigit(0xFF10), 1) << "a full-width digit";
  EXPECT_EQ(zqnlsisxdigit('g'), 0);
  EXPECT_EQ(zqnlsisalnum(0x661), 1) << "Arabic-Indic one, through the digits";
  EXPECT_EQ(zqnlsisalpha(0x661), 0);
  EXPECT_EQ(zqnlsisdigit(0x1E959), 1);
  EXPECT_EQ(zqnlsisdigit(0x1E95A), 0);
  EXPECT_EQ(zqnlsislower(0xB5), 1);
  EXPECT_EQ(zqnlsisupper(0x1E921), 1) << "Adlam, new in Unicode 9.0";
  EXPECT_EQ(zqnlsisalpha(0x2FA1D), 1);
  EXPECT_EQ(zqnlsisalpha(0x2FA1E), 0);
  EXPECT_EQ(zqnlsisprint(0xAD), 0) << "soft hyphen is a format character";
  EXPECT_EQ(zqnlsiscntrl(0xAD), 1);
  EXPECT_EQ(zqnlsisprint(0xE01EF), 1);
  EXPECT_EQ(zqnlsisprint(0x3000), 1);
  EXPECT_EQ(zqnlsisgraph(0x3000), 0);
  EXPECT_EQ(zqnlsiscntrl(0xE007F), 1);
  EXPECT_EQ(zqnlsispunct(0x2E44), 1) << "double suspension mark, new in Unicode 9.0";
  EXPECT_EQ(zqnlsispunct('$'), 0) << "a currency symbol";
}

TEST(Classes, NothingForSurrogatesAndBeyondTheLastCodePoint) {
  for (ZQChar c : {0xD800u, 0xDFFFu, 0x110000u, 0x80000041u, 0xFFFFFFFFu}) {
    for (const NamedPredicate& p : kPredicates)
      EXPECT_EQ(p.is(c), 0) << p.name << " " << std::hex << c;
  }
}

// Every range of every table, probed at its ends and just outside them.
TEST(Classes, BinarySearchFindsEveryRangeEnd) {
  struct Table {
    Predicate is;
    const zq::ucd9::CodeRange* ranges;
    std::size_t count;
  };
  const Table tables[] = {
      {zqnlsisdigit, zq::ucd9::digitranges, std::size(zq::ucd9::digitranges)},
      {zqnlsislower, zq::ucd9::lowerranges, std::size(zq::ucd9::lowerranges)},
      {zqnlsisupper, zq::ucd9::upperranges, std::size(zq::ucd9::upperranges)},
      {zqnlsisalpha, zq::ucd9::alpharanges, std::size(zq::ucd9::alpharanges)},
      {zqnlsisprint, zq::ucd9::printranges, std::size(zq::ucd9::printranges)},
      {zqnlsisgraph, zq::ucd9::graphranges, std::size(zq::ucd9::graphranges)},
      {zqnlsispunct, zq::ucd9::punctranges, std::size(zq::ucd9::punctranges)},
      {zqnlsiscntrl, zq::ucd9::controlranges, std::size(zq::ucd9::controlranges)},
      {zqnlsisspace, zq::ucd9::spaceranges, std::size(zq::ucd9::spaceranges)},
  };
  for (const Table& t : tables) {
    for (std::size_t i = 0; i < t.count; ++i) {
      const auto& r = t.ranges[i];
      EXPECT_EQ(t.is(r.first), 1) << std::hex << r.first;
      EXPECT_EQ(t.is(r.last), 1) << std::hex << r.last;
      const bool joins_previous = i > 0 && t.ranges[i - 1].last + 1 == r.first;
      const bool joins_next = i + 1 < t.count && t.ranges[i + 1].first == r.last + 1;
      if (r.first > 0 && !joins_previous) {
        EXPECT_EQ(t.is(r.first - 1), 0) << std::hex << r.first;
      }
      if (!joins_next) {
        EXPECT_EQ(t.is(r.last + 1), 0) << std::hex << r.last;
      }
    }
  }
}

// ASCII against the C library's classes in the "C" locale, which differ from ours only
// in punctuation: there the symbols $ + < = > ^ ` | ~ count too.
void expectAsciiClassesOfTheCLocale() {
  for (int c = 0; c < 128; ++c) {
    const auto u = static_cast<ZQChar>(c);
    const bool symbol = std::strchr("$+<=>^`|~", c) != nullptr && c != 0;
    EXPECT_EQ(zqnlsisdigit(u), std::isdigit(c) != 0) << c;
    EXPECT_EQ(zqnlsislower(u), std::islower(c) != 0) << c;
    EXPECT_EQ(zqnlsisupper(u), std::isupper(c) != 0) << c;
    EXPECT_EQ(zqnlsisalpha(u), std::isalpha(c) != 0) << c;
    EXPECT_EQ(zqnlsisalnum(u), std::isalnum(c) != 0) << c;
    EXPECT_EQ(zqnlsisprint(u), std::isprint(c) != 0) << c;
    EXPECT_EQ(zqnlsisgraph(u), std::isgraph(c) != 0) << c;
    EXPECT_EQ(zqnlsiscntrl(u), std::iscntrl(c) != 0) << c;
    EXPECT_EQ(zqnlsisxdigit(u), std::isxdigit(c) != 0) << c;
    EXPECT_EQ(zqnlsisspace(u), std::isspace(c) != 0) << c;
    EXPECT_EQ(zqnlsispunct(u), std::ispunct(c) != 0 && !symbol) << c;
  }
}

TEST(Classes, AsciiWithoutNls) { expectAsciiClassesOfTheCLocale(); }

TEST(Classes, AsciiWithNlsComesFromTheClassTable) {
  FakeNls fake;
  fake.classify_answer = 1;  // a service that said yes to everything would show
  expectAsciiClassesOfTheCLocale();
  EXPECT_EQ(fake.nlsCalls(), 0);
  EXPECT_EQ(fake.service_requests, 0);
}

TEST(Classes, WithNlsEachPredicateAsksWithItsMask) {
  FakeNls fake;
  for (const NamedPredicate& p : kPredicates) {
    fake.masks.clear();
    fake.classify_answer = 7;
    const int yes = p.is(0x4E00);
    fake.classify_answer = 0;
    const int no = p.is(0x4E00);
    if (p.mask == 0) {
      EXPECT_TRUE(fake.masks.empty()) << p.name << " never asks the service";
      EXPECT_EQ(yes, 0) << p.name;
      continue;
    }
    EXPECT_EQ(yes, 1) << p.name << ": any non-zero answer means yes";
    EXPECT_EQ(no, 0) << p.name;
    EXPECT_EQ(fake.masks, (std::vector<std::uint32_t>{p.mask, p.mask})) << p.name;
  }
  EXPECT_EQ(zqnlsisspace(0x3000), 1) << "white space never asks";
  fake.masks.clear();
  EXPECT_EQ(zqnlsisxdigit(0xFF21), 1) << "hexadecimal letters answer at once";
  EXPECT_TRUE(fake.masks.empty());
}

TEST(Classes, TheCharacterDatabaseIsFetchedOnceAndKeptInTheNlsHandle) {
  FakeNls fake;
  EXPECT_EQ(fake.nls.character_database, nullptr);
  zqnlsisdigit('7');
  EXPECT_EQ(fake.service_requests, 0) << "ASCII needs no service";
  zqnlsisdigit(0x661);
  EXPECT_EQ(fake.service_requests, 1);
  EXPECT_FALSE(fake.bad_service_request) << "asked for \"zqnlsudb\", 8 units, word 0";
  EXPECT_EQ(fake.nls.character_database, &fake.service_token);
  zqnlsisalpha(0x100);
  zqnlsispunct(0x2E44);
  EXPECT_EQ(fake.service_requests, 1);
}

TEST(Classes, AKernelWithoutTheServiceIsAskedAgain) {
  FakeNls fake;
  fake.service_available = false;
  fake.classify_answer = 1;
  EXPECT_EQ(zqnlsisalpha(0x100), 1);
  EXPECT_EQ(zqnlsisalpha(0x101), 1);
  EXPECT_EQ(fake.service_requests, 2);
  EXPECT_EQ(fake.nls.character_database, nullptr);
}

TEST(Classes, AnNlsHandleWithoutOperationsFallsBackToTheTables) {
  FakeNls fake;
  fake.nls.ClassifyChar = nullptr;
  fake.nls.UpcaseChar = nullptr;
  EXPECT_EQ(zqnlsisalnum(0x661), 1);
  EXPECT_EQ(zqnlsisalpha(0x661), 0);
  EXPECT_EQ(upper(0xFF), 0x178u);
  EXPECT_EQ(fake.service_requests, 0);
}

}  // namespace
