#include "servicebook/NewVehicleStore.h"

#include "storage/CarDb.h"
#include "storage/Errors.h"
#include "storage/Log.h"
#include "storage/Notifier.h"

TDateTime NewVehicleLastService() { return EncodeDate(2000, 1, 1); }

bool RepairNewVehicleLastService(Tautomobil& stored) {
  if (stored.lastService == NewVehicleLastService()) return false;
  ShowMessage("CHYBA", "NESEDI DATUM LASTSERVICE!", TMsgIcon::Error);
  stored.lastService = NewVehicleLastService();
  return true;
}

int32_t StoreNewVehicle(TCustomCarDb& cars, Tautomobil& vehicle) {
  vehicle.ID = -1;
  try {
    cars.CreateCar(vehicle, "");
  } catch (const EGarvelError& e) {
    // A record that was created before its comments failed is still the new
    // vehicle; the list shows it without them.
    LogError(e.what(), true);
    return vehicle.ID;
  }
  Tautomobil stored;
  if (cars.LoadCar(vehicle.ID, stored) && RepairNewVehicleLastService(stored)) {
    vehicle.lastService = stored.lastService;
    try {
      cars.SaveCar(vehicle);
    } catch (const EGarvelError& e) {
      LogError(e.what(), true);
    }
  }
  return vehicle.ID;
}

std::string AddCarTraceText(const Tautomobil& v) {
  return "Add car ID#" + std::to_string(v.ID) + " " + v.tag + " " + v.manufacturer + " " + v.model + v.subtype;
}
