// zqvnleIEEEConv's 22 format vectors, with their expected results in both modes.
//
// The two modes, as the host's rules give them: STDIEEE writes the correctly rounded
// digits of the value's exact binary value, ties to even, at most 15 significant digits
// in QORBEST and 16 in the other QOR formats' E notation; COMPATIBLE writes an integral
// value's exact digits and any other value's shortest round-trip digits, rounds halves
// away from zero, keeps at most 14 significant digits in QOR E notation (zeros fill the
// width), and in QORBEST drops the 0 before the point where that shows one more digit.
//
// Rows 2, 5-7, 10-14, 16, 18 and 22 are derived by hand from those rules: exact binary
// ties (2.5, 0.125, 2.0625, 2.25, 1234567.125, 9876543210.5) for the two rounding rules,
// 1e23 (exact value 99999999999999991611392, which 15 digits round up to 1e23) for the
// integer rule, -2^60 for 14 against 16 digits in QOREW's E notation, a QOREWD integer
// running past its width, and a BESTFITBIG text that keeps its trailing zeros.
#include "suites/ieeeconv/ieeeconv_table.h"

#include <array>

namespace zq::ieeeconv {
namespace {

constexpr std::uint64_t textLength(const char32_t* text) {
  std::uint64_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

// One vector; the lengths are those of the texts, and the third columns repeat the
// COMPATIBLE ones.
constexpr FormatVector vec(double value, std::int32_t width, std::int32_t precision,
                           std::uint32_t options, std::int32_t buffer_length,
                           const char32_t* compatible, const char32_t* stdieee,
                           Status compatible_status = ZQ_OK, Status stdieee_status = ZQ_OK) {
  FormatVector v{};
  v.value = value;
  v.width = width;
  v.precision = precision;
  v.options = static_cast<std::int32_t>(options);
  v.buffer_length = buffer_length;
  for (std::uint64_t i = 0; i < textLength(compatible); ++i) v.compatible_text[i] = compatible[i];
  for (std::uint64_t i = 0; i < textLength(stdieee); ++i) v.stdieee_text[i] = stdieee[i];
  v.compatible_length = textLength(compatible);
  v.stdieee_length = textLength(stdieee);
  v.third_length = v.compatible_length;
  v.compatible_status = compatible_status;
  v.stdieee_status = stdieee_status;
  v.third_status = compatible_status;
  return v;
}

constexpr std::uint32_t QORBEST = LOCALE_NFMT_QORBEST;
constexpr std::uint32_t QORWD = LOCALE_NFMT_QORWD;
constexpr std::uint32_t QOREW = LOCALE_NFMT_QOREW;
constexpr std::uint32_t QOREWD = LOCALE_NFMT_QOREWD;
constexpr std::uint32_t GROUPED = LOCALE_NFMT_QORWD | LOCALE_NFMT_GROUP;
constexpr std::uint32_t BIG_TRAILZERO = LOCALE_NFMT_TRAILZERO | LOCALE_NFMT_BESTFITBIG;
constexpr Status REVERT = ZQ_NLS_FMT_REVERT;

// value, width, precision, options, buffer length, COMPATIBLE text, STDIEEE text
// [, COMPATIBLE status, STDIEEE status]
constexpr std::array<FormatVector, 22> kVectors{{
    vec(1.2e+28, 32, 0, QORBEST, 72, U"   11999999999999999059939033088",
        U"   12000000000000000000000000000"),
    vec(2.5, 1, 0, QORBEST, 72, U"3", U"2"),
    vec(-0.1234567891, 4, 0, QORBEST, 4, U"-.12", U"-0.1"),
    vec(-72057594037927936.0, 32, 0, QOREW, 72, U"-7.2057594037928000000000000E+16",
        U"-7.2057594037927940000000000E+16"),
    vec(0.125, 4, 0, QORBEST, 72, U".125", U"0.12"),
    vec(-2.5, 2, 0, QORBEST, 72, U"-3", U"-2"),
    vec(1e23, 32, 0, QORBEST, 72, U"         99999999999999991611392",
        U"        100000000000000000000000"),
    vec(-9.998765432e-23, 7, 6, QOREW, 8, U"-1.E-22", U"-1.E-22", REVERT, ZQ_OK),
    vec(4.5, 1, 0, QORBEST, 72, U"5", U"4"),
    vec(1234567.125, 14, 2, GROUPED, 72, U"  1,234,567.13", U"  1,234,567.12"),
    vec(-9876543210.5, 14, 0, GROUPED, 72, U"-9,876,543,211", U"-9,876,543,210"),
    vec(2.0625, 6, 3, QORWD, 72, U" 2.063", U" 2.062"),
    vec(-1152921504606846976.0, 32, 0, QOREW, 72, U"-1.1529215046068000000000000E+18",
        U"-1.1529215046068470000000000E+18"),
    vec(-1234567, 4, 0, QOREWD, 72, U"-1234567", U"-1234567"),
    vec(-1234567890.02345, 17, 2, GROUPED, 17, U"-1,234,567,890.02", U"-1,234,567,890.02"),
    vec(2.25, 5, 2, BIG_TRAILZERO, 72, U"  2.3", U"  2.2"),
    // The host never writes past the announced capacity: the width of 8 is cut to 7.
    vec(-999.12345, 8, 5, BIG_TRAILZERO, 7, U"-999.12", U"-999.12"),
    vec(1e-05, 10, 3, BIG_TRAILZERO, 72, U"  1.00E-05", U"  1.00E-05"),
    vec(-8.458084035026533e-23, 32, 15, QORBEST, 32, U"            -8.4580840350265E-23",
        U"           -8.45808403502653E-23"),
    vec(-72057594037927936.0, 10, 0, QOREWD, 72, U"-72057594037927936", U"-72057594037927936"),
    vec(1.2345678901234568e-32, 32, 31, QOREWD, 72, U"1.23456789012340000000000000E-32",
        U"1.23456789012345700000000000E-32", REVERT, REVERT),
    vec(6.5, 3, 0, QORWD, 72, U"  7", U"  6"),
}};

// Every text fits the 72-unit buffers the suite compares it in.
consteval bool textsFit() {
  for (const FormatVector& v : kVectors) {
    if (v.compatible_length > 72 || v.stdieee_length > 72 || v.buffer_length > 72) return false;
  }
  return true;
}
static_assert(textsFit());

}  // namespace

std::span<const FormatVector> formatVectors() { return kVectors; }

}  // namespace zq::ieeeconv
