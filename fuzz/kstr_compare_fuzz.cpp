// The kernel string library: every processor-specific form of the scans, fills, case
// mappings and extremes against the portable form, at every alignment, on blocks of
// exactly the units given; and the blank-padded comparison against its rule.
#include "fuzz/fuzz_support.h"
#include "kstr/characters.h"
#include "kstr/forms.h"
#include "suites/sanity/sanity2_tables.h"
#include "zq/zqvnle.h"

namespace zq::fuzz {
namespace {

struct KstrInput {
  std::uint8_t offset;  // units before the data, for alignment
  std::uint8_t byte;    // the value of the byte scans and fills
  std::uint16_t split;  // where the text divides into the two compared strings
  ZQChar unit;          // the value of the 32-bit scan and fill
};

// `units` placed `offset` units into a block that ends where they end.
template <class Unit>
struct Placed {
  std::vector<Unit> block;
  Unit* data;
  std::size_t size;
  Placed(std::span<const Unit> units, std::size_t offset)
      : block(offset + units.size()), data(block.data() + offset), size(units.size()) {
    std::copy(units.begin(), units.end(), data);
  }
  std::vector<Unit> contents() const { return {data, data + size}; }
};

// Runs `run` on a copy of `units` placed at `offset` under `form` and under the portable
// form, and requires the same units after.
template <class Unit, class Run>
void sameInPlace(std::span<const Unit> units, std::size_t offset, const kstr::FormRoutines& form,
                 Run run, const char* what) {
  Placed<Unit> x(units, offset), y(units, offset);
  run(form, x.data, x.size);
  run(kstr::kPortableRoutines, y.data, y.size);
  require(x.contents() == y.contents(), what);
}

void sameAsPortable(const kstr::FormRoutines& form, const KstrInput& in,
                    std::span<const ZQChar> units) {
  const kstr::FormRoutines& portable = kstr::kPortableRoutines;
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(units.data()),
                                            units.size_bytes());
  const std::size_t offset = in.offset % 64;
  const Placed<std::uint8_t> b(bytes, offset);
  const Placed<ZQChar> u(units, offset % 16);
  require(form.mem_scan(b.data, b.size, in.byte) == portable.mem_scan(b.data, b.size, in.byte),
          "vdMemScan");
  require(form.mem_nscan(b.data, b.size, in.byte) == portable.mem_nscan(b.data, b.size, in.byte),
          "vdMemNScan");
  require(form.mem_tnscan(u.data, u.size, in.unit) ==
              portable.mem_tnscan(u.data, u.size, in.unit),
          "vdMemTNScan");

  using F = const kstr::FormRoutines&;
  const auto n = [](std::size_t size) { return static_cast<std::int64_t>(size); };
  const auto chars = [](std::uint8_t* p) { return reinterpret_cast<char*>(p); };
  sameInPlace(bytes, offset, form, [&](F f, std::uint8_t* p, std::size_t size) {
    f.mem_set(p, in.byte, size);
  }, "vdMemSet");
  sameInPlace(bytes, offset, form, [&](F f, std::uint8_t* p, std::size_t size) {
    f.str_up(chars(p), n(size));
  }, "vdStrUp");
  sameInPlace(bytes, offset, form, [&](F f, std::uint8_t* p, std::size_t size) {
    f.str_low(chars(p), n(size));
  }, "vdStrLow");
  sameInPlace(units, offset % 16, form, [&](F f, ZQChar* p, std::size_t size) {
    f.mem_tset(p, in.unit, size);
  }, "vdMemTSet");
  sameInPlace(units, offset % 16, form, [&](F f, ZQChar* p, std::size_t size) {
    f.to_min(p, n(size));
  }, "zqzstmin");
  sameInPlace(units, offset % 16, form, [&](F f, ZQChar* p, std::size_t size) {
    f.to_max(p, n(size));
  }, "zqzstmax");
}

// zqzsncmp's rule: the first exact difference gives the tie's sign; the first
// difference after lower-casing decides with 2; a longer string wins with 2 unless its
// extra units are all blanks.
std::int32_t blankPaddedOrder(std::span<const ZQChar> a, std::span<const ZQChar> b) {
  std::int32_t tie = 0;
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] == b[i]) continue;
    if (tie == 0) tie = static_cast<std::int32_t>(a[i]) < static_cast<std::int32_t>(b[i]) ? -1 : 1;
    const auto x = static_cast<std::int32_t>(kstr::lowerThroughTables(a[i]));
    const auto y = static_cast<std::int32_t>(kstr::lowerThroughTables(b[i]));
    if (x != y) return x < y ? -2 : 2;
  }
  const auto blank = [](ZQChar c) { return c == ' '; };
  if (a.size() < b.size()) return std::all_of(b.begin() + common, b.end(), blank) ? tie : -2;
  if (a.size() > b.size()) return std::all_of(a.begin() + common, a.end(), blank) ? tie : 2;
  return tie;
}

void comparisonsKeepTheirRules(std::span<const ZQChar> a, std::span<const ZQChar> b) {
  const Placed<ZQChar> x(a, 0), y(b, 0);
  const auto m = static_cast<std::int64_t>(x.size);
  const auto n = static_cast<std::int64_t>(y.size);
  require(zqzsncmp(x.data, m, y.data, n) == blankPaddedOrder(a, b), "zqzsncmp");
  require(zqzsCompare(x.data, m, y.data, n) == (std::ranges::equal(a, b) ? 1 : 0), "zqzsCompare");
  if (zqzsCompare(x.data, m, y.data, n) == 1) {
    require(zqzseqn(x.data, m, y.data, n) == 1, "exactly equal texts are equal ignoring case");
  }
  for (const std::int32_t mode : {0, 1, 2}) {
    const std::int64_t kept = zqzsStripBlanks(x.data, m, mode);
    require(kept >= 0 && kept <= m, "stripping keeps a length within the text");
  }
  require(zqzsStripBlanks(x.data, -m - 1, 0) == 0, "a negative length keeps nothing");
}

}  // namespace

std::vector<Bytes> seedInputs() {
  std::vector<Bytes> seeds;
  for (const sanity::LocaleBufferRecord& r : sanity::localeBufferList()) {
    const std::span<const ZQChar> input(r.input, static_cast<std::size_t>(r.input_length));
    const KstrInput in{static_cast<std::uint8_t>(seeds.size()), ' ',
                       static_cast<std::uint16_t>(input.size() / 2), U' '};
    seeds.push_back(encodeInput(in, input));
  }
  return seeds;
}

}  // namespace zq::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zq;
  using namespace zq::fuzz;
  const Input<KstrInput> in = readInput<KstrInput>(data, size);
  const std::span<const ZQChar> text(in.text);
  sameAsPortable(kstr::kSse2Routines, in.header, text);
  if (kstr::bestVectorForm() == kstr::VectorForm::kAvx2) {
    sameAsPortable(kstr::kAvx2Routines, in.header, text);
  }
  const std::size_t split = std::min<std::size_t>(in.header.split, text.size());
  comparisonsKeepTheirRules(text.first(split), text.subspan(split));
  return 0;
}
