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

Status bufferToDoubleWithOptions(LocaleHandle*, const ZQChar*, std::int64_t, std::int32_t,
                                 double* value, std::int64_t* out_length) {
  clear(value, kMissing);
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

Status bufferToDouble(LocaleHandle*, const ZQChar*, std::int64_t, double* value,
                      std::int64_t* out_length) {
  clear(value, kMissing);
  clear<std::int64_t>(out_length, 0);
  return ZQ_NLS_INVALID_VALUE;
}

}  // namespace

void installUnavailableOperations(LocaleHandle& table) {
  table.zqnlsLocaleBufferToDoubleWithOpts = bufferToDoubleWithOptions;
  table.zqnlsLocaleBufferToDouble = bufferToDouble;
}

}  // namespace zq::host
