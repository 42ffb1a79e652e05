// The reading primitives date texts share: digits, literals and names at a position,
// names compared without regard to case. Every read stays within the text's length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/nls/locale_data.h"
#include "zq/types.h"

namespace zq::host {

// True when the two units are equal or differ only in case, or are the Cyrillic І
// (U+0406, U+0456) and the Latin I of either case: the two look alike, and Kazakh
// writers type either in Roman numerals (kk_KZ's quarters "ІІ тоқсан", "IV тоқсан").
bool sameIgnoringCase(ZQChar text_unit, char32_t name_unit);

// Reads the text left to right; a read that fails leaves the position where it was.
class Reader {
 public:
  Reader(const ZQChar* text, std::int64_t length) : text_(text), length_(length) {}

  std::int64_t at() const { return at_; }
  std::int64_t length() const { return length_; }
  bool atEnd() const { return at_ == length_; }
  // The unit at the position. Precondition: !atEnd().
  ZQChar unit() const { return text_[at_]; }
  // Precondition: 0 <= position <= length().
  void moveTo(std::int64_t position) { at_ = position; }
  void skipBlanks() {
    while (at_ < length_ && text_[at_] == kBlank) ++at_;
  }

  bool literal(std::u32string_view units) {
    if (length_ - at_ < static_cast<std::int64_t>(units.size())) return false;
    for (std::size_t i = 0; i < units.size(); ++i) {
      if (text_[at_ + static_cast<std::int64_t>(i)] != units[i]) return false;
    }
    at_ += static_cast<std::int64_t>(units.size());
    return true;
  }

  // The value of `count` decimal digits, or -1.
  std::int32_t digits(int count) {
    if (length_ - at_ < count) return -1;
    std::int32_t value = 0;
    for (int i = 0; i < count; ++i) {
      const ZQChar unit = text_[at_ + i];
      if (unit - ZQChar{'0'} > 9) return -1;
      value = value * 10 + static_cast<std::int32_t>(unit - '0');
    }
    at_ += count;
    return value;
  }

  // The number of decimal digits from the position on; does not move.
  std::int64_t digitRun() const {
    std::int64_t end = at_;
    while (end < length_ && text_[end] - ZQChar{'0'} <= 9) ++end;
    return end - at_;
  }

  // Two units as a blank-padded field is written: a blank and a digit, or two digits
  // of which the first is not 0. -1 otherwise.
  std::int32_t blankPadded() {
    if (length_ - at_ < 2) return -1;
    const ZQChar first = text_[at_];
    if (first == kBlank) {
      ++at_;
      const std::int32_t value = digits(1);
      if (value < 0) --at_;
      return value;
    }
    if (first == '0') return -1;
    return digits(2);
  }

  // The index of the longest name that the text continues with, in any case, or -1.
  template <std::size_t N>
  std::int32_t name(const std::array<std::u32string_view, N>& names) {
    std::int32_t found = -1;
    std::size_t found_length = 0;
    for (std::size_t i = 0; i < N; ++i) {
      const std::u32string_view candidate = names[i];
      if (candidate.size() > found_length && continuesWith(candidate)) {
        found = static_cast<std::int32_t>(i);
        found_length = candidate.size();
      }
    }
    at_ += static_cast<std::int64_t>(found_length);
    return found;
  }

  // The units of `name` the text continues with, in any case: all of them, or all
  // but a closing '.' when the text lacks it ("Jan" for "Jan."); 0 when it does not
  // continue with the name. Does not move.
  std::size_t matchedUnits(std::u32string_view name) const {
    if (name.empty()) return 0;
    if (continuesWith(name)) return name.size();
    if (name.size() > 1 && name.back() == U'.' && continuesWith(name.substr(0, name.size() - 1))) {
      return name.size() - 1;
    }
    return 0;
  }

 private:
  bool continuesWith(std::u32string_view name) const {
    if (length_ - at_ < static_cast<std::int64_t>(name.size())) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (!sameIgnoringCase(text_[at_ + static_cast<std::int64_t>(i)], name[i])) return false;
    }
    return true;
  }

  const ZQChar* text_;
  std::int64_t length_;
  std::int64_t at_ = 0;
};

}  // namespace zq::host
