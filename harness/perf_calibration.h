// Choosing the iterations of a perf suite call so that each case it times runs long
// enough for the listing's whole milliseconds to mean something.
#pragma once

#include <cstdint>
#include <vector>

#include "harness/results.h"

namespace zq::harness {

// The CPU time each timed case of a calibrated call is given at least.
inline constexpr std::int64_t kCalibratedCaseMs = 100;
// The iterations of the first short call.
inline constexpr std::int32_t kFirstShortCallIterations = 1000;

// After a short call that timed `results` with `iterations` each: done with the
// iterations for the real call, or not yet with those for the next short call.
struct CalibrationStep {
  bool done = false;
  std::int32_t iterations = 0;
};

// The CPU milliseconds (user and system) of the fastest case; 0 for none.
std::int64_t fastestCpuMs(const std::vector<PerfResult>& results);

// Scales from the fastest case once its CPU time is large enough to scale from;
// until then the short calls grow, as far as the suite's signed 32-bit iterations
// word allows. A call that timed nothing keeps its iterations: there is nothing to
// calibrate.
CalibrationStep nextCalibrationStep(std::int32_t iterations,
                                    const std::vector<PerfResult>& results);

}  // namespace zq::harness
