#include <gtest/gtest.h>

#include <filesystem>

#include "storage/File.h"
#include "storage/FileSystemSetup.h"
#include "storage/TextFiles.h"
#include "tests/support/TestFileSystems.h"

TEST(TextFiles, ReadTextFile) {
  TTestFileSystems fs;
  ASSERT_TRUE(WriteWholeFile(fs.dir.Path() + "note.txt", "P\xF8" "ed\x9A\xED\r\nkon" "\xE8\xED"));
  EXPECT_EQ(ReadTextFile(VirtualFile("note.txt"), "none"), "Předší\r\nkončí");
  EXPECT_EQ(ReadTextFile(RealFile(fs.dir.Path() + "note.txt"), "none"), "Předší\r\nkončí");
  EXPECT_EQ(ReadTextFile(VirtualFile("missing.txt"), "none"), "none");
  std::filesystem::create_directory(fs.dir.Path() + "folder");
  EXPECT_EQ(ReadTextFile(VirtualFile("folder"), "none"), "none");
  ASSERT_TRUE(WriteWholeFile(fs.dir.Path() + "empty.txt", ""));
  EXPECT_EQ(ReadTextFile(VirtualFile("empty.txt"), "none"), "");
}

TEST(TextFiles, HighestNumber) {
  TTestFileSystems fs;
  EXPECT_EQ(HighestNumber("invoice\\F*.*", 1), 0);  // no folder yet
  std::filesystem::create_directory(fs.dir.Path() + "invoice");
  std::filesystem::create_directory(fs.dir.Path() + "invoice/F999.d");  // folders do not count
  for (const char* name : {"F0007.html", "F0012.html", "F0012.pdf", "F3.x.html", "Fx.html", "F.html", "F", "G99.html"})
    ASSERT_TRUE(WriteWholeFile(fs.dir.Path() + "invoice/" + name, "x"));
  EXPECT_EQ(HighestNumber("invoice\\F*.*", 1), 12);
  EXPECT_EQ(HighestNumber("invoice\\*.html", 1), 99);
  EXPECT_EQ(HighestNumber("invoice\\*.html", 3), 12);  // "007", "012", ".x"...
  EXPECT_EQ(HighestNumber("invoice\\Z*.*", 1), 0);
}
