// Integer parsing: one left-to-right pass over the text for every result width.
#include "host/nls/integer_parse.h"

namespace zq::host {
namespace {

constexpr ZQChar kBlank = 0x0020;
constexpr ZQChar kNoBreakSpace = 0x00A0;

// The value of `unit` as a digit of `base` (10 or 16), or -1.
template <int kBase>
int digitValue(ZQChar unit) {
  if (unit - ZQChar{'0'} <= 9) return static_cast<int>(unit - '0');
  if (kBase != 16) return -1;
  if (unit - ZQChar{'a'} <= 5) return static_cast<int>(unit - 'a' + 10);
  if (unit - ZQChar{'A'} <= 5) return static_cast<int>(unit - 'A' + 10);
  return -1;
}

int digitValue(ZQChar unit, int base) {
  return base == 16 ? digitValue<16>(unit) : digitValue<10>(unit);
}

bool isGroupBlank(ZQChar unit) { return unit == kBlank || unit == kNoBreakSpace; }

// Walks the text; `at` is the index of the next unit.
class Scanner {
 public:
  Scanner(const ZQChar* text, std::int64_t length) : text_(text), length_(length) {}

  bool atEnd() const { return at_ >= length_; }
  ZQChar peek() const { return text_[at_]; }
  bool peekIs(ZQChar unit) const { return !atEnd() && peek() == unit; }
  int peekDigit(int base) const { return atEnd() ? -1 : digitValue(peek(), base); }
  int digitAfterNext(int base) const {
    return at_ + 1 < length_ ? digitValue(text_[at_ + 1], base) : -1;
  }
  void skip() { ++at_; }
  void skipBlanks() {
    while (peekIs(kBlank)) ++at_;
  }
  std::int64_t at() const { return at_; }

  // Reads a run of digits into `magnitude`. While `unchecked` digits remain, a
  // digit cannot make the value pass the limit and is added without a check;
  // after that, once the value would pass `limit`, `overflow` is set and the
  // rest of the run is only skipped.
  template <int kBase>
  void readDigits(std::uint64_t limit, int& unchecked, std::uint64_t& magnitude, bool& overflow) {
    for (; unchecked > 0 && at_ < length_; --unchecked, ++at_) {
      const int digit = digitValue<kBase>(text_[at_]);
      if (digit < 0) return;
      magnitude = magnitude * kBase + static_cast<std::uint64_t>(digit);
    }
    for (; !overflow && at_ < length_; ++at_) {
      const int digit = digitValue<kBase>(text_[at_]);
      if (digit < 0) return;
      std::uint64_t next = 0;
      if (__builtin_mul_overflow(magnitude, std::uint64_t{kBase}, &next) ||
          __builtin_add_overflow(next, static_cast<std::uint64_t>(digit), &next) ||
          next > limit) {
        overflow = true;
        break;
      }
      magnitude = next;
    }
    while (at_ < length_ && digitValue<kBase>(text_[at_]) >= 0) ++at_;
  }

 private:
  const ZQChar* text_;
  std::int64_t length_;
  std::int64_t at_ = 0;
};

ParsedInteger noNumber() { return ParsedInteger{ZQ_NLS_BAD_NUM, 0, false, 0}; }

}  // namespace

ParsedInteger parseInteger(const LocaleData& locale, const ZQChar* text, std::int64_t length,
                           std::uint32_t options, IntegerRange range) {
  const NumberSymbols& symbols = locale.number;
  Scanner scan(text, length);
  scan.skipBlanks();
  if (scan.atEnd()) return ParsedInteger{ZQ_OK, 0, false, length};

  bool negative = false;
  if (scan.peek() == symbols.minus_sign) {
    if (range.max_negative == 0) return noNumber();
    negative = true;
    scan.skip();
  } else if (scan.peek() == symbols.plus_sign) {
    scan.skip();
  }

  const int base = (options & LOCALE_CVT_HEX) != 0 ? 16 : 10;
  // "0x" is a prefix only with a digit after it; otherwise "0" is the number.
  if (base == 16 && scan.peekIs('0')) {
    Scanner probe = scan;
    probe.skip();
    if (!probe.atEnd() && (probe.peek() == 'x' || probe.peek() == 'X') &&
        probe.digitAfterNext(16) >= 0) {
      scan.skip();
      scan.skip();
    }
  }
  if (scan.peekDigit(base) < 0) return noNumber();

  // Digits, and group blanks between them.
  const std::uint64_t limit = negative ? range.max_negative : range.max_positive;
  const bool space_grouping = (options & LOCALE_CVT_SPACEGROUPING) != 0 &&
                              isGroupBlank(symbols.group_separator);
  // The first digits of a number cannot pass any limit: every limit is at least
  // 2^31 - 1, which no 9 decimal or 7 hexadecimal digits reach, and a 64-bit
  // limit is at least 2^63 - 1, beyond any 18 decimal or 15 hexadecimal digits.
  const bool wide = limit >= (std::uint64_t{1} << 63) - 1;
  int unchecked = base == 10 ? (wide ? 18 : 9) : (wide ? 15 : 7);
  std::uint64_t magnitude = 0;
  bool overflow = false;
  bool ended_by_group_blank = false;
  for (;;) {
    if (base == 16) {
      scan.readDigits<16>(limit, unchecked, magnitude, overflow);
    } else {
      scan.readDigits<10>(limit, unchecked, magnitude, overflow);
    }
    if (!space_grouping || scan.atEnd() || !isGroupBlank(scan.peek())) break;
    const bool more_digits = scan.digitAfterNext(base) >= 0;
    scan.skip();
    if (!more_digits) {
      ended_by_group_blank = true;
      break;
    }
  }

  bool bad = false;
  bool truncated = false;
  if (!ended_by_group_blank && scan.peekIs(symbols.decimal_separator)) {
    if ((options & LOCALE_CVT_IGNORE_DECIMAL) == 0) {
      bad = true;
    } else {
      scan.skip();
      for (int digit = scan.peekDigit(base); digit >= 0; digit = scan.peekDigit(base)) {
        truncated = truncated || digit != 0;
        scan.skip();
      }
    }
  }

  if (!bad && !scan.atEnd()) {
    const bool after_blank = ended_by_group_blank || scan.peek() == kBlank;
    if (!after_blank) {
      bad = true;
    } else if ((options & LOCALE_CVT_NOEMBEDDEDSPACE) != 0) {
      scan.skipBlanks();
      bad = !scan.atEnd();
    }
  }

  Status status = ZQ_OK;
  if (truncated) status = ZQ_NLS_FMT_TRUNCATE;
  if (bad) status = ZQ_NLS_BAD_NUM;
  if (overflow) status = ZQ_NLS_OVERFLOW;
  return ParsedInteger{status, overflow ? 0 : magnitude, negative && !overflow, scan.at()};
}

}  // namespace zq::host
