#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <thread>

#include "shell/ExternalPrograms.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TempDir.h"

namespace {

// Children of this process named `name`, running or ended and never waited for.
int ChildrenNamed(const std::string& name) {
  int count = 0;
  DIR* proc = opendir("/proc");
  if (!proc) return 0;
  while (dirent* e = readdir(proc)) {
    std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
    std::string pid, comm, state;
    long ppid = 0;
    if (stat >> pid >> comm >> state >> ppid && ppid == getpid() && comm == "(" + name + ")") ++count;
  }
  closedir(proc);
  return count;
}

}  // namespace

TEST(ExternalPrograms, PathRuleAndStart) {
  TTempDir dir;
  std::string tool = dir / "bin/tikomer";
  WriteFileBytes(tool, "#!/bin/sh\npwd > started.txt\n");
  chmod(tool.c_str(), 0755);
  EXPECT_EQ(ProgramPath(tool, "/opt/x", "tikomer", "/elsewhere"), tool);
  EXPECT_EQ(ProgramPath(dir / "missing", "/opt/x", "tikomer", dir.Path()), "/opt/x/tikomer");
  EXPECT_EQ(ProgramPath("", "", "tikomer", dir.Path()), "");
  // A relative setting counts from the data folder, not the launch folder.
  EXPECT_EQ(ProgramPath("bin/tikomer", "", "tikomer", dir.Path()), tool);
  EXPECT_EQ(ProgramPath("bin\\tikomer", "", "tikomer", dir.Path().substr(0, dir.Path().size() - 1)), tool);

  TRecordingNotifier notifier;
  StartTimerProgram(tool);
  EXPECT_TRUE(notifier.shown.empty());
  // The shell makes the file before pwd writes its line into it.
  for (int i = 0; i < 250 && ReadFileBytes(dir / "bin/started.txt").empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ReadFileBytes(dir / "bin/started.txt"), dir / "bin\n");  // in its own folder
  // Once it has ended nothing of it stays behind (no zombie).
  int children = 1;
  for (int i = 0; i < 250 && (children = ChildrenNamed("tikomer")) > 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(children, 0);

  StartTimerProgram(dir / "missing");
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Nepodařilo se spustit externí program \"Tikoměr\"");
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
}

TEST(ExternalPrograms, RelativePathStartsInItsOwnFolder) {
  TTempDir dir;
  WriteFileBytes(dir / "bin/tikomer", "#!/bin/sh\npwd > started.txt\n");
  chmod((dir / "bin/tikomer").c_str(), 0755);
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  const bool started = StartProgram("bin/tikomer");
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_TRUE(started);
  for (int i = 0; i < 250 && ReadFileBytes(dir / "bin/started.txt").empty(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ReadFileBytes(dir / "bin/started.txt"), dir / "bin\n");
}
