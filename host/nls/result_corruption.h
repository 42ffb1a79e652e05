// Conversions that give one class of result wrongly on purpose (zqhostCorruptResults).
#pragma once

#include "zq/host_objects.h"

namespace zq::host {

// Replaces every conversion word of a new table by a wrapper that runs the operation
// the table would hold and then changes the result of the class its kernel names.
void installResultCorruption(LocaleHandle& table);
void installResultCorruption(StringManager& table);

}  // namespace zq::host
