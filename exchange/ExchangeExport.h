#pragma once
// The exchange document a workshop sends about one vehicle: its owner and
// the vehicle when chosen, then the chosen records.

#include <cstddef>
#include <string>
#include <vector>

#include "catalogues/ContactRecord.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

struct TExchangeExport {
  const Tautomobil* vehicle = nullptr;
  const TContactRecord* owner = nullptr;  // null when the owner cannot be read
  bool withOwner = true;
  bool withVehicle = true;
  // Each record with its index in the vehicle's record array ("rec" + index).
  std::vector<std::pair<size_t, const Tzaznam*>> records;
};

// The owner as a Contact node "owner" (when chosen and read), the vehicle as
// a Vehicle node "vehicle" with the owner hash (empty without owner), each
// record as a Record node with the vehicle's car hash. The document's text.
std::string BuildExchangeDocument(const TExchangeExport& what);
