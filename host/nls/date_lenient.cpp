// Lenient and period reading: a scanner cuts the text into numbers, the locale's
// words and separators, and small readers put those together as dates, times and
// periods.
//
// The scanner takes the longest thing at its position, so that "12月" is the month
// name rather than the number 12, "日曜日" the weekday rather than the fill word "日",
// and "1er trimestre" the quarter rather than the number 1. Each reading asks only
// for the kinds of word it understands: a week mark means nothing in a date.
#include "host/nls/date_lenient.h"

#include <algorithm>
#include <optional>
#include <span>

#include "host/nls/date_reader.h"

namespace zq::host {
namespace {

// The kinds of word a reading asks the scanner for, combined as a mask.
enum WordKind : std::uint32_t {
  kMonthWord = 1,
  kWeekdayWord = 2,
  kDayPeriodWord = 4,
  kDateFillWord = 8,
  kTimeMarkWord = 16,
  kQuarterWord = 32,
  kWeekMarkWord = 64,
};
constexpr std::uint32_t kDateWords = kMonthWord | kWeekdayWord | kDateFillWord;
constexpr std::uint32_t kTimeWords = kDayPeriodWord | kTimeMarkWord;

enum class TokenKind : std::uint8_t { kEnd, kNumber, kWord, kSeparator, kOther };

struct Token {
  TokenKind kind;
  WordKind word;        // kWord: its kind
  std::int32_t value;   // kNumber: its value, or -1 past kMaxNumberDigits; kWord: its index
  std::int64_t digits;  // kNumber: its digits
  ZQChar unit;          // kSeparator: the unit
  std::int64_t end;     // where the token ends
};

bool isBlank(ZQChar unit) { return unit == kBlank || unit == kNoBreakSpace || unit == 0; }

// Punctuation that may stand between fields; blanks are separators too.
bool isPunctuation(ZQChar unit) {
  return unit == ',' || unit == '-' || unit == '.' || unit == '/' || unit == ':';
}

// The most digits a number token carries the value of; longer numbers are never fields.
constexpr std::int64_t kMaxNumberDigits = 9;

class Scanner {
 public:
  Scanner(const DateLocale& locale, std::uint32_t kinds, const ZQChar* text,
          std::int64_t length)
      : locale_(locale), kinds_(kinds), reader_(text, length) {}

  std::int64_t at() const { return reader_.at(); }
  void moveTo(std::int64_t position) { reader_.moveTo(position); }
  void take(const Token& token) { reader_.moveTo(token.end); }

  // The token at the position. The readers look at most tokens more than once, so
  // the last one scanned is kept.
  Token peek() const {
    if (peeked_at_ != reader_.at()) {
      peeked_ = scan();
      peeked_at_ = reader_.at();
    }
    return peeked_;
  }
  bool atEnd() const { return peek().kind == TokenKind::kEnd; }

  // Passes over what may stand between date fields: blanks, punctuation but ':',
  // and fill words.
  void skipDateFill() {
    for (;;) {
      const Token t = peek();
      const bool fill = (t.kind == TokenKind::kSeparator && t.unit != ':') ||
                        (t.kind == TokenKind::kWord && t.word == kDateFillWord);
      if (!fill) return;
      take(t);
    }
  }
  void skipBlanks() {
    while (!reader_.atEnd() && isBlank(reader_.unit())) reader_.moveTo(reader_.at() + 1);
  }
  void skipSeparators() {
    for (Token t = peek(); t.kind == TokenKind::kSeparator; t = peek()) take(t);
  }

 private:
  Token scan() const {
    const std::int64_t at = reader_.at();
    if (reader_.atEnd()) return Token{TokenKind::kEnd, kMonthWord, 0, 0, 0, at};
    const ZQChar unit = reader_.unit();
    // No word begins with a blank (the date table checks it): runs of blanks cost no
    // word comparisons.
    if (isBlank(unit)) return Token{TokenKind::kSeparator, kMonthWord, 0, 0, unit, at + 1};
    Token best{TokenKind::kOther, kMonthWord, 0, 0, unit, at};
    std::size_t best_units = 0;
    const auto consider = [&](WordKind kind, std::span<const std::u32string_view> words) {
      if ((kinds_ & kind) == 0) return;
      for (std::size_t i = 0; i < words.size(); ++i) {
        const std::size_t units = reader_.matchedUnits(words[i]);
        if (units <= best_units) continue;
        best_units = units;
        best = Token{TokenKind::kWord, kind, static_cast<std::int32_t>(i), 0, 0,
                     at + static_cast<std::int64_t>(units)};
      }
    };
    const DateNames& names = locale_.names;
    const ReadingWords& words = locale_.words;
    consider(kMonthWord, names.months);
    consider(kMonthWord, names.month_abbreviations);
    consider(kWeekdayWord, names.weekdays);
    consider(kDayPeriodWord, names.day_periods);
    consider(kDateFillWord, words.date_fill);
    consider(kTimeMarkWord, words.time_marks);
    consider(kQuarterWord, words.quarters);
    consider(kQuarterWord, words.quarter_abbreviations);
    consider(kWeekMarkWord, words.week_marks);
    const std::int64_t digits = reader_.digitRun();
    if (digits > 0 && digits >= static_cast<std::int64_t>(best_units)) {
      Reader number = reader_;
      const auto kept = static_cast<int>(std::min(digits, kMaxNumberDigits));
      const std::int32_t value = digits <= kMaxNumberDigits ? number.digits(kept) : -1;
      return Token{TokenKind::kNumber, kMonthWord, value, digits, 0, at + digits};
    }
    if (best_units > 0) return best;
    if (isPunctuation(unit)) return Token{TokenKind::kSeparator, kMonthWord, 0, 0, unit, at + 1};
    return best;
  }

  const DateLocale& locale_;
  std::uint32_t kinds_;
  Reader reader_;
  mutable std::int64_t peeked_at_ = -1;
  mutable Token peeked_{};
};

bool isWord(const Token& token, WordKind kind) {
  return token.kind == TokenKind::kWord && token.word == kind;
}

// The year a number names: one or two digits a year of 1960-2059, four digits the
// year written; -1 for any other count.
std::int32_t yearOf(std::int32_t value, std::int64_t digits) {
  if (digits >= 1 && digits <= 2) return yearOfTwoDigits(value);
  return digits == 4 ? value : -1;
}

bool isShortNumber(std::int64_t digits) { return digits >= 1 && digits <= 2; }

// ---------------------------------------------------------------------------
// Dates

// A date field as written: a number, or a month name (value 1-12, no digits).
struct DateItem {
  bool month_name;
  std::int32_t value;
  std::int64_t digits;
};

struct DateItems {
  std::array<DateItem, 3> items{};
  int count = 0;
  std::int32_t weekday = -1;
};

// Reads three date fields and a weekday before, among or after them, and the fill
// around them.
bool readDateItems(Scanner& s, DateItems& d) {
  for (;;) {
    s.skipDateFill();
    const Token t = s.peek();
    if (isWord(t, kWeekdayWord) && d.weekday < 0) {
      d.weekday = t.value;
      s.take(t);
      continue;
    }
    if (d.count == 3) return true;
    if (t.kind == TokenKind::kNumber) {
      d.items[static_cast<std::size_t>(d.count++)] = DateItem{false, t.value, t.digits};
    } else if (isWord(t, kMonthWord)) {
      d.items[static_cast<std::size_t>(d.count++)] = DateItem{true, t.value + 1, 0};
    } else {
      return false;
    }
    s.take(t);
  }
}

enum DatePart { kYearPart, kMonthPart, kDayPart, kNoPart };

DatePart partOf(DateField field) {
  switch (field) {
    case DateField::kYear:
    case DateField::kTwoDigitYear: return kYearPart;
    case DateField::kMonth:
    case DateField::kBlankPaddedMonth:
    case DateField::kMonthAbbreviation:
    case DateField::kMonthName: return kMonthPart;
    case DateField::kDay:
    case DateField::kBlankPaddedDay: return kDayPart;
    case DateField::kLiteral:
    case DateField::kWeekdayName:
    case DateField::kHour:
    case DateField::kHourOfHalfDay:
    case DateField::kMinute:
    case DateField::kSecond:
    case DateField::kDayPeriod: return kNoPart;
  }
  return kNoPart;
}

// The parts of a date pattern in the order it writes them.
std::array<DatePart, 3> orderOf(const DatePattern& pattern) {
  std::array<DatePart, 3> order{kYearPart, kMonthPart, kDayPart};
  std::size_t next = 0;
  for (const PatternElement& element : pattern.elements()) {
    const DatePart part = partOf(element.field);
    if (part != kNoPart && next < order.size()) order[next++] = part;
  }
  return order;
}

bool yearBeforeDay(const std::array<DatePart, 3>& order) {
  return std::find(order.begin(), order.end(), kYearPart) <
         std::find(order.begin(), order.end(), kDayPart);
}

std::optional<CivilDate> resolveDate(const DateItems& d, const DateLocale& locale) {
  const auto names = std::count_if(d.items.begin(), d.items.end(),
                                   [](const DateItem& item) { return item.month_name; });
  if (names > 1) return std::nullopt;
  std::array<DateItem, 3> by_part{};  // indexed by DatePart
  if (names == 1) {
    std::array<DateItem, 2> numbers{};
    std::size_t n = 0;
    for (const DateItem& item : d.items) {
      if (item.month_name) {
        by_part[kMonthPart] = item;
      } else {
        numbers[n++] = item;
      }
    }
    const bool first_long = numbers[0].digits > 2;
    const bool first_is_year = first_long != (numbers[1].digits > 2)
                                   ? first_long
                                   : yearBeforeDay(orderOf(locale.long_date));
    by_part[kYearPart] = numbers[first_is_year ? 0 : 1];
    by_part[kDayPart] = numbers[first_is_year ? 1 : 0];
  } else {
    const std::array<DatePart, 3> order = d.items[0].digits > 2
                                              ? std::array{kYearPart, kMonthPart, kDayPart}
                                              : orderOf(locale.short_date);
    for (std::size_t i = 0; i < 3; ++i) by_part[order[i]] = d.items[i];
  }
  const DateItem& month = by_part[kMonthPart];
  const DateItem& day = by_part[kDayPart];
  if (!isShortNumber(day.digits) || (!month.month_name && !isShortNumber(month.digits))) {
    return std::nullopt;
  }
  const CivilDate date{yearOf(by_part[kYearPart].value, by_part[kYearPart].digits), month.value,
                       day.value};
  if (!isValidDate(date)) return std::nullopt;
  if (d.weekday >= 0 && d.weekday != weekdayOfDay(daysSinceEpoch(date))) return std::nullopt;
  return date;
}

std::optional<CivilDate> readDate(Scanner& s, const DateLocale& locale) {
  DateItems d;
  if (!readDateItems(s, d)) return std::nullopt;
  return resolveDate(d, locale);
}

// ---------------------------------------------------------------------------
// Times

struct TimeItems {
  std::array<std::int32_t, 3> values{};  // hour, minute, second
  std::array<std::int64_t, 3> digits{};
  int count = 0;
  std::int32_t day_period = -1;
};

// Time marks and one day-period marker, in any order, with blanks among them.
void readTimeWords(Scanner& s, TimeItems& t) {
  for (;;) {
    const std::int64_t before = s.at();
    s.skipBlanks();
    const Token token = s.peek();
    if (isWord(token, kTimeMarkWord) || (isWord(token, kDayPeriodWord) && t.day_period < 0)) {
      if (token.word == kDayPeriodWord) t.day_period = token.value;
      s.take(token);
      continue;
    }
    s.moveTo(before);
    return;
  }
}

bool readTimeItems(Scanner& s, TimeItems& t) {
  readTimeWords(s, t);
  s.skipBlanks();
  Token token = s.peek();
  if (token.kind != TokenKind::kNumber) return false;
  for (;;) {
    t.values[static_cast<std::size_t>(t.count)] = token.value;
    t.digits[static_cast<std::size_t>(t.count)] = token.digits;
    ++t.count;
    s.take(token);
    if (t.count == 3) break;
    // A joint and the next field, or neither: what follows may be a closing mark.
    const std::int64_t before = s.at();
    s.skipBlanks();
    const Token joint = s.peek();
    const bool joins =
        isWord(joint, kTimeMarkWord) ||
        (joint.kind == TokenKind::kSeparator && (joint.unit == ':' || joint.unit == '.'));
    if (joins) {
      s.take(joint);
      s.skipBlanks();
      token = s.peek();
      if (token.kind == TokenKind::kNumber) continue;
    }
    s.moveTo(before);
    break;
  }
  readTimeWords(s, t);
  return t.count >= 2;
}

std::optional<std::int32_t> resolveTime(const TimeItems& t) {
  for (int i = 0; i < t.count; ++i) {
    if (!isShortNumber(t.digits[static_cast<std::size_t>(i)])) return std::nullopt;
  }
  std::int32_t hour = t.values[0];
  if (t.day_period >= 0) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + 12 * t.day_period;
  }
  const std::int32_t minute = t.values[1];
  const std::int32_t second = t.count == 3 ? t.values[2] : 0;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return hour * 3600 + minute * 60 + second;
}

std::optional<std::int32_t> readTime(Scanner& s) {
  TimeItems t;
  if (!readTimeItems(s, t)) return std::nullopt;
  return resolveTime(t);
}

// ---------------------------------------------------------------------------
// Datetimes

std::optional<DateTimeValue> readDateThenTime(Scanner s, const DateLocale& locale) {
  const std::optional<CivilDate> date = readDate(s, locale);
  if (!date) return std::nullopt;
  s.skipSeparators();
  const std::optional<std::int32_t> second = readTime(s);
  s.skipDateFill();
  if (!second || !s.atEnd()) return std::nullopt;
  return DateTimeValue{*date, *second};
}

std::optional<DateTimeValue> readTimeThenDate(Scanner s, const DateLocale& locale) {
  const std::optional<std::int32_t> second = readTime(s);
  if (!second) return std::nullopt;
  const std::optional<CivilDate> date = readDate(s, locale);
  if (!date || !s.atEnd()) return std::nullopt;
  return DateTimeValue{*date, *second};
}

std::optional<DateTimeValue> readLenientValue(const DateLocale& locale, LenientForm form,
                                              const ZQChar* text, std::int64_t length) {
  switch (form) {
    case LenientForm::kDate: {
      Scanner s(locale, kDateWords, text, length);
      const std::optional<CivilDate> date = readDate(s, locale);
      if (!date || !s.atEnd()) return std::nullopt;
      return DateTimeValue{*date, 0};
    }
    case LenientForm::kTime: {
      Scanner s(locale, kTimeWords, text, length);
      const std::optional<std::int32_t> second = readTime(s);
      s.skipDateFill();
      if (!second || !s.atEnd()) return std::nullopt;
      return DateTimeValue{CivilDate{0, 0, 0}, *second};
    }
    case LenientForm::kDatetime: {
      const Scanner s(locale, kDateWords | kTimeWords, text, length);
      const std::optional<DateTimeValue> value = readDateThenTime(s, locale);
      return value ? value : readTimeThenDate(s, locale);
    }
  }
  return std::nullopt;
}

// ---------------------------------------------------------------------------
// Periods

// A period's number (quarter 1-4, month, week) and its year, as written.
struct PeriodItems {
  std::int32_t number = 0;
  std::int64_t number_digits = 0;  // 0 when the number came from a name
  std::int32_t year = 0;
  std::int64_t year_digits = 0;
};

bool readPeriodNumber(Scanner& s, PeriodForm form, PeriodItems& p) {
  Token t = s.peek();
  switch (form) {
    case PeriodForm::kQuarter:
    case PeriodForm::kMonth:
      if (t.kind == TokenKind::kNumber && form == PeriodForm::kMonth) {
        p.number = t.value;
        p.number_digits = t.digits;
      } else if (isWord(t, form == PeriodForm::kMonth ? kMonthWord : kQuarterWord)) {
        p.number = t.value + 1;
      } else {
        return false;
      }
      s.take(t);
      return true;
    case PeriodForm::kWeek: {
      int marks = 0;
      if (isWord(t, kWeekMarkWord)) {
        ++marks;
        s.take(t);
        s.skipDateFill();
        t = s.peek();
      }
      if (t.kind != TokenKind::kNumber) return false;
      p.number = t.value;
      p.number_digits = t.digits;
      s.take(t);
      s.skipDateFill();
      t = s.peek();
      if (isWord(t, kWeekMarkWord)) {
        ++marks;
        s.take(t);
      }
      return marks > 0;
    }
  }
  return false;
}

bool readPeriodYear(Scanner& s, PeriodItems& p) {
  const Token t = s.peek();
  if (t.kind != TokenKind::kNumber) return false;
  p.year = t.value;
  p.year_digits = t.digits;
  s.take(t);
  return true;
}

std::optional<CivilDate> resolvePeriod(const DateLocale& locale, PeriodForm form,
                                       const PeriodItems& p) {
  const std::int32_t year = yearOf(p.year, p.year_digits);
  if (year < kFirstYear || year > kLastYear) return std::nullopt;
  if (p.number_digits != 0 && !isShortNumber(p.number_digits)) return std::nullopt;
  switch (form) {
    case PeriodForm::kQuarter: return CivilDate{year, 3 * p.number - 2, 1};
    case PeriodForm::kMonth:
      if (p.number < 1 || p.number > 12) return std::nullopt;
      return CivilDate{year, p.number, 1};
    case PeriodForm::kWeek: {
      if (p.number < 1 || p.number > 53) return std::nullopt;
      const std::int64_t day = weekStartDay(year, p.number, locale.weeks);
      if (!isSupportedDay(day)) return std::nullopt;
      return dateOfDay(day);
    }
  }
  return std::nullopt;
}

std::optional<CivilDate> readPeriodInOrder(Scanner& s, const DateLocale& locale,
                                           PeriodForm form, bool period_first) {
  PeriodItems p;
  s.skipDateFill();
  if (!(period_first ? readPeriodNumber(s, form, p) : readPeriodYear(s, p))) return std::nullopt;
  s.skipDateFill();
  if (!(period_first ? readPeriodYear(s, p) : readPeriodNumber(s, form, p))) return std::nullopt;
  s.skipDateFill();
  if (!s.atEnd()) return std::nullopt;
  return resolvePeriod(locale, form, p);
}

}  // namespace

DateReading readLenient(const DateLocale& locale, LenientForm form, const ZQChar* text,
                        std::int64_t length) {
  const std::optional<DateTimeValue> value = readLenientValue(locale, form, text, length);
  if (!value) return DateReading{false, length, DateTimeValue{CivilDate{0, 0, 0}, 0}};
  return DateReading{true, length, *value};
}

DateReading readPeriod(const DateLocale& locale, PeriodForm form, const ZQChar* text,
                       std::int64_t length) {
  // period word -> the kind of word the period is written with
  std::uint32_t period_word = kWeekMarkWord;
  if (form == PeriodForm::kQuarter) period_word = kQuarterWord;
  if (form == PeriodForm::kMonth) period_word = kMonthWord;
  DateReading reading{false, 0, DateTimeValue{CivilDate{0, 0, 0}, 0}};
  for (const bool period_first : {true, false}) {
    Scanner s(locale, kDateFillWord | period_word, text, length);
    const std::optional<CivilDate> date = readPeriodInOrder(s, locale, form, period_first);
    if (date) return DateReading{true, s.at(), DateTimeValue{*date, 0}};
    reading.consumed = std::max(reading.consumed, s.at());
  }
  return reading;
}

}  // namespace zq::host
