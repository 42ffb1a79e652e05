// Loading the extension as the toolkit would: its entry points, host version and record.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "harness/session.h"
#include "zq/harness.h"

namespace zq::harness {

// libzqvnle.so in the directory of the running executable, or "" when that
// directory cannot be found.
std::string defaultLibraryPath();

// The library the options name (else the default), or "" after saying on `err`
// why there is none.
std::string libraryToLoad(const HarnessOptions& options, std::FILE* err);

// Opens the library at `path`, checks that it is built for this host, has the factory
// build the extension record, announces the extension and its versions on the
// session's output and hands the record to `run`; then destroys the record and closes
// the library. Every refusal is one line on the session's error stream and sets
// `load_error`.
void runExtension(Session& s, const std::string& path, KernelHandle* kernel,
                  const std::function<void(ExtensionRecord&)>& run);

}  // namespace zq::harness
