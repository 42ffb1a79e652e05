// The version-control record copied out by zqvercn1.
#include <cstdint>

#include "zq/zqvnle.h"

namespace {

// 26 words: pointers to 8-bit texts, except word 3, the build time in seconds since
// 1970-01-01 00:00 UTC. Word 16 is the same moment as the build machine's date
// command printed it. "QOR_VERSION_HOTFIX_NUMBER=" and "VERCON_IMAGE_DESCRIPTION="
// are blank-padded to 65 characters.
constexpr std::uint64_t kBuildTime = 1796550240;  // 2026-12-06 09:44:00 UTC
const char kRelease[] = "V1.0.3.M0P12062026";
const char kBuildLabel[] = "zqvnle/src/rel";
const char kEmpty[] = "";
const char kComponent[] = "zqtest";
const char kToken6[] = "A7Q2ZK";
const char kToken19[] = "zqvnle-103:r7.1.1-Q";
const char kVersion[] = "version";
const char kSeparator[] = "::";
const char kHotfix[] = "QOR_VERSION_HOTFIX_NUMBER=                                       ";
const char kImage[] = "VERCON_IMAGE_DESCRIPTION=                                        ";
const char kMachine[] = "zqbuild";
const char kBuildTimeText[] = "Sun Dec  6 09:44:00 UTC 2026";

static_assert(sizeof(kRelease) - 1 == 18);
static_assert(sizeof(kBuildLabel) - 1 == 14);
static_assert(sizeof(kToken6) - 1 == 6);
static_assert(sizeof(kToken19) - 1 == 19);
static_assert(sizeof(kHotfix) - 1 == 65);
static_assert(sizeof(kImage) - 1 == 65);
static_assert(sizeof(kBuildTimeText) - 1 == 28);

std::uint64_t word(const char* text) { return reinterpret_cast<std::uint64_t>(text); }

const std::uint64_t kInfo[26] = {
    word(kRelease), word(kBuildLabel), word(kEmpty), kBuildTime,    word(kComponent),
    word(kToken6),  word(kComponent),  word(kToken19), word(kEmpty), word(kVersion),
    word(kSeparator), word(kEmpty),    word(kHotfix), word(kEmpty),  word(kImage),
    word(kMachine), word(kBuildTimeText), 0, 0, 0, 0, 0, 0, 0, 0, 0};

}  // namespace

extern "C" std::int64_t zqvercn1(std::uint64_t* out) {
  if (out == nullptr) return 0;
  for (int i = 0; i < 26; ++i) out[i] = kInfo[i];
  return 0;
}
