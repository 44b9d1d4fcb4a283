#pragma once
// The vehicle list of the main window without its widgets: columns, rows,
// the filter (search text, last-service period, archived vehicles) and the
// sort order. The window and `garvelctl list` both show this list.

#include <array>
#include <string>
#include <vector>

#include "storage/Vehicle.h"

class TCustomCarDb;
class TCustomDb;

// Field tags: which value a column shows. They stay with their columns when
// the columns are reordered.
enum TVehicleTag : int {
  kTagPlate = 0,
  kTagMakeModel = 1,
  kTagEngine = 2,
  kTagOwner = 3,
  kTagYear = 4,
  kTagID = 5,
  kTagLastService = 6,
  kTagOwnerID = 7,
  kTagVin = 8,
  kTagCount = 9,
};

struct TVehicleColumn {
  std::string caption;
  int tag = 0;
  int width = -1;  // -1 default, 0 hidden, -2 fills the rest
};

// "Majitel", "Značka, typ", "Motor", "Rok výroby", "RZ", "ID", "Posl.servis",
// "customerID", "VIN".
std::vector<TVehicleColumn> InitialVehicleColumns();

// The nine entries of "Poslední servis" with their lengths in days.
struct TPeriodChoice {
  const char* caption;
  int days;
};
const std::vector<TPeriodChoice>& PeriodChoices();

// Make, model and subtype separated by blanks, each part cut so that the text
// stays within 63, 127, 128 and 191 characters in turn.
std::string MakeModelText(const Tautomobil& vehicle);

struct TVehicleRow {
  int32_t vehicleID = -1;
  int32_t ownerID = -1;
  std::array<std::string, kTagCount> values;  // by tag
  TDateTime lastService = 0;
  bool archived = false;
  // Folded owner, make text, engine and VIN, and the plate's letters and
  // digits, made once for the search.
  std::array<std::string, 4> foldedSearch;
  std::string plateLetters;

  const std::string& Value(int tag) const;
};

TVehicleRow MakeVehicleRow(const Tautomobil& vehicle);

struct TVehicleFilter {
  std::string search;
  int periodDays = 100000;
  bool showArchived = false;
};

// Period, then archive, then search (folded owner, make text, engine, VIN, or
// the plate reduced to letters and digits).
bool PassesFilter(const TVehicleRow& row, const TVehicleFilter& filter, TDateTime today);
// The search test alone, on the row's shown values.
bool MatchesSearch(const TVehicleRow& row, const std::string& search);

// Order of two rows by the column of `tag`: <0, 0 or >0.
int CompareVehicleRows(const TVehicleRow& a, const TVehicleRow& b, int tag);

class TVehicleList {
 public:
  TVehicleList();

  // Reads every vehicle with its owner's display name, then fills the list
  // through the filter and sorts it. Vehicles that cannot be read are left out.
  void Load(TCustomCarDb& cars, TCustomDb* customers, TDateTime today);
  // Fills the list again from what Load read.
  void Refill();
  // A new filter. Characters added at the end of the search text only narrow
  // the shown rows; any other change refills.
  void SetFilter(const TVehicleFilter& filter);
  // A click on column `index`: the first column toggles the direction; any
  // other becomes the first column, ascending, and the list is refilled.
  void ClickColumn(int index);
  // Sort by the column with this caption (as ClickColumn); false if none.
  bool SortByCaption(const std::string& caption, bool descending);

  const std::vector<TVehicleColumn>& Columns() const { return columns_; }
  const std::vector<TVehicleRow>& Rows() const { return rows_; }
  const TVehicleFilter& Filter() const { return filter_; }
  bool Descending() const { return descending_; }
  // Index of the shown row of a vehicle, or -1.
  int RowOfVehicle(int32_t vehicleID) const;
  // Adds or replaces one vehicle (after it was added or changed) and sorts.
  void UpdateVehicle(const Tautomobil& vehicle);
  void RemoveVehicle(int32_t vehicleID);

 private:
  void Sort();

  std::vector<TVehicleColumn> columns_;
  std::vector<TVehicleRow> all_;
  std::vector<TVehicleRow> rows_;
  TVehicleFilter filter_;
  bool descending_ = false;
  TDateTime today_ = 0;
};
