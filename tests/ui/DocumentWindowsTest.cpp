#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "documents/DocumentStore.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/DocumentFixture.h"
#include "tests/ui/TestApplication.h"
#include "ui/ContractForm.h"
#include "ui/DocumentListForm.h"
#include "ui/ExecAndWaitForm.h"
#include "ui/InvoiceForm.h"
#include "ui/QtDates.h"
#include "ui/TimeLineEdit.h"

namespace {

// With GARVEL_SCREENSHOTS set, the window is saved there as a picture.
void Screenshot(QWidget* w, const char* name) {
  if (const char* dir = std::getenv("GARVEL_SCREENSHOTS")) {
    QApplication::processEvents();
    w->grab().save(QString(dir) + "/" + name + ".png");
  }
}

// Runs `action` on the modal window once the event loop shows it.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

template <typename T>
T* Child(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(name);
  EXPECT_NE(c, nullptr) << name;
  return c;
}

class TDocumentWindowsTest : public TDocumentTest {
 protected:
  void SetUp() override {
    TestApplication();
    TDocumentTest::SetUp();
    InstallShippedData();
    InitVehicle(vehicle);
    vehicle.manufacturer = "Škoda";
    vehicle.tag = "1A1 1111";
    InitContact(customer);
    customer.surname = "Veselý";
    record = RecordWithItems({Item(kItemActivity, 200, 1.5, "Seřízení"), Item(kItemMaterial, 250, 4, "Svíčka")});
  }
  Tautomobil vehicle;
  TContactRecord customer;
  Tzaznam record;
};

TEST_F(TDocumentWindowsTest, InvoiceWindowFollowsThePaymentMethodAndIssues) {
  bool checked = false;
  WhenModal([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Vytvořit fakturu"));
    EXPECT_TRUE(Child<QLabel>(w, "lbNoInvoice")->isVisibleTo(w));
    EXPECT_FALSE(Child<QPushButton>(w, "sbShow")->isVisibleTo(w));
    EXPECT_EQ(Child<QLineEdit>(w, "edNumber")->text(), "20260001");
    EXPECT_EQ(Child<QLineEdit>(w, "edNumber")->maxLength(), 31);
    EXPECT_TRUE(Child<QCheckBox>(w, "chbProform")->isVisibleTo(w));
    EXPECT_FALSE(Child<QCheckBox>(w, "chbIncludeSignature")->isEnabled());
    QDateEdit* created = Child<QDateEdit>(w, "dateCreated");
    QDateEdit* maturity = Child<QDateEdit>(w, "dateMaturity");
    QWidget* bank = Child<QLineEdit>(w, "edBank");
    EXPECT_FALSE(bank->isVisibleTo(w));
    Child<QRadioButton>(w, "rbTransaction")->click();
    EXPECT_EQ(maturity->date(), created->date().addDays(14));
    EXPECT_TRUE(bank->isVisibleTo(w));
    created->setDate(created->date().addDays(-3));  // the term stays 14 days
    EXPECT_EQ(maturity->date(), created->date().addDays(14));
    Child<QPushButton>(w, "sbUseAccount1")->click();
    EXPECT_EQ(Child<QLineEdit>(w, "edAccountNr")->text(), "987654321/0300");
    Screenshot(w, "invoice");
    Child<QRadioButton>(w, "rbCash")->click();
    EXPECT_EQ(maturity->date(), created->date());
    EXPECT_FALSE(bank->isVisibleTo(w));
    Child<QRadioButton>(w, "rbTransaction")->click();
    Child<QLineEdit>(w, "edTransactionFee")->setText("155");
    checked = true;
    Child<QPushButton>(w, "BitBtn1")->click();
  });
  EXPECT_TRUE(EditInvoice(nullptr, vehicle, customer, record, 0));
  EXPECT_TRUE(checked);
  EXPECT_EQ(record.db.invoiceNrText, "20260001");
  EXPECT_TRUE(Exists("invoice/20260001.html"));
  EXPECT_EQ(desktop.documents.back(), Dir() + "invoice/20260001.PDF");

  // Reopened: the issued number, the transfer and the exact fee.
  WhenModal([&](QWidget* w) {
    EXPECT_TRUE(Child<QLabel>(w, "lbInvoiceCreated")->isVisibleTo(w));
    EXPECT_EQ(Child<QLabel>(w, "lbInvoiceNumber")->text(), "20260001");
    EXPECT_TRUE(Child<QRadioButton>(w, "rbTransaction")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(w, "edTransactionFee")->text(), "155,00");
    Child<QPushButton>(w, "BitBtn2")->click();
  });
  EXPECT_FALSE(EditInvoice(nullptr, vehicle, customer, record, 0));

  // A simplified tax document has no proforma.
  WhenModal([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Vytvořit zjednodušený daňový doklad"));
    EXPECT_FALSE(Child<QCheckBox>(w, "chbProform")->isVisibleTo(w));
    Child<QPushButton>(w, "BitBtn2")->click();
  });
  EXPECT_FALSE(EditInvoice(nullptr, vehicle, customer, record, 1));
}

TEST_F(TDocumentWindowsTest, WrongInputKeepsTheWindowOpen) {
  int shown = 0;
  std::function<void(QWidget*)> step = [&](QWidget* w) {
    ++shown;
    if (shown == 1) {
      Child<QLineEdit>(w, "edItemsPerPage")->setText("mnoho");
      WhenModal(step);
      Child<QPushButton>(w, "BitBtn1")->click();
    } else {
      Child<QPushButton>(w, "BitBtn2")->click();
    }
  };
  WhenModal(step);
  EXPECT_FALSE(EditInvoice(nullptr, vehicle, customer, record, 0));
  EXPECT_EQ(shown, 2);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Nesprávná hodnota \"Položek na stránku\"");
  EXPECT_EQ(record.db.invoiceNrText, "");
}

// Typing into a time field replaces the time shown.
void TypeTime(QWidget* w, const char* name, const char* text) {
  TTimeLineEdit* time = Child<TTimeLineEdit>(w, name);
  EXPECT_TRUE(QTest::qWaitForWindowActive(w));
  time->setFocus();
  QApplication::processEvents();
  QTest::keyClicks(time, text);
}

TEST(TimeLineEdit, ReadsWhatAWorkshopTypes) {
  const std::pair<const char*, QTime> cases[] = {
      {"8:30", QTime(8, 30)}, {"8.30", QTime(8, 30)}, {"830", QTime(8, 30)}, {"1645", QTime(16, 45)},
      {"16", QTime(16, 0)},   {"8:5", QTime(8, 5)},   {"", QTime(0, 0)},      {"24:00", QTime()},
      {"8:60", QTime()},      {"x", QTime()}};
  for (const auto& [text, time] : cases) EXPECT_EQ(TTimeLineEdit::ParseTime(text), time) << text;
}

TEST_F(TDocumentWindowsTest, JobSheetTotalHidesThePrices) {
  int shown = 0;
  std::function<void(QWidget*)> step = [&](QWidget* w) {
    ++shown;
    if (shown == 1) {
      EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Vytvořit zakázkový list"));
      QLineEdit* work = Child<QLineEdit>(w, "edExpectedWorkPrice");
      EXPECT_TRUE(work->isVisibleTo(w));
      Child<QLineEdit>(w, "edExpectedPrice")->setText("4500");
      EXPECT_FALSE(work->isVisibleTo(w));
      TypeTime(w, "timeOvertaken", "8:30");
      TypeTime(w, "timeExpectedFinish", "25");  // no hour of a day: refused, the window stays
      Screenshot(w, "contract");
      WhenModal(step);
    } else {
      TypeTime(w, "timeExpectedFinish", "1600");
    }
    Child<QPushButton>(w, "btnOK")->click();
  };
  WhenModal(step);
  EXPECT_TRUE(EditContract(nullptr, vehicle, customer, record));
  EXPECT_EQ(shown, 2);
  ASSERT_FALSE(notifier.shown.empty());
  EXPECT_EQ(notifier.shown[0].text, "Nesprávná hodnota \"Předpokládané ukončení opravy\"");
  EXPECT_EQ(record.db.contractNrText, "1");
  const std::string stored = ReadData("contracts/1.html");
  EXPECT_NE(stored.find("<!--PARAM_BEGIN(%EXPECTED_PRICE%)-->4500<!--PARAM_END-->"), std::string::npos);
  EXPECT_NE(stored.find(" 8:30:00<!--PARAM_END-->"), std::string::npos);
  EXPECT_NE(stored.find(" 16:00:00<!--PARAM_END-->"), std::string::npos);

  WhenModal([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Vytvořit příjmový doklad"));
    EXPECT_EQ(Child<QLineEdit>(w, "edNumber")->text(), "1");
    Child<QPushButton>(w, "btnOK")->click();
  });
  EXPECT_TRUE(EditReceipt(nullptr, vehicle, customer, record));
  EXPECT_TRUE(Exists("receipts/1.html"));
}

TEST_F(TDocumentWindowsTest, RegisterFiltersAndDeletes) {
  WriteData("invoice/20260001.html", "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->02.03.2026<!--PARAM_END-->"
                                     "<!--PARAM_BEGIN(%LABEL%)-->Oprava<!--PARAM_END-->");
  WriteFileBytes(Dir() + "invoice/20260001.PDF", "%PDF");
  WriteData("invoice/20250040.html", "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->15.11.2025<!--PARAM_END-->");
  WriteData("invoice/20260009.html", "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->10.01.2026<!--PARAM_END-->");
  TfInvoiceList list;
  list.Fill("invoice", "Seznam faktur");
  EXPECT_EQ(list.windowTitle(), "Seznam faktur");
  EXPECT_EQ(list.FromBox()->currentText(), "1/2026");
  EXPECT_EQ(list.ToBox()->currentText(), "3/2026");
  ASSERT_EQ(list.Model().rowCount(), 2);
  list.FromBox()->setCurrentText("11/2025");
  EXPECT_EQ(list.Model().rowCount(), 3);
  list.Model().sort(0, Qt::AscendingOrder);
  EXPECT_EQ(list.Model().Row(0)->number, "20250040");
  Screenshot(&list, "register");

  QTreeView* view = Child<QTreeView>(&list, "lvInvoices");
  list.Model().sort(0, Qt::DescendingOrder);
  view->setCurrentIndex(list.Model().index(0, 0));
  notifier.Script({TMsgAnswer::Yes});
  list.DeleteSelected();
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete smazat dokument s číslem 20260009?");
  EXPECT_EQ(list.Model().rowCount(), 2);
  EXPECT_FALSE(Exists("invoice/20260009.html"));

  view->setCurrentIndex(list.Model().index(0, 0));
  list.OpenSelected();
  EXPECT_EQ(desktop.documents.back(), Dir() + "invoice/20260001.PDF");
}

TEST_F(TDocumentWindowsTest, WaitWindowEndsWithTheProgram) {
  TQtProgramRunner runner;
  TProgramRun run = runner.Run("/bin/sh", {"-c", "sleep 0.3; echo hotovo"}, "", true);
  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, "hotovo\n");

  // Closing the window gives up waiting and stops the program.
  WhenModal([](QWidget* w) { QTimer::singleShot(200, w, [w] { w->close(); }); });
  run = runner.Run("sleep", {"30"}, "", true);
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.ended);
}

}  // namespace
