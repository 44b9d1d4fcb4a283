#pragma once
// A database folder as the garvelctl commands open it: the eight stores on
// the real file system, read-only unless asked otherwise.

#include <string>

#include "shell/Config.h"
#include "shell/Stores.h"
#include "storage/FileSystemSetup.h"
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

// The database folder as the program's data folder: its settings, templates
// that override the shipped ones, and its document folders.
class TDataFolderSession {
 public:
  // The data folders of the file system are mounted only by absolute names.
  explicit TDataFolderSession(const std::string& folder) : db(AbsoluteFolder(folder)) {
    TFileSystemFolders f = DefaultFileSystemFolders();
    f.userData = db.dir;
    f.commonData = db.dir + ".garvel-no-common-folder/";
    SetupFileSystems(f, false);
    LoadDefaults(Config());
    LoadConfig(Config());
    ApplyConfig(Config());
  }
  ~TDataFolderSession() {
    db.stores.CloseAll();
    TeardownFileSystems();
  }
  TDatabaseFolder db;
};
