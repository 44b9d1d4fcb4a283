#pragma once
// How far a vehicle goes per day, measured from its performed services, and
// the date on which a plan falls due: its own date, or the day the vehicle
// is expected to reach the plan's km, whichever comes first.

#include <cstdint>

#include "storage/ServiceRecord.h"

// The rate assumed when the history cannot tell: 15,000 km a year.
inline constexpr double kDefaultKmPerDay = 15000.0 / 365;

struct TMileageRate {
  double kmPerDay = kDefaultKmPerDay;
  TDateTime lastDate = 0;  // date of the latest DONE record with km (today when none)
  int32_t lastKm = 0;      // its km (0 when none)
  bool inaccurate = true;  // "Nepřesný výpočet!": the default rate is used
};

// Over the DONE records with km ≥ 0 and a date: the latest one is the last
// point; the one nearest to today − kmcalcmonths × 30 days is the first.
// Points at least 30 days apart give |Δkm| / Δdays; otherwise the default.
TMileageRate ComputeMileageRate(const AZaznamy& records, TDateTime today, int kmcalcmonths);

// "Km/rok": the rate × 365, rounded half to even.
int32_t KmPerYear(const TMileageRate& rate);

// The effective date of a record as a day number, 0 when it has none.
// For PLAN and PLAN_NOWARN with km ≥ 0 the estimated day takes the place of
// a later or missing date. A rate of 0 or an estimate that is not a number
// keeps the record's own date; an estimate beyond the calendar is held to
// 1 .. 31.12.9999.
int32_t EffectiveDate(const TzaznamDb& record, const TMileageRate& rate);
