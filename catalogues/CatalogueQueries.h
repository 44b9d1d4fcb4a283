#pragma once
// Look-ups in the vehicle catalogue, for the new-vehicle window, the VIN
// manager and the statistics.
//
// Every query walks the store's slots in slot order, skipping free slots and
// records that cannot be read. Names are equal when their FoldText forms are
// equal (Škoda = SKODA = skoda); an empty name is never found. A missing store
// reads as empty. The name lists hold the raw names in slot order; a list
// control sorts them itself.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogues/CatalogueStores.h"

using TNameList = std::vector<std::string>;

// Each list is cleared first.
void ListConcernNames(const TCatalogue& catalogue, TNameList& list);
void ListManufacturerNames(const TCatalogue& catalogue, TNameList& list);
// Models whose manufacturer link is the ID (nothing for a negative ID).
void ListModelNames(const TCatalogue& catalogue, TNameList& list, int32_t manufacturerID);
// When the manufacturer can be read: engines linked to it, and engines whose
// concern link is its concern (only when it has one).
void ListEngineNames(const TCatalogue& catalogue, TNameList& list, int32_t manufacturerID);
// Subtypes whose model link is the ID (nothing for a negative ID).
void ListSubTypeNames(const TCatalogue& catalogue, TNameList& list, int32_t modelID);

// IDs of the first entry with an equal name, or -1.
int32_t FindConcernByName(const TCatalogue& catalogue, const std::string& name);
int32_t FindManufacturerByName(const TCatalogue& catalogue, const std::string& name);
// Among the models of the manufacturer (-1 for a negative ID).
int32_t FindModelByName(const TCatalogue& catalogue, int32_t manufacturerID, const std::string& name);
// Among the subtypes of the model (-1 for a negative ID).
int32_t FindSubTypeByName(const TCatalogue& catalogue, int32_t modelID, const std::string& name);
// Among the engines linked to the manufacturer or to the concern; a negative
// ID links nothing, so with both negative nothing is found.
int32_t FindEngineByName(const TCatalogue& catalogue, int32_t concernID, int32_t manufacturerID,
                         const std::string& name);

struct TMakeAndModel {
  int32_t manufacturer = -1;  // the LAST manufacturer in slot order with the name
  int32_t concern = -1;       // that manufacturer's concern link
  int32_t model = -1;         // its first model with the model name
};
// The model is looked for only when a manufacturer was found and the model
// name is not empty.
TMakeAndModel FindMakeAndModel(const TCatalogue& catalogue, const std::string& make, const std::string& model);

// The comparison every look-up uses.
bool SameCatalogueName(const std::string& a, const std::string& b);
