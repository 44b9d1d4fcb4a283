#pragma once
// The texts of the information panel beside the vehicle list. A part that is
// empty is left out together with its separator, so a vehicle without a
// subtype reads "Škoda Octavia, 2004", not "Škoda Octavia , 2004".

#include <string>

#include "storage/Vehicle.h"

// Make, model and subtype, then ", " and the year text.
std::string InfoVehicleType(const Tautomobil& vehicle);
// Plate " / " VIN. (The owner's address is ContactAddressText.)
std::string InfoPlateLine(const Tautomobil& vehicle);
