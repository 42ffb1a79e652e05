// Percent and currency formats: a sign, symbol or parenthesis around the engine's
// fixed notation, in the shared text layout.
#include "host/nls/money_format.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "host/nls/number_text.h"

namespace zq::host {
namespace {

// The fixed notation of |value| x 10^shift with `decimals` decimals, grouped.
void appendAmount(NumberText& text, const LocaleData& locale, DecimalMode mode,
                  double magnitude, int shift, std::int64_t decimals) {
  Decimal amount;
  DecimalDigits(magnitude, mode).decimals(decimals + shift, amount);
  if (!amount.isZero()) amount.exponent += shift;
  FixedForm form;
  form.decimals = decimals;
  form.group = true;
  appendFixed(text, amount, form, locale.number);
}

void appendSymbol(NumberText& text, const MoneySymbols& money) {
  for (ZQChar unit : money.currency) {
    if (unit != 0) text.put(unit);
  }
}

// The frame of both formats: field, infinity and missing values; `amount` writes a
// number's text and says where its padding goes.
template <typename Amount>
FormatResult formatAmount(const LocaleData& locale, double value, std::int32_t width,
                          ZQChar* buffer, std::int64_t capacity, Amount amount) {
  assert(usableUnits(buffer, capacity));
  const std::int64_t field = std::clamp<std::int64_t>(width, 0, capacity);
  NumberText text;
  if (!putSpecialValue(value, locale.number, 0, field, false, text)) {
    text.pad(field, ' ', amount(text));
  }
  return text.emit(buffer, capacity, ZQ_OK);
}

}  // namespace

FormatResult formatPercent(const LocaleData& locale, DecimalMode mode, double value,
                           std::int32_t width, std::int32_t precision, std::uint32_t options,
                           ZQChar* buffer, std::int64_t capacity) {
  return formatAmount(locale, value, width, buffer, capacity, [&](NumberText& text) {
    const bool parentheses = std::signbit(value) && (options & kPercentParentheses) != 0;
    if (parentheses) {
      text.put('(');
      text.markInside();
    } else if (std::signbit(value)) {
      text.put(locale.number.minus_sign);
    }
    appendAmount(text, locale, mode, std::fabs(value), 2, precision < 0 ? 0 : precision);
    if (locale.money.percent_spaced) text.put(kNoBreakSpace);
    text.put('%');
    if (!parentheses) return NumberText::Pad::kFront;
    text.put(')');
    return NumberText::Pad::kInside;
  });
}

FormatResult formatCurrency(const LocaleData& locale, DecimalMode mode, double value,
                            std::int32_t width, std::int32_t precision, std::uint32_t options,
                            ZQChar* buffer, std::int64_t capacity) {
  return formatAmount(locale, value, width, buffer, capacity, [&](NumberText& text) {
    const MoneySymbols& money = locale.money;
    const bool whole_units = (options & kCurrencyWholeUnits) != 0;
    const double amount = whole_units ? std::trunc(value) : value;
    const std::int64_t decimals =
        whole_units ? 0 : precision < 0 ? money.minor_digits : precision;
    const bool negative = std::signbit(amount);
    if (negative && !(money.symbol_first && money.sign_after_symbol)) {
      text.put(locale.number.minus_sign);
    }
    if (money.symbol_first) {
      appendSymbol(text, money);
      if (money.symbol_spaced) text.put(kNoBreakSpace);
      if (negative && money.sign_after_symbol) text.put(locale.number.minus_sign);
    }
    appendAmount(text, locale, mode, std::fabs(amount), 0, decimals);
    if (!money.symbol_first) {
      if (money.symbol_spaced) text.put(kNoBreakSpace);
      appendSymbol(text, money);
    }
    return NumberText::Pad::kFront;
  });
}

}  // namespace zq::host
