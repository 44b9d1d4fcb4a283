#include "exchange/ExchangeIndex.h"

#include <algorithm>

#include "catalogues/ContactRecord.h"
#include "exchange/IdentityHash.h"
#include "storage/Coding.h"
#include "storage/ServiceRecord.h"
#include "storage/SlotScan.h"
#include "storage/TextUtils.h"
#include "storage/Vehicle.h"

namespace {

// Field offsets within the fixed records: every table starts with ID and
// globalId string[31]; the surname and the plate follow at 64.
constexpr int kGlobalIdOffset = 4;
constexpr int kFirstFieldOffset = 64;

template <typename F>
void ScanSlots(TCustomDb& db, F&& each) {
  ScanLiveSlots(db, [&](const std::vector<const uint8_t*>& records) {
    for (const uint8_t* r : records) each(r);
  });
}

const std::vector<int32_t>& Find(const std::unordered_map<std::string, std::vector<int32_t>>& map,
                                 const std::string& key) {
  static const std::vector<int32_t> kNone;
  auto it = map.find(key);
  return it == map.end() ? kNone : it->second;
}

int32_t Find(const std::unordered_map<std::string, int32_t>& map, const std::string& key) {
  auto it = map.find(key);
  return it == map.end() ? -1 : it->second;
}

std::string GlobalIdAt(const uint8_t* bytes) { return DecodeCountedString(bytes + kGlobalIdOffset, 31); }

}  // namespace

void TExchangeIndex::TTable::Add(int32_t id, std::string globalId, const std::string* hash) {
  byGlobalId.try_emplace(std::move(globalId), id);  // the first in store order stays
  if (!hash) return;
  auto old = hashOf.find(id);
  if (old != hashOf.end()) {
    if (old->second == *hash) return;
    auto& ids = byHash[old->second];
    ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
  }
  hashOf[id] = *hash;
  auto& ids = byHash[*hash];
  ids.insert(std::lower_bound(ids.begin(), ids.end(), id), id);
}

TExchangeIndex::TTable& TExchangeIndex::Contacts() {
  if (!contacts_.built && stores_.customers) {
    ScanSlots(*stores_.customers, [this](const uint8_t* b) {
      const std::string hash = IdentityHash(FoldWithoutBlanks(DecodeCountedString(b + kFirstFieldOffset, 50)));
      contacts_.Add(DecodeInt32(b), GlobalIdAt(b), &hash);
    });
  }
  contacts_.built = true;
  return contacts_;
}

TExchangeIndex::TTable& TExchangeIndex::Vehicles() {
  if (!vehicles_.built) {
    ScanSlots(*stores_.cars, [this](const uint8_t* b) {
      const std::string hash = IdentityHash(FoldWithoutBlanks(DecodeCountedString(b + kFirstFieldOffset, 63)));
      vehicles_.Add(DecodeInt32(b), GlobalIdAt(b), &hash);
    });
  }
  vehicles_.built = true;
  return vehicles_;
}

TExchangeIndex::TTable& TExchangeIndex::Records() {
  if (!records_.built) {
    // Sized once: growing a table of 200,000 keys step by step costs more
    // than reading the whole record file.
    records_.byGlobalId.reserve(static_cast<size_t>(stores_.records->Count()));
    ScanSlots(*stores_.records, [this](const uint8_t* b) { records_.Add(DecodeInt32(b), GlobalIdAt(b), nullptr); });
  }
  records_.built = true;
  return records_;
}

int32_t TExchangeIndex::ContactByGlobalId(const std::string& g) { return Find(Contacts().byGlobalId, g); }
int32_t TExchangeIndex::VehicleByGlobalId(const std::string& g) { return Find(Vehicles().byGlobalId, g); }
int32_t TExchangeIndex::RecordByGlobalId(const std::string& g) { return Find(Records().byGlobalId, g); }

const std::vector<int32_t>& TExchangeIndex::ContactsWithOwnerHash(const std::string& hash) {
  return Find(Contacts().byHash, hash);
}

const std::vector<int32_t>& TExchangeIndex::VehiclesWithCarHash(const std::string& hash) {
  return Find(Vehicles().byHash, hash);
}

std::string TExchangeIndex::OwnerHashOf(int32_t contactId) {
  const TTable& t = Contacts();
  auto it = t.hashOf.find(contactId);
  return it == t.hashOf.end() ? "" : it->second;
}

void TExchangeIndex::ContactStored(const TContactRecord& c) {
  const std::string hash = OwnerHash(c);
  Contacts().Add(c.ID, c.globalId, &hash);
}

void TExchangeIndex::VehicleStored(const Tautomobil& v) {
  const std::string hash = CarHash(v);
  Vehicles().Add(v.ID, v.globalId, &hash);
}

void TExchangeIndex::RecordStored(const TzaznamDb& r) { Records().Add(r.ID, r.globalId, nullptr); }
