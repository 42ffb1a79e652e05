// Loading the extension: dlopen, the two entry points, the host version and the record.
#include "harness/loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "harness/render.h"

namespace zq::harness {
namespace {

namespace fs = std::filesystem;

// Reads the record's name and versions into the run's facts and announces them.
// False when the record lacks them.
bool announce(Session& s, ExtensionRecord& record) {
  if (record.GetVersion == nullptr || record.GetReqVersion == nullptr || record.name == nullptr) {
    std::fprintf(s.err, "zqtest: the extension record lacks its name or version operations\n");
    return false;
  }
  std::int64_t version[3] = {};
  std::int64_t required[3] = {};
  record.GetVersion(&record, &version[0], &version[1], &version[2]);
  record.GetReqVersion(&record, &required[0], &required[1], &required[2]);
  const auto dotted = [](const std::int64_t (&v)[3]) {
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
  };
  RunInfo& info = s.results.info;
  info.extension = visibleUnits(record.name, 6);
  info.version = dotted(version);
  info.required_host = dotted(required);
  std::fprintf(s.out, "extension %s %s, requires host %s\n", info.extension.c_str(),
               info.version.c_str(), info.required_host.c_str());
  return true;
}

// Finds the entry points, checks the host version, builds the record, runs, and
// destroys the record again. False when something could not be had.
bool runLibrary(Session& s, const std::string& path, void* library, KernelHandle* kernel,
                const std::function<void(ExtensionRecord&)>& run) {
  const auto extver = reinterpret_cast<ExtVerFn>(dlsym(library, "zqextver"));
  if (extver == nullptr) {
    std::fprintf(s.err, "zqtest: %s has no entry point zqextver\n", path.c_str());
    return false;
  }
  const auto factory = reinterpret_cast<FactoryFn>(dlsym(library, "zqvnle"));
  if (factory == nullptr) {
    std::fprintf(s.err, "zqtest: %s has no entry point zqvnle\n", path.c_str());
    return false;
  }
  std::int64_t major = 0;
  std::int64_t minor = 0;
  extver(kernel, &major, &minor);
  if (major != 7 || minor != 1) {
    std::fprintf(s.err, "zqtest: %s is built for host %lld.%lld; this host is 7.1\n",
                 path.c_str(), static_cast<long long>(major), static_cast<long long>(minor));
    return false;
  }
  ExtensionRecord* record = factory();
  if (record == nullptr) {
    std::fprintf(s.err, "zqtest: the factory zqvnle of %s returned no extension record\n",
                 path.c_str());
    return false;
  }
  const bool announced = announce(s, *record);
  if (announced) run(*record);
  if (record->RealDestroy != nullptr) record->RealDestroy(record);
  return announced;
}

}  // namespace

std::string defaultLibraryPath() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return "";
  return (self.parent_path() / "libzqvnle.so").string();
}

std::string libraryToLoad(const HarnessOptions& options, std::FILE* err) {
  std::string path = options.library_path.empty() ? defaultLibraryPath() : options.library_path;
  if (path.empty()) {
    std::fprintf(err, "zqtest: cannot find the directory of zqtest; give the library with --lib\n");
    return "";
  }
  // A bare file name would make the loader search the library path instead.
  if (path.find('/') == std::string::npos) path = "./" + path;
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    std::fprintf(err, "zqtest: library not found: %s\n", path.c_str());
    return "";
  }
  return path;
}

void runExtension(Session& s, const std::string& path, KernelHandle* kernel,
                  const std::function<void(ExtensionRecord&)>& run) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    std::fprintf(s.err, "zqtest: cannot load %s: %s\n", path.c_str(),
                 reason != nullptr ? reason : "unknown error");
    s.load_error = true;
    return;
  }
  if (!runLibrary(s, path, library, kernel, run)) s.load_error = true;
  dlclose(library);
}

}  // namespace zq::harness
