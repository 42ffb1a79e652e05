// The exported LocaleInfo, built from the separator-style table: what no suite reads of it.
#include <gtest/gtest.h>

#include <string>

#include "zq/zqvnle.h"

namespace {

TEST(LocaleInfo, PublishesEachLocaleWithItsSeparatorsAndABlankForTheNoBreakSpace) {
  std::u32string rows;
  for (const LocaleInfoRow& row : LocaleInfo) {
    EXPECT_EQ(row.decimal_separator[1] | row.grouping_separator[1], 0u);  // terminated
    rows.append(reinterpret_cast<const char32_t*>(row.name), row.name_length);
    rows += {char32_t{row.decimal_separator[0]}, char32_t{row.grouping_separator[0]}, U' '};
  }
  EXPECT_EQ(rows, U"cs_CZ,  de_DE,. en_US., es_ES,. es_MX., fr_FR,  he_IL., hu_HU,  it_IT,. "
                  U"ja_JP., ko_KR., nl_NL,. pl_PL,  ru_RU,  sk_SK,  sv_SE,  zh_CN., zh_TW., ");
}

}  // namespace
