// What the result files share: markup escaping and expected failures by place.
#include "harness/documents.h"

#include <cstdio>

namespace zq::harness {

std::string escapeMarkup(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    switch (c) {
      case '&':
        out += "&amp;";
        continue;
      case '<':
        out += "&lt;";
        continue;
      case '>':
        out += "&gt;";
        continue;
      case '"':
        out += "&quot;";
        continue;
      case '\'':
        out += "&#39;";
        continue;
      default:
        break;
    }
    // XML 1.0 has no place for the C0 controls other than TAB, LF and CR, nor for
    // U+FFFE and U+FFFF (UTF-8 EF BF BE and EF BF BF).
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      char spelled[16];
      std::snprintf(spelled, sizeof spelled, "&lt;U+%04X&gt;", c);
      out += spelled;
      continue;
    }
    if (c == 0xEF && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xBF &&
        (static_cast<unsigned char>(utf8[i + 2]) & 0xFE) == 0xBE) {
      out += static_cast<unsigned char>(utf8[i + 2]) == 0xBE ? "&lt;U+FFFE&gt;" : "&lt;U+FFFF&gt;";
      i += 2;
      continue;
    }
    out += static_cast<char>(c);
  }
  return out;
}

std::map<CheckPlace, std::int64_t> expectedByPlace(const SuiteTally& tally) {
  std::map<CheckPlace, std::int64_t> expected;
  for (const CheckFailure& failure : tally.failures) {
    if (failure.outcome == Outcome::XFail) ++expected[failure.place];
  }
  return expected;
}

}  // namespace zq::harness
