#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "catalogues/CatalogueStores.h"
#include "shell/Stores.h"
#include "tests/support/FakeVehicleServices.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "tests/ui/WindowTestHelpers.h"
#include "ui/CarInfoForm.h"
#include "ui/NovyForm.h"
#include "ui/SelectItems.h"
#include "ui/VehicleFormWiring.h"
#include "ui/ZmenaForm.h"

namespace {

void Leave(QLineEdit* edit) { emit edit->editingFinished(); }

QPushButton* Button(QWidget* w, const QString& text) {
  for (QPushButton* b : w->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

bool Red(QWidget* w) { return w->palette().color(QPalette::Base) == QColor(255, 96, 96); }

class NovyFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    SetClockForTests([] { return EncodeDate(2031, 3, 1); });
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    services = fake.Services();
  }
  void TearDown() override { SetClockForTests(nullptr); }

  template <typename T>
  T* Child(QWidget* w, const char* name) {
    T* child = w->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TStoreSet stores;
  TFakeVehicleServices fake;
  TVehicleFormServices services;
};

TEST_F(NovyFormTest, TypedFieldsBecomeTheNewVehicle) {
  fake.contacts[3] = ContactFromOwnerFields({"Malá", "Eva", "Na Výsluní 2", "Písek", "", "", ""});
  fake.chosenContact = 3;
  int32_t id = -2;
  WhenModal([this](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Přidat automobil do evidence"));
    EXPECT_EQ(Child<QSpinBox>(w, "seMonth")->text(), QString::fromUtf8("Měsíc"));
    EXPECT_EQ(Child<QLineEdit>(w, "Crok")->text(), "2028");
    Type(Child<QLineEdit>(w, "CSPZ"), "3A4 5678");
    auto* make = Child<QComboBox>(w, "CMake");
    EXPECT_EQ(make->count(), 3);
    make->setEditText(QString::fromUtf8("Škoda"));
    auto* model = Child<QComboBox>(w, "CModel");
    EXPECT_EQ(model->count(), 2);  // the make's models
    model->setEditText("Octavia");
    EXPECT_EQ(Child<QComboBox>(w, "Csubtype")->count(), 1);
    Child<QComboBox>(w, "Cmotor")->setEditText("1.9 TDI");
    Child<QLineEdit>(w, "Cbarva")->setText(QString::fromUtf8("stříbrná"));
    Child<QSpinBox>(w, "seMonth")->setValue(6);
    Child<QLineEdit>(w, "Crok")->setText("2009");
    Child<QPushButton>(w, "btnChooseOwner")->click();
    EXPECT_TRUE(Child<QLineEdit>(w, "USurname")->isReadOnly());
    EXPECT_EQ(Child<QLineEdit>(w, "UCity")->text(), QString::fromUtf8("Písek"));
    Button(w, QString::fromUtf8("Přidat automobil"))->click();
  });
  id = NewVehicle(stores, services);
  ASSERT_GE(id, 0);
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(id, v));
  EXPECT_EQ(v.tag, "3A4 5678");
  EXPECT_EQ(v.manufacturer, "Škoda");
  EXPECT_EQ(v.model, "Octavia");
  EXPECT_EQ(v.engine, "1.9 TDI");
  EXPECT_EQ(v.color, "stříbrná");
  EXPECT_EQ(YearText(v), "6/2009");
  EXPECT_EQ(v.ownerID, 3);
  EXPECT_EQ(v.comments, "Servisní kniha: ");
  EXPECT_TRUE(notifier.shown.empty());

  // Storno: nothing stored.
  WhenModal([](QWidget* w) { Button(w, "Storno")->click(); });
  EXPECT_EQ(NewVehicle(stores, services), -1);
}

TEST_F(NovyFormTest, VINBoxIsRedUntilSeventeenCharactersAndSetsTheYear) {
  fake.decoding = {"Škoda", "Octavia", "", "1.9 TDI", "Octavia I"};
  TNovyForm form(*stores.cars, services);
  form.OpenNew();
  auto* vin = Child<QLineEdit>(&form, "CVIN");
  auto* year = Child<QLineEdit>(&form, "Crok");
  EXPECT_FALSE(Red(vin));
  Type(vin, "tmbab41z5y200123");
  EXPECT_EQ(vin->text(), "TMBAB41Z5Y200123");
  EXPECT_TRUE(Red(vin));
  EXPECT_FALSE(Red(year));
  Type(vin, "4");
  EXPECT_FALSE(Red(vin));
  EXPECT_EQ(year->text(), "2030");  // Y, with 1 January 2030 behind us
  EXPECT_FALSE(Red(year));
  EXPECT_EQ(Child<QComboBox>(&form, "CMake")->currentText(), QString::fromUtf8("Škoda"));
  EXPECT_EQ(Child<QComboBox>(&form, "CModel")->count(), 2);
  EXPECT_EQ(Child<QPlainTextEdit>(&form, "Uinfo")->toPlainText(),
            QString::fromUtf8("Servisní kniha: \n<<VIN-INFO:Octavia I>>\n"));
  year->setText("2001");
  emit year->textEdited("2001");
  EXPECT_TRUE(Red(year));

  // The duplicate warning shows once the box is left.
  Tautomobil other;
  InitVehicle(other);
  other.vin = "TMBAB41Z5Y2001234";
  stores.cars->CreateCar(other, "");
  auto* warning = Child<QLabel>(&form, "lblVINExists");
  EXPECT_TRUE(warning->isHidden());
  Leave(vin);
  EXPECT_FALSE(warning->isHidden());
  EXPECT_EQ(warning->text(), QString::fromUtf8("Vozidlo s tímto VIN již v DB existuje!"));
}

TEST_F(NovyFormTest, ChangeOverwritesTheCopyOnlyOnConfirmation) {
  Tautomobil v;
  InitVehicle(v);
  v.ID = 12;
  v.manufacturer = "Audi";
  v.model = "A4";
  v.year = 2011;
  v.month = 0;
  WhenModal([this](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Změna údajů"));
    Child<QLineEdit>(w, "Cbarva")->setText(QString::fromUtf8("černá"));
    Child<QLineEdit>(w, "Crok")->setText("1910");
    Button(w, "Storno")->click();
  });
  EXPECT_FALSE(ChangeVehicle(v, stores, services));
  EXPECT_EQ(v.color, "");

  WhenModal([this](QWidget* w) {
    EXPECT_EQ(Child<QLineEdit>(w, "Crok")->text(), "2011");
    Child<QLineEdit>(w, "Cbarva")->setText(QString::fromUtf8("černá"));
    Child<QLineEdit>(w, "Crok")->setText("1910");
    Button(w, QString::fromUtf8("Uložit změny"))->click();
  });
  EXPECT_TRUE(ChangeVehicle(v, stores, services));
  EXPECT_EQ(v.color, "černá");
  EXPECT_EQ(v.year, 0);
  EXPECT_EQ(v.ID, 12);
}

TEST_F(NovyFormTest, EnterConfirmsAndEscapeCancels) {
  TNovyForm form(*stores.cars, services);
  form.OpenNew();
  form.show();
  // Enter in a box confirms; the missing make keeps the window open.
  auto* make = Child<QComboBox>(&form, "CMake");
  make->lineEdit()->setFocus();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(make->lineEdit(), &enter);
  EXPECT_TRUE(form.isVisible());
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba zadání");
  if (std::getenv("GARVEL_SCREENSHOTS")) {
    Child<QComboBox>(&form, "CMake")->setEditText(QString::fromUtf8("Škoda"));
    Type(Child<QLineEdit>(&form, "CVIN"), "TMBAB41Z5Y2001");
    Tautomobil other;
    InitVehicle(other);
    other.tag = "1A2-3456";
    stores.cars->CreateCar(other, "");
    fake.contacts[3] = ContactFromOwnerFields({"Malá", "Eva", "Na Výsluní 2", "Písek", "604 111 222", "", ""});
    fake.chosenContact = 3;
    Child<QPushButton>(&form, "btnChooseOwner")->click();
    Type(Child<QLineEdit>(&form, "CSPZ"), "1A2 3456");
    Leave(Child<QLineEdit>(&form, "CSPZ"));
    Screenshot(&form, "novyform");
  }
  // Escape cancels.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(Child<QLineEdit>(&form, "CSPZ"), &escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(NovyFormTest, CarInfoSendsTheOrderAndClosesOnlyWhenSent) {
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Škoda";
  v.model = "Fabia";
  v.year = 2005;
  v.comments = "nová spojka";
  fake.settings.orderaddr = "sklad@example.cz";
  TcarInfoForm* form = ShowCarInfo(v, services);
  EXPECT_FALSE(form->isModal());
  EXPECT_EQ(form->windowTitle(), "Informace o automobilu");
  EXPECT_EQ(form->EmailAddress()->currentText(), "sklad@example.cz");
  EXPECT_EQ(form->EmailAddress()->count(), 1);
  EXPECT_EQ(form->Subject()->text(), QString::fromUtf8("Objednávka"));
  EXPECT_TRUE(form->AttachText()->isChecked());
  EXPECT_TRUE(form->MemoInfo()->toPlainText().startsWith(QString::fromUtf8("Značka:     Škoda Fabia \n")));
  Screenshot(form, "carinfo");

  fake.mailFails = true;
  form->SendClick();
  EXPECT_TRUE(form->isVisible());
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].text, "Odeslání se nezdařilo");

  fake.mailFails = false;
  form->MemoInfo()->setPlainText("a\nb");
  form->SendClick();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(fake.mails.back(), std::string("sklad@example.cz|Objednávka|a\rb\r"));
}

TEST_F(NovyFormTest, SelectItemsAndTextWindows) {
  std::vector<bool> marks = {true};
  WhenModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Zvolte sloupce"));
    auto* list = w->findChild<QListWidget*>();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(2)->checkState(), Qt::Unchecked);
    list->item(1)->setCheckState(Qt::Checked);
    Button(w, "&Storno")->click();
  });
  EXPECT_FALSE(SelectItems("Zvolte sloupce", "Sloupce:", {"Datum", "Km", "Cena"}, marks));
  EXPECT_EQ(marks, std::vector<bool>{true});
  WhenModal([](QWidget* w) {
    w->findChild<QListWidget*>()->item(2)->setCheckState(Qt::Checked);
    Screenshot(w, "selectitems");
    Button(w, "&OK")->click();
  });
  EXPECT_TRUE(SelectItems("Zvolte sloupce", "Sloupce:", {"Datum", "Km", "Cena"}, marks));
  EXPECT_EQ(marks, (std::vector<bool>{true, false, true}));

  Tautomobil v;
  InitVehicle(v);
  WhenModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Dodatečné informace"));
    auto* memo = w->findChild<QPlainTextEdit*>();
    EXPECT_EQ(memo->toPlainText(), "Pneu:\nOlej:");
    memo->setPlainText("Pneu: zimní\nOlej:");
    Screenshot(w, "zmenaform");
    Button(w, "OK")->click();
  });
  EXPECT_TRUE(EditAdditionalInfo(v, "Pneu:\r\nOlej:"));
  EXPECT_EQ(v.comments, "Pneu: zimní\r\nOlej:");

  WhenModal([](QWidget* w) {
    EXPECT_TRUE(w->findChild<QPlainTextEdit*>()->isReadOnly());
    w->close();
  });
  EXPECT_EQ(EditPlainText("Popis", std::vector<std::string>{"a", "b"}, true), "a\r\nb");
}

TEST_F(NovyFormTest, ProgramServicesWorkOnTheStores) {
  const TCatalogue catalogue = CatalogueOf(stores);
  TManufacturerRecord make;
  InitManufacturer(make);
  make.name = "Zetor";
  ASSERT_TRUE(CreateCatalogueRecord(catalogue.manufacturers, make));
  TModelRecord model;
  InitModel(model);
  model.name = "Crystal";
  model.manufacturer = make.ID;
  ASSERT_TRUE(CreateCatalogueRecord(catalogue.models, model));

  const TVehicleFormServices real = VehicleFormServicesFor(stores, nullptr);
  const std::vector<std::string> makes = real.listManufacturerNames();
  EXPECT_NE(std::find(makes.begin(), makes.end(), "Zetor"), makes.end());
  EXPECT_EQ(real.listModelNames(make.ID), std::vector<std::string>{"Crystal"});
  const TVehicleCatalogueIDs ids = real.findMakeAndModel("ZETOR", "crystal");
  EXPECT_EQ(ids.manufacturer, make.ID);
  EXPECT_EQ(ids.model, model.ID);
  EXPECT_TRUE(real.decodeVIN("TMBAB41Z5Y2001234").manufacturer.empty());  // no patterns here

  TContactRecord supplier = ContactFromOwnerFields({"Veselý", "Jan", "", "", "", "dily@example.cz", ""});
  supplier.kind = kContactSupplier;
  ASSERT_TRUE(real.addContact(supplier));
  TContactRecord read;
  ASSERT_TRUE(real.readContact(supplier.ID, read));
  EXPECT_EQ(read.surname, "Veselý");
  EXPECT_EQ(real.supplierAddresses(), std::vector<std::string>{"Veselý, Jan <dily@example.cz>"});
  EXPECT_FALSE(real.readContact(supplier.ID + 1, read));

  // An unknown model answered No is stored as typed; the typed owner is a
  // new contact of the store.
  TVehicleForm form(*stores.cars, real);
  form.OpenNew();
  form.fields.manufacturer = "zetor";
  form.fields.model = "Forterra";
  form.fields.owner.surname = "Pokorná";
  notifier.Script({TMsgAnswer::No});
  ASSERT_TRUE(form.Confirm());
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(form.StoreNew(), v));
  EXPECT_EQ(v.model, "Forterra");
  ASSERT_TRUE(real.readContact(v.ownerID, read));
  EXPECT_EQ(read.surname, "Pokorná");
}

}  // namespace
