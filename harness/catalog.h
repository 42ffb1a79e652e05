// The suites zqtest knows: record words, entries, conformance suites by mask bit, locales.
#pragma once

#include <cstdint>
#include <string>

namespace zq::harness {

// The report row of a check made by `suite` with `source`: the conformance suite whose
// source it is when the conformance driver runs, else the suite itself.
std::string areaOf(const std::string& suite, const std::string& source);

// The mask bit of a conformance suite's report row (0 for the other rows).
std::uint32_t maskBitOfArea(const std::string& area);

// What --list prints.
std::string listText();

}  // namespace zq::harness
