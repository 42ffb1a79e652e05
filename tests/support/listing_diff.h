// The first differences between two listings, as a unified diff a reader can act on.
#pragma once

#include <string>

namespace zq::testing {

// "" when `expected` and `actual` are the same text. Otherwise one hunk, unified-diff
// style ("-" expected, "+" actual, with three lines of context), from the first line in
// which they differ to the last, cut to at most `max_lines` lines shared between the
// two sides. Each line has its invisible characters named: <TAB>, <NBSP>, <NNBSP>,
// <THSP>, <ZWSP>, <LRM>, <RLM>, <BOM>, <U+FFFD>, a <SP> for each trailing blank and
// <U+XXXX> for other controls.
std::string firstDifferences(const std::string& expected, const std::string& actual,
                             std::size_t max_lines = 40);

}  // namespace zq::testing
