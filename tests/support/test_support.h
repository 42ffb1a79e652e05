// What the tests and the fuzz targets share: text as the host's units and back, format
// calls between guard units, the ordinary missing value, scratch folders and file text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zq/types.h"

namespace zq::testing {

// A ZQChar is a code point in 32 bits, as a char32_t is: text goes to the host in place.
static_assert(sizeof(ZQChar) == sizeof(char32_t));

inline const ZQChar* units(std::u32string_view text) {
  return reinterpret_cast<const ZQChar*>(text.data());
}
inline std::int64_t lengthOf(std::u32string_view text) {
  return static_cast<std::int64_t>(text.size());
}

// A copy of exactly the units of `text`, in a block of their own: a read past them
// shows under the address sanitizer.
inline std::vector<ZQChar> exactCopy(std::u32string_view text) { return {text.begin(), text.end()}; }

// `length` units at `p` as text (none for a null pointer or a negative length).
inline std::u32string textOf(const ZQChar* p, std::int64_t length) {
  if (p == nullptr || length <= 0) return {};
  return {reinterpret_cast<const char32_t*>(p), static_cast<std::size_t>(length)};
}
// The units at `p` up to its first zero unit.
inline std::u32string textOf(const ZQChar* p) {
  return p == nullptr ? std::u32string() : std::u32string(reinterpret_cast<const char32_t*>(p));
}

// `text` in ASCII for a failure message: U+00A0 as '_', other non-ASCII as '?'.
inline std::string readable(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) out += c == U'\u00A0' ? '_' : c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// The bits of the ordinary missing value, which every failed double parse leaves.
constexpr std::uint64_t kMissingBits = 0xFFFFFE0000000000;

// What a format call produced: its status, the length it reported, the units it wrote
// within its capacity, and whether it left every unit outside its buffer alone.
struct Formatted {
  Status status;
  std::int64_t length;
  std::u32string text;
  bool within = true;
  bool operator==(const Formatted&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Formatted& f) {
  const char* name = statusName(f.status);
  out << "{" << (name != nullptr ? name : "status") << ", length " << f.length << ", \""
      << readable(f.text) << "\"";
  return out << (f.within ? "}" : ", written outside its buffer}");
}
inline Formatted ok(std::u32string_view text) {
  return {ZQ_OK, lengthOf(text), std::u32string(text)};
}
inline Formatted truncated(std::u32string_view text) {
  return {ZQ_NLS_FMT_TRUNCATE, lengthOf(text), std::u32string(text)};
}

// Calls `call(buffer, capacity, &length)` on `capacity` units with guard units on either
// side; the result keeps the units written up to the length reported.
template <class Call>
Formatted formatGuarded(std::int64_t capacity, Call call) {
  constexpr ZQChar kGuard = 0xFDFDFDFD;
  constexpr std::int64_t kGuardUnits = 16;
  std::vector<ZQChar> block(static_cast<std::size_t>(capacity + 2 * kGuardUnits), kGuard);
  ZQChar* buffer = block.data() + kGuardUnits;
  Formatted f{ZQ_OK, -1, {}};
  f.status = call(buffer, capacity, &f.length);
  const auto guard = [](ZQChar unit) { return unit == kGuard; };
  f.within = std::all_of(block.begin(), block.begin() + kGuardUnits, guard) &&
             std::all_of(block.end() - kGuardUnits, block.end(), guard);
  f.text = textOf(buffer, std::min(f.length, capacity));
  return f;
}

// A new folder under the system's temporary one, removed with all it holds at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zq-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The bytes of a file; "" when it cannot be read.
inline std::string contentsOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace zq::testing
