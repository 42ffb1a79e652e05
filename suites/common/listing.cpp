// Opening and closing a suite's listing file and its journal.
#include "suites/common/listing.h"

namespace zq::suite {

Listing openListing(const Harness& f, KernelHandle* kernel, const ListingRequest& request,
                    std::int64_t line) {
  fioparms file_parms = request.file;
  const ExtensionRequest extension{zt(U"zqfileio"), 8, &file_parms, 0, 0};
  FileHandle* file = kernel->LoadExtension(kernel, &extension, 0, request.load_argument);
  if (!checkHandle(f, file, U"fileh", line)) {
    report(f, U"Could not get file handle", SEVERITY_ERROR);
    return {nullptr, nullptr};
  }

  jnlparms journal_parms{};
  journal_parms.file = file;
  journal_parms.flags = request.journal_flags;
  Journal* journal = kernel->CreateJournal(kernel, &journal_parms, 0, request.journal_name);
  if (!checkHandle(f, journal, U"jnlh", line)) {
    report(f, U"Could not get journal handle", SEVERITY_ERROR);
    // The file handle is already open: release it rather than leave it to the host.
    file->Destroy(file);
    return {nullptr, nullptr};
  }
  return {file, journal};
}

void closeListing(const Listing& listing) {
  listing.file->Destroy(listing.file);
  listing.journal->Destroy(listing.journal);
}

}  // namespace zq::suite
