// The NLS service object and the locale handles it creates.
#pragma once

#include <cstddef>
#include <unordered_set>

#include "host/kernel.h"
#include "host/nls/locale_data.h"

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

// Fills every conversion word of a new handle's table; each group of operations
// fills its own words.
void installLocaleOperations(LocaleHandle& table);
void installIntegerOperations(LocaleHandle& table);
void installDateOperations(LocaleHandle& table);
void installDoubleOperations(LocaleHandle& table);
void installDoubleParseOperations(LocaleHandle& table);

// Locale handles created and not yet destroyed; 0 for a null service.
std::size_t liveLocaleCount(NlsHandle* nls);
// String managers created and not yet destroyed; 0 for a null service.
std::size_t liveStringManagerCount(NlsHandle* nls);

}  // namespace zq::host
