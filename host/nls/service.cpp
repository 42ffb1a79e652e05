// The NLS service: its handle table, locale creation and destruction.
#include "host/nls/service.h"

#include <cstdio>
#include <new>

#include "host/udb/character_db.h"

namespace zq::host {
namespace {

NlsService& serviceOf(NlsHandle* nls) { return *ownerOf<NlsService>(nls); }

// An injected failure still frees the handle: callers report a failed destroy and
// move on, so a handle kept alive would be lost.
Status localeDestroy(LocaleHandle* handle) {
  if (handle == nullptr) return ZQ_NLS_INVALID_VALUE;
  Locale* locale = ownerOf<Locale>(handle);
  NlsService& service = *locale->service;
  service.locales.erase(locale);
  delete locale;
  if (takeFault(*service.kernel, ZQHOST_FAULT_LOCALE_DESTROY)) return ZQ_NLS_INVALID_VALUE;
  return ZQ_OK;
}

LocaleHandle* localeCreate(NlsHandle* nls, const ZQChar* name, std::int64_t length) {
  if (nls == nullptr) return nullptr;
  NlsService& service = serviceOf(nls);
  if (takeFault(*service.kernel, ZQHOST_FAULT_LOCALE_CREATE)) return nullptr;
  const LocaleData* data = findLocaleData(name, length);
  if (data == nullptr) return nullptr;
  auto* locale = new (std::nothrow) Locale{};
  if (locale == nullptr) return nullptr;
  bindTable(locale);
  locale->data = data;
  locale->service = &service;
  locale->abi.zqnlsLocaleDestroy = localeDestroy;
  installIntegerOperations(locale->abi);
  installUnavailableOperations(locale->abi);
  service.locales.insert(locale);
  return &locale->abi;
}

// Encodings and string managers are not provided yet.
Status getEncodingProperties(NlsHandle*, std::int32_t, EncodingProperties* out) {
  if (out != nullptr) *out = EncodingProperties{};
  return ZQ_NLS_INVALID_VALUE;
}

Status stringManagerCreate(NlsHandle*, std::int32_t, Word, StringManager** out) {
  if (out != nullptr) *out = nullptr;
  return ZQ_NLS_INVALID_VALUE;
}

}  // namespace

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
  delete &service;
}

std::size_t liveLocaleCount(NlsHandle* nls) {
  return nls != nullptr ? serviceOf(nls).locales.size() : 0;
}

}  // namespace zq::host
