// zqvnleSanity2's integer-parsing vectors: every parser with LOCALE_CVT_IGNORE_DECIMAL.
//
// A digit other than zero after the decimal point makes the parse report
// ZQ_NLS_FMT_TRUNCATE; every vector consumes its whole input and yields 123 or -123.
#include <array>
#include <cstdint>
#include <iterator>
#include <span>

#include "suites/sanity/sanity2.h"
#include "suites/sanity/sanity2_tables.h"

namespace zq::sanity {
namespace {

constexpr LocaleBufferRecord ignoreDecimalRow(ParseFunction function, const char32_t* input,
                                              std::int32_t decimal_position, std::int64_t value,
                                              Status status) {
  LocaleBufferRecord r{};
  r.function = static_cast<std::int32_t>(function);
  r.options = static_cast<std::int32_t>(LOCALE_CVT_IGNORE_DECIMAL);
  std::uint64_t n = 0;
  while (input[n] != 0) {
    r.input[n] = static_cast<ZQChar>(input[n]);
    ++n;
  }
  r.input_length = n;
  r.decimal_position = decimal_position;
  r.expected_int = static_cast<std::int32_t>(value);
  r.expected_uint = static_cast<std::uint32_t>(value);
  r.expected_long = value;
  r.expected_ulong = static_cast<std::uint64_t>(value);
  r.expected_length = n;
  r.status = status;
  return r;
}

// One input of the list, run through every parser of its kind.
struct IgnoreDecimalInput {
  const char32_t* text;
  std::int32_t decimal_position;
  std::int64_t value;
  Status status;
};

constexpr IgnoreDecimalInput kSignedInputs[] = {
    {U"123.00", 4, 123, ZQ_OK},
    {U"-123.00", 5, -123, ZQ_OK},
    {U"123.01", 4, 123, ZQ_NLS_FMT_TRUNCATE},
    {U"-123.01", 5, -123, ZQ_NLS_FMT_TRUNCATE},
    {U"123.", 4, 123, ZQ_OK},
    {U"123", 0, 123, ZQ_OK},
};

constexpr IgnoreDecimalInput kUnsignedInputs[] = {
    {U"123.0", 4, 123, ZQ_OK},
    {U"123.000", 4, 123, ZQ_OK},
    {U"123.001", 4, 123, ZQ_NLS_FMT_TRUNCATE},
    {U"123.2", 4, 123, ZQ_NLS_FMT_TRUNCATE},
    {U"123.", 4, 123, ZQ_OK},
};

constexpr std::size_t kListSize = 4 * std::size(kSignedInputs) + 4 * std::size(kUnsignedInputs);

// The signed parsers in code order with the signed inputs, then the unsigned ones.
constexpr std::array<LocaleBufferRecord, kListSize> buildList() {
  constexpr ParseFunction kSigned[] = {ParseFunction::Intfast, ParseFunction::Intmax,
                                       ParseFunction::Int, ParseFunction::Long};
  constexpr ParseFunction kUnsigned[] = {ParseFunction::Uintfast, ParseFunction::Uintmax,
                                         ParseFunction::UInt, ParseFunction::ULong};
  std::array<LocaleBufferRecord, kListSize> list{};
  std::size_t next = 0;
  for (ParseFunction function : kSigned) {
    for (const IgnoreDecimalInput& in : kSignedInputs) {
      list[next++] = ignoreDecimalRow(function, in.text, in.decimal_position, in.value, in.status);
    }
  }
  for (ParseFunction function : kUnsigned) {
    for (const IgnoreDecimalInput& in : kUnsignedInputs) {
      list[next++] = ignoreDecimalRow(function, in.text, in.decimal_position, in.value, in.status);
    }
  }
  return list;
}

constexpr std::array<LocaleBufferRecord, kListSize> zqvnl_localebuffer_list = buildList();
static_assert(zqvnl_localebuffer_list.size() == 44);

}  // namespace

std::span<const LocaleBufferRecord> localeBufferList() { return zqvnl_localebuffer_list; }

}  // namespace zq::sanity
