#include "statistics/VehicleStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>

#include "catalogues/CatalogueQueries.h"
#include "storage/CarDb.h"
#include "storage/Collation.h"
#include "storage/NumberText.h"
#include "storage/RecDb.h"
#include "storage/TextUtils.h"

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Nearest whole number, halves to even, held within int64 (NaN gives 0):
// prices and dates come from files and may be anything.
int64_t RoundToInt64(double v) {
  if (std::isnan(v)) return 0;
  v = std::nearbyint(v);
  if (v >= 9.2e18) return kInt64Max;
  if (v <= -9.2e18) return kInt64Min;
  return static_cast<int64_t>(v);
}

int64_t SaturatingAdd(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_add_overflow(a, b, &r)) return b > 0 ? kInt64Max : kInt64Min;
  return r;
}

// What the records of one vehicle add up to, gathered in one pass over the
// record file.
struct TRecordTotals {
  bool unreadable = false;
  int64_t records = 0;
  int32_t lastKm = -1;
  int32_t minKm = std::numeric_limits<int32_t>::max();
  int32_t maxKm = -1;
  double firstDate = 0, lastDate = -std::numeric_limits<double>::infinity();
  int64_t material = 0, labour = 0;
};

TVehicleSample SampleOf(const Tautomobil& v, const TRecordTotals* t) {
  TVehicleSample s;
  s.year = v.year;
  if (!t) return s;  // no records
  s.km = t->lastKm;
  s.records = t->records;
  s.material = t->material;
  s.labour = t->labour;
  s.total = SaturatingAdd(t->material, t->labour);
  if (t->maxKm > t->minKm) {
    const double distance = static_cast<double>(t->maxKm) - t->minKm;
    if (t->lastDate > t->firstDate) s.kmPerYear = RoundToInt64(distance * 365 / (t->lastDate - t->firstDate));
    s.costPerKm = static_cast<double>(s.total) / distance;
  }
  return s;
}

int64_t Measure(const TVehicleSample& s, size_t m) {
  switch (m) {
    case 0: return s.km;
    case 1: return s.year;
    case 2: return s.kmPerYear;
    case 3: return s.records;
    case 4: return s.material;
    case 5: return s.labour;
    default: return s.total;
  }
}

std::string IntegerText(int64_t v) { return v < 0 ? "-" : std::to_string(v); }

// The value a column sorts by; `missing` for a value that is not there.
double SortValue(const TGroup& g, size_t column, bool& missing) {
  missing = false;
  if (column == 1) return g.stats.count;
  if (column == 2) return g.stats.excluded;
  const size_t m = (column - 3) / 3, which = (column - 3) % 3;
  double v;
  if (m < kIntegerMeasures) {
    const TIntegerStat& s = g.stats.measures[m];
    v = static_cast<double>(which == 0 ? s.min : which == 1 ? s.max : s.avg);
  } else {
    const TRealStat& s = g.stats.costPerKm;
    v = which == 0 ? s.min : which == 1 ? s.max : s.avg;
  }
  missing = v < 0;
  return v;
}

}  // namespace

std::string ConcernNameOfMake(const TCatalogue& catalogue, const std::string& make) {
  const int32_t id = FindManufacturerByName(catalogue, make);
  if (id < 0) return "";
  TManufacturerRecord m;
  TConcernRecord c;
  if (!ReadManufacturer(catalogue.manufacturers, id, m) || !ReadConcern(catalogue.concerns, m.concern, c)) return "";
  return c.name;
}

std::string VehicleGroupName(int grouping, const Tautomobil& v,
                             const std::function<std::string(const std::string&)>& concernOf) {
  switch (grouping) {
    case kGroupConcern: {
      std::string concern = concernOf ? concernOf(v.manufacturer) : "";
      return concern.empty() ? "? " + v.manufacturer + " ?" : concern;
    }
    case kGroupMake: return v.manufacturer;
    case kGroupModel: return v.manufacturer + " " + v.model;
    case kGroupVariant: return v.manufacturer + " " + v.model + " " + v.subtype;
    case kGroupEngine: return v.manufacturer + " " + v.model + " " + v.engine;
    default: return "<chyba>";
  }
}

void CGroupList::AddVehicle(const Tautomobil& vehicle, const TVehicleSample& sample) {
  std::string name = VehicleGroupName(grouping_, vehicle, concernOf_);
  auto [it, added] = byKey_.try_emplace(FoldWithoutBlanks(name), groups_.size());
  if (added) groups_.push_back(TGroup{std::move(name), {}, {}});
  groups_[it->second].samples.push_back(sample);
}

void CGroupList::Compute(int percentage, int minimumCount) {
  for (TGroup& g : groups_) {
    const size_t n = g.samples.size();
    const size_t j = static_cast<size_t>(std::nearbyint(static_cast<double>(n) * percentage / 100));
    TGroupStats& st = g.stats;
    st = TGroupStats{};
    st.count = static_cast<int>(n);
    for (size_t m = 0; m < kIntegerMeasures; ++m) {
      int64_t min = -1, max = -1, sum = 0;
      for (size_t i = j; i + j < n; ++i) {
        const int64_t v = Measure(g.samples[i], m);
        if (v > max) max = v;
        if (v < 0) continue;
        if (min < 0 || v < min) min = v;
        sum = SaturatingAdd(sum, v);
      }
      st.measures[m] = TIntegerStat{min, max, n > 0 ? sum / static_cast<int64_t>(n) : 0};
    }
    double min = -1, max = -1, sum = 0;
    for (size_t i = j; i + j < n; ++i) {
      const double v = g.samples[i].costPerKm;
      if (v > max) max = v;
      if (!(v >= 0)) continue;
      if (min < 0 || v < min) min = v;
      sum += v;
    }
    st.costPerKm = TRealStat{min, max, n > 0 ? sum / static_cast<double>(n) : 0};
  }
  std::erase_if(groups_, [&](const TGroup& g) { return g.stats.count < minimumCount; });
  byKey_.clear();
}

bool CGroupList::GetGroup(size_t index, std::string& name, TGroupStats& stats) const {
  if (index >= groups_.size()) return false;
  name = groups_[index].name;
  stats = groups_[index].stats;
  return true;
}

void CGroupList::Sort(size_t column, bool descending) {
  if (column >= VehicleStatColumns().size()) return;
  std::stable_sort(groups_.begin(), groups_.end(), [&](const TGroup& a, const TGroup& b) {
    if (column == 0) {
      const int c = CzechCompare(a.name, b.name);
      return descending ? c > 0 : c < 0;
    }
    bool missingA, missingB;
    const double va = SortValue(a, column, missingA), vb = SortValue(b, column, missingB);
    if (missingA || missingB) return !missingA && missingB;
    return descending ? va > vb : va < vb;
  });
}

bool ComputeVehicleStatistics(TCustomCarDb& cars, TCustomRecDb& records, const TCatalogue& catalogue, int grouping,
                              int percentage, int minimumCount, TDateTime today, CGroupList& result,
                              const TVehicleStatProgress& progress) {
  // Concern names looked up once per make; the list keeps the lookup.
  auto concerns = std::make_shared<std::unordered_map<std::string, std::string>>();
  result = CGroupList(grouping, [catalogue, concerns](const std::string& make) {
    auto [it, added] = concerns->try_emplace(FoldWithoutBlanks(make));
    if (added) it->second = ConcernNameOfMake(catalogue, make);
    return it->second;
  });
  const int recordSlots = records.Count(), carSlots = cars.Count();
  const int total = recordSlots + carSlots;

  std::unordered_map<int32_t, TRecordTotals> totals;
  totals.reserve(static_cast<size_t>(carSlots));
  std::string bytes;
  TzaznamDb db;
  for (int slot = 0; slot < recordSlots; ++slot) {
    if (progress && (slot & 8191) == 0 && !progress(slot, total)) return false;
    const int32_t carID = records.CarIDAt(slot);
    if (carID < 0) continue;
    auto [it, added] = totals.try_emplace(carID);
    TRecordTotals& t = it->second;
    if (added) t.firstDate = today;  // only earlier dates lower it
    if (!records.ReadSlot(slot, bytes) || bytes.size() < static_cast<size_t>(kRecordWidth)) {
      t.unreadable = true;
      continue;
    }
    DecodeRecord(Bytes(bytes), db);
    ++t.records;
    t.lastKm = db.km;
    if (db.kind != kKindDone) continue;
    t.material = SaturatingAdd(t.material, RoundToInt64(db.priceMat));
    t.labour = SaturatingAdd(t.labour, RoundToInt64(db.priceWrk));
    if (db.km >= 0) {
      t.minKm = std::min(t.minKm, db.km);
      t.maxKm = std::max(t.maxKm, db.km);
    }
    if (db.date < t.firstDate) t.firstDate = db.date;
    if (db.date > t.lastDate) t.lastDate = db.date;
  }

  Tautomobil v;
  for (int slot = 0; slot < carSlots; ++slot) {
    if (progress && (slot & 1023) == 0 && !progress(recordSlots + slot, total)) return false;
    if (!cars.ReadSlot(slot, bytes) || bytes.size() < static_cast<size_t>(kVehicleWidth)) continue;
    DecodeVehicle(Bytes(bytes), v);
    if (v.ID < 0 || v.year == 0) continue;
    auto it = totals.find(v.ID);
    if (it != totals.end() && it->second.unreadable) continue;  // its records cannot be loaded
    result.AddVehicle(v, SampleOf(v, it == totals.end() ? nullptr : &it->second));
  }
  result.Compute(percentage, minimumCount);
  result.Sort(0, false);
  if (progress) progress(total, total);
  return true;
}

const std::vector<std::string>& VehicleStatColumns() {
  static const std::vector<std::string> columns = {
      "Skupina",   "Počet",     "Vyloučeno", "minKm",       "maxKm",       "avgKm",       "min r.v.",
      "max r.v.",  "avg r.v.",  "min km/r",  "max km/r",    "avg km/r",    "min záznamů", "max záznamů",
      "avg záznamů", "min mat", "max mat",   "avg mat",     "min práce",   "max práce",   "avg práce",
      "min sum",   "max sum",   "avg sum",   "min kč/km",   "max kč/km",   "avg kč/km"};
  return columns;
}

std::string VehicleStatCell(const TGroup& g, size_t column) {
  if (column == 0) return g.name;
  if (column == 1) return std::to_string(g.stats.count);
  if (column == 2) return std::to_string(g.stats.excluded);
  if (column >= VehicleStatColumns().size()) return "";
  const size_t m = (column - 3) / 3, which = (column - 3) % 3;
  if (m < kIntegerMeasures) {
    const TIntegerStat& s = g.stats.measures[m];
    return IntegerText(which == 0 ? s.min : which == 1 ? s.max : s.avg);
  }
  const TRealStat& s = g.stats.costPerKm;
  return CostPerKmText(which == 0 ? s.min : which == 1 ? s.max : s.avg);
}

std::string CostPerKmText(double value) {
  if (!(value >= 0) || !std::isfinite(value)) return "-";
  // Three significant digits first; the exponent then decides the form.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2e", value);
  std::string s = buf;
  const size_t e = s.find('e');
  const int exponent = std::atoi(s.c_str() + e + 1);
  std::string out;
  if (exponent >= 3) {
    std::string mantissa = s.substr(0, e);
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%03d", exponent);
    out = mantissa + exp;
  } else {
    std::snprintf(buf, sizeof buf, "%.3f", std::strtod(s.c_str(), nullptr));
    out = buf;
  }
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

uint32_t VehicleStatCellColour(size_t column, size_t row) {
  static const uint32_t kMeasureTints[] = {0xFFFFD0, 0xD0FFD0, 0xD0FFFF, 0xE0E0FF,
                                           0xDFA0A0, 0xA0DFA0, 0xDFDFA0, 0xA0FFFF};
  uint32_t c = 0xFFFFFF;
  if (column == 1) c = 0xD0FFD0;
  else if (column == 2) c = 0xD0D0FF;
  else if (column >= 3 && column < VehicleStatColumns().size()) c = kMeasureTints[(column - 3) / 3];
  if (row % 4 != 3) return c;
  uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const double component = ((c >> shift) & 0xFF) * 0.8;
    out |= static_cast<uint32_t>(std::nearbyint(component)) << shift;
  }
  return out;
}

bool ParseVehicleStatSetup(const std::string& best, const std::string& worst, const std::string& minimumCount,
                           TVehicleStatSetup& setup) {
  const std::string b = TrimBlanks(best), w = TrimBlanks(worst), m = TrimBlanks(minimumCount);
  if (!IsInteger(b) || !IsInteger(w) || !IsInteger(m)) return false;
  const long long vb = ParseInteger(b, -1), vw = ParseInteger(w, -1), vm = ParseInteger(m, -1);
  if (vb < 0 || vb > 99 || vw < 0 || vb + vw > 99 || vm < 0 || vm > 1000000) return false;
  setup = TVehicleStatSetup{static_cast<int>(vb), static_cast<int>(vw), static_cast<int>(vm)};
  return true;
}
