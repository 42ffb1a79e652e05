// The first differences between two listings, as a unified diff a reader can act on.
#pragma once

#include <string>

namespace zq::testing {

// "" when `expected` and `actual` are the same text. Otherwise the first hunks in
// which their lines differ, unified-diff style ("-" expected, "+" actual, with three
// lines of context), at most `max_lines` lines of them, each line with its invisible
// characters named: <TAB>, <NBSP>, <NNBSP>, a <SP> for each trailing blank, and
// <U+XXXX> for other controls, spaces, format characters and bytes that are not UTF-8.
std::string firstDifferences(const std::string& expected, const std::string& actual,
                             std::size_t max_lines = 40);

// A line of listing text with its invisible characters named as above.
std::string namedInvisibles(const std::string& line);

}  // namespace zq::testing
