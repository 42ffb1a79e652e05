// Whole-file reads and writes, and the probe that a result file can be written.
#include "harness/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <system_error>

namespace zq::harness {

namespace fs = std::filesystem;

bool readFile(const fs::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  text = content.str();
  return true;
}

bool writeFile(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  return static_cast<bool>(file);
}

bool canWrite(const fs::path& path) {
  std::error_code error;
  const bool existed = fs::exists(path, error);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ::close(fd);
  if (!existed) fs::remove(path, error);
  return true;
}

}  // namespace zq::harness
