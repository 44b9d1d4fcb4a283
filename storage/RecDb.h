#pragma once
// TCustomRecDb: the service-record store. Records live in db_records.dat
// (table "REC", 680 bytes) with their description and material texts in
// db_rec_blob.dat. `carIDlist` says for every slot which vehicle its record
// belongs to, so that a vehicle's records are found without reading the file.
//
// Failing operations write their message to the error log, show it in a
// "Chyba" box and return false.

#include <string>
#include <unordered_map>
#include <vector>

#include "storage/BlobTable.h"
#include "storage/CustomDb.h"
#include "storage/ServiceRecord.h"

class TCustomRecDb : public TCustomDb {
 public:
  // Opens db_rec_blob.dat, then db_records.dat on the virtual file system.
  void Create(const std::string& userName);
  void Create(const S_FileName& recordFile, const S_FileName& blobFile, const std::string& userName,
              bool readOnly = false);

  bool CreateCarRecord(Tzaznam& record, int32_t carID, const std::string& globalId);
  bool SaveCarRecord(Tzaznam& record);
  // Neither writes nor erases a `damaged` record (reported as an error).
  bool EraseCarRecord(Tzaznam& record);
  // Reads the record with its texts; false if any part could not be read.
  // A text whose blob exists but fails part-way keeps what was read and
  // marks the record `damaged`; a missing blob gives an empty text.
  bool LoadCarRecord(int32_t id, Tzaznam& record);
  // The vehicle's records in slot order, their texts read as above. A slot
  // that cannot be read is left out. False when a slot was left out or a
  // record is `damaged`.
  bool LoadCarRecords(int32_t carID, AZaznamy& records);
  // The fixed fields of the vehicle's records in slot order, without their
  // texts; a slot that cannot be read is left out. For scans over every
  // vehicle, which then load the few records they keep with LoadCarRecord.
  void LoadCarRecordHeads(int32_t carID, std::vector<TRecordHead>& heads);
  // Makes the stored records of the vehicle equal to `records`: changed
  // ones rewritten, missing ones erased, new ones created (they get their
  // IDs in `records`). The calendar hears of every change. Records not read
  // cleanly (stored or given) are neither rewritten nor erased. False when
  // any single write failed (each failure has been reported); the others
  // are still done.
  bool SaveCarRecords(int32_t carID, AZaznamy& records);
  // Erases every record of the vehicle; true if all were erased.
  bool EraseAllCarRecords(int32_t carID);

  // carIDlist of a slot (-1 for an erased or unreadable slot).
  int32_t CarIDAt(int slot) const;
  // Number of stored records of the vehicle.
  size_t RecordCountOf(int32_t carID) const;

  // Closes the record file (writing its last ID) and the blob file.
  void Close() override {
    TCustomDb::Close();
    blobs_.Close();
  }

  TBLOBTable& Blobs() { return blobs_; }

 protected:
  void SlotScanned(int slot, const uint8_t* head, int width) override;

 private:
  void SetCarIDAt(int slot, int32_t carID);
  // Both texts of a decoded record; sets `damaged`. False when either failed.
  bool LoadTexts(Tzaznam& record);

  TBLOBTable blobs_;
  std::vector<std::string> headBuffers_;  // reused by LoadCarRecordHeads
  std::vector<bool> headOk_;
  std::vector<int32_t> carIDlist_;
  // carID -> its slots in ascending order, kept in step with carIDlist_.
  std::unordered_map<int32_t, std::vector<int>> slotsOfCar_;
};
