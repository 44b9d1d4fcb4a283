#include <gtest/gtest.h>

#include "servicebook/Activities.h"
#include "servicebook/MailPlaceholders.h"
#include "servicebook/ReminderActions.h"
#include "servicebook/Reminders.h"
#include "shell/Stores.h"
#include "storage/DateText.h"
#include "storage/FileSystemSetup.h"
#include "storage/PriceRounding.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/StoreFixtures.h"
#include "tests/support/TestFileSystems.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 5, 15);

class RemindersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClockForTests([] { return kToday + 0.5; });
    SetPriceRounding(TPriceRounding{true, 1});
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
  }
  void TearDown() override { SetClockForTests(nullptr); }

  int32_t AddOwner(const std::string& surname, const std::string& email, const std::string& phones) {
    return AddTestOwner(stores, surname, email, phones);
  }
  int32_t AddVehicle(const std::string& tag, int32_t ownerID = -1) { return AddTestVehicle(stores, tag, ownerID); }
  // A record of the vehicle dated `days` from today (date 0 when `dated` is
  // false); returns its ID.
  int32_t AddRecord(int32_t car, int32_t kind, int days, const std::string& text = "Výměna oleje",
                    bool dated = true, int32_t sortDate = 0, uint32_t flags = 0) {
    return AddTestRecord(stores, car, kind, dated ? kToday + days : 0, text, flags, sortDate);
  }
  Tzaznam Stored(int32_t id) {
    Tzaznam r;
    EXPECT_TRUE(stores.records->LoadCarRecord(id, r));
    return r;
  }
  std::vector<TReminderRow> Scan(TReminderView view, int back, int ahead) {
    TReminderScanSettings s;
    s.view = view;
    s.daysBack = back;
    s.daysAhead = ahead;
    s.today = Today();
    return ScanReminders(*stores.cars, *stores.records, stores.customers.get(), s);
  }
  std::vector<int32_t> IDs(const std::vector<TReminderRow>& rows) {
    std::vector<int32_t> ids;
    for (const TReminderRow& r : rows) ids.push_back(r.recordID);
    return ids;
  }
  TReminderStores Stores() { return TReminderStores{*stores.cars, *stores.records, stores.customers.get()}; }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
};

struct TSentMail {
  std::string to, subject, body;
};

}  // namespace

TEST_F(RemindersTest, PlannedViewListsPlansAndOrdersInTheWindowByDueDay) {
  const int32_t car = AddVehicle("1A2 3456");
  const int32_t at15 = AddRecord(car, kKindPlan, 15);
  const int32_t at14 = AddRecord(car, kKindPlan, 14);
  const int32_t atMinus30 = AddRecord(car, kKindPlan, -30);
  AddRecord(car, kKindPlan, -31);
  const int32_t order = AddRecord(car, kKindOrder, 3);
  AddRecord(car, kKindPlanNoWarn, 2);
  AddRecord(car, kKindDone, 1, "Hotovo", true, 0, kFlagUnpaid);
  // Undated with a km estimate: listed by the date the records window stored.
  const int32_t byKm = AddRecord(car, kKindPlan, 0, "Rozvody\r\nvodní pumpa", false, DayNumber(kToday) + 5);
  // Undated without km: no due date, never listed however far back we look.
  AddRecord(car, kKindPlan, 0, "Kdykoli", false, 0);
  // Another vehicle's plan of today, found in store order.
  const int32_t other = AddRecord(AddVehicle("2B3 4567"), kKindPlan, 0);

  std::vector<TReminderRow> rows = Scan(TReminderView::Planned, 30, 14);
  EXPECT_EQ(IDs(rows), (std::vector<int32_t>{atMinus30, other, order, byKm, at14}));
  EXPECT_EQ(rows[0].date, "* " + DateText(kToday - 30));
  EXPECT_TRUE(rows[0].overdue);
  EXPECT_EQ(rows[1].date, DateText(kToday));
  EXPECT_FALSE(rows[1].overdue);
  EXPECT_EQ(rows[0].dueDay, DayNumber(kToday) - 30);
  EXPECT_EQ(rows[3].description, "Rozvody, vodní pumpa");

  EXPECT_EQ(IDs(Scan(TReminderView::Planned, kUnpaidViewDays, 14)).size(), 6u);  // -31 too, never the undated
  EXPECT_EQ(IDs(Scan(TReminderView::Planned, 30, 15)).back(), at15);
}

TEST_F(RemindersTest, UnpaidViewListsUnpaidDoneWhateverTheDateWithPricesAndOwners) {
  const int32_t owner = AddOwner("Novák", "novak@example.cz", "777 123 456");
  const int32_t car = AddVehicle("1A2 3456", owner);
  const int32_t old = AddRecord(car, kKindDone, -9000, "Brzdy", true, 0, kFlagUnpaid);
  AddRecord(car, kKindDone, -5);  // paid
  AddRecord(car, kKindPlan, -5, "Plán", true, 0, kFlagUnpaid);
  // Text style's labour of -1 means "no price" and counts as nothing.
  Tzaznam priced = Stored(AddRecord(car, kKindDone, -10, "Světla", true, 0, kFlagUnpaid));
  priced.db.priceWrk = -1;
  priced.db.priceMat = 100;
  priced.db.invoiceNrText = "2024/17";
  ASSERT_TRUE(stores.records->SaveCarRecord(priced));

  TReminderScanSettings s;
  s.view = TReminderView::Unpaid;
  s.daysBack = s.daysAhead = kUnpaidViewDays;
  s.today = kToday;
  std::vector<TReminderRow> rows = ScanReminders(*stores.cars, *stores.records, stores.customers.get(), s);
  ASSERT_EQ(IDs(rows), (std::vector<int32_t>{old, priced.db.ID}));
  EXPECT_EQ(rows[1].price, "121,00");
  EXPECT_EQ(rows[1].invoice, "2024/17");
  EXPECT_EQ(rows[0].price, "");
  EXPECT_EQ(rows[0].customer, "Novák");
  EXPECT_EQ(rows[0].email, "novak@example.cz");
  EXPECT_EQ(rows[0].phones, "777 123 456");
  EXPECT_EQ(rows[0].vehicle, VehicleDisplayName([&] {
              Tautomobil v;
              stores.cars->LoadCar(car, v);
              return v;
            }()));
  s.vat.taxPaid = false;
  EXPECT_EQ(ScanReminders(*stores.cars, *stores.records, stores.customers.get(), s)[1].price, "100,00");

  // Optional columns show only with a value; an owner that cannot be read
  // shows as "<nezadán>" with empty address columns.
  auto shown = VisibleReminderColumns(rows);
  EXPECT_TRUE(shown[kRemColEmail] && shown[kRemColPrice] && shown[kRemColInvoice] && shown[kRemColDate]);
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(car, v));
  v.ownerID = 999;
  stores.cars->SaveCar(v);
  rows = ScanReminders(*stores.cars, *stores.records, stores.customers.get(), s);
  EXPECT_EQ(rows[0].customer, "<nezadán>");
  rows.pop_back();
  shown = VisibleReminderColumns(rows);
  EXPECT_FALSE(shown[kRemColEmail] || shown[kRemColPhones] || shown[kRemColPrice] || shown[kRemColInvoice]);
  EXPECT_TRUE(shown[kRemColVehicle] && shown[kRemColCustomer] && shown[kRemColDescription]);
}

TEST(Reminders, IntervalBoxAndMarkedRows) {
  EXPECT_EQ(ReminderIntervalIndex(14), 1);
  EXPECT_EQ(ReminderIntervalIndex(999999), 5);
  EXPECT_EQ(ReminderIntervalIndex(20), -1);
  EXPECT_EQ(MarkedReminderRows({false, true, true}, 0), (std::vector<size_t>{1, 2}));
  EXPECT_EQ(MarkedReminderRows({false, false}, 1), (std::vector<size_t>{1}));
  EXPECT_TRUE(MarkedReminderRows({false, false}, -1).empty());
}

TEST_F(RemindersTest, IgnoreTurnsAPlanIntoPlanWithoutWarningAndLeavesOrders) {
  const int32_t car = AddVehicle("1A2 3456");
  const int32_t plan = AddRecord(car, kKindPlan, 2);
  const int32_t order = AddRecord(car, kKindOrder, 3);
  std::vector<TReminderRow> rows = Scan(TReminderView::Planned, 30, 14);
  TReminderServices none;
  EXPECT_EQ(IgnoreReminders(*stores.records, rows, {0, 1}, none).removed, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(Stored(plan).db.kind, kKindPlanNoWarn);
  EXPECT_EQ(Stored(plan).description, "Výměna oleje");
  EXPECT_EQ(IDs(Scan(TReminderView::Planned, 30, 14)), (std::vector<int32_t>{order}));
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(RemindersTest, IgnoreWithTheVehiclesRecordsWindowOpen) {
  const int32_t car = AddVehicle("1A2 3456");
  const int32_t plan = AddRecord(car, kKindPlan, 2);
  std::vector<TReminderRow> rows = Scan(TReminderView::Planned, 30, 14);
  TReminderServices services;
  services.isVehicleWindowOpen = [car](int32_t id) { return id == car; };

  // No way to reach the window's records: refused, once, and nothing stored.
  const TIgnoreReport report = IgnoreReminders(*stores.records, rows, {0, 0}, services);
  EXPECT_TRUE(report.removed.empty());
  EXPECT_TRUE(notifier.shown.empty());  // told afterwards, once
  ReportIgnoreProblems(report);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_NE(notifier.shown[0].text.find(rows[0].vehicle), std::string::npos);
  EXPECT_EQ(Stored(plan).db.kind, kKindPlan);

  // The window takes the change into the records it holds; the store waits
  // for the window's own save.
  AZaznamy windowRecords;
  stores.records->LoadCarRecords(car, windowRecords);
  services.changeOpenWindowRecord = [&](int32_t id, int32_t recordID, const std::function<void(Tzaznam&)>& change) {
    EXPECT_EQ(id, car);
    EXPECT_EQ(recordID, plan);
    change(windowRecords[0]);
    return true;
  };
  EXPECT_EQ(IgnoreReminder(*stores.records, rows[0], services), TIgnoreResult::Done);
  EXPECT_EQ(windowRecords[0].db.kind, kKindPlanNoWarn);
  EXPECT_EQ(Stored(plan).db.kind, kKindPlan);
}

TEST_F(RemindersTest, IgnoreNeverWritesBackARecordThatWasNotReadCleanly) {
  const int32_t car = AddVehicle("1A2 3456");
  const int32_t plan = AddRecord(car, kKindPlan, 2);
  std::vector<TReminderRow> rows = Scan(TReminderView::Planned, 30, 14);
  Tzaznam r = Stored(plan);
  ASSERT_TRUE(stores.records->Blobs().DeleteBLOB(r.db.popisBLOBID));
  EXPECT_EQ(IgnoreReminder(*stores.records, rows[0], TReminderServices{}), TIgnoreResult::Unreadable);
  EXPECT_TRUE(notifier.shown.empty());  // silent when sending unattended; the window reports it
  std::string bytes;
  ASSERT_TRUE(stores.records->ReadRecord(plan, bytes));
  TzaznamDb db;
  DecodeRecord(reinterpret_cast<const uint8_t*>(bytes.data()), db);
  EXPECT_EQ(db.kind, kKindPlan);
  EXPECT_LT(stores.records->Blobs().BLOBLength(r.db.popisBLOBID), 0);  // not re-created
  // A record erased since the scan just leaves the list.
  const int32_t gone = AddRecord(car, kKindPlan, 3);
  rows = Scan(TReminderView::Planned, 30, 14);
  Tzaznam erased = Stored(gone);
  ASSERT_TRUE(stores.records->EraseCarRecord(erased));
  EXPECT_EQ(IgnoreReminder(*stores.records, rows[1], TReminderServices{}), TIgnoreResult::Done);
}

TEST(Reminders, MailPlaceholders) {
  Tautomobil v;
  InitVehicle(v);
  v.tag = "1A2 3456";
  v.manufacturer = "Škoda";
  v.model = "Fabia";
  v.subtype = "%SPZ";  // replaced after the plate: stays as it is
  EXPECT_EQ(ReplaceVehiclePlaceholders("Vůz: %ZNACKA, %SPZ (%SPZ)", v), "Vůz: Škoda Fabia %SPZ, 1A2 3456 (1A2 3456)");
  EXPECT_EQ(ReplaceProgramUrl("a %PROGRAM_URL b"), std::string("a ") + "https://garvel.example/stahnout/" + " b");

  Tzaznam r;
  InitRecord(r, 1, kKindPlan);
  r.db.date = 0;
  r.db.sortDate = static_cast<int32_t>(EncodeDate(2024, 6, 1));
  TActRecordList list(2);
  list[0].text = "Olej";
  list[1].itemType = kItemMaterial;
  list[1].text = "Filtr";
  r.description = EncodeActivities(list);
  const std::string body =
      ReminderMailText("%DATUM|%KM|%TEXT|%ZNACKA|%PROGRAM_URL", r, v, TVatSettings{});
  EXPECT_EQ(body, "01.06.2024|/nezáleží/|Olej\r\n    Filtr\r\n|Škoda Fabia %SPZ|https://garvel.example/stahnout/");
  r.db.km = 120000;
  EXPECT_EQ(ReminderMailText("stav km %KM", r, v, TVatSettings{}), "stav km 120000");
}

TEST_F(RemindersTest, SendingMailsTheOwnerIgnoresTheSentAndSortsOutTheRest) {
  const int32_t withMail = AddVehicle("1A1 1111", AddOwner("Novák", "novak@example.cz", "111"));
  const int32_t noMail = AddVehicle("2B2 2222", AddOwner("Svoboda", "", "222"));
  const int32_t bounced = AddVehicle("3C3 3333", AddOwner("Dvořák", "dvorak@example.cz", "333"));
  const int32_t sentPlan = AddRecord(withMail, kKindPlan, 1, "Olej");
  AddRecord(noMail, kKindPlan, 2);
  const int32_t bouncedPlan = AddRecord(bounced, kKindPlan, 3);
  AddRecord(AddVehicle("4D4 4444"), kKindPlan, 4);  // no owner
  std::vector<TReminderRow> rows = Scan(TReminderView::Planned, 30, 14);

  std::vector<TSentMail> mails;
  TReminderServices services;
  services.sendMail = [&](const std::string& to, const std::string& subject, const std::string& body) {
    mails.push_back({to, subject, body});
    return to != "dvorak@example.cz";
  };
  TReminderMailSettings mail{"Servis", "%SPZ: %TEXT", TVatSettings{}};
  TSendReport report = SendReminders(Stores(), rows, {0, 1, 2, 3}, mail, services);
  ASSERT_EQ(mails.size(), 2u);
  EXPECT_EQ(mails[0].to, "novak@example.cz");
  EXPECT_EQ(mails[0].subject, "Servis");
  EXPECT_EQ(mails[0].body, "1A1 1111: Olej");
  EXPECT_EQ(report.ignored.removed, (std::vector<size_t>{0}));
  EXPECT_EQ(report.unknownAddress,
            (std::vector<std::string>{"Svoboda tel. 222", "<nezadán> (" + rows[3].vehicle + ")"}));
  EXPECT_EQ(report.failed, (std::vector<std::string>{"Dvořák tel. 333"}));
  EXPECT_EQ(Stored(sentPlan).db.kind, kKindPlanNoWarn);
  EXPECT_EQ(Stored(bouncedPlan).db.kind, kKindPlan);

  ReportSendProblems(report);
  ASSERT_EQ(notifier.shown.size(), 2u);
  EXPECT_EQ(notifier.shown[0].caption, "Neznám e-mailovou adresu těchto zákazníků");
  EXPECT_EQ(notifier.shown[0].text, "Svoboda tel. 222\n<nezadán> (" + rows[3].vehicle + ")\n");
  EXPECT_EQ(notifier.shown[1].caption, "Nepodařilo se odeslat e-mail těmto zákazníkům");
  EXPECT_EQ(notifier.shown[1].text, "Dvořák tel. 333\n");
}

TEST_F(RemindersTest, AutomaticSendingGoesFromTheLastRowAndStaysSilent) {
  const int32_t owner = AddOwner("Novák", "novak@example.cz", "111");
  const int32_t car = AddVehicle("1A1 1111", owner);
  const int32_t early = AddRecord(car, kKindPlan, -3, "První");
  const int32_t late = AddRecord(car, kKindPlan, 20, "Druhá");
  const int32_t order = AddRecord(car, kKindOrder, 5, "Objednávka");
  AddRecord(AddVehicle("2B2 2222"), kKindPlan, 1);  // no owner: skipped silently
  AddRecord(car, kKindPlan, 40);                    // outside the window

  std::vector<std::string> bodies;
  TReminderServices services;
  services.sendMail = [&](const std::string&, const std::string&, const std::string& body) {
    bodies.push_back(body);
    return true;
  };
  EXPECT_EQ(AutoSendReminders(Stores(), 30, 30, kToday, TReminderMailSettings{"Servis", "%TEXT", {}}, services), 3);
  EXPECT_EQ(bodies, (std::vector<std::string>{"Druhá", "Objednávka", "První"}));
  EXPECT_EQ(Stored(early).db.kind, kKindPlanNoWarn);
  EXPECT_EQ(Stored(late).db.kind, kKindPlanNoWarn);
  EXPECT_EQ(Stored(order).db.kind, kKindOrder);  // an order keeps reminding
  EXPECT_TRUE(notifier.shown.empty());
}
