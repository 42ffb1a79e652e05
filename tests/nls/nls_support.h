// Test support for the NLS service: a host kernel, locale handles and text helpers.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::testing {

constexpr char32_t kNbsp = U'\u00A0';

inline std::uint64_t bits(std::int64_t value) { return static_cast<std::uint64_t>(value); }

inline const ZQChar* units(const std::u32string& text) {
  return reinterpret_cast<const ZQChar*>(text.data());
}

// The decimal text of `value` cut to T, from std::to_chars.
template <typename T>
std::string referenceDigits(std::uint64_t value) {
  char digits[24];
  return std::string(digits, std::to_chars(digits, digits + 24, static_cast<T>(value)).ptr);
}

// `digits` (an optional '-', then digits) grouped by threes with `separator` (0: none).
inline std::u32string grouped(const std::string& digits, char32_t separator) {
  std::u32string out;
  const std::size_t first = digits[0] == '-' ? 1 : 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (separator != 0 && i > first && (digits.size() - i) % 3 == 0) out += separator;
    out += static_cast<char32_t>(digits[i]);
  }
  return out;
}

// `text` with every U+00A0 written as '_', so failures print readably.
inline std::string readable(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) out += c == kNbsp ? '_' : c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// A kernel made by the stand-in host, and locale handles from its NLS service.
class NlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kernel_ = static_cast<KernelHandle*>(zqhostCreate());
    ASSERT_NE(kernel_, nullptr);
    ASSERT_NE(kernel_->nls, nullptr);
  }
  void TearDown() override {
    for (LocaleHandle* handle : locales_) EXPECT_EQ(handle->zqnlsLocaleDestroy(handle), ZQ_OK);
    zqhostDestroy(kernel_);
  }

  NlsHandle* nls() const { return kernel_->nls; }

  // A handle destroyed with the fixture, or null when the host refuses the name.
  LocaleHandle* locale(const char32_t* name) {
    const std::u32string text(name);
    LocaleHandle* handle =
        nls()->zqnlsLocaleCreate(nls(), units(text), static_cast<std::int64_t>(text.size()));
    if (handle != nullptr) locales_.push_back(handle);
    return handle;
  }

  KernelHandle* kernel_ = nullptr;

 private:
  std::vector<LocaleHandle*> locales_;
};

// What a format call produced: its status, its reported length and the units written.
struct Formatted {
  Status status;
  std::int64_t length;
  std::u32string text;
  bool operator==(const Formatted&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Formatted& f) {
  return out << "{status 0x" << std::hex << static_cast<std::uint32_t>(f.status) << std::dec
             << ", length " << f.length << ", \"" << readable(f.text) << "\"}";
}

inline Formatted ok(const std::u32string& text) {
  return Formatted{ZQ_OK, static_cast<std::int64_t>(text.size()), text};
}
inline Formatted truncated(const std::u32string& text) {
  return Formatted{ZQ_NLS_FMT_TRUNCATE, static_cast<std::int64_t>(text.size()), text};
}

// Runs `call(buffer, capacity, out_length)` on a buffer of `capacity` units followed
// by guard units, and fails the test when a unit past the capacity changed.
template <typename Call>
Formatted formatGuarded(std::int64_t capacity, Call call) {
  constexpr ZQChar kGuard = 0xDEADBEEF;
  constexpr std::int64_t kGuardUnits = 16;
  std::vector<ZQChar> buffer(static_cast<std::size_t>(capacity + kGuardUnits), kGuard);
  std::int64_t length = -1;
  const Status status = call(buffer.data(), capacity, &length);
  for (std::int64_t i = capacity; i < capacity + kGuardUnits; ++i) {
    EXPECT_EQ(buffer[static_cast<std::size_t>(i)], kGuard) << "write past capacity " << capacity;
  }
  Formatted result{status, length, {}};
  for (std::int64_t i = 0; i < length && i < capacity; ++i) {
    result.text += static_cast<char32_t>(buffer[static_cast<std::size_t>(i)]);
  }
  return result;
}

}  // namespace zq::testing
