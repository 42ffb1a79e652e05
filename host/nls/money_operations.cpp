// The locale handle's currency (45) and percent (46) words over the money formats, in
// the decimal-conversion mode the kernel is in at each call.
#include "host/nls/money_format.h"
#include "host/nls/service.h"

namespace zq::host {
namespace {

template <auto kFormat>
Status moneyFormat(LocaleHandle* handle, double value, std::int32_t width,
                   std::int32_t precision, std::int32_t options, ZQChar* buffer,
                   std::int64_t capacity, std::int64_t* out_length) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  return deliverFormat(kFormat(localeDataOf(handle), decimalModeOf(handle), value, width,
                               precision, static_cast<std::uint32_t>(options), buffer, capacity),
                       out_length);
}

}  // namespace

void installMoneyOperations(LocaleHandle& table) {
  table.zqnlsLocaleCurrencyFormat = moneyFormat<formatCurrency>;
  table.zqnlsLocalePercentFormat = moneyFormat<formatPercent>;
}

}  // namespace zq::host
