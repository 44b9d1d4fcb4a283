#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "documents/RecordDocuments.h"
#include "shell/Stores.h"
#include "tests/support/DocumentFixture.h"
#include "tests/ui/TestApplication.h"
#include "ui/AutoForm.h"
#include "ui/DocumentServices.h"

namespace {

void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

class TRecordDocumentsPanelTest : public TDocumentTest {
 protected:
  void SetUp() override {
    TestApplication();
    TDocumentTest::SetUp();
    InstallShippedData();
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    Tautomobil v;
    InitVehicle(v);
    v.tag = "3C4 5678";
    v.manufacturer = "Ford";
    stores.cars->CreateCar(v, "");
    car = v.ID;
    AZaznamy records = {RecordWithItems({Item(kItemActivity, 200, 1.5, "Geometrie")}, -1)};
    records[0].db.carID = car;
    ASSERT_TRUE(stores.records->SaveCarRecords(car, records));
    recordID = records[0].db.ID;
  }
  void TearDown() override {
    stores.CloseAll();
    TDocumentTest::TearDown();
  }
  std::unique_ptr<TAutoForm> OpenForm() {
    TRecordWindowServices s;
    s.readContact = [](int32_t, TContactRecord&) { return false; };
    s.saveContact = [](TContactRecord&) { return true; };
    s.chooseContact = [](QWidget*, int32_t) { return -1; };
    s.editContact = [](QWidget*, TContactRecord&) { return false; };
    s.composeEmail = [](const std::string&, const std::string&) {};
    s.addRecord = [](QWidget*, const Tautomobil&, Tzaznam& r, int32_t) {
      r.description = "Žárovka";
      return true;
    };
    AddDocumentServices(s);
    auto form = std::make_unique<TAutoForm>(*stores.cars, *stores.records, s);
    EXPECT_TRUE(form->Open(car));
    form->SelectRecord(0);
    return form;
  }
  Tzaznam StoredRecord() {
    Tzaznam r;
    stores.records->LoadCarRecord(recordID, r);
    return r;
  }
  TStoreSet stores;
  int32_t car = -1, recordID = -1;
};

TEST_F(TRecordDocumentsPanelTest, AnIssuedNumberReachesTheStoredRecordAtOnce) {
  auto form = OpenForm();
  QToolButton* create = form->DocumentButton(rdInvoice, 0);
  EXPECT_FALSE(create->isHidden());
  EXPECT_TRUE(form->DocumentButton(rdInvoice, 1)->isHidden());
  EXPECT_TRUE(form->DocumentButton(rdInvoice, 2)->isHidden());

  WhenModal([](QWidget* w) {
    w->findChild<QCheckBox*>("chbProform")->setChecked(true);
    w->findChild<QPushButton*>("BitBtn1")->click();
  });
  create->click();
  EXPECT_EQ(form->DocumentLabel(rdInvoice)->text(), "20260001");
  EXPECT_EQ(form->DocumentCaption(rdInvoice)->text(), QString::fromUtf8("Proforma faktura:"));
  EXPECT_TRUE(form->DocumentButton(rdInvoice, 0)->isHidden());
  EXPECT_FALSE(form->DocumentButton(rdInvoice, 1)->isHidden());
  EXPECT_FALSE(form->DocumentButton(rdInvoice, 2)->isHidden());
  EXPECT_TRUE(form->Modified());
  // Stored already: leaving the window without saving keeps the number.
  EXPECT_EQ(StoredRecord().db.invoiceNrText, "20260001");

  form->DocumentButton(rdInvoice, 2)->click();
  EXPECT_EQ(desktop.documents.back(), Dir() + "invoice/20260001.PDF");

  // A document that has gone is shown struck out.
  std::remove((Dir() + "invoice/20260001.html").c_str());
  form = OpenForm();
  EXPECT_TRUE(form->DocumentLabel(rdInvoice)->font().strikeOut());
  EXPECT_TRUE(form->DocumentButton(rdInvoice, 2)->isHidden());
  EXPECT_FALSE(form->DocumentLabel(rdContract)->font().strikeOut());
}

TEST_F(TRecordDocumentsPanelTest, ANewRecordIsStoredBeforeItsDocument) {
  auto form = OpenForm();
  // A record added in the window and not saved yet.
  form->NovyZaznamClick(kKindDone);
  ASSERT_EQ(form->Records().size(), 2u);
  ASSERT_LT(form->Records()[1].db.ID, 0);
  form->SelectRecord(1);
  notifier.Script({TMsgAnswer::Yes});
  WhenModal([](QWidget* w) { w->findChild<QPushButton*>("btnOK")->click(); });
  form->DocumentButton(rdContract, 0)->click();
  ASSERT_GE(form->Records()[1].db.ID, 0);
  Tzaznam stored;
  ASSERT_TRUE(stores.records->LoadCarRecord(form->Records()[1].db.ID, stored));
  EXPECT_EQ(stored.db.contractNrText, "1");
  EXPECT_EQ(stored.description, "Žárovka");
  EXPECT_EQ(notifier.shown.at(0).caption, "Dotaz");

  // A second document of the same record, then the window left by "Storno":
  // both numbers stay with the stored record.
  WhenModal([](QWidget* w) { w->findChild<QPushButton*>("BitBtn1")->click(); });
  form->DocumentButton(rdInvoice, 0)->click();
  ASSERT_TRUE(form->Modified());
  notifier.Script({TMsgAnswer::Yes});
  form->close();
  ASSERT_TRUE(stores.records->LoadCarRecord(form->Records()[1].db.ID, stored));
  EXPECT_EQ(stored.db.contractNrText, "1");
  EXPECT_EQ(stored.db.invoiceNrText, "20260001");
}

}  // namespace
