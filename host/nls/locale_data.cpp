// The locale table: number symbols, currency and percent conventions, and date records
// of the 21 locales the host supports.
#include "host/nls/locale_data.h"

#include "host/nls/date_data.h"

namespace zq::host {
namespace {

// Number symbols by separator style: period-comma, comma-period, and comma with a
// no-break space between groups (a plain blank would let a line break split the
// number). All write ASCII signs.
constexpr NumberSymbols kPeriodComma{'.', ',', '-', '+'};
constexpr NumberSymbols kCommaPeriod{',', '.', '-', '+'};
constexpr NumberSymbols kCommaBlank{',', kNoBreakSpace, '-', '+'};

// ar_SY and ar_SD: the host writes ASCII digits in every locale, and with those
// digits Arabic text in Syria and Sudan uses the period and the comma; the Arabic
// separators U+066B and U+066C belong with Arabic-Indic digits, which the host does
// not produce. kk_KZ follows the convention of its region, as ru_RU does: decimal
// comma and a no-break space between groups.
//
// Currency symbols, their place and spacing follow each country's usage with the
// host's ASCII digits; Arabic texts carry no direction marks. Symbols as code units:
// U+20AC euro, U+00A5 yuan, U+FFE5 full-width yen, U+20A9 won, U+20AA shekel, U+20BD
// rouble, U+20B8 tenge; Sudanese pound "ج.س." and Syrian pound "ل.س." in Arabic letters.
constexpr LocaleData kLocales[] = {
    // name   number        currency symbol           first  spaced after  minor  percent
    //                                                                            spaced
    {"ar_SD", kPeriodComma, {{0x062C, '.', 0x0633, '.'}, false, true, false, 2, false}, kArSdDates},
    {"ar_SY", kPeriodComma, {{0x0644, '.', 0x0633, '.'}, false, true, false, 0, false}, kArSyDates},
    {"cs_CZ", kCommaBlank, {{'K', 0x010D}, false, true, false, 2, true}, kCsCzDates},
    {"de_DE", kCommaPeriod, {{0x20AC}, false, true, false, 2, true}, kDeDeDates},
    {"en_US", kPeriodComma, {{'$'}, true, false, false, 2, false}, kEnUsDates},
    {"es_ES", kCommaPeriod, {{0x20AC}, false, true, false, 2, true}, kEsEsDates},
    {"es_MX", kPeriodComma, {{'$'}, true, false, false, 2, false}, kEsMxDates},
    {"fr_FR", kCommaBlank, {{0x20AC}, false, true, false, 2, true}, kFrFrDates},
    {"he_IL", kPeriodComma, {{0x20AA}, false, true, false, 2, false}, kHeIlDates},
    {"hu_HU", kCommaBlank, {{'F', 't'}, false, true, false, 2, false}, kHuHuDates},
    {"it_IT", kCommaPeriod, {{0x20AC}, false, true, false, 2, false}, kItItDates},
    {"ja_JP", kPeriodComma, {{0xFFE5}, true, false, false, 0, false}, kJaJpDates},
    {"kk_KZ", kCommaBlank, {{0x20B8}, false, true, false, 2, false}, kKkKzDates},
    {"ko_KR", kPeriodComma, {{0x20A9}, true, false, false, 0, false}, kKoKrDates},
    {"nl_NL", kCommaPeriod, {{0x20AC}, true, true, true, 2, false}, kNlNlDates},
    {"pl_PL", kCommaBlank, {{'z', 0x0142}, false, true, false, 2, false}, kPlPlDates},
    {"ru_RU", kCommaBlank, {{0x20BD}, false, true, false, 2, true}, kRuRuDates},
    {"sk_SK", kCommaBlank, {{0x20AC}, false, true, false, 2, true}, kSkSkDates},
    {"sv_SE", kCommaBlank, {{'k', 'r'}, false, true, false, 2, true}, kSvSeDates},
    {"zh_CN", kPeriodComma, {{0x00A5}, true, false, false, 2, false}, kZhCnDates},
    {"zh_TW", kPeriodComma, {{'$'}, true, false, false, 2, false}, kZhTwDates},
};

bool nameMatches(const LocaleData& row, const ZQChar* name) {
  for (int i = 0; i < 5; ++i) {
    if (name[i] != static_cast<unsigned char>(row.name[i])) return false;
  }
  return true;
}

}  // namespace

const LocaleData* findLocaleData(const ZQChar* name, std::int64_t length) {
  if (name == nullptr || length != 5) return nullptr;
  for (const LocaleData& row : kLocales) {
    if (nameMatches(row, name)) return &row;
  }
  return nullptr;
}

std::span<const LocaleData> allLocaleData() { return kLocales; }

}  // namespace zq::host
