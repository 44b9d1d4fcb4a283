#pragma once
// The file-system layer: every file access of the program goes through an
// IFileSystem so that data files may live in one of several folders.
//
//  - CRealFileSystem works on absolute host paths ("/" separated) and can
//    redirect a path prefix to another folder.
//  - CVirtualFileSystem works on relative virtual paths that keep "\" as
//    their separator ("db_cars.dat", "icons\*.ico") and resolves each against
//    its mounts and default path, then acts through the real file system.
//
// A trailing "\" or "/" marks a folder. Violations of the path rules are
// programming errors (EAssertionFailed).

#include <string>
#include <vector>

class TFile;
class TTextFile;

using TFileList = std::vector<std::string>;

// Flags of FileOrDirExists and ListFiles.
enum : int {
  fdFolder = 1,  // a folder of that name
  fdFile = 2,    // a file of that name
  fdEither = 3,
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // The ten operations, in slot order.
  virtual std::string GetRealPath(const std::string& path) = 0;
  virtual void AssignTextFile(TTextFile& file, const std::string& path) = 0;
  virtual void AssignFile(TFile& file, const std::string& path) = 0;
  virtual bool RenameFile(const std::string& oldPath, const std::string& newPath) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  virtual bool FileOrDirExists(const std::string& path, int flags) = 0;
  virtual bool ForceDirectories(const std::string& path) = 0;
  virtual bool CreateDir(const std::string& path) = 0;
  virtual bool DeleteDirectory(const std::string& path) = 0;
  // Appends the names (no folder part) of the entries matching the wildcard
  // mask; flags 2 = files, 3 = files and folders. Hidden entries, "." and
  // ".." are never listed.
  virtual void ListFiles(const std::string& pathAndMask, int flags, TFileList& list) = 0;
};

// A file name together with the file system that interprets it. Not owning.
struct S_FileName {
  std::string name;
  IFileSystem* fileSystem = nullptr;

  std::string RealPath() const { return fileSystem ? fileSystem->GetRealPath(name) : name; }
};

inline S_FileName MakeFileName(const std::string& name, IFileSystem& fileSystem) {
  return S_FileName{name, &fileSystem};
}
