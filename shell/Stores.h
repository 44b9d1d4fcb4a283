#pragma once
// The eight stores the program keeps open, opened in the start-up order:
// vehicles, service records, customers, makes, models, engines, concerns,
// subtypes. Without the vehicle or record store nothing can run; without
// another store the program goes on and the functions that need it fail.

#include <memory>
#include <string>

#include "catalogues/CatalogueStores.h"
#include "storage/CarDb.h"
#include "storage/RecDb.h"

struct TStoreSet {
  std::unique_ptr<TCustomCarDb> cars;
  std::unique_ptr<TCustomRecDb> records;
  std::unique_ptr<TCustomDb> customers;
  std::unique_ptr<TCustomDb> manufacturers;
  std::unique_ptr<TCustomDb> models;
  std::unique_ptr<TCustomDb> engines;
  std::unique_ptr<TCustomDb> concerns;
  std::unique_ptr<TCustomDb> subtypes;

  void CloseAll();
};

// The catalogue stores of the set (not owning).
TCatalogue CatalogueOf(TStoreSet& stores);

struct TStoreOpenOptions {
  std::string userName = "<username>";
  bool readOnly = false;
  // Message boxes for stores that cannot be opened ("Nemohu otevřít ...").
  bool showMessages = true;
};

// Opens the stores whose files are `folder` + file name on `fileSystem`
// (an empty folder on the virtual file system for the program's own data).
// False when the vehicle or the record store cannot be opened; the stores
// opened so far stay open. A failing optional store stays null.
bool OpenStores(TStoreSet& stores, IFileSystem& fileSystem, const std::string& folder,
                const TStoreOpenOptions& options);
