// Exact, case-insensitive and blank-padded comparison, blank stripping, and the mapping
// of strings to their least and greatest case variants.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "kstr/fake_nls.h"
#include "tests/support/test_support.h"
#include "zq/zqvnle.h"

namespace {

using zq::ZQChar;
using zq::testing::FakeNls;
using Text = std::u32string;

using zq::testing::lengthOf;
using zq::testing::units;

// The blank-padded order of strings of any units, negative lengths among them, is
// kstr_compare_fuzz's property; here one example of each way the order is decided.
TEST(BlankPadded, EachWayTheOrderIsDecided) {
  struct Row {
    Text a;
    Text b;
    std::int32_t expected;
  };
  // Trailing blanks or more units after a tie, a case tie of either sign, a difference
  // after lower-casing either way (U+0131 has no lower-case mapping), and empty strings.
  const Row rows[] = {{U"abc", U"abc  ", 0}, {U"abc", U"abcd", -2}, {U"ABC  ", U"abc", -1},
                      {U"abcd", U"abc", 2},  {U"abc", U"ABD", -2},  {U"\u0131", U"i", 2},
                      {U"ABC", U"abc", -1},  {U"", U"  ", 0},       {U"x", U"", 2}};
  for (const Row& r : rows) {
    EXPECT_EQ(zqzsncmp(units(r.a), lengthOf(r.a), units(r.b), lengthOf(r.b)), r.expected)
        << "row " << &r - rows;
  }
}

// Exact equality over strings of any units, and strings that differ only in case, are
// kstr_compare_fuzz's too.
TEST(Equality, CaseInsensitiveThroughTheTables) {
  const Text abc = U"abc";
  const Text upper_abc = U"ABC";
  EXPECT_EQ(zqzseqn(units(abc), 3, units(upper_abc), 3), 1);
  EXPECT_EQ(zqzseqn(units(abc), 3, units(upper_abc), 2), 0);
  const Text long_s = U"\u017F";
  const Text s = U"s";
  EXPECT_EQ(zqzseqn(units(long_s), 1, units(s), 1), 0) << "U+017F has no lower-case mapping";
  const Text sigma = U"\u03A3";
  const Text small_sigma = U"\u03C3";
  EXPECT_EQ(zqzseqn(units(sigma), 1, units(small_sigma), 1), 1);

  // Neither the blank-padded nor the case-insensitive comparison asks the NLS service.
  FakeNls fake;
  const Text a = U"\u00C0x";
  const Text b = U"\u00E0x";
  EXPECT_EQ(zqzsncmp(units(a), 1, units(b), 1), -1);
  EXPECT_EQ(zqzseqn(units(a), 2, units(b), 2), 1);
  EXPECT_EQ(fake.nlsCalls(), 0);
}

// zqzsCompareNorm lower-cases through zqzstlo, so the NLS service decides beyond ASCII;
// strings of 256 units or more take the unit-by-unit path.
TEST(Equality, NormalisedComparisonOnBothPaths) {
  const auto same = [](const Text& a, const Text& b) {
    return zqzsCompareNorm(units(a), lengthOf(a), units(b), lengthOf(b));
  };
  for (std::size_t n : {2u, 255u, 256u, 1000u}) {
    Text a(n, U'a');
    Text b(n, U'A');
    a.back() = U'\u00C0';
    b.back() = U'\u00E0';
    const Text before = a + b;
    EXPECT_EQ(same(a, b), 1) << n;
    EXPECT_EQ(a + b, before) << "inputs are never changed";
    EXPECT_EQ(zqzsCompareNorm(units(a), lengthOf(a) - 1, units(b), lengthOf(b)), 0);
    b.front() = U'B';
    EXPECT_EQ(same(a, b), 0) << n;
    b.front() = U'A';
    // The fake service lower-cases U+00C0 to U+20C0 and U+00E0 to U+20E0: no longer equal.
    FakeNls fake;
    EXPECT_EQ(same(a, b), 0) << n;
    b.back() = U'\u00C0';
    EXPECT_EQ(same(a, b), 1) << n;
  }
  EXPECT_EQ(zqzsCompareNorm(nullptr, 0, nullptr, 0), 1);
  const Text word = U"Word";
  EXPECT_EQ(zqzsCompareNorm(units(word), -5, units(word), -5), 1)
      << "a negative length holds nothing to copy or compare";
}

TEST(StripBlanks, ThreeDefinitionsOfBlank) {
  const Text separators = U"x \u00A0\u1680\u2000\u200A\u2028\u2029\u202F\u205F\u3000";
  const Text controls = U"x\u0085\n\r\u000B\f";
  // Mode 0: U+0020 only; mode 2: the separators; any other mode: white space. Only
  // trailing blanks go.
  struct Row {
    Text text;
    std::int32_t mode;
    std::int64_t expected;
  };
  const Row rows[] = {{U"ab\u00A0", 0, 3},          {U"ab\u00A0", 2, 2},
                      {U"ab\u00A0", 1, 2},          {U"ab\t", 2, 3},
                      {U"ab\t", 9, 2},              {U" a b ", 0, 4},
                      {separators, 2, 1},           {separators, 1, 1},
                      {separators, 0, lengthOf(separators)}, {controls, 2, lengthOf(controls)},
                      {controls, 1, 1},             {U"x\u200B\u180E ", 1, 3},
                      {U"x\u200B\u180E ", 2, 3}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const Row& r = rows[i];
    EXPECT_EQ(zqzsStripBlanks(units(r.text), lengthOf(r.text), r.mode), r.expected) << "row " << i;
  }
  EXPECT_EQ(zqzsStripBlanks(units(separators), -5, 0), 0) << "never a negative length";
}

Text least(Text t) {
  zqzstmin(reinterpret_cast<ZQChar*>(t.data()), lengthOf(t));
  return t;
}

Text greatest(Text t) {
  zqzstmax(reinterpret_cast<ZQChar*>(t.data()), lengthOf(t));
  return t;
}

TEST(CaseVariants, EveryMemberOfAClassMapsToItsEnds) {
  struct CaseClass {
    Text members;
    char32_t least;
    char32_t greatest;
  };
  const CaseClass classes[] = {
      {U"Ii\u0130\u0131", U'I', U'\u0131'},
      {U"Kk\u212A", U'K', U'\u212A'},
      {U"\u03A3\u03C2\u03C3", U'\u03A3', U'\u03C3'},
      {U"\u01C4\u01C5\u01C6", U'\u01C4', U'\u01C6'},
      {U"\u00B5\u039C\u03BC", U'\u00B5', U'\u03BC'},
      {U"\u0434\u0414\u1C81", U'\u0414', U'\u1C81'},  // long-legged de, new in 9.0
  };
  for (const CaseClass& c : classes) {
    EXPECT_EQ(least(c.members), Text(c.members.size(), c.least));
    EXPECT_EQ(greatest(c.members), Text(c.members.size(), c.greatest));
  }
  EXPECT_EQ(least(U"aB1"), U"AB1");
  EXPECT_EQ(greatest(U"aB1"), U"ab1");
  const Text kept = U"1 \u4E00\u00AA\U00010400\U00010428\U0001E900";
  EXPECT_EQ(least(kept), kept) << "no partner, or beyond 0xFFFF";
  EXPECT_EQ(greatest(kept), kept);
}

}  // namespace
