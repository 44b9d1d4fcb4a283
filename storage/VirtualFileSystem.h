#pragma once
// The virtual file system: relative paths that keep "\" as their separator
// ("db_cars.dat", "icons\*.ico"), resolved against an ordered list of mount
// folders and a default folder, then executed through the real file system.
//
// Resolution of a path: the first mount that holds it as a file or folder;
// else the first mount that holds its folder part; else the default path. So
// an existing file is found where it is, and a new file goes next to its
// folder or, at the top level, into the default path.

#include <string>
#include <vector>

#include "storage/FileSystem.h"

class CRealFileSystem;

class CVirtualFileSystem : public IFileSystem {
 public:
  // Does not own the real file system.
  explicit CVirtualFileSystem(CRealFileSystem& real) : real_(real) {}

  std::string GetRealPath(const std::string& path) override;
  void AssignTextFile(TTextFile& file, const std::string& path) override;
  void AssignFile(TFile& file, const std::string& path) override;
  bool RenameFile(const std::string& oldPath, const std::string& newPath) override;
  bool DeleteFile(const std::string& path) override;
  bool FileOrDirExists(const std::string& path, int flags) override;
  bool ForceDirectories(const std::string& path) override;
  bool CreateDir(const std::string& path) override;
  bool DeleteDirectory(const std::string& path) override;
  void ListFiles(const std::string& pathAndMask, int flags, TFileList& list) override;

  // Real folders; "/" is appended when missing. The first mount added also
  // becomes the default path while none is set.
  void AddMount(const std::string& folder);
  void SetDefaultPath(const std::string& folder);
  const std::string& GetDefaultPath() const { return defaultPath_; }
  std::vector<std::string> GetMounts() const { return mounts_; }
  CRealFileSystem& RealFS() { return real_; }

 private:
  std::vector<std::string> mounts_;
  std::string defaultPath_;
  CRealFileSystem& real_;
};

// "\" -> "/" for the part of a virtual path that is appended to a real folder.
std::string VirtualToHost(const std::string& virtualPath);
