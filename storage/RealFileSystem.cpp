#include "storage/RealFileSystem.h"

#include <cerrno>
#include <dirent.h>
#include <fnmatch.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/Errors.h"
#include "storage/File.h"
#include "storage/Random.h"

namespace {

const char* const kUnit = "source/URealFS";

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

// Strips and remembers a trailing delimiter; asserts the path rule.
std::string StripTrailing(const std::string& path, bool& trailing) {
  trailing = !path.empty() && IsDelimiter(path.back());
  std::string p = trailing ? path.substr(0, path.size() - 1) : path;
  GARVEL_ASSERT(p.empty() || p[0] != '\\', "Path must not begin with \"\\\"!", kUnit);
  return p;
}

std::string Resolve(CRealFileSystem& fs, const std::string& path) {
  bool trailing = false;
  std::string p = StripTrailing(path, trailing);
  return fs.GetRealPath(p);
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

bool RemoveTree(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) return ::unlink(path.c_str()) == 0;
  // Depth first, never following links out of the tree.
  return ::nftw(path.c_str(), RemoveEntry, 32, FTW_DEPTH | FTW_PHYS) == 0;
}

std::string ParentOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return text;
}

bool HostExists(const std::string& realPath, int flags) {
  if (realPath.empty()) return false;
  struct stat st;
  if (::stat(realPath.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) return flags & fdFolder;
  return flags & fdFile;
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*" || mask == "*") return true;
  return ::fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD | FNM_NOESCAPE) == 0;
}

std::string CRealFileSystem::GetRealPath(const std::string& path) {
  if (path.empty()) return "";
  bool trailing = false;
  std::string p = StripTrailing(path, trailing);
  const std::string tail = trailing ? "/" : "";
  if (redirects_.empty()) return p + tail;
  const std::string upper = UpperAscii(p);
  for (const S_Redirect& r : redirects_) {
    if (upper.compare(0, r.from.size(), r.from) != 0) continue;
    std::string candidate = r.to + p.substr(r.from.size());
    std::string bare = candidate;
    while (bare.size() > 1 && IsDelimiter(bare.back())) bare.pop_back();
    if (HostExists(bare, fdEither)) return bare + tail;
  }
  return p + tail;
}

void CRealFileSystem::AssignTextFile(TTextFile& file, const std::string& path) { file.Assign(GetRealPath(path)); }

void CRealFileSystem::AssignFile(TFile& file, const std::string& path) { file.Assign(GetRealPath(path)); }

bool CRealFileSystem::RenameFile(const std::string& oldPath, const std::string& newPath) {
  std::string from = Resolve(*this, oldPath);
  std::string to = Resolve(*this, newPath);
  if (!HostExists(from, fdEither)) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CRealFileSystem::DeleteFile(const std::string& path) {
  std::string p = Resolve(*this, path);
  struct stat st;
  if (::lstat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return ::unlink(p.c_str()) == 0;
}

bool CRealFileSystem::FileOrDirExists(const std::string& path, int flags) {
  return HostExists(Resolve(*this, path), flags);
}

bool CRealFileSystem::ForceDirectories(const std::string& path) {
  std::string p = Resolve(*this, path);
  if (p.empty()) return false;
  if (HostExists(p, fdFolder)) return true;
  std::string parent = ParentOf(p);
  if (parent != p && !HostExists(parent, fdFolder) && !ForceDirectories(parent)) return false;
  return ::mkdir(p.c_str(), 0755) == 0 || (errno == EEXIST && HostExists(p, fdFolder));
}

bool CRealFileSystem::CreateDir(const std::string& path) {
  std::string p = Resolve(*this, path);
  return !p.empty() && ::mkdir(p.c_str(), 0755) == 0;
}

bool CRealFileSystem::DeleteDirectory(const std::string& path) {
  std::string p = Resolve(*this, path);
  if (!HostExists(p, fdFolder)) return false;
  // Move the folder aside first so that its name is free at once, then
  // delete the moved tree: silently, permanently, no recycle bin.
  std::string aside = ParentOf(p) + "/.GarvTmpFile" + std::to_string(RandomBelow(10000)) +
                      std::to_string(RandomBelow(1000000));
  if (::rename(p.c_str(), aside.c_str()) == 0) p = aside;
  return RemoveTree(p);
}

void CRealFileSystem::ListFiles(const std::string& pathAndMask, int flags, TFileList& list) {
  GARVEL_ASSERT(!pathAndMask.empty(), "Empty pathAndMask!", kUnit);
  GARVEL_ASSERT(pathAndMask[0] != '\\', "pathAndMask must not begin with \"\\\"!", kUnit);
  size_t slash = pathAndMask.find_last_of("/\\");
  std::string folder = slash == std::string::npos ? "." : pathAndMask.substr(0, slash);
  std::string mask = slash == std::string::npos ? pathAndMask : pathAndMask.substr(slash + 1);
  if (folder.empty()) folder = "/";
  folder = GetRealPath(folder);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.empty() || name[0] == '.') continue;  // ".", ".." and hidden entries
    if (!MatchesMask(name, mask)) continue;
    bool isDir = HostExists(folder + "/" + name, fdFolder);
    if (isDir ? (flags & fdFolder) == 0 : (flags & fdFile) == 0) continue;
    list.push_back(name);
  }
  ::closedir(dir);
}

void CRealFileSystem::AddRedirect(const std::string& from, const std::string& to) {
  redirects_.push_back(S_Redirect{UpperAscii(from), to});
}
