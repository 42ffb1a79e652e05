// Status texts: how the host's journal names a status code.
#pragma once

#include <cstdint>
#include <string>

namespace zq::host {

// The text of a status: its name and its 32-bit value in hexadecimal, for example
// "ZQ_NLS_BAD_NUM (0x803FE810)" or "ZQ_OK (0x00000000)". A status the host does not
// name renders as "STATUS (0x12345678)". Only the low 32 bits of `status` count, so a
// sign-extended status and its 32-bit form give the same text.
std::u32string statusText(std::int64_t status);

}  // namespace zq::host
