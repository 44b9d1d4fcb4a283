#pragma once
// "Odebrat" of the vehicle list: an active vehicle is archived; only an
// archived vehicle is deleted, with all its service records. Both ask first
// (caption "Ověření", No as the default).

#include <cstdint>

class TCustomCarDb;
class TCustomRecDb;

enum class TRemoveResult { Cancelled, Archived, Deleted, Failed };

TRemoveResult RemoveVehicle(TCustomCarDb& cars, TCustomRecDb& records, int32_t vehicleID);
