// zqvnleFunction1 on the stand-in host: suite selection and the listing file, and a locale
// failure. (Its clean run's listing is a golden listing, tests/golden/function1.clean.)
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "recording_services.h"
#include "zq/host.h"
#include "zq/zqvnle.h"

namespace {

using zq::testing::Recorder;

std::vector<std::u32string> sources(std::initializer_list<const char32_t*> names) {
  std::vector<std::u32string> out;
  for (const char32_t* name : names) out.push_back(std::u32string(U"zqtest/src/") + name);
  return out;
}
const std::vector<std::u32string> kAllSuites = sources({U"zqvnlo1", U"zqvnlo2", U"zqvnlo3",
    U"zqvnlo4", U"zqvnlb1", U"zqvnlf1", U"zqvnli1", U"zqvnli2", U"zqvnli3", U"zqvnli4"});
const std::vector<std::u32string> kDateAndIntegers =
    sources({U"zqvnlf1", U"zqvnli1", U"zqvnli2", U"zqvnli3", U"zqvnli4"});

int openDescriptors() {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                        std::filesystem::directory_iterator{}));
}

struct ConformanceDriverRun : ::testing::Test {
  void SetUp() override { zqhostSetOutputDir(kernel, dir.path().c_str()); }
  void TearDown() override { EXPECT_EQ(zqhostDestroy(kernel), 0); }

  std::int64_t run(std::uint32_t mask, char32_t code0 = U'0', char32_t code1 = U'1') {
    recorder = Recorder{};
    zq::TestServices services = zq::testing::recordingServices(recorder);
    state = zq::SuiteState{};
    state.selection_mask = mask;
    zq::RunRecord run_record{};
    run_record.run_code[0] = code0;
    run_record.run_code[1] = code1;
    Exported_ZQHandle = kernel;
    const std::int64_t result = zqvnleFunction1(&services, 3, &state, &run_record, nullptr);
    Exported_ZQHandle = nullptr;
    return result;
  }

  // Every suite opens with its NLS check, which names the suite's source: the order of
  // those checks is the order in which the suites ran.
  std::vector<std::u32string> suitesRun() const {
    std::vector<std::u32string> out;
    for (const auto& check : recorder.checks) {
      if (check.expression == U"nls") out.push_back(check.file);
    }
    return out;
  }

  zq::testing::ScratchFolder dir;
  zq::KernelHandle* kernel = static_cast<zq::KernelHandle*>(zqhostCreate());
  Recorder recorder;
  zq::SuiteState state{};
};

TEST_F(ConformanceDriverRun, SelectionMaskPicksTheSuitesAndTheirOrder) {
  EXPECT_EQ(run(0), 0);
  EXPECT_EQ(suitesRun(), kAllSuites);
  EXPECT_EQ(state.selection_mask, 65535u);

  EXPECT_EQ(run(6), 0);
  EXPECT_EQ(suitesRun(), kDateAndIntegers);
  EXPECT_EQ(state.selection_mask, 6u);

  // Bit 8 selects nothing: the handles are still opened and released.
  const int descriptors = openDescriptors();
  EXPECT_EQ(run(8, U'A', U'7'), 0);
  EXPECT_TRUE(suitesRun().empty());
  ASSERT_EQ(recorder.checks.size(), 3u);
  EXPECT_EQ(recorder.checks[1].expression, U"fileh");
  EXPECT_EQ(recorder.checks[2].expression, U"jnlh");
  EXPECT_EQ(recorder.failures(), 0u);
  EXPECT_EQ(recorder.steps.back(), U"release the handles");
  EXPECT_TRUE(std::filesystem::exists(dir / "nlf1A7.lst"));
  EXPECT_EQ(openDescriptors(), descriptors);
}

TEST_F(ConformanceDriverRun, LocaleFailureStopsOneSuiteAndTheRunGoesOn) {
  zqhostInjectFault(kernel, ZQHOST_FAULT_LOCALE_CREATE, 2);  // integerTest1's zh_CN
  EXPECT_EQ(run(4), 0);
  EXPECT_TRUE(recorder.hasMessage(U"Failed to get handle for locale1"));
  EXPECT_EQ(suitesRun(), std::vector<std::u32string>(kDateAndIntegers.begin() + 1,
                                                     kDateAndIntegers.end()));
  // en_US ran; zh_TW, cs_CZ and nl_NL did not; the other suites ran their 12 locales.
  std::vector<std::u32string> banners;
  for (const auto& m : recorder.messages) {
    if (m.text.find(U" TESTS ") != std::u32string::npos) banners.push_back(m.text.substr(41, 5));
  }
  ASSERT_EQ(banners.size(), 13u);
  EXPECT_EQ(banners[0], U"en_US");
  EXPECT_EQ(banners[1], U"fr_FR");
}

}  // namespace
