#include "catalogues/CatalogueAdd.h"

#include <limits>

#include "catalogues/CatalogueQueries.h"
#include "storage/Coding.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"

namespace {

constexpr const char* kAddFailed = "Nepodařilo se vložit záznam do DB.";

std::string Refuse(const char* message) {
  ShowMessage("Chyba", message, TMsgIcon::Error);
  return "";
}

template <typename R>
std::string Store(TCustomDb* store, R& record, const std::string& name, const char* what) {
  if (!CreateCatalogueRecord(store, record)) return Refuse(kAddFailed);
  LogTrace(1, std::string("Add ") + what + " ID#" + std::to_string(record.ID) + " " + record.name);
  return name;
}

}  // namespace

std::string AddManufacturerEntry(const TCatalogue& c, const TNewManufacturer& in) {
  if (in.name.empty()) return in.name;
  if (FindManufacturerByName(c, in.name) >= 0) return Refuse("Výrobce již v databázi existuje.");
  TManufacturerRecord r;
  InitManufacturer(r);
  r.name = TruncateChars(in.name, 31);
  r.country = TruncateChars(in.country, 31);
  r.url = TruncateChars(in.url, 255);
  r.concern = FindConcernByName(c, in.concernName);
  return Store(c.manufacturers, r, in.name, "manufacturer");
}

std::string AddModelEntry(const TCatalogue& c, const TNewModel& in) {
  if (in.name.empty()) return in.name;
  if (FindModelByName(c, in.manufacturerID, in.name) >= 0) return Refuse("Model již v databázi existuje.");
  TModelRecord r;
  InitModel(r);
  r.manufacturer = in.manufacturerID;
  r.name = TruncateChars(in.name, 31);
  r.url = TruncateChars(in.url, 255);
  return Store(c.models, r, in.name, "model");
}

std::string AddEngineEntry(const TCatalogue& c, const TNewEngine& in) {
  if (in.name.empty()) return in.name;
  if (FindEngineByName(c, in.concernID, in.manufacturerID, in.name) >= 0)
    return Refuse("Motor již v databázi existuje.");
  TEngineRecord r;
  InitEngine(r);
  r.manufacturer = in.manufacturerID;
  r.name = TruncateChars(in.name, 31);
  r.url = TruncateChars(in.url, 255);
  r.fuel = in.fuel;
  r.displacement = in.displacement;
  r.concern = in.concernID;
  return Store(c.engines, r, in.name, "engine");
}

int32_t ProposedFuel(const std::string& name) {
  return name.find_first_of("dD") != std::string::npos ? kFuelDiesel : kFuelPetrol;
}

bool ParseWholeNumber32(const std::string& text, int32_t& value) {
  if (!IsInteger(text)) return false;
  long long v = ParseInteger(text, 0);
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool ParseDisplacement(const std::string& text, int32_t& value) {
  return ParseWholeNumber32(text.empty() ? "-1" : text, value);
}
