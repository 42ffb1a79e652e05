// doubleTest1-doubleTest4: the 84 double formatting cases in each locale of a share.
//
// Every case formats with zqnlsLocaleDoubleFormat and zqnlsLocaleDoubleFormatWithExOpts
// (no extended options), compares the first with the case's text in the locale's style
// and the two with each other, then probes the missing-value character: a zero one must
// be refused, and "*" must come back alone whatever the case's width.
#include <algorithm>
#include <iterator>

#include "suites/conformance/double_cases.h"
#include "suites/conformance/locale_loop.h"

using namespace zq;
using namespace zq::suite;
using namespace zq::conformance;

namespace {

constexpr const char32_t* kFormat = U"zqnlsLocaleDoubleFormat";

// CheckBuffer over a byte count that need not be a whole number of units.
bool checkBytes(const Harness& f, const ZQChar* actual, const ZQChar* expected,
                std::int64_t bytes, const char32_t* actual_text, const char32_t* expected_text,
                std::int64_t line = __builtin_LINE()) {
  return f.services->CheckBuffer(actual, expected, bytes, zt(actual_text), zt(expected_text),
                                 zt(f.source), line, f.ctx, 0) != 0;
}

// "TEST<n> <locale> zqnlsLocaleDoubleFormat, <options> , value= <value> , width= <w> ,
// prec=<p> \n"
CaseText descriptor(std::int32_t n, const char32_t* locale_name, const DoubleCase& c) {
  CaseText text;
  text.add(U"TEST").addNumber(n).add(U" ").add(locale_name).add(U" ").add(kFormat).add(U", ");
  text.add(c.options_text).add(U" , value= ").add(c.value_text);
  text.add(U" , width= ").addNumber(c.width).add(U" , prec=").addNumber(c.precision);
  text.add(U" \n");
  return text;
}

// The case's working storage. Each buffer keeps one unit beyond what the operations may
// fill, so it always ends as a text when a journal line prints it with %s.
struct CaseBuffers {
  ZQChar fmtbuf[kBufferUnits + 1];
  ZQChar fmtbufwo[kBufferUnits + 1];
};

void runCase(const LocaleBlock& block, std::int32_t n, const DoubleCase& c, CaseBuffers& b) {
  const Harness& f = block.harness;
  noteStep(f, descriptor(n, block.name, c).data());
  // Texts that open with two blanks open with the case's tag instead, where it has one.
  const CaseText lead = caseLead(c.tag);
  const auto leadText = [&](const char32_t* rest) {
    CaseText text = lead;
    return text.add(rest);
  };
  const auto numbered = [&](const CaseText& head, const char32_t* rest) {
    CaseText text = head;
    return text.add(U"TEST").addNumber(n).add(rest);
  };
  const CaseText bare;

  // The capacity never exceeds the buffers; the table holds it to 72.
  const std::int64_t capacity = c.capacity < kBufferUnits ? c.capacity : kBufferUnits;
  std::fill(std::begin(b.fmtbuf), std::end(b.fmtbuf), ZQChar{0});
  std::fill(std::begin(b.fmtbufwo), std::end(b.fmtbufwo), ZQChar{0});
  std::int64_t cnvL = 0;
  std::int64_t cnvLwo = 0;
  Status status = formatDouble(block.locale, c.value, c.width, c.precision, c.options,
                               b.fmtbuf, capacity, &cnvL);
  if (block.verbose) {
    journalLine(f, JNL_LEVEL_INFO, U"TEST%.2i: LocDoubleFormat   C=%.2d     %s\n", n, cnvL,
                b.fmtbuf);
  }
  Status status2 = formatDoubleExOpts(block.locale, c.value, c.width, c.precision, c.options,
                                      b.fmtbufwo, capacity, &cnvLwo, nullptr);

  // 1-3: the first operation against the case.
  checkCaseStatus(block, n, c.status, status,
                  numbered(lead, U"  zqnlsLocaleDoubleFormat: Unexpected status\n"),
                  leadText(U"TEST%.2i: LocDoubleFormat  "));
  // The converted length goes first here, in the slot the harness calls expected.
  if (!checkInt(f, checkedInt32(cnvL), checkedInt32(c.length), U"(int)expected_result_len")) {
    report(f, numbered(bare, U" zqnlsLocaleDoubleFormat : incorrect converted length\n").data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormat   cnvL was %i but should have been %i\n"), n,
                cnvL, c.length);
  }
  ZQChar expected[kBufferUnits + 1];
  localeText(c.text, block.style, expected);
  if (!checkBytes(f, b.fmtbuf, expected, c.compared_bytes, U"&fmtbuf", U"expected_result")) {
    report(f, numbered(bare, U" zqnlsLocaleDoubleFormat : incorrect formatted string\n").data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormat  Value %s does not match expected value "
                         U"of %s\n"),
                n, b.fmtbuf, expected);
  }

  // 4-6: the two operations against each other.
  if (!checkStatus(f, status, status2, U"status2")) {
    report(f,
           numbered(lead, U"  zqnlsLocaleDoubleFormat and zqnlsLocaleDoubleFormatWithExOpts: "
                          U"Status differ\n")
               .data(),
           SEVERITY_ERROR);
    const auto first = statusText<kBufferUnits>(f, status);
    const auto second = statusText<kBufferUnits>(f, status2);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormat Status was '%*s' LocDoubleFormatWithExOpts "
                         U"Status was '%*s' \n"),
                n, first.length, first.text, second.length, second.text);
  }
  if (!checkInt(f, checkedInt32(cnvL), checkedInt32(cnvLwo), U"(int)cnvLwo")) {
    report(f,
           numbered(bare, U" zqnlsLocaleDoubleFormat and zqnlsLocaleDoubleFormatWithExOpts: "
                          U"lengths differ\n")
               .data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormat cnvL was %i LocDoubleFormatWithExOpts cnvL "
                         U"was %i\n"),
                n, cnvL, cnvLwo);
  }
  if (!checkBytes(f, b.fmtbuf, b.fmtbufwo, c.compared_bytes, U"&fmtbuf", U"fmtbufwo")) {
    report(f,
           numbered(bare, U" zqnlsLocaleDoubleFormat and zqnlsLocaleDoubleFormatWithExOpts: "
                          U"formatted string differs\n")
               .data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormat  Value %s does not match "
                         U"LocDoubleFormatWithExOpts value of %s\n"),
                n, b.fmtbuf, b.fmtbufwo);
  }

  // 7: a missing value with a zero substitute character is refused.
  const double missing = vdMissVal('.');
  std::fill(std::begin(b.fmtbufwo), std::end(b.fmtbufwo), ZQChar{0});
  cnvLwo = 0;
  ExOpts record{EXOPTS_PRINT_MISSING_CHAR, 0};
  status2 = formatDoubleExOpts(block.locale, missing, c.width, c.precision, c.options,
                               b.fmtbufwo, capacity, &cnvLwo, &record);
  if (!checkStatus(f, status2, ZQ_NLS_FMT_INVALID_MISSCHAR, U"((int)0x803fe83aU)")) {
    report(f,
           numbered(lead, U"  zqnlsLocaleDoubleFormatWithExOpts: Status differ from "
                          U"ZQ_NLS_FMT_INVALID_MISSCHAR\n")
               .data(),
           SEVERITY_ERROR);
    const auto text = statusText<kBufferUnits>(f, status2);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormatWithExOpts Status was '%*s' when "
                         U"ZQ_NLS_FMT_INVALID_MISSCHAR was expected\n"),
                n, text.length, text.text);
  }

  // 8-10: a missing value with "*" prints "*" alone, in width 1.
  std::fill(std::begin(b.fmtbuf), std::end(b.fmtbuf), ZQChar{0});
  std::fill(std::begin(b.fmtbufwo), std::end(b.fmtbufwo), ZQChar{0});
  record = ExOpts{};
  vdStrTCpy(zt(U"*"), b.fmtbufwo);
  cnvLwo = static_cast<std::int64_t>(vdStrTLen(b.fmtbufwo));
  record.missing_char = '*';
  record.flags = EXOPTS_PRINT_MISSING_CHAR;
  // A stale length from the first call must not pass for the probe's.
  cnvL = 0;
  status = formatDoubleExOpts(block.locale, missing, 1, c.precision, c.options, b.fmtbuf,
                              capacity, &cnvL, &record);
  if (!checkStatus(f, status, ZQ_OK, U"((int)0)")) {
    report(f,
           numbered(lead, U"  zqnlsLocaleDoubleFormatWithExOpts: Status differ from ZQ_OK\n")
               .data(),
           SEVERITY_ERROR);
    const auto text = statusText<kBufferUnits>(f, status);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormatWithExOpts Status was '%*s' when ZQ_OK was "
                         U"expected\n"),
                n, text.length, text.text);
  }
  if (!checkInt(f, checkedInt32(cnvL), checkedInt32(cnvLwo), U"(int)cnvLwo")) {
    report(f,
           numbered(bare, U" zqnlsLocaleDoubleFormatWithExOpts: incorrect converted length for "
                          U"the missing character\n")
               .data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormatWithExOpts cnvL was %i when %i was "
                         U"expected\n"),
                n, cnvL, cnvLwo);
  }
  if (!checkBuffer(f, b.fmtbuf, b.fmtbufwo, clampUnits(cnvL, kBufferUnits), U"&fmtbuf",
                   U"fmtbufwo")) {
    report(f,
           numbered(bare, U" zqnlsLocaleDoubleFormatWithExOpts: formatted string differs from "
                          U"expected missing character\n")
               .data(),
           SEVERITY_ERROR);
    journalText(f, JNL_LEVEL_DETAIL,
                leadText(U"TEST%.2i: LocDoubleFormatWithExOpts value of %s is not expected "
                         U"value of %s\n"),
                n, b.fmtbuf, b.fmtbufwo);
  }
}

void runDoubleCases(const LocaleBlock& block) {
  CaseBuffers buffers;
  std::int32_t n = 0;
  for (const DoubleCase& c : doubleCases()) runCase(block, ++n, c, buffers);
}

// These suites send no empty line before a locale's first step.
constexpr ShareFamily kDoubleSuites{
    {U"zqtest/src/zqvnlo1", U"zqtest/src/zqvnlo2", U"zqtest/src/zqvnlo3", U"zqtest/src/zqvnlo4"},
    {U"LocDoubleFormat", false},
    runDoubleCases,
};

}  // namespace

ZQ_SHARE_SUITE_ENTRY(doubleTest1, kDoubleSuites, 1)
ZQ_SHARE_SUITE_ENTRY(doubleTest2, kDoubleSuites, 2)
ZQ_SHARE_SUITE_ENTRY(doubleTest3, kDoubleSuites, 3)
ZQ_SHARE_SUITE_ENTRY(doubleTest4, kDoubleSuites, 4)
