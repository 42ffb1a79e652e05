// buftodblTest1's cases 1 to 26: text-to-double parsing in every separator style.
//
// Three expected values are not the double nearest the input, and are kept as given:
// case 12 lists the double one unit in the last place below the nearest one, and so
// does case 21; case 14 lists a value no correct parse of its input (about 8.2e-321)
// gives. A correct parser returns the nearest double in every locale: the reference
// locale does not compare its value with the listed one and the other locales accept
// the reference locale's value, so cases 12 and 21 pass honestly; case 14 passes with
// a missing value and ZQ_NLS_UNDERFLOW.
#include <bit>
#include <cstdint>
#include <span>

#include "suites/conformance/buftodbl_cases.h"

namespace zq::conformance {
namespace {

using EV = ExpectedValue;
constexpr ValueConversion kF = ValueConversion::Fixed;
constexpr ValueConversion kG = ValueConversion::General;
constexpr double kNone = 0.0;  // the value of a case that expects a missing value

constexpr const char32_t* kS0208478 = U"S0208478";
constexpr const char32_t* kS0208481 = U"S0208481";
constexpr const char32_t* kS0209902 = U"S0209902";
constexpr const char32_t* kS0212833 = U"S0212833";
constexpr const char32_t* kS0223455 = U"S0223455";
constexpr const char32_t* kS0394534 = U"S0394534";
constexpr const char32_t* kS0402161 = U"S0402161";

// input, length, status, used, comma styles' status, used, expected, value, value text,
// conversion, tag
constexpr BufToDoubleCase kCases[] = {
    {U"1,234.567", 9, ZQ_OK, 9, ZQ_OK, 9, EV::Number, 1234.567, U"1234.567", kF, kS0223455},
    {U"1.2e-28", 7, ZQ_OK, 7, ZQ_OK, 7, EV::Number, 1.2e-28, U"1.2e-28", kF, kS0223455},
    {U"-1.2E26", 7, ZQ_OK, 7, ZQ_OK, 7, EV::Number, -1.2e+26, U"-1.2e+026", kF, nullptr},
    {U"-12345678901234567890123456789.055789", 37, ZQ_OK, 37, ZQ_OK, 37, EV::Number,
     -1.2345678901234568e+28, U"-12345678901234567890123456789.055789", kF, kS0223455},
    {U"12.4abc", 7, ZQ_NLS_BAD_NUM, 4, ZQ_NLS_BAD_NUM, 4, EV::Missing, kNone, U"MISSING", kF,
     nullptr},
    {U"abcd", 4, ZQ_NLS_BAD_NUM, 0, ZQ_NLS_BAD_NUM, 0, EV::Missing, kNone, U"MISSING", kF,
     kS0208481},
    {U"12 4", 4, ZQ_NLS_BAD_NUM, 2, ZQ_NLS_BAD_NUM, 2, EV::Missing, kNone, U"MISSING", kF,
     nullptr},
    {U" ", 1, ZQ_OK, 1, ZQ_OK, 1, EV::Missing, kNone, U"MISSING", kF, kS0209902},
    {U"-", 1, ZQ_NLS_BAD_NUM, 1, ZQ_NLS_BAD_NUM, 1, EV::Missing, kNone, U"MISSING", kF,
     kS0208481},
    {U"    .123456", 11, ZQ_OK, 11, ZQ_OK, 11, EV::Number, 0.123456, U".123456", kF, nullptr},
    {U"7.20575940379e307", 17, ZQ_OK, 17, ZQ_OK, 17, EV::Number, 7.20575940379e+307,
     U"7.20575940379e307", kG, kS0208478},
    {U".720575940379e-307", 18, ZQ_OK, 18, ZQ_OK, 18, EV::Number,
     std::bit_cast<double>(std::uint64_t{0x0029E851294BAEBB}), U"7.205759403789999e-308", kG,
     kS0223455},
    {U"82057594037999e307", 18, ZQ_NLS_OVERFLOW, 18, ZQ_NLS_OVERFLOW, 18, EV::Missing, kNone,
     U"MISSING", kG, kS0208478},
    {U".000000000000082057594099999e-307", 33, ZQ_NLS_UNDERFLOW, 33, ZQ_NLS_UNDERFLOW, 33,
     EV::Number, std::bit_cast<double>(std::uint64_t{0x006270D88F498A00}),
     U"8.206430377423105e-307", kG, kS0212833},
    {U"1234", 4, ZQ_OK, 4, ZQ_OK, 4, EV::Number, 1234.0, U"1234", kF, nullptr},
    {U"1234.5678", 9, ZQ_OK, 9, ZQ_OK, 9, EV::Number, 1234.5678, U"1234.5678", kF, nullptr},
    {U"-1234.5678", 10, ZQ_OK, 10, ZQ_OK, 10, EV::Number, -1234.5678, U"-1234.5678", kF,
     nullptr},
    {U"80000000000000e307", 18, ZQ_NLS_OVERFLOW, 18, ZQ_NLS_OVERFLOW, 18, EV::Missing, kNone,
     U"MISSING", kG, nullptr},
    {U"82057594037999e325", 18, ZQ_NLS_OVERFLOW, 18, ZQ_NLS_OVERFLOW, 18, EV::Missing, kNone,
     U"MISSING", kG, nullptr},
    {U"81234567890123e-314", 19, ZQ_OK, 19, ZQ_OK, 19, EV::Number, 8.1234567890123e-301,
     U"8.1234567890123e-301", kG, kS0223455},
    {U"80000000000000e-314", 19, ZQ_OK, 19, ZQ_OK, 19, EV::Number,
     std::bit_cast<double>(std::uint64_t{0x01A124E63593F5E0}), U"7.999999999999999e-301", kG,
     nullptr},
    {U"-.123456789012e-301", 19, ZQ_OK, 19, ZQ_OK, 19, EV::Number, -1.23456789012e-302,
     U"-.123456789012e-301", kG, kS0223455},
    {U"8205759.037999e300", 18, ZQ_OK, 18, ZQ_OK, 18, EV::Number, 8.205759037999e+306,
     U"8205759.037999e300", kG, kS0223455},
    // ".a" is a missing value as data write it; ",a" in the comma styles is not.
    {U".a", 2, ZQ_OK, 2, ZQ_NLS_BAD_NUM, 1, EV::Missing, kNone, U"MISSING", kF, kS0394534},
    {U".ab", 3, ZQ_NLS_BAD_NUM, 2, ZQ_NLS_BAD_NUM, 1, EV::Missing, kNone, U"MISSING", kF,
     kS0394534},
    {U"0.000000000000", 14, ZQ_OK, 14, ZQ_OK, 14, EV::Number, 0.0, U"0.000000000000", kF,
     kS0402161},
};

// Every input is as long as its listed length, and fits the work buffer.
consteval bool casesFit() {
  for (const BufToDoubleCase& c : kCases) {
    if (suite::zlen(c.input) != c.length || c.length > kBufferUnits) return false;
  }
  return true;
}
static_assert(casesFit());

}  // namespace

std::span<const BufToDoubleCase, kBufToDoubleCases> bufToDoubleCases() { return kCases; }

}  // namespace zq::conformance
