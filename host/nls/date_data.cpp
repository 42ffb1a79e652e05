// The date table: month and weekday names, day-period markers and the date, datetime
// and time patterns of the 21 locales the host supports.
//
// Every numeric date, datetime and long form here writes the texts the locale's users
// exchange with the host, to the unit: zh_CN "2002- 9-17", ko_KR "02.  9. 17.",
// sv_SE "fredagen den  1:e januari 1960", fr_FR "31 décembre 3009 23 h 59". Month
// names are in the form a language uses inside a date: the genitive in Czech, Polish,
// Russian and Slovak ("31. prosince"), and Hebrew adds the preposition "ב" before the
// month only in its long form ("31 בדצמבר"). Days are two units wide everywhere, with
// a zero or, where the locale pads with blanks, a blank. Datetime forms without
// seconds (de_DE, es_ES, fr_FR, sv_SE) write and read whole minutes. Every time style
// writes seconds: style 0 on the twelve-hour clock with the locale's markers, style 1
// as "HH:mm:ss".
//
// For lenient and period reading each locale adds the words its dates and times carry
// besides names (fill words such as "de" and "г.", time marks such as "h" and "時"),
// its quarter names in full and abbreviated, the marks of a week's number ("W" in
// every locale, and the locale's own word), and its week rule: ISO 8601 weeks (from
// Monday, week 1 holding 4 January) in cs, de, es_ES, fr, hu, it, nl, pl, ru, sk and
// sv; weeks from Sunday whose week 1 holds 1 January in es_MX, he, ja, ko and zh_TW;
// from Monday so in kk and zh_CN; from Saturday so in ar_SD and ar_SY; and in en_US
// weeks from Sunday whose week 1 is the first whole week ("W1 1999" is Sunday 3
// January 1999, as 1 January 1999 was a Friday).
#include "host/nls/date_data.h"

#include <algorithm>
#include <iterator>

namespace zq::host {
namespace {

using Months = std::array<std::u32string_view, 12>;
using Weekdays = std::array<std::u32string_view, 7>;
using DayPeriods = std::array<std::u32string_view, 2>;

constexpr DayPeriods kAmPm{U"AM", U"PM"};
constexpr Months kNumberedMonths{U"1月", U"2月", U"3月", U"4月",  U"5月",  U"6月",
                                 U"7月", U"8月", U"9月", U"10月", U"11月", U"12月"};
constexpr Weekdays kChineseWeekdays{U"星期日", U"星期一", U"星期二", U"星期三",
                                    U"星期四", U"星期五", U"星期六"};
constexpr Months kGulfMonths{U"يناير",  U"فبراير", U"مارس",   U"أبريل",  U"مايو",   U"يونيو",
                             U"يوليو",  U"أغسطس",  U"سبتمبر", U"أكتوبر", U"نوفمبر", U"ديسمبر"};
constexpr Months kLevantMonths{U"كانون الثاني", U"شباط",        U"آذار",        U"نيسان",
                               U"أيار",         U"حزيران",      U"تموز",        U"آب",
                               U"أيلول",        U"تشرين الأول", U"تشرين الثاني", U"كانون الأول"};
constexpr Weekdays kArabicWeekdays{U"الأحد",  U"الاثنين", U"الثلاثاء", U"الأربعاء",
                                   U"الخميس", U"الجمعة",  U"السبت"};
constexpr Months kSpanishMonths{U"enero",      U"febrero", U"marzo",     U"abril",
                                U"mayo",       U"junio",   U"julio",     U"agosto",
                                U"septiembre", U"octubre", U"noviembre", U"diciembre"};
constexpr Months kSpanishAbbreviations{U"ene", U"feb", U"mar",  U"abr", U"may", U"jun",
                                       U"jul", U"ago", U"sept", U"oct", U"nov", U"dic"};
constexpr Weekdays kSpanishWeekdays{U"domingo", U"lunes",   U"martes", U"miércoles",
                                    U"jueves",  U"viernes", U"sábado"};
constexpr DayPeriods kSpanishDayPeriods{U"a. m.", U"p. m."};
using Quarters = std::array<std::u32string_view, 4>;
constexpr Quarters kQuarterQ{U"Q1", U"Q2", U"Q3", U"Q4"};
constexpr Quarters kQuarterT{U"T1", U"T2", U"T3", U"T4"};
constexpr Quarters kArabicQuarters{U"الربع الأول", U"الربع الثاني", U"الربع الثالث",
                                   U"الربع الرابع"};
constexpr ReadingWords kArabicWords{
    {U"،"}, {}, kArabicQuarters, kArabicQuarters, {U"W", U"الأسبوع"}};
constexpr ReadingWords kSpanishWords{
    {U"de"},
    {U"h"},
    {U"1.er trimestre", U"2.º trimestre", U"3.er trimestre", U"4.º trimestre"},
    kQuarterT,
    {U"W", U"semana"}};
constexpr std::array<std::u32string_view, 4> kHanDateFill{U"年", U"月", U"日"};

// Week rules: ISO 8601 (weeks from Monday, week 1 holds the first Thursday), and
// weeks from Sunday or Saturday whose week 1 holds 1 January.
constexpr WeekRule kIsoWeeks{1, 4};
constexpr WeekRule kSundayWeeks{0, 1};
constexpr WeekRule kSaturdayWeeks{6, 1};

}  // namespace

constexpr DateLocale kArSdDates{
    {kGulfMonths, kGulfMonths, kArabicWeekdays, {U"ص", U"م"}},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE، dd MMMM yyyy"),
    DatePattern(U"dd MMMM yyyy HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    kArabicWords,
    kSaturdayWeeks};

constexpr DateLocale kArSyDates{
    {kLevantMonths, kLevantMonths, kArabicWeekdays, {U"ص", U"م"}},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE، dd MMMM yyyy"),
    DatePattern(U"dd MMMM yyyy HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    kArabicWords,
    kSaturdayWeeks};

constexpr DateLocale kCsCzDates{
    {{U"ledna", U"února", U"března", U"dubna", U"května", U"června", U"července", U"srpna",
      U"září", U"října", U"listopadu", U"prosince"},
     {U"led", U"úno", U"bře", U"dub", U"kvě", U"čvn", U"čvc", U"srp", U"zář", U"říj", U"lis",
      U"pro"},
     {U"neděle", U"pondělí", U"úterý", U"středa", U"čtvrtek", U"pátek", U"sobota"},
     {U"dop.", U"odp."}},
    DatePattern(U"_d._M.yyyy"),
    DatePattern(U"dd. MMMM yyyy"),
    DatePattern(U"EEEE, dd. MMMM yyyy"),
    DatePattern(U"dd. MMMM yyyy HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{},
     {},
     {U"1. čtvrtletí", U"2. čtvrtletí", U"3. čtvrtletí", U"4. čtvrtletí"},
     kQuarterQ,
     {U"W", U"týden"}},
    kIsoWeeks};

constexpr DateLocale kDeDeDates{
    {{U"Januar", U"Februar", U"März", U"April", U"Mai", U"Juni", U"Juli", U"August",
      U"September", U"Oktober", U"November", U"Dezember"},
     {U"Jan.", U"Feb.", U"März", U"Apr.", U"Mai", U"Juni", U"Juli", U"Aug.", U"Sept.", U"Okt.",
      U"Nov.", U"Dez."},
     {U"Sonntag", U"Montag", U"Dienstag", U"Mittwoch", U"Donnerstag", U"Freitag", U"Samstag"},
     kAmPm},
    DatePattern(U"dd.MM.yyyy"),
    DatePattern(U"dd. MMMM yyyy"),
    DatePattern(U"EEEE, dd. MMMM yyyy"),
    DatePattern(U"dd. MMMM yyyy HH.mm 'Uhr'"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{},
     {U"Uhr"},
     {U"1. Quartal", U"2. Quartal", U"3. Quartal", U"4. Quartal"},
     kQuarterQ,
     {U"W", U"KW", U"Woche"}},
    kIsoWeeks};

constexpr DateLocale kEnUsDates{
    {{U"January", U"February", U"March", U"April", U"May", U"June", U"July", U"August",
      U"September", U"October", U"November", U"December"},
     {U"Jan", U"Feb", U"Mar", U"Apr", U"May", U"Jun", U"Jul", U"Aug", U"Sep", U"Oct", U"Nov",
      U"Dec"},
     {U"Sunday", U"Monday", U"Tuesday", U"Wednesday", U"Thursday", U"Friday", U"Saturday"},
     kAmPm},
    DatePattern(U"MM/dd/yyyy"),
    DatePattern(U"ddMMMyyyy"),
    DatePattern(U"MMMM dd, yyyy"),
    DatePattern(U"ddMMMyyyy:HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    true,
    {{},
     {},
     {U"1st quarter", U"2nd quarter", U"3rd quarter", U"4th quarter"},
     kQuarterQ,
     {U"W", U"Week"}},
    // Weeks from Sunday; week 1 is the first whole week, begun by the first Sunday.
    WeekRule{0, 7}};

constexpr DateLocale kEsEsDates{
    {kSpanishMonths, kSpanishAbbreviations, kSpanishWeekdays, kSpanishDayPeriods},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd 'de' MMMM 'de' yyyy"),
    DatePattern(U"EEEE, dd 'de' MMMM 'de' yyyy"),
    DatePattern(U"dd 'de' MMMM 'de' yyyy HH'H'mm"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    kSpanishWords,
    kIsoWeeks};

constexpr DateLocale kEsMxDates{
    {kSpanishMonths, kSpanishAbbreviations, kSpanishWeekdays, kSpanishDayPeriods},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd 'de' MMMM 'de' yyyy"),
    DatePattern(U"EEEE, dd 'de' MMMM 'de' yyyy"),
    DatePattern(U"dd 'de' MMMM 'de' yyyy HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    kSpanishWords,
    kSundayWeeks};

constexpr DateLocale kFrFrDates{
    {{U"janvier", U"février", U"mars", U"avril", U"mai", U"juin", U"juillet", U"août",
      U"septembre", U"octobre", U"novembre", U"décembre"},
     {U"janv.", U"févr.", U"mars", U"avr.", U"mai", U"juin", U"juil.", U"août", U"sept.",
      U"oct.", U"nov.", U"déc."},
     {U"dimanche", U"lundi", U"mardi", U"mercredi", U"jeudi", U"vendredi", U"samedi"},
     kAmPm},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE dd MMMM yyyy"),
    DatePattern(U"dd MMMM yyyy HH 'h' mm"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"er"},
     {U"h"},
     {U"1er trimestre", U"2e trimestre", U"3e trimestre", U"4e trimestre"},
     kQuarterT,
     {U"W", U"S", U"semaine"}},
    kIsoWeeks};

constexpr DateLocale kHeIlDates{
    {{U"ינואר", U"פברואר", U"מרץ", U"אפריל", U"מאי", U"יוני", U"יולי", U"אוגוסט", U"ספטמבר",
      U"אוקטובר", U"נובמבר", U"דצמבר"},
     {U"ינו׳", U"פבר׳", U"מרץ", U"אפר׳", U"מאי", U"יוני", U"יולי", U"אוג׳", U"ספט׳", U"אוק׳",
      U"נוב׳", U"דצמ׳"},
     {U"יום ראשון", U"יום שני", U"יום שלישי", U"יום רביעי", U"יום חמישי", U"יום שישי",
      U"יום שבת"},
     {U"לפנה״צ", U"אחה״צ"}},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE, dd בMMMM yyyy"),
    DatePattern(U"HH:mm:ss dd MMMM yyyy"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"ב"},
     {},
     {U"רבעון 1", U"רבעון 2", U"רבעון 3", U"רבעון 4"},
     kQuarterQ,
     {U"W", U"שבוע"}},
    kSundayWeeks};

constexpr DateLocale kHuHuDates{
    {{U"január", U"február", U"március", U"április", U"május", U"június", U"július",
      U"augusztus", U"szeptember", U"október", U"november", U"december"},
     {U"jan.", U"febr.", U"márc.", U"ápr.", U"máj.", U"jún.", U"júl.", U"aug.", U"szept.",
      U"okt.", U"nov.", U"dec."},
     {U"vasárnap", U"hétfő", U"kedd", U"szerda", U"csütörtök", U"péntek", U"szombat"},
     {U"de.", U"du."}},
    DatePattern(U"yyyy.MM.dd."),
    DatePattern(U"yyyy. MMMM dd."),
    DatePattern(U"yyyy. MMMM dd., EEEE"),
    DatePattern(U"yyyy. MMMM dd. HH:mm:ss"),
    DatePattern(U"a hh:mm:ss"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{},
     {},
     {U"I. negyedév", U"II. negyedév", U"III. negyedév", U"IV. negyedév"},
     {U"I. n.év", U"II. n.év", U"III. n.év", U"IV. n.év"},
     {U"W", U"hét"}},
    kIsoWeeks};

constexpr DateLocale kItItDates{
    {{U"gennaio", U"febbraio", U"marzo", U"aprile", U"maggio", U"giugno", U"luglio", U"agosto",
      U"settembre", U"ottobre", U"novembre", U"dicembre"},
     {U"gen", U"feb", U"mar", U"apr", U"mag", U"giu", U"lug", U"ago", U"set", U"ott", U"nov",
      U"dic"},
     {U"domenica", U"lunedì", U"martedì", U"mercoledì", U"giovedì", U"venerdì", U"sabato"},
     kAmPm},
    DatePattern(U"dd/MM/yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE dd MMMM yyyy"),
    DatePattern(U"dd MMMM yyyy HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{},
     {},
     {U"1º trimestre", U"2º trimestre", U"3º trimestre", U"4º trimestre"},
     kQuarterT,
     {U"W", U"settimana"}},
    kIsoWeeks};

constexpr DateLocale kJaJpDates{
    {kNumberedMonths,
     kNumberedMonths,
     {U"日曜日", U"月曜日", U"火曜日", U"水曜日", U"木曜日", U"金曜日", U"土曜日"},
     {U"午前", U"午後"}},
    DatePattern(U"yyyy/MM/dd"),
    DatePattern(U"yyyy年MM月dd日"),
    DatePattern(U"yyyy年MM月dd日 EEEE"),
    DatePattern(U"yyyy年MM月dd日 HH時mm分ss秒"),
    DatePattern(U"ahh:mm:ss"),
    DatePattern(U"HH:mm:ss"),
    false,
    {kHanDateFill,
     {U"時", U"分", U"秒"},
     {U"第1四半期", U"第2四半期", U"第3四半期", U"第4四半期"},
     kQuarterQ,
     {U"W", U"第", U"週"}},
    kSundayWeeks};

constexpr DateLocale kKkKzDates{
    {{U"қаңтар", U"ақпан", U"наурыз", U"сәуір", U"мамыр", U"маусым", U"шілде", U"тамыз",
      U"қыркүйек", U"қазан", U"қараша", U"желтоқсан"},
     {U"қаң.", U"ақп.", U"нау.", U"сәу.", U"мам.", U"мау.", U"шіл.", U"там.", U"қыр.", U"қаз.",
      U"қар.", U"жел."},
     {U"жексенбі", U"дүйсенбі", U"сейсенбі", U"сәрсенбі", U"бейсенбі", U"жұма", U"сенбі"},
     kAmPm},
    DatePattern(U"dd.MM.yyyy"),
    DatePattern(U"yyyy ж. dd MMMM"),
    DatePattern(U"yyyy ж. dd MMMM, EEEE"),
    DatePattern(U"yyyy ж. dd MMMM HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"ж."},
     {},
     {U"І тоқсан", U"ІІ тоқсан", U"ІІІ тоқсан", U"IV тоқсан"},
     {U"І тқс.", U"ІІ тқс.", U"ІІІ тқс.", U"IV тқс."},
     {U"W", U"апта"}},
    WeekRule{1, 1}};

constexpr DateLocale kKoKrDates{
    {{U"1월", U"2월", U"3월", U"4월", U"5월", U"6월", U"7월", U"8월", U"9월", U"10월", U"11월",
      U"12월"},
     {U"1월", U"2월", U"3월", U"4월", U"5월", U"6월", U"7월", U"8월", U"9월", U"10월", U"11월",
      U"12월"},
     {U"일요일", U"월요일", U"화요일", U"수요일", U"목요일", U"금요일", U"토요일"},
     {U"오전", U"오후"}},
    DatePattern(U"yy. _M. _d."),
    DatePattern(U"yyyy년 MM월 dd일"),
    DatePattern(U"yyyy년 MM월 dd일 EEEE"),
    DatePattern(U"yyyy년 MM월 dd일 HH시mm분ss초"),
    DatePattern(U"a hh:mm:ss"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"년", U"월", U"일"},
     {U"시", U"분", U"초"},
     {U"제 1/4분기", U"제 2/4분기", U"제 3/4분기", U"제 4/4분기"},
     {U"1분기", U"2분기", U"3분기", U"4분기"},
     {U"W", U"주"}},
    kSundayWeeks};

constexpr DateLocale kNlNlDates{
    {{U"januari", U"februari", U"maart", U"april", U"mei", U"juni", U"juli", U"augustus",
      U"september", U"oktober", U"november", U"december"},
     {U"jan", U"feb", U"mrt", U"apr", U"mei", U"jun", U"jul", U"aug", U"sep", U"okt", U"nov",
      U"dec"},
     {U"zondag", U"maandag", U"dinsdag", U"woensdag", U"donderdag", U"vrijdag", U"zaterdag"},
     {U"a.m.", U"p.m."}},
    DatePattern(U"_d-_M-yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE dd MMMM yyyy"),
    DatePattern(U"dd MMMM yyyy HH:mm:ss 'uur'"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{},
     {U"uur"},
     {U"1e kwartaal", U"2e kwartaal", U"3e kwartaal", U"4e kwartaal"},
     {U"K1", U"K2", U"K3", U"K4"},
     {U"W", U"week"}},
    kIsoWeeks};

constexpr DateLocale kPlPlDates{
    {{U"stycznia", U"lutego", U"marca", U"kwietnia", U"maja", U"czerwca", U"lipca",
      U"sierpnia", U"września", U"października", U"listopada", U"grudnia"},
     {U"sty", U"lut", U"mar", U"kwi", U"maj", U"cze", U"lip", U"sie", U"wrz", U"paź", U"lis",
      U"gru"},
     {U"niedziela", U"poniedziałek", U"wtorek", U"środa", U"czwartek", U"piątek", U"sobota"},
     kAmPm},
    DatePattern(U"dd.MM.yyyy"),
    DatePattern(U"dd MMMM yyyy"),
    DatePattern(U"EEEE, dd MMMM yyyy"),
    DatePattern(U"dd MMMM yyyy HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"r."},
     {},
     {U"I kwartał", U"II kwartał", U"III kwartał", U"IV kwartał"},
     {U"I kw.", U"II kw.", U"III kw.", U"IV kw."},
     {U"W", U"tydzień"}},
    kIsoWeeks};

constexpr DateLocale kRuRuDates{
    {{U"января", U"февраля", U"марта", U"апреля", U"мая", U"июня", U"июля", U"августа",
      U"сентября", U"октября", U"ноября", U"декабря"},
     {U"янв.", U"февр.", U"мар.", U"апр.", U"мая", U"июн.", U"июл.", U"авг.", U"сент.",
      U"окт.", U"нояб.", U"дек."},
     {U"воскресенье", U"понедельник", U"вторник", U"среда", U"четверг", U"пятница",
      U"суббота"},
     kAmPm},
    DatePattern(U"dd.MM.yyyy"),
    DatePattern(U"dd MMMM yyyy г."),
    DatePattern(U"EEEE, dd MMMM yyyy г."),
    DatePattern(U"dd MMMM yyyy г. HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"г."},
     {},
     {U"1-й квартал", U"2-й квартал", U"3-й квартал", U"4-й квартал"},
     {U"1-й кв.", U"2-й кв.", U"3-й кв.", U"4-й кв."},
     {U"W", U"неделя"}},
    kIsoWeeks};

constexpr DateLocale kSkSkDates{
    {{U"januára", U"februára", U"marca", U"apríla", U"mája", U"júna", U"júla", U"augusta",
      U"septembra", U"októbra", U"novembra", U"decembra"},
     {U"jan", U"feb", U"mar", U"apr", U"máj", U"jún", U"júl", U"aug", U"sep", U"okt", U"nov",
      U"dec"},
     {U"nedeľa", U"pondelok", U"utorok", U"streda", U"štvrtok", U"piatok", U"sobota"},
     kAmPm},
    DatePattern(U"_d._M.yyyy"),
    DatePattern(U"yyyy, MMMM dd"),
    DatePattern(U"EEEE, dd. MMMM yyyy"),
    DatePattern(U"yyyy, MMMM dd HH:mm:ss"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{},
     {},
     {U"1. štvrťrok", U"2. štvrťrok", U"3. štvrťrok", U"4. štvrťrok"},
     kQuarterQ,
     {U"W", U"týždeň"}},
    kIsoWeeks};

constexpr DateLocale kSvSeDates{
    {{U"januari", U"februari", U"mars", U"april", U"maj", U"juni", U"juli", U"augusti",
      U"september", U"oktober", U"november", U"december"},
     {U"jan.", U"feb.", U"mars", U"apr.", U"maj", U"juni", U"juli", U"aug.", U"sep.", U"okt.",
      U"nov.", U"dec."},
     {U"söndag", U"måndag", U"tisdag", U"onsdag", U"torsdag", U"fredag", U"lördag"},
     {U"fm", U"em"}},
    DatePattern(U"yyyy-MM-dd"),
    DatePattern(U"'den' dd MMMM yyyy"),
    // The weekday in its definite form, "fredag" + "en".
    DatePattern(U"EEEE'en den' _d':e' MMMM yyyy"),
    DatePattern(U"'den' dd MMMM yyyy 'kl' HH:mm"),
    DatePattern(U"hh:mm:ss a"),
    DatePattern(U"HH:mm:ss"),
    false,
    {{U"den", U"en", U":e", U":a"},
     {U"kl."},
     {U"1:a kvartalet", U"2:a kvartalet", U"3:e kvartalet", U"4:e kvartalet"},
     {U"K1", U"K2", U"K3", U"K4"},
     {U"W", U"v.", U"vecka"}},
    kIsoWeeks};

constexpr DateLocale kZhCnDates{
    {{U"一月", U"二月", U"三月", U"四月", U"五月", U"六月", U"七月", U"八月", U"九月", U"十月",
      U"十一月", U"十二月"},
     kNumberedMonths,
     kChineseWeekdays,
     {U"上午", U"下午"}},
    DatePattern(U"yyyy-_M-_d"),
    DatePattern(U"yyyy年MM月dd日"),
    DatePattern(U"yyyy年MM月dd日 EEEE"),
    DatePattern(U"yyyy年MM月dd日 HH时mm分ss秒"),
    DatePattern(U"ahh:mm:ss"),
    DatePattern(U"HH:mm:ss"),
    false,
    {kHanDateFill,
     {U"时", U"分", U"秒"},
     {U"第一季度", U"第二季度", U"第三季度", U"第四季度"},
     {U"1季度", U"2季度", U"3季度", U"4季度"},
     {U"W", U"第", U"周"}},
    WeekRule{1, 1}};

constexpr DateLocale kZhTwDates{
    {kNumberedMonths, kNumberedMonths, kChineseWeekdays, {U"上午", U"下午"}},
    DatePattern(U"yyyy/_M/_d"),
    DatePattern(U"yyyy年MM月dd日"),
    DatePattern(U"yyyy年MM月dd日 EEEE"),
    DatePattern(U"yyyy年MM月dd日 HH時mm分ss秒"),
    DatePattern(U"ahh:mm:ss"),
    DatePattern(U"HH:mm:ss"),
    false,
    {kHanDateFill,
     {U"時", U"分", U"秒"},
     {U"第1季", U"第2季", U"第3季", U"第4季"},
     {U"第1季", U"第2季", U"第3季", U"第4季"},
     {U"W", U"第", U"週"}},
    kSundayWeeks};

namespace {

// Every record's patterns are of their kind and write at most kMaxDateTextUnits,
// none of its names is empty (an empty name would match any text) and none begins
// with a blank (lenient reading takes a blank for a separator at once), it has a
// week mark, and its week rule is one.
// The words are taken by reference: GCC 12 will not copy a list's empty entries in
// a constant expression.
template <std::size_t N>
constexpr bool noneStartsBlank(const std::array<std::u32string_view, N>& words) {
  return std::none_of(words.begin(), words.end(), [](const std::u32string_view& word) {
    return word.starts_with(U' ') || word.starts_with(U'\u00A0') || word.starts_with(U'\0');
  });
}
template <std::size_t N>
constexpr bool noneEmpty(const std::array<std::u32string_view, N>& names) {
  return std::none_of(names.begin(), names.end(), [](auto name) { return name.empty(); });
}
constexpr bool isSound(const DateLocale& r) {
  const DateNames& n = r.names;
  const auto fits = [&n](const DatePattern& p) { return p.maxLength(n) <= kMaxDateTextUnits; };
  const auto dateOnly = [&fits](const DatePattern& p) {
    return fits(p) && p.hasDate() && !p.hasTime();
  };
  const auto timeOnly = [&fits](const DatePattern& p, DateField hour) {
    return fits(p) && !p.hasDate() && p.has(hour) && p.has(DateField::kSecond);
  };
  const ReadingWords& w = r.words;
  const bool weeks_sound = r.weeks.first_weekday >= 0 && r.weeks.first_weekday <= 6 &&
                           r.weeks.min_days >= 1 && r.weeks.min_days <= 7;
  const bool no_blank_starts =
      noneStartsBlank(n.months) && noneStartsBlank(n.month_abbreviations) &&
      noneStartsBlank(n.weekdays) && noneStartsBlank(n.day_periods) &&
      noneStartsBlank(w.date_fill) && noneStartsBlank(w.time_marks) &&
      noneStartsBlank(w.quarters) && noneStartsBlank(w.quarter_abbreviations) &&
      noneStartsBlank(w.week_marks);
  return no_blank_starts && noneEmpty(n.months) && noneEmpty(n.month_abbreviations) &&
         noneEmpty(n.weekdays) && noneEmpty(n.day_periods) && noneEmpty(w.quarters) &&
         noneEmpty(w.quarter_abbreviations) && !w.week_marks[0].empty() && weeks_sound &&
         dateOnly(r.short_date) && dateOnly(r.long_date) && dateOnly(r.full_date) &&
         fits(r.datetime) && r.datetime.hasDate() && r.datetime.hasTime() &&
         timeOnly(r.time12, DateField::kHourOfHalfDay) && timeOnly(r.time24, DateField::kHour);
}
constexpr const DateLocale* kRecords[] = {
    &kArSdDates, &kArSyDates, &kCsCzDates, &kDeDeDates, &kEnUsDates, &kEsEsDates, &kEsMxDates,
    &kFrFrDates, &kHeIlDates, &kHuHuDates, &kItItDates, &kJaJpDates, &kKkKzDates, &kKoKrDates,
    &kNlNlDates, &kPlPlDates, &kRuRuDates, &kSkSkDates, &kSvSeDates, &kZhCnDates, &kZhTwDates};
static_assert(std::all_of(std::begin(kRecords), std::end(kRecords),
                          [](const DateLocale* r) { return isSound(*r); }));

}  // namespace

}  // namespace zq::host
