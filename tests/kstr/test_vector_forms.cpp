// Every form of the hot routines, run on this processor, against the results their
// contracts give: every start alignment 0-63, every length 0-300 and lengths around
// 1 KiB, the 1136/1137-byte fill threshold and 1 MiB, with the deciding unit at every
// position and the units around the buffer set so that reading past it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
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
constexpr std::size_t kMiB = std::size_t{1} << 20;
constexpr std::size_t kLargeLengths[] = {1023, 1024, 1025, 1135, 1136,
                                         1137, 1138, 4103, kMiB, kMiB + 3};
constexpr std::size_t kLargeAlignments[] = {0, 1, 4, 31, 32, 33, 60, 63};
// Buffers from this size on are tried at fewer alignments and positions.
constexpr std::size_t kHugeLength = 65536;
constexpr std::size_t kHugeAlignments[] = {0, 33, 36};

struct Form {
  VectorForm form;
  const char* name;
  const FormRoutines* routines;
};
const Form kForms[] = {
    {VectorForm::kPortable, "Portable", &zq::kstr::kPortableRoutines},
#if defined(__x86_64__)
    {VectorForm::kSse2, "Sse2", &zq::kstr::kSse2Routines},
    {VectorForm::kAvx2, "Avx2", &zq::kstr::kAvx2Routines},
    {VectorForm::kAvx2, "Avx2Evex", &zq::kstr::kAvx2EvexRoutines},
    {VectorForm::kAvx512, "Avx512", &zq::kstr::kAvx512Routines},
#endif
};
void PrintTo(const Form& form, std::ostream* out) { *out << form.name; }

// `length` units at `offset` units past a 64-byte boundary, kGuard bytes on either side.
template <class Unit>
class Arena {
 public:
  Arena(std::size_t length, std::size_t offset)
      : storage_((length + offset) * sizeof(Unit) + 2 * kGuard + 64), length_(length) {
    const auto raw = reinterpret_cast<std::uintptr_t>(storage_.data());
    begin_ = reinterpret_cast<Unit*>((raw + kGuard + 63) & ~std::uintptr_t{63}) + offset;
  }
  Unit* data() { return begin_; }
  // Every guard unit, before data and after data + length: set to `value`, or all `value`.
  void setOutside(Unit value) { outside([&](Unit& u) { u = value; }); }
  bool outsideIs(Unit value) {
    bool same = true;
    outside([&](Unit& u) { same = same && u == value; });
    return same;
  }

 private:
  template <class Each>
  void outside(Each each) {
    for (std::size_t i = 1; i <= kGuard / sizeof(Unit); ++i) {
      each(*(begin_ - i));
      each(begin_[length_ + i - 1]);
    }
  }
  std::vector<unsigned char> storage_;
  Unit* begin_ = nullptr;
  std::size_t length_ = 0;
};

// (length, alignment) pairs for units of `unit_size` bytes: every small length at every
// alignment within 64 bytes, the large lengths at a few alignments, the huge at fewer.
template <class Visit>
void forEachShape(std::size_t unit_size, Visit visit) {
  for (std::size_t length = 0; length <= kSmallLengths; ++length) {
    for (std::size_t align = 0; align < 64 / unit_size; ++align) visit(length, align);
  }
  for (std::size_t bytes : kLargeLengths) {
    const std::span<const std::size_t> tried =
        bytes < kHugeLength ? std::span<const std::size_t>(kLargeAlignments) : kHugeAlignments;
    for (std::size_t align_bytes : tried) {
      if (align_bytes % unit_size == 0) visit(bytes / unit_size, align_bytes / unit_size);
    }
  }
}

// Counts mismatches and keeps the first, so that a broken form fails once, readably.
struct Mismatches {
  int count = 0;
  std::string first;
  void note(bool ok, const char* routine, std::size_t length, std::size_t align,
            std::size_t pos = 0) {
    if (ok || count++ > 0) return;
    first = std::string(routine) + " length " + std::to_string(length) + " alignment " +
            std::to_string(align) + " position " + std::to_string(pos);
  }
};

class VectorFormTest : public ::testing::TestWithParam<Form> {
 protected:
  void SetUp() override {
    // A form the library does not choose here is still swept wherever the processor
    // runs its instructions: the AVX-512 forms need the same AVX-512 F, BW and VL.
    bool runs = !beyondBest();
#if defined(__x86_64__)
    const bool evex = GetParam().routines == &zq::kstr::kAvx2EvexRoutines ||
                      GetParam().form == VectorForm::kAvx512;
    if (evex) runs = zq::kstr::processorRunsEvex();
#endif
    if (!runs) GTEST_SKIP() << "this processor does not run the " << GetParam().name << " form";
    form_ = GetParam().routines;
  }

  bool beyondBest() const {
    return static_cast<int>(GetParam().form) > static_cast<int>(zq::kstr::bestVectorForm());
  }

  // In every shape, with the guards holding `guard` and each unit `background()`, none
  // qualifying: makes each position qualify in turn (in long buffers the first and last
  // 130 (40 in huge ones) and a few between) as `hit(pos)`, and another unit a few places
  // later too, and notes whether `find` answers it.
  template <class Unit, class Background, class Hit, class Find>
  void findAtEveryPosition(const char* routine, Unit guard, Background background, Hit hit,
                           Find find) {
    forEachShape(sizeof(Unit), [&](std::size_t n, std::size_t align) {
      Arena<Unit> arena(n, align);
      arena.setOutside(guard);
      Unit* p = arena.data();
      std::generate_n(p, n, background);
      bad_.note(find(p, n) == -1, routine, n, align, n);
      const bool small = n <= kSmallLengths;
      const std::size_t edge = small ? n : n < kHugeLength ? 130 : 40;
      std::vector<std::size_t> positions;
      for (std::size_t i = 0; i < edge; ++i) positions.push_back(i);
      for (std::size_t i = n - edge; !small && i < n; ++i) positions.push_back(i);
      for (int k = 0; !small && k < 8; ++k) positions.push_back(random_() % n);
      for (std::size_t pos : positions) {
        const std::size_t later = std::min(pos + 1 + random_() % 7, n - 1);
        const Unit saved_pos = p[pos], saved_later = p[later];
        p[later] = hit(later);
        p[pos] = hit(pos);
        bad_.note(find(p, n) == static_cast<std::int64_t>(pos), routine, n, align, pos);
        p[later] = saved_later;
        p[pos] = saved_pos;
      }
    });
  }

  // Copies `original` into an arena at `align` whose guards hold `guard` (a unit the
  // transform would change), runs `transform` over it, and notes whether each unit became
  // `expected` of its original and the guards held.
  template <class Unit, class Transform, class Expected>
  void transformsEachUnit(const char* routine, const std::vector<Unit>& original,
                          std::size_t align, Unit guard, Transform transform, Expected expected) {
    Arena<Unit> arena(original.size(), align);
    Unit* p = arena.data();
    arena.setOutside(guard);
    std::copy(original.begin(), original.end(), p);
    transform(p, static_cast<std::int64_t>(original.size()));
    bool ok = arena.outsideIs(guard);
    for (std::size_t i = 0; i < original.size(); ++i) ok = ok && p[i] == expected(original[i]);
    bad_.note(ok, routine, original.size(), align);
  }

  const FormRoutines* form_ = nullptr;
  std::mt19937 random_{20240917};
  Mismatches bad_;
};

TEST_P(VectorFormTest, ScansFindTheLowestQualifyingUnit) {
  // vdMemScan: every byte but the planted ones differs from the value; the guards hold it.
  static constexpr unsigned char kByte = 0xC3;
  findAtEveryPosition<unsigned char>(
      "scan", kByte,
      [&] {
        const auto byte = static_cast<unsigned char>(random_() % 255);
        return byte == kByte ? static_cast<unsigned char>(0xFF) : byte;
      },
      [](std::size_t) { return kByte; },
      [&](const void* s, std::size_t k) { return form_->mem_scan(s, k, 0x100 | kByte); });
  // vdMemNScan: every byte equals the value but the planted ones; the guards differ.
  findAtEveryPosition<unsigned char>(
      "nscan", 0x3C, [] { return kByte; },
      [](std::size_t i) { return static_cast<unsigned char>(kByte ^ (1u << (i % 8))); },
      [&](const void* s, std::size_t k) { return form_->mem_nscan(s, k, kByte); });
  // vdMemTNScan: one bit differs from the value, a different one at each position.
  static constexpr ZQChar kUnit = 0x8001F600u;
  findAtEveryPosition<ZQChar>(
      "tnscan", 0, [] { return kUnit; }, [](std::size_t i) { return kUnit ^ (1u << (i % 32)); },
      [&](const ZQChar* s, std::size_t k) { return form_->mem_tnscan(s, k, kUnit); });
  EXPECT_EQ(form_->mem_scan(nullptr, 4, 'x'), -1);
  EXPECT_EQ(form_->mem_nscan(nullptr, 4, 'x'), -1);
  EXPECT_EQ(form_->mem_tnscan(nullptr, 3, 'x'), -1);
  EXPECT_EQ(bad_.count, 0) << "first: " << bad_.first;
}

// Units from the scripts and edges that matter: ASCII, Latin, Greek, Cyrillic, the
// full-width block, CJK, surrogates, other planes and values that are no code point.
ZQChar mixedUnit(std::mt19937& random) {
  static constexpr ZQChar kRanges[][2] = {
      {0x0, 0x7F},         {0x80, 0x24F},       {0x370, 0x3FF},         {0x400, 0x52F},
      {0x1E00, 0x1FFF},    {0x2100, 0x24FF},    {0xA640, 0xA7FF},       {0xFF00, 0xFFFF},
      {0x4E00, 0x9FFF},    {0xD800, 0xDFFF},    {0x10400, 0x1044F},     {0x10FFFF, 0x110001},
      {0xFFFFFF80, 0xFFFFFFFF}};
  const auto& range = kRanges[random() % std::size(kRanges)];
  return range[0] + static_cast<ZQChar>(random() % (range[1] - range[0] + 1));
}

// The fills write their value over exactly their units; the ASCII case changes letters
// only; the least and greatest case variants are the tables' unit by unit.
TEST_P(VectorFormTest, FillsAndCaseMappingsChangeEachUnitAsTheirReference) {
  const auto fill_bytes = [&](std::size_t n, std::size_t align) {
    const int value = 0x300 | static_cast<int>(n % 251);  // only the low byte is stored
    transformsEachUnit<unsigned char>(
        "set", std::vector<unsigned char>(n, 0x5A), align, 0x5A,
        [&](unsigned char* p, std::int64_t k) { form_->mem_set(p, value, std::size_t(k)); },
        [&](unsigned char) { return static_cast<unsigned char>(value); });
  };
  const auto fill_units = [&](std::size_t n, std::size_t align) {
    const ZQChar value = 0xF0000000u | static_cast<ZQChar>(n);
    transformsEachUnit<ZQChar>(
        "tset", std::vector<ZQChar>(n, 0x5A5A5A5A), align, 0x5A5A5A5A,
        [&](ZQChar* p, std::int64_t k) { form_->mem_tset(p, value, std::size_t(k)); },
        [&](ZQChar) { return value; });
  };
  forEachShape(1, [&](std::size_t n, std::size_t align) {
    fill_bytes(n, align);
    std::vector<char> original(n);
    for (char& c : original) c = static_cast<char>(random_() % 256);
    transformsEachUnit("up", original, align, 'q', form_->str_up,
                       [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    transformsEachUnit("low", original, align, 'Q', form_->str_low,
                       [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; });
  });
  forEachShape(sizeof(ZQChar), [&](std::size_t n, std::size_t align) {
    fill_units(n, align);
    std::vector<ZQChar> original(std::min<std::size_t>(n, 70000));  // a lookup per unit
    for (ZQChar& u : original) u = mixedUnit(random_);
    transformsEachUnit<ZQChar>("min", original, align, 'i', form_->to_min,
                               zq::kstr::leastCaseVariant);
    transformsEachUnit<ZQChar>("max", original, align, 'i', form_->to_max,
                               zq::kstr::greatestCaseVariant);
  });
  // Around the size from which a form may hand a fill to the processor's string store.
  const std::size_t string_fill_from = zq::kstr::stringFillFrom();
  if (string_fill_from <= (std::size_t{32} << 20)) {
    for (std::size_t n : {string_fill_from - 1, string_fill_from, string_fill_from + 5}) {
      fill_bytes(n, 0);
      fill_bytes(n, 33);
      fill_units(n / sizeof(ZQChar), 0);
      fill_units(n / sizeof(ZQChar) + 1, 3);
    }
  }
  // Counts of 0 or less, and null pointers with them, change nothing.
  char kept[] = "abc";
  ZQChar unit[] = {'a'};
  form_->str_up(kept, -3);
  form_->to_min(unit, 0);
  form_->to_max(unit, -1);
  form_->mem_set(nullptr, 1, 0);
  form_->mem_tset(nullptr, 1, 0);
  form_->str_low(nullptr, 0);
  form_->to_min(nullptr, 0);
  EXPECT_STREQ(kept, "abc");
  EXPECT_EQ(unit[0], 'a');
  EXPECT_EQ(bad_.count, 0) << "first: " << bad_.first;
}

TEST_P(VectorFormTest, ForcingAFormRoutesTheExportedNames) {
  if (beyondBest()) GTEST_SKIP() << "the library does not choose this form here";
  ASSERT_TRUE(zq::kstr::forceVectorForm(GetParam().form));
  EXPECT_EQ(zq::kstr::activeRoutines().form, GetParam().form);
  const unsigned char bytes[] = {1, 2, 3};
  EXPECT_EQ(vdMemScan(bytes, 3, 3), 2);
  zq::kstr::resetVectorForm();
  EXPECT_EQ(zq::kstr::activeRoutines().form, zq::kstr::bestVectorForm());
}

INSTANTIATE_TEST_SUITE_P(Forms, VectorFormTest, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param.name); });

// The form the exported names run while this program's static initializers run: the
// library makes its choice before them.
const VectorForm kFormAtStart = zq::kstr::activeRoutines().form;

TEST(VectorFormChoice, TheBestIsChosenBeforeStaticInitializersAndNoneBeyondItIsTaken) {
  const VectorForm best = zq::kstr::bestVectorForm();
  EXPECT_EQ(kFormAtStart, best);
#if defined(__x86_64__)
  EXPECT_NE(best, VectorForm::kPortable) << "every x86-64 processor has SSE2";
#endif
  if (best == VectorForm::kAvx512) GTEST_SKIP() << "this processor takes every form";
  EXPECT_FALSE(zq::kstr::forceVectorForm(VectorForm::kAvx512));
  EXPECT_EQ(zq::kstr::activeRoutines().form, best);
}

}  // namespace
