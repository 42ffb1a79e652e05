// The date and time forms through words 37, 38, 47-49, 59, beyond the suites' rows: small
// days, other weekdays and clocks, and inputs outside the forms.
#include <bit>

#include "date_support.h"

namespace zq::testing {
namespace {

constexpr Status kBad = ZQ_NLS_DTIFMTERR;
const double kMissing = std::bit_cast<double>(kMissingBits);

class DateFormsTest : public NlsTest {};

// Forms whose day is below 10, and whose weekday is not the suites' Friday.
TEST_F(DateFormsTest, SmallDaysOtherWeekdaysAndClocks) {
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
  LocaleHandle* en = locale(U"en_US");
  EXPECT_EQ(formatTime(locale(U"zh_CN"), 67320.0, 0), ok(U"下午06:42:00"));
  EXPECT_EQ(formatDatetime(en, kMissing), (Formatted{ZQ_NLS_MISSING_VALUE, 0, U""}));
}

// en_US inputs with days, months and times that do not exist, or that stray from the
// forms, and names in other cases. (February's last day, en_US's leading blanks and
// ASCII month names in either case are dateTest1's and the sanity listings'.)
TEST_F(DateFormsTest, InputsOutsideTheFormsAreRejected) {
  LocaleHandle* en = locale(U"en_US");
  const struct {
    Parser parser;
    std::u32string text;
    std::int32_t style;
  } kInputs[] = {
      {Parser::kDate, U"13/13/2004", 0}, {Parser::kDate, U"00/10/2004", 0},
      {Parser::kDate, U"01/00/2004", 0}, {Parser::kDate, U"01/01/0000", 0},
      {Parser::kDate, U"01/01/2004 ", 0}, {Parser::kTime, U"24:00:00", 1},
      {Parser::kTime, U"12:60:00", 1},   {Parser::kTime, U"12:00:60", 1},
      {Parser::kTime, U"00:00:00 AM", 0}, {Parser::kTime, U"13:00:00 PM", 0},
      {Parser::kTime, U"12:00:00 XM", 0},
  };
  for (const auto& input : kInputs) {
    EXPECT_EQ(parse(en, input.parser, input.text, input.style).status, kBad)
        << readable(input.text);
  }
  // A whole form followed by more text is refused having read the form.
  EXPECT_EQ(parse(en, Parser::kDate, U"01/01/2004 ", 0), (Parsed{kBad, 10, {0, 0, 0}}));
  EXPECT_EQ(parse(locale(U"ru_RU"), Parser::kDate, U"01 ЯНВАРЯ 2003 г.", 1),
            (Parsed{ZQ_OK, 17, {2003, 1, 1}}));
  // Names match in any case; literals and the weekday's agreement do not bend.
  EXPECT_EQ(parse(locale(U"de_DE"), Parser::kDate, U"Donnerstag, 31. Dezember 2004", 2).status,
            kBad);
  EXPECT_EQ(parse(locale(U"es_ES"), Parser::kDate, U"01 DE enero de 2003", 1).status, kBad);
  EXPECT_EQ(parse(en, Parser::kDate, U"29feb2003", 1), (Parsed{kBad, 9, {0, 0, 0}}));
}

}  // namespace
}  // namespace zq::testing
