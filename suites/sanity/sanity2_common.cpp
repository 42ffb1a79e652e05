// zqvnleSanity2's shared pieces: lookups by code and option word, decimal points, locales.
#include "suites/sanity/sanity2.h"

namespace zq::sanity {

ParseFunctionTexts parseFunctionTexts(std::int32_t code) {
  // code -> name printed, value-check expression
  switch (static_cast<ParseFunction>(code)) {
    case ParseFunction::Intfast: return {U"LocaleBufferToIntfast", U"(int)intfast"};
    case ParseFunction::Intmax: return {U"LocaleBufferToIntmax", U"(int)intmax"};
    case ParseFunction::Int: return {U"LocaleBufferToInt", U"intval"};
    case ParseFunction::Long: return {U"LocaleBufferToLong", U"longval"};
    case ParseFunction::Uintfast: return {U"LocaleBufferToUintfast", U"(int)uintfast"};
    case ParseFunction::Uintmax: return {U"LocaleBufferToUintmax", U"(int)uintmax"};
    case ParseFunction::UInt: return {U"LocaleBufferToUInt", U"uintval"};
    case ParseFunction::ULong: return {U"LocaleBufferToULong", U"ulongval"};
    case ParseFunction::DoubleWithOpts: return {U"zqnlsLocaleBufferToDoubleWithOpts", U"1"};
  }
  return {nullptr, nullptr};
}

const char32_t* cvtOptionName(std::int32_t options) {
  // option word -> name printed
  switch (static_cast<std::uint32_t>(options)) {
    case LOCALE_CVT_INTEGER: return U"LOCALE_CVT_INTEGER";
    case LOCALE_CVT_HEX: return U"LOCALE_CVT_HEX";
    case LOCALE_CVT_NOEMBEDDEDSPACE: return U"LOCALE_CVT_NOEMBEDDEDSPACE";
    case LOCALE_CVT_IGNORE_DECIMAL: return U"LOCALE_CVT_IGNORE_DECIMAL";
    case LOCALE_CVT_SPACEGROUPING: return U"LOCALE_CVT_SPACEGROUPING";
  }
  return U"Undefined option";
}

void localiseDecimalPoint(ZQChar* buffer, std::int64_t units, std::int32_t position,
                          const ZQChar* separator) {
  if (position <= 0 || position > units) return;
  if (zqzsCompare(separator, 1, suite::zt(U"."), 1) != 0) return;
  buffer[position - 1] = separator[0];
}

LocaleHandle* openSectionLocale(const Sanity2Run& run, const ZQChar* name, std::int64_t length) {
  LocaleHandle* locale = suite::createLocale(run.nls, name, length);
  if (suite::checkHandle(run.harness, locale, U"currentLocale")) return locale;
  suite::report(run.harness, U"Failed to get handle for currentLocale", SEVERITY_ERROR);
  return nullptr;
}

bool closeSectionLocale(const Sanity2Run& run, LocaleHandle* locale) {
  const Status status = suite::destroyLocale(locale);
  if (suite::checkStatus(run.harness, ZQ_OK, status, U"status")) return true;
  suite::report(run.harness, U"zqnlsLocaleDestroy failed", SEVERITY_ERROR);
  return false;
}

namespace {

template <suite::IntegerParser P>
IntegerParse callParser(LocaleHandle* locale, const ZQChar* text, std::int64_t length,
                        std::int32_t options) {
  suite::ParsedValue<P> value = 0;
  std::int64_t consumed = 0;
  const Status status = suite::parseInteger<P>(locale, text, length,
                                               static_cast<std::uint32_t>(options), &value,
                                               &consumed);
  return {status, static_cast<std::int64_t>(value), consumed};
}

}  // namespace

std::optional<IntegerParse> parseByCode(LocaleHandle* locale, std::int32_t code,
                                        const ZQChar* text, std::int64_t length,
                                        std::int32_t options) {
  using P = suite::IntegerParser;
  // function code -> parser
  switch (static_cast<ParseFunction>(code)) {
    case ParseFunction::Intfast: return callParser<P::Intfast>(locale, text, length, options);
    case ParseFunction::Intmax: return callParser<P::Intmax>(locale, text, length, options);
    case ParseFunction::Int: return callParser<P::Int>(locale, text, length, options);
    case ParseFunction::Long: return callParser<P::Long>(locale, text, length, options);
    case ParseFunction::Uintfast: return callParser<P::Uintfast>(locale, text, length, options);
    case ParseFunction::Uintmax: return callParser<P::Uintmax>(locale, text, length, options);
    case ParseFunction::UInt: return callParser<P::UInt>(locale, text, length, options);
    case ParseFunction::ULong: return callParser<P::ULong>(locale, text, length, options);
    case ParseFunction::DoubleWithOpts: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace zq::sanity
