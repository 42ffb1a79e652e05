// The journal's message formatter: a format from the input with arguments that match it,
// through MessageToBuf at the input's capacity and at the larger of it and the line
// limit, and MessageToJnl. Nothing is written past the capacity, a cut text is the
// start of the whole one, and a journal line is the whole text up to the limit.
#include <bit>
#include <cstdarg>

#include "fuzz/fuzz_support.h"
#include "host/journal.h"

namespace zq::fuzz {
namespace {

// splitmix64: argument values from the input's seed.
struct Numbers {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // Mostly small numbers, which widths and lengths use, sometimes any 64 bits.
  std::uint64_t word() { return next() % 4 == 0 ? next() : next() % 130 - 10; }
};

// The arguments of a format as the 64-bit words a variadic call leaves on the stack,
// with the texts that %s words point at. The formatter's own grammar is C's: flags,
// width ('*' or digits), '.' and precision ('*' or digits), length modifiers, then the
// conversion; a '*' takes a word only before a conversion it knows.
struct Arguments {
  std::vector<std::uint64_t> words;
  std::vector<std::vector<ZQChar>> texts;

  Arguments(const std::vector<ZQChar>& format, Numbers numbers) {
    const auto in = [&](std::size_t i, std::u32string_view set) {
      return i < format.size() && set.find(static_cast<char32_t>(format[i])) != set.npos;
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
      if (format[i] != '%') continue;
      int stars = 0;
      while (in(++i, U"-+ #0")) {}
      // A width or precision is a '*' or digits, never both.
      const auto field = [&] {
        if (!in(i, U"*")) {
          while (in(i, U"0123456789")) ++i;
          return;
        }
        ++stars;
        ++i;
      };
      field();
      if (in(i, U".")) {
        ++i;
        field();
      }
      while (in(i, U"hlLqjzt")) ++i;
      if (!in(i, U"diuoxXcsSfFeEgGaA")) continue;
      for (; stars > 0; --stars) words.push_back(numbers.word());
      if (in(i, U"fFeEgGaA")) {
        words.push_back(numbers.next());  // any double, NaNs and infinities too
      } else if (in(i, U"sS") && numbers.next() % 8 != 0) {
        std::vector<ZQChar>& text = texts.emplace_back(numbers.next() % 40);
        for (ZQChar& unit : text) unit = static_cast<ZQChar>(numbers.next() % 0x110000);
        text.push_back(0);
        words.push_back(reinterpret_cast<std::uint64_t>(text.data()));
      } else {
        words.push_back(in(i, U"sS") ? 0 : numbers.word());  // a null text now and then
      }
    }
  }

  // A va_list over the words. On x86-64 a va_list reads its arguments from registers
  // while gp_offset and fp_offset are below 48 and 176, and from the overflow area,
  // 8 bytes each in order, past them: exactly as it reads stacked variadic arguments.
  void start(std::va_list& list) {
    struct Tag {
      unsigned gp_offset;
      unsigned fp_offset;
      void* overflow_arg_area;
      void* reg_save_area;
    };
    static_assert(sizeof(std::va_list) == sizeof(Tag));
    const Tag tag{48, 176, words.data(), nullptr};
    std::memcpy(&list, &tag, sizeof tag);
  }
};

}  // namespace

void fuzzOne(const std::uint8_t* data, std::size_t size) {
  const Input<JournalInput> in = readInput<JournalInput>(data, size);
  Arguments arguments(in.text, Numbers{in.header.seed});
  jnlparms parms{};
  Journal* journal = fuzzKernel()->CreateJournal(fuzzKernel(), &parms, 0, "fuzz");
  const auto toBuffer = [&](std::int64_t capacity) {
    return formatGuarded(capacity, [&](ZQChar* out, std::int64_t room, std::int64_t* length) {
      std::va_list list;
      arguments.start(list);
      return static_cast<Status>(journal->MessageToBuf(
          journal, reinterpret_cast<Word>(out), static_cast<Word>(room),
          reinterpret_cast<Word>(length), reinterpret_cast<Word>(in.text.data()),
          in.text.size(), &list));
    });
  };
  const std::int64_t capacity = in.header.capacity;
  const Formatted cut = toBuffer(capacity);
  require(cut.length >= 0 && cut.length <= capacity, "the length fits the capacity");
  // The reference text: at the line limit, or at the capacity where that is larger (a
  // buffer is bounded by its capacity alone, the journal by the limit).
  const auto limit = static_cast<std::int64_t>(host::kJournalLineUnits);
  const Formatted whole = toBuffer(std::max(capacity, limit));
  require((cut.status == ZQ_OK) == (whole.status == ZQ_OK && whole.length <= capacity),
          "cut exactly when too long");
  require(whole.text.starts_with(cut.text), "a cut text is the start of the whole one");

  std::va_list list;
  arguments.start(list);
  journal->MessageToJnl(journal, JNL_LEVEL_INFO, in.text.data(), std::ssize(in.text), &list);
  const std::size_t line_units = std::min(whole.text.size(), static_cast<std::size_t>(limit));
  std::u32string expected = whole.text.substr(0, line_units);
  if (expected.empty() || expected.back() != U'\n') expected += U'\n';
  require(host::journalText(journal) == expected, "the journal line is the whole text");
  journal->Destroy(journal);
}

}  // namespace zq::fuzz
