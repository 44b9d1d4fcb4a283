#pragma once
// The real file system: absolute host paths ("/"-separated). A path prefix
// may be redirected to another folder; a redirect only ever points at
// something that already exists, so new files are created at the
// unredirected path.

#include <string>
#include <vector>

#include "storage/FileSystem.h"

struct S_Redirect {
  std::string from;  // upper-cased prefix
  std::string to;
};
using T_Redirects = std::vector<S_Redirect>;

class CRealFileSystem : public IFileSystem {
 public:
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

  void AddRedirect(const std::string& from, const std::string& to);
  T_Redirects GetRedirects() const { return redirects_; }

 private:
  T_Redirects redirects_;
};

// Host helpers shared by both file systems.
bool HostExists(const std::string& realPath, int flags);
// Matches a name against a wildcard mask: "*" any run of characters, "?" one
// character, anything else literal ("[" too), ASCII letters without regard
// to case; "x.*" also matches a bare "x", so "*.*" matches every name.
bool MatchesMask(const std::string& name, const std::string& mask);
// ASCII upper case.
std::string UpperAscii(std::string text);
