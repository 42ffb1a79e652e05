// Lenient and period reading through words 47-49: the two-digit-year window, each
// locale kind's week 1 in years starting on every weekday, out-of-range fields, and
// bad input of any size.
#include <chrono>
#include <cstdio>

#include "date_support.h"

namespace zq::testing {
namespace {

constexpr Status kBad = ZQ_NLS_DTIFMTERR;

class DateLenientTest : public NlsTest {};

TEST_F(DateLenientTest, YearsOfOneOrTwoDigitsFallIn1960To2059) {
  LocaleHandle* en = locale(U"en_US");
  const struct {
    std::u32string text;
    std::int32_t year;  // 0: no date
  } kRows[] = {{U"1/2/59", 2059}, {U"1/2/60", 1960}, {U"1/2/99", 1999}, {U"1/2/00", 2000},
               {U"1/2/7", 2007},  {U"1/2/0007", 7},  {U"1/2/999", 0},   {U"1/2/19999", 0}};
  for (const auto& row : kRows) {
    const Parsed expected = row.year == 0 ? Parsed{kBad, lengthOf(row.text), {0, 0, 0}}
                                          : Parsed{ZQ_OK, lengthOf(row.text), {row.year, 1, 2}};
    EXPECT_EQ(parse(en, Parser::kDate, row.text, LOCALE_DATE_LENIENT), expected)
        << readable(row.text);
  }
}

// Week 1 as each convention states it: en_US the first Sunday of the year; ISO
// (fr_FR) the Monday on or before 4 January; ja_JP and zh_CN the Sunday or Monday on
// or before 1 January. Week n begins 7 (n - 1) days later, week 53 included.
TEST_F(DateLenientTest, WeekOneInYearsStartingOnEveryWeekday) {
  using namespace std::chrono;
  using Rule = sys_days (*)(sys_days january1);
  const struct {
    const char32_t* locale;
    Rule week1;
  } kLocales[] = {
      {U"en_US", [](sys_days d) { return d + days{(7 - weekday{d}.c_encoding()) % 7}; }},
      {U"fr_FR",
       [](sys_days d) { return d + days{3 - (weekday{d + days{3}}.c_encoding() + 6) % 7}; }},
      {U"ja_JP", [](sys_days d) { return d - days{weekday{d}.c_encoding()}; }},
      {U"zh_CN", [](sys_days d) { return d - days{(weekday{d}.c_encoding() + 6) % 7}; }},
  };
  for (const auto& [name, week1] : kLocales) {
    LocaleHandle* l = locale(name);
    for (int y = 1999; y <= 2006; ++y) {  // 1 January on every weekday
      for (int week : {1, 2, 52, 53}) {
        const year_month_day start{week1(sys_days{year{y} / 1 / 1}) + days{7 * (week - 1)}};
        char ascii[16];
        const int n = std::snprintf(ascii, sizeof ascii, "W%d %d", week, y);
        const std::u32string text(ascii, ascii + n);
        const Ymd expected{int{start.year()}, static_cast<std::int32_t>(unsigned{start.month()}),
                           static_cast<std::int32_t>(unsigned{start.day()})};
        EXPECT_EQ(parse(l, Parser::kDate, text, LOCALE_DATE_YYWW),
                  (Parsed{ZQ_OK, lengthOf(text), expected}))
            << readable(name) << " " << readable(text);
      }
    }
  }
}

// A second or an hour past the clock, a month 0, a day past February's end and a weekday
// at odds with the date are refused in the sanity2 listings' lenient and period vectors,
// and the century leap rule is sanity1's; here the rest.
TEST_F(DateLenientTest, FieldsOutOfRangeOrAtOddsAreRefused) {
  LocaleHandle* en = locale(U"en_US");
  const struct {
    Parser parser;
    std::int32_t option;
    std::u32string text;
  } kRows[] = {
      {Parser::kDate, LOCALE_DATE_LENIENT, U"0/1/2000"},
      {Parser::kDate, LOCALE_DATE_LENIENT, U"1/32/2000"},
      {Parser::kDate, LOCALE_DATE_LENIENT, U"001/2/2000"},
      {Parser::kTime, LOCALE_DATE_LENIENT, U"0:00 AM"},
      {Parser::kTime, LOCALE_DATE_LENIENT, U"6 PM"},
      {Parser::kDatetime, LOCALE_DATE_LENIENT, U"1/1/0000 00:00"},
      {Parser::kDate, LOCALE_DATE_YYMM, U"Jan 999"},
      {Parser::kDate, LOCALE_DATE_YYWW, U"W1 10000"},
      {Parser::kDate, LOCALE_DATE_YYWW, U"1 1999"},  // no week mark
      {Parser::kDate, LOCALE_DATE_YYQQ, U"Q 1999"},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(parse(en, row.parser, row.text, row.option).status, kBad) << readable(row.text);
  }
  // The period options read dates only.
  for (std::int32_t option : {LOCALE_DATE_YYQQ, LOCALE_DATE_YYMM, LOCALE_DATE_YYWW}) {
    EXPECT_EQ(parse(en, Parser::kTime, U"10:00", option).consumed, 0);
    EXPECT_EQ(parse(en, Parser::kDatetime, U"1/1/60 10:00", option).status, kBad);
  }
}

// kk_KZ numbers its quarters in Roman numerals, its own words writing the Cyrillic І
// (U+0406) in I-III and the Latin "IV"; a reader types either letter in any place.
TEST_F(DateLenientTest, KazakhQuarterNumeralsReadInEitherScript) {
  LocaleHandle* kk = locale(U"kk_KZ");
  for (const std::u32string numeral : {U"I", U"II", U"III", U"IV"}) {
    const auto quarter = numeral == U"IV" ? 4 : static_cast<std::int32_t>(numeral.size());
    for (unsigned mix = 0; mix < 1u << numeral.size(); ++mix) {  // bit k: k-th I Cyrillic
      std::u32string text = numeral;
      for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == U'I' && (mix >> k & 1) != 0) text[k] = U'\u0406';
      }
      for (const std::u32string& full : {text + U" тоқсан 1999", text + U" тқс. 1999"}) {
        EXPECT_EQ(parse(kk, Parser::kDate, full, LOCALE_DATE_YYQQ),
                  (Parsed{ZQ_OK, lengthOf(full), {1999, 3 * quarter - 2, 1}}))
            << "quarter " << quarter << " mix " << mix;
      }
    }
  }
}

// A megabyte or 80 digits is no date; every reading ends, within the length given.
TEST_F(DateLenientTest, HugeInputsAreRefusedWithinTheirLength) {
  LocaleHandle* en = locale(U"en_US");
  const std::int64_t mib = std::int64_t{1} << 20;
  std::u32string digits80;
  for (int i = 0; i < 80; ++i) digits80 += static_cast<char32_t>(U'0' + i % 10);
  for (const std::u32string& text :
       {std::u32string(mib, U' '), std::u32string(mib, U'1'), std::u32string(mib, U'.'),
        std::u32string(mib, U'x'), digits80}) {
    for (Parser parser : {Parser::kDate, Parser::kTime, Parser::kDatetime}) {
      const Parsed p = parse(en, parser, text, LOCALE_DATE_LENIENT);
      EXPECT_EQ(p.status, kBad);
      EXPECT_EQ(p.consumed, lengthOf(text));
    }
    for (std::int32_t option : {LOCALE_DATE_YYQQ, LOCALE_DATE_YYMM, LOCALE_DATE_YYWW}) {
      const Parsed p = parse(en, Parser::kDate, text, option);
      EXPECT_EQ(p.status, kBad);
      EXPECT_LE(p.consumed, lengthOf(text));
    }
  }
}

}  // namespace
}  // namespace zq::testing
