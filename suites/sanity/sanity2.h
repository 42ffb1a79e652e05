// zqvnleSanity2's shared pieces: parse function codes, option names, decimal points.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

#include "suites/common/suite.h"

namespace zq::sanity {

// Units of the zero-filled working buffer every parse reads from.
constexpr std::int64_t kWorkingUnits = 80;
// Units of each buffer a status is rendered into.
constexpr int kSanity2StatusUnits = 200;

// The parse operations a number vector names by code.
enum class ParseFunction : std::int32_t {
  Intfast = 10,
  Intmax = 11,
  Int = 12,
  Long = 13,
  Uintfast = 14,
  Uintmax = 15,
  UInt = 16,
  ULong = 17,
  DoubleWithOpts = 18,
};

// What the messages print for a function and the expression text of its value check.
struct ParseFunctionTexts {
  const char32_t* name;
  const char32_t* check_text;
};
// The texts of a function code; both are null for a code that names no function.
ParseFunctionTexts parseFunctionTexts(std::int32_t code);

// The name printed for a parsing option word, chosen by equality with the whole word;
// "Undefined option" for any other word.
const char32_t* cvtOptionName(std::int32_t options);

// The name printed for a date option word, chosen by equality with the whole word;
// "Undefined option" for any other word.
const char32_t* dateOptionName(std::int32_t options);

// When `position` (1-based, 0 for none) lies in the buffer and the locale's decimal
// separator is not ".", replaces the unit there by the separator's first unit.
void localiseDecimalPoint(ZQChar* buffer, std::int64_t units, std::int32_t position,
                          const ZQChar* separator);

// Copies a vector's input (at most its field) into the zero-filled working buffer and
// localises its decimal point for the locale; returns the number of units to parse.
template <class Record>
std::int64_t localisedInput(const Record& r, const ZQChar* decimal_separator,
                            ZQChar (&buffer)[kWorkingUnits]) {
  const auto length = static_cast<std::int64_t>(
      std::min<std::uint64_t>(r.input_length, std::size(r.input)));
  std::copy_n(r.input, length, buffer);
  localiseDecimalPoint(buffer, kWorkingUnits, r.decimal_position, decimal_separator);
  return length;
}

// An integer parse: the status, the value widened to 64 bits from the function's
// result type (sign-extended for signed types), and the units consumed.
struct IntegerParse {
  Status status;
  std::int64_t value;
  std::int64_t consumed;
};
// Calls the integer parser of `code` (10 to 17) with its value and count zeroed
// first; no value for a code that names no integer parser.
std::optional<IntegerParse> parseByCode(LocaleHandle* locale, std::int32_t code,
                                        const ZQChar* text, std::int64_t length,
                                        std::int32_t options);

// The expected value of a vector's own result type, widened to 64 bits: the signed
// 32-bit field for codes 10-12, the unsigned 32-bit one for 14-16, the signed 64-bit
// one for 13 and the unsigned 64-bit one for 17.
template <class Record>
std::int64_t expectedOfType(const Record& r) {
  // code -> field
  switch (static_cast<ParseFunction>(r.function)) {
    case ParseFunction::Intfast:
    case ParseFunction::Intmax:
    case ParseFunction::Int: return r.expected_int;
    case ParseFunction::Long: return r.expected_long;
    case ParseFunction::Uintfast:
    case ParseFunction::Uintmax:
    case ParseFunction::UInt: return r.expected_uint;
    case ParseFunction::ULong: return static_cast<std::int64_t>(r.expected_ulong);
    case ParseFunction::DoubleWithOpts: return 0;
  }
  return 0;
}

// What every section needs: the harness and the NLS service.
struct Sanity2Run {
  const suite::Harness& harness;
  NlsHandle* nls;
};

// Creates a locale and checks it ("currentLocale"); null after the report "Failed to
// get handle for currentLocale".
LocaleHandle* openSectionLocale(const Sanity2Run& run, const ZQChar* name, std::int64_t length);

// Destroys a locale and checks that it returned ZQ_OK; false after the report
// "zqnlsLocaleDestroy failed".
bool closeSectionLocale(const Sanity2Run& run, LocaleHandle* locale);

// The date/time section: every zqvnl_datetime_list record in its own locale. False
// when a locale could not be created: the suite then ends with 1.
bool runDatetimeSection(const Sanity2Run& run);

// The integer section with LOCALE_CVT_IGNORE_DECIMAL over every LocaleInfo locale.
// False when a locale could not be created: the suite then ends with 1.
bool runIgnoreDecimalSection(const Sanity2Run& run);

// The space-grouping section: every vector in its own locale. A locale that cannot be
// created abandons only its vector.
void runSpaceGroupingSection(const Sanity2Run& run);

// The buffer-to-double section over every LocaleInfo locale, decimal points localised.
// False when a locale could not be created: the suite then ends with 1.
bool runBufferToDoubleSection(const Sanity2Run& run);

}  // namespace zq::sanity
