// The NLS service object and the locale handles it creates.
#pragma once

#include <cstddef>
#include <unordered_set>

#include "host/kernel.h"
#include "host/nls/locale_data.h"

namespace zq::host {

struct Locale;

struct NlsService {
  NlsHandle abi;  // word 0 points back here (host_object.h)
  Kernel* kernel;
  std::unordered_set<Locale*> locales;  // live handles; any left are freed with the service
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

// Each group of locale operations fills its own words of a new handle's table.
void installIntegerOperations(LocaleHandle& table);
// Operations the host does not provide yet: they answer ZQ_NLS_INVALID_VALUE.
void installUnavailableOperations(LocaleHandle& table);

// Locale handles created and not yet destroyed; 0 for a null service.
std::size_t liveLocaleCount(NlsHandle* nls);

}  // namespace zq::host
