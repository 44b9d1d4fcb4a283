#include "storage/FileSystemSetup.h"

#include <climits>
#include <cstdlib>
#include <memory>
#include <pwd.h>
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

std::string HomeFolder() {
  std::string home = Env("HOME");
  if (home.empty()) {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  }
  return home;
}

bool IsAbsolute(const std::string& folder) { return !folder.empty() && folder[0] == '/'; }

// Stands for a folder that cannot be determined; it never exists.
const char* const kUnknownFolder = "!ERROR!";

}  // namespace

std::string AbsoluteFolder(const std::string& folder) {
  if (folder.empty() || IsAbsolute(folder)) return folder;
  char cwd[PATH_MAX];
  return ::getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + folder : folder;
}

TFileSystemFolders DefaultFileSystemFolders() {
  TFileSystemFolders f;
  f.userData = AbsoluteFolder(Env("GARVEL_USER_DATA"));
  if (f.userData.empty()) {
    std::string xdg = Env("XDG_DATA_HOME");
    if (!IsAbsolute(xdg)) {  // a relative value is invalid and ignored
      std::string home = HomeFolder();
      xdg = IsAbsolute(home) ? home + "/.local/share" : "";
    }
    f.userData = xdg.empty() ? kUnknownFolder : xdg + "/Garvel";
  }
  f.commonData = AbsoluteFolder(Env("GARVEL_COMMON_DATA"));
  if (f.commonData.empty()) f.commonData = "/var/lib/Garvel";
  f.programDir = AbsoluteFolder(Env("GARVEL_PROGRAM_DIR"));
  if (f.programDir.empty()) {
    // <prefix>/bin/garvel reads <prefix>/share/garvel; the build tree has
    // the same layout.
    std::string exe = ExecutableFolder();
    f.programDir = exe.empty() ? kUnknownFolder : exe + "/../share/garvel";
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

  // A folder that could not be determined is never used (nor created
  // relative to the current directory).
  bool userExists = IsAbsolute(folders.userData) && real->FileOrDirExists(folders.userData, fdFolder);
  bool commonExists = IsAbsolute(folders.commonData) && real->FileOrDirExists(folders.commonData, fdFolder);
  // Data never lands in the program folder: the desktop program and garvelctl
  // make the per-user folder when neither data folder exists.
  if (createUserFolder && !userExists && !commonExists && IsAbsolute(folders.userData))
    userExists = real->ForceDirectories(folders.userData);

  // Search order: per-user, all-users, program folder. New files go to the
  // all-users folder if it exists, else the per-user one, else the program
  // folder (the first mount becomes the default path on its own).
  if (userExists) virt->AddMount(folders.userData);
  if (commonExists) {
    virt->AddMount(folders.commonData);
    virt->SetDefaultPath(folders.commonData);
  }
  virt->AddMount(folders.programDir);
  // The current directory is left alone: file names that the user types on
  // the command line keep meaning the folder they were typed in, and every
  // data file is reached through the default path anyway.
  //
  // The per-user copy that Windows keeps of a write-protected program folder
  // (its "VirtualStore") has no counterpart on Linux, so no redirect is
  // added here; CRealFileSystem::AddRedirect still serves any other use.

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
