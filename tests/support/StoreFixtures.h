#pragma once
// Owners, vehicles and records put into open stores for tests.

#include <string>

#include "catalogues/ContactRecord.h"
#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "tests/support/TestRecords.h"

// A customer with the surname, e-mail and phones; its ID (-1 if refused).
inline int32_t AddTestOwner(TStoreSet& stores, const std::string& surname, const std::string& email,
                            const std::string& phones = "") {
  TContactRecord c;
  InitContact(c);
  c.surname = surname;
  c.email = email;
  c.phones = phones;
  return AddContact(*stores.customers, c) ? c.ID : -1;
}

// A Škoda with the plate and owner; its ID.
inline int32_t AddTestVehicle(TStoreSet& stores, const std::string& tag, int32_t ownerID = -1) {
  Tautomobil v;
  InitVehicle(v);
  v.tag = tag;
  v.manufacturer = "Škoda";
  v.ownerID = ownerID;
  stores.cars->CreateCar(v, "");
  return v.ID;
}

// Appends a record of the kind, dated `date` (0 for none), to the vehicle's
// stored records; its ID.
inline int32_t AddTestRecord(TStoreSet& stores, int32_t car, int32_t kind, TDateTime date,
                             const std::string& description, uint32_t flags = 0, int32_t sortDate = 0) {
  AZaznamy set;
  stores.records->LoadCarRecords(car, set);
  Tzaznam r = TestRecord(car, kind, date, -1, description);
  r.db.flags = flags;
  r.db.sortDate = sortDate;
  set.push_back(r);
  stores.records->SaveCarRecords(car, set);
  return set.back().db.ID;
}
