// Locale blocks, banners and case texts shared by the locale conformance suites.
#include "suites/conformance/conformance_frame.h"

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

const char32_t* statusName(Status status) {
  // status code -> the name a status line spells
  struct Named {
    Status status;
    const char32_t* name;
  };
  static constexpr Named kNames[] = {
      {ZQ_OK, U"ZQ_OK"},
      {ZQ_NLS_DTIFMTERR, U"ZQ_NLS_DTIFMTERR"},
      {ZQ_NLS_MISSING_VALUE, U"ZQ_NLS_MISSING_VALUE"},
      {ZQ_NLS_INVALID_VALUE, U"ZQ_NLS_INVALID_VALUE"},
      {ZQ_NLS_FMT_TRUNCATE, U"ZQ_NLS_FMT_TRUNCATE"},
      {ZQ_NLS_BAD_NUM, U"ZQ_NLS_BAD_NUM"},
      {ZQ_NLS_OVERFLOW, U"ZQ_NLS_OVERFLOW"},
      {ZQ_NLS_UNDERFLOW, U"ZQ_NLS_UNDERFLOW"},
      {ZQ_NLS_FMT_REVERT, U"ZQ_NLS_FMT_REVERT"},
      {ZQ_NLS_FMT_INVALID_MISSCHAR, U"ZQ_NLS_FMT_INVALID_MISSCHAR"},
  };
  for (const Named& named : kNames) {
    if (named.status == status) return named.name;
  }
  return U"STATUS";
}

LocaleHandle* beginLocale(const Frame& f, NlsHandle* nls, const char32_t* name,
                          const char32_t* banner_word) {
  report(f, U"", SEVERITY_INFO);
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
  if (banner_word != nullptr) shown.add(banner_word).add(U" ");
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

void endLocale(const Frame& f, LocaleHandle* locale) {
  noteStep(f, U"Release the Locale Handle");
  const Status status = locale->zqnlsLocaleDestroy(locale);
  if (!checkStatus(f, ZQ_OK, status, U"status")) {
    report(f, U"zqnlsLocaleDestroy failed", SEVERITY_ERROR);
  }
  if (f.journal != nullptr) f.journal->FlushJournal(f.journal);
}

}  // namespace zq::conformance
