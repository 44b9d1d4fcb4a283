#pragma once
// The starting catalogue that ships in data/catalogue/: text files read into
// the five catalogue stores on the first start, while the stores are new.
//
// Format (UTF-8, one entry per line, see data/catalogue/README.md):
//   # comment, and empty lines, are skipped
//   concern: <name>
//   make: <name> | <country> | <web address>       (country, web optional)
//   model: <name> | <subtype>; <subtype>; ...      (subtypes optional)
//   engine: <name> | petrol|diesel|other | <cm3>  (fuel, cm3 optional)
// A make belongs to the last concern, a model to the last make. An engine
// belongs to the last concern and, once the concern has a make, also to
// that make; concern-wide engines therefore come before the concern's first
// make.

#include <string>
#include <vector>

#include "catalogues/CatalogueStores.h"

struct TStoreSet;

struct TStartingEngine {
  std::string name;
  int32_t fuel = kFuelUnset;
  int32_t displacement = -1;
};
struct TStartingModel {
  std::string name;
  std::vector<std::string> subtypes;
};
struct TStartingMake {
  std::string name, country, url;
  std::vector<TStartingModel> models;
  std::vector<TStartingEngine> engines;
};
struct TStartingConcern {
  std::string name;
  std::vector<TStartingEngine> engines;  // of the whole concern
  std::vector<TStartingMake> makes;
};

struct TStartingCatalogue {
  std::vector<TStartingConcern> concerns;
  // "<file>:<line>: <reason>" for every line that was skipped.
  std::vector<std::string> problems;

  size_t MakeCount() const;
  size_t ModelCount() const;
};

// Parses one file's text into `out` (appending); `source` names it in the
// problems.
void ParseStartingCatalogue(const std::string& text, const std::string& source, TStartingCatalogue& out);
// Every "*.txt" file of the (real) folder, in name order.
TStartingCatalogue ReadStartingCatalogue(const std::string& folder);

// True when all five stores are open, hold no record and never issued an ID
// (a catalogue the user emptied is left empty).
bool CatalogueIsNew(const TCatalogue& catalogue);

struct TStartingLoadResult {
  bool loaded = false;
  int concerns = 0, makes = 0, models = 0, engines = 0, subtypes = 0;
  std::vector<std::string> problems;  // skipped lines and store failures
};
// Fills new stores (CatalogueIsNew) from the folder's files; otherwise does
// nothing. Problems go to the error log.
TStartingLoadResult LoadStartingCatalogue(const TCatalogue& catalogue, const std::string& folder);
TStartingLoadResult LoadStartingCatalogue(TStoreSet& stores, const std::string& folder);
