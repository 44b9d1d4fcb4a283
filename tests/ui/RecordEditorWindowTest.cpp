#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QCheckBox>
#include <QClipboard>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "catalogues/Icons.h"
#include "servicebook/RefuelTrip.h"
#include "shell/Config.h"
#include "storage/DateTime.h"
#include "tests/support/RecordingDesktop.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "tests/ui/WindowTestHelpers.h"
#include "ui/ActivityListView.h"
#include "ui/IconsForm.h"
#include "ui/MemoText.h"
#include "ui/PridatForm.h"
#include "ui/RefuelingForm.h"
#include "ui/TripForm.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 3, 15);

void Key(QWidget* widget, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods);
  QApplication::sendEvent(widget, &press);
}

void Click(TActivityListView* list, int line, int column) {
  const QRect row = list->LineRect(line);
  const int x = list->Header()->sectionViewportPosition(column) + 10;
  const QPoint at(x, row.top() + 8);
  QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &press);
}

template <typename T>
T* Child(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    SetClockForTests([] { return kToday + 0.4; });
    LoadDefaults(Config());
    ApplyConfig(Config());
    car_.tag = "1B2 3456";
    car_.manufacturer = "Škoda";
    car_.model = "Octavia";
  }
  void TearDown() override { SetClockForTests(nullptr); }

  TTestFileSystems fs_;
  TRecordingNotifier notifier_;
  Tautomobil car_;
};

}  // namespace

TEST_F(EditorWindowTest, NewServiceWithActivitiesMaterialAndSums) {
  TPridatForm form;
  form.OpenNew(car_, kKindDone);
  form.show();
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Přidat nový záznam"));
  EXPECT_FALSE(Child<QCheckBox>(&form, "chbLatest")->isVisible());
  EXPECT_TRUE(Child<QCheckBox>(&form, "chbPaid")->isVisible());
  EXPECT_TRUE(Child<QPushButton>(&form, "btnOK")->isVisible());
  EXPECT_EQ(Child<QSpinBox>(&form, "Dden")->value(), 15);

  // "Přidat úkon" opens the new line's text editor at once.
  Child<QToolButton>(&form, "sbAddAction")->click();
  TActivityListView* list = form.List();
  ASSERT_EQ(form.Editor().Lines().size(), 1u);
  ASSERT_TRUE(list->Editing());
  auto* memo = Child<QPlainTextEdit>(list, "memoEdit");
  EXPECT_TRUE(memo->isVisible());
  Type(memo, QString::fromUtf8("Výměna oleje"));
  EXPECT_EQ(form.Editor().Lines()[0].text, "Výměna oleje");
  // 1.5 hours at the default rate of 200.
  auto* count = Child<QLineEdit>(list, "edCount");
  count->clear();
  Type(count, "1:30");
  EXPECT_FLOAT_EQ(form.Editor().Lines()[0].count, 1.5f);
  EXPECT_EQ(Child<QLineEdit>(list, "edTotalPrice")->text(), "300,00");  // refreshed
  Key(count, Qt::Key_Escape);
  EXPECT_FALSE(list->Editing());
  EXPECT_TRUE(form.isVisible());  // Escape in a line editor does not close the window

  Child<QToolButton>(&form, "sbAddMaterial")->click();
  auto* total = Child<QLineEdit>(list, "edTotalPrice");
  total->clear();
  Type(total, "100");  // quantity 1 (a performed service's default) at 100
  EXPECT_FLOAT_EQ(form.Editor().Lines()[1].price, 100);
  Child<QToolButton>(&form, "sbAddMaterial")->click();
  Child<QLineEdit>(list, "edPrice")->clear();
  Type(Child<QLineEdit>(list, "edPrice"), "50");
  Key(Child<QLineEdit>(list, "edPrice"), Qt::Key_Return);
  ASSERT_EQ(form.Editor().Lines().size(), 3u);

  // Labour 300 + VAT 63, material 150 + VAT 31.50: 544.50 rounded to 544.
  EXPECT_EQ(Child<QLabel>(&form, "lblLabourVAT")->text(), "63,00");
  EXPECT_EQ(Child<QLabel>(&form, "lblTotal")->text(), QString::fromUtf8("544,00 kč"));
  EXPECT_EQ(Child<QLabel>(&form, "lblHours")->text(), "1:30");
  // Without labour VAT the total follows at once.
  Child<QCheckBox>(&form, "chbLaborVAT")->click();
  EXPECT_EQ(Child<QLabel>(&form, "lblTotal")->text(), QString::fromUtf8("482,00 kč"));
  Child<QPushButton>(&form, "imgCalcDur")->click();
  EXPECT_EQ(Child<QLineEdit>(&form, "edDurMin")->text(), "30");
  Screenshot(&form, "record-editor-list");

  Child<QLineEdit>(&form, "stavkm")->setText("12a");
  emit Child<QLineEdit>(&form, "stavkm")->textEdited("12a");
  Child<QPushButton>(&form, "btnOK")->click();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(notifier_.shown.back().text, "Stav KM není číselná hodnota");
  Child<QLineEdit>(&form, "stavkm")->setText("123456");
  emit Child<QLineEdit>(&form, "stavkm")->textEdited("123456");
  Child<QPushButton>(&form, "btnOK")->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);

  Tzaznam r;
  InitRecord(r, 3, kKindDone);
  form.Editor().WriteRecord(r);
  EXPECT_EQ(r.db.km, 123456);
  EXPECT_EQ(r.db.duration, 90);
  EXPECT_FLOAT_EQ(r.db.priceWrk, 300);
  EXPECT_FLOAT_EQ(r.db.priceMat, 150);
  EXPECT_EQ(r.db.flags, kFlagNoLaborVAT);
}

TEST_F(EditorWindowTest, ClickOpensTheColumnsEditorsAndPasteNeedsTheListFocus) {
  TPridatForm form;
  form.OpenNew(car_, kKindOrder);
  form.show();
  TActRecord a;
  a.text = "Brzdy";
  a.count = 0;
  a.price = 0;
  form.Editor().AppendLines({a});
  TActivityListView* list = form.List();
  list->Reload();
  QApplication::processEvents();
  Click(list, 0, kColTotal);
  ASSERT_TRUE(list->Editing());
  EXPECT_TRUE(Child<QLineEdit>(list, "edTotalPrice")->hasFocus());
  Child<QLineEdit>(list, "edTotalPrice")->clear();
  Type(Child<QLineEdit>(list, "edTotalPrice"), "300");
  EXPECT_FLOAT_EQ(form.Editor().Lines()[0].count, 1);
  EXPECT_FLOAT_EQ(form.Editor().Lines()[0].price, 300);
  // A click into another open cell, left of its digits, takes the whole
  // value: what is typed replaces it.
  auto* price = Child<QLineEdit>(list, "edPrice");
  ASSERT_TRUE(price->isVisible());
  QTest::mouseClick(price, Qt::LeftButton, Qt::NoModifier, QPoint(3, price->height() / 2));
  EXPECT_TRUE(price->hasFocus());
  QTest::keyClicks(price, "150");
  EXPECT_FLOAT_EQ(form.Editor().Lines()[0].price, 150);
  EXPECT_EQ(Child<QLineEdit>(list, "edTotalPrice")->text(), QString::fromUtf8("150,00"));

  // Copy and paste through the clipboard in the encoded form.
  Key(Child<QLineEdit>(list, "edTotalPrice"), Qt::Key_Escape);
  list->Select(0);
  form.ActionCopyExecute();
  EXPECT_EQ(QApplication::clipboard()->text().left(1), QString(QChar(4)));
  form.ActionPasteExecute();
  ASSERT_EQ(form.Editor().Lines().size(), 2u);
  EXPECT_EQ(form.Editor().Lines()[1].text, "Brzdy");
  QApplication::clipboard()->setText("obyčejný text");
  list->CloseEditors();
  form.ActionPasteExecute();
  EXPECT_EQ(form.Editor().Lines().size(), 2u);

  // Deleting asks first.
  list->Select(1);
  notifier_.Script({TMsgAnswer::Yes});
  Key(list, Qt::Key_Delete);
  EXPECT_EQ(notifier_.shown.back().caption, "Opravdu odstranit záznam?");
  EXPECT_EQ(form.Editor().Lines().size(), 1u);
}

TEST_F(EditorWindowTest, LockedRecordOpensReadOnlyUntilUnlocked) {
  Tzaznam r;
  InitRecord(r, 3, kKindPlan);
  r.db.date = 0;
  r.description = "Výměna rozvodů";
  TPridatForm form;
  form.OpenExisting(car_, r, true);
  form.show();
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Změna záznamu"));
  EXPECT_FALSE(Child<QPushButton>(&form, "btnOK")->isVisible());
  EXPECT_TRUE(Child<QPushButton>(&form, "btnUnlock")->isVisible());
  EXPECT_FALSE(Child<QLineEdit>(&form, "stavkm")->isEnabled());
  EXPECT_TRUE(Child<QPlainTextEdit>(&form, "Popis")->isReadOnly());  // free text: the text style
  EXPECT_FALSE(Child<QSpinBox>(&form, "Dden")->isVisible());          // an undated plan
  EXPECT_FALSE(Child<QToolButton>(&form, "sbDownload")->isVisible());

  Child<QPushButton>(&form, "btnUnlock")->click();
  EXPECT_TRUE(Child<QLineEdit>(&form, "stavkm")->isEnabled());
  EXPECT_FALSE(Child<QPushButton>(&form, "btnOK")->isVisible());
  // Turning the undated plan into a performed service shows today's date.
  Child<QComboBox>(&form, "cbKind")->setCurrentIndex(3);
  EXPECT_TRUE(Child<QSpinBox>(&form, "Dden")->isVisible());
  EXPECT_TRUE(Child<QPushButton>(&form, "btnOK")->isVisible());
  EXPECT_TRUE(Child<QCheckBox>(&form, "chbPaid")->isVisible() || !form.Editor().ListStyle());
  Child<QPushButton>(&form, "btnOK")->click();
  Tzaznam out = r;
  form.Editor().WriteRecord(out);
  EXPECT_EQ(out.db.kind, kKindDone);
  EXPECT_EQ(out.db.date, kToday);
  EXPECT_EQ(out.description, "Výměna rozvodů");
}

TEST_F(EditorWindowTest, EntriesCountTheFrameAsBackAndRefuseUnknownKinds) {
  Tzaznam r;
  InitRecord(r, 3, kKindDone);
  const Tzaznam before = r;
  WhenModal([](QWidget* w) {
    Child<QToolButton>(w, "sbAddAction")->click();
    w->close();  // the frame's close box
  });
  EXPECT_FALSE(AddRecordEntry(nullptr, car_, r, kKindDone));
  EXPECT_EQ(r.description, before.description);

  WhenModal([](QWidget* w) { Child<QPushButton>(w, "btnOK")->click(); });
  ASSERT_TRUE(AddRecordEntry(nullptr, car_, r, kKindPlan));
  EXPECT_EQ(r.db.ID, -1);
  EXPECT_EQ(r.db.kind, kKindPlan);
  EXPECT_EQ(r.db.date, 0);

  r.db.kind = 77;
  EXPECT_FALSE(ChangeRecordEntry(nullptr, car_, r, true));
  EXPECT_EQ(notifier_.shown.back().caption, "Chyba");
  // Opening and leaving without a change reports no change.
  r.db.kind = kKindDone;
  WhenModal([](QWidget* w) { w->close(); });
  EXPECT_FALSE(ChangeRecordEntry(nullptr, car_, r, true));
}

TEST_F(EditorWindowTest, TimerReplyAndTemplates) {
  TPridatForm form;
  form.OpenNew(car_, kKindDone);
  form.show();
  notifier_.Script({TMsgAnswer::Yes});
  form.TakeTimerReply("Seřízení@5400@25000");
  ASSERT_EQ(form.Editor().Lines().size(), 1u);
  EXPECT_FLOAT_EQ(form.Editor().Lines()[0].count, 1.5f);
  EXPECT_TRUE(form.List()->Editing());

  // With nothing listening the link reports and nothing changes.
  setenv("GARVEL_RUNTIME_DIR", fs_.dir.Path().c_str(), 1);
  Config().timer = "";
  Config().timerInstallFolder = "";
  form.sbDownloadClick();
  unsetenv("GARVEL_RUNTIME_DIR");
  EXPECT_EQ(notifier_.shown.back().text, "Nezdařilo se navázat spojení s časomírou.");
  EXPECT_EQ(form.Editor().Lines().size(), 1u);

  ASSERT_TRUE(WriteIniText("frequentactions", "olej", "-1@32768@1@-1@Výměna oleje|||@1@250@Olej 5W-30"));
  form.InsertTemplate(ParseActionTemplates(ReadIniSection("frequentactions"), 200)[0]);
  ASSERT_EQ(form.Editor().Lines().size(), 3u);
  EXPECT_FLOAT_EQ(form.Editor().Lines()[1].price, 200);
  EXPECT_EQ(form.Editor().Lines()[2].itemType, kItemMaterial);
}

TEST_F(EditorWindowTest, IconWindowRowsWithGapsAndTheChosenRow) {
  const std::string shipped = std::string(GARVEL_SOURCE_DATA_DIR) + "/icons/";
  QDir().mkpath(QString::fromStdString(fs_.dir / "icons"));
  QFile::copy(QString::fromStdString(shipped + "0000Výměna oleje.ico"), QString::fromStdString(fs_.dir / "icons/0000Oil.ico"));
  QFile::copy(QString::fromStdString(shipped + "0001Brzdy.ico"), QString::fromStdString(fs_.dir / "icons/0003Brakes.ico"));

  TfIcons window;
  window.Open(3, -1);
  window.show();
  EXPECT_EQ(window.List()->model()->rowCount(), 4);
  EXPECT_EQ(window.SelectedIndex(), 3);
  EXPECT_FALSE(Child<QPushButton>(&window, "colourBox")->isVisible());
  EXPECT_EQ(window.List()->model()->index(3, 0).data().toString(), "Brakes");
  EXPECT_EQ(window.List()->model()->index(1, 0).data().toString(), "");
  Screenshot(&window, "icon-window");

  // However the window closes, the selected row and the colour come back.
  int32_t index = 0, colour = 0x123456;
  WhenModal([](QWidget* w) {
    auto* list = w->findChild<QListView*>("lbIcons");
    list->setCurrentIndex(list->model()->index(2, 0));
    w->close();
  });
  EXPECT_TRUE(ChooseIcon(nullptr, index, colour));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(colour, 0x123456);

  // "Přidat ikonu" takes a chosen file as the next row.
  TRecordingDesktop desktop;
  desktop.Script({shipped + "0002Pneumatiky.ico"});
  window.AddIcon();
  EXPECT_EQ(window.List()->model()->rowCount(), 5);
  EXPECT_EQ(window.SelectedIndex(), 4);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(fs_.dir / "icons/0004Pneumatiky.ico")));
  // A file that is not an icon is refused before anything is stored.
  WriteFileBytes(fs_.dir / "not.ico", "text");
  desktop.Script({fs_.dir / "not.ico"});
  window.AddIcon();
  EXPECT_EQ(window.List()->model()->rowCount(), 5);
  EXPECT_EQ(notifier_.shown.back().caption, "Chyba");
}

TEST_F(EditorWindowTest, TripAndRefuellingWindows) {
  Tzaznam trip;
  InitRecord(trip, 3, kKindTrip);
  TfTrip t;
  t.Open(trip);
  t.show();
  Type(Child<QLineEdit>(&t, "edBeginKM"), "1000");
  Type(Child<QLineEdit>(&t, "edCountKM"), "250");
  EXPECT_EQ(Child<QLineEdit>(&t, "edEndKM")->text(), "1250");
  Child<QLineEdit>(&t, "edEndKM")->clear();
  Type(Child<QLineEdit>(&t, "edEndKM"), "900");
  EXPECT_EQ(Child<QLineEdit>(&t, "edCountKM")->text(), "");
  t.btnSaveClick();
  EXPECT_EQ(notifier_.shown.back().text, QString::fromUtf8("Počáteční stav KM je větší než koncový stav KM!").toStdString());
  EXPECT_TRUE(t.isVisible());
  Child<QComboBox>(&t, "cbFrom")->setEditText("Brno");
  Child<QComboBox>(&t, "cbTo")->setEditText("Praha");
  Child<QCheckBox>(&t, "chbRoundTrip")->setChecked(true);
  Child<QLineEdit>(&t, "edEndKM")->setText("1300");
  Child<QLineEdit>(&t, "edCountKM")->setText("");
  t.btnSaveClick();
  EXPECT_EQ(t.result(), QDialog::Accepted);
  t.Form().WriteRecord(trip);
  EXPECT_EQ(trip.db.km, 1000);
  EXPECT_EQ(TripDescription(trip.description), "Cesta Brno -> Praha a zpět");

  Tzaznam fuel;
  InitRecord(fuel, 3, kKindRefuel);
  TfRefueling f;
  f.Open(fuel);
  f.show();
  EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Tankování"));
  auto* day = Child<QLineEdit>(&f, "edDay");
  day->clear();
  Type(day, "1");
  EXPECT_EQ(Child<QCalendarWidget>(&f, "mcDate")->selectedDate(), QDate(2024, 3, 1));
  Type(Child<QLineEdit>(&f, "edLitres"), "45,5");
  f.btnSaveClick();
  EXPECT_EQ(f.result(), QDialog::Accepted);
  f.Form().WriteRecord(fuel);
  EXPECT_EQ(fuel.db.date, EncodeDate(2024, 3, 1));
  EXPECT_EQ(RefuelingDescription(fuel.description), "tankováno 45,50 litrů");
}

TEST_F(EditorWindowTest, ChosenColumnsAreShownAndKept) {
  TPridatForm form;
  form.OpenNew(car_, kKindDone);
  form.show();
  QHeaderView* header = form.List()->Header();
  EXPECT_FALSE(header->isSectionHidden(kColPurchase));
  // Unchecking "Nákup" (the seventh item) hides its column and stores the
  // mask; "Popis" stays whatever is asked.
  WhenModal([](QWidget* w) {
    auto* list = w->findChild<QListWidget*>();
    list->item(kColPurchase - kColText)->setCheckState(Qt::Unchecked);
    list->item(0)->setCheckState(Qt::Unchecked);
    static_cast<QDialog*>(w)->accept();
  });
  form.sbChooseColumnsClick();
  EXPECT_TRUE(header->isSectionHidden(kColPurchase));
  EXPECT_FALSE(header->isSectionHidden(kColText));
  const int stored = ReadCustomInteger("columnMask", 0);
  EXPECT_FALSE(ColumnShown(stored, kColPurchase));
  EXPECT_TRUE(ColumnShown(stored, kColText));
  // The next opening reads the stored mask.
  form.OpenNew(car_, kKindDone);
  EXPECT_TRUE(header->isSectionHidden(kColPurchase));
}

TEST_F(EditorWindowTest, TextStyleBoxesTakeNoMoreThanIsStored) {
  Tzaznam r;
  InitRecord(r, 3, kKindDone);
  r.description = "volný text";
  TPridatForm form;
  form.OpenExisting(car_, r, false);
  auto* popis = Child<QPlainTextEdit>(&form, "Popis");
  popis->setPlainText(QString(2000, 'a') + "\n" + QString(4000, 'b'));
  Tzaznam out = r;
  form.Editor().WriteRecord(out);
  EXPECT_EQ(out.description.size(), kFreeTextLimit);
  EXPECT_EQ(FromMemoText(popis->toPlainText()), out.description);  // what is shown is what is kept
}
