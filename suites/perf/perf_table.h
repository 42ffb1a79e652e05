// The benchmark cases of zqvnlePerf: which routine, locale and encoding each times,
// with its arguments and the results its verification call must give.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::perf {

// The five timed routines, by their number in the case records.
enum class Routine : std::int32_t {
  kStringToDouble = 1,
  kStringFromDouble = 2,
  kDateFormat = 3,
  kCurrencyFormat = 4,
  kDoubleFormat = 5,
};

constexpr int kByteTextSize = 800;
constexpr int kExpectedUnits = 100;
constexpr int kDescriptionUnits = 101;

struct PerfCase {
  std::int32_t default_flag;        // non-zero: runs whatever the selectors say
  std::int32_t default_iterations;  // when the harness gives none
  Routine routine;
  char32_t locale[6];  // five units and a terminator
  std::uint64_t locale_length;
  std::int32_t encoding;
  // Routine 1: the input; routine 2: the expected output. Aligned so that the
  // harness's buffer check may read it in 32-bit units.
  alignas(4) char text[kByteTextSize];
  std::int32_t text_length;  // routine 1: input length; routine 2: capacity and length
  char32_t expected[kExpectedUnits];  // routines 3-5
  std::uint64_t capacity;             // routines 3-5
  std::int32_t options;               // routine 3: the date style
  std::uint64_t expected_length;      // routines 1, 3, 4 and 5
  double value;                       // routine 1: the expected result; 2, 4, 5: the input
  std::int32_t width;                 // routines 2, 4 and 5
  std::int32_t precision;             // routines 2, 4 and 5
  std::int32_t month;                 // routine 3
  std::int32_t day;
  std::int32_t year;
  char32_t description[kDescriptionUnits];
};

// The 52 cases; test n is element n - 1.
std::span<const PerfCase> perfCases();

}  // namespace zq::perf
