// Tests of the "zqperf" timing service reached through the kernel's GetService.
#include <gtest/gtest.h>

#include <climits>
#include <ctime>

#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq {
namespace {

class TimingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ZQChar name[] = {'z', 'q', 'p', 'e', 'r', 'f'};
    service_ = static_cast<TimingService*>(kernel_->GetService(kernel_, name, 6, 0));
    ASSERT_NE(service_, nullptr);
  }
  void TearDown() override {
    if (service_ != nullptr) service_->Destroy(service_);
    zqhostDestroy(kernel_);
  }
  std::int32_t millis(TimeValue later, TimeValue earlier) {
    TimeValue out{};
    EXPECT_EQ(service_->DiffTimes(service_, &later, &earlier, &out), ZQ_OK);
    return out.milliseconds;
  }
  KernelHandle* kernel_ = static_cast<KernelHandle*>(zqhostCreate());
  TimingService* service_ = nullptr;
};

TEST_F(TimingTest, DifferencesCarryWholeMilliseconds) {
  // {seconds, milliseconds within the second, nanoseconds within the millisecond}
  EXPECT_EQ(millis({5, 250, 0}, {3, 750, 0}), 1500);
  EXPECT_EQ(millis({3, 750, 0}, {5, 250, 0}), -1500);
  EXPECT_EQ(millis({0, 1, 500000}, {0, 0, 600000}), 0);  // 0.9 ms
  EXPECT_EQ(millis({0, 2, 100000}, {0, 0, 600000}), 1);  // 1.5 ms
  EXPECT_EQ(millis({1000000000, 0, 0}, {0, 0, 0}), INT32_MAX);
  EXPECT_EQ(millis({LLONG_MIN, 0, 0}, {LLONG_MAX, 0, 0}), INT32_MIN);
  TimeValue out{};
  EXPECT_NE(service_->DiffTimes(service_, nullptr, &out, &out), ZQ_OK);
}

TEST_F(TimingTest, MeasuresElapsedAndProcessorTime) {
  TimingRecord start{};
  TimingRecord end{};
  ASSERT_EQ(service_->GetTimes(service_, &start), ZQ_OK);
  // Spin until the C library's own clock shows 50 ms of processor time used.
  const std::clock_t until = std::clock() + 50 * CLOCKS_PER_SEC / 1000;
  while (std::clock() < until) {
  }
  ASSERT_EQ(service_->GetTimes(service_, &end), ZQ_OK);
  const std::int32_t elapsed = millis(end.elapsed, start.elapsed);
  const std::int32_t cpu = millis(end.user, start.user) + millis(end.system, start.system);
  EXPECT_GE(cpu, 45);
  EXPECT_LT(cpu, 10000);
  EXPECT_GE(elapsed, cpu - 5);  // one thread cannot use more processor than wall time
  EXPECT_NE(service_->GetTimes(service_, nullptr), ZQ_OK);
}

}  // namespace
}  // namespace zq
