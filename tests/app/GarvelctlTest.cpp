#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/RunGarvelctl.h"
#include "tests/support/StandInWebService.h"
#include "tests/support/TempDir.h"

namespace {

TCtlRun Garvelctl(const std::string& args, const std::string& environment = "") {
  return RunGarvelctl(args, environment);
}

size_t Lines(const std::string& text, const std::string& prefix) { return CountLinesStartingWith(text, prefix); }

}  // namespace

// generate -> check -> dump -> list on a small database, then damage it.
TEST(Garvelctl, GenerateCheckDumpListAndDamage) {
  TTempDir dir;
  const std::string db = dir / "db";
  TCtlRun gen = Garvelctl("generate --vehicles 60 --records-per-vehicle 8 --customers 20 " + db);
  ASSERT_EQ(gen.status, 0) << gen.out;

  TCtlRun check = Garvelctl("check " + db);
  EXPECT_EQ(check.status, 0) << check.out;
  EXPECT_NE(check.out.find(", 0 chyb"), std::string::npos) << check.out;

  TCtlRun dump = Garvelctl("dump " + db);
  ASSERT_EQ(dump.status, 0);
  EXPECT_EQ(Lines(dump.out, "{\"entity\":\"customer\""), 20u);
  EXPECT_GT(Lines(dump.out, "{\"entity\":\"vehicle\""), 50u);
  EXPECT_GT(Lines(dump.out, "{\"entity\":\"record\""), 300u);

  TCtlRun list = Garvelctl("list " + db + " --archived --sort ID");
  ASSERT_EQ(list.status, 0) << list.out;
  EXPECT_EQ(list.out.substr(0, list.out.find('\n')), "ID\tZnačka, typ\tMotor\tRok výroby\tRZ\tMajitel\tPosl.servis\tcustomerID\tVIN");
  EXPECT_EQ(list.out.substr(list.out.find('\n') + 1, 5), "0001\t");
  EXPECT_EQ(Garvelctl("list " + db + " --sort Neexistuje").status, 2);

  // A record whose vehicle does not exist, and a cut-off file.
  {
    std::fstream f(db + "/db_records.dat", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(1024 + 64);
    const char carID[4] = {0x39, 0x30, 0, 0};  // 12345
    f.write(carID, 4);
  }
  std::string blob = ReadFileBytes(db + "/db_rec_blob.dat");
  WriteFileBytes(db + "/db_rec_blob.dat", blob.substr(0, blob.size() - 1000));
  check = Garvelctl("check " + db);
  EXPECT_EQ(check.status, 1) << check.out;
  EXPECT_NE(check.out.find("names no vehicle"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("db_rec_blob.dat"), std::string::npos) << check.out;

  EXPECT_NE(Garvelctl("check " + dir / "missing").status, 0);
}

// A customer line keeps its own "type" beside the line's "entity".
TEST(Garvelctl, DumpLinesNameTheirEntityApartFromTheFields) {
  TTempDir dir;
  ASSERT_EQ(Garvelctl("generate --vehicles 5 --records-per-vehicle 2 --customers 3 " + dir / "db").status, 0);
  TCtlRun dump = Garvelctl("dump " + dir / "db");
  ASSERT_EQ(dump.status, 0);
  const std::string first = dump.out.substr(0, dump.out.find('\n'));
  EXPECT_EQ(first.rfind("{\"entity\":\"customer\",\"ID\":1,", 0), 0u) << first;
  EXPECT_NE(first.find(",\"type\":0,"), std::string::npos) << first;
}

// export-exchange -> exchange-dump -> import -> import again, dry and not.
TEST(Garvelctl, ExchangeFilesTravelBetweenFolders) {
  TTempDir dir;
  const std::string workshop = dir / "w", home = dir / "c", file = dir / "v.cgarv";
  ASSERT_EQ(Garvelctl("generate --vehicles 8 --records-per-vehicle 4 --customers 5 " + workshop).status, 0);
  TCtlRun out = Garvelctl("export-exchange " + workshop + " --vehicle 2 --all -o " + file);
  ASSERT_EQ(out.status, 0) << out.out;
  TCtlRun dump = Garvelctl("exchange-dump " + file);
  ASSERT_EQ(dump.status, 0) << dump.out;
  EXPECT_EQ(Lines(dump.out, "{\"entity\":\"vehicle\",\"name\":\"vehicle\""), 1u);
  const size_t records = Lines(dump.out, "{\"entity\":\"record\"");
  EXPECT_GT(records, 0u);

  ASSERT_EQ(mkdir(home.c_str(), 0700), 0);
  TCtlRun import = Garvelctl("import " + file + " " + home);
  ASSERT_EQ(import.status, 0) << import.out;
  EXPECT_EQ(Lines(import.out, "  [x] Přidat záznam \""), records) << import.out;
  EXPECT_NE(import.out.find("Informace: Všechny zvolené změny byly úspěšně provedeny."), std::string::npos);

  const std::string before = Garvelctl("dump " + home).out;
  for (const char* dry : {"--dry-run ", ""}) {
    import = Garvelctl(std::string("import ") + dry + file + " " + home);
    EXPECT_EQ(import.status, 0) << import.out;
    EXPECT_NE(import.out.find("Informace: Soubor neobsahuje žádné změny."), std::string::npos) << import.out;
  }
  EXPECT_EQ(Garvelctl("dump " + home).out, before);

  WriteFileBytes(file, "<?xml version=\"1.0\"?><!DOCTYPE Root SYSTEM \"http://example.com/x.dtd\"><Root/>");
  import = Garvelctl("import " + file + " " + home);
  EXPECT_EQ(import.status, 1);
  EXPECT_NE(import.out.find("Chyba: Soubor \"v.cgarv\" není platný datový soubor."), std::string::npos) << import.out;
  EXPECT_EQ(Garvelctl("dump " + home).out, before);
}

// stats daily: one row per period and a "celkem" row equal to the column
// sums; stats vehicles: groups sorted, fields checked.
TEST(Garvelctl, DailyAndVehicleStatistics) {
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(Garvelctl("generate --vehicles 40 --records-per-vehicle 10 --customers 10 " + db).status, 0);

  TCtlRun daily = Garvelctl("stats daily " + db + " --from 1.1.2000 --to 31.12.2030 --group mesice --svg " + dir / "g.svg");
  ASSERT_EQ(daily.status, 0) << daily.out;
  std::vector<std::vector<std::string>> rows;
  for (size_t pos = 0; pos < daily.out.size();) {
    size_t end = daily.out.find('\n', pos);
    std::string line = daily.out.substr(pos, end - pos);
    std::vector<std::string> cells;
    for (size_t a = 0;;) {
      size_t b = line.find('\t', a);
      cells.push_back(line.substr(a, b - a));
      if (b == std::string::npos) break;
      a = b + 1;
    }
    rows.push_back(cells);
    pos = end == std::string::npos ? daily.out.size() : end + 1;
  }
  ASSERT_EQ(rows.size(), 31u * 12 + 2);
  EXPECT_EQ(rows[0][0], "Období");
  EXPECT_EQ(rows[1][0], "leden 2000");
  ASSERT_EQ(rows.back()[0], "celkem");
  for (size_t c = 1; c <= 4; ++c) {
    double sum = 0;
    auto number = [](std::string text) {
      if (size_t comma = text.find(','); comma != std::string::npos) text[comma] = '.';
      return std::stod(text);
    };
    for (size_t r = 1; r + 1 < rows.size(); ++r) sum += number(rows[r][c]);
    EXPECT_NEAR(sum, number(rows.back()[c]), 0.01) << c;
  }
  EXPECT_NE(rows.back()[4], "0");
  std::ifstream svg(dir / "g.svg");
  std::string head;
  std::getline(svg, head);
  EXPECT_EQ(head, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");

  TCtlRun cars = Garvelctl("stats vehicles " + db + " --group vyrobce --min 1 --sort Počet --desc");
  ASSERT_EQ(cars.status, 0) << cars.out;
  EXPECT_EQ(cars.out.rfind("Skupina\tPočet\tVyloučeno\tminKm", 0), 0u) << cars.out;
  EXPECT_GE(Lines(cars.out, ""), 3u);

  EXPECT_EQ(Garvelctl("stats vehicles " + db + " --min -1").status, 2);
  EXPECT_NE(Garvelctl("stats vehicles " + db + " --min 1000001").out.find("Neplatné hodnoty"), std::string::npos);
  EXPECT_EQ(Garvelctl("stats vehicles " + db + " --group barva").status, 2);
  EXPECT_EQ(Garvelctl("stats daily " + db + " --from 31.2.2024").status, 2);
}

// send-records and version-check against the loopback stand-in.
TEST(Garvelctl, SendRecordsAndVersionCheckUseTheWebService) {
  TStandInWebService service;
  ASSERT_TRUE(service.Start());
  TTempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(Garvelctl("generate --vehicles 4 --records-per-vehicle 3 --customers 4 " + db).status, 0);
  WriteFileBytes(db + "/garvconf.ini", "[addresses]\r\nwebserviceurl=" + service.BaseUrl() +
                                           "\r\nwebservicelogin=dilna\r\nwebservicepwd=tajne\r\n"
                                           "webserviceemailmethod=1\r\n");
  TCtlRun sent = Garvelctl("send-records " + db + " --vehicle 1 --record 2");
  ASSERT_EQ(sent.status, 0) << sent.out;
  ASSERT_EQ(service.Uploads().size(), 1u);
  ASSERT_EQ(service.Mails().size(), 1u);
  EXPECT_EQ(service.Mails()[0].subject, "Servisní záznam vozidla");
  EXPECT_NE(service.Mails()[0].body.find(service.BaseUrl() + "files/1/"), std::string::npos);
  EXPECT_EQ(sent.out.find("tajne"), std::string::npos);
  const std::string log = ReadFileBytes(db + "/emailLog.txt");
  EXPECT_NE(log.find("SendEmail: "), std::string::npos);
  EXPECT_EQ(log.find("tajne"), std::string::npos);

  service.Script({TStandInWebService::TFailure::ErrorAnswer});
  sent = Garvelctl("send-records " + db + " --vehicle 1 --record 2");
  EXPECT_EQ(sent.status, 1);
  EXPECT_NE(sent.out.find("Chyba: Nahrávání souboru na server selhalo."), std::string::npos) << sent.out;

  service.SetVersion("3.70", "1.2.2027");
  TCtlRun version = Garvelctl("version-check", "GARVEL_VERSION_URL=" + service.BaseUrl() + "garv_version.php");
  EXPECT_EQ(version.status, 0) << version.out;
  EXPECT_NE(version.out.find("K dispozici je nová verze programu (3.70)."), std::string::npos) << version.out;
  service.SetVersion("3.63", "1.2.2027");
  version = Garvelctl("version-check", "GARVEL_VERSION_URL=" + service.BaseUrl() + "garv_version.php");
  EXPECT_NE(version.out.find("Používáte aktuální verzi."), std::string::npos) << version.out;
}
