// zqvnleSanity1's vectors for percent, currency, double and extended-options formatting.
//
// Every expected text is derived by hand from the formatting rules: without a QOR flag
// the options act as the C conversions and flags (0 and BESTFIT as g, where precision 0
// means 6; SNOTE as e; DECIMAL as f; BESTFITBIG as G; FRACTION and INTEGER take that part
// of the value, INTEGER cutting toward zero; RADIX, TRAILZERO, ADDSIGN, SPACEPREFIX,
// LEFTJUSTIFY and PADWITHZERO as the #, trailing-zero, +, space, - and 0 flags; GROUP
// puts the locale's separator between groups of three integer digits). A precision of -1
// means 6; a width beyond the capacity is cut to it, and a text the capacity cannot hold
// is refused with ZQ_NLS_FMT_TRUNCATE. No row depends on the decimal-conversion mode: no
// value lies on a rounding tie and none shows more than 14 significant digits.
//
// Each CheckText is built from its expected text: the length in two digits, five
// blanks, the text. Rows that expect another status than ZQ_OK carry no text.
#include "suites/sanity/sanity1_double_tables.h"

#include <array>
#include <limits>

namespace zq::sanity {
namespace {

template <class Record>
constexpr void fillFormats(Record& r, const char32_t* expected) {
  for (FormatEntry& f : r.formats) f = entry(expected);
}

constexpr AmountFormatRecord amountRow(double value, std::int32_t width, std::int32_t precision,
                                       std::uint32_t options, const char32_t* expected,
                                       const ZQChar* locale = kEnUs) {
  AmountFormatRecord r{};
  r.locale = locale;
  r.locale_length = kLocaleLength;
  r.value = value;
  r.width = width;
  r.precision = precision;
  r.options = static_cast<std::int32_t>(options);
  r.checktext = checkTextOf(entry(expected));
  fillFormats(r, expected);
  r.spare_length = r.formats[1].length;
  r.status = ZQ_OK;
  return r;
}

// A double row; a capacity of 100 is the whole output buffer.
constexpr DoubleFormatRecord doubleRow(double value, std::int32_t width, std::int32_t precision,
                                       std::uint32_t options, const char32_t* expected,
                                       std::int64_t capacity = 100, Status status = ZQ_OK) {
  DoubleFormatRecord r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  r.value = value;
  r.width = width;
  r.precision = precision;
  r.options = static_cast<std::int32_t>(options);
  for (CheckText& c : r.checktext) c = checkTextOf(entry(expected));
  fillFormats(r, expected);
  r.capacity = capacity;
  r.spare_length = r.formats[1].length;
  r.status = status;
  return r;
}

// A row whose text the capacity cannot hold: only the status is compared.
constexpr DoubleFormatRecord truncatedRow(double value, std::int32_t width,
                                          std::int32_t precision, std::uint32_t options,
                                          std::int64_t capacity) {
  return doubleRow(value, width, precision, options, U"", capacity, ZQ_NLS_FMT_TRUNCATE);
}

constexpr DoubleExOptsRecord exOptsRow(double value, bool missing, std::int32_t width,
                                       std::int32_t precision, std::uint32_t options,
                                       const char32_t* expected, ExOpts ex_opts,
                                       Status status = ZQ_OK) {
  DoubleExOptsRecord r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  r.value = value;
  r.missing = missing ? 1 : 0;
  r.width = width;
  r.precision = precision;
  r.options = static_cast<std::int32_t>(options);
  fillFormats(r, expected);
  r.expected_length = r.formats[1].length;
  r.ex_opts = ex_opts;
  r.status = status;
  return r;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

constexpr std::uint32_t BESTFIT = LOCALE_NFMT_BESTFIT;
constexpr std::uint32_t DECIMAL = LOCALE_NFMT_DECIMAL;
constexpr std::uint32_t FRACTION = LOCALE_NFMT_FRACTION;
constexpr std::uint32_t INTEGER = LOCALE_NFMT_INTEGER;
constexpr std::uint32_t SNOTE = LOCALE_NFMT_SNOTE;
constexpr std::uint32_t BESTFITBIG = LOCALE_NFMT_BESTFITBIG;
constexpr std::uint32_t QORBEST = LOCALE_NFMT_QORBEST;
constexpr std::uint32_t QORWD = LOCALE_NFMT_QORWD;
constexpr std::uint32_t QOREW = LOCALE_NFMT_QOREW;
constexpr std::uint32_t QOREWD = LOCALE_NFMT_QOREWD;
constexpr std::uint32_t ADDSIGN = LOCALE_NFMT_ADDSIGN;
constexpr std::uint32_t GROUP = LOCALE_NFMT_GROUP;
constexpr std::uint32_t LEFT = LOCALE_NFMT_LEFTJUSTIFY;
constexpr std::uint32_t ZEROS = LOCALE_NFMT_PADWITHZERO;
constexpr std::uint32_t RADIX = LOCALE_NFMT_RADIX;
constexpr std::uint32_t SPACE = LOCALE_NFMT_SPACEPREFIX;
constexpr std::uint32_t TRAILZERO = LOCALE_NFMT_TRAILZERO;
constexpr std::uint32_t PAREN_NEGATIVE = 1;  // percent and currency option 1
constexpr std::uint32_t WHOLE_UNITS = 1;

// value, width, precision, options, expected text
constexpr AmountFormatRecord locale_percent_format[] = {
    amountRow(-0.214, 10, 2, PAREN_NEGATIVE, U"(  21.40%)"),
    amountRow(0.5, 8, 1, 0, U"   50.0%"),
    amountRow(0.12345, 0, 1, PAREN_NEGATIVE, U"12.3%"),  // positive: no parentheses
    amountRow(-0.333, 10, 4, 0, U" -33.3000%"),
};
static_assert(std::size(locale_percent_format) == 4);

// value, width, precision, options, expected text[, locale]
constexpr AmountFormatRecord locale_currency_format[] = {
    amountRow(1234.56, 10, 2, 0, U" $1,234.56"),
    amountRow(1234.56, 10, 2, WHOLE_UNITS, U"    $1,234"),
    amountRow(0.5, 6, 2, 0, U" $0.50"),
    amountRow(99.2509, 2, 0, 0, U"$99"),
    amountRow(0.0, 0, 2, 0, U"$0.00"),
    amountRow(999999999.6509, 10, 0, 0, U"$1,000,000,000"),
    amountRow(-1234.56, 12, 2, 0, U"  -$1,234.56"),
    // The Syrian pound: symbol after the amount, a no-break space between, no minor digits
    // (taken when the precision is negative).
    amountRow(1234.56, 0, -1, 0, U"1,235\u00A0\u0644.\u0633.", kArSy),
};
static_assert(std::size(locale_currency_format) == 8);

// value, width, precision, options, expected text[, capacity]
constexpr DoubleFormatRecord locale_double_format[] = {
    doubleRow(1234.56, 10, 3, DECIMAL | SPACE, U"  1234.560"),
    doubleRow(1234.56, 10, 2, 0, U"   1.2e+03"),
    doubleRow(3.14159265, 0, 0, 0, U"3.14159"),
    doubleRow(123456789.0, 12, 0, BESTFIT, U" 1.23457e+08"),
    doubleRow(0.0001, 10, 3, BESTFIT, U"    0.0001"),
    doubleRow(0.00001, 10, 3, BESTFIT, U"     1e-05"),
    doubleRow(0.000012345, 12, 3, BESTFITBIG, U"    1.23E-05"),
    doubleRow(0.0, 12, 3, SNOTE, U"   0.000e+00"),
    doubleRow(12345.678, 10, 1, SNOTE, U"   1.2e+04"),
    doubleRow(-6.02214076e23, 14, 4, SNOTE, U"   -6.0221e+23"),
    doubleRow(1.5e-300, 0, 2, SNOTE, U"1.50e-300"),
    doubleRow(-0.75, 6, 0, DECIMAL, U"    -1"),
    doubleRow(1e15, 0, 2, DECIMAL, U"1000000000000000.00"),
    doubleRow(1234567.891, 14, 2, DECIMAL | GROUP, U"  1,234,567.89"),
    doubleRow(-987654321.0, 0, 0, DECIMAL | GROUP, U"-987,654,321"),
    doubleRow(42.0, 8, 1, DECIMAL | ADDSIGN, U"   +42.0"),
    doubleRow(3.25, 8, 2, DECIMAL | LEFT, U"3.25    "),
    doubleRow(-3.5, 8, 2, DECIMAL | ZEROS, U"-0003.50"),
    truncatedRow(12341234.5656, 5, 2, FRACTION | ADDSIGN | GROUP | ZEROS, 4),
    doubleRow(7.5, 6, 1, DECIMAL | ZEROS | LEFT, U"7.5   "),  // "-" overrides "0"
    doubleRow(7.25, 0, 2, DECIMAL | SPACE, U" 7.25"),
    doubleRow(7.25, 0, 2, DECIMAL | ADDSIGN | SPACE, U"+7.25"),  // "+" overrides " "
    doubleRow(123456789.0, 6, 0, QORBEST, U"1.23E8"),
    doubleRow(3.75, 6, 2, FRACTION, U"  0.75"),
    doubleRow(12.0, 0, 3, FRACTION, U"0.000"),
    doubleRow(5.125, 7, 3, FRACTION | ADDSIGN, U" +0.125"),
    doubleRow(98765.4321, 8, 0, INTEGER, U"   98765"),
    doubleRow(-7.9, 4, 0, INTEGER, U"  -7"),
    doubleRow(1234567.89, 0, 0, INTEGER | GROUP, U"1,234,567"),
    doubleRow(42.9, 5, 0, INTEGER | RADIX, U"  42."),
    doubleRow(123.9, 8, 0, INTEGER | ZEROS | ADDSIGN, U"+0000123"),
    doubleRow(1e20, 10, 4, BESTFITBIG, U"     1E+20"),
    doubleRow(1.5, 8, 4, BESTFITBIG | TRAILZERO, U"   1.500"),
    doubleRow(2.0, 0, 3, BESTFIT | TRAILZERO, U"2.00"),
    doubleRow(0.0, 0, 0, DECIMAL | RADIX, U"0."),
    doubleRow(2.5, 0, -1, DECIMAL, U"2.500000"),
    doubleRow(0.1, 0, 10, DECIMAL, U"0.1000000000"),
    doubleRow(1.0, 0, 12, SNOTE, U"1.000000000000e+00"),
    doubleRow(3.5, 40, 1, DECIMAL, U"                                     3.5"),
    doubleRow(0.0, 4, 1, DECIMAL, U" 0.0"),
    doubleRow(0.0, 3, 0, 0, U"  0"),
    doubleRow(1234567.0, 0, 7, GROUP, U"1,234,567"),
    doubleRow(1e-07, 0, 0, 0, U"1e-07"),
    doubleRow(kMax, 12, 3, SNOTE, U"  1.798e+308"),
    doubleRow(1e-310, 0, 2, SNOTE, U"1.00e-310"),  // subnormal
    truncatedRow(1234.5678, 10, 4, DECIMAL, 6),
    doubleRow(1234.5678, 0, 4, DECIMAL, U"1234.5678", 9),
    doubleRow(2.5, 12, 1, DECIMAL, U"  2.5", 5),  // the width is cut to the capacity
    doubleRow(98.6, 6, 0, QORBEST, U"  98.6"),
    truncatedRow(-98765.4, 3, 0, QORBEST, 100),
    doubleRow(3.14159, 8, 3, QORWD, U"   3.142"),
    doubleRow(1234567.25, 14, 2, QORWD | GROUP, U"  1,234,567.25"),
    doubleRow(42.0, 2, 0, QOREWD, U"42"),
    doubleRow(-123456.0, 8, 0, QOREW, U"-1.2E+05"),
    doubleRow(-2.5, 6, 0, LEFT, U"-2.5  "),
    doubleRow(2.5, 0, 0, SPACE, U" 2.5"),
    doubleRow(0.0, 0, 2, DECIMAL | ADDSIGN, U"+0.00"),
    doubleRow(2.5, 6, 0, ZEROS, U"0002.5"),
    doubleRow(kInfinity, 32, 7, QORBEST, U"Inf"),
};
static_assert(std::size(locale_double_format) == 59);

constexpr ExOpts kStar{EXOPTS_PRINT_MISSING_CHAR, '*'};

// value, missing, width, precision, options, expected text, extended options[, status]
constexpr DoubleExOptsRecord locale_double_format_exopts[] = {
    exOptsRow(1234.56, false, 2, 2, 0, U"1.2e+03", kStar),
    exOptsRow(0.0, true, 2, 2, 0, U" *", kStar),
    exOptsRow(0.0, true, 0, 2, DECIMAL, U"M", ExOpts{EXOPTS_PRINT_MISSING_CHAR, 'M'}),
    exOptsRow(0.0, true, 1, 0, 0, U"", ExOpts{EXOPTS_PRINT_MISSING_CHAR, 0},
              ZQ_NLS_FMT_INVALID_MISSCHAR),
    exOptsRow(2.5, false, 0, 1, DECIMAL, U"2.5", ExOpts{0, 0}),  // no substitute asked for
};
static_assert(std::size(locale_double_format_exopts) == 5);

}  // namespace

std::span<const AmountFormatRecord> percentFormatTable() { return locale_percent_format; }
std::span<const AmountFormatRecord> currencyFormatTable() { return locale_currency_format; }
std::span<const DoubleFormatRecord> doubleFormatTable() { return locale_double_format; }
std::span<const DoubleExOptsRecord> doubleExOptsTable() { return locale_double_format_exopts; }

}  // namespace zq::sanity
