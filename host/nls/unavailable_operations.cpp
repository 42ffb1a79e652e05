// Locale operations the host does not provide yet: each answers
// ZQ_NLS_INVALID_VALUE and leaves its outputs cleared (lengths 0, parsed numbers
// 0, parsed doubles the ordinary missing value), whatever pointers it is given.
#include <bit>
#include <cstdint>

#include "host/nls/service.h"

namespace zq::host {
namespace {

// The ordinary missing value, a NaN.
const double kMissing = std::bit_cast<double>(std::uint64_t{0xFFFFFE0000000000});

template <typename T>
void clear(T* out, T value) {
  if (out != nullptr) *out = value;
}

Status dateFormat(LocaleHandle*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, ZQChar*,
                  std::int64_t, std::int64_t* out_length) {
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

Status timeFormat(LocaleHandle*, double, std::int32_t, ZQChar*, std::int64_t,
                  std::int64_t* out_length) {
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

Status datetimeFormat(LocaleHandle*, double, std::int32_t, ZQChar*, std::int64_t,
                      std::int64_t* out_length) {
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

// Datetime and time parsers share one signature.
Status bufferToDoubleWithOptions(LocaleHandle*, const ZQChar*, std::int64_t, std::int32_t,
                                 double* value, std::int64_t* out_length) {
  clear(value, kMissing);
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

Status bufferToDate(LocaleHandle*, const ZQChar*, std::int64_t, std::int32_t,
                    std::int32_t* month, std::int32_t* day, std::int32_t* year,
                    std::int64_t* out_length) {
  clear<std::int32_t>(month, 0);
  clear<std::int32_t>(day, 0);
  clear<std::int32_t>(year, 0);
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

}  // namespace

void installUnavailableOperations(LocaleHandle& table) {
  table.zqnlsLocaleDateFormat = dateFormat;
  table.zqnlsLocaleTimeFormat = timeFormat;
  table.zqnlsLocaleDatetimeFormat = datetimeFormat;
  table.zqnlsLocaleBufferToDatetime = bufferToDoubleWithOptions;
  table.zqnlsLocaleBufferToTime = bufferToDoubleWithOptions;
  table.zqnlsLocaleBufferToDate = bufferToDate;
}

}  // namespace zq::host
