// The kernel handle the library reads; the extension's entry points set it, this test
// binary does without them and sets it through FakeNls.
#include "zq/zqvnle.h"

extern "C" {
zq::KernelHandle* Exported_ZQHandle = nullptr;
}
