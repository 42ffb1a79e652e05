// LocaleInfo: the 18 locales of the option and conversion-mode suites, with separators.
#include "zq/zqvnle.h"

namespace {

const char32_t kPoint[] = U".";
const char32_t kComma[] = U",";
const char32_t kBlank[] = U" ";

const zq::ZQChar* text(const char32_t* s) { return reinterpret_cast<const zq::ZQChar*>(s); }

}  // namespace

extern "C" const LocaleInfoRow LocaleInfo[kLocaleInfoRows] = {
    {text(U"cs_CZ"), 5, text(kComma), text(kBlank)},
    {text(U"de_DE"), 5, text(kComma), text(kPoint)},
    {text(U"en_US"), 5, text(kPoint), text(kComma)},
    {text(U"es_ES"), 5, text(kComma), text(kPoint)},
    {text(U"es_MX"), 5, text(kPoint), text(kComma)},
    {text(U"fr_FR"), 5, text(kComma), text(kBlank)},
    {text(U"he_IL"), 5, text(kPoint), text(kComma)},
    {text(U"hu_HU"), 5, text(kComma), text(kBlank)},
    {text(U"it_IT"), 5, text(kComma), text(kPoint)},
    {text(U"ja_JP"), 5, text(kPoint), text(kComma)},
    {text(U"ko_KR"), 5, text(kPoint), text(kComma)},
    {text(U"nl_NL"), 5, text(kComma), text(kPoint)},
    {text(U"pl_PL"), 5, text(kComma), text(kBlank)},
    {text(U"ru_RU"), 5, text(kComma), text(kBlank)},
    {text(U"sk_SK"), 5, text(kComma), text(kBlank)},
    {text(U"sv_SE"), 5, text(kComma), text(kBlank)},
    {text(U"zh_CN"), 5, text(kPoint), text(kComma)},
    {text(U"zh_TW"), 5, text(kPoint), text(kComma)},
};
