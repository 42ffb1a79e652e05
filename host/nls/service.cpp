// The NLS service: being built; no service yet.
#include "host/kernel.h"

namespace zq::host {

NlsHandle* createNlsService(Kernel& /*kernel*/) { return nullptr; }
void destroyNlsService(NlsHandle* /*nls*/) {}

}  // namespace zq::host
