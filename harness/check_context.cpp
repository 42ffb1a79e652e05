// The step, locale and journal context the harness records with every check.
#include "harness/check_context.h"

#include <algorithm>

namespace zq::harness {
namespace {

bool isWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void keepLine(std::vector<std::u32string>& lines, std::u32string line) {
  if (lines.size() == CheckContext::kMaxLines) lines.erase(lines.begin());
  lines.push_back(std::move(line));
}

}  // namespace

std::string familyOf(const std::string& step) {
  if (step.empty()) return "(no step)";
  for (std::size_t at = step.find("zqnls"); at != std::string::npos;
       at = step.find("zqnls", at + 1)) {
    // Only a whole word counts: "xzqnls" is not an operation name.
    if (at > 0 && isWordChar(step[at - 1])) continue;
    std::size_t end = at;
    while (end < step.size() && isWordChar(step[end])) ++end;
    return step.substr(at, end - at);
  }
  return step;
}

void CheckContext::reset() { *this = CheckContext{}; }

void CheckContext::noteStep(std::string step) {
  family_ = familyOf(step);
  step_ = std::move(step);
  has_recent_ = false;
}

void CheckContext::localeCreated(const void* handle, std::string name) {
  has_recent_ = handle == nullptr;
  if (handle == nullptr) {
    recent_ = std::move(name);
    return;
  }
  live_.emplace_back(handle, std::move(name));
}

void CheckContext::localeDestroyed(const void* handle) {
  const auto it = std::find_if(live_.begin(), live_.end(),
                               [&](const auto& entry) { return entry.first == handle; });
  if (it == live_.end()) return;
  recent_ = std::move(it->second);
  has_recent_ = true;
  live_.erase(it);
}

const std::string& CheckContext::locale() const {
  static const std::string none;
  if (has_recent_) return recent_;
  return live_.empty() ? none : live_.back().second;
}

void CheckContext::journalText(const ZQChar* text, std::int64_t length) {
  last_lines_.clear();
  std::u32string line;
  for (std::int64_t i = 0; i <= length; ++i) {
    if (i < length && text[i] != '\n') {
      line += static_cast<char32_t>(text[i]);
      continue;
    }
    const bool blank = line.find_first_not_of(U" \t\r") == std::u32string::npos;
    if (!blank) {
      keepLine(pending_lines_, line);
      last_lines_.push_back(line);
    }
    line.clear();
  }
}

std::vector<std::u32string> CheckContext::takeJournalLines() {
  std::vector<std::u32string> lines;
  lines.swap(pending_lines_);
  return lines;
}

}  // namespace zq::harness
