#include "statistics/DailyStatistics.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "catalogues/ContactRecord.h"
#include "servicebook/Activities.h"
#include "storage/CarDb.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/RecDb.h"

namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Every line break (CR LF, CR or LF) becomes ", ".
std::string JoinLines(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += ", ";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string VehicleText(const Tautomobil& v) {
  std::string out;
  for (const std::string* part : {&v.manufacturer, &v.model, &v.subtype, &v.engine}) {
    if (part->empty()) continue;
    if (!out.empty()) out += ' ';
    out += *part;
  }
  return out;
}

// Vehicle and owner names, read once per vehicle and once per owner.
class TNameCache {
 public:
  TNameCache(TCustomCarDb& cars, TCustomDb* customers, std::vector<TDailyNames>& names)
      : cars_(cars), customers_(customers), names_(names) {}

  uint32_t Of(int32_t vehicleID) {
    auto [it, added] = byVehicle_.try_emplace(vehicleID, 0);
    if (!added) return it->second;
    TDailyNames n;
    std::string bytes;
    if (cars_.ReadRecord(vehicleID, bytes) && bytes.size() >= static_cast<size_t>(kVehicleWidth)) {
      Tautomobil v;
      DecodeVehicle(Bytes(bytes), v);
      n.vehicle = VehicleText(v);
      n.customer = Owner(v.ownerID);
    }
    it->second = static_cast<uint32_t>(names_.size());
    names_.push_back(std::move(n));
    return it->second;
  }

 private:
  std::string Owner(int32_t ownerID) {
    if (!customers_ || ownerID < 0) return "";
    auto [it, added] = owners_.try_emplace(ownerID);
    if (!added) return it->second;
    std::string bytes;
    if (customers_->ReadRecord(ownerID, bytes) && bytes.size() >= static_cast<size_t>(kContactWidth)) {
      TContactRecord c;
      DecodeContact(Bytes(bytes), c);
      it->second = CustomerDisplayName(c);
    }
    return it->second;
  }

  TCustomCarDb& cars_;
  TCustomDb* customers_;
  std::vector<TDailyNames>& names_;
  std::unordered_map<int32_t, uint32_t> byVehicle_;
  std::unordered_map<int32_t, std::string> owners_;
};

}  // namespace

double RecordProfit(const std::string& description) {
  TActRecordList list;
  DecodeActivities(description, list);  // lines before a damaged one still count
  return std::nearbyint(ActivitiesMargin(list));
}

std::string DailyCell(const TDailyStatistics& stats, const TDailyRow& row, size_t column) {
  auto whole = [](double v) { return FormatFixed(std::nearbyint(v), 0); };
  switch (column) {
    case 0: return DateText(row.day);
    case 1: return whole(row.labour);
    case 2: return whole(row.material);
    case 3: return whole(row.profit);
    case 4: return row.names < stats.names.size() ? stats.names[row.names].customer : "";
    case 5: return row.names < stats.names.size() ? stats.names[row.names].vehicle : "";
    case 6: return JoinLines(ActivitiesOneLine(row.kind, row.flags, row.description, TVatSettings{}));
    default: return "";
  }
}

std::optional<TDailyStatistics> ComputeDailyStatistics(TDailySources sources, int grouping, TDateTime fromDate,
                                                       TDateTime toDate, const std::string& currency,
                                                       const TStatProgress& progress) {
  TDailyStatistics s;
  s.from = DayNumber(fromDate);
  s.to = std::max(s.from, DayNumber(toDate));
  s.grouping = grouping;
  s.currency = currency;
  s.periods = CountPeriods(grouping, s.from, s.to);
  static const char* const kCaptions[] = {"Práce", "Materiál", "Zisk", "Počet záznamů"};
  static const uint32_t kColours[] = {0x008000, 0xA08000, 0x0080A0, 0x0000FF};
  for (size_t k = 0; k < s.series.size(); ++k) {
    TSingleGraph& g = s.series[k];
    g.Values.assign(static_cast<size_t>(s.periods), 0.0);
    g.Caption = kCaptions[k];
    g.Color = kColours[k];
    g.Unit = k == kSeriesCount ? "" : currency;
    g.Legend = kLegendSum;
    g.Style = kStyleLines;
  }

  TCustomRecDb& records = sources.records;
  TNameCache names(sources.cars, sources.customers, s.names);
  // Kept records wait in a batch so that their descriptions are read ahead
  // together.
  std::vector<TzaznamDb> batch;
  auto flush = [&] {
    std::vector<int32_t> ids;
    ids.reserve(batch.size());
    for (const TzaznamDb& db : batch) ids.push_back(db.popisBLOBID);
    records.Blobs().Prefetch(ids);
    std::string description;
    for (const TzaznamDb& db : batch) {
      // A damaged description leaves the record's prices counted, with no
      // profit.
      if (!records.Blobs().LoadBLOBText(db.popisBLOBID, description)) description.clear();
      TDailyRow row;
      row.day = DayNumber(db.date);
      row.vehicleID = db.carID;
      row.names = names.Of(db.carID);
      row.labour = db.priceWrk;
      row.material = db.priceMat;
      row.profit = RecordProfit(description);
      row.kind = db.kind;
      row.flags = db.flags;
      row.description = std::move(description);  // formatted when shown: only a screenful is
      const size_t i = static_cast<size_t>(CountPeriods(grouping, s.from, row.day) - 1);
      s.series[kSeriesLabour].Values[i] += row.labour;
      s.series[kSeriesMaterial].Values[i] += row.material;
      s.series[kSeriesProfit].Values[i] += row.profit;
      s.series[kSeriesCount].Values[i] += 1;
      s.rows.push_back(std::move(row));
    }
    batch.clear();
  };

  const int total = records.Count();
  std::string bytes;
  for (int slot = 0; slot < total; ++slot) {
    if (progress && (slot & 4095) == 0 && !progress(slot, total)) return std::nullopt;
    if (records.CarIDAt(slot) < 0) continue;  // erased
    if (!records.ReadSlot(slot, bytes) || bytes.size() < static_cast<size_t>(kRecordWidth)) continue;
    TzaznamDb db;
    DecodeRecord(Bytes(bytes), db);
    // In the period when its day is: a record at 10:00 on the last day counts.
    if (db.ID < 0 || db.kind != kKindDone || !(db.date >= s.from && db.date < s.to + 1.0)) continue;
    batch.push_back(std::move(db));
    if (batch.size() >= 4096) flush();
  }
  flush();
  if (progress) progress(total, total);
  std::stable_sort(s.rows.begin(), s.rows.end(), [](const TDailyRow& a, const TDailyRow& b) { return a.day < b.day; });
  s.separators = PeriodSeparators(grouping, s.from, s.periods);
  return s;
}

void FillGraph(const TDailyStatistics& stats, TGarvGraph& graph) {
  graph.ClearGraph();
  for (const TSingleGraph& g : stats.series) graph.AddSeries(g);
  for (const TSeparator& sep : stats.separators) graph.AddSeparator(sep.label, sep.position);
}

std::string DailyHintText(const TDailyStatistics& stats, int index) {
  std::string text = PeriodLabel(stats.grouping, stats.from, index);
  auto value = [&](size_t k) {
    const auto& v = stats.series[k].Values;
    return index >= 0 && static_cast<size_t>(index) < v.size() ? v[static_cast<size_t>(index)] : 0.0;
  };
  for (size_t k : {kSeriesLabour, kSeriesMaterial, kSeriesProfit})
    text += "\r\n" + stats.series[k].Caption + ": " + PriceText(value(k), true, stats.currency);
  text += "\r\nPočet záznamů: " + PriceText(value(kSeriesCount), false);
  return text;
}

std::vector<std::vector<std::string>> DailyPeriodRows(const TDailyStatistics& stats) {
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(stats.periods) + 1);
  for (int i = 0; i < stats.periods; ++i) {
    std::vector<std::string> row{PeriodLabel(stats.grouping, stats.from, i)};
    for (const TSingleGraph& g : stats.series)
      row.push_back(GeneralNumberText(static_cast<size_t>(i) < g.Values.size() ? g.Values[static_cast<size_t>(i)] : 0));
    rows.push_back(std::move(row));
  }
  std::vector<std::string> total{"celkem"};
  for (const TSingleGraph& g : stats.series) total.push_back(GeneralNumberText(TGarvGraph::Sum(g)));
  rows.push_back(std::move(total));
  return rows;
}
