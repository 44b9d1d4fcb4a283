#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>

#include "exchange/WebService.h"
#include "servicebook/ReminderActions.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/StandInWebService.h"
#include "tests/support/StoreFixtures.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/AutoForm.h"
#include "ui/BlizkoForm.h"
#include "ui/CarWindows.h"
#include "ui/ReminderWiring.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 5, 15);

class BlizkoFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    SetClockForTests([] { return kToday + 0.4; });
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    car = AddTestVehicle(stores, "1A2 3456", AddTestOwner(stores, "Novák", "novak@example.cz"));
  }
  void TearDown() override { SetClockForTests(nullptr); }

  void Add(int32_t kind, int days, const char* text, uint32_t flags = 0) {
    AddTestRecord(stores, car, kind, kToday + days, text, flags);
  }
  int32_t StoredKind(size_t index) {
    AZaznamy set;
    stores.records->LoadCarRecords(car, set);
    return set[index].db.kind;
  }
  static std::string Cell(TblizkoForm& form, int row, int column) {
    return form.List()->item(row, column)->text().toStdString();
  }

  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TTestFileSystems fs;
  TStoreSet stores;
  int32_t car = -1;
};

}  // namespace

TEST_F(BlizkoFormTest, PlannedViewRowsColumnsColoursAndInterval) {
  TblizkoForm form(stores);
  EXPECT_FALSE(form.ShowPlanned(30, 14, false));  // nothing due: not shown
  EXPECT_FALSE(form.isVisible());

  Add(kKindPlan, -3, "Olej");
  Add(kKindOrder, 10, "Pneu");
  Add(kKindPlan, 25, "Brzdy");
  ASSERT_TRUE(form.ShowPlanned(30, 20, false));
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isModal());
  EXPECT_EQ(form.windowTitle().toStdString(), "Plánovaný servis");
  EXPECT_EQ(form.IntervalBox()->currentIndex(), -1);  // 20 days is no item
  ASSERT_EQ(form.List()->rowCount(), 2);
  EXPECT_EQ(Cell(form, 0, kRemColDate), "* 12.05.2024");
  EXPECT_EQ(form.List()->item(0, kRemColDate)->background().color(), QColor(0xFF, 0x90, 0x90));
  EXPECT_EQ(form.List()->item(1, kRemColDate)->background().color(), QColor(Qt::white));
  EXPECT_EQ(Cell(form, 1, kRemColDescription), "Pneu");
  EXPECT_FALSE(form.List()->isColumnHidden(kRemColEmail));
  EXPECT_TRUE(form.List()->isColumnHidden(kRemColPhones));
  EXPECT_TRUE(form.List()->isColumnHidden(kRemColPrice));

  // "měsíc" rescans with the same days back.
  form.IntervalBox()->setCurrentIndex(2);
  EXPECT_EQ(form.List()->rowCount(), 3);
  EXPECT_EQ(form.IntervalBox()->currentIndex(), 2);
  form.close();
}

TEST_F(BlizkoFormTest, UnpaidViewIgnoreAndSend) {
  Add(kKindDone, -200, "Světla", kFlagUnpaid);
  Add(kKindPlan, 1, "Olej");
  Add(kKindPlan, 2, "Filtr");
  TblizkoForm form(stores);
  ASSERT_TRUE(form.ShowUnpaid(false));
  EXPECT_EQ(form.windowTitle().toStdString(), "Nezaplacené zakázky");
  EXPECT_TRUE(form.IntervalBox()->isHidden());
  EXPECT_EQ(form.IntervalBox()->currentIndex(), form.IntervalBox()->count() - 1);
  ASSERT_EQ(form.List()->rowCount(), 1);
  EXPECT_EQ(Cell(form, 0, kRemColDescription), "Světla");

  ASSERT_TRUE(form.ShowPlanned(30, 14, true));
  EXPECT_FALSE(form.IntervalBox()->isHidden());
  ASSERT_EQ(form.List()->rowCount(), 2);
  // With nothing checked the selected row is the one acted on.
  form.List()->selectRow(1);
  form.btnIgnoreClick();
  ASSERT_EQ(form.List()->rowCount(), 1);
  EXPECT_EQ(form.Rows()[0].rawDescription, "Olej");
  EXPECT_EQ(StoredKind(2), kKindPlanNoWarn);
  EXPECT_EQ(StoredKind(1), kKindPlan);

  // Sending by the default method, the mail client: the desktop takes a
  // mailto link.
  TConfig settings;
  LoadDefaults(settings);
  ConfigureWebService(settings);
  form.SetServices(ProgramReminderServices());
  form.CheckAll(true);
  form.btnSendMailClick();
  ASSERT_EQ(desktop.urls.size(), 1u);
  EXPECT_EQ(desktop.urls[0].rfind("mailto:novak@example.cz?subject=", 0), 0u);
  EXPECT_EQ(form.List()->rowCount(), 0);
  EXPECT_EQ(StoredKind(1), kKindPlanNoWarn);
  EXPECT_TRUE(notifier.shown.empty());
  form.close();
}

TEST_F(BlizkoFormTest, DoubleClickAndEnterOpenTheVehicle) {
  Add(kKindPlan, 1, "Olej");
  TblizkoForm form(stores);
  std::vector<int32_t> opened;
  TReminderServices services;
  services.openVehicle = [&](int32_t id) { opened.push_back(id); };
  form.SetServices(services);
  ASSERT_TRUE(form.ShowPlanned(30, 14, false));
  form.List()->selectRow(0);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(form.List(), &enter);
  emit form.List()->cellDoubleClicked(0, 3);
  EXPECT_EQ(opened, (std::vector<int32_t>{car, car}));
  EXPECT_TRUE(form.isVisible());  // Enter does not close the window
  if (const char* dir = std::getenv("GARVEL_SCREENSHOTS")) form.grab().save(QString(dir) + "/blizko.png");
  form.close();
}

TEST_F(BlizkoFormTest, RecordsWindowOpenedFromItStaysUsableAndTakesTheIgnore) {
  Add(kKindPlan, 1, "Olej");
  QWidget main;
  TCarWindowsContext context;
  context.cars = stores.cars.get();
  context.records = stores.records.get();
  context.parent = &main;
  SetCarWindowsContext(context);
  TblizkoForm form(stores, &main);
  form.SetServices(ProgramReminderServices());
  ASSERT_TRUE(form.ShowPlanned(30, 14, false));
  form.List()->selectRow(0);
  emit form.List()->cellDoubleClicked(0, 0);

  TAutoForm* window = CarWindowOf(car);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // neither blocks the other

  // The open window holds the records: the change goes there, not under it.
  form.btnIgnoreClick();
  EXPECT_EQ(form.List()->rowCount(), 0);
  EXPECT_EQ(window->Records()[0].db.kind, kKindPlanNoWarn);
  EXPECT_TRUE(window->Modified());
  EXPECT_EQ(StoredKind(0), kKindPlan);
  window->BtnUlozitClick();
  QApplication::processEvents();
  EXPECT_EQ(StoredKind(0), kKindPlanNoWarn);
  EXPECT_FALSE(IsCarWindowOpen(car));
  SetCarWindowsContext({});
  form.close();
}

TEST_F(BlizkoFormTest, ProgramSendingGoesThroughTheEmailServiceAndNeverDraftsUnattended) {
  Add(kKindPlan, 1, "Olej");
  TStandInWebService service;
  ASSERT_TRUE(service.Start());
  TConfig settings;
  LoadDefaults(settings);
  settings.webserviceurl = service.BaseUrl();
  settings.webserviceemailmethod = 0;  // the mail client
  ConfigureWebService(settings);
  const TReminderStores reminderStores{*stores.cars, *stores.records, stores.customers.get()};
  const TReminderMailSettings mail{"Servis", "%SPZ %TEXT", TVatSettings{}};

  // Nobody watches the sending at start: no draft counts as sent.
  EXPECT_EQ(AutoSendReminders(reminderStores, 30, 30, Today(), mail, UnattendedReminderServices()), 0);
  EXPECT_TRUE(desktop.urls.empty());
  EXPECT_EQ(StoredKind(0), kKindPlan);

  settings.webserviceemailmethod = 2;  // always the web service
  ConfigureWebService(settings);
  TblizkoForm form(stores);
  form.SetServices(ProgramReminderServices());
  ASSERT_TRUE(form.ShowPlanned(30, 14, false));
  form.List()->selectRow(0);
  form.btnSendMailClick();
  ASSERT_EQ(service.Mails().size(), 1u);
  EXPECT_EQ(service.Mails()[0].to, "novak@example.cz");
  EXPECT_EQ(service.Mails()[0].subject, "Servis");
  EXPECT_EQ(StoredKind(0), kKindPlanNoWarn);
  EXPECT_EQ(form.List()->rowCount(), 0);

  LoadDefaults(settings);
  ConfigureWebService(settings);
  form.close();
}

TEST_F(BlizkoFormTest, UnattendedSendingStopsWhenTheServiceDoesNotAnswer) {
  Add(kKindPlan, 1, "Olej");
  Add(kKindPlan, 2, "Brzdy");
  TStandInWebService service;
  ASSERT_TRUE(service.Start());
  service.Script({TStandInWebService::TFailure::Silent, TStandInWebService::TFailure::Silent});
  TConfig settings;
  LoadDefaults(settings);
  settings.webserviceurl = service.BaseUrl();
  settings.webserviceemailmethod = 1;
  ConfigureWebService(settings);
  WebService().SetTimeoutMs(300);
  const TReminderStores reminderStores{*stores.cars, *stores.records, stores.customers.get()};
  const TReminderMailSettings mail{"Servis", "%SPZ %TEXT", TVatSettings{}};
  EXPECT_EQ(AutoSendReminders(reminderStores, 30, 30, Today(), mail, UnattendedReminderServices()), 0);
  EXPECT_EQ(service.Requests().size(), 1u);  // the second reminder waited for nothing
  EXPECT_EQ(StoredKind(0), kKindPlan);
  EXPECT_EQ(StoredKind(1), kKindPlan);
  EXPECT_TRUE(notifier.shown.empty());
  WebService().SetTimeoutMs(TWebService::kTimeoutMs);
  LoadDefaults(settings);
  ConfigureWebService(settings);
}
