// The date, time and datetime formatters: value, style or option word and capacity from
// the input. Nothing is written past the capacity and the length never exceeds it: a
// text longer than the capacity is cut to it (ZQ_NLS_FMT_TRUNCATE, the capacity as its
// length); a refused value writes nothing.
#include "fuzz/fuzz_support.h"

namespace zq::fuzz {
namespace {

using FormatInput = DateFormatInput;
using enum DateFormatInput::Operation;

constexpr std::int64_t kWholeUnits = 256;

Formatted format(const FormatInput& in, std::int64_t capacity) {
  LocaleHandle* l = fuzzLocale(in.locale);
  return formatGuarded(capacity, [&](ZQChar* out, std::int64_t room, std::int64_t* length) {
    switch (in.operation % kOperations) {
      case kDate:
        return l->zqnlsLocaleDateFormat(l, in.month, in.day, in.year, in.style, out, room, length);
      case kTime:
        return l->zqnlsLocaleTimeFormat(l, in.seconds, in.style, out, room, length);
    }
    return l->zqnlsLocaleDatetimeFormat(l, in.seconds, in.style, out, room, length);
  });
}

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const FormatInput in = readInput<FormatInput>(data, size).header;
  const std::int64_t capacity = in.capacity % 128;
  const Formatted cut = format(in, capacity);
  require(cut.length >= 0 && cut.length <= capacity, "the length stays within the capacity");
  if (cut.status != ZQ_OK && cut.status != ZQ_NLS_FMT_TRUNCATE) {
    require(cut.status == ZQ_NLS_INVALID_VALUE || cut.status == ZQ_NLS_MISSING_VALUE,
            "a value that cannot be written is INVALID_VALUE or MISSING_VALUE");
    require(cut.length == 0, "a refusal writes nothing");
    return;
  }
  const Formatted whole = format(in, kWholeUnits);
  require(whole.status == ZQ_OK, "the whole text fits its buffer");
  require((cut.status == ZQ_NLS_FMT_TRUNCATE) == (whole.length > capacity) &&
              cut.length == std::min(whole.length, capacity) && whole.text.starts_with(cut.text),
          "a text is cut exactly when it is longer than the capacity, to its start");
}

}  // namespace zq::fuzz
