#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "exchange/ExchangeChanges.h"
#include "shell/Config.h"
#include "storage/DateTime.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/BrowserProgress.h"
#include "ui/CgarvFileForm.h"
#include "ui/EmailEditor.h"
#include "ui/QtNotifier.h"
#include "ui/ServiceBookCommands.h"
#include "ui/WebServiceUi.h"

namespace {

TExchangeChanges SomeChanges() {
  TExchangeChanges c;
  TChangedRecord changed;
  InitRecord(changed.record, -1, kKindDone);
  changed.record.db.km = 120500;
  changed.record.db.date = EncodeDate(2026, 3, 14);
  changed.Diff = "KM: 120000 -> 120500";
  c.changedRecords.push_back(changed);
  TNewVehicle vehicle;
  InitVehicle(vehicle.vehicle);
  vehicle.vehicle.tag = "1B2 3456";
  vehicle.vehicle.manufacturer = "Škoda";
  vehicle.vehicle.model = "Octavia";
  c.newVehicles.push_back(vehicle);
  c.newVehicles.push_back(vehicle);
  for (int list = 0; list < kExchangeListCount; ++list) {
    const bool isNew = list == kNewContacts || list == kNewVehicles || list == kNewRecords;
    c.ticks[static_cast<size_t>(list)].assign(c.Size(list), isNew);
  }
  return c;
}

}  // namespace

TEST(CgarvFileWindow, ListsTicksAndDetails) {
  TestApplication();
  TfCgarvFile form;
  TExchangeChanges changes = SomeChanges();
  QString shownDetail;
  QTimer::singleShot(0, &form, [&] {
    QListWidget* changed = form.List(kChangedRecords);
    QListWidget* vehicles = form.List(kNewVehicles);
    EXPECT_EQ(changed->objectName(), "lvChangedRecords");
    ASSERT_EQ(changed->count(), 1);
    EXPECT_EQ(changed->item(0)->text().toStdString(),
              "Změnit záznam \"120500 @ 14.03.2026\" (KM: 120000 -> 120500)");
    EXPECT_EQ(changed->item(0)->checkState(), Qt::Unchecked);
    ASSERT_EQ(vehicles->count(), 2);
    EXPECT_EQ(vehicles->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(form.List(kNewContacts)->count(), 0);
    // Selecting an item shows its caption in full.
    changed->setCurrentRow(-1);
    changed->setCurrentRow(0);
    shownDetail = form.Description()->toPlainText();
    changed->item(0)->setCheckState(Qt::Checked);
    vehicles->item(1)->setCheckState(Qt::Unchecked);
    form.ApplyButton()->click();
  });
  ASSERT_TRUE(form.Choose(changes));
  EXPECT_EQ(shownDetail.toStdString(), "Změnit záznam \"120500 @ 14.03.2026\" (KM: 120000 -> 120500)");
  EXPECT_EQ(changes.ticks[kChangedRecords], std::vector<bool>{true});
  EXPECT_EQ(changes.ticks[kNewVehicles], (std::vector<bool>{true, false}));

  // Storno leaves the ticks as they were; the lists are filled anew.
  TExchangeChanges again = SomeChanges();
  QTimer::singleShot(0, &form, [&] {
    EXPECT_EQ(form.List(kNewVehicles)->item(1)->checkState(), Qt::Checked);
    form.List(kNewVehicles)->item(0)->setCheckState(Qt::Unchecked);
    form.reject();
  });
  EXPECT_FALSE(form.Choose(again));
  EXPECT_EQ(again.ticks[kNewVehicles], (std::vector<bool>{true, true}));
}

TEST(CgarvFileWindow, AnItemIsOneLineTheDetailsKeepTheBreaks) {
  TestApplication();
  TfCgarvFile form;
  TExchangeChanges changes = SomeChanges();
  changes.changedRecords[0].Diff = "Materiál: Olej\r\nStěrače -> Olej\r\nStěrače\r\nFiltr\nKlín";
  QString item, detail;
  QTimer::singleShot(0, &form, [&] {
    QListWidget* changed = form.List(kChangedRecords);
    changed->setCurrentRow(-1);
    changed->setCurrentRow(0);
    item = changed->item(0)->text();
    detail = form.Description()->toPlainText();
    form.reject();
  });
  form.Choose(changes);
  EXPECT_EQ(item.toStdString(), "Změnit záznam \"120500 @ 14.03.2026\" (Materiál: Olej, Stěrače -> Olej, Stěrače, "
                                "Filtr, Klín)");
  EXPECT_EQ(detail.toStdString(), "Změnit záznam \"120500 @ 14.03.2026\" (Materiál: Olej\nStěrače -> Olej\nStěrače\n"
                                  "Filtr\nKlín)");
}

TEST(MessageBoxes, ReceivedNamesAreShownAsTheyAreNotAsMarkup) {
  TestApplication();
  TQtNotifier notifier;
  Qt::TextFormat format = Qt::RichText;
  QString shown;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        format = box->textFormat();
        shown = box->text();
        box->accept();
      }
  });
  notifier.Show(TMessageBox{"Chyba", "Soubor \"<b>a</b>.cgarv\" nelze přečíst.", TMsgIcon::Error});
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_EQ(shown.toStdString(), "Soubor \"<b>a</b>.cgarv\" nelze přečíst.");
}

TEST(EmailEditorWindow, SendReturnsTheEditedMessageCancelKeepsIt) {
  TestApplication();
  TfEmailEditor editor;
  std::string address = "jan@example.cz", subject = "Servis", body = "Dobrý den,\r\nřádek";
  TRecordingNotifier notifier;
  QTimer::singleShot(0, &editor, [&] {
    EXPECT_EQ(editor.windowTitle().toStdString(), "E-mail");
    EXPECT_EQ(editor.Text()->toPlainText().toStdString(), "Dobrý den,\nřádek");
    // Without a recipient the window stays open and says why.
    editor.Address()->setText("  ");
    editor.SendButton()->click();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"Zadejte adresu příjemce."});
    editor.Address()->setText("jan@example.cz");
    editor.Subject()->setText("Servis vozu");
    editor.Text()->appendPlainText("další");
    editor.SendButton()->click();
  });
  ASSERT_TRUE(editor.Edit(address, subject, body));
  EXPECT_EQ(subject, "Servis vozu");
  EXPECT_EQ(body, "Dobrý den,\r\nřádek\r\ndalší");

  QTimer::singleShot(0, &editor, [&] {
    editor.Address()->setText("jiny@example.cz");
    editor.reject();
  });
  EXPECT_FALSE(editor.Edit(address, subject, body));
  EXPECT_EQ(address, "jan@example.cz");
}

TEST(BrowserProgressWindow, ShowsTheActivityWhileARequestWaits) {
  TestApplication();
  TQtWebServiceUi ui;
  QWidget parent;
  ui.SetParent(&parent);
  ui.ShowProgress("Odesílám soubor...");
  auto* progress = parent.findChild<TfBrowserProgress*>();
  ASSERT_TRUE(progress);
  EXPECT_TRUE(progress->isVisible());
  EXPECT_EQ(progress->windowTitle().toStdString(), "Informace");
  EXPECT_EQ(progress->Activity().toStdString(), "Odesílám soubor...");
  EXPECT_FALSE(progress->close());  // stays until the request ends
  ui.ProcessEvents();
  ui.HideProgress();
  EXPECT_FALSE(progress->isVisible());
}

TEST(ServiceBookPrint, PrintsTheBookToPdf) {
  TestApplication();
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  LoadDefaults(Config());
  Config().motto = "Spolehlivě a včas";
  ApplyConfig(Config());
  Tautomobil v;
  InitVehicle(v);
  v.tag = "1B2 3456";
  v.manufacturer = "Škoda";
  v.model = "Octavia";
  TContactRecord owner;
  InitContactDefault(owner);
  owner.surname = "Řehoř";
  AZaznamy records(1);
  InitRecord(records[0], 1, kKindDone);
  records[0].db.priceWrk = 1000;
  records[0].db.priceMat = 500;
  records[0].description = "Výměna oleje";
  TServiceBookView view;
  view.vehicle = &v;
  view.owner = &owner;
  view.records = &records;
  view.rowOrder = {0};
  view.selected = 0;

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = fs.dir / "book.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf));
  PrintServiceBookTo(printer, view, false, QImage(), QImage());
  const std::string text = PdfText(pdf);
  for (const char* expected : {"Záznamy vozidla", "1B2 3456", "Řehoř", "Škoda Octavia", "Výměna oleje",
                               "Nelze použít jako daňový doklad.", "Spolehlivě a včas"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_TRUE(notifier.shown.empty());
  LoadDefaults(Config());
  ApplyConfig(Config());
}
