// The progress line: silent for the first second, then one line per suite and locale.
#include "harness/progress.h"

#include <unistd.h>

namespace zq::harness {
namespace {

// Runs shorter than this show no progress lines.
constexpr double kProgressAfterSeconds = 1.0;

}  // namespace

Progress::Progress(std::FILE* err) : err_(err), in_place_(::isatty(::fileno(err)) != 0) {}

void Progress::show(const std::string& suite, const std::string& locale) {
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  if (seconds < kProgressAfterSeconds) return;
  const std::string line = "zqtest: " + std::to_string(static_cast<long long>(seconds)) +
                           " s, " + suite + " in " + locale;
  std::fprintf(err_, in_place_ ? "\r\x1b[K%s" : "%s\n", line.c_str());
  std::fflush(err_);
  shown_ = true;
}

void Progress::finish() {
  if (shown_ && in_place_) std::fputs("\r\x1b[K", err_);
  shown_ = false;
}

}  // namespace zq::harness
