#include "shell/ExternalPrograms.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include "shell/CopyData.h"
#include "shell/GarvCalendCom.h"
#include "storage/Notifier.h"
#include "storage/RealFileSystem.h"

extern char** environ;

std::string ProgramPath(const std::string& settingPath, const std::string& installFolder, const std::string& fileName) {
  if (!settingPath.empty() && HostExists(settingPath, fdFile)) return settingPath;
  if (installFolder.empty()) return "";
  std::string folder = installFolder;
  if (folder.back() != '/') folder += '/';
  return folder + fileName;
}

bool StartProgram(const std::string& path) {
  if (path.empty() || access(path.c_str(), X_OK) != 0) return false;
  std::string folder = path.substr(0, path.find_last_of('/'));
  if (folder.empty()) folder = "/";
  // A double fork would orphan the child; posix_spawn with a changed working
  // folder needs glibc 2.29's addchdir, which Debian 12 has.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = 0;
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0;
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
