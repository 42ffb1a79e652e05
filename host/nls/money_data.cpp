// Currency and percent conventions of the 21 host locales, in the order of the
// locale table. Symbols, their place and spacing follow each country's usage with
// the host's ASCII digits; Arabic texts carry no direction marks.
#include <array>
#include <cassert>
#include <cstring>

#include "host/nls/money_format.h"

namespace zq::host {
namespace {

// Symbols as code units: U+20AC euro, U+00A5 yuan, U+FFE5 full-width yen, U+20A9 won,
// U+20AA shekel, U+20BD rouble, U+20B8 tenge; Sudanese pound "ج.س." and Syrian pound
// "ل.س." in Arabic letters.
constexpr std::array<MoneySymbols, 21> kMoney{{
    // locale  symbol                        first  spaced after  minor  percent spaced
    {"ar_SD", {0x062C, '.', 0x0633, '.'}, false, true, false, 2, false},
    {"ar_SY", {0x0644, '.', 0x0633, '.'}, false, true, false, 0, false},
    {"cs_CZ", {'K', 0x010D}, false, true, false, 2, true},
    {"de_DE", {0x20AC}, false, true, false, 2, true},
    {"en_US", {'$'}, true, false, false, 2, false},
    {"es_ES", {0x20AC}, false, true, false, 2, true},
    {"es_MX", {'$'}, true, false, false, 2, false},
    {"fr_FR", {0x20AC}, false, true, false, 2, true},
    {"he_IL", {0x20AA}, false, true, false, 2, false},
    {"hu_HU", {'F', 't'}, false, true, false, 2, false},
    {"it_IT", {0x20AC}, false, true, false, 2, false},
    {"ja_JP", {0xFFE5}, true, false, false, 0, false},
    {"kk_KZ", {0x20B8}, false, true, false, 2, false},
    {"ko_KR", {0x20A9}, true, false, false, 0, false},
    {"nl_NL", {0x20AC}, true, true, true, 2, false},
    {"pl_PL", {'z', 0x0142}, false, true, false, 2, false},
    {"ru_RU", {0x20BD}, false, true, false, 2, true},
    {"sk_SK", {0x20AC}, false, true, false, 2, true},
    {"sv_SE", {'k', 'r'}, false, true, false, 2, true},
    {"zh_CN", {0x00A5}, true, false, false, 2, false},
    {"zh_TW", {'$'}, true, false, false, 2, false},
}};

}  // namespace

const MoneySymbols& moneySymbolsOf(const LocaleData& locale) {
  // The rows run parallel to the locale table; a name check guards the shortcut.
  const auto index = static_cast<std::size_t>(&locale - allLocaleData().data());
  if (index < kMoney.size() && std::strcmp(kMoney[index].locale, locale.name) == 0) {
    return kMoney[index];
  }
  for (const MoneySymbols& row : kMoney) {
    if (std::strcmp(row.locale, locale.name) == 0) return row;
  }
  assert(false && "a locale without currency conventions");
  return kMoney[4];  // en_US
}

}  // namespace zq::host
