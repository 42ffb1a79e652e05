// The eight integer operations of a locale handle, each with its value type and names.
#pragma once

#include <cstdint>
#include <limits>

#include "zq/host_objects.h"

namespace zq::conformance {

// Narrows a 64-bit count for a 32-bit check. A count outside the 32-bit range saturates
// instead of wrapping, so it can never pass for a small expected count.
inline std::int32_t checkedInt32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

// A formatter slot of the locale handle: value, width, precision, options, buffer,
// capacity, converted length.
template <class V, auto Slot>
struct FormatOp {
  using Value = V;
  static Status call(LocaleHandle* l, Value v, std::int32_t width, std::int32_t precision,
                     std::uint32_t options, ZQChar* buffer, std::int64_t capacity,
                     std::int64_t* length) {
    return (l->*Slot)(l, v, width, precision, static_cast<std::int32_t>(options), buffer,
                      capacity, length);
  }
};

struct IntfastFormat : FormatOp<std::int32_t, &LocaleHandle::zqnlsLocaleIntfastFormat> {
  static constexpr const char32_t* kName = U"zqnlsLocaleIntfastFormat";
};
struct IntmaxFormat : FormatOp<std::int64_t, &LocaleHandle::zqnlsLocaleIntmaxFormat> {
  static constexpr const char32_t* kName = U"zqnlsLocaleIntmaxFormat";
};
struct UintfastFormat : FormatOp<std::uint32_t, &LocaleHandle::zqnlsLocaleUintfastFormat> {
  static constexpr const char32_t* kName = U"zqnlsLocaleUintfastFormat";
};
struct UintmaxFormat : FormatOp<std::uint64_t, &LocaleHandle::zqnlsLocaleUintmaxFormat> {
  static constexpr const char32_t* kName = U"zqnlsLocaleUintmaxFormat";
};

// A parser slot of the locale handle: text, length, options, value, consumed length.
// `Formatter` builds its extreme-value input.
template <class Format, auto Slot>
struct ParseOp {
  using Value = typename Format::Value;
  using Formatter = Format;
  static Status call(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                     std::uint32_t options, Value* value, std::int64_t* used) {
    return (l->*Slot)(l, text, length, static_cast<std::int32_t>(options), value, used);
  }
};

// Each parser names its journal conversion of the value and its value check's text.
struct IntfastParse : ParseOp<IntfastFormat, &LocaleHandle::zqnlsLocaleBufferToIntfast> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToIntfast";
  static constexpr const char32_t* kConversion = U"%li";
  static constexpr const char32_t* kValueExpression = U"intfast_value";
};
struct IntmaxParse : ParseOp<IntmaxFormat, &LocaleHandle::zqnlsLocaleBufferToIntmax> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToIntmax";
  static constexpr const char32_t* kConversion = U"%lld";
  static constexpr const char32_t* kValueExpression = U"intmax_value";
};
struct UintfastParse : ParseOp<UintfastFormat, &LocaleHandle::zqnlsLocaleBufferToUintfast> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToUintfast";
  static constexpr const char32_t* kConversion = U"%lu";
  static constexpr const char32_t* kValueExpression = U"uintfast_value";
};
struct UintmaxParse : ParseOp<UintmaxFormat, &LocaleHandle::zqnlsLocaleBufferToUintmax> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToUintmax";
  static constexpr const char32_t* kConversion = U"%lld";
  static constexpr const char32_t* kValueExpression = U"uintmax_value";
};

}  // namespace zq::conformance
