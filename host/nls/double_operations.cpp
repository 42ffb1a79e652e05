// The locale handle's double formats: words 39 and 70 on the double engine, and the
// currency (45) and percent (46) formats on top of it. Each call reads the kernel's
// decimal-conversion mode word afresh.
#include "host/nls/double_format.h"
#include "host/nls/money_format.h"
#include "host/nls/service.h"

namespace zq::host {
namespace {

DecimalMode modeOf(LocaleHandle* handle) {
  return decimalModeOf(kernelOf(handle));
}

Status doubleFormatWithExOpts(LocaleHandle* handle, double value, std::int32_t width,
                              std::int32_t precision, std::int32_t options, ZQChar* buffer,
                              std::int64_t capacity, std::int64_t* out_length,
                              const ExOpts* ex_opts) {
  if (handle == nullptr) {
    if (out_length != nullptr) *out_length = 0;
    return ZQ_NLS_INVALID_VALUE;
  }
  return formatDouble(localeDataOf(handle).number, modeOf(handle), value, width, precision,
                      static_cast<std::uint32_t>(options), ex_opts, buffer, capacity,
                      out_length);
}

Status doubleFormat(LocaleHandle* handle, double value, std::int32_t width,
                    std::int32_t precision, std::int32_t options, ZQChar* buffer,
                    std::int64_t capacity, std::int64_t* out_length) {
  return doubleFormatWithExOpts(handle, value, width, precision, options, buffer, capacity,
                                out_length, nullptr);
}

template <auto kFormat>
Status moneyFormat(LocaleHandle* handle, double value, std::int32_t width,
                   std::int32_t precision, std::int32_t options, ZQChar* buffer,
                   std::int64_t capacity, std::int64_t* out_length) {
  if (handle == nullptr) {
    if (out_length != nullptr) *out_length = 0;
    return ZQ_NLS_INVALID_VALUE;
  }
  return kFormat(localeDataOf(handle), modeOf(handle), value, width, precision,
                 static_cast<std::uint32_t>(options), buffer, capacity, out_length);
}

}  // namespace

void installDoubleOperations(LocaleHandle& table) {
  table.zqnlsLocaleDoubleFormat = doubleFormat;
  table.zqnlsLocaleDoubleFormatWithExOpts = doubleFormatWithExOpts;
  table.zqnlsLocaleCurrencyFormat = moneyFormat<formatCurrency>;
  table.zqnlsLocalePercentFormat = moneyFormat<formatPercent>;
}

}  // namespace zq::host
