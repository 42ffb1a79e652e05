// The locale handle's date and time words: formats (37, 38, 59) and parsers (47, 48,
// 49) over the date conversions of date_conversions.h, on the handle's date record.
#include "host/nls/date_conversions.h"
#include "host/nls/service.h"

namespace zq::host {
namespace {

const DateLocale& datesOf(LocaleHandle* handle) { return localeDataOf(handle).dates; }

Status dateFormat(LocaleHandle* handle, std::int32_t month, std::int32_t day, std::int32_t year,
                  std::int32_t style, ZQChar* buffer, std::int64_t capacity,
                  std::int64_t* out_length) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  return deliverFormat(formatDate(datesOf(handle), CivilDate{year, month, day}, style, buffer,
                                  capacity),
                       out_length);
}

Status timeFormat(LocaleHandle* handle, double seconds, std::int32_t style, ZQChar* buffer,
                  std::int64_t capacity, std::int64_t* out_length) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  return deliverFormat(formatTime(datesOf(handle), seconds, style, buffer, capacity),
                       out_length);
}

Status datetimeFormat(LocaleHandle* handle, double datetime, std::int32_t options,
                      ZQChar* buffer, std::int64_t capacity, std::int64_t* out_length) {
  if (handle == nullptr || !usableUnits(buffer, capacity)) return refuseFormat(out_length);
  return deliverFormat(formatDatetime(datesOf(handle), datetime, options, buffer, capacity),
                       out_length);
}

template <typename T>
void put(T* out, T value) {
  if (out != nullptr) *out = value;
}

Status bufferToDate(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                    std::int32_t options, std::int32_t* month, std::int32_t* day,
                    std::int32_t* year, std::int64_t* consumed) {
  ParsedDate parsed{ZQ_NLS_INVALID_VALUE, CivilDate{0, 0, 0}, 0};
  if (handle != nullptr && usableUnits(text, length)) {
    parsed = parseDate(datesOf(handle), text, length, options);
  }
  put(month, parsed.date.month);
  put(day, parsed.date.day);
  put(year, parsed.date.year);
  put(consumed, parsed.consumed);
  return parsed.status;
}

// Words 47 and 49: a datetime or a time, read by `kParse`.
template <auto kParse>
Status bufferToMoment(LocaleHandle* handle, const ZQChar* text, std::int64_t length,
                      std::int32_t options, double* value, std::int64_t* consumed) {
  return parsedDoubleOf(handle, text, length, value, consumed, [&](const LocaleData& locale) {
    return kParse(locale.dates, text, length, options);
  });
}

}  // namespace

void installDateOperations(LocaleHandle& table) {
  table.zqnlsLocaleDateFormat = dateFormat;
  table.zqnlsLocaleTimeFormat = timeFormat;
  table.zqnlsLocaleDatetimeFormat = datetimeFormat;
  table.zqnlsLocaleBufferToDate = bufferToDate;
  table.zqnlsLocaleBufferToDatetime = bufferToMoment<parseDatetime>;
  table.zqnlsLocaleBufferToTime = bufferToMoment<parseTime>;
}

}  // namespace zq::host
