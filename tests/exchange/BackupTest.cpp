#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <map>
#include <string>

#include "exchange/BackupArchive.h"
#include "exchange/BackupLog.h"
#include "exchange/BackupNames.h"
#include "exchange/BackupRun.h"
#include "exchange/DataFileLocks.h"
#include "storage/File.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteProtect.h"

namespace {

// Every entry of an archive with its bytes (folders end in "/").
std::map<std::string, std::string> ReadArchive(const std::string& path) {
  std::map<std::string, std::string> entries;
  int error = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!z) return entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    zip_stat_t st;
    zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
    std::string bytes(st.size, '\0');
    if (zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0)) {
      zip_fread(f, bytes.data(), bytes.size());
      zip_fclose(f);
    }
    entries[st.name] = bytes;
  }
  zip_discard(z);
  return entries;
}

struct TBackupFixture : ::testing::Test {
  TTempDir dir;
  std::vector<std::string> lines;
  TBackupReport report;

  void SetUp() override {
    report.log = [this](const std::string& l) { lines.push_back(l); };
    // Two mounts: data with a tree, and a program folder.
    std::filesystem::create_directories(dir / "user/Garvel/attach/CAR00001");
    std::filesystem::create_directories(dir / "user/Garvel/empty");
    std::filesystem::create_directories(dir / "prog/garvel");
    WriteFileBytes(dir / "user/Garvel/db_cars.dat", std::string(3000, 'c'));
    WriteFileBytes(dir / "user/Garvel/attach/CAR00001/foto.jpg", "JPEG");
    WriteFileBytes(dir / "user/Garvel/.hidden", "x");
    WriteFileBytes(dir / "outside.txt", "secret");
    ::symlink((dir / "outside.txt").c_str(), (dir / "user/Garvel/link.txt").c_str());
    ::symlink(dir.Path().c_str(), (dir / "user/Garvel/up").c_str());
    WriteFileBytes(dir / "prog/garvel/šablona.html", "<p>");
  }
  std::vector<std::string> Mounts() {
    return {dir / "user/Garvel/", dir / "gone/", dir / "prog/garvel/"};
  }
  bool Logged(const std::string& text) const {
    for (const std::string& l : lines)
      if (l.find(text) != std::string::npos) return true;
    return false;
  }
};

}  // namespace

TEST(BackupNames, ArchiveAndFolderNames) {
  EXPECT_EQ(BackupArchiveName("/zalohy", TDateParts{2026, 12, 8}, 1), "/zalohy/GarvBackup_2026_12_08__001.zip");
  EXPECT_EQ(BackupArchiveName("/zalohy/", TDateParts{2026, 1, 31}, 12), "/zalohy/GarvBackup_2026_01_31__012.zip");
  EXPECT_EQ(BackupArchiveName("", TDateParts{2026, 12, 8}, 3), "GarvBackup_2026_12_08__003.zip");
  EXPECT_EQ(MountArchiveFolder(1, "/var/lib/Garvel/"), "001-Garvel");
  EXPECT_EQ(MountArchiveFolder(12, "/opt/share/garvel"), "012-garvel");
  EXPECT_EQ(MappingText({{"001-Garvel", "/home/a/Garvel"}, {"003-garvel", "/usr/share/garvel"}}),
            "001-Garvel: /home/a/Garvel\r\n003-garvel: /usr/share/garvel\r\n");
}

TEST(BackupNames, NextNameTakesTheFirstFreeNumber) {
  TTempDir dir;
  SetClockForTests([] { return EncodeDate(2026, 12, 8) + 0.5; });
  const std::string folder = dir.Path();
  EXPECT_EQ(NextBackupName(folder), folder + "GarvBackup_2026_12_08__001.zip");
  for (int n : {1, 2, 3}) WriteFileBytes(BackupArchiveName(folder, TDateParts{2026, 12, 8}, n), "z");
  EXPECT_EQ(NextBackupName(folder), folder + "GarvBackup_2026_12_08__004.zip");
  std::filesystem::remove(BackupArchiveName(folder, TDateParts{2026, 12, 8}, 2));
  EXPECT_EQ(NextBackupName(folder), folder + "GarvBackup_2026_12_08__002.zip");
  SetClockForTests(nullptr);
}

TEST_F(TBackupFixture, ArchiveHoldsEveryMountWithRelativeNamesAndTheMapping) {
  const std::string archive = dir / "out/GarvBackup_2026_12_08__001.zip";
  const TBackupResult r = CreateBackup(archive, Mounts(), report);
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.failures.empty());
  const auto entries = ReadArchive(archive);
  const std::map<std::string, std::string> expected = {
      {"001-Garvel/", ""},
      {"001-Garvel/attach/", ""},
      {"001-Garvel/attach/CAR00001/", ""},
      {"001-Garvel/attach/CAR00001/foto.jpg", "JPEG"},
      {"001-Garvel/db_cars.dat", std::string(3000, 'c')},
      {"001-Garvel/empty/", ""},
      {"003-garvel/", ""},
      {"003-garvel/šablona.html", "<p>"},
      // Windows-1250 like every text file of the program.
      {"mapping.txt", "001-Garvel: " + dir.Path() + "user/Garvel\r\n003-garvel: " + dir.Path() + "prog/garvel\r\n"},
  };
  EXPECT_EQ(entries, expected);  // no hidden file, no link, nothing from outside
  EXPECT_TRUE(Logged("\"" + dir.Path() + "gone\""));
  EXPECT_TRUE(Logged("Záloha dokončena"));
  // Only the archive itself is left in the target folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 1);
}

TEST_F(TBackupFixture, AnExistingArchiveIsNeverReplaced) {
  const std::string archive = dir / "GarvBackup_2026_12_08__001.zip";
  WriteFileBytes(archive, "older backup");
  EXPECT_FALSE(CreateBackup(archive, Mounts(), report).ok);
  EXPECT_EQ(ReadFileBytes(archive), "older backup");
}

TEST_F(TBackupFixture, AFailedBackupLeavesNoArchiveAndNoLogEntry) {
  const std::string logPath = dir / "user/Garvel/backup_log.ini";
  // A file that vanishes after it was listed cannot be packed.
  report.log = [&](const std::string& l) {
    lines.push_back(l);
    if (l.rfind("Komprimuji", 0) == 0) std::filesystem::remove(dir / "user/Garvel/db_cars.dat");
  };
  TBackupRun run = RunBackup(dir / "out", Mounts(), logPath, report);
  EXPECT_FALSE(run.result.ok);
  // Named, although it went missing only while the archive was written.
  EXPECT_TRUE(Logged("\tChyba - soubor \"" + dir.Path() + "user/Garvel/db_cars.dat\" nebyl vložen do archivu"));
  ASSERT_EQ(run.result.failures.size(), 1u);
  EXPECT_TRUE(Logged("Záloha se nezdařila"));
  EXPECT_FALSE(PathExists(run.archive));
  EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
  EXPECT_FALSE(PathExists(logPath));

  // A target folder that cannot be written.
  std::filesystem::create_directories(dir / "locked");
  TWriteProtect protect(dir / "locked");
  if (protect.Active()) {
    run = RunBackup(dir / "locked", Mounts(), logPath, report);
    EXPECT_FALSE(run.result.ok);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "locked"));
    EXPECT_FALSE(PathExists(logPath));
  }
}

TEST_F(TBackupFixture, ATargetFolderThatCannotBeMadeIsNamedBeforePacking) {
  // A file stands where a folder of the target path should be.
  const std::string archive = dir / "outside.txt/zalohy/a.zip";
  const TBackupResult r = CreateBackup(archive, Mounts(), report);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0].rfind("Cílovou složku \"" + dir.Path() + "outside.txt/zalohy/\" nelze vytvořit", 0), 0u)
      << r.errors[0];
  EXPECT_EQ(r.files, 0);
  EXPECT_EQ(ReadFileBytes(dir / "outside.txt"), "secret");
}

TEST_F(TBackupFixture, ATargetFolderThatTakesNoFileIsNamedBeforePacking) {
  std::filesystem::create_directories(dir / "zalohy");
  TWriteProtect locked(dir / "zalohy");
  if (!locked.Active()) GTEST_SKIP() << "the folder cannot be write-protected here";
  const TBackupResult r = CreateBackup(dir / "zalohy/a.zip", Mounts(), report);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0].rfind("Do složky \"" + dir.Path() + "zalohy/\" nelze zapisovat", 0), 0u) << r.errors[0];
  EXPECT_EQ(r.files, 0);
}

TEST_F(TBackupFixture, AnUnreadableFileIsNamedAndFailsTheBackup) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  ::chmod((dir / "user/Garvel/attach/CAR00001/foto.jpg").c_str(), 0);
  const TBackupResult r = CreateBackup(dir / "a.zip", Mounts(), report);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(r.failures[0].fileName, dir / "user/Garvel/attach/CAR00001/foto.jpg");
  EXPECT_TRUE(Logged("\tChyba - soubor \"" + dir.Path() + "user/Garvel/attach/CAR00001/foto.jpg\" nebyl vložen do archivu"));
  EXPECT_FALSE(PathExists(dir / "a.zip"));
}

TEST_F(TBackupFixture, AMountThatIsThereButCannotBeOpenedFailsTheBackup) {
  // Unlike a mount that is gone, its files would silently be missing.
  ::symlink((dir / "loop").c_str(), (dir / "loop").c_str());
  const TBackupResult r = CreateBackup(dir / "a.zip", {dir / "user/Garvel/", dir / "loop/"}, report);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(r.failures[0].fileName, dir / "loop/");
  EXPECT_FALSE(PathExists(dir / "a.zip"));
}

TEST_F(TBackupFixture, CancellingStopsWithoutAnArchive) {
  report.cancelled = [] { return true; };
  const TBackupResult r = CreateBackup(dir / "a.zip", Mounts(), report);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.cancelled);
  EXPECT_TRUE(Logged("Záloha přerušena"));
  EXPECT_FALSE(PathExists(dir / "a.zip"));
}

TEST_F(TBackupFixture, ProgressReachesTheEnd) {
  double last = -1;
  report.progress = [&](double f) {
    EXPECT_GE(f, last);
    last = f;
  };
  ASSERT_TRUE(CreateBackup(dir / "a.zip", Mounts(), report).ok);
  EXPECT_DOUBLE_EQ(last, 1.0);
}

TEST(BackupLog, ListsUpToTheFirstGapAndFillsIt) {
  TTempDir dir;
  const std::string log = dir / "backup_log.ini";
  WriteFileBytes(log,
                 "[item0000]\r\ndatetime=8.12.2026 9:05:01\r\nfile=/z/a.zip\r\n"
                 "[item0001]\r\ndatetime=nesmysl\r\nfile=/z/b.zip\r\n"
                 "[item0003]\r\ndatetime=1.1.2026 0:00:00\r\nfile=/z/d.zip\r\n");
  auto entries = ReadBackupLog(log);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].file, "/z/a.zip");
  EXPECT_EQ(BackupDateText(entries[0].dateTime), "08.12.2026");
  EXPECT_EQ(BackupTimeText(entries[0].dateTime), "9:05:01");
  EXPECT_EQ(entries[1].dateTime, 0);  // unreadable: shown as 30.12.1899
  ASSERT_TRUE(AppendBackupLog(log, "/z/c.zip", EncodeDate(2026, 12, 9) + EncodeTime(17, 30, 2)));
  entries = ReadBackupLog(log);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[2].file, "/z/c.zip");
  EXPECT_EQ(BackupDateTimeText(entries[2].dateTime), "9.12.2026 17:30:02");
  EXPECT_EQ(entries[3].file, "/z/d.zip");
  // A missing log lists nothing and is made by the first entry.
  EXPECT_TRUE(ReadBackupLog(dir / "none.ini").empty());
  EXPECT_TRUE(AppendBackupLog(dir / "none.ini", "/z/e.zip", 46000));
  EXPECT_EQ(ReadBackupLog(dir / "none.ini").size(), 1u);
}

TEST(DataFileLocks, RefusedWhileAWriterHoldsAFile) {
  TTempDir dir;
  WriteFileBytes(dir / "db_cars.dat", "x");
  WriteFileBytes(dir / "db_records.dat", "y");
  {
    TFile writer;
    writer.Assign(dir / "db_records.dat");
    ASSERT_TRUE(writer.Open(TFile::Mode::ReadWrite, true));
    TDataFileLocks locks;
    std::string busy;
    EXPECT_FALSE(locks.Acquire({dir.Path()}, busy));
    EXPECT_EQ(busy, dir / "db_records.dat");
  }
  TDataFileLocks locks;
  std::string busy;
  ASSERT_TRUE(locks.Acquire({dir.Path()}, busy));
  // Held: the stores cannot open the files for writing meanwhile.
  TFile writer;
  writer.Assign(dir / "db_cars.dat");
  EXPECT_FALSE(writer.Open(TFile::Mode::ReadWrite, true));
  locks.Release();
  EXPECT_TRUE(writer.Open(TFile::Mode::ReadWrite, true));
}
