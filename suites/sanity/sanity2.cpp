// zqvnleSanity2: how the parsing operations honour their option words.
#include "suites/common/handles.h"
#include "suites/sanity/sanity2.h"

using namespace zq;
using namespace zq::suite;

// Four sections in a fixed order, each opening with its own step. Sections whose
// vectors are not filled in yet run as their bare step.
extern "C" std::int64_t zqvnleSanity2(TestServices* services, Word ctx, SuiteState*,
                                      void* journal, void*) {
  const Harness f{services, ctx, U"zqtest/src/zqvnle3", static_cast<Journal*>(journal)};
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  report(f, U"**************Beginning zqvnleSanity2 testing*************", SEVERITY_INFO);
  journalLine(f, JNL_LEVEL_INFO, U"\n***Beginning zqvnleSanity2 testing***\n");

  const sanity::Sanity2Run run{f, nls};
  if (!sanity::runDatetimeSection(run)) return 1;
  if (!sanity::runIgnoreDecimalSection(run)) return 1;
  sanity::runSpaceGroupingSection(run);
  if (!sanity::runBufferToDoubleSection(run)) return 1;
  return 0;
}
