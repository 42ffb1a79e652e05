// Locale blocks, banners and case texts shared by the locale conformance suites.
#include "suites/conformance/locale_loop.h"

#include <cassert>

#include "suites/common/separators.h"

using namespace zq::suite;

namespace zq::conformance {

CaseText& CaseText::add(ZQChar unit) {
  if (length >= kCapacity) return *this;
  units[length++] = unit;
  units[length] = 0;
  return *this;
}

CaseText& CaseText::add(const char32_t* text) {
  for (; *text != 0; ++text) add(static_cast<ZQChar>(*text));
  return *this;
}

CaseText& CaseText::add(const ZQChar* text, std::int64_t count) {
  for (std::int64_t i = 0; i < count; ++i) add(text[i]);
  return *this;
}

CaseText& CaseText::addUnsigned(std::uint64_t value) {
  ZQChar digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<ZQChar>(U'0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) add(digits[--count]);
  return *this;
}

CaseText& CaseText::addNumber(std::int64_t value) {
  if (value >= 0) return addUnsigned(static_cast<std::uint64_t>(value));
  // The magnitude is taken in unsigned arithmetic so the minimum value has one too.
  add(U'-');
  return addUnsigned(0 - static_cast<std::uint64_t>(value));
}

CaseText& CaseText::add(const char* ascii) {
  for (; *ascii != 0; ++ascii) add(static_cast<ZQChar>(static_cast<unsigned char>(*ascii)));
  return *this;
}

CaseText caseLead(const char32_t* tag) {
  CaseText lead;
  if (tag == nullptr) {
    lead.add(U"  ");
    return lead;
  }
  lead.add(tag).add(U" ");
  return lead;
}

std::int64_t localeText(const char32_t* period_comma, SeparatorStyle style,
                        ZQChar (&out)[kBufferUnits + 1]) {
  const Separators separators = separatorsOf(style);
  const std::int64_t length = localiseText(zt(period_comma), zlen(period_comma),
                                           separators.decimal, separators.grouping, out,
                                           kBufferUnits);
  out[length] = 0;
  return length;
}

bool checkCaseStatus(const LocaleBlock& block, std::int32_t n, Status expected, Status actual,
                     const CaseText& report_text, const CaseText& line_head,
                     std::int64_t line) {
  const Harness& f = block.harness;
  if (checkStatus(f, expected, actual, U"status", line)) return true;
  report(f, report_text.data(), SEVERITY_ERROR);
  const auto status_text = statusText<kBufferUnits>(f, actual);
  CaseText status_line = line_head;
  status_line.add(U"Status was '%*s' but should have been '");
  const char* name = zq::statusName(expected);
  status_line.add(name != nullptr ? name : "STATUS").add(U"'\n");
  journalText(f, JNL_LEVEL_DETAIL, status_line, n, status_text.length, status_text.text);
  return false;
}

LocaleHandle* beginLocale(const Harness& f, NlsHandle* nls, const char32_t* name,
                          const BlockStyle& style) {
  if (style.empty_report_first) report(f, U"", SEVERITY_INFO);
  noteStep(f, U"get handle from zqnlsLocaleCreate");
  LocaleHandle* locale = createLocale(nls, zt(name), kLocaleNameUnits);
  if (!checkHandle(f, locale, U"locale1")) {
    report(f, U"Failed to get handle for locale1", SEVERITY_ERROR);
    return nullptr;
  }

  // "\n ", 30 asterisks, " ", [word " "], name, " TESTS ", 30 asterisks, " \n"
  constexpr const char32_t* kStars = U"******************************";
  CaseText shown;
  shown.add(U"\n ").add(kStars).add(U" ");
  if (style.banner_word != nullptr) shown.add(style.banner_word).add(U" ");
  shown.add(name).add(U" TESTS ").add(kStars).add(U" \n");
  CaseText journal_banner;
  journal_banner.add(U"\n ").add(kStars).add(U" ").add(name).add(U" TESTS ").add(kStars).add(
      U" \n");

  report(f, U"", SEVERITY_INFO);
  report(f, shown.data(), SEVERITY_INFO);
  report(f, U"", SEVERITY_INFO);
  journalText(f, JNL_LEVEL_INFO, journal_banner);
  return locale;
}

void endLocale(const Harness& f, LocaleHandle* locale) {
  noteStep(f, U"Release the Locale Handle");
  const Status status = destroyLocale(locale);
  if (!checkStatus(f, ZQ_OK, status, U"status")) {
    report(f, U"zqnlsLocaleDestroy failed", SEVERITY_ERROR);
  }
  if (f.journal != nullptr) f.journal->FlushJournal(f.journal);
}

std::int64_t runShareSuite(const ShareFamily& family, int share, TestServices* services,
                           Word ctx, const SuiteState* state, Journal* journal,
                           KernelHandle* kernel) {
  assert(share >= 1 && share <= 4);
  const Harness f{services, ctx, family.sources[share - 1], journal};
  return runConformanceSuite(f, state, kernel, family.style, conformanceShare(share),
                             family.run_cases);
}

}  // namespace zq::conformance
