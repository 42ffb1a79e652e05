// zqvnleSanity2's date/time section: the date, time and datetime parsers under each
// date option word, one locale handle per record.
#include <algorithm>
#include <cstdint>

#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_datetime_table.h"

namespace zq::sanity {

const char32_t* dateOptionName(std::int32_t options) {
  // option word -> name printed
  switch (options) {
    case LOCALE_DATE_SHORT: return U"LOCALE_DATE_SHORT";
    case LOCALE_DATE_LONG: return U"LOCALE_DATE_LONG";
    case LOCALE_DATE_FULL: return U"LOCALE_DATE_FULL";
    case LOCALE_DATE_LENIENT: return U"LOCALE_DATE_LENIENT";
    case LOCALE_DATE_YYQQ: return U"LOCALE_DATE_YYQQ";
    case LOCALE_DATE_YYMM: return U"LOCALE_DATE_YYMM";
    case LOCALE_DATE_YYWW: return U"LOCALE_DATE_YYWW";
  }
  return U"Undefined option";
}

namespace {

using suite::checkInt;
using suite::checkStatus;
using suite::journalLine;

// What every message of a record names: its test number, option and locale.
struct RecordNames {
  int test;
  const char32_t* option;
  const ZQChar* locale;
};

void checkDate(const suite::Harness& f, LocaleHandle* locale, const DatetimeRecord& r,
               const ZQChar* buffer, const RecordNames& n) {
  std::int32_t month = 0;
  std::int32_t day = 0;
  std::int32_t year = 0;
  std::int64_t consumed = 0;
  const auto length = static_cast<std::int64_t>(r.input_length);
  const Status status =
      suite::parseDate(locale, buffer, length, r.options, &month, &day, &year, &consumed);
  const ZQChar* l = n.locale;
  if (!checkStatus(f, r.status, status, U"status")) {
    const auto actual = suite::statusText<kSanity2StatusUnits>(f, status);
    const auto expected = suite::statusText<kSanity2StatusUnits>(f, r.status);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"TEST%.2i: LocaleBufferToDate ( %s option(#%d) - %c%c%c%c%c) status was '%*s' "
                U"but should have been '%*s'",
                n.test, n.option, r.options, l[0], l[1], l[2], l[3], l[4], actual.length,
                actual.text, expected.length, expected.text);
  }
  if (status != ZQ_OK) return;
  // expression checked, actual, expected, message on a mismatch
  const struct {
    const char32_t* expression;
    std::int64_t actual;
    std::int64_t expected;
    const char32_t* format;
  } kFields[] = {
      {U"month", month, r.month,
       U"TEST%.2i: LocaleBufferToDate (%s option - %c%c%c%c%c) month was %d but should have "
       U"been %d"},
      {U"day", day, r.day,
       U"TEST%.2i: LocaleBufferToDate (%s option - %c%c%c%c%c) day was %d but should have "
       U"been %d"},
      {U"year", year, r.year,
       U"TEST%.2i: LocaleBufferToDate (%s option - %c%c%c%c%c) year was %d but should have "
       U"been %d"},
      {U"usedL", consumed, static_cast<std::int64_t>(r.consumed),
       U"TEST%.2i: LocaleBufferToDate (%s option - %c%c%c%c%c) ZQChars consumed was %d but "
       U"should have been %d"},
  };
  for (const auto& field : kFields) {
    if (checkInt(f, suite::checkedInt32(field.expected), suite::checkedInt32(field.actual),
                 field.expression)) {
      continue;
    }
    journalLine(f, JNL_LEVEL_DETAIL, field.format, n.test, n.option, l[0], l[1], l[2], l[3],
                l[4], field.actual, field.expected);
  }
}

// The messages of a time or datetime record.
struct SecondsMessages {
  const char32_t* status;
  const char32_t* value;
  const char32_t* impossible;
  const char32_t* consumed;
};

constexpr SecondsMessages kTimeMessages{
    U"TEST%.2i: LocaleBufferToTime (%s option - %c%c%c%c%c) status was '%*s' but should have "
    U"been '%*s'",
    U"TEST%.2i: LocaleBufferToTime (%s option - %c%c%c%c%c) time was %.0f and should be %.0f",
    U"TEST%.2i: LocaleBufferToTime (%s option - %c%c%c%c%c) this should not happen",
    U"TEST%.2i: LocaleBufferToTime (%s option - %c%c%c%c%c) ZQChars consumed was %d but should "
    U"have been %d"};

constexpr SecondsMessages kDatetimeMessages{
    U"TEST%.2i: LocaleBufferToDatetime (%s option - %c%c%c%c%c) status was '%*s' but should "
    U"have been '%*s'",
    U"TEST%.2i: LocaleBufferToDatetime (%s option - %c%c%c%c%c) datetime was %.0f and should "
    U"be %.0f",
    U"TEST%.2i: LocaleBufferToDatetime (%s option - %c%c%c%c%c) this should not happen",
    U"TEST%.2i: LocaleBufferToDatetime (%s option - %c%c%c%c%c) ZQChars consumed was %d but "
    U"should have been %d"};

// A time or datetime record: the value must equal the expected seconds exactly.
void checkSeconds(const suite::Harness& f, LocaleHandle* locale, const DatetimeRecord& r,
                  const ZQChar* buffer, const RecordNames& n, bool datetime) {
  double seconds = 0;
  std::int64_t consumed = 0;
  const auto length = static_cast<std::int64_t>(r.input_length);
  const Status status =
      datetime ? suite::parseDatetime(locale, buffer, length, r.options, &seconds, &consumed)
               : suite::parseTime(locale, buffer, length, r.options, &seconds, &consumed);
  const SecondsMessages& m = datetime ? kDatetimeMessages : kTimeMessages;
  const ZQChar* l = n.locale;
  if (!checkStatus(f, r.status, status, U"status")) {
    const auto actual = suite::statusText<kSanity2StatusUnits>(f, status);
    const auto expected = suite::statusText<kSanity2StatusUnits>(f, r.status);
    journalLine(f, JNL_LEVEL_DETAIL, m.status, n.test, n.option, l[0], l[1], l[2], l[3], l[4],
                actual.length, actual.text, expected.length, expected.text);
  }
  if (status != ZQ_OK) return;
  if (seconds == r.value) {
    if (!checkInt(f, 1, 1, U"1")) {
      journalLine(f, JNL_LEVEL_DETAIL, m.impossible, n.test, n.option, l[0], l[1], l[2], l[3],
                  l[4]);
    }
  } else {
    checkInt(f, 0, 1, U"1");
    journalLine(f, JNL_LEVEL_DETAIL, m.value, n.test, n.option, l[0], l[1], l[2], l[3], l[4],
                seconds, r.value);
  }
  if (!checkInt(f, suite::checkedInt32(static_cast<std::int64_t>(r.consumed)),
                suite::checkedInt32(consumed), U"usedL")) {
    journalLine(f, JNL_LEVEL_DETAIL, m.consumed, n.test, n.option, l[0], l[1], l[2], l[3], l[4],
                consumed, r.consumed);
  }
}

}  // namespace

bool runDatetimeSection(const Sanity2Run& run) {
  const suite::Harness& f = run.harness;
  suite::noteStep(f, U"TODATE, TOTIME, TODATETIME tests");
  int test = 0;
  for (const DatetimeRecord& r : datetimeList()) {
    ++test;
    LocaleHandle* locale =
        suite::createLocale(run.nls, r.locale, static_cast<std::int64_t>(r.locale_length));
    if (!suite::checkHandle(f, locale, U"currentLocale")) {
      suite::report(f, U"Failed to get handle for currentLocale", SEVERITY_ERROR);
      return false;
    }
    // The parser reads the record's own length from a zero-filled working buffer;
    // the table keeps every input within it.
    ZQChar buffer[kWorkingUnits] = {};
    std::copy_n(r.input, std::min<std::uint64_t>(r.input_length, kWorkingUnits), buffer);
    const RecordNames names{test, dateOptionName(r.options), r.locale};
    // function code -> parse
    switch (static_cast<DatetimeFunction>(r.function)) {
      case DatetimeFunction::kDate: checkDate(f, locale, r, buffer, names); break;
      case DatetimeFunction::kDatetime: checkSeconds(f, locale, r, buffer, names, true); break;
      case DatetimeFunction::kTime: checkSeconds(f, locale, r, buffer, names, false); break;
    }
    if (!checkStatus(f, ZQ_OK, suite::destroyLocale(locale), U"status")) {
      suite::report(f, U"zqnlsLocaleDestroy failed", SEVERITY_ERROR);
    }
  }
  return true;
}

}  // namespace zq::sanity
