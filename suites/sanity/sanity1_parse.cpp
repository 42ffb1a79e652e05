// zqvnleSanity1's buffer-to-integer families: parse a text, check status, count and value.
#include <algorithm>
#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_family.h"

namespace zq::sanity {
namespace {

using suite::checkInt;
using suite::journalLine;
using suite::report;

struct ParseFamilyTexts {
  const char32_t* step;
  const char32_t* create_failed;  // test number, locale name
  const char32_t* status_message;
  const char32_t* status_detail;  // test number, returned status, expected status
  const char32_t* length_message;
  const char32_t* length_detail;      // test number, units consumed, expected units
  const char32_t* length_expression;  // names the expected count in the check
  const char32_t* value_message;
  const char32_t* value_detail;      // test number, returned value, expected value
  const char32_t* value_expression;  // names the value in the check
};

// The call a record makes: the signed parsers always get options 0, the unsigned ones
// the record's options.
using suite::IntegerParser;
using suite::parseInteger;
Status parseRecord(LocaleHandle* l, const BufferToIntfastRecord&, const ZQChar* text,
                   std::int64_t length, std::int32_t* value, std::int64_t* consumed) {
  return parseInteger<IntegerParser::Intfast>(l, text, length, 0, value, consumed);
}
Status parseRecord(LocaleHandle* l, const BufferToIntmaxRecord&, const ZQChar* text,
                   std::int64_t length, std::int64_t* value, std::int64_t* consumed) {
  return parseInteger<IntegerParser::Intmax>(l, text, length, 0, value, consumed);
}
Status parseRecord(LocaleHandle* l, const BufferToUintfastRecord& r, const ZQChar* text,
                   std::int64_t length, std::uint32_t* value, std::int64_t* consumed) {
  return parseInteger<IntegerParser::Uintfast>(l, text, length,
                                               static_cast<std::uint32_t>(r.options), value,
                                               consumed);
}
Status parseRecord(LocaleHandle* l, const BufferToUintmaxRecord& r, const ZQChar* text,
                   std::int64_t length, std::uint64_t* value, std::int64_t* consumed) {
  return parseInteger<IntegerParser::Uintmax>(l, text, length,
                                              static_cast<std::uint32_t>(r.options), value,
                                              consumed);
}

// Runs one parsing family over its table.
template <class Record>
void runParseFamily(const Sanity1Run& run, const ParseFamilyTexts& texts,
                    std::span<const Record> table) {
  suite::noteStep(run.frame, texts.step);
  int test = 0;
  for (const Record& record : table) {
    ++test;
    LocaleHandle* locale = openRecordLocale(run, record.locale, record.locale_length,
                                            texts.create_failed, test);
    if (locale == nullptr) continue;

    // Only the first input_length units are passed; the rest of the buffer is zero.
    ZQChar buffer[kOutputUnits] = {};
    const std::int64_t length = suite::clampUnits(record.input_length, kEntryUnits);
    std::copy_n(record.inputbuf, length, buffer);
    decltype(record.expected_value) value = 0;
    std::int64_t consumed = 0;
    const Status status = parseRecord(locale, record, buffer, length, &value, &consumed);

    checkRecordStatus(run, record.status, status, texts.status_message, texts.status_detail,
                      test);
    if (!checkInt(run.frame, suite::checkedInt32(consumed),
                  suite::checkedInt32(record.expected_length), texts.length_expression)) {
      report(run.frame, texts.length_message, SEVERITY_ERROR);
      journalLine(run.frame, JNL_LEVEL_DETAIL, texts.length_detail, test, consumed,
                  record.expected_length);
    }
    // The harness compares 32-bit integers: a 64-bit value takes part by its low half.
    if (!checkInt(run.frame, static_cast<std::int32_t>(value),
                  static_cast<std::int32_t>(record.expected_value), texts.value_expression)) {
      report(run.frame, texts.value_message, SEVERITY_ERROR);
      journalLine(run.frame, JNL_LEVEL_DETAIL, texts.value_detail, test, value,
                  record.expected_value);
    }

    closeRecordLocale(run, locale, test);
  }
}

}  // namespace

void runBufferToIntfastFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToIntfast testing",
      U"zqnlsLocaleBufferToIntfast TEST %d: Failed to create handle for locale %s",
      U"zqnlsLocaleBufferToIntfast did not return expected status",
      U"zqnlsLocaleBufferToIntfast: Test %d: status was '%*s' but should have been '%*s'",
      U"zqnlsLocaleBufferToIntfast: incorrect number of characters read",
      U"zqnlsLocaleBufferToIntfast: Test %d: number of characters read was %d when %d was "
      U"expected",
      U"(int)locale_buffer_to_intfast[i].expected_length",
      U"zqnlsLocaleBufferToIntfast: incorrect value returned",
      U"zqnlsLocaleBufferToIntfast: Test %d: integer returned was %d when %d was expected",
      U"(int)intfast_bench",
  };
  runParseFamily(run, texts, bufferToIntfastTable());
}

void runBufferToIntmaxFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToIntmax testing",
      U"zqnlsLocaleBufferToIntmax TEST %d: Failed to create handle for locale %s",
      U"zqnlsLocaleBufferToIntmax did not return expected status",
      U"zqnlsLocaleBufferToIntmax: Test %d: status was '%*s' but should have been '%*s'",
      U"zqnlsLocaleBufferToIntmax: incorrect number of characters read",
      U"zqnlsLocaleBufferToIntMax: Test %d: number of characters read was %d when %d was "
      U"expected",
      U"(int)locale_buffer_to_intmax[i].expected_length",
      U"zqnlsLocaleBufferToIntmax: incorrect value returned",
      U"zqnlsLocaleBufferToIntmax: Test %d: integer returned was %d when %d was expected",
      U"(int)intmax_bench",
  };
  runParseFamily(run, texts, bufferToIntmaxTable());
}

void runBufferToUintfastFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToUintfast testing",
      U"zqnlsLocaleBufferToUintfast TEST %d: Failed to create handle for locale %s",
      U"zqnlsLocaleBufferToUintfast did not return expected status",
      U"zqnlsLocaleBufferToUintfast: Test %d: status was '%*s' but should have been '%*s'",
      U"zqnlsLocaleBufferToUintfast: incorrect number of characters read",
      U"zqnlsLocaleBufferToUintfast: Test %d: number of characters read was %d when %d was "
      U"expected",
      U"(int)locale_buffer_to_uintfast[i].expected_length",
      U"zqnlsLocaleBufferToUintfast: incorrect value returned",
      U"zqnlsLocaleBufferToUintfast: Test %d: integer returned was %d when %d was expected",
      U"(int)uintfast_bench",
  };
  runParseFamily(run, texts, bufferToUintfastTable());
}

void runBufferToUintmaxFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToUintmax testing",
      U"zqnlsLocaleBufferToUintmax TEST %d: Failed to create handle for locale %s",
      U"zqnlsLocaleBufferToUintmax did not return expected status",
      U"zqnlsLocaleBufferToUintmax: Test %d: status was '%*s' but should have been '%*s'",
      U"zqnlsLocaleBufferToUintmax: incorrect number of characters read",
      U"zqnlsLocaleBufferToUintmax: Test %d: number of characters read was %d when %d was "
      U"expected",
      U"(int)locale_buffer_to_uintmax[i].expected_length",
      U"zqnlsLocaleBufferToUintmax: incorrect value returned",
      U"zqnlsLocaleBufferToUintmax: Test %d: integer returned was %d when %d was expected",
      U"(int)uintmax_bench",
  };
  runParseFamily(run, texts, bufferToUintmaxTable());
}

}  // namespace zq::sanity
