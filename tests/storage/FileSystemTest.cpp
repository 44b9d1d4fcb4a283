#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "storage/DateTime.h"
#include "storage/Errors.h"
#include "storage/File.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TempDir.h"

namespace {

class VfsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a = dir / "A/";
    b = dir / "B/";
    d = dir / "D/";
    for (const std::string& f : {a, b, d}) mkdir(f.c_str(), 0755);
    vfs.AddMount(a);
    vfs.AddMount(b);
    vfs.SetDefaultPath(d);
  }
  TTempDir dir;
  std::string a, b, d;
  CRealFileSystem real;
  CVirtualFileSystem vfs{real};
};

}  // namespace

TEST_F(VfsTest, ResolutionTable) {
  WriteFileBytes(b + "x.dat", "b");
  WriteFileBytes(a + "both.dat", "a");
  WriteFileBytes(b + "both.dat", "b");
  mkdir((b + "sub").c_str(), 0755);
  struct Case { const char* path; std::string want; } cases[] = {
      {"", ""},
      {"x.dat", b + "x.dat"},             // only in B
      {"both.dat", a + "both.dat"},       // first mount wins
      {"none.dat", d + "none.dat"},       // nowhere: default path
      {"sub\\new.txt", b + "sub/new.txt"},  // folder exists only in B
      {"nowhere\\new.txt", d + "nowhere/new.txt"},
      {"sub\\", b + "sub/"},              // trailing delimiter kept
      {"sub/", b + "sub/"},
  };
  for (const Case& c : cases) EXPECT_EQ(vfs.GetRealPath(c.path), c.want) << c.path;
  EXPECT_THROW(vfs.GetRealPath("\\abs"), EAssertionFailed);
  EXPECT_EQ(real.GetRealPath(""), "");
}

TEST_F(VfsTest, RedirectsPointOnlyAtWhatExists) {
  std::string to = dir / "redir/";
  mkdir(to.c_str(), 0755);
  WriteFileBytes(to + "here.txt", "r");
  real.AddRedirect(dir / "prog/", to);
  EXPECT_EQ(real.GetRedirects()[0].from, UpperAscii(dir / "prog/"));
  struct Case { std::string in, want; } cases[] = {
      {dir / "prog/here.txt", to + "here.txt"},
      {dir / "PROG/here.txt", to + "here.txt"},  // letter case of the prefix ignored
      {dir / "prog/missing.txt", dir / "prog/missing.txt"},
      {dir / "other/here.txt", dir / "other/here.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(real.GetRealPath(c.in), c.want) << c.in;
}

TEST_F(VfsTest, ListRenameAndDelete) {
  WriteFileBytes(a + "icons/a.ico", "1");
  WriteFileBytes(b + "icons/a.ico", "2");
  WriteFileBytes(b + "icons/B.ico", "3");
  WriteFileBytes(b + "icons/c.txt", "4");
  WriteFileBytes(b + "icons/.hidden.ico", "5");
  TFileList list{"keep"};
  vfs.ListFiles("icons\\*.ico", fdFile, list);
  EXPECT_EQ(list, (TFileList{"keep", "a.ico", "B.ico"}));
  EXPECT_THROW(vfs.ListFiles("", fdFile, list), EAssertionFailed);

  WriteFileBytes(b + "data/a.txt", "x");
  mkdir((a + "data").c_str(), 0755);
  ASSERT_TRUE(vfs.RenameFile("data\\a.txt", "data\\b.txt"));
  EXPECT_TRUE(PathExists(b + "data/b.txt"));  // stays in the mount it was found in
  EXPECT_FALSE(vfs.RenameFile("data\\gone.txt", "data\\c.txt"));

  EXPECT_TRUE(vfs.DeleteDirectory("icons"));
  EXPECT_FALSE(PathExists(a + "icons"));
  EXPECT_FALSE(PathExists(b + "icons"));
  EXPECT_FALSE(vfs.DeleteDirectory("icons"));
  EXPECT_THROW(vfs.DeleteDirectory(""), EAssertionFailed);
}

TEST_F(VfsTest, FailuresReturnFalse) {
  EXPECT_FALSE(real.DeleteFile(dir / "missing/x"));
  EXPECT_FALSE(real.CreateDir(dir / "missing/deeper/x"));
  EXPECT_FALSE(real.RenameFile(dir / "missing", dir / "y"));
  EXPECT_FALSE(real.DeleteDirectory(dir / "missing"));
  TFileList list;
  real.ListFiles(dir / "missing/*.*", fdEither, list);
  EXPECT_TRUE(list.empty());
  TFile f;
  real.AssignFile(f, dir / "missing/x.dat");
  EXPECT_FALSE(f.Open(TFile::Mode::Create));
  EXPECT_NE(f.Error(), "");
  // A file locked by a writer cannot be opened by a second writer.
  TFile w1, w2;
  w1.Assign(dir / "locked.dat");
  ASSERT_TRUE(w1.Open(TFile::Mode::Create, true));
  w2.Assign(dir / "locked.dat");
  EXPECT_FALSE(w2.Open(TFile::Mode::ReadWrite, true));
  if (geteuid() != 0) {  // root ignores permission bits
    std::string ro = dir / "ro/";
    mkdir(ro.c_str(), 0555);
    EXPECT_FALSE(real.CreateDir(ro + "x"));
  }
}

TEST_F(VfsTest, CopyTreeInChunksWithEmptyFolders) {
  std::string big(3 * 1048576 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31);
  WriteFileBytes(a + "tree/big.bin", big);
  WriteFileBytes(a + "tree/sub/small.txt", "s");
  mkdir((a + "tree/empty").c_str(), 0755);
  ASSERT_TRUE(CopyTree(S_FileName{"tree", &vfs}, S_FileName{dir / "copy", &real}));
  EXPECT_EQ(ReadFileBytes(dir / "copy/big.bin"), big);
  EXPECT_EQ(ReadFileBytes(dir / "copy/sub/small.txt"), "s");
  EXPECT_TRUE(PathExists(dir / "copy/empty"));
  EXPECT_FALSE(CopyFileTo(S_FileName{dir / "nope", &real}, S_FileName{dir / "out", &real}));
  EXPECT_FALSE(PathExists(dir / "out"));
}

TEST(FileSystemSetup, InstancesAndDefaultPath) {
  TTempDir dir;
  EXPECT_THROW(GetVirtualFS(), EAssertionFailed);
  EXPECT_THROW(GetRealFS(), EAssertionFailed);
  TFileSystemFolders f{dir / "user/", dir / "common/", dir / "prog/"};
  SetupFileSystems(f, true);  // neither data folder exists: the per-user one is made
  EXPECT_TRUE(PathExists(dir / "user"));
  EXPECT_EQ(GetVirtualFS().GetMounts(), (std::vector<std::string>{dir / "user/", dir / "prog/"}));
  EXPECT_EQ(GetVirtualFS().GetDefaultPath(), dir / "user/");
  EXPECT_THROW(SetupFileSystems(f, true), EAssertionFailed);
  TeardownFileSystems();
  EXPECT_THROW(TeardownFileSystems(), EAssertionFailed);
  mkdir((dir / "common").c_str(), 0755);
  SetupFileSystems(f, true);
  EXPECT_EQ(GetVirtualFS().GetMounts().size(), 3u);
  EXPECT_EQ(GetVirtualFS().GetDefaultPath(), dir / "common/");
  TeardownFileSystems();
}

TEST(Logs, ErrorLogAndTraceLog) {
  TTempDir dir;
  SetupFileSystems(TFileSystemFolders{dir.Path(), dir / "c/", dir / "p/"}, false);
  TRecordingNotifier notifier;
  SetClockForTests([] { return EncodeDate(2024, 3, 5) + EncodeTime(8, 5, 9); });
  ASSERT_TRUE(LogError("první", false));
  ASSERT_TRUE(LogError("druhá", true));
  EXPECT_EQ(ReadFileBytes(dir / "errlog.txt"),
            "\r\n5.3.2024  8:05:09\r\nprvn\xED\r\n\r\n5.3.2024  8:05:09\r\ndruh\xE1\r\n");
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");

  std::string s1 = MakeRunStamp(), s2 = MakeRunStamp();
  EXPECT_EQ(s1.substr(0, 9), "20240305r");
  StartTraceLog(s1);
  TraceStartup();
  LogTrace(1, "Car ID#1: Add");
  LogTrace(3, "dropped");
  std::string trace = ReadFileBytes(dir / ("garv_trace" + s1 + ".log"));
  EXPECT_EQ(trace.substr(0, 20), "5.3.2024 8:05:09: ==");
  EXPECT_NE(trace.find("Mount \"" + dir.Path() + "\"\r\n"), std::string::npos);
  EXPECT_NE(trace.find("Car ID#1: Add\r\n"), std::string::npos);
  EXPECT_EQ(trace.find("dropped"), std::string::npos);
  // Two starts on one day get different trace logs (the random parts differ
  // almost always; a rare equal pair is retried).
  if (s1 == s2) s2 = MakeRunStamp();
  EXPECT_NE(s1, s2);
  SetClockForTests(nullptr);
  TeardownFileSystems();
}
