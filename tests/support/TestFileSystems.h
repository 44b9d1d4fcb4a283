#pragma once
// Process-wide file systems over a temporary folder for one test: the folder
// is the only mount and the default path.

#include "storage/FileSystemSetup.h"
#include "tests/support/TempDir.h"

class TTestFileSystems {
 public:
  TTestFileSystems() {
    SetupFileSystems(TFileSystemFolders{dir.Path(), dir.Path() + "no-common/", dir.Path() + "no-program/"}, false);
  }
  ~TTestFileSystems() { TeardownFileSystems(); }
  TTempDir dir;
};
