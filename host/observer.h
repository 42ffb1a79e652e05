// Tells a kernel's observer (zqhostSetObserver) about locale handles and journal lines.
#pragma once

#include <cstdint>
#include <string>

#include "host/kernel.h"

namespace zq::host {

void observeLocaleCreated(const Kernel& kernel, const LocaleHandle* handle, const ZQChar* name,
                          std::int64_t length);
void observeLocaleDestroyed(const Kernel& kernel, const LocaleHandle* handle);
// `kernel` may be null (a journal made outside any kernel): nobody is told.
void observeJournalText(const Kernel* kernel, std::int64_t level, const std::u32string& text);

}  // namespace zq::host
