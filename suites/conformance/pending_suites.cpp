// Conformance suites whose cases are not built yet: they check the NLS handle only.
#include "suites/common/frame.h"

using namespace zq;
using namespace zq::suite;

namespace {

std::int64_t nlsOnly(TestServices* services, Word ctx, Journal* journal, KernelHandle* kernel,
                     const char32_t* source) {
  const Frame f{services, ctx, source, journal};
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  return nls == nullptr ? 1 : 0;
}

}  // namespace

extern "C" {

std::int64_t dateTest1(TestServices* s, Word ctx, SuiteState*, Journal* j, KernelHandle* k) {
  return nlsOnly(s, ctx, j, k, U"zqtest/src/zqvnlf1");
}

}  // extern "C"
