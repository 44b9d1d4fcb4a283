#pragma once
// The trip editor's work without its widgets: the fields of a TRIP record,
// the km boxes that keep each other consistent, the checks of "Uložit" and
// what a saved trip writes into its record.

#include "servicebook/RefuelTrip.h"
#include "storage/ServiceRecord.h"

class TTripForm {
 public:
  // The fields from the record's trip text (a damaged text opens as far as
  // it reads).
  void Open(const Tzaznam& record);

  // A km box was typed into. With begin and end whole numbers the count
  // becomes end - begin (empty when negative); with begin and count whole
  // numbers the end becomes begin + count. The box typed into is never
  // overwritten; the change made here triggers nothing further.
  enum class TKmBox { Begin, End, Count };
  void KmChanged(TKmBox box);

  // "Uložit": the checks in order, each failing with its message; true when
  // the trip may be saved.
  bool Confirm();
  // km = begin km (-1 when empty), date = the begin day, description = the
  // trip text.
  void WriteRecord(Tzaznam& record) const;

  // The moments the dates and times stand for: an unused end time is the
  // last moment of the end day.
  TDateTime BeginMoment() const;
  TDateTime EndMoment() const;

  TTripRecord fields;
};
