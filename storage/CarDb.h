#pragma once
// TCustomCarDb: the vehicle store. Vehicles live in db_cars.dat (table
// "CAR", 1112 bytes) with their comments in db_cars_blob.dat.

#include <string>

#include "storage/BlobTable.h"
#include "storage/CustomDb.h"
#include "storage/Vehicle.h"

class TCustomCarDb : public TCustomDb {
 public:
  // Opens db_cars.dat and db_cars_blob.dat on the virtual file system.
  void Create(const std::string& userName);
  // Opens the two files given; `readOnly` for tools that must not write.
  void Create(const S_FileName& recordFile, const S_FileName& blobFile, const std::string& userName,
              bool readOnly = false);

  // Stores a new vehicle with its comments; the vehicle gets its ID. Raises
  // "Nemohu uložit vozidlo." when the record cannot be created.
  void CreateCar(Tautomobil& vehicle, const std::string& globalId);
  // Reads a vehicle with its comments, applying the read corrections.
  bool LoadCar(int32_t id, Tautomobil& vehicle);
  // Writes the vehicle and its comments. Raises "Error saving A.comments" or
  // "Error saving car info".
  bool SaveCar(Tautomobil& vehicle);
  // Deletes the comments and the record; false (and the rest skipped) when
  // a step fails. The vehicle's service records are the caller's.
  bool EraseCar(int32_t id);

  // Closes the record file (writing its last ID) and the blob file.
  void Close() override {
    TCustomDb::Close();
    blobs_.Close();
  }

  TBLOBTable& Blobs() { return blobs_; }

 private:
  TBLOBTable blobs_;
};
