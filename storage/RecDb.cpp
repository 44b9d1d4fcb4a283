#include "storage/RecDb.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "storage/CalendarLink.h"
#include "storage/Coding.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"

namespace {

uint8_t* Bytes(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }

bool Fail(const std::string& message) {
  LogError(message, true);
  return false;
}

std::string Encoded(const TzaznamDb& db) {
  std::string bytes(kRecordWidth, '\0');
  EncodeRecord(db, Bytes(bytes));
  return bytes;
}

}  // namespace

void TCustomRecDb::Create(const std::string& userName) {
  Create(VirtualFile("db_records.dat"), VirtualFile("db_rec_blob.dat"), userName);
}

void TCustomRecDb::Create(const S_FileName& recordFile, const S_FileName& blobFile, const std::string& userName,
                          bool readOnly) {
  blobs_.Create(blobFile, readOnly);
  Tzaznam def;
  InitRecord(def, -1, 0);
  carIDlist_.clear();
  slotsOfCar_.clear();
  TCustomDb::Create(recordFile, kRecordWidth, Encoded(def.db), userName, "REC", readOnly);
  carIDlist_.resize(static_cast<size_t>(Count()), -1);
}

void TCustomRecDb::SlotScanned(int slot, const uint8_t* head, int width) {
  // The vehicle of each live slot, from the same read that finds the IDs.
  if (DecodeInt32(head) < 0 || width < 68) return;
  SetCarIDAt(slot, DecodeInt32(head + 64));
}

int32_t TCustomRecDb::CarIDAt(int slot) const {
  return slot >= 0 && slot < static_cast<int>(carIDlist_.size()) ? carIDlist_[static_cast<size_t>(slot)] : -1;
}

size_t TCustomRecDb::RecordCountOf(int32_t carID) const {
  auto it = slotsOfCar_.find(carID);
  return it == slotsOfCar_.end() ? 0 : it->second.size();
}

void TCustomRecDb::SetCarIDAt(int slot, int32_t carID) {
  if (slot >= static_cast<int>(carIDlist_.size())) carIDlist_.resize(static_cast<size_t>(slot) + 1, -1);
  int32_t& entry = carIDlist_[static_cast<size_t>(slot)];
  if (entry == carID) return;
  if (entry >= 0) {
    auto it = slotsOfCar_.find(entry);
    if (it != slotsOfCar_.end()) {
      auto& v = it->second;
      v.erase(std::lower_bound(v.begin(), v.end(), slot));
      if (v.empty()) slotsOfCar_.erase(it);
    }
  }
  entry = carID;
  if (carID >= 0) {
    auto& v = slotsOfCar_[carID];
    v.insert(std::lower_bound(v.begin(), v.end(), slot), slot);
  }
}

bool TCustomRecDb::CreateCarRecord(Tzaznam& record, int32_t carID, const std::string& globalId) {
  if (record.db.ID >= 0) return Fail("CreateCarRecord: Error! Z.db.ID.ID >= 0");
  record.db.popisBLOBID = blobs_.NewID();
  if (!blobs_.SaveBLOBText(record.db.popisBLOBID, record.description))
    return Fail("CreateCarRecord: Error saving BLOB Z.db.popisBLOBID!");
  record.db.materialBLOBID = blobs_.NewID();
  if (!blobs_.SaveBLOBText(record.db.materialBLOBID, record.material))
    return Fail("CreateCarRecord: Error saving BLOB Z.db.materialBLOBID!");
  record.db.carID = carID;
  std::string bytes = Encoded(record.db);
  if (!CreateRecord(bytes, globalId))
    return Fail("CreateCarRecord: Error creating record (carID=" + std::to_string(carID) + ")");
  DecodeRecord(Bytes(bytes), record.db);
  SetCarIDAt(GetIndexForID(record.db.ID), carID);
  return true;
}

bool TCustomRecDb::SaveCarRecord(Tzaznam& record) {
  const std::string id = std::to_string(record.db.ID);
  if (record.db.ID < 0) return Fail("SaveCarRecord: Error! Z.db.ID < 0 (ID=" + id + ")");
  if (record.damaged) return Fail("SaveCarRecord: record not read cleanly, not written (ID=" + id + ")");
  int slot = GetIndexForID(record.db.ID);
  if (slot < 0) return Fail("SaveCarRecord: GetIndexForID < 0 for ID=" + id);
  if (CarIDAt(slot) != record.db.carID)
    return Fail("SaveCarRecord: carID mismatch (ID=" + id + ", carID=" + std::to_string(record.db.carID) +
                ", stored carID=" + std::to_string(CarIDAt(slot)) + ")");
  if (!blobs_.SaveBLOBText(record.db.popisBLOBID, record.description))
    return Fail("SaveCarRecord: Error saving BLOB Z.db.popisBLOBID! (blobID=" + std::to_string(record.db.popisBLOBID) + ")");
  if (!blobs_.SaveBLOBText(record.db.materialBLOBID, record.material))
    return Fail("SaveCarRecord: Error saving BLOB Z.db.materialBLOBID! (blobID=" +
                std::to_string(record.db.materialBLOBID) + ")");
  if (!WriteRecord(Encoded(record.db))) return Fail("SaveCarRecord: Error saving record (ID=" + id + ")");
  return true;
}

bool TCustomRecDb::EraseCarRecord(Tzaznam& record) {
  if (record.db.ID < 0) return Fail("EraseCarRecord: Error! Z.db.ID.ID < 0");
  if (record.db.carID < 0) return Fail("EraseCarRecord: Error! Z.db.carID < 0");
  if (record.damaged)
    return Fail("EraseCarRecord: record not read cleanly, not erased (ID=" + std::to_string(record.db.ID) + ")");
  // The texts must be there to be erased, but they are freed only after the
  // record: a crash in between leaves unused blobs, never a record whose
  // texts are gone.
  auto exists = [&](int32_t blob) { return blob > 0 && blobs_.FindBlock(blob) > 0; };
  if (!exists(record.db.popisBLOBID)) return Fail("EraseCarRecord: Error erasing BLOB Z.db.popisBLOBID!");
  if (!exists(record.db.materialBLOBID)) return Fail("EraseCarRecord: Error erasing BLOB Z.db.materialBLOBID!");
  int slot = GetIndexForID(record.db.ID);
  if (slot < 0) return Fail("EraseCarRecord: GetIndexForID < 0 for ID=" + std::to_string(record.db.ID));
  std::string bytes = Encoded(record.db);
  const int32_t id = record.db.ID;
  if (!EraseRecord(bytes)) return Fail("EraseCarRecord: Error erasing record (ID=" + std::to_string(id) + ")");
  SetCarIDAt(slot, -1);
  record.db.ID = -1;
  blobs_.DeleteBLOB(record.db.popisBLOBID);
  blobs_.DeleteBLOB(record.db.materialBLOBID);
  return true;
}

bool TCustomRecDb::LoadCarRecord(int32_t id, Tzaznam& record) {
  std::string bytes;
  record.damaged = false;
  if (!ReadRecord(id, bytes)) return false;
  DecodeRecord(Bytes(bytes), record.db);
  return LoadTexts(record);
}

bool TCustomRecDb::LoadTexts(Tzaznam& record) {
  bool ok = true;
  record.damaged = false;
  for (auto [id, text] : {std::pair{record.db.popisBLOBID, &record.description},
                          std::pair{record.db.materialBLOBID, &record.material}}) {
    if (blobs_.LoadBLOBText(id, *text)) continue;
    ok = false;
    // A blob that is missing holds nothing a save could destroy; one that
    // exists but cannot be read in full does.
    if (id > 0 && blobs_.FindBlock(id) > 0) record.damaged = true;
  }
  return ok;
}

bool TCustomRecDb::LoadCarRecords(int32_t carID, AZaznamy& records) {
  records.clear();
  auto it = slotsOfCar_.find(carID);
  if (it == slotsOfCar_.end()) return true;
  const std::vector<int>& slots = it->second;
  std::vector<std::string> raw;
  std::vector<bool> ok;
  ReadSlots(slots, raw, ok);
  bool clean = true;
  records.reserve(slots.size());
  std::vector<int32_t> blobIDs;
  blobIDs.reserve(2 * slots.size());
  for (size_t i = 0; i < slots.size(); ++i) {
    // A run of slots is read at once; one bad slot must not hide the others.
    if (!ok[i]) ok[i] = ReadSlot(slots[i], raw[i]);
    if (!ok[i]) {
      // A slot that cannot be read is left out: a blank record in its place
      // would be saved back as a new record.
      clean = false;
      continue;
    }
    Tzaznam& r = records.emplace_back();
    DecodeRecord(Bytes(raw[i]), r.db);
    blobIDs.push_back(r.db.popisBLOBID);
    blobIDs.push_back(r.db.materialBLOBID);
  }
  blobs_.Prefetch(blobIDs);
  for (Tzaznam& r : records) {
    LoadTexts(r);
    clean = clean && !r.damaged;
  }
  return clean;
}

void TCustomRecDb::LoadCarRecordHeads(int32_t carID, std::vector<TRecordHead>& heads) {
  heads.clear();
  auto it = slotsOfCar_.find(carID);
  if (it == slotsOfCar_.end()) return;
  ReadSlots(it->second, headBuffers_, headOk_);
  heads.reserve(headBuffers_.size());
  for (size_t i = 0; i < headBuffers_.size(); ++i) {
    if (!headOk_[i]) continue;
    TRecordHead h;
    DecodeRecordHead(Bytes(headBuffers_[i]), h);
    heads.push_back(h);
  }
}

bool TCustomRecDb::SaveCarRecords(int32_t carID, AZaznamy& records) {
  AZaznamy old;
  LoadCarRecords(carID, old);
  std::unique_ptr<ICalendarLink> calendar = OpenCalendarLink();
  bool ok = true;
  // A record that was not read cleanly (on either side) stays on disk as it
  // is: writing it back or erasing it would destroy what could not be read.
  for (Tzaznam& o : old) {
    auto match = std::find_if(records.begin(), records.end(), [&](const Tzaznam& r) { return r.db.ID == o.db.ID; });
    if (o.damaged || (match != records.end() && match->damaged)) continue;
    if (match != records.end()) {
      // A record the user did not change is not written again: rewriting it
      // could move its texts into lower free blocks, and a crash during
      // that move would cost a record nobody touched.
      const bool same = Encoded(o.db) == Encoded(match->db) && o.description == match->description &&
                        o.material == match->material;
      if (same || SaveCarRecord(*match)) calendar->SendEvent(*match);
      else ok = false;
    } else {
      calendar->DeleteEvent(o);
      ok = EraseCarRecord(o) && ok;
    }
  }
  for (Tzaznam& r : records) {
    bool isOld = r.db.ID >= 0 &&
                 std::any_of(old.begin(), old.end(), [&](const Tzaznam& o) { return o.db.ID == r.db.ID; });
    if (isOld || r.damaged) continue;
    if (CreateCarRecord(r, carID, "")) calendar->SendEvent(r);
    else ok = false;
  }
  calendar->EndBatch();
  return ok;
}

bool TCustomRecDb::EraseAllCarRecords(int32_t carID) {
  std::unique_ptr<ICalendarLink> calendar = OpenCalendarLink();
  bool ok = true;
  auto it = slotsOfCar_.find(carID);
  std::vector<int> slots = it == slotsOfCar_.end() ? std::vector<int>() : it->second;
  for (int slot : slots) {
    Tzaznam record;
    if (!LoadCarRecord(IDAt(slot), record)) {
      ok = false;
      break;
    }
    calendar->DeleteEvent(record);
    if (!EraseCarRecord(record)) {
      ok = false;
      break;
    }
  }
  calendar->EndBatch();
  return ok;
}
