#pragma once
// A vehicle with its records and owner, as the exchange commands read them
// from a database folder.

#include <cstdio>
#include <string>

#include "app/garvelctl/DatabaseFolder.h"
#include "catalogues/ContactRecord.h"

struct TVehicleBook {
  Tautomobil vehicle;
  AZaznamy records;  // in the order of the records window's array
  TContactRecord owner;
  bool ownerRead = false;

  // False, with the reason on standard error, when the vehicle cannot be
  // read or has no record of the index (-1 asks for none in particular).
  bool Load(TDatabaseFolder& db, long vehicleID, long recordIndex) {
    if (!db.stores.cars->LoadCar(static_cast<int32_t>(vehicleID), vehicle)) {
      std::fprintf(stderr, "Vozidlo %ld nelze načíst.\n", vehicleID);
      return false;
    }
    db.stores.records->LoadCarRecords(vehicle.ID, records);
    if (recordIndex >= static_cast<long>(records.size())) {
      std::fprintf(stderr, "Vozidlo %ld má jen %zu záznamů.\n", vehicleID, records.size());
      return false;
    }
    std::string bytes;
    ownerRead = db.stores.customers && vehicle.ownerID >= 0 && db.stores.customers->ReadRecord(vehicle.ownerID, bytes);
    if (ownerRead) DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), owner);
    return true;
  }
};
