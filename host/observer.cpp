// The kernel's observer: a harness learns which locale and journal lines surround each check.
#include "host/observer.h"

namespace zq::host {

void observeLocaleCreated(const Kernel& kernel, const LocaleHandle* handle, const ZQChar* name,
                          std::int64_t length) {
  const ZqhostObserver& o = kernel.observer;
  // A name that cannot be read is reported as an empty one.
  if (name == nullptr || length < 0) length = 0;
  if (o.locale_created != nullptr) o.locale_created(o.context, handle, name, length);
}

void observeLocaleDestroyed(const Kernel& kernel, const LocaleHandle* handle) {
  const ZqhostObserver& o = kernel.observer;
  if (o.locale_destroyed != nullptr) o.locale_destroyed(o.context, handle);
}

void observeJournalText(const Kernel* kernel, std::int64_t level, const std::u32string& text) {
  if (kernel == nullptr || kernel->observer.journal_text == nullptr) return;
  static_assert(sizeof(char32_t) == sizeof(ZQChar));
  kernel->observer.journal_text(kernel->observer.context, level,
                                reinterpret_cast<const ZQChar*>(text.data()),
                                static_cast<std::int64_t>(text.size()));
}

}  // namespace zq::host

extern "C" void zqhostSetObserver(void* handle, const ZqhostObserver* observer) {
  if (handle == nullptr) return;
  zq::host::kernelOf(static_cast<zq::KernelHandle*>(handle)).observer =
      observer != nullptr ? *observer : ZqhostObserver{};
}
