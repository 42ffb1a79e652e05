// The locale loop every conformance suite runs: locales, blocks, banners and case texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "suites/common/handles.h"
#include "suites/common/separators.h"

namespace zq::conformance {

// Units of every output, work and status-text buffer the conformance cases hand out.
constexpr std::int64_t kBufferUnits = 72;
// Every conformance locale name is five units, such as "en_US".
constexpr std::int64_t kLocaleNameUnits = 5;

// The seventeen conformance locales in the order the suites run them, each with its
// style from the extension's table. The integer and double suites 1 to 4 each take a
// consecutive share of it (conformanceShare); the date and buffer-to-double suites run
// all of it.
inline constexpr suite::LocaleStyle kConformanceLocales[] = {
    suite::localeStyle(U"en_US"), suite::localeStyle(U"zh_CN"), suite::localeStyle(U"zh_TW"),
    suite::localeStyle(U"cs_CZ"), suite::localeStyle(U"nl_NL"), suite::localeStyle(U"fr_FR"),
    suite::localeStyle(U"de_DE"), suite::localeStyle(U"he_IL"), suite::localeStyle(U"hu_HU"),
    suite::localeStyle(U"it_IT"), suite::localeStyle(U"ja_JP"), suite::localeStyle(U"ko_KR"),
    suite::localeStyle(U"pl_PL"), suite::localeStyle(U"ru_RU"), suite::localeStyle(U"sk_SK"),
    suite::localeStyle(U"es_ES"), suite::localeStyle(U"sv_SE"),
};
static_assert(std::size(kConformanceLocales) == 17);

// The locales of suite `n` (1 to 4) of a four-suite family: five each, two for the
// last (en_US to nl_NL, fr_FR to it_IT, ja_JP to sk_SK, es_ES and sv_SE).
constexpr std::span<const suite::LocaleStyle> conformanceShare(int n) {
  return std::span<const suite::LocaleStyle>(kConformanceLocales).subspan(
      static_cast<std::size_t>(5 * (n - 1)), n == 4 ? 2 : 5);
}

// A ZQChar text assembled from pieces and kept zero-terminated. Pieces that do not
// fit are cut at the capacity, so a text never runs past its storage.
struct CaseText {
  static constexpr std::int64_t kCapacity = 256;
  ZQChar units[kCapacity + 1] = {};
  std::int64_t length = 0;

  CaseText& add(ZQChar unit);
  CaseText& add(const char32_t* text);
  CaseText& add(const char* ascii);
  CaseText& add(const ZQChar* text, std::int64_t count);
  CaseText& addNumber(std::int64_t value);
  CaseText& addUnsigned(std::uint64_t value);
  const ZQChar* data() const { return units; }
};

// The lead of a case's failure texts: its tag and one blank, or two blanks when the
// case has no tag (`tag` null).
CaseText caseLead(const char32_t* tag);

// A period-comma text of a case table in the locale's style, zero-terminated in `out`.
// Returns its length, at most kBufferUnits.
std::int64_t localeText(const char32_t* period_comma, suite::SeparatorStyle style,
                        ZQChar (&out)[kBufferUnits + 1]);

// What a suite's cases need for one locale: the harness, the verbose flag, the
// open locale handle, its name and its separator style.
struct LocaleBlock {
  const suite::Harness& harness;
  bool verbose;
  LocaleHandle* locale;
  const char32_t* name;
  suite::SeparatorStyle style;
};

// One journal line whose format was assembled at run time; its length is exact.
template <class... Args>
void journalText(const suite::Harness& f, std::int64_t level, const CaseText& format,
                 Args... args) {
  if (f.journal == nullptr) return;
  zqlMessageToJnl(f.journal, level, format.data(), format.length,
                  suite::journalArgument(args)...);
}

// A case's status check: CheckStatus(expected, actual, "status"). On a mismatch it sends
// `report_text` at severity 3, renders the actual status into a 72-unit buffer and
// journals, at level 4, `line_head` followed by "Status was '%*s' but should have been
// '<name of the expected status>'\n"; the head's one "%.2i" receives `n`. True when the
// check passed.
bool checkCaseStatus(const LocaleBlock& block, std::int32_t n, Status expected, Status actual,
                     const CaseText& report_text, const CaseText& line_head,
                     std::int64_t line = __builtin_LINE());

// How a suite opens each locale block: the harness banner carries `banner_word` and a
// blank before the locale name when it is not null (the journal banner never does);
// `empty_report_first` sends the empty line that most suites send before the block's
// first step.
struct BlockStyle {
  const char32_t* banner_word;
  bool empty_report_first;
};

// Opens one locale block: the empty line, the locale handle (checked as "locale1"),
// then the banners. Returns null after reporting "Failed to get handle for locale1".
LocaleHandle* beginLocale(const suite::Harness& f, NlsHandle* nls, const char32_t* name,
                          const BlockStyle& style);

// Closes one locale block: destroys the handle, checks the destroy status against ZQ_OK
// and flushes the journal.
void endLocale(const suite::Harness& f, LocaleHandle* locale);

// Runs a conformance suite: checks the NLS handle ("nls"), then for every locale opens
// the block, calls `run_cases(block)` and closes the block. Returns 0 when every locale
// ran, 1 when the NLS handle or a locale handle was missing (later locales are then not
// run).
template <class RunCases>
std::int64_t runConformanceSuite(const suite::Harness& f, const SuiteState* state,
                                 KernelHandle* kernel, const BlockStyle& style,
                                 std::span<const suite::LocaleStyle> locales,
                                 RunCases&& run_cases) {
  NlsHandle* nls =
      suite::acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  const bool verbose = state != nullptr && state->verbose != 0;
  for (const suite::LocaleStyle& row : locales) {
    LocaleHandle* locale = beginLocale(f, nls, row.name, style);
    if (locale == nullptr) return 1;
    run_cases(LocaleBlock{f, verbose, locale, row.name, row.style});
    endLocale(f, locale);
  }
  return 0;
}

// A family of four suites, each running one share of the locales (conformanceShare):
// suite n names its checks with `sources[n - 1]`, opens every locale block with `style`
// and runs `run_cases` in it.
struct ShareFamily {
  const char32_t* sources[4];
  BlockStyle style;
  void (*run_cases)(const LocaleBlock&);
};

// Runs suite `share` (1 to 4) of `family` with runConformanceSuite; returns its result.
std::int64_t runShareSuite(const ShareFamily& family, int share, TestServices* services,
                           Word ctx, const SuiteState* state, Journal* journal,
                           KernelHandle* kernel);

// Defines the exported suite entry `name` as suite `share` of `family`; used at file scope.
#define ZQ_SHARE_SUITE_ENTRY(name, family, share)                                              \
  extern "C" std::int64_t name(zq::TestServices* services, zq::Word ctx, zq::SuiteState* state, \
                               zq::Journal* journal, zq::KernelHandle* kernel) {                \
    return zq::conformance::runShareSuite(family, share, services, ctx, state, journal, kernel); \
  }

}  // namespace zq::conformance
