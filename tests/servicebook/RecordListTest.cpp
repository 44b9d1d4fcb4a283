#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogues/StartingCatalogue.h"
#include "servicebook/AttachmentRoots.h"
#include "servicebook/RecordList.h"
#include "servicebook/VehicleSave.h"
#include "shell/Stores.h"
#include "storage/DateText.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 6, 15);

Tzaznam Rec(int32_t kind, TDateTime date, int32_t km, const std::string& description = "") {
  Tzaznam r;
  r.db.kind = kind;
  r.db.date = date;
  r.db.km = km;
  r.description = description;
  return r;
}

TRecordListSettings Settings() {
  TRecordListSettings s;
  s.today = kToday;
  return s;
}

std::string Activity(const std::string& text, uint8_t type) {
  return std::string("\x01") + text + "\x03" + std::to_string(type) + "\x03-1\x03" "0\x03" "100.000\x03" "1.000\x03" "0.000\x02";
}

}  // namespace

TEST(MileageRate, MeasuredDefaultAndEstimatedDates) {
  const TDateTime l = kToday - 10;
  // Two DONE readings 400 days and 10,000 km apart: 25 km a day.
  AZaznamy records = {Rec(kKindDone, l - 400, 20000), Rec(kKindDone, l, 30000)};
  TMileageRate rate = ComputeMileageRate(records, kToday, 24);
  EXPECT_FALSE(rate.inaccurate);
  EXPECT_EQ(KmPerYear(rate), 9125);
  struct Case { const char* name; TDateTime date; int32_t km; int32_t expected; } cases[] = {
      {"km only: L + 100 days", 0, 32500, static_cast<int32_t>(l) + 100},
      {"earlier date wins", l + 50, 32500, static_cast<int32_t>(l) + 50},
      {"earlier estimate wins", l + 150, 32500, static_cast<int32_t>(l) + 100},
      {"date only", l + 3.75, -1, static_cast<int32_t>(l) + 3},
      {"neither", 0, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EffectiveDate(Rec(kKindPlan, c.date, c.km).db, rate), c.expected);
    EXPECT_EQ(EffectiveDate(Rec(kKindPlanNoWarn, c.date, c.km).db, rate), c.expected);
  }
  // A very slow vehicle puts far plans beyond the calendar: held to it.
  AZaznamy slow = {Rec(kKindDone, l - 36500, 29999), Rec(kKindDone, l, 30000)};
  TMileageRate crawl = ComputeMileageRate(slow, kToday, 1300);  // a history of 107 years
  ASSERT_FALSE(crawl.inaccurate);
  EXPECT_EQ(EffectiveDate(Rec(kKindPlan, 0, 0).db, crawl), 1);
  EXPECT_EQ(EffectiveDate(Rec(kKindPlan, 0, 2147483647).db, crawl), 2958465);
  // Only plans are estimated.
  EXPECT_EQ(EffectiveDate(Rec(kKindOrder, l + 150, 32500).db, rate), static_cast<int32_t>(l) + 150);
  EXPECT_EQ(EffectiveDate(Rec(kKindDone, 0, 32500).db, rate), 0);

  // No DONE reading: 15,000 a year from today, and the warning.
  AZaznamy none = {Rec(kKindPlan, 0, 4110), Rec(kKindDone, kToday, -1)};
  rate = ComputeMileageRate(none, kToday, 24);
  EXPECT_TRUE(rate.inaccurate);
  EXPECT_EQ(KmPerYear(rate), 15000);
  EXPECT_EQ(rate.lastDate, kToday);
  EXPECT_EQ(EffectiveDate(none[0].db, rate), static_cast<int32_t>(kToday) + 100);  // 4110 / 41.0958... = 100.01
}

TEST(MileageRate, ReadingsAndTheirEdges) {
  struct Case { const char* name; AZaznamy records; bool inaccurate; int32_t perYear; } cases[] = {
      {"29 days apart", {Rec(kKindDone, kToday - 29, 1000), Rec(kKindDone, kToday, 2000)}, true, 15000},
      {"30 days apart", {Rec(kKindDone, kToday - 30, 1000), Rec(kKindDone, kToday, 2000)}, false, 12167},
      {"falling km still positive", {Rec(kKindDone, kToday - 365, 9000), Rec(kKindDone, kToday, 2000)}, false, 7000},
      {"other kinds and missing km ignored",
       {Rec(kKindOrder, kToday - 365, 0), Rec(kKindDone, kToday - 200, -1), Rec(kKindDone, kToday, 5000)}, true, 15000},
      // The first point is the reading nearest to today − 24 × 30 days.
      {"first point nearest the reference",
       {Rec(kKindDone, kToday - 2000, 0), Rec(kKindDone, kToday - 730, 10000), Rec(kKindDone, kToday, 17300)}, false, 3650},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMileageRate rate = ComputeMileageRate(c.records, kToday, 24);
    EXPECT_EQ(rate.inaccurate, c.inaccurate);
    EXPECT_EQ(KmPerYear(rate), c.perYear);
  }
  // Same km a month apart: a rate of 0 keeps the plans' own dates.
  AZaznamy still = {Rec(kKindDone, kToday - 60, 5000), Rec(kKindDone, kToday, 5000)};
  TMileageRate zero = ComputeMileageRate(still, kToday, 24);
  EXPECT_EQ(zero.kmPerDay, 0);
  EXPECT_EQ(EffectiveDate(Rec(kKindPlan, kToday + 9, 6000).db, zero), static_cast<int32_t>(kToday) + 9);
  EXPECT_EQ(EffectiveDate(Rec(kKindPlan, 0, 6000).db, zero), 0);
  // Damaged dates never reach an integer conversion.
  Tzaznam broken = Rec(kKindPlan, std::numeric_limits<double>::quiet_NaN(), 6000);
  EXPECT_EQ(EffectiveDate(broken.db, zero), 0);
  broken.db.date = 1e300;
  EXPECT_EQ(EffectiveDate(broken.db, zero), 2958465);
}

TEST(RecordList, RowsSortDatesAndSearch) {
  const TDateTime l = kToday - 10;
  AZaznamy records = {
      Rec(kKindPlan, 0, -1, "Kontrola BRZD"),
      Rec(kKindDone, l, 30000, "\x04" + Activity("Výměna oleje", 0) + Activity("Olej", 1) + Activity("Filtr", 1)),
      Rec(kKindDone, l - 400, 20000, "první\r\nservis"),
      Rec(kKindPlan, 0, 32500, "Rozvody"),
      Rec(kKindTrip, l - 5, -1, "from=Brno|to=Praha|roundTrip=1|"),
      Rec(99, l - 1, 1, "cizí"),
  };
  records[1].db.priceWrk = 1500.5f;
  records[1].db.priceMat = 2.5f;
  records[0].db.sortDate = 777;  // stale
  TRecordList list = BuildRecordList(records, "", Settings());
  EXPECT_EQ(list.kmPerYear, 9125);
  ASSERT_EQ(list.rows.size(), 6u);
  std::vector<size_t> order;
  for (const TRecordRow& r : list.rows) order.push_back(r.index);
  EXPECT_EQ(order, (std::vector<size_t>{2, 4, 5, 1, 0, 3}));

  const TRecordRow& done = list.rows[3];
  EXPECT_EQ(done.date, DateText(l));
  EXPECT_EQ(done.km, "30000");
  EXPECT_EQ(done.activities, "Výměna oleje; ; ; ");  // one "; " per line, materials hidden
  EXPECT_EQ(done.labour, "1500");                    // halves to even
  EXPECT_EQ(done.material, "2");
  EXPECT_EQ(list.rows[0].activities, "první, servis");
  EXPECT_EQ(list.rows[1].activities, "Cesta Brno -> Praha a zpět");
  EXPECT_EQ(list.rows[1].material, "<cesta>");
  EXPECT_EQ(list.rows[1].labour, "");
  EXPECT_EQ(list.rows[1].km, "nezadáno");
  EXPECT_EQ(list.rows[2].material, "?");
  // The undated plan without km shows "?" and sorts as tomorrow, but keeps
  // sortDate 0 so that the reminders never list it.
  EXPECT_EQ(list.rows[4].date, "?");
  EXPECT_EQ(list.rows[4].sortKey, static_cast<int32_t>(kToday) + 1);
  EXPECT_EQ(records[0].db.sortDate, 0);
  EXPECT_EQ(records[3].db.sortDate, static_cast<int32_t>(l) + 100);
  EXPECT_EQ(list.rows[5].date, DateText(l + 100));

  // One character shows everything; two or more match folded descriptions,
  // and records that are not listed still get their dates.
  EXPECT_EQ(BuildRecordList(records, "x", Settings()).rows.size(), 6u);
  records[3].db.sortDate = 0;
  TRecordList found = BuildRecordList(records, "kontrola brzd", Settings());
  ASSERT_EQ(found.rows.size(), 1u);
  EXPECT_EQ(found.rows[0].index, 0u);
  EXPECT_EQ(records[3].db.sortDate, static_cast<int32_t>(l) + 100);
  EXPECT_EQ(BuildRecordList(records, "PRVNI", Settings()).rows.size(), 1u);
  EXPECT_EQ(BuildRecordList(records, "výmě", Settings()).rows.size(), 1u);  // the raw description is searched
  EXPECT_EQ(BuildRecordList(records, "Čokoláda", Settings()).rows.size(), 0u);
}

TEST(RecordList, LabelsColoursAndPrices) {
  EXPECT_EQ(KindShortCode(kKindPlanNoWarn), "PLANNW");
  EXPECT_EQ(KindShortCode(kKindDone), "DONE");
  EXPECT_EQ(KindPriceLabel(kKindPlanNoWarn), "<plán>");
  EXPECT_EQ(KindPriceLabel(kKindOrder), "<objednávka>");
  EXPECT_EQ(KindPriceLabel(kKindRefuel), "<tankování>");
  EXPECT_EQ(KindRowColour(kKindDone), -1);
  EXPECT_EQ(KindRowColour(kKindPlanNoWarn), 0x00B900);
  EXPECT_EQ(KindRowColour(0), 0xFF0000);
  EXPECT_EQ(ListPriceText(2.5), "2");
  EXPECT_EQ(ListPriceText(3.5), "4");
  EXPECT_EQ(ListPriceText(-0.0), "0");
  EXPECT_EQ(ListPriceText(-1), "");  // labour "no price"
  EXPECT_EQ(ListPriceText(std::numeric_limits<double>::infinity()), "?");
}

TEST(VehicleSave, LastServiceIsTheLatestDoneAfter2000) {
  const TDateTime y2000 = EncodeDate(2000, 1, 1);
  EXPECT_EQ(LastServiceDate({}), y2000);
  AZaznamy records = {Rec(kKindDone, EncodeDate(1999, 5, 1), 1), Rec(kKindPlan, EncodeDate(2030, 1, 1), 1)};
  EXPECT_EQ(LastServiceDate(records), y2000);
  records.push_back(Rec(kKindDone, EncodeDate(2023, 2, 3) + 0.5, 1));
  records.push_back(Rec(kKindDone, EncodeDate(2021, 2, 3), 1));
  EXPECT_EQ(LastServiceDate(records), EncodeDate(2023, 2, 3) + 0.5);
}

TEST(AttachmentRoots, VehicleMakeModelEngineAndOwnerFoundInTheCatalogue) {
  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TStoreSet stores;
  ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
  WriteFileBytes(fs.dir / "katalog.txt",
                 "G Koncern\nE 2.0 TDI / N / 1968\nM Ford | US\nD Focus\nM Škoda | CZ\nD Fabia; Octavia: Combi\n"
                 "E 1.9 TDI / N / 1896\n");
  const TCatalogue catalogue = CatalogueOf(stores);
  ASSERT_TRUE(LoadStartingCatalogueFile(catalogue, fs.dir / "katalog.txt"));
  Tautomobil v;
  InitVehicle(v);
  v.ID = 12;
  v.manufacturer = "SKODA";  // names compare folded
  v.model = "octavia";
  v.engine = "1.9 TDI";
  v.ownerID = 7;
  EXPECT_EQ(VehicleAttachmentRoots(catalogue, v, "attach\\"),
            (std::vector<std::string>{"attach\\CAR00012", "attach\\MAN00002", "attach\\MOD00003", "attach\\ENG00002",
                                      "attach\\CON00007"}));
  // The concern's engine is the make's too; an unknown model and no owner
  // leave their folders out.
  v.model = "Superb";
  v.engine = "2.0 TDI";
  v.ownerID = -1;
  EXPECT_EQ(VehicleAttachmentRoots(catalogue, v, "attach"),
            (std::vector<std::string>{"attach\\CAR00012", "attach\\MAN00002", "attach\\ENG00001"}));
  v.manufacturer = "Tatra";
  EXPECT_EQ(VehicleAttachmentRoots(catalogue, v, "attach\\"), std::vector<std::string>{"attach\\CAR00012"});
}
