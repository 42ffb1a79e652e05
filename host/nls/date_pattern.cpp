// Writing and reading dates and times under a compiled pattern.
#include "host/nls/date_pattern.h"

#include <cassert>

#include "host/udb/character_db.h"

namespace zq::host {
namespace {

constexpr ZQChar kBlank = 0x0020;

ZQChar digit(std::int32_t value) { return static_cast<ZQChar>('0' + value); }

class Writer {
 public:
  explicit Writer(ZQChar* out) : start_(out), next_(out) {}

  // Names and literals are a few units long: a plain loop beats a call to memcpy.
  void text(std::u32string_view units) {
    for (char32_t unit : units) *next_++ = unit;
  }
  void twoDigits(std::int32_t value) {
    assert(value >= 0 && value <= 99);
    *next_++ = digit(value / 10);
    *next_++ = digit(value % 10);
  }
  void blankPadded(std::int32_t value) {
    *next_++ = value < 10 ? kBlank : digit(value / 10);
    *next_++ = digit(value % 10);
  }
  void fourDigits(std::int32_t value) {
    twoDigits(value / 100);
    twoDigits(value % 100);
  }
  std::size_t written() const { return static_cast<std::size_t>(next_ - start_); }

 private:
  ZQChar* start_;
  ZQChar* next_;
};

bool sameIgnoringCase(ZQChar text_unit, char32_t name_unit) {
  if (text_unit == name_unit) return true;
  // Two ASCII units differ in case only as letters one bit 0x20 apart; the case
  // tables are searched only beyond ASCII.
  if ((text_unit | name_unit) < 0x80) {
    const ZQChar lower = text_unit | 0x20;
    return lower >= 'a' && lower <= 'z' && (text_unit ^ 0x20) == name_unit;
  }
  return lowerCaseOf(text_unit) == lowerCaseOf(name_unit);
}

// Reads the text left to right; a read that fails leaves the position where it was.
class Reader {
 public:
  Reader(const ZQChar* text, std::int64_t length) : text_(text), length_(length) {}

  std::int64_t at() const { return at_; }
  bool atEnd() const { return at_ == length_; }
  void skipBlanks() {
    while (at_ < length_ && text_[at_] == kBlank) ++at_;
  }

  bool literal(std::u32string_view units) {
    if (length_ - at_ < static_cast<std::int64_t>(units.size())) return false;
    for (std::size_t i = 0; i < units.size(); ++i) {
      if (text_[at_ + static_cast<std::int64_t>(i)] != units[i]) return false;
    }
    at_ += static_cast<std::int64_t>(units.size());
    return true;
  }

  // The value of `count` decimal digits, or -1.
  std::int32_t digits(int count) {
    if (length_ - at_ < count) return -1;
    std::int32_t value = 0;
    for (int i = 0; i < count; ++i) {
      const ZQChar unit = text_[at_ + i];
      if (unit - ZQChar{'0'} > 9) return -1;
      value = value * 10 + static_cast<std::int32_t>(unit - '0');
    }
    at_ += count;
    return value;
  }

  // Two units as the writer's blankPadded writes them: a blank and a digit, or two
  // digits of which the first is not 0. -1 otherwise.
  std::int32_t blankPadded() {
    if (length_ - at_ < 2) return -1;
    const ZQChar first = text_[at_];
    if (first == kBlank) {
      ++at_;
      const std::int32_t value = digits(1);
      if (value < 0) --at_;
      return value;
    }
    if (first == '0') return -1;
    return digits(2);
  }

  // The index of the longest name that the text continues with, in any case, or -1.
  template <std::size_t N>
  std::int32_t name(const std::array<std::u32string_view, N>& names) {
    std::int32_t found = -1;
    std::size_t found_length = 0;
    for (std::size_t i = 0; i < N; ++i) {
      const std::u32string_view candidate = names[i];
      if (candidate.size() > found_length && continuesWith(candidate)) {
        found = static_cast<std::int32_t>(i);
        found_length = candidate.size();
      }
    }
    at_ += static_cast<std::int64_t>(found_length);
    return found;
  }

 private:
  bool continuesWith(std::u32string_view name) const {
    if (length_ - at_ < static_cast<std::int64_t>(name.size())) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (!sameIgnoringCase(text_[at_ + static_cast<std::int64_t>(i)], name[i])) return false;
    }
    return true;
  }

  const ZQChar* text_;
  std::int64_t length_;
  std::int64_t at_ = 0;
};

// Parts as read, before they are checked: -1 where the text had none.
struct ReadParts {
  std::int32_t year = -1;
  std::int32_t month = -1;
  std::int32_t day = -1;
  std::int32_t weekday = -1;
  std::int32_t hour = -1;
  std::int32_t hour_of_half_day = -1;
  std::int32_t day_period = -1;
  std::int32_t minute = -1;
  std::int32_t second = -1;
};

// Reads one element into `parts`; false when the text does not continue with it.
bool readElement(const DatePattern& pattern, const PatternElement& element,
                 const DateNames& names, Reader& reader, ReadParts& parts) {
  std::int32_t value = -1;
  switch (element.field) {
    case DateField::kLiteral: return reader.literal(pattern.literal(element));
    case DateField::kYear: value = parts.year = reader.digits(4); break;
    case DateField::kTwoDigitYear:
      value = reader.digits(2);
      if (value >= 0) parts.year = yearOfTwoDigits(value);
      break;
    case DateField::kMonth: value = parts.month = reader.digits(2); break;
    case DateField::kBlankPaddedMonth: value = parts.month = reader.blankPadded(); break;
    case DateField::kMonthAbbreviation:
      value = reader.name(names.month_abbreviations);
      parts.month = value + 1;
      break;
    case DateField::kMonthName:
      value = reader.name(names.months);
      parts.month = value + 1;
      break;
    case DateField::kDay: value = parts.day = reader.digits(2); break;
    case DateField::kBlankPaddedDay: value = parts.day = reader.blankPadded(); break;
    case DateField::kWeekdayName: value = parts.weekday = reader.name(names.weekdays); break;
    case DateField::kHour: value = parts.hour = reader.digits(2); break;
    case DateField::kHourOfHalfDay: value = parts.hour_of_half_day = reader.digits(2); break;
    case DateField::kMinute: value = parts.minute = reader.digits(2); break;
    case DateField::kSecond: value = parts.second = reader.digits(2); break;
    case DateField::kDayPeriod: value = parts.day_period = reader.name(names.day_periods); break;
  }
  return value >= 0;
}

// The date the parts name, if it exists and any weekday read is its own.
bool resolveDate(const ReadParts& parts, CivilDate& date) {
  date = CivilDate{parts.year, parts.month, parts.day};
  if (!isValidDate(date)) return false;
  return parts.weekday < 0 || parts.weekday == weekdayOfDay(daysSinceEpoch(date));
}

bool resolveTime(const ReadParts& parts, std::int32_t& second_of_day) {
  std::int32_t hour = parts.hour;
  if (parts.hour_of_half_day >= 0) {
    if (parts.hour_of_half_day < 1 || parts.hour_of_half_day > 12) return false;
    hour = parts.hour_of_half_day % 12 + 12 * parts.day_period;
  }
  const std::int32_t second = parts.second < 0 ? 0 : parts.second;
  if (hour > 23 || parts.minute > 59 || second > 59) return false;
  second_of_day = hour * 3600 + parts.minute * 60 + second;
  return true;
}

}  // namespace

std::size_t writeDateText(const DatePattern& pattern, const DateNames& names,
                          const DateTimeValue& value, ZQChar* out) {
  const CivilDate& date = value.date;
  const std::int32_t hour = value.second_of_day / 3600;
  Writer writer(out);
  for (const PatternElement& element : pattern.elements()) {
    switch (element.field) {
      case DateField::kLiteral: writer.text(pattern.literal(element)); break;
      case DateField::kYear: writer.fourDigits(date.year); break;
      case DateField::kTwoDigitYear: writer.twoDigits(date.year % 100); break;
      case DateField::kMonth: writer.twoDigits(date.month); break;
      case DateField::kBlankPaddedMonth: writer.blankPadded(date.month); break;
      case DateField::kMonthAbbreviation:
        writer.text(names.month_abbreviations[static_cast<std::size_t>(date.month - 1)]);
        break;
      case DateField::kMonthName:
        writer.text(names.months[static_cast<std::size_t>(date.month - 1)]);
        break;
      case DateField::kDay: writer.twoDigits(date.day); break;
      case DateField::kBlankPaddedDay: writer.blankPadded(date.day); break;
      case DateField::kWeekdayName:
        writer.text(names.weekdays[static_cast<std::size_t>(weekdayOfDay(daysSinceEpoch(date)))]);
        break;
      case DateField::kHour: writer.twoDigits(hour); break;
      case DateField::kHourOfHalfDay: writer.twoDigits(hour % 12 == 0 ? 12 : hour % 12); break;
      case DateField::kMinute: writer.twoDigits(value.second_of_day / 60 % 60); break;
      case DateField::kSecond: writer.twoDigits(value.second_of_day % 60); break;
      case DateField::kDayPeriod: writer.text(names.day_periods[hour < 12 ? 0 : 1]); break;
    }
  }
  assert(writer.written() <= kMaxDateTextUnits);
  return writer.written();
}

DateReading readDateText(const DatePattern& pattern, const DateNames& names,
                         bool skip_leading_blanks, const ZQChar* text, std::int64_t length) {
  Reader reader(text, length);
  if (skip_leading_blanks) reader.skipBlanks();
  ReadParts parts;
  DateReading reading{false, 0, DateTimeValue{CivilDate{0, 0, 0}, 0}};
  for (const PatternElement& element : pattern.elements()) {
    if (!readElement(pattern, element, names, reader, parts)) {
      reading.consumed = reader.at();
      return reading;
    }
  }
  reading.consumed = reader.at();
  if (!reader.atEnd()) return reading;
  if (pattern.hasDate() && !resolveDate(parts, reading.value.date)) return reading;
  if (pattern.hasTime() && !resolveTime(parts, reading.value.second_of_day)) return reading;
  reading.ok = true;
  return reading;
}

}  // namespace zq::host
