// The date and time forms the locales are known by, through words 37, 38, 47-49, 59:
// each form's exact text, the value it parses to, and the inputs each locale rejects.
#include <bit>

#include "date_support.h"

namespace zq::testing {
namespace {

constexpr Status kBad = ZQ_NLS_DTIFMTERR;
const double kMissing = std::bit_cast<double>(std::uint64_t{0xFFFFFE0000000000});

// 17 September 2002 (style 0), 1 January 2003 (style 1), Friday 31 December 2004
// (style 2) and 31 December 3009 23:59:59 (datetime) in each locale.
struct LocaleForms {
  const char32_t* locale;
  std::u32string short_date, medium_date, long_date, datetime;
};
const LocaleForms kForms[] = {
    {U"en_US", U"09/17/2002", U"01Jan2003", U"December 31, 2004", U"31Dec3009:23:59:59"},
    {U"zh_CN", U"2002- 9-17", U"2003年01月01日", U"2004年12月31日 星期五",
     U"3009年12月31日 23时59分59秒"},
    {U"zh_TW", U"2002/ 9/17", U"2003年01月01日", U"2004年12月31日 星期五",
     U"3009年12月31日 23時59分59秒"},
    {U"cs_CZ", U"17. 9.2002", U"01. ledna 2003", U"pátek, 31. prosince 2004",
     U"31. prosince 3009 23:59:59"},
    {U"nl_NL", U"17- 9-2002", U"01 januari 2003", U"vrijdag 31 december 2004",
     U"31 december 3009 23:59:59 uur"},
    {U"fr_FR", U"17/09/2002", U"01 janvier 2003", U"vendredi 31 décembre 2004",
     U"31 décembre 3009 23 h 59"},
    {U"de_DE", U"17.09.2002", U"01. Januar 2003", U"Freitag, 31. Dezember 2004",
     U"31. Dezember 3009 23.59 Uhr"},
    {U"he_IL", U"17/09/2002", U"01 ינואר 2003", U"יום שישי, 31 בדצמבר 2004",
     U"23:59:59 31 דצמבר 3009"},
    {U"hu_HU", U"2002.09.17.", U"2003. január 01.", U"2004. december 31., péntek",
     U"3009. december 31. 23:59:59"},
    {U"it_IT", U"17/09/2002", U"01 gennaio 2003", U"venerdì 31 dicembre 2004",
     U"31 dicembre 3009 23:59:59"},
    {U"ja_JP", U"2002/09/17", U"2003年01月01日", U"2004年12月31日 金曜日",
     U"3009年12月31日 23時59分59秒"},
    {U"ko_KR", U"02.  9. 17.", U"2003년 01월 01일", U"2004년 12월 31일 금요일",
     U"3009년 12월 31일 23시59분59초"},
    {U"pl_PL", U"17.09.2002", U"01 stycznia 2003", U"piątek, 31 grudnia 2004",
     U"31 grudnia 3009 23:59:59"},
    {U"ru_RU", U"17.09.2002", U"01 января 2003 г.", U"пятница, 31 декабря 2004 г.",
     U"31 декабря 3009 г. 23:59:59"},
    {U"sk_SK", U"17. 9.2002", U"2003, januára 01", U"piatok, 31. decembra 2004",
     U"3009, decembra 31 23:59:59"},
    {U"es_ES", U"17/09/2002", U"01 de enero de 2003", U"viernes, 31 de diciembre de 2004",
     U"31 de diciembre de 3009 23H59"},
    {U"sv_SE", U"2002-09-17", U"den 01 januari 2003", U"fredagen den 31:e december 2004",
     U"den 31 december 3009 kl 23:59"},
};

class DateFormsTest : public NlsTest {};

TEST_F(DateFormsTest, EachLocaleWritesAndReadsItsOwnForms) {
  const struct {
    Ymd date;
    std::int32_t style;
    std::u32string LocaleForms::*text;
  } kDates[] = {{{2002, 9, 17}, 0, &LocaleForms::short_date},
                {{2003, 1, 1}, 1, &LocaleForms::medium_date},
                {{2004, 12, 31}, 2, &LocaleForms::long_date}};
  for (const LocaleForms& forms : kForms) {
    SCOPED_TRACE(readable(forms.locale));
    LocaleHandle* l = locale(forms.locale);
    for (const auto& [date, style, text] : kDates) {
      const std::u32string& expected = forms.*text;
      EXPECT_EQ(formatDate(l, date, style), ok(expected)) << style;
      EXPECT_EQ(parse(l, Parser::kDate, expected, style),
                (Parsed{ZQ_OK, lengthOf(expected), date}));
    }
    // Forms without seconds write and read the whole minute.
    const double last = datetimeAt({3009, 12, 31}, 86399);
    const bool has_seconds = formatDatetime(l, last - 1) != formatDatetime(l, last);
    EXPECT_EQ(formatDatetime(l, last), ok(forms.datetime));
    EXPECT_EQ(parse(l, Parser::kDatetime, forms.datetime),
              (Parsed{ZQ_OK, lengthOf(forms.datetime), {}, has_seconds ? last : last - 59}));
  }
}

// Forms whose day is below 10, and one whose weekday is not a Friday.
TEST_F(DateFormsTest, SmallDaysAndOtherWeekdays) {
  const struct {
    const char32_t* locale;
    std::u32string text;
    std::int32_t style;
    Ymd date;
  } kRows[] = {
      {U"sv_SE", U"fredagen den  1:e januari 1960", 2, {1960, 1, 1}},
      {U"hu_HU", U"2004. február 29., vasárnap", 2, {2004, 2, 29}},
      {U"zh_CN", U"1960- 1- 1", 0, {1960, 1, 1}},
      {U"ko_KR", U"60.  1.  1.", 0, {1960, 1, 1}},
      {U"en_US", U"January 01, 1960", 2, {1960, 1, 1}},
  };
  for (const auto& row : kRows) {
    LocaleHandle* l = locale(row.locale);
    EXPECT_EQ(formatDate(l, row.date, row.style), ok(row.text)) << readable(row.text);
    EXPECT_EQ(parse(l, Parser::kDate, row.text, row.style),
              (Parsed{ZQ_OK, lengthOf(row.text), row.date}));
  }
  LocaleHandle* fr = locale(U"fr_FR");
  EXPECT_EQ(formatDatetime(fr, 1.0), ok(U"01 janvier 1960 00 h 00"));
  EXPECT_EQ(parse(fr, Parser::kDatetime, U"01 janvier 1960 00 h 00"), (Parsed{ZQ_OK, 23}));
}

TEST_F(DateFormsTest, EnglishFormatsTruncationAndMissingTimes) {
  LocaleHandle* en = locale(U"en_US");
  EXPECT_EQ(formatDate(en, {2001, 9, 17}, 1), ok(U"17Sep2001"));
  EXPECT_EQ(formatDate(en, {1981, 9, 17}, 2), ok(U"September 17, 1981"));
  EXPECT_EQ(formatDate(en, {2001, 1, 1}, 0), ok(U"01/01/2001"));
  EXPECT_EQ(formatDate(en, {1990, 9, 17}, 2, 5), truncated(U"Septe"));
  EXPECT_EQ(formatDate(locale(U"de_DE"), {2001, 9, 17}, 1), ok(U"17. September 2001"));
  EXPECT_EQ(formatTime(en, 86399.0, 0), ok(U"11:59:59 PM"));
  EXPECT_EQ(formatTime(en, 86399.0, 1, 4), truncated(U"23:5"));
  EXPECT_EQ(formatTime(en, 0.0, 0), ok(U"12:00:00 AM"));
  EXPECT_EQ(formatTime(en, 43200.5, 0), ok(U"12:00:00 PM"));
  EXPECT_EQ(formatTime(locale(U"zh_CN"), 67320.0, 0), ok(U"下午06:42:00"));
  EXPECT_EQ(formatTime(en, kMissing, 1), (Formatted{ZQ_NLS_MISSING_VALUE, 0, U""}));
  EXPECT_EQ(formatDatetime(en, kMissing), (Formatted{ZQ_NLS_MISSING_VALUE, 0, U""}));

  EXPECT_EQ(parse(en, Parser::kTime, U"12:34:56 am", 0), (Parsed{ZQ_OK, 11, {}, 2096}));
  EXPECT_EQ(parse(en, Parser::kTime, U"00:34:59", 1), (Parsed{ZQ_OK, 8, {}, 2099}));
  EXPECT_EQ(parse(en, Parser::kTime, U"01:00:59 PM", 0), (Parsed{ZQ_OK, 11, {}, 46859}));
  EXPECT_EQ(parse(en, Parser::kDatetime, U"02Mar2002:09:00:00"),
            (Parsed{ZQ_OK, 18, {}, 1330678800}));
  EXPECT_EQ(formatDatetime(en, 1330678800), ok(U"02Mar2002:09:00:00"));
}

// Inputs every locale rejects, and the three that en_US alone reads: it skips
// leading blanks, and its month abbreviations match in any case. The en_US forms of
// days, months and times that do not exist are rejected too.
TEST_F(DateFormsTest, InputsOutsideTheFormsAreRejected) {
  constexpr Parser kDate = Parser::kDate, kTime = Parser::kTime, kDatetime = Parser::kDatetime;
  const struct {
    Parser parser;
    std::u32string text;
    std::int32_t style;
    bool english_reads;
  } kInputs[] = {
      {kDate, U".", 2, false}, {kDate, U"13June2004", 2, false}, {kDate, U"  13Jun2004", 2, false},
      {kDate, U"13JUN2003", 2, false}, {kDate, U"29feb2003", 2, false},
      {kDate, U"  18May2005", 1, true}, {kDatetime, U"29feb2003:02:00:00", 0, false},
      {kDatetime, U"  13jun2003:11:59:59", 0, true}, {kDatetime, U"13jun2003:11:59:59", 0, true},
      {kDatetime, U"31aug2003:21:45", 0, false}, {kDatetime, U"13june2003:11:59:59", 0, false},
      {kDatetime, U"13jun2003:12", 0, false}, {kDatetime, U"13jun2003:25:01:06", 0, false},
      {kDatetime, U"31sep3008:12:00:00", 0, false}, {kDatetime, U"13jun 2003:11:59:59", 0, false},
      {kDate, U"02/30/2004", 0, false}, {kDate, U"13/13/2004", 0, false},
      {kDate, U"00/10/2004", 0, false}, {kDate, U"01/00/2004", 0, false},
      {kDate, U"02/29/1900", 0, false}, {kDate, U"01/01/0000", 0, false},
      {kDate, U"01/01/2004 ", 0, false}, {kTime, U"24:00:00", 1, false},
      {kTime, U"12:60:00", 1, false}, {kTime, U"12:00:60", 1, false},
      {kTime, U"00:00:00 AM", 0, false}, {kTime, U"13:00:00 PM", 0, false},
      {kTime, U"12:00:00 XM", 0, false},
  };
  for (const LocaleForms& forms : kForms) {
    LocaleHandle* l = locale(forms.locale);
    const bool english = std::u32string(forms.locale) == U"en_US";
    for (const auto& input : kInputs) {
      EXPECT_EQ(parse(l, input.parser, input.text, input.style).status,
                english && input.english_reads ? ZQ_OK : kBad)
          << readable(forms.locale) << " " << readable(input.text);
    }
  }
  LocaleHandle* en = locale(U"en_US");
  EXPECT_EQ(parse(en, Parser::kDate, U"  18May2005", 1), (Parsed{ZQ_OK, 11, {2005, 5, 18}}));
  const double june13 = datetimeAt({2003, 6, 13}, 11 * 3600 + 59 * 60 + 59);
  EXPECT_EQ(parse(en, Parser::kDatetime, U"  13jun2003:11:59:59"),
            (Parsed{ZQ_OK, 20, {}, june13}));
  EXPECT_EQ(parse(en, Parser::kDate, U"13JUN2003", 1), (Parsed{ZQ_OK, 9, {2003, 6, 13}}));
  EXPECT_EQ(parse(locale(U"ru_RU"), Parser::kDate, U"01 ЯНВАРЯ 2003 г.", 1),
            (Parsed{ZQ_OK, 17, {2003, 1, 1}}));
  // Names match in any case; literals and the weekday's agreement do not bend.
  EXPECT_EQ(parse(locale(U"de_DE"), Parser::kDate, U"Donnerstag, 31. Dezember 2004", 2).status,
            kBad);
  EXPECT_EQ(parse(locale(U"es_ES"), Parser::kDate, U"01 DE enero de 2003", 1).status, kBad);
  // Failed parses leave no stale value behind.
  EXPECT_EQ(parse(en, Parser::kDate, U"29feb2003", 1), (Parsed{kBad, 9, {0, 0, 0}}));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(parse(en, Parser::kDatetime, U"13jun2003:12").seconds),
            0xFFFFFE0000000000u);
}

}  // namespace
}  // namespace zq::testing
