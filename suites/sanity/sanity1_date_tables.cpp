// zqvnleSanity1's vectors for date, time and datetime formatting and time parsing.
//
// Every expected text is written by hand from the locale's pattern and names:
//   style 0  de_DE, ru_RU "dd.MM.yyyy"; es_ES, fr_FR, he_IL "dd/MM/yyyy"; ja_JP "yyyy/MM/dd"
//   style 1  en_US "ddMMMyyyy"; de_DE "dd. MMMM yyyy"; es_ES "dd 'de' MMMM 'de' yyyy";
//            fr_FR, he_IL "dd MMMM yyyy"; ja_JP "yyyy年MM月dd日"; ru_RU "dd MMMM yyyy г."
//   style 2  en_US "MMMM dd, yyyy"; de_DE "EEEE, dd. MMMM yyyy";
//            es_ES "EEEE, dd 'de' MMMM 'de' yyyy"; fr_FR "EEEE dd MMMM yyyy";
//            he_IL "EEEE, dd בMMMM yyyy"; ja_JP "yyyy年MM月dd日 EEEE";
//            ru_RU "EEEE, dd MMMM yyyy г."
// on the proleptic Gregorian calendar (weekdays by Zeller's congruence). Times are
// "hh:mm:ss a" (style 0) and "HH:mm:ss" (style 1); fractions of a second are dropped.
// A text cut at the capacity reports the capacity as its length.
//
// Each CheckText is built from the expected text: the length in two digits, five
// blanks, the text. Rows that expect no text carry none.
#include "suites/sanity/sanity1_date_tables.h"

namespace zq::sanity {
namespace {

template <class Record>
constexpr void expect(Record& r, const char32_t* expected, std::int64_t capacity,
                      Status status) {
  for (FormatEntry& f : r.formats) f = entry(expected);
  r.checktext = r.formats[1].length > 0 ? checkTextOf(r.formats[1]) : FormatEntry{};
  r.capacity = capacity;
  r.status = status;
}

constexpr DateFormatRecord dateRow(const ZQChar* locale, std::int32_t month, std::int32_t day,
                                   std::int32_t year, std::int32_t style,
                                   const char32_t* expected, std::int64_t capacity = 72,
                                   Status status = ZQ_OK) {
  DateFormatRecord r{};
  r.locale = locale;
  r.locale_length = kLocaleLength;
  r.month = month;
  r.day = day;
  r.year = year;
  r.style = style;
  expect(r, expected, capacity, status);
  return r;
}

constexpr DateFormatRecord invalidDateRow(const ZQChar* locale, std::int32_t month,
                                          std::int32_t day, std::int32_t year,
                                          std::int32_t style) {
  return dateRow(locale, month, day, year, style, U"", 72, ZQ_NLS_INVALID_VALUE);
}

constexpr TimeFormatRecord timeRow(double seconds, std::int32_t style, const char32_t* expected,
                                   std::int64_t capacity = 72, Status status = ZQ_OK) {
  TimeFormatRecord r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  r.seconds = seconds;
  r.style = style;
  expect(r, expected, capacity, status);
  return r;
}

// A parsing record of the en_US locale; the text is passed whole.
template <class Record>
constexpr Record parseRow(const char32_t* input) {
  Record r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  const FormatEntry text = entry(input);
  for (std::int64_t i = 0; i < text.length; ++i) r.inputbuf[i] = text.fmtbuf[i];
  r.input_length = text.length;
  return r;
}

constexpr BufferToDatetimeRecord datetimeRow(const char32_t* input, double datetime,
                                             std::int64_t consumed, std::int32_t options,
                                             Status status) {
  auto r = parseRow<BufferToDatetimeRecord>(input);
  r.expected_datetime = datetime;
  r.expected_length = consumed;
  r.options = options;
  r.status = status;
  return r;
}

constexpr BufferToTimeRecord timeParseRow(const char32_t* input, std::int32_t options,
                                          std::int32_t seconds, std::int64_t consumed,
                                          Status status) {
  auto r = parseRow<BufferToTimeRecord>(input);
  r.options = options;
  r.expected_value = seconds;
  r.expected_length = consumed;
  r.status = status;
  return r;
}

constexpr DateFormatRecord locale_date_format[] = {
    dateRow(kEnUs, 9, 17, 2001, 1, U"17Sep2001"),
    dateRow(kEnUs, 9, 17, 1981, 2, U"September 17, 1981"),
    dateRow(kEnUs, 1, 1, 2001, 0, U"01/01/2001"),
    invalidDateRow(kEnUs, 30, 2, 2000, 2),
    invalidDateRow(kEnUs, 13, 31, 2000, 2),
    invalidDateRow(kEnUs, 9, 31, 1990, 2),
    dateRow(kEnUs, 9, 17, 1990, 2, U"Septe", 5, ZQ_NLS_FMT_TRUNCATE),
    dateRow(kDeDe, 9, 17, 2001, 1, U"17. September 2001"),
    // 1600 is a leap year: divisible by 400.
    dateRow(kDeDe, 2, 29, 1600, 0, U"29.02.1600"),
    // 2100 is not; its 1 March is a Monday.
    dateRow(kDeDe, 3, 1, 2100, 2, U"Montag, 01. März 2100"),
    dateRow(kEsEs, 12, 31, 9999, 0, U"31/12/9999"),
    dateRow(kEsEs, 9, 10, 1752, 1, U"10 de septiembre de 1752"),
    // Proleptic Gregorian: a Monday, not the Julian Thursday of that name.
    dateRow(kEsEs, 10, 4, 1582, 2, U"lunes, 04 de octubre de 1582"),
    dateRow(kFrFr, 11, 5, 2023, 0, U"05/11/2023"),
    dateRow(kFrFr, 8, 8, 2008, 1, U"08 août 2008"),
    dateRow(kFrFr, 7, 14, 1789, 2, U"mardi 14 juillet 1789"),
    dateRow(kHeIl, 5, 14, 1948, 0, U"14/05/1948"),
    dateRow(kHeIl, 11, 2, 1917, 1, U"02 נובמבר 1917"),
    // A Saturday; the long form puts "ב" before the month.
    dateRow(kHeIl, 1, 1, 2000, 2, U"יום שבת, 01 בינואר 2000"),
    dateRow(kJaJp, 5, 1, 2019, 0, U"2019/05/01"),
    dateRow(kJaJp, 12, 23, 2999, 2, U"2999年12月23日 月曜日"),
    dateRow(kRuRu, 4, 12, 1961, 1, U"12 апреля 1961 г."),
    dateRow(kRuRu, 5, 9, 1945, 2, U"среда, 09 мая 1945 г."),
    // 1900 is not a leap year: divisible by 100 but not by 400.
    invalidDateRow(kRuRu, 2, 29, 1900, 0),
    // "2010年03月03日" cut after seven units.
    dateRow(kJaJp, 3, 3, 2010, 1, U"2010年03", 7, ZQ_NLS_FMT_TRUNCATE),
};
static_assert(std::size(locale_date_format) == 25);

constexpr TimeFormatRecord locale_time_format[] = {
    timeRow(86399.0, 0, U"11:59:59 PM"),
    // Midnight and noon are both hour 12 on the twelve-hour clock.
    timeRow(0.0, 0, U"12:00:00 AM"),
    timeRow(45296.75, 0, U"12:34:56 PM"),
    timeRow(86399.0, 1, U"23:5", 4, ZQ_NLS_FMT_TRUNCATE),
    // A day has 86400 seconds: 0 to 86399.
    timeRow(86400.0, 1, U"", 72, ZQ_NLS_INVALID_VALUE),
    timeRow(0.0, 1, U"", 72, ZQ_NLS_MISSING_VALUE),
};
static_assert(std::size(locale_time_format) == 6);

constexpr BufferToDatetimeRecord locale_bufferto_datetime[] = {
    // 15401 days (42 years with 11 leap days, then January and February) and 9 hours.
    datetimeRow(U"02Mar2002:09:00:00", 1330678800.0, 18, 0, ZQ_OK),
};

constexpr BufferToTimeRecord locale_buffer_to_time[] = {
    timeParseRow(U"12:34:56 am", 0, 2096, 11, ZQ_OK),
    timeParseRow(U"00:34:59", 1, 2099, 8, ZQ_OK),
    timeParseRow(U"01:00:59 PM", 0, 46859, 11, ZQ_OK),
};

}  // namespace

std::span<const DateFormatRecord> dateFormatTable() { return locale_date_format; }
std::span<const TimeFormatRecord> timeFormatTable() { return locale_time_format; }
std::span<const BufferToDatetimeRecord> bufferToDatetimeTable() {
  return locale_bufferto_datetime;
}
std::span<const BufferToTimeRecord> bufferToTimeTable() { return locale_buffer_to_time; }

}  // namespace zq::sanity
