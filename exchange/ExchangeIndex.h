#pragma once
// Where the stores keep each global ID and identity hash, read once from the
// fixed parts of the records (never their texts) and kept in step while
// received changes are written. Matching a file against 200,000 stored
// records then costs one pass over the record file, and a batch of files
// one pass in all.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/Stores.h"

struct TContactRecord;
struct Tautomobil;
struct TzaznamDb;

class TExchangeIndex {
 public:
  explicit TExchangeIndex(TStoreSet& stores) : stores_(stores) {}

  TStoreSet& Stores() { return stores_; }

  // The first stored entity in store order with the global ID; -1 if none.
  int32_t ContactByGlobalId(const std::string& globalId);
  int32_t VehicleByGlobalId(const std::string& globalId);
  int32_t RecordByGlobalId(const std::string& globalId);

  // Stored customers whose surname has the owner hash, vehicles whose plate
  // has the car hash, in ID order.
  const std::vector<int32_t>& ContactsWithOwnerHash(const std::string& hash);
  const std::vector<int32_t>& VehiclesWithCarHash(const std::string& hash);

  // The owner hash of a stored customer's surname; empty when unknown.
  std::string OwnerHashOf(int32_t contactId);

  // After an entity was added or replaced.
  void ContactStored(const TContactRecord& contact);
  void VehicleStored(const Tautomobil& vehicle);
  void RecordStored(const TzaznamDb& record);

 private:
  struct TTable {
    bool built = false;
    std::unordered_map<std::string, int32_t> byGlobalId;
    std::unordered_map<std::string, std::vector<int32_t>> byHash;
    std::unordered_map<int32_t, std::string> hashOf;
    void Add(int32_t id, std::string globalId, const std::string* hash);
  };
  TTable& Contacts();
  TTable& Vehicles();
  TTable& Records();

  TStoreSet& stores_;
  TTable contacts_, vehicles_, records_;
};
