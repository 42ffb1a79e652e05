// Host-internal state of journals and the listing files they write to, with test accessors.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "zq/host_objects.h"

namespace zq::host {

struct JournalState;
struct Kernel;

// An open listing file of the "zqfileio" extension. Word 2 of `abi` destroys it:
// every journal still bound to it first writes out its buffered text and forgets the
// file, then the file closes.
struct ListingFile {
  FileHandle abi;  // word 0 points back here (host_object.h)
  Kernel* kernel = nullptr;
  std::FILE* stream = nullptr;
  std::string path;
  std::vector<JournalState*> journals;  // journals bound to this file
};

// The listing file behind `handle` when it is one this host opened and has not yet
// destroyed; null for anything else (null, destroyed, or not a listing file).
ListingFile* liveListingFile(FileHandle* handle);

// Appends `text` to the file as UTF-8 (through stdio's buffer). False on a write error.
bool writeListingText(ListingFile& file, const std::u32string& text);

// Hands stdio's buffer to the operating system. False on a write error.
bool flushListingFile(ListingFile& file);

// Called by a listing file's destroy for each journal still bound to it, before the
// file closes: the journal writes out what it holds and from then on keeps its text
// in memory.
void releaseJournalFile(JournalState* journal);

// Returned by FlushJournal and the journal's destroy when the file could not be
// written; the text stays held in memory.
constexpr std::int64_t kJournalWriteFailed = -1;

// A journal bound to a file writes its buffered text out once it holds more than
// this many units, so its memory stays bounded between flushes.
constexpr std::size_t kJournalBufferUnits = 64 * 1024;

// The longest line a journal keeps, in units before its newline: a message that
// formats longer is cut there, and MessageToJnl returns ZQ_NLS_FMT_TRUNCATE.
constexpr std::size_t kJournalLineUnits = 16 * 1024;

// The text a journal holds in memory: everything written to a journal without a
// file; for a journal bound to a file, what has not yet been written out.
std::u32string journalText(const Journal* journal);

// The listing file the journal is bound to, or null.
FileHandle* journalFile(const Journal* journal);

}  // namespace zq::host
