#include "documents/ProgramRunner.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "storage/FileOps.h"
#include "storage/Notifier.h"

extern char** environ;

namespace {

constexpr off_t kOutputKept = 8192;

TBlockingProgramRunner g_blockingRunner;
std::atomic<IProgramRunner*> g_runner{nullptr};

int OpenOutputFile() {
  std::string pattern = HostTempFolder() + "garvel-run-XXXXXX";
  int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd >= 0) unlink(pattern.c_str());  // lives as long as the descriptor
  return fd;
}

}  // namespace

TSpawnedProgram::~TSpawnedProgram() {
  if (Running()) Terminate();
  if (outputFd_ >= 0) close(outputFd_);
}

bool TSpawnedProgram::Start(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& folder) {
  if (program.empty() || pid_ > 0) return false;
  outputFd_ = OpenOutputFile();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (outputFd_ >= 0) {
    posix_spawn_file_actions_adddup2(&actions, outputFd_, 1);
    posix_spawn_file_actions_adddup2(&actions, outputFd_, 2);
  }
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = -1;
  int rc = program.find('/') == std::string::npos
               ? posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ)
               : posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  pid_ = pid;
  started_ = true;
  ended_ = false;
  return true;
}

bool TSpawnedProgram::Poll() {
  if (pid_ <= 0 || ended_) return true;
  pid_t r = waitpid(pid_, &status_, WNOHANG);
  if (r == pid_ || (r < 0 && errno != EINTR)) ended_ = true;
  return ended_;
}

void TSpawnedProgram::Wait() {
  while (pid_ > 0 && !ended_) {
    pid_t r = waitpid(pid_, &status_, 0);
    if (r == pid_ || (r < 0 && errno != EINTR)) ended_ = true;
  }
}

void TSpawnedProgram::Terminate() {
  if (!Running()) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 20 && !Poll(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!ended_) {
    kill(pid_, SIGKILL);
    Wait();
  }
}

void TSpawnedProgram::Detach() {
  if (!Running()) return;
  pid_t pid = pid_;
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  pid_ = -1;
}

TProgramRun TSpawnedProgram::Result() const {
  TProgramRun run;
  run.started = started_;
  run.ended = ended_;
  if (run.ended && WIFEXITED(status_)) run.exitCode = WEXITSTATUS(status_);
  if (outputFd_ >= 0) {
    off_t size = lseek(outputFd_, 0, SEEK_END);
    off_t from = size > kOutputKept ? size - kOutputKept : 0;
    if (size > 0) {
      run.output.resize(static_cast<size_t>(size - from));
      ssize_t got = pread(outputFd_, run.output.data(), run.output.size(), from);
      run.output.resize(got > 0 ? static_cast<size_t>(got) : 0);
    }
  }
  return run;
}

TProgramRun StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder, bool wait,
                         const std::function<void(TSpawnedProgram& program)>& waitFor) {
  TSpawnedProgram p;
  if (!p.Start(program, arguments, folder)) return TProgramRun{};
  if (!wait) {
    p.Detach();
    TProgramRun run;
    run.started = true;
    return run;
  }
  waitFor(p);
  return p.Result();  // a program still running is stopped when `p` goes
}

TProgramRun TBlockingProgramRunner::Run(const std::string& program, const std::vector<std::string>& arguments,
                                        const std::string& folder, bool wait) {
  return StartProgram(program, arguments, folder, wait, [](TSpawnedProgram& p) { p.Wait(); });
}

IProgramRunner& GetProgramRunner() {
  IProgramRunner* r = g_runner.load();
  return r ? *r : g_blockingRunner;
}

void SetProgramRunner(IProgramRunner* runner) { g_runner.store(runner); }

TProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments, bool wait,
                       const std::string& folder) {
  TProgramRun run = GetProgramRunner().Run(program, arguments, folder, wait);
  if (!run.started) ShowMessage("Chyba", "Chyba při spouštění externího programu! (" + program + ")", TMsgIcon::Error);
  return run;
}
