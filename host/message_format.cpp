// The journal's message formatter: printf-style ZQChar formats over a va_list of 64-bit words.
#include "host/message_format.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

namespace zq::host {
namespace {

// One parsed conversion: the text from '%' up to and including its conversion unit.
struct Conversion {
  bool left = false;       // '-'
  bool plus = false;       // '+'
  bool space = false;      // ' '
  bool alternate = false;  // '#'
  bool zero = false;       // '0'
  bool star_width = false;
  std::int64_t width = 0;
  bool has_precision = false;
  bool star_precision = false;
  std::int64_t precision = 0;
  ZQChar kind = 0;        // the conversion unit itself
  std::int64_t end = 0;   // index just past the conversion unit
};

bool isDigit(ZQChar c) { return c >= '0' && c <= '9'; }

// Reads a run of decimal digits at `pos`, saturating at kMaxFieldWidth.
std::int64_t readNumber(const ZQChar* format, std::int64_t length, std::int64_t& pos) {
  std::int64_t value = 0;
  while (pos < length && isDigit(format[pos])) {
    value = std::min<std::int64_t>(value * 10 + (format[pos] - '0'), kMaxFieldWidth);
    ++pos;
  }
  return value;
}

// Parses the conversion whose '%' is at `start`. Empty when the format ends first.
std::optional<Conversion> parseConversion(const ZQChar* format, std::int64_t length,
                                          std::int64_t start) {
  Conversion conv;
  std::int64_t pos = start + 1;
  for (; pos < length; ++pos) {
    const ZQChar c = format[pos];
    if (c == '-') {
      conv.left = true;
    } else if (c == '+') {
      conv.plus = true;
    } else if (c == ' ') {
      conv.space = true;
    } else if (c == '#') {
      conv.alternate = true;
    } else if (c == '0') {
      conv.zero = true;
    } else {
      break;
    }
  }
  if (pos < length && format[pos] == '*') {
    conv.star_width = true;
    ++pos;
  } else {
    conv.width = readNumber(format, length, pos);
  }
  if (pos < length && format[pos] == '.') {
    conv.has_precision = true;
    ++pos;
    if (pos < length && format[pos] == '*') {
      conv.star_precision = true;
      ++pos;
    } else {
      conv.precision = readNumber(format, length, pos);
    }
  }
  // Length modifiers say nothing here: every integer travels as a 64-bit word.
  while (pos < length) {
    const ZQChar c = format[pos];
    if (c != 'h' && c != 'l' && c != 'L' && c != 'q' && c != 'j' && c != 'z' && c != 't') break;
    ++pos;
  }
  if (pos >= length) return std::nullopt;
  conv.kind = format[pos];
  conv.end = pos + 1;
  return conv;
}

bool isKnownKind(ZQChar kind) {
  switch (kind) {
    case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
    case 'c': case 's': case 'S':
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
    case '%':
      return true;
    default:
      return false;
  }
}

bool isTextKind(ZQChar kind) { return kind == 's' || kind == 'S'; }

std::int64_t clampField(std::int64_t value) { return std::min(value, kMaxFieldWidth); }

// The text of one message, kept to `limit` units: a unit that does not fit marks the
// text cut, and the formatter stops there, so memory and time follow the output.
class BoundedText {
 public:
  explicit BoundedText(std::size_t limit) : limit_(limit) {}

  bool cut() const { return cut_; }
  void put(char32_t unit) { fill(unit, 1); }
  void fill(char32_t unit, std::int64_t count) {
    if (count <= 0) return;
    const std::size_t room = limit_ - text_.size();
    const auto wanted = static_cast<std::uint64_t>(count);
    text_.append(static_cast<std::size_t>(std::min<std::uint64_t>(wanted, room)), unit);
    if (wanted > room) cut_ = true;
  }
  template <class Unit>
  void append(const Unit* first, const Unit* last) {
    for (; first != last && !cut_; ++first) put(static_cast<char32_t>(*first));
  }
  std::u32string take() { return std::move(text_); }

 private:
  std::size_t limit_;
  std::u32string text_;
  bool cut_ = false;
};

// The blanks that pad a body of `body_length` units to the conversion's width.
std::int64_t paddingFor(const Conversion& conv, std::int64_t body_length) {
  return conv.width > body_length ? conv.width - body_length : 0;
}

void appendInteger(BoundedText& out, const Conversion& conv, std::va_list* args) {
  char32_t sign = 0;
  std::uint64_t magnitude = 0;
  if (conv.kind == 'd' || conv.kind == 'i') {
    const auto value = va_arg(*args, std::int64_t);
    // Negating in unsigned arithmetic keeps INT64_MIN exact.
    magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
      magnitude = 0 - magnitude;
      sign = U'-';
    } else if (conv.plus) {
      sign = U'+';
    } else if (conv.space) {
      sign = U' ';
    }
  } else {
    magnitude = va_arg(*args, std::uint64_t);
  }

  const unsigned base = conv.kind == 'o' ? 8 : (conv.kind == 'x' || conv.kind == 'X') ? 16 : 10;
  const char* digit_set = conv.kind == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  char32_t digits[24];  // least significant first; 22 octal digits at most
  int count = 0;
  for (std::uint64_t rest = magnitude; rest != 0; rest /= base) {
    digits[count++] = static_cast<char32_t>(digit_set[rest % base]);
  }
  // Precision is the minimum digit count; without one a zero still prints one digit.
  const std::int64_t min_digits = conv.has_precision ? conv.precision : 1;
  std::int64_t zeros = std::max<std::int64_t>(0, min_digits - count);
  // '#' with 'o' makes the first digit a zero.
  if (conv.alternate && conv.kind == 'o' && zeros == 0 && (count == 0 || digits[count - 1] != U'0')) {
    zeros = 1;
  }
  char32_t prefix[3] = {};
  int prefix_length = 0;
  if (sign != 0) prefix[prefix_length++] = sign;
  if (conv.alternate && magnitude != 0 && (conv.kind == 'x' || conv.kind == 'X')) {
    prefix[prefix_length++] = U'0';
    prefix[prefix_length++] = static_cast<char32_t>(conv.kind);
  }

  const std::int64_t used = prefix_length + zeros + count;
  std::int64_t padding = paddingFor(conv, used);
  if (conv.zero && !conv.left && !conv.has_precision) {
    zeros += padding;
    padding = 0;
  }
  if (!conv.left) out.fill(U' ', padding);
  out.append(prefix, prefix + prefix_length);
  out.fill(U'0', zeros);
  while (count > 0) out.put(digits[--count]);
  if (conv.left) out.fill(U' ', padding);
}

// Floating conversions go through the C library so NaN, infinities and rounding are
// exactly what printf gives; the result is plain ASCII, at most about 4400 characters
// with the width and precision capped.
void appendFloating(BoundedText& out, const Conversion& conv, std::va_list* args) {
  const double value = va_arg(*args, double);
  std::string c_format = "%";
  if (conv.left) c_format += '-';
  if (conv.plus) c_format += '+';
  if (conv.space) c_format += ' ';
  if (conv.alternate) c_format += '#';
  if (conv.zero) c_format += '0';
  if (conv.width > 0) c_format += std::to_string(conv.width);
  if (conv.has_precision) {
    c_format += '.';
    c_format += std::to_string(conv.precision);
  }
  c_format += static_cast<char>(conv.kind);

  const int needed = std::snprintf(nullptr, 0, c_format.c_str(), value);
  if (needed <= 0) return;
  std::string text(static_cast<std::size_t>(needed) + 1, '\0');
  std::snprintf(text.data(), text.size(), c_format.c_str(), value);
  const auto* first = reinterpret_cast<const unsigned char*>(text.data());
  out.append(first, first + needed);
}

// %s and %S: a zero-terminated text, or with a '*' width a text of the given length.
// The text is read no further than the output needs: up to the width to know the
// padding, then unit by unit while the output has room.
void appendText(BoundedText& out, const Conversion& conv, std::int64_t star_length,
                const ZQChar* text) {
  static constexpr ZQChar kNullText[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
  std::int64_t limit = INT64_MAX;
  std::int64_t width = conv.width;
  if (conv.star_width) {
    // A null text of explicit length prints nothing; a length alone never lets the
    // read run past a zero unit, so a length larger than the text stays in bounds.
    if (text == nullptr) return;
    limit = std::max<std::int64_t>(star_length, 0);
    width = 0;
  }
  if (text == nullptr) text = kNullText;
  if (conv.has_precision) limit = std::min(limit, conv.precision);

  std::int64_t known = 0;  // units known to be in the text, up to the width
  while (known < std::min(limit, width) && text[known] != 0) ++known;
  const std::int64_t padding = known < width ? width - known : 0;
  if (!conv.left) out.fill(U' ', padding);
  for (std::int64_t i = 0; i < limit && text[i] != 0 && !out.cut(); ++i) {
    out.put(static_cast<char32_t>(text[i]));
  }
  if (conv.left) out.fill(U' ', padding);
}

// %c: one unit, padded.
void appendCharacter(BoundedText& out, const Conversion& conv, std::va_list* args) {
  const auto code = static_cast<ZQChar>(va_arg(*args, std::uint64_t));
  const std::int64_t padding = paddingFor(conv, 1);
  if (!conv.left) out.fill(U' ', padding);
  out.put(static_cast<char32_t>(code));
  if (conv.left) out.fill(U' ', padding);
}

}  // namespace

std::u32string formatMessage(const ZQChar* format, std::int64_t length, std::va_list* args,
                             std::size_t limit, bool* cut) {
  BoundedText out(limit);
  if (format == nullptr) length = 0;
  std::int64_t pos = 0;
  while (pos < length && !out.cut()) {
    if (format[pos] != '%') {
      out.put(static_cast<char32_t>(format[pos]));
      ++pos;
      continue;
    }
    const std::optional<Conversion> parsed = parseConversion(format, length, pos);
    if (!parsed) {
      // The format ends inside the conversion: keep what is there.
      out.append(format + pos, format + length);
      break;
    }
    Conversion conv = *parsed;
    if (!isKnownKind(conv.kind)) {
      out.append(format + pos, format + conv.end);
      pos = conv.end;
      continue;
    }
    pos = conv.end;
    if (conv.kind == '%') {
      out.put(U'%');
      continue;
    }

    // Star arguments come first, in the order width then precision, as in C.
    std::int64_t star_length = 0;
    if (conv.star_width && isTextKind(conv.kind)) {
      star_length = va_arg(*args, std::int64_t);
    } else if (conv.star_width) {
      const auto width = va_arg(*args, std::int64_t);
      if (width < 0) conv.left = true;
      // -INT64_MIN overflows; anything that large is capped anyway.
      conv.width = clampField(width < 0 ? (width == INT64_MIN ? INT64_MAX : -width) : width);
    }
    if (conv.star_precision) {
      const auto precision = va_arg(*args, std::int64_t);
      conv.has_precision = precision >= 0;
      conv.precision = clampField(std::max<std::int64_t>(precision, 0));
    }

    switch (conv.kind) {
      case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
        appendInteger(out, conv, args);
        break;
      case 'c':
        appendCharacter(out, conv, args);
        break;
      case 's': case 'S':
        appendText(out, conv, star_length, va_arg(*args, const ZQChar*));
        break;
      default:
        appendFloating(out, conv, args);
        break;
    }
  }
  if (cut != nullptr) *cut = out.cut();
  return out.take();
}

}  // namespace zq::host
