// The NLS service object and the locale handles it creates.
#pragma once

#include <cstddef>
#include <unordered_set>

#include "host/kernel.h"
#include "host/nls/conversion_result.h"
#include "host/nls/decimal_digits.h"
#include "host/nls/locale_data.h"
#include "host/nls/number_text.h"

namespace zq::host {

struct Locale;
struct StringManagerState;

struct NlsService {
  NlsHandle abi;  // word 0 points back here (host_object.h)
  Kernel* kernel;
  std::unordered_set<Locale*> locales;  // live handles; any left are freed with the service
  std::unordered_set<StringManagerState*> string_managers;  // likewise
};

// A locale handle: its operation table and the locale it works for.
struct Locale {
  LocaleHandle abi;  // word 0 points back here
  const LocaleData* data;
  NlsService* service;
};

// The locale behind a handle. Precondition: `handle` came from zqnlsLocaleCreate.
inline const LocaleData& localeDataOf(LocaleHandle* handle) {
  return *ownerOf<Locale>(handle)->data;
}

// The service behind an NLS handle, and the kernel a locale handle belongs to.
inline NlsService& serviceOf(NlsHandle* nls) { return *ownerOf<NlsService>(nls); }
inline Kernel& kernelOf(LocaleHandle* handle) { return *ownerOf<Locale>(handle)->service->kernel; }

// The decimal-conversion mode the kernel of `handle` is in now; STDIEEE when the
// kernel has no options block.
DecimalMode decimalModeOf(LocaleHandle* handle);

// A format word's results: the status returned, the length stored where the caller
// asked for it (when not null).
inline Status deliverFormat(FormatResult result, std::int64_t* out_length) {
  if (out_length != nullptr) *out_length = result.length;
  return result.status;
}
// A format word's answer to unusable arguments.
inline Status refuseFormat(std::int64_t* out_length) {
  return deliverFormat({ZQ_NLS_INVALID_VALUE, 0}, out_length);
}

// A parser word into a double (a number, a time or a datetime): `parse`'s results,
// stored where the caller asked for them (either pointer may be null); for a null
// handle, a negative length or a null text with a positive length,
// ZQ_NLS_INVALID_VALUE, the ordinary missing value and nothing consumed.
template <typename Parse>
Status parsedDoubleOf(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                      double* value, std::int64_t* consumed, Parse parse) {
  ParsedDouble parsed{ZQ_NLS_INVALID_VALUE, kMissingValue, 0};
  if (handle != nullptr && usableUnits(text, length)) parsed = parse(localeDataOf(handle));
  if (value != nullptr) *value = parsed.value;
  if (consumed != nullptr) *consumed = parsed.consumed;
  return parsed.status;
}

// Fills every conversion word of a new handle's table; each family of words fills
// its own (its *_operations.cpp).
void installLocaleOperations(LocaleHandle& table);
void installIntegerOperations(LocaleHandle& table);
void installDateOperations(LocaleHandle& table);
void installDoubleOperations(LocaleHandle& table);
void installMoneyOperations(LocaleHandle& table);

// Locale handles created and not yet destroyed; 0 for a null service.
std::size_t liveLocaleCount(NlsHandle* nls);
// String managers created and not yet destroyed; 0 for a null service.
std::size_t liveStringManagerCount(NlsHandle* nls);

}  // namespace zq::host
