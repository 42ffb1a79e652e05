// The eight integer operations of the integer conformance cases, with the names they print.
#pragma once

#include <cstdint>

#include "suites/common/operations.h"

namespace zq::conformance {

// A formatting group: the value type that picks its word, and its name.
struct IntfastFormat {
  using Value = std::int32_t;
  static constexpr const char32_t* kName = U"zqnlsLocaleIntfastFormat";
};
struct IntmaxFormat {
  using Value = std::int64_t;
  static constexpr const char32_t* kName = U"zqnlsLocaleIntmaxFormat";
};
struct UintfastFormat {
  using Value = std::uint32_t;
  static constexpr const char32_t* kName = U"zqnlsLocaleUintfastFormat";
};
struct UintmaxFormat {
  using Value = std::uint64_t;
  static constexpr const char32_t* kName = U"zqnlsLocaleUintmaxFormat";
};

// A parsing group: its parser, its name, the journal conversion of its value and the
// text of its value check.
template <suite::IntegerParser P>
struct ParseGroup {
  static constexpr suite::IntegerParser kParser = P;
  using Value = suite::ParsedValue<P>;
};
struct IntfastParse : ParseGroup<suite::IntegerParser::Intfast> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToIntfast";
  static constexpr const char32_t* kConversion = U"%li";
  static constexpr const char32_t* kValueExpression = U"intfast_value";
};
struct IntmaxParse : ParseGroup<suite::IntegerParser::Intmax> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToIntmax";
  static constexpr const char32_t* kConversion = U"%lld";
  static constexpr const char32_t* kValueExpression = U"intmax_value";
};
struct UintfastParse : ParseGroup<suite::IntegerParser::Uintfast> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToUintfast";
  static constexpr const char32_t* kConversion = U"%lu";
  static constexpr const char32_t* kValueExpression = U"uintfast_value";
};
struct UintmaxParse : ParseGroup<suite::IntegerParser::Uintmax> {
  static constexpr const char32_t* kName = U"zqnlsLocaleBufferToUintmax";
  static constexpr const char32_t* kConversion = U"%lld";
  static constexpr const char32_t* kValueExpression = U"uintmax_value";
};

}  // namespace zq::conformance
