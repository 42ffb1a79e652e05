// zqvnleSanity1's vectors for zqnlsLocaleBufferToDouble (en_US).
//
// Test 2 passes only the first nine units of "  -2.5e-3 7": leading blanks, a sign and
// a signed exponent are read, and the blank and digit after the length must not be
// (reading them would end the number with ZQ_NLS_BAD_NUM).
#include <cstdint>
#include <span>

#include "suites/sanity/sanity1_double_parse_table.h"

namespace zq::sanity {
namespace {

// A record of the en_US locale. A text or length too long for the field fails to
// compile.
constexpr BufferToDoubleRecord row(const char32_t* input, std::int64_t input_length,
                                   double value, std::int64_t consumed, Status status) {
  BufferToDoubleRecord r{};
  r.locale = kEnUs;
  r.locale_length = kLocaleLength;
  std::int64_t n = 0;
  for (; input[n] != 0; ++n) r.inputbuf[n] = static_cast<ZQChar>(input[n]);
  r.input_length = input_length <= kEntryUnits ? input_length : throw "input beyond the field";
  r.expected_value = value;
  r.expected_length = consumed;
  r.status = status;
  return r;
}

constexpr BufferToDoubleRecord locale_buffer_to_double[] = {
    row(U"1234", 4, 1234.0, 4, ZQ_OK),
    row(U"  -2.5e-3 7", 9, -0.0025, 9, ZQ_OK),
    row(U"-1234.5678", 10, -1234.5678, 10, ZQ_OK),
    row(U"1.7976931348623150E+308", 23, 1.797693134862315e+308, 23, ZQ_OK),
};

}  // namespace

std::span<const BufferToDoubleRecord> bufferToDoubleTable() { return locale_buffer_to_double; }

}  // namespace zq::sanity
