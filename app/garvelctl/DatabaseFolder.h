#pragma once
// A database folder as the garvelctl commands open it: the eight stores on
// the real file system, read-only unless asked otherwise.

#include <string>

#include "shell/Stores.h"
#include "storage/RealFileSystem.h"

struct TDatabaseFolder {
  std::string dir;  // with a trailing "/"
  CRealFileSystem fs;
  TStoreSet stores;

  explicit TDatabaseFolder(std::string folder) : dir(std::move(folder)) {
    if (dir.empty() || dir.back() != '/') dir += '/';
  }
  // False when the vehicle or record store cannot be opened (reported).
  bool Open(bool readOnly = true) {
    TStoreOpenOptions options;
    options.readOnly = readOnly;
    return OpenStores(stores, fs, dir, options);
  }
};
