#include <gtest/gtest.h>

#include "catalogues/Icons.h"
#include "storage/RealFileSystem.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteProtect.h"

TEST(Icons, PrefixesIndexesAndNames) {
  EXPECT_EQ(IconFilePrefix(7), "0007");
  EXPECT_EQ(IconFilePrefix(12345), "12345");
  struct Case {
    const char* file;
    int32_t index;
    const char* name;
  } cases[] = {
      {"0003Brakes.ico", 3, "Brakes"},
      {"007x.ico", 7, "x"},
      {"07x.ico", -1, "x"},              // fewer than three digits: not an icon
      {"20240101x.ico", -1, "x"},        // a stray date is not row 20 million
      {"00071Filtr.ico", 71, "Filtr"},   // the whole digit run is the index
      {"9999Konec.ICO", 9999, "Konec"},
      {"000000012.ico", 12, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IconIndexOfFile(c.file), c.index) << c.file;
    EXPECT_EQ(IconNameOfFile(c.file), c.name) << c.file;
  }
  EXPECT_EQ(ReplacementIconName("FILTER.ICO"), "FILTER");
  EXPECT_EQ(ReplacementIconName("my.icons.ico"), "my");
  for (const char* bad : {"", "  ", "a/b", "a\\b", "..", "x..y", "tab\there", "7up"})
    EXPECT_NE(IconNameProblem(bad), "") << bad;
  EXPECT_EQ(IconNameProblem("Výměna oleje"), "");
}

namespace {

class IconLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes(program_ / "icons/0000Oil.ico", "oil");
    WriteFileBytes(program_ / "icons/0003Brakes.ico", "brakes");
    WriteFileBytes(program_ / "icons/readme.txt", "");
    WriteFileBytes(source_ / "FILTER.ICO", "filter");
    WriteFileBytes(source_ / "Kolo.ico", "wheel");
  }
  TIconLibrary Library() { return TIconLibrary(fs_, {user_.Path(), program_.Path()}); }

  CRealFileSystem fs_;
  TTempDir user_, program_, source_;
  TRecordingNotifier notifier_;
};

}  // namespace

TEST_F(IconLibraryTest, RowsWithGapsAndPerUserFilesFirst) {
  TIconLibrary lib = Library();
  EXPECT_EQ(lib.Count(), 4);
  EXPECT_EQ(lib.Find(1), nullptr);
  EXPECT_EQ(lib.Find(2), nullptr);
  ASSERT_NE(lib.Find(3), nullptr);
  EXPECT_EQ(lib.Find(3)->name, "Brakes");

  // A per-user file of the same index shadows the shipped one.
  WriteFileBytes(user_ / "icons/0003Kotouče.ico", "mine");
  WriteFileBytes(user_ / "icons/20240101x.ico", "stray");
  lib.Rescan();
  EXPECT_EQ(lib.Count(), 4);
  EXPECT_EQ(lib.Find(3)->name, "Kotouče");
  EXPECT_EQ(ReadFileBytes(lib.Find(3)->RealPath()), "mine");
}

TEST_F(IconLibraryTest, ChangesGoToThePerUserFolderOnly) {
  TWriteProtect readOnly(program_ / "icons");
  TIconLibrary lib = Library();
  const uint64_t revision = lib.Revision();

  int32_t index = -1;
  ASSERT_TRUE(lib.Add(source_ / "Kolo.ico", index));
  EXPECT_EQ(index, 4);
  EXPECT_EQ(ReadFileBytes(user_ / "icons/0004Kolo.ico"), "wheel");
  EXPECT_EQ(lib.Count(), 5);
  EXPECT_GT(lib.Revision(), revision);

  // Renaming a shipped icon copies it; the program folder stays as it was.
  ASSERT_TRUE(lib.Rename(0, "Motorový olej"));
  EXPECT_EQ(ReadFileBytes(user_ / "icons/0000Motorový olej.ico"), "oil");
  EXPECT_TRUE(PathExists(program_ / "icons/0000Oil.ico"));
  EXPECT_EQ(lib.Find(0)->name, "Motorový olej");
  // A per-user icon is renamed in place.
  ASSERT_TRUE(lib.Rename(0, "Olej"));
  EXPECT_FALSE(PathExists(user_ / "icons/0000Motorový olej.ico"));
  EXPECT_EQ(lib.Find(0)->name, "Olej");

  // Replacing takes the chosen file's name up to ".ico" and its bytes.
  ASSERT_TRUE(lib.Replace(4, source_ / "FILTER.ICO"));
  EXPECT_EQ(lib.Find(4)->name, "FILTER");
  EXPECT_EQ(ReadFileBytes(user_ / "icons/0004FILTER.ico"), "filter");
  EXPECT_FALSE(PathExists(user_ / "icons/0004Kolo.ico"));
  ASSERT_TRUE(lib.Replace(1, source_ / "Kolo.ico"));  // an empty row gets its icon
  EXPECT_EQ(lib.Find(1)->name, "Kolo");
  EXPECT_TRUE(notifier_.shown.empty());

  // Bad names are refused and nothing changes.
  for (const char* bad : {"", "../x", "a/b"}) {
    notifier_.shown.clear();
    EXPECT_FALSE(lib.Rename(0, bad));
    EXPECT_EQ(notifier_.shown.size(), 1u) << bad;
  }
  EXPECT_EQ(lib.Find(0)->name, "Olej");
}

TEST_F(IconLibraryTest, FailedChangesAreReported) {
  TIconLibrary lib = Library();
  int32_t index = -1;
  EXPECT_FALSE(lib.Add(source_ / "missing.ico", index));
  ASSERT_EQ(notifier_.shown.size(), 1u);
  EXPECT_EQ(notifier_.shown[0].text, "Ikonu se nepodařilo uložit.");
  EXPECT_EQ(lib.Count(), 4);

  WriteFileBytes(user_ / "icons/0003A.ico", "a");
  WriteFileBytes(user_ / "icons/0003B.ico", "b");
  lib.Rescan();
  ASSERT_EQ(lib.Find(3)->name, "A");
  TWriteProtect readOnly(user_ / "icons");
  if (!readOnly.Active()) GTEST_SKIP() << "cannot write-protect a folder here";
  notifier_.shown.clear();
  EXPECT_FALSE(lib.Rename(3, "C"));
  ASSERT_EQ(notifier_.shown.size(), 1u);
  EXPECT_EQ(notifier_.shown[0].text, "Ikonu se nepodařilo přejmenovat.");
  notifier_.shown.clear();
  EXPECT_FALSE(lib.Replace(3, source_ / "Kolo.ico"));
  EXPECT_EQ(notifier_.shown.at(0).text, "Ikonu se nepodařilo nahradit.");
}
