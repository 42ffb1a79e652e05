// The services table driven directly: counts, result senses, kept failure details,
// the messages around a failure, and CheckBuffer's reading bounds.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "harness/services.h"

namespace zq::harness {
namespace {

const ZQChar* zt(const char32_t* text) { return reinterpret_cast<const ZQChar*>(text); }

class ServicesTest : public ::testing::Test {
 protected:
  CheckRecorder recorder{10};
  TestServices s = makeTestServices();
  Word ctx = contextFor(recorder);
  const ZQChar* file = zt(U"zqtest/src/unit");

  std::int64_t failedOf(CheckKind kind) const {
    return recorder.tally.failed[static_cast<std::size_t>(kind)];
  }
  std::int64_t buffer(const ZQChar* actual, const ZQChar* expected, std::int64_t bytes) {
    return s.CheckBuffer(actual, expected, bytes, zt(U"&fmtbuf"), zt(U"expected"), file, 9, ctx,
                         0);
  }
};

TEST_F(ServicesTest, TableHoldsItsOperationsAtTheirWords) {
  const auto* words = reinterpret_cast<const Word*>(&s);
  for (int word : {10, 11, 12, 14, 15, 18, 22, 23, 25}) EXPECT_NE(words[word], 0u) << word;
  for (int word : {0, 9, 13, 16, 17, 19, 20, 21, 24}) EXPECT_EQ(words[word], 0u) << word;
  EXPECT_EQ(s.step_flag, 0);
}

TEST_F(ServicesTest, EachServiceCountsPassesAndFailuresWithItsResultSense) {
  int probe = 0;
  EXPECT_EQ(s.CheckHandle(&probe, zt(U"zqh"), file, 1, ctx, 0), 0);
  EXPECT_NE(s.CheckHandle(nullptr, zt(U"nls"), file, 2, ctx, 0), 0);
  EXPECT_NE(s.CheckStatus(ZQ_OK, ZQ_OK, zt(U"status"), file, 3, ctx, 0), 0);
  EXPECT_EQ(s.CheckStatus(ZQ_OK, ZQ_NLS_OVERFLOW, zt(U"status"), file, 4, ctx, 0), 0);
  EXPECT_NE(s.CheckInt(-7, -7, zt(U"(int)cnvL"), file, 5, ctx, 0), 0);
  EXPECT_EQ(s.CheckInt(7, -7, zt(U"(int)cnvL"), file, 6, ctx, 0), 0);
  EXPECT_EQ(s.CheckInt(0, 1, zt(U"1"), file, 7, ctx, 0), 0);
  EXPECT_NE(s.CheckUint64(~0ull, ~0ull, zt(U"uintmax_value"), file, 8, ctx, 0), 0);
  EXPECT_EQ(s.CheckUint64(1ull << 63, 0, zt(U"uintmax_value"), file, 9, ctx, 0), 0);
  EXPECT_NE(s.CheckInt64(-1, -1, zt(U"intmax_value"), file, 10, ctx, 0), 0);
  EXPECT_EQ(s.CheckInt64(-1, 1, zt(U"intmax_value"), file, 11, ctx, 0), 0);
  EXPECT_NE(buffer(zt(U"1,5"), zt(U"1,5"), 12), 0);
  EXPECT_EQ(buffer(zt(U"1,5"), zt(U"1.5"), 12), 0);

  // handle, status, int, buffer, uint64, int64
  const std::array<std::int64_t, kCheckKindCount> checks = {2, 2, 3, 2, 2, 2};
  const std::array<std::int64_t, kCheckKindCount> failed = {1, 1, 2, 1, 1, 1};
  EXPECT_EQ(recorder.tally.checks, checks);
  EXPECT_EQ(recorder.tally.failed, failed);
  EXPECT_EQ(recorder.tally.totalChecks(), 13);
  EXPECT_EQ(recorder.tally.totalPassed(), 6);
  EXPECT_EQ(recorder.tally.totalFailed(), 7);

  const std::vector<CheckFailure>& f = recorder.tally.failures;
  ASSERT_EQ(f.size(), 7u);
  EXPECT_EQ(f[0].expression, "nls");
  EXPECT_EQ(f[0].actual, "null");
  EXPECT_EQ(f[1].expected, "0x00000000 (ZQ_OK)");
  EXPECT_EQ(f[1].actual, "0x803FE811 (ZQ_NLS_OVERFLOW)");
  EXPECT_EQ(f[1].line, 4);
  EXPECT_EQ(f[1].source, "zqtest/src/unit");
  EXPECT_EQ(f[2].expected, "7");
  EXPECT_EQ(f[2].actual, "-7");
  EXPECT_EQ(f[4].expected, "9223372036854775808");
  EXPECT_EQ(f[5].expected, "-1");
  EXPECT_EQ(f[5].actual, "1");
  EXPECT_EQ(f[6].kind, CheckKind::Buffer);
  EXPECT_EQ(f[6].expression, "&fmtbuf");
  EXPECT_EQ(f[6].expected_expression, "expected");
  EXPECT_EQ(f[6].actual, "1,5");
  EXPECT_EQ(f[6].expected, "1.5");
  EXPECT_EQ(f[6].note, "first difference at unit 1");
}

TEST_F(ServicesTest, UnnamedStatusesShowInHex) {
  s.CheckStatus(static_cast<Status>(0x80000001u), 5, zt(U"status"), file, 1, ctx, 0);
  ASSERT_EQ(recorder.tally.failures.size(), 1u);
  EXPECT_EQ(recorder.tally.failures[0].expected, "0x80000001");
  EXPECT_EQ(recorder.tally.failures[0].actual, "0x00000005");
}

TEST_F(ServicesTest, FailureKeepsErrorMessagesAroundItAndTheLastStep) {
  s.NoteStep(zt(U"TEST1 fr_FR zqnlsLocaleIntfastFormat"), ctx, 0);
  s.ReportMessage(zt(U"stale"), 3, ctx);
  s.CheckInt(1, 1, zt(U"ok"), file, 1, ctx, 0);  // a passing check ends the history
  s.ReportMessage(zt(U"first before"), 3, ctx);
  s.ReportMessage(zt(U"an information line"), 1, ctx);
  s.ReportMessage(zt(U"second before"), 3, ctx);
  s.CheckStatus(ZQ_OK, ZQ_NLS_BAD_NUM, zt(U"status"), file, 2, ctx, 0);
  s.ReportMessage(zt(U"  TEST1 zqnlsLocaleIntfastFormat : Unexpected status"), 3, ctx);
  s.ReportMessage(zt(U"still after"), 3, ctx);
  s.NoteStep(zt(U"TEST2"), ctx, 0);
  s.CheckInt(6, 5, zt(U"(int)cnvL"), file, 3, ctx, 0);
  s.ReportMessage(zt(U"after the length"), 3, ctx);
  s.CheckInt(1, 1, zt(U"ok"), file, 4, ctx, 0);
  s.ReportMessage(zt(U"belongs to no failure"), 3, ctx);

  const std::vector<CheckFailure>& f = recorder.tally.failures;
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].step, "TEST1 fr_FR zqnlsLocaleIntfastFormat");
  EXPECT_EQ(f[0].messages_before, (std::vector<std::string>{"first before", "second before"}));
  EXPECT_EQ(f[0].messages_after,
            (std::vector<std::string>{"  TEST1 zqnlsLocaleIntfastFormat : Unexpected status",
                                      "still after"}));
  EXPECT_EQ(f[1].step, "TEST2");
  EXPECT_EQ(f[1].messages_before, f[0].messages_after);
  EXPECT_EQ(f[1].messages_after, std::vector<std::string>{"after the length"});
}

TEST_F(ServicesTest, DetailsStopAtTheLimitButCountingGoesOnAndBeginSuiteResets) {
  for (int i = 0; i < 15; ++i) s.CheckInt64(i, -i - 1, zt(U"v"), file, 100 + i, ctx, 0);
  s.ReportMessage(zt(U"after the eleventh and later failures"), 3, ctx);
  EXPECT_EQ(recorder.tally.totalFailed(), 15);
  ASSERT_EQ(recorder.tally.failures.size(), 10u);
  EXPECT_EQ(recorder.tally.failures.back().line, 109);
  EXPECT_TRUE(recorder.tally.failures.back().messages_after.empty());

  beginSuite(recorder);
  EXPECT_EQ(recorder.tally.totalChecks(), 0);
  EXPECT_TRUE(recorder.tally.failures.empty());
  s.CheckInt(1, 2, zt(U"v"), file, 1, ctx, 0);
  EXPECT_TRUE(recorder.tally.failures.at(0).messages_before.empty());
  EXPECT_TRUE(recorder.tally.failures.at(0).step.empty());
}

TEST_F(ServicesTest, BufferTextsMakeInvisibleCharactersVisible) {
  EXPECT_EQ(buffer(zt(U"1\u00A0234,5"), zt(U"1 234,5"), 7 * 4), 0);
  ASSERT_EQ(recorder.tally.failures.size(), 1u);
  EXPECT_EQ(recorder.tally.failures[0].actual, "1<U+00A0>234,5");
  EXPECT_EQ(recorder.tally.failures[0].expected, "1 234,5");
}

// Two pages: the first readable, the second inaccessible, so any read past the
// first page's end faults.
class GuardedPages {
 public:
  GuardedPages() {
    page_ = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* p = mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = static_cast<char*>(p);
    mprotect(base_ + page_, page_, PROT_NONE);
  }
  ~GuardedPages() { munmap(base_, 2 * page_); }
  // `units` ZQChars ending exactly at the guard page.
  ZQChar* atEnd(const std::vector<ZQChar>& units) {
    auto* p = reinterpret_cast<ZQChar*>(base_ + page_) - units.size();
    std::memcpy(p, units.data(), units.size() * sizeof(ZQChar));
    return p;
  }
  const ZQChar* guard() const { return reinterpret_cast<const ZQChar*>(base_ + page_); }

 private:
  std::size_t page_ = 0;
  char* base_ = nullptr;
};

TEST_F(ServicesTest, BufferCheckNeverReadsPastWhatItMayRead) {
  GuardedPages pages;
  const ZQChar* a = pages.atEnd({'4', '2'});
  const ZQChar b[] = {'4', '2', '7'};
  // Not a whole number of units: the two whole units compare equal, nothing of the
  // partial third unit is read, and the check fails.
  EXPECT_EQ(buffer(a, b, 9), 0);
  EXPECT_EQ(buffer(b, a, 11), 0);
  EXPECT_EQ(buffer(a, b, 3), 0);
  // Negative and absurd counts, and null pointers: failed without reading.
  EXPECT_EQ(buffer(pages.guard(), pages.guard(), -4), 0);
  EXPECT_EQ(buffer(pages.guard(), pages.guard(), kMaxBufferCheckBytes + 4), 0);
  EXPECT_EQ(buffer(nullptr, b, 4), 0);
  EXPECT_EQ(buffer(b, nullptr, 0), 0);
  // A zero count with real buffers compares nothing and passes.
  EXPECT_NE(buffer(pages.guard(), pages.guard(), 0), 0);

  EXPECT_EQ(failedOf(CheckKind::Buffer), 7);
  const std::vector<CheckFailure>& f = recorder.tally.failures;
  ASSERT_EQ(f.size(), 7u);
  EXPECT_EQ(f[0].actual, "42");
  EXPECT_EQ(f[0].note, "byte count 9 is not a whole number of units; compared 2 units");
  EXPECT_EQ(f[2].actual, "");
  EXPECT_EQ(f[3].note, "negative byte count -4");
  EXPECT_EQ(f[3].actual, "(not read)");
  EXPECT_NE(f[4].note.find("too large"), std::string::npos);
  EXPECT_EQ(f[5].note, "null buffer");
  EXPECT_EQ(f[5].actual, "(null)");
  EXPECT_EQ(f[5].expected, "(not read)");
  EXPECT_EQ(f[6].expected, "(null)");
}

}  // namespace
}  // namespace zq::harness
