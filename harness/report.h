// The text zqtest prints for each suite run and at the end of a run.
#pragma once

#include <cstdint>
#include <string>

#include "harness/services.h"

namespace zq::harness {

// "sanity1: 512 checks, 512 passed, 0 failed, 14 ms" and a newline, followed by
// the kept failures with their details, a line counting failures not shown, and,
// when `by_service` is set, the checks counted per service.
std::string suiteReport(const std::string& suite_name, const SuiteTally& tally,
                        std::int64_t elapsed_ms, bool by_service);

// The closing line: "N passed, N failed" and a newline.
std::string closingLine(std::int64_t passed, std::int64_t failed);

}  // namespace zq::harness
