// Test fixture for the journal: a kernel writing into a scratch directory, and variadic
// helpers that call the journal's operations through its table the way the extension does.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::testing {

// Fills buffers before a call, to show which units the call wrote.
constexpr ZQChar kUntouched = 0x7E;

// Every integer travels as a 64-bit word.
inline std::int64_t I(std::int64_t value) { return value; }

// What a call into a buffer of `capacity` units left behind.
struct BufferResult {
  explicit BufferResult(std::int64_t capacity)
      : buffer(static_cast<std::size_t>(std::max<std::int64_t>(capacity, 0) + 2), kUntouched) {}
  // Takes the units the call reported as written.
  void finish() {
    const auto written = std::clamp<std::int64_t>(length, 0, std::ssize(buffer));
    text.assign(buffer.begin(), buffer.begin() + written);
  }
  std::u32string text;         // the units the call reported as written
  std::vector<ZQChar> buffer;  // capacity + 2 units, kUntouched where not written
  std::int64_t length = -1;
  std::int64_t status = -1;
};

// MessageToBuf with the given capacity; the format is `length` units of `format`.
inline BufferResult messageToBuf(Journal* journal, std::int64_t capacity, std::int64_t length,
                                 const char32_t* format, ...) {
  const std::vector<ZQChar> text = exactCopy({format, static_cast<std::size_t>(length)});
  BufferResult result(capacity);
  std::va_list args;
  va_start(args, format);
  result.status = journal->MessageToBuf(
      journal, reinterpret_cast<Word>(result.buffer.data()), static_cast<Word>(capacity),
      reinterpret_cast<Word>(&result.length), reinterpret_cast<Word>(text.data()),
      static_cast<Word>(length), &args);
  va_end(args);
  result.finish();
  return result;
}

inline std::int64_t messageToJnl(Journal* journal, const char32_t* format, ...) {
  const std::vector<ZQChar> text = exactCopy(format);
  std::va_list args;
  va_start(args, format);
  const std::int64_t result = journal->MessageToJnl(
      journal, JNL_LEVEL_INFO, text.data(), static_cast<std::int64_t>(text.size()), &args);
  va_end(args);
  return result;
}

// A kernel whose listing files go to a fresh scratch directory, removed afterwards,
// and a journal without a file.
class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(out_dir_);
    kernel_ = static_cast<KernelHandle*>(zqhostCreate());
    zqhostSetOutputDir(kernel_, out_dir_.c_str());
    journal_ = createJournal(nullptr);
    ASSERT_NE(journal_, nullptr);
  }
  void TearDown() override {
    if (journal_ != nullptr) journal_->Destroy(journal_);
    zqhostDestroy(kernel_);
  }

  // The whole format through the journal without a file, with a capacity that suffices.
  template <typename... Args>
  std::u32string format(const char32_t* text, Args... args) {
    const auto length = static_cast<std::int64_t>(std::char_traits<char32_t>::length(text));
    return messageToBuf(journal_, 8192, length, text, args...).text;
  }

  // Opens a listing file named by `name`; `length` defaults to the name's own length.
  FileHandle* openFile(const std::u32string& name, std::optional<std::int64_t> length = {}) {
    const std::vector<ZQChar> name_units = exactCopy(name);
    fioparms parms{name_units.data(), length.value_or(std::ssize(name)), 1, 0, 1024, 0, 20};
    ExtensionRequest request{units(U"zqfileio"), 8, &parms, 0, 0};
    return kernel_->LoadExtension(kernel_, &request, 0, 0);
  }
  Journal* createJournal(FileHandle* file) {
    jnlparms parms{};
    parms.file = file;
    parms.flags = 0x40000001;
    return kernel_->CreateJournal(kernel_, &parms, 0, "LocaleJnl");
  }
  std::string readFile(const std::filesystem::path& name) const {
    return contentsOf(out_dir_ / name);
  }

  ScratchFolder root_;
  std::filesystem::path out_dir_ = root_ / "out";
  KernelHandle* kernel_ = nullptr;
  Journal* journal_ = nullptr;  // without a file: its text stays in memory
};

}  // namespace zq::testing
