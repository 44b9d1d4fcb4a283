#pragma once
// The starting catalogue that ships in data/catalogue/ (catalogue.txt), read
// into the five catalogue stores on the first start, while they are new.
//
// Format (UTF-8, one entry per line; see data/catalogue/README.md):
//   # comment; empty lines are skipped
//   G <concern>
//   M <make> | <country>                      (of the last concern)
//   D <model>: <subtype>, <subtype>; <model>; ...   (models of the last make)
//   E <engine> / <fuel> / <cm3>; ...          (fuel B petrol, N diesel, J other)
// Engines after a concern line and before its first make belong to the
// concern; engines after a make belong to that make and to its concern (as
// the add-engine dialog links them). Every make of a concern offers all its
// concern's engines, so the shipped file lists each engine once, under its
// concern.

#include <string>
#include <vector>

#include "catalogues/CatalogueStores.h"


struct TCatalogueCounts {
  int concerns = 0, makes = 0, models = 0, subtypes = 0, engines = 0;
};

// What one file holds, before anything is stored.
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
  std::string name, country;
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
  std::vector<std::string> problems;  // "line <n>: <reason>" of every skipped line or item
};
TStartingCatalogue ParseStartingCatalogue(const std::string& text);

// True when all five stores are open, hold no record and never issued an ID,
// so that a catalogue the user emptied stays empty.
bool CatalogueIsNew(const TCatalogue& catalogue);

// Fills new stores from the file; false (and nothing stored) when the stores
// are not new or the file cannot be read. Skipped lines go to the error log.
bool LoadStartingCatalogueFile(const TCatalogue& catalogue, const std::string& realPath,
                               TCatalogueCounts* counts = nullptr);
// The same with every "*.txt" file of the (real) folder, in name order; a
// file's makes belong to its own concerns only.
bool LoadStartingCatalogue(const TCatalogue& catalogue, const std::string& realFolder,
                           TCatalogueCounts* counts = nullptr);
