// Where the suite stands when it makes a check: its step, the locale alive, the journal lines.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zq/types.h"

namespace zq::harness {

// The operation a step works on: the first word starting "zqnls" (such as
// "zqnlsLocaleIntfastFormat" in "TEST1 en_US zqnlsLocaleIntfastFormat , ..."), else
// the step text itself; "(no step)" before the first step.
std::string familyOf(const std::string& step);

// Fed by the suite's steps and the host's observer; read at every check.
class CheckContext {
 public:
  // Forgets everything: a new suite begins.
  void reset();

  void noteStep(std::string step);
  const std::string& step() const { return step_; }
  const std::string& family() const { return family_; }

  // A creation that failed (null handle) and a destruction name the locale of the
  // checks that follow them until the next step or creation: the check of the
  // missing handle, the check of the destroy status.
  void localeCreated(const void* handle, std::string name);
  void localeDestroyed(const void* handle);
  // The newest locale alive, or the one just destroyed or refused; "" for none.
  const std::string& locale() const;

  // Takes journal text; its non-blank lines wait for the next check.
  void journalText(const ZQChar* text, std::int64_t length);
  // The lines since the previous check, oldest first (at most kMaxLines).
  std::vector<std::u32string> takeJournalLines();
  // The lines of the last journalText call, for a failure that collects them.
  const std::vector<std::u32string>& lastLines() const { return last_lines_; }

  static constexpr std::size_t kMaxLines = 16;

 private:
  std::string step_;
  std::string family_ = familyOf("");
  std::vector<std::pair<const void*, std::string>> live_;  // creation order
  std::string recent_;
  bool has_recent_ = false;
  std::vector<std::u32string> pending_lines_;
  std::vector<std::u32string> last_lines_;
};

}  // namespace zq::harness
