// A unified-diff hunk of the first differing lines of two listings. The listings are
// long and mostly alike, so the difference ends at the nearest place past the first
// differing line where both sides agree again.
#include "tests/support/listing_diff.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

namespace zq::testing {
namespace {

// How many lines apart (on both sides together) two places that agree again may lie.
constexpr std::size_t kResyncReach = 400;
constexpr std::size_t kContext = 3;

using Lines = std::vector<std::string>;

Lines linesOf(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A line of listing text with its invisible characters named.
std::string namedInvisibles(const std::string& line) {
  // UTF-8 forms of the invisible characters the listings may hold, with their names.
  static const std::pair<const char*, const char*> kNamed[] = {
      {"\t", "<TAB>"},
      {"\xC2\xA0", "<NBSP>"},
      {"\xE2\x80\xAF", "<NNBSP>"},
      {"\xE2\x80\x89", "<THSP>"},
      {"\xE2\x80\x8B", "<ZWSP>"},
      {"\xE2\x80\x8E", "<LRM>"},
      {"\xE2\x80\x8F", "<RLM>"},
      {"\xEF\xBB\xBF", "<BOM>"},
      {"\xEF\xBF\xBD", "<U+FFFD>"},
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

// The lines of expected and of actual from `first` that differ before the two agree again,
// on a line or by both ending: the first such pair whose sum is smallest.
std::pair<std::size_t, std::size_t> differingFrom(const Lines& expected, const Lines& actual,
                                                  std::size_t first) {
  for (std::size_t reach = 1; reach <= kResyncReach; ++reach) {
    for (std::size_t removed = 0; removed <= reach; ++removed) {
      const std::size_t e = first + removed;
      const std::size_t a = first + reach - removed;
      if (e > expected.size() || a > actual.size()) continue;
      const bool ended = e == expected.size() || a == actual.size();
      if (ended ? e == expected.size() && a == actual.size() : expected[e] == actual[a]) {
        return {removed, reach - removed};
      }
    }
  }
  return {expected.size() - first, actual.size() - first};
}

}  // namespace

std::string firstDifferences(const std::string& expected_text, const std::string& actual_text,
                             std::size_t max_lines) {
  if (expected_text == actual_text) return "";
  const Lines expected = linesOf(expected_text);
  const Lines actual = linesOf(actual_text);
  if (expected == actual) return "the lines agree; only the newline at the end differs\n";

  std::size_t first = 0;
  while (first < expected.size() && first < actual.size() && expected[first] == actual[first]) {
    ++first;
  }
  const auto [removed, added] = differingFrom(expected, actual, first);
  const std::size_t e_end = first + removed;
  const std::size_t a_end = first + added;
  const std::size_t before = std::min(first, kContext);
  std::size_t after = 0;
  while (after < kContext && e_end + after < expected.size() && a_end + after < actual.size() &&
         expected[e_end + after] == actual[a_end + after]) {
    ++after;
  }
  char header[96];
  std::snprintf(header, sizeof header, "@@ -%zu,%zu +%zu,%zu @@\n", first - before + 1,
                before + removed + after, first - before + 1, before + added + after);
  std::string out = header;
  std::size_t shown = 0;
  const auto show = [&](char mark, const Lines& lines, std::size_t from, std::size_t count) {
    for (std::size_t k = from; k < from + count && shown++ < max_lines; ++k) {
      out += mark + namedInvisibles(lines[k]) + "\n";
    }
  };
  show(' ', expected, first - before, before);
  show('-', expected, first, removed);
  show('+', actual, first, added);
  show(' ', expected, e_end, after);
  const bool rest_agrees = std::equal(expected.begin() + e_end, expected.end(),
                                      actual.begin() + a_end, actual.end());
  return rest_agrees && shown <= max_lines ? out : out + "... (the listings differ further on)\n";
}

}  // namespace zq::testing
