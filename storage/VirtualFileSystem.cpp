#include "storage/VirtualFileSystem.h"

#include <algorithm>
#include <strings.h>

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
  std::string oldReal = GetRealPath(oldPath);
  auto folderPart = [](const std::string& p) {
    size_t s = p.find_last_of('\\');
    return s == std::string::npos ? std::string() : p.substr(0, s + 1);
  };
  std::string newReal;
  if (folderPart(oldPath) == folderPart(newPath)) {
    // A rename in place stays in the mount where the old name was found.
    size_t s = oldReal.find_last_of('/');
    size_t n = newPath.find_last_of('\\');
    newReal = oldReal.substr(0, s + 1) + (n == std::string::npos ? newPath : newPath.substr(n + 1));
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
  std::string host = VirtualToHost(path);
  int deleted = 0;
  bool failed = false;
  for (const std::string& mount : mounts_) {
    if (!real_.FileOrDirExists(mount + host, fdFolder)) continue;
    // Resolving again finds the first mount that still holds the folder.
    if (real_.DeleteDirectory(GetRealPath(path))) ++deleted;
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
  std::stable_sort(scratch.begin(), scratch.end(),
                   [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
  for (size_t i = 0; i < scratch.size(); ++i)
    if (i == 0 || scratch[i] != scratch[i - 1]) list.push_back(scratch[i]);
}

void CVirtualFileSystem::AddMount(const std::string& folder) {
  std::string f = WithSlash(folder);
  mounts_.push_back(f);
  if (defaultPath_.empty()) defaultPath_ = f;
}

void CVirtualFileSystem::SetDefaultPath(const std::string& folder) { defaultPath_ = WithSlash(folder); }
