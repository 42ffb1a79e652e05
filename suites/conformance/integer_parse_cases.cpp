// The 52 integer parsing cases of every integer conformance locale.
#include <cstring>
#include <limits>
#include <span>
#include <type_traits>

#include "suites/conformance/integer_cases.h"
#include "suites/conformance/integer_ops.h"

using namespace zq::suite;

namespace zq::conformance {
namespace {

// Where a case's input comes from.
enum class Input {
  Table,             // the case's text, with the locale's decimal separator for "."
  FormattedExtreme,  // the case's value formatted plainly into the work buffer
  CopiedMinimum,     // the case's text copied into the work buffer
};

// One parsing case. For a formatted or copied input, `text` is the plain decimal text
// of the value, whose length is the expected consumed length.
template <class Value>
struct ParseCase {
  const char32_t* text;
  std::uint32_t options;
  Status expected_status;
  std::int64_t consumed;
  Value value;
  const char32_t* prefix;  // leads the status and journal lines of the case
  Input input = Input::Table;
  const char32_t* value_text = nullptr;  // the expected value as messages write it, when
                                         // not in decimal
  const char32_t* conversion = nullptr;  // the value's journal conversion, when not the
                                         // operation's own
};

template <class Value, std::size_t N>
consteval bool casesFit(const ParseCase<Value> (&cases)[N]) {
  for (const ParseCase<Value>& c : cases) {
    if (zlen(c.text) > kBufferUnits) return false;
    if (c.input != Input::Table && zlen(c.text) != c.consumed) return false;
  }
  return true;
}

constexpr std::uint32_t kHex = LOCALE_CVT_HEX;
constexpr std::uint32_t kNoSpace = LOCALE_CVT_NOEMBEDDEDSPACE;
constexpr const char32_t* kPlain = U"  ";
constexpr const char32_t* kBlank = U"S0214671 ";
constexpr const char32_t* kBuilt = U"S0309949 ";
constexpr const char32_t* kSpaces = U"S0310191 ";

constexpr const char32_t* kTrailingBlanks = U"111        ";
constexpr const char32_t* kLeadingBlanks = U"        111";
constexpr const char32_t* kFiveBlanks = U"     ";
constexpr const char32_t* kSeventyTwoBlanks =
    U"                                                                        ";
constexpr const char32_t* kIntmaxTooBig = U"922337203685477580799992233720368547";
constexpr const char32_t* kIntmaxTooSmall = U"-922337203685477580799992233720368547";
constexpr const char32_t* kIntmaxLetter = U"a922337203685477580799992233720368547";
constexpr const char32_t* kUintfastTooBig =
    U"+123456789012345678901234567890123456789012345678901234567890";
static_assert(zlen(kTrailingBlanks) == 11 && zlen(kLeadingBlanks) == 11);
static_assert(zlen(kSeventyTwoBlanks) == 72);
static_assert(zlen(kIntmaxTooBig) == 36 && zlen(kIntmaxTooSmall) == 37 &&
              zlen(kIntmaxLetter) == 37);
static_assert(zlen(kUintfastTooBig) == 61);

constexpr std::int32_t kIntfastMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntmaxMin = std::numeric_limits<std::int64_t>::min();

// text, options, expected status, consumed, value, prefix[, input][, value text, conversion]
constexpr ParseCase<std::int32_t> kIntfastCases[] = {
    {U"1234.", 0, ZQ_NLS_BAD_NUM, 4, 1234, kPlain},
    {U"-12345", 0, ZQ_OK, 6, -12345, kPlain},
    {U"-12345", 0, ZQ_OK, 6, -12345, kPlain},
    {U"9876.5", 0, ZQ_NLS_BAD_NUM, 4, 9876, kPlain},
    {U" 1234", 0, ZQ_OK, 5, 1234, kPlain},
    {U" ", 0, ZQ_OK, 1, 0, kBlank},
    {U"2147483647", 0, ZQ_OK, 10, 2147483647, kBuilt, Input::FormattedExtreme},
    {U"-2147483648", 0, ZQ_OK, 11, kIntfastMin, kBuilt, Input::CopiedMinimum},
    {kTrailingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {kLeadingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {U"111 222", kNoSpace, ZQ_NLS_BAD_NUM, 4, 111, kSpaces},
    {U"111  222 333", kNoSpace, ZQ_NLS_BAD_NUM, 5, 111, kSpaces},
    {U"1.234", kNoSpace, ZQ_NLS_BAD_NUM, 1, 1, kSpaces},
    {kFiveBlanks, kNoSpace, ZQ_OK, 5, 0, kSpaces},
};
static_assert(std::size(kIntfastCases) == 14 && casesFit(kIntfastCases));

constexpr ParseCase<std::int64_t> kIntmaxCases[] = {
    {U"32767", 0, ZQ_OK, 5, 32767, kPlain},
    {U"-32766", 0, ZQ_OK, 6, -32766, kPlain},
    {kIntmaxTooBig, 0, ZQ_NLS_OVERFLOW, 36, 0, kPlain},
    {kIntmaxTooSmall, 0, ZQ_NLS_OVERFLOW, 37, 0, kPlain},
    {kIntmaxLetter, 0, ZQ_NLS_BAD_NUM, 0, 0, kPlain},
    {U"9223372036854775807", 0, ZQ_OK, 19, 9223372036854775807, kBuilt, Input::FormattedExtreme},
    {U"-9223372036854775808", 0, ZQ_OK, 20, kIntmaxMin, kBuilt, Input::CopiedMinimum},
    {kTrailingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {kLeadingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {U"111 222", kNoSpace, ZQ_NLS_BAD_NUM, 4, 111, kSpaces},
    {U"111  222 333", kNoSpace, ZQ_NLS_BAD_NUM, 5, 111, kSpaces},
    {U"1.234", kNoSpace, ZQ_NLS_BAD_NUM, 1, 1, kSpaces},
    {kFiveBlanks, kNoSpace, ZQ_OK, 5, 0, kSpaces},
};
static_assert(std::size(kIntmaxCases) == 13 && casesFit(kIntmaxCases));

constexpr ParseCase<std::uint32_t> kUintfastCases[] = {
    {U"65535", 0, ZQ_OK, 5, 65535, kPlain},
    {U"fffffffe", kHex, ZQ_OK, 8, 0xfffffffeu, kPlain, Input::Table, U"0xfffffffe", U"%lx"},
    {kSeventyTwoBlanks, kHex, ZQ_OK, 72, 0, kBlank},
    {U"-1234", 0, ZQ_NLS_BAD_NUM, 0, 0, kPlain},
    {kUintfastTooBig, 0, ZQ_NLS_OVERFLOW, 61, 0, kPlain},
    {U"+1234567890", 0, ZQ_OK, 11, 1234567890, kPlain},
    {U"4294967295", 0, ZQ_OK, 10, 4294967295u, kBuilt, Input::FormattedExtreme},
    {kTrailingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {kLeadingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {U"111 222", kNoSpace, ZQ_NLS_BAD_NUM, 4, 111, kSpaces},
    {U"111  222 333", kNoSpace, ZQ_NLS_BAD_NUM, 5, 111, kSpaces},
    {U"1.234", kNoSpace, ZQ_NLS_BAD_NUM, 1, 1, kSpaces},
    {kFiveBlanks, kNoSpace, ZQ_OK, 5, 0, kSpaces},
};
static_assert(std::size(kUintfastCases) == 13 && casesFit(kUintfastCases));

constexpr ParseCase<std::uint64_t> kUintmaxCases[] = {
    {U"  1234  33", 0, ZQ_OK, 6, 1234, kPlain},
    {U"+1234", 0, ZQ_OK, 5, 1234, kPlain},
    {U"1234.674", 0, ZQ_NLS_BAD_NUM, 4, 1234, kPlain},
    {U"12CF", kHex, ZQ_OK, 4, 0x12CF, kPlain, Input::Table, U"0X12CF", U"%#llX"},
    {U"0x12CF", kHex, ZQ_OK, 6, 0x12CF, kPlain, Input::Table, U"0X12CF", U"%#llX"},
    {U"18446744073709551615", 0, ZQ_OK, 20, 18446744073709551615u, kBuilt,
     Input::FormattedExtreme},
    {kTrailingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {kLeadingBlanks, kNoSpace, ZQ_OK, 11, 111, kSpaces},
    {U"111 222", kNoSpace, ZQ_NLS_BAD_NUM, 4, 111, kSpaces},
    {U"111  222 333", kNoSpace, ZQ_NLS_BAD_NUM, 5, 111, kSpaces},
    {U"1.234", kNoSpace, ZQ_NLS_BAD_NUM, 1, 1, kSpaces},
    {kFiveBlanks, kNoSpace, ZQ_OK, 5, 0, kSpaces},
};
static_assert(std::size(kUintmaxCases) == 12 && casesFit(kUintmaxCases));

const char32_t* optionName(std::uint32_t options) {
  // option word -> the name the descriptor gives it
  if (options == LOCALE_CVT_HEX) return U"LOCALE_CVT_HEX";
  if (options == LOCALE_CVT_NOEMBEDDEDSPACE) return U"LOCALE_CVT_NOEMBEDDEDSPACE";
  return U"LOCALE_CVT_INTEGER";
}

// "TEST<n> <locale> <operation> , value=buffer, width=14 , precision=32 , options=<name> "
CaseText descriptor(std::int32_t n, const char32_t* locale_name, const char32_t* operation,
                    std::uint32_t options) {
  CaseText text;
  text.add(U"TEST").addNumber(n).add(U" ").add(locale_name).add(U" ").add(operation);
  text.add(U" , value=buffer, width=14 , precision=32 , options=").add(optionName(options));
  text.add(U" ");
  return text;
}

template <class Value>
void addValue(CaseText& text, Value value) {
  if constexpr (std::is_signed_v<Value>) {
    text.addNumber(value);
  } else {
    text.addUnsigned(value);
  }
}

template <class Value>
bool checkValue(const Harness& f, Value expected, Value actual, const char32_t* expression,
                std::int64_t line = __builtin_LINE()) {
  if constexpr (std::is_signed_v<Value>) {
    return checkInt64(f, expected, actual, expression, line);
  } else {
    return checkUint64(f, expected, actual, expression, line);
  }
}

template <class Op>
void runParseGroup(const LocaleBlock& block,
                   std::span<const ParseCase<typename Op::Value>> cases) {
  using Value = typename Op::Value;
  const Harness& f = block.harness;
  std::int32_t n = 0;
  for (const ParseCase<Value>& c : cases) {
    ++n;
    const bool built = c.input != Input::Table;
    const char32_t* conversion = c.conversion != nullptr ? c.conversion : Op::kConversion;

    ZQChar work[kBufferUnits + 1] = {};
    std::int64_t input_length = 0;
    std::int64_t expected_consumed = c.consumed;
    switch (c.input) {
      case Input::Table:
        input_length = localeText(c.text, block.style, work);
        break;
      case Input::FormattedExtreme: {
        // The formatter's status and text are not judged here; the parse is.
        std::int64_t formatted = 0;
        formatInteger(block.locale, c.value, 0, 0, 0, work, kBufferUnits, &formatted);
        expected_consumed = static_cast<std::int64_t>(vdStrTLen(zt(c.text)));
        input_length = clampUnits(formatted, kBufferUnits);
        break;
      }
      case Input::CopiedMinimum:
        expected_consumed = static_cast<std::int64_t>(vdStrTLen(zt(c.text)));
        input_length = clampUnits(expected_consumed, kBufferUnits);
        std::memcpy(work, c.text, static_cast<std::size_t>(input_length) * sizeof(ZQChar));
        break;
    }
    noteStep(f, descriptor(n, block.name, Op::kName, c.options).data());

    Value value = 0;
    std::int64_t used = 0;
    const Status status =
        parseInteger<Op::kParser>(block.locale, work, input_length, c.options, &value, &used);

    const auto line = [&](const char32_t* tail) {
      CaseText text;
      text.add(c.prefix).add(U"TEST%.2i: ").add(Op::kName).add(tail);
      return text;
    };
    if (block.verbose) {
      CaseText trace;
      trace.add(U"TEST%.2i: ").add(Op::kName).add(U"   C=%.2d     ").add(conversion).add(
          U" \n");
      journalText(f, JNL_LEVEL_INFO, trace, n, used, value);
    }

    CaseText report_text;
    report_text.add(c.prefix).add(U"TEST").addNumber(n).add(U" ").add(Op::kName).add(
        U" : Unexpected status");
    checkCaseStatus(block, n, c.expected_status, status, report_text, line(U" "));

    if (!checkInt(f, checkedInt32(expected_consumed), checkedInt32(used), U"(int)length")) {
      CaseText message;
      message.add(U"TEST").addNumber(n).add(U" ").add(Op::kName).add(
          U" : incorrect converted length");
      report(f, message.data(), SEVERITY_ERROR);
      if (built) {
        journalText(f, JNL_LEVEL_INFO,
                    line(U" Expected used length should have been %i but was %i\n"), n,
                    expected_consumed, used);
      } else {
        CaseText length_line = line(U" Expected used length should have been ");
        length_line.addNumber(expected_consumed).add(U"  but was %i\n");
        journalText(f, JNL_LEVEL_INFO, length_line, n, used);
      }
    }

    if (!checkValue(f, c.value, value, Op::kValueExpression)) {
      CaseText message;
      message.add(U"TEST").addNumber(n).add(U" ").add(Op::kName).add(
          U" , incorrect informatted value");
      report(f, message.data(), SEVERITY_ERROR);
      CaseText value_line = line(U" Value should have been ");
      if (built) {
        value_line.add(conversion).add(U"  but was ").add(conversion).add(U" \n");
        journalText(f, JNL_LEVEL_DETAIL, value_line, n, c.value, value);
      } else {
        if (c.value_text != nullptr) {
          value_line.add(c.value_text);
        } else {
          addValue(value_line, c.value);
        }
        value_line.add(U"  but was ").add(conversion).add(U" \n");
        journalText(f, JNL_LEVEL_DETAIL, value_line, n, value);
      }
    }
  }
}

}  // namespace

void runIntegerParseCases(const LocaleBlock& block) {
  runParseGroup<IntfastParse>(block, kIntfastCases);
  runParseGroup<IntmaxParse>(block, kIntmaxCases);
  runParseGroup<UintfastParse>(block, kUintfastCases);
  runParseGroup<UintmaxParse>(block, kUintmaxCases);
}

}  // namespace zq::conformance
