// zqvnleIEEEConv: double formatting under both decimal-conversion modes.
#include "suites/common/frame.h"

using namespace zq;
using namespace zq::suite;

extern "C" std::int64_t zqvnleIEEEConv(TestServices* services, Word ctx, SuiteState*, void*,
                                       void* journal) {
  const Frame f{services, ctx, U"zqtest/src/zqvnle3", static_cast<Journal*>(journal)};
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  return 0;
}
