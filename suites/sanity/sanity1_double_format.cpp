// zqvnleSanity1's percent, currency, double and extended-options families.
#include "suites/sanity/sanity1_double_format.h"

#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_double_tables.h"

namespace zq::sanity {
namespace {

using suite::checkBuffer;
using suite::checkedInt32;
using suite::checkInt;
using suite::clampUnits;
using suite::journalLine;
using suite::report;

// The percent and currency families differ in their call, their texts, and in what a
// failed buffer check adds: the currency family's line names the locale, and it dumps
// the units of the returned text.
struct AmountFamily {
  FormatFamilyTexts texts;
  Status (*format)(LocaleHandle*, double, std::int32_t, std::int32_t, std::uint32_t, ZQChar*,
                   std::int64_t, std::int64_t*);
  bool currency;
};

void runAmountFamily(const Sanity1Run& run, const AmountFamily& family,
                     std::span<const AmountFormatRecord> table) {
  const FormatFamilyTexts& texts = family.texts;
  const auto check = [&](LocaleHandle* locale, const AmountFormatRecord& record, int test) {
    OutputBuffer fmtbuf;
    std::int64_t cnvL = 0;
    const Status status =
        family.format(locale, record.value, record.width, record.precision,
                      static_cast<std::uint32_t>(record.options), fmtbuf.units, kOutputUnits,
                      &cnvL);
    checkRecordStatus(run, record.status, status, texts.status, test);
    const FormatEntry& expected = record.formats[1];
    if (expected.length <= 0) return;
    const auto dump = [&] {
      if (!family.currency) return;
      // Unit by unit over the returned text, within both buffers.
      const std::int64_t units = clampUnits(cnvL, kEntryUnits);
      for (std::int64_t j = 0; j < units; ++j) {
        journalLine(run.harness, JNL_LEVEL_INFO, U"returned[%2i] == 0x%2x   expected[%2i] = 0x%2x",
                    j, fmtbuf.units[j], j, expected.fmtbuf[j]);
      }
    };
    checkExpectedText(run, locale, texts, record.locale, expected, record.checktext, fmtbuf,
                      cnvL, clampUnits(expected.length, kEntryUnits), test, dump);
  };
  forEachRecord(run, texts.step, texts.create_failed, table, check);
}

// The double family's comparison of zqnlsLocaleDoubleFormatWithExOpts, without extended
// options, with the first call: status against the record's, length and all 100 units
// against the first call's.
void compareWithExOpts(const Sanity1Run& run, LocaleHandle* locale,
                       const DoubleFormatRecord& record, std::int64_t capacity,
                       const OutputBuffer& fmtbuf, std::int64_t cnvL, int test) {
  OutputBuffer fmtbufwo;
  std::int64_t cnvLwo = 0;
  const Status status = suite::formatDoubleExOpts(
      locale, record.value, record.width, record.precision,
      static_cast<std::uint32_t>(record.options), fmtbufwo.units, capacity, &cnvLwo, nullptr);
  checkRecordStatus(
      run, record.status, status,
      {U"LocDoubleFormat and LocDoubleFormatWithExOpts status do not match",
       U"zqnlsLocaleDoubleFormatWithExOpts Test %d: status was '%*s' but should have been '%*s'"},
      test);
  if (!checkInt(run.harness, checkedInt32(cnvL), checkedInt32(cnvLwo), U"(int)cnvLwo")) {
    report(run.harness, U"zqnlsLocaleDoubleFormatWithExOpts: converted length does not match",
           SEVERITY_ERROR);
    journalLine(run.harness, JNL_LEVEL_DETAIL,
                U"zqnlsLocaleDoubleFormatWithExOpts: Test %d: converted length was %d when "
                U"LocaleDoubleFormat was %d",
                test, cnvLwo, cnvL);
  }
  if (!checkBuffer(run.harness, fmtbuf.units, fmtbufwo.units, kOutputUnits, U"&fmtbuf",
                   U"&fmtbufwo")) {
    report(run.harness, U"zqnlsLocaleDoubleFormatWithExOpts: formatted string does not match",
           SEVERITY_ERROR);
    journalLine(run.harness, JNL_LEVEL_DETAIL,
                U"zqnlsLocaleDoubleFormatWithExOpts: Test %d: formatted string was %s when "
                U"LocaleDoubleFormat string was %s",
                test, fmtbufwo.units, fmtbuf.units);
  }
}

}  // namespace

void runPercentFormatFamily(const Sanity1Run& run) {
  static constexpr AmountFamily family{
      {U"zqnlsLocalePercentFormat testing",
       U"zqnlsLocalePercentFormat TEST %d: Failed to create handle for locale %s",
       {U"zqnlsLocalePercentFormat: incorrect status returned",
        U"zqnlsLocalePercentFormat TEST %d: status was '%*s' but should have been '%*s'"},
       {U"zqnlsLocalePercentFormat: incorrect converted length for percent format",
        U"zqnlsLocalePercentFormat: Test %d: LocalePercentFormat converted length was %d when %d "
        U"was expected"},
       {U"zqnlsLocalePercentFormat: incorrect formatted string for percent format",
        U"zqnlsLocalePercentFormat: Test %d: LocalePercentFormat buffer was %s when %s expected"},
       U"&locale_percent_format[i].formats[1].fmtbuf",
       {U"zqnlsLocalePercentFormat: incorrect converted length for percent format and intfast "
        U"comparison",
        U"zqnlsLocalePercentFormat: Test %d: LocalePercentFormat converted length was %d while "
        U"IntFast was %d"}},
      suite::formatPercent,
      false,
  };
  runAmountFamily(run, family, percentFormatTable());
}

void runCurrencyFormatFamily(const Sanity1Run& run) {
  static constexpr AmountFamily family{
      {U"zqnlsLocaleCurrencyFormat testing",
       U"zqnlsLocaleCurrencyFormat TEST %d: Failed to create handle for locale %s",
       {U"zqnlsLocaleCurrencyFormat: incorrect status returned",
        U"zqnlsLocaleCurrencyFormat TEST %d: status was '%*s' but should have been '%*s'"},
       {U"zqnlsLocaleCurrencyFormat: incorrect converted length for currency format",
        U"zqnlsLocaleCurrencyFormat: Test %d: LocaleCurrencyFormat converted length was %d when "
        U"%d was expected"},
       {U"zqnlsLocaleCurrencyFormat: incorrect formatted string for currency format",
        U"zqnlsLocaleCurrencyFormat: Test %d: LocaleCurrencyFormat buffer was %s when %s "
        U"expected for locale %s"},
       U"&locale_currency_format[i].formats[1].fmtbuf",
       {U"zqnlsLocaleCurrencyFormat: incorrect converted length for currency format and "
        U"intfast comparison",
        U"zqnlsLocaleCurrencyFormat: Test %d: LocaleCurrencyFormat converted length was %d while "
        U"IntFast was %d"}},
      suite::formatCurrency,
      true,
  };
  runAmountFamily(run, family, currencyFormatTable());
}

void runDoubleFormatFamily(const Sanity1Run& run) {
  static constexpr FormatFamilyTexts texts{
      U"zqnlsLocaleDoubleFormat testing",
      U"zqnlsLocaleDoubleFormat TEST %d: Failed to create handle for locale %s",
      {U"zqnlsLocaleDoubleFormat: incorrect status returned",
       U"zqnlsLocaleDoubleFormat TEST %d: status was '%*s' but should have been '%*s'"},
      {U"incorrect converted length for double format",
       U"zqnlsLocaleDoubleFormat: Test %d: LocaleDoubleFormat converted length was %d when %d "
       U"was expected for format type of %d"},
      {U"zqnlsLocaleDoubleFormat: incorrect formatted string for double format",
       U"zqnlsLocaleDoubleFormat: Test %d: LocaleDoubleFormat buffer was unexpected"},
      U"&locale_double_format[i].formats[1].fmtbuf",
      {U"zqnlsLocaleDoubleFormat: incorrect converted length for double format and intfast "
       U"comparison",
       U"zqnlsLocaleDoubleFormat: Test %d: LocaleDoubleFormat converted length was %d while "
       U"IntFast was %d for format type of %d"},
  };
  const auto check = [&](LocaleHandle* locale, const DoubleFormatRecord& record, int test) {
    OutputBuffer fmtbuf;
    std::int64_t cnvL = 0;
    const std::int64_t capacity = recordCapacity(record.capacity);
    const Status status = suite::formatDouble(locale, record.value, record.width,
                                              record.precision,
                                              static_cast<std::uint32_t>(record.options),
                                              fmtbuf.units, capacity, &cnvL);
    checkRecordStatus(run, record.status, status, texts.status, test);

    const FormatEntry& expected = record.formats[1];
    if (expected.length > 0 && record.status == ZQ_OK) {
      const std::int64_t units = clampUnits(expected.length, kEntryUnits);
      const auto dump = [&] {
        for (std::int64_t j = 0; j < units; ++j) {
          journalLine(run.harness, JNL_LEVEL_INFO,
                      U"    ReturnedBuf[%d]==%c(%2x)       ExpectedBuf[%d]==%c(%2x)", j,
                      fmtbuf.units[j], fmtbuf.units[j], j, expected.fmtbuf[j],
                      expected.fmtbuf[j]);
        }
      };
      checkExpectedText(run, locale, texts, record.locale, expected, record.checktext[1],
                        fmtbuf, cnvL, units, test, dump);
    }
    compareWithExOpts(run, locale, record, capacity, fmtbuf, cnvL, test);
  };
  forEachRecord(run, texts.step, texts.create_failed, doubleFormatTable(), check);
}

void runDoubleExOptsFamily(const Sanity1Run& run) {
  const auto check = [&](LocaleHandle* locale, const DoubleExOptsRecord& record, int test) {
    OutputBuffer fmtbuf;
    std::int64_t cnvL = 0;
    const double value = record.missing != 0 ? vdMissVal('.') : record.value;
    const ExOpts ex_opts = record.ex_opts;
    const Status status = suite::formatDoubleExOpts(
        locale, value, record.width, record.precision, static_cast<std::uint32_t>(record.options),
        fmtbuf.units, kOutputUnits, &cnvL, &ex_opts);
    checkRecordStatus(run, record.status, status,
                      {U"LocDoubleFormatWithExOpts did not return expected status",
                       U"zqnlsLocaleDoubleFormatWithExOpts: Test %d: status was '%*s' but should "
                       U"have been '%*s'"},
                      test);
    if (status != ZQ_OK) return;
    if (!checkInt(run.harness, checkedInt32(record.expected_length), checkedInt32(cnvL),
                  U"(int)cnvL")) {
      report(run.harness,
             U"LocDoubleFormatWithExOpts did not return expected converted string length",
             SEVERITY_ERROR);
      journalLine(run.harness, JNL_LEVEL_DETAIL,
                  U"zqnlsLocaleDoubleFormatWithExOpts: Test %d: converted length was %d when %d "
                  U"was expected",
                  test, cnvL, record.expected_length);
    }
    const FormatEntry& expected = record.formats[1];
    if (!checkBuffer(run.harness, fmtbuf.units, expected.fmtbuf,
                     clampUnits(record.expected_length, kEntryUnits), U"&fmtbuf",
                     U"locale_double_format_exopts[i].formats[1].fmtbuf")) {
      report(run.harness,
             U"zqnlsLocaleDoubleFormatWithExOpts: formatted string does not match expected "
             U"string",
             SEVERITY_ERROR);
      journalLine(run.harness, JNL_LEVEL_DETAIL,
                  U"zqnlsLocaleDoubleFormatWithExOpts: Test %d: formatted string was %s when %s "
                  U"was expected",
                  test, fmtbuf.units, expected.fmtbuf);
    }
  };
  forEachRecord(run, U"zqnlsLocaleDoubleFormatWithExOpts testing",
                U"zqnlsLocaleDoubleFormatWithExOpts TEST %d: Failed to create handle for locale %s",
                doubleExOptsTable(), check);
}

}  // namespace zq::sanity
