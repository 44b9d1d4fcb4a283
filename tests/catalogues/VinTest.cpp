#include <gtest/gtest.h>

#include "catalogues/CatalogueQueries.h"
#include "catalogues/VinDecoder.h"
#include "catalogues/VinFile.h"
#include "catalogues/VinMask.h"
#include "catalogues/VinPatterns.h"
#include "catalogues/VinTree.h"
#include "shell/Stores.h"
#include "storage/Codec.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

TVINEntry* Entry(TVINTree& tree, TVINEntry* parent, const std::string& mask, const std::string& manuf = "",
                 const std::string& model = "") {
  TVINEntry* e = parent ? AddVINSubEntry(*parent) : AddTopLevelVINEntry(tree);
  e->mask = mask;
  e->manuf = manuf;
  e->model = model;
  return e;
}

TEST(VinMask, SplitNormalizeAndExpand) {
  TVINTokens t = SplitVINMask("tm[a-c]x[12");
  EXPECT_EQ(t[0], "T");
  EXPECT_EQ(t[2], "[A-C]");
  EXPECT_EQ(t[3], "X");
  EXPECT_EQ(t[4], "[");  // no "]" follows
  EXPECT_EQ(t[5], "1");
  EXPECT_EQ(t[7], "-");
  EXPECT_EQ(t[16], "-");
  EXPECT_EQ(NormalizeVINMask("TMB"), "TMB--------------");
  EXPECT_EQ(NormalizeVINMask("TMBJJ7NE8L0123456789"), "TMBJJ7NE8L0123456");  // beyond 17 dropped

  EXPECT_EQ(ExpandVINClass("[A-E]"), "[ABCDE]");
  EXPECT_EQ(ExpandVINClass("[^0-9]"), "[^0123456789]");
  EXPECT_EQ(ExpandVINClass("[Z-A]"), "[]");     // reversed ranges vanish
  EXPECT_EQ(ExpandVINClass("[-AB-]"), "[-AB-]");  // "-" first or last stays
  EXPECT_EQ(ExpandVINClass("[,-/]"), "[,./]");   // "-" itself is left out of a range
}

TEST(VinMask, PositionsAndScores) {
  struct Case {
    const char* token;
    char c;
    int score;
  } cases[] = {{"-", 'X', 0},      {"A", 'A', 1},      {"A", 'B', -1},       {"[A-C]", 'B', 1}, {"[A-C]", 'D', -1},
               {"[^0-9]", 'A', 1}, {"[^0-9]", '5', -1}, {"[XY]", 'Y', 1},    {"[", '[', 1},     {"AB", 'A', -1}};
  for (const Case& c : cases) EXPECT_EQ(MatchVINPosition(c.token, c.c), c.score) << c.token << " " << c.c;

  EXPECT_EQ(ScoreVINMask("TMB", "TMBJJ7NE8L0123456"), 3);
  EXPECT_EQ(ScoreVINMask("TMB", "tmbjj7ne8l0123456"), 3);  // the VIN is normalised
  EXPECT_EQ(ScoreVINMask("WVW", "TMBJJ7NE8L0123456"), -1);
  EXPECT_EQ(ScoreVINMask("", "TMBJJ7NE8L0123456"), 0);
  EXPECT_EQ(ScoreVINMask("---[A-C]", "TMBB"), 1);
  EXPECT_EQ(ScoreVINMask("---[A-C]", "TMBD"), -1);
  EXPECT_EQ(ScoreVINMask("TMB", "TM"), -1);  // a short VIN is padded with "-"

  EXPECT_EQ(OverlayVINMask("---[A-C]", "TMB"), "TMB[A-C]-------------");
  EXPECT_EQ(OverlayVINMask("X", "TMB"), "XMB--------------");
}

TEST(VinMask, Ruler) {
  EXPECT_EQ(VINMaskRuler(""), "12345678901234567");
  EXPECT_EQ(VINMaskRuler("TM[A-C]"), "123....45678901234567");
}

TEST(VinTree, EffectiveEntryAndPanel) {
  TVINTree tree;
  TVINEntry* top = Entry(tree, nullptr, "TMB", "Škoda");
  TVINEntry* child = Entry(tree, top, "---[A-C]", "", "Octavia");
  TVINEntry* grandchild = Entry(tree, child, "T------1", "", "");
  grandchild->info = "own";
  top->info = "top info";
  TVINFields eff = EffectiveVINEntry(*grandchild);
  EXPECT_EQ(eff.mask, "TMB[A-C]---1---------");
  EXPECT_EQ(eff.manuf, "Škoda");
  EXPECT_EQ(eff.model, "Octavia");
  EXPECT_EQ(eff.info, "own");  // not inherited

  TVINFields inherited = InheritedVINValues(*child);
  EXPECT_EQ(inherited.manuf, "Škoda");
  EXPECT_EQ(inherited.model, "");
  StoreVINPanel(*child, TVINFields{"---[a-c]", "Other make", "  Fabia ", "", "", "line 1\nline 2\n", " REF "});
  EXPECT_EQ(child->mask, "---[A-C]");
  EXPECT_EQ(child->manuf, "");  // an ancestor defines the make
  EXPECT_EQ(child->model, "Fabia");
  EXPECT_EQ(child->info, "line 1\r\nline 2");
  EXPECT_EQ(child->reference, "REF");

  EXPECT_EQ(VINEntryLine(*child, TVINSortMode::ByMask), "---[A-C] ( Fabia  ; line 1|line 2)");
  EXPECT_EQ(VINEntryLine(*top, TVINSortMode::ByDescription), "Škoda (TMB)");
  EXPECT_EQ(VINEntryLine(*child, TVINSortMode::ByDescription), "Fabia (---[A-C])");
}

TEST(VinTree, EditsAndSorting) {
  TVINTree tree;
  TVINEntry* b = Entry(tree, nullptr, "WVW", "Volkswagen");
  TVINEntry* a = Entry(tree, nullptr, "TMB", "Škoda");
  Entry(tree, a, "------5E", "", "Octavia");
  Entry(tree, a, "------1Z", "", "Octavia");
  TVINEntry* copy = DuplicateVINEntry(tree, *a);
  EXPECT_EQ(tree.entries.size(), 3u);
  EXPECT_EQ(copy->manuf, "Škoda");
  EXPECT_TRUE(copy->children.empty());  // own fields only
  TVINEntry* sub = AddVINSubEntry(*b);
  TVINEntry* subCopy = DuplicateVINEntry(tree, *sub);
  EXPECT_EQ(subCopy->parent, b);
  EXPECT_EQ(b->children.size(), 2u);

  SortVINTree(tree, TVINSortMode::ByMask);
  EXPECT_EQ(tree.entries[0]->mask, "TMB");
  EXPECT_EQ(tree.entries[0]->children[0]->mask, "------1Z");
  SortVINTree(tree, TVINSortMode::ByDescription);
  EXPECT_EQ(tree.entries[2]->manuf, "Volkswagen");

  DeleteVINEntry(tree, *tree.entries[0]);
  EXPECT_EQ(tree.entries.size(), 2u);
  DeleteVINEntry(tree, *b->children[0]);
  EXPECT_EQ(b->children.size(), 1u);
}

TEST(VinDecode, ChildRefinesItsParent) {
  TVINTree tree;
  TVINEntry* top = Entry(tree, nullptr, "TMB", "Škoda");
  Entry(tree, top, "---[A-C]", "", "Octavia");
  TVINDecoded d = DecodeVIN(tree, "TMBBJ7NE8L0123456", 16);
  EXPECT_EQ(d.manuf, "Škoda");
  EXPECT_EQ(d.model, "Octavia");
  d = DecodeVIN(tree, "TMBDJ7NE8L0123456", 16);
  EXPECT_EQ(d.manuf, "Škoda");
  EXPECT_EQ(d.model, "");
  d = DecodeVIN(tree, "WVWZZZ1KZ8W000001", 16);
  EXPECT_EQ(d.manuf, "");
}

TEST(VinDecode, HigherScoreWinsAndTiesKeepTheFirst) {
  TVINTree tree;
  Entry(tree, nullptr, "TMB", "Škoda", "Fabia");
  Entry(tree, nullptr, "TMB---NE", "", "Octavia");  // 5 positions beat 3
  Entry(tree, nullptr, "TMB---N[DE]", "", "Superb");  // also 5: the earlier stays
  Entry(tree, nullptr, "-----------------", "Wildcards", "Never");
  TVINEntry* info1 = Entry(tree, nullptr, "T");
  info1->info = "first";
  TVINEntry* info2 = Entry(tree, nullptr, "--B");
  info2->info = "second";
  TVINDecoded d = DecodeVIN(tree, "TMBJJ7NE8L0123456", 16);
  EXPECT_EQ(d.manuf, "Škoda");
  EXPECT_EQ(d.model, "Octavia");
  EXPECT_EQ(d.info, "first\r\nsecond");
}

TEST(VinDecode, ReferencesFillWhatIsEmptyAndCyclesEnd) {
  TVINTree tree;
  Entry(tree, nullptr, "WVW------1K", "Volkswagen", "Golf");
  TVINEntry* ref = Entry(tree, nullptr, "XYZ");
  ref->reference = "WVW------1K";  // laid over the VIN
  TVINDecoded d = DecodeVIN(tree, "XYZAAA1KZ8W000001", 0);
  EXPECT_EQ(d.manuf, "");  // depth 0 does not follow references
  d = DecodeVIN(tree, "XYZAAA1KZ8W000001", 16);
  EXPECT_EQ(d.manuf, "Volkswagen");
  EXPECT_EQ(d.model, "Golf");

  // Two entries that refer to each other: the depth ends the walk.
  TVINTree cycle;
  TVINEntry* a = Entry(cycle, nullptr, "A");
  a->reference = "B";
  TVINEntry* b = Entry(cycle, nullptr, "B", "", "B-model");
  b->reference = "A";
  d = DecodeVIN(cycle, "A0000000000000000", 16);
  EXPECT_EQ(d.model, "B-model");
}

TEST(VinYear, CodesCycleEveryThirtyYears) {
  const TDateTime mid2024 = EncodeDate(2024, 6, 1);
  EXPECT_EQ(VINModelYear('Y', EncodeDate(2029, 12, 31)), 2000);  // 1 January 2030 still ahead
  EXPECT_EQ(VINModelYear('Y', EncodeDate(2030, 1, 1)), 2030);
  EXPECT_EQ(VINModelYear('Y', mid2024), 2000);
  EXPECT_EQ(VINModelYear('A', EncodeDate(2009, 12, 31)), 1980);
  EXPECT_EQ(VINModelYear('A', EncodeDate(2010, 1, 1)), 2010);
  EXPECT_EQ(VINModelYear('A', mid2024), 2010);
  EXPECT_EQ(VINModelYear('R', mid2024), 2024);
  EXPECT_EQ(VINModelYear('S', mid2024), 1995);  // 2025 would be in the future
  EXPECT_EQ(VINModelYear('9', mid2024), 2009);
  EXPECT_EQ(VINModelYear('1', mid2024), 2001);
  EXPECT_EQ(VINModelYear('l', mid2024), 2020);
  for (char bad : {'I', 'O', 'Q', 'U', 'Z', '0', '-', '\0'}) EXPECT_EQ(VINModelYear(bad, mid2024), 1900) << bad;
  EXPECT_EQ(VINYearCode(2000), 'Y');
  EXPECT_EQ(VINYearCode(2030), 'Y');
  EXPECT_EQ(VINYearCode(2024), 'R');
  EXPECT_EQ(VINYearCode(1979), 0);
}

class VinFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TStoreOpenOptions options;
    options.showMessages = false;
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", options));
    cat = CatalogueOf(stores);
  }
  std::string FileText() { return ReadFileBytes(fs.dir / "db_vin.txt"); }

  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
  TCatalogue cat;
};

TEST_F(VinFileTest, ReadingNestsAndStopsAtAStrayEnd) {
  TVINTree tree = ParseVINTree({"VIN=A", " VIN = B ", "manuf=  Škoda ", "Manuf=ignored", "nonsense", "END", "END",
                                "info=no entry open", "END", "VIN=C"},
                               cat);
  ASSERT_EQ(tree.entries.size(), 1u);
  EXPECT_EQ(tree.entries[0]->mask, "A");
  ASSERT_EQ(tree.entries[0]->children.size(), 1u);
  const TVINEntry& b = *tree.entries[0]->children[0];
  EXPECT_EQ(b.mask, "B");
  EXPECT_EQ(b.manuf, "Škoda");
  EXPECT_EQ(b.parent, tree.entries[0].get());
}

TEST_F(VinFileTest, RoundTripWithCatalogueIdsAndLineBreaks) {
  TManufacturerRecord make;
  InitManufacturer(make);
  make.name = "Škoda";
  ASSERT_TRUE(CreateCatalogueRecord(cat.manufacturers, make));
  TModelRecord model;
  InitModel(model);
  model.name = "Octavia";
  model.manufacturer = make.ID;
  ASSERT_TRUE(CreateCatalogueRecord(cat.models, model));

  TVINTree tree;
  TVINEntry* top = Entry(tree, nullptr, "TMB", "skoda");
  TVINEntry* child = Entry(tree, top, "------NE", "", "OCTAVIA");
  child->info = "první\r\ndruhý";
  child->reference = "WVW";
  Entry(tree, nullptr, "ZFA", "Fiat");
  ASSERT_TRUE(WriteVINTree(tree, VirtualFile("db_vin.txt"), cat));
  EXPECT_EQ(FileText(), Utf8ToCp1250("VIN=TMB\r\nmanuf=%{1}skoda\r\nVIN=------NE\r\nmodel=%{1}OCTAVIA\r\n"
                                     "info=první%0D%0Adruhý\r\nreference=WVW\r\nEND\r\nEND\r\nVIN=ZFA\r\nmanuf=Fiat\r\nEND\r\n"));

  // A rename in the catalogue is picked up through the ID; a lost ID keeps the text.
  make.name = "Škoda Auto";
  ASSERT_TRUE(WriteCatalogueRecord(cat.manufacturers, make));
  ASSERT_TRUE(EraseCatalogueRecord(cat.models, model));
  TVINTree back = ReadVINTree(VirtualFile("db_vin.txt"), cat);
  ASSERT_EQ(back.entries.size(), 2u);
  EXPECT_EQ(back.entries[0]->manuf, "Škoda Auto");
  EXPECT_EQ(back.entries[0]->children[0]->model, "OCTAVIA");
  EXPECT_EQ(back.entries[0]->children[0]->info, "první\r\ndruhý");
  EXPECT_EQ(back.entries[0]->children[0]->reference, "WVW");
}

TEST_F(VinFileTest, MissingFileIsAnEmptyTreeAndFailedWriteKeepsTheOld) {
  EXPECT_TRUE(ReadVINTree(VirtualFile("db_vin.txt"), cat).entries.empty());
  TVINTree tree;
  Entry(tree, nullptr, "TMB", "Škoda");
  EXPECT_FALSE(WriteVINTree(tree, RealFile(fs.dir / "missing-folder/db_vin.txt"), cat));
  ASSERT_TRUE(WriteVINTree(tree, VirtualFile("db_vin.txt"), cat));
  EXPECT_FALSE(PathExists(fs.dir / "db_vin.txt.tmp"));
}

TEST_F(VinFileTest, ProcessWideTreeLoadsOnFirstDecode) {
  WriteFileBytes(fs.dir / "db_vin.txt", "VIN=TMB\r\nmanuf=\x8Akoda\r\nEND\r\n");
  VinPatterns() = TVINPatterns{};
  EXPECT_EQ(DecodeVIN(cat, "TMBJJ7NE8L0123456").manuf, "Škoda");
  // Later decodes use the tree in memory, edits included.
  VinPatterns().tree.entries[0]->manuf = "Edited";
  EXPECT_EQ(DecodeVIN(cat, "TMBJJ7NE8L0123456").manuf, "Edited");
  VinPatterns() = TVINPatterns{};
}

TEST(VinStartingFile, ShippedPatternsReadAndDecode) {
  TTestFileSystems fs;
  TVINTree tree = ReadVINTree(RealFile(std::string(GARVEL_SOURCE_DATA_DIR) + "/db_vin.txt"), TCatalogue{});
  EXPECT_GE(tree.entries.size(), 40u);
  struct Case {
    const char* vin;
    const char* make;
    const char* model;
  } cases[] = {{"TMBJJ7NE8L0123456", "Škoda", "Octavia"}, {"WVWZZZ1KZ8W000001", "Volkswagen", ""},
               {"VF1RFB00X12345678", "Renault", ""},      {"JTDKB20U203012345", "Toyota", ""},
               {"U5YHN81AAGL123456", "Kia", ""},          {"VF7NC5FS9AY123456", "Citroën", ""}};
  for (const Case& c : cases) {
    TVINDecoded d = DecodeVIN(tree, c.vin, 16);
    EXPECT_EQ(d.manuf, c.make) << c.vin;
    EXPECT_EQ(d.model, c.model) << c.vin;
  }
}

TEST(VinSaving, TheProgramFolderCopyIsNeverWritten) {
  TTempDir dir;
  WriteFileBytes(dir / "program/db_vin.txt", "VIN=TMB\r\nEND\r\n");
  WriteFileBytes(dir / "user/keep", "");
  SetupFileSystems(TFileSystemFolders{dir / "user/", dir / "no-common/", dir / "program/"}, false);
  EXPECT_EQ(VinPatternFile().RealPath(), dir / "program/db_vin.txt");
  EXPECT_EQ(VinPatternFileForSaving().RealPath(), dir / "user/db_vin.txt");
  WriteFileBytes(dir / "user/db_vin.txt", "");
  EXPECT_EQ(VinPatternFileForSaving().RealPath(), dir / "user/db_vin.txt");
  EXPECT_EQ(VinPatternFile().RealPath(), dir / "user/db_vin.txt");
  TeardownFileSystems();
}

}  // namespace
