#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "tests/support/TempDir.h"

extern char** environ;

namespace {

std::vector<std::string> Environment(const TEnvChanges& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (!changes.count(entry.substr(0, entry.find('=')))) env.push_back(entry);
  }
  for (const auto& [name, value] : changes)
    if (value != kUnsetVariable) env.push_back(name + "=" + value);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> p;
  for (std::string& s : strings) p.push_back(s.data());
  p.push_back(nullptr);
  return p;
}

}  // namespace

pid_t StartProgram(const std::vector<std::string>& argv, const TEnvChanges& env, const std::string& outputFile) {
  std::vector<std::string> args = argv;
  std::vector<std::string> envStrings = Environment(env);
  std::vector<char*> argp = Pointers(args), envp = Pointers(envStrings);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!outputFile.empty()) {
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  pid_t pid = -1;
  if (posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitForProgram(pid_t pid, int milliseconds) {
  for (int waited = 0;; waited += 10) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    if (waited >= milliseconds) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void StopProgram(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  if (WaitForProgram(pid, 10000) < 0) {
    kill(pid, SIGKILL);
    WaitForProgram(pid, 10000);
  }
}

TProgramRun RunProgram(const std::vector<std::string>& argv, const TEnvChanges& env, int milliseconds) {
  char name[] = "/tmp/garvel-test-output-XXXXXX";
  const int fd = mkstemp(name);
  TProgramRun run;
  if (fd < 0) return run;
  close(fd);
  const pid_t pid = StartProgram(argv, env, name);
  if (pid > 0) {
    run.status = WaitForProgram(pid, milliseconds);
    if (run.status < 0) StopProgram(pid);
    run.output = ReadFileBytes(name);
  }
  unlink(name);
  return run;
}
