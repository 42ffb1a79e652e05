// Readable UTF-8 for suite texts: invisible units are spelled out as <U+XXXX>.
#include "harness/render.h"

#include <cstdio>

namespace zq::harness {

bool isInvisible(ZQChar unit) {
  if (unit >= 0xD800 && unit <= 0xDFFF) return true;
  if (unit > 0x10FFFF) return true;
  // Ranges (inclusive) of the units shown by code point: C0 and C1 controls, the
  // space separators other than U+0020, the line and paragraph separators, and the
  // format characters (general categories Cc, Zs, Zl, Zp and Cf).
  struct Range {
    ZQChar first;
    ZQChar last;
  };
  static constexpr Range kInvisible[] = {
      {0x0000, 0x001F},   {0x007F, 0x00A0},   {0x00AD, 0x00AD},   {0x0600, 0x0605},
      {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},   {0x08E2, 0x08E2},
      {0x1680, 0x1680},   {0x180E, 0x180E},   {0x2000, 0x200F},   {0x2028, 0x202F},
      {0x205F, 0x2064},   {0x2066, 0x206F},   {0x3000, 0x3000},   {0xFEFF, 0xFEFF},
      {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x13438},
      {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
  };
  for (const Range& range : kInvisible) {
    if (unit < range.first) return false;
    if (unit <= range.last) return true;
  }
  return false;
}

namespace {

void appendUtf8(std::string& out, ZQChar c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
    return;
  }
  if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
    return;
  }
  out += static_cast<char>(0xF0 | (c >> 18));
  out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (c & 0x3F));
}

void appendVisible(std::string& out, ZQChar unit) {
  if (!isInvisible(unit)) {
    appendUtf8(out, unit);
    return;
  }
  char spelled[16];
  std::snprintf(spelled, sizeof spelled, "<U+%04X>", static_cast<unsigned>(unit));
  out += spelled;
}

}  // namespace

std::string visibleUnits(const ZQChar* text, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) appendVisible(out, text[i]);
  return out;
}

std::string visibleText(const std::u32string& text) {
  static_assert(sizeof(char32_t) == sizeof(ZQChar));
  return visibleUnits(reinterpret_cast<const ZQChar*>(text.data()), text.size());
}

std::string utf8Of(const std::u32string& text) {
  std::string out;
  for (char32_t unit : text) {
    const bool scalar = unit <= 0x10FFFF && (unit < 0xD800 || unit > 0xDFFF);
    appendUtf8(out, scalar ? static_cast<ZQChar>(unit) : 0xFFFD);
  }
  return out;
}

std::string visibleTerminated(const ZQChar* text, std::size_t max_units) {
  if (text == nullptr) return "(null)";
  std::string out;
  for (std::size_t i = 0; text[i] != 0; ++i) {
    if (i == max_units) return out + "...";
    appendVisible(out, text[i]);
  }
  return out;
}

}  // namespace zq::harness
