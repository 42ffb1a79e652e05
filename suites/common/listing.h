// A suite's own listing file, opened through the host's file-I/O extension, and the
// journal written on it.
#pragma once

#include <cstdint>

#include "suites/common/suite.h"

namespace zq::suite {

// What a suite opens its listing with: the file-I/O parameters (the file name among
// them), the last argument of LoadExtension, and the journal's flags word and name.
struct ListingRequest {
  fioparms file;
  Word load_argument;
  std::uint32_t journal_flags;
  const char* journal_name;
};

// An open listing: the file handle and the journal on it.
struct Listing {
  FileHandle* file;
  Journal* journal;
};

// Loads "zqfileio" with the request's file and checks the file handle ("fileh"), then
// creates the journal on the file and checks it ("jnlh"). A missing handle is reported
// ("Could not get file handle", "Could not get journal handle"); the listing returned
// then holds nulls, and a file handle already open has been destroyed. The checks
// carry the caller's `line`.
Listing openListing(const Harness& f, KernelHandle* kernel, const ListingRequest& request,
                    std::int64_t line = __builtin_LINE());

// Destroys the file handle, then the journal.
void closeListing(const Listing& listing);

}  // namespace zq::suite
