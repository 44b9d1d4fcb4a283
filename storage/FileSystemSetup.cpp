#include "storage/FileSystemSetup.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <unistd.h>

#include "storage/Errors.h"

namespace {

std::unique_ptr<CRealFileSystem> g_real;
std::unique_ptr<CVirtualFileSystem> g_virtual;
TFileSystemFolders g_folders;

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? v : "";
}

std::string ExecutableFolder() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  std::string path(buf, static_cast<size_t>(n));
  return path.substr(0, path.find_last_of('/'));
}

}  // namespace

TFileSystemFolders DefaultFileSystemFolders() {
  TFileSystemFolders f;
  f.userData = Env("GARVEL_USER_DATA");
  if (f.userData.empty()) {
    std::string xdg = Env("XDG_DATA_HOME");
    if (xdg.empty()) {
      std::string home = Env("HOME");
      xdg = home.empty() ? "!ERROR!" : home + "/.local/share";
    }
    f.userData = xdg + "/Garvel";
  }
  f.commonData = Env("GARVEL_COMMON_DATA");
  if (f.commonData.empty()) f.commonData = "/var/lib/Garvel";
  f.programDir = Env("GARVEL_PROGRAM_DIR");
  if (f.programDir.empty()) {
    std::string exe = ExecutableFolder();
    f.programDir = exe.empty() ? "!ERROR!" : exe + "/../share/garvel";
    char resolved[PATH_MAX];
    if (::realpath(f.programDir.c_str(), resolved)) f.programDir = resolved;
  }
  f.userData = WithSlash(f.userData);
  f.commonData = WithSlash(f.commonData);
  f.programDir = WithSlash(f.programDir);
  return f;
}

void SetupFileSystems(const TFileSystemFolders& folders, bool createUserFolder) {
  GARVEL_ASSERT(!g_real && !g_virtual, "VFS already initialized!", "source/UVFS");
  auto real = std::make_unique<CRealFileSystem>();
  auto virt = std::make_unique<CVirtualFileSystem>(*real);

  bool userExists = real->FileOrDirExists(folders.userData, fdFolder);
  bool commonExists = real->FileOrDirExists(folders.commonData, fdFolder);
  if (createUserFolder && !userExists && !commonExists) userExists = real->ForceDirectories(folders.userData);

  if (userExists) virt->AddMount(folders.userData);
  if (commonExists) {
    virt->AddMount(folders.commonData);
    virt->SetDefaultPath(folders.commonData);
  }
  virt->AddMount(folders.programDir);
  // The default path: all-users, else per-user, else the program folder.
  if (commonExists) virt->SetDefaultPath(folders.commonData);
  else if (userExists) virt->SetDefaultPath(folders.userData);
  else virt->SetDefaultPath(folders.programDir);
  // The per-user copy of a write-protected program folder has no
  // counterpart on Linux, so no redirect is added here.

  g_real = std::move(real);
  g_virtual = std::move(virt);
  g_folders = folders;
}

void SetupFileSystems(bool createUserFolder) { SetupFileSystems(DefaultFileSystemFolders(), createUserFolder); }

void TeardownFileSystems() {
  GARVEL_ASSERT(g_virtual != nullptr, "VSF instance is nil!", "source/UVFS");
  GARVEL_ASSERT(g_real != nullptr, "RSF instance is nil!", "source/URealFS");
  g_virtual.reset();
  g_real.reset();
}

bool FileSystemsReady() { return g_virtual && g_real; }

const TFileSystemFolders& FileSystemFolders() { return g_folders; }

CVirtualFileSystem& GetVirtualFS() {
  GARVEL_ASSERT(g_virtual != nullptr, "VSF not initialized!", "source/UVFS");
  return *g_virtual;
}

CRealFileSystem& GetRealFS() {
  GARVEL_ASSERT(g_real != nullptr, "Real FS not initialized!", "source/URealFS");
  return *g_real;
}

S_FileName VirtualFile(const std::string& virtualPath) { return S_FileName{virtualPath, &GetVirtualFS()}; }

S_FileName RealFile(const std::string& realPath) { return S_FileName{realPath, &GetRealFS()}; }
