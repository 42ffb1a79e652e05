// Wide-string and memory primitives: lengths, copies, comparisons, all-equal tests and
// duplication into a pool. The scans, fills and ASCII case are in test_vector_forms.cpp.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "zq/zqvnle.h"

namespace {

using zq::ZQChar;

TEST(Lengths, UnsupportedStatusAndLengthsOfNullAndEmpty) {
  EXPECT_EQ(static_cast<std::uint32_t>(vdUnsup()), 0x803FC004u);
  EXPECT_EQ(vdStrLen(nullptr), 0u);
  EXPECT_EQ(vdStrLen("abc\0def"), 3u);
  EXPECT_EQ(vdStrTLen(nullptr), 0u);
  const ZQChar text[] = {'a', 0x10FFFF, 0xE9, 0, 'b', 0};
  EXPECT_EQ(vdStrTLen(text + 3), 0u);
  EXPECT_EQ(vdStrTLen(text), 3u);
}

TEST(Copies, StrCpyCopiesTheTerminatorAndNothingMore) {
  char dst[8];
  std::memset(dst, 'x', sizeof dst);
  vdStrCpy("abc", dst);
  EXPECT_EQ(std::string(dst, 5), std::string("abc\0x", 5));
  vdStrCpy(nullptr, dst);
  EXPECT_EQ(std::string(dst, 2), std::string("\0b", 2)) << "a null source leaves an empty string";
  vdStrCpy("abc", nullptr);  // a null destination is left alone

  ZQChar wide[4] = {9, 9, 9, 9};
  const ZQChar src[] = {0x41, 0x1F600, 0};
  vdStrTCpy(src, wide);
  EXPECT_EQ(std::vector<ZQChar>(wide, wide + 4), (std::vector<ZQChar>{0x41, 0x1F600, 0, 9}));
  vdStrTCpy(nullptr, wide);
  EXPECT_EQ(std::vector<ZQChar>(wide, wide + 2), (std::vector<ZQChar>{0, 0x1F600}));
  vdStrTCpy(src, nullptr);
}

TEST(Comparisons, BytesUnsignedUnitsBySignedDifferenceAndAllEqual) {
  EXPECT_EQ(vdMemCmp("\x80", "\x7F", 1), 1) << "bytes compare unsigned";
  EXPECT_EQ(vdMemCmp("abz", "acb", 3), -1) << "the first difference decides";
  EXPECT_EQ(vdMemCmp("abc", "abd", 2), 0);
  EXPECT_EQ(vdMemCmp(nullptr, nullptr, 0), 0);

  const ZQChar big[] = {0x10FFFF};
  const ZQChar a[] = {0x41};
  EXPECT_EQ(vdWMemCmp(big, a, 1), 1);
  // Beyond 0x7FFFFFFF the wrapped difference decides: 0x80000000 - 0 reads as negative.
  const ZQChar top[] = {0x80000000u};
  const ZQChar zero[] = {0};
  EXPECT_EQ(vdWMemCmp(top, zero, 1), -1);
  const ZQChar x[] = {'a', 'b', 'c'};
  const ZQChar y[] = {'a', 'b', 'd'};
  EXPECT_EQ(vdWMemCmp(x, y, 3), -1);
  EXPECT_EQ(vdWMemCmp(x, y, 2), 0);

  EXPECT_EQ(vdMemNot('a', nullptr, 0), 1);
  EXPECT_EQ(vdMemNot('a', "aaab", 4), 0);
  EXPECT_EQ(vdMemNot(0x141, "AAA", 3), 1) << "only the low 8 bits of the value count";
  // vdMemTNot decides the blank padding of zqzsncmp, kstr_compare_fuzz's property.
}

TEST(Copies, MemCpyRepeatsTheLeadWhenTheDestinationStartsInsideTheSource) {
  for (std::size_t n : {1u, 2u, 7u, 96u, 97u, 300u}) {
    std::vector<unsigned char> buffer(n + 1);
    for (std::size_t i = 0; i <= n; ++i) buffer[i] = static_cast<unsigned char>(i + 1);
    vdMemCpy(buffer.data(), buffer.data() + 1, n);
    for (std::size_t i = 0; i <= n; ++i) EXPECT_EQ(buffer[i], 1) << "n " << n << " at " << i;
  }
  // Apart by more than n, any size is a plain copy.
  std::vector<unsigned char> src(500), dst(500, 0);
  for (std::size_t i = 0; i < src.size(); ++i) src[i] = static_cast<unsigned char>(i * 7);
  vdMemCpy(src.data(), dst.data(), 500);
  EXPECT_EQ(src, dst);
  vdMemCpy(nullptr, nullptr, 0);
}

// For every overlap, in both directions, below and above the bulk-copy size: the
// destination ends up holding what the source held.
TEST(Copies, MemSCpyIsOverlapSafe) {
  for (std::size_t n : {1u, 2u, 3u, 5u, 8u, 33u, 96u, 97u, 200u, 1000u}) {
    std::vector<std::ptrdiff_t> shifts;
    for (std::ptrdiff_t d = 0; d <= static_cast<std::ptrdiff_t>(n) + 2; ++d) {
      if (d > 40 && d < static_cast<std::ptrdiff_t>(n) - 40 && d % 17 != 0) continue;
      shifts.push_back(d);
      shifts.push_back(-d);
    }
    for (std::ptrdiff_t d : shifts) {
      const std::size_t margin = n + 4;
      std::vector<unsigned char> buffer(3 * margin);
      for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<unsigned char>(i * 13 + 5);
      std::vector<unsigned char> expected = buffer;
      unsigned char* src = buffer.data() + margin;
      std::memmove(expected.data() + margin + d, expected.data() + margin, n);
      vdMemSCpy(src, src + d, n);
      ASSERT_EQ(buffer, expected) << "n " << n << " shift " << d;
    }
  }
}

// A pool that records what it is asked for and can fail.
struct RecordingPool {
  zq::MemoryPool abi{};  // first: the pool's address is the recording's
  int calls = 0;
  std::uint64_t size = 99;
  std::uint64_t flags = 99;
  bool fail = false;
  unsigned char block[32] = {};

  RecordingPool() {
    abi.AllocateMemory = [](zq::MemoryPool* p, std::uint64_t size, std::uint64_t flags) -> void* {
      auto& pool = *reinterpret_cast<RecordingPool*>(p);
      ++pool.calls;
      pool.size = size;
      pool.flags = flags;
      return pool.fail ? nullptr : pool.block;
    };
  }
};

TEST(Duplicates, CopiesIntoTheGivenPool) {
  RecordingPool pool;
  const char text[] = "duplicate me";
  auto* copy = static_cast<char*>(vdMemDup(text, sizeof text, &pool.abi));
  ASSERT_EQ(copy, reinterpret_cast<char*>(pool.block));
  EXPECT_STREQ(copy, text);
  EXPECT_EQ(pool.size, sizeof text);
  EXPECT_EQ(pool.flags, 0u);
  EXPECT_NE(vdMemDup(text, 0, &pool.abi), nullptr) << "a count of 0 still asks for a block";
  EXPECT_EQ(vdMemDup(nullptr, 4, &pool.abi), nullptr);
  EXPECT_EQ(vdMemDup(text, 4, nullptr), nullptr);
  EXPECT_EQ(pool.calls, 2) << "a null source or pool never reaches the pool";
  pool.fail = true;
  EXPECT_EQ(vdMemDup(text, 4, &pool.abi), nullptr);
}

}  // namespace
