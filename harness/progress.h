// The progress line zqtest shows on stderr while a long run goes on.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

namespace zq::harness {

// Progress lines on stderr, once the run has lasted a second: one per suite and
// locale, rewritten in place on a terminal.
class Progress {
 public:
  explicit Progress(std::FILE* err);
  ~Progress() { finish(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void show(const std::string& suite, const std::string& locale);
  // Clears a line shown in place, so that the report starts on a clean line.
  void finish();

 private:
  std::FILE* err_;
  bool in_place_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace zq::harness
