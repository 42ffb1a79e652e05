// The locale operations as every suite calls them: one wrapping of each host word.
//
// Each wrapper calls one word of the locale handle with the suite's own argument
// types (option words travel as 32-bit patterns either way). Integer formats are
// chosen by the value's type; integer parsers, of which two share each value type,
// by their `IntegerParser` tag.
#pragma once

#include <cstdint>
#include <type_traits>

#include "zq/host_objects.h"

namespace zq::suite {

inline LocaleHandle* createLocale(NlsHandle* nls, const ZQChar* name, std::int64_t length) {
  return nls->zqnlsLocaleCreate(nls, name, length);
}
inline Status destroyLocale(LocaleHandle* l) { return l->zqnlsLocaleDestroy(l); }

// ---------------------------------------------------------------------------
// Encodings and string managers: doubles to and from 8-bit text in one encoding.

inline Status encodingProperties(NlsHandle* nls, std::int32_t encoding,
                                 EncodingProperties* properties) {
  return nls->zqnlsGetEncodingProperties(nls, encoding, properties);
}
inline Status createStringManager(NlsHandle* nls, std::int32_t encoding,
                                  StringManager** manager) {
  return nls->zqnlsSMCreate(nls, encoding, 0, manager);
}
inline Status destroyStringManager(StringManager* m) { return m->zqnlsSMDestroy(m); }
// Writes at most `capacity` bytes; `length` receives the bytes of the text.
inline Status stringFromDouble(StringManager* m, LocaleHandle* l, double value,
                               std::int32_t width, std::int32_t precision, std::uint32_t options,
                               char* out, std::int64_t capacity, std::int64_t* length) {
  return m->zqnlsStringFromDouble(m, l, width, precision, static_cast<std::int32_t>(options),
                                  out, capacity, length, value);
}
// `used` receives the bytes read.
inline Status stringToDouble(StringManager* m, LocaleHandle* l, const char* text,
                             std::int64_t length, std::uint32_t options, double* value,
                             std::int64_t* used) {
  return m->zqnlsStringToDouble(m, l, text, length, static_cast<std::int32_t>(options), value,
                                used);
}

// ---------------------------------------------------------------------------
// Formats: every one writes at most `capacity` units and stores its converted length.

inline Status formatDate(LocaleHandle* l, std::int32_t month, std::int32_t day,
                         std::int32_t year, std::int32_t style, ZQChar* buffer,
                         std::int64_t capacity, std::int64_t* length) {
  return l->zqnlsLocaleDateFormat(l, month, day, year, style, buffer, capacity, length);
}
inline Status formatTime(LocaleHandle* l, double seconds, std::int32_t style, ZQChar* buffer,
                         std::int64_t capacity, std::int64_t* length) {
  return l->zqnlsLocaleTimeFormat(l, seconds, style, buffer, capacity, length);
}
inline Status formatDatetime(LocaleHandle* l, double datetime, std::int32_t options,
                             ZQChar* buffer, std::int64_t capacity, std::int64_t* length) {
  return l->zqnlsLocaleDatetimeFormat(l, datetime, options, buffer, capacity, length);
}

// The number formats that take a double: value, width, precision, options.
inline Status formatDouble(LocaleHandle* l, double value, std::int32_t width,
                           std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                           std::int64_t capacity, std::int64_t* length) {
  return l->zqnlsLocaleDoubleFormat(l, value, width, precision,
                                    static_cast<std::int32_t>(options), buffer, capacity, length);
}
// `ex_opts` may be null: then exactly as formatDouble.
inline Status formatDoubleExOpts(LocaleHandle* l, double value, std::int32_t width,
                                 std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                                 std::int64_t capacity, std::int64_t* length,
                                 const ExOpts* ex_opts) {
  return l->zqnlsLocaleDoubleFormatWithExOpts(l, value, width, precision,
                                              static_cast<std::int32_t>(options), buffer,
                                              capacity, length, ex_opts);
}
inline Status formatPercent(LocaleHandle* l, double value, std::int32_t width,
                            std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                            std::int64_t capacity, std::int64_t* length) {
  return l->zqnlsLocalePercentFormat(l, value, width, precision,
                                     static_cast<std::int32_t>(options), buffer, capacity,
                                     length);
}
inline Status formatCurrency(LocaleHandle* l, double value, std::int32_t width,
                             std::int32_t precision, std::uint32_t options, ZQChar* buffer,
                             std::int64_t capacity, std::int64_t* length) {
  return l->zqnlsLocaleCurrencyFormat(l, value, width, precision,
                                      static_cast<std::int32_t>(options), buffer, capacity,
                                      length);
}

// Words 40-43 by the value's type: int32 Intfast, int64 Intmax, uint32 Uintfast,
// uint64 Uintmax.
template <class Value>
Status formatInteger(LocaleHandle* l, Value value, std::int32_t width, std::int32_t precision,
                     std::uint32_t options, ZQChar* buffer, std::int64_t capacity,
                     std::int64_t* length) {
  static_assert(std::is_integral_v<Value> && (sizeof(Value) == 4 || sizeof(Value) == 8));
  const auto o = static_cast<std::int32_t>(options);
  if constexpr (std::is_same_v<Value, std::int32_t>) {
    return l->zqnlsLocaleIntfastFormat(l, value, width, precision, o, buffer, capacity, length);
  } else if constexpr (std::is_same_v<Value, std::int64_t>) {
    return l->zqnlsLocaleIntmaxFormat(l, value, width, precision, o, buffer, capacity, length);
  } else if constexpr (std::is_same_v<Value, std::uint32_t>) {
    return l->zqnlsLocaleUintfastFormat(l, value, width, precision, o, buffer, capacity, length);
  } else {
    return l->zqnlsLocaleUintmaxFormat(l, value, width, precision, o, buffer, capacity, length);
  }
}

inline Status formatPointer(LocaleHandle* l, std::uint64_t pointer, std::int32_t width,
                            std::uint32_t options, ZQChar* buffer, std::int64_t capacity,
                            std::int64_t* length) {
  return l->zqnlsLocalePointerFormat(l, pointer, width, static_cast<std::int32_t>(options),
                                     buffer, capacity, length);
}

// ---------------------------------------------------------------------------
// Parsers: text and length in, the value and the units consumed out.

inline Status parseDate(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                        std::int32_t options, std::int32_t* month, std::int32_t* day,
                        std::int32_t* year, std::int64_t* used) {
  return l->zqnlsLocaleBufferToDate(l, text, length, options, month, day, year, used);
}
inline Status parseTime(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                        std::int32_t options, double* seconds, std::int64_t* used) {
  return l->zqnlsLocaleBufferToTime(l, text, length, options, seconds, used);
}
inline Status parseDatetime(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                            std::int32_t options, double* datetime, std::int64_t* used) {
  return l->zqnlsLocaleBufferToDatetime(l, text, length, options, datetime, used);
}
inline Status parseDouble(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                          double* value, std::int64_t* used) {
  return l->zqnlsLocaleBufferToDouble(l, text, length, value, used);
}
inline Status parseDoubleWithOpts(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                                  std::uint32_t options, double* value, std::int64_t* used) {
  return l->zqnlsLocaleBufferToDoubleWithOpts(l, text, length,
                                              static_cast<std::int32_t>(options), value, used);
}

// The eight integer parsers: words 51-54, then 64, 68, 65 and 69.
enum class IntegerParser { Intfast, Intmax, Uintfast, Uintmax, Int, Long, UInt, ULong };

// The result type of a parser.
template <IntegerParser P>
using ParsedValue = std::conditional_t<
    P == IntegerParser::Intfast || P == IntegerParser::Int, std::int32_t,
    std::conditional_t<P == IntegerParser::Intmax || P == IntegerParser::Long, std::int64_t,
                       std::conditional_t<P == IntegerParser::Uintfast ||
                                              P == IntegerParser::UInt,
                                          std::uint32_t, std::uint64_t>>>;

template <IntegerParser P>
Status parseInteger(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                    std::uint32_t options, ParsedValue<P>* value, std::int64_t* used) {
  const auto o = static_cast<std::int32_t>(options);
  if constexpr (P == IntegerParser::Intfast) {
    return l->zqnlsLocaleBufferToIntfast(l, text, length, o, value, used);
  } else if constexpr (P == IntegerParser::Intmax) {
    return l->zqnlsLocaleBufferToIntmax(l, text, length, o, value, used);
  } else if constexpr (P == IntegerParser::Uintfast) {
    return l->zqnlsLocaleBufferToUintfast(l, text, length, o, value, used);
  } else if constexpr (P == IntegerParser::Uintmax) {
    return l->zqnlsLocaleBufferToUintmax(l, text, length, o, value, used);
  } else if constexpr (P == IntegerParser::Int) {
    return l->zqnlsLocaleBufferToInt(l, text, length, o, value, used);
  } else if constexpr (P == IntegerParser::Long) {
    return l->zqnlsLocaleBufferToLong(l, text, length, o, value, used);
  } else if constexpr (P == IntegerParser::UInt) {
    return l->zqnlsLocaleBufferToUInt(l, text, length, o, value, used);
  } else {
    return l->zqnlsLocaleBufferToULong(l, text, length, o, value, used);
  }
}

}  // namespace zq::suite
