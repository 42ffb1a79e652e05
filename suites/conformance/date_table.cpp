// dateTest1's case tables and the texts each locale writes for their dates.
//
// The locale texts are written by hand from each locale's patterns and names, for
//   A1 17 Sep 2002 (short)     A2 1 Jan 2003 (medium)     A3 Fri 31 Dec 2004 (long)
//   A4 1 Jan 1960 (medium)     A5 Fri 1 Jan 1960 (long)   A6 15 May 3004 (medium)
//   A7 Tue 31 Aug 1582 (long)  A8 Sun 29 Feb 2004 (long)
//   B1 31 Dec 3009 23:59:59    B2 1 Jan 1582 00:00:00     B3 1 Jan 1960 00:00:01
//   B4 29 Feb 2004 02:00:00    B13 16 Oct 2004 12:00:00
// Weekdays are those of the proleptic Gregorian calendar (Zeller's congruence).
// Datetime forms without seconds (de_DE, es_ES, fr_FR, sv_SE) write B3 as midnight,
// and the format-back check compares against that shorter text.
#include "suites/conformance/date_table.h"

#include <string_view>

#include "suites/conformance/locale_loop.h"

namespace zq::conformance {
namespace {

constexpr Status kOk = ZQ_OK;
constexpr Status kError = ZQ_NLS_DTIFMTERR;

// value text, style, input (null: the locale's), status in en_US, elsewhere, y, m, d
constexpr DateParseCase kDateCases[] = {
    {U"17SEP2002", LOCALE_DATE_SHORT, nullptr, kOk, kOk, 2002, 9, 17},
    {U"01JAN2003", LOCALE_DATE_LONG, nullptr, kOk, kOk, 2003, 1, 1},
    {U"31DEC2004", LOCALE_DATE_FULL, nullptr, kOk, kOk, 2004, 12, 31},
    {U"01JAN1960", LOCALE_DATE_LONG, nullptr, kOk, kOk, 1960, 1, 1},
    {U"01JAN1960", LOCALE_DATE_FULL, nullptr, kOk, kOk, 1960, 1, 1},
    {U"15MAY3004", LOCALE_DATE_LONG, nullptr, kOk, kOk, 3004, 5, 15},
    {U"31AUG1582", LOCALE_DATE_FULL, nullptr, kOk, kOk, 1582, 8, 31},
    {U"29FEB2004", LOCALE_DATE_FULL, nullptr, kOk, kOk, 2004, 2, 29},
    {U".", LOCALE_DATE_FULL, U".", kError, kError, 0, 0, 0},
    {U"13June2004 ", LOCALE_DATE_FULL, U"13June2004", kError, kError, 0, 0, 0},
    {U"13Jun2004 ", LOCALE_DATE_FULL, U"  13Jun2004", kError, kError, 0, 0, 0},
    {U"13JUN2003 ", LOCALE_DATE_FULL, U"13JUN2003", kError, kError, 0, 0, 0},
    {U"29feb2003 ", LOCALE_DATE_FULL, U"29feb2003", kError, kError, 0, 0, 0},
    // Only en_US reads blanks before a date.
    {U"18May2005 ", LOCALE_DATE_LONG, U"  18May2005", kOk, kError, 0, 0, 0},
};

constexpr const char32_t* kFormatBack = U"S0210014";
constexpr const char32_t* kBlanksAndCase = U"S0209048";

// descriptor, input (null: the locale's), its form, status in en_US, elsewhere, tag
constexpr DatetimeParseCase kDatetimeCases[] = {
    {U"zqnlsBufferToDatetime with datetime 31DEC09:23:59:59", nullptr, 0, kOk, kOk,
     kFormatBack},
    {U"zqnlsBufferToDatetime with datetime 01JAN82:00:00:00", nullptr, 1, kOk, kOk,
     kFormatBack},
    {U"zqnlsBufferToDatetime with datetime 01JAN60:00:00:01", nullptr, 2, kOk, kOk,
     kFormatBack},
    {U"zqnlsBufferToDatetime with datetime 29FEB04:02:00:00", nullptr, 3, kOk, kOk,
     kFormatBack},
    {U"zqnlsBufferToDatetime with alt buffer datetime 29feb2003:02:00:00 ",
     U"29feb2003:02:00:00", -1, kError, kError, nullptr},
    // en_US reads blanks before a datetime, and a month abbreviation in any case.
    {U"zqnlsBufferToDatetime with alt buffer datetime 13jun2003:11:59:59 ",
     U"  13jun2003:11:59:59", -1, kOk, kError, kBlanksAndCase},
    {U"zqnlsBufferToDatetime with alt buffer datetime 13jun2003:11:59:59 ",
     U"13jun2003:11:59:59", -1, kOk, kError, kBlanksAndCase},
    {U"zqnlsBufferToDatetime with alt buffer datetime 31aug2003:21:45 ", U"31aug2003:21:45",
     -1, kError, kError, nullptr},
    {U"zqnlsBufferToDatetime with alt buffer datetime 13june2003:11:59:59 ",
     U"13june2003:11:59:59", -1, kError, kError, nullptr},
    {U"zqnlsBufferToDatetime with alt buffer datetime 13jun2003:12 ", U"13jun2003:12", -1,
     kError, kError, nullptr},
    {U"zqnlsBufferToDatetime with alt buffer datetime 13jun2003:25:01:06 ",
     U"13jun2003:25:01:06", -1, kError, kError, nullptr},
    {U"zqnlsBufferToDatetime with alt buffer datetime 31sep3008:12:00:00 ",
     U"31sep3008:12:00:00", -1, kError, kError, nullptr},
    {U"zqnlsBufferToDatetime with datetime 16OCT04:12:00:00", nullptr, 4, kOk, kOk,
     kFormatBack},
    {U"zqnlsBufferToDatetime with alt buffer datetime 13jun 2003:11:59:59 ",
     U"13jun 2003:11:59:59", -1, kError, kError, kBlanksAndCase},
};

// Patterns, medium | long | datetime, above each locale's row.
constexpr DateLocaleInputs kLocaleInputs[] = {
    // ddMMMyyyy | MMMM dd, yyyy | ddMMMyyyy:HH:mm:ss
    {U"en_US",
     {U"09/17/2002", U"01Jan2003", U"December 31, 2004", U"01Jan1960", U"January 01, 1960",
      U"15May3004", U"August 31, 1582", U"February 29, 2004"},
     {U"31Dec3009:23:59:59", U"01Jan1582:00:00:00", U"01Jan1960:00:00:01",
      U"29Feb2004:02:00:00", U"16Oct2004:12:00:00"}},
    // yyyy年MM月dd日 | yyyy年MM月dd日 EEEE | yyyy年MM月dd日 HH时mm分ss秒
    {U"zh_CN",
     {U"2002- 9-17", U"2003年01月01日", U"2004年12月31日 星期五", U"1960年01月01日",
      U"1960年01月01日 星期五", U"3004年05月15日", U"1582年08月31日 星期二",
      U"2004年02月29日 星期日"},
     {U"3009年12月31日 23时59分59秒", U"1582年01月01日 00时00分00秒",
      U"1960年01月01日 00时00分01秒", U"2004年02月29日 02时00分00秒",
      U"2004年10月16日 12时00分00秒"}},
    // yyyy年MM月dd日 | yyyy年MM月dd日 EEEE | yyyy年MM月dd日 HH時mm分ss秒
    {U"zh_TW",
     {U"2002/ 9/17", U"2003年01月01日", U"2004年12月31日 星期五", U"1960年01月01日",
      U"1960年01月01日 星期五", U"3004年05月15日", U"1582年08月31日 星期二",
      U"2004年02月29日 星期日"},
     {U"3009年12月31日 23時59分59秒", U"1582年01月01日 00時00分00秒",
      U"1960年01月01日 00時00分01秒", U"2004年02月29日 02時00分00秒",
      U"2004年10月16日 12時00分00秒"}},
    // dd. MMMM yyyy | EEEE, dd. MMMM yyyy | dd. MMMM yyyy HH:mm:ss
    {U"cs_CZ",
     {U"17. 9.2002", U"01. ledna 2003", U"pátek, 31. prosince 2004", U"01. ledna 1960",
      U"pátek, 01. ledna 1960", U"15. května 3004", U"úterý, 31. srpna 1582",
      U"neděle, 29. února 2004"},
     {U"31. prosince 3009 23:59:59", U"01. ledna 1582 00:00:00", U"01. ledna 1960 00:00:01",
      U"29. února 2004 02:00:00", U"16. října 2004 12:00:00"}},
    // dd MMMM yyyy | EEEE dd MMMM yyyy | dd MMMM yyyy HH:mm:ss 'uur'
    {U"nl_NL",
     {U"17- 9-2002", U"01 januari 2003", U"vrijdag 31 december 2004", U"01 januari 1960",
      U"vrijdag 01 januari 1960", U"15 mei 3004", U"dinsdag 31 augustus 1582",
      U"zondag 29 februari 2004"},
     {U"31 december 3009 23:59:59 uur", U"01 januari 1582 00:00:00 uur",
      U"01 januari 1960 00:00:01 uur", U"29 februari 2004 02:00:00 uur",
      U"16 oktober 2004 12:00:00 uur"}},
    // dd MMMM yyyy | EEEE dd MMMM yyyy | dd MMMM yyyy HH 'h' mm
    {U"fr_FR",
     {U"17/09/2002", U"01 janvier 2003", U"vendredi 31 décembre 2004", U"01 janvier 1960",
      U"vendredi 01 janvier 1960", U"15 mai 3004", U"mardi 31 août 1582",
      U"dimanche 29 février 2004"},
     {U"31 décembre 3009 23 h 59", U"01 janvier 1582 00 h 00", U"01 janvier 1960 00 h 00",
      U"29 février 2004 02 h 00", U"16 octobre 2004 12 h 00"}},
    // dd. MMMM yyyy | EEEE, dd. MMMM yyyy | dd. MMMM yyyy HH.mm 'Uhr'
    {U"de_DE",
     {U"17.09.2002", U"01. Januar 2003", U"Freitag, 31. Dezember 2004", U"01. Januar 1960",
      U"Freitag, 01. Januar 1960", U"15. Mai 3004", U"Dienstag, 31. August 1582",
      U"Sonntag, 29. Februar 2004"},
     {U"31. Dezember 3009 23.59 Uhr", U"01. Januar 1582 00.00 Uhr", U"01. Januar 1960 00.00 Uhr",
      U"29. Februar 2004 02.00 Uhr", U"16. Oktober 2004 12.00 Uhr"}},
    // dd MMMM yyyy | EEEE, dd בMMMM yyyy | HH:mm:ss dd MMMM yyyy
    {U"he_IL",
     {U"17/09/2002", U"01 ינואר 2003", U"יום שישי, 31 בדצמבר 2004", U"01 ינואר 1960",
      U"יום שישי, 01 בינואר 1960", U"15 מאי 3004", U"יום שלישי, 31 באוגוסט 1582",
      U"יום ראשון, 29 בפברואר 2004"},
     {U"23:59:59 31 דצמבר 3009", U"00:00:00 01 ינואר 1582", U"00:00:01 01 ינואר 1960",
      U"02:00:00 29 פברואר 2004", U"12:00:00 16 אוקטובר 2004"}},
    // yyyy. MMMM dd. | yyyy. MMMM dd., EEEE | yyyy. MMMM dd. HH:mm:ss
    {U"hu_HU",
     {U"2002.09.17.", U"2003. január 01.", U"2004. december 31., péntek", U"1960. január 01.",
      U"1960. január 01., péntek", U"3004. május 15.", U"1582. augusztus 31., kedd",
      U"2004. február 29., vasárnap"},
     {U"3009. december 31. 23:59:59", U"1582. január 01. 00:00:00",
      U"1960. január 01. 00:00:01", U"2004. február 29. 02:00:00",
      U"2004. október 16. 12:00:00"}},
    // dd MMMM yyyy | EEEE dd MMMM yyyy | dd MMMM yyyy HH:mm:ss
    {U"it_IT",
     {U"17/09/2002", U"01 gennaio 2003", U"venerdì 31 dicembre 2004", U"01 gennaio 1960",
      U"venerdì 01 gennaio 1960", U"15 maggio 3004", U"martedì 31 agosto 1582",
      U"domenica 29 febbraio 2004"},
     {U"31 dicembre 3009 23:59:59", U"01 gennaio 1582 00:00:00", U"01 gennaio 1960 00:00:01",
      U"29 febbraio 2004 02:00:00", U"16 ottobre 2004 12:00:00"}},
    // yyyy年MM月dd日 | yyyy年MM月dd日 EEEE | yyyy年MM月dd日 HH時mm分ss秒
    {U"ja_JP",
     {U"2002/09/17", U"2003年01月01日", U"2004年12月31日 金曜日", U"1960年01月01日",
      U"1960年01月01日 金曜日", U"3004年05月15日", U"1582年08月31日 火曜日",
      U"2004年02月29日 日曜日"},
     {U"3009年12月31日 23時59分59秒", U"1582年01月01日 00時00分00秒",
      U"1960年01月01日 00時00分01秒", U"2004年02月29日 02時00分00秒",
      U"2004年10月16日 12時00分00秒"}},
    // yyyy년 MM월 dd일 | yyyy년 MM월 dd일 EEEE | yyyy년 MM월 dd일 HH시mm분ss초
    {U"ko_KR",
     {U"02.  9. 17.", U"2003년 01월 01일", U"2004년 12월 31일 금요일", U"1960년 01월 01일",
      U"1960년 01월 01일 금요일", U"3004년 05월 15일", U"1582년 08월 31일 화요일",
      U"2004년 02월 29일 일요일"},
     {U"3009년 12월 31일 23시59분59초", U"1582년 01월 01일 00시00분00초",
      U"1960년 01월 01일 00시00분01초", U"2004년 02월 29일 02시00분00초",
      U"2004년 10월 16일 12시00분00초"}},
    // dd MMMM yyyy | EEEE, dd MMMM yyyy | dd MMMM yyyy HH:mm:ss
    {U"pl_PL",
     {U"17.09.2002", U"01 stycznia 2003", U"piątek, 31 grudnia 2004", U"01 stycznia 1960",
      U"piątek, 01 stycznia 1960", U"15 maja 3004", U"wtorek, 31 sierpnia 1582",
      U"niedziela, 29 lutego 2004"},
     {U"31 grudnia 3009 23:59:59", U"01 stycznia 1582 00:00:00", U"01 stycznia 1960 00:00:01",
      U"29 lutego 2004 02:00:00", U"16 października 2004 12:00:00"}},
    // dd MMMM yyyy г. | EEEE, dd MMMM yyyy г. | dd MMMM yyyy г. HH:mm:ss
    {U"ru_RU",
     {U"17.09.2002", U"01 января 2003 г.", U"пятница, 31 декабря 2004 г.", U"01 января 1960 г.",
      U"пятница, 01 января 1960 г.", U"15 мая 3004 г.", U"вторник, 31 августа 1582 г.",
      U"воскресенье, 29 февраля 2004 г."},
     {U"31 декабря 3009 г. 23:59:59", U"01 января 1582 г. 00:00:00",
      U"01 января 1960 г. 00:00:01", U"29 февраля 2004 г. 02:00:00",
      U"16 октября 2004 г. 12:00:00"}},
    // yyyy, MMMM dd | EEEE, dd. MMMM yyyy | yyyy, MMMM dd HH:mm:ss
    {U"sk_SK",
     {U"17. 9.2002", U"2003, januára 01", U"piatok, 31. decembra 2004", U"1960, januára 01",
      U"piatok, 01. januára 1960", U"3004, mája 15", U"utorok, 31. augusta 1582",
      U"nedeľa, 29. februára 2004"},
     {U"3009, decembra 31 23:59:59", U"1582, januára 01 00:00:00", U"1960, januára 01 00:00:01",
      U"2004, februára 29 02:00:00", U"2004, októbra 16 12:00:00"}},
    // dd 'de' MMMM 'de' yyyy | EEEE, dd 'de' MMMM 'de' yyyy | dd 'de' MMMM 'de' yyyy HH'H'mm
    {U"es_ES",
     {U"17/09/2002", U"01 de enero de 2003", U"viernes, 31 de diciembre de 2004",
      U"01 de enero de 1960", U"viernes, 01 de enero de 1960", U"15 de mayo de 3004",
      U"martes, 31 de agosto de 1582", U"domingo, 29 de febrero de 2004"},
     {U"31 de diciembre de 3009 23H59", U"01 de enero de 1582 00H00", U"01 de enero de 1960 00H00",
      U"29 de febrero de 2004 02H00", U"16 de octubre de 2004 12H00"}},
    // 'den' dd MMMM yyyy | EEEE'en den' _d':e' MMMM yyyy | 'den' dd MMMM yyyy 'kl' HH:mm
    {U"sv_SE",
     {U"2002-09-17", U"den 01 januari 2003", U"fredagen den 31:e december 2004",
      U"den 01 januari 1960", U"fredagen den  1:e januari 1960", U"den 15 maj 3004",
      U"tisdagen den 31:e augusti 1582", U"söndagen den 29:e februari 2004"},
     {U"den 31 december 3009 kl 23:59", U"den 01 januari 1582 kl 00:00",
      U"den 01 januari 1960 kl 00:00", U"den 29 februari 2004 kl 02:00",
      U"den 16 oktober 2004 kl 12:00"}},
};

// Every input fits the 72-unit work buffer, and the rows follow the locale order.
consteval bool fits(const char32_t* text) {
  return text == nullptr || std::u32string_view(text).size() <= kBufferUnits;
}
consteval bool tablesAreSound() {
  for (const DateParseCase& c : kDateCases) {
    if (!fits(c.input)) return false;
  }
  for (const DatetimeParseCase& c : kDatetimeCases) {
    if (!fits(c.input) || (c.input == nullptr) != (c.locale_form >= 0)) return false;
  }
  if (std::size(kLocaleInputs) != std::size(kConformanceLocales)) return false;
  for (std::size_t i = 0; i < std::size(kLocaleInputs); ++i) {
    const DateLocaleInputs& row = kLocaleInputs[i];
    if (std::u32string_view(row.name) != kConformanceLocales[i].name) return false;
    for (const char32_t* text : row.dates) {
      if (!fits(text)) return false;
    }
    for (const char32_t* text : row.datetimes) {
      if (!fits(text)) return false;
    }
  }
  return true;
}
static_assert(std::size(kDateCases) == 14 && std::size(kDatetimeCases) == 14);
static_assert(tablesAreSound());

}  // namespace

std::span<const DateParseCase> dateParseCases() { return kDateCases; }
std::span<const DatetimeParseCase> datetimeParseCases() { return kDatetimeCases; }
std::span<const DateLocaleInputs> dateLocaleInputs() { return kLocaleInputs; }

}  // namespace zq::conformance
