#include "shell/VehicleList.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "catalogues/ContactRecord.h"
#include "storage/CarDb.h"
#include "storage/Codec.h"
#include "storage/Collation.h"
#include "storage/TextUtils.h"

namespace {

std::string TruncateCharsUtf8(const std::string& text, size_t maxChars) {
  size_t i = 0, n = 0;
  while (i < text.size() && n < maxChars) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
    i = std::min(text.size(), i + len);
    ++n;
  }
  return text.substr(0, i);
}

std::string CutToChars(const std::string& text, size_t maxChars) {
  return Utf8Length(text) <= maxChars ? text : TruncateCharsUtf8(text, maxChars);
}

std::string LastServiceText(TDateTime date) {
  if (date <= 0) return "";
  TDateParts d = DecodeDate(date);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d-%02d-%02d", d.year, d.month, d.day);
  return buf;
}

std::string IdText(int32_t id) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d", id);
  return buf;
}

long YearKey(const std::string& text) {
  if (text == "?" || text.empty()) return 0;
  size_t slash = text.find('/');
  if (slash == std::string::npos) return std::atol(text.c_str()) * 13;
  return std::atol(text.c_str() + slash + 1) * 13 + std::atol(text.c_str());
}

std::string PlateKey(const std::string& plate) {
  std::string t = plate;
  std::replace(t.begin(), t.end(), '-', ' ');
  return FoldWithoutBlanks(t);
}

}  // namespace

std::vector<TVehicleColumn> InitialVehicleColumns() {
  return {
      {"Majitel", kTagOwner, -2},   {"Značka, typ", kTagMakeModel, 180}, {"Motor", kTagEngine, 140},
      {"Rok výroby", kTagYear, -1}, {"RZ", kTagPlate, 85},               {"ID", kTagID, -1},
      {"Posl.servis", kTagLastService, 80}, {"customerID", kTagOwnerID, 0}, {"VIN", kTagVin, 0},
  };
}

const std::vector<TPeriodChoice>& PeriodChoices() {
  static const std::vector<TPeriodChoice> choices = {
      {"nehraje roli", 100000}, {"2 dny", 2},      {"týden", 7},   {"2 týdny", 14}, {"měsíc", 31},
      {"3 měsíce", 93},         {"6 měsíců", 186}, {"rok", 366},   {"3 roky", 1096},
  };
  return choices;
}

std::string MakeModelText(const Tautomobil& v) {
  std::string text = CutToChars(v.manufacturer, 63);
  text = CutToChars(text + " " + v.model, 127);
  text = CutToChars(text + " ", 128);
  return CutToChars(text + v.subtype, 191);
}

const std::string& TVehicleRow::Value(int tag) const {
  static const std::string kError = "Chyba";
  return tag >= 0 && tag < kTagCount ? values[static_cast<size_t>(tag)] : kError;
}

TVehicleRow MakeVehicleRow(const Tautomobil& v) {
  TVehicleRow row;
  row.vehicleID = v.ID;
  row.ownerID = v.ownerID;
  row.lastService = v.lastService;
  row.archived = v.IsArchived();
  row.values[kTagPlate] = v.tag;
  row.values[kTagMakeModel] = MakeModelText(v);
  row.values[kTagEngine] = v.engine;
  row.values[kTagOwner] = v.ownerName;
  row.values[kTagYear] = YearText(v);
  row.values[kTagID] = IdText(v.ID);
  row.values[kTagLastService] = LastServiceText(v.lastService);
  row.values[kTagOwnerID] = std::to_string(v.ownerID);
  row.values[kTagVin] = v.vin;
  row.foldedSearch = {FoldText(row.values[kTagOwner]), FoldText(row.values[kTagMakeModel]),
                      FoldText(row.values[kTagEngine]), FoldText(row.values[kTagVin])};
  row.plateLetters = LettersAndDigits(FoldText(row.values[kTagPlate]));
  return row;
}

bool MatchesSearch(const TVehicleRow& row, const std::string& search) {
  if (search.empty()) return true;
  const std::string needle = FoldText(search);
  for (const std::string& folded : row.foldedSearch)
    if (folded.find(needle) != std::string::npos) return true;
  const std::string letters = LettersAndDigits(needle);
  return !letters.empty() && row.plateLetters.find(letters) != std::string::npos;
}

bool PassesFilter(const TVehicleRow& row, const TVehicleFilter& filter, TDateTime today) {
  if (today - filter.periodDays > row.lastService) return false;
  if (row.archived && !filter.showArchived) return false;
  return MatchesSearch(row, filter.search);
}

int CompareVehicleRows(const TVehicleRow& a, const TVehicleRow& b, int tag) {
  switch (tag) {
    case kTagPlate: return ComparePlates(a.Value(tag), b.Value(tag));
    case kTagYear: {
      long x = YearKey(a.Value(tag)), y = YearKey(b.Value(tag));
      return x < y ? -1 : x > y ? 1 : 0;
    }
    case kTagID: return a.vehicleID < b.vehicleID ? -1 : a.vehicleID > b.vehicleID ? 1 : 0;
    default: return CzechCompare(a.Value(tag), b.Value(tag));
  }
}

int ComparePlates(const std::string& a, const std::string& b) {
  // The folded keys are upper case already; a byte order keeps "CH" between
  // "CG" and "CI", as the plates are letters and digits, not words.
  return PlateKey(a).compare(PlateKey(b));
}

TVehicleList::TVehicleList() : columns_(InitialVehicleColumns()) {}

void TVehicleList::Load(TCustomCarDb& cars, TCustomDb* customers, TClock today) {
  cars_ = &cars;
  customers_ = customers;
  today_ = std::move(today);
  Reload();
}

std::string TVehicleList::OwnerName(int32_t ownerID) {
  std::string bytes;
  if (!customers_ || ownerID < 0 || !customers_->ReadRecord(ownerID, bytes)) return "";
  TContactRecord c;
  DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
  return CustomerDisplayName(c);
}

bool TVehicleList::ReadRow(int32_t vehicleID, TVehicleRow& row) {
  Tautomobil v;
  if (!cars_ || vehicleID < 0 || !cars_->LoadCar(vehicleID, v)) return false;
  v.ownerName = OwnerName(v.ownerID);
  row = MakeVehicleRow(v);
  return true;
}

void TVehicleList::Reload() {
  all_.clear();
  if (cars_) {
    all_.reserve(static_cast<size_t>(cars_->Count()));
    // An owner of several vehicles is read once per refill.
    std::unordered_map<int32_t, std::string> owners;
    for (int slot = 0; slot < cars_->Count(); ++slot) {
      int32_t id = cars_->IDAt(slot);
      Tautomobil v;
      if (id < 0 || !cars_->LoadCar(id, v)) continue;
      auto it = owners.find(v.ownerID);
      if (it == owners.end()) it = owners.emplace(v.ownerID, OwnerName(v.ownerID)).first;
      v.ownerName = it->second;
      all_.push_back(MakeVehicleRow(v));
    }
  }
  Refilter();
}

void TVehicleList::Refilter() {
  const TDateTime today = today_ ? today_() : Today();
  rows_.clear();
  for (const TVehicleRow& row : all_)
    if (PassesFilter(row, filter_, today)) rows_.push_back(row);
  Sort();
}

void TVehicleList::SetFilter(const TVehicleFilter& filter) {
  const bool sameBoxes = filter.periodDays == filter_.periodDays && filter.showArchived == filter_.showArchived;
  const bool narrowing = sameBoxes && filter.search.size() > filter_.search.size() &&
                         filter.search.compare(0, filter_.search.size(), filter_.search) == 0;
  filter_ = filter;
  if (!sameBoxes) {
    Reload();
  } else if (!narrowing) {
    Refilter();
  } else {
    // Rows are tested again with their shown values and never added back.
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                               [&](const TVehicleRow& r) { return !MatchesSearch(r, filter_.search); }),
                rows_.end());
  }
}

void TVehicleList::Sort() {
  const int tag = columns_[0].tag;
  std::stable_sort(rows_.begin(), rows_.end(), [&](const TVehicleRow& a, const TVehicleRow& b) {
    int c = CompareVehicleRows(a, b, tag);
    return descending_ ? c > 0 : c < 0;
  });
}

void TVehicleList::ClickColumn(int index) {
  if (index < 0 || index >= static_cast<int>(columns_.size())) return;
  if (index == 0) {
    descending_ = !descending_;
    Sort();
    return;
  }
  std::swap(columns_[0], columns_[static_cast<size_t>(index)]);
  descending_ = false;
  Reload();
}

bool TVehicleList::SortByCaption(const std::string& caption, bool descending) {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].caption != caption) continue;
    if (i != 0) ClickColumn(static_cast<int>(i));
    if (descending_ != descending) ClickColumn(0);
    return true;
  }
  return false;
}

void TVehicleList::SetColumnWidth(int index, int width) {
  if (index < 0 || index >= static_cast<int>(columns_.size()) || width <= 0) return;
  TVehicleColumn& c = columns_[static_cast<size_t>(index)];
  if (c.width > 0 || c.width == -1) c.width = width;  // a hidden or filling column keeps its kind
}

int TVehicleList::RowOfVehicle(int32_t vehicleID) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].vehicleID == vehicleID) return static_cast<int>(i);
  return -1;
}

void TVehicleList::PutRow(const TVehicleRow& row, bool show) {
  auto same = [&](const TVehicleRow& r) { return r.vehicleID == row.vehicleID; };
  auto it = std::find_if(all_.begin(), all_.end(), same);
  if (it == all_.end()) all_.push_back(row);
  else *it = row;
  auto shown = std::find_if(rows_.begin(), rows_.end(), same);
  if (shown != rows_.end()) *shown = row;
  else if (show) rows_.push_back(row);
}

bool TVehicleList::ShowNewVehicle(int32_t vehicleID) {
  TVehicleRow row;
  if (!ReadRow(vehicleID, row)) return false;
  PutRow(row, true);
  Sort();
  return true;
}

bool TVehicleList::RefreshOne(int32_t vehicleID) {
  TVehicleRow row;
  if (!ReadRow(vehicleID, row)) {
    RemoveVehicle(vehicleID);
    return false;
  }
  PutRow(row, PassesFilter(row, filter_, today_ ? today_() : Today()));
  return true;
}

void TVehicleList::RefreshVehicle(int32_t vehicleID) {
  RefreshOne(vehicleID);
  Sort();
}

void TVehicleList::RefreshOwner(int32_t contactID) {
  if (contactID < 0) return;
  std::vector<int32_t> owned;
  for (const TVehicleRow& r : all_)
    if (r.ownerID == contactID) owned.push_back(r.vehicleID);
  for (int32_t id : owned) RefreshOne(id);
  Sort();
}

void TVehicleList::RemoveVehicle(int32_t vehicleID) {
  auto gone = [&](const TVehicleRow& r) { return r.vehicleID == vehicleID; };
  all_.erase(std::remove_if(all_.begin(), all_.end(), gone), all_.end());
  rows_.erase(std::remove_if(rows_.begin(), rows_.end(), gone), rows_.end());
}
