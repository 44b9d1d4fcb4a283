#include "servicebook/DuplicateVehicles.h"

#include <vector>

#include "storage/CarDb.h"
#include "storage/TextUtils.h"

namespace {

constexpr int kSlotsPerRead = 256;

// Walks the stored vehicles (erased slots and the excepted one skipped) in
// runs of consecutive slots, one read per run, until `match` says yes.
template <typename Match>
bool AnyVehicle(TCustomCarDb& cars, int32_t exceptID, Match match) {
  std::vector<int> slots;
  std::vector<std::string> records;
  std::vector<bool> ok;
  Tautomobil v;
  for (int first = 0; first < cars.Count(); first += kSlotsPerRead) {
    slots.clear();
    for (int s = first; s < cars.Count() && s < first + kSlotsPerRead; ++s) {
      const int32_t id = cars.IDAt(s);
      if (id >= 0 && id != exceptID) slots.push_back(s);
    }
    cars.ReadSlots(slots, records, ok);
    for (size_t i = 0; i < slots.size(); ++i) {
      if (!ok[i]) continue;
      DecodeVehicle(reinterpret_cast<const uint8_t*>(records[i].data()), v);
      if (match(v)) return true;
    }
  }
  return false;
}

}  // namespace

std::string DuplicateKey(const std::string& text) { return LettersAndDigits(FoldText(text)); }

bool TagExists(TCustomCarDb& cars, const std::string& tag, int32_t exceptID) {
  const std::string key = DuplicateKey(tag);
  if (key.empty()) return false;
  return AnyVehicle(cars, exceptID, [&](const Tautomobil& v) { return DuplicateKey(v.tag) == key; });
}

bool VINExists(TCustomCarDb& cars, const std::string& vin, int32_t exceptID) {
  const std::string key = DuplicateKey(vin);
  if (key.empty()) return false;
  return AnyVehicle(cars, exceptID, [&](const Tautomobil& v) { return DuplicateKey(v.vin) == key; });
}
