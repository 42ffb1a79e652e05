// The catalogue behind --list and the report's rows.
#include "harness/catalog.h"

#include <cstdio>

#include "harness/options.h"
#include "zq/harness.h"

namespace zq::harness {
namespace {

struct SuiteInfo {
  SuiteSlot slot;
  const char* entry;    // the suite entry's name
  int record_word;      // its word in the extension record
  const char* locales;  // blank-separated, in the order run; "" when they vary by selection
};

struct ConformanceSuiteInfo {
  const char* name;
  const char* source;      // the source name its checks pass
  std::uint32_t mask_bit;  // the selection-mask bit that runs it
  const char* locales;
};

// The 18 locales of the extension's separator-style table (suites/common/separators.h),
// which these suites walk.
#define ZQ_LOCALE_INFO_LOCALES                                                               \
  "cs_CZ de_DE en_US es_ES es_MX fr_FR he_IL hu_HU it_IT ja_JP ko_KR nl_NL pl_PL ru_RU sk_SK " \
  "sv_SE zh_CN zh_TW"

constexpr SuiteInfo kSuites[] = {
    {SuiteSlot::Sanity1, "zqvnleSanity1", 13, "en_US de_DE es_ES fr_FR he_IL ja_JP ru_RU ar_SY"},
    {SuiteSlot::Sanity2, "zqvnleSanity2", 14, ZQ_LOCALE_INFO_LOCALES " kk_KZ"},
    {SuiteSlot::Function1, "zqvnleFunction1", 15, ""},
    {SuiteSlot::Perf, "zqvnlePerf", 16, "en_US fr_FR pl_PL ja_JP ar_SY zh_CN ar_SD he_IL"},
    {SuiteSlot::IEEEConv, "zqvnleIEEEConv", 17, ZQ_LOCALE_INFO_LOCALES},
};

#define ZQ_SEVENTEEN_LOCALES                                                                 \
  "en_US zh_CN zh_TW cs_CZ nl_NL fr_FR de_DE he_IL hu_HU it_IT ja_JP ko_KR pl_PL ru_RU sk_SK " \
  "es_ES sv_SE"

constexpr ConformanceSuiteInfo kConformance[] = {
    {"doubleTest1", "zqtest/src/zqvnlo1", 1, "en_US zh_CN zh_TW cs_CZ nl_NL"},
    {"doubleTest2", "zqtest/src/zqvnlo2", 1, "fr_FR de_DE he_IL hu_HU it_IT"},
    {"doubleTest3", "zqtest/src/zqvnlo3", 1, "ja_JP ko_KR pl_PL ru_RU sk_SK"},
    {"doubleTest4", "zqtest/src/zqvnlo4", 1, "es_ES sv_SE"},
    {"buftodblTest1", "zqtest/src/zqvnlb1", 1, ZQ_SEVENTEEN_LOCALES},
    {"dateTest1", "zqtest/src/zqvnlf1", 2, ZQ_SEVENTEEN_LOCALES},
    {"integerTest1", "zqtest/src/zqvnli1", 4, "en_US zh_CN zh_TW cs_CZ nl_NL"},
    {"integerTest2", "zqtest/src/zqvnli2", 4, "fr_FR de_DE he_IL hu_HU it_IT"},
    {"integerTest3", "zqtest/src/zqvnli3", 4, "ja_JP ko_KR pl_PL ru_RU sk_SK"},
    {"integerTest4", "zqtest/src/zqvnli4", 4, "es_ES sv_SE"},
};

const ConformanceSuiteInfo* conformanceNamed(const std::string& area) {
  for (const ConformanceSuiteInfo& info : kConformance) {
    if (area == info.name) return &info;
  }
  return nullptr;
}

}  // namespace

std::string areaOf(const std::string& suite, const std::string& source) {
  if (suite != suiteName(SuiteSlot::Function1)) return suite;
  for (const ConformanceSuiteInfo& info : kConformance) {
    if (source == info.source) return info.name;
  }
  return suite;
}

std::uint32_t maskBitOfArea(const std::string& area) {
  const ConformanceSuiteInfo* info = conformanceNamed(area);
  return info != nullptr ? info->mask_bit : 0;
}

std::string listText() {
  std::string out = "suite      record word  entry            locales\n";
  for (const SuiteInfo& suite : kSuites) {
    char head[64];
    std::snprintf(head, sizeof head, "%-10s %-12d %-16s ", suiteName(suite.slot),
                  suite.record_word, suite.entry);
    out += head;
    if (suite.slot != SuiteSlot::Function1) {
      out += std::string(suite.locales) + "\n";
      continue;
    }
    out += "the conformance suites the mask selects (--mask; 0 runs all):\n";
    for (std::uint32_t bit : {1u, 2u, 4u}) {
      for (const ConformanceSuiteInfo& info : kConformance) {
        if (info.mask_bit != bit) continue;
        std::snprintf(head, sizeof head, "             mask %u  %-14s ", bit, info.name);
        out += head + std::string(info.locales) + "\n";
      }
    }
  }
  out += "perf runs only the cases its selectors choose (--perf-routine all runs every routine)\n";
  return out;
}

}  // namespace zq::harness
