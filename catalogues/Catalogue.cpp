#include "catalogues/Catalogue.h"

#include "shell/Stores.h"
#include "storage/Coding.h"
#include "storage/CustomDb.h"
#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

namespace {

template <typename R, typename Decode>
std::vector<R> ReadAll(TCustomDb& store, Decode decode) {
  std::vector<R> out;
  std::string bytes;
  for (int slot = 0; slot < store.Count(); ++slot) {
    int32_t id = store.IDAt(slot);
    if (id < 0 || !store.ReadRecord(id, bytes)) continue;
    R r;
    decode(reinterpret_cast<const uint8_t*>(bytes.data()), r);
    out.push_back(std::move(r));
  }
  return out;
}

bool SameName(const std::string& folded, const std::string& name) { return !name.empty() && FoldText(name) == folded; }

template <typename R, typename Encode>
bool Create(TCustomDb& store, R& record, int width, Encode encode) {
  std::string bytes(static_cast<size_t>(width), '\0');
  encode(record, reinterpret_cast<uint8_t*>(bytes.data()));
  if (!store.CreateRecord(bytes, "")) {
    ShowMessage("Chyba", "Nepodařilo se vložit záznam do DB.", TMsgIcon::Error);
    return false;
  }
  record.ID = DecodeInt32(reinterpret_cast<const uint8_t*>(bytes.data()));
  return true;
}

}  // namespace

TCatalogue TCatalogue::Of(TStoreSet& s) {
  return TCatalogue{s.manufacturers.get(), s.models.get(), s.engines.get(), s.concerns.get(), s.subtypes.get()};
}

std::vector<TConcernRecord> ReadConcerns(TCustomDb& s) { return ReadAll<TConcernRecord>(s, DecodeConcern); }
std::vector<TManufacturerRecord> ReadManufacturers(TCustomDb& s) {
  return ReadAll<TManufacturerRecord>(s, DecodeManufacturer);
}
std::vector<TModelRecord> ReadModels(TCustomDb& s) { return ReadAll<TModelRecord>(s, DecodeModel); }
std::vector<TEngineRecord> ReadEngines(TCustomDb& s) { return ReadAll<TEngineRecord>(s, DecodeEngine); }
std::vector<TSubTypeRecord> ReadSubTypes(TCustomDb& s) { return ReadAll<TSubTypeRecord>(s, DecodeSubType); }

bool ReadManufacturer(TCustomDb& store, int32_t id, TManufacturerRecord& record) {
  std::string bytes;
  if (id < 0 || !store.ReadRecord(id, bytes)) return false;
  DecodeManufacturer(reinterpret_cast<const uint8_t*>(bytes.data()), record);
  return true;
}

void ListConcernNames(const TCatalogue& c, TNameList& list) {
  list.clear();
  if (c.concerns)
    for (const auto& r : ReadConcerns(*c.concerns)) list.push_back(r.name);
}

void ListManufacturerNames(const TCatalogue& c, TNameList& list) {
  list.clear();
  if (c.manufacturers)
    for (const auto& r : ReadManufacturers(*c.manufacturers)) list.push_back(r.name);
}

void ListModelNames(const TCatalogue& c, TNameList& list, int32_t manufacturerID) {
  list.clear();
  if (manufacturerID < 0 || !c.models) return;
  for (const auto& r : ReadModels(*c.models))
    if (r.manufacturer == manufacturerID) list.push_back(r.name);
}

void ListEngineNames(const TCatalogue& c, TNameList& list, int32_t manufacturerID) {
  list.clear();
  TManufacturerRecord make;
  if (!c.manufacturers || !c.engines || !ReadManufacturer(*c.manufacturers, manufacturerID, make)) return;
  for (const auto& r : ReadEngines(*c.engines))
    if (r.manufacturer == manufacturerID || (make.concern >= 0 && r.concern == make.concern)) list.push_back(r.name);
}

void ListSubTypeNames(const TCatalogue& c, TNameList& list, int32_t modelID) {
  list.clear();
  if (modelID < 0 || !c.subtypes) return;
  for (const auto& r : ReadSubTypes(*c.subtypes))
    if (r.model == modelID) list.push_back(r.name);
}

int32_t FindConcernByName(const TCatalogue& c, const std::string& name) {
  if (name.empty() || !c.concerns) return -1;
  const std::string folded = FoldText(name);
  for (const auto& r : ReadConcerns(*c.concerns))
    if (SameName(folded, r.name)) return r.ID;
  return -1;
}

int32_t FindManufacturerByName(const TCatalogue& c, const std::string& name) {
  if (name.empty() || !c.manufacturers) return -1;
  const std::string folded = FoldText(name);
  for (const auto& r : ReadManufacturers(*c.manufacturers))
    if (SameName(folded, r.name)) return r.ID;
  return -1;
}

int32_t FindModelByName(const TCatalogue& c, int32_t manufacturerID, const std::string& name) {
  if (manufacturerID < 0 || name.empty() || !c.models) return -1;
  const std::string folded = FoldText(name);
  for (const auto& r : ReadModels(*c.models))
    if (r.manufacturer == manufacturerID && SameName(folded, r.name)) return r.ID;
  return -1;
}

int32_t FindSubTypeByName(const TCatalogue& c, int32_t modelID, const std::string& name) {
  if (modelID < 0 || name.empty() || !c.subtypes) return -1;
  const std::string folded = FoldText(name);
  for (const auto& r : ReadSubTypes(*c.subtypes))
    if (r.model == modelID && SameName(folded, r.name)) return r.ID;
  return -1;
}

int32_t FindEngineByName(const TCatalogue& c, int32_t concernID, int32_t manufacturerID, const std::string& name) {
  if ((concernID < 0 && manufacturerID < 0) || name.empty() || !c.engines) return -1;
  const std::string folded = FoldText(name);
  for (const auto& r : ReadEngines(*c.engines)) {
    bool linked = (manufacturerID >= 0 && r.manufacturer == manufacturerID) || (concernID >= 0 && r.concern == concernID);
    if (linked && SameName(folded, r.name)) return r.ID;
  }
  return -1;
}

TMakeAndModel FindMakeAndModel(const TCatalogue& c, const std::string& make, const std::string& model) {
  TMakeAndModel result;
  if (make.empty() || !c.manufacturers) return result;
  const std::string folded = FoldText(make);
  for (const auto& r : ReadManufacturers(*c.manufacturers)) {
    if (!SameName(folded, r.name)) continue;
    result.manufacturerID = r.ID;  // the last one wins
    result.concernID = r.concern;
  }
  if (result.manufacturerID >= 0 && !model.empty()) result.modelID = FindModelByName(c, result.manufacturerID, model);
  return result;
}

std::string EntryAttachmentFolder(const std::string& attachRoot, const std::string& tag, int32_t id) {
  return EnsureTrailing(attachRoot, '\\') + tag + ZeroPad(id, 5);
}

std::string FindEntryPicture(const std::string& attachRoot, const std::string& tag, int32_t id) {
  if (!FileSystemsReady()) return "";
  CVirtualFileSystem& vfs = GetVirtualFS();
  const std::string folder = EntryAttachmentFolder(attachRoot, tag, id);
  if (!vfs.FileOrDirExists(folder, fdFolder)) return "";
  TFileList files;
  // Only the first mount that holds the folder counts, as for any data path.
  std::string real = vfs.GetRealPath(folder);
  GetRealFS().ListFiles(real + "/*.JPG", fdFile, files);
  if (files.empty()) return "";
  for (const std::string& name : files) {
    std::string upper = UpperAscii(name);
    if (upper.find("LOGO") != std::string::npos || upper.find("FOTO") != std::string::npos) return real + "/" + name;
  }
  return real + "/" + files.back();
}

std::string AddManufacturer(const TCatalogue& c, const std::string& concernName, const std::string& name,
                            const std::string& country, const std::string& url) {
  if (name.empty() || !c.manufacturers) return name;
  if (FindManufacturerByName(c, name) >= 0) {
    ShowMessage("Chyba", "Výrobce již v databázi existuje.", TMsgIcon::Error);
    return "";
  }
  TManufacturerRecord r;
  InitManufacturer(r);
  r.name = name;
  r.country = country;
  r.url = url;
  r.concern = concernName.empty() ? -1 : FindConcernByName(c, concernName);
  return Create(*c.manufacturers, r, kManufacturerWidth, EncodeManufacturer) ? name : "";
}

std::string AddModel(const TCatalogue& c, int32_t manufacturerID, const std::string& name, const std::string& url) {
  if (name.empty() || !c.models) return name;
  if (FindModelByName(c, manufacturerID, name) >= 0) {
    ShowMessage("Chyba", "Model již v databázi existuje.", TMsgIcon::Error);
    return "";
  }
  TModelRecord r;
  InitModel(r);
  r.manufacturer = manufacturerID;
  r.name = name;
  r.url = url;
  return Create(*c.models, r, kModelWidth, EncodeModel) ? name : "";
}

std::string AddEngine(const TCatalogue& c, int32_t concernID, int32_t manufacturerID, const std::string& name,
                      int32_t fuel, int32_t displacement, const std::string& url) {
  if (name.empty() || !c.engines) return name;
  if (FindEngineByName(c, concernID, manufacturerID, name) >= 0) {
    ShowMessage("Chyba", "Motor již v databázi existuje.", TMsgIcon::Error);
    return "";
  }
  TEngineRecord r;
  InitEngine(r);
  r.manufacturer = manufacturerID;
  r.name = name;
  r.url = url;
  r.fuel = fuel;
  r.displacement = displacement;
  r.concern = concernID;
  return Create(*c.engines, r, kEngineWidth, EncodeEngine) ? name : "";
}

int32_t ProposedFuel(const std::string& engineName) {
  return UpperAscii(engineName).find('D') != std::string::npos ? kFuelDiesel : kFuelPetrol;
}
