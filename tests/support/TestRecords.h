#pragma once
// Service records for tests, made as the program makes them.

#include <string>

#include "storage/ServiceRecord.h"

inline Tzaznam TestRecord(int32_t car, int32_t kind, TDateTime date, int32_t km, const std::string& description) {
  Tzaznam r;
  InitRecord(r, car, kind);
  r.db.date = date;
  r.db.km = km;
  r.description = description;
  return r;
}
