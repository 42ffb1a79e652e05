// The double formatting case table: 84 cases, their descriptors' texts and expectations.
#include "suites/conformance/double_cases.h"

#include <array>
#include <iterator>

namespace zq::conformance {
namespace {

// The flag word of an options text: names joined by "|", or a bare "0" or "1". An
// unknown name does not compile.
consteval std::uint32_t optionWord(const char32_t* text) {
  // flag name -> bit
  struct Flag {
    const char32_t* name;
    std::uint32_t bit;
  };
  constexpr Flag kFlags[] = {
      {U"LOCALE_NFMT_BESTFIT", LOCALE_NFMT_BESTFIT},
      {U"LOCALE_NFMT_DECIMAL", LOCALE_NFMT_DECIMAL},
      {U"LOCALE_NFMT_FRACTION", LOCALE_NFMT_FRACTION},
      {U"LOCALE_NFMT_INTEGER", LOCALE_NFMT_INTEGER},
      {U"LOCALE_NFMT_SNOTE", LOCALE_NFMT_SNOTE},
      {U"LOCALE_NFMT_BESTFITBIG", LOCALE_NFMT_BESTFITBIG},
      {U"LOCALE_NFMT_QORBEST", LOCALE_NFMT_QORBEST},
      {U"LOCALE_NFMT_QORWD", LOCALE_NFMT_QORWD},
      {U"LOCALE_NFMT_QOREW", LOCALE_NFMT_QOREW},
      {U"LOCALE_NFMT_QOREWD", LOCALE_NFMT_QOREWD},
      {U"LOCALE_NFMT_ADDSIGN", LOCALE_NFMT_ADDSIGN},
      {U"LOCALE_NFMT_GROUP", LOCALE_NFMT_GROUP},
      {U"LOCALE_NFMT_LEFTJUSTIFY", LOCALE_NFMT_LEFTJUSTIFY},
      {U"LOCALE_NFMT_PADWITHZERO", LOCALE_NFMT_PADWITHZERO},
      {U"LOCALE_NFMT_RADIX", LOCALE_NFMT_RADIX},
      {U"LOCALE_NFMT_SPACEPREFIX", LOCALE_NFMT_SPACEPREFIX},
      {U"LOCALE_NFMT_TRAILZERO", LOCALE_NFMT_TRAILZERO},
  };
  if (text[0] == U'0' && text[1] == 0) return 0;
  if (text[0] == U'1' && text[1] == 0) return 1;
  std::uint32_t word = 0;
  const char32_t* p = text;
  while (*p != 0) {
    const char32_t* end = p;
    while (*end != 0 && *end != U'|') ++end;
    bool known = false;
    for (const Flag& flag : kFlags) {
      const char32_t* a = flag.name;
      const char32_t* b = p;
      while (*a != 0 && b != end && *a == *b) ++a, ++b;
      if (*a == 0 && b == end) {
        word |= flag.bit;
        known = true;
      }
    }
    if (!known) throw "unknown option name";
    p = *end == U'|' ? end + 1 : end;
  }
  return word;
}

// Bytes compared are four per expected unit unless a case says otherwise.
constexpr DoubleCase row(const char32_t* options, const char32_t* value_text, double value,
                         std::int32_t width, std::int32_t precision, std::int64_t capacity,
                         Status status, std::int64_t length, const char32_t* text,
                         const char32_t* tag = nullptr, std::int64_t compared_bytes = -1) {
  return DoubleCase{options, 0,      value_text, value,  width,
                    precision, capacity, status, length,
                    compared_bytes < 0 ? 4 * length : compared_bytes,
                    text,    tag};
}

// The value's literal as text, and the value it denotes.
#define V(literal) U"" #literal, literal

constexpr Status OK = ZQ_OK;
constexpr Status TRUNCATE = ZQ_NLS_FMT_TRUNCATE;
constexpr Status REVERT = ZQ_NLS_FMT_REVERT;

constexpr const char32_t* kS0209633 = U"S0209633";

constexpr const char32_t* QORBEST = U"LOCALE_NFMT_QORBEST";
constexpr const char32_t* QOREW = U"LOCALE_NFMT_QOREW";
constexpr const char32_t* QORWD = U"LOCALE_NFMT_QORWD";
constexpr const char32_t* QOREWD = U"LOCALE_NFMT_QOREWD";
constexpr const char32_t* SNOTE = U"LOCALE_NFMT_SNOTE";
constexpr const char32_t* FRACTION = U"LOCALE_NFMT_FRACTION";
constexpr const char32_t* BESTFITBIG = U"LOCALE_NFMT_BESTFITBIG";
constexpr const char32_t* ADDSIGN = U"LOCALE_NFMT_ADDSIGN";
constexpr const char32_t* DECIMAL_PAD_RADIX =
    U"LOCALE_NFMT_DECIMAL|LOCALE_NFMT_PADWITHZERO|LOCALE_NFMT_RADIX";
constexpr const char32_t* FRACTION_PAD_GROUP_SIGN =
    U"LOCALE_NFMT_FRACTION|LOCALE_NFMT_PADWITHZERO|LOCALE_NFMT_GROUP|LOCALE_NFMT_ADDSIGN";
constexpr const char32_t* TRAILZERO_DECIMAL = U"LOCALE_NFMT_TRAILZERO|LOCALE_NFMT_DECIMAL";

// options, value, width, precision, capacity, status, L, expected text[, tag[, bytes]]
constexpr DoubleCase kRows[] = {
    row(QORBEST, V(1), 1, 0, 72, OK, 1, U"1"),
    row(QORBEST, V(-1.2e-26), 10, 10, 72, OK, 10, U"  -1.2E-26"),
    row(QORBEST, V(-1.298765559e-28), 8, 0, 72, OK, 8, U" -13E-29"),
    row(QORBEST, V(-000000012.345678), 16, 0, 16, OK, 16, U"      -12.345678"),
    row(QORBEST, V(-.123456), 9, 0, 8, OK, 8, U"-0.12346", kS0209633),
    row(QORBEST, V(+4), 1, 0, 1, OK, 1, U"4"),
    row(QORBEST, V(-4), 2, 0, 2, OK, 2, U"-4"),
    row(QORBEST, V(-1234.567890), 15, 0, 72, OK, 15, U"    -1234.56789"),
    row(QORBEST, V(1.234567891E3), 15, 0, 72, OK, 15, U"    1234.567891"),
    row(QORBEST, V(1.234567891), 5, 0, 72, OK, 5, U"1.235", kS0209633),
    row(QORBEST, V(-123.4567891), 3, 0, 72, TRUNCATE, 3, U"***"),
    row(QOREW, V(123456), 7, 0, 72, OK, 7, U"1.2E+05"),
    row(QOREW, V(-0.1234567890123456e-31), 10, 0, 72, OK, 10, U"-1.235E-32"),
    row(QOREW, V(-0.1234567890123456e-31), 10, 0, 72, OK, 10, U"-1.235E-32"),
    row(QOREW, V(1.23456789012345678901234567E32), 8, 30, 72, OK, 8, U" 1.2E+32"),
    row(QOREW, V(123456789012), 12, 0, 10, OK, 10, U" 1.235E+11", U"S0213228"),
    row(QORWD, V(0123456.1234567), 6, 0, 72, OK, 6, U"123456"),
    row(QORWD, V(0.1234561234567e-32), 11, 6, 72, OK, 11, U"   0.000000"),
    row(QORWD, V(.123456789012345), 12, 11, 12, OK, 12, U".12345678901"),
    row(QORWD, V(12345.5678905), 12, 6, 12, OK, 12, U"12345.567891"),
    row(QORWD, V(0), 1, 0, 1, OK, 1, U"0"),
    row(QORWD, V(-1), 2, 0, 2, OK, 2, U"-1"),
    row(QORWD, V(-1245678), 4, 0, 4, REVERT, 4, U"-1E6"),
    row(U"LOCALE_NFMT_QORWD|LOCALE_NFMT_GROUP|LOCALE_NFMT_TRAILZERO", V(-1234567890.02500), 20,
        4, 20, OK, 20, U" -1,234,567,890.0250"),
    row(U"LOCALE_NFMT_QORWD|LOCALE_NFMT_TRAILZERO", V(-12345678900), 12, 1, 12, REVERT, 12,
        U"-12345678900"),
    row(U"LOCALE_NFMT_QORWD|LOCALE_NFMT_TRAILZERO", V(1.2345678900), 12, 1, 12, OK, 12,
        U"         1.2"),
    row(U"LOCALE_NFMT_DECIMAL|LOCALE_NFMT_SPACEPREFIX", V(1234.56), 10, 3, 10, OK, 10,
        U"  1234.560"),
    row(U"LOCALE_NFMT_DECIMAL|LOCALE_NFMT_LEFTJUSTIFY", V(1234.56), 0, 0, 4, OK, 4, U"1235"),
    row(U"LOCALE_NFMT_INTEGER|LOCALE_NFMT_RADIX", V(.556), 10, 0, 10, OK, 10, U"        0.",
        U"S0213274"),
    row(U"LOCALE_NFMT_LEFTJUSTIFY", V(-1), 0, 0, 2, OK, 2, U"-1"),
    row(BESTFITBIG, V(-999.999), 10, 5, 10, OK, 10, U"     -1000"),
    row(SNOTE, V(-999.999), 10, 2, 10, OK, 10, U" -1.00e+03"),
    row(FRACTION, V(-999999.99956), 10, 5, 11, OK, 10, U"  -0.99956"),
    row(SNOTE, V(7654321234), 10, 5, 11, OK, 11, U"7.65432e+09"),
    row(FRACTION_PAD_GROUP_SIGN, V(12341234.5656), 14, 2, 14, OK, 14, U"+0000000000.57"),
    row(DECIMAL_PAD_RADIX, V(0), 5, -1, 8, OK, 8, U"0.000000"),
    row(U"LOCALE_NFMT_DECIMAL|LOCALE_NFMT_RADIX", V(999), 7, 0, 7, OK, 7, U"   999."),
    row(FRACTION, V(-999.88000), 10, 3, 10, OK, 10, U"    -0.880"),
    row(BESTFITBIG, V(-000999.88000), 10, 15, 10, OK, 10, U"   -999.88"),
    row(BESTFITBIG, V(-1.2), 1, 5, 4, OK, 4, U"-1.2"),
    row(U"LOCALE_NFMT_SNOTE|LOCALE_NFMT_GROUP", V(765432.194845), 20, 5, 20, OK, 20,
        U"         7.65432e+05"),
    row(U"0", V(765432.194845), 20, 5, 20, OK, 20, U"          7.6543e+05"),
    row(U"LOCALE_NFMT_TRAILZERO|LOCALE_NFMT_BESTFITBIG", V(-000999.88000), 17, 15, 17, OK, 17,
        U"-999.880000000000"),
    row(U"LOCALE_NFMT_DECIMAL|LOCALE_NFMT_PADWITHZERO|LOCALE_NFMT_GROUP|LOCALE_NFMT_ADDSIGN",
        V(12341234.5656), -14, 2, 14, OK, 14, U"+12,341,234.57"),
    row(FRACTION_PAD_GROUP_SIGN, V(12341234.5656), 5, 2, 5, OK, 5, U"+0.57"),
    row(QORBEST, V(1234.1234), 12, 0, 12, OK, 12, U"   1234.1234"),
    row(QORBEST, V(123456789), 12, 0, 12, OK, 12, U"   123456789"),
    row(QORBEST, V(123456789), 6, 0, 6, OK, 6, U"1.23E8"),
    row(QORBEST, V(123456789), 20, 0, 20, OK, 20, U"           123456789"),
    row(QORBEST, V(-123456789.000), 20, 0, 20, OK, 20, U"          -123456789"),
    row(DECIMAL_PAD_RADIX, V(12345.123459999), 15, 5, 15, OK, 15, U"000012345.12346"),
    row(QORBEST, V(-123456789.000), 20, 4, 20, OK, 20, U"          -123456789"),
    row(DECIMAL_PAD_RADIX, V(9876), 9, -1, 11, OK, 11, U"9876.000000"),
    row(DECIMAL_PAD_RADIX, V(9876.102345), 9, 3, 9, OK, 9, U"09876.102"),
    row(DECIMAL_PAD_RADIX, V(9876), 9, 3, 9, OK, 9, U"09876.000"),
    row(QORBEST, V(1.1234567890), 13, 10, 13, OK, 13, U"  1.123456789"),
    row(QORBEST, V(.9999), 10, 4, 10, OK, 10, U"    0.9999"),
    row(QORBEST, V(-.0123456789), 5, 3, 5, OK, 5, U"-0.01"),
    row(QORBEST, V(.000123456789), 12, 8, 12, OK, 12, U"0.0001234568"),
    row(QORBEST, V(.123456789), 5, 8, 6, OK, 5, U"0.123"),
    row(QORBEST, V(-123456780.0123456789), 6, 4, 6, OK, 6, U"-123E6"),
    row(QORBEST, V(-123456780.0123456789), 8, 6, 8, OK, 8, U"-1.235E8"),
    row(QORBEST, V(12341234.5656), 5, 2, 7, OK, 5, U"123E5"),
    row(QORBEST, V(.123456789), 6, 0, 6, OK, 6, U"0.1235"),
    row(TRAILZERO_DECIMAL, V(999.123456789), 10, 9, 13, OK, 13, U"999.123456789"),
    row(QORBEST, V(.0000123456789), 11, 11, 11, OK, 11, U"0.000012346"),
    row(TRAILZERO_DECIMAL, V(999.123456789), 10, 8, 10, TRUNCATE, 12, U"**********", nullptr,
        8),
    row(U"LOCALE_NFMT_TRAILZERO|LOCALE_NFMT_FRACTION", V(-999.0123456789), 10, 9, 10, TRUNCATE,
        12, U"**********", nullptr, 8),
    row(U"LOCALE_NFMT_INTEGER", V(-99998.987654321), 5, 0, 5, TRUNCATE, 6, U"*****",
        U"S0213279", 2),
    row(SNOTE, V(-99998.987654321), 8, 5, 8, TRUNCATE, 12, U"********", nullptr, 8),
    row(QORBEST, V(0.17), 12, 0, 12, OK, 12, U"        0.17"),
    row(U"LOCALE_NFMT_BESTFIT", V(0.17), 12, 0, 12, OK, 12, U"        0.17"),
    row(U"LOCALE_NFMT_FRACTION|LOCALE_NFMT_ADDSIGN", V(-12341234.5656), 14, 2, 14, OK, 14,
        U"         -0.57"),
    row(ADDSIGN, V(-1234.567), 14, 2, 14, OK, 14, U"      -1.2e+03"),
    row(U"LOCALE_NFMT_SPACEPREFIX|LOCALE_NFMT_ADDSIGN", V(-1234.567), 14, 8, 14, OK, 14,
        U"     -1234.567"),
    row(ADDSIGN, V(1234.567), 14, 2, 14, OK, 14, U"      +1.2e+03"),
    row(QORWD, V(8.458084035026533e-28), 32, 15, 32, OK, 32,
        U"               0.000000000000000"),
    row(U"1", V(1.6736e-023), 1, 15, 10, OK, 10, U"1.6736e-23"),
    row(QOREWD, V(123456), 6, 0, 72, OK, 6, U"123456"),
    row(QOREWD, V(-0.1234567890123456e-31), 2, 0, 72, OK, 2, U"-0"),
    row(QOREWD, V(1.23456789012345678901234567E32), 8, 30, 72, REVERT, 8, U"1.23E+32"),
    row(QOREWD, V(123456789012), 12, 0, 72, OK, 12, U"123456789012"),
    row(QOREWD, V(-1.2e+10), 8, 0, 72, OK, 12, U"-12000000000"),
    row(QOREWD, V(-1.2e10), 8, 0, 72, OK, 12, U"-12000000000"),
};
#undef V

// The flag words follow from the option texts, so the two cannot disagree.
consteval auto withOptionWords() {
  std::array<DoubleCase, std::size(kRows)> cases{};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    cases[i] = kRows[i];
    cases[i].options = optionWord(kRows[i].options_text);
  }
  return cases;
}
constexpr auto kCases = withOptionWords();
static_assert(kCases.size() == 84);
static_assert(kCases[23].options == (LOCALE_NFMT_QORWD | LOCALE_NFMT_GROUP |
                                     LOCALE_NFMT_TRAILZERO));

// Every complete expected text is as long as its case says; a truncated one is
// capacity asterisks.
consteval bool textsAgree() {
  for (const DoubleCase& c : kCases) {
    std::int64_t n = 0;
    while (c.text[n] != 0) ++n;
    const std::int64_t want = c.status == TRUNCATE && c.length > c.capacity ? c.capacity
                                                                            : c.length;
    if (n != want || c.capacity > 72 || c.compared_bytes > 4 * n) return false;
  }
  return true;
}
static_assert(textsAgree());

}  // namespace

std::span<const DoubleCase> doubleCases() { return kCases; }

}  // namespace zq::conformance
