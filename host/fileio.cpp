// The "zqfileio" extension: listing files opened for writing in the kernel's output directory.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <new>
#include <optional>
#include <unordered_set>

#include "host/journal.h"
#include "host/kernel.h"

namespace zq::host {
namespace {

// Longest file name accepted, in units; longer ones could not be created anyway.
constexpr std::int64_t kMaxNameUnits = 255;

// Files opened and not yet destroyed. Journals look handles up here, so a stale or
// foreign handle is refused instead of being written through.
std::mutex& registryMutex() {
  static std::mutex mutex;
  return mutex;
}
std::unordered_set<FileHandle*>& liveFiles() {
  static std::unordered_set<FileHandle*> files;
  return files;
}

// The file name of the request as UTF-8, or empty when it could name anything but
// a plain file inside the output directory.
std::optional<std::string> plainFileName(const fioparms& parms) {
  if (parms.name == nullptr || parms.name_length <= 0 || parms.name_length > kMaxNameUnits) {
    return std::nullopt;
  }
  for (std::int64_t i = 0; i < parms.name_length; ++i) {
    if (parms.name[i] == 0 || parms.name[i] == '/') return std::nullopt;
  }
  std::string name = toUtf8(parms.name, parms.name_length);
  if (name == "." || name == "..") return std::nullopt;
  return name;
}

std::int64_t destroyListingFile(FileHandle* handle) {
  ListingFile* file = liveListingFile(handle);
  if (file == nullptr) return kJournalWriteFailed;
  {
    const std::lock_guard<std::mutex> lock(registryMutex());
    liveFiles().erase(handle);
  }
  // Journals still bound write out what they hold and let go of the file, so none of
  // them can reach it after it is gone. releaseJournalFile removes the journal from
  // the list, so take a copy first.
  const std::vector<JournalState*> bound = file->journals;
  for (JournalState* journal : bound) releaseJournalFile(journal);
  const bool closed = std::fclose(file->stream) == 0;
  delete file;
  return closed ? 0 : kJournalWriteFailed;
}

}  // namespace

FileHandle* loadFileExtension(Kernel& kernel, const ExtensionRequest* request) {
  if (request == nullptr || request->parms == nullptr) return nullptr;
  const std::optional<std::string> name =
      plainFileName(*static_cast<const fioparms*>(request->parms));
  if (!name) return nullptr;

  const std::string path = outputPath(kernel, *name);
  // O_NOFOLLOW: a symbolic link planted under the listing's name must not redirect
  // the write outside the output directory.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd, "w");
  if (stream == nullptr) {
    ::close(fd);
    return nullptr;
  }
  auto* file = new (std::nothrow) ListingFile{};
  if (file == nullptr) {
    std::fclose(stream);
    return nullptr;
  }
  bindTable(file);
  file->abi.Destroy = destroyListingFile;
  file->kernel = &kernel;
  file->stream = stream;
  file->path = path;
  const std::lock_guard<std::mutex> lock(registryMutex());
  liveFiles().insert(&file->abi);
  return &file->abi;
}

ListingFile* liveListingFile(FileHandle* handle) {
  const std::lock_guard<std::mutex> lock(registryMutex());
  // Only a handle found here is read: a stale one may point at freed memory.
  return liveFiles().count(handle) != 0 ? ownerOf<ListingFile>(handle) : nullptr;
}

std::vector<FileHandle*> openFilesOf(const Kernel& kernel) {
  std::vector<FileHandle*> open;
  const std::lock_guard<std::mutex> lock(registryMutex());
  for (FileHandle* handle : liveFiles()) {
    if (ownerOf<ListingFile>(handle)->kernel == &kernel) open.push_back(handle);
  }
  return open;
}

bool writeListingText(ListingFile& file, const std::u32string& text) {
  if (text.empty()) return true;
  const std::vector<ZQChar> units(text.begin(), text.end());
  const std::string utf8 = toUtf8(units.data(), static_cast<std::int64_t>(units.size()));
  return std::fwrite(utf8.data(), 1, utf8.size(), file.stream) == utf8.size();
}

bool flushListingFile(ListingFile& file) { return std::fflush(file.stream) == 0; }

}  // namespace zq::host
