// The NLS service: locale creation and destruction.
#include <utility>

#include "host/nls/service.h"
#include "nls_support.h"

namespace zq::testing {
namespace {

class NlsServiceTest : public NlsTest {};

TEST_F(NlsServiceTest, OnlyExactNamesGetAHandleAndDestroyReleasesIt) {
  EXPECT_EQ(nls()->kernel, kernel_);
  LocaleHandle* l = nls()->zqnlsLocaleCreate(nls(), units(U"en_US"), 5);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(host::liveLocaleCount(nls()), 1u);
  EXPECT_EQ(l->zqnlsLocaleDestroy(l), ZQ_OK);
  const std::pair<std::u32string, std::int64_t> kRefused[] = {
      {U"en_us", 5},  {U"en-US", 5}, {U"xx_XX", 5}, {U"en_US", 4},
      {U"en_USX", 6}, {U"en_US", 0}};
  for (const auto& [name, length] : kRefused) {
    EXPECT_EQ(nls()->zqnlsLocaleCreate(nls(), units(name), length), nullptr)
        << readable(name) << " " << length;
  }
  EXPECT_EQ(host::liveLocaleCount(nls()), 0u);
}

}  // namespace
}  // namespace zq::testing
