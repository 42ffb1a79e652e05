// Unified-diff hunks of the first differing lines of two listings. The listings are
// long and mostly alike, so each difference is found by scanning forward from the
// last common line for the nearest place where both sides agree again.
#include "listing_diff.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace zq::testing {
namespace {

// How far apart two places that agree again may lie (lines skipped on both sides).
constexpr std::size_t kResyncReach = 400;
// Lines that must agree after a difference for the two sides to be in step again.
constexpr std::size_t kResyncLines = 3;
constexpr std::size_t kContext = 3;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// One run of differing lines: expected [e, e + removed), actual [a, a + added).
struct Block {
  std::size_t e, removed, a, added;
};

struct Sides {
  const std::vector<std::string>& expected;
  const std::vector<std::string>& actual;

  bool inStep(std::size_t e, std::size_t a) const {
    for (std::size_t k = 0; k < kResyncLines; ++k, ++e, ++a) {
      if (e == expected.size() || a == actual.size()) {
        return e == expected.size() && a == actual.size();
      }
      if (expected[e] != actual[a]) return false;
    }
    return true;
  }

  // The block that starts at the differing lines e and a.
  Block blockAt(std::size_t e, std::size_t a) const {
    for (std::size_t reach = 1; reach <= kResyncReach; ++reach) {
      for (std::size_t removed = 0; removed <= reach; ++removed) {
        const std::size_t added = reach - removed;
        if (e + removed > expected.size() || a + added > actual.size()) continue;
        if (inStep(e + removed, a + added)) return {e, removed, a, added};
      }
    }
    return {e, expected.size() - e, a, actual.size() - a};
  }
};

// A UTF-8 sequence starting at `i`, decoded; 0 bytes when it is not one.
struct Decoded {
  std::uint32_t code = 0;
  std::size_t bytes = 0;
};

Decoded decode(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return {lead, 1};
  const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return {};
  std::uint32_t code = lead & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return {};
    code = code << 6 | (byte(i + k) & 0x3F);
  }
  return {code, n};
}

bool unnamedInvisible(std::uint32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x2000 && c <= 0x200F) ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x205F && c <= 0x206F) || c == 0x3000 ||
         c == 0xFEFF;
}

std::string hunkHeader(const Block& first, const Block& last, std::size_t e_lines,
                       std::size_t a_lines) {
  const std::size_t e0 = first.e - std::min(first.e, kContext);
  const std::size_t a0 = first.a - std::min(first.a, kContext);
  const std::size_t e1 = std::min(last.e + last.removed + kContext, e_lines);
  const std::size_t a1 = std::min(last.a + last.added + kContext, a_lines);
  char header[96];
  std::snprintf(header, sizeof header, "@@ -%zu,%zu +%zu,%zu @@\n", e0 + 1, e1 - e0, a0 + 1,
                a1 - a0);
  return header;
}

}  // namespace

std::string namedInvisibles(const std::string& line) {
  std::size_t end = line.size();
  while (end > 0 && line[end - 1] == ' ') --end;
  std::string out;
  for (std::size_t i = 0; i < end;) {
    const Decoded d = decode(line, i);
    char spelled[16];
    if (d.bytes == 0) {
      std::snprintf(spelled, sizeof spelled, "<byte %02X>", static_cast<unsigned char>(line[i]));
      out += spelled;
      ++i;
      continue;
    }
    if (d.code == '\t') {
      out += "<TAB>";
    } else if (d.code == 0xA0) {
      out += "<NBSP>";
    } else if (d.code == 0x202F) {
      out += "<NNBSP>";
    } else if (unnamedInvisible(d.code)) {
      std::snprintf(spelled, sizeof spelled, "<U+%04X>", static_cast<unsigned>(d.code));
      out += spelled;
    } else {
      out.append(line, i, d.bytes);
    }
    i += d.bytes;
  }
  for (std::size_t i = end; i < line.size(); ++i) out += "<SP>";
  return out;
}

std::string firstDifferences(const std::string& expected, const std::string& actual,
                             std::size_t max_lines) {
  if (expected == actual) return "";
  const std::vector<std::string> e_lines = linesOf(expected);
  const std::vector<std::string> a_lines = linesOf(actual);
  if (e_lines == a_lines) return "the lines agree; only the newline at the end differs\n";
  const Sides sides{e_lines, a_lines};

  // The blocks of differing lines, as many as the shown lines can take.
  std::vector<Block> blocks;
  std::size_t shown = 0;
  std::size_t e = 0;
  std::size_t a = 0;
  bool more = false;
  while (e < e_lines.size() || a < a_lines.size()) {
    if (e < e_lines.size() && a < a_lines.size() && e_lines[e] == a_lines[a]) {
      ++e;
      ++a;
      continue;
    }
    if (shown >= max_lines) {
      more = true;
      break;
    }
    const Block block = sides.blockAt(e, a);
    blocks.push_back(block);
    shown += block.removed + block.added + 2 * kContext;
    e = block.e + block.removed;
    a = block.a + block.added;
  }

  std::string out;
  std::size_t left = max_lines;
  bool cut = false;
  const auto emit = [&](char mark, const std::string& line) {
    if (left == 0) {
      cut = true;
      return;
    }
    --left;
    out += mark;
    out += namedInvisibles(line);
    out += '\n';
  };
  for (std::size_t first = 0; first < blocks.size();) {
    // Blocks whose contexts touch share one hunk.
    std::size_t last = first;
    while (last + 1 < blocks.size() &&
           blocks[last + 1].e <= blocks[last].e + blocks[last].removed + 2 * kContext) {
      ++last;
    }
    out += hunkHeader(blocks[first], blocks[last], e_lines.size(), a_lines.size());
    std::size_t line = blocks[first].e - std::min(blocks[first].e, kContext);
    for (std::size_t b = first; b <= last; ++b) {
      for (; line < blocks[b].e; ++line) emit(' ', e_lines[line]);
      for (std::size_t k = 0; k < blocks[b].removed; ++k) emit('-', e_lines[line + k]);
      for (std::size_t k = 0; k < blocks[b].added; ++k) emit('+', a_lines[blocks[b].a + k]);
      line += blocks[b].removed;
    }
    const std::size_t context_end = std::min(line + kContext, e_lines.size());
    for (; line < context_end; ++line) emit(' ', e_lines[line]);
    first = last + 1;
  }
  if (more || cut) out += "... (the listings differ further on)\n";
  return out;
}

}  // namespace zq::testing
