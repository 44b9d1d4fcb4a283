#pragma once
// A database folder as the garvelctl commands open it: the eight stores on
// the real file system, read-only unless asked otherwise.

#include <climits>
#include <string>
#include <unistd.h>

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

// A folder named relative to the current one, made absolute: the data
// folders of the file system are mounted only by absolute names.
inline std::string AbsoluteFolder(const std::string& folder) {
  if (folder.empty() || folder[0] == '/') return folder;
  char cwd[PATH_MAX];
  return ::getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + folder : folder;
}

// The database folder as the program's data folder: its settings, templates
// that override the shipped ones, and its document folders.
class TDataFolderSession {
 public:
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
