// Test support for the NLS service: a host kernel, locale handles and number texts.
#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "zq/host.h"
#include "zq/host_objects.h"

namespace zq::testing {

constexpr char32_t kNbsp = U'\u00A0';

inline std::uint64_t bits(std::int64_t value) { return static_cast<std::uint64_t>(value); }

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
  LocaleHandle* locale(std::u32string_view name) {
    LocaleHandle* handle = nls()->zqnlsLocaleCreate(nls(), units(name), lengthOf(name));
    if (handle != nullptr) locales_.push_back(handle);
    return handle;
  }

  KernelHandle* kernel_ = nullptr;

 private:
  std::vector<LocaleHandle*> locales_;
};

}  // namespace zq::testing
