// The text localiser shared by the suites: the portable form and the run-time choice.
#include "suites/common/localise.h"

#include "suites/common/localise_forms.h"

namespace zq::suite {

std::int64_t localiseTextPortable(const ZQChar* text, std::int64_t length, ZQChar decimal,
                                  ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  const std::int64_t n = length < capacity ? length : capacity;
  for (std::int64_t i = 0; i < n; ++i) {
    const ZQChar unit = text[i];
    out[i] = unit == '.' ? decimal : unit == ',' ? grouping : unit;
  }
  return n < 0 ? 0 : n;
}

LocaliseFn localiseForm(kstr::VectorForm form) {
  // Forms are ordered: a processor that runs one runs every lower one.
  if (static_cast<int>(form) > static_cast<int>(kstr::bestVectorForm())) return nullptr;
#if defined(__x86_64__)
  switch (form) {
    case kstr::VectorForm::kPortable: return localiseTextPortable;
    case kstr::VectorForm::kSse2: return localiseTextSse2;
    case kstr::VectorForm::kAvx2:
    // The localiser's widest form is the 32-byte one: its texts are at most 72 units.
    case kstr::VectorForm::kAvx512: return localiseTextAvx2;
  }
#endif
  return localiseTextPortable;
}

std::int64_t localiseText(const ZQChar* text, std::int64_t length, ZQChar decimal,
                          ZQChar grouping, ZQChar* out, std::int64_t capacity) {
  // The kernel string library's processor probe picks the form, once.
  static const LocaliseFn best = localiseForm(kstr::bestVectorForm());
  return best(text, length, decimal, grouping, out, capacity);
}

}  // namespace zq::suite
