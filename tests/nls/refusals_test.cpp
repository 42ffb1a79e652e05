// Every NLS handle word given unusable arguments: a null handle, a null buffer or text
// with a positive capacity or length, a negative one, and no places for its outputs.
// The expectations are the words' documented rules: such a call answers
// ZQ_NLS_INVALID_VALUE with length 0, or nothing consumed and the parser's failure
// value, and writes nothing; outputs left out are not stored, and the call goes on.
#include <bit>
#include <optional>
#include <tuple>
#include <type_traits>

#include "nls_support.h"

namespace zq::testing {
namespace {

using L = LocaleHandle;

// A locale word of the table `t` called with a handle, `count` units at `text` (its
// buffer or its text) and places for its outputs, each of which may be null: the length
// or units consumed, and a parser's value as bits (a date as its year, month and day in
// decimal digits).
using Call = Status (*)(const L& t, L* l, ZQChar* text, std::int64_t count, std::int64_t* length,
                        std::uint64_t* value);

// A parser's value as bits: a double's own, an integer's widened.
template <class T>
std::uint64_t bitsOf(T value) {
  if constexpr (std::is_floating_point_v<T>) return std::bit_cast<std::uint64_t>(value);
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
}

// The format word `kWord` on the arguments `kArgs` before its buffer (1.5, width 0,
// precision 1 and no options for the double formats).
template <auto kWord, auto... kArgs>
Status format(const L& t, L* l, ZQChar* buffer, std::int64_t capacity, std::int64_t* length,
              std::uint64_t*) {
  return (t.*kWord)(l, kArgs..., buffer, capacity, length);
}
// The parser word `kWord` into a T, its value stale until the word writes it.
template <class T, auto kWord>
Status parse(const L& t, L* l, ZQChar* text, std::int64_t count, std::int64_t* consumed,
             std::uint64_t* value) {
  T result = 77;
  const Status status =
      (t.*kWord)(l, text, count, 0, value != nullptr ? &result : nullptr, consumed);
  if (value != nullptr) *value = bitsOf(result);
  return status;
}

struct Row {
  const char* word;
  Call call;
  std::u32string_view text = {};              // a parser's input; a format's buffer holds 32 units
  std::optional<std::uint64_t> failure = {};  // the value a refused parser leaves
};

const Row kRows[] = {
    {"DateFormat (37)", format<&L::zqnlsLocaleDateFormat, 9, 17, 2001, 0>},
    {"TimeFormat (38)", format<&L::zqnlsLocaleTimeFormat, 3600, 1>},
    {"DoubleFormat (39)", format<&L::zqnlsLocaleDoubleFormat, 1.5, 0, 1, 0>},
    {"IntfastFormat (40)", format<&L::zqnlsLocaleIntfastFormat, std::int32_t{42}, 0, 0, 0>},
    {"IntmaxFormat (41)", format<&L::zqnlsLocaleIntmaxFormat, std::int64_t{42}, 0, 0, 0>},
    {"UintfastFormat (42)", format<&L::zqnlsLocaleUintfastFormat, std::uint32_t{42}, 0, 0, 0>},
    {"UintmaxFormat (43)", format<&L::zqnlsLocaleUintmaxFormat, std::uint64_t{42}, 0, 0, 0>},
    {"PointerFormat (44)", format<&L::zqnlsLocalePointerFormat, 0xBEEF, 0, 0>},
    {"CurrencyFormat (45)", format<&L::zqnlsLocaleCurrencyFormat, 1.5, 0, 1, 0>},
    {"PercentFormat (46)", format<&L::zqnlsLocalePercentFormat, 1.5, 0, 1, 0>},
    {"BufferToDatetime (47)", parse<double, &L::zqnlsLocaleBufferToDatetime>, U"17Sep2001:10:00:00",
     kMissingBits},
    {"BufferToDate (48)",
     [](const L& t, L* l, ZQChar* text, std::int64_t c, std::int64_t* n, std::uint64_t* v) {
       std::int32_t month = 77, day = 77, year = 77;
       const bool out = v != nullptr;
       const Status status = t.zqnlsLocaleBufferToDate(
           l, text, c, 0, out ? &month : nullptr, out ? &day : nullptr, out ? &year : nullptr, n);
       if (out) *v = bitsOf(std::int64_t{year} * 10000 + month * 100 + day);
       return status;
     },
     U"09/17/2001", 0},
    {"BufferToTime (49)", parse<double, &L::zqnlsLocaleBufferToTime>, U"10:00:00 AM", kMissingBits},
    {"BufferToDouble (50)",
     [](const L& t, L* l, ZQChar* text, std::int64_t c, std::int64_t* n, std::uint64_t* v) {
       double value = 77;
       const Status status = t.zqnlsLocaleBufferToDouble(l, text, c, v ? &value : nullptr, n);
       if (v != nullptr) *v = bitsOf(value);
       return status;
     },
     U"1.5", kMissingBits},
    {"DatetimeFormat (59)", format<&L::zqnlsLocaleDatetimeFormat, 0, 0>},
    {"DoubleFormatWithExOpts (70)",
     [](const L& t, L* l, ZQChar* b, std::int64_t c, std::int64_t* n, std::uint64_t*) {
       const ExOpts ex_opts{EXOPTS_PRINT_MISSING_CHAR, U'#'};
       return t.zqnlsLocaleDoubleFormatWithExOpts(l, 1.5, 0, 1, 0, b, c, n, &ex_opts);
     }},
    {"BufferToDoubleWithOpts (91)", parse<double, &L::zqnlsLocaleBufferToDoubleWithOpts>, U"1.5",
     kMissingBits},
    // The integer parsers, each of its type.
    {"BufferToIntfast (51)", parse<std::int32_t, &L::zqnlsLocaleBufferToIntfast>, U"-12", 0},
    {"BufferToIntmax (52)", parse<std::int64_t, &L::zqnlsLocaleBufferToIntmax>, U"-12", 0},
    {"BufferToUintfast (53)", parse<std::uint32_t, &L::zqnlsLocaleBufferToUintfast>, U"12", 0},
    {"BufferToUintmax (54)", parse<std::uint64_t, &L::zqnlsLocaleBufferToUintmax>, U"12", 0},
    {"BufferToInt (64)", parse<std::int32_t, &L::zqnlsLocaleBufferToInt>, U"-12", 0},
    {"BufferToUInt (65)", parse<std::uint32_t, &L::zqnlsLocaleBufferToUInt>, U"12", 0},
    {"BufferToLong (68)", parse<std::int64_t, &L::zqnlsLocaleBufferToLong>, U"-12", 0},
    {"BufferToULong (69)", parse<std::uint64_t, &L::zqnlsLocaleBufferToULong>, U"12", 0},
};

// What a call gave: its status, the length or count, the buffer or text after it, and
// a parser's value (each stale where the call did not store it).
struct Outcome {
  Status status;
  std::int64_t length;
  std::u32string units;
  std::uint64_t value;
  bool operator==(const Outcome&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "{0x" << std::hex << static_cast<std::uint32_t>(o.status) << std::dec << ", "
             << o.length << ", \"" << readable(o.units) << "\", 0x" << std::hex << o.value << "}";
}

constexpr std::int64_t kStale = 77;

// Which arguments a call gets usable: by default all of them.
struct Arguments {
  bool handle = true;
  bool text = true;
  std::optional<std::int64_t> count = {};  // default: the text's units, or a format's 32
  bool outputs = true;
};

class RefusalTest : public NlsTest {
 protected:
  // A parser's text, or a format's buffer of unwritten units.
  static std::u32string unitsOf(const Row& row) {
    return row.failure ? std::u32string(row.text) : std::u32string(32, U'~');
  }
  Outcome run(const Row& row, const Arguments& a) {
    Outcome o{0, kStale, unitsOf(row), kStale};
    o.status = row.call(*en_, a.handle ? en_ : nullptr,
                        a.text ? reinterpret_cast<ZQChar*>(o.units.data()) : nullptr,
                        a.count.value_or(lengthOf(o.units)), a.outputs ? &o.length : nullptr,
                        a.outputs ? &o.value : nullptr);
    return o;
  }
  // A refusal stores length 0 or nothing consumed, and a parser's failure value.
  static Outcome refused(const Row& row) {
    return {ZQ_NLS_INVALID_VALUE, 0, unitsOf(row), row.failure.value_or(kStale)};
  }
  LocaleHandle* en_ = nullptr;
};

TEST_F(RefusalTest, EveryWordRefusesUnusableArgumentsAndGoesOnWithoutOutputs) {
  en_ = locale(U"en_US");
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.word);
    const Outcome usual = run(row, {});
    EXPECT_TRUE(usual.status == ZQ_OK && usual.length > 0) << usual;
    EXPECT_EQ(run(row, {.handle = false}), refused(row));
    EXPECT_EQ(run(row, {.text = false, .count = 3}), refused(row));
    EXPECT_EQ(run(row, {.count = -1}), refused(row));
    // Without places for its outputs a word does its work all the same.
    const Outcome quiet = run(row, {.outputs = false});
    EXPECT_EQ(quiet, (Outcome{usual.status, kStale, usual.units, kStale}));
    // A null buffer or text of no units is one of no units.
    EXPECT_EQ(run(row, {.text = false, .count = 0}), run(row, {.count = 0}));
  }

  // The NLS handle's words.
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nullptr, units(U"en_US"), 5), nullptr);
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nls(), nullptr, 5), nullptr);
  EXPECT_EQ(nls()->zqnlsLocaleCreate(nls(), units(U"en_US"), -5), nullptr);
  EncodingProperties properties{units(U"stale"), 7, {}};
  EXPECT_EQ(nls()->zqnlsGetEncodingProperties(nullptr, 20, &properties), ZQ_NLS_INVALID_VALUE);
  EXPECT_EQ(properties.name, nullptr);
  EXPECT_EQ(properties.number, 0);
  EXPECT_EQ(nls()->zqnlsGetEncodingProperties(nls(), 20, nullptr), ZQ_NLS_INVALID_VALUE);

  // A string manager's words: a null manager or locale, and unusable bytes.
  StringManager* m = nullptr;
  ASSERT_EQ(nls()->zqnlsSMCreate(nls(), 20, 0, &m), ZQ_OK);
  char bytes[8] = "1.5";
  std::int64_t length = kStale;
  double value = 0;
  using Bytes = std::tuple<StringManager*, L*, char*, std::int64_t>;
  for (const auto& [manager, handle, text, count] :
       {Bytes{nullptr, en_, bytes, 3}, Bytes{m, nullptr, bytes, 3}, Bytes{m, en_, nullptr, 3},
        Bytes{m, en_, bytes, -1}}) {
    EXPECT_EQ(m->zqnlsStringFromDouble(manager, handle, 0, 1, 0, text, count, &length, 1.5),
              ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ(m->zqnlsStringToDouble(manager, handle, text, count, 0, &value, &length),
              ZQ_NLS_INVALID_VALUE);
    EXPECT_EQ(bitsOf(value), kMissingBits);
    EXPECT_STREQ(bytes, "1.5") << "nothing is written";
  }
  EXPECT_EQ(m->zqnlsSMDestroy(m), ZQ_OK);
}

}  // namespace
}  // namespace zq::testing
