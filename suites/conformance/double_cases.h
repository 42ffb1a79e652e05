// The 84 double formatting cases that every double conformance locale runs.
#pragma once

#include <cstdint>
#include <span>

#include "zq/types.h"

namespace zq::conformance {

// One case: the arguments of both double formats and what zqnlsLocaleDoubleFormat must
// give. The expected text is written in the period-comma style and localised per locale.
struct DoubleCase {
  const char32_t* options_text;  // the flag names joined by "|", or "0" / "1"
  std::uint32_t options;         // the flag word those names give
  const char32_t* value_text;    // the value's literal, character for character
  double value;                  // the nearest double to that literal
  std::int32_t width;
  std::int32_t precision;
  std::int64_t capacity;         // units the operations may write, at most 72
  Status status;
  std::int64_t length;           // expected converted length
  std::int64_t compared_bytes;   // bytes of the output compared with the expected text
  const char32_t* text;          // expected text, period-comma style
  const char32_t* tag;           // prefixes the case's failure texts; null for none
};

// Cases 1 to 84 in order (case n is element n - 1).
std::span<const DoubleCase> doubleCases();

}  // namespace zq::conformance
