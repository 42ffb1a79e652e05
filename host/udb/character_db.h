// The character-database service "zqnlsudb" and the NLS handle's character operations.
#pragma once

#include <cstdint>

#include "zq/host_objects.h"

namespace zq::host {

// Fills the NLS handle's single-character upper-casing (word 31), lower-casing
// (word 32) and classification (word 136) operations.
void installCharacterOperations(NlsHandle& nls);

// The Unicode 9.0 simple upper-case (lower-case) mapping of c, in every plane. Code
// points without one, surrogates and values above 0x10FFFF come back unchanged.
ZQChar upperCaseOf(ZQChar c);
ZQChar lowerCaseOf(ZQChar c);

// The class word of c: one bit for its general category (0x1 Lu, 0x2 Ll, 0x4 Lt,
// 0x40 Nd, 0x200 Zs, 0x1000 Cc, 0x2000 Cf, ... as listed in kstr/unicode_tables.h),
// plus 0x800 for a control that is white space and 0x40000000 for A-F, a-f and their
// full-width forms. 0 for surrogates, private use, unassigned code points and values
// above 0x10FFFF. Classification word 136 answers whether it shares a bit with the mask.
std::uint32_t characterClassWord(ZQChar c);

}  // namespace zq::host
