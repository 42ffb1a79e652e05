// The host's encodings and their conversion by the C library's iconv (glibc's gconv
// modules); no conversion table of our own.
#include "host/nls/encodings.h"

#include <bit>
#include <cstring>

namespace zq::host {
namespace {

// number -> name reported, C library's name; the locales each one suits:
//    20  UTF-8         every locale
//    28  ISO-8859-1    en_US (Latin-1, Western European)
//    60  ISO-8859-15   fr_FR (Latin-9: Latin-1 with the euro sign and the French
//                      ligatures)
//    29  ISO-8859-2    pl_PL (Latin-2, Central European)
//   138  Shift_JIS     ja_JP
//    34  windows-1256  ar_SY (Arabic)
//   125  GB18030       zh_CN
constexpr EncodingInfo kEncodings[] = {
    {20, U"UTF-8", "UTF-8"},
    {28, U"ISO-8859-1", "ISO-8859-1"},
    {60, U"ISO-8859-15", "ISO-8859-15"},
    {29, U"ISO-8859-2", "ISO-8859-2"},
    {138, U"Shift_JIS", "SHIFT_JIS"},
    {34, U"windows-1256", "WINDOWS-1256"},
    {125, U"GB18030", "GB18030"},
};

// ZQChar text as iconv reads and writes it: UTF-32 in the machine's byte order.
constexpr const char* kUnitCode =
    std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE";

constexpr ZQChar kReplacement = 0xFFFD;

const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);

// One iconv call over the whole input; false on any error. iconv takes its input
// through a non-const pointer but does not write through it.
bool convert(iconv_t descriptor, const void* in, std::size_t in_bytes, void* out,
             std::size_t& out_bytes) {
  char* in_at = const_cast<char*>(static_cast<const char*>(in));
  char* out_at = static_cast<char*>(out);
  std::size_t out_left = out_bytes;
  const std::size_t result = iconv(descriptor, &in_at, &in_bytes, &out_at, &out_left);
  out_bytes -= out_left;
  if (result == static_cast<std::size_t>(-1)) {
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    return false;
  }
  return in_bytes == 0;
}

}  // namespace

const EncodingInfo* findEncoding(std::int32_t number) {
  for (const EncodingInfo& encoding : kEncodings) {
    if (encoding.number == number) return &encoding;
  }
  return nullptr;
}

bool EncodingConverter::open(const EncodingInfo& encoding) {
  close();
  to_bytes_ = iconv_open(encoding.iconv_name, kUnitCode);
  from_bytes_ = iconv_open(kUnitCode, encoding.iconv_name);
  if (to_bytes_ == kClosed || from_bytes_ == kClosed) {
    close();
    return false;
  }
  // The ASCII bytes that stand for the same code point both ways (not 0x5C or 0x7E
  // in every Japanese encoding) may be copied without iconv.
  for (unsigned byte = 0; byte < same_ascii_.size(); ++byte) {
    const char in = static_cast<char>(byte);
    const ZQChar unit = byte;
    ZQChar decoded = 0;
    char encoded[kMaxBytesPerUnit] = {};
    std::size_t decoded_bytes = sizeof decoded;
    std::size_t encoded_bytes = sizeof encoded;
    same_ascii_[byte] = convert(from_bytes_, &in, 1, &decoded, decoded_bytes) &&
                        decoded_bytes == sizeof decoded && decoded == unit &&
                        convert(to_bytes_, &unit, sizeof unit, encoded, encoded_bytes) &&
                        encoded_bytes == 1 && encoded[0] == in;
  }
  return true;
}

void EncodingConverter::close() {
  if (to_bytes_ != kClosed) iconv_close(to_bytes_);
  if (from_bytes_ != kClosed) iconv_close(from_bytes_);
  to_bytes_ = kClosed;
  from_bytes_ = kClosed;
  same_ascii_.fill(false);
}

bool EncodingConverter::plainAscii(const ZQChar* units, std::int64_t count) const {
  for (std::int64_t i = 0; i < count; ++i) {
    if (units[i] >= same_ascii_.size() || !same_ascii_[units[i]]) return false;
  }
  return true;
}

bool EncodingConverter::plainAscii(const char* bytes, std::int64_t count) const {
  for (std::int64_t i = 0; i < count; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= same_ascii_.size() || !same_ascii_[byte]) return false;
  }
  return true;
}

std::int64_t EncodingConverter::encode(const ZQChar* units, std::int64_t count, char* out) {
  if (count == 0) return 0;
  std::size_t written = static_cast<std::size_t>(count * kMaxBytesPerUnit);
  if (!convert(to_bytes_, units, static_cast<std::size_t>(count) * sizeof(ZQChar), out,
               written)) {
    return -1;
  }
  return static_cast<std::int64_t>(written);
}

std::int64_t EncodingConverter::decode(const char* bytes, std::int64_t length, ZQChar* units,
                                       std::int64_t* offsets) {
  // One character at a time, so that each unit knows the bytes it came from: iconv
  // stops with E2BIG once the room of one unit is filled.
  char* in_at = const_cast<char*>(bytes);
  std::size_t in_left = static_cast<std::size_t>(length);
  std::int64_t count = 0;
  while (in_left > 0) {
    const std::size_t before = in_left;
    offsets[count] = length - static_cast<std::int64_t>(in_left);
    char* out_at = reinterpret_cast<char*>(units + count);
    std::size_t out_left = sizeof(ZQChar);
    iconv(from_bytes_, &in_at, &in_left, &out_at, &out_left);
    if (out_left == 0) {
      ++count;
      continue;
    }
    if (in_left == before) {
      // Nothing read: no character starts here (or it is cut off by the end).
      iconv(from_bytes_, nullptr, nullptr, nullptr, nullptr);
      units[count++] = kReplacement;
      ++in_at;
      --in_left;
    }
    // Otherwise iconv read bytes that write nothing (a shift sequence): go on.
  }
  offsets[count] = length;
  return count;
}

}  // namespace zq::host
