#pragma once
// The catalogue manager's data: the five levels held in memory while the
// manager window is open, with the operations of its buttons.
//
// Load() reads every level from its store (concerns, manufacturers, engines,
// models, subtypes), packed, skipping free slots and unreadable records. Edits
// change only the arrays; new entries and deletions reach the stores at once;
// WriteBack() rewrites every live entry when the window closes. A deleted
// entry stays in its array with ID -1, so array positions never move while
// the window is open.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogues/CatalogueStores.h"

enum class TCatalogueLevel { Concern = 0, Manufacturer = 1, Engine = 2, Model = 3, SubType = 4 };
inline constexpr int kCatalogueLevels = 5;

// "GRP", "MAN", "ENG", "MOD", "STP".
const char* CatalogueLevelTag(TCatalogueLevel level);
// The level whose entries link to the given level's entries; Concern has
// none (the level itself is returned for it).
TCatalogueLevel ParentLevel(TCatalogueLevel level);

class TCatalogueEditor {
 public:
  explicit TCatalogueEditor(const TCatalogue& catalogue) : catalogue_(catalogue) {}

  void Load();
  // Every live entry written in place by ID, level by level in load order.
  // False when any write failed (the others are still written).
  bool WriteBack();
  // One entry written at once (before its attachments are opened).
  bool WriteEntry(TCatalogueLevel level, int position);

  int Size(TCatalogueLevel level) const;
  int32_t ID(TCatalogueLevel level, int position) const;
  bool Live(TCatalogueLevel level, int position) const { return ID(level, position) >= 0; }
  const std::string& Name(TCatalogueLevel level, int position) const;
  // The ID of the entry's parent (-1 for concerns).
  int32_t ParentID(TCatalogueLevel level, int position) const;

  // Positions of all live concerns, sorted by name (Czech order).
  std::vector<int> Concerns() const;
  // Positions of the live entries of the level that link to the parent ID
  // (manufacturers and engines to a concern, models to a manufacturer,
  // subtypes to a model), sorted by name.
  std::vector<int> Children(TCatalogueLevel level, int32_t parentID) const;

  // A new entry with the table's defaults, linked to the parent, added to
  // the store at once. Returns its position, or -1 (with "Nepodařilo se
  // vložit záznam do DB.") when the store refuses it.
  int AddEntry(TCatalogueLevel level, int32_t parentID);

  // The Yes/No question before deleting ("Odebrat koncern ...").
  std::string DeleteQuestion(TCatalogueLevel level, int position) const;
  // Deletes the entry with what hangs on it, depth first, each record freed
  // in its store at once: a concern takes its manufacturers (with their
  // models and subtypes) and its engines; a manufacturer its models (with
  // their subtypes) but not its engines; a model its subtypes. Returns the
  // (level, position) pairs removed, the entry itself last.
  struct TRemoved {
    TCatalogueLevel level;
    int position;
  };
  std::vector<TRemoved> Delete(TCatalogueLevel level, int position);

  // Edits, cut to the field widths: concern and subtype names 63 characters,
  // other names and countries 31, web addresses 255.
  void SetName(TCatalogueLevel level, int position, const std::string& name);
  void SetCountry(int manufacturerPosition, const std::string& country);
  void SetUrl(TCatalogueLevel level, int position, const std::string& url);  // manufacturers, models, engines
  // False (and the value kept) when the text is not a whole number.
  bool SetDisplacementText(int enginePosition, const std::string& text);
  void SetFuel(int enginePosition, int32_t fuel);

  // "Vyhledat výrobce:": the names of all live manufacturers, and the concern
  // link of the first one whose name equals the text exactly (-2 when none).
  std::vector<std::string> ManufacturerNames() const;
  int32_t ConcernOfManufacturerNamed(const std::string& exactName) const;
  // Position of the first live entry with the ID, or -1.
  int PositionOf(TCatalogueLevel level, int32_t id) const;

  // The arrays themselves, for showing their fields.
  std::vector<TConcernRecord> concerns;
  std::vector<TManufacturerRecord> manufacturers;
  std::vector<TEngineRecord> engines;
  std::vector<TModelRecord> models;
  std::vector<TSubTypeRecord> subtypes;

 private:
  void Remove(TCatalogueLevel level, int position, std::vector<TRemoved>& removed);
  std::vector<int> SortedByName(TCatalogueLevel level, std::vector<int> positions) const;

  TCatalogue catalogue_;
};

// The text the fuel buttons show for a stored code: 0 "Benzín", 1 "Nafta",
// anything else "Jiné".
const char* FuelText(int32_t fuel);
