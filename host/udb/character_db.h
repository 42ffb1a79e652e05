// The character-database service "zqnlsudb" and the NLS handle's character operations.
#pragma once

#include "zq/host_objects.h"

namespace zq::host {

// Fills the NLS handle's single-character upper-casing (word 31), lower-casing
// (word 32) and classification (word 136) operations.
void installCharacterOperations(NlsHandle& nls);

}  // namespace zq::host
