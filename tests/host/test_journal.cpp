// Tests of the journal, its status texts and the "zqfileio" listing files behind it.
#include <cstdint>

#include "host/journal.h"
#include "host/kernel.h"
#include "journal_fixture.h"

namespace zq::testing {
namespace {

BufferResult statusToBuf(Journal* journal, std::int64_t status, std::int64_t capacity, ...) {
  BufferResult result(capacity);
  std::va_list args;
  va_start(args, capacity);
  result.status =
      journal->StatusToBuf(journal, status, result.buffer.data(), capacity, &result.length, &args);
  va_end(args);
  result.finish();
  return result;
}

std::int64_t statusToJnl(Journal* journal, std::int64_t status, ...) {
  std::va_list args;
  va_start(args, status);
  const std::int64_t result =
      journal->StatusToJnl(journal, JNL_LEVEL_DETAIL, static_cast<Word>(status), &args);
  va_end(args);
  return result;
}

std::int64_t openJournal(Journal* journal, FileHandle* file) {
  return journal->OpenJournal(journal, 0x60000, nullptr, file, 0, 0, 0x40000000, 0, 0);
}

TEST_F(JournalTest, StatusTexts) {
  // Status, sign-extended as callers pass it or not -> its text.
  const std::pair<std::int64_t, std::u32string> rows[] = {
      {ZQ_NLS_BAD_NUM, U"ZQ_NLS_BAD_NUM (0x803FE810)"},
      {0x803FE810, U"ZQ_NLS_BAD_NUM (0x803FE810)"},
      {0x12345678, U"STATUS (0x12345678)"},
  };
  for (const auto& [status, text] : rows) {
    const BufferResult result = statusToBuf(journal_, status, 72);
    EXPECT_EQ(result.text, text);
    EXPECT_EQ(result.status, ZQ_OK);
  }
  const BufferResult cut = statusToBuf(journal_, ZQ_NLS_BAD_NUM, 5);
  EXPECT_EQ(cut.text, U"ZQ_NL");
  EXPECT_EQ(cut.status, ZQ_NLS_FMT_TRUNCATE);
  EXPECT_EQ(cut.buffer[5], kUntouched);
}

TEST_F(JournalTest, LinesAreKeptExactlyAsFormatted) {
  // The golden listings hold the suites' journal lines, which end with a newline
  // or get one; the suites send no empty line and no status to the journal.
  EXPECT_EQ(messageToJnl(journal_, U""), 0);
  EXPECT_EQ(statusToJnl(journal_, ZQ_NLS_OVERFLOW), 0);
  EXPECT_EQ(journal_->FlushJournal(journal_), 0);  // without a file the text stays
  EXPECT_EQ(host::journalText(journal_), U"\nZQ_NLS_OVERFLOW (0x803FE811)\n");

  // The journal's locale, cut and terminated as status texts are (StatusTexts).
  BufferResult locale(8);
  EXPECT_EQ(journal_->GetLocale(journal_, reinterpret_cast<Word>(locale.buffer.data()), 8,
                                reinterpret_cast<Word>(&locale.length), 0, 0),
            ZQ_OK);
  EXPECT_EQ(std::u32string(locale.buffer.begin(), locale.buffer.begin() + 6),
            std::u32string(U"en_US\0", 6));
}

// What a listing file holds: UTF-8 of one to four bytes a character, U+FFFD for a unit
// that is no character.
TEST(ListingText, IsUtf8) {
  const ZQChar text[] = {'A', 0xE9, 0x20AC, 0x1F600, 0xD800, 0x110000};
  EXPECT_EQ(host::toUtf8(text, 6),
            "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST_F(JournalTest, DestroyingTheFileFirstKeepsTheJournalSafe) {
  FileHandle* file = openFile(U"a.lst");
  Journal* journal = createJournal(file);
  messageToJnl(journal, U"held\n");
  // No flush: destroying the file still writes what the journal holds.
  EXPECT_EQ(file->Destroy(file), 0);
  EXPECT_EQ(host::journalFile(journal), nullptr);
  EXPECT_EQ(readFile("a.lst"), "held\n");
  // From then on the journal keeps its lines in memory and never reaches the file.
  messageToJnl(journal, U"after\n");
  EXPECT_EQ(journal->FlushJournal(journal), 0);
  EXPECT_EQ(host::journalText(journal), U"after\n");
  EXPECT_EQ(openJournal(journal, file), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(createJournal(file), nullptr);
  EXPECT_EQ(journal->Destroy(journal), 0);
  EXPECT_EQ(readFile("a.lst"), "held\n");
}

TEST_F(JournalTest, JournalsDestroyedFirstAndLateBindingBothReachTheFile) {
  FileHandle* file = openFile(U"b.lst");
  Journal* bound = createJournal(file);
  Journal* late = createJournal(nullptr);
  messageToJnl(bound, U"one\n");
  messageToJnl(late, U"two\n");
  EXPECT_EQ(openJournal(late, nullptr), 0);
  EXPECT_EQ(host::journalFile(late), nullptr);
  EXPECT_EQ(openJournal(late, file), 0);
  EXPECT_EQ(bound->Destroy(bound), 0);
  EXPECT_EQ(late->Destroy(late), 0);
  EXPECT_EQ(file->Destroy(file), 0);
  EXPECT_EQ(readFile("b.lst"), "one\ntwo\n");
}

TEST_F(JournalTest, HeldTextStaysBoundedBetweenFlushes) {
  FileHandle* file = openFile(U"big.lst");
  Journal* journal = createJournal(file);
  const std::u32string line(99, U'x');
  const std::size_t lines = 3 * host::kJournalBufferUnits / 100;
  for (std::size_t i = 0; i < lines; ++i) messageToJnl(journal, line.c_str());
  EXPECT_LE(host::journalText(journal).size(), host::kJournalBufferUnits);
  journal->Destroy(journal);
  file->Destroy(file);
  EXPECT_EQ(readFile("big.lst").size(), lines * 100);
}

TEST_F(JournalTest, FileNamesCannotLeaveTheOutputDirectory) {
  for (const std::u32string name : {U"../escape.lst", U"/tmp/x.lst", U".", U".."}) {
    EXPECT_EQ(openFile(name), nullptr);
  }
  EXPECT_EQ(openFile(std::u32string(U"ok\0/../e", 8)), nullptr);
  EXPECT_EQ(openFile(std::u32string(300, U'n')), nullptr);
  for (const std::int64_t length : {0, -5}) EXPECT_EQ(openFile(U"x.lst", length), nullptr);
  fioparms no_name{nullptr, 5, 1, 0, 1024, 0, 20};
  ExtensionRequest request{units(U"zqfileio"), 8, &no_name, 0, 0};
  EXPECT_EQ(kernel_->LoadExtension(kernel_, &request, 0, 0), nullptr);
  request.parms = nullptr;
  EXPECT_EQ(kernel_->LoadExtension(kernel_, &request, 0, 0), nullptr);
  EXPECT_FALSE(std::filesystem::exists(root_ / "escape.lst"));

  // A link planted under the listing's name is not followed.
  std::ofstream(root_ / "outside.txt") << "keep";
  std::filesystem::create_symlink(root_ / "outside.txt", out_dir_ / "link.lst");
  EXPECT_EQ(openFile(U"link.lst"), nullptr);
  EXPECT_EQ(readFile("../outside.txt"), "keep");

  // Names that only look odd are ordinary files inside the directory.
  FileHandle* dots = openFile(U"...");
  FileHandle* accented = openFile(U"\u00E9t\u00E9.lst");
  ASSERT_NE(dots, nullptr);
  ASSERT_NE(accented, nullptr);
  EXPECT_TRUE(std::filesystem::exists(out_dir_ / "\xC3\xA9t\xC3\xA9.lst"));
  dots->Destroy(dots);
  accented->Destroy(accented);
}

TEST_F(JournalTest, OpeningTruncatesAndFailuresGiveNull) {
  std::ofstream(out_dir_ / "old.lst") << "stale contents";
  FileHandle* file = openFile(U"old.lst");
  ASSERT_NE(file, nullptr);
  file->Destroy(file);
  EXPECT_EQ(readFile("old.lst"), "");
  zqhostSetOutputDir(kernel_, (root_ / "missing").c_str());
  EXPECT_EQ(openFile(U"x.lst"), nullptr);
}

}  // namespace
}  // namespace zq::testing
