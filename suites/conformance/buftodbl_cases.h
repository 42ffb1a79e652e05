// The cases of buftodblTest1: inputs in the period-comma style with what each must give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "suites/conformance/locale_loop.h"

namespace zq::conformance {

// What a case's value is compared with.
enum class ExpectedValue {
  Number,   // `value`, or the reference locale's value for the case
  Missing,  // a NaN
};

// How the parsed value is printed in the case's trace and value-mismatch lines.
enum class ValueConversion { Fixed, General };  // "%f", "%34.32g"

struct BufToDoubleCase {
  const char32_t* input;  // period-comma style; the comma styles keep its length
  std::int64_t length;
  Status status;          // period-comma style
  std::int64_t used;
  Status comma_status;  // both comma styles
  std::int64_t comma_used;
  ExpectedValue expected;
  double value;
  const char32_t* value_text;  // the expected value as the failure lines write it
  ValueConversion conversion;
  const char32_t* tag;  // null for none
};

// Cases 1 to 26, run in every locale.
constexpr std::size_t kBufToDoubleCases = 26;
std::span<const BufToDoubleCase, kBufToDoubleCases> bufToDoubleCases();

// Case 27, run in the reference locale only: a 63-digit fraction that must be consumed
// whole with ZQ_OK; its value is not compared.
constexpr const char32_t* kLongFractionInput =
    U"1.123456789123456789123456789123456789123456789123456789123456789";
static_assert(suite::zlen(kLongFractionInput) == 65);

}  // namespace zq::conformance
