// Scalar types, status codes and option words shared by the extension and its host.
#pragma once

#include <cstdint>

namespace zq {

// The host's character: one Unicode code point in a 32-bit unit.
using ZQChar = std::uint32_t;

// Host operations return 32-bit statuses; failures have the top bit set.
using Status = std::int32_t;

constexpr Status ZQ_OK = 0;
constexpr Status ZQ_NLS_DTIFMTERR = static_cast<Status>(0x803FE80Bu);
constexpr Status ZQ_NLS_MISSING_VALUE = static_cast<Status>(0x803FE80Cu);
constexpr Status ZQ_NLS_INVALID_VALUE = static_cast<Status>(0x803FE80Du);
constexpr Status ZQ_NLS_FMT_TRUNCATE = static_cast<Status>(0x803FE80Eu);
constexpr Status ZQ_NLS_BAD_NUM = static_cast<Status>(0x803FE810u);
constexpr Status ZQ_NLS_OVERFLOW = static_cast<Status>(0x803FE811u);
constexpr Status ZQ_NLS_UNDERFLOW = static_cast<Status>(0x803FE812u);
constexpr Status ZQ_NLS_FMT_REVERT = static_cast<Status>(0x803FE816u);
constexpr Status ZQ_NLS_FMT_INVALID_MISSCHAR = static_cast<Status>(0x803FE83Au);
// Returned by the kernel string library for an operation it does not provide.
constexpr Status ZQ_UNSUPPORTED = static_cast<Status>(0x803FC004u);

// The name of a status this interface defines, or null for any other value.
constexpr const char* statusName(Status status) {
  switch (static_cast<std::uint32_t>(status)) {
    case 0x00000000u: return "ZQ_OK";
    case 0x803FE80Bu: return "ZQ_NLS_DTIFMTERR";
    case 0x803FE80Cu: return "ZQ_NLS_MISSING_VALUE";
    case 0x803FE80Du: return "ZQ_NLS_INVALID_VALUE";
    case 0x803FE80Eu: return "ZQ_NLS_FMT_TRUNCATE";
    case 0x803FE810u: return "ZQ_NLS_BAD_NUM";
    case 0x803FE811u: return "ZQ_NLS_OVERFLOW";
    case 0x803FE812u: return "ZQ_NLS_UNDERFLOW";
    case 0x803FE816u: return "ZQ_NLS_FMT_REVERT";
    case 0x803FE83Au: return "ZQ_NLS_FMT_INVALID_MISSCHAR";
    case 0x803FC004u: return "ZQ_UNSUPPORTED";
  }
  return nullptr;
}
static_assert(statusName(ZQ_NLS_BAD_NUM)[7] == 'B');

// Number-format option word: flags combined by OR.
constexpr std::uint32_t LOCALE_NFMT_BESTFIT = 0x1;
constexpr std::uint32_t LOCALE_NFMT_DECIMAL = 0x2;
constexpr std::uint32_t LOCALE_NFMT_FRACTION = 0x4;
constexpr std::uint32_t LOCALE_NFMT_INTEGER = 0x8;
constexpr std::uint32_t LOCALE_NFMT_SNOTE = 0x10;
constexpr std::uint32_t LOCALE_NFMT_UNSIGNED = 0x40;
constexpr std::uint32_t LOCALE_NFMT_HEX = 0x80;
constexpr std::uint32_t LOCALE_NFMT_HEXBIG = 0x100;
constexpr std::uint32_t LOCALE_NFMT_OCTAL = 0x200;
constexpr std::uint32_t LOCALE_NFMT_BESTFITBIG = 0x400;
constexpr std::uint32_t LOCALE_NFMT_QORBEST = 0x800;
constexpr std::uint32_t LOCALE_NFMT_QORWD = 0x1000;
constexpr std::uint32_t LOCALE_NFMT_QOREW = 0x2000;
constexpr std::uint32_t LOCALE_NFMT_QOREWD = 0x4000;
constexpr std::uint32_t LOCALE_NFMT_ADDSIGN = 0x10000;
constexpr std::uint32_t LOCALE_NFMT_GROUP = 0x20000;
constexpr std::uint32_t LOCALE_NFMT_LEFTJUSTIFY = 0x40000;
constexpr std::uint32_t LOCALE_NFMT_PADWITHZERO = 0x80000;
constexpr std::uint32_t LOCALE_NFMT_RADIX = 0x100000;
constexpr std::uint32_t LOCALE_NFMT_SPACEPREFIX = 0x200000;
constexpr std::uint32_t LOCALE_NFMT_TRAILZERO = 0x400000;
constexpr std::uint32_t LOCALE_NFMT_HEXPREFIX = 0x800000;
constexpr std::uint32_t LOCALE_NFMT_OCTALPREFIX = 0x1000000;

// Parsing option word.
constexpr std::uint32_t LOCALE_CVT_INTEGER = 0;
constexpr std::uint32_t LOCALE_CVT_HEX = 0x1;
constexpr std::uint32_t LOCALE_CVT_NOEMBEDDEDSPACE = 0x1000;
constexpr std::uint32_t LOCALE_CVT_IGNORE_DECIMAL = 0x2000;
constexpr std::uint32_t LOCALE_CVT_SPACEGROUPING = 0x4000;

// Date option word: compared by equality, not combined.
constexpr std::int32_t LOCALE_DATE_SHORT = 0;
constexpr std::int32_t LOCALE_DATE_LONG = 1;
constexpr std::int32_t LOCALE_DATE_FULL = 2;
constexpr std::int32_t LOCALE_DATE_LENIENT = 4;
constexpr std::int32_t LOCALE_DATE_YYQQ = 8;
constexpr std::int32_t LOCALE_DATE_YYMM = 16;
constexpr std::int32_t LOCALE_DATE_YYWW = 32;

// Journal levels and harness severities used by the suites.
constexpr std::int64_t JNL_LEVEL_INFO = 1;
constexpr std::int64_t JNL_LEVEL_DETAIL = 4;
constexpr std::int64_t SEVERITY_INFO = 1;
constexpr std::int64_t SEVERITY_ERROR = 3;

}  // namespace zq
