// The text localiser: one simultaneous exchange, the same units in every vector form.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "suites/common/localise.h"
#include "suites/common/localise_forms.h"

namespace {

using zq::ZQChar;
using zq::kstr::VectorForm;

TEST(Localiser, ExchangesBothSeparatorsAtOnce) {
  const std::u32string text = U"-1,234,567.25";
  ZQChar out[16] = {};
  const auto n = zq::suite::localiseText(reinterpret_cast<const ZQChar*>(text.data()),
                                         static_cast<std::int64_t>(text.size()), ',', '.', out,
                                         16);
  EXPECT_EQ(std::u32string(out, out + n), U"-1.234.567,25");
  // Cut at the capacity; nothing for a negative length.
  EXPECT_EQ(zq::suite::localiseText(reinterpret_cast<const ZQChar*>(text.data()), 13, ',',
                                    0xA0, out, 3),
            3);
  EXPECT_EQ(std::u32string(out, out + 3), U"-1\u00A0");
  EXPECT_EQ(zq::suite::localiseText(reinterpret_cast<const ZQChar*>(text.data()), -4, ',', '.',
                                    out, 16),
            0);
}

TEST(Localiser, EveryFormGivesThePortableUnits) {
  // Separators, their look-alikes in the upper bits, and other units, over every length
  // and alignment the vector loops meet (with a guard unit after the capacity).
  const ZQChar pattern[] = {'.', ',', '1', 0x0001002E, 0xA0, 0xFFFFFFFF, ',', '.', 0x2C00, '9'};
  std::vector<ZQChar> text(80);
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = pattern[(i * 7 + i / 3) % 10];
  for (const VectorForm form : {VectorForm::kSse2, VectorForm::kAvx2}) {
    const zq::suite::LocaliseFn localise = zq::suite::localiseForm(form);
    if (localise == nullptr) continue;  // this processor cannot run the form
    for (std::int64_t offset = 0; offset < 3; ++offset) {
      for (std::int64_t length = 0; length <= 70; ++length) {
        const std::int64_t capacity = length % 5 == 4 ? length - 3 : length;
        std::vector<ZQChar> want(72, 0x5A5A), got(72, 0x5A5A);
        const ZQChar* in = text.data() + offset;
        const auto n = zq::suite::localiseTextPortable(in, length, ',', 0xA0, want.data(),
                                                       capacity);
        EXPECT_EQ(localise(in, length, ',', 0xA0, got.data(), capacity), n);
        EXPECT_EQ(got, want) << "form " << static_cast<int>(form) << ", length " << length;
      }
    }
  }
}

}  // namespace
