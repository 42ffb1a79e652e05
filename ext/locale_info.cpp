// LocaleInfo: the 18 locales of the option and conversion-mode suites, with separators,
// built row for row from the extension's separator-style table.
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "suites/common/separators.h"
#include "zq/zqvnle.h"

namespace {

using zq::ZQChar;
using zq::suite::kLocaleStyles;

static_assert(std::size(kLocaleStyles) == kLocaleInfoRows);

constexpr std::int64_t kNameUnits = 5;
static_assert(std::ranges::all_of(kLocaleStyles, [](const zq::suite::LocaleStyle& locale) {
  return std::u32string_view(locale.name).size() == kNameUnits;
}));

const ZQChar kPoint[] = {'.', 0};
const ZQChar kComma[] = {',', 0};
const ZQChar kBlank[] = {' ', 0};

// The one-unit text of a separator. LocaleInfo names the no-break space that groups
// digits in a comma-space locale by the blank.
const ZQChar* separatorText(ZQChar separator) {
  if (separator == '.') return kPoint;
  if (separator == ',') return kComma;
  assert(separator == 0x00A0);
  return kBlank;
}

LocaleInfoRow infoRow(std::size_t row) {
  const zq::suite::LocaleStyle& locale = kLocaleStyles[row];
  const zq::suite::Separators separators = zq::suite::separatorsOf(locale.style);
  return {reinterpret_cast<const ZQChar*>(locale.name), kNameUnits,
          separatorText(separators.decimal), separatorText(separators.grouping)};
}

}  // namespace

extern "C" const LocaleInfoRow LocaleInfo[kLocaleInfoRows] = {
    infoRow(0),  infoRow(1),  infoRow(2),  infoRow(3),  infoRow(4),  infoRow(5),
    infoRow(6),  infoRow(7),  infoRow(8),  infoRow(9),  infoRow(10), infoRow(11),
    infoRow(12), infoRow(13), infoRow(14), infoRow(15), infoRow(16), infoRow(17),
};
