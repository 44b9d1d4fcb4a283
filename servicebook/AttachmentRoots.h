#pragma once
// The attachment folders shown for a vehicle: its own, those of its make,
// model and engine in the catalogue (each only when the catalogue has it),
// and its owner's.

#include <string>
#include <vector>

#include "catalogues/CatalogueStores.h"
#include "storage/Vehicle.h"

// Virtual folder paths under `root` (the `attachpath` setting), in the
// order vehicle, make, model, engine, owner. A vehicle without an owner
// has no owner folder.
std::vector<std::string> VehicleAttachmentRoots(const TCatalogue& catalogue, const Tautomobil& vehicle,
                                                const std::string& root);
