// Status texts: how the host's journal names a status code.
#include "host/status_text.h"

#include <cstdio>

#include "zq/types.h"

namespace zq::host {
namespace {

const char* statusName(std::uint32_t status) {
  // Status value -> its name; every status the interface defines.
  struct NamedStatus {
    Status value;
    const char* name;
  };
  static constexpr NamedStatus kNames[] = {
      {ZQ_OK, "ZQ_OK"},
      {ZQ_NLS_DTIFMTERR, "ZQ_NLS_DTIFMTERR"},
      {ZQ_NLS_MISSING_VALUE, "ZQ_NLS_MISSING_VALUE"},
      {ZQ_NLS_INVALID_VALUE, "ZQ_NLS_INVALID_VALUE"},
      {ZQ_NLS_FMT_TRUNCATE, "ZQ_NLS_FMT_TRUNCATE"},
      {ZQ_NLS_BAD_NUM, "ZQ_NLS_BAD_NUM"},
      {ZQ_NLS_OVERFLOW, "ZQ_NLS_OVERFLOW"},
      {ZQ_NLS_UNDERFLOW, "ZQ_NLS_UNDERFLOW"},
      {ZQ_NLS_FMT_REVERT, "ZQ_NLS_FMT_REVERT"},
      {ZQ_NLS_FMT_INVALID_MISSCHAR, "ZQ_NLS_FMT_INVALID_MISSCHAR"},
      {ZQ_UNSUPPORTED, "ZQ_UNSUPPORTED"},
  };
  for (const NamedStatus& entry : kNames) {
    if (static_cast<std::uint32_t>(entry.value) == status) return entry.name;
  }
  return "STATUS";
}

}  // namespace

std::u32string statusText(std::int64_t status) {
  const auto value = static_cast<std::uint32_t>(static_cast<std::uint64_t>(status));
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%s (0x%08X)", statusName(value), value);
  std::u32string out;
  for (int i = 0; i < length; ++i) {
    out += static_cast<char32_t>(static_cast<unsigned char>(text[i]));
  }
  return out;
}

}  // namespace zq::host
