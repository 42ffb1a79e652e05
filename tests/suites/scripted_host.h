// A kernel whose NLS service hands out one scripted locale: its number operations answer as
// told, for the answers the stand-in host never gives even when told to give results
// wrongly (zqhostCorruptResults): lengths past 32 bits, values in a word's low half and
// values that differ from locale to locale.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "zq/host_objects.h"

namespace zq::testing {

// One call of a number operation, as the locale received it.
struct ScriptedCall {
  std::u32string locale;  // the name the handle was created with
  std::u32string text;    // parsers: the units they were given
};

// Formatters write the value in plain decimal, or with `decimal` off write `text` cut
// at the capacity and report `length` (the text's own length when negative). Integer
// parsers answer `value` (cut to their result type) and `used` whatever they are given;
// double parsers answer `real` of their call (0 when unset), `used` and `parse_status`.
// The date and time words answer no script: they fail.
struct Script {
  bool decimal = true;
  std::u32string text = {};
  std::int64_t length = -1;
  std::uint64_t value = 0;
  std::int64_t used = 0;
  std::function<double(const ScriptedCall&)> real = {};
  Status parse_status = ZQ_OK;
};

struct ScriptedHost {
  KernelHandle kernel{};
  NlsHandle nls{};
  LocaleHandle locale{};
  Script script;
  std::u32string locale_name;  // of the latest creation
  std::vector<ScriptedCall> calls;

  ScriptedHost();
  ScriptedHost(const ScriptedHost&) = delete;
  ScriptedHost& operator=(const ScriptedHost&) = delete;
  KernelHandle* handle() { return &kernel; }
  static ScriptedHost* of(LocaleHandle* l) { return static_cast<ScriptedHost*>(l->reserved0[0]); }

  Status format(const std::string& digits, ZQChar* buffer, std::int64_t capacity,
                std::int64_t* length) {
    calls.push_back({locale_name, U""});
    const std::u32string out =
        script.decimal ? std::u32string(digits.begin(), digits.end()) : script.text;
    const auto size = static_cast<std::int64_t>(out.size());
    *length = script.decimal || script.length < 0 ? size : script.length;
    std::copy_n(out.begin(), std::clamp<std::int64_t>(capacity, 0, size), buffer);
    return ZQ_OK;
  }
  void record(const ZQChar* text, std::int64_t length) {
    calls.push_back({locale_name, std::u32string(text, text + length)});
  }
};

template <class Value>
Status scriptedNumber(LocaleHandle* l, Value value, std::int32_t, std::int32_t, std::int32_t,
                      ZQChar* buffer, std::int64_t capacity, std::int64_t* length) {
  return ScriptedHost::of(l)->format(std::to_string(value), buffer, capacity, length);
}

// Both double formats, with or without extended options.
template <class... ExOptsArgument>
Status scriptedDouble(LocaleHandle* l, double value, std::int32_t, std::int32_t, std::int32_t,
                      ZQChar* buffer, std::int64_t capacity, std::int64_t* length,
                      ExOptsArgument...) {
  return ScriptedHost::of(l)->format(std::to_string(value), buffer, capacity, length);
}

template <class Value>
Status scriptedParse(LocaleHandle* l, const ZQChar* text, std::int64_t length, std::int32_t,
                     Value* value, std::int64_t* used) {
  ScriptedHost* host = ScriptedHost::of(l);
  host->record(text, length);
  *value = static_cast<Value>(host->script.value);
  *used = host->script.used;
  return ZQ_OK;
}

inline Status scriptedDoubleParse(LocaleHandle* l, const ZQChar* text, std::int64_t length,
                                  std::int32_t, double* value, std::int64_t* used) {
  ScriptedHost* host = ScriptedHost::of(l);
  host->record(text, length);
  *value = host->script.real ? host->script.real(host->calls.back()) : 0.0;
  *used = host->script.used;
  return host->script.parse_status;
}

template <class... Args>
Status unscripted(LocaleHandle*, Args...) {
  return ZQ_NLS_INVALID_VALUE;
}
template <class... Args>
void answerUnscripted(Status (*&word)(LocaleHandle*, Args...)) {
  word = unscripted<Args...>;
}

inline ScriptedHost::ScriptedHost() {
  kernel.nls = &nls;
  nls.kernel = &kernel;
  nls.reserved0[0] = this;
  locale.reserved0[0] = this;
  nls.zqnlsLocaleCreate = [](NlsHandle* n, const ZQChar* name, std::int64_t length) {
    auto* host = static_cast<ScriptedHost*>(n->reserved0[0]);
    host->locale_name.assign(name, name + length);
    return &host->locale;
  };
  locale.zqnlsLocaleDestroy = [](LocaleHandle*) { return ZQ_OK; };
  answerUnscripted(locale.zqnlsLocaleDateFormat);
  answerUnscripted(locale.zqnlsLocaleTimeFormat);
  answerUnscripted(locale.zqnlsLocaleDatetimeFormat);
  answerUnscripted(locale.zqnlsLocaleBufferToDatetime);
  answerUnscripted(locale.zqnlsLocaleBufferToTime);
  answerUnscripted(locale.zqnlsLocaleBufferToDate);
  locale.zqnlsLocaleDoubleFormat = scriptedDouble<>;
  locale.zqnlsLocaleDoubleFormatWithExOpts = scriptedDouble<const ExOpts*>;
  locale.zqnlsLocaleCurrencyFormat = scriptedDouble<>;
  locale.zqnlsLocalePercentFormat = scriptedDouble<>;
  locale.zqnlsLocaleIntfastFormat = scriptedNumber<std::int32_t>;
  locale.zqnlsLocaleIntmaxFormat = scriptedNumber<std::int64_t>;
  locale.zqnlsLocaleUintfastFormat = scriptedNumber<std::uint32_t>;
  locale.zqnlsLocaleUintmaxFormat = scriptedNumber<std::uint64_t>;
  locale.zqnlsLocalePointerFormat = [](LocaleHandle* l, std::uint64_t pointer, std::int32_t,
                                       std::int32_t, ZQChar* buffer, std::int64_t capacity,
                                       std::int64_t* length) {
    return of(l)->format(std::to_string(pointer), buffer, capacity, length);
  };
  // The "fast" and "max" parsers and their plain-C-type twins answer alike.
  locale.zqnlsLocaleBufferToIntfast = locale.zqnlsLocaleBufferToInt = scriptedParse<std::int32_t>;
  locale.zqnlsLocaleBufferToIntmax = locale.zqnlsLocaleBufferToLong = scriptedParse<std::int64_t>;
  locale.zqnlsLocaleBufferToUintfast = locale.zqnlsLocaleBufferToUInt =
      scriptedParse<std::uint32_t>;
  locale.zqnlsLocaleBufferToUintmax = locale.zqnlsLocaleBufferToULong =
      scriptedParse<std::uint64_t>;
  locale.zqnlsLocaleBufferToDoubleWithOpts = scriptedDoubleParse;
  locale.zqnlsLocaleBufferToDouble = [](LocaleHandle* l, const ZQChar* text, std::int64_t length,
                                        double* value, std::int64_t* used) {
    return scriptedDoubleParse(l, text, length, 0, value, used);
  };
}

}  // namespace zq::testing
