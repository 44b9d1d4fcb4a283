#include <gtest/gtest.h>

#include "catalogues/Catalogue.h"
#include "catalogues/StartingCatalogue.h"
#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    cat = TCatalogue::Of(stores);
  }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  TCatalogue cat;
};

}  // namespace

TEST_F(CatalogueTest, QueriesWithFoldedNames) {
  WriteFileBytes(fs.dir / "cat.txt",
                 "G VW Group\nM Škoda | CZ\nD Octavia: Combi, RS; Fabia\nE 1.9 TDI / N / 1896\n"
                 "G Other\nE 2.0 / B / 1998\nM Škoda | XX\nD Felicia\nM Lonely | ZZ\n");
  // The last manufacturer has no concern line of its own: it belongs to "Other".
  TCatalogueCounts n;
  ASSERT_TRUE(LoadStartingCatalogue(cat, fs.dir / "cat.txt", &n));
  EXPECT_EQ(n.makes, 3);
  EXPECT_EQ(n.models, 3);
  EXPECT_EQ(n.subtypes, 2);
  EXPECT_FALSE(LoadStartingCatalogue(cat, fs.dir / "cat.txt"));  // not into a filled catalogue

  TNameList names;
  ListManufacturerNames(cat, names);
  EXPECT_EQ(names, (TNameList{"Škoda", "Škoda", "Lonely"}));
  EXPECT_EQ(FindManufacturerByName(cat, "SKODA"), 1);  // the first in slot order
  EXPECT_EQ(FindManufacturerByName(cat, "skoda"), 1);
  EXPECT_EQ(FindManufacturerByName(cat, ""), -1);
  TMakeAndModel mm = FindMakeAndModel(cat, "škoda", "FELICIA");
  EXPECT_EQ(mm.manufacturerID, 2);  // the LAST make of that name
  EXPECT_EQ(mm.concernID, 2);
  EXPECT_EQ(mm.modelID, 3);
  EXPECT_EQ(FindMakeAndModel(cat, "Škoda", "").modelID, -1);
  ListModelNames(cat, names, 1);
  EXPECT_EQ(names, (TNameList{"Octavia", "Fabia"}));
  ListSubTypeNames(cat, names, FindModelByName(cat, 1, "octavia"));
  EXPECT_EQ(names, (TNameList{"Combi", "RS"}));
  // Engines of the make and of its concern.
  ListEngineNames(cat, names, 2);
  EXPECT_EQ(names, (TNameList{"2.0"}));
  ListEngineNames(cat, names, 3);  // Lonely: concern "Other" too
  EXPECT_EQ(names, (TNameList{"2.0"}));
  ListEngineNames(cat, names, 99);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(FindEngineByName(cat, -1, 1, "1.9 tdi"), 1);
  EXPECT_EQ(FindEngineByName(cat, 2, -1, "1.9 TDI"), -1);
  EXPECT_EQ(FindEngineByName(cat, -1, -1, "1.9 TDI"), -1);
}

TEST_F(CatalogueTest, AddOperationsRefuseDuplicates) {
  EXPECT_EQ(AddManufacturer(cat, "", "Škoda", "CZ", "http://"), "Škoda");
  EXPECT_EQ(AddManufacturer(cat, "", "skoda", "", ""), "");
  EXPECT_EQ(notifier.shown.back().text, "Výrobce již v databázi existuje.");
  EXPECT_EQ(AddModel(cat, 1, "Octavia", ""), "Octavia");
  EXPECT_EQ(AddModel(cat, 1, "OCTAVIA", ""), "");
  EXPECT_EQ(notifier.shown.back().text, "Model již v databázi existuje.");
  EXPECT_EQ(AddEngine(cat, -1, 1, "1.9 TDi", ProposedFuel("1.9 TDi"), -1, ""), "1.9 TDi");
  EXPECT_EQ(AddEngine(cat, -1, 1, "1.9 tdi", 0, -1, ""), "");
  EXPECT_EQ(notifier.shown.back().text, "Motor již v databázi existuje.");
  EXPECT_EQ(ProposedFuel("1.9 TDi"), kFuelDiesel);
  EXPECT_EQ(ProposedFuel("1.6i"), kFuelPetrol);
  auto engines = ReadEngines(*cat.engines);
  ASSERT_EQ(engines.size(), 1u);
  EXPECT_EQ(engines[0].displacement, -1);
  EXPECT_EQ(engines[0].fuel, kFuelDiesel);
  EXPECT_EQ(AddModel(cat, 1, "", ""), "");  // an empty name adds nothing, silently
}

TEST_F(CatalogueTest, ShippedCatalogueLoads) {
  TCatalogueCounts n;
  ASSERT_TRUE(LoadStartingCatalogue(cat, std::string(GARVEL_SOURCE_DATA_DIR) + "/catalogue/catalogue.txt", &n));
  EXPECT_GE(n.makes, 40);
  EXPECT_GE(n.models, 300);
  EXPECT_GT(n.engines, 100);
  EXPECT_GE(FindManufacturerByName(cat, "skoda"), 0);
}

TEST_F(CatalogueTest, AttachmentFolderAndPicture) {
  EXPECT_EQ(EntryAttachmentFolder("attach\\", "GRP", 7), "attach\\GRP00007");
  EXPECT_EQ(EntryAttachmentFolder("attach", "MAN", 123456), "attach\\MAN123456");
  EXPECT_EQ(FindEntryPicture("attach\\", "CAR", 5), "");
  for (const char* f : {"a.jpg", "b_logo.jpg", "c.jpg"}) WriteFileBytes(fs.dir / "attach/CAR00005/" + f, "x");
  EXPECT_EQ(FindEntryPicture("attach\\", "CAR", 5), fs.dir / "attach/CAR00005/b_logo.jpg");
  WriteFileBytes(fs.dir / "attach/CON00001/a.txt", "x");
  EXPECT_EQ(FindEntryPicture("attach\\", "CON", 1), "");
}
