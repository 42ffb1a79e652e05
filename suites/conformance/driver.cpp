// zqvnleFunction1: opens the listing file and LocaleJnl, runs the selected conformance suites.
#include <initializer_list>

#include "suites/common/handles.h"
#include "suites/common/listing.h"

using namespace zq;
using namespace zq::suite;

namespace {

constexpr std::int64_t kListingNameUnits = 10;
constexpr std::uint32_t kAllSuites = 65535;

// Selection mask bits.
constexpr std::uint32_t kDoubleSuites = 1;
constexpr std::uint32_t kDateSuite = 2;
constexpr std::uint32_t kIntegerSuites = 4;

// "nlf1", the two run-code units of the harness's run record, ".lst".
void listingFileName(const void* run_record, ZQChar (&name)[kListingNameUnits]) {
  const ZQChar* run_code = static_cast<const RunRecord*>(run_record)->run_code;
  const char32_t* head = U"nlf1";
  const char32_t* tail = U".lst";
  for (int i = 0; i < 4; ++i) name[i] = static_cast<ZQChar>(head[i]);
  name[4] = run_code[0];
  name[5] = run_code[1];
  for (int i = 0; i < 4; ++i) name[6 + i] = static_cast<ZQChar>(tail[i]);
}

void runSuites(std::initializer_list<ConformanceSuiteFn> suites, TestServices* services,
               Word ctx, SuiteState* state, Journal* journal, KernelHandle* kernel) {
  // Each suite reports its own failures; its result does not change what runs next.
  for (ConformanceSuiteFn suite : suites) suite(services, ctx, state, journal, kernel);
}

}  // namespace

extern "C" std::int64_t zqvnleFunction1(TestServices* services, Word ctx, SuiteState* state,
                                        void* run_record, void*) {
  const Harness f{services, ctx, U"zqtest/src/zqvnlf", nullptr};
  beginTest(f, U"zqvnleFunction1");
  KernelHandle* kernel = acquireKernel(f);
  if (kernel == nullptr) return 1;

  ZQChar file_name[kListingNameUnits];
  listingFileName(run_record, file_name);
  const ListingRequest request{.file = {file_name, kListingNameUnits, 1, 0, 1024, 0, 20},
                               .load_argument = 0,
                               .journal_flags = 0x40000001,
                               .journal_name = "LocaleJnl"};
  const Listing listing = openListing(f, kernel, request);
  if (listing.journal == nullptr) return 1;
  Journal* journal = listing.journal;
  journal->OpenJournal(journal, 0x60000, nullptr, listing.file, 0, 0, 0x40000000, 0, 0);

  if (state->selection_mask == 0) state->selection_mask = kAllSuites;
  // A suite may change the mask; it is read again before each later group.
  if ((state->selection_mask & kDoubleSuites) != 0) {
    runSuites({doubleTest1, doubleTest2, doubleTest3, doubleTest4, buftodblTest1}, services, ctx,
              state, journal, kernel);
  }
  if ((state->selection_mask & kDateSuite) != 0) {
    runSuites({dateTest1}, services, ctx, state, journal, kernel);
  }
  if ((state->selection_mask & kIntegerSuites) != 0) {
    runSuites({integerTest1, integerTest2, integerTest3, integerTest4}, services, ctx, state,
              journal, kernel);
  }

  noteStep(f, U"release the handles");
  closeListing(listing);
  return 0;
}
