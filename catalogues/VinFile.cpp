#include "catalogues/VinFile.h"

#include <cstdio>

#include "catalogues/CatalogueQueries.h"
#include "storage/File.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

namespace {

constexpr const char* kLineBreakCode = "%0D%0A";

// "%{ID}name": the record's current name when it can be read, else "name".
// Without a well-formed prefix the value is the name itself.
template <typename R>
std::string ResolveName(const std::string& value, TCustomDb* store, bool (*read)(TCustomDb*, int32_t, R&)) {
  if (value.rfind("%{", 0) != 0) return value;
  size_t close = value.find('}', 2);
  if (close == std::string::npos) return value;
  const std::string idText = value.substr(2, close - 2);
  if (!IsInteger(idText)) return value;
  const std::string text = value.substr(close + 1);
  R record;
  long long id = ParseInteger(idText, -1);
  if (id >= 0 && id <= INT32_MAX && read(store, static_cast<int32_t>(id), record)) return record.name;
  return text;
}

std::string Prefixed(int32_t id, const std::string& name) {
  return id >= 0 ? "%{" + std::to_string(id) + "}" + name : name;
}

void Format(const TVINEntry& e, const TCatalogue& c, std::vector<std::string>& out) {
  out.push_back("VIN=" + e.mask);
  const TVINFields eff = EffectiveVINEntry(e);
  const bool any = !e.manuf.empty() || !e.model.empty() || !e.subtype.empty() || !e.engine.empty();
  const TMakeAndModel mm = any ? FindMakeAndModel(c, eff.manuf, eff.model) : TMakeAndModel{};
  if (!e.manuf.empty()) out.push_back("manuf=" + Prefixed(mm.manufacturer, e.manuf));
  if (!e.model.empty()) out.push_back("model=" + Prefixed(mm.model, e.model));
  if (!e.subtype.empty()) out.push_back("subtype=" + Prefixed(FindSubTypeByName(c, mm.model, e.subtype), e.subtype));
  if (!e.engine.empty())
    out.push_back("engine=" + Prefixed(FindEngineByName(c, mm.concern, mm.manufacturer, e.engine), e.engine));
  if (!e.info.empty()) out.push_back("info=" + OneLine(e.info, kLineBreakCode));
  if (!e.reference.empty()) out.push_back("reference=" + e.reference);
  for (const auto& child : e.children) Format(*child, c, out);
  out.push_back("END");
}

}  // namespace

TVINTree ParseVINTree(const std::vector<std::string>& lines, const TCatalogue& c) {
  TVINTree tree;
  TVINEntry* open = nullptr;
  for (const std::string& raw : lines) {
    const std::string line = TrimBlanks(raw);
    if (line == "END") {
      if (!open) break;
      open = open->parent;
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = TrimBlanks(line.substr(0, eq));
    const std::string value = TrimBlanks(line.substr(eq + 1));
    if (key == "VIN") {
      open = open ? AddVINSubEntry(*open) : AddTopLevelVINEntry(tree);
      open->mask = value;
      continue;
    }
    if (!open) continue;
    if (key == "manuf") open->manuf = ResolveName<TManufacturerRecord>(value, c.manufacturers, ReadManufacturer);
    else if (key == "model") open->model = ResolveName<TModelRecord>(value, c.models, ReadModel);
    else if (key == "subtype") open->subtype = ResolveName<TSubTypeRecord>(value, c.subtypes, ReadSubType);
    else if (key == "engine") open->engine = ResolveName<TEngineRecord>(value, c.engines, ReadEngine);
    else if (key == "info") open->info = ReplaceAll(value, kLineBreakCode, "\r\n");
    else if (key == "reference") open->reference = value;
  }
  return tree;
}

TVINTree ReadVINTree(const S_FileName& file, const TCatalogue& c) {
  std::vector<std::string> lines;
  TTextFile text;
  text.Assign(file.RealPath());
  if (text.Reset()) {
    std::string line;
    while (text.ReadLine(line)) lines.push_back(line);
    text.Close();
  }
  return ParseVINTree(lines, c);
}

std::vector<std::string> FormatVINTree(const TVINTree& tree, const TCatalogue& c) {
  std::vector<std::string> out;
  for (const auto& e : tree.entries) Format(*e, c, out);
  return out;
}

bool WriteVINTree(const TVINTree& tree, const S_FileName& file, const TCatalogue& c) {
  const std::string path = file.RealPath();
  if (path.empty()) return false;
  const std::string temporary = path + ".tmp";
  TTextFile text;
  text.Assign(temporary);
  if (!text.Rewrite()) return false;
  bool ok = true;
  for (const std::string& line : FormatVINTree(tree, c)) ok = ok && text.WriteLine(line);
  text.Close();
  if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}
