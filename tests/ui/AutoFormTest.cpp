#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <map>

#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "storage/Codec.h"
#include "storage/DateText.h"
#include "storage/Log.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/support/TestRecords.h"
#include "tests/ui/TestApplication.h"
#include "tests/ui/WindowTestHelpers.h"
#include "ui/AutoForm.h"
#include "ui/BackgroundTableView.h"
#include "ui/CarWindows.h"
#include "ui/RecordListModel.h"

namespace {

const TDateTime kToday = EncodeDate(2031, 3, 1);

// The editors and other windows, played by a script.
struct TFakeWindows {
  std::map<int32_t, TContactRecord> contacts;
  bool confirm = true;               // what the editors answer
  std::string description = "nový";  // what they write
  int32_t chosenOwner = -1;
  std::vector<std::string> calls;
  std::function<void()> whileEditing;  // what the user does while an editor is open

  TRecordWindowServices Services() {
    TRecordWindowServices s;
    s.addRecord = [this](QWidget*, const Tautomobil& car, Tzaznam& r, int32_t kind) {
      calls.push_back("add " + std::to_string(kind) + " " + car.tag);
      r.description = description;
      r.db.date = kToday - 3;  // no km: the mileage rate stays as it was
      return confirm;
    };
    s.changeRecord = [this](QWidget*, const Tautomobil&, Tzaznam& r, bool locked) {
      calls.push_back(std::string("change ") + (locked ? "locked" : "open"));
      if (whileEditing) whileEditing();
      r.description = description;
      return confirm;
    };
    s.editRefueling = [this](QWidget*, Tzaznam& r) {
      calls.push_back("refuel");
      r.description = "litres=40,00|literprice=35,00|full=1|place=Brno";
      return confirm;
    };
    s.editTrip = [this](QWidget*, Tzaznam&) {
      calls.push_back("trip");
      return confirm;
    };
    s.changeVehicle = [this](QWidget*, Tautomobil& v) {
      calls.push_back("vehicle");
      v.tag = "9Z9 9999";
      return confirm;
    };
    s.editComments = [this](QWidget*, Tautomobil& v) {
      v.comments = "garáž";
      return confirm;
    };
    s.readContact = [this](int32_t id, TContactRecord& c) {
      auto it = contacts.find(id);
      if (it == contacts.end()) return false;
      c = it->second;
      return true;
    };
    s.saveContact = [this](TContactRecord& c) {
      contacts[c.ID] = c;
      return true;
    };
    s.chooseContact = [this](QWidget*, int32_t) { return chosenOwner; };
    s.editContact = [this](QWidget*, TContactRecord& c) {
      c.phones = "777 000 111";
      return confirm;
    };
    s.composeEmail = [this](const std::string& to, const std::string& subject) {
      calls.push_back("mail " + to + " " + subject);
    };
    s.vehicleSaved = [this](int32_t id) { calls.push_back("saved " + std::to_string(id)); };
    s.ownerChanged = [this](int32_t id) { calls.push_back("owner " + std::to_string(id)); };
    return s;
  }
};

class AutoFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    SetClockForTests([] { return kToday + 0.4; });
    LoadDefaults(Config());
    ApplyConfig(Config());
    StartTraceLog("autoform");
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    TContactRecord owner;
    InitContact(owner);
    owner.ID = 7;
    owner.surname = "Novák";
    owner.firstName = "Jan";
    owner.email = "jan@example.cz";
    owner.other = "volat po 16. hodině";
    fake.contacts[7] = owner;
    car = AddCar("1A2 3456", 7);
    AZaznamy records = {
        TestRecord(car, kKindDone, kToday - 410, 20000, "Výměna oleje"),
        TestRecord(car, kKindDone, kToday - 10, 30000, "Kontrola brzd"),
        TestRecord(car, kKindPlan, 0, 32500, "Rozvody"),
    };
    records[0].db.priceWrk = 900;
    records[0].db.invoiceNr = 42;
    records[0].db.flags = kFlagUnpaid;
    ASSERT_TRUE(stores.records->SaveCarRecords(car, records));
  }
  void TearDown() override {
    SetCarWindowsContext({});
    SetClockForTests(nullptr);
    LoadDefaults(Config());
  }

  int32_t AddCar(const std::string& tag, int32_t owner, bool archived = false) {
    Tautomobil v;
    InitVehicle(v);
    v.tag = tag;
    v.manufacturer = "Škoda";
    v.model = "Octavia";
    v.subtype = "Combi";
    v.engine = "1.9 TDI";
    v.ownerID = owner;
    if (archived) v.archived = kArchivedMark;
    stores.cars->CreateCar(v, "");
    return v.ID;
  }

  std::unique_ptr<TAutoForm> OpenForm(int32_t id) {
    auto form = std::make_unique<TAutoForm>(*stores.cars, *stores.records, fake.Services());
    EXPECT_TRUE(form->Open(id));
    return form;
  }

  AZaznamy Stored() {
    AZaznamy r;
    stores.records->LoadCarRecords(car, r);
    return r;
  }

  std::string TraceText() { return Cp1250ToUtf8(ReadFileBytes(fs.dir / TraceLogName())); }

  std::vector<std::string> Column(TAutoForm& form, int column) {
    std::vector<std::string> out;
    const TRecordListModel& m = form.Rows();
    for (int r = 0; r < m.rowCount(); ++r) out.push_back(m.data(m.index(r, column), Qt::DisplayRole).toString().toStdString());
    return out;
  }

  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TRecordingDesktop desktop;
  TStoreSet stores;
  TFakeWindows fake;
  int32_t car = -1;
};

}  // namespace

TEST_F(AutoFormTest, OpeningShowsVehicleOwnerRowsAndRate) {
  auto form = OpenForm(car);
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Záznamy automobilu - 1A2 3456"));
  EXPECT_EQ(form->ButtonCaption(), QString::fromUtf8("1A2 3456 - Škoda Octavia Combi"));
  EXPECT_EQ(form->OwnerNameLabel()->text(), QString::fromUtf8("Novák, Jan"));
  EXPECT_EQ(Column(*form, 0), (std::vector<std::string>{DateText(kToday - 410), DateText(kToday - 10),
                                                         DateText(kToday + 90)}));
  EXPECT_EQ(Column(*form, 2), (std::vector<std::string>{"Výměna oleje", "Kontrola brzd", "Rozvody"}));
  EXPECT_EQ(Column(*form, 3), (std::vector<std::string>{"900", "0", ""}));
  EXPECT_EQ(Column(*form, 4), (std::vector<std::string>{"0", "0", "<plán>"}));
  EXPECT_EQ(form->KmPerYearLabel()->text(), "9125");
  EXPECT_TRUE(form->WarningLabel()->isHidden());
  EXPECT_FALSE(form->Modified());
  // No editor for trips here: no trip command; printing and the rest are
  // not part of this program yet.
  EXPECT_TRUE(form->PrintButton()->isHidden());
  EXPECT_TRUE(form->TextButton()->isHidden());
  EXPECT_TRUE(form->SendButton()->isHidden());
  EXPECT_TRUE(form->AttachmentsButton()->isHidden());
  // The latest record is selected: its documents and the description pane.
  EXPECT_EQ(form->SelectedRecord(), 2);
  form->SelectRecord(0);
  EXPECT_EQ(form->DocumentLabel(2)->text(), "42");
  EXPECT_EQ(form->DocumentLabel(0)->text(), "");
  EXPECT_FALSE(form->UnpaidLabel()->isHidden());
  EXPECT_EQ(form->DescriptionPane()->toPlainText(), QString::fromUtf8("Výměna oleje"));
  EXPECT_NE(TraceText().find("Open car ID#1 1A2 3456 - Škoda Octavia Combi"), std::string::npos);

  // A bold label copies its text; the e-mail label composes a message.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(form->OwnerNameLabel(), &press);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("Novák, Jan"));
  form->UmailClick();
  EXPECT_EQ(fake.calls.back(), "mail jan@example.cz Servis");
  Screenshot(form.get(), "records-window");

  // Searching: one character shows all, more filter folded descriptions.
  form->SearchBox()->setText("K");
  EXPECT_EQ(form->Rows().rowCount(), 3);
  form->SearchBox()->setText("kontrola BRZD");
  EXPECT_EQ(Column(*form, 2), std::vector<std::string>{"Kontrola brzd"});
  form->SearchBox()->setText("vymena");
  EXPECT_EQ(Column(*form, 2), std::vector<std::string>{"Výměna oleje"});
}

TEST_F(AutoFormTest, MissingAndArchivedVehicles) {
  TAutoForm missing(*stores.cars, *stores.records, fake.Services());
  EXPECT_FALSE(missing.Open(99));
  ASSERT_EQ(notifier.Texts(), std::vector<std::string>{"Nemohu nalézt záznam"});
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");

  const int32_t archived = AddCar("ARCH", -1, true);
  notifier.Script({TMsgAnswer::Yes});
  auto form = OpenForm(archived);
  EXPECT_EQ(notifier.shown.back().text,
            "Vozidlo je archivováno. Chcete jej přesunout z archivu do aktivní databáze?");
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(form->OwnerNameLabel()->text(), QString::fromUtf8("<neznámý>"));
  // With no DONE reading: the default rate and its warning.
  EXPECT_EQ(form->KmPerYearLabel()->text(), "15000");
  EXPECT_FALSE(form->WarningLabel()->isHidden());
  form->SaveButton()->click();
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(archived, v));
  EXPECT_FALSE(v.IsArchived());
  EXPECT_EQ(v.lastService, EncodeDate(2000, 1, 1));
}

TEST_F(AutoFormTest, AddOpenAndDeleteRecords) {
  auto form = OpenForm(car);
  // Cancelled: nothing added.
  fake.confirm = false;
  form->NovyZaznamClick(kKindDone);
  EXPECT_EQ(form->Records().size(), 3u);
  EXPECT_FALSE(form->Modified());
  EXPECT_NE(TraceText().find("Car ID#1: add record cancelled"), std::string::npos);
  // Confirmed: the record joins the list, selected, the window modified.
  fake.confirm = true;
  fake.description = "\x04\x01Výměna filtru\x03" "0\x03-1\x03" "0\x03" "100.000\x03" "1.000\x03" "0.000\x02"
                     "\x01" "Filtr\r\nvzduchový\x03" "1\x03-1\x03" "0\x03" "50.000\x03" "1.000\x03" "0.000\x02";
  form->NovyZaznamClick(kKindDone);
  EXPECT_EQ(fake.calls.back(), "add 1 1A2 3456");
  ASSERT_EQ(form->Records().size(), 4u);
  EXPECT_EQ(form->SelectedRecord(), 3);
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(Column(*form, 2)[2], "Výměna filtru; ; ");
  // The trace names the record by its list text, never by the raw bytes.
  EXPECT_NE(TraceText().find("Car ID#1: Added record ID#-1 Výměna filtru; ; "), std::string::npos);
  EXPECT_EQ(form->DescriptionPane()->toPlainText(), QString::fromUtf8("Výměna filtru\n    Filtr\n    vzduchový\n"));
  form->NovyZaznamClick(kKindRefuel);
  EXPECT_EQ(Column(*form, 4).back(), "<plán>");  // refuelled three days ago: sorted before the plan
  EXPECT_EQ(form->Records().back().db.kind, kKindRefuel);

  // Opening a record goes to its editor in the locked mode.
  form->SelectRecord(1);
  fake.description = "Kontrola brzd a kapaliny";
  form->ZobrazZaznamClick();
  EXPECT_EQ(fake.calls.back(), "change locked");
  EXPECT_EQ(form->Records()[1].description, "Kontrola brzd a kapaliny");
  // An unknown kind shows an error and changes nothing.
  AZaznamy stored = Stored();
  stored[0].db.kind = 77;
  ASSERT_TRUE(stores.records->SaveCarRecords(car, stored));
  auto other = OpenForm(car);
  other->SelectRecord(0);
  notifier.shown.clear();
  other->ZobrazZaznamClick();
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_FALSE(other->Modified());

  // Deleting asks; No keeps the record, Yes moves the last into its place.
  form->SelectRecord(0);
  notifier.Script({TMsgAnswer::No});
  form->BtnOdstranitClick();
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete odstranit záznam?");
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);
  EXPECT_EQ(form->Records().size(), 5u);
  notifier.Script({TMsgAnswer::Yes});
  form->BtnOdstranitClick();
  ASSERT_EQ(form->Records().size(), 4u);
  EXPECT_EQ(form->Records()[0].db.kind, kKindRefuel);
  EXPECT_EQ(form->SelectedRecord(), 1);  // the row that followed, not the moved record
  EXPECT_NE(TraceText().find("Car ID#1: Delete record #1 (" + DateText(kToday - 410) + ", 20000, Výměna oleje)"),
            std::string::npos);

  // Saving writes the set: the deleted record goes, the new ones get IDs.
  form->SaveButton()->click();
  EXPECT_FALSE(form->Modified());
  stored = Stored();
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(fake.calls.back(), "saved 1");
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(car, v));
  EXPECT_EQ(v.lastService, kToday - 3);
  // The plan's estimated date is stored for the reminders: with one reading
  // left, 2500 km at the default rate are 61 days.
  for (const Tzaznam& r : stored) {
    if (r.db.kind == kKindPlan) {
      EXPECT_EQ(r.db.sortDate, static_cast<int32_t>(kToday) - 10 + 61);
    }
  }
  EXPECT_NE(TraceText().find("Car ID#1 saved. LastService=" + DateText(kToday - 3)), std::string::npos);
}

TEST_F(AutoFormTest, DoubleClickAndEnterOpenTheRecordOnce) {
  auto form = OpenForm(car);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  fake.confirm = false;
  TBackgroundTableView* list = form->List();
  const QRect row = list->visualRect(form->Rows().index(1, 2));
  // A double click; the button is let go while the editor is open.
  const QPoint at = list->viewport()->mapTo(form.get(), row.center());
  fake.whileEditing = [&] { QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, Qt::NoModifier, at); };
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
  EXPECT_EQ(fake.calls, std::vector<std::string>{"change locked"});
  fake.whileEditing = nullptr;
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(fake.calls, (std::vector<std::string>{"change locked", "change locked"}));
}

TEST_F(AutoFormTest, InstantSaveStoresEveryChangeAndOffersOnlyClose) {
  Config().instantsave = true;
  auto form = OpenForm(car);
  EXPECT_TRUE(form->SaveButton()->isHidden());
  EXPECT_TRUE(form->CancelButton()->isHidden());
  EXPECT_FALSE(form->CloseButton()->isHidden());
  form->NovyZaznamClick(kKindPlan);
  EXPECT_FALSE(form->Modified());
  ASSERT_EQ(Stored().size(), 4u);
  EXPECT_GE(form->Records().back().db.ID, 0);
  // Vehicle data changed without the flag is saved by closing.
  form->sbEnableEditClick();
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Záznamy automobilu - 9Z9 9999"));
  form->show();
  form->close();
  EXPECT_TRUE(form->isHidden());
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(car, v));
  EXPECT_EQ(v.tag, "9Z9 9999");
}

TEST_F(AutoFormTest, ClosingAsksWhileChangesAreHeld) {
  struct Case {
    const char* name;
    std::function<void(TAutoForm&)> change;
  } cases[] = {
      {"record deleted",
       [this](TAutoForm& f) {
         f.SelectRecord(0);
         notifier.Script({TMsgAnswer::Yes});
         f.BtnOdstranitClick();
       }},
      {"vehicle data", [](TAutoForm& f) { f.sbEnableEditClick(); }},
      {"additional information", [](TAutoForm& f) { f.btnEditCommentClick(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto form = OpenForm(car);
    form->show();
    c.change(*form);
    notifier.Script({TMsgAnswer::No});
    form->CancelButton()->click();
    EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete stornovat provedené změny?");
    EXPECT_FALSE(form->isHidden());
    notifier.Script({TMsgAnswer::Yes});
    form->close();
    EXPECT_TRUE(form->isHidden());
    notifier.shown.clear();
  }
  EXPECT_EQ(Stored().size(), 3u);  // nothing was saved
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(car, v));
  EXPECT_EQ(v.tag, "1A2 3456");
  const std::string trace = TraceText();
  EXPECT_NE(trace.find("Cancel modifications for car ID#1"), std::string::npos);
  EXPECT_NE(trace.find("Car ID#1: close cancelled; windows remains open"), std::string::npos);
  EXPECT_NE(trace.find("Car ID#1: close confirmed without save"), std::string::npos);

  // In the simple mode the text box holds the comments.
  Config().simplerecords = true;
  auto simple = OpenForm(car);
  simple->show();
  EXPECT_TRUE(simple->SimpleText()->isVisible());
  simple->SimpleText()->setPlainText(QString::fromUtf8("STK do 5/2032\nzimní pneu"));
  EXPECT_TRUE(simple->HasUnsavedChanges());
  simple->SaveButton()->click();
  EXPECT_TRUE(simple->isHidden());
  ASSERT_TRUE(stores.cars->LoadCar(car, v));
  EXPECT_EQ(v.comments, "STK do 5/2032\r\nzimní pneu");
}

TEST_F(AutoFormTest, FailedSaveKeepsTheWindowOpenAndModified) {
  auto form = OpenForm(car);
  form->show();
  form->NovyZaznamClick(kKindOrder);
  // The stores stop taking writes (as on a full or lost disk).
  stores.CloseAll();
  notifier.shown.clear();
  form->SaveButton()->click();
  EXPECT_FALSE(form->isHidden());
  EXPECT_TRUE(form->Modified());
  ASSERT_FALSE(notifier.shown.empty());
  EXPECT_NE(notifier.shown.back().text.find("se nepodařilo celé uložit"), std::string::npos);
  EXPECT_EQ(form->Records().size(), 4u);  // nothing typed is lost
  EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "saved 1"), 0);
  notifier.Script({TMsgAnswer::Yes});
  form->close();
}

TEST_F(AutoFormTest, DamagedRecordIsShownButNeitherChangedNorDeleted) {
  // The second record's description fails after its first block.
  AZaznamy stored = Stored();
  stored[1].description = std::string(600, 'x');
  ASSERT_TRUE(stores.records->SaveCarRecords(car, stored));
  const int32_t second = SecondBlockOf(stores.records->Blobs(), stored[1].db.popisBLOBID);
  ASSERT_GT(second, 0);
  stores.CloseAll();
  PatchBlockLength(fs.dir / "db_rec_blob.dat", second, 599);
  ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
  notifier.shown.clear();
  auto form = OpenForm(car);
  ASSERT_EQ(notifier.shown.size(), 2u);  // the store's error, then the window's one warning
  EXPECT_EQ(notifier.shown[1].caption, "Upozornění");
  ASSERT_EQ(form->Records().size(), 3u);
  EXPECT_EQ(form->Records()[1].description, std::string(248, 'x'));
  form->SelectRecord(1);
  notifier.shown.clear();
  form->ZobrazZaznamClick();
  form->BtnOdstranitClick();
  EXPECT_EQ(notifier.shown.size(), 2u);
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(form->Records().size(), 3u);
  EXPECT_FALSE(form->ChangeRecord(stored[1].db.ID, [](Tzaznam& r) { r.db.kind = kKindPlanNoWarn; }));
  // A change of another record still saves; the damaged one stays as it is.
  EXPECT_TRUE(form->ChangeRecord(stored[2].db.ID, [](Tzaznam& r) { r.db.kind = kKindPlanNoWarn; }));
  EXPECT_TRUE(form->SaveVehicle());
  Tzaznam again;
  EXPECT_FALSE(stores.records->LoadCarRecord(stored[1].db.ID, again));
  EXPECT_EQ(again.description, std::string(248, 'x'));
  EXPECT_EQ(Stored()[2].db.kind, kKindPlanNoWarn);
}

TEST_F(AutoFormTest, OwnerChangeAndEdit) {
  const int32_t ownerless = AddCar("BEZ", -1);
  auto form = OpenForm(ownerless);
  form->sbChangeOwnerInfoClick();
  EXPECT_EQ(notifier.shown.back().text, "Nejprve vyberte majitele.");
  EXPECT_EQ(notifier.shown.back().caption, "Upozornění");
  fake.chosenOwner = -1;  // cancelled
  form->sbChangeOwnerClick();
  EXPECT_FALSE(form->Modified());
  fake.chosenOwner = 7;
  form->sbChangeOwnerClick();
  EXPECT_TRUE(form->Modified());
  EXPECT_EQ(form->Vehicle().ownerID, 7);
  EXPECT_EQ(form->OwnerNameLabel()->text(), QString::fromUtf8("Novák, Jan"));
  form->sbChangeOwnerInfoClick();
  EXPECT_EQ(fake.contacts[7].phones, "777 000 111");
  EXPECT_EQ(fake.calls.back(), "owner 7");
  fake.contacts.erase(7);
  form->sbChangeOwnerInfoClick();
  EXPECT_EQ(notifier.shown.back().text, "Nepodařilo se načíst záznam z databáze");
}

TEST_F(AutoFormTest, CarWindowsKeepOnePerVehicleWithItsButton) {
  QWidget main;
  QStringList buttons;
  int active = -2, closedAll = 0;
  TCarWindowsContext c;
  c.cars = stores.cars.get();
  c.records = stores.records.get();
  c.services = fake.Services();
  c.parent = &main;
  c.showButtons = [&](const QStringList& captions, int a) {
    buttons = captions;
    active = a;
  };
  c.allClosed = [&] { ++closedAll; };
  SetCarWindowsContext(c);
  const int32_t second = AddCar("2B3 4567", 7);
  OpenCarWindow(car);
  OpenCarWindow(second);
  OpenCarWindow(car);  // already open: brought to the front
  OpenCarWindow(99);   // missing: no window
  EXPECT_EQ(buttons, (QStringList{QString::fromUtf8("1A2 3456 - Škoda Octavia Combi"),
                                  QString::fromUtf8("2B3 4567 - Škoda Octavia Combi")}));
  EXPECT_TRUE(AnyCarWindowOpen());
  EXPECT_TRUE(IsCarWindowOpen(second));
  EXPECT_FALSE(IsCarWindowOpen(99));
  TAutoForm* first = CarWindowOf(car);
  ASSERT_NE(first, nullptr);
  first->close();
  QApplication::processEvents();
  EXPECT_FALSE(IsCarWindowOpen(car));
  EXPECT_EQ(buttons, QStringList{QString::fromUtf8("2B3 4567 - Škoda Octavia Combi")});
  EXPECT_EQ(closedAll, 0);
  CarWindowOf(second)->close();
  QApplication::processEvents();
  EXPECT_FALSE(AnyCarWindowOpen());
  EXPECT_TRUE(buttons.isEmpty());
  EXPECT_EQ(closedAll, 1);
}
