// The calibration's arithmetic: grow the short calls cheaply, then scale once.
#include "harness/perf_calibration.h"

#include <algorithm>
#include <limits>

namespace zq::harness {
namespace {

// A short call's fastest case must reach this much CPU time before the real call's
// iterations are scaled from it: its truncation then errs by at most a fifth, and
// always towards more iterations.
constexpr std::int64_t kScaleFromMs = 10;
// The real call aims this many percent of kCalibratedCaseMs, for the noise between calls.
constexpr std::int64_t kTargetPercent = 120;
// A short call that timed 0 ms grows by this factor.
constexpr std::int64_t kGrowthFromNothing = 10;

constexpr std::int64_t kMaxIterations = std::numeric_limits<std::int32_t>::max();

// ceil(a / b) for positive b, held to the iterations word.
std::int32_t clampedQuotient(std::int64_t a, std::int64_t b) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>((a + b - 1) / b, 1, kMaxIterations));
}

}  // namespace

std::int64_t fastestCpuMs(const std::vector<PerfResult>& results) {
  if (results.empty()) return 0;
  std::int64_t fastest_ms = std::numeric_limits<std::int64_t>::max();
  for (const PerfResult& r : results) fastest_ms = std::min(fastest_ms, r.user_ms + r.system_ms);
  return fastest_ms;
}

CalibrationStep nextCalibrationStep(std::int32_t iterations,
                                    const std::vector<PerfResult>& results) {
  if (results.empty()) return {true, iterations};
  const std::int64_t fastest_ms = fastestCpuMs(results);
  const std::int64_t now = iterations;
  if (fastest_ms >= kScaleFromMs) {
    return {true, clampedQuotient(now * kCalibratedCaseMs * kTargetPercent, fastest_ms * 100)};
  }
  if (now >= kMaxIterations) return {true, iterations};
  // To twice the figure needed, so that a figure just under it does not take two more
  // calls.
  if (fastest_ms <= 0) return {false, clampedQuotient(now * kGrowthFromNothing, 1)};
  return {false, clampedQuotient(now * 2 * kScaleFromMs, fastest_ms)};
}

}  // namespace zq::harness
