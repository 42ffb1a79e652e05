// One pattern engine for dates, times and datetimes: a compiled pattern writes a value
// as text and reads that text back to the same value.
//
// Pattern syntax. ASCII letters name fields; every other unit is literal text, and
// ASCII letters meant literally are quoted ('h', 'Uhr'):
//
//   yyyy  year, four digits          yy    year, two digits (1960-2059 when read)
//   MM    month, two digits          _M    month, two units: blank and digit below 10
//   MMM   month abbreviation         MMMM  month name, in the form dates use
//   dd    day, two digits            _d    day, two units: blank and digit below 10
//   EEEE  weekday name
//   HH    hour 00-23                 hh    hour 01-12, with `a`
//   mm    minute 00-59               ss    second 00-59
//   a     the day period's marker (before noon, from noon)
//
// A pattern holds a date (a year, a month and a day, each once, and optionally the
// weekday), a time (an hour and a minute, optionally a second), or both. The
// constructor runs at compile time, so a malformed pattern does not compile.
//
// Reading is strict to the pattern: literals match exactly, numbers have exactly the
// units the pattern writes, and the text must end where the pattern does. Names and
// day-period markers match whatever their case ("jun", "JUNI", "am"), with the Latin
// and the Cyrillic I as one letter (sameIgnoringCase); among names
// that match, the longest wins. A date must exist (no 29 February 2003), a weekday
// must be the date's own, and a time's fields must be in range; a time without
// seconds reads as its whole minute. Every read stays within the text's length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "host/nls/calendar.h"
#include "zq/types.h"

namespace zq::host {

// The words a locale writes in dates.
struct DateNames {
  std::array<std::u32string_view, 12> months;  // January first; the form used in dates
  std::array<std::u32string_view, 12> month_abbreviations;
  std::array<std::u32string_view, 7> weekdays;     // Sunday first
  std::array<std::u32string_view, 2> day_periods;  // before noon, from noon on
};

// The length of the longest of `names`.
template <std::size_t N>
constexpr std::size_t longestName(const std::array<std::u32string_view, N>& names) {
  std::size_t most = 0;
  for (std::u32string_view name : names) most = name.size() > most ? name.size() : most;
  return most;
}

enum class DateField : std::uint8_t {
  kLiteral,
  kYear,
  kTwoDigitYear,
  kMonth,
  kBlankPaddedMonth,
  kMonthAbbreviation,
  kMonthName,
  kDay,
  kBlankPaddedDay,
  kWeekdayName,
  kHour,
  kHourOfHalfDay,
  kMinute,
  kSecond,
  kDayPeriod,
};

struct PatternElement {
  DateField field;
  std::uint8_t literal_offset;  // kLiteral: where its units start in the literal pool
  std::uint8_t literal_length;
};

class DatePattern {
 public:
  static constexpr std::size_t kMaxElements = 16;
  static constexpr std::size_t kMaxLiteralUnits = 32;

  consteval explicit DatePattern(std::u32string_view source) : source_(source) {
    std::size_t i = 0;
    while (i < source.size()) {
      const char32_t unit = source[i];
      if (unit == U'\'') {
        const std::size_t close = source.find(U'\'', i + 1);
        if (close == std::u32string_view::npos) fail("unterminated quote");
        appendLiteral(source.substr(i + 1, close - i - 1));
        i = close + 1;
        continue;
      }
      const bool blank_padded = unit == U'_';
      const std::size_t start = blank_padded ? i + 1 : i;
      if (start >= source.size() || !isAsciiLetter(source[start])) {
        if (blank_padded) fail("'_' must precede M or d");
        appendLiteral(source.substr(i, 1));
        ++i;
        continue;
      }
      std::size_t run = 1;
      while (start + run < source.size() && source[start + run] == source[start]) ++run;
      appendField(fieldOf(source[start], run, blank_padded));
      i = start + run;
    }
    checkCompleteness();
  }

  std::span<const PatternElement> elements() const { return {elements_.data(), count_}; }
  std::u32string_view literal(const PatternElement& element) const {
    return {literals_.data() + element.literal_offset, element.literal_length};
  }
  constexpr bool has(DateField field) const { return (fields_ >> static_cast<int>(field)) & 1; }
  constexpr bool hasDate() const { return has(DateField::kDay) || has(DateField::kBlankPaddedDay); }
  constexpr bool hasTime() const { return has(DateField::kMinute); }
  constexpr std::u32string_view source() const { return source_; }

  // The longest text the pattern can write with `names`.
  constexpr std::size_t maxLength(const DateNames& names) const {
    std::size_t total = 0;
    for (std::size_t i = 0; i < count_; ++i) {
      const PatternElement& e = elements_[i];
      switch (e.field) {
        case DateField::kLiteral: total += e.literal_length; break;
        case DateField::kYear: total += 4; break;
        case DateField::kMonthAbbreviation: total += longestName(names.month_abbreviations); break;
        case DateField::kMonthName: total += longestName(names.months); break;
        case DateField::kWeekdayName: total += longestName(names.weekdays); break;
        case DateField::kDayPeriod: total += longestName(names.day_periods); break;
        case DateField::kTwoDigitYear:
        case DateField::kMonth:
        case DateField::kBlankPaddedMonth:
        case DateField::kDay:
        case DateField::kBlankPaddedDay:
        case DateField::kHour:
        case DateField::kHourOfHalfDay:
        case DateField::kMinute:
        case DateField::kSecond: total += 2; break;
      }
    }
    return total;
  }

 private:
  // Not constexpr: a compile-time call to it makes a malformed pattern a compile error
  // that shows the reason.
  static void fail(const char* /*why*/) {}

  static constexpr bool isAsciiLetter(char32_t unit) {
    return (unit >= U'a' && unit <= U'z') || (unit >= U'A' && unit <= U'Z');
  }

  static consteval DateField fieldOf(char32_t letter, std::size_t run, bool blank_padded) {
    if (blank_padded) {
      if (run == 1 && letter == U'M') return DateField::kBlankPaddedMonth;
      if (run == 1 && letter == U'd') return DateField::kBlankPaddedDay;
      fail("'_' must precede M or d");
    }
    // Letter and run length of every field.
    struct Spelling {
      char32_t letter;
      std::size_t run;
      DateField field;
    };
    constexpr Spelling kSpellings[] = {
        {U'y', 4, DateField::kYear},          {U'y', 2, DateField::kTwoDigitYear},
        {U'M', 2, DateField::kMonth},         {U'M', 3, DateField::kMonthAbbreviation},
        {U'M', 4, DateField::kMonthName},     {U'd', 2, DateField::kDay},
        {U'E', 4, DateField::kWeekdayName},   {U'H', 2, DateField::kHour},
        {U'h', 2, DateField::kHourOfHalfDay}, {U'm', 2, DateField::kMinute},
        {U's', 2, DateField::kSecond},        {U'a', 1, DateField::kDayPeriod},
    };
    for (const Spelling& s : kSpellings) {
      if (s.letter == letter && s.run == run) return s.field;
    }
    fail("unknown field letters");
    return DateField::kLiteral;
  }

  consteval void appendLiteral(std::u32string_view text) {
    if (text.empty()) return;
    if (literal_count_ + text.size() > kMaxLiteralUnits) fail("literal pool full");
    if (count_ == 0 || elements_[count_ - 1].field != DateField::kLiteral) {
      if (count_ == kMaxElements) fail("too many elements");
      elements_[count_++] = {DateField::kLiteral, static_cast<std::uint8_t>(literal_count_), 0};
    }
    for (char32_t unit : text) literals_[literal_count_++] = unit;
    elements_[count_ - 1].literal_length += static_cast<std::uint8_t>(text.size());
  }

  consteval void appendField(DateField field) {
    if (has(field)) fail("a field appears twice");
    if (count_ == kMaxElements) fail("too many elements");
    elements_[count_++] = {field, 0, 0};
    fields_ |= std::uint32_t{1} << static_cast<int>(field);
  }

  consteval int countOf(std::initializer_list<DateField> fields) const {
    int n = 0;
    for (DateField f : fields) n += has(f) ? 1 : 0;
    return n;
  }

  consteval void checkCompleteness() const {
    const int years = countOf({DateField::kYear, DateField::kTwoDigitYear});
    const int months = countOf({DateField::kMonth, DateField::kBlankPaddedMonth,
                                DateField::kMonthAbbreviation, DateField::kMonthName});
    const int days = countOf({DateField::kDay, DateField::kBlankPaddedDay});
    if (years > 1 || months > 1 || days > 1 || years != months || months != days) {
      fail("a date needs one year, one month and one day");
    }
    if (has(DateField::kWeekdayName) && days == 0) fail("a weekday needs a date");
    const int hours = countOf({DateField::kHour, DateField::kHourOfHalfDay});
    if (hours > 1 || has(DateField::kHourOfHalfDay) != has(DateField::kDayPeriod)) {
      fail("one hour; hh goes with a");
    }
    if (hours != countOf({DateField::kMinute})) fail("a time needs an hour and a minute");
    if (has(DateField::kSecond) && hours == 0) fail("seconds need a time");
    if (days == 0 && hours == 0) fail("neither date nor time");
  }

  std::u32string_view source_;
  std::array<PatternElement, kMaxElements> elements_{};
  std::array<char32_t, kMaxLiteralUnits> literals_{};
  std::size_t count_ = 0;
  std::size_t literal_count_ = 0;
  std::uint32_t fields_ = 0;
};

// The longest text any locale's pattern writes; every pattern of the locale table
// is checked against it when the table compiles.
constexpr std::size_t kMaxDateTextUnits = 64;

// A value to write: the date is used when the pattern has one, and must then be
// valid; the second of the day when it has a time (0-86399).
struct DateTimeValue {
  CivilDate date;
  std::int32_t second_of_day;
};

// Writes `value` under `pattern` to `out`, which has room for kMaxDateTextUnits,
// and returns the number of units written.
std::size_t writeDateText(const DatePattern& pattern, const DateNames& names,
                          const DateTimeValue& value, ZQChar* out);

// What reading a text found. `consumed` counts the units read: on success the
// whole text; on failure the units matched before the mismatch, or the whole text
// when it matched the pattern but names no date or time (31 September).
struct DateReading {
  bool ok;
  std::int64_t consumed;
  DateTimeValue value;  // when ok; the parts the pattern lacks are 0
};

// Reads text[0, length) under `pattern`. With `skip_leading_blanks`, blanks (U+0020)
// before the text are read and counted. Precondition: length >= 0, and text is not
// null when length > 0.
DateReading readDateText(const DatePattern& pattern, const DateNames& names,
                         bool skip_leading_blanks, const ZQChar* text, std::int64_t length);

}  // namespace zq::host
