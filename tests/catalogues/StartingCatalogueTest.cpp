#include <gtest/gtest.h>

#include <set>

#include "catalogues/CatalogueQueries.h"
#include "catalogues/StartingCatalogue.h"
#include "shell/Stores.h"
#include "storage/CustomDb.h"
#include "storage/TextUtils.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

class StartingCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", options));
    cat = CatalogueOf(stores);
  }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  TCatalogue cat;
};

TEST(StartingCatalogueFormat, LinesAndTheirProblems) {
  TStartingCatalogue c = ParseStartingCatalogue(
      "# comment\n\nM Orphan\nG VW Group\nE 1.9 TDI / N / 1896\nM Škoda | CZ\n"
      "D Octavia: Combi, RS; Fabia;;\nE 1.2 HTP / B / 1198; 1.0 / X / 999; 2.0 / N / abc; Elektro / J\n"
      "X nonsense\nG\r\nG Other\r\n");
  ASSERT_EQ(c.concerns.size(), 2u);
  const TStartingConcern& vw = c.concerns[0];
  ASSERT_EQ(vw.engines.size(), 1u);
  EXPECT_EQ(vw.engines[0].fuel, kFuelDiesel);
  EXPECT_EQ(vw.engines[0].displacement, 1896);
  ASSERT_EQ(vw.makes.size(), 1u);
  EXPECT_EQ(vw.makes[0].country, "CZ");
  ASSERT_EQ(vw.makes[0].models.size(), 2u);
  EXPECT_EQ(vw.makes[0].models[0].subtypes, (std::vector<std::string>{"Combi", "RS"}));
  ASSERT_EQ(vw.makes[0].engines.size(), 2u);
  EXPECT_EQ(vw.makes[0].engines[1].name, "Elektro");
  EXPECT_EQ(vw.makes[0].engines[1].fuel, kFuelOther);
  EXPECT_EQ(vw.makes[0].engines[1].displacement, -1);
  EXPECT_EQ(c.concerns[1].name, "Other");
  EXPECT_EQ(c.problems.size(), 5u);  // orphan make, fuel X, cm3 abc, kind X, bare G
  EXPECT_EQ(c.problems[0], "line 3: make before any concern");
}

TEST_F(StartingCatalogueTest, LoadsIntoNewStoresOnly) {
  WriteFileBytes(fs.dir / "cat/a.txt",
                 "G VW Group\nE 1.9 TDI / N / 1896\nM Škoda | CZ\nD Octavia: Combi, RS; Fabia\nE 1.2 HTP / B / 1198\n"
                 "M Audi | DE\nD A4\n");
  WriteFileBytes(fs.dir / "cat/b.txt", "G Other\nM Tatra | CZ\nD 613\n");
  WriteFileBytes(fs.dir / "cat/notes.md", "G Ignored\n");
  TCatalogueCounts n;
  ASSERT_TRUE(LoadStartingCatalogue(CatalogueOf(stores), fs.dir / "cat", &n));
  EXPECT_EQ(n.concerns, 2);
  EXPECT_EQ(n.makes, 3);
  EXPECT_EQ(n.models, 4);
  EXPECT_EQ(n.subtypes, 2);
  EXPECT_EQ(n.engines, 2);
  TNameList names;
  const int32_t skoda = FindManufacturerByName(cat, "skoda");
  const int32_t audi = FindManufacturerByName(cat, "AUDI");
  ListEngineNames(cat, names, skoda);
  EXPECT_EQ(names, (TNameList{"1.9 TDI", "1.2 HTP"}));
  ListEngineNames(cat, names, audi);  // Škoda's own engine is in the concern too
  EXPECT_EQ(names, (TNameList{"1.9 TDI", "1.2 HTP"}));
  ListEngineNames(cat, names, FindManufacturerByName(cat, "Tatra"));
  EXPECT_TRUE(names.empty());
  ListSubTypeNames(cat, names, FindModelByName(cat, skoda, "OCTAVIA"));
  EXPECT_EQ(names, (TNameList{"Combi", "RS"}));
  EXPECT_EQ(FindMakeAndModel(cat, "tatra", "613").concern, FindConcernByName(cat, "Other"));

  // Not into stores that hold records.
  EXPECT_FALSE(LoadStartingCatalogue(CatalogueOf(stores), fs.dir / "cat", &n));
  EXPECT_EQ(n.makes, 0);
  ListManufacturerNames(cat, names);
  EXPECT_EQ(names.size(), 3u);
}

TEST_F(StartingCatalogueTest, AnEmptiedCatalogueStaysEmpty) {
  TConcernRecord c;
  InitConcern(c);
  ASSERT_TRUE(CreateCatalogueRecord(cat.concerns, c));
  ASSERT_TRUE(EraseCatalogueRecord(cat.concerns, c));
  EXPECT_FALSE(CatalogueIsNew(cat));
  EXPECT_FALSE(LoadStartingCatalogue(CatalogueOf(stores), std::string(GARVEL_SOURCE_DATA_DIR) + "/catalogue"));
  EXPECT_TRUE(ReadManufacturers(cat.manufacturers).empty());
}

TEST_F(StartingCatalogueTest, ShippedCatalogueHasTheCommonMakes) {
  TCatalogueCounts n;
  ASSERT_TRUE(LoadStartingCatalogue(CatalogueOf(stores), std::string(GARVEL_SOURCE_DATA_DIR) + "/catalogue", &n));
  EXPECT_GE(n.makes, 40);
  EXPECT_GE(n.models, 300);
  EXPECT_GT(n.engines, 100);
  const std::string text = ReadFileBytes(std::string(GARVEL_SOURCE_DATA_DIR) + "/catalogue/catalogue.txt");
  EXPECT_EQ(ParseStartingCatalogue(text).problems, std::vector<std::string>{});  // every line reads
  for (const char* make : {"Škoda", "Volkswagen", "Renault", "Dacia", "Hyundai", "Kia", "Ford", "Opel", "Peugeot",
                           "Citroën", "Toyota", "BMW", "Mercedes-Benz", "Fiat"})
    EXPECT_GE(FindManufacturerByName(cat, make), 0) << make;
  TMakeAndModel mm = FindMakeAndModel(cat, "SKODA", "octavia");
  EXPECT_GE(mm.model, 0);
  TNameList names;
  ListSubTypeNames(cat, names, mm.model);
  EXPECT_FALSE(names.empty());
  ListEngineNames(cat, names, mm.manufacturer);
  EXPECT_FALSE(names.empty());
  // No make is offered the same engine name twice.
  for (const TManufacturerRecord& make : ReadManufacturers(cat.manufacturers)) {
    ListEngineNames(cat, names, make.ID);
    std::set<std::string> unique;
    for (const std::string& e : names) EXPECT_TRUE(unique.insert(FoldText(e)).second) << make.name << ": " << e;
  }
}

}  // namespace
