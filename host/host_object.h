// Host objects behind their operation tables: word 0 of every table points back to its owner.
//
// Every table the host hands out (kernel, pool, journal, file, timing service, NLS
// service, locale, string manager) begins with words the callers never read. Word 0
// holds the host object that owns the table, so an operation recovers its object by
// reading that word: a defined conversion from void*, where a cast from the table to
// the struct around it would need that struct to be standard-layout, which objects
// holding strings and sets are not.
#pragma once

#include <cassert>

namespace zq::host {

// Stores `owner` in word 0 of `owner->abi`, the table the host hands out.
template <class Owner>
void bindTable(Owner* owner) {
  owner->abi.reserved0[0] = owner;
}

// The owner of `table` (`Owner` const-qualified for a const table). Precondition: the
// table was bound with bindTable.
template <class Owner, class Table>
Owner* ownerOf(Table* table) {
  auto* owner = static_cast<Owner*>(table->reserved0[0]);
  assert(owner != nullptr && &owner->abi == table);
  return owner;
}

}  // namespace zq::host
