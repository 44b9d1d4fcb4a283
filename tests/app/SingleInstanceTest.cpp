#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "shell/CopyData.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

std::string Garvel() { return std::string(GARVEL_TEST_BIN_DIR) + "/garvel"; }

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

// Waits for the process to end; its exit status, or -1 after the time.
int WaitFor(pid_t pid, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

}  // namespace

// A second start hands its command line to the running copy and ends; the
// first keeps running.
TEST(SingleInstance, SecondStartHandsOverAndEnds) {
  if (access(Garvel().c_str(), X_OK) != 0) GTEST_SKIP() << "the desktop program is not built";
  TTempDir dir;
  setenv("GARVEL_USER_DATA", (dir / "data").c_str(), 1);
  setenv("GARVEL_RUNTIME_DIR", (dir / "run").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  pid_t first = Spawn({Garvel()});
  ASSERT_GT(first, 0);
  bool listening = false;
  for (int i = 0; i < 300 && !listening; ++i) {  // up to 30 s under the sanitizers
    listening = CopyDataWindowExists("THlavniForm");
    if (!listening) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ASSERT_TRUE(listening) << "the first copy never came up";
  WriteFileBytes(dir / "some.cgarv", "x");
  pid_t second = Spawn({Garvel(), dir / "some.cgarv"});
  ASSERT_GT(second, 0);
  EXPECT_EQ(WaitFor(second, 30000), 0);
  EXPECT_EQ(WaitFor(first, 200), -1);  // still running
  // The first start made the per-user data folder with its stores.
  bool stores = false;
  for (int i = 0; i < 300 && !stores; ++i) {
    stores = PathExists(dir / "data/db_cars.dat");
    if (!stores) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(stores);
  kill(first, SIGTERM);
  if (WaitFor(first, 10000) < 0) {
    kill(first, SIGKILL);
    WaitFor(first, 5000);
  }
}

// Several files opened at once from a file manager start several copies
// together: one stays and every other hands its file over; a client that
// holds a silent connection to it does not stop a later start.
TEST(SingleInstance, BurstOfStartsLeavesOneCopy) {
  if (access(Garvel().c_str(), X_OK) != 0) GTEST_SKIP() << "the desktop program is not built";
  TTempDir dir;
  setenv("GARVEL_USER_DATA", (dir / "data").c_str(), 1);
  setenv("GARVEL_RUNTIME_DIR", (dir / "run").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::vector<pid_t> starts;
  for (int i = 0; i < 5; ++i) {
    const std::string file = dir / ("f" + std::to_string(i) + ".cgarv");
    WriteFileBytes(file, "x");
    starts.push_back(Spawn({Garvel(), file}));
    ASSERT_GT(starts.back(), 0);
  }
  // Every copy but one ends, having handed over (exit status 0).
  std::vector<pid_t> running = starts;
  for (int waited = 0; running.size() > 1 && waited < 60000; waited += 50) {
    for (size_t i = running.size(); i-- > 0;) {
      int status = 0;
      if (waitpid(running[i], &status, WNOHANG) == running[i]) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        running.erase(running.begin() + static_cast<long>(i));
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_EQ(running.size(), 1u);
  EXPECT_EQ(WaitFor(running[0], 500), -1);
  // The one copy took every file: its own and the four handed over. The four
  // left no trace log of their own.
  int logs = 0;
  auto traced = [&] {
    std::string log;
    std::error_code error;
    logs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "data", error))
      if (entry.path().filename().string().rfind("garv_trace", 0) == 0) {
        log += ReadFileBytes(entry.path().string());
        ++logs;
      }
    int files = 0;
    for (int i = 0; i < 5; ++i) files += log.find("f" + std::to_string(i) + ".cgarv\"") != std::string::npos;
    return files;
  };
  int files = 0;
  for (int i = 0; i < 300 && (files = traced()) < 5; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(files, 5);
  EXPECT_EQ(logs, 1);

  TCopyDataLink silent;
  for (int i = 0; i < 300 && !silent.Connect("THlavniForm"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(silent.IsConnected());
  pid_t sixth = Spawn({Garvel(), dir / "f0.cgarv"});
  EXPECT_EQ(WaitFor(sixth, 30000), 0);
  EXPECT_EQ(WaitFor(running[0], 200), -1);
  silent.Close();
  kill(running[0], SIGTERM);
  if (WaitFor(running[0], 10000) < 0) {
    kill(running[0], SIGKILL);
    WaitFor(running[0], 5000);
  }
}
