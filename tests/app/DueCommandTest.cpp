#include <gtest/gtest.h>

#include <string>

#include "shell/Stores.h"
#include "storage/RealFileSystem.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/RunGarvelctl.h"
#include "tests/support/StoreFixtures.h"
#include "tests/support/TempDir.h"

// due: the reminder rows of a small folder made here, for a given day.
TEST(DueCommand, ListsTheReminderRows) {
  TTempDir dir;
  TRecordingNotifier notifier;
  {
    CRealFileSystem fs;
    TStoreSet stores;
    ASSERT_TRUE(OpenStores(stores, fs, dir.Path(), TStoreOpenOptions{}));
    const int32_t car = AddTestVehicle(stores, "1A2 3456", AddTestOwner(stores, "Novák", "novak@example.cz"));
    const TDateTime today = EncodeDate(2024, 5, 15);
    AZaznamy set;
    auto add = [&](int32_t kind, int days, const char* text, uint32_t flags) {
      Tzaznam r;
      InitRecord(r, car, kind);
      r.db.date = today + days;
      r.db.flags = flags;
      r.db.priceMat = 100;
      r.description = text;
      set.push_back(r);
    };
    add(kKindPlan, -30, "Olej\r\nfiltr", 0);
    add(kKindPlan, 15, "Brzdy", 0);
    add(kKindOrder, 3, "Pneu\tzimní", 0);
    add(kKindDone, -400, "Světla", kFlagUnpaid);
    stores.records->SaveCarRecords(car, set);
    stores.CloseAll();
  }
  const std::string db = dir.Path() + " --today 15.5.2024";
  TCtlRun due = RunGarvelctl("due " + db);
  ASSERT_EQ(due.status, 0) << due.out;
  EXPECT_EQ(due.out,
            "Datum\tVozidlo\tZákazník\tE-mail\tTelefon\tPopis\tCena\tFaktura\n"
            "* 15.04.2024\tŠkoda 0 - 1A2 3456\tNovák\tnovak@example.cz\t\tOlej, filtr\t\t\n"
            "18.05.2024\tŠkoda 0 - 1A2 3456\tNovák\tnovak@example.cz\t\tPneu zimní\t\t\n");
  EXPECT_EQ(CountLinesStartingWith(RunGarvelctl("due " + db + " --back 0 --ahead 15").out, "30.05.2024\t"), 1u);
  due = RunGarvelctl("due " + db + " --unpaid");
  EXPECT_EQ(CountLinesStartingWith(due.out, "* 11.04.2023\t"), 1u) << due.out;
  EXPECT_NE(due.out.find("\tSvětla\t121,00\t"), std::string::npos) << due.out;

  EXPECT_EQ(RunGarvelctl("due " + db + " --unpaid --back 3").status, 2);
  EXPECT_EQ(RunGarvelctl("due " + db + " --ahead -1").status, 2);
  EXPECT_EQ(RunGarvelctl("due " + dir.Path() + " --today 31.2.2024").status, 2);
}
