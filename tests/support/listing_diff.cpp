// Unified-diff hunks of the first differing lines of two listings. The listings are
// long and mostly alike, so each difference is found by scanning forward from the
// last common line for the nearest place where both sides agree again.
#include "tests/support/listing_diff.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace zq::testing {
namespace {

// How many lines apart (on both sides together) two places that agree again may lie.
constexpr std::size_t kResyncReach = 400;
constexpr std::size_t kContext = 3;

using Lines = std::vector<std::string>;

Lines linesOf(const std::string& text) {
  Lines lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The two sides are in step again where their next lines agree, or where both end.
bool inStep(const Lines& expected, const Lines& actual, std::size_t e, std::size_t a) {
  if (e == expected.size() || a == actual.size()) {
    return e == expected.size() && a == actual.size();
  }
  return expected[e] == actual[a];
}

// The lines of expected from `e` and of actual from `a` that differ before the two are
// in step again: the first whose sum is smallest.
std::pair<std::size_t, std::size_t> differingFrom(const Lines& expected, const Lines& actual,
                                                  std::size_t e, std::size_t a) {
  for (std::size_t reach = 1; reach <= kResyncReach; ++reach) {
    for (std::size_t removed = 0; removed <= reach; ++removed) {
      const std::size_t added = reach - removed;
      if (e + removed <= expected.size() && a + added <= actual.size() &&
          inStep(expected, actual, e + removed, a + added)) {
        return {removed, added};
      }
    }
  }
  return {expected.size() - e, actual.size() - a};
}

}  // namespace

std::string namedInvisibles(const std::string& line) {
  // UTF-8 forms of the invisible characters the listings may hold, with their names.
  static const std::pair<const char*, const char*> kNamed[] = {
      {"\t", "<TAB>"}, {"\xC2\xA0", "<NBSP>"}, {"\xE2\x80\xAF", "<NNBSP>"},
      {"\xE2\x80\x89", "<THSP>"}, {"\xE2\x80\x8B", "<ZWSP>"}, {"\xE2\x80\x8E", "<LRM>"},
      {"\xE2\x80\x8F", "<RLM>"}, {"\xEF\xBB\xBF", "<BOM>"}, {"\xEF\xBF\xBD", "<U+FFFD>"},
  };
  const std::size_t end = line.find_last_not_of(' ') + 1;
  std::string out;
  for (std::size_t i = 0; i < end;) {
    const auto named = std::find_if(std::begin(kNamed), std::end(kNamed), [&](const auto& n) {
      return line.compare(i, std::strlen(n.first), n.first) == 0;
    });
    if (named != std::end(kNamed)) {
      out += named->second;
      i += std::strlen(named->first);
    } else if (static_cast<unsigned char>(line[i]) < 0x20) {
      char spelled[12];
      std::snprintf(spelled, sizeof spelled, "<U+%04X>", static_cast<unsigned>(line[i++]));
      out += spelled;
    } else {
      out += line[i++];
    }
  }
  for (std::size_t i = end; i < line.size(); ++i) out += "<SP>";
  return out;
}

std::string firstDifferences(const std::string& expected_text, const std::string& actual_text,
                             std::size_t max_lines) {
  if (expected_text == actual_text) return "";
  const Lines expected = linesOf(expected_text);
  const Lines actual = linesOf(actual_text);
  if (expected == actual) return "the lines agree; only the newline at the end differs\n";

  std::string out;
  std::size_t shown = 0;
  std::size_t hunk_lines[2] = {};  // of expected, of actual
  const auto show = [&](char mark, const std::string& line) {
    hunk_lines[0] += mark != '+';
    hunk_lines[1] += mark != '-';
    if (shown++ < max_lines) out += mark + namedInvisibles(line) + "\n";
  };
  std::size_t e = 0;
  std::size_t a = 0;
  while (shown < max_lines) {
    while (e < expected.size() && a < actual.size() && expected[e] == actual[a]) ++e, ++a;
    if (e == expected.size() && a == actual.size()) return out;
    // One hunk: the differing lines with the context around them, and every further
    // difference whose context touches it.
    const std::size_t e0 = e - std::min(e, kContext);
    const std::size_t a0 = a - std::min(a, kContext);
    std::string body;
    std::swap(out, body);
    hunk_lines[0] = hunk_lines[1] = 0;
    for (std::size_t k = e0; k < e; ++k) show(' ', expected[k]);
    for (;;) {
      const auto [removed, added] = differingFrom(expected, actual, e, a);
      for (std::size_t k = 0; k < removed; ++k) show('-', expected[e + k]);
      for (std::size_t k = 0; k < added; ++k) show('+', actual[a + k]);
      e += removed;
      a += added;
      std::size_t same = 0;
      while (same < 2 * kContext && e + same < expected.size() && a + same < actual.size() &&
             expected[e + same] == actual[a + same]) {
        ++same;
      }
      const bool next_touches = same < 2 * kContext && (e + same < expected.size() ||
                                                         a + same < actual.size());
      for (std::size_t k = 0; k < (next_touches ? same : std::min(same, kContext)); ++k) {
        show(' ', expected[e + k]);
      }
      if (!next_touches) break;
      e += same;
      a += same;
    }
    char header[96];
    std::snprintf(header, sizeof header, "@@ -%zu,%zu +%zu,%zu @@\n", e0 + 1, hunk_lines[0],
                  a0 + 1, hunk_lines[1]);
    out = body + header + out;
  }
  return out + "... (the listings differ further on)\n";
}

}  // namespace zq::testing
