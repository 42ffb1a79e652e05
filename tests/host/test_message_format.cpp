// Tests of the journal's message formatter, reached through MessageToBuf as the extension does.
#include <cstdint>

#include "host/journal.h"
#include "host/message_format.h"
#include "journal_fixture.h"

namespace zq::testing {
namespace {

class MessageFormatTest : public JournalTest {};

TEST_F(MessageFormatTest, Integers) {
  // Whole 64-bit words, INT64_MIN among them, and %-12i and %-.12i are in the golden
  // listings; here the flags and fields the suites never print.
  EXPECT_EQ(format(U"%.2i|%.2i|%.2d", I(5), I(-5), I(123)), U"05|-05|123");
  EXPECT_EQ(format(U"[%.0d][%3.0i][%.0i]", I(0), I(0), I(3)), U"[][   ][3]");
  EXPECT_EQ(format(U"[%05d][%+d][% d][%+d]", I(-42), I(5), I(5), I(0)), U"[-0042][+5][ 5][+0]");
  EXPECT_EQ(format(U"[%08.3d][%-05d]", I(-7), I(3)), U"[    -007][3    ]");
  EXPECT_EQ(format(U"[%*d][%*d][%.*d][%.*d]", I(-5), I(3), I(4), I(3), I(3), I(7), I(-1), I(0)),
            U"[3    ][   3][007][0]");
  EXPECT_EQ(format(U"%lu|%x", I(-1), I(-1)), U"18446744073709551615|ffffffffffffffff");
  EXPECT_EQ(format(U"%lx|%#llX|%#llX", I(0xDEADBEEF), I(0xABCDEF), I(0)), U"deadbeef|0XABCDEF|0");
  EXPECT_EQ(format(U"[%#o][%o][%+u]", I(8), I(0), I(5)), U"[010][0][5]");
}

TEST_F(MessageFormatTest, CharactersAndTexts) {
  EXPECT_EQ(format(U"%c%c%c", I(0x41), I(0xA0), I(0x1F600)), U"A\u00A0\U0001F600");
  EXPECT_EQ(format(U"    expected[%2d]= %4x(%c)[%-3c]", I(3), I(0x39), I(0x39), I('y')),
            U"    expected[ 3]=   39(9)[y  ]");
  const ZQChar* mixed = units(U"a\U0001F600\u00A0b");
  EXPECT_EQ(format(U"<%s><%.72S><%.2s>", mixed, mixed, mixed),
            U"<a\U0001F600\u00A0b><a\U0001F600\u00A0b><a\U0001F600>");
  EXPECT_EQ(format(U"<%s>", static_cast<const ZQChar*>(nullptr)), U"<(null)>");
  // A precision bounds the read: the unit after the first three is never looked at.
  struct {
    ZQChar unterminated[3] = {'x', 'y', 'z'};
    ZQChar after[2] = {'!', 0};
  } guarded;
  EXPECT_EQ(format(U"<%.3s>", guarded.unterminated), U"<xyz>");

  // A '*' before s gives the text's length; a zero unit still ends it.
  const ZQChar* abc = units(U"abcdef");
  const std::vector<ZQChar> cut = {'a', 'b', 0, 'z', 'z'};
  const std::vector<ZQChar> wide = exactCopy(U"\U0001F600\u00A0xy");  // no terminator
  EXPECT_EQ(format(U"'%*s'|'%*s'", I(3), abc, I(-1), abc), U"'abc'|''");
  EXPECT_EQ(format(U"'%*s'|%d", I(2), static_cast<const ZQChar*>(nullptr), I(9)), U"''|9");
  EXPECT_EQ(format(U"'%*s'", I(5), cut.data()), U"'ab'");
  EXPECT_EQ(format(U"'%*S'", I(4), wide.data()), U"'\U0001F600\u00A0xy'");
}

// Floating conversions are the C library's own text, through a format rebuilt from the
// conversion's flags, width and precision: the golden listings print doubles with
// %-20.16e, %-f, %.0f, %.3f, %7.0f and %34.32g among integers and texts.
TEST_F(MessageFormatTest, LiteralsAndMalformedConversions) {
  EXPECT_EQ(format(U"100%% sure %%d"), U"100% sure %d");
  EXPECT_EQ(format(U"%y|%n|%5k|%p %d", I(6)), U"%y|%n|%5k|%p 6");
  for (const char32_t* unfinished : {U"abc %-5", U"abc %l", U"abc %"}) {
    EXPECT_EQ(format(unfinished), unfinished);
  }
  EXPECT_EQ(format(U"1\u00A0%d\u00A0\U0001F600", I(2)), U"1\u00A02\u00A0\U0001F600");
  // Only the given length is read; a zero unit inside it is kept.
  EXPECT_EQ(messageToBuf(journal_, 16, 3, U"abc%d", I(1)).text, U"abc");
  EXPECT_EQ(messageToBuf(journal_, 16, 5, U"a\0b%d", I(1)).text, std::u32string(U"a\0b1", 4));
  // A width too large to be meant is capped instead of exhausting memory.
  EXPECT_EQ(format(U"%99999999999999999999d", I(1)).size(), 4096u);
}

TEST_F(MessageFormatTest, MemoryAndTimeFollowTheOutputNotTheFormat) {
  // 200 000 conversions of 4096 units each: 800 M units if the whole text were built.
  std::u32string huge;
  for (int i = 0; i < 200000; ++i) huge += U"%4096d";
  const BufferResult cut =
      messageToBuf(journal_, 16, std::ssize(huge), huge.c_str(), I(1), I(2));
  EXPECT_EQ(cut.status, ZQ_NLS_FMT_TRUNCATE);
  EXPECT_EQ(cut.text, std::u32string(16, U' '));
  EXPECT_EQ(cut.buffer[16], kUntouched);

  EXPECT_EQ(messageToJnl(journal_, huge.c_str(), I(1), I(2), I(3), I(4), I(5), I(6)),
            ZQ_NLS_FMT_TRUNCATE);
  const std::u32string line = host::journalText(journal_);
  ASSERT_EQ(line.size(), host::kJournalLineUnits + 1);
  EXPECT_EQ(line.substr(4094, 3), U" 1 ");
  EXPECT_EQ(line.substr(16382), U" 4\n");
}

// The journal fuzz target holds every format to capacities of 0 and more, guard units
// after them; here the terminator where there is room, and a negative capacity.
TEST_F(MessageFormatTest, TerminatedWhereThereIsRoomAndUntouchedBelowZero) {
  EXPECT_EQ(messageToBuf(journal_, 7, 6, U"abcdef").buffer[6], 0u);
  const BufferResult none = messageToBuf(journal_, -3, 6, U"abcdef");
  EXPECT_EQ(none.length, 0);
  EXPECT_EQ(none.buffer[0], kUntouched);
}

// The formatter alone, as a journal line is made, at a limit of 8 units.
std::u32string formatted(const ZQChar* format, std::int64_t length, ...) {
  std::va_list args;
  va_start(args, length);
  std::u32string text = host::formatMessage(format, length, &args, 8);
  va_end(args);
  return text;
}

TEST(MessageFormatter, NullOrNegativeFormatsGiveNothingAndTextsStopAtTheLimit) {
  EXPECT_EQ(formatted(nullptr, 4, I(1)), U"");
  EXPECT_EQ(formatted(units(U"%d"), -1, I(5)), U"");
  EXPECT_EQ(formatted(units(U"%d|%d"), 5, I(1234), I(56789)), U"1234|567");
}

}  // namespace
}  // namespace zq::testing
