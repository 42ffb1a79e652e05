// The locale handle's integer and pointer words: formats (words 40-44) and parsers
// (words 51-54, 64, 65, 68, 69) over the integer engines, for each result type.
//
// Speed. The format and parser words write the common request and read the common
// text themselves (formatUnpadded, parseCommonInteger) and hand every other one on
// with a jump, so that the call through the table is the only call a common request
// costs; a second call, with its arguments on the stack, would cost about a sixth of
// a short format.
#include <limits>
#include <type_traits>

#include "host/nls/integer_format.h"
#include "host/nls/integer_parse.h"
#include "host/nls/service.h"

namespace zq::host {
namespace {

template <typename T>
IntegerOperand operandOf(T value) {
  return IntegerOperand{static_cast<std::make_unsigned_t<T>>(value), sizeof(T) * 8,
                        std::is_signed_v<T>};
}

// A format word for every request: formats a T.
template <typename T>
[[gnu::noinline]] Status formatAnyRequest(LocaleHandle* handle, T value, std::int32_t width,
                                          std::int32_t precision, std::int32_t options,
                                          ZQChar* buffer, std::int64_t capacity,
                                          std::int64_t* out_length) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  return deliverFormat(formatInteger(localeDataOf(handle).number, operandOf(value), width,
                                     precision, static_cast<std::uint32_t>(options), buffer,
                                     capacity),
                       out_length);
}

// The format word of T, as formatAnyRequest: the common request here, any other on
// with the same arguments.
template <typename T>
Status formatAs(LocaleHandle* handle, T value, std::int32_t width, std::int32_t precision,
                std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                std::int64_t* out_length) {
  std::int64_t length = 0;
  if (handle != nullptr && buffer != nullptr &&
      formatUnpadded(localeDataOf(handle).number, operandOf(value), width, precision,
                     static_cast<std::uint32_t>(options), buffer, capacity, length)) {
    if (out_length != nullptr) *out_length = length;
    return ZQ_OK;
  }
  return formatAnyRequest(handle, value, width, precision, options, buffer, capacity,
                          out_length);
}

Status pointerFormat(LocaleHandle* handle, std::uint64_t pointer, std::int32_t width,
                     std::int32_t options, ZQChar* buffer, std::int64_t capacity,
                     std::int64_t* out_length) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  return deliverFormat(formatPointer(localeDataOf(handle).number, pointer, width,
                                     static_cast<std::uint32_t>(options), buffer, capacity),
                       out_length);
}

// T's range as magnitudes.
template <typename T>
constexpr IntegerRange kRangeOf{static_cast<std::uint64_t>(std::numeric_limits<T>::max()),
                                std::is_signed_v<T> ? std::uint64_t{1} << (sizeof(T) * 8 - 1)
                                                    : 0};

// T's value of a magnitude and sign. The negation is done in the unsigned type, so that
// the minimum converts back exactly.
template <typename T>
T valueOf(std::uint64_t magnitude, bool negative) {
  using Unsigned = std::make_unsigned_t<T>;
  const auto bits = static_cast<Unsigned>(magnitude);
  return static_cast<T>(negative ? static_cast<Unsigned>(0 - bits) : bits);
}

// Stores a parser's results where the caller asked for them.
template <typename T>
Status deliver(const ParsedInteger& parsed, T* value, std::int64_t* consumed) {
  if (value != nullptr) *value = valueOf<T>(parsed.magnitude, parsed.negative);
  if (consumed != nullptr) *consumed = parsed.consumed;
  return parsed.status;
}

// A parser word for every text: parses into T. The value and the consumed count are
// always written (0 when the arguments are unusable); either pointer may be null.
template <typename T>
[[gnu::noinline]] Status parseAnyText(LocaleHandle* handle, const ZQChar* text,
                                      std::int64_t length, std::int32_t options, T* value,
                                      std::int64_t* consumed) {
  if (handle == nullptr || !usableUnits(text, length)) {
    return deliver(ParsedInteger{ZQ_NLS_INVALID_VALUE, 0, false, 0}, value, consumed);
  }
  return deliver(parseInteger(localeDataOf(handle).number, text, length,
                              static_cast<std::uint32_t>(options), kRangeOf<T>),
                 value, consumed);
}

// The parser word of T, as parseAnyText: the common text here, any other on with the
// same arguments, which reads it from its start.
template <typename T>
Status parseAs(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
               std::int32_t options, T* value, std::int64_t* consumed) {
  ParsedInteger parsed;
  if (handle != nullptr &&
      parseCommonInteger(localeDataOf(handle).number, text, length,
                         static_cast<std::uint32_t>(options), kRangeOf<T>, parsed)) {
    return deliver(parsed, value, consumed);
  }
  return parseAnyText(handle, text, length, options, value, consumed);
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
