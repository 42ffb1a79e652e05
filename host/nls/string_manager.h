// String managers: doubles written to and read from 8-bit text in one of the host's
// encodings (host/nls/encodings.h), and the NLS word that creates them.
//
// Rules.
//   zqnlsSMCreate (word 79) stores a new string manager, or null with
//     ZQ_NLS_INVALID_VALUE for an unknown encoding or one the C library cannot
//     convert. Its word 2 destroys it; every manager still alive goes with the NLS
//     service. A manager serves one thread at a time.
//   zqnlsStringFromDouble (word 29) formats exactly as zqnlsLocaleDoubleFormat does
//     (double_format.h) and writes the text in the encoding. Width and field are
//     counted in characters, the capacity and the length in bytes: the text fits
//     when its bytes do. A text longer than the capacity gives ZQ_NLS_FMT_TRUNCATE,
//     `capacity` asterisks and the bytes the whole text needs. A character the
//     encoding cannot write (U+00A0 in Shift_JIS) gives ZQ_NLS_INVALID_VALUE and
//     length 0; so does a field or a text of more than kMaxTextUnits characters.
//     Nothing is written past the capacity and no terminator is added.
//   zqnlsStringToDouble (word 31) decodes the text and parses it exactly as
//     zqnlsLocaleBufferToDoubleWithOpts does (double_parse.h); the length and the
//     count used are in bytes. A byte that starts no character decodes as U+FFFD,
//     which no number contains.
//   A null manager or locale, a negative length or capacity, or a null text or
//   buffer with a positive one gives ZQ_NLS_INVALID_VALUE (and, for the parser, the
//   ordinary missing value).
#pragma once

#include <cstddef>
#include <cstdint>

#include "zq/host_objects.h"

namespace zq::host {

struct StringManagerState;

// The longest text, in characters, that a string manager formats.
constexpr std::int64_t kMaxTextUnits = 1024;

Status stringManagerCreate(NlsHandle* nls, std::int32_t encoding, Word reserved,
                           StringManager** out);

// Fills the conversion words 29 and 31 of a manager's table.
void installStringConversions(StringManager& table);

// Frees a manager as its word 2 does, without a status (for the NLS service's end).
void freeStringManager(StringManagerState* manager);

}  // namespace zq::host
