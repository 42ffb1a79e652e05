// zqvnleSanity2's shared pieces: parse function codes, option names, decimal points.
#pragma once

#include <cstdint>
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

// What every section needs: the harness frame and the NLS service.
struct Sanity2Run {
  const suite::Frame& frame;
  NlsHandle* nls;
};

// The date/time section: every zqvnl_datetime_list record in its own locale. False
// when a locale could not be created: the suite then ends with 1.
bool runDatetimeSection(const Sanity2Run& run);

// The integer section with LOCALE_CVT_IGNORE_DECIMAL over every LocaleInfo locale.
// False when a locale could not be created: the suite then ends with 1.
bool runIgnoreDecimalSection(const Sanity2Run& run);

}  // namespace zq::sanity
