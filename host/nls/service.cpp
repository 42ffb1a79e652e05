// The NLS service: its handle table, locale creation and destruction.
#include "host/nls/service.h"

#include <cstdio>
#include <new>

#include "host/observer.h"
#include "host/nls/encodings.h"
#include "host/nls/result_corruption.h"
#include "host/nls/string_manager.h"
#include "host/udb/character_db.h"

namespace zq::host {
namespace {

// An injected failure still frees the handle: callers report a failed destroy and
// move on, so a handle kept alive would be lost.
Status localeDestroy(LocaleHandle* handle) {
  if (handle == nullptr) return ZQ_NLS_INVALID_VALUE;
  Locale* locale = ownerOf<Locale>(handle);
  NlsService& service = *locale->service;
  observeLocaleDestroyed(*service.kernel, handle);
  service.locales.erase(locale);
  delete locale;
  if (takeFault(*service.kernel, ZQHOST_FAULT_LOCALE_DESTROY)) return ZQ_NLS_INVALID_VALUE;
  return ZQ_OK;
}

LocaleHandle* newLocale(NlsService& service, const ZQChar* name, std::int64_t length) {
  if (takeFault(*service.kernel, ZQHOST_FAULT_LOCALE_CREATE)) return nullptr;
  const LocaleData* data = findLocaleData(name, length);
  if (data == nullptr) return nullptr;
  auto* locale = new (std::nothrow) Locale{};
  if (locale == nullptr) return nullptr;
  bindTable(locale);
  locale->data = data;
  locale->service = &service;
  locale->abi.zqnlsLocaleDestroy = localeDestroy;
  installLocaleOperations(locale->abi);
  if (service.kernel->corruption != ZQHOST_CORRUPT_NONE) installResultCorruption(locale->abi);
  service.locales.insert(locale);
  return &locale->abi;
}

LocaleHandle* localeCreate(NlsHandle* nls, const ZQChar* name, std::int64_t length) {
  if (nls == nullptr) return nullptr;
  NlsService& service = serviceOf(nls);
  LocaleHandle* handle = newLocale(service, name, length);
  observeLocaleCreated(*service.kernel, handle, name, length);
  return handle;
}

}  // namespace

void installLocaleOperations(LocaleHandle& table) {
  installIntegerOperations(table);
  installDateOperations(table);
  installDoubleOperations(table);
  installMoneyOperations(table);
}

NlsHandle* createNlsService(Kernel& kernel) {
  auto* service = new (std::nothrow) NlsService{};
  if (service == nullptr) return nullptr;
  bindTable(service);
  service->kernel = &kernel;
  service->abi.kernel = &kernel.abi;
  service->abi.zqnlsGetEncodingProperties = getEncodingProperties;
  service->abi.zqnlsLocaleCreate = localeCreate;
  service->abi.zqnlsSMCreate = stringManagerCreate;
  service->abi.character_database = nullptr;  // filled by its first user
  installCharacterOperations(service->abi);
  return &service->abi;
}

void destroyNlsService(NlsHandle* nls) {
  if (nls == nullptr) return;
  NlsService& service = serviceOf(nls);
  if (!service.locales.empty()) {
    std::fprintf(stderr, "zqhost: %zu locale handle(s) still alive\n", service.locales.size());
  }
  for (Locale* locale : service.locales) delete locale;
  if (!service.string_managers.empty()) {
    std::fprintf(stderr, "zqhost: %zu string manager(s) still alive\n",
                 service.string_managers.size());
  }
  // Each free removes its manager from the set.
  while (!service.string_managers.empty()) freeStringManager(*service.string_managers.begin());
  delete &service;
}

std::size_t liveLocaleCount(NlsHandle* nls) {
  return nls != nullptr ? serviceOf(nls).locales.size() : 0;
}

std::size_t liveStringManagerCount(NlsHandle* nls) {
  return nls != nullptr ? serviceOf(nls).string_managers.size() : 0;
}

}  // namespace zq::host
