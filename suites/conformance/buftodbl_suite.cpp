// buftodblTest1: text-to-double parsing in the seventeen conformance locales.
//
// The first locale, en_US, is the reference locale: the value it parses in each case
// is kept, and a later locale's value passes when it equals either the case's listed
// value or the reference value.
#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>

#include "suites/conformance/buftodbl_cases.h"

using namespace zq;
using namespace zq::suite;
using namespace zq::conformance;

namespace {

using ReferenceValues = std::array<double, kBufToDoubleCases>;

const char32_t* conversionText(ValueConversion conversion) {
  // conversion -> how the lines print the parsed value
  switch (conversion) {
    case ValueConversion::Fixed: return U"%f";
    case ValueConversion::General: return U"%34.32g";
  }
  return U"%f";
}

// "TEST<n> <locale> zqnlsLocaleBufferToDouble, value= <input without leading blanks>"
CaseText descriptor(std::int32_t n, const char32_t* locale_name, const char32_t* input) {
  while (*input == U' ') ++input;
  CaseText text;
  text.add(U"TEST").addNumber(n).add(U" ").add(locale_name).add(
      U" zqnlsLocaleBufferToDouble, value= ");
  text.add(input);
  return text;
}

// A failed value check: a check that always fails, the report, and `line` with the
// case number and `args`.
template <class... Args>
void failValue(const Harness& f, std::int32_t n, const CaseText& line, Args... args) {
  checkInt(f, 0, 1, U"1");
  CaseText message;
  message.add(U"TEST").addNumber(n).add(U" BufferToDouble, incorrect informatted double value.");
  report(f, message.data(), SEVERITY_ERROR);
  journalText(f, JNL_LEVEL_DETAIL, line, n, args...);
}

// The value against the expectation, and in later locales against the reference value.
void checkValue(const LocaleBlock& block, std::int32_t n, const BufToDoubleCase& c,
                Status status, double value, double reference, bool is_reference) {
  const Harness& f = block.harness;
  // A value that should be missing is printed with %f whatever the case's conversion.
  const auto mismatch = [&](const char32_t* conversion) {
    CaseText line = caseLead(c.tag);
    line.add(U"TEST%.2i: LocBufferToDouble  Value ").add(conversion);
    line.add(U" doesn't match expected value of ").add(c.value_text).add(U" \n");
    return line;
  };
  switch (c.expected) {
    case ExpectedValue::Missing:
      if (!std::isnan(value)) failValue(f, n, mismatch(U"%f"), value);
      return;
    case ExpectedValue::Number:
      if (std::isnan(value)) {
        // Underflow leaves a missing value rightly; any other missing value is wrong.
        if (status == ZQ_NLS_UNDERFLOW) return;
        CaseText missing = caseLead(c.tag);
        missing.add(U"TEST%.2i: LocBufferToDouble  Missing value doesn't match expected value of ")
            .add(c.value_text)
            .add(U" \n");
        failValue(f, n, missing);
        return;
      }
      if (is_reference || value == c.value || value == reference) return;
      failValue(f, n, mismatch(conversionText(c.conversion)), value);
      return;
  }
}

void runCase(const LocaleBlock& block, std::int32_t n, const BufToDoubleCase& c,
             ReferenceValues& references, bool is_reference) {
  const Harness& f = block.harness;
  CaseText step = descriptor(n, block.name, c.input);
  noteStep(f, step.add(U" ").data());

  ZQChar input[kBufferUnits + 1] = {};
  const std::int64_t length = localeText(c.input, block.style, input);
  assert(length == c.length);
  double value = 0.0;
  std::int64_t used = 0;
  const Status status = parseDouble(block.locale, input, length, &value, &used);
  if (is_reference) references[static_cast<std::size_t>(n - 1)] = value;

  if (block.verbose) {
    CaseText trace;
    trace.add(U"TEST%.2i: LocBufferToDouble  C=%.2d     ").add(conversionText(c.conversion));
    journalText(f, JNL_LEVEL_INFO, trace.add(U"\n"), n, used, value);
  }

  const bool period_comma = block.style == SeparatorStyle::PeriodComma;
  const Status expected_status = period_comma ? c.status : c.comma_status;
  const std::int64_t expected_used = period_comma ? c.used : c.comma_used;

  CaseText status_report = caseLead(c.tag);
  status_report.add(U"TEST").addNumber(n).add(U"  zqnlsLocaleBufferToDouble: Unexpected status");
  CaseText status_head = caseLead(c.tag);
  status_head.add(U"TEST%.2i: LocBufferToDouble  ");
  checkCaseStatus(block, n, expected_status, status, status_report, status_head);

  if (!checkInt(f, checkedInt32(expected_used), checkedInt32(used), U"(int)length")) {
    CaseText message;
    message.add(U"TEST").addNumber(n).add(U" BufferToDouble : incorrect converted length");
    report(f, message.data(), SEVERITY_ERROR);
    CaseText line = caseLead(c.tag);
    line.add(U"TEST%.2i: LocBuffertoDouble  length was %i but should have been %i");
    journalText(f, JNL_LEVEL_DETAIL, line, n, used, expected_used);
  }

  checkValue(block, n, c, status, value, references[static_cast<std::size_t>(n - 1)],
             is_reference);
}

// Case 27: a 63-digit fraction, status and length only.
void runLongFractionCase(const LocaleBlock& block) {
  const Harness& f = block.harness;
  constexpr std::int32_t n = 27;
  constexpr std::int64_t kLength = zlen(kLongFractionInput);
  noteStep(f, descriptor(n, block.name, kLongFractionInput).data());

  ZQChar input[kBufferUnits + 1] = {};
  const std::int64_t length = localeText(kLongFractionInput, block.style, input);
  double value = 0.0;
  std::int64_t used = 0;
  const Status status = parseDouble(block.locale, input, length, &value, &used);

  if (!checkStatus(f, ZQ_OK, status, U"status")) {
    report(f, U"zqnlsLocaleBufferToDouble TEST27 (S1128044) : Unexpected status",
           SEVERITY_ERROR);
    const auto actual_text = statusText<kBufferUnits>(f, status);
    const auto expected_text = statusText<kBufferUnits>(f, ZQ_OK);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"zqnlsLocaleBufferToDouble TEST%.2i (S1128044): Status was '%*s' but should have "
                U"been '%*s'\n",
                n, actual_text.length, actual_text.text, expected_text.length,
                expected_text.text);
  }
  if (!checkInt(f, checkedInt32(kLength), checkedInt32(used), U"(int)length")) {
    report(f, U"zqnlsLocaleBufferToDouble TEST27 (S1128044) : incorrect converted length",
           SEVERITY_ERROR);
    journalLine(f, JNL_LEVEL_DETAIL,
                U"zqnlsLocaleBufferToDouble TEST%.2i (S1128044): Converted length was %i but "
                U"should have been %i",
                n, used, kLength);
  }
}

}  // namespace

extern "C" std::int64_t buftodblTest1(TestServices* services, Word ctx, SuiteState* state,
                                      Journal* journal, KernelHandle* kernel) {
  const Harness f{services, ctx, U"zqtest/src/zqvnlb1", journal};
  // Written in the reference locale, read in the later ones. A reference that was
  // never written is missing and matches no value.
  ReferenceValues references;
  references.fill(std::numeric_limits<double>::quiet_NaN());
  bool is_reference = true;
  return runConformanceSuite(f, state, kernel, BlockStyle{U"LocBufToDouble", true},
                             kConformanceLocales, [&](const LocaleBlock& block) {
                               std::int32_t n = 0;
                               for (const BufToDoubleCase& c : bufToDoubleCases()) {
                                 runCase(block, ++n, c, references, is_reference);
                               }
                               if (is_reference) runLongFractionCase(block);
                               is_reference = false;
                             });
}
