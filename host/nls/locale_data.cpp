// The locale table: number symbols of the 21 locales the host supports.
#include "host/nls/locale_data.h"

#include <array>

namespace zq::host {
namespace {

constexpr ZQChar kNoBreakSpace = 0x00A0;

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
constexpr std::array<LocaleData, 21> kLocales{{
    {"ar_SD", kPeriodComma},
    {"ar_SY", kPeriodComma},
    {"cs_CZ", kCommaBlank},
    {"de_DE", kCommaPeriod},
    {"en_US", kPeriodComma},
    {"es_ES", kCommaPeriod},
    {"es_MX", kPeriodComma},
    {"fr_FR", kCommaBlank},
    {"he_IL", kPeriodComma},
    {"hu_HU", kCommaBlank},
    {"it_IT", kCommaPeriod},
    {"ja_JP", kPeriodComma},
    {"kk_KZ", kCommaBlank},
    {"ko_KR", kPeriodComma},
    {"nl_NL", kCommaPeriod},
    {"pl_PL", kCommaBlank},
    {"ru_RU", kCommaBlank},
    {"sk_SK", kCommaBlank},
    {"sv_SE", kCommaBlank},
    {"zh_CN", kPeriodComma},
    {"zh_TW", kPeriodComma},
}};

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
