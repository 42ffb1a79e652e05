// zqvnleSanity2: how the parsing operations honour their option words.
#include "suites/common/frame.h"

using namespace zq;
using namespace zq::suite;

extern "C" std::int64_t zqvnleSanity2(TestServices* services, Word ctx, SuiteState*,
                                      void* journal, void*) {
  const Frame f{services, ctx, U"zqtest/src/zqvnle3", static_cast<Journal*>(journal)};
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  report(f, U"**************Beginning zqvnleSanity2 testing*************", SEVERITY_INFO);
  journalLine(f, JNL_LEVEL_INFO, U"\n***Beginning zqvnleSanity2 testing***\n");
  return 0;
}
