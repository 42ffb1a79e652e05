// The stand-in host's locales: one row per locale holding what the engines need of it.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::host {

// The two blanks of number texts: the ASCII blank, and the no-break space that keeps a
// line break from splitting a number.
constexpr ZQChar kBlank = 0x0020;
constexpr ZQChar kNoBreakSpace = 0x00A0;

// How a locale writes numbers. Digits are always ASCII '0'-'9', grouped by threes.
struct NumberSymbols {
  ZQChar decimal_separator;
  ZQChar group_separator;
  ZQChar minus_sign;
  ZQChar plus_sign;
};

// How a locale writes amounts of its currency and percentages.
struct MoneySymbols {
  ZQChar currency[4];      // the currency symbol, zero-padded
  bool symbol_first;       // "$1.00" rather than "1,00 €"
  bool symbol_spaced;      // a no-break space between symbol and number
  bool sign_after_symbol;  // "€ -1,00" rather than "-€ 1,00"
  std::uint8_t minor_digits;  // decimals of the currency
  bool percent_spaced;        // a no-break space before "%"
};

struct DateLocale;  // date_data.h

// Everything the host knows about one locale: its number and money symbols, and its
// date record (names and patterns, date_data.h).
struct LocaleData {
  char name[6];  // five characters and a NUL, e.g. "en_US"
  NumberSymbols number;
  MoneySymbols money;
  const DateLocale& dates;
};

// The row named exactly by `name` (`length` units; every name is five units), or
// null when there is none or `name` is null. zqnlsLocaleCreate looks the name up once
// and keeps the row in the handle, from which every operation reads it.
const LocaleData* findLocaleData(const ZQChar* name, std::int64_t length);

// Every row, in table order.
std::span<const LocaleData> allLocaleData();

}  // namespace zq::host
