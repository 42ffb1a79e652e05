// The host's 8-bit encodings: their numbers and names, and conversion between their
// bytes and ZQChar text through the C library's iconv.
#pragma once

#include <iconv.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "zq/types.h"

namespace zq::host {

struct EncodingInfo {
  std::int32_t number;      // the host's encoding number
  const char32_t* name;     // what zqnlsGetEncodingProperties reports
  const char* iconv_name;   // the C library's name for the same encoding
};

// The encoding numbered `number`, or null when the host has none by that number.
const EncodingInfo* findEncoding(std::int32_t number);

// Converts between ZQChar text and the bytes of one encoding. Every answer is iconv's:
// opening asks it about each single byte and keeps what it says, so that plain ASCII
// text and the text of a single-byte encoding convert without a call into it. Not
// shared between threads: iconv descriptors keep state between calls.
class EncodingConverter {
 public:
  EncodingConverter() = default;
  EncodingConverter(const EncodingConverter&) = delete;
  EncodingConverter& operator=(const EncodingConverter&) = delete;
  ~EncodingConverter() { close(); }

  // False when the C library cannot convert `encoding` (its conversion modules are
  // missing); the converter is then closed.
  bool open(const EncodingInfo& encoding);
  void close();

  // Whether every unit is an ASCII character that this encoding writes as the byte of
  // the same value, so that the text's bytes are its units.
  bool plainAscii(const ZQChar* units, std::int64_t count) const;

  // Writes units[0, count) in the encoding to `out`, which has room for
  // kMaxBytesPerUnit * count bytes, and returns the bytes written; -1 when a unit is
  // no Unicode scalar value or has no form in the encoding.
  std::int64_t encode(const ZQChar* units, std::int64_t count, char* out);

  // Decodes bytes[0, length) into `units` (room for `length` units) and returns the
  // units written. A byte that starts no character of the encoding, or an incomplete
  // one at the end, decodes alone as U+FFFD.
  std::int64_t decode(const char* bytes, std::int64_t length, ZQChar* units);

  // The bytes from which decode() takes the first `units` units of bytes[0, length).
  std::int64_t bytesOf(const char* bytes, std::int64_t length, std::int64_t units);

  // The longest form of one character in any of the host's encodings (UTF-8, GB 18030).
  static constexpr std::int64_t kMaxBytesPerUnit = 4;

 private:
  void learnSingleBytes();

  iconv_t to_bytes_ = reinterpret_cast<iconv_t>(-1);
  iconv_t from_bytes_ = reinterpret_cast<iconv_t>(-1);
  std::array<bool, 128> same_ascii_{};  // byte b and code point b are one character
  // Every byte is a whole character (or none): the Latin sets, windows-1256.
  bool single_byte_ = false;
  std::array<ZQChar, 256> byte_units_{};  // single-byte: each byte's character
  // Single-byte: the byte of each character outside the plain ASCII ones, by character.
  std::vector<std::pair<ZQChar, unsigned char>> unit_bytes_;
};

}  // namespace zq::host
