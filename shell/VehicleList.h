#pragma once
// The vehicle list of the main window without its widgets: columns, rows,
// the filter (search text, last-service period, archived vehicles) and the
// sort order. The window and `garvelctl list` both show this list.

#include <array>
#include <functional>
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
// Plates: "-" counts as a blank, then folded, blanks removed and compared
// letter by letter without regard to case (no Czech "CH").
int ComparePlates(const std::string& a, const std::string& b);

// The list keeps a copy of every vehicle row read from the stores, so that a
// search keystroke never reads the stores. Whatever changes vehicles or
// contacts elsewhere tells the list (RefreshVehicle, RefreshOwner, Reload),
// and a change of period, archive box or sort column reads the stores again.
class TVehicleList {
 public:
  using TClock = std::function<TDateTime()>;

  TVehicleList();

  // Attaches the stores (they must outlive the list) and the clock that says
  // which day it is at each refill, then reads every vehicle with its owner's
  // display name and fills the list through the filter, sorted. Vehicles
  // that cannot be read are left out.
  void Load(TCustomCarDb& cars, TCustomDb* customers, TClock today);
  // Reads the attached stores again and fills the list.
  void Reload();
  // A new filter. Characters added at the end of the search text only narrow
  // the shown rows; another change of the search text refills from what was
  // read; a change of period or archive box reads the stores again.
  void SetFilter(const TVehicleFilter& filter);
  // A click on column `index`: the first column toggles the direction; any
  // other becomes the first column (with its width), ascending, and the list
  // is read again.
  void ClickColumn(int index);
  // Sort by the column with this caption (as ClickColumn); false if none.
  bool SortByCaption(const std::string& caption, bool descending);
  // A width the user gave a column (kept through sorts and refills).
  void SetColumnWidth(int index, int width);

  const std::vector<TVehicleColumn>& Columns() const { return columns_; }
  const std::vector<TVehicleRow>& Rows() const { return rows_; }
  const TVehicleFilter& Filter() const { return filter_; }
  bool Descending() const { return descending_; }
  // Index of the shown row of a vehicle, or -1.
  int RowOfVehicle(int32_t vehicleID) const;

  // A vehicle just added: shown whatever the filter until the next refill.
  // False when it cannot be read.
  bool ShowNewVehicle(int32_t vehicleID);
  // A vehicle changed or erased elsewhere: its row is read again. A shown
  // row stays shown with its new values; a hidden one is shown when it now
  // passes the filter; an erased one goes.
  void RefreshVehicle(int32_t vehicleID);
  // A contact changed or deleted elsewhere: the rows of the vehicles it owned
  // are read again (a deleted owner's vehicles now have none).
  void RefreshOwner(int32_t contactID);
  void RemoveVehicle(int32_t vehicleID);

 private:
  bool ReadRow(int32_t vehicleID, TVehicleRow& row);
  std::string OwnerName(int32_t ownerID);
  void Refilter();
  void Sort();
  // Replaces or adds the row in the copy; `show` adds it to the shown rows.
  void PutRow(const TVehicleRow& row, bool show);
  bool RefreshOne(int32_t vehicleID);

  std::vector<TVehicleColumn> columns_;
  std::vector<TVehicleRow> all_;
  std::vector<TVehicleRow> rows_;
  TVehicleFilter filter_;
  bool descending_ = false;
  TCustomCarDb* cars_ = nullptr;
  TCustomDb* customers_ = nullptr;
  TClock today_;
};
