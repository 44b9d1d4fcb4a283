#pragma once
// Storing a vehicle made in the vehicle window.

#include <cstdint>
#include <string>

#include "storage/Vehicle.h"

class TCustomCarDb;

// A new vehicle's last service: 1 January 2000.
TDateTime NewVehicleLastService();

// Creates the vehicle with CreateCar (an empty globalId: the store makes
// one). Returns its ID; -1 when the record could not be created. A failure
// is written to the error log and shown. When the vehicle as read back does
// not have the new vehicle's last service, that is reported and the date
// written again.
int32_t StoreNewVehicle(TCustomCarDb& cars, Tautomobil& vehicle);

// Shows "NESEDI DATUM LASTSERVICE!" and sets the date back when a stored new
// vehicle's last service is not 1 January 2000; false when it was right.
bool RepairNewVehicleLastService(Tautomobil& stored);

// The trace line of an added vehicle: "Add car ID#" + ID + " " + plate + " " +
// make + " " + model + subtype.
std::string AddCarTraceText(const Tautomobil& vehicle);
