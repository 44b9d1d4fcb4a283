#include "catalogues/StartingCatalogue.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "storage/CustomDb.h"
#include "storage/File.h"
#include "storage/Log.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

namespace {

// Parts between separators, trimmed; empty parts are kept.
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(TrimBlanks(text.substr(start, end == std::string::npos ? std::string::npos : end - start)));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return parts;
}

class TParser {
 public:
  explicit TParser(TStartingCatalogue& out) : out_(out) {}

  void Line(int number, const std::string& raw) {
    line_ = number;
    const std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == '#') return;
    if (line.size() < 2 || line[1] != ' ') return Problem("no kind letter");
    const std::string rest = TrimBlanks(line.substr(2));
    if (rest.empty()) return Problem("nothing after the kind letter");
    switch (line[0]) {
      case 'G': out_.concerns.push_back(TStartingConcern{rest, {}, {}}); return;
      case 'M': return Make(rest);
      case 'D': return Models(rest);
      case 'E': return Engines(rest);
      default: return Problem(std::string("unknown kind \"") + line[0] + "\"");
    }
  }

 private:
  void Problem(const std::string& reason) {
    out_.problems.push_back("line " + std::to_string(line_) + ": " + reason);
  }

  void Make(const std::string& rest) {
    if (out_.concerns.empty()) return Problem("make before any concern");
    std::vector<std::string> f = Split(rest, '|');
    if (f.size() > 2 || f[0].empty()) return Problem("a make is \"name | country\"");
    TStartingMake make;
    make.name = f[0];
    if (f.size() > 1) make.country = f[1];
    out_.concerns.back().makes.push_back(std::move(make));
  }

  void Models(const std::string& rest) {
    if (out_.concerns.empty() || out_.concerns.back().makes.empty()) return Problem("models before any make");
    for (const std::string& item : Split(rest, ';')) {
      if (item.empty()) continue;
      size_t colon = item.find(':');
      TStartingModel model;
      model.name = TrimBlanks(item.substr(0, colon));
      if (model.name.empty()) {
        Problem("a model without a name");
        continue;
      }
      if (colon != std::string::npos)
        for (const std::string& s : Split(item.substr(colon + 1), ','))
          if (!s.empty()) model.subtypes.push_back(s);
      out_.concerns.back().makes.back().models.push_back(std::move(model));
    }
  }

  void Engines(const std::string& rest) {
    if (out_.concerns.empty()) return Problem("engines before any concern");
    TStartingConcern& concern = out_.concerns.back();
    auto& target = concern.makes.empty() ? concern.engines : concern.makes.back().engines;
    for (const std::string& item : Split(rest, ';')) {
      if (item.empty()) continue;
      std::vector<std::string> f = Split(item, '/');
      TStartingEngine engine;
      engine.name = f[0];
      if (engine.name.empty() || f.size() > 3) {
        Problem("an engine is \"name / fuel / cm3\"");
        continue;
      }
      const std::string fuel = f.size() > 1 ? f[1] : "";
      if (fuel == "B") engine.fuel = kFuelPetrol;
      else if (fuel == "N") engine.fuel = kFuelDiesel;
      else if (fuel == "J") engine.fuel = kFuelOther;
      else if (!fuel.empty()) {
        Problem("unknown fuel \"" + fuel + "\" of " + engine.name);
        continue;
      }
      if (f.size() > 2 && !f[2].empty()) {
        long long cm3 = ParseInteger(f[2], -1);
        if (cm3 <= 0 || cm3 > 100000) {
          Problem("bad displacement \"" + f[2] + "\" of " + engine.name);
          continue;
        }
        engine.displacement = static_cast<int32_t>(cm3);
      }
      target.push_back(std::move(engine));
    }
  }

  TStartingCatalogue& out_;
  int line_ = 0;
};

bool StoreIsNew(TCustomDb* store) {
  if (!store || store->LastID() != 0) return false;
  for (int i = 0; i < store->Count(); ++i)
    if (store->IDAt(i) >= 0) return false;
  return true;
}

class TLoader {
 public:
  TLoader(const TCatalogue& c, TCatalogueCounts& n, std::vector<std::string>& problems)
      : c_(c), n_(n), problems_(problems) {}

  void Concern(const TStartingConcern& in) {
    TConcernRecord r;
    InitConcern(r);
    r.name = in.name;
    if (!Create(c_.concerns, r, in.name)) return;
    ++n_.concerns;
    for (const TStartingEngine& e : in.engines) Engine(e, r.ID, -1);
    for (const TStartingMake& m : in.makes) Make(m, r.ID);
  }

 private:
  template <typename R>
  bool Create(TCustomDb* store, R& r, const std::string& name) {
    if (CreateCatalogueRecord(store, r)) return true;
    problems_.push_back("cannot store \"" + name + "\"");
    return false;
  }

  void Make(const TStartingMake& in, int32_t concern) {
    TManufacturerRecord r;
    InitManufacturer(r);
    r.name = in.name;
    r.country = in.country;
    r.concern = concern;
    if (!Create(c_.manufacturers, r, in.name)) return;
    ++n_.makes;
    for (const TStartingModel& m : in.models) Model(m, r.ID);
    // Linked like the add-engine dialog links them: to the make and to its
    // concern, so that the manager shows them under the concern.
    for (const TStartingEngine& e : in.engines) Engine(e, concern, r.ID);
  }

  void Model(const TStartingModel& in, int32_t manufacturer) {
    TModelRecord r;
    InitModel(r);
    r.name = in.name;
    r.manufacturer = manufacturer;
    if (!Create(c_.models, r, in.name)) return;
    ++n_.models;
    for (const std::string& name : in.subtypes) {
      TSubTypeRecord s;
      InitSubType(s);
      s.name = name;
      s.model = r.ID;
      if (Create(c_.subtypes, s, name)) ++n_.subtypes;
    }
  }

  void Engine(const TStartingEngine& in, int32_t concern, int32_t manufacturer) {
    TEngineRecord r;
    InitEngine(r);
    r.name = in.name;
    r.fuel = in.fuel;
    r.displacement = in.displacement;
    r.concern = concern;
    r.manufacturer = manufacturer;
    if (Create(c_.engines, r, in.name)) ++n_.engines;
  }

  const TCatalogue& c_;
  TCatalogueCounts& n_;
  std::vector<std::string>& problems_;
};

}  // namespace

TStartingCatalogue ParseStartingCatalogue(const std::string& text) {
  TStartingCatalogue out;
  TParser parser(out);
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) parser.Line(++number, line);
  return out;
}

bool CatalogueIsNew(const TCatalogue& c) {
  return StoreIsNew(c.concerns) && StoreIsNew(c.manufacturers) && StoreIsNew(c.models) && StoreIsNew(c.engines) &&
         StoreIsNew(c.subtypes);
}

namespace {

bool LoadFiles(const TCatalogue& catalogue, const std::vector<std::string>& paths, TCatalogueCounts* counts) {
  TCatalogueCounts n;
  if (counts) *counts = n;
  if (!CatalogueIsNew(catalogue)) return false;
  std::vector<TStartingCatalogue> files;
  std::vector<std::string> problems;
  for (const std::string& path : paths) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
      problems.push_back(path + ": cannot be read");
      continue;
    }
    files.push_back(ParseStartingCatalogue(text));
    for (const std::string& p : files.back().problems) problems.push_back(path + ", " + p);
  }
  TLoader loader(catalogue, n, problems);
  for (const TStartingCatalogue& data : files)
    for (const TStartingConcern& c : data.concerns) loader.Concern(c);
  for (const std::string& p : problems) LogError("Starting catalogue: " + p, false);
  LogTrace(1, "Starting catalogue: " + std::to_string(n.makes) + " makes, " + std::to_string(n.models) + " models, " +
                  std::to_string(n.engines) + " engines");
  if (counts) *counts = n;
  return n.concerns > 0;
}

}  // namespace

bool LoadStartingCatalogueFile(const TCatalogue& catalogue, const std::string& realPath, TCatalogueCounts* counts) {
  return LoadFiles(catalogue, {realPath}, counts);
}

bool LoadStartingCatalogue(const TCatalogue& catalogue, const std::string& realFolder, TCatalogueCounts* counts) {
  namespace fs = std::filesystem;
  std::vector<std::string> paths;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(realFolder, ec))
    if (e.path().extension() == ".txt" && e.is_regular_file(ec)) paths.push_back(e.path().string());
  std::sort(paths.begin(), paths.end());
  return LoadFiles(catalogue, paths, counts);
}
