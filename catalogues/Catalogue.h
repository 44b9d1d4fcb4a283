#pragma once
// The vehicle catalogue: concerns, makes, models, engines and subtypes in
// five record stores, and the queries the vehicle window, the VIN manager
// and the statistics ask. Names are equal when their folded forms are equal
// (Škoda, SKODA and skoda); an empty name is never found. Queries walk the
// stores in slot order and skip free slots and unreadable records.

#include <string>
#include <vector>

#include "catalogues/CatalogueRecords.h"

class TCustomDb;
struct TStoreSet;

struct TCatalogue {
  TCustomDb* manufacturers = nullptr;
  TCustomDb* models = nullptr;
  TCustomDb* engines = nullptr;
  TCustomDb* concerns = nullptr;
  TCustomDb* subtypes = nullptr;

  static TCatalogue Of(TStoreSet& stores);
  bool Complete() const { return manufacturers && models && engines && concerns && subtypes; }
};

// Every readable record of a store, in slot order.
std::vector<TConcernRecord> ReadConcerns(TCustomDb& store);
std::vector<TManufacturerRecord> ReadManufacturers(TCustomDb& store);
std::vector<TModelRecord> ReadModels(TCustomDb& store);
std::vector<TEngineRecord> ReadEngines(TCustomDb& store);
std::vector<TSubTypeRecord> ReadSubTypes(TCustomDb& store);
bool ReadManufacturer(TCustomDb& store, int32_t id, TManufacturerRecord& record);

using TNameList = std::vector<std::string>;

void ListConcernNames(const TCatalogue& c, TNameList& list);
void ListManufacturerNames(const TCatalogue& c, TNameList& list);
void ListModelNames(const TCatalogue& c, TNameList& list, int32_t manufacturerID);
void ListEngineNames(const TCatalogue& c, TNameList& list, int32_t manufacturerID);
void ListSubTypeNames(const TCatalogue& c, TNameList& list, int32_t modelID);

int32_t FindConcernByName(const TCatalogue& c, const std::string& name);
int32_t FindManufacturerByName(const TCatalogue& c, const std::string& name);
int32_t FindModelByName(const TCatalogue& c, int32_t manufacturerID, const std::string& name);
int32_t FindSubTypeByName(const TCatalogue& c, int32_t modelID, const std::string& name);
int32_t FindEngineByName(const TCatalogue& c, int32_t concernID, int32_t manufacturerID, const std::string& name);

struct TMakeAndModel {
  int32_t manufacturerID = -1;  // the LAST make of that name in slot order
  int32_t concernID = -1;       // that make's concern link
  int32_t modelID = -1;         // the first model of that make with the name
};
TMakeAndModel FindMakeAndModel(const TCatalogue& c, const std::string& make, const std::string& model);

// The attachment folder of an entry: the attachment root, the tag and the ID
// left-padded with zeros to five digits ("attach\GRP00007").
std::string EntryAttachmentFolder(const std::string& attachRoot, const std::string& tag, int32_t id);
// The picture of an entry: among the *.JPG files of its folder (in listing
// order) the first whose upper-cased name holds LOGO or FOTO, else the last.
// A real path, or empty.
std::string FindEntryPicture(const std::string& attachRoot, const std::string& tag, int32_t id);

// The add operations behind the three add dialogs. Each returns the added
// name, or empty (after its message) when nothing was added.
std::string AddManufacturer(const TCatalogue& c, const std::string& concernName, const std::string& name,
                            const std::string& country, const std::string& url);
std::string AddModel(const TCatalogue& c, int32_t manufacturerID, const std::string& name, const std::string& url);
std::string AddEngine(const TCatalogue& c, int32_t concernID, int32_t manufacturerID, const std::string& name,
                      int32_t fuel, int32_t displacement, const std::string& url);
// The fuel proposed for an engine name: diesel when it holds a "D".
int32_t ProposedFuel(const std::string& engineName);
