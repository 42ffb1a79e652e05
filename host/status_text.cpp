// Status texts: how the host's journal names a status code.
#include "host/status_text.h"

#include <cstdio>

#include "zq/types.h"

namespace zq::host {

std::u32string statusText(std::int64_t status) {
  const auto value = static_cast<std::uint32_t>(static_cast<std::uint64_t>(status));
  char text[64];
  const char* name = statusName(static_cast<Status>(value));
  const int length =
      std::snprintf(text, sizeof text, "%s (0x%08X)", name != nullptr ? name : "STATUS", value);
  std::u32string out;
  for (int i = 0; i < length; ++i) {
    out += static_cast<char32_t>(static_cast<unsigned char>(text[i]));
  }
  return out;
}

}  // namespace zq::host
