#pragma once
// What the three add dialogs do once the user has confirmed them: refuse a
// duplicate, build the record and add it to its store.
//
// Each returns the name that was added, or an empty string when nothing was
// added. An empty name is returned as it is, without a message. A duplicate
// ("Výrobce/Model/Motor již v databázi existuje.") and a failed add
// ("Nepodařilo se vložit záznam do DB.") are shown with caption "Chyba" and
// the error icon.

#include <cstdint>
#include <string>

#include "catalogues/CatalogueStores.h"

struct TNewManufacturer {
  std::string concernName;  // the chosen concern; empty or unknown: no concern
  std::string name;
  std::string country;
  std::string url;
};
std::string AddManufacturerEntry(const TCatalogue& catalogue, const TNewManufacturer& input);

struct TNewModel {
  int32_t manufacturerID = -1;
  std::string name;
  std::string url;
};
std::string AddModelEntry(const TCatalogue& catalogue, const TNewModel& input);

struct TNewEngine {
  int32_t concernID = -1;
  int32_t manufacturerID = -1;
  std::string name;
  int32_t displacement = -1;  // cm3, -1 unknown
  int32_t fuel = kFuelPetrol;
  std::string url;
};
std::string AddEngineEntry(const TCatalogue& catalogue, const TNewEngine& input);

// The fuel the add-engine dialog proposes: diesel when the name holds the
// letter "D" in either case ("1.9 TDi"), else petrol ("1.6i").
int32_t ProposedFuel(const std::string& engineName);

// The displacement field: empty means -1; otherwise a whole decimal number
// (32 bits). False for anything else; the dialog then shows
// kDisplacementError and stays open.
bool ParseDisplacement(const std::string& text, int32_t& value);
inline constexpr const char* kDisplacementError = "Objem motoru musí být celé číslo.";
// The same for the manager's displacement box, where empty is not a number.
bool ParseWholeNumber32(const std::string& text, int32_t& value);

// Preset of the web-page field of the dialogs.
inline constexpr const char* kUrlPreset = "http://";
