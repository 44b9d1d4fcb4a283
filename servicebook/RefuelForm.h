#pragma once
// The refuelling editor's work without its widgets: the boxes of a REFUEL
// record, the checks of "Uložit" and what a saved refuelling writes.

#include <string>

#include "storage/ServiceRecord.h"

struct TRefuelFields {
  std::string km, litres, literPrice;  // as typed; empty = not entered
  bool full = false;
  std::string place;
  std::string day, month, year;
};

class TRefuelForm {
 public:
  // The boxes from the record. A text that cannot be read all says
  // "Došlo k chybě při dekódování" and shows what could be read.
  void Open(const Tzaznam& record);
  // The date the three boxes form, when they form one.
  bool BoxDate(TDateTime& date) const;
  void SetBoxDate(TDateTime date);
  // "Uložit": the checks in order, each failing with its message.
  bool Confirm();
  void WriteRecord(Tzaznam& record) const;

  TRefuelFields fields;
};
