#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <regex>

#include "storage/DateTime.h"
#include "storage/File.h"
#include "storage/FileOps.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteProtect.h"

namespace {

class FileOpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vfs.AddMount(dir / "A");
    vfs.AddMount(dir / "B");
    SetClockForTests([] { return EncodeDate(2024, 3, 5) + EncodeTime(8, 5, 9); });
  }
  void TearDown() override { SetClockForTests(nullptr); }

  S_FileName Real(const std::string& name) { return S_FileName{dir / name, &real}; }
  S_FileName Virtual(const std::string& name) { return S_FileName{name, &vfs}; }

  TTempDir dir;
  CRealFileSystem real;
  CVirtualFileSystem vfs{real};
};

// Sets an environment variable for one scope and puts the old value back.
class TEnv {
 public:
  TEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~TEnv() {
    if (had_) setenv(name_, old_.c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST_F(FileOpsTest, CopyTreeAcrossFileSystems) {
  // Over a chunk boundary and not a whole number of chunks.
  std::string big(3 * 1048576 + 17, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31 + i / 7);
  WriteFileBytes(dir / "A/tree/big.bin", big);
  WriteFileBytes(dir / "A/tree/sub/small.txt", "s");
  WriteFileBytes(dir / "B/tree/fromB.txt", "b");  // the virtual tree spans both mounts
  ASSERT_TRUE(real.ForceDirectories(dir / "A/tree/empty/"));
  WriteFileBytes(dir / "A/tree/zero.bin", "");

  ASSERT_TRUE(CopyTree(Virtual("tree"), Real("copy")));
  EXPECT_EQ(ReadFileBytes(dir / "copy/big.bin"), big);
  EXPECT_EQ(ReadFileBytes(dir / "copy/sub/small.txt"), "s");
  EXPECT_EQ(ReadFileBytes(dir / "copy/fromB.txt"), "b");
  EXPECT_TRUE(real.FileOrDirExists(dir / "copy/empty", fdFolder));
  EXPECT_TRUE(real.FileOrDirExists(dir / "copy/zero.bin", fdFile));

  // Back into the virtual file system, where new folders follow the
  // resolution rules: "back" exists in no mount, so it is made in the
  // default path (A, the first mount).
  ASSERT_TRUE(CopyTree(Real("copy/sub"), Virtual("back\\sub")));
  EXPECT_EQ(ReadFileBytes(dir / "A/back/sub/small.txt"), "s");
  // A single file is copied as a file; its folders are made.
  ASSERT_TRUE(CopyTree(Virtual("tree\\fromB.txt"), Virtual("tree\\new\\deep\\f.txt")));
  EXPECT_EQ(ReadFileBytes(dir / "A/tree/new/deep/f.txt"), "b");
  // An empty folder yields true.
  EXPECT_TRUE(CopyTree(Real("copy/empty"), Real("copy2")));
}

TEST_F(FileOpsTest, FailedCopiesLeaveNothingBehind) {
  EXPECT_FALSE(CopyFileTo(Real("nope"), Real("out")));
  EXPECT_FALSE(PathExists(dir / "out"));

  // A file onto itself keeps its content.
  WriteFileBytes(dir / "A/self.txt", "self");
  EXPECT_FALSE(CopyFileTo(Virtual("self.txt"), Real("A/self.txt")));
  EXPECT_EQ(ReadFileBytes(dir / "A/self.txt"), "self");

  // A file that a writer holds is not truncated under it.
  WriteFileBytes(dir / "held.dat", "store");
  TFile writer;
  writer.Assign(dir / "held.dat");
  ASSERT_TRUE(writer.Open(TFile::Mode::ReadWrite, true));
  EXPECT_FALSE(CopyFileTo(Virtual("self.txt"), Real("held.dat")));
  EXPECT_EQ(ReadFileBytes(dir / "held.dat"), "store");
  writer.Close();

  // A folder read as a file fails without leaving a destination.
  ASSERT_TRUE(real.ForceDirectories(dir / "folder"));
  EXPECT_FALSE(CopyFileTo(Real("folder"), Real("fromFolder")));
  EXPECT_FALSE(PathExists(dir / "fromFolder"));

  // Into a write-protected folder; every other entry of a tree still goes.
  WriteFileBytes(dir / "src/a.txt", "a");
  WriteFileBytes(dir / "src/b.txt", "b");
  WriteFileBytes(dir / "dst/b.txt", "old");
  ASSERT_TRUE(real.ForceDirectories(dir / "ro"));
  {
    TWriteProtect ro(dir / "ro");
    TWriteProtect oldB(dir / "dst/b.txt");
    if (!ro.Active() || !oldB.Active()) GTEST_SKIP() << "cannot write-protect here";
    EXPECT_FALSE(CopyFileTo(Real("src/a.txt"), Real("ro/a.txt")));
    EXPECT_FALSE(PathExists(dir / "ro/a.txt"));
    EXPECT_FALSE(CopyTree(Real("src"), Real("dst")));
    EXPECT_EQ(ReadFileBytes(dir / "dst/a.txt"), "a");
    EXPECT_EQ(ReadFileBytes(dir / "dst/b.txt"), "old");
  }
}

TEST_F(FileOpsTest, TemporaryNames) {
  {
    TEnv temp("TEMP", (dir / "t").c_str());  // no trailing delimiter
    S_FileName f = MakeTempFileName("exp", "csv");
    EXPECT_TRUE(std::regex_match(f.name, std::regex(dir / "t/exp202435[0-9]{8}\\.csv"))) << f.name;
    EXPECT_EQ(MakeTempFileName("", "txt").name.substr(0, (dir / "t/202435").size()), dir / "t/202435");

    std::string folder = MakeTempFolder();  // its parents are made too
    EXPECT_TRUE(std::regex_match(folder, std::regex(dir / "t/GarvTemp20240305r[0-9]{1,6}/"))) << folder;
    struct stat st;
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_NE(MakeTempFolder(), folder);  // a fresh folder each time
  }
  {
    TEnv temp("TEMP", nullptr);
    TEnv tmpdir("TMPDIR", (dir / "x/").c_str());
    EXPECT_EQ(MakeTempFileName("p", "e").name.substr(0, (dir / "x/p2024").size()), dir / "x/p2024");
    TEnv none("TMPDIR", nullptr);
    EXPECT_EQ(MakeTempFileName("p", "e").name.substr(0, 6), "/tmp/p");
  }
  {
    WriteFileBytes(dir / "file", "");
    TEnv temp("TEMP", (dir / "file/sub").c_str());  // cannot be made
    EXPECT_EQ(MakeTempFolder(), "");
  }
  EXPECT_TRUE(std::regex_match(MakeRunStamp(), std::regex("20240305r[0-9]{1,6}")));
}
