// dateTest1's cases: 14 date parses, 14 datetime parses, and each locale's own inputs.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::conformance {

// A group-A case: parse a date in one style. The first eight read a text the locale
// writes itself (DateLocaleInputs::dates) and expect its date; the rest read the same
// text in every locale and expect a failure, save where en_US accepts it.
struct DateParseCase {
  const char32_t* value_text;  // ends the descriptor, "17SEP2002"
  std::int32_t style;          // LOCALE_DATE_SHORT, LONG or FULL
  const char32_t* input;       // null: the locale's own text
  Status status_en_us;
  Status status_elsewhere;
  std::int32_t year;  // the expected date, for the locale's own texts
  std::int32_t month;
  std::int32_t day;
};

// A group-B case: parse a datetime with options 0. Cases that read the locale's own
// datetime form (`locale_form` indexes DateLocaleInputs::datetimes) format the value
// back and must give the same text.
struct DatetimeParseCase {
  const char32_t* descriptor;  // after "TEST<n> <locale> "
  const char32_t* input;       // null: the locale's own text
  std::int32_t locale_form;    // -1 for the fixed texts
  Status status_en_us;
  Status status_elsewhere;
  const char32_t* tag;  // leads the case's failure texts; null for two blanks
};

// One locale's texts of the dates and datetimes above, in its own forms.
struct DateLocaleInputs {
  const char32_t* name;
  const char32_t* dates[8];      // group A cases 1 to 8
  const char32_t* datetimes[5];  // group B cases 1, 2, 3, 4 and 13
};

std::span<const DateParseCase> dateParseCases();
std::span<const DatetimeParseCase> datetimeParseCases();
// In the order of the conformance locales.
std::span<const DateLocaleInputs> dateLocaleInputs();

}  // namespace zq::conformance
