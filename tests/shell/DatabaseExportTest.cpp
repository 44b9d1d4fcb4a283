#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogues/Contacts.h"
#include "shell/DatabaseExport.h"
#include "shell/Stores.h"
#include "storage/Codec.h"
#include "storage/CustomDb.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/support/WriteProtect.h"

namespace {

using TRows = std::vector<std::vector<std::string>>;

// Reads a file back with Python's csv module (Windows-1250, the default
// dialect). The script prints one field per line ("\x01" for a line break
// inside a field) and "\x02" after each row.
TRows ReadWithCsvModule(const std::string& path) {
  const std::string script =
      "import csv,sys\n"
      "with open(sys.argv[1], newline='', encoding='cp1250') as f:\n"
      "  for row in csv.reader(f):\n"
      "    for field in row: sys.stdout.write(field.replace('\\n','\\x01') + '\\n')\n"
      "    sys.stdout.write('\\x02\\n')\n";
  const std::string out = RunProgram({"python3", "-c", script, path}, {}, 60000).output;
  TRows rows;
  std::vector<std::string> row;
  size_t pos = 0;
  while (pos < out.size()) {
    size_t end = out.find('\n', pos);
    std::string line = out.substr(pos, end - pos);
    pos = end + 1;
    if (line == "\x02") {
      rows.push_back(row);
      row.clear();
    } else {
      row.push_back(line);
    }
  }
  return rows;
}

class DatabaseExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
  }
  int32_t AddContact(TContactRecord c) {
    EXPECT_TRUE(::AddContact(*stores.customers, c));
    return c.ID;
  }
  int32_t AddCar(const std::string& tag, int32_t owner, const std::string& comments) {
    Tautomobil v;
    InitVehicle(v);
    v.tag = tag;
    v.manufacturer = "Škoda";
    v.model = "Octavia";
    v.year = 2015;
    v.ownerID = owner;
    v.comments = comments;
    stores.cars->CreateCar(v, "");
    return v.ID;
  }
  void AddRecord(int32_t car, const std::string& description, const std::string& material, int32_t invoiceNr,
                 const std::string& invoiceText) {
    Tzaznam r;
    InitRecord(r, car, kKindDone);
    r.db.km = -1;
    r.db.date = EncodeDate(2026, 3, 5);
    r.db.priceWrk = 1234.5f;
    r.db.priceMat = 99.99f;
    r.db.invoiceNr = invoiceNr;
    r.db.invoiceNrText = invoiceText;
    r.description = description;
    r.material = material;
    ASSERT_TRUE(stores.records->CreateCarRecord(r, car, ""));
  }
  std::string Out(const std::string& name) { return fs.dir / ("out/" + name); }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
};

}  // namespace

TEST(CsvText, CleansBreaksQuotesAndFormulas) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a\r\nb\rc\nd", "a b c d"},
      {"řekl \"ano\"", "řekl ano"},
      {"=SUM(A1)", "'=SUM(A1)"},
      {"@cmd", "'@cmd"},
      {"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
      {"-2+3", "'-2+3"},
      {"\tx", "'\tx"},
      {"-", "'-"},
      {"+420 777 123 456", "+420 777 123 456"},
      {"-1", "-1"},
      {"-12,50", "-12,50"},
      {"+1 (555) 123-4567", "+1 (555) 123-4567"},
      {"Brno, Líšeň", "Brno, Líšeň"},
      {"\"=1\"", "'=1"},  // the quotes go first, then the check
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(CsvText(in), out) << in;
  EXPECT_EQ(CsvNumberText("FA-2026/ŠŘ1ž9"), "FA-2026/ŠŘ1");
  EXPECT_EQ(CsvNumberText("ÁČĎ-ä"), "ÁČĎ-");
}

TEST_F(DatabaseExportTest, FilesReadBackWithACsvReader) {
  TContactRecord c;
  InitContact(c);
  c.company = "Autoservis, s.r.o.";
  c.surname = "Novák";
  c.firstName = "Jan \"Honza\"";
  c.city = "Brno, Líšeň";
  c.phones = "+420 777 123 456";
  c.other = "=HYPERLINK(\"http://x\")";
  c.dic = "CZ123";
  const int32_t owner = AddContact(c);
  TContactRecord gone;
  InitContact(gone);
  gone.surname = "Smazaný";
  const int32_t goneID = AddContact(gone);
  AddContact(gone);  // a later one, so that the erased ID lies within range
  std::string bytes(kContactWidth, '\0');
  ASSERT_TRUE(stores.customers->ReadRecord(goneID, bytes));
  ASSERT_TRUE(stores.customers->EraseRecord(bytes));

  const int32_t car = AddCar("1A2 3456", owner, "První řádek \"citace\"\r\nDruhý řádek");
  AddCar("NEMA", -1, "");
  AddCar("ZRUSEN", goneID, "");
  AddRecord(car, "výměna oleje\r\nkontrola brzd\nmytí", "-5 ks těsnění", 0, "FA/2026-ŠX€ž");
  AddRecord(car, "", "", 15, "ignorováno");

  long long lastDone = 0, lastTotal = 0;
  std::filesystem::create_directories(fs.dir / "out");
  const TDatabaseExportResult r = ExportDatabase(stores, fs.dir / "out", TVatSettings{}, [&](long long d, long long t) {
    lastDone = d;
    lastTotal = t;
  });
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.customers, 2);
  EXPECT_EQ(r.vehicles, 3);
  EXPECT_EQ(r.records, 2);
  EXPECT_EQ(lastDone, lastTotal);

  const std::vector<std::string> customer = {std::to_string(owner), "Autoservis, s.r.o.", "Novák", "Jan Honza", "",
                                             "Brno, Líšeň", "+420 777 123 456", "", "'=HYPERLINK(http://x)", "", "CZ123"};
  const TRows customers = ReadWithCsvModule(Out("export_zakaznici.csv"));
  ASSERT_EQ(customers.size(), 2u);
  EXPECT_EQ(customers[0], customer);

  const TRows vehicles = ReadWithCsvModule(Out("export_vozidla.csv"));
  ASSERT_EQ(vehicles.size(), 3u);
  std::vector<std::string> expected = {std::to_string(car), "1A2 3456", "Škoda", "Octavia", "", "", "", "2015", "", "",
                                       "První řádek citace Druhý řádek"};
  expected.insert(expected.end(), customer.begin(), customer.end());
  EXPECT_EQ(vehicles[0], expected);
  EXPECT_EQ(vehicles[1].back(), "-1");
  EXPECT_EQ(vehicles[1].size(), 12u);
  // An erased owner: nothing after the comma of the comments.
  EXPECT_EQ(vehicles[2].size(), 12u);
  EXPECT_EQ(vehicles[2].back(), "");

  const TRows records = ReadWithCsvModule(Out("export_zaznamy.csv"));
  ASSERT_EQ(records.size(), 2u);
  expected = {std::to_string(car), "1A2 3456", "-1", "05.03.2026", "1", "1234,50", "99,99", "FA/2026-ŠX", "", "", "",
              "výměna oleje kontrola brzd mytí", "'-5 ks těsnění"};
  expected.insert(expected.end(), customer.begin(), customer.end());
  EXPECT_EQ(records[0], expected);
  EXPECT_EQ(records[1][7], "15");

  // The bytes themselves: Windows-1250, CR LF, no header.
  const std::string raw = ReadFileBytes(Out("export_vozidla.csv"));
  EXPECT_EQ(raw.substr(0, raw.find("\r\n")), Utf8ToCp1250(std::to_string(car) +
                                                          ",\"1A2 3456\",\"Škoda\",\"Octavia\",\"\",\"\",\"\",\"2015\",\"\",\"\","
                                                          "\"První řádek citace Druhý řádek\"," +
                                                          std::to_string(owner) + ",\"Autoservis, s.r.o.\",\"Novák\","
                                                          "\"Jan Honza\",\"\",\"Brno, Líšeň\",\"+420 777 123 456\",\"\","
                                                          "\"'=HYPERLINK(http://x)\",\"\",\"CZ123\""));
}

TEST_F(DatabaseExportTest, FailuresWriteNothingAndKeepOldFiles) {
  AddCar("X", -1, "");
  std::filesystem::create_directories(fs.dir / "out");
  WriteFileBytes(Out("export_vozidla.csv"), "old");
  TWriteProtect protect(fs.dir / "out");
  if (protect.Active()) {
    const TDatabaseExportResult r = ExportDatabase(stores, fs.dir / "out", TVatSettings{});
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("export_"), std::string::npos) << r.error;
    EXPECT_EQ(ReadFileBytes(Out("export_vozidla.csv")), "old");
  }
  // Without the customer store nothing is written at all.
  std::filesystem::create_directories(fs.dir / "out2");
  stores.customers.reset();
  const TDatabaseExportResult r = ExportDatabase(stores, fs.dir / "out2", TVatSettings{});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "Databáze zákazníků není otevřena, export nelze provést.");
  EXPECT_TRUE(std::filesystem::is_empty(fs.dir / "out2"));
}
