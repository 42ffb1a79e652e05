// Message wrappers: call a journal's message operations with an ordinary argument list.
//
// Each wrapper gathers its trailing arguments into a va_list and passes the journal
// operation a pointer to it, returning the operation's result unchanged.
#include <cstdarg>
#include <cstdint>

#include "zq/zqvnle.h"

extern "C" {

std::int64_t zqlMessageToBuf(zq::Journal* journal, zq::Word w1, zq::Word w2, zq::Word w3,
                             zq::Word w4, zq::Word w5, ...) {
  std::va_list args;
  va_start(args, w5);
  const std::int64_t result = journal->MessageToBuf(journal, w1, w2, w3, w4, w5, &args);
  va_end(args);
  return result;
}

std::int64_t zqlMessageToJnl(zq::Journal* journal, std::int64_t level, const zq::ZQChar* format,
                             std::int64_t format_length, ...) {
  std::va_list args;
  va_start(args, format_length);
  const std::int64_t result = journal->MessageToJnl(journal, level, format, format_length, &args);
  va_end(args);
  return result;
}

std::int64_t zqlStatusToBuf(zq::Journal* journal, std::int64_t status, zq::ZQChar* buffer,
                            std::int64_t capacity, std::int64_t* out_length, ...) {
  std::va_list args;
  va_start(args, out_length);
  const std::int64_t result =
      journal->StatusToBuf(journal, status, buffer, capacity, out_length, &args);
  va_end(args);
  return result;
}

std::int64_t zqlStatusToJnl(zq::Journal* journal, zq::Word w1, zq::Word w2, ...) {
  std::va_list args;
  va_start(args, w2);
  const std::int64_t result = journal->StatusToJnl(journal, w1, w2, &args);
  va_end(args);
  return result;
}

std::int64_t zqlGetLocale(zq::Journal* journal, zq::Word w1, zq::Word w2, zq::Word w3,
                          zq::Word w4, zq::Word w5) {
  return journal->GetLocale(journal, w1, w2, w3, w4, w5);
}

}  // extern "C"
