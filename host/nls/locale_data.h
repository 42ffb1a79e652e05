// Per-locale conventions of the stand-in host: one table of rows behind one accessor.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::host {

// How a locale writes numbers. Digits are always ASCII '0'-'9', grouped by threes.
struct NumberSymbols {
  ZQChar decimal_separator;
  ZQChar group_separator;
  ZQChar minus_sign;
  ZQChar plus_sign;
};

// Everything the host knows about one locale. Each service adds the member it
// reads (date patterns, month and day names, currency and percent patterns).
struct LocaleData {
  char name[6];  // five characters and a NUL, e.g. "en_US"
  NumberSymbols number;
};

// The row named exactly by `name` (`length` units; every name is five units), or
// null when there is none or `name` is null.
const LocaleData* findLocaleData(const ZQChar* name, std::int64_t length);

// Every row, in table order.
std::span<const LocaleData> allLocaleData();

}  // namespace zq::host
