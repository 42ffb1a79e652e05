// The host's journal: formatted message lines, status texts and their listing file.
#include "host/journal.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "host/kernel.h"
#include "host/message_format.h"
#include "host/observer.h"
#include "host/status_text.h"

namespace zq::host {

struct JournalState {
  Journal abi;  // word 0 points back here (host_object.h)
  Kernel* kernel = nullptr;  // its accounting, and the observer that hears of every line
  std::string name;
  ListingFile* file = nullptr;  // null: the text stays in memory
  std::u32string held;          // text not yet written to `file`
};

namespace {

// The locale a journal formats its messages for.
constexpr char32_t kJournalLocale[] = U"en_US";

// Longest journal name kept; the name is only a label.
constexpr std::size_t kMaxNameBytes = 256;

JournalState& stateOf(Journal* journal) { return *ownerOf<JournalState>(journal); }

// The units a caller's buffer of `capacity` units can take: none without a buffer.
std::int64_t roomIn(const ZQChar* buffer, std::int64_t capacity) {
  return buffer == nullptr ? 0 : std::max<std::int64_t>(capacity, 0);
}

// Copies `text` into a caller's buffer of `capacity` units. Never writes past the
// capacity; adds a zero unit after the text only when there is room for it. Stores
// the units written in *out_length and says whether the text was cut short.
std::int64_t copyToBuffer(const std::u32string& text, ZQChar* buffer, std::int64_t capacity,
                          std::int64_t* out_length) {
  const std::int64_t room = roomIn(buffer, capacity);
  const std::int64_t written = std::min(static_cast<std::int64_t>(text.size()), room);
  for (std::int64_t i = 0; i < written; ++i) buffer[i] = static_cast<ZQChar>(text[i]);
  if (written < room) buffer[written] = 0;
  if (out_length != nullptr) *out_length = written;
  return written < static_cast<std::int64_t>(text.size()) ? ZQ_NLS_FMT_TRUNCATE : ZQ_OK;
}

// Writes the held text to the bound file, and with `flush` pushes the file out.
// A journal without a file keeps its text.
std::int64_t writeOut(JournalState& journal, bool flush) {
  if (journal.file == nullptr) return ZQ_OK;
  bool written = writeListingText(*journal.file, journal.held);
  // On a write error the text stays held, so nothing is silently lost.
  if (written) journal.held.clear();
  if (flush) written = flushListingFile(*journal.file) && written;
  return written ? ZQ_OK : kJournalWriteFailed;
}

void detach(JournalState& journal) {
  if (journal.file == nullptr) return;
  std::vector<JournalState*>& bound = journal.file->journals;
  bound.erase(std::remove(bound.begin(), bound.end(), &journal), bound.end());
  journal.file = nullptr;
}

void attach(JournalState& journal, ListingFile& file) {
  journal.file = &file;
  file.journals.push_back(&journal);
}

// Adds one line: the text exactly as given, ended by a newline when it has none.
// Past the buffer limit the text goes on to the file.
std::int64_t appendLine(JournalState& journal, const std::u32string& text) {
  journal.held += text;
  if (text.empty() || text.back() != U'\n') journal.held += U'\n';
  if (journal.held.size() <= kJournalBufferUnits) return ZQ_OK;
  return writeOut(journal, false);
}

std::int64_t destroyJournal(Journal* handle) {
  return destroyJournalState(&stateOf(handle));
}

std::int64_t flushJournal(Journal* handle) { return writeOut(stateOf(handle), true); }

// Words: buffer, capacity, out-length, format, format length. The message is formatted
// no further than the buffer holds.
std::int64_t messageToBuf(Journal* /*handle*/, Word buffer, Word capacity, Word out_length,
                          Word format, Word format_length, std::va_list* args) {
  auto* units = reinterpret_cast<ZQChar*>(buffer);
  const auto room = static_cast<std::int64_t>(capacity);
  bool cut = false;
  const std::u32string text =
      formatMessage(reinterpret_cast<const ZQChar*>(format),
                    static_cast<std::int64_t>(format_length), args,
                    static_cast<std::size_t>(roomIn(units, room)), &cut);
  const std::int64_t copied =
      copyToBuffer(text, units, room, reinterpret_cast<std::int64_t*>(out_length));
  return cut ? ZQ_NLS_FMT_TRUNCATE : copied;
}

std::int64_t messageToJnl(Journal* handle, std::int64_t level, const ZQChar* format,
                          std::int64_t format_length, std::va_list* args) {
  // An empty format needs no text behind it; it makes an empty line.
  if (format_length < 0 || (format == nullptr && format_length != 0)) {
    return ZQ_NLS_INVALID_VALUE;
  }
  JournalState& journal = stateOf(handle);
  bool cut = false;
  const std::u32string text = formatMessage(format, format_length, args, kJournalLineUnits, &cut);
  observeJournalText(journal.kernel, level, text);
  const std::int64_t appended = appendLine(journal, text);
  return cut && appended == ZQ_OK ? ZQ_NLS_FMT_TRUNCATE : appended;
}

std::int64_t statusToBuf(Journal* /*handle*/, std::int64_t status, ZQChar* buffer,
                         std::int64_t capacity, std::int64_t* out_length, std::va_list* /*args*/) {
  return copyToBuffer(statusText(status), buffer, capacity, out_length);
}

// Words: level, status.
std::int64_t statusToJnl(Journal* handle, Word level, Word status, std::va_list* /*args*/) {
  JournalState& journal = stateOf(handle);
  const std::u32string text = statusText(static_cast<std::int64_t>(status));
  observeJournalText(journal.kernel, static_cast<std::int64_t>(level), text);
  return appendLine(journal, text);
}

// Binds the journal to `file` when one is given; the mode and flag words carry no
// meaning for this host. The text held so far goes to the file the journal leaves.
std::int64_t openJournal(Journal* handle, std::uint32_t /*mode*/, void* /*reserved*/,
                         FileHandle* file_handle, Word, Word, std::uint32_t /*flags*/,
                         std::uint32_t, Word) {
  if (file_handle == nullptr) return ZQ_OK;
  ListingFile* file = liveListingFile(file_handle);
  if (file == nullptr) return ZQ_NLS_INVALID_VALUE;
  JournalState& journal = stateOf(handle);
  if (journal.file == file) return ZQ_OK;
  const std::int64_t written = writeOut(journal, true);
  detach(journal);
  attach(journal, *file);
  return written;
}

// Words: ZQChar buffer, capacity in units, out-length; the last two are unused.
std::int64_t getLocale(Journal* /*handle*/, Word buffer, Word capacity, Word out_length, Word,
                       Word) {
  return copyToBuffer(kJournalLocale, reinterpret_cast<ZQChar*>(buffer),
                      static_cast<std::int64_t>(capacity),
                      reinterpret_cast<std::int64_t*>(out_length));
}

}  // namespace

Journal* createJournal(Kernel& kernel, const jnlparms* parms, const char* name) {
  ListingFile* file = nullptr;
  if (parms != nullptr && parms->file != nullptr) {
    // A handle that is not a live listing file would be written through later.
    file = liveListingFile(parms->file);
    if (file == nullptr) return nullptr;
  }
  auto* journal = new (std::nothrow) JournalState{};
  if (journal == nullptr) return nullptr;
  bindTable(journal);
  journal->kernel = &kernel;
  journal->abi.Destroy = destroyJournal;
  journal->abi.FlushJournal = flushJournal;
  journal->abi.MessageToBuf = messageToBuf;
  journal->abi.MessageToJnl = messageToJnl;
  journal->abi.StatusToBuf = statusToBuf;
  journal->abi.StatusToJnl = statusToJnl;
  journal->abi.OpenJournal = openJournal;
  journal->abi.GetLocale = getLocale;
  // Some callers pass a wide text here; read no further than a bounded label.
  if (name != nullptr) journal->name.assign(name, strnlen(name, kMaxNameBytes));
  if (file != nullptr) attach(*journal, *file);
  kernel.journals.insert(journal);
  return &journal->abi;
}

std::int64_t destroyJournalState(JournalState* journal) {
  const std::int64_t result = writeOut(*journal, true);
  detach(*journal);
  journal->kernel->journals.erase(journal);
  delete journal;
  return result;
}

void releaseJournalFile(JournalState* journal) {
  writeOut(*journal, false);
  detach(*journal);
}

std::u32string journalText(const Journal* journal) {
  return ownerOf<const JournalState>(journal)->held;
}

FileHandle* journalFile(const Journal* journal) {
  const ListingFile* file = ownerOf<const JournalState>(journal)->file;
  return file == nullptr ? nullptr : const_cast<FileHandle*>(&file->abi);
}

}  // namespace zq::host
