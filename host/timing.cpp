// The "zqperf" timing service: elapsed, user and system time, and their differences.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <limits>
#include <new>

#include "host/kernel.h"

namespace zq::host {
namespace {

// A time value as GetTimes fills it: whole seconds, the milliseconds within that
// second, and the nanoseconds within that millisecond in the reserved half. A
// difference instead carries the whole milliseconds of the entire interval (what
// callers print), with the whole seconds beside them.
constexpr std::int64_t kNanosPerMilli = 1'000'000;
constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

TimeValue fromNanos(std::int64_t seconds, std::int64_t nanos) {
  TimeValue value{};
  value.seconds = seconds;
  value.milliseconds = static_cast<std::int32_t>(nanos / kNanosPerMilli);
  value.reserved = static_cast<std::int32_t>(nanos % kNanosPerMilli);
  return value;
}

std::int64_t nanosWithinSecond(const TimeValue& value) {
  return static_cast<std::int64_t>(value.milliseconds) * kNanosPerMilli + value.reserved;
}

std::int64_t destroyTimingService(TimingService* service) {
  destroyTiming(ownerOf<Timing>(service));
  return 0;
}

Status getTimes(TimingService* service, TimingRecord* out) {
  if (out == nullptr) return ZQ_NLS_INVALID_VALUE;
  if (takeFault(*ownerOf<Timing>(service)->kernel, ZQHOST_FAULT_GET_TIMES)) return ZQ_UNSUPPORTED;
  timespec now{};
  rusage usage{};
  if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return ZQ_UNSUPPORTED;
  if (getrusage(RUSAGE_SELF, &usage) != 0) return ZQ_UNSUPPORTED;
  out->elapsed = fromNanos(now.tv_sec, now.tv_nsec);
  out->user = fromNanos(usage.ru_utime.tv_sec, usage.ru_utime.tv_usec * 1000);
  out->system = fromNanos(usage.ru_stime.tv_sec, usage.ru_stime.tv_usec * 1000);
  return ZQ_OK;
}

// later - earlier. Whole milliseconds are truncated toward zero and held to the
// 32-bit field's range (about 24 days either way).
Status diffTimes(TimingService* /*service*/, const TimeValue* later, const TimeValue* earlier,
                 TimeValue* out) {
  if (later == nullptr || earlier == nullptr || out == nullptr) return ZQ_NLS_INVALID_VALUE;
  // Held to about 290 years so the nanosecond count cannot overflow.
  constexpr std::int64_t kMaxSeconds =
      std::numeric_limits<std::int64_t>::max() / kNanosPerSecond - 2;
  std::int64_t seconds = 0;
  if (__builtin_sub_overflow(later->seconds, earlier->seconds, &seconds)) {
    seconds = later->seconds > earlier->seconds ? kMaxSeconds : -kMaxSeconds;
  }
  seconds = std::clamp(seconds, -kMaxSeconds, kMaxSeconds);
  const std::int64_t nanos = seconds * kNanosPerSecond +
                             (nanosWithinSecond(*later) - nanosWithinSecond(*earlier));
  const std::int64_t millis = std::clamp<std::int64_t>(
      nanos / kNanosPerMilli, std::numeric_limits<std::int32_t>::min(),
      std::numeric_limits<std::int32_t>::max());
  out->seconds = nanos / kNanosPerSecond;
  out->milliseconds = static_cast<std::int32_t>(millis);
  out->reserved = static_cast<std::int32_t>(nanos % kNanosPerMilli);
  return ZQ_OK;
}

}  // namespace

TimingService* createTimingService(Kernel& kernel) {
  auto* timing = new (std::nothrow) Timing{};
  if (timing == nullptr) return nullptr;
  bindTable(timing);
  timing->abi.Destroy = destroyTimingService;
  timing->abi.GetTimes = getTimes;
  timing->abi.DiffTimes = diffTimes;
  timing->kernel = &kernel;
  kernel.timers.insert(timing);
  return &timing->abi;
}

void destroyTiming(Timing* timing) {
  timing->kernel->timers.erase(timing);
  delete timing;
}

}  // namespace zq::host
