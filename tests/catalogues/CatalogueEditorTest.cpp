#include <gtest/gtest.h>

#include "catalogues/CatalogueEditor.h"
#include "catalogues/CatalogueQueries.h"
#include "shell/Stores.h"
#include "storage/CustomDb.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

using L = TCatalogueLevel;

class CatalogueEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", options));
    cat = CatalogueOf(stores);
  }

  // A concern with two makes (one with a model and two subtypes), an engine
  // of the concern and an engine of the first make that lies in another
  // concern.
  void Fill(TCatalogueEditor& ed) {
    vw = ed.AddEntry(L::Concern, -1);
    ed.SetName(L::Concern, vw, "Volkswagen Group");
    other = ed.AddEntry(L::Concern, -1);
    ed.SetName(L::Concern, other, "Other");
    skoda = ed.AddEntry(L::Manufacturer, ed.ID(L::Concern, vw));
    ed.SetName(L::Manufacturer, skoda, "Škoda");
    audi = ed.AddEntry(L::Manufacturer, ed.ID(L::Concern, vw));
    ed.SetName(L::Manufacturer, audi, "Audi");
    octavia = ed.AddEntry(L::Model, ed.ID(L::Manufacturer, skoda));
    ed.SetName(L::Model, octavia, "Octavia");
    combi = ed.AddEntry(L::SubType, ed.ID(L::Model, octavia));
    ed.SetName(L::SubType, combi, "Combi");
    rs = ed.AddEntry(L::SubType, ed.ID(L::Model, octavia));
    ed.SetName(L::SubType, rs, "RS");
    tdi = ed.AddEntry(L::Engine, ed.ID(L::Concern, vw));
    ed.SetName(L::Engine, tdi, "1.9 TDI");
    foreign = ed.AddEntry(L::Engine, ed.ID(L::Concern, other));
    ed.SetName(L::Engine, foreign, "1.0 MPI");
    ed.engines[static_cast<size_t>(foreign)].manufacturer = ed.ID(L::Manufacturer, skoda);
    ASSERT_TRUE(ed.WriteBack());
  }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  TCatalogue cat;
  int vw = -1, other = -1, skoda = -1, audi = -1, octavia = -1, combi = -1, rs = -1, tdi = -1, foreign = -1;
};

TEST_F(CatalogueEditorTest, NewEntriesReachTheStoreAtOnceAndEditsOnWriteBack) {
  TCatalogueEditor ed(cat);
  ed.Load();
  int c = ed.AddEntry(L::Concern, -1);
  ASSERT_EQ(c, 0);
  EXPECT_EQ(ReadConcerns(cat.concerns).size(), 1u);  // at once, with its empty name
  EXPECT_EQ(ReadConcerns(cat.concerns)[0].name, "");
  ed.SetName(L::Concern, c, std::string(70, 'k'));
  EXPECT_EQ(ed.Name(L::Concern, c).size(), 63u);
  int m = ed.AddEntry(L::Manufacturer, ed.ID(L::Concern, c));
  ed.SetName(L::Manufacturer, m, std::string(40, 'm'));
  ed.SetCountry(m, std::string(40, 'c'));
  ed.SetUrl(L::Manufacturer, m, std::string(300, 'u'));
  EXPECT_EQ(ed.Name(L::Manufacturer, m).size(), 31u);
  EXPECT_EQ(ed.manufacturers[0].country.size(), 31u);
  EXPECT_EQ(ed.manufacturers[0].url.size(), 255u);
  int s = ed.AddEntry(L::SubType, 5);
  ed.SetName(L::SubType, s, std::string(70, 's'));
  EXPECT_EQ(ed.Name(L::SubType, s).size(), 63u);

  int e = ed.AddEntry(L::Engine, ed.ID(L::Concern, c));
  EXPECT_TRUE(ed.SetDisplacementText(e, "1598"));
  EXPECT_FALSE(ed.SetDisplacementText(e, "1,6"));
  EXPECT_FALSE(ed.SetDisplacementText(e, ""));
  EXPECT_EQ(ed.engines[0].displacement, 1598);  // a bad text keeps the value
  ed.SetFuel(e, kFuelDiesel);
  EXPECT_EQ(ReadEngines(cat.engines)[0].displacement, -1);  // not yet written
  ASSERT_TRUE(ed.WriteBack());

  TCatalogueEditor again(cat);
  again.Load();
  ASSERT_EQ(again.engines.size(), 1u);
  EXPECT_EQ(again.engines[0].displacement, 1598);
  EXPECT_EQ(again.engines[0].fuel, kFuelDiesel);
  EXPECT_EQ(again.engines[0].concern, again.concerns[0].ID);
  EXPECT_EQ(again.manufacturers[0].name, std::string(31, 'm'));
  EXPECT_EQ(again.subtypes[0].model, 5);
  EXPECT_STREQ(FuelText(kFuelPetrol), "Benzín");
  EXPECT_STREQ(FuelText(kFuelDiesel), "Nafta");
  EXPECT_STREQ(FuelText(kFuelOther), "Jiné");
  EXPECT_STREQ(FuelText(-1), "Jiné");
}

TEST_F(CatalogueEditorTest, ChildrenAreLiveLinkedEntriesSortedByName) {
  TCatalogueEditor ed(cat);
  ed.Load();
  Fill(ed);
  TCatalogueEditor view(cat);
  view.Load();
  auto names = [&](L level, const std::vector<int>& positions) {
    std::vector<std::string> out;
    for (int p : positions) out.push_back(view.Name(level, p));
    return out;
  };
  EXPECT_EQ(names(L::Concern, view.Concerns()), (std::vector<std::string>{"Other", "Volkswagen Group"}));
  const int32_t vwID = view.ID(L::Concern, view.PositionOf(L::Concern, ed.ID(L::Concern, vw)));
  EXPECT_EQ(names(L::Manufacturer, view.Children(L::Manufacturer, vwID)), (std::vector<std::string>{"Audi", "Škoda"}));
  EXPECT_EQ(names(L::Engine, view.Children(L::Engine, vwID)), (std::vector<std::string>{"1.9 TDI"}));
  EXPECT_EQ(names(L::SubType, view.Children(L::SubType, ed.ID(L::Model, octavia))),
            (std::vector<std::string>{"Combi", "RS"}));
  EXPECT_TRUE(view.Children(L::Model, -1).empty());
  EXPECT_EQ(view.ConcernOfManufacturerNamed("Škoda"), vwID);
  EXPECT_EQ(view.ConcernOfManufacturerNamed("škoda"), -2);  // exact text only
  EXPECT_EQ(view.ManufacturerNames(), (std::vector<std::string>{"Audi", "Škoda"}));
}

TEST_F(CatalogueEditorTest, DeletingAConcernCascadesButSparesForeignEngines) {
  TCatalogueEditor ed(cat);
  ed.Load();
  Fill(ed);
  EXPECT_EQ(ed.DeleteQuestion(L::Concern, vw), "Odebrat koncern Volkswagen Group a všechny jeho výrobce?");
  EXPECT_EQ(ed.DeleteQuestion(L::Manufacturer, skoda), "Odebrat výrobce Škoda a všechny jeho modely?");
  EXPECT_EQ(ed.DeleteQuestion(L::Engine, tdi), "Odebrat motor 1.9 TDI?");
  EXPECT_EQ(ed.DeleteQuestion(L::Model, octavia), "Odebrat model Octavia a všechny jeho podtypy?");
  EXPECT_EQ(ed.DeleteQuestion(L::SubType, rs), "Odebrat podtyp RS?");

  auto removed = ed.Delete(L::Concern, vw);
  // Depth first: Škoda's model's subtypes, the model, Škoda, Audi, the
  // concern's engine, the concern.
  ASSERT_EQ(removed.size(), 7u);
  EXPECT_EQ(removed[0].level, L::SubType);
  EXPECT_EQ(removed[2].level, L::Model);
  EXPECT_EQ(removed[3].level, L::Manufacturer);
  EXPECT_EQ(removed[5].level, L::Engine);
  EXPECT_EQ(removed.back().level, L::Concern);
  EXPECT_EQ(removed.back().position, vw);
  EXPECT_FALSE(ed.Live(L::Manufacturer, skoda));
  EXPECT_TRUE(ed.Live(L::Engine, foreign));  // linked to Škoda but in another concern
  EXPECT_EQ(ed.Size(L::Manufacturer), 2);    // positions stay

  EXPECT_EQ(ReadConcerns(cat.concerns).size(), 1u);
  EXPECT_TRUE(ReadManufacturers(cat.manufacturers).empty());
  EXPECT_TRUE(ReadModels(cat.models).empty());
  EXPECT_TRUE(ReadSubTypes(cat.subtypes).empty());
  std::vector<TEngineRecord> engines = ReadEngines(cat.engines);
  ASSERT_EQ(engines.size(), 1u);
  EXPECT_EQ(engines[0].name, "1.0 MPI");
  ASSERT_TRUE(ed.WriteBack());  // deleted entries are not written back
  EXPECT_TRUE(ReadManufacturers(cat.manufacturers).empty());
}

TEST_F(CatalogueEditorTest, DeletingAMakeKeepsItsEnginesAndAModelItsSiblings) {
  TCatalogueEditor ed(cat);
  ed.Load();
  Fill(ed);
  ed.Delete(L::SubType, combi);
  EXPECT_EQ(ReadSubTypes(cat.subtypes).size(), 1u);
  ed.Delete(L::Manufacturer, skoda);
  EXPECT_EQ(ReadManufacturers(cat.manufacturers).size(), 1u);
  EXPECT_TRUE(ReadModels(cat.models).empty());
  EXPECT_TRUE(ReadSubTypes(cat.subtypes).empty());
  EXPECT_EQ(ReadEngines(cat.engines).size(), 2u);
}

TEST_F(CatalogueEditorTest, AnEntryAddedAndDeletedLeavesAFreedSlot) {
  TCatalogueEditor ed(cat);
  ed.Load();
  int c = ed.AddEntry(L::Concern, -1);
  ed.Delete(L::Concern, c);
  ASSERT_TRUE(ed.WriteBack());
  EXPECT_EQ(cat.concerns->Count(), 1);
  EXPECT_EQ(cat.concerns->IDAt(0), -1);
  EXPECT_TRUE(ReadConcerns(cat.concerns).empty());
}

TEST_F(CatalogueEditorTest, AMissingStoreRefusesNewEntries) {
  TCatalogue partial = cat;
  partial.models = nullptr;
  TCatalogueEditor ed(partial);
  ed.Load();
  EXPECT_EQ(ed.AddEntry(L::Model, 1), -1);
  EXPECT_EQ(notifier.Texts().back(), "Nepodařilo se vložit záznam do DB.");
  EXPECT_EQ(ed.Size(L::Model), 0);
}

}  // namespace
