// zqvnleSanity1's date and time families.
#include "suites/sanity/sanity1_dates.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "suites/sanity/sanity1_date_tables.h"

namespace zq::sanity {
namespace {

using suite::checkBuffer;
using suite::checkedInt32;
using suite::checkInt;
using suite::clampUnits;
using suite::journalLine;
using suite::report;

// Units of the buffer a datetime text is parsed from.
constexpr std::int64_t kDatetimeInputUnits = 1024;

Status formatRecord(LocaleHandle* locale, const DateFormatRecord& r, ZQChar* buffer,
                    std::int64_t capacity, std::int64_t* cnvL) {
  return suite::formatDate(locale, r.month, r.day, r.year, r.style, buffer, capacity, cnvL);
}
// A record that expects the missing-value status with 0.0 seconds sends the ordinary
// missing value instead.
Status formatRecord(LocaleHandle* locale, const TimeFormatRecord& r, ZQChar* buffer,
                    std::int64_t capacity, std::int64_t* cnvL) {
  const bool missing = r.status == ZQ_NLS_MISSING_VALUE && r.seconds == 0.0;
  const double seconds = missing ? vdMissVal('.') : r.seconds;
  return suite::formatTime(locale, seconds, r.style, buffer, capacity, cnvL);
}

// The date and time families differ in their call, their texts, the units their buffer
// check covers and whether a failed one dumps the units.
template <class Record>
void runClockFamily(const Sanity1Run& run, const FormatFamilyTexts& texts,
                    std::span<const Record> table) {
  // The date family compares as many units as the call reported and, on a mismatch,
  // journals them one by one; the time family compares the expected length.
  constexpr bool kDate = std::is_same_v<Record, DateFormatRecord>;
  const auto check = [&](LocaleHandle* locale, const Record& record, int test) {
    OutputBuffer fmtbuf;
    std::int64_t cnvL = 0;
    const Status status =
        formatRecord(locale, record, fmtbuf.units, recordCapacity(record.capacity), &cnvL);
    checkRecordStatus(run, record.status, status, texts.status, test);

    // A truncated text is compared too; only rows that expect no text skip these.
    const FormatEntry& expected = record.formats[1];
    if (expected.length <= 0) return;
    const std::int64_t units = clampUnits(kDate ? cnvL : expected.length, kEntryUnits);
    const auto dump = [&] {
      if constexpr (kDate) {
        for (std::int64_t j = 0; j < units; ++j) {
          journalLine(run.harness, JNL_LEVEL_INFO, U"expected[%2i]: %.4x     returned[%2i]: %.4x",
                      j, expected.fmtbuf[j], j, fmtbuf.units[j]);
        }
      }
    };
    checkExpectedText(run, locale, texts, record.locale, expected, record.checktext, fmtbuf,
                      cnvL, units, test, dump);
  };
  forEachRecord(run, texts.step, texts.create_failed, table, check);
}

}  // namespace

void runDateFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleDateFormat testing",
      U"zqnlsLocaleDateFormat TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleDateFormat: incorrect status returned",
       U"zqnlsLocaleDateFormat TEST %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleDateFormat: incorrect converted length for date format",
       U"zqnlsLocaleDateFormat: Test %d: LocaleDateformat converted length was %d when %d was "
       U"expected"},
      {U"zqnlsLocaleDateFormat: incorrect formatted string for date format",
       U"zqnlsLocaleDateFormat: Test %d: LocaleDateformat buffer was %s when %s expected"},
      U"&locale_date_format[i].formats[1].fmtbuf",
      {U"zqnlsLocaleDateFormat: incorrect converted length for date format and intfast "
       U"comparison",
       U"zqnlsLocaleDateFormat: Test %d: LocaleDateformat converted length was %d while IntFast "
       U"was %d"},
  };
  runClockFamily(run, texts, dateFormatTable());
}

void runTimeFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleTimeFormat testing",
      U"zqnlsLocaleTimeFormat TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleTimeFormat: incorrect status returned",
       U"zqnlsLocaleTimeFormat TEST %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleTimeFormat: incorrect converted length for time format",
       U"zqnlsLocaleTimeFormat: Test %d: LocaleTimeformat converted length was %d when %d was "
       U"expected"},
      {U"zqnlsLocaleTimeFormat: incorrect formatted string for time format",
       U"zqnlsLocaleTimeFormat: Test %d: LocaleTimeformat buffer was %s when %s expected"},
      U"&locale_time_format[i].formats[1].fmtbuf",
      {U"zqnlsLocaleTimeFormat: incorrect converted length for time format and intfast "
       U"comparison",
       U"zqnlsLocaleTimeFormat: Test %d: LocaleTimeformat converted length was %d while IntFast "
       U"was %d"},
  };
  runClockFamily(run, texts, timeFormatTable());
}

void runDatetimeRoundtripFamily(const Sanity1Run& run) {
  const suite::Harness& f = run.harness;
  const auto check = [&](LocaleHandle* locale, const BufferToDatetimeRecord& record, int test) {
    // The whole text is parsed: its units up to the first zero, within the field.
    ZQChar input[kDatetimeInputUnits] = {};
    const auto* text_end = std::find(std::begin(record.inputbuf), std::end(record.inputbuf), 0);
    const auto n = static_cast<std::int64_t>(text_end - std::begin(record.inputbuf));
    std::copy_n(record.inputbuf, n, input);
    double datetime = 0.0;
    std::int64_t consumed = 0;
    const Status parse_status =
        suite::parseDatetime(locale, input, n, record.options, &datetime, &consumed);
    checkRecordStatus(
        run, record.status, parse_status,
        {U"zqnlsLocaleBufferToDatetime: incorrect status returned",
         U"zqnlsLocaleBufferToDatetime TEST %d: status was '%*s' but should have been '%*s'"},
        test);

    // Value and count are judged only for a parse that succeeded; a NaN never equals.
    if (parse_status == ZQ_OK) {
      if (datetime != record.expected_datetime) {
        checkInt(f, 0, 1, U"1");
        report(f, U"zqnlsLocaleBufferToDatetime: incorrect datetime value returned",
               SEVERITY_ERROR);
        journalLine(f, JNL_LEVEL_DETAIL,
                    U"zqnlsLocaleBufferToDatetime: Test %d: datetime was %.0f and should be %.0f",
                    test, datetime, record.expected_datetime);
      }
      if (!checkInt(f, checkedInt32(record.expected_length), checkedInt32(consumed), U"cnvL")) {
        report(f, U"zqnlsLocaleBufferToDatetime: incorrect datetime value returned",
               SEVERITY_ERROR);
        journalLine(f, JNL_LEVEL_DETAIL,
                    U"zqnlsLocaleBufferToDatetime: Test %d: LocaleBufferToDatetime ZQChars "
                    U"consumed was %d but should have been %d",
                    test, consumed, record.expected_length);
      }
    }

    // Whatever the parse gave is formatted back and must reproduce the input.
    OutputBuffer fmtbuf;
    std::int64_t cnvL = 0;
    const Status format_status =
        suite::formatDatetime(locale, datetime, record.options, fmtbuf.units, kOutputUnits, &cnvL);
    checkRecordStatus(
        run, record.status, format_status,
        {U"zqnlsLocaleDatetimeFormat: incorrect status returned",
         U"zqnlsLocaleDatetimeFormat TEST %d: status was '%*s' but should have been '%*s'"},
        test);
    if (!checkInt(f, checkedInt32(record.input_length), checkedInt32(cnvL), U"(int)cnvL")) {
      report(f, U"zqnlsLocaleDatetimeFormat: incorrect converted length for datetime format",
             SEVERITY_ERROR);
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"zqnlsLocaleDatetimeFormat: Test %d: LocaleDatetimeformat converted length was "
                  U"%d when %d was expected",
                  test, cnvL, record.input_length);
    }
    if (!checkBuffer(f, fmtbuf.units, record.inputbuf,
                     clampUnits(record.input_length, kEntryUnits), U"&fmtbuf",
                     U"&locale_bufferto_datetime[i].inputbuf")) {
      report(f,
             U"zqnlsLocaleDatetimeFormat: incorrect formatted string for datetime format "
             U"roundtrip test",
             SEVERITY_ERROR);
      journalLine(f, JNL_LEVEL_DETAIL,
                  U"zqnlsLocaleDatetimeFormat: Test %d: LocaleDatetimeformat buffer was %s when "
                  U"%s expected",
                  test, fmtbuf.units, record.inputbuf);
    }
  };
  forEachRecord(run, U"zqnlsLocaleBufferToDatetime and zqnlsLocaleDatetimeFormat testing",
                U"zqnlsLocaleBufferToDatetime TEST %d: Failed to create handle for locale %s",
                bufferToDatetimeTable(), check);
}

}  // namespace zq::sanity
