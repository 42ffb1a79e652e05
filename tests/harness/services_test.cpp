// The services table driven directly: failure details, the kept-failure limit and
// CheckBuffer's reading bounds. (The messages around failures and a new suite's fresh
// start are the fixture's, in the end-to-end transcripts.)
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "harness/services.h"
#include "tests/support/test_support.h"

namespace zq::harness {
namespace {

using zq::testing::units;

class ServicesTest : public ::testing::Test {
 protected:
  CheckRecorder recorder{10};
  TestServices s = makeTestServices();
  Word ctx = contextFor(recorder);
  const ZQChar* file = units(U"zqtest/src/unit");
  const std::vector<CheckFailure>& failures = recorder.tally.failures;

  std::int64_t buffer(const ZQChar* actual, const ZQChar* expected, std::int64_t bytes) {
    return s.CheckBuffer(actual, expected, bytes, units(U"&fmtbuf"), units(U"expected"), file, 9,
                         ctx, 0);
  }
};

// The failure details no transcript shows: a null handle, an unsigned value beyond the
// signed range, statuses without a name. Each service's result sense, and that a
// passing check of each kind keeps no failure, are the transcripts' (the real
// extension's suites act on the results).
TEST_F(ServicesTest, FailuresOfNullHandlesWideUnsignedValuesAndUnnamedStatuses) {
  s.CheckHandle(nullptr, units(U"nls"), file, 2, ctx, 0);
  s.CheckUint64(1ull << 63, 0, units(U"uintmax_value"), file, 9, ctx, 0);
  s.CheckStatus(static_cast<Status>(0x80000001u), 5, units(U"status"), file, 14, ctx, 0);
  ASSERT_EQ(failures.size(), 3u);
  EXPECT_EQ(failures[0].expression, "nls");
  EXPECT_EQ(failures[0].actual, "null");
  EXPECT_EQ(failures[1].expected, "9223372036854775808");
  // Statuses without a name show in hex alone.
  EXPECT_EQ(failures[2].expected, "0x80000001");
  EXPECT_EQ(failures[2].actual, "0x00000005");
}

// zqtest keeps 100,000 failures' details a suite, more than its runs reach.
TEST_F(ServicesTest, DetailsStopAtTheLimitButCountingGoesOn) {
  for (int i = 0; i < 15; ++i) s.CheckInt64(i, -i - 1, units(U"v"), file, 100 + i, ctx, 0);
  EXPECT_EQ(recorder.tally.totalFailed(), 15);
  ASSERT_EQ(failures.size(), 10u);
  EXPECT_EQ(failures.back().line, 109);
}

TEST_F(ServicesTest, BufferCheckNeverReadsPastWhatItMayRead) {
  // Two pages, the second inaccessible: any read past the first page's end faults.
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* mapped =
      mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapped, MAP_FAILED);
  auto* guard = reinterpret_cast<ZQChar*>(static_cast<char*>(mapped) + page);
  ASSERT_EQ(mprotect(guard, page, PROT_NONE), 0);
  ZQChar* a = guard - 2;  // "42", ending exactly at the guard page
  a[0] = '4';
  a[1] = '2';
  const ZQChar b[] = {'4', '2', '7'};
  const ZQChar c[] = {'4', '2', 0x0137};  // its third unit's first byte is that of '7'
  // A count that ends inside a unit compares exactly the bytes it names, and reading
  // up to the guard page never reads into it.
  EXPECT_NE(buffer(b, c, 9), 0);
  EXPECT_EQ(buffer(b, c, 10), 0);
  EXPECT_NE(buffer(a, b, 8), 0);
  EXPECT_EQ(buffer(a, b + 1, 3), 0);
  // Negative and absurd counts, and null pointers: failed without reading.
  EXPECT_EQ(buffer(guard, guard, -4), 0);
  EXPECT_EQ(buffer(guard, guard, kMaxBufferCheckBytes + 4), 0);
  EXPECT_EQ(buffer(nullptr, b, 4), 0);
  EXPECT_EQ(buffer(b, nullptr, 0), 0);
  // A zero count with real buffers compares nothing and passes.
  EXPECT_NE(buffer(guard, guard, 0), 0);
  munmap(mapped, 2 * page);

  ASSERT_EQ(failures.size(), 6u);
  EXPECT_EQ(failures[0].actual, "42");
  EXPECT_EQ(failures[0].note, "first difference at unit 2");
  EXPECT_EQ(failures[1].actual, "");
  EXPECT_EQ(failures[1].note, "first difference at unit 0");
  EXPECT_EQ(failures[2].note, "negative byte count -4");
  EXPECT_EQ(failures[2].actual, "(not read)");
  EXPECT_NE(failures[3].note.find("too large"), std::string::npos);
  EXPECT_EQ(failures[4].note, "null buffer");
  EXPECT_EQ(failures[4].actual, "(null)");
  EXPECT_EQ(failures[4].expected, "(not read)");
  EXPECT_EQ(failures[5].expected, "(null)");
}

}  // namespace
}  // namespace zq::harness
