// Vector records of zqvnleSanity1's integer and pointer families, and their tables.
#pragma once

#include <cstdint>
#include <span>

#include "suites/sanity/locale_names.h"
#include "zq/types.h"

namespace zq::sanity {

// Units of every text field in the records; texts are zero-padded.
constexpr std::int64_t kEntryUnits = 72;

// A text with its length. In a formatting record, `formats` holds four alternative
// expectations of which the suite reads formats[1] only.
struct FormatEntry {
  ZQChar fmtbuf[kEntryUnits];
  std::int64_t length;  // units, at most kEntryUnits - 1 so the text stays terminated
};

// A zero-padded text field; a text too long for the field fails to compile.
constexpr FormatEntry entry(const char32_t* text) {
  FormatEntry e{};
  std::int64_t n = 0;
  while (text[n] != 0) {
    e.fmtbuf[n] = static_cast<ZQChar>(text[n]);
    ++n;
  }
  e.length = n;
  return e;
}

// A FormatEntry whose first two characters give the expected converted length in
// decimal ("09", "14", or one digit and a blank), followed by blanks and the expected
// text; parsing it as an integer must give the converted length.
using CheckText = FormatEntry;

// "NN     text": the length of `text` in two digits, five blanks, then the text.
constexpr CheckText checkTextOf(const FormatEntry& text) {
  CheckText c{};
  c.fmtbuf[0] = static_cast<ZQChar>('0' + text.length / 10);
  c.fmtbuf[1] = static_cast<ZQChar>('0' + text.length % 10);
  std::int64_t n = 2;
  for (int i = 0; i < 5; ++i) c.fmtbuf[n++] = ' ';
  for (std::int64_t i = 0; i < text.length; ++i) c.fmtbuf[n++] = text.fmtbuf[i];
  c.length = n;
  return c;
}

// A stored capacity that is not positive means the whole output buffer (100 units).
// In the pointer table a stored pointer of exactly 0xFFFFFFFF means all 64 bits set.
constexpr std::uint64_t kAllBitsPointerMark = 0xFFFFFFFFu;

struct IntfastFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  std::int32_t value;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  CheckText checktext[4];
  FormatEntry formats[4];
  std::int64_t capacity;
  std::int64_t spare_length;
  Status status;
};

struct IntmaxFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  std::int64_t value;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  CheckText checktext[4];
  FormatEntry formats[4];
  std::int64_t capacity;
  std::int64_t spare_length;
  Status status;
};

struct UintfastFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  std::uint32_t value;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  CheckText checktext[4];
  FormatEntry formats[4];
  std::int64_t capacity;
  std::int64_t spare_length;
  Status status;
};

struct UintmaxFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  std::uint64_t value;
  std::int32_t width;
  std::int32_t precision;
  std::int32_t options;
  CheckText checktext[4];
  FormatEntry formats[4];
  std::int64_t capacity;
  std::int64_t spare_length;
  Status status;
};

struct PointerFormatRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  std::uint64_t pointer;
  std::int32_t width;
  std::int32_t options;
  CheckText checktext[4];
  FormatEntry formats[4];
  std::int64_t capacity;
  std::int64_t spare_length;
  Status status;
};

// Parsing records: the input is `input_length` units of `inputbuf`, which may be
// shorter than the text. The unsigned parsers take the record's options; the signed
// ones always get options 0.
struct BufferToIntfastRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  std::int32_t expected_value;
  std::int64_t expected_length;  // units consumed
  Status status;
};

struct BufferToIntmaxRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  std::int64_t expected_value;
  std::int64_t expected_length;
  Status status;
};

struct BufferToUintfastRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  std::int32_t options;
  std::uint32_t expected_value;
  std::int64_t expected_length;
  Status status;
};

struct BufferToUintmaxRecord {
  const ZQChar* locale;
  std::int64_t locale_length;
  ZQChar inputbuf[kEntryUnits];
  std::int64_t input_length;
  std::int32_t options;
  std::uint64_t expected_value;
  std::int64_t expected_length;
  Status status;
};

// The tables, in test-number order (test n is element n - 1).
std::span<const IntfastFormatRecord> intfastFormatTable();
std::span<const IntmaxFormatRecord> intmaxFormatTable();
std::span<const UintfastFormatRecord> uintfastFormatTable();
std::span<const UintmaxFormatRecord> uintmaxFormatTable();
std::span<const PointerFormatRecord> pointerFormatTable();
std::span<const BufferToIntfastRecord> bufferToIntfastTable();
std::span<const BufferToIntmaxRecord> bufferToIntmaxTable();
std::span<const BufferToUintfastRecord> bufferToUintfastTable();
std::span<const BufferToUintmaxRecord> bufferToUintmaxTable();

}  // namespace zq::sanity
