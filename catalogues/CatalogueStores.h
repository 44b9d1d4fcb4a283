#pragma once
// The five catalogue stores as one value, and reading and writing their
// records as the layouts of CatalogueRecords.h.
//
// A missing store (it could not be opened at start) is a null pointer: it
// reads as empty and refuses every change.

#include <cstdint>
#include <string>
#include <vector>

#include "catalogues/CatalogueRecords.h"

class TCustomDb;

struct TCatalogue {
  TCustomDb* concerns = nullptr;
  TCustomDb* manufacturers = nullptr;
  TCustomDb* models = nullptr;
  TCustomDb* engines = nullptr;
  TCustomDb* subtypes = nullptr;

  bool Complete() const { return concerns && manufacturers && models && engines && subtypes; }
};

// Store tags, also the prefixes of the entries' attachment folders.
inline constexpr const char* kConcernTag = "GRP";
inline constexpr const char* kManufacturerTag = "MAN";
inline constexpr const char* kModelTag = "MOD";
inline constexpr const char* kEngineTag = "ENG";
inline constexpr const char* kSubTypeTag = "STP";

// Every record in use that can be read, in slot order (free slots and
// unreadable records are skipped).
std::vector<TConcernRecord> ReadConcerns(TCustomDb* store);
std::vector<TManufacturerRecord> ReadManufacturers(TCustomDb* store);
std::vector<TModelRecord> ReadModels(TCustomDb* store);
std::vector<TEngineRecord> ReadEngines(TCustomDb* store);
std::vector<TSubTypeRecord> ReadSubTypes(TCustomDb* store);

// One record by ID; false when the store is missing or the record cannot be
// read.
bool ReadConcern(TCustomDb* store, int32_t id, TConcernRecord& r);
bool ReadManufacturer(TCustomDb* store, int32_t id, TManufacturerRecord& r);
bool ReadModel(TCustomDb* store, int32_t id, TModelRecord& r);
bool ReadEngine(TCustomDb* store, int32_t id, TEngineRecord& r);
bool ReadSubType(TCustomDb* store, int32_t id, TSubTypeRecord& r);

// Adds the record with the store's add operation; on success the record
// holds its new ID and globalId.
bool CreateCatalogueRecord(TCustomDb* store, TConcernRecord& r);
bool CreateCatalogueRecord(TCustomDb* store, TManufacturerRecord& r);
bool CreateCatalogueRecord(TCustomDb* store, TModelRecord& r);
bool CreateCatalogueRecord(TCustomDb* store, TEngineRecord& r);
bool CreateCatalogueRecord(TCustomDb* store, TSubTypeRecord& r);

// Rewrites the record in place by its ID.
bool WriteCatalogueRecord(TCustomDb* store, const TConcernRecord& r);
bool WriteCatalogueRecord(TCustomDb* store, const TManufacturerRecord& r);
bool WriteCatalogueRecord(TCustomDb* store, const TModelRecord& r);
bool WriteCatalogueRecord(TCustomDb* store, const TEngineRecord& r);
bool WriteCatalogueRecord(TCustomDb* store, const TSubTypeRecord& r);

// Frees the record's slot.
bool EraseCatalogueRecord(TCustomDb* store, const TConcernRecord& r);
bool EraseCatalogueRecord(TCustomDb* store, const TManufacturerRecord& r);
bool EraseCatalogueRecord(TCustomDb* store, const TModelRecord& r);
bool EraseCatalogueRecord(TCustomDb* store, const TEngineRecord& r);
bool EraseCatalogueRecord(TCustomDb* store, const TSubTypeRecord& r);
