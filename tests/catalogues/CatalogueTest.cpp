#include <gtest/gtest.h>

#include "catalogues/CatalogueAdd.h"
#include "catalogues/CatalogueEditor.h"
#include "catalogues/CatalogueQueries.h"
#include "catalogues/CatalogueStores.h"
#include "catalogues/EntryPicture.h"
#include "catalogues/StartingCatalogue.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "storage/CustomDb.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", options));
    cat = CatalogueOf(stores);
    ASSERT_TRUE(cat.Complete());
  }

  int32_t Concern(const std::string& name) {
    TConcernRecord r;
    InitConcern(r);
    r.name = name;
    EXPECT_TRUE(CreateCatalogueRecord(cat.concerns, r));
    return r.ID;
  }
  int32_t Make(const std::string& name, int32_t concern) {
    TManufacturerRecord r;
    InitManufacturer(r);
    r.name = name;
    r.concern = concern;
    EXPECT_TRUE(CreateCatalogueRecord(cat.manufacturers, r));
    return r.ID;
  }
  int32_t Model(const std::string& name, int32_t make) {
    TModelRecord r;
    InitModel(r);
    r.name = name;
    r.manufacturer = make;
    EXPECT_TRUE(CreateCatalogueRecord(cat.models, r));
    return r.ID;
  }
  int32_t SubType(const std::string& name, int32_t model) {
    TSubTypeRecord r;
    InitSubType(r);
    r.name = name;
    r.model = model;
    EXPECT_TRUE(CreateCatalogueRecord(cat.subtypes, r));
    return r.ID;
  }
  int32_t Engine(const std::string& name, int32_t concern, int32_t make) {
    TEngineRecord r;
    InitEngine(r);
    r.name = name;
    r.concern = concern;
    r.manufacturer = make;
    EXPECT_TRUE(CreateCatalogueRecord(cat.engines, r));
    return r.ID;
  }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  TCatalogue cat;
};

TEST_F(CatalogueTest, NamesCompareFoldedAndEmptyIsNeverFound) {
  const int32_t vw = Concern("Volkswagen Group");
  const int32_t skoda = Make("Škoda", vw);
  Make("Škoda", vw);  // a duplicate the manager allowed
  for (const char* name : {"Škoda", "SKODA", "skoda", "ŠkOdA"}) EXPECT_EQ(FindManufacturerByName(cat, name), skoda) << name;
  EXPECT_EQ(FindManufacturerByName(cat, ""), -1);
  EXPECT_EQ(FindManufacturerByName(cat, "Skodovka"), -1);
  EXPECT_EQ(FindConcernByName(cat, "volkswagen group"), vw);
  EXPECT_EQ(FindConcernByName(cat, ""), -1);
  EXPECT_TRUE(SameCatalogueName("Citroën", "citroën"));
}

TEST_F(CatalogueTest, ListsKeepSlotOrderAndReuseFreedSlots) {
  const int32_t g = Concern("G");
  const int32_t a = Make("Audi", g);
  const int32_t b = Make("BMW", g);
  Make("Citroën", g);
  TManufacturerRecord audi;
  ASSERT_TRUE(ReadManufacturer(cat.manufacturers, a, audi));
  ASSERT_TRUE(EraseCatalogueRecord(cat.manufacturers, audi));
  Make("Dacia", g);  // takes the freed first slot
  TNameList names;
  ListManufacturerNames(cat, names);
  EXPECT_EQ(names, (TNameList{"Dacia", "BMW", "Citroën"}));

  const int32_t x3 = Model("X3", b);
  const int32_t x1 = Model("X1", b);
  Model("Octavia", b + 100);
  ListModelNames(cat, names, b);
  EXPECT_EQ(names, (TNameList{"X3", "X1"}));
  ListModelNames(cat, names, -1);
  EXPECT_TRUE(names.empty());
  SubType("xDrive", x1);
  SubType("sDrive", x1);
  ListSubTypeNames(cat, names, x1);
  EXPECT_EQ(names, (TNameList{"xDrive", "sDrive"}));
  ListSubTypeNames(cat, names, x3);
  EXPECT_TRUE(names.empty());
  ListConcernNames(cat, names);
  EXPECT_EQ(names, (TNameList{"G"}));
}

TEST_F(CatalogueTest, RenamedDuplicateModelFindsTheFirstInSlotOrder) {
  const int32_t make = Make("Škoda", -1);
  const int32_t first = Model("Fabia", make);
  Model("FABIA", make);
  EXPECT_EQ(FindModelByName(cat, make, "fabia"), first);
  EXPECT_EQ(FindModelByName(cat, -1, "fabia"), -1);
  EXPECT_EQ(FindModelByName(cat, make, ""), -1);
}

TEST_F(CatalogueTest, FindMakeAndModelTakesTheLastMake) {
  const int32_t g1 = Concern("VW"), g2 = Concern("Other");
  const int32_t first = Make("Škoda", g1);
  const int32_t last = Make("SKODA", g2);
  Model("Octavia", first);
  const int32_t felicia = Model("Felicia", last);
  TMakeAndModel mm = FindMakeAndModel(cat, "škoda", "FELICIA");
  EXPECT_EQ(mm.manufacturer, last);
  EXPECT_EQ(mm.concern, g2);
  EXPECT_EQ(mm.model, felicia);
  // The model is looked for under the last make only.
  EXPECT_EQ(FindMakeAndModel(cat, "Skoda", "Octavia").model, -1);
  EXPECT_EQ(FindMakeAndModel(cat, "Skoda", "").model, -1);
  mm = FindMakeAndModel(cat, "Tatra", "613");
  EXPECT_EQ(mm.manufacturer, -1);
  EXPECT_EQ(mm.concern, -1);
  EXPECT_EQ(mm.model, -1);
}

TEST_F(CatalogueTest, EnginesByManufacturerOrConcern) {
  const int32_t vw = Concern("VW"), other = Concern("Other");
  const int32_t skoda = Make("Škoda", vw);
  const int32_t audi = Make("Audi", vw);
  const int32_t lonely = Make("Lonely", 99);  // its concern is not in the store
  const int32_t free = Make("Free", -1);
  const int32_t tdi = Engine("1.9 TDI", vw, -1);
  const int32_t own = Engine("1.2 HTP", -1, skoda);
  Engine("2.0 TFSI", other, audi);  // linked to Audi, though in another concern
  Engine("V8", -1, lonely);
  Engine("Unlinked", -1, -1);
  TNameList names;
  ListEngineNames(cat, names, skoda);
  EXPECT_EQ(names, (TNameList{"1.9 TDI", "1.2 HTP"}));
  ListEngineNames(cat, names, audi);
  EXPECT_EQ(names, (TNameList{"1.9 TDI", "2.0 TFSI"}));
  ListEngineNames(cat, names, lonely);
  EXPECT_EQ(names, (TNameList{"V8"}));
  // A make without concern does not collect every unlinked engine.
  ListEngineNames(cat, names, free);
  EXPECT_TRUE(names.empty());
  ListEngineNames(cat, names, 12345);
  EXPECT_TRUE(names.empty());

  EXPECT_EQ(FindEngineByName(cat, vw, -1, "1.9 tdi"), tdi);
  EXPECT_EQ(FindEngineByName(cat, -1, skoda, "1.2 htp"), own);
  EXPECT_EQ(FindEngineByName(cat, other, -1, "1.9 TDI"), -1);
  EXPECT_EQ(FindEngineByName(cat, -1, -1, "1.9 TDI"), -1);
  EXPECT_EQ(FindEngineByName(cat, -1, free, "Unlinked"), -1);
  EXPECT_EQ(FindEngineByName(cat, vw, skoda, ""), -1);
}

TEST_F(CatalogueTest, MissingStoreReadsEmptyAndRefusesAdds) {
  Make("Škoda", -1);
  TCatalogue partial = cat;
  partial.manufacturers = nullptr;
  TNameList names{"stale"};
  ListManufacturerNames(partial, names);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(FindManufacturerByName(partial, "Škoda"), -1);
  EXPECT_EQ(AddManufacturerEntry(partial, TNewManufacturer{"", "Tatra", "CZ", ""}), "");
  EXPECT_EQ(notifier.Texts().back(), "Nepodařilo se vložit záznam do DB.");
}

TEST_F(CatalogueTest, AddDialogsRefuseDuplicatesAndBuildRecords) {
  const int32_t vw = Concern("Volkswagen Group");
  Make("Škoda", vw);
  EXPECT_EQ(AddManufacturerEntry(cat, TNewManufacturer{"volkswagen group", "skoda", "", "http://"}), "");
  EXPECT_EQ(notifier.shown.back().text, "Výrobce již v databázi existuje.");
  EXPECT_EQ(notifier.shown.back().caption, "Chyba");
  EXPECT_EQ(notifier.shown.back().icon, TMsgIcon::Error);

  const std::string longName(40, 'x');
  EXPECT_EQ(AddManufacturerEntry(cat, TNewManufacturer{"volkswagen group", longName, "Česko", "http://vw"}), longName);
  const int32_t id = FindManufacturerByName(cat, longName.substr(0, 31));
  TManufacturerRecord r;
  ASSERT_TRUE(ReadManufacturer(cat.manufacturers, id, r));
  EXPECT_EQ(r.name, longName.substr(0, 31));
  EXPECT_EQ(r.country, "Česko");
  EXPECT_EQ(r.url, "http://vw");
  EXPECT_EQ(r.concern, vw);
  EXPECT_EQ(r.globalId.rfind("MAN:", 0), 0u);
  // No concern chosen (an empty list): no link.
  EXPECT_EQ(AddManufacturerEntry(cat, TNewManufacturer{"", "Tatra", "", ""}), "Tatra");
  ASSERT_TRUE(ReadManufacturer(cat.manufacturers, FindManufacturerByName(cat, "tatra"), r));
  EXPECT_EQ(r.concern, -1);

  const size_t shown = notifier.shown.size();
  EXPECT_EQ(AddModelEntry(cat, TNewModel{id, "", ""}), "");  // empty: silently nothing
  EXPECT_EQ(notifier.shown.size(), shown);
  EXPECT_EQ(AddModelEntry(cat, TNewModel{id, "Octavia", ""}), "Octavia");
  EXPECT_EQ(AddModelEntry(cat, TNewModel{id, "OCTAVIA", ""}), "");
  EXPECT_EQ(notifier.shown.back().text, "Model již v databázi existuje.");

  EXPECT_EQ(ProposedFuel("1.9 TDi"), kFuelDiesel);
  EXPECT_EQ(ProposedFuel("1.6i"), kFuelPetrol);
  int32_t displacement = 0;
  ASSERT_TRUE(ParseDisplacement("", displacement));
  EXPECT_EQ(displacement, -1);
  EXPECT_EQ(AddEngineEntry(cat, TNewEngine{vw, id, "1.9 TDi", displacement, kFuelDiesel, ""}), "1.9 TDi");
  EXPECT_EQ(AddEngineEntry(cat, TNewEngine{vw, -1, "1.9 TDI", 1896, kFuelDiesel, ""}), "");
  EXPECT_EQ(notifier.shown.back().text, "Motor již v databázi existuje.");
  std::vector<TEngineRecord> engines = ReadEngines(cat.engines);
  ASSERT_EQ(engines.size(), 1u);
  EXPECT_EQ(engines[0].displacement, -1);
  EXPECT_EQ(engines[0].fuel, kFuelDiesel);
  EXPECT_EQ(engines[0].concern, vw);
  EXPECT_EQ(engines[0].manufacturer, id);
}

TEST(CatalogueDisplacement, WholeNumbersOnly) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {{"", true, -1},     {"1896", true, 1896}, {"-1", true, -1},       {"1.9", false, 0},
               {"19 00", false, 0}, {" 1896", false, 0}, {"abc", false, 0},      {"99999999999", false, 0}};
  for (const Case& c : cases) {
    int32_t v = 0;
    EXPECT_EQ(ParseDisplacement(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(EntryAttachments, FolderPadsTheIdToFiveDigits) {
  EXPECT_EQ(EntryAttachmentFolder("attach\\", "GRP", 7), "attach\\GRP00007");
  EXPECT_EQ(EntryAttachmentFolder("attach\\", "MAN", 123456), "attach\\MAN123456");
  EXPECT_EQ(EntryAttachmentFolder("attach\\", "CAR", 0), "attach\\CAR00000");
  EXPECT_EQ(EntryAttachmentFolder("data\\attach", "CON", 42), "data\\attach\\CON00042");
}

TEST(EntryAttachments, PictureIsLogoOrFotoElseTheLastListed) {
  TTestFileSystems fs;
  auto put = [&](const std::string& path) { WriteFileBytes(fs.dir / path, "x"); };
  EXPECT_EQ(FindEntryPicture(GetVirtualFS(), "attach\\", "MOD", 3), "");  // no folder
  put("attach/MOD00003/a.jpg");
  put("attach/MOD00003/b_logo.jpg");
  put("attach/MOD00003/c.jpg");
  put("attach/MOD00003/z.txt");
  EXPECT_EQ(FindEntryPicture(GetVirtualFS(), "attach\\", "MOD", 3), "attach\\MOD00003\\b_logo.jpg");
  put("attach/MAN00001/a.jpg");
  put("attach/MAN00001/C.JPG");
  put("attach/MAN00001/d.png");
  EXPECT_EQ(FindEntryPicture(GetVirtualFS(), "attach\\", "MAN", 1), "attach\\MAN00001\\C.JPG");
  put("attach/ENG00002/Foto_motoru.Jpg");
  put("attach/ENG00002/x.jpg");
  EXPECT_EQ(FindEntryPicture(GetVirtualFS(), "attach\\", "ENG", 2), "attach\\ENG00002\\Foto_motoru.Jpg");
  put("attach/GRP00004/readme.txt");
  EXPECT_EQ(FindEntryPicture(GetVirtualFS(), "attach\\", "GRP", 4), "");
  // As a real path for decoding.
  EXPECT_EQ(FindEntryPictureFile("attach\\", "MOD", 3), fs.dir / "attach/MOD00003/b_logo.jpg");
}

TEST(EntryAttachments, PictureRectKeepsTheAspectRatio) {
  struct Case {
    int w, h, side;
    TPictureRect r;
  } cases[] = {{640, 480, 64, {0, 8, 64, 48}},   {100, 400, 32, {12, 0, 8, 32}}, {1000, 10, 16, {0, 7, 16, 2}},
               {0, 100, 64, {0, 0, 2, 2}},       {50, 50, 96, {0, 0, 96, 96}}};
  for (const Case& c : cases) {
    TPictureRect r = CataloguePictureRect(c.w, c.h, c.side);
    EXPECT_EQ(r.x, c.r.x) << c.w << "x" << c.h;
    EXPECT_EQ(r.y, c.r.y) << c.w << "x" << c.h;
    EXPECT_EQ(r.width, c.r.width) << c.w << "x" << c.h;
    EXPECT_EQ(r.height, c.r.height) << c.w << "x" << c.h;
  }
}

}  // namespace
