#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <string>

#include "storage/File.h"
#include "tests/support/RunGarvelctl.h"
#include "tests/support/TempDir.h"

namespace {

// Unpacks every file of the archive below `folder`; false when the archive
// is damaged.
bool Unpack(const std::string& archive, const std::string& folder) {
  int error = 0;
  zip_t* z = zip_open(archive.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (!z) return false;
  bool ok = true;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    zip_stat_t st;
    zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
    const std::string name = st.name;
    if (name.front() == '/' || name.find("..") != std::string::npos) return false;
    const std::filesystem::path target = std::filesystem::path(folder) / name;
    if (name.back() == '/') {
      std::filesystem::create_directories(target);
      continue;
    }
    std::filesystem::create_directories(target.parent_path());
    std::string bytes(st.size, '\0');
    zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), 0);
    ok = ok && f && zip_fread(f, bytes.data(), bytes.size()) == static_cast<zip_int64_t>(bytes.size());
    if (f) zip_fclose(f);
    WriteFileBytes(target.string(), bytes);
  }
  zip_discard(z);
  return ok;
}

}  // namespace

// A backup unpacked is the same database: it passes the check and dumps
// equal to the original.
TEST(BackupCommand, RoundTripListAndRefusalWhileInUse) {
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(RunGarvelctl("generate --vehicles 40 --records-per-vehicle 6 --customers 15 " + db).status, 0);
  WriteFileBytes(db + "/garvconf.ini", "[backup]\r\nlastbackup=100\r\n");
  TCtlRun backup = RunGarvelctl("backup --to " + dir / "out" + " " + db);
  ASSERT_EQ(backup.status, 0) << backup.out;
  const auto archives = std::vector<std::filesystem::path>(std::filesystem::directory_iterator(dir / "out"), {});
  ASSERT_EQ(archives.size(), 1u);
  EXPECT_NE(backup.out.find("Soubor \"" + archives[0].string() + "\" byl úspěšně uložen."), std::string::npos);

  ASSERT_TRUE(Unpack(archives[0].string(), dir / "unpacked"));
  const std::string copy = dir / "unpacked/001-db";
  TCtlRun check = RunGarvelctl("check " + copy);
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_EQ(RunGarvelctl("dump " + copy).out, RunGarvelctl("dump " + db).out);
  EXPECT_EQ(ReadFileBytes(dir / "unpacked/mapping.txt"), "001-db: " + db + "\r\n");
  // The program will not ask again before a whole interval has passed.
  EXPECT_EQ(ReadFileBytes(db + "/garvconf.ini").find("lastbackup=100"), std::string::npos);

  TCtlRun list = RunGarvelctl("backup --list " + db);
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find("\t" + archives[0].string() + "\n"), std::string::npos) << list.out;

  // While the program has the stores open, no archive is made.
  TFile held;
  held.Assign(db + "/db_rec_blob.dat");
  ASSERT_TRUE(held.Open(TFile::Mode::ReadWrite, true));
  TCtlRun refused = RunGarvelctl("backup --to " + dir / "out" + " " + db);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.out.find("db_rec_blob.dat"), std::string::npos) << refused.out;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 1);
  EXPECT_EQ(RunGarvelctl("backup " + db).status, 2);
}

TEST(ExportCsvCommand, WritesTheThreeFiles) {
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(RunGarvelctl("generate --vehicles 30 --records-per-vehicle 4 --customers 12 " + db).status, 0);
  TCtlRun run = RunGarvelctl("export-csv " + db + " " + dir / "csv");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Export databáze dokončen - " + dir / "csv"), std::string::npos) << run.out;
  auto lines = [](const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    size_t n = 0;
    for (size_t p = bytes.find("\r\n"); p != std::string::npos; p = bytes.find("\r\n", p + 2)) ++n;
    return n;
  };
  EXPECT_EQ(lines(dir / "csv/export_zakaznici.csv"), 12u);
  EXPECT_NE(run.out.find("záznamy " + std::to_string(lines(dir / "csv/export_zaznamy.csv"))), std::string::npos);
  EXPECT_EQ(RunGarvelctl("export-csv " + db).status, 2);
}

TEST(AttachmentCommands, AttachListAndRefuse) {
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(RunGarvelctl("generate --vehicles 3 --records-per-vehicle 1 --customers 2 " + db).status, 0);
  WriteFileBytes(dir / "foto.jpg", "JPEG");
  TCtlRun run = RunGarvelctl("attach " + db + " CAR 2 " + dir / "foto.jpg" + " --mode copy");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "attach\\CAR00002\\foto.jpg\n");
  EXPECT_EQ(ReadFileBytes(db + "/attach/CAR00002/foto.jpg"), "JPEG");
  run = RunGarvelctl("attach " + db + " CAR 2 " + dir / "foto.jpg" + " --mode copy");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("již existuje"), std::string::npos) << run.out;
  ASSERT_EQ(RunGarvelctl("attach-url " + db + " CON 1 example.invalid/x --title 'Ceník: díly'").status, 0);
  EXPECT_EQ(ReadFileBytes(db + "/attach/CON00001/Ceník# díly.URL"), "[InternetShortcut]\r\nURL=http://example.invalid/x\r\n");

  run = RunGarvelctl("attachments " + db);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("CAR00002\t"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("(ID#2)\n"), std::string::npos) << run.out;
  run = RunGarvelctl("attachments " + db + " CAR 2");
  EXPECT_NE(run.out.find("\n  foto.jpg\t4 B\t\n"), std::string::npos) << run.out;
  EXPECT_EQ(RunGarvelctl("attachments " + db + " XYZ 2").status, 2);
  EXPECT_EQ(RunGarvelctl("attach " + db + " CAR 2 " + dir / "foto.jpg" + " --mode smaz").status, 2);
}
