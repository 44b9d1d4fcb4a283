#include "servicebook/RecordList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/DateText.h"
#include "storage/TextUtils.h"

TRecordListSettings RecordListSettingsFrom(const TConfig& config, TDateTime today) {
  TRecordListSettings s;
  s.today = today;
  s.kmcalcmonths = config.kmcalcmonths;
  s.vat.taxPaid = config.taxpaid;
  s.vat.rate = config.taxrate;
  return s;
}

bool MatchesSearch(const std::string& description, const std::string& search) {
  if (Utf8Length(search) < 2) return true;
  return ContainsFolded(search, description);
}

std::string RecordListText(const Tzaznam& record, const TVatSettings& vat) {
  return OneLine(ActivitiesOneLine(record.db.kind, record.db.flags, record.description, vat), ", ");
}

std::string KindPriceLabel(int32_t kind) {
  switch (kind) {
    case kKindPlan:
    case kKindPlanNoWarn: return "<plán>";
    case kKindOrder: return "<objednávka>";
    case kKindRefuel: return "<tankování>";
    case kKindTrip: return "<cesta>";
    default: return "?";
  }
}

std::string KindShortCode(int32_t kind) { return kind == kKindPlanNoWarn ? "PLANNW" : KindToText(kind); }

int32_t KindRowColour(int32_t kind) {
  switch (kind) {
    case kKindDone: return -1;
    case kKindPlan: return 0x00FF00;
    case kKindPlanNoWarn: return 0x00B900;
    case kKindOrder: return 0xFF8000;
    case kKindRefuel: return 0x80D0FF;
    case kKindTrip: return 0xFFFF80;
    default: return 0xFF0000;
  }
}

std::string ListPriceText(double price) {
  if (!std::isfinite(price)) return "?";
  if (price < 0) return "";
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.0f", std::nearbyint(price) + 0.0);
  return buf;
}

TMileageRate StoreEffectiveDates(AZaznamy& records, const TRecordListSettings& settings) {
  TMileageRate rate = ComputeMileageRate(records, settings.today, settings.kmcalcmonths);
  for (Tzaznam& r : records) r.db.sortDate = EffectiveDate(r.db, rate);
  return rate;
}

TRecordList BuildRecordList(AZaznamy& records, const std::string& search, const TRecordListSettings& settings) {
  TRecordList list;
  // Every record gets its effective date, listed or not: the reminders read
  // it back from the store.
  list.rate = StoreEffectiveDates(records, settings);
  list.kmPerYear = KmPerYear(list.rate);
  const int32_t tomorrow = static_cast<int32_t>(std::trunc(settings.today + 1));
  const bool all = Utf8Length(search) < 2;
  list.rows.reserve(records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const Tzaznam& r = records[i];
    if (!all && !ContainsFolded(search, r.description)) continue;
    TRecordRow row;
    row.index = i;
    row.kind = r.db.kind;
    row.sortKey = r.db.sortDate != 0 ? r.db.sortDate : tomorrow;
    row.date = r.db.sortDate != 0 ? DateText(r.db.sortDate) : "?";
    row.km = r.db.km >= 0 ? std::to_string(r.db.km) : "nezadáno";
    row.activities = RecordListText(r, settings.vat);
    if (r.db.kind == kKindDone) {
      row.labour = ListPriceText(r.db.priceWrk);
      row.material = ListPriceText(r.db.priceMat);
    } else {
      row.material = KindPriceLabel(r.db.kind);
    }
    list.rows.push_back(std::move(row));
  }
  // Equal dates keep the array order, so the list does not jump between
  // rebuilds.
  std::stable_sort(list.rows.begin(), list.rows.end(),
                   [](const TRecordRow& a, const TRecordRow& b) { return a.sortKey < b.sortKey; });
  return list;
}
