// The message wrappers hand the journal their fixed words and a usable va_list. (The
// suites' own lines, through zqlMessageToJnl and zqlStatusToBuf, are the golden
// listings'; here the words no suite passes.)
#include <gtest/gtest.h>

#include <cstdarg>
#include <vector>

#include "zq/zqvnle.h"

namespace {

// What the journal's operations received, reading the list the way the host does.
std::vector<std::uint64_t> received;

TEST(MessageWrappers, PassFixedWordsAndTheListUnchanged) {
  zq::Journal journal{};
  journal.MessageToBuf = [](zq::Journal*, zq::Word a, zq::Word b, zq::Word c, zq::Word d,
                            zq::Word e, std::va_list* ap) -> std::int64_t {
    received = {a, b, c, d, e, va_arg(*ap, std::uint64_t)};
    return 41;
  };
  journal.StatusToBuf = [](zq::Journal*, std::int64_t status, zq::ZQChar* buf, std::int64_t cap,
                           std::int64_t* out, std::va_list*) -> std::int64_t {
    received = {static_cast<std::uint64_t>(status), static_cast<std::uint64_t>(cap)};
    buf[0] = 'S';
    *out = 1;
    return 43;
  };
  journal.StatusToJnl = [](zq::Journal*, zq::Word a, zq::Word b, std::va_list* ap) -> std::int64_t {
    received = {a, b, va_arg(*ap, std::uint64_t)};
    return 44;
  };
  journal.GetLocale = [](zq::Journal*, zq::Word a, zq::Word b, zq::Word c, zq::Word d,
                         zq::Word e) -> std::int64_t {
    received = {a, b, c, d, e};
    return 45;
  };

  EXPECT_EQ(zqlMessageToBuf(&journal, 1, 2, 3, 4, 5, std::uint64_t{6}), 41);
  EXPECT_EQ(received, (std::vector<std::uint64_t>{1, 2, 3, 4, 5, 6}));
  zq::ZQChar buffer[8] = {};
  std::int64_t length = 0;
  EXPECT_EQ(zqlStatusToBuf(&journal, static_cast<std::int32_t>(0x803FE810u), buffer, 8, &length),
            43);
  EXPECT_EQ(received, (std::vector<std::uint64_t>{0xFFFFFFFF803FE810u, 8}))
      << "status arrives sign-extended";
  EXPECT_EQ(length, 1);
  EXPECT_EQ(zqlStatusToJnl(&journal, 9, 10, std::uint64_t{11}), 44);
  EXPECT_EQ(received, (std::vector<std::uint64_t>{9, 10, 11}));
  EXPECT_EQ(zqlGetLocale(&journal, 21, 22, 23, 24, 25), 45);
  EXPECT_EQ(received, (std::vector<std::uint64_t>{21, 22, 23, 24, 25}));
}

}  // namespace
