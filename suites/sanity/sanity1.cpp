// zqvnleSanity1: table-driven checks of the NLS formatting and parsing operations.
#include "suites/common/frame.h"

using namespace zq;
using namespace zq::suite;

extern "C" std::int64_t zqvnleSanity1(TestServices* services, Word ctx, SuiteState*,
                                      void* journal, void*) {
  const Frame f{services, ctx, U"zqtest/src/zqvnle2", static_cast<Journal*>(journal)};
  beginTest(f, U"zqvnleSanity1");
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  report(f, U"**************Beginning zqvnleSanity1 testing*************", SEVERITY_INFO);
  journalLine(f, JNL_LEVEL_INFO, U"\n***Beginning zqvnleSanity1 testing***\n");
  if (f.journal != nullptr) f.journal->FlushJournal(f.journal);
  return 0;
}
