// Reading JSON back: the results file of an earlier run, for comparison with this one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::harness {

// One JSON value. Numbers are doubles (every count zqtest writes fits in 53 bits);
// object members keep their order.
struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  struct Member;

  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's UTF-8
  std::vector<JsonValue> items;
  std::vector<Member> members;

  // The first member named `name`, or null when there is none or this is no object.
  const JsonValue* member(std::string_view name) const;
};

struct JsonValue::Member {
  std::string name;
  JsonValue value;
};

// A whole JSON text. Nothing, and "byte N: what is wrong" in `error`, when the text
// is not one JSON value (nesting deeper than 64 is refused).
std::optional<JsonValue> parseJson(std::string_view text, std::string& error);

}  // namespace zq::harness
