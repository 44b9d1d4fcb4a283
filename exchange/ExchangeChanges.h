#pragma once
// The changes a received exchange file would make: its customers, vehicles
// and records compared with the stored ones by global ID, in six lists that
// the user ticks before anything is written.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "exchange/ExchangeFormat.h"
#include "exchange/ExchangeIndex.h"

struct TChangedContact {
  TContactRecord contact;  // as received
  std::string Diff;
  int32_t StoredId = -1;
  bool HasCompany = true;  // the file carried the company name
};

struct TChangedVehicle {
  Tautomobil vehicle;  // as received
  std::string Diff;
  int32_t StoredId = -1;
  std::string OwnerHash;
  int32_t StoredOwner = -1;
  bool HasMonth = true;
};

struct TNewVehicle {
  Tautomobil vehicle;
  std::string OwnerHash;
};

struct TChangedRecord {
  Tzaznam record;  // as received
  std::string Diff;
  int32_t StoredId = -1;
};

struct TNewRecord {
  Tzaznam record;
  std::string CarHash;
};

// The six lists in the order the window shows them.
enum TExchangeList : int {
  kChangedContacts,
  kNewContacts,
  kChangedVehicles,
  kNewVehicles,
  kChangedRecords,
  kNewRecords,
  kExchangeListCount
};

// "Změněné kontakty:", "Nové kontakty:", ... as the window labels them.
extern const std::array<const char*, kExchangeListCount> kExchangeListLabels;

struct TExchangeChanges {
  std::vector<TChangedContact> changedContacts;
  std::vector<TContactRecord> newContacts;
  std::vector<TChangedVehicle> changedVehicles;
  std::vector<TNewVehicle> newVehicles;
  std::vector<TChangedRecord> changedRecords;
  std::vector<TNewRecord> newRecords;

  // Ticks of every list; changed items start unticked, new ones ticked.
  std::array<std::vector<bool>, kExchangeListCount> ticks;

  // The file's own customers and vehicles with their identity hashes and
  // where they are stored (-1 while not): new vehicles and records follow
  // these links inside the file before any hash of the stores.
  struct TFileEntity {
    std::string globalId;
    std::string hash;
    int32_t storedId = -1;
  };
  std::vector<TFileEntity> fileContacts, fileVehicles;

  // Received customers and vehicles whose stored match (same global ID)
  // cannot be read: they are left out rather than offered as new, which
  // would store a second entity under the same global ID.
  size_t unreadableStored = 0;

  bool Empty() const;
  size_t Size(int list) const;
  // The item's caption in full, with the line breaks of the texts it quotes.
  std::string Caption(int list, size_t index) const;
  // The caption on one line, as a list item shows it: every line break
  // (CR LF, CR or LF) reads ", ".
  std::string ItemText(int list, size_t index) const;
};

// Change texts: "label old -> new" for each compared field that differs,
// joined by ", "; empty when nothing compared differs.
std::string DescribeContactChanges(const TContactRecord& stored, const TContactRecord& received);
std::string DescribeVehicleChanges(const Tautomobil& stored, const Tautomobil& received);
std::string DescribeRecordChanges(const Tzaznam& stored, const Tzaznam& received);

// Compares the file with the stores. Only the matched entities are read
// with their texts; the rest is found through the index.
TExchangeChanges CompareExchangeData(const TDeserializedData& data, TExchangeIndex& index);
