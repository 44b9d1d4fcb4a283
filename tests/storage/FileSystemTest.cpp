#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>

#include "storage/Errors.h"
#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteProtect.h"

namespace {

// Two mounts A and B (in that order) and a separate default folder D.
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
  void MakeDir(const std::string& path) { ASSERT_TRUE(real.ForceDirectories(path)) << path; }

  TTempDir dir;
  std::string a, b, d;
  CRealFileSystem real;
  CVirtualFileSystem vfs{real};
};

// The message and unit of the assertion that `call` fails with.
std::string AssertionOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EAssertionFailed& e) {
    return e.Message() + " @ " + e.Unit();
  }
  return "no assertion";
}

std::vector<std::string> HostEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST_F(VfsTest, ResolutionTable) {
  WriteFileBytes(b + "x.dat", "b");
  WriteFileBytes(a + "both.dat", "a");
  WriteFileBytes(b + "both.dat", "b");
  MakeDir(b + "sub");
  struct Case {
    const char* path;
    std::string want;
  } cases[] = {
      {"", ""},
      {"x.dat", b + "x.dat"},                        // only in B
      {"both.dat", a + "both.dat"},                  // first mount wins
      {"none.dat", d + "none.dat"},                  // nowhere: default path
      {"sub\\new.txt", b + "sub/new.txt"},           // its folder exists only in B
      {"sub/new.txt", b + "sub/new.txt"},
      {"sub\\deeper\\new.txt", d + "sub/deeper/new.txt"},  // folder part exists nowhere
      {"nowhere\\new.txt", d + "nowhere/new.txt"},
      {"sub\\", b + "sub/"},                         // a trailing delimiter comes back as "/"
      {"sub/", b + "sub/"},
      {"newdir\\", d + "newdir/"},
  };
  for (const Case& c : cases) EXPECT_EQ(vfs.GetRealPath(c.path), c.want) << c.path;
  EXPECT_EQ(real.GetRealPath(""), "");
  EXPECT_EQ(real.GetRealPath(dir / "x\\"), dir / "x/");

  // A mount whose folder has vanished is skipped silently.
  CVirtualFileSystem gone{real};
  gone.AddMount(dir / "vanished");
  gone.AddMount(b);
  EXPECT_EQ(gone.GetMounts(), (std::vector<std::string>{dir / "vanished/", b}));
  EXPECT_EQ(gone.GetDefaultPath(), dir / "vanished/");  // the first mount while none is set
  EXPECT_EQ(gone.GetRealPath("x.dat"), b + "x.dat");
}

TEST_F(VfsTest, PathRuleAssertions) {
  EXPECT_EQ(AssertionOf([&] { vfs.GetRealPath("\\abs"); }), "Path must not begin with \"\\\"! @ source/UVFS");
  EXPECT_EQ(AssertionOf([&] { vfs.FileOrDirExists("\\abs", fdEither); }),
            "Path must not begin with \"\\\"! @ source/UVFS");
  EXPECT_EQ(AssertionOf([&] { vfs.DeleteDirectory(""); }), "Path is empty! @ source/UVFS");
  EXPECT_EQ(AssertionOf([&] { vfs.DeleteDirectory("\\x"); }), "Path must not begin with \"\\\"! @ source/UVFS");
  TFileList list;
  EXPECT_EQ(AssertionOf([&] { vfs.ListFiles("", fdFile, list); }), "Empty pathAndMask! @ source/UVFS");
  EXPECT_EQ(AssertionOf([&] { vfs.ListFiles("\\*.*", fdFile, list); }),
            "pathAndMask must not begin with \"\\\"! @ source/UVFS");
  EXPECT_EQ(AssertionOf([&] { real.GetRealPath("\\x"); }), "Path must not begin with \"\\\"! @ source/URealFS");
  EXPECT_EQ(AssertionOf([&] { real.DeleteFile("\\x"); }), "Path must not begin with \"\\\"! @ source/URealFS");
  EXPECT_EQ(AssertionOf([&] { real.ListFiles("", fdFile, list); }), "Empty pathAndMask! @ source/URealFS");
  EXPECT_EQ(AssertionOf([&] { real.ListFiles("\\*", fdFile, list); }),
            "pathAndMask must not begin with \"\\\"! @ source/URealFS");
}

TEST_F(VfsTest, RedirectsPointOnlyAtWhatExists) {
  std::string to = dir / "redir/";
  WriteFileBytes(to + "here.txt", "r");
  MakeDir(to + "sub");
  real.AddRedirect(dir / "prog/", to);
  real.AddRedirect(dir / "prog/", dir / "second/");
  WriteFileBytes(dir / "second/only2.txt", "2");
  ASSERT_EQ(real.GetRedirects().size(), 2u);
  EXPECT_EQ(real.GetRedirects()[0].from, UpperAscii(dir / "prog/"));
  EXPECT_EQ(real.GetRedirects()[0].to, to);
  struct Case {
    std::string in, want;
  } cases[] = {
      {dir / "prog/here.txt", to + "here.txt"},
      {dir / "PROG/here.txt", to + "here.txt"},  // letter case of the prefix is ignored
      {dir / "prog/sub/", to + "sub/"},          // trailing delimiter kept
      {dir / "prog/only2.txt", dir / "second/only2.txt"},  // the first redirect that holds it
      {dir / "prog/missing.txt", dir / "prog/missing.txt"},
      {dir / "other/here.txt", dir / "other/here.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(real.GetRealPath(c.in), c.want) << c.in;
  // Through a mount: the virtual file system resolves over the redirect too.
  CVirtualFileSystem over{real};
  over.AddMount(dir / "prog");
  EXPECT_EQ(over.GetRealPath("here.txt"), to + "here.txt");
}

TEST(MaskTest, WindowsStyleMasks) {
  struct Case {
    const char* name;
    const char* mask;
    bool match;
  } cases[] = {
      {"a.ico", "*.ico", true},         {"A.ICO", "*.ico", true},       {"a.icon", "*.ico", false},
      {"readme", "*.*", true},          {"x.tar.gz", "*.*", true},      {"x.tar.gz", "*", true},
      {"abc", "abc.*", true},           {"abc.txt", "abc.*", true},     {"abcd", "abc.*", false},
      {"abc.txt", "a?c.txt", true},     {"ac.txt", "a?c.txt", false},   {"čaj.txt", "?aj.txt", true},
      {"foto[1].jpg", "foto[1].jpg", true}, {"foto1.jpg", "foto[1].jpg", false},
      {"aXbXc", "a*b*c", true},         {"ab", "a*b*c", false},         {"b_logo.jpg", "*.JPG", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
}

TEST_F(VfsTest, ListingMergesMountsInPlainCaseInsensitiveOrder) {
  WriteFileBytes(a + "icons/a.ico", "1");
  WriteFileBytes(b + "icons/a.ico", "2");
  for (const char* n : {"B.ico", "ch.ico", "h.ico", "čep.ico", "c.ico", "d.ico", "c.txt", ".hidden.ico"})
    WriteFileBytes(b + "icons/" + n, "x");
  MakeDir(b + "icons/folder.ico");
  TFileList list{"keep"};
  vfs.ListFiles("icons\\*.ico", fdFile, list);
  // No Czech alphabet rules: "ch" stays between "c" and "d", "č" goes last.
  EXPECT_EQ(list, (TFileList{"keep", "a.ico", "B.ico", "c.ico", "ch.ico", "d.ico", "h.ico", "čep.ico"}));

  TFileList withFolders;
  vfs.ListFiles("icons\\f*", fdEither, withFolders);
  EXPECT_EQ(withFolders, TFileList{"folder.ico"});
  TFileList foldersOnly;
  real.ListFiles(b + "icons/*.*", fdFolder, foldersOnly);
  EXPECT_EQ(foldersOnly, TFileList{"folder.ico"});

  // Names that differ only in letter case are different files; each is
  // listed once however the mounts hold them.
  WriteFileBytes(a + "case/X.txt", "");
  WriteFileBytes(b + "case/x.txt", "");
  WriteFileBytes(b + "case/X.txt", "");
  TFileList cased;
  vfs.ListFiles("case\\*.txt", fdFile, cased);
  EXPECT_EQ(std::set<std::string>(cased.begin(), cased.end()), (std::set<std::string>{"x.txt", "X.txt"}));
  EXPECT_EQ(cased.size(), 2u);

  TFileList none{"keep"};
  vfs.ListFiles("missing\\*.*", fdEither, none);
  EXPECT_EQ(none, TFileList{"keep"});
}

TEST_F(VfsTest, RenameStaysInItsMountAndNeverReplaces) {
  WriteFileBytes(b + "data/a.txt", "x");
  MakeDir(a + "data");
  MakeDir(a + "other");
  ASSERT_TRUE(vfs.RenameFile("data\\a.txt", "data\\b.txt"));
  EXPECT_EQ(ReadFileBytes(b + "data/b.txt"), "x");  // stays in the mount it was found in
  EXPECT_FALSE(PathExists(a + "data/b.txt"));

  ASSERT_TRUE(vfs.RenameFile("data\\b.txt", "other\\b.txt"));  // another folder resolves on its own
  EXPECT_EQ(ReadFileBytes(a + "other/b.txt"), "x");

  WriteFileBytes(b + "data/c.txt", "c");
  WriteFileBytes(b + "data/d.txt", "d");
  EXPECT_FALSE(vfs.RenameFile("data\\c.txt", "data\\d.txt"));  // an existing name is not overwritten
  EXPECT_EQ(ReadFileBytes(b + "data/c.txt"), "c");
  EXPECT_EQ(ReadFileBytes(b + "data/d.txt"), "d");

  MakeDir(b + "top");
  ASSERT_TRUE(vfs.RenameFile("top\\", "top2\\"));  // a folder, with trailing delimiters
  EXPECT_TRUE(real.FileOrDirExists(b + "top2", fdFolder));

  EXPECT_FALSE(vfs.RenameFile("data\\gone.txt", "data\\e.txt"));
  EXPECT_FALSE(PathExists(d + "data"));
}

TEST_F(VfsTest, DeleteDirectoryOverEveryMount) {
  WriteFileBytes(a + "icons/a.ico", "1");
  WriteFileBytes(b + "icons/sub/b.ico", "2");
  // A link inside the tree to a folder outside it: the link goes, the
  // folder it points at stays.
  WriteFileBytes(dir / "outside/keep.txt", "k");
  ASSERT_EQ(symlink((dir / "outside").c_str(), (b + "icons/link").c_str()), 0);

  EXPECT_TRUE(vfs.DeleteDirectory("icons\\"));
  EXPECT_FALSE(PathExists(a + "icons"));
  EXPECT_FALSE(PathExists(b + "icons"));
  EXPECT_EQ(ReadFileBytes(dir / "outside/keep.txt"), "k");
  // Nothing is left behind under a hidden name, and the name is free.
  EXPECT_TRUE(HostEntries(a).empty());
  EXPECT_TRUE(HostEntries(b).empty());
  EXPECT_FALSE(vfs.DeleteDirectory("icons"));

  // A file of that name in the first mount does not shield the folder in the second.
  WriteFileBytes(a + "pics", "file");
  WriteFileBytes(b + "pics/p.jpg", "p");
  EXPECT_TRUE(vfs.DeleteDirectory("pics"));
  EXPECT_FALSE(PathExists(b + "pics"));
  EXPECT_EQ(ReadFileBytes(a + "pics"), "file");

  // A folder given as a link: the link goes, its target stays.
  ASSERT_EQ(symlink((dir / "outside").c_str(), (dir / "linkdir").c_str()), 0);
  EXPECT_TRUE(real.DeleteDirectory(dir / "linkdir/"));
  EXPECT_EQ(ReadFileBytes(dir / "outside/keep.txt"), "k");
  EXPECT_FALSE(real.DeleteDirectory(dir / "outside/keep.txt"));  // a file is not a folder
}

TEST_F(VfsTest, UnwritablePlacesReturnFalse) {
  // A folder that does not exist.
  EXPECT_FALSE(real.DeleteFile(dir / "missing/x"));
  EXPECT_FALSE(real.CreateDir(dir / "missing/deeper/x"));
  EXPECT_FALSE(real.RenameFile(dir / "missing", dir / "y"));
  EXPECT_FALSE(real.DeleteDirectory(dir / "missing"));
  EXPECT_FALSE(vfs.FileOrDirExists("missing\\x", fdEither));
  TFileList list;
  real.ListFiles(dir / "missing/*.*", fdEither, list);
  EXPECT_TRUE(list.empty());
  TFile f;
  vfs.AssignFile(f, "missing\\x.dat");
  EXPECT_EQ(f.Path(), d + "missing/x.dat");
  EXPECT_FALSE(f.Open(TFile::Mode::Create));
  EXPECT_NE(f.Error(), "");
  // A file where a folder is wanted.
  WriteFileBytes(dir / "plain", "p");
  EXPECT_FALSE(real.ForceDirectories(dir / "plain/sub"));
  EXPECT_FALSE(real.CreateDir(dir / "plain"));

  // A write-protected folder.
  WriteFileBytes(dir / "ro/file.txt", "f");
  WriteFileBytes(dir / "tree/stuck/file.txt", "s");
  WriteFileBytes(dir / "tree/loose.txt", "l");
  {
    TWriteProtect ro(dir / "ro");
    TWriteProtect stuck(dir / "tree/stuck");
    if (!ro.Active() || !stuck.Active()) GTEST_SKIP() << "cannot write-protect a folder here";
    EXPECT_FALSE(real.CreateDir(dir / "ro/x"));
    EXPECT_FALSE(real.ForceDirectories(dir / "ro/x/y"));
    EXPECT_FALSE(real.DeleteFile(dir / "ro/file.txt"));
    EXPECT_FALSE(real.RenameFile(dir / "ro/file.txt", dir / "ro/g.txt"));
    EXPECT_FALSE(real.DeleteDirectory(dir / "ro"));
    EXPECT_EQ(ReadFileBytes(dir / "ro/file.txt"), "f");
    // What cannot be deleted stays under the folder's own name, not hidden.
    EXPECT_FALSE(real.DeleteDirectory(dir / "tree"));
    EXPECT_EQ(ReadFileBytes(dir / "tree/stuck/file.txt"), "s");
    EXPECT_FALSE(PathExists(dir / "tree/loose.txt"));
    EXPECT_EQ(HostEntries(dir.Path()), (std::vector<std::string>{"A", "B", "D", "plain", "ro", "tree"}));
  }
}

TEST(FileSystemSetup, MountsAndDefaultPathTable) {
  struct Case {
    bool user, common, create;
    std::vector<std::string> mounts;  // u, c, p
    std::string defaultPath;
  } cases[] = {
      {false, false, false, {"p"}, "p"},
      {false, false, true, {"u", "p"}, "u"},  // the per-user folder is made
      {true, false, false, {"u", "p"}, "u"},
      {false, true, true, {"c", "p"}, "c"},
      {true, true, false, {"u", "c", "p"}, "c"},
  };
  for (const Case& c : cases) {
    TTempDir dir;
    TFileSystemFolders f{dir / "user/", dir / "common/", dir / "prog/"};
    if (c.user) mkdir((dir / "user").c_str(), 0755);
    if (c.common) mkdir((dir / "common").c_str(), 0755);
    auto full = [&](const std::string& k) { return k == "u" ? f.userData : k == "c" ? f.commonData : f.programDir; };
    std::vector<std::string> want;
    for (const std::string& k : c.mounts) want.push_back(full(k));
    SetupFileSystems(f, c.create);
    EXPECT_EQ(GetVirtualFS().GetMounts(), want) << c.user << c.common << c.create;
    EXPECT_EQ(GetVirtualFS().GetDefaultPath(), full(c.defaultPath)) << c.user << c.common << c.create;
    EXPECT_TRUE(GetRealFS().GetRedirects().empty());
    EXPECT_EQ(PathExists(dir / "user"), c.user || (c.create && !c.common));
    TeardownFileSystems();
  }
}

TEST(FileSystemSetup, InstanceAssertions) {
  TTempDir dir;
  EXPECT_EQ(AssertionOf([] { GetVirtualFS(); }), "VSF not initialized! @ source/UVFS");
  EXPECT_EQ(AssertionOf([] { GetRealFS(); }), "Real FS not initialized! @ source/URealFS");
  EXPECT_EQ(AssertionOf([] { TeardownFileSystems(); }), "VSF instance is nil! @ source/UVFS");
  TFileSystemFolders f{dir / "user/", dir / "common/", dir / "prog/"};
  SetupFileSystems(f, false);
  EXPECT_EQ(AssertionOf([&] { SetupFileSystems(f, false); }), "VFS already initialized! @ source/UVFS");
  EXPECT_EQ(&GetVirtualFS().RealFS(), &GetRealFS());
  TeardownFileSystems();

  // A per-user folder that could not be determined is never created.
  TFileSystemFolders unknown{"!ERROR!/", dir / "common/", dir / "prog/"};
  SetupFileSystems(unknown, true);
  EXPECT_EQ(GetVirtualFS().GetMounts(), std::vector<std::string>{dir / "prog/"});
  EXPECT_FALSE(PathExists("!ERROR!"));
  TeardownFileSystems();
}

TEST(FileSystemSetup, HostFoldersFromTheEnvironment) {
  struct Saved {
    const char* name;
    std::string value;
    bool set;
  } saved[] = {{"GARVEL_USER_DATA", "", false}, {"GARVEL_COMMON_DATA", "", false},
               {"GARVEL_PROGRAM_DIR", "", false}, {"XDG_DATA_HOME", "", false}, {"HOME", "", false}};
  for (Saved& s : saved)
    if (const char* v = std::getenv(s.name)) s = {s.name, v, true};
  for (Saved& s : saved) unsetenv(s.name);

  setenv("HOME", "/home/jana", 1);
  TFileSystemFolders f = DefaultFileSystemFolders();
  EXPECT_EQ(f.userData, "/home/jana/.local/share/Garvel/");
  EXPECT_EQ(f.commonData, "/var/lib/Garvel/");
  // The test program lives in <build>/tests; the program folder is <build>/share/garvel.
  EXPECT_TRUE(f.programDir.size() > 14 && f.programDir.compare(f.programDir.size() - 14, 14, "/share/garvel/") == 0)
      << f.programDir;
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(DefaultFileSystemFolders().userData, "/data/Garvel/");
  setenv("XDG_DATA_HOME", "relative", 1);  // invalid, ignored
  EXPECT_EQ(DefaultFileSystemFolders().userData, "/home/jana/.local/share/Garvel/");
  setenv("GARVEL_USER_DATA", "/u", 1);
  setenv("GARVEL_COMMON_DATA", "/c/", 1);
  setenv("GARVEL_PROGRAM_DIR", "/p", 1);
  f = DefaultFileSystemFolders();
  EXPECT_EQ(f.userData, "/u/");
  EXPECT_EQ(f.commonData, "/c/");
  EXPECT_EQ(f.programDir, "/p/");
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  setenv("GARVEL_USER_DATA", "portable", 1);
  EXPECT_EQ(DefaultFileSystemFolders().userData, std::string(cwd) + "/portable/");

  for (Saved& s : saved) {
    if (s.set) setenv(s.name, s.value.c_str(), 1);
    else unsetenv(s.name);
  }
}
