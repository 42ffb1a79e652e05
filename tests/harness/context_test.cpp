// Where checks land: locale and family context, perf result lines, expectations files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/check_context.h"
#include "harness/expectations.h"
#include "harness/perf_listing.h"
#include "tests/support/test_support.h"

namespace zq::harness {
namespace {

TEST(CheckContext, ChecksLandInTheNewestLiveLocaleOrTheOneJustReleasedOrRefused) {
  CheckContext c;
  int a = 0;
  int b = 0;
  // Each event, then the locale a check made after it belongs to.
  const struct {
    const char* event;
    const void* handle;
    const char* name;
    const char* locale;
  } steps[] = {
      {"create", &a, "en_US", "en_US"},   {"create", &b, "fr_FR", "fr_FR"},
      {"destroy", &b, "", "fr_FR"},       {"step", nullptr, "next", "en_US"},
      {"create", nullptr, "xx_XX", "xx_XX"}, {"create", &b, "de_DE", "de_DE"},
      {"destroy", &a, "", "en_US"},       {"destroy", &a, "", "en_US"},
      {"step", nullptr, "next", "de_DE"}, {"destroy", &b, "", "de_DE"},
      {"step", nullptr, "next", ""},
  };
  for (const auto& s : steps) {
    const std::string event = s.event;
    if (event == "create") c.localeCreated(s.handle, s.name);
    if (event == "destroy") c.localeDestroyed(s.handle);
    if (event == "step") c.noteStep(s.name);
    EXPECT_EQ(c.locale(), s.locale) << s.event << " " << s.name;
  }
}

TEST(CheckContext, FamiliesAndJournalLines) {
  // The transcripts' JSON shows the families of whole steps; here a name inside a word.
  EXPECT_EQ(familyOf("xzqnlsNot a word, zqnlsBufferToDouble(1)"), "zqnlsBufferToDouble");

  CheckContext c;
  const std::u32string text = U"\n ** en_US TESTS ** \n\n  TEST01: bad\n \t\n";
  c.journalText(zq::testing::units(text), zq::testing::lengthOf(text));
  EXPECT_EQ(c.takeJournalLines(), (std::vector<std::u32string>{U" ** en_US TESTS ** ", U"  TEST01: bad"}));
}

// The transcripts read the fixture's plain result lines; here the layout's edges.
TEST(PerfListing, ResultLinesAreReadByTheirLayoutAndEverythingElseIsSkipped) {
  const std::string listing =
      "Performance Test for ZqvnlePerf \n"
      "ROUTINE                   LOCALE   ENCODING       ITERATIONS    USER CPU (ms)   SYSTEM CPU "
      "(ms)   ELAPSED TIME (ms)   DESCRIPTION\n"
      "zqnlsStringToDouble       fr_FR    Windows 1256   10000000      000000000000    000000000000 "
      "     -00000000001        Double value of 908123        \n"
      "zqnlsLocaleCurrencyFormat ar_SY                   7             1               2           "
      "     3        \n"
      "zqnlsStringToDouble       fr_FR    UTF-8          12x           1               2           "
      "     3        x\n";
  const std::vector<PerfResult> results = parsePerfListing(listing);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].encoding, "Windows 1256");
  EXPECT_EQ(results[0].elapsed_ms, -1);
  EXPECT_EQ(results[1].encoding, "");
  EXPECT_EQ(results[1].description, "");
}

TEST(Expectations, MalformedLinesAreRefusedWithTheirNumber) {
  const std::pair<std::string, std::string> cases[] = {
      {"sanity1\n", "1: a suite needs a locale"},
      {"# note\n\nsanity1 fr_FR steps \"x\" why\n", "3: expected step"},
      {"sanity1 fr_FR step \"open why\n", "1: step needs a text in double quotes"},
      {"sanity1 - at zqvnli1 why\n", "1: at needs SOURCE:LINE"},
      {"sanity1 - at zqvnli1:12a why\n", "1: at needs SOURCE:LINE"},
  };
  for (const auto& [text, error] : cases) EXPECT_EQ(parseExpectations(text).error.rfind(error, 0), 0u) << text;

  const ParsedExpectations good =
      parseExpectations("integerTest2 fr_FR step \"say \\\"1 234\\\" \\\\ \" host groups with U+0020\r\n"
                        "sanity2 - at a:b:40000  known\n");
  ASSERT_EQ(good.error, "");
  ASSERT_EQ(good.entries.size(), 2u);
  EXPECT_EQ(good.entries[0].step, "say \"1 234\" \\ ");
  EXPECT_EQ(good.entries[0].reason, "host groups with U+0020");
  EXPECT_EQ(good.entries[0].key(), "step \"say \\\"1 234\\\" \\\\ \"");
  EXPECT_EQ(good.entries[1].source, "a:b");
}

}  // namespace
}  // namespace zq::harness
