#pragma once
// The vehicle statistics: vehicles grouped by concern, make, model, model
// variant or model and engine, with the count and the minimum, maximum and
// average of eight measures per group. Sums and products are 64-bit, so a
// mistyped odometer cannot overflow them; a measure without any value is
// "missing" (negative), shown as "-" and sorted last.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalogues/CatalogueStores.h"
#include "storage/DateTime.h"

class TCustomCarDb;
class TCustomRecDb;
struct Tautomobil;

enum : int { kGroupConcern = 0, kGroupMake = 1, kGroupModel = 2, kGroupVariant = 3, kGroupEngine = 4 };
inline constexpr int kDefaultVehicleGrouping = kGroupModel;
inline constexpr int kDefaultMinimumCount = 10;

// The measures of one vehicle; a negative value means "no value".
struct TVehicleSample {
  int64_t km = -1;         // of its last record in store order
  int64_t year = 0;
  int64_t kmPerYear = -1;
  int64_t records = 0;     // of all kinds
  int64_t material = 0;    // DONE records, each price rounded first
  int64_t labour = 0;
  int64_t total = 0;
  double costPerKm = -1;
};
inline constexpr size_t kIntegerMeasures = 7;  // km .. total

struct TIntegerStat {
  int64_t min = -1, max = -1, avg = 0;  // -1: no vehicle had a value
};
struct TRealStat {
  double min = -1, max = -1, avg = 0;
};

struct TGroupStats {
  int count = 0;
  int excluded = 0;
  std::array<TIntegerStat, kIntegerMeasures> measures;
  TRealStat costPerKm;
};

struct TGroup {
  std::string name;  // as the first vehicle spells it
  std::vector<TVehicleSample> samples;
  TGroupStats stats;
};

// The name a vehicle is grouped under. `concernOf` gives the concern name of
// a make, or "" when the catalogue does not know it (concern grouping only).
std::string VehicleGroupName(int grouping, const Tautomobil& vehicle,
                             const std::function<std::string(const std::string&)>& concernOf);
// The concern of a make through the catalogue: the make by name, its
// record, its concern's record; "" when a step fails.
std::string ConcernNameOfMake(const TCatalogue& catalogue, const std::string& make);

class CGroupList {
 public:
  explicit CGroupList(int grouping, std::function<std::string(const std::string&)> concernOf = {})
      : grouping_(grouping), concernOf_(std::move(concernOf)) {}

  // Groups are the same when their names fold to the same text without
  // blanks (Škoda, ŠKODA and "S koda" are one group).
  void AddVehicle(const Tautomobil& vehicle, const TVehicleSample& sample);
  // Computes every group's stats from the samples at positions j..n−1−j
  // (j = n × percentage / 100, rounded), then drops the groups with fewer
  // vehicles than `minimumCount`.
  void Compute(int percentage, int minimumCount);
  // False past the end.
  bool GetGroup(size_t index, std::string& name, TGroupStats& stats) const;
  const std::vector<TGroup>& Groups() const { return groups_; }

  // Name ascending in Czech order, numbers by value; missing values last
  // either way. Stable.
  void Sort(size_t column, bool descending);

 private:
  int grouping_;
  std::function<std::string(const std::string&)> concernOf_;
  std::vector<TGroup> groups_;
  std::unordered_map<std::string, size_t> byKey_;
};

// Reports the vehicles read so far of all; false stops the computation.
using TVehicleStatProgress = std::function<bool(int done, int total)>;

// Every readable vehicle with a year, with the measures of its records
// (fixed parts only); vehicles whose records cannot all be read are left
// out. `today` starts the earliest date. False when stopped by `progress`.
bool ComputeVehicleStatistics(TCustomCarDb& cars, TCustomRecDb& records, const TCatalogue& catalogue,
                              int grouping, int percentage, int minimumCount, TDateTime today, CGroupList& result,
                              const TVehicleStatProgress& progress = {});

// The list: "Skupina", "Počet", "Vyloučeno", then min, max and avg of each
// measure.
const std::vector<std::string>& VehicleStatColumns();
std::string VehicleStatCell(const TGroup& group, size_t column);
// Three significant digits with three decimals ("2,460"), from 1000 on
// "1,23E003"; "-" when negative.
std::string CostPerKmText(double value);
// The tint of a cell (0x00BBGGRR), every fourth row darker.
uint32_t VehicleStatCellColour(size_t column, size_t row);

// The set-up dialog's fields; false for "Neplatné hodnoty".
struct TVehicleStatSetup {
  int best = 0, worst = 0, minimumCount = kDefaultMinimumCount;
};
bool ParseVehicleStatSetup(const std::string& best, const std::string& worst, const std::string& minimumCount,
                           TVehicleStatSetup& setup);
