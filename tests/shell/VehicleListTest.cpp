#include <gtest/gtest.h>

#include <cstring>

#include "catalogues/ContactRecord.h"
#include "shell/VehicleInfoText.h"
#include "shell/VehicleList.h"
#include "shell/VehicleRemoval.h"
#include "storage/RecDb.h"
#include "storage/CarDb.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 6, 15);

Tautomobil Car(int32_t id, const std::string& make, const std::string& model, const std::string& tag, int year,
               int month, TDateTime lastService, const std::string& owner = "") {
  Tautomobil v;
  InitVehicle(v);
  v.ID = id;
  v.manufacturer = make;
  v.model = model;
  v.tag = tag;
  v.year = year;
  v.month = month;
  v.lastService = lastService;
  v.ownerName = owner;
  return v;
}

int32_t DecodeInt32Of(const std::string& r) {
  int32_t v;
  std::memcpy(&v, r.data(), 4);
  return v;
}

class VehicleListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cars.Create("<username>");
    TContactRecord def;
    InitContactDefault(def);
    std::string bytes(kContactWidth, '\0');
    EncodeContact(def, reinterpret_cast<uint8_t*>(bytes.data()));
    customers.Create(VirtualFile("db_customers.dat"), kContactWidth, bytes, "<username>", "CUS");
    for (Tautomobil v : {Car(0, "Škoda", "Octavia", "1A2 3456", 2005, 0, kToday - 3, "Novák"),
                         Car(0, "Ford", "Focus", "2B3-4567", 0, 5, kToday - 400, "Černý"),
                         Car(0, "Opel", "Astra", "3C4 5678", 2004, 1, 0, "Adam"),
                         Car(0, "Audi", "A4", "4D5 6789", 2004, 12, kToday - 1, "Chalupa"),
                         Car(0, "BMW", "320", "5E6 7890", 2003, 0, kToday - 10, "Hájek")})
    {
      TContactRecord c;
      InitContact(c);
      c.surname = v.ownerName;
      std::string rec(kContactWidth, '\0');
      EncodeContact(c, reinterpret_cast<uint8_t*>(rec.data()));
      customers.CreateRecord(rec, "");
      v.ownerID = DecodeInt32Of(rec);
      cars.CreateCar(v, "");
    }
    list.Load(cars, &customers, [this] { return today; });
  }
  void RenameContact(int32_t id, const std::string& surname) {
    std::string bytes;
    ASSERT_TRUE(customers.ReadRecord(id, bytes));
    TContactRecord c;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
    c.surname = surname;
    EncodeContact(c, reinterpret_cast<uint8_t*>(bytes.data()));
    ASSERT_TRUE(customers.WriteRecord(bytes));
  }
  void Search(const std::string& text) {
    TVehicleFilter f = list.Filter();
    f.search = text;
    list.SetFilter(f);
  }
  std::vector<int32_t> Ids() const {
    std::vector<int32_t> ids;
    for (const TVehicleRow& r : list.Rows()) ids.push_back(r.vehicleID);
    return ids;
  }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TCustomCarDb cars;
  TCustomDb customers;
  TVehicleList list;
  TDateTime today = kToday;
};

}  // namespace

TEST(VehicleRow, ValuesOfEveryTag) {
  Tautomobil v = Car(7, "Škoda", "Fabia", "1A2 3456", 2004, 3, EncodeDate(2024, 1, 5), "Novák, Jan");
  v.subtype = "Combi";
  v.engine = "1.2";
  v.vin = "TMB";
  v.ownerID = 12;
  TVehicleRow row = MakeVehicleRow(v);
  const char* want[] = {"1A2 3456", "Škoda Fabia Combi", "1.2", "Novák, Jan", "3/2004", "0007", "2024-01-05", "12", "TMB"};
  for (int tag = 0; tag < kTagCount; ++tag) EXPECT_EQ(row.Value(tag), want[tag]) << tag;
  EXPECT_EQ(row.Value(42), "Chyba");
  std::vector<std::string> captions;
  for (const TVehicleColumn& c : InitialVehicleColumns()) captions.push_back(c.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Majitel", "Značka, typ", "Motor", "Rok výroby", "RZ", "ID",
                                                "Posl.servis", "customerID", "VIN"}));
}

TEST_F(VehicleListTest, PeriodAndArchive) {
  EXPECT_EQ(list.Rows().size(), 5u);
  TVehicleFilter f;
  f.periodDays = 2;  // "2 dny": three days ago falls out, as do vehicles never serviced
  list.SetFilter(f);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{4}));
  f.periodDays = 100000;
  list.SetFilter(f);
  EXPECT_EQ(list.Rows().size(), 5u);
}

TEST_F(VehicleListTest, SearchNarrowsWithoutRefillAndRefillsOnOtherChanges) {
  TVehicleFilter f;
  f.search = "oct";
  list.SetFilter(f);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1}));
  f.search = "octx";
  list.SetFilter(f);
  EXPECT_TRUE(list.Rows().empty());
  f.search = "oct";
  list.SetFilter(f);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1}));
  // Plates by letters and digits, owners and makes by folded text.
  for (auto [search, id] : std::vector<std::pair<std::string, int32_t>>{
           {"1a2 34-56", 1}, {"2b34567", 2}, {"ŠKODA", 1}, {"skoda", 1}, {"cerny", 2}, {"hájek", 5}}) {
    f.search = search;
    list.SetFilter(f);
    EXPECT_EQ(Ids(), (std::vector<int32_t>{id})) << search;
  }
}

TEST_F(VehicleListTest, SortingByColumns) {
  ASSERT_TRUE(list.SortByCaption("Rok výroby", false));
  EXPECT_EQ(list.Columns()[0].caption, "Rok výroby");
  EXPECT_EQ(list.Columns()[3].caption, "Majitel");  // swapped with the first column
  std::vector<std::string> years;
  for (const TVehicleRow& r : list.Rows()) years.push_back(r.Value(kTagYear));
  EXPECT_EQ(years, (std::vector<std::string>{"?", "2003", "1/2004", "12/2004", "2005"}));

  // "ID" clicked twice: ascending, then descending.
  int idColumn = 0;
  for (size_t i = 0; i < list.Columns().size(); ++i)
    if (list.Columns()[i].caption == "ID") idColumn = static_cast<int>(i);
  list.ClickColumn(idColumn);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
  list.ClickColumn(0);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{5, 4, 3, 2, 1}));

  // Owners in Czech order: CH after H.
  ASSERT_TRUE(list.SortByCaption("Majitel", false));
  std::vector<std::string> owners;
  for (const TVehicleRow& r : list.Rows()) owners.push_back(r.Value(kTagOwner));
  EXPECT_EQ(owners, (std::vector<std::string>{"Adam", "Černý", "Hájek", "Chalupa", "Novák"}));

  // Plates: "-" counts as a blank, blanks do not count.
  ASSERT_TRUE(list.SortByCaption("RZ", true));
  EXPECT_EQ(Ids(), (std::vector<int32_t>{5, 4, 3, 2, 1}));
}

TEST_F(VehicleListTest, ArchivedVehiclesAndUpdates) {
  Tautomobil v;
  ASSERT_TRUE(cars.LoadCar(2, v));
  v.archived = kArchivedMark;
  cars.SaveCar(v);
  list.RefreshVehicle(2);  // a shown row stays until the next refill
  ASSERT_GE(list.RowOfVehicle(2), 0);
  EXPECT_TRUE(list.Rows()[static_cast<size_t>(list.RowOfVehicle(2))].archived);
  list.Reload();
  EXPECT_EQ(list.RowOfVehicle(2), -1);
  TVehicleFilter f;
  f.showArchived = true;
  list.SetFilter(f);
  EXPECT_GE(list.RowOfVehicle(2), 0);
  list.RemoveVehicle(2);
  EXPECT_EQ(list.RowOfVehicle(2), -1);
}

TEST_F(VehicleListTest, RemoveArchivesFirstThenDeletesWithRecords) {
  TCustomRecDb records;
  records.Create("<username>");
  AZaznamy set(2);
  InitRecord(set[0], 1, kKindDone);
  InitRecord(set[1], 1, kKindPlan);
  records.SaveCarRecords(1, set);

  notifier.Script({TMsgAnswer::No});
  EXPECT_EQ(RemoveVehicle(cars, records, 1), TRemoveResult::Cancelled);
  EXPECT_EQ(notifier.shown.back().caption, "Ověření");
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete vybrané vozidlo archivovat (Škoda Octavia , RZ 1A2 3456) ?");
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);

  notifier.Script({TMsgAnswer::Yes});
  EXPECT_EQ(RemoveVehicle(cars, records, 1), TRemoveResult::Archived);
  Tautomobil v;
  ASSERT_TRUE(cars.LoadCar(1, v));
  EXPECT_TRUE(v.IsArchived());
  EXPECT_EQ(records.RecordCountOf(1), 2u);

  notifier.Script({TMsgAnswer::Yes});
  EXPECT_EQ(RemoveVehicle(cars, records, 1), TRemoveResult::Deleted);
  EXPECT_EQ(notifier.shown.back().text, "Opravdu chcete smazat vybrané vozidlo z databáze (Škoda Octavia , RZ 1A2 3456) ?");
  EXPECT_FALSE(cars.LoadCar(1, v));
  EXPECT_EQ(records.RecordCountOf(1), 0u);
}

TEST_F(VehicleListTest, ArchivingThatCannotBeWrittenIsReportedAndChangesNothing) {
  TCustomRecDb records;
  records.Create("<username>");
  // A second opening for reading only: every write to it fails.
  TCustomCarDb readOnly;
  readOnly.Create(VirtualFile("db_cars.dat"), VirtualFile("db_cars_blob.dat"), "<username>", true);
  notifier.Script({TMsgAnswer::Yes});
  EXPECT_EQ(RemoveVehicle(readOnly, records, 1), TRemoveResult::Failed);
  EXPECT_EQ(notifier.shown.back().caption, "Chyba");
  EXPECT_EQ(notifier.shown.back().text, "Nemohu archivovat vybrané vozidlo (ID=1)");
  Tautomobil v;
  ASSERT_TRUE(cars.LoadCar(1, v));
  EXPECT_FALSE(v.IsArchived());
}

TEST_F(VehicleListTest, NewVehicleIsShownWhateverTheFilterUntilTheNextRefill) {
  TVehicleFilter f;
  f.periodDays = 366;  // "rok"
  f.search = "ško";
  list.SetFilter(f);
  ASSERT_EQ(Ids(), (std::vector<int32_t>{1}));
  Tautomobil fresh = Car(0, "Tatra", "603", "9Z9 9999", 1970, 0, EncodeDate(2000, 1, 1));
  cars.CreateCar(fresh, "");
  ASSERT_TRUE(list.ShowNewVehicle(fresh.ID));
  EXPECT_GE(list.RowOfVehicle(fresh.ID), 0);
  list.RefreshVehicle(fresh.ID);  // saved again by its records window
  EXPECT_GE(list.RowOfVehicle(fresh.ID), 0);
  list.Reload();
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1}));
  EXPECT_FALSE(list.ShowNewVehicle(999));
}

TEST_F(VehicleListTest, ChangesMadeElsewhereReachTheRowsAndTheSearch) {
  Tautomobil v;
  ASSERT_TRUE(cars.LoadCar(1, v));
  const int32_t owner = v.ownerID;
  RenameContact(owner, "Dvořák");
  // A search keystroke works on what was read: the old name still.
  Search("dvorak");
  EXPECT_TRUE(list.Rows().empty());
  list.RefreshOwner(owner);
  Search("dvor");  // not a narrowing of "dvorak": refilled from the copy
  EXPECT_EQ(Ids(), (std::vector<int32_t>{1}));
  EXPECT_EQ(list.Rows()[0].Value(kTagOwner), "Dvořák");

  // The owner deleted: his vehicles are written without owner first.
  v.ownerID = -1;
  ASSERT_TRUE(cars.SaveCar(v));
  std::string ownerBytes;
  ASSERT_TRUE(customers.ReadRecord(owner, ownerBytes));
  ASSERT_TRUE(customers.EraseRecord(ownerBytes));
  list.RefreshOwner(owner);
  Search("");
  ASSERT_GE(list.RowOfVehicle(1), 0);
  EXPECT_EQ(list.Rows()[static_cast<size_t>(list.RowOfVehicle(1))].Value(kTagOwner), "");

  // A vehicle changed and one erased elsewhere.
  v.engine = "2.0 TDI";
  ASSERT_TRUE(cars.SaveCar(v));
  list.RefreshVehicle(1);
  EXPECT_EQ(list.Rows()[static_cast<size_t>(list.RowOfVehicle(1))].Value(kTagEngine), "2.0 TDI");
  ASSERT_TRUE(cars.EraseCar(2));
  list.RefreshVehicle(2);
  EXPECT_EQ(list.RowOfVehicle(2), -1);
  Search("x");
  Search("");
  EXPECT_EQ(list.RowOfVehicle(2), -1);  // gone from the copy too
}

TEST_F(VehicleListTest, PeriodAndArchiveBoxReadTheStoresAndTodayMovesOn) {
  Tautomobil v;
  ASSERT_TRUE(cars.LoadCar(3, v));
  v.manufacturer = "Opel Nový";
  ASSERT_TRUE(cars.SaveCar(v));  // nobody told the list
  TVehicleFilter f = list.Filter();
  f.showArchived = true;
  list.SetFilter(f);
  EXPECT_EQ(list.Rows()[static_cast<size_t>(list.RowOfVehicle(3))].Value(kTagMakeModel), "Opel Nový Astra ");

  f.periodDays = 2;
  list.SetFilter(f);
  EXPECT_EQ(Ids(), (std::vector<int32_t>{4}));  // serviced yesterday
  today += 2;                                  // two midnights later
  Search("a");
  Search("");
  EXPECT_TRUE(list.Rows().empty());
}

TEST_F(VehicleListTest, ColumnWidthsStayWithTheirColumns) {
  list.SetColumnWidth(2, 222);  // "Motor"
  list.SetColumnWidth(7, 50);   // hidden: stays hidden
  list.SetColumnWidth(0, 300);  // fills the rest: stays so
  list.ClickColumn(2);
  EXPECT_EQ(list.Columns()[0].caption, "Motor");
  EXPECT_EQ(list.Columns()[0].width, 222);
  EXPECT_EQ(list.Columns()[2].width, -2);
  EXPECT_EQ(list.Columns()[7].width, 0);
  Search("a");
  EXPECT_EQ(list.Columns()[0].width, 222);
}

TEST(VehicleRow, PlatesCompareLetterByLetter) {
  struct Case { const char* a; const char* b; int sign; } cases[] = {
      {"1CH 0001", "1H0 0001", -1},  // "CH" is C then H, not a letter after H
      {"2b3-4567", "2B3 4567", 0},   // case, "-" and blanks do not count
      {"1A2 3456", "1A23457", -1},
      {"ŠA 1", "SB 1", -1},          // accents folded
  };
  for (const Case& c : cases) {
    const int got = ComparePlates(c.a, c.b);
    EXPECT_EQ(got < 0 ? -1 : got > 0 ? 1 : 0, c.sign) << c.a << " " << c.b;
  }
}

TEST(VehicleInfoText, EmptyPartsLeaveOutTheirSeparators) {
  Tautomobil v = Car(1, "Škoda", "Octavia", "1A2 3456", 2023, 0, 0);
  EXPECT_EQ(InfoVehicleType(v), "Škoda Octavia, 2023");
  v.subtype = "Combi";
  EXPECT_EQ(InfoVehicleType(v), "Škoda Octavia Combi, 2023");
  v.manufacturer = v.model = v.subtype = "";
  EXPECT_EQ(InfoVehicleType(v), "2023");
  EXPECT_EQ(InfoPlateLine(v), "1A2 3456");
  v.vin = "TMB123";
  EXPECT_EQ(InfoPlateLine(v), "1A2 3456 / TMB123");
  TContactRecord c;
  InitContact(c);
  EXPECT_EQ(ContactAddressText(c), "");
  c.city = "Brno";
  EXPECT_EQ(ContactAddressText(c), "Brno");
  c.street = "Dlouhá 5";
  EXPECT_EQ(ContactAddressText(c), "Dlouhá 5, Brno");
}
