// zqvnleSanity1's vectors for integer and pointer formatting and integer parsing (en_US).
//
// Each CheckText is written out by hand: its first two characters are the expected
// converted length, five blanks follow, then the expected text. Rows whose expected
// status is not ZQ_OK carry no expected text: the suite compares nothing for them.
#include <cstdint>
#include <limits>
#include <span>

#include "suites/sanity/sanity1_tables.h"

namespace zq::sanity {
namespace {

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::uint64_t kUint64Max = std::numeric_limits<std::uint64_t>::max();

// Fills the four CheckText and four formats entries with copies of one expectation.
template <class Record>
constexpr void expect(Record& r, const char32_t* checktext, const char32_t* expected,
                      std::int64_t capacity, Status status) {
  for (int i = 0; i < 4; ++i) {
    r.checktext[i] = entry(checktext);
    r.formats[i] = entry(expected);
  }
  r.capacity = capacity;
  r.spare_length = r.formats[1].length;
  r.status = status;
}

template <class Record, class Value>
constexpr Record numberRow(Value value, std::int32_t width, std::int32_t precision,
                           std::uint32_t options, const char32_t* checktext,
                           const char32_t* expected, std::int64_t capacity = 100,
                           Status status = ZQ_OK) {
  Record r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  r.value = value;
  r.width = width;
  r.precision = precision;
  r.options = static_cast<std::int32_t>(options);
  expect(r, checktext, expected, capacity, status);
  return r;
}

constexpr PointerFormatRecord pointerRow(std::uint64_t pointer, std::int32_t width,
                                         std::int32_t options, const char32_t* checktext,
                                         const char32_t* expected, std::int64_t capacity = 100,
                                         Status status = ZQ_OK) {
  PointerFormatRecord r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  r.pointer = pointer;
  r.width = width;
  r.options = options;
  expect(r, checktext, expected, capacity, status);
  return r;
}

// A row that must report ZQ_NLS_FMT_TRUNCATE; nothing else of it is compared.
template <class Record, class Value>
constexpr Record truncatedRow(Value value, std::int32_t width, std::int32_t precision,
                              std::uint32_t options, std::int64_t capacity) {
  return numberRow<Record>(value, width, precision, options, U"", U"", capacity,
                           ZQ_NLS_FMT_TRUNCATE);
}

template <class Record>
constexpr Record inputRow(const char32_t* input, std::int64_t input_length) {
  Record r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  const FormatEntry text = entry(input);
  for (std::int64_t i = 0; i < kEntryUnits; ++i) r.inputbuf[i] = text.fmtbuf[i];
  r.input_length = input_length;
  return r;
}

template <class Record, class Value>
constexpr Record signedParseRow(const char32_t* input, std::int64_t input_length, Value value,
                                std::int64_t consumed, Status status) {
  Record r = inputRow<Record>(input, input_length);
  r.expected_value = value;
  r.expected_length = consumed;
  r.status = status;
  return r;
}

template <class Record, class Value>
constexpr Record unsignedParseRow(const char32_t* input, std::int64_t input_length,
                                  std::uint32_t options, Value value, std::int64_t consumed,
                                  Status status) {
  Record r = inputRow<Record>(input, input_length);
  r.options = static_cast<std::int32_t>(options);
  r.expected_value = value;
  r.expected_length = consumed;
  r.status = status;
  return r;
}

constexpr std::uint32_t kPadZero = LOCALE_NFMT_PADWITHZERO;
constexpr std::uint32_t kAddSign = LOCALE_NFMT_ADDSIGN;
constexpr std::uint32_t kGroup = LOCALE_NFMT_GROUP;
constexpr std::uint32_t kLeft = LOCALE_NFMT_LEFTJUSTIFY;
constexpr std::uint32_t kSpace = LOCALE_NFMT_SPACEPREFIX;
constexpr std::uint32_t kOctal = LOCALE_NFMT_OCTAL;
constexpr std::uint32_t kOctalPrefix = LOCALE_NFMT_OCTALPREFIX;
constexpr std::uint32_t kHexBig = LOCALE_NFMT_HEXBIG;
constexpr std::uint32_t kHexWithPrefix = LOCALE_NFMT_HEX | LOCALE_NFMT_HEXPREFIX;

using IF = IntfastFormatRecord;
constexpr IntfastFormatRecord locale_intfast_format[] = {
    numberRow<IF>(246, 6, 0, kPadZero, U"06     000246", U"000246"),
    numberRow<IF>(369, 6, 2, kAddSign, U"06       +369", U"  +369"),
    numberRow<IF>(kInt32Min, 12, 2, kAddSign | kGroup, U"14     -2,147,483,648",
                  U"-2,147,483,648"),
    numberRow<IF>(1234567, 12, 0, kSpace | kGroup | kLeft, U"12      1,234,567  ",
                  U" 1,234,567  "),
    numberRow<IF>(-1234567, 12, 0, kSpace | kGroup, U"12       -1,234,567", U"  -1,234,567"),
    numberRow<IF>(999, 6, 0, kGroup, U"06        999", U"   999"),
    numberRow<IF>(1234, 0, 8, kGroup, U"08     0001,234", U"0001,234"),
    numberRow<IF>(-5, 6, 3, 0, U"06       -005", U"  -005"),
    numberRow<IF>(1000, 7, 0, kGroup | kLeft, U"7      1,000  ", U"1,000  ", 0),
    truncatedRow<IF>(12345678, 1, -5, kGroup, 5),
};

using IM = IntmaxFormatRecord;
constexpr IntmaxFormatRecord locale_intmax_format[] = {
    numberRow<IM>(2468, 6, 2, kLeft, U"06     2468  ", U"2468  "),
    numberRow<IM>(kInt64Max, 0, 0, 0, U"19     9223372036854775807", U"9223372036854775807"),
    numberRow<IM>(kInt64Min, 0, 0, kGroup, U"26     -9,223,372,036,854,775,808",
                  U"-9,223,372,036,854,775,808"),
    numberRow<IM>(4294967296, 14, 0, kAddSign | kGroup, U"14     +4,294,967,296",
                  U"+4,294,967,296"),
    numberRow<IM>(-1, 3, 0, kAddSign, U"3       -1", U" -1"),
    numberRow<IM>(1234567890123, 20, 0, kSpace | kGroup | kLeft, U"20      1,234,567,890,123  ",
                  U" 1,234,567,890,123  "),
    numberRow<IM>(-123456, 0, 10, kGroup, U"11     -000123,456", U"-000123,456"),
    numberRow<IM>(123456, 0, 0, 0, U"06     123456", U"123456", 6),
    truncatedRow<IM>(1234567, 0, 0, 0, 6),
};

using UF = UintfastFormatRecord;
constexpr UintfastFormatRecord locale_uintfast_format[] = {
    numberRow<UF>(4294967295u, 0, 0, kGroup, U"13     4,294,967,295", U"4,294,967,295"),
    numberRow<UF>(255u, 6, 0, kHexBig | kLeft, U"06     FF    ", U"FF    "),
    numberRow<UF>(246u, 5, 3, kOctalPrefix | kOctal, U"05      0366", U" 0366"),
    numberRow<UF>(8u, 4, 0, kOctal, U"4        10", U"  10"),
    numberRow<UF>(4294967295u, 12, 2, kHexWithPrefix | kGroup, U"12       0xffffffff",
                  U"  0xffffffff"),
    numberRow<UF>(3000000000u, 0, 0, kAddSign | kSpace | kGroup, U"13     3,000,000,000",
                  U"3,000,000,000"),
    numberRow<UF>(77u, 5, 0, kPadZero, U"05     00077", U"00077"),
    numberRow<UF>(4096u, 10, 0, kHexWithPrefix, U"10         0x1000", U"    0x1000"),
    truncatedRow<UF>(100000u, 0, 0, 0, 5),
};

using UM = UintmaxFormatRecord;
constexpr UintmaxFormatRecord locale_uintmax_format[] = {
    numberRow<UM>(kUint64Max, 0, 0, 0, U"20     18446744073709551615", U"18446744073709551615",
                  -1),
    numberRow<UM>(kUint64Max, 0, 0, kHexBig, U"16     FFFFFFFFFFFFFFFF", U"FFFFFFFFFFFFFFFF"),
    numberRow<UM>(9223372036854775808u, 0, 0, kGroup, U"25     9,223,372,036,854,775,808",
                  U"9,223,372,036,854,775,808"),
    numberRow<UM>(4294967296u, 12, 0, kAddSign, U"12       4294967296", U"  4294967296"),
    numberRow<UM>(kUint64Max, 14, 2, kSpace | kGroup, U"26     18,446,744,073,709,551,615",
                  U"18,446,744,073,709,551,615"),
    numberRow<UM>(0u, 5, 3, 0, U"05       000", U"  000"),
    numberRow<UM>(511u, 6, 0, kOctal | kOctalPrefix, U"06       0777", U"  0777"),
    numberRow<UM>(1000000u, 12, 0, kGroup | kLeft, U"12     1,000,000   ", U"1,000,000   "),
    truncatedRow<UM>(kUint64Max, 0, 0, kGroup, 20),
};

constexpr PointerFormatRecord locale_pointer_format[] = {
    pointerRow(0, 10, 1, U"3      NIL", U"NIL"),
    pointerRow(0x37DFB84, 8, 3, U"09     0x37DFB84", U"0x37DFB84"),
    pointerRow(kAllBitsPointerMark, 8, 1, U"18     0xFFFFFFFFFFFFFFFF", U"0xFFFFFFFFFFFFFFFF"),
    pointerRow(0x1, 4, 1, U"4       0x1", U" 0x1"),
    pointerRow(0xDEF34, 8, 1, U"08      0xDEF34", U" 0xDEF34"),
    pointerRow(0xABCDEF0123, 16, 1, U"16         0xABCDEF0123", U"    0xABCDEF0123"),
    pointerRow(0x37DFB84, 8, 1, U"", U"", 5, ZQ_NLS_FMT_TRUNCATE),
};

using BI = BufferToIntfastRecord;
constexpr BufferToIntfastRecord locale_buffer_to_intfast[] = {
    signedParseRow<BI>(U"1234.", 4, 1234, 4, ZQ_OK),
    signedParseRow<BI>(U"2147483648", 10, 0, 10, ZQ_NLS_OVERFLOW),
    signedParseRow<BI>(U"-12345 ", 7, -12345, 6, ZQ_OK),
    // The seventh unit passed is the field's zero padding.
    signedParseRow<BI>(U"9876.5", 7, 9876, 4, ZQ_NLS_BAD_NUM),
    signedParseRow<BI>(U" 1234", 5, 1234, 5, ZQ_OK),
    signedParseRow<BI>(U"", 0, 0, 0, ZQ_OK),
};

using BM = BufferToIntmaxRecord;
constexpr BufferToIntmaxRecord locale_buffer_to_intmax[] = {
    signedParseRow<BM>(U"-9223372036854775808", 20, kInt64Min, 20, ZQ_OK),
    signedParseRow<BM>(U"9223372036854775808", 19, 0, 19, ZQ_NLS_OVERFLOW),
    signedParseRow<BM>(U"922337203685477580799992233720368547", 36, 0, 36, ZQ_NLS_OVERFLOW),
    signedParseRow<BM>(U"  4294967297  ", 14, 4294967297, 12, ZQ_OK),
    signedParseRow<BM>(U"a922337203685477580799992233720368547", 37, 0, 0, ZQ_NLS_BAD_NUM),
};

using BUF = BufferToUintfastRecord;
constexpr BufferToUintfastRecord locale_buffer_to_uintfast[] = {
    unsignedParseRow<BUF>(U"4294967295", 10, LOCALE_CVT_INTEGER, 4294967295u, 10, ZQ_OK),
    unsignedParseRow<BUF>(U"fffffffe", 8, LOCALE_CVT_HEX, 4294967294u, 8, ZQ_OK),
    unsignedParseRow<BUF>(U"4294967296", 10, LOCALE_CVT_INTEGER, 0u, 10, ZQ_NLS_OVERFLOW),
    unsignedParseRow<BUF>(U"-1234", 5, LOCALE_CVT_INTEGER, 0u, 0, ZQ_NLS_BAD_NUM),
    unsignedParseRow<BUF>(U"+123456789012345678901234567890123456789012345678901234567890", 61,
                          LOCALE_CVT_INTEGER, 0u, 61, ZQ_NLS_OVERFLOW),
    unsignedParseRow<BUF>(U"ff", 2, LOCALE_CVT_INTEGER, 0u, 0, ZQ_NLS_BAD_NUM),
};

using BUM = BufferToUintmaxRecord;
constexpr BufferToUintmaxRecord locale_buffer_to_uintmax[] = {
    unsignedParseRow<BUM>(U"  1234  33", 6, LOCALE_CVT_INTEGER, 1234u, 6, ZQ_OK),
    unsignedParseRow<BUM>(U"18446744073709551616", 20, LOCALE_CVT_INTEGER, 0u, 20,
                          ZQ_NLS_OVERFLOW),
    unsignedParseRow<BUM>(U"1234.674", 8, LOCALE_CVT_INTEGER, 1234u, 4, ZQ_NLS_BAD_NUM),
    unsignedParseRow<BUM>(U"FFFFFFFFFFFFFFFF", 16, LOCALE_CVT_HEX, kUint64Max, 16, ZQ_OK),
    unsignedParseRow<BUM>(U"0x12CF", 6, LOCALE_CVT_HEX, 4815u, 6, ZQ_OK),
};

}  // namespace

std::span<const IntfastFormatRecord> intfastFormatTable() { return locale_intfast_format; }
std::span<const IntmaxFormatRecord> intmaxFormatTable() { return locale_intmax_format; }
std::span<const UintfastFormatRecord> uintfastFormatTable() { return locale_uintfast_format; }
std::span<const UintmaxFormatRecord> uintmaxFormatTable() { return locale_uintmax_format; }
std::span<const PointerFormatRecord> pointerFormatTable() { return locale_pointer_format; }
std::span<const BufferToIntfastRecord> bufferToIntfastTable() { return locale_buffer_to_intfast; }
std::span<const BufferToIntmaxRecord> bufferToIntmaxTable() { return locale_buffer_to_intmax; }
std::span<const BufferToUintfastRecord> bufferToUintfastTable() {
  return locale_buffer_to_uintfast;
}
std::span<const BufferToUintmaxRecord> bufferToUintmaxTable() {
  return locale_buffer_to_uintmax;
}

}  // namespace zq::sanity
