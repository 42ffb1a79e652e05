// Conversions that give one class of result wrongly: each class is changed in one
// place (`corrupt`); the wrappers around the conversion words only find where a call
// put its results. They call the operations of a table filled as every new one is,
// since the handle's own words hold the wrappers.
#include "host/nls/result_corruption.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <tuple>
#include <type_traits>

#include "host/nls/service.h"
#include "host/nls/string_manager.h"

namespace zq::host {
namespace {

// A table of kind Table filled as every new one is, by `kInstall`.
template <class Table, void (*kInstall)(Table&)>
const Table& honestTable() {
  static const Table table = [] {
    Table filled{};
    kInstall(filled);
    return filled;
  }();
  return table;
}

const LocaleHandle& honestLocale() { return honestTable<LocaleHandle, installLocaleOperations>(); }
const StringManager& honestManager() {
  return honestTable<StringManager, installStringConversions>();
}

// Where one call put its results; null where it has none of that kind.
template <class Unit, class Value>
struct Results {
  Unit* text = nullptr;            // the units a format wrote
  std::int64_t written = 0;        // how many
  std::int64_t* length = nullptr;  // the converted length or the consumed count
  Value* value = nullptr;          // a parsed number, time or datetime
  std::int32_t* day = nullptr;     // a parsed date's day
  double* datetime = nullptr;      // a parsed datetime, whose date moves by whole days
};

template <class Number>
Number withLowestBitFlipped(Number value) {
  using Bits = std::conditional_t<sizeof(Number) == 8, std::uint64_t, std::uint32_t>;
  static_assert(sizeof(Bits) == sizeof(Number));
  return std::bit_cast<Number>(static_cast<Bits>(std::bit_cast<Bits>(value) ^ 1u));
}

constexpr double kSecondsPerDay = 86400;

// The results of a call on `locale` after the honest `status`, changed in the class
// its kernel names.
template <class Unit, class Value>
Status corrupt(LocaleHandle* locale, Status status, const Results<Unit, Value>& r) {
  if (locale == nullptr) return status;
  switch (kernelOf(locale).corruption) {
    case ZQHOST_CORRUPT_NONE:
      return status;
    case ZQHOST_CORRUPT_TEXT:
      // '0' and '1', ' ' and '!', '*' and '+': a change every comparison sees.
      if (r.written > 0) r.text[0] = static_cast<Unit>(r.text[0] ^ 1);
      return status;
    case ZQHOST_CORRUPT_LENGTH:
      if (r.length != nullptr) ++*r.length;
      return status;
    case ZQHOST_CORRUPT_STATUS:
      return status == ZQ_OK ? ZQ_NLS_INVALID_VALUE : ZQ_OK;
    case ZQHOST_CORRUPT_VALUE:
      if (r.value != nullptr) *r.value = withLowestBitFlipped(*r.value);
      return status;
    case ZQHOST_CORRUPT_DATE:
      if (r.day != nullptr) ++*r.day;
      if (r.datetime != nullptr) *r.datetime += kSecondsPerDay;
      return status;
  }
  return status;
}

// A format's results: its text, as far as it lies within the capacity, and length.
template <class Unit>
Results<Unit, double> formatted(Unit* text, std::int64_t capacity, std::int64_t* length) {
  Results<Unit, double> r;
  r.length = length;
  if (length != nullptr) {
    r.text = text;
    r.written = std::min(*length, capacity);
  }
  return r;
}

// The index of the last argument of type T.
template <class T, class... Args>
constexpr std::size_t lastIndexOf() {
  constexpr bool matches[] = {std::is_same_v<Args, T>...};
  std::size_t last = 0;
  for (std::size_t i = 0; i < sizeof...(Args); ++i) {
    if (matches[i]) last = i;
  }
  return last;
}

template <auto kWord, auto kOther>
constexpr bool sameWord() {
  if constexpr (std::is_same_v<decltype(kWord), decltype(kOther)>) return kWord == kOther;
  return false;
}

// Every format ends with buffer, capacity and out-length, except that word 70 adds
// its ExOpts pointer after them.
template <auto kWord, class... Args>
Status format(LocaleHandle* locale, Args... args) {
  const Status status = (honestLocale().*kWord)(locale, args...);
  const std::tuple<Args...> arguments(args...);
  constexpr std::size_t kLength = lastIndexOf<std::int64_t*, Args...>();
  static_assert(std::is_same_v<std::tuple_element_t<kLength - 2, std::tuple<Args...>>, ZQChar*>);
  return corrupt(locale, status,
                 formatted(std::get<kLength - 2>(arguments), std::get<kLength - 1>(arguments),
                           std::get<kLength>(arguments)));
}

// Every parser ends with the place of its value (month, day and year for dates) and
// the place of its consumed count.
template <auto kWord, class... Args>
Status parse(LocaleHandle* locale, Args... args) {
  const Status status = (honestLocale().*kWord)(locale, args...);
  const std::tuple<Args...> arguments(args...);
  constexpr std::size_t kLast = sizeof...(Args) - 1;
  using ValuePlace = std::tuple_element_t<kLast - 1, std::tuple<Args...>>;
  Results<ZQChar, std::remove_pointer_t<ValuePlace>> r;
  r.length = std::get<kLast>(arguments);
  if constexpr (sameWord<kWord, &LocaleHandle::zqnlsLocaleBufferToDate>()) {
    r.day = std::get<kLast - 2>(arguments);
  } else {
    r.value = std::get<kLast - 1>(arguments);
  }
  if constexpr (sameWord<kWord, &LocaleHandle::zqnlsLocaleBufferToDatetime>()) {
    r.datetime = r.value;
  }
  return corrupt(locale, status, r);
}

Status stringFromDouble(StringManager* manager, LocaleHandle* locale, std::int32_t width,
                        std::int32_t precision, std::int32_t options, char* out,
                        std::int64_t capacity, std::int64_t* out_length, double value) {
  const Status status = honestManager().zqnlsStringFromDouble(
      manager, locale, width, precision, options, out, capacity, out_length, value);
  return corrupt(locale, status, formatted(out, capacity, out_length));
}

Status stringToDouble(StringManager* manager, LocaleHandle* locale, const char* text,
                      std::int64_t length, std::int32_t options, double* value,
                      std::int64_t* used) {
  const Status status =
      honestManager().zqnlsStringToDouble(manager, locale, text, length, options, value, used);
  Results<char, double> r;
  r.length = used;
  r.value = value;
  return corrupt(locale, status, r);
}

}  // namespace

void installResultCorruption(LocaleHandle& table) {
  using L = LocaleHandle;
  table.zqnlsLocaleDateFormat = format<&L::zqnlsLocaleDateFormat>;
  table.zqnlsLocaleTimeFormat = format<&L::zqnlsLocaleTimeFormat>;
  table.zqnlsLocaleDatetimeFormat = format<&L::zqnlsLocaleDatetimeFormat>;
  table.zqnlsLocaleDoubleFormat = format<&L::zqnlsLocaleDoubleFormat>;
  table.zqnlsLocaleDoubleFormatWithExOpts = format<&L::zqnlsLocaleDoubleFormatWithExOpts>;
  table.zqnlsLocaleCurrencyFormat = format<&L::zqnlsLocaleCurrencyFormat>;
  table.zqnlsLocalePercentFormat = format<&L::zqnlsLocalePercentFormat>;
  table.zqnlsLocaleIntfastFormat = format<&L::zqnlsLocaleIntfastFormat>;
  table.zqnlsLocaleIntmaxFormat = format<&L::zqnlsLocaleIntmaxFormat>;
  table.zqnlsLocaleUintfastFormat = format<&L::zqnlsLocaleUintfastFormat>;
  table.zqnlsLocaleUintmaxFormat = format<&L::zqnlsLocaleUintmaxFormat>;
  table.zqnlsLocalePointerFormat = format<&L::zqnlsLocalePointerFormat>;
  table.zqnlsLocaleBufferToDate = parse<&L::zqnlsLocaleBufferToDate>;
  table.zqnlsLocaleBufferToTime = parse<&L::zqnlsLocaleBufferToTime>;
  table.zqnlsLocaleBufferToDatetime = parse<&L::zqnlsLocaleBufferToDatetime>;
  table.zqnlsLocaleBufferToDouble = parse<&L::zqnlsLocaleBufferToDouble>;
  table.zqnlsLocaleBufferToDoubleWithOpts = parse<&L::zqnlsLocaleBufferToDoubleWithOpts>;
  table.zqnlsLocaleBufferToIntfast = parse<&L::zqnlsLocaleBufferToIntfast>;
  table.zqnlsLocaleBufferToIntmax = parse<&L::zqnlsLocaleBufferToIntmax>;
  table.zqnlsLocaleBufferToUintfast = parse<&L::zqnlsLocaleBufferToUintfast>;
  table.zqnlsLocaleBufferToUintmax = parse<&L::zqnlsLocaleBufferToUintmax>;
  table.zqnlsLocaleBufferToInt = parse<&L::zqnlsLocaleBufferToInt>;
  table.zqnlsLocaleBufferToUInt = parse<&L::zqnlsLocaleBufferToUInt>;
  table.zqnlsLocaleBufferToLong = parse<&L::zqnlsLocaleBufferToLong>;
  table.zqnlsLocaleBufferToULong = parse<&L::zqnlsLocaleBufferToULong>;
}

void installResultCorruption(StringManager& table) {
  table.zqnlsStringFromDouble = stringFromDouble;
  table.zqnlsStringToDouble = stringToDouble;
}

}  // namespace zq::host

extern "C" void zqhostCorruptResults(void* kernel, std::int32_t corruption) {
  if (corruption < ZQHOST_CORRUPT_NONE || corruption > ZQHOST_CORRUPT_DATE) return;
  zq::host::kernelOf(static_cast<zq::KernelHandle*>(kernel)).corruption =
      static_cast<ZqhostCorruption>(corruption);
}
