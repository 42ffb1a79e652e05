// Writing and reading dates and times under a compiled pattern.
#include "host/nls/date_pattern.h"

#include <cassert>

#include "host/nls/date_reader.h"
#include "host/nls/locale_data.h"
#include "host/udb/character_db.h"

namespace zq::host {

namespace {

// A unit in lower case, with the Cyrillic і read as the Latin i.
ZQChar readingFormOf(ZQChar unit) {
  const ZQChar lower = lowerCaseOf(unit);
  return lower == 0x0456 ? 'i' : lower;
}

}  // namespace

bool sameIgnoringCase(ZQChar text_unit, char32_t name_unit) {
  if (text_unit == name_unit) return true;
  // Two ASCII units differ in case only as letters one bit 0x20 apart; the case
  // tables are searched only beyond ASCII.
  if ((text_unit | name_unit) < 0x80) {
    const ZQChar lower = text_unit | 0x20;
    return lower >= 'a' && lower <= 'z' && (text_unit ^ 0x20) == name_unit;
  }
  return readingFormOf(text_unit) == readingFormOf(name_unit);
}

namespace {

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
