#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "documents/PagePrinter.h"
#include "servicebook/ServiceBookOutput.h"
#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/DateTime.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

// Every character 10 pixels wide, text 20 high; an A4-like page of
// 2100 × 2970 that never breaks in these tests.
class TRecordingCanvas : public ITextCanvas {
 public:
  struct TItem {
    int x, y;
    std::string text;
    int size;
    bool bold;
  };
  int PageWidth() const override { return 2100; }
  int PageHeight() const override { return 29700; }
  int TextWidth(const std::string& t) const override { return 10 * static_cast<int>(Utf8Length(t)); }
  int TextHeight(const std::string&) const override { return 20; }
  void DrawText(int x, int y, const std::string& t) override {
    if (y < 29000) items.push_back({x, y, t, size, bold});  // not the page decoration
  }
  void DrawLine(int, int y, int, int) override { rules.push_back(y); }
  void SetFontSize(int p) override { size = p; }
  int FontSize() const override { return size; }
  void SetBold(bool b) override { bold = b; }
  void NewPage() override {}

  const TItem* Find(const std::string& text) const {
    for (const TItem& i : items)
      if (i.text == text) return &i;
    return nullptr;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const TItem& i : items) t.push_back(i.text);
    return t;
  }

  std::vector<TItem> items;
  std::vector<int> rules;
  int size = 10;
  bool bold = false;
};

Tzaznam Record(int32_t kind, float labour, float material, int day) {
  Tzaznam r;
  InitRecord(r, 1, kind);
  r.db.km = 120000 + day;
  r.db.date = EncodeDate(2026, 3, day);
  r.db.priceWrk = labour;
  r.db.priceMat = material;
  return r;
}

class ServiceBookOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadDefaults(config);
    config.taxpaid = true;
    config.taxrate = 21;
    config.invoicerounding = true;
    config.roundto = 1;
    config.currency = "kč";
    config.name = "Autoservis Novák";
    config.street = "Dlouhá 1";
    config.city = "Brno";
    config.postalCode = "602 00";
    config.phones = "541 000 000";
    config.email = config.icq = config.skype = "";
    config.www = "www.servis.example";
    config.motto = "Spolehlivě a včas";
    ApplyConfig(config);

    InitVehicle(vehicle);
    vehicle.tag = "1B2 3456";
    vehicle.manufacturer = "Škoda";
    vehicle.model = "Octavia";
    vehicle.subtype = "Combi";
    vehicle.engine = "1.9 TDI";
    vehicle.year = 2004;
    vehicle.month = 5;
    vehicle.color = "zelená";
    vehicle.vin = "TMBGE61U";
    InitContactDefault(owner);
    owner.surname = "Řehoř";
    owner.firstName = "Jan";
    owner.street = "Hlavní 5";
    owner.city = "Brno";
    owner.phones = "777 123 456";
    owner.email = "jan@example.cz";

    Tzaznam done = Record(kKindDone, 1000, 500, 14);
    TActRecord work;
    work.text = "Výměna oleje";
    work.count = 1.5f;
    work.price = 400;
    TActRecord part;
    part.itemType = kItemMaterial;
    part.text = "Olejový filtr";
    part.count = 1;
    part.price = 100;
    done.description = EncodeActivities({work, part});
    done.material = "Olej 5W-30";
    records = {done, Record(kKindRefuel, 0, 1200, 10), Record(kKindPlan, -1, 0, 20), Record(kKindOrder, 200, 0, 2)};
    view.vehicle = &vehicle;
    view.owner = &owner;
    view.records = &records;
    view.rowOrder = {3, 1, 0, 2};  // by date
    view.selected = 0;
  }
  void TearDown() override {
    LoadDefaults(config);
    ApplyConfig(config);
  }

  TConfig config;
  Tautomobil vehicle;
  TContactRecord owner;
  AZaznamy records;
  TServiceBookView view;
};

}  // namespace

TEST_F(ServiceBookOutput, AmountRule) {
  Tzaznam r = Record(kKindDone, 1000, 500, 1);
  EXPECT_EQ(PriceLine(r.db, true, 21), "1815,00 kč (materiál 605,00 kč + práce 1210,00 kč)");
  r.db.flags = kFlagNoLaborVAT;
  EXPECT_EQ(PriceLine(r.db, true, 21), "1605,00 kč (materiál 605,00 kč + práce 1000,00 kč)");
  EXPECT_EQ(PriceLine(r.db, false, 21), "1500,00 kč (materiál 500,00 kč + práce 1000,00 kč)");
  r.db.flags = 0;
  r.db.priceWrk = 100.3f;
  EXPECT_EQ(PriceLine(r.db, false, 21), "600,00 kč (materiál 500,00 kč + práce 100,30 kč)");  // total rounded
}

TEST_F(ServiceBookOutput, PrintOutLayout) {
  TRecordingCanvas canvas;
  {
    TGarvPrinter printer(canvas, "Záznamy vozidla");
    PrintServiceBook(printer, canvas, view, false, config);
  }
  const TRecordingCanvas::TItem* title = canvas.Find("Záznamy vozidla");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->size, 20);
  EXPECT_EQ(title->x, 30 * 1 + (2070 - 30) / 2 - 150 / 2);  // centred between the margins

  // The block: labels at 0.03 and 0.5, values at 0.15 and 0.6 of the width.
  for (auto [label, x] : {std::pair{"RZ:", 63}, {"Jméno:", 1050}, {"VIN kód:", 63}, {"e-mail:", 1050}}) {
    ASSERT_TRUE(canvas.Find(label)) << label;
    EXPECT_EQ(canvas.Find(label)->x, x) << label;
  }
  for (auto [value, x] : {std::pair{"1B2 3456", 315}, {"Řehoř, Jan", 1260}, {"Škoda Octavia Combi", 315},
                          {"5/2004", 315}, {"jan@example.cz", 1260}}) {
    ASSERT_TRUE(canvas.Find(value)) << value;
    EXPECT_EQ(canvas.Find(value)->x, x) << value;
  }

  // Rows in list order; refuelling and the plan without a price are left out.
  std::vector<std::string> dates;
  for (size_t i = 0; i + 1 < canvas.items.size(); ++i)
    if (canvas.items[i].text == "Datum:") dates.push_back(canvas.items[i + 1].text);
  EXPECT_EQ(dates, (std::vector<std::string>{"02.03.2026", "14.03.2026"}));
  EXPECT_TRUE(canvas.Find("1815,00 kč (materiál 605,00 kč + práce 1210,00 kč)"));

  // The activity list with its value columns right-aligned before the stops.
  const TRecordingCanvas::TItem* count = canvas.Find("počet");
  ASSERT_TRUE(count);
  EXPECT_EQ(count->x + 50, 1680 - 1);
  const TRecordingCanvas::TItem* work = canvas.Find("Výměna oleje");
  ASSERT_TRUE(work);
  EXPECT_TRUE(canvas.Find("    Olejový filtr"));
  EXPECT_TRUE(canvas.Find("1:30"));
  EXPECT_TRUE(canvas.Find("726,00"));  // 1.5 h × 400 with VAT
  EXPECT_TRUE(canvas.Find("Olej 5W-30"));

  // The footer: no contact line without e-mail, ICQ or skype; the motto bold.
  const std::vector<std::string> texts = canvas.Texts();
  auto at = std::find(texts.begin(), texts.end(), "Nelze použít jako daňový doklad.");
  ASSERT_NE(at, texts.end());
  EXPECT_EQ(std::vector<std::string>(at, texts.end()),
            (std::vector<std::string>{"Nelze použít jako daňový doklad.", "Autoservis Novák, Dlouhá 1, Brno 602 00",
                                      "tel. 541 000 000", "www.servis.example", "Spolehlivě a včas",
                                      "Vytvořeno programem \"Garvel\" - https://garvel.example ... softwarové "
                                      "vybavení autoservisů",
                                      "Stáhněte si zákaznickou verzi programu z adresy "
                                      "https://garvel.example/zakaznicka-verze/"}));
  EXPECT_TRUE(canvas.Find("Spolehlivě a včas")->bold);
  EXPECT_FALSE(canvas.Find("tel. 541 000 000")->bold);
  EXPECT_FALSE(canvas.items.back().bold);
  // The contact line's place: one line step more between phones and www.
  EXPECT_EQ(canvas.Find("www.servis.example")->y - canvas.Find("tel. 541 000 000")->y, 2 * 25);
}

TEST_F(ServiceBookOutput, PrintOutOfTheSelectedRow) {
  TRecordingCanvas canvas;
  view.selected = 3;
  {
    TGarvPrinter printer(canvas, "Záznamy vozidla");
    PrintServiceBook(printer, canvas, view, true, config);
  }
  const std::vector<std::string> texts = canvas.Texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Datum:"), 1);
  EXPECT_TRUE(canvas.Find("02.03.2026"));
  EXPECT_FALSE(canvas.Find("14.03.2026"));
}

TEST_F(ServiceBookOutput, TextExport) {
  TTestFileSystems files;
  TRecordingDesktop desktop;
  TRecordingNotifier notifier;
  vehicle.comments = "Tažné zařízení";
  records.resize(3);
  view.rowOrder = {1, 0, 2};
  ASSERT_TRUE(ExportServiceBookText(view, config));
  ASSERT_EQ(desktop.documents, std::vector<std::string>{files.dir / "tmp.txt"});
  const std::string text = Cp1250ToUtf8(ReadFileBytes(files.dir / "tmp.txt"));
  const std::string rule(48, '-');
  const std::string expected =
      "Řehoř, Jan\r\nHlavní 5\r\nBrno\r\n777 123 456\r\njan@example.cz\r\n\r\n"
      "1B2 3456\r\nŠkoda Octavia Combi\r\n1.9 TDI\r\n5/2004\r\nzelená\r\nTMBGE61U\r\n\r\n" +
      rule + "\r\n\r\nTažné zařízení\r\n\r\n" + rule + "\r\n\r\n" +
      // The refuelling: every kind is listed.
      "Záznam č. 1, datum:\r\n10.03.2026\r\n\r\nStav km:\r\n120010\r\n\r\nCena:\r\n"
      "1452,00 kč (materiál 1452,00 kč + práce 0,00 kč)\r\n\r\n\r\n" + rule + "\r\n\r\n" +
      "Záznam č. 2, datum:\r\n14.03.2026\r\n\r\nStav km:\r\n120014\r\n\r\nCena:\r\n"
      "1815,00 kč (materiál 605,00 kč + práce 1210,00 kč)\r\n\r\n"
      "Popis:\r\nVýměna oleje\r\n    Olejový filtr\r\n\r\n\r\nMateriál:\r\nOlej 5W-30\r\n\r\n\r\n" + rule +
      "\r\n\r\n" +
      "Záznam č. 3, datum:\r\n20.03.2026\r\n\r\nStav km:\r\n120020\r\n\r\n<plánovaný servis>\r\n\r\n\r\n" + rule +
      "\r\n\r\n";
  EXPECT_EQ(text, expected);

  // A folder that cannot be written: told, and nothing opened.
  desktop.documents.clear();
  ASSERT_EQ(chmod(files.dir.Path().c_str(), 0500), 0);
  if (geteuid() != 0) {  // root writes anywhere
    EXPECT_FALSE(ExportServiceBookText(view, config));
    EXPECT_TRUE(desktop.documents.empty());
    EXPECT_EQ(notifier.shown.size(), 1u);
  }
  chmod(files.dir.Path().c_str(), 0700);
}
