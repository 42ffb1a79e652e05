// The kernel string library's comparisons of two strings from the input, and of the
// first against itself upper-cased: the blank-padded comparison against its rule, exact
// equality, and blank stripping. (The processor-specific forms of the scans, fills and
// case mappings are held to the portable one at every alignment and length by
// tests/kstr/test_vector_forms.cpp.)
#include "fuzz/fuzz_support.h"
#include "kstr/characters.h"
#include "zq/zqvnle.h"

namespace zq::fuzz {
namespace {

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

// Each string in a block of exactly its units, so that a read past them is caught.
void comparisonsKeepTheirRules(std::span<const ZQChar> a, std::span<const ZQChar> b) {
  const std::vector<ZQChar> x(a.begin(), a.end()), y(b.begin(), b.end());
  const auto m = std::ssize(x);
  const auto n = std::ssize(y);
  require(zqzsncmp(x.data(), m, y.data(), n) == blankPaddedOrder(a, b), "zqzsncmp");
  require(zqzsncmp(x.data(), -m - 1, y.data(), n) == blankPaddedOrder({}, b) &&
              zqzsncmp(x.data(), m, y.data(), -n - 1) == blankPaddedOrder(a, {}),
          "zqzsncmp: a negative length holds no units");
  require(zqzsCompare(x.data(), m, y.data(), n) == (std::ranges::equal(a, b) ? 1 : 0),
          "zqzsCompare");
  if (zqzsCompare(x.data(), m, y.data(), n) == 1) {
    require(zqzseqn(x.data(), m, y.data(), n) == 1, "exactly equal texts are equal ignoring case");
  }
  for (const std::int32_t mode : {0, 1, 2}) {
    const std::int64_t kept = zqzsStripBlanks(x.data(), m, mode);
    require(kept >= 0 && kept <= m, "stripping keeps a length within the text");
  }
  require(zqzsStripBlanks(x.data(), -m - 1, 0) == 0, "a negative length keeps nothing");
}

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const Input<KstrInput> in = readInput<KstrInput>(data, size);
  const std::span<const ZQChar> text(in.text);
  const std::size_t split = std::min<std::size_t>(in.header.split, text.size());
  comparisonsKeepTheirRules(text.first(split), text.subspan(split));
  // The first string against itself upper-cased, with blanks after it: strings that
  // differ only in case, as two strings of the input seldom do.
  std::vector<ZQChar> upper(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(split));
  for (ZQChar& unit : upper) unit = kstr::upperThroughTables(unit);
  upper.resize(split + in.header.split % 3, ' ');
  comparisonsKeepTheirRules(text.first(split), upper);
  comparisonsKeepTheirRules(upper, text.first(split));
}

}  // namespace zq::fuzz
