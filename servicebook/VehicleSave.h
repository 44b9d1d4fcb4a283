#pragma once
// Storing a vehicle with all its records in one step, as the records window
// saves.

#include "storage/CarDb.h"
#include "storage/RecDb.h"

// The latest date of a DONE record after 1 January 2000; that day when
// there is none.
TDateTime LastServiceDate(const AZaznamy& records);

// Sets `lastService`, stores the vehicle, then makes its stored records
// equal to `records` (new ones get their IDs). Raises nothing: a failure of
// either step is reported to the user and gives false; the records are
// still stored when the vehicle could not be, so that as little as possible
// is lost.
bool SaveVehicleAndRecords(TCustomCarDb& cars, TCustomRecDb& recs, Tautomobil& vehicle, AZaznamy& records);
