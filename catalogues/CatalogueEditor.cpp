#include "catalogues/CatalogueEditor.h"

#include <algorithm>

#include "catalogues/CatalogueAdd.h"
#include "storage/Coding.h"
#include "storage/Collation.h"
#include "storage/Log.h"
#include "storage/Notifier.h"

namespace {

size_t At(int position) { return static_cast<size_t>(position); }

}  // namespace

const char* CatalogueLevelTag(TCatalogueLevel level) {
  switch (level) {
    case TCatalogueLevel::Concern: return kConcernTag;
    case TCatalogueLevel::Manufacturer: return kManufacturerTag;
    case TCatalogueLevel::Engine: return kEngineTag;
    case TCatalogueLevel::Model: return kModelTag;
    case TCatalogueLevel::SubType: return kSubTypeTag;
  }
  return "";
}

TCatalogueLevel ParentLevel(TCatalogueLevel level) {
  switch (level) {
    case TCatalogueLevel::Manufacturer:
    case TCatalogueLevel::Engine: return TCatalogueLevel::Concern;
    case TCatalogueLevel::Model: return TCatalogueLevel::Manufacturer;
    case TCatalogueLevel::SubType: return TCatalogueLevel::Model;
    case TCatalogueLevel::Concern: break;
  }
  return level;
}

const char* FuelText(int32_t fuel) {
  if (fuel == kFuelPetrol) return "Benzín";
  if (fuel == kFuelDiesel) return "Nafta";
  return "Jiné";
}

void TCatalogueEditor::Load() {
  concerns = ReadConcerns(catalogue_.concerns);
  manufacturers = ReadManufacturers(catalogue_.manufacturers);
  engines = ReadEngines(catalogue_.engines);
  models = ReadModels(catalogue_.models);
  subtypes = ReadSubTypes(catalogue_.subtypes);
}

bool TCatalogueEditor::WriteBack() {
  bool ok = true;
  for (int level = 0; level < kCatalogueLevels; ++level) {
    auto l = static_cast<TCatalogueLevel>(level);
    for (int i = 0; i < Size(l); ++i)
      if (Live(l, i) && !WriteEntry(l, i)) ok = false;
  }
  if (!ok) LogError("Catalogue manager: some entries could not be written back", false);
  return ok;
}

bool TCatalogueEditor::WriteEntry(TCatalogueLevel level, int p) {
  switch (level) {
    case TCatalogueLevel::Concern: return WriteCatalogueRecord(catalogue_.concerns, concerns[At(p)]);
    case TCatalogueLevel::Manufacturer: return WriteCatalogueRecord(catalogue_.manufacturers, manufacturers[At(p)]);
    case TCatalogueLevel::Engine: return WriteCatalogueRecord(catalogue_.engines, engines[At(p)]);
    case TCatalogueLevel::Model: return WriteCatalogueRecord(catalogue_.models, models[At(p)]);
    case TCatalogueLevel::SubType: return WriteCatalogueRecord(catalogue_.subtypes, subtypes[At(p)]);
  }
  return false;
}

int TCatalogueEditor::Size(TCatalogueLevel level) const {
  switch (level) {
    case TCatalogueLevel::Concern: return static_cast<int>(concerns.size());
    case TCatalogueLevel::Manufacturer: return static_cast<int>(manufacturers.size());
    case TCatalogueLevel::Engine: return static_cast<int>(engines.size());
    case TCatalogueLevel::Model: return static_cast<int>(models.size());
    case TCatalogueLevel::SubType: return static_cast<int>(subtypes.size());
  }
  return 0;
}

int32_t TCatalogueEditor::ID(TCatalogueLevel level, int p) const {
  if (p < 0 || p >= Size(level)) return -1;
  switch (level) {
    case TCatalogueLevel::Concern: return concerns[At(p)].ID;
    case TCatalogueLevel::Manufacturer: return manufacturers[At(p)].ID;
    case TCatalogueLevel::Engine: return engines[At(p)].ID;
    case TCatalogueLevel::Model: return models[At(p)].ID;
    case TCatalogueLevel::SubType: return subtypes[At(p)].ID;
  }
  return -1;
}

const std::string& TCatalogueEditor::Name(TCatalogueLevel level, int p) const {
  switch (level) {
    case TCatalogueLevel::Concern: return concerns[At(p)].name;
    case TCatalogueLevel::Manufacturer: return manufacturers[At(p)].name;
    case TCatalogueLevel::Engine: return engines[At(p)].name;
    case TCatalogueLevel::Model: return models[At(p)].name;
    case TCatalogueLevel::SubType: break;
  }
  return subtypes[At(p)].name;
}

int32_t TCatalogueEditor::ParentID(TCatalogueLevel level, int p) const {
  switch (level) {
    case TCatalogueLevel::Concern: return -1;
    case TCatalogueLevel::Manufacturer: return manufacturers[At(p)].concern;
    case TCatalogueLevel::Engine: return engines[At(p)].concern;
    case TCatalogueLevel::Model: return models[At(p)].manufacturer;
    case TCatalogueLevel::SubType: return subtypes[At(p)].model;
  }
  return -1;
}

std::vector<int> TCatalogueEditor::SortedByName(TCatalogueLevel level, std::vector<int> positions) const {
  std::stable_sort(positions.begin(), positions.end(),
                   [&](int a, int b) { return CzechCompare(Name(level, a), Name(level, b)) < 0; });
  return positions;
}

std::vector<int> TCatalogueEditor::Concerns() const {
  std::vector<int> out;
  for (int i = 0; i < Size(TCatalogueLevel::Concern); ++i)
    if (Live(TCatalogueLevel::Concern, i)) out.push_back(i);
  return SortedByName(TCatalogueLevel::Concern, std::move(out));
}

std::vector<int> TCatalogueEditor::Children(TCatalogueLevel level, int32_t parentID) const {
  std::vector<int> out;
  if (level == TCatalogueLevel::Concern || parentID < 0) return out;
  for (int i = 0; i < Size(level); ++i)
    if (Live(level, i) && ParentID(level, i) == parentID) out.push_back(i);
  return SortedByName(level, std::move(out));
}

int TCatalogueEditor::AddEntry(TCatalogueLevel level, int32_t parentID) {
  bool ok = false;
  int position = Size(level);
  switch (level) {
    case TCatalogueLevel::Concern: {
      TConcernRecord r;
      InitConcern(r);
      if ((ok = CreateCatalogueRecord(catalogue_.concerns, r))) concerns.push_back(r);
      break;
    }
    case TCatalogueLevel::Manufacturer: {
      TManufacturerRecord r;
      InitManufacturer(r);
      r.concern = parentID;
      if ((ok = CreateCatalogueRecord(catalogue_.manufacturers, r))) manufacturers.push_back(r);
      break;
    }
    case TCatalogueLevel::Engine: {
      TEngineRecord r;
      InitEngine(r);
      r.concern = parentID;
      if ((ok = CreateCatalogueRecord(catalogue_.engines, r))) engines.push_back(r);
      break;
    }
    case TCatalogueLevel::Model: {
      TModelRecord r;
      InitModel(r);
      r.manufacturer = parentID;
      if ((ok = CreateCatalogueRecord(catalogue_.models, r))) models.push_back(r);
      break;
    }
    case TCatalogueLevel::SubType: {
      TSubTypeRecord r;
      InitSubType(r);
      r.model = parentID;
      if ((ok = CreateCatalogueRecord(catalogue_.subtypes, r))) subtypes.push_back(r);
      break;
    }
  }
  if (!ok) {
    ShowMessage("Chyba", "Nepodařilo se vložit záznam do DB.", TMsgIcon::Error);
    return -1;
  }
  LogTrace(1, std::string("Catalogue: add ") + CatalogueLevelTag(level) + " ID#" + std::to_string(ID(level, position)));
  return position;
}

std::string TCatalogueEditor::DeleteQuestion(TCatalogueLevel level, int p) const {
  const std::string& name = Name(level, p);
  switch (level) {
    case TCatalogueLevel::Concern: return "Odebrat koncern " + name + " a všechny jeho výrobce?";
    case TCatalogueLevel::Manufacturer: return "Odebrat výrobce " + name + " a všechny jeho modely?";
    case TCatalogueLevel::Engine: return "Odebrat motor " + name + "?";
    case TCatalogueLevel::Model: return "Odebrat model " + name + " a všechny jeho podtypy?";
    case TCatalogueLevel::SubType: break;
  }
  return "Odebrat podtyp " + name + "?";
}

std::vector<TCatalogueEditor::TRemoved> TCatalogueEditor::Delete(TCatalogueLevel level, int position) {
  std::vector<TRemoved> removed;
  if (Live(level, position)) Remove(level, position, removed);
  return removed;
}

void TCatalogueEditor::Remove(TCatalogueLevel level, int p, std::vector<TRemoved>& removed) {
  const int32_t id = ID(level, p);
  auto children = [&](TCatalogueLevel childLevel) {
    for (int i = 0; i < Size(childLevel); ++i)
      if (Live(childLevel, i) && ParentID(childLevel, i) == id) Remove(childLevel, i, removed);
  };
  bool erased = false;
  switch (level) {
    case TCatalogueLevel::Concern:
      children(TCatalogueLevel::Manufacturer);
      children(TCatalogueLevel::Engine);
      erased = EraseCatalogueRecord(catalogue_.concerns, concerns[At(p)]);
      concerns[At(p)].ID = -1;
      break;
    case TCatalogueLevel::Manufacturer:
      children(TCatalogueLevel::Model);
      erased = EraseCatalogueRecord(catalogue_.manufacturers, manufacturers[At(p)]);
      manufacturers[At(p)].ID = -1;
      break;
    case TCatalogueLevel::Model:
      children(TCatalogueLevel::SubType);
      erased = EraseCatalogueRecord(catalogue_.models, models[At(p)]);
      models[At(p)].ID = -1;
      break;
    case TCatalogueLevel::Engine:
      erased = EraseCatalogueRecord(catalogue_.engines, engines[At(p)]);
      engines[At(p)].ID = -1;
      break;
    case TCatalogueLevel::SubType:
      erased = EraseCatalogueRecord(catalogue_.subtypes, subtypes[At(p)]);
      subtypes[At(p)].ID = -1;
      break;
  }
  const std::string what = std::string(CatalogueLevelTag(level)) + " ID#" + std::to_string(id);
  if (erased)
    LogTrace(1, "Catalogue: delete " + what);
  else
    LogError("Catalogue manager: cannot delete " + what, false);
  removed.push_back(TRemoved{level, p});
}

void TCatalogueEditor::SetName(TCatalogueLevel level, int p, const std::string& name) {
  switch (level) {
    case TCatalogueLevel::Concern: concerns[At(p)].name = TruncateChars(name, 63); break;
    case TCatalogueLevel::Manufacturer: manufacturers[At(p)].name = TruncateChars(name, 31); break;
    case TCatalogueLevel::Engine: engines[At(p)].name = TruncateChars(name, 31); break;
    case TCatalogueLevel::Model: models[At(p)].name = TruncateChars(name, 31); break;
    case TCatalogueLevel::SubType: subtypes[At(p)].name = TruncateChars(name, 63); break;
  }
}

void TCatalogueEditor::SetCountry(int p, const std::string& country) {
  manufacturers[At(p)].country = TruncateChars(country, 31);
}

void TCatalogueEditor::SetUrl(TCatalogueLevel level, int p, const std::string& url) {
  switch (level) {
    case TCatalogueLevel::Manufacturer: manufacturers[At(p)].url = TruncateChars(url, 255); break;
    case TCatalogueLevel::Engine: engines[At(p)].url = TruncateChars(url, 255); break;
    case TCatalogueLevel::Model: models[At(p)].url = TruncateChars(url, 255); break;
    case TCatalogueLevel::Concern:
    case TCatalogueLevel::SubType: break;  // these have no web address
  }
}

bool TCatalogueEditor::SetDisplacementText(int p, const std::string& text) {
  return ParseWholeNumber32(text, engines[At(p)].displacement);
}

void TCatalogueEditor::SetFuel(int p, int32_t fuel) { engines[At(p)].fuel = fuel; }

std::vector<std::string> TCatalogueEditor::ManufacturerNames() const {
  std::vector<std::string> out;
  for (const TManufacturerRecord& m : manufacturers)
    if (m.ID >= 0) out.push_back(m.name);
  std::stable_sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) { return CzechCompare(a, b) < 0; });
  return out;
}

int32_t TCatalogueEditor::ConcernOfManufacturerNamed(const std::string& exactName) const {
  for (const TManufacturerRecord& m : manufacturers)
    if (m.ID >= 0 && m.name == exactName) return m.concern;
  return -2;
}

int TCatalogueEditor::PositionOf(TCatalogueLevel level, int32_t id) const {
  if (id < 0) return -1;
  for (int i = 0; i < Size(level); ++i)
    if (ID(level, i) == id) return i;
  return -1;
}
