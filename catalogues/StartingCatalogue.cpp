#include "catalogues/StartingCatalogue.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "shell/Stores.h"
#include "storage/CustomDb.h"
#include "storage/File.h"
#include "storage/Log.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(TrimBlanks(part));
  if (!text.empty() && text.back() == separator) parts.push_back("");
  return parts;
}

bool ParseFuel(const std::string& word, int32_t& fuel) {
  if (word.empty()) fuel = kFuelUnset;
  else if (word == "petrol") fuel = kFuelPetrol;
  else if (word == "diesel") fuel = kFuelDiesel;
  else if (word == "other") fuel = kFuelOther;
  else return false;
  return true;
}

class TParser {
 public:
  TParser(const std::string& source, TStartingCatalogue& out) : source_(source), out_(out) {}

  void Line(int number, std::string line) {
    line_ = number;
    line = TrimBlanks(line);
    if (line.empty() || line[0] == '#') return;
    size_t colon = line.find(':');
    if (colon == std::string::npos) return Problem("no key");
    const std::string key = TrimBlanks(line.substr(0, colon));
    const std::vector<std::string> fields = Split(TrimBlanks(line.substr(colon + 1)), '|');
    if (fields.empty() || fields[0].empty()) return Problem("no name");
    if (key == "concern") return Concern(fields);
    if (key == "make") return Make(fields);
    if (key == "model") return Model(fields);
    if (key == "engine") return Engine(fields);
    Problem("unknown key \"" + key + "\"");
  }

 private:
  void Problem(const std::string& reason) {
    out_.problems.push_back(source_ + ":" + std::to_string(line_) + ": " + reason);
  }

  void Concern(const std::vector<std::string>& f) {
    if (f.size() > 1) return Problem("a concern has only a name");
    out_.concerns.push_back(TStartingConcern{f[0], {}, {}});
  }

  void Make(const std::vector<std::string>& f) {
    if (out_.concerns.empty()) return Problem("make before any concern");
    if (f.size() > 3) return Problem("too many fields");
    TStartingMake make;
    make.name = f[0];
    if (f.size() > 1) make.country = f[1];
    if (f.size() > 2) make.url = f[2];
    out_.concerns.back().makes.push_back(std::move(make));
  }

  void Model(const std::vector<std::string>& f) {
    if (out_.concerns.empty() || out_.concerns.back().makes.empty()) return Problem("model before any make");
    if (f.size() > 2) return Problem("too many fields");
    TStartingModel model;
    model.name = f[0];
    if (f.size() > 1)
      for (const std::string& s : Split(f[1], ';'))
        if (!s.empty()) model.subtypes.push_back(s);
    out_.concerns.back().makes.back().models.push_back(std::move(model));
  }

  void Engine(const std::vector<std::string>& f) {
    if (out_.concerns.empty()) return Problem("engine before any concern");
    if (f.size() > 3) return Problem("too many fields");
    TStartingEngine engine;
    engine.name = f[0];
    if (f.size() > 1 && !ParseFuel(f[1], engine.fuel)) return Problem("unknown fuel \"" + f[1] + "\"");
    if (f.size() > 2 && !f[2].empty()) {
      long long cm3 = ParseInteger(f[2], -2);
      if (cm3 <= 0 || cm3 > 100000) return Problem("bad displacement \"" + f[2] + "\"");
      engine.displacement = static_cast<int32_t>(cm3);
    }
    TStartingConcern& concern = out_.concerns.back();
    (concern.makes.empty() ? concern.engines : concern.makes.back().engines).push_back(std::move(engine));
  }

  std::string source_;
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
  TLoader(const TCatalogue& c, TStartingLoadResult& result) : c_(c), result_(result) {}

  void Concern(const TStartingConcern& in) {
    TConcernRecord r;
    InitConcern(r);
    r.name = in.name;
    if (!Create(c_.concerns, r, in.name)) return;
    ++result_.concerns;
    for (const TStartingEngine& e : in.engines) Engine(e, r.ID, -1);
    for (const TStartingMake& m : in.makes) Make(m, r.ID);
  }

 private:
  template <typename R>
  bool Create(TCustomDb* store, R& r, const std::string& name) {
    if (CreateCatalogueRecord(store, r)) return true;
    result_.problems.push_back("cannot store \"" + name + "\"");
    return false;
  }

  void Make(const TStartingMake& in, int32_t concern) {
    TManufacturerRecord r;
    InitManufacturer(r);
    r.name = in.name;
    r.country = in.country;
    r.url = in.url;
    r.concern = concern;
    if (!Create(c_.manufacturers, r, in.name)) return;
    ++result_.makes;
    for (const TStartingEngine& e : in.engines) Engine(e, concern, r.ID);
    for (const TStartingModel& m : in.models) Model(m, r.ID);
  }

  void Model(const TStartingModel& in, int32_t manufacturer) {
    TModelRecord r;
    InitModel(r);
    r.name = in.name;
    r.manufacturer = manufacturer;
    if (!Create(c_.models, r, in.name)) return;
    ++result_.models;
    for (const std::string& name : in.subtypes) {
      TSubTypeRecord s;
      InitSubType(s);
      s.name = name;
      s.model = r.ID;
      if (Create(c_.subtypes, s, name)) ++result_.subtypes;
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
    if (Create(c_.engines, r, in.name)) ++result_.engines;
  }

  const TCatalogue& c_;
  TStartingLoadResult& result_;
};

}  // namespace

size_t TStartingCatalogue::MakeCount() const {
  size_t n = 0;
  for (const TStartingConcern& c : concerns) n += c.makes.size();
  return n;
}

size_t TStartingCatalogue::ModelCount() const {
  size_t n = 0;
  for (const TStartingConcern& c : concerns)
    for (const TStartingMake& m : c.makes) n += m.models.size();
  return n;
}

void ParseStartingCatalogue(const std::string& text, const std::string& source, TStartingCatalogue& out) {
  TParser parser(source, out);
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) parser.Line(++number, line);
}

TStartingCatalogue ReadStartingCatalogue(const std::string& folder) {
  TStartingCatalogue out;
  namespace fs = std::filesystem;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
    if (e.is_regular_file(ec) && e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& p : files) {
    std::string text;
    if (!ReadWholeFile(p.string(), text)) {
      out.problems.push_back(p.filename().string() + ": cannot be read");
      continue;
    }
    ParseStartingCatalogue(text, p.filename().string(), out);
  }
  return out;
}

bool CatalogueIsNew(const TCatalogue& c) {
  return StoreIsNew(c.concerns) && StoreIsNew(c.manufacturers) && StoreIsNew(c.models) && StoreIsNew(c.engines) &&
         StoreIsNew(c.subtypes);
}

TStartingLoadResult LoadStartingCatalogue(const TCatalogue& catalogue, const std::string& folder) {
  TStartingLoadResult result;
  if (!CatalogueIsNew(catalogue)) return result;
  TStartingCatalogue data = ReadStartingCatalogue(folder);
  result.problems = data.problems;
  TLoader loader(catalogue, result);
  for (const TStartingConcern& c : data.concerns) loader.Concern(c);
  result.loaded = result.concerns > 0;
  for (const std::string& p : result.problems) LogError("Starting catalogue: " + p, false);
  LogTrace(1, "Starting catalogue: " + std::to_string(result.makes) + " makes, " + std::to_string(result.models) +
                  " models, " + std::to_string(result.engines) + " engines loaded");
  return result;
}

TStartingLoadResult LoadStartingCatalogue(TStoreSet& stores, const std::string& folder) {
  return LoadStartingCatalogue(CatalogueOf(stores), folder);
}
