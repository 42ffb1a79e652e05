// Turns ZQChar texts from the suites into readable UTF-8 for the harness's report.
#pragma once

#include <cstddef>
#include <string>

#include "zq/types.h"

namespace zq::harness {

// True for a unit that prints as nothing or as a plain blank: controls (U+0000
// included), spaces other than U+0020 (U+00A0 among them), line and paragraph
// separators, format characters, and units that are not Unicode scalar values.
bool isInvisible(ZQChar unit);

// UTF-8 form of `count` units in which every invisible unit is written as
// <U+XXXX> (at least four upper-case hex digits). `text` may be null only when
// `count` is 0.
std::string visibleUnits(const ZQChar* text, std::size_t count);

// The same for a whole text.
std::string visibleText(const std::u32string& text);

// Plain UTF-8 of `text`; units that are not Unicode scalar values become U+FFFD.
std::string utf8Of(const std::u32string& text);

// The same for a zero-terminated text: null gives "(null)"; at most `max_units`
// units are read, and a text that goes on past them ends in "...".
std::string visibleTerminated(const ZQChar* text, std::size_t max_units = 4096);

}  // namespace zq::harness
