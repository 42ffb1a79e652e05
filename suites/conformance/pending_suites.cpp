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

std::int64_t doubleTest1(TestServices* s, Word ctx, SuiteState*, Journal* j, KernelHandle* k) {
  return nlsOnly(s, ctx, j, k, U"zqtest/src/zqvnlo1");
}
std::int64_t doubleTest2(TestServices* s, Word ctx, SuiteState*, Journal* j, KernelHandle* k) {
  return nlsOnly(s, ctx, j, k, U"zqtest/src/zqvnlo2");
}
std::int64_t doubleTest3(TestServices* s, Word ctx, SuiteState*, Journal* j, KernelHandle* k) {
  return nlsOnly(s, ctx, j, k, U"zqtest/src/zqvnlo3");
}
std::int64_t doubleTest4(TestServices* s, Word ctx, SuiteState*, Journal* j, KernelHandle* k) {
  return nlsOnly(s, ctx, j, k, U"zqtest/src/zqvnlo4");
}
std::int64_t buftodblTest1(TestServices* s, Word ctx, SuiteState*, Journal* j, KernelHandle* k) {
  return nlsOnly(s, ctx, j, k, U"zqtest/src/zqvnlb1");
}

}  // extern "C"
