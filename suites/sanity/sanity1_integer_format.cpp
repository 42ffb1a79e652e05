// zqvnleSanity1's integer and pointer formatting families.
#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_family.h"

namespace zq::sanity {
namespace {

// The call a record makes: an integer record its value's format, a pointer record the
// pointer format (its stored mark stands for the pointer with every bit set).
template <class Record>
Status formatRecord(LocaleHandle* locale, const Record& r, ZQChar* buffer,
                    std::int64_t capacity, std::int64_t* cnvL) {
  return suite::formatInteger(locale, r.value, r.width, r.precision,
                              static_cast<std::uint32_t>(r.options), buffer, capacity, cnvL);
}
Status formatRecord(LocaleHandle* locale, const PointerFormatRecord& r, ZQChar* buffer,
                    std::int64_t capacity, std::int64_t* cnvL) {
  const std::uint64_t pointer = r.pointer == kAllBitsPointerMark ? ~std::uint64_t{0} : r.pointer;
  return suite::formatPointer(locale, pointer, r.width, static_cast<std::uint32_t>(r.options),
                              buffer, capacity, cnvL);
}

// Runs one formatting family over its table. Only rows that expect a complete text
// compare length, text and CheckText.
template <class Record>
void runFormatFamily(const Sanity1Run& run, const FormatFamilyTexts& texts,
                     std::span<const Record> table) {
  const auto check = [&](LocaleHandle* locale, const Record& record, int test) {
    OutputBuffer fmtbuf;
    std::int64_t cnvL = 0;
    const Status status =
        formatRecord(locale, record, fmtbuf.units, recordCapacity(record.capacity), &cnvL);
    if (texts.status.message != nullptr) {
      checkRecordStatus(run, record.status, status, texts.status, test);
    }
    const FormatEntry& expected = record.formats[1];
    if (expected.length <= 0 || record.status != ZQ_OK) return;
    checkExpectedText(run, locale, texts, record.locale, expected, record.checktext[1], fmtbuf,
                      cnvL, suite::clampUnits(expected.length, kEntryUnits), test, [] {});
  };
  forEachRecord(run, texts.step, texts.create_failed, table, check);
}

}  // namespace

void runIntfastFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleIntFastFormat testing",
      U"zqnlsLocaleIntFastFormat TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleIntfastFormat: incorrect status returned",
       U"zqnlsLocaleIntfastFormat TEST %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleIntfastFormat: incorrect converted length for intfast format",
       U"zqnlsLocaleIntfastFormat: Test %d: LocaleIntfastFormat converted length was %d when %d "
       U"was expected"},
      {U"zqnlsLocaleIntfastFormat: incorrect formatted string for intfast format",
       U"zqnlsLocaleIntfastFormat: Test %d: LocaleIntfastFormat buffer was %s when %s expected"},
      U"&locale_intfast_format[i].formats[1].fmtbuf",
      {U"zqnlsLocaleBufferToIntfast:incorrect converted length for intfasst format and intfast "
       U"comparison",
       U"zqnlsLocaleBufferToIntfast: Test %d: LocaleIntfastFormat converted length was %d while "
       U"IntFast was %d"},
  };
  runFormatFamily(run, texts, intfastFormatTable());
}

void runIntmaxFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleIntmaxFormat testing",
      U"zqnlsLocaleIntmaxFormat TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleIntmaxFormat: incorrect status returned",
       U"zqnlsLocaleIntmaxFormat TEST %d: status was '%*s' but should have been '%*s'"},
      {U"zqnlsLocaleIntmaxFormat:  incorrect converted length for intmax format",
       U"zqnlsLocaleIntmaxFormat: Test %d: LocaleIntmaxFormat converted length was %d when %d "
       U"was expected"},
      {U"zqnlsLocaleIntmaxFormat:  incorrect formatted string for intmax format",
       U"zqnlsLocaleIntmaxFormat: Test %d: LocaleIntmaxFormat buffer was %s when %s expected"},
      U"&locale_intmax_format[i].formats[1].fmtbuf",
      {U"zqnlsLocaleIntmaxFormat:  incorrect converted length for intmax format and intfast "
       U"comparison",
       U"zqnlsLocaleIntmaxFormat: Test %d: LocaleIntmaxFormat converted length was %d while "
       U"IntFast was %d"},
  };
  runFormatFamily(run, texts, intmaxFormatTable());
}

void runUintfastFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleUintfastFormat testing",
      U"zqnlsLocaleUintfastFormat TEST %d: Failed to create handle for locale %s",
      {nullptr, nullptr},
      {U"incorrect converted length for uintfast format",
       U"zqnlsLocaleUintfastFormat: Test %d: LocaleUintfastFormat converted length was %d when "
       U"%d was expected"},
      {U"incorrect formatted string for uintfast format",
       U"zqnlsLocaleUintfastFormat: Test %d: LocaleUintfastFormat buffer was %s when %s expected"},
      U"&locale_uintfast_format[i].formats[1].fmtbuf",
      {U"incorrect converted length for uintfast format and intfast comparison",
       U"zqnlsLocaleUintfastFormat: Test %d: LocaleUintfastFormat converted length was %d while "
       U"IntFast was %d"},
  };
  runFormatFamily(run, texts, uintfastFormatTable());
}

void runUintmaxFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleUintmaxFormat testing",
      U"zqnlsLocaleUintmaxFormat TEST %d: Failed to create handle for locale %s",
      {nullptr, nullptr},
      {U"incorrect converted length for uintmax format",
       U"zqnlsLocaleUintmaxFormat: Test %d: LocaleUintmaxFormat converted length was %d when %d "
       U"was expected"},
      {U"incorrect formatted string for uintmax format",
       U"zqnlsLocaleUintmaxFormat: Test %d: LocaleUintmaxFormat buffer was %s when %s expected"},
      U"&locale_uintmax_format[i].formats[1].fmtbuf",
      {U"incorrect converted length for uintmax format and intfast comparison",
       U"zqnlsLocaleUintmaxFormat: Test %d: LocaleUintmaxFormat converted length was %d while "
       U"IntFast was %d"},
  };
  runFormatFamily(run, texts, uintmaxFormatTable());
}

void runPointerFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocalePointerFormat testing",
      U"zqnlsLocalePointerFormat TEST %d: Failed to create handle for locale %s",
      {nullptr, nullptr},
      {U"incorrect converted length for pointer format",
       U"zqnlsLocalePointerFormat: Test %d: LocalePointerFormat converted length was %d when %d "
       U"was expected"},
      {U"incorrect formatted string for pointer format",
       U"zqnlsLocalePointerFormat: Test %d: LocalePointerFormat buffer was %s when %s expected"},
      U"&locale_pointer_format[i].formats[1].fmtbuf",
      {U"incorrect converted length for pointer format and intfast comparison",
       U"zqnlsLocalePointerFormat: Test %d: LocalePointerFormat converted length was %d while "
       U"IntFast was %d"},
  };
  runFormatFamily(run, texts, pointerFormatTable());
}

}  // namespace zq::sanity
