#include "storage/RealFileSystem.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
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

// The real path without its trailing delimiter.
std::string Resolve(CRealFileSystem& fs, const std::string& path) {
  bool trailing = false;
  std::string p = StripTrailing(path, trailing);
  return fs.GetRealPath(p);
}

std::string ParentOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool LinkExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// A rename that never replaces an existing entry: Linux rename() would
// silently overwrite a file (or an empty folder) of the new name.
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: check first (a small race remains).
  if (LinkExists(to)) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

// Deletes `name` (relative to `parentFd`) with everything below it. Links
// are removed, never followed, so nothing outside the tree is touched. Keeps
// going past an entry that cannot be deleted; true only if all went.
bool RemoveTreeAt(int parentFd, const char* name) {
  struct stat st;
  if (::fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  if (!S_ISDIR(st.st_mode)) return ::unlinkat(parentFd, name, 0) == 0;
  int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return false;
  }
  std::vector<std::string> names;
  while (dirent* e = ::readdir(dir)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(n);
  }
  bool ok = true;
  for (const std::string& n : names) ok = RemoveTreeAt(::dirfd(dir), n.c_str()) && ok;
  ::closedir(dir);
  return ok && ::unlinkat(parentFd, name, AT_REMOVEDIR) == 0;
}

// The length in bytes of the UTF-8 character starting at `s`.
size_t CharLength(const char* s) {
  size_t n = 1;
  while (s[n] != '\0' && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
  return n;
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// "*" any run of characters, "?" exactly one character; everything else
// literal ("[" too), letters without regard to ASCII case.
bool Wildcard(const char* mask, const char* name) {
  const char* starMask = nullptr;
  const char* starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?') {
      ++mask;
      name += CharLength(name);
    } else if (*mask != '\0' && FoldAscii(*mask) == FoldAscii(*name)) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      starName += CharLength(starName);
      name = starName;
    } else {
      return false;
    }
  }
  while (*mask == '*') ++mask;
  return *mask == '\0';
}

}  // namespace

std::string UpperAscii(std::string text) {
  for (char& c : text) c = FoldAscii(c);
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
  if (Wildcard(mask.c_str(), name.c_str())) return true;
  // As on the desktop systems the masks come from, "x.*" also matches a
  // bare "x" ("*.*" therefore matches every name).
  if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0)
    return Wildcard(mask.substr(0, mask.size() - 2).c_str(), name.c_str());
  return false;
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
    while (candidate.size() > 1 && IsDelimiter(candidate.back())) candidate.pop_back();
    if (HostExists(candidate, fdEither)) return candidate + tail;
  }
  return p + tail;
}

void CRealFileSystem::AssignTextFile(TTextFile& file, const std::string& path) { file.Assign(GetRealPath(path)); }

void CRealFileSystem::AssignFile(TFile& file, const std::string& path) { file.Assign(GetRealPath(path)); }

bool CRealFileSystem::RenameFile(const std::string& oldPath, const std::string& newPath) {
  std::string from = Resolve(*this, oldPath);
  std::string to = Resolve(*this, newPath);
  if (!HostExists(from, fdEither)) return false;
  return RenameNoReplace(from, to);
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
  return ::mkdir(p.c_str(), 0777) == 0 || (errno == EEXIST && HostExists(p, fdFolder));
}

bool CRealFileSystem::CreateDir(const std::string& path) {
  std::string p = Resolve(*this, path);
  return !p.empty() && ::mkdir(p.c_str(), 0777) == 0;
}

bool CRealFileSystem::DeleteDirectory(const std::string& path) {
  const std::string p = Resolve(*this, path);
  if (!HostExists(p, fdFolder)) return false;
  // Move the folder aside into a hidden name of its parent (the same file
  // system, so the move is instant) to free its name at once, then delete
  // the moved tree silently and permanently.
  std::string target = p;
  for (int attempt = 0; attempt < 8 && target == p; ++attempt) {
    std::string aside = ParentOf(p) + "/.GarvTmpFile" + std::to_string(RandomBelow(1000000000));
    if (RenameNoReplace(p, aside)) target = aside;
    else if (errno != EEXIST && errno != ENOTEMPTY) break;
  }
  bool ok = RemoveTreeAt(AT_FDCWD, target.c_str());
  // What could not be deleted goes back under its own name rather than
  // lingering hidden.
  if (!ok && target != p) RenameNoReplace(target, p);
  return ok;
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
