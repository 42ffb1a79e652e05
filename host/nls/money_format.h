// Percent and currency formats, built on the double engine's digits and layout.
//
// Rules. The arguments, the field and capacity, truncation, infinity, missing values
// and the two decimal-conversion modes act as in double_format.h (without ExOpts).
//   Percent   The value times 100 (an exact shift of the decimal point) in fixed
//             notation with `precision` decimals (negative: none), grouped, then the
//             locale's percent sign. A negative value has "-" in front; with
//             kPercentParentheses it is put in parentheses that span the field:
//             "(  21.40%)".
//   Currency  The value in fixed notation with `precision` decimals (negative: the
//             currency's minor digits), grouped, with the locale's currency symbol
//             before or after it. kCurrencyWholeUnits writes whole units: the integer
//             part with no decimals ("$1,234" for 1234.56). A negative value has "-"
//             in front of number and symbol, or after a leading symbol where the
//             locale writes it so ("€ -1.234,56").
//   Other option bits are ignored. The text is right-justified in the field.
#pragma once

#include <cstdint>

#include "host/nls/conversion_result.h"
#include "host/nls/decimal_digits.h"
#include "host/nls/locale_data.h"

namespace zq::host {

// Option bit 0 of each format.
constexpr std::uint32_t kPercentParentheses = 1;
constexpr std::uint32_t kCurrencyWholeUnits = 1;

// The formats of words 46 and 45 in `locale`, into `buffer` of `capacity` units.
// Precondition: usableUnits(buffer, capacity).
FormatResult formatPercent(const LocaleData& locale, DecimalMode mode, double value,
                           std::int32_t width, std::int32_t precision, std::uint32_t options,
                           ZQChar* buffer, std::int64_t capacity);
FormatResult formatCurrency(const LocaleData& locale, DecimalMode mode, double value,
                            std::int32_t width, std::int32_t precision, std::uint32_t options,
                            ZQChar* buffer, std::int64_t capacity);

}  // namespace zq::host
