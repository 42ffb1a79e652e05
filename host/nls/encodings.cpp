// The host's encodings and their conversion by the C library's iconv (glibc's gconv
// modules). No mapping is written here: what the converter keeps per byte is what
// iconv answered when it was opened.
#include "host/nls/encodings.h"

#include <algorithm>
#include <bit>
#include <cerrno>

#include "host/nls/service.h"

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
constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

enum class Outcome { kDone, kInvalid, kIncomplete, kNoRoom };

// One iconv call over the whole input, leaving the descriptor in its initial state
// after a failure. `out_bytes` is the room on entry and the bytes written on return.
// iconv takes its input through a non-const pointer but does not write through it.
Outcome convert(iconv_t descriptor, const void* in, std::size_t in_bytes, void* out,
                std::size_t& out_bytes) {
  char* in_at = const_cast<char*>(static_cast<const char*>(in));
  char* out_at = static_cast<char*>(out);
  std::size_t out_left = out_bytes;
  const std::size_t result = iconv(descriptor, &in_at, &in_bytes, &out_at, &out_left);
  out_bytes -= out_left;
  if (result != kFailed) return Outcome::kDone;
  const int error = errno;
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  if (error == E2BIG) return Outcome::kNoRoom;
  return error == EINVAL ? Outcome::kIncomplete : Outcome::kInvalid;
}

}  // namespace

const EncodingInfo* findEncoding(std::int32_t number) {
  for (const EncodingInfo& encoding : kEncodings) {
    if (encoding.number == number) return &encoding;
  }
  return nullptr;
}

Status getEncodingProperties(NlsHandle* nls, std::int32_t encoding, EncodingProperties* out) {
  if (out == nullptr) return ZQ_NLS_INVALID_VALUE;
  *out = EncodingProperties{};
  if (nls == nullptr) return ZQ_NLS_INVALID_VALUE;
  if (takeFault(*serviceOf(nls).kernel, ZQHOST_FAULT_GET_ENCODING_PROPERTIES)) {
    return ZQ_NLS_INVALID_VALUE;
  }
  const EncodingInfo* info = findEncoding(encoding);
  if (info == nullptr) return ZQ_NLS_INVALID_VALUE;
  out->name = reinterpret_cast<const ZQChar*>(info->name);
  out->number = info->number;
  return ZQ_OK;
}

bool EncodingConverter::open(const EncodingInfo& encoding) {
  close();
  to_bytes_ = iconv_open(encoding.iconv_name, kUnitCode);
  from_bytes_ = iconv_open(kUnitCode, encoding.iconv_name);
  if (to_bytes_ == kClosed || from_bytes_ == kClosed) {
    close();
    return false;
  }
  learnSingleBytes();
  return true;
}

// Asks iconv what each byte alone decodes to and how that character is written back.
// A byte that is only the start of a longer character makes the encoding multi-byte.
void EncodingConverter::learnSingleBytes() {
  single_byte_ = true;
  low_unit_bytes_.fill(-1);
  for (unsigned byte = 0; byte < byte_units_.size(); ++byte) {
    const char in = static_cast<char>(byte);
    ZQChar unit = 0;
    std::size_t unit_bytes = sizeof unit;
    const Outcome decoded = convert(from_bytes_, &in, 1, &unit, unit_bytes);
    if (decoded == Outcome::kIncomplete) single_byte_ = false;
    const bool whole = decoded == Outcome::kDone && unit_bytes == sizeof unit;
    byte_units_[byte] = whole ? unit : kReplacement;
    if (!whole) continue;
    char encoded[kMaxBytesPerUnit] = {};
    std::size_t encoded_bytes = sizeof encoded;
    const bool round_trip =
        convert(to_bytes_, &unit, sizeof unit, encoded, encoded_bytes) == Outcome::kDone &&
        encoded_bytes == 1 && encoded[0] == in;
    if (!round_trip) continue;
    if (unit < low_unit_bytes_.size()) {
      low_unit_bytes_[unit] = static_cast<std::int16_t>(byte);
    } else {
      unit_bytes_.emplace_back(unit, static_cast<unsigned char>(byte));
    }
  }
  if (!single_byte_) unit_bytes_.clear();
  std::sort(unit_bytes_.begin(), unit_bytes_.end());
}

void EncodingConverter::close() {
  if (to_bytes_ != kClosed) iconv_close(to_bytes_);
  if (from_bytes_ != kClosed) iconv_close(from_bytes_);
  to_bytes_ = kClosed;
  from_bytes_ = kClosed;
  low_unit_bytes_.fill(-1);
  single_byte_ = false;
  unit_bytes_.clear();
}

std::int64_t EncodingConverter::encode(const ZQChar* units, std::int64_t count, char* out) {
  if (single_byte_) {
    for (std::int64_t i = 0; i < count; ++i) {
      const ZQChar unit = units[i];
      if (unit < low_unit_bytes_.size()) {
        if (low_unit_bytes_[unit] < 0) return -1;
        out[i] = static_cast<char>(low_unit_bytes_[unit]);
        continue;
      }
      const auto found = std::lower_bound(unit_bytes_.begin(), unit_bytes_.end(),
                                          std::pair<ZQChar, unsigned char>{unit, 0});
      if (found == unit_bytes_.end() || found->first != unit) return -1;
      out[i] = static_cast<char>(found->second);
    }
    return count;
  }
  std::size_t written = static_cast<std::size_t>(count * kMaxBytesPerUnit);
  if (convert(to_bytes_, units, static_cast<std::size_t>(count) * sizeof(ZQChar), out,
              written) != Outcome::kDone) {
    return -1;
  }
  return static_cast<std::int64_t>(written);
}

std::int64_t EncodingConverter::decode(const char* bytes, std::int64_t length, ZQChar* units) {
  if (single_byte_) {
    for (std::int64_t i = 0; i < length; ++i) {
      units[i] = byte_units_[static_cast<unsigned char>(bytes[i])];
    }
    return length;
  }
  std::int64_t count = 0;
  for (; count < length; ++count) {
    const auto byte = static_cast<unsigned char>(bytes[count]);
    if (!sameAscii(byte)) break;
    units[count] = byte;
  }
  // The rest in as few calls as its bytes allow: each byte that starts no character
  // becomes U+FFFD and the call goes on after it. Every character has a byte, so
  // `length` units are room enough.
  char* in_at = const_cast<char*>(bytes + count);
  std::size_t in_left = static_cast<std::size_t>(length - count);
  while (in_left > 0) {
    char* out_at = reinterpret_cast<char*>(units + count);
    std::size_t out_left = static_cast<std::size_t>(length - count) * sizeof(ZQChar);
    const std::size_t result = iconv(from_bytes_, &in_at, &in_left, &out_at, &out_left);
    const int error = errno;
    count = reinterpret_cast<ZQChar*>(out_at) - units;
    if (result != kFailed || error == E2BIG) break;
    iconv(from_bytes_, nullptr, nullptr, nullptr, nullptr);
    units[count++] = kReplacement;
    ++in_at;
    --in_left;
  }
  return count;
}

std::int64_t EncodingConverter::bytesOf(const char* bytes, std::int64_t length,
                                        std::int64_t units) {
  if (single_byte_) return units;
  std::int64_t at = 0;
  while (at < units && sameAscii(static_cast<unsigned char>(bytes[at]))) {
    ++at;
  }
  // One character at a time from the first that is not plain ASCII: iconv stops with
  // E2BIG once the room of one unit is filled.
  char* in_at = const_cast<char*>(bytes + at);
  std::size_t in_left = static_cast<std::size_t>(length - at);
  for (std::int64_t count = at; count < units && in_left > 0;) {
    const std::size_t before = in_left;
    ZQChar unit = 0;
    char* out_at = reinterpret_cast<char*>(&unit);
    std::size_t out_left = sizeof unit;
    iconv(from_bytes_, &in_at, &in_left, &out_at, &out_left);
    if (out_left == 0) {
      ++count;
    } else if (in_left == before) {
      // Nothing read: decode() wrote U+FFFD for this byte.
      iconv(from_bytes_, nullptr, nullptr, nullptr, nullptr);
      ++count;
      ++in_at;
      --in_left;
    }
  }
  return length - static_cast<std::int64_t>(in_left);
}

}  // namespace zq::host
