// The frame every locale conformance suite shares: locale blocks, banners and case texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "suites/common/frame.h"

namespace zq::conformance {

// Units of every output, work and status-text buffer the conformance cases hand out.
constexpr std::int64_t kBufferUnits = 72;
// Every conformance locale name is five units, such as "en_US".
constexpr std::int64_t kLocaleNameUnits = 5;

// A ZQChar text assembled from pieces and kept zero-terminated. Pieces that do not
// fit are cut at the capacity, so a text never runs past its storage.
struct CaseText {
  static constexpr std::int64_t kCapacity = 256;
  ZQChar units[kCapacity + 1] = {};
  std::int64_t length = 0;

  CaseText& add(ZQChar unit);
  CaseText& add(const char32_t* text);
  CaseText& add(const ZQChar* text, std::int64_t count);
  CaseText& addNumber(std::int64_t value);
  CaseText& addUnsigned(std::uint64_t value);
  const ZQChar* data() const { return units; }
};

// What a suite's cases need for one locale: the harness frame, the verbose flag, the
// open locale handle and its name.
struct LocaleBlock {
  const suite::Frame& frame;
  bool verbose;
  LocaleHandle* locale;
  const char32_t* name;
};

// One journal line whose format was assembled at run time; its length is exact.
template <class... Args>
void journalText(const suite::Frame& f, std::int64_t level, const CaseText& format,
                 Args... args) {
  if (f.journal == nullptr) return;
  zqlMessageToJnl(f.journal, level, format.data(), format.length,
                  suite::journalArgument(args)...);
}

// The name by which a status line spells an expected status, such as "ZQ_NLS_BAD_NUM".
const char32_t* statusName(Status status);

// Opens one locale block: the empty line, the locale handle (checked as "locale1"),
// then the banners. The harness banner carries `banner_word` and a blank before the
// locale name when `banner_word` is not null; the journal banner never does. Returns
// null after reporting "Failed to get handle for locale1".
LocaleHandle* beginLocale(const suite::Frame& f, NlsHandle* nls, const char32_t* name,
                          const char32_t* banner_word);

// Closes one locale block: destroys the handle, checks the destroy status against ZQ_OK
// and flushes the journal.
void endLocale(const suite::Frame& f, LocaleHandle* locale);

// Runs a conformance suite: checks the NLS handle ("nls"), then for every row of
// `locales` (each has a `name`) opens the locale block, calls `run_cases` and closes
// the block. Returns 0 when every locale ran, 1 when the NLS handle or a locale handle
// was missing (later locales are then not run).
template <class LocaleRow>
std::int64_t runConformanceSuite(const suite::Frame& f, const SuiteState* state,
                                 KernelHandle* kernel, const char32_t* banner_word,
                                 std::span<const LocaleRow> locales,
                                 void (*run_cases)(const LocaleBlock&, const LocaleRow&)) {
  NlsHandle* nls =
      suite::acquireNls(f, kernel, U"zqExtensionLoad:Get the zq NLS handle", U"nls");
  if (nls == nullptr) return 1;
  const bool verbose = state != nullptr && state->verbose != 0;
  for (const LocaleRow& row : locales) {
    LocaleHandle* locale = beginLocale(f, nls, row.name, banner_word);
    if (locale == nullptr) return 1;
    run_cases(LocaleBlock{f, verbose, locale, row.name}, row);
    endLocale(f, locale);
  }
  return 0;
}

}  // namespace zq::conformance
