// The character-database service "zqnlsudb": one process-wide object.
#include "host/udb/character_db.h"

#include "host/kernel.h"

namespace zq::host {
namespace {

struct CharacterDatabase {
  Reserved reserved0[2];
  std::int64_t (*Destroy)(CharacterDatabase*);  // 2: the service outlives its users
};

std::int64_t keepService(CharacterDatabase*) { return 0; }

}  // namespace

void* characterDatabaseService() {
  static CharacterDatabase service{{}, keepService};
  return &service;
}

void installCharacterOperations(NlsHandle& /*nls*/) {}

}  // namespace zq::host
