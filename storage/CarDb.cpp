#include "storage/CarDb.h"

#include "storage/Errors.h"
#include "storage/FileSystemSetup.h"

namespace {
uint8_t* Bytes(std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); }
}  // namespace

void TCustomCarDb::Create(const std::string& userName) {
  Create(VirtualFile("db_cars.dat"), VirtualFile("db_cars_blob.dat"), userName);
}

void TCustomCarDb::Create(const S_FileName& recordFile, const S_FileName& blobFile, const std::string& userName,
                          bool readOnly) {
  Tautomobil def;
  InitVehicle(def);
  std::string defaultRecord(kVehicleWidth, '\0');
  EncodeVehicle(def, Bytes(defaultRecord));
  TCustomDb::Create(recordFile, kVehicleWidth, defaultRecord, userName, "CAR", readOnly);
  blobs_.Create(blobFile, readOnly);
}

// The comments are stored before the record that names them: a crash in
// between leaves an unused blob, never a vehicle without its comments.
void TCustomCarDb::CreateCar(Tautomobil& vehicle, const std::string& globalId) {
  // Nothing of the vehicle is stored yet: the user hears that it could not be.
  vehicle.commentsBLOBID = blobs_.NewID();
  if (!blobs_.SaveBLOBText(vehicle.commentsBLOBID, vehicle.comments)) throw EGarvelError("Nemohu uložit vozidlo.");
  std::string bytes(kVehicleWidth, '\0');
  EncodeVehicle(vehicle, Bytes(bytes));
  if (!CreateRecord(bytes, globalId)) throw EGarvelError("Nemohu uložit vozidlo.");
  Tautomobil stored;
  DecodeVehicle(Bytes(bytes), stored);
  vehicle.ID = stored.ID;
  vehicle.globalId = stored.globalId;
  vehicle.image = stored.image;
}

bool TCustomCarDb::LoadCar(int32_t id, Tautomobil& vehicle) {
  std::string bytes;
  if (!ReadRecord(id, bytes)) return false;
  DecodeVehicle(Bytes(bytes), vehicle);
  ApplyVehicleReadCorrections(vehicle);
  return blobs_.LoadBLOBText(vehicle.commentsBLOBID, vehicle.comments);
}

bool TCustomCarDb::SaveCar(Tautomobil& vehicle) {
  if (vehicle.commentsBLOBID < 0) vehicle.commentsBLOBID = blobs_.NewID();
  if (!blobs_.SaveBLOBText(vehicle.commentsBLOBID, vehicle.comments)) throw EGarvelError("Error saving A.comments");
  std::string bytes(kVehicleWidth, '\0');
  EncodeVehicle(vehicle, Bytes(bytes));
  if (!WriteRecord(bytes)) throw EGarvelError("Error saving car info");
  return true;
}

bool TCustomCarDb::EraseCar(int32_t id) {
  std::string bytes;
  if (!ReadRecord(id, bytes)) return false;
  Tautomobil vehicle;
  DecodeVehicle(Bytes(bytes), vehicle);
  // The record goes first and its comments after it: a crash in between
  // leaves an unused blob, never a vehicle whose comments are gone.
  if (vehicle.commentsBLOBID <= 0 || blobs_.FindBlock(vehicle.commentsBLOBID) <= 0) return false;
  if (!EraseRecord(bytes)) return false;
  blobs_.DeleteBLOB(vehicle.commentsBLOBID);
  return true;
}
