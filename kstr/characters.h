// Case mapping and collation extremes of one code point through the compiled-in tables.
//
// Internal to the kernel string library. None of these asks the NLS service: they are the
// table path that the exported operations take without one, and that the comparisons use
// whatever the kernel has.
#pragma once

#include <cstdint>

#include "zq/types.h"

namespace zq::kstr {

// The upper-case (lower-case) form of c by vdz_metatable, vdz_upshift/vdz_downshift and
// vdz_upaux/vdz_downaux. Code points from 0x10000 on, surrogates and code points the
// tables do not map come back unchanged.
ZQChar upperThroughTables(ZQChar c);
ZQChar lowerThroughTables(ZQChar c);

// The least (greatest) member of c's case-equivalence class; code points from 0x10000
// on and code points without case partners come back unchanged.
ZQChar leastCaseVariant(ZQChar c);
ZQChar greatestCaseVariant(ZQChar c);

// The two-level tables behind leastCaseVariant and greatestCaseVariant, for the vector
// forms: meta has 512 entries, one per block of 128 code points of 0-0xFFFF, -1 for a
// block that does not change, else the offset of the block's 128 deltas in shift.
struct ExtremeTables {
  const std::int32_t* meta;
  const std::int32_t* shift;
};
ExtremeTables leastVariantTables();
ExtremeTables greatestVariantTables();

}  // namespace zq::kstr
