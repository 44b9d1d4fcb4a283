#include "catalogues/CatalogueQueries.h"

#include "storage/TextUtils.h"

namespace {

// The folded form of a name looked for; empty names never match, so an empty
// key matches nothing.
class TNameKey {
 public:
  explicit TNameKey(const std::string& name) : folded_(FoldText(name)) {}
  bool Matches(const std::string& name) const { return !folded_.empty() && FoldText(name) == folded_; }
  bool Empty() const { return folded_.empty(); }

 private:
  std::string folded_;
};

template <typename R>
void Names(const std::vector<R>& records, TNameList& list) {
  for (const R& r : records) list.push_back(r.name);
}

}  // namespace

bool SameCatalogueName(const std::string& a, const std::string& b) { return TNameKey(a).Matches(b); }

void ListConcernNames(const TCatalogue& c, TNameList& list) {
  list.clear();
  Names(ReadConcerns(c.concerns), list);
}

void ListManufacturerNames(const TCatalogue& c, TNameList& list) {
  list.clear();
  Names(ReadManufacturers(c.manufacturers), list);
}

void ListModelNames(const TCatalogue& c, TNameList& list, int32_t manufacturerID) {
  list.clear();
  if (manufacturerID < 0) return;
  for (const TModelRecord& m : ReadModels(c.models))
    if (m.manufacturer == manufacturerID) list.push_back(m.name);
}

void ListEngineNames(const TCatalogue& c, TNameList& list, int32_t manufacturerID) {
  list.clear();
  TManufacturerRecord make;
  if (!ReadManufacturer(c.manufacturers, manufacturerID, make)) return;
  for (const TEngineRecord& e : ReadEngines(c.engines))
    if (e.manufacturer == manufacturerID || (make.concern >= 0 && e.concern == make.concern)) list.push_back(e.name);
}

void ListSubTypeNames(const TCatalogue& c, TNameList& list, int32_t modelID) {
  list.clear();
  if (modelID < 0) return;
  for (const TSubTypeRecord& s : ReadSubTypes(c.subtypes))
    if (s.model == modelID) list.push_back(s.name);
}

int32_t FindConcernByName(const TCatalogue& c, const std::string& name) {
  TNameKey key(name);
  if (key.Empty()) return -1;
  for (const TConcernRecord& r : ReadConcerns(c.concerns))
    if (key.Matches(r.name)) return r.ID;
  return -1;
}

int32_t FindManufacturerByName(const TCatalogue& c, const std::string& name) {
  TNameKey key(name);
  if (key.Empty()) return -1;
  for (const TManufacturerRecord& r : ReadManufacturers(c.manufacturers))
    if (key.Matches(r.name)) return r.ID;
  return -1;
}

int32_t FindModelByName(const TCatalogue& c, int32_t manufacturerID, const std::string& name) {
  TNameKey key(name);
  if (manufacturerID < 0 || key.Empty()) return -1;
  for (const TModelRecord& r : ReadModels(c.models))
    if (r.manufacturer == manufacturerID && key.Matches(r.name)) return r.ID;
  return -1;
}

int32_t FindSubTypeByName(const TCatalogue& c, int32_t modelID, const std::string& name) {
  TNameKey key(name);
  if (modelID < 0 || key.Empty()) return -1;
  for (const TSubTypeRecord& r : ReadSubTypes(c.subtypes))
    if (r.model == modelID && key.Matches(r.name)) return r.ID;
  return -1;
}

int32_t FindEngineByName(const TCatalogue& c, int32_t concernID, int32_t manufacturerID, const std::string& name) {
  TNameKey key(name);
  if ((concernID < 0 && manufacturerID < 0) || key.Empty()) return -1;
  for (const TEngineRecord& r : ReadEngines(c.engines)) {
    // A negative ID stands for "none" and must not pair with unlinked engines.
    bool linked = (manufacturerID >= 0 && r.manufacturer == manufacturerID) || (concernID >= 0 && r.concern == concernID);
    if (linked && key.Matches(r.name)) return r.ID;
  }
  return -1;
}

TMakeAndModel FindMakeAndModel(const TCatalogue& c, const std::string& make, const std::string& model) {
  TMakeAndModel out;
  TNameKey makeKey(make);
  if (makeKey.Empty()) return out;
  for (const TManufacturerRecord& r : ReadManufacturers(c.manufacturers))
    if (makeKey.Matches(r.name)) {
      out.manufacturer = r.ID;
      out.concern = r.concern;
    }
  if (out.manufacturer >= 0 && !model.empty()) out.model = FindModelByName(c, out.manufacturer, model);
  return out;
}
