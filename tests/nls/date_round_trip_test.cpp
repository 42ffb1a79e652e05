// Date and time operations over whole ranges: every day from 1582 to 3010 and sampled
// datetimes round-trip in every locale, and bad values and bad arguments of any size
// give a status and a bounded result.
#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "date_support.h"
#include "host/nls/locale_data.h"

namespace zq::testing {
namespace {

constexpr Status kBad = ZQ_NLS_DTIFMTERR;
constexpr Status kInvalid = ZQ_NLS_INVALID_VALUE;
const Formatted kRefused{kInvalid, 0, U""};

class DateRoundTripTest : public NlsTest {
 protected:
  // Every locale of the host, by name.
  std::vector<std::pair<std::u32string, LocaleHandle*>> everyLocale() {
    std::vector<std::pair<std::u32string, LocaleHandle*>> all;
    for (const host::LocaleData& row : host::allLocaleData()) {
      const std::u32string name(row.name, row.name + 5);
      all.emplace_back(name, locale(name));
    }
    return all;
  }
};

// Text -> value -> the same text for every form; value -> text -> the same value
// wherever the form holds the whole value. ko_KR's short form holds two year digits.
TEST_F(DateRoundTripTest, EveryDayFrom1582To3010InEveryLocaleAndStyle) {
  using namespace std::chrono;
  for (const auto& [name, l] : everyLocale()) {
    SCOPED_TRACE(readable(name));
    int failures = 0;
    for (sys_days day = sys_days{year{1582} / 1 / 1}; day <= sys_days{year{3010} / 12 / 31};
         day += days{1}) {
      const year_month_day ymd{day};
      const Ymd date{int{ymd.year()}, static_cast<std::int32_t>(unsigned{ymd.month()}),
                     static_cast<std::int32_t>(unsigned{ymd.day()})};
      for (std::int32_t style = 0; style <= 2; ++style) {
        // Straight calls on stack buffers: this loop makes 100 million of them.
        ZQChar text[72], again[72];
        std::int64_t length = 0, again_length = 0, consumed = 0;
        Ymd back{};
        const bool whole = style != 0 || name != U"ko_KR";
        const bool good =
            l->zqnlsLocaleDateFormat(l, date.month, date.day, date.year, style, text, 72,
                                     &length) == ZQ_OK &&
            l->zqnlsLocaleBufferToDate(l, text, length, style, &back.month, &back.day,
                                       &back.year, &consumed) == ZQ_OK &&
            consumed == length && (!whole || back == date) &&
            l->zqnlsLocaleDateFormat(l, back.month, back.day, back.year, style, again, 72,
                                     &again_length) == ZQ_OK &&
            std::u32string_view(reinterpret_cast<char32_t*>(text), length) ==
                std::u32string_view(reinterpret_cast<char32_t*>(again), again_length);
        if (!good && ++failures <= 3) {
          ADD_FAILURE() << date.year << "-" << date.month << "-" << date.day << " style "
                        << style;
        }
      }
    }
  }
}

TEST_F(DateRoundTripTest, DatetimesAtRandomSecondsAndEveryTimeOfDay) {
  std::mt19937_64 random(1960);
  const double first = datetimeAt({1582, 1, 1}, 0);
  const double last = datetimeAt({3010, 12, 31}, 86399);
  std::uniform_int_distribution<std::int64_t> seconds(static_cast<std::int64_t>(first),
                                                      static_cast<std::int64_t>(last));
  for (const auto& [name, l] : everyLocale()) {
    SCOPED_TRACE(readable(name));
    int failures = 0;
    // The datetime text is the same for a whole minute when the form has no seconds.
    const bool minutes_only = formatDatetime(l, 1.0) == formatDatetime(l, 0.0);
    for (int i = 0; i < 20000; ++i) {
      const auto value = static_cast<double>(seconds(random));
      const Formatted text = formatDatetime(l, value + 0.25);
      const Parsed back = parse(l, Parser::kDatetime, text.text);
      const double whole = minutes_only ? value - std::fmod(value - first, 60.0) : value;
      const bool good = text.status == ZQ_OK && back == Parsed{ZQ_OK, text.length, {}, whole};
      if (!good && ++failures <= 3) ADD_FAILURE() << readable(text.text) << " -> " << back;
    }
    for (std::int32_t style = 0; style <= 1; ++style) {
      for (std::int32_t second = 0; second < 86400; ++second) {
        const Formatted text = formatTime(l, second, style);
        const bool good = text.status == ZQ_OK &&
                          parse(l, Parser::kTime, text.text, style) ==
                              Parsed{ZQ_OK, text.length, {}, static_cast<double>(second)};
        if (!good && ++failures <= 3) ADD_FAILURE() << readable(text.text);
      }
    }
  }
}

TEST_F(DateRoundTripTest, ValuesOutsideTheCalendarAreRefused) {
  LocaleHandle* en = locale(U"en_US");
  const Ymd kNoSuchDates[] = {{2000, 13, 31}, {2000, 0, 1},   {2000, 30, 2}, {1990, 9, 31},
                              {2003, 2, 29},  {1900, 2, 29},  {2000, 1, 0},  {2000, 1, 32},
                              {0, 12, 31},    {10000, 1, 1},  {INT_MIN, 1, 1}};
  for (const Ymd& d : kNoSuchDates) {
    EXPECT_EQ(formatDate(en, d, 1), kRefused) << d.year << "-" << d.month << "-" << d.day;
  }
  EXPECT_EQ(formatDate(en, {1, 1, 1}, 0), ok(U"01/01/0001"));

  const double first = datetimeAt({1, 1, 1}, 0);
  const double last = datetimeAt({9999, 12, 31}, 86399);
  EXPECT_EQ(formatDatetime(en, first), ok(U"01Jan0001:00:00:00"));
  EXPECT_EQ(formatDatetime(en, last + 0.5), ok(U"31Dec9999:23:59:59"));
  EXPECT_EQ(formatDatetime(en, -0.5), ok(U"31Dec1959:23:59:59"));
  const double kInf = std::numeric_limits<double>::infinity();
  for (double t : {-1.0, -0.001, 86400.0, kInf, -kInf}) EXPECT_EQ(formatTime(en, t, 1), kRefused);
  for (double t : {first - 0.5, last + 1, 1e300, kInf, -kInf}) {
    EXPECT_EQ(formatDatetime(en, t), kRefused) << t;
  }
}

TEST_F(DateRoundTripTest, AnyLengthAndOptionWordGivesABoundedResult) {
  for (const auto& [name, l] : everyLocale()) {
    SCOPED_TRACE(readable(name));
    const double datetime = datetimeAt({2004, 2, 29}, 13 * 3600 + 4 * 60 + 5);
    const std::u32string text = formatDatetime(l, datetime).text;
    // Every shorter length is a text cut short: rejected, read no further than given.
    for (std::int64_t n = 0; n < lengthOf(text); ++n) {
      const Parsed p = parse(l, Parser::kDatetime, text.substr(0, static_cast<std::size_t>(n)));
      EXPECT_EQ(p.status, kBad) << n;
      EXPECT_LE(p.consumed, n);
    }
  }
  LocaleHandle* en = locale(U"en_US");
  // 1 MiB of blanks is read to its end (en_US skips leading blanks); of digits, not.
  for (char32_t fill : {U' ', U'1'}) {
    const std::u32string huge(std::size_t{1} << 20, fill);
    EXPECT_EQ(parse(en, Parser::kDate, huge, 0).status, kBad);
    EXPECT_EQ(parse(en, Parser::kTime, huge, 1).status, kBad);
  }
  EXPECT_EQ(parse(en, Parser::kDate, std::u32string(1 << 20, U' '), 1).consumed, 1 << 20);
  // Option words that name no form: the formats refuse, the parsers find no date.
  // The reading options 4, 8, 16 and 32 name no format.
  for (std::int32_t option : {-1, 3, 4, 8, 16, 32, 12, INT_MAX, INT_MIN}) {
    EXPECT_EQ(formatDate(en, {2001, 1, 1}, option), kRefused) << option;
    EXPECT_EQ(formatTime(en, 0.0, option == 3 ? 2 : option), kRefused) << option;
    EXPECT_EQ(formatDatetime(en, 0.0, option), kRefused) << option;
  }
  for (std::int32_t option : {-1, 3, 12, 64, INT_MAX, INT_MIN}) {
    EXPECT_EQ(parse(en, Parser::kDate, U"01/01/2001", option), (Parsed{kBad, 0, {0, 0, 0}}));
    EXPECT_EQ(parse(en, Parser::kTime, U"00:00:00", option == 3 ? 2 : option).status, kBad);
    EXPECT_EQ(parse(en, Parser::kDatetime, U"01Jan1960:00:00:00", option).status, kBad);
  }
}

}  // namespace
}  // namespace zq::testing
