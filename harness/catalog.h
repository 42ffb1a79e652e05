// The suites zqtest knows: record words, entries, conformance suites by mask bit, locales.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "zq/harness.h"

namespace zq::harness {

struct SuiteInfo {
  SuiteSlot slot;
  const char* entry;    // the suite entry's name
  int record_word;      // its word in the extension record
  const char* locales;  // blank-separated, in the order run; "" when they vary by selection
};

struct ConformanceSuiteInfo {
  const char* name;
  const char* source;      // the source name its checks pass
  std::uint32_t mask_bit;  // the selection-mask bit that runs it
  const char* locales;
};

// The five suites in record order, and the conformance driver's suites in the order it runs them.
std::span<const SuiteInfo> suiteCatalog();
std::span<const ConformanceSuiteInfo> conformanceCatalog();

// The report row of a check made by `suite` with `source`: the conformance suite whose
// source it is when the conformance driver runs, else the suite itself.
std::string areaOf(const std::string& suite, const std::string& source);

// The command-line suite behind a report row, and for a conformance suite its mask
// bit (0 for the others).
std::string suiteOfArea(const std::string& area);
std::uint32_t maskBitOfArea(const std::string& area);

// What --list prints.
std::string listText();

}  // namespace zq::harness
