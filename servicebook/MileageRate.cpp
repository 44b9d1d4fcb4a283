#include "servicebook/MileageRate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLastCalendarDay = 2958465;  // 31.12.9999

// A day number from a date that may be damaged: not a number gives 0.
int32_t WholeDay(double date) {
  if (!std::isfinite(date)) return 0;
  return static_cast<int32_t>(std::trunc(std::clamp(date, -kLastCalendarDay, kLastCalendarDay)));
}

}  // namespace

TMileageRate ComputeMileageRate(const AZaznamy& records, TDateTime today, int kmcalcmonths) {
  const double reference = today - static_cast<double>(kmcalcmonths) * 30;
  const TzaznamDb* last = nullptr;
  const TzaznamDb* first = nullptr;
  for (const Tzaznam& r : records) {
    const TzaznamDb& d = r.db;
    if (d.kind != kKindDone || d.km < 0 || !(d.date > 0) || !std::isfinite(d.date)) continue;
    if (!last || d.date > last->date) last = &d;
    if (!first || std::fabs(d.date - reference) < std::fabs(first->date - reference)) first = &d;
  }
  TMileageRate rate;
  if (!last) {
    rate.lastDate = today;
    return rate;
  }
  rate.lastDate = last->date;
  rate.lastKm = last->km;
  const double days = last->date - first->date;
  if (days >= 30) {
    rate.kmPerDay = std::fabs((static_cast<double>(last->km) - first->km) / days);
    rate.inaccurate = false;
  }
  return rate;
}

int32_t KmPerYear(const TMileageRate& rate) {
  double perYear = std::nearbyint(rate.kmPerDay * 365);
  if (!std::isfinite(perYear)) return 0;
  return static_cast<int32_t>(std::clamp(perYear, -2147483647.0, 2147483647.0));
}

int32_t EffectiveDate(const TzaznamDb& record, const TMileageRate& rate) {
  int32_t day = WholeDay(record.date);
  if (record.kind != kKindPlan && record.kind != kKindPlanNoWarn) return day;
  if (record.km < 0 || !(rate.kmPerDay > 0)) return day;
  const double estimate = std::nearbyint((static_cast<double>(record.km) - rate.lastKm) / rate.kmPerDay + rate.lastDate);
  if (!std::isfinite(estimate)) return day;
  const int32_t e = static_cast<int32_t>(std::clamp(estimate, 1.0, kLastCalendarDay));
  return day == 0 || e < day ? e : day;
}
