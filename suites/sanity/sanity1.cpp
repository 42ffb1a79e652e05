// zqvnleSanity1: table-driven checks of the NLS formatting and parsing operations.
#include "suites/common/handles.h"
#include "suites/sanity/sanity1_dates.h"
#include "suites/sanity/sanity1_double_format.h"
#include "suites/sanity/sanity1_family.h"

using namespace zq;
using namespace zq::suite;

// Eighteen families run in a fixed order, each opening with its own step.
extern "C" std::int64_t zqvnleSanity1(TestServices* services, Word ctx, SuiteState*,
                                      void* journal, void*) {
  const Harness f{services, ctx, U"zqtest/src/zqvnle2", static_cast<Journal*>(journal)};
  beginTest(f, U"zqvnleSanity1");
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;
  NlsHandle* nls = acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  report(f, U"**************Beginning zqvnleSanity1 testing*************", SEVERITY_INFO);
  journalLine(f, JNL_LEVEL_INFO, U"\n***Beginning zqvnleSanity1 testing***\n");

  const sanity::Sanity1Run run{f, nls};
  sanity::runDateFormatFamily(run);
  sanity::runTimeFormatFamily(run);
  sanity::runDatetimeRoundtripFamily(run);
  sanity::runPercentFormatFamily(run);
  sanity::runCurrencyFormatFamily(run);
  sanity::runDoubleFormatFamily(run);
  sanity::runDoubleExOptsFamily(run);
  sanity::runIntfastFormatFamily(run);
  sanity::runIntmaxFormatFamily(run);
  sanity::runUintfastFormatFamily(run);
  sanity::runUintmaxFormatFamily(run);
  sanity::runPointerFormatFamily(run);
  sanity::runBufferToDoubleFamily(run);
  sanity::runBufferToIntfastFamily(run);
  sanity::runBufferToIntmaxFamily(run);
  sanity::runBufferToUintfastFamily(run);
  sanity::runBufferToUintmaxFamily(run);
  sanity::runBufferToTimeFamily(run);

  if (f.journal != nullptr) f.journal->FlushJournal(f.journal);
  return 0;
}
