#include "storage/VirtualFileSystem.h"

#include <algorithm>

#include "storage/TextUtils.h"
#include "storage/Errors.h"
#include "storage/File.h"
#include "storage/RealFileSystem.h"

namespace {

const char* const kUnit = "source/UVFS";

bool IsDelimiter(char c) { return c == '\\' || c == '/'; }

std::string WithSlash(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  if (folder.back() == '\\') return folder.substr(0, folder.size() - 1) + "/";
  return folder + "/";
}

// Splits a virtual path into its folder part (host syntax, up to and
// including the last delimiter) and its name; a trailing delimiter is not
// part of either.
void SplitVirtual(std::string path, std::string& folder, std::string& name) {
  while (!path.empty() && IsDelimiter(path.back())) path.pop_back();
  size_t s = path.find_last_of("\\/");
  folder = s == std::string::npos ? std::string() : VirtualToHost(path.substr(0, s + 1));
  name = s == std::string::npos ? path : path.substr(s + 1);
}

}  // namespace

std::string VirtualToHost(const std::string& virtualPath) {
  std::string out = virtualPath;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::string CVirtualFileSystem::GetRealPath(const std::string& path) {
  if (path.empty()) return "";
  bool trailing = IsDelimiter(path.back());
  std::string p = trailing ? path.substr(0, path.size() - 1) : path;
  GARVEL_ASSERT(p.empty() || p[0] != '\\', "Path must not begin with \"\\\"!", kUnit);
  const std::string tail = trailing ? "/" : "";
  const std::string host = VirtualToHost(p);

  for (const std::string& mount : mounts_)
    if (real_.FileOrDirExists(mount + host, fdEither)) return real_.GetRealPath(mount + host + tail);

  size_t slash = host.find_last_of('/');
  if (slash != std::string::npos && slash > 0) {
    std::string folder = host.substr(0, slash);
    std::string name = host.substr(slash + 1);
    for (const std::string& mount : mounts_)
      if (real_.FileOrDirExists(mount + folder, fdEither))
        return real_.GetRealPath(mount + folder + "/" + name + tail);
  }
  return real_.GetRealPath(defaultPath_ + host + tail);
}

void CVirtualFileSystem::AssignTextFile(TTextFile& file, const std::string& path) { file.Assign(GetRealPath(path)); }

void CVirtualFileSystem::AssignFile(TFile& file, const std::string& path) { file.Assign(GetRealPath(path)); }

bool CVirtualFileSystem::RenameFile(const std::string& oldPath, const std::string& newPath) {
  const std::string oldReal = GetRealPath(oldPath);
  std::string oldFolder, oldName, newFolder, newName;
  SplitVirtual(oldPath, oldFolder, oldName);
  SplitVirtual(newPath, newFolder, newName);
  std::string newReal;
  if (oldFolder == newFolder) {
    // A rename in place stays in the mount where the old name was found.
    std::string bare = oldReal;
    while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
    newReal = bare.substr(0, bare.find_last_of('/') + 1) + newName;
  } else {
    newReal = GetRealPath(newPath);
  }
  return real_.RenameFile(oldReal, newReal);
}

bool CVirtualFileSystem::DeleteFile(const std::string& path) { return real_.DeleteFile(GetRealPath(path)); }

bool CVirtualFileSystem::FileOrDirExists(const std::string& path, int flags) {
  return real_.FileOrDirExists(GetRealPath(path), flags);
}

bool CVirtualFileSystem::ForceDirectories(const std::string& path) { return real_.ForceDirectories(GetRealPath(path)); }

bool CVirtualFileSystem::CreateDir(const std::string& path) { return real_.CreateDir(GetRealPath(path)); }

bool CVirtualFileSystem::DeleteDirectory(const std::string& path) {
  GARVEL_ASSERT(!path.empty(), "Path is empty!", kUnit);
  GARVEL_ASSERT(path[0] != '\\', "Path must not begin with \"\\\"!", kUnit);
  const std::string host = VirtualToHost(path);
  int deleted = 0;
  bool failed = false;
  for (const std::string& mount : mounts_) {
    if (!real_.FileOrDirExists(mount + host, fdFolder)) continue;
    // Each mount's own copy: resolving the virtual path again would return
    // to a copy that failed to go, or to a file of that name in an earlier
    // mount, and leave this one in place.
    if (real_.DeleteDirectory(mount + host)) ++deleted;
    else failed = true;
  }
  return deleted > 0 && !failed;
}

void CVirtualFileSystem::ListFiles(const std::string& pathAndMask, int flags, TFileList& list) {
  GARVEL_ASSERT(!pathAndMask.empty(), "Empty pathAndMask!", kUnit);
  GARVEL_ASSERT(pathAndMask[0] != '\\', "pathAndMask must not begin with \"\\\"!", kUnit);
  TFileList scratch;
  const std::string host = VirtualToHost(pathAndMask);
  for (const std::string& mount : mounts_) real_.ListFiles(mount + host, flags, scratch);
  if (scratch.empty()) return;
  // Names sorted without regard to letter case (plain code-page order, as
  // callers that pick "the first" of several matches rely on); a name held
  // by several mounts is listed once.
  std::stable_sort(scratch.begin(), scratch.end(),
                   [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  auto runStart = scratch.begin();
  for (auto it = scratch.begin(); it != scratch.end(); ++it) {
    if (it == scratch.begin() || CompareNoCase(*it, *(it - 1)) != 0) runStart = it;
    if (std::find(runStart, it, *it) == it) list.push_back(*it);
  }
}

void CVirtualFileSystem::AddMount(const std::string& folder) {
  std::string f = WithSlash(folder);
  mounts_.push_back(f);
  if (defaultPath_.empty()) defaultPath_ = f;
}

void CVirtualFileSystem::SetDefaultPath(const std::string& folder) { defaultPath_ = WithSlash(folder); }
