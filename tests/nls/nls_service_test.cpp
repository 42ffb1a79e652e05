// The NLS service: its handle words, locale creation and destruction, and the
// operations that answer "not available" until they are built.
#include <bit>

#include "host/nls/service.h"
#include "nls_support.h"

namespace zq::testing {
namespace {

const char32_t* const kLocaleNames[] = {
    U"cs_CZ", U"de_DE", U"en_US", U"es_ES", U"es_MX", U"fr_FR", U"he_IL",
    U"hu_HU", U"it_IT", U"ja_JP", U"ko_KR", U"nl_NL", U"pl_PL", U"ru_RU",
    U"sk_SK", U"sv_SE", U"zh_CN", U"zh_TW", U"ar_SY", U"ar_SD", U"kk_KZ"};

class NlsServiceTest : public NlsTest {
 protected:
  LocaleHandle* create(const std::u32string& name, std::int64_t length) {
    return nls()->zqnlsLocaleCreate(nls(), units(name), length);
  }
  std::size_t live() { return host::liveLocaleCount(nls()); }
};

TEST_F(NlsServiceTest, HandleCarriesKernelAndOperations) {
  EXPECT_EQ(nls()->kernel, kernel_);
  EXPECT_EQ(nls()->character_database, nullptr);
  EncodingProperties properties;
  properties.number = 5;
  EXPECT_EQ(nls()->zqnlsGetEncodingProperties(nls(), 20, &properties), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(properties.number, 0);
  auto* manager = reinterpret_cast<StringManager*>(&properties);
  EXPECT_EQ(nls()->zqnlsSMCreate(nls(), 20, 0, &manager), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(manager, nullptr);
}

TEST_F(NlsServiceTest, EverySupportedLocaleHasAFullTable) {
  for (const char32_t* name : kLocaleNames) {
    LocaleHandle* l = create(name, 5);
    ASSERT_NE(l, nullptr) << readable(name);
    const auto* words = reinterpret_cast<void* const*>(l);
    for (int word : {2,  37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49,
                     50, 51, 52, 53, 54, 59, 64, 65, 68, 69, 70, 91}) {
      EXPECT_NE(words[word], nullptr) << readable(name) << " word " << word;
    }
    EXPECT_EQ(live(), 1u);
    EXPECT_EQ(l->zqnlsLocaleDestroy(l), ZQ_OK);
    EXPECT_EQ(live(), 0u);
  }
}

TEST_F(NlsServiceTest, OtherNamesAndLengthsGetNoHandle) {
  EXPECT_EQ(create(U"en_us", 5), nullptr);
  EXPECT_EQ(create(U"en-US", 5), nullptr);
  EXPECT_EQ(create(U"xx_XX", 5), nullptr);
  EXPECT_EQ(create(U"en_US", 4), nullptr);
  EXPECT_EQ(create(U"en_USX", 6), nullptr);
  EXPECT_EQ(create(U"en_US", 0), nullptr);
  EXPECT_EQ(create(U"en_US", -5), nullptr);
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nls(), nullptr, 5), nullptr);
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nullptr, units(U"en_US"), 5), nullptr);
  EXPECT_EQ(live(), 0u);
}

TEST_F(NlsServiceTest, InjectedFaultFailsExactlyTheChosenCreation) {
  zqhostInjectFault(kernel_, ZQHOST_FAULT_LOCALE_CREATE, 2);
  LocaleHandle* first = create(U"en_US", 5);
  LocaleHandle* second = create(U"en_US", 5);
  LocaleHandle* third = create(U"en_US", 5);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_NE(third, nullptr);
  EXPECT_EQ(live(), 2u);
  for (LocaleHandle* l : {first, third}) {
    if (l != nullptr) {
      EXPECT_EQ(l->zqnlsLocaleDestroy(l), ZQ_OK);
    }
  }
}

// Operations not built yet must still be safe to call: a clear status and no
// stale outputs, with null pointers too.
TEST_F(NlsServiceTest, UnavailableOperationsAnswerInvalidValueAndClearOutputs) {
  LocaleHandle* l = locale(U"en_US");
  ASSERT_NE(l, nullptr);
  ZQChar buffer[8] = {};
  const ZQChar text[] = {'1', '2'};
  std::int64_t length = 9;
  double value = 1.0;
  EXPECT_EQ(l->zqnlsLocaleDateFormat(l, 9, 17, 2001, 1, buffer, 8, &length), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(length, 0);
  for (auto format : {l->zqnlsLocaleDoubleFormat, l->zqnlsLocaleCurrencyFormat,
                      l->zqnlsLocalePercentFormat}) {
    length = 9;
    EXPECT_EQ(format(l, 1.5, 10, 2, 0, buffer, 8, &length), ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(format(l, 1.5, 10, 2, 0, nullptr, 8, nullptr), ZQ_NLS_INVALID_VALUE);
  }
  for (auto parse : {l->zqnlsLocaleBufferToDatetime, l->zqnlsLocaleBufferToTime,
                     l->zqnlsLocaleBufferToDoubleWithOpts}) {
    length = 9;
    value = 1.0;
    EXPECT_EQ(parse(l, text, 2, 0, &value, &length), ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(value), 0xFFFFFE0000000000u);  // missing
    EXPECT_EQ(parse(l, nullptr, 2, 0, nullptr, nullptr), ZQ_NLS_INVALID_VALUE);
  }
  EXPECT_EQ(l->zqnlsLocaleBufferToDate(l, nullptr, 2, 0, nullptr, nullptr, nullptr, nullptr),
            ZQ_NLS_INVALID_VALUE);
}

}  // namespace
}  // namespace zq::testing
