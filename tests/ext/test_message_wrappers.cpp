// The message wrappers hand the journal their fixed words and a usable va_list.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>

#include "zq/zqvnle.h"

namespace {

// A journal that records what each operation received, reading the list the way
// the host does.
struct RecordingJournal {
  zq::Journal abi{};
  std::vector<std::uint64_t> words;
  double real = 0;
  const zq::ZQChar* text = nullptr;
};
RecordingJournal* recording = nullptr;

RecordingJournal makeJournal() {
  RecordingJournal j;
  j.abi.MessageToBuf = [](zq::Journal*, zq::Word a, zq::Word b, zq::Word c, zq::Word d,
                          zq::Word e, std::va_list* ap) -> std::int64_t {
    recording->words = {a, b, c, d, e, va_arg(*ap, std::uint64_t)};
    return 41;
  };
  j.abi.MessageToJnl = [](zq::Journal*, std::int64_t level, const zq::ZQChar* fmt,
                          std::int64_t len, std::va_list* ap) -> std::int64_t {
    recording->words = {static_cast<std::uint64_t>(level), static_cast<std::uint64_t>(len)};
    recording->words.push_back(va_arg(*ap, std::uint64_t));
    recording->real = va_arg(*ap, double);
    recording->words.push_back(va_arg(*ap, std::uint64_t));
    recording->text = fmt;
    return 42;
  };
  j.abi.StatusToBuf = [](zq::Journal*, std::int64_t status, zq::ZQChar* buf, std::int64_t cap,
                         std::int64_t* out, std::va_list*) -> std::int64_t {
    recording->words = {static_cast<std::uint64_t>(status), static_cast<std::uint64_t>(cap)};
    buf[0] = 'S';
    *out = 1;
    return 43;
  };
  j.abi.StatusToJnl = [](zq::Journal*, zq::Word a, zq::Word b, std::va_list* ap) -> std::int64_t {
    recording->words = {a, b, va_arg(*ap, std::uint64_t)};
    return 44;
  };
  j.abi.GetLocale = [](zq::Journal*, zq::Word a, zq::Word b, zq::Word c, zq::Word d,
                       zq::Word e) -> std::int64_t {
    recording->words = {a, b, c, d, e};
    return 45;
  };
  return j;
}

TEST(MessageWrappers, PassFixedWordsAndTheListUnchanged) {
  RecordingJournal j = makeJournal();
  recording = &j;
  const char32_t format[] = U"%d %f %d";

  EXPECT_EQ(zqlMessageToJnl(&j.abi, 4, reinterpret_cast<const zq::ZQChar*>(format), 8,
                            std::int64_t{-7}, 2.5, std::uint64_t{1} << 40),
            42);
  EXPECT_EQ(j.words, (std::vector<std::uint64_t>{4, 8, static_cast<std::uint64_t>(-7),
                                                 std::uint64_t{1} << 40}));
  EXPECT_EQ(j.real, 2.5) << "doubles travel in the same list as integers";
  EXPECT_EQ(j.text, reinterpret_cast<const zq::ZQChar*>(format));

  EXPECT_EQ(zqlMessageToBuf(&j.abi, 1, 2, 3, 4, 5, std::uint64_t{6}), 41);
  EXPECT_EQ(j.words, (std::vector<std::uint64_t>{1, 2, 3, 4, 5, 6}));

  zq::ZQChar buffer[8] = {};
  std::int64_t length = 0;
  EXPECT_EQ(zqlStatusToBuf(&j.abi, static_cast<std::int32_t>(0x803FE810u), buffer, 8, &length), 43);
  EXPECT_EQ(j.words[0], 0xFFFFFFFF803FE810u) << "status arrives sign-extended";
  EXPECT_EQ(j.words[1], 8u);
  EXPECT_EQ(length, 1);

  EXPECT_EQ(zqlStatusToJnl(&j.abi, 9, 10, std::uint64_t{11}), 44);
  EXPECT_EQ(j.words, (std::vector<std::uint64_t>{9, 10, 11}));

  EXPECT_EQ(zqlGetLocale(&j.abi, 21, 22, 23, 24, 25), 45);
  EXPECT_EQ(j.words, (std::vector<std::uint64_t>{21, 22, 23, 24, 25}));
  recording = nullptr;
}

}  // namespace
