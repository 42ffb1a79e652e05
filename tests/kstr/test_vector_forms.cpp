// Every form of the hot routines, run on this processor, against the results their
// contracts give: every start alignment 0-63, every length 0-300 and lengths around
// 1 KiB, the 1136/1137-byte fill threshold and 1 MiB, with the deciding unit at every
// position and the units around the buffer set so that reading past it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "kstr/characters.h"
#include "kstr/forms.h"
#include "zq/zqvnle.h"

namespace {

using zq::ZQChar;
using zq::kstr::FormRoutines;
using zq::kstr::VectorForm;

constexpr std::size_t kGuard = 64;
constexpr std::size_t kSmallLengths = 300;
constexpr std::size_t kLargeLengths[] = {1023,
                                         1024,
                                         1025,
                                         1135,
                                         1136,
                                         1137,
                                         1138,
                                         4103,
                                         std::size_t{1} << 20,
                                         (std::size_t{1} << 20) + 3};
constexpr std::size_t kLargeAlignments[] = {0, 1, 4, 31, 32, 33, 60, 63};
// Buffers from this size on are tried at fewer alignments and positions.
constexpr std::size_t kHugeLength = 65536;
constexpr std::size_t kHugeAlignments[] = {0, 33, 36};

const FormRoutines* routinesOf(VectorForm form) {
  switch (form) {
    case VectorForm::kPortable:
      return &zq::kstr::kPortableRoutines;
    case VectorForm::kSse2:
#if defined(__x86_64__)
      return &zq::kstr::kSse2Routines;
#else
      return nullptr;
#endif
    case VectorForm::kAvx2:
#if defined(__x86_64__)
      return &zq::kstr::kAvx2Routines;
#else
      return nullptr;
#endif
  }
  return nullptr;
}

std::string nameOf(VectorForm form) {
  switch (form) {
    case VectorForm::kPortable:
      return "Portable";
    case VectorForm::kSse2:
      return "Sse2";
    case VectorForm::kAvx2:
      return "Avx2";
  }
  return "Unknown";
}

// A 64-byte-aligned arena holding `length` units at `offset` units from its start, with
// kGuard bytes on either side.
template <class Unit>
class Arena {
 public:
  Arena(std::size_t length, std::size_t offset)
      : storage_((length + offset) * sizeof(Unit) + 2 * kGuard + 64) {
    const auto raw = reinterpret_cast<std::uintptr_t>(storage_.data());
    const std::uintptr_t aligned = (raw + kGuard + 63) & ~std::uintptr_t{63};
    begin_ = reinterpret_cast<Unit*>(aligned) + offset;
    length_ = length;
  }
  Unit* data() { return begin_; }
  // Sets every unit of the arena outside [data, data + length) to `value`.
  void setOutside(Unit value) {
    Unit* first = begin_ - kGuard / sizeof(Unit);
    for (Unit* u = first; u < begin_; ++u) *u = value;
    for (std::size_t i = 0; i < kGuard / sizeof(Unit); ++i) begin_[length_ + i] = value;
  }
  bool outsideIs(Unit value) const {
    const Unit* first = begin_ - kGuard / sizeof(Unit);
    for (const Unit* u = first; u < begin_; ++u) {
      if (*u != value) return false;
    }
    for (std::size_t i = 0; i < kGuard / sizeof(Unit); ++i) {
      if (begin_[length_ + i] != value) return false;
    }
    return true;
  }

 private:
  std::vector<unsigned char> storage_;
  Unit* begin_ = nullptr;
  std::size_t length_ = 0;
};

// Positions to try in a buffer of n units: all of them in short buffers; in long ones
// the first and last 130 (40 in huge ones) and a few between.
std::vector<std::size_t> positionsIn(std::size_t n, std::mt19937& random) {
  std::vector<std::size_t> positions;
  if (n <= kSmallLengths) {
    for (std::size_t i = 0; i < n; ++i) positions.push_back(i);
    return positions;
  }
  const std::size_t edge = n < kHugeLength ? 130 : 40;
  for (std::size_t i = 0; i < edge; ++i) positions.push_back(i);
  for (std::size_t i = n - edge; i < n; ++i) positions.push_back(i);
  for (int k = 0; k < 8; ++k) positions.push_back(random() % n);
  return positions;
}

// (length, alignment) pairs: every small length at every alignment, the large lengths
// at a few alignments, the huge ones at fewer. `alignments` is 64 for bytes and 16 for 32-bit
// units.
template <class Visit>
void forEachShape(std::size_t alignments, std::size_t unit_size, Visit visit) {
  for (std::size_t length = 0; length <= kSmallLengths; ++length) {
    for (std::size_t align = 0; align < alignments; ++align) visit(length, align);
  }
  for (std::size_t bytes : kLargeLengths) {
    const auto& alignments_tried =
        bytes < kHugeLength
            ? std::vector<std::size_t>(std::begin(kLargeAlignments), std::end(kLargeAlignments))
            : std::vector<std::size_t>(std::begin(kHugeAlignments), std::end(kHugeAlignments));
    for (std::size_t align_bytes : alignments_tried) {
      if (align_bytes % unit_size != 0) continue;
      visit(bytes / unit_size, align_bytes / unit_size);
    }
  }
}

// Counts mismatches and keeps the first, so that a broken form fails once, readably.
struct Mismatches {
  int count = 0;
  std::string first;
  void note(bool ok, const std::string& what) {
    if (ok) return;
    if (count++ == 0) first = what;
  }
};

std::string shape(const char* routine, std::size_t length, std::size_t align, std::size_t pos) {
  return std::string(routine) + " length " + std::to_string(length) + " alignment " +
         std::to_string(align) + " position " + std::to_string(pos);
}

class VectorFormTest : public ::testing::TestWithParam<VectorForm> {
 protected:
  void SetUp() override {
    if (static_cast<int>(GetParam()) > static_cast<int>(zq::kstr::bestVectorForm()) ||
        routinesOf(GetParam()) == nullptr) {
      GTEST_SKIP() << "this processor does not run the " << nameOf(GetParam()) << " form";
    }
    form_ = routinesOf(GetParam());
  }
  const FormRoutines* form_ = nullptr;
  std::mt19937 random_{20240917};
};

TEST_P(VectorFormTest, ByteScansFindTheLowestQualifyingByte) {
  Mismatches bad;
  constexpr unsigned char kValue = 0xC3;
  forEachShape(64, 1, [&](std::size_t n, std::size_t align) {
    Arena<unsigned char> arena(n, align);
    unsigned char* p = arena.data();
    // vdMemScan: every byte but the planted ones differs from the value; the guards hold it.
    arena.setOutside(kValue);
    for (std::size_t i = 0; i < n; ++i) {
      p[i] = static_cast<unsigned char>(random_() % 255);
      if (p[i] == kValue) p[i] = 0xFF;
    }
    bad.note(form_->mem_scan(p, n, 0x100 | kValue) == -1, shape("scan none", n, align, 0));
    for (std::size_t pos : positionsIn(n, random_)) {
      const std::size_t later = pos + 1 + random_() % 7;
      const unsigned char saved = later < n ? p[later] : 0;
      p[pos] = kValue;
      if (later < n) p[later] = kValue;
      bad.note(form_->mem_scan(p, n, kValue) == static_cast<std::int64_t>(pos),
               shape("scan", n, align, pos));
      p[pos] = 0x01;
      if (later < n) p[later] = saved;
    }
    // vdMemNScan: every byte equals the value but the planted ones; the guards differ.
    arena.setOutside(0x3C);
    std::memset(p, kValue, n);
    bad.note(form_->mem_nscan(p, n, kValue) == -1, shape("nscan none", n, align, 0));
    for (std::size_t pos : positionsIn(n, random_)) {
      const std::size_t later = pos + 1 + random_() % 7;
      p[pos] = static_cast<unsigned char>(kValue ^ (1u << (pos % 8)));
      if (later < n) p[later] = 0;
      bad.note(form_->mem_nscan(p, n, kValue) == static_cast<std::int64_t>(pos),
               shape("nscan", n, align, pos));
      p[pos] = kValue;
      if (later < n) p[later] = kValue;
    }
  });
  EXPECT_EQ(bad.count, 0) << "first: " << bad.first;
}

TEST_P(VectorFormTest, UnitScanFindsTheLowestDifferingUnit) {
  Mismatches bad;
  constexpr ZQChar kValue = 0x8001F600u;
  forEachShape(16, sizeof(ZQChar), [&](std::size_t n, std::size_t align) {
    Arena<ZQChar> arena(n, align);
    ZQChar* p = arena.data();
    arena.setOutside(0);
    for (std::size_t i = 0; i < n; ++i) p[i] = kValue;
    bad.note(form_->mem_tnscan(p, n, kValue) == -1, shape("tnscan none", n, align, 0));
    for (std::size_t pos : positionsIn(n, random_)) {
      const std::size_t later = pos + 1 + random_() % 7;
      // One bit differs, a different one at each position.
      p[pos] = kValue ^ (1u << (pos % 32));
      if (later < n) p[later] = 0;
      bad.note(form_->mem_tnscan(p, n, kValue) == static_cast<std::int64_t>(pos),
               shape("tnscan", n, align, pos));
      p[pos] = kValue;
      if (later < n) p[later] = kValue;
    }
  });
  EXPECT_EQ(bad.count, 0) << "first: " << bad.first;
}

TEST_P(VectorFormTest, FillsWriteExactlyTheirUnits) {
  Mismatches bad;
  const auto fill_bytes = [&](std::size_t n, std::size_t align) {
    Arena<unsigned char> arena(n, align);
    unsigned char* p = arena.data();
    arena.setOutside(0x5A);
    std::memset(p, 0x5A, n);
    const int value = 0x300 | static_cast<int>(n % 251);  // only the low byte is stored
    form_->mem_set(p, value, n);
    bool filled = true;
    for (std::size_t i = 0; i < n && filled; ++i)
      filled = p[i] == static_cast<unsigned char>(value);
    bad.note(filled && arena.outsideIs(0x5A), shape("set", n, align, 0));
  };
  forEachShape(64, 1, fill_bytes);
  // Around the size from which a form may hand a fill to the processor's string store.
  const std::size_t string_fill_from = zq::kstr::stringFillFrom();
  if (string_fill_from <= (std::size_t{32} << 20)) {
    for (std::size_t n : {string_fill_from - 1, string_fill_from, string_fill_from + 5}) {
      fill_bytes(n, 0);
      fill_bytes(n, 33);
    }
  }
  forEachShape(16, sizeof(ZQChar), [&](std::size_t n, std::size_t align) {
    Arena<ZQChar> arena(n, align);
    ZQChar* p = arena.data();
    arena.setOutside(0x5A5A5A5A);
    for (std::size_t i = 0; i < n; ++i) p[i] = 0x5A5A5A5A;
    const ZQChar value = 0xF0000000u | static_cast<ZQChar>(n);
    form_->mem_tset(p, value, n);
    bool filled = true;
    for (std::size_t i = 0; i < n && filled; ++i) filled = p[i] == value;
    bad.note(filled && arena.outsideIs(0x5A5A5A5A), shape("tset", n, align, 0));
  });
  form_->mem_set(nullptr, 1, 0);
  form_->mem_tset(nullptr, 1, 0);
  EXPECT_EQ(bad.count, 0) << "first: " << bad.first;
}

TEST_P(VectorFormTest, AsciiCaseChangesLettersOnly) {
  Mismatches bad;
  forEachShape(64, 1, [&](std::size_t n, std::size_t align) {
    Arena<char> arena(n, align);
    char* p = arena.data();
    arena.setOutside('q');
    std::vector<char> original(n);
    for (std::size_t i = 0; i < n; ++i) original[i] = static_cast<char>(random_() % 256);
    std::copy(original.begin(), original.end(), p);
    form_->str_up(p, static_cast<std::int64_t>(n));
    bool ok = arena.outsideIs('q');
    for (std::size_t i = 0; i < n && ok; ++i) {
      const char c = original[i];
      ok = p[i] == (c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
    }
    bad.note(ok, shape("up", n, align, 0));
    std::copy(original.begin(), original.end(), p);
    form_->str_low(p, static_cast<std::int64_t>(n));
    ok = arena.outsideIs('q');
    for (std::size_t i = 0; i < n && ok; ++i) {
      const char c = original[i];
      ok = p[i] == (c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    }
    bad.note(ok, shape("low", n, align, 0));
  });
  EXPECT_EQ(bad.count, 0) << "first: " << bad.first;
}

// Units from the scripts and edges that matter: ASCII, Latin, Greek, Cyrillic, the
// full-width block, CJK, surrogates, other planes and values that are no code point.
ZQChar mixedUnit(std::mt19937& random) {
  static constexpr ZQChar kRanges[][2] = {
      {0x0, 0x7F},
      {0x80, 0x24F},
      {0x370, 0x3FF},
      {0x400, 0x52F},
      {0x1E00, 0x1FFF},
      {0x2100, 0x24FF},
      {0xA640, 0xA7FF},
      {0xFF00, 0xFFFF},
      {0x4E00, 0x9FFF},
      {0xD800, 0xDFFF},
      {0x10400, 0x1044F},
      {0x10FFFF, 0x110001},
      {0xFFFFFF80, 0xFFFFFFFF},
  };
  const auto& range = kRanges[random() % std::size(kRanges)];
  return range[0] + static_cast<ZQChar>(random() % (range[1] - range[0] + 1));
}

TEST_P(VectorFormTest, CaseVariantsMatchTheTablesUnitByUnit) {
  Mismatches bad;
  forEachShape(16, sizeof(ZQChar), [&](std::size_t n, std::size_t align) {
    if (n > 70000) n = 70000;  // a table lookup per unit: enough for the large shapes
    Arena<ZQChar> arena(n, align);
    ZQChar* p = arena.data();
    arena.setOutside('i');
    std::vector<ZQChar> original(n);
    for (ZQChar& u : original) u = mixedUnit(random_);
    std::copy(original.begin(), original.end(), p);
    form_->to_min(p, static_cast<std::int64_t>(n));
    bool ok = arena.outsideIs('i');
    for (std::size_t i = 0; i < n && ok; ++i) ok = p[i] == zq::kstr::leastCaseVariant(original[i]);
    bad.note(ok, shape("min", n, align, 0));
    std::copy(original.begin(), original.end(), p);
    form_->to_max(p, static_cast<std::int64_t>(n));
    ok = arena.outsideIs('i');
    for (std::size_t i = 0; i < n && ok; ++i) {
      ok = p[i] == zq::kstr::greatestCaseVariant(original[i]);
    }
    bad.note(ok, shape("max", n, align, 0));
  });
  ZQChar kept[] = {'a'};
  form_->to_min(kept, 0);
  form_->to_max(kept, -1);
  form_->to_min(nullptr, 0);
  EXPECT_EQ(kept[0], 'a');
  EXPECT_EQ(bad.count, 0) << "first: " << bad.first;
}

TEST_P(VectorFormTest, ForcingAFormRoutesTheExportedNames) {
  ASSERT_TRUE(zq::kstr::forceVectorForm(GetParam()));
  EXPECT_EQ(zq::kstr::activeRoutines().form, GetParam());
  const unsigned char bytes[] = {1, 2, 3};
  EXPECT_EQ(vdMemScan(bytes, 3, 3), 2);
  zq::kstr::resetVectorForm();
  EXPECT_EQ(zq::kstr::activeRoutines().form, zq::kstr::bestVectorForm());
}

INSTANTIATE_TEST_SUITE_P(Forms, VectorFormTest,
                         ::testing::Values(VectorForm::kPortable, VectorForm::kSse2,
                                           VectorForm::kAvx2),
                         [](const auto& info) { return nameOf(info.param); });

TEST(VectorFormChoice, AFormBeyondTheProcessorIsRefused) {
  const VectorForm best = zq::kstr::bestVectorForm();
#if defined(__x86_64__)
  EXPECT_NE(best, VectorForm::kPortable) << "every x86-64 processor has SSE2";
#endif
  if (best == VectorForm::kAvx2) GTEST_SKIP() << "this processor runs every form";
  EXPECT_FALSE(zq::kstr::forceVectorForm(VectorForm::kAvx2));
  EXPECT_EQ(zq::kstr::activeRoutines().form, best);
}

}  // namespace
