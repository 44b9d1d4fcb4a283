#pragma once
// The process-wide file systems and their standard set-up.
//
// Host folders on Linux:
//   per-user data   $GARVEL_USER_DATA, else $XDG_DATA_HOME/Garvel,
//                   else ~/.local/share/Garvel
//   all-users data  $GARVEL_COMMON_DATA, else /var/lib/Garvel
//   program folder  $GARVEL_PROGRAM_DIR, else <exe>/../share/garvel
// Mounts, in search order: per-user (if it exists), all-users (if it exists;
// it then becomes the default path), program folder (always). The default
// path is the all-users folder if it exists, else the per-user folder if it
// exists, else the program folder.

#include <string>

#include "storage/RealFileSystem.h"
#include "storage/VirtualFileSystem.h"

struct TFileSystemFolders {
  std::string userData;
  std::string commonData;
  std::string programDir;
};

// A folder named relative to the current one, made absolute (mounts are
// absolute); an absolute or empty name is returned as it is.
std::string AbsoluteFolder(const std::string& folder);

// The host folders from the environment (each with a trailing "/").
TFileSystemFolders DefaultFileSystemFolders();

// Creates and publishes both instances. With `createUserFolder`, the
// per-user folder is created when neither data folder exists, so data never
// lands in the program folder. Asserts "VFS already initialized!" when an
// instance exists.
void SetupFileSystems(const TFileSystemFolders& folders, bool createUserFolder);
void SetupFileSystems(bool createUserFolder);
// Destroys both (virtual first); asserts when either is missing.
void TeardownFileSystems();
bool FileSystemsReady();
// The host folders the file systems were set up with.
const TFileSystemFolders& FileSystemFolders();

CVirtualFileSystem& GetVirtualFS();
CRealFileSystem& GetRealFS();

// Virtual and real names on the process-wide file systems.
S_FileName VirtualFile(const std::string& virtualPath);
S_FileName RealFile(const std::string& realPath);
