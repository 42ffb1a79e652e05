// How each locale writes dates and times: its names and its patterns, one record per
// locale behind one accessor.
#pragma once

#include "host/nls/date_pattern.h"
#include "host/nls/locale_data.h"

namespace zq::host {

struct DateLocale {
  char name[6];  // five characters and a NUL, e.g. "en_US"
  DateNames names;
  DatePattern short_date;   // style 0: numeric
  DatePattern medium_date;  // style 1
  DatePattern long_date;    // style 2
  DatePattern datetime;     // datetime option 0
  DatePattern time12;       // time style 0: twelve-hour clock
  DatePattern time24;       // time style 1: twenty-four-hour clock
  // Whether the locale's parsers read blanks before a text (en_US, where dates are
  // often right-aligned in fixed-width fields); elsewhere a leading blank is an error.
  bool skips_leading_blanks;
};

// The date record of `locale`, or null when the host has none for it.
// Precondition: `locale` is a row of allLocaleData().
const DateLocale* findDateLocale(const LocaleData& locale);

// Every record, in table order.
std::span<const DateLocale> allDateLocales();

}  // namespace zq::host
