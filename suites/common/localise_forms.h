// The processor-specific forms of the text localiser, and the choice between them.
//
// Internal to the suites. Every form has the contract of localiseText (localise.h) and
// gives the same units for every input; the forms differ in speed only.
#pragma once

#include <cstdint>

#include "kstr/forms.h"
#include "zq/types.h"

namespace zq::suite {

using LocaliseFn = std::int64_t (*)(const ZQChar* text, std::int64_t length, ZQChar decimal,
                                    ZQChar grouping, ZQChar* out, std::int64_t capacity);

std::int64_t localiseTextPortable(const ZQChar* text, std::int64_t length, ZQChar decimal,
                                  ZQChar grouping, ZQChar* out, std::int64_t capacity);
#if defined(__x86_64__)
std::int64_t localiseTextSse2(const ZQChar* text, std::int64_t length, ZQChar decimal,
                              ZQChar grouping, ZQChar* out, std::int64_t capacity);
std::int64_t localiseTextAvx2(const ZQChar* text, std::int64_t length, ZQChar decimal,
                              ZQChar grouping, ZQChar* out, std::int64_t capacity);
#endif

// The localiser of one form, or null when this processor cannot run it.
LocaliseFn localiseForm(kstr::VectorForm form);

}  // namespace zq::suite
