#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "servicebook/RecordList.h"
#include "shell/Stores.h"
#include "storage/DateText.h"
#include "storage/RealFileSystem.h"
#include "tests/support/RunGarvelctl.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRecords.h"

TEST(RecordsCommand, PrintsTheWindowsRowsAndRate) {
  TTempDir dir;
  const std::string db = dir / "db";
  const TDateTime today = EncodeDate(2031, 3, 1);
  {
    CRealFileSystem fs;
    ASSERT_TRUE(fs.ForceDirectories(db + "/"));
    TStoreSet stores;
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, fs, db + "/", options));
    Tautomobil v;
    InitVehicle(v);
    v.tag = "1A2 3456";
    stores.cars->CreateCar(v, "");
    AZaznamy records = {TestRecord(v.ID, kKindDone, today - 410, 20000, "Výměna oleje\r\nfiltr"),
                        TestRecord(v.ID, kKindPlan, 0, 32500, "Rozvody"),
                        TestRecord(v.ID, kKindDone, today - 10, 30000, "Brzdy")};
    records[0].db.priceWrk = 900.5f;
    records[0].db.priceMat = 120;
    ASSERT_TRUE(stores.records->SaveCarRecords(v.ID, records));
    stores.CloseAll();
  }
  TCtlRun run = RunGarvelctl("records " + db + " --vehicle 1 --today 1.3.2031");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(run.out, "Km/rok\t9125\n"
                     "Datum\tStav km\tÚkony\tCena p.\tCena m.\n" +
                         DateText(today - 410) + "\t20000\tVýměna oleje, filtr\t900\t120\n" +
                         DateText(today - 10) + "\t30000\tBrzdy\t0\t0\n" +
                         DateText(today + 90) + "\t32500\tRozvody\t\t<plán>\n");
  run = RunGarvelctl("records " + db + " --vehicle 1 --today 1.3.2031 --search rozvody");
  EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1), DateText(today + 90) + "\t32500\tRozvody\t\t<plán>\n");
  EXPECT_EQ(RunGarvelctl("records " + db + " --vehicle 9").status, 1);
  EXPECT_EQ(RunGarvelctl("records " + db).status, 2);
  EXPECT_EQ(RunGarvelctl("records " + db + " --vehicle 1 --today zítra").status, 2);
}

TEST(RecordsCommand, GeneratedDataHasCatalogueDuePlansUnpaidJobsAndALongHistory) {
  TTempDir dir;
  const std::string db = dir / "db";
  TCtlRun gen = RunGarvelctl("generate --vehicles 80 --records-per-vehicle 20 --customers 30 --big-vehicle 500 " + db);
  ASSERT_EQ(gen.status, 0) << gen.out;
  EXPECT_NE(gen.out.find("Katalog: "), std::string::npos) << gen.out;
  EXPECT_NE(gen.out.find("Vozidlo s 500 záznamy: ID 81"), std::string::npos) << gen.out;

  CRealFileSystem fs;
  TStoreSet stores;
  TStoreOpenOptions options;
  options.readOnly = true;
  options.showMessages = false;
  ASSERT_TRUE(OpenStores(stores, fs, db + "/", options));
  EXPECT_GT(stores.manufacturers->Count(), 10);
  EXPECT_GE(stores.records->RecordCountOf(81), 500u);
  const int32_t today = DayNumber(Today());
  int dueByDate = 0, dueByKm = 0, unpaid = 0;
  for (int slot = 0; slot < stores.cars->Count(); ++slot) {
    const int32_t id = stores.cars->IDAt(slot);
    if (id < 0) continue;
    AZaznamy records;
    ASSERT_TRUE(stores.records->LoadCarRecords(id, records));
    AZaznamy recomputed = records;
    TRecordListSettings settings;
    settings.today = today;
    StoreEffectiveDates(recomputed, settings);
    // Jobs are done in the past, and a later job never reads fewer km.
    std::vector<std::pair<TDateTime, int32_t>> done;
    for (const Tzaznam& r : records)
      if (r.db.kind == kKindDone) done.emplace_back(r.db.date, r.db.km);
    std::sort(done.begin(), done.end());
    for (size_t i = 0; i < done.size(); ++i) {
      EXPECT_LE(done[i].first, today) << id;
      if (i > 0) {
        EXPECT_GE(done[i].second, done[i - 1].second) << id;
      }
    }
    for (size_t i = 0; i < records.size(); ++i) {
      const TzaznamDb& r = records[i].db;
      // The stored dates are the window's.
      EXPECT_EQ(r.sortDate, recomputed[i].db.sortDate) << id;
      if (r.kind == kKindDone && (r.flags & kFlagUnpaid)) ++unpaid;
      if (r.kind == kKindPlan && r.sortDate >= today - 30 && r.sortDate <= today + 14) ++(r.km >= 0 ? dueByKm : dueByDate);
    }
  }
  EXPECT_GT(dueByDate, 3);
  EXPECT_GT(dueByKm, 3);
  EXPECT_GT(unpaid, 3);
}
