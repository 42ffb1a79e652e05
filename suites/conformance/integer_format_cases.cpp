// The 37 integer formatting cases of every integer conformance locale.
#include <span>

#include "suites/conformance/integer_cases.h"
#include "suites/conformance/integer_ops.h"

using namespace zq::suite;

namespace zq::conformance {
namespace {

constexpr std::int64_t kTruncatingBuffer = 5;

// One formatting case. The expected text is the en_US one, where "," is the grouping
// character; a truncation case has no expected text and passes a 5-unit buffer.
template <class Value>
struct FormatCase {
  const char32_t* option_text;  // as the descriptor spells it, irregular blanks included
  Value value;
  std::int32_t width;
  std::int32_t precision;
  std::uint32_t options;
  Status expected_status;
  const char32_t* expected_text;
  std::int64_t expected_length;

  constexpr bool truncates() const { return expected_text == nullptr; }
  constexpr std::int64_t bufferLength() const {
    return truncates() ? kTruncatingBuffer : kBufferUnits;
  }
};

// Every expected text is as long as the case says, and fits the output buffer.
template <class Value, std::size_t N>
consteval bool lengthsAgree(const FormatCase<Value> (&cases)[N]) {
  for (const FormatCase<Value>& c : cases) {
    if (c.truncates()) continue;
    if (zlen(c.expected_text) != c.expected_length || c.expected_length > kBufferUnits) {
      return false;
    }
  }
  return true;
}

constexpr std::uint32_t kGroup = LOCALE_NFMT_GROUP;
constexpr std::uint32_t kSign = LOCALE_NFMT_ADDSIGN;
constexpr std::uint32_t kSpace = LOCALE_NFMT_SPACEPREFIX;
constexpr std::uint32_t kLeft = LOCALE_NFMT_LEFTJUSTIFY;
constexpr std::uint32_t kZero = LOCALE_NFMT_PADWITHZERO;
constexpr std::uint32_t kOctal = LOCALE_NFMT_OCTAL;
constexpr std::uint32_t kOctalPrefix = LOCALE_NFMT_OCTALPREFIX;
constexpr std::uint32_t kHexWithPrefix = LOCALE_NFMT_HEX | LOCALE_NFMT_HEXPREFIX;

// option text, value, width, precision, option word, expected status, en_US text, length
constexpr FormatCase<std::int32_t> kIntfastCases[] = {
    {U"LOCALE_NFMT_PADWITHZERO", 246, 6, 0, kZero, ZQ_OK, U"000246", 6},
    {U"LOCALE_NFMT_ADDSIGN", -369, 6, 2, kSign, ZQ_OK, U"  -369", 6},
    {U"LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_GROUP", -2147483647, 12, 2, kSign | kGroup, ZQ_OK,
     U"-2,147,483,647", 14},
    {U"LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP", 2147483647, 12, 2,
     kSign | kSpace | kGroup, ZQ_OK, U"+2,147,483,647", 14},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP |LOCALE_NFMT_LEFTJUSTIFY", 2147483647, 12, 4,
     kSpace | kGroup | kLeft, ZQ_OK, U" 2,147,483,647", 14},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP", -2147483647, 14, 0, kSpace | kGroup, ZQ_OK,
     U"-2,147,483,647", 14},
    {U"LOCALE_NFMT_GROUP", -2147483647, 14, 16, kGroup, ZQ_OK, U"-0002,147,483,647", 17},
    {U"LOCALE_NFMT_GROUP", 0, 1, 1, kGroup, ZQ_OK, U"0", 1},
    {U"LOCALE_NFMT_GROUP", 12345678, 1, -5, kGroup, ZQ_OK, U"12,345,678", 10},
    {U"LOCALE_NFMT_GROUP", 12345678, 1, -5, kGroup, ZQ_NLS_FMT_TRUNCATE, nullptr, 0},
};
static_assert(std::size(kIntfastCases) == 10 && lengthsAgree(kIntfastCases));

constexpr FormatCase<std::int64_t> kIntmaxCases[] = {
    {U"LOCALE_NFMT_LEFTJUSTIFY", 2468, 6, 2, kLeft, ZQ_OK, U"2468  ", 6},
    {U"LOCALE_NFMT_PADWITHZERO", 246, 6, 0, kZero, ZQ_OK, U"000246", 6},
    {U"LOCALE_NFMT_ADDSIGN", -246, 6, 2, kSign, ZQ_OK, U"  -246", 6},
    {U"LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_GROUP", -9223372036854775807, 12, 2, kSign | kGroup,
     ZQ_OK, U"-9,223,372,036,854,775,807", 26},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP", 9223372036854775807, 20, 2, kSpace | kGroup,
     ZQ_OK, U" 9,223,372,036,854,775,807", 26},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP |LOCALE_NFMT_LEFTJUSTIFY", 9223372036854775807,
     20, 2, kSpace | kGroup | kLeft, ZQ_OK, U" 9,223,372,036,854,775,807", 26},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP", -9223372036854775807, 14, 20,
     kSpace | kGroup, ZQ_OK, U"-9,223,372,036,854,775,807", 26},
    {U"LOCALE_NFMT_GROUP", -9223372036854775807, 14, 32, kGroup, ZQ_OK,
     U"-00000009,223,372,036,854,775,807", 33},
    {U"LOCALE_NFMT_GROUP", 9445678, 14, 32, kGroup, ZQ_NLS_FMT_TRUNCATE, nullptr, 0},
};
static_assert(std::size(kIntmaxCases) == 9 && lengthsAgree(kIntmaxCases));

constexpr FormatCase<std::uint32_t> kUintfastCases[] = {
    {U"LOCALE_NFMT_LEFTJUSTIFY", 2468, 6, 2, kLeft, ZQ_OK, U"2468  ", 6},
    {U"LOCALE_NFMT_PADWITHZERO | LOCALE_NFMT_UNSIGNED", 246, 6, 0, kZero | LOCALE_NFMT_UNSIGNED,
     ZQ_OK, U"000246", 6},
    {U"LOCALE_NFMT_OCTALPREFIX | LOCALE_NFMT_OCTAL", 246, 5, 3, kOctalPrefix | kOctal, ZQ_OK,
     U" 0366", 5},
    {U"LOCALE_NFMT_OCTAL|LOCALE_NFMT_OCTALPREFIX | LOCALE_NFMT_GROUP", 1234, 12, 2,
     kOctal | kOctalPrefix | kGroup, ZQ_OK, U"       02322", 12},
    {U"LOCALE_NFMT_HEX | LOCALE_NFMT_HEXPREFIX | LOCALE_NFMT_GROUP", 4294967295u, 12, 2,
     kHexWithPrefix | kGroup, ZQ_OK, U"  0xffffffff", 12},
    {U"LOCALE_NFMT_HEXBIG | LOCALE_NFMT_GROUP |LOCALE_NFMT_LEFTJUSTIFY", 4294967295u, 12, 2,
     LOCALE_NFMT_HEXBIG | kGroup | kLeft, ZQ_OK, U"FFFFFFFF    ", 12},
    {U"LOCALE_NFMT_OCTAL| LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP", 177777777, 14, 0,
     kOctal | kSpace | kGroup, ZQ_OK, U"    1246126161", 14},
    {U"LOCALE_NFMT_GROUP", 4294967295u, 14, 16, kGroup, ZQ_OK, U"0004,294,967,295", 16},
    {U"LOCALE_NFMT_GROUP", 4294967295u, 14, 16, kGroup, ZQ_NLS_FMT_TRUNCATE, nullptr, 0},
};
static_assert(std::size(kUintfastCases) == 9 && lengthsAgree(kUintfastCases));

constexpr FormatCase<std::uint64_t> kUintmaxCases[] = {
    {U"LOCALE_NFMT_LEFTJUSTIFY", 2468, 6, 2, kLeft, ZQ_OK, U"2468  ", 6},
    {U"LOCALE_NFMT_PADWITHZERO", 246, 6, 0, kZero, ZQ_OK, U"000246", 6},
    {U"LOCALE_NFMT_ADDSIGN", 246, 6, 2, kSign, ZQ_OK, U"   246", 6},
    {U"LOCALE_NFMT_ADDSIGN | LOCALE_NFMT_GROUP", 0, 12, 2, kSign | kGroup, ZQ_OK,
     U"          00", 12},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP", 18446744073709551615u, 14, 2,
     kSpace | kGroup, ZQ_OK, U"18,446,744,073,709,551,615", 26},
    {U"LOCALE_NFMT_SPACEPREFIX | LOCALE_NFMT_GROUP |LOCALE_NFMT_LEFTJUSTIFY", 4294967295u, 12, 2,
     kSpace | kGroup | kLeft, ZQ_OK, U"4,294,967,295", 13},
    {U"LOCALE_NFMT_SPACEPREFIX", 18446744073709551615u, 14, 0, kSpace, ZQ_OK,
     U"18446744073709551615", 20},
    {U"LOCALE_NFMT_GROUP", 18446744073709551615u, 14, 32, kGroup, ZQ_OK,
     U"00000018,446,744,073,709,551,615", 32},
    {U"LOCALE_NFMT_GROUP", 18446744073709551615u, 14, 32, kGroup, ZQ_NLS_FMT_TRUNCATE, nullptr,
     0},
};
static_assert(std::size(kUintmaxCases) == 9 && lengthsAgree(kUintmaxCases));

// "TEST<n> <locale> <operation> , <options> , width= <w> , precision=<p> "
CaseText descriptor(std::int32_t n, const char32_t* locale_name, const char32_t* operation,
                    const char32_t* option_text, std::int32_t width, std::int32_t precision) {
  CaseText text;
  text.add(U"TEST").addNumber(n).add(U" ").add(locale_name).add(U" ").add(operation);
  text.add(U" , ").add(option_text).add(U" , width= ").addNumber(width);
  text.add(U" , precision=").addNumber(precision).add(U" ");
  return text;
}

template <class Op>
void runFormatGroup(const LocaleBlock& block,
                    std::span<const FormatCase<typename Op::Value>> cases) {
  const Harness& f = block.harness;
  const auto line = [](const char32_t* head, const char32_t* tail) {
    CaseText text;
    text.add(head).add(Op::kName).add(tail);
    return text;
  };
  std::int32_t n = 0;
  for (const FormatCase<typename Op::Value>& c : cases) {
    ++n;
    noteStep(f, descriptor(n, block.name, Op::kName, c.option_text, c.width, c.precision).data());

    std::int64_t cnvL = 0;
    // One unit beyond what the operation may fill stays zero, so the buffer always
    // ends as a text when a journal line prints it with %s.
    ZQChar fmtbuf[kBufferUnits + 1] = {};
    const Status status = formatInteger(block.locale, c.value, c.width, c.precision, c.options,
                                        fmtbuf, c.bufferLength(), &cnvL);
    if (block.verbose) {
      journalText(f, JNL_LEVEL_INFO, line(U"TEST%.2i: ", U"  C=%.2d   %s\n"), n, cnvL, fmtbuf);
    }

    CaseText report_text;
    report_text.add(U"  TEST").addNumber(n).add(U" ").add(Op::kName).add(U" : Unexpected status");
    if (!checkCaseStatus(block, n, c.expected_status, status, report_text,
                         line(U"  TEST%.2i: ", U" ")) &&
        c.truncates()) {
      journalText(f, JNL_LEVEL_DETAIL,
                  line(U"  TEST%.2i: ", U" Should have been TRUNCATE, cnvL = %i fmtbuf = %s\n"),
                  n, cnvL, fmtbuf);
    }
    if (c.truncates()) continue;

    // The converted length goes first here, in the slot the harness calls expected.
    if (!checkInt(f, checkedInt32(cnvL), checkedInt32(c.expected_length),
                  U"(int)expected_len")) {
      CaseText message;
      message.add(U"TEST").addNumber(n).add(U" ").add(Op::kName).add(
          U" : incorrect converted length");
      report(f, message.data(), SEVERITY_ERROR);
      journalText(f, JNL_LEVEL_DETAIL,
                  line(U"  TEST%.2i: ", U" cnvL was %i but should have been %i\n"), n, cnvL,
                  c.expected_length);
    }

    ZQChar expected[kBufferUnits + 1];
    localeText(c.expected_text, block.style, expected);
    if (!checkBuffer(f, fmtbuf, expected, c.expected_length, U"&fmtbuf", U"expected")) {
      CaseText message;
      message.add(U"TEST").addNumber(n).add(U" ").add(Op::kName).add(
          U" , incorrect formatted string");
      report(f, message.data(), SEVERITY_ERROR);
      journalText(f, JNL_LEVEL_DETAIL,
                  line(U"  TEST%.2i: ", U" Value %s does not match expected value of %s\n"), n,
                  fmtbuf, expected);
    }
  }
}

}  // namespace

void runIntegerFormatCases(const LocaleBlock& block) {
  runFormatGroup<IntfastFormat>(block, kIntfastCases);
  runFormatGroup<IntmaxFormat>(block, kIntmaxCases);
  runFormatGroup<UintfastFormat>(block, kUintfastCases);
  runFormatGroup<UintmaxFormat>(block, kUintmaxCases);
}

}  // namespace zq::conformance
