// zqvnleSanity1's parsing families: integers, doubles and times; status, count and value.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <type_traits>

#include "suites/sanity/sanity1_date_tables.h"
#include "suites/sanity/sanity1_double_parse_table.h"
#include "suites/sanity/sanity1_family.h"

namespace zq::sanity {
namespace {

struct ParseFamilyTexts {
  const char32_t* step;
  const char32_t* create_failed;  // test number, locale name
  FailureTexts status;            // test number, returned status, expected status
  FailureTexts length;            // test number, units consumed, expected units
  const char32_t* length_expression;  // names the expected count in the check
  FailureTexts value;                 // test number, returned value, expected value
  const char32_t* value_expression;   // names the value in the check
};

// What a parse gave.
template <class Value>
struct Parsed {
  Status status;
  Value value;
  std::int64_t consumed;
};

// The call a record makes: the signed integer parsers always get options 0, the
// unsigned ones and the time parser the record's options.
template <suite::IntegerParser P>
Parsed<suite::ParsedValue<P>> parseInteger(LocaleHandle* l, const ZQChar* text,
                                           std::int64_t length, std::int32_t options) {
  Parsed<suite::ParsedValue<P>> p{ZQ_OK, 0, 0};
  p.status = suite::parseInteger<P>(l, text, length, static_cast<std::uint32_t>(options),
                                    &p.value, &p.consumed);
  return p;
}
auto parseRecord(LocaleHandle* l, const BufferToIntfastRecord&, const ZQChar* text,
                 std::int64_t length) {
  return parseInteger<suite::IntegerParser::Intfast>(l, text, length, 0);
}
auto parseRecord(LocaleHandle* l, const BufferToIntmaxRecord&, const ZQChar* text,
                 std::int64_t length) {
  return parseInteger<suite::IntegerParser::Intmax>(l, text, length, 0);
}
auto parseRecord(LocaleHandle* l, const BufferToUintfastRecord& r, const ZQChar* text,
                 std::int64_t length) {
  return parseInteger<suite::IntegerParser::Uintfast>(l, text, length, r.options);
}
auto parseRecord(LocaleHandle* l, const BufferToUintmaxRecord& r, const ZQChar* text,
                 std::int64_t length) {
  return parseInteger<suite::IntegerParser::Uintmax>(l, text, length, r.options);
}
Parsed<double> parseRecord(LocaleHandle* l, const BufferToDoubleRecord&, const ZQChar* text,
                           std::int64_t length) {
  Parsed<double> p{ZQ_OK, 0.0, 0};
  p.status = suite::parseDouble(l, text, length, &p.value, &p.consumed);
  return p;
}
Parsed<double> parseRecord(LocaleHandle* l, const BufferToTimeRecord& r, const ZQChar* text,
                           std::int64_t length) {
  Parsed<double> p{ZQ_OK, 0.0, 0};
  p.status = suite::parseTime(l, text, length, r.options, &p.value, &p.consumed);
  return p;
}

// A returned time as the whole seconds the journal prints; a NaN prints as 0 and a
// value beyond any day saturates, so the conversion is always defined.
std::int64_t wholeSeconds(double seconds) {
  if (std::isnan(seconds)) return 0;
  return static_cast<std::int64_t>(std::clamp(seconds, -1e15, 1e15));
}

// The value check. An integer counts by its low 32 bits, as the harness compares 32-bit
// integers, while the line prints the whole value. A double or time is compared exactly,
// so a NaN (a missing value) never passes, and the harness only records the failure
// with a check that always fails; a time's line prints whole seconds.
template <class Record, class Value>
void checkValue(const Sanity1Run& run, const ParseFamilyTexts& texts, const Record& record,
                Value value, int test) {
  if constexpr (std::is_floating_point_v<Value>) {
    if (value == static_cast<double>(record.expected_value)) return;
    suite::checkInt(run.harness, 1, 0, texts.value_expression);
  } else {
    if (suite::checkInt(run.harness, static_cast<std::int32_t>(value),
                        static_cast<std::int32_t>(record.expected_value),
                        texts.value_expression)) {
      return;
    }
  }
  suite::report(run.harness, texts.value.message, SEVERITY_ERROR);
  if constexpr (std::is_same_v<Record, BufferToTimeRecord>) {
    suite::journalLine(run.harness, JNL_LEVEL_DETAIL, texts.value.detail, test,
                       wholeSeconds(value), record.expected_value);
  } else {
    suite::journalLine(run.harness, JNL_LEVEL_DETAIL, texts.value.detail, test, value,
                       record.expected_value);
  }
}

// Runs one parsing family over its table: status, units consumed, then the value.
template <class Record>
void runParseFamily(const Sanity1Run& run, const ParseFamilyTexts& texts,
                    std::span<const Record> table) {
  const auto check = [&](LocaleHandle* locale, const Record& record, int test) {
    // Only the first input_length units are passed; the rest of the buffer is zero.
    ZQChar buffer[kOutputUnits] = {};
    const std::int64_t length = suite::clampUnits(record.input_length, kEntryUnits);
    std::copy_n(record.inputbuf, length, buffer);
    const auto parsed = parseRecord(locale, record, buffer, length);
    checkRecordStatus(run, record.status, parsed.status, texts.status, test);
    checkConsumed(run, parsed.consumed, record.expected_length, texts.length_expression,
                  texts.length, test);
    checkValue(run, texts, record, parsed.value, test);
  };
  forEachRecord(run, texts.step, texts.create_failed, table, check);
}

}  // namespace

void runBufferToIntfastFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToIntfast testing",
      U"zqnlsLocaleBufferToIntfast TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleBufferToIntfast did not return expected status",
       U"zqnlsLocaleBufferToIntfast: Test %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleBufferToIntfast: incorrect number of characters read",
       U"zqnlsLocaleBufferToIntfast: Test %d: number of characters read was %d when %d was "
       U"expected"},
      U"(int)locale_buffer_to_intfast[i].expected_length",
      {U"zqnlsLocaleBufferToIntfast: incorrect value returned",
       U"zqnlsLocaleBufferToIntfast: Test %d: integer returned was %d when %d was expected"},
      U"(int)intfast_bench",
  };
  runParseFamily(run, texts, bufferToIntfastTable());
}

void runBufferToIntmaxFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToIntmax testing",
      U"zqnlsLocaleBufferToIntmax TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleBufferToIntmax did not return expected status",
       U"zqnlsLocaleBufferToIntmax: Test %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleBufferToIntmax: incorrect number of characters read",
       U"zqnlsLocaleBufferToIntMax: Test %d: number of characters read was %d when %d was "
       U"expected"},
      U"(int)locale_buffer_to_intmax[i].expected_length",
      {U"zqnlsLocaleBufferToIntmax: incorrect value returned",
       U"zqnlsLocaleBufferToIntmax: Test %d: integer returned was %d when %d was expected"},
      U"(int)intmax_bench",
  };
  runParseFamily(run, texts, bufferToIntmaxTable());
}

void runBufferToUintfastFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToUintfast testing",
      U"zqnlsLocaleBufferToUintfast TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleBufferToUintfast did not return expected status",
       U"zqnlsLocaleBufferToUintfast: Test %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleBufferToUintfast: incorrect number of characters read",
       U"zqnlsLocaleBufferToUintfast: Test %d: number of characters read was %d when %d was "
       U"expected"},
      U"(int)locale_buffer_to_uintfast[i].expected_length",
      {U"zqnlsLocaleBufferToUintfast: incorrect value returned",
       U"zqnlsLocaleBufferToUintfast: Test %d: integer returned was %d when %d was expected"},
      U"(int)uintfast_bench",
  };
  runParseFamily(run, texts, bufferToUintfastTable());
}

void runBufferToUintmaxFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToUintmax testing",
      U"zqnlsLocaleBufferToUintmax TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleBufferToUintmax did not return expected status",
       U"zqnlsLocaleBufferToUintmax: Test %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleBufferToUintmax: incorrect number of characters read",
       U"zqnlsLocaleBufferToUintmax: Test %d: number of characters read was %d when %d was "
       U"expected"},
      U"(int)locale_buffer_to_uintmax[i].expected_length",
      {U"zqnlsLocaleBufferToUintmax: incorrect value returned",
       U"zqnlsLocaleBufferToUintmax: Test %d: integer returned was %d when %d was expected"},
      U"(int)uintmax_bench",
  };
  runParseFamily(run, texts, bufferToUintmaxTable());
}

void runBufferToDoubleFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToDouble testing",
      U"zqnlsLocaleBufferToDouble TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleBufferToDouble did not return expected status",
       U"zqnlsLocaleBufferToDouble: Test %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleBufferToDouble: incorrect number of characters read",
       U"zqnlsLocaleBufferToDouble: Test %d: number of characters read was %d when %d was "
       U"expected"},
      U"(int)locale_buffer_to_double[i].expected_length",
      {U"zqnlsLocaleBufferToDouble: incorrect value returned",
       U"zqnlsLocaleBufferToDouble: Test %d: double returned was %f when %f was expected"},
      U"0",
  };
  runParseFamily(run, texts, bufferToDoubleTable());
}

void runBufferToTimeFamily(const Sanity1Run& run) {
  static constexpr ParseFamilyTexts texts{
      U"zqnlsLocaleBufferToTime testing",
      U"zqnlsLocaleBufferToTime TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleBufferToTime did not return expected status",
       U"zqnlsLocaleBufferToTime: Test %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleBufferToTime: incorrect number of characters read",
       U"zqnlsLocaleBufferToTime: Test %d: number of characters read was %d when %d was "
       U"expected"},
      U"(int)locale_buffer_to_time[i].expected_length",
      {U"zqnlsLocaleBufferToTime: incorrect value returned",
       U"zqnlsLocaleBufferToTime: Test %d: integer returned was %d when %d was expected"},
      U"0",
  };
  runParseFamily(run, texts, bufferToTimeTable());
}

}  // namespace zq::sanity
