#pragma once
// Writing the ticked changes of a received exchange file into the stores.

#include <cstdint>
#include <set>
#include <string>

#include "exchange/ExchangeChanges.h"
#include "exchange/ExchangeIndex.h"

struct TExchangeApplyResult {
  int applied = 0;  // entities added or replaced
  int skipped = 0;  // ticked, but left out (a record without its vehicle)
  bool failed = false;  // a store refused a write or a read; the rest was not tried
  std::set<int32_t> vehicles;  // vehicles added or changed, or given records
  bool contactsChanged = false;
};

// The customer whose surname has the owner hash: the preferred one when its
// hash matches; otherwise the only stored customer with that hash. -1 when
// none, when several match, or for the hash of an empty surname (which says
// nothing about who the owner is).
int32_t FindCustomerByOwnerHash(TExchangeIndex& index, const std::string& ownerHash, int32_t preferredId);
// The only stored vehicle whose plate has the car hash; -1 when none,
// several, or the hash of an empty plate (a plate-less vehicle's record must
// never land on another plate-less vehicle).
int32_t FindVehicleByCarHash(TExchangeIndex& index, const std::string& carHash);

// Checks that the stores can be written and reads every stored entity it
// replaces before the first write; then, in this order, adds the ticked new
// customers, replaces the changed ones, adds and replaces vehicles, adds and
// replaces records. A replaced entity takes only the fields the file
// carries; its flags, archive state, last service, reserved bytes and (when
// no customer matches) owner stay. Records are created or saved one by one
// with their received global IDs, and a vehicle whose records changed gets
// its records' effective dates and its last service date again, as the
// records window gives them when it saves. The first failed write
// is reported and stops the rest; the final message says what was applied
// and what was not.
TExchangeApplyResult ApplyExchangeChanges(TExchangeIndex& index, TExchangeChanges& changes);
