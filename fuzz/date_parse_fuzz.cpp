// The date, datetime and time parsers: locale, parser, option word, length and text from
// the input, the text a block of exactly `length` units. The consumed count stays
// within the text; what a parser reads with ZQ_OK the formatters write (a date of years
// 1-9999, a time within the day); a failure leaves (0, 0, 0) or the missing value.
#include <bit>

#include "fuzz/fuzz_support.h"

namespace zq::fuzz {

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  using enum DateParser::Parser;
  const Input<ParseInput> in = readInput<ParseInput>(data, size);
  const ParserText text = parserText(in);
  LocaleHandle* l = fuzzLocale(in.header.locale);
  const auto options = static_cast<std::int32_t>(in.header.options);
  std::int32_t month = -1, day = -1, year = -1;
  double value = 0;
  std::int64_t consumed = -1, written = 0;
  Status status = ZQ_OK, formatted = ZQ_OK;
  ZQChar out[64];
  switch (in.header.parser % kParsers) {
    case kDate:
      status = l->zqnlsLocaleBufferToDate(l, text.units.data(), text.length, options, &month,
                                          &day, &year, &consumed);
      require(status == ZQ_OK || (month == 0 && day == 0 && year == 0),
              "a failed date read leaves (0, 0, 0)");
      formatted = l->zqnlsLocaleDateFormat(l, month, day, year, 2, out, 64, &written);
      break;
    case kDatetime:
      status = l->zqnlsLocaleBufferToDatetime(l, text.units.data(), text.length, options, &value,
                                              &consumed);
      formatted = l->zqnlsLocaleDatetimeFormat(l, value, 0, out, 64, &written);
      break;
    default:
      status = l->zqnlsLocaleBufferToTime(l, text.units.data(), text.length, options, &value,
                                          &consumed);
      formatted = l->zqnlsLocaleTimeFormat(l, value, 1, out, 64, &written);
      break;
  }
  require(consumed >= 0 && consumed <= std::ssize(text.units),
          "the consumed count stays within the text");
  require(status == ZQ_OK || status == ZQ_NLS_DTIFMTERR ||
              (status == ZQ_NLS_INVALID_VALUE && text.length < 0),
          "a text gives OK or DTIFMTERR");
  require(status != ZQ_OK || formatted == ZQ_OK, "what is read with OK can be written");
  require(status == ZQ_OK || in.header.parser % kParsers == kDate ||
              std::bit_cast<std::uint64_t>(value) == kMissingBits,
          "a failed time or datetime read leaves the missing value");
}

}  // namespace zq::fuzz
