// The locale handle's integer and pointer operations: formats (words 40-44) and
// parsers (words 51-54, 64, 65, 68, 69), each kind over its one engine.
#include "host/nls/integer_format.h"
#include "host/nls/integer_parse.h"
#include "host/nls/service.h"

namespace zq::host {

void installIntegerOperations(LocaleHandle& table) {
  installIntegerFormats(table);
  installIntegerParsers(table);
}

}  // namespace zq::host
