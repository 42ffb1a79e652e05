// A small recursive-descent JSON reader with byte offsets in its errors.
#include "harness/json_reader.h"

#include <charconv>
#include <cstdint>

#include "harness/render.h"

namespace zq::harness {
namespace {

constexpr int kMaxDepth = 64;

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<JsonValue> document(std::string& error) {
    JsonValue value;
    bool good = parseValue(value, 0);
    skipBlanks();
    if (good && at_ != text_.size()) good = fail("text after the value");
    if (!good) {
      error = "byte " + std::to_string(at_) + ": " + error_;
      return std::nullopt;
    }
    return value;
  }

 private:
  bool fail(const char* what) {
    if (error_.empty()) error_ = what;
    return false;
  }
  void skipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' ||
                                  text_[at_] == '\r')) {
      ++at_;
    }
  }
  bool take(char c) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool word(std::string_view w) {
    if (text_.substr(at_, w.size()) != w) return fail("unknown word");
    at_ += w.size();
    return true;
  }

  bool parseValue(JsonValue& v, int depth) {
    if (depth >= kMaxDepth) return fail("nested too deeply");
    skipBlanks();
    if (at_ == text_.size()) return fail("a value is missing");
    switch (text_[at_]) {
      case '{':
        return parseObject(v, depth);
      case '[':
        return parseArray(v, depth);
      case '"':
        v.kind = JsonValue::Kind::String;
        return parseString(v.text);
      case 't':
      case 'f':
        v.kind = JsonValue::Kind::Bool;
        v.boolean = text_[at_] == 't';
        return word(v.boolean ? "true" : "false");
      case 'n':
        return word("null");
      default:
        return parseNumber(v);
    }
  }

  bool parseObject(JsonValue& v, int depth) {
    v.kind = JsonValue::Kind::Object;
    ++at_;
    if (take('}')) return true;
    do {
      std::string name;
      skipBlanks();
      if (at_ == text_.size() || text_[at_] != '"') return fail("a member name is missing");
      if (!parseString(name)) return false;
      if (!take(':')) return fail("':' is missing");
      v.members.push_back({std::move(name), JsonValue{}});
      if (!parseValue(v.members.back().value, depth + 1)) return false;
    } while (take(','));
    return take('}') || fail("',' or '}' is missing");
  }

  bool parseArray(JsonValue& v, int depth) {
    v.kind = JsonValue::Kind::Array;
    ++at_;
    if (take(']')) return true;
    do {
      v.items.emplace_back();
      if (!parseValue(v.items.back(), depth + 1)) return false;
    } while (take(','));
    return take(']') || fail("',' or ']' is missing");
  }

  bool parseNumber(JsonValue& v) {
    const std::size_t start = at_;
    while (at_ < text_.size() && std::string_view("+-0123456789.eE").find(text_[at_]) !=
                                     std::string_view::npos) {
      ++at_;
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + at_;
    const auto [end, error] = std::from_chars(first, last, v.number);
    if (start == at_ || error != std::errc{} || end != last) return fail("not a value");
    v.kind = JsonValue::Kind::Number;
    return true;
  }

  bool hex4(std::uint32_t& out) {
    if (at_ + 4 > text_.size()) return fail("a \\u escape is cut short");
    const char* first = text_.data() + at_;
    const auto [end, error] = std::from_chars(first, first + 4, out, 16);
    if (error != std::errc{} || end != first + 4) return fail("a \\u escape is not hexadecimal");
    at_ += 4;
    return true;
  }

  // A \u escape, with the second half of a surrogate pair; a lone half becomes U+FFFD.
  bool unicodeEscape(std::string& out) {
    std::uint32_t cp = 0;
    if (!hex4(cp)) return false;
    if (cp >= 0xD800 && cp < 0xDC00 && text_.substr(at_, 2) == "\\u") {
      at_ += 2;
      std::uint32_t low = 0;
      if (!hex4(low)) return false;
      if (low >= 0xDC00 && low < 0xE000) {
        out += utf8Of({static_cast<char32_t>(0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00))});
        return true;
      }
      out += utf8Of({static_cast<char32_t>(cp)});
      cp = low;
    }
    out += utf8Of({static_cast<char32_t>(cp)});
    return true;
  }

  bool parseString(std::string& out) {
    ++at_;  // the opening quote
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return fail("a control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ == text_.size()) break;
      const char e = text_[at_++];
      const std::string_view simple = "\"\\/bfnrt";
      const std::string_view meant = "\"\\/\b\f\n\r\t";
      const std::size_t i = simple.find(e);
      if (i != std::string_view::npos) {
        out += meant[i];
        continue;
      }
      if (e != 'u') return fail("an unknown escape");
      if (!unicodeEscape(out)) return false;
    }
    return fail("a string is not closed");
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::string error_;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
  for (const auto& [key, value] : members) {
    if (key == name) return &value;
  }
  return nullptr;
}

std::optional<JsonValue> parseJson(std::string_view text, std::string& error) {
  return Reader(text).document(error);
}

}  // namespace zq::harness
