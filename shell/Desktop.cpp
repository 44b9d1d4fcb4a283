#include "shell/Desktop.h"

#include <atomic>
#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {
TXdgDesktop g_xdgDesktop;
std::atomic<IDesktop*> g_desktop{nullptr};
}  // namespace

int RunAndWait(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool TXdgDesktop::OpenDocument(const std::string& path) { return !path.empty() && RunAndWait("xdg-open", {path}) == 0; }

bool TXdgDesktop::OpenUrl(const std::string& url) { return !url.empty() && RunAndWait("xdg-open", {url}) == 0; }

IDesktop& GetDesktop() {
  IDesktop* d = g_desktop.load();
  return d ? *d : g_xdgDesktop;
}

void SetDesktop(IDesktop* desktop) { g_desktop.store(desktop); }
