// The names of the sanity suites' locales, as their vector records point to them.
#pragma once

#include <cstdint>

#include "zq/types.h"

namespace zq::sanity {

// Units of every name below, without its terminating zero.
constexpr std::int64_t kLocaleLength = 5;

inline constexpr ZQChar kArSy[] = {'a', 'r', '_', 'S', 'Y', 0};
inline constexpr ZQChar kCsCz[] = {'c', 's', '_', 'C', 'Z', 0};
inline constexpr ZQChar kDeDe[] = {'d', 'e', '_', 'D', 'E', 0};
inline constexpr ZQChar kEnUs[] = {'e', 'n', '_', 'U', 'S', 0};
inline constexpr ZQChar kEsEs[] = {'e', 's', '_', 'E', 'S', 0};
inline constexpr ZQChar kFrFr[] = {'f', 'r', '_', 'F', 'R', 0};
inline constexpr ZQChar kHeIl[] = {'h', 'e', '_', 'I', 'L', 0};
inline constexpr ZQChar kHuHu[] = {'h', 'u', '_', 'H', 'U', 0};
inline constexpr ZQChar kItIt[] = {'i', 't', '_', 'I', 'T', 0};
inline constexpr ZQChar kJaJp[] = {'j', 'a', '_', 'J', 'P', 0};
inline constexpr ZQChar kKkKz[] = {'k', 'k', '_', 'K', 'Z', 0};
inline constexpr ZQChar kKoKr[] = {'k', 'o', '_', 'K', 'R', 0};
inline constexpr ZQChar kPlPl[] = {'p', 'l', '_', 'P', 'L', 0};
inline constexpr ZQChar kRuRu[] = {'r', 'u', '_', 'R', 'U', 0};
inline constexpr ZQChar kSkSk[] = {'s', 'k', '_', 'S', 'K', 0};
inline constexpr ZQChar kSvSe[] = {'s', 'v', '_', 'S', 'E', 0};
inline constexpr ZQChar kZhCn[] = {'z', 'h', '_', 'C', 'N', 0};

}  // namespace zq::sanity
