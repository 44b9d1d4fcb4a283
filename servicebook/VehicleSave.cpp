#include "servicebook/VehicleSave.h"

#include <exception>

#include "storage/Log.h"

TDateTime LastServiceDate(const AZaznamy& records) {
  const TDateTime floor = EncodeDate(2000, 1, 1);
  TDateTime last = floor;
  for (const Tzaznam& r : records)
    if (r.db.kind == kKindDone && r.db.date > last) last = r.db.date;
  return last;
}

bool SaveVehicleAndRecords(TCustomCarDb& cars, TCustomRecDb& recs, Tautomobil& vehicle, AZaznamy& records) {
  vehicle.lastService = LastServiceDate(records);
  bool ok = true;
  try {
    ok = cars.SaveCar(vehicle);
  } catch (const std::exception& e) {
    LogError(std::string("Údaje vozidla se nepodařilo uložit (") + e.what() + ").", true);
    ok = false;
  }
  try {
    ok = recs.SaveCarRecords(vehicle.ID, records) && ok;
  } catch (const std::exception& e) {
    LogError(std::string("Záznamy vozidla se nepodařilo uložit (") + e.what() + ").", true);
    ok = false;
  }
  return ok;
}
