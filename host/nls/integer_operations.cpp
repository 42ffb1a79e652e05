// The locale handle's integer and pointer operations: formats (words 40-44) and
// parsers (words 51-54, 64, 65, 68, 69), all over the one engine of each kind.
#include <limits>
#include <type_traits>

#include "host/nls/integer_format.h"
#include "host/nls/integer_parse.h"
#include "host/nls/service.h"

namespace zq::host {
namespace {

template <typename T>
Status formatAs(LocaleHandle* handle, T value, std::int32_t width, std::int32_t precision,
                std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                std::int64_t* out_length) {
  if (handle == nullptr) {
    if (out_length != nullptr) *out_length = 0;
    return ZQ_NLS_INVALID_VALUE;
  }
  using Unsigned = std::make_unsigned_t<T>;
  const IntegerOperand operand{static_cast<Unsigned>(value), sizeof(T) * 8,
                               std::is_signed_v<T>};
  return formatInteger(localeDataOf(handle), operand, width, precision,
                       static_cast<std::uint32_t>(options), buffer, capacity, out_length);
}

Status pointerFormat(LocaleHandle* handle, std::uint64_t pointer, std::int32_t width,
                     std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                     std::int64_t* out_length) {
  if (handle == nullptr) {
    if (out_length != nullptr) *out_length = 0;
    return ZQ_NLS_INVALID_VALUE;
  }
  return formatPointer(localeDataOf(handle), pointer, width, static_cast<std::uint32_t>(options),
                       buffer, capacity, out_length);
}

// Parses into T. The value and the consumed count are always written (0 when the
// arguments are unusable); either pointer may be null.
template <typename T>
Status parseAs(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
               std::int32_t options, T* value, std::int64_t* consumed) {
  if (value != nullptr) *value = 0;
  if (consumed != nullptr) *consumed = 0;
  if (handle == nullptr || length < 0 || (text == nullptr && length > 0)) {
    return ZQ_NLS_INVALID_VALUE;
  }
  using Unsigned = std::make_unsigned_t<T>;
  const auto max_positive = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
  const IntegerRange range{max_positive, std::is_signed_v<T> ? max_positive + 1 : 0};
  const ParsedInteger parsed = parseInteger(localeDataOf(handle), text, length,
                                            static_cast<std::uint32_t>(options), range);
  // Negation in the unsigned type, so that the minimum converts back exactly.
  const auto magnitude = static_cast<Unsigned>(parsed.magnitude);
  if (value != nullptr) {
    *value = static_cast<T>(parsed.negative ? static_cast<Unsigned>(0 - magnitude) : magnitude);
  }
  if (consumed != nullptr) *consumed = parsed.consumed;
  return parsed.status;
}

}  // namespace

void installIntegerOperations(LocaleHandle& table) {
  table.zqnlsLocaleIntfastFormat = formatAs<std::int32_t>;
  table.zqnlsLocaleIntmaxFormat = formatAs<std::int64_t>;
  table.zqnlsLocaleUintfastFormat = formatAs<std::uint32_t>;
  table.zqnlsLocaleUintmaxFormat = formatAs<std::uint64_t>;
  table.zqnlsLocalePointerFormat = pointerFormat;
  table.zqnlsLocaleBufferToIntfast = parseAs<std::int32_t>;
  table.zqnlsLocaleBufferToIntmax = parseAs<std::int64_t>;
  table.zqnlsLocaleBufferToUintfast = parseAs<std::uint32_t>;
  table.zqnlsLocaleBufferToUintmax = parseAs<std::uint64_t>;
  table.zqnlsLocaleBufferToInt = parseAs<std::int32_t>;
  table.zqnlsLocaleBufferToUInt = parseAs<std::uint32_t>;
  table.zqnlsLocaleBufferToLong = parseAs<std::int64_t>;
  table.zqnlsLocaleBufferToULong = parseAs<std::uint64_t>;
}

}  // namespace zq::host
