// The host's 8-bit encodings: their numbers and names, the NLS word that describes
// them, and conversion between their bytes and ZQChar text through the C library's
// iconv.
#pragma once

#include <iconv.h>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "zq/host_objects.h"
#include "zq/types.h"

namespace zq::host {

struct EncodingInfo {
  std::int32_t number;      // the host's encoding number
  const char32_t* name;     // what zqnlsGetEncodingProperties reports
  const char* iconv_name;   // the C library's name for the same encoding
};

// The encoding numbered `number`, or null when the host has none by that number.
const EncodingInfo* findEncoding(std::int32_t number);

// zqnlsGetEncodingProperties (NLS word 13): fills the record with the encoding's name
// and number. An encoding number the host does not know, or a null handle, gives
// ZQ_NLS_INVALID_VALUE and a zeroed record; a null record gives ZQ_NLS_INVALID_VALUE.
Status getEncodingProperties(NlsHandle* nls, std::int32_t encoding, EncodingProperties* out);

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

  // Writes units[0, count) to `out` and returns true when every unit is a character
  // below U+0100 that the encoding writes as one byte: the common text, converted
  // without a call into iconv. Otherwise returns false having written nothing.
  bool narrow(const ZQChar* units, std::int64_t count, char* out) const {
    for (std::int64_t i = 0; i < count; ++i) {
      if (units[i] >= low_unit_bytes_.size() || low_unit_bytes_[units[i]] < 0) return false;
    }
    for (std::int64_t i = 0; i < count; ++i) {
      out[i] = static_cast<char>(low_unit_bytes_[units[i]]);
    }
    return true;
  }

  // Writes units[0, count) in the encoding to `out`, which has room for
  // kMaxBytesPerUnit * count bytes, and returns the bytes written; -1 when a unit is
  // no Unicode scalar value or has no form in the encoding.
  std::int64_t encode(const ZQChar* units, std::int64_t count, char* out);

  // Decodes bytes[0, length) into `units` (room for `length` units) and returns the
  // units written. A byte that starts no character of the encoding, or an incomplete
  // one at the end, decodes alone as U+FFFD.
  std::int64_t decode(const char* bytes, std::int64_t length, ZQChar* units);

  // The character each byte is alone, U+FFFD for one that starts or continues a
  // longer character or starts none.
  const std::array<ZQChar, 256>& byteCharacters() const { return byte_units_; }

  // The bytes from which decode() takes the first `units` units of bytes[0, length).
  std::int64_t bytesOf(const char* bytes, std::int64_t length, std::int64_t units);

  // The longest form of one character in any of the host's encodings (UTF-8, GB 18030).
  static constexpr std::int64_t kMaxBytesPerUnit = 4;

 private:
  void learnSingleBytes();
  // Whether byte b and code point b are one character (not 0x5C or 0x7E in every
  // Japanese encoding).
  bool sameAscii(unsigned byte) const {
    return byte < 0x80 && low_unit_bytes_[byte] == static_cast<std::int16_t>(byte);
  }

  iconv_t to_bytes_ = reinterpret_cast<iconv_t>(-1);
  iconv_t from_bytes_ = reinterpret_cast<iconv_t>(-1);
  // The byte of each character below U+0100 that has a form of one byte; -1 for
  // the others.
  std::array<std::int16_t, 256> low_unit_bytes_{};
  // Every byte is a whole character (or none): the Latin sets, windows-1256.
  bool single_byte_ = false;
  std::array<ZQChar, 256> byte_units_{};  // each byte's character alone
  // Single-byte: the byte of each character from U+0100 on that has one, by character.
  std::vector<std::pair<ZQChar, unsigned char>> unit_bytes_;
};

}  // namespace zq::host
