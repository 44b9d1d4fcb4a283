#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "catalogues/CatalogueQueries.h"
#include "catalogues/StartingCatalogue.h"
#include "catalogues/VinPatterns.h"
#include "shell/Stores.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"
#include "tests/ui/TestApplication.h"
#include "ui/AddEngineForm.h"
#include "ui/AddManufForm.h"
#include "ui/AddModelForm.h"
#include "ui/CarModelsForm.h"
#include "ui/VinManagerForm.h"

namespace {

using L = TCatalogueLevel;

// Runs `action` on the next modal window once the event loop shows it.
void WithModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* w = QApplication::activeModalWidget()) action(w);
  });
}

QPushButton* Button(QWidget* w, const char* caption) {
  for (QPushButton* b : w->findChildren<QPushButton*>())
    if (b->text() == QString::fromUtf8(caption)) return b;
  return nullptr;
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setText(text);
  emit edit->textEdited(text);
}

QStringList Rows(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

class CatalogueWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", options));
    cat = CatalogueOf(stores);
    WriteFileBytes(fs.dir / "cat/a.txt",
                   "G Volkswagen Group\nE 1.9 TDI / N / 1896\nM Škoda | CZ\nD Octavia: Combi, RS; Fabia\n"
                   "M Audi | DE\nD A4\nG Stellantis\nM Peugeot | FR\nD 208\n");
    ASSERT_TRUE(LoadStartingCatalogue(CatalogueOf(stores), fs.dir / "cat"));
  }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  TCatalogue cat;
};

TEST_F(CatalogueWindowTest, ManagerShowsTheLevelsOfTheSelection) {
  TfCarModels w(cat);
  w.Prepare();
  EXPECT_EQ(Rows(w.List(L::Concern)), (QStringList{"Stellantis", "Volkswagen Group"}));
  EXPECT_TRUE(w.List(L::Manufacturer)->isHidden());
  EXPECT_TRUE(w.AddButton(L::Model)->isHidden());
  EXPECT_FALSE(w.RemoveButton(L::Concern)->isEnabled());
  EXPECT_TRUE(w.Fields(L::Concern)->isHidden());

  w.SelectRow(L::Concern, 1);
  EXPECT_FALSE(w.List(L::Manufacturer)->isHidden());
  EXPECT_EQ(Rows(w.List(L::Manufacturer)), (QStringList{"Audi", QString::fromUtf8("Škoda")}));
  EXPECT_EQ(Rows(w.List(L::Engine)), (QStringList{"1.9 TDI"}));
  EXPECT_TRUE(w.RemoveButton(L::Concern)->isEnabled());
  EXPECT_FALSE(w.Fields(L::Concern)->isHidden());
  EXPECT_EQ(w.NameEdit(L::Concern)->text(), "Volkswagen Group");
  EXPECT_TRUE(w.List(L::Model)->isHidden());

  w.SelectRow(L::Manufacturer, 1);
  EXPECT_EQ(w.CountryEdit()->text(), "CZ");
  EXPECT_EQ(Rows(w.List(L::Model)), (QStringList{"Fabia", "Octavia"}));
  w.SelectRow(L::Model, 1);
  EXPECT_EQ(Rows(w.List(L::SubType)), (QStringList{"Combi", "RS"}));
  w.SelectRow(L::Engine, 0);
  EXPECT_EQ(w.DisplacementEdit()->text(), "1896");
  EXPECT_TRUE(w.FuelButton(kFuelDiesel)->isChecked());
  Type(w.DisplacementEdit(), "19x");
  EXPECT_FALSE(w.DisplacementEdit()->styleSheet().isEmpty());  // red, value kept
  Type(w.DisplacementEdit(), "1900");
  EXPECT_TRUE(w.DisplacementEdit()->styleSheet().isEmpty());

  // Choosing another make clears the selections below it.
  w.SelectRow(L::Manufacturer, 0);
  EXPECT_EQ(Rows(w.List(L::Model)), (QStringList{"A4"}));
  EXPECT_TRUE(w.List(L::SubType)->isHidden());

  // Renaming shows in the row and reaches the store when the window closes.
  Type(w.NameEdit(L::Manufacturer), "Audi AG");
  EXPECT_EQ(w.List(L::Manufacturer)->item(0)->text(), "Audi AG");
  EXPECT_EQ(FindManufacturerByName(cat, "Audi AG"), -1);
  w.done(QDialog::Accepted);
  EXPECT_GE(FindManufacturerByName(cat, "Audi AG"), 0);
  EXPECT_EQ(ReadEngines(cat.engines)[0].displacement, 1900);
}

TEST_F(CatalogueWindowTest, ManagerAddsDeletesAndFinds) {
  TfCarModels w(cat);
  w.Prepare();
  w.FindManufacturer(QString::fromUtf8("Škoda"));
  ASSERT_EQ(w.List(L::Concern)->selectedItems().size(), 1);
  EXPECT_EQ(w.List(L::Concern)->selectedItems()[0]->text(), "Volkswagen Group");
  ASSERT_EQ(w.List(L::Manufacturer)->selectedItems().size(), 1);
  EXPECT_EQ(w.List(L::Manufacturer)->selectedItems()[0]->text(), QString::fromUtf8("Škoda"));
  EXPECT_EQ(Rows(w.List(L::Model)), (QStringList{"Fabia", "Octavia"}));

  w.AddEntryCommand(L::Model);  // appended unsorted, selected, with an empty name
  EXPECT_EQ(Rows(w.List(L::Model)), (QStringList{"Fabia", "Octavia", ""}));
  Type(w.NameEdit(L::Model), "Kodiaq");
  EXPECT_EQ(ReadModels(cat.models).size(), 5u);  // in the store at once

  w.SelectRow(L::Concern, 1);
  notifier.Script({TMsgAnswer::No});
  w.RemoveSelected(L::Concern);
  EXPECT_EQ(notifier.shown.back().text, "Odebrat koncern Volkswagen Group a všechny jeho výrobce?");
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);
  EXPECT_EQ(w.List(L::Concern)->count(), 2);
  notifier.Script({TMsgAnswer::Yes});
  w.RemoveSelected(L::Concern);
  EXPECT_EQ(Rows(w.List(L::Concern)), (QStringList{"Stellantis"}));
  EXPECT_TRUE(w.List(L::Manufacturer)->isHidden());
  TNameList makes;
  ListManufacturerNames(cat, makes);
  EXPECT_EQ(makes, (TNameList{"Peugeot"}));
  EXPECT_TRUE(ReadEngines(cat.engines).empty());
  w.done(QDialog::Accepted);
}

TEST_F(CatalogueWindowTest, AddManufacturerDialogRefusesADuplicate) {
  std::vector<QString> concerns;
  WithModal([&](QWidget* dialog) {
    auto* d = static_cast<TFAddManuf*>(dialog);
    for (int i = 0; i < d->ConcernBox()->count(); ++i) concerns.push_back(d->ConcernBox()->itemText(i));
    EXPECT_EQ(d->NameEdit()->text(), "SKODA");
    EXPECT_EQ(d->UrlEdit()->text(), "http://");
    Button(d, "Přidat")->click();
  });
  EXPECT_EQ(AddManufacturerToCatalogue(cat, "SKODA"), "");
  EXPECT_EQ(concerns, (std::vector<QString>{"Stellantis", "Volkswagen Group"}));
  EXPECT_EQ(notifier.shown.back().text, "Výrobce již v databázi existuje.");

  WithModal([](QWidget* dialog) {
    auto* d = static_cast<TFAddManuf*>(dialog);
    d->ConcernBox()->setCurrentIndex(1);
    d->CountryEdit()->setText("CZ");
    Button(d, "Přidat")->click();
  });
  EXPECT_EQ(AddManufacturerToCatalogue(cat, "Tatra"), "Tatra");
  EXPECT_EQ(FindMakeAndModel(cat, "tatra", "").concern, FindConcernByName(cat, "Volkswagen Group"));

  WithModal([](QWidget* dialog) { Button(dialog, "Storno")->click(); });
  EXPECT_EQ(AddManufacturerToCatalogue(cat, "Praga"), "");
  EXPECT_EQ(FindManufacturerByName(cat, "Praga"), -1);
}

TEST_F(CatalogueWindowTest, AddModelAndEngineDialogs) {
  const int32_t skoda = FindManufacturerByName(cat, "Škoda");
  QString makeLabel;
  WithModal([&](QWidget* dialog) {
    makeLabel = static_cast<TFaddModel*>(dialog)->MakeLabel()->text();
    Button(dialog, "Přidat")->click();
  });
  EXPECT_EQ(AddModelToCatalogue(cat, skoda, "octavia"), "");
  EXPECT_EQ(makeLabel, QString::fromUtf8("Škoda"));
  EXPECT_EQ(notifier.shown.back().text, "Model již v databázi existuje.");

  bool dieselProposed = false, stayedOpen = false;
  WithModal([&](QWidget* dialog) {
    auto* d = static_cast<TFaddEngine*>(dialog);
    dieselProposed = d->FuelButton(kFuelDiesel)->isChecked();
    d->DisplacementEdit()->setText("1,6");
    d->btnAddClick();
    stayedOpen = d->isVisible();
    d->DisplacementEdit()->clear();
    d->btnAddClick();
  });
  const int32_t vw = FindConcernByName(cat, "Volkswagen Group");
  EXPECT_EQ(AddEngineToCatalogue(cat, vw, skoda, "2.0 TDi"), "2.0 TDi");
  EXPECT_TRUE(dieselProposed);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(notifier.shown.back().text, "Objem motoru musí být celé číslo.");
  EXPECT_EQ(notifier.shown.back().icon, TMsgIcon::Warning);
  const int32_t id = FindEngineByName(cat, vw, skoda, "2.0 tdi");
  TEngineRecord e;
  ASSERT_TRUE(ReadEngine(cat.engines, id, e));
  EXPECT_EQ(e.displacement, -1);
  EXPECT_EQ(e.fuel, kFuelDiesel);
  EXPECT_EQ(e.manufacturer, skoda);

  bool petrolProposed = false;
  WithModal([&](QWidget* dialog) {
    auto* d = static_cast<TFaddEngine*>(dialog);
    petrolProposed = d->FuelButton(kFuelPetrol)->isChecked();
    Button(d, "Přidat")->click();
  });
  EXPECT_EQ(AddEngineToCatalogue(cat, vw, skoda, "1.9 TDI"), "");  // the concern already has it
  EXPECT_FALSE(petrolProposed);
  EXPECT_EQ(notifier.shown.back().text, "Motor již v databázi existuje.");
}

TEST_F(CatalogueWindowTest, VinManagerEditsAndSavesTheTree) {
  WriteFileBytes(fs.dir / "db_vin.txt", "VIN=TMB\r\nmanuf=\x8Akoda\r\nVIN=------NE\r\nmodel=Octavia\r\nEND\r\nEND\r\n");
  TVINPatterns patterns;
  TfVINmanager w(cat, patterns);
  w.SetFiles([] { return VirtualFile("db_vin.txt"); }, [] { return VirtualFile("db_vin.txt"); });
  w.Open();
  ASSERT_EQ(w.Tree()->topLevelItemCount(), 1);
  EXPECT_EQ(w.Tree()->topLevelItem(0)->text(0), QString::fromUtf8("TMB (Škoda   ; )"));
  EXPECT_TRUE(w.Panel()->isHidden());
  EXPECT_FALSE(w.DeleteAction()->isEnabled());

  TVINEntry* child = patterns.tree.entries[0]->children[0].get();
  w.Select(child);
  EXPECT_FALSE(w.Panel()->isHidden());
  EXPECT_EQ(w.MakeBox()->currentText(), QString::fromUtf8("Škoda"));
  EXPECT_FALSE(w.MakeBox()->isEnabled());  // the parent defines it
  EXPECT_EQ(w.FullMask()->text(), "TMB---NE---------");
  EXPECT_GT(w.ModelBox()->count(), 0);  // the make's models from the catalogue
  Type(w.MaskEdit(), "------n[a-e]");
  EXPECT_EQ(child->mask, "------N[A-E]");
  EXPECT_EQ(w.MaskEdit()->text(), "------N[A-E]");
  EXPECT_EQ(w.Ruler()->text(), "12345678....901234567");
  EXPECT_EQ(w.FullMask()->text(), "TMB---N[A-E]---------");
  w.InfoEdit()->setPlainText("a\nb");
  EXPECT_EQ(child->info, "a\r\nb");
  EXPECT_EQ(DecodeVIN(patterns.tree, "TMBJJ7NE8L0123456", 16).info, "a\r\nb");

  w.AddSubEntry();
  EXPECT_EQ(w.Selected()->parent, child);
  notifier.Script({TMsgAnswer::Yes});
  w.DeleteSelected();
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete vybraný řádek smazat?");
  EXPECT_TRUE(child->children.empty());
  EXPECT_TRUE(w.Panel()->isHidden());

  w.close();
  EXPECT_EQ(ReadFileBytes(fs.dir / "db_vin.txt"),
            "VIN=TMB\r\nmanuf=%{1}\x8Akoda\r\nVIN=------N[A-E]\r\nmodel=%{1}Octavia\r\ninfo=a%0D%0Ab\r\nEND\r\nEND\r\n");
}

TEST_F(CatalogueWindowTest, VinManagerAsksWhenTheFileCannotBeWritten) {
  TVINPatterns patterns;
  TfVINmanager w(cat, patterns);
  w.SetFiles([] { return VirtualFile("db_vin.txt"); }, [this] { return RealFile(fs.dir / "no/such/db_vin.txt"); });
  w.Open();
  w.AddTopLevel();
  notifier.Script({TMsgAnswer::No});
  w.close();
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(notifier.shown.back().text, "Nepodařilo se uložit soubor \"db_vin.txt\". Opravdu chcete zavřít okno?");
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);
  notifier.Script({TMsgAnswer::Yes});
  w.close();
  EXPECT_FALSE(w.isVisible());
}

}  // namespace
