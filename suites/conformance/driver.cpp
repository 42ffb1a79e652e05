// zqvnleFunction1: the locale conformance driver.
#include "suites/common/frame.h"

using namespace zq;
using namespace zq::suite;

extern "C" std::int64_t zqvnleFunction1(TestServices* services, Word ctx, SuiteState*, void*,
                                        void*) {
  const Frame f{services, ctx, U"zqtest/src/zqvnlf", nullptr};
  beginTest(f, U"zqvnleFunction1");
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  return 0;
}
