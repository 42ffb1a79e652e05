// The NLS service: locale creation, and the operations that answer "not available"
// until they are built.
#include <bit>
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
      {U"en_USX", 6}, {U"en_US", 0}, {U"en_US", -5}};
  for (const auto& [name, length] : kRefused) {
    EXPECT_EQ(nls()->zqnlsLocaleCreate(nls(), units(name), length), nullptr)
        << readable(name) << " " << length;
  }
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nls(), nullptr, 5), nullptr);
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nullptr, units(U"en_US"), 5), nullptr);
  EXPECT_EQ(host::liveLocaleCount(nls()), 0u);
}

// Operations not built yet must still be safe to call: a clear status and no
// stale outputs, with null pointers too.
TEST_F(NlsServiceTest, UnavailableOperationsAnswerInvalidValueAndClearOutputs) {
  EncodingProperties properties;
  properties.number = 5;
  EXPECT_EQ(nls()->zqnlsGetEncodingProperties(nls(), 20, &properties), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(properties.number, 0);
  auto* manager = reinterpret_cast<StringManager*>(&properties);
  EXPECT_EQ(nls()->zqnlsSMCreate(nls(), 20, 0, &manager), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(manager, nullptr);

  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  ZQChar buffer[8] = {};
  const ZQChar text[] = {'1', '2'};
  std::int64_t length = 9;
  // Whether a call answered "invalid" and set `length` (9 before it) to 0.
  const auto refused = [&](Status status) {
    const bool cleared = std::exchange(length, 9) == 0;
    return status == ZQ_NLS_INVALID_VALUE && cleared;
  };
  EXPECT_TRUE(refused(l->zqnlsLocaleDateFormat(l, 9, 17, 2001, 1, buffer, 8, &length)));
  EXPECT_TRUE(refused(l->zqnlsLocaleTimeFormat(l, 1.5, 0, buffer, 8, &length)));
  EXPECT_TRUE(refused(l->zqnlsLocaleDatetimeFormat(l, 1.5, 0, buffer, 8, &length)));
  EXPECT_TRUE(
      refused(l->zqnlsLocaleDoubleFormatWithExOpts(l, 1.5, 10, 2, 0, buffer, 8, &length, nullptr)));
  for (auto format : {l->zqnlsLocaleDoubleFormat, l->zqnlsLocaleCurrencyFormat,
                      l->zqnlsLocalePercentFormat}) {
    EXPECT_TRUE(refused(format(l, 1.5, 10, 2, 0, buffer, 8, &length)));
    EXPECT_EQ(format(l, 1.5, 10, 2, 0, nullptr, 8, nullptr), ZQ_NLS_INVALID_VALUE);
  }
  double value = 1.0;
  for (auto parse : {l->zqnlsLocaleBufferToDatetime, l->zqnlsLocaleBufferToTime}) {
    EXPECT_TRUE(refused(parse(l, text, 2, 0, &value, &length)));
    // The missing value, not the stale 1.0.
    EXPECT_EQ(std::bit_cast<std::uint64_t>(std::exchange(value, 1.0)), 0xFFFFFE0000000000u);
    EXPECT_EQ(parse(l, nullptr, 2, 0, nullptr, nullptr), ZQ_NLS_INVALID_VALUE);
  }
  std::int32_t month = 7;
  EXPECT_TRUE(
      refused(l->zqnlsLocaleBufferToDate(l, text, 2, 0, &month, nullptr, nullptr, &length)));
  EXPECT_EQ(month, 0);
  EXPECT_EQ(l->zqnlsLocaleBufferToDate(l, nullptr, 2, 0, nullptr, nullptr, nullptr, nullptr),
            ZQ_NLS_INVALID_VALUE);
}

}  // namespace
}  // namespace zq::testing
