#include "shell/ExternalPrograms.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "shell/CopyData.h"
#include "shell/GarvCalendCom.h"
#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"
#include "storage/RealFileSystem.h"
#include "storage/TextUtils.h"

extern char** environ;

std::string ProgramPath(const std::string& settingPath, const std::string& installFolder, const std::string& fileName,
                        const std::string& baseFolder) {
  if (!settingPath.empty()) {
    std::string path = settingPath;
    // A setting written on another system may use "\" between folders.
    if (path[0] != '/' && !baseFolder.empty()) path = EnsureTrailing(baseFolder, '/') + VirtualToHost(path);
    if (HostExists(path, fdFile)) return path;
  }
  if (installFolder.empty()) return "";
  return EnsureTrailing(installFolder, '/') + fileName;
}

std::string ProgramPath(const std::string& settingPath, const std::string& installFolder, const std::string& fileName) {
  const std::string base = FileSystemsReady() ? GetVirtualFS().GetDefaultPath() : "";
  return ProgramPath(settingPath, installFolder, fileName, base);
}

bool StartProgram(const std::string& given) {
  if (given.empty()) return false;
  // The child changes into the program's folder before it starts the program,
  // so the path must not depend on the folder it was given in.
  std::error_code ec;
  const std::string path = std::filesystem::absolute(given, ec).lexically_normal().string();
  if (ec || access(path.c_str(), X_OK) != 0) return false;
  std::string folder = path.substr(0, path.find_last_of('/'));
  if (folder.empty()) folder = "/";
  // posix_spawn with a changed working folder needs glibc 2.29's addchdir,
  // which Debian 12 has.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  // The program runs as long as the user likes; whoever ends it first, it
  // must not stay behind as a zombie for the rest of our day.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

void OpenCalendarProgram(const std::string& path) {
  // A running calendar listens for its window class; another program's
  // window cannot be raised from here, and it is already open.
  if (CopyDataWindowExists(kCalendarWindowClass)) return;
  if (!StartProgram(path)) ShowMessage("Chyba", "Nepodařilo se spustit aplikaci.", TMsgIcon::Error);
}

void StartTimerProgram(const std::string& path) {
  if (!StartProgram(path))
    ShowMessage("Chyba", "Nepodařilo se spustit externí program \"Tikoměr\"", TMsgIcon::Error);
}
