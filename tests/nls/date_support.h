// Test support for the date and time operations: calls that return what they produced.
#pragma once

#include <chrono>

#include "nls_support.h"

namespace zq::testing {

struct Ymd {
  std::int32_t year, month, day;
  bool operator==(const Ymd&) const = default;
};

// What a parser produced: a date parser fills `date`, the others `seconds`.
struct Parsed {
  Status status;
  std::int64_t consumed;
  Ymd date{};
  double seconds = 0;
  bool operator==(const Parsed&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Parsed& p) {
  return out << "{0x" << std::hex << static_cast<std::uint32_t>(p.status) << std::dec << ", "
             << p.consumed << ", " << p.date.year << "-" << p.date.month << "-" << p.date.day
             << ", " << static_cast<std::int64_t>(p.seconds) << "}";
}

// The datetime of `date` at `second_of_day`, counted by the standard library's calendar.
inline double datetimeAt(Ymd date, std::int64_t second_of_day) {
  using namespace std::chrono;
  const sys_days day{year{date.year} / date.month / date.day};
  return static_cast<double>((day - sys_days{year{1960} / 1 / 1}).count() * 86400 +
                             second_of_day);
}

inline Formatted formatDate(LocaleHandle* l, Ymd d, std::int32_t style,
                            std::int64_t capacity = 72) {
  return formatGuarded(capacity, [&](ZQChar* b, std::int64_t c, std::int64_t* n) {
    return l->zqnlsLocaleDateFormat(l, d.month, d.day, d.year, style, b, c, n);
  });
}
inline Formatted formatTime(LocaleHandle* l, double seconds, std::int32_t style,
                            std::int64_t capacity = 72) {
  return formatGuarded(capacity, [&](ZQChar* b, std::int64_t c, std::int64_t* n) {
    return l->zqnlsLocaleTimeFormat(l, seconds, style, b, c, n);
  });
}
inline Formatted formatDatetime(LocaleHandle* l, double datetime, std::int32_t options = 0,
                                std::int64_t capacity = 72) {
  return formatGuarded(capacity, [&](ZQChar* b, std::int64_t c, std::int64_t* n) {
    return l->zqnlsLocaleDatetimeFormat(l, datetime, options, b, c, n);
  });
}

enum class Parser { kDate, kTime, kDatetime };

// Parses a copy of `text` of exactly its length, into outputs that start stale.
inline Parsed parse(LocaleHandle* l, Parser parser, std::u32string_view text,
                    std::int32_t option = 0) {
  const std::vector<ZQChar> exact = exactCopy(text);
  Parsed p{0, 77, {77, 77, 77}, 77};
  const std::int64_t n = lengthOf(text);
  if (parser == Parser::kDate) {
    p.status = l->zqnlsLocaleBufferToDate(l, exact.data(), n, option, &p.date.month, &p.date.day,
                                          &p.date.year, &p.consumed);
    p.seconds = 0;
    return p;
  }
  p.date = Ymd{0, 0, 0};
  const auto word = parser == Parser::kTime ? l->zqnlsLocaleBufferToTime
                                            : l->zqnlsLocaleBufferToDatetime;
  p.status = word(l, exact.data(), n, option, &p.seconds, &p.consumed);
  return p;
}

}  // namespace zq::testing
