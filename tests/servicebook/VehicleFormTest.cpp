#include <gtest/gtest.h>

#include "servicebook/CarInfo.h"
#include "servicebook/CheckMarks.h"
#include "servicebook/DuplicateVehicles.h"
#include "servicebook/NewVehicleStore.h"
#include "servicebook/VehicleForm.h"
#include "catalogues/VinMask.h"
#include "servicebook/VehicleVin.h"
#include "shell/Stores.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/FakeVehicleServices.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

TDateTime Day(int y, int m, int d) { return EncodeDate(y, m, d); }

// A 17-character VIN with the given 10th character.
std::string VINWithYear(char code) { return std::string("TMBAB41Z5") + code + "2001234"; }

class VehicleFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClockForTests([this] { return today; });
    ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{}));
    services = fake.Services();
  }
  void TearDown() override { SetClockForTests(nullptr); }

  int32_t AddStoredVehicle(const std::string& tag, const std::string& vin) {
    Tautomobil v;
    InitVehicle(v);
    v.tag = tag;
    v.vin = vin;
    v.manufacturer = "Škoda";
    stores.cars->CreateCar(v, "");
    return v.ID;
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> c;
    for (const TMessageBox& m : notifier.shown) c.push_back(m.caption);
    return c;
  }

  TDateTime today = Day(2024, 6, 15);
  TTestFileSystems fs;
  TRecordingNotifier notifier;
  TStoreSet stores;
  TFakeVehicleServices fake;
  TVehicleFormServices services;
};

TEST_F(VehicleFormTest, ModelYearFromTheTenthCharacterFollowsTheClock) {
  struct TCase {
    char code;
    TDateTime today;
    int year;
  } cases[] = {
      {'Y', Day(2029, 12, 31), 2000}, {'Y', Day(2030, 1, 1), 2030}, {'Y', Day(2024, 6, 15), 2000},
      {'A', Day(2009, 12, 31), 1980}, {'A', Day(2010, 1, 1), 2010}, {'A', Day(2039, 12, 31), 2010},
      {'A', Day(2040, 1, 1), 2040},   {'1', Day(2024, 6, 15), 2001}, {'9', Day(2024, 6, 15), 2009},
      {'R', Day(2024, 6, 15), 2024},  {'S', Day(2024, 6, 15), 1995}, {'I', Day(2024, 6, 15), 1900},
      {'0', Day(2024, 6, 15), 1900},
  };
  for (const TCase& c : cases) {
    today = c.today;
    EXPECT_EQ(YearFromVIN(VINWithYear(c.code), Today()), c.year) << c.code << " " << DecodeDate(c.today).year;

    // The window takes the year on the 17th character.
    TVehicleForm form(*stores.cars, services);
    form.OpenNew();
    form.fields.manufacturer = "Škoda";
    form.fields.model = "Octavia";
    form.fields.engine = "1.9 TDI";
    form.fields.vin = VINWithYear(c.code);
    form.VINEdited();
    EXPECT_EQ(form.fields.year, c.year == 1900 ? 0 : c.year) << c.code;
  }
  EXPECT_EQ(YearFromVIN("TMBAB41Z5", Today()), 0);                  // shorter than 10
  EXPECT_EQ(YearFromVIN("TMBAB41Z5Y", Today()), YearFromVIN(VINWithYear('Y'), Today()));
}

TEST_F(VehicleFormTest, VINAndYearBoxesTurnRed) {
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  EXPECT_FALSE(form.VINBoxRed());  // empty
  form.fields.vin = "tmb";
  form.VINEdited();
  EXPECT_EQ(form.fields.vin, "TMB");
  EXPECT_TRUE(form.VINBoxRed());
  EXPECT_FALSE(form.YearBoxRed());  // no 17-character VIN: nothing to compare
  EXPECT_EQ(form.fields.year, 2021);  // three years back, untouched

  form.fields.vin = VINWithYear('e');  // lower case typed
  form.VINEdited();
  EXPECT_FALSE(form.VINBoxRed());
  EXPECT_EQ(form.fields.year, 2014);
  EXPECT_FALSE(form.YearBoxRed());
  form.fields.year = 2015;
  EXPECT_TRUE(form.YearBoxRed());
  form.fields.year = 1984;  // the same code, 30 years earlier
  EXPECT_FALSE(form.YearBoxRed());
  form.fields.year = 0;
  EXPECT_TRUE(form.YearBoxRed());

  form.fields.vin += "X";  // 18 characters
  form.VINEdited();
  EXPECT_TRUE(form.VINBoxRed());
  EXPECT_FALSE(form.YearBoxRed());
}

TEST_F(VehicleFormTest, VINInformationBlockIsAddedReplacedAndRemoved) {
  struct TCase {
    std::string comments, note, result;
  } cases[] = {
      {"", "Octavia II", "<<VIN-INFO:Octavia II>>\r\n"},
      {"STK 2025", "x", "STK 2025\r\n<<VIN-INFO:x>>\r\n"},
      {"STK 2025\r\n", "x", "STK 2025\r\n<<VIN-INFO:x>>\r\n"},
      {"a\r\n<<VIN-INFO:old\r\nline>>\r\nb", "new", "a\r\n<<VIN-INFO:new>>\r\nb"},
      {"a\r\n<<VIN-INFO:old>>\r\nb", "", "a\r\nb"},
      {"a\r\n<<VIN-INFO:old>>", "new", "a\r\n<<VIN-INFO:new>>\r\n"},
      {"a\r\n", "", "a\r\n"},
  };
  for (const TCase& c : cases) EXPECT_EQ(SetVINInfoBlock(c.comments, c.note), c.result) << c.comments;
}

TEST_F(VehicleFormTest, SeventeenCharactersAskTheDecoderForWhatIsEmpty) {
  fake.decoding = {"Škoda", "Fabia", "Combi", "1.4 MPI", "Vyrobeno v Kvasinách"};
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  form.fields.model = "Octavia";
  form.fields.vin = VINWithYear('1').substr(0, 16);
  form.VINEdited();
  EXPECT_EQ(fake.decodeCalls, 0);
  form.fields.vin = VINWithYear('1');
  form.VINEdited();
  EXPECT_EQ(fake.decodeCalls, 1);
  EXPECT_EQ(form.fields.manufacturer, "Škoda");
  EXPECT_EQ(form.fields.model, "Octavia");  // typed text stays
  EXPECT_EQ(form.fields.subtype, "Combi");
  EXPECT_EQ(form.fields.engine, "1.4 MPI");
  EXPECT_EQ(form.fields.comments, "Servisní kniha: \r\n<<VIN-INFO:Vyrobeno v Kvasinách>>\r\n");
  // The lists follow the decoded make.
  EXPECT_EQ(form.Models(), (std::vector<std::string>{"Octavia", "Fabia"}));
  EXPECT_EQ(form.SubTypes(), (std::vector<std::string>{"Combi"}));

  // With make, model and engine filled the decoder is not asked.
  form.VINEdited();
  EXPECT_EQ(fake.decodeCalls, 1);
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(VehicleFormTest, DecodeButtonAsksBeforeOverwriting) {
  fake.decoding = {"Audi", "A4", "", "2.0 TDI", "B8"};
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  form.fields.vin = "WAUZZZ8K";  // shorter than 10: no year
  form.DecodeVINClicked();       // nothing filled: no question
  EXPECT_TRUE(notifier.shown.empty());
  EXPECT_EQ(form.fields.manufacturer, "Audi");
  EXPECT_EQ(form.fields.year, 2021);

  form.fields.subtype = "Avant";
  form.fields.vin = VINWithYear('9');
  notifier.Script({TMsgAnswer::No});
  form.DecodeVINClicked();
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Převzít tyto údaje?");
  EXPECT_EQ(notifier.shown[0].text,
            "Výrobce: Audi\r\nModel: A4\r\nPodtyp: \r\nMotor: 2.0 TDI\r\nRok výroby: 2009\r\nPoznámky: B8");
  EXPECT_EQ(notifier.shown[0].buttons, mbYesNo);
  EXPECT_EQ(form.fields.subtype, "Avant");
  EXPECT_EQ(form.fields.year, 2021);

  notifier.Script({TMsgAnswer::Yes});
  form.DecodeVINClicked();
  EXPECT_EQ(form.fields.subtype, "");  // all four overwritten
  EXPECT_EQ(form.fields.year, 2009);
  EXPECT_EQ(form.fields.comments, "Servisní kniha: \r\n<<VIN-INFO:B8>>\r\n");
}

TEST_F(VehicleFormTest, DuplicatesIgnoreCaseBlanksAndDashesButNotTheVehicleItself) {
  const int32_t own = AddStoredVehicle("1A2-3456", "TMBAB41Z592001234");
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  for (const char* tag : {"1a2 3456", "1A23456", " 1a2-34 56 "}) {
    form.fields.tag = tag;
    form.TagLeft();
    EXPECT_TRUE(form.TagDuplicateShown()) << tag;
  }
  for (const char* tag : {"1A2 3457", "", " - "}) {
    form.fields.tag = tag;
    form.TagLeft();
    EXPECT_FALSE(form.TagDuplicateShown()) << tag;
  }
  form.fields.vin = "tmbab41z5-92001234";
  form.VINLeft();
  EXPECT_TRUE(form.VINDuplicateShown());

  // The vehicle changed in its own window is not its own duplicate.
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(own, v));
  form.OpenChange(v);
  form.TagLeft();
  form.VINLeft();
  EXPECT_FALSE(form.TagDuplicateShown());
  EXPECT_FALSE(form.VINDuplicateShown());
  AddStoredVehicle("1a2 3456", "");
  form.TagLeft();
  EXPECT_TRUE(form.TagDuplicateShown());
}

TEST_F(VehicleFormTest, FieldLimitsAndConversions) {
  struct TYear {
    int box, stored;
  } years[] = {{0, 0}, {1850, 0}, {1910, 0}, {1911, 1911}, {2024, 2024}, {2200, 2200}, {2500, 2200}};
  for (const TYear& y : years) EXPECT_EQ(StoredYear(y.box), y.stored) << y.box;

  TVehicleFormFields f;
  f.tag = std::string(25, 'A');
  f.color = "metalíza " + std::string(30, 'x');
  f.vin = "tmbžř" + std::string(60, 'a');
  f.manufacturer = "Škoda";
  f.year = 1910;
  f.month = 13;
  f.comments = "pozn.";
  Tautomobil v;
  InitVehicle(v);
  ApplyVehicleFields(f, v);
  EXPECT_EQ(v.tag, std::string(20, 'A'));
  EXPECT_EQ(v.color, "metalíza " + std::string(21, 'x'));
  EXPECT_EQ(v.vin, "TMBŽŘ" + std::string(45, 'A'));
  EXPECT_EQ(v.year, 0);
  EXPECT_EQ(v.month, 0);
  EXPECT_EQ(YearText(v), "?");
  EXPECT_EQ(v.comments, "pozn.");

  v.month = 7;
  v.year = 2011;
  EXPECT_EQ(FieldsOfVehicle(v).month, 7);
  v.month = -1;
  EXPECT_EQ(FieldsOfVehicle(v).month, 0);

  TOwnerFields o{std::string(60, 'N'), "Jan", "", "", "", "", std::string(55, 'o')};
  TContactRecord c = ContactFromOwnerFields(o);
  EXPECT_EQ(c.surname, std::string(50, 'N'));
  EXPECT_EQ(c.other, std::string(50, 'o'));
  EXPECT_EQ(c.kind, kContactCustomer);
  EXPECT_FALSE((TOwnerFields{"", "", "", "", "", "", "jen jiný"}).AnyFilled());
}

TEST_F(VehicleFormTest, OpeningNewAndChangeFillsBoxesAndLists) {
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  EXPECT_EQ(form.fields.comments, "Servisní kniha: ");
  EXPECT_EQ(form.fields.year, 2021);
  EXPECT_EQ(form.fields.month, 0);
  EXPECT_EQ(form.Makes(), (std::vector<std::string>{"Audi", "Škoda", "Tatra"}));
  EXPECT_TRUE(form.Models().empty());
  EXPECT_TRUE(form.Engines().empty());
  EXPECT_FALSE(form.OwnerReadOnly());

  form.fields.manufacturer = "skoda";
  form.MakeTextChanged();
  EXPECT_EQ(form.Models(), (std::vector<std::string>{"Octavia", "Fabia"}));
  EXPECT_EQ(form.Engines(), (std::vector<std::string>{"1.9 TDI", "2.0 TDI"}));  // and the concern's
  form.fields.model = "OCTAVIA";
  form.ModelTextChanged();
  EXPECT_EQ(form.SubTypes(), (std::vector<std::string>{"Combi"}));
  const int revision = form.ListsRevision();
  form.fields.manufacturer = "Škoda";  // the same catalogue entry
  form.MakeTextChanged();
  EXPECT_EQ(form.ListsRevision(), revision);
  form.fields.manufacturer = "Tatr";
  form.MakeTextChanged();
  EXPECT_TRUE(form.Models().empty());
  EXPECT_TRUE(form.SubTypes().empty());

  fake.contacts[4] = ContactFromOwnerFields({"Dvořák", "Petr", "Lipová 3", "Brno", "777 111 222", "", ""});
  Tautomobil v;
  InitVehicle(v);
  v.ID = 9;
  v.manufacturer = "Audi";
  v.model = "A4";
  v.year = 2011;
  v.month = 3;
  v.ownerID = 4;
  form.OpenChange(v);
  EXPECT_EQ(form.fields.owner.surname, "Dvořák");
  EXPECT_TRUE(form.OwnerReadOnly());
  EXPECT_EQ(form.Models(), (std::vector<std::string>{"A4"}));
  EXPECT_EQ(form.fields.month, 3);

  v.ownerID = 5;  // cannot be read: empty and editable
  form.OpenChange(v);
  EXPECT_EQ(form.fields.owner.surname, "");
  EXPECT_FALSE(form.OwnerReadOnly());
}

TEST_F(VehicleFormTest, ConfirmingChecksAndAsksInOrder) {
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();

  // 1. The make is required.
  EXPECT_FALSE(form.Confirm());
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba zadání");
  EXPECT_EQ(notifier.shown[0].text, "Některé z povinných polí nebylo vyplněno.");
  EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Warning);
  notifier.shown.clear();

  // 2. A duplicate plate: No keeps the window open, before any catalogue question.
  AddStoredVehicle("1A2 3456", "");
  form.fields.tag = "1a2-3456";
  form.fields.manufacturer = "Lada";
  form.fields.model = "Niva";
  form.fields.engine = "1.7";
  notifier.Script({TMsgAnswer::No});
  EXPECT_FALSE(form.Confirm());
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Dotaz");
  EXPECT_EQ(notifier.shown[0].text,
            "Vozidlo se stejnou RZ/VIN již v databázi existuje. Chcete přesto vložit nové vozidlo?");
  EXPECT_EQ(notifier.shown[0].buttons, mbYesNo);
  EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Warning);
  notifier.shown.clear();

  // 3. Unknown make: Cancel keeps the window open.
  notifier.Script({TMsgAnswer::Yes, TMsgAnswer::Cancel});
  EXPECT_FALSE(form.Confirm());
  ASSERT_EQ(notifier.shown.size(), 2u);
  EXPECT_EQ(notifier.shown[1].text, "Výrobce \"Lada\" není v databázi. Chcete jej permanentně přidat?");
  EXPECT_EQ(notifier.shown[1].caption, "Dotaz");
  EXPECT_EQ(notifier.shown[1].buttons, mbYesNoCancel);
  EXPECT_EQ(notifier.shown[1].icon, TMsgIcon::Question);
  notifier.shown.clear();

  // Yes, but the add dialog is cancelled: still open.
  fake.addResult = "";
  notifier.Script({TMsgAnswer::Yes, TMsgAnswer::Yes});
  EXPECT_FALSE(form.Confirm());
  EXPECT_EQ(fake.adds, (std::vector<std::string>{"make:Lada"}));
  notifier.shown.clear();
  fake.adds.clear();

  // Yes and the dialog adds a corrected name: the make takes it, and its
  // model and engine are asked about in turn.
  fake.addResult = "LADA";
  notifier.Script({TMsgAnswer::Yes, TMsgAnswer::Yes, TMsgAnswer::No, TMsgAnswer::No});
  EXPECT_TRUE(form.Confirm());
  EXPECT_EQ(form.fields.manufacturer, "LADA");
  EXPECT_EQ(fake.adds, (std::vector<std::string>{"make:Lada"}));
  ASSERT_EQ(notifier.Texts().size(), 4u);
  EXPECT_EQ(notifier.Texts()[2], "Model \"Niva\" není v databázi. Chcete jej permanentně přidat?");
  EXPECT_EQ(notifier.Texts()[3], "Motor \"1.7\" není v databázi. Chcete jej permanentně přidat?");
  EXPECT_EQ(form.Makes().size(), 4u);
}

TEST_F(VehicleFormTest, ModelAndEngineAreAddedUnderTheKnownMake) {
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  form.fields.manufacturer = "Audi";
  form.fields.model = "A6";
  form.fields.engine = "3.0 TDI";

  // Cancel at the model, then a cancelled engine dialog: both keep the window open.
  notifier.Script({TMsgAnswer::Cancel});
  EXPECT_FALSE(form.Confirm());
  fake.addResult = "";
  notifier.Script({TMsgAnswer::No, TMsgAnswer::Yes});
  EXPECT_FALSE(form.Confirm());
  EXPECT_EQ(fake.adds, (std::vector<std::string>{"engine:7:1:3.0 TDI"}));
  fake.adds.clear();
  notifier.shown.clear();

  fake.addResult = "<as proposed>";
  notifier.Script({TMsgAnswer::Yes, TMsgAnswer::Yes});
  EXPECT_TRUE(form.Confirm());
  EXPECT_EQ(fake.adds, (std::vector<std::string>{"model:1:A6", "engine:7:1:3.0 TDI"}));
  EXPECT_EQ(form.Models(), (std::vector<std::string>{"A4", "A6"}));
  notifier.shown.clear();

  // Everything known now (the concern's engine counts for the make): no question.
  form.fields.engine = "2.0 tdi";
  EXPECT_TRUE(form.Confirm());
  form.fields.model = "";
  form.fields.engine = "";
  EXPECT_TRUE(form.Confirm());
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(VehicleFormTest, UnknownMakeAnsweredNoIsStoredAsTypedWithATypedOwner) {
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  form.fields.tag = "5B7 0001";
  form.fields.manufacturer = "Lada";
  form.fields.model = "Niva";
  form.fields.engine = "1.7";
  form.fields.year = 1910;
  form.fields.month = 4;
  form.fields.vin = "xta21214011234567";
  form.fields.owner = {"Horák", "Karel", "Polní 1", "Tábor", "605 000 111", "karel@example.cz", "ICQ 1"};
  notifier.Script({TMsgAnswer::No});
  ASSERT_TRUE(form.Confirm());
  EXPECT_EQ(notifier.shown.size(), 1u);  // model and engine not checked
  const int32_t id = form.StoreNew();
  ASSERT_GE(id, 0);

  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(id, v));
  EXPECT_EQ(v.manufacturer, "Lada");
  EXPECT_EQ(v.model, "Niva");
  EXPECT_EQ(v.year, 0);
  EXPECT_EQ(v.month, 4);
  EXPECT_EQ(v.vin, "XTA21214011234567");
  EXPECT_EQ(v.lastService, EncodeDate(2000, 1, 1));
  ASSERT_EQ(fake.contacts.count(v.ownerID), 1u);
  const TContactRecord& owner = fake.contacts[v.ownerID];
  EXPECT_EQ(owner.surname, "Horák");
  EXPECT_EQ(owner.email, "karel@example.cz");
  EXPECT_EQ(owner.other, "ICQ 1");
  EXPECT_EQ(AddCarTraceText(v), "Add car ID#" + std::to_string(id) + " 5B7 0001 Lada Niva");
}

TEST_F(VehicleFormTest, OwnerIsChosenOrTypedOrLeftOut) {
  fake.contacts[3] = ContactFromOwnerFields({"Malá", "Eva", "", "", "", "eva@example.cz", ""});
  TVehicleForm form(*stores.cars, services);
  form.OpenNew();
  form.fields.manufacturer = "Tatra";
  fake.chosenContact = 3;
  form.ChooseOwner();
  EXPECT_TRUE(form.OwnerReadOnly());
  EXPECT_EQ(form.fields.owner.firstName, "Eva");
  const int32_t chosen = form.StoreNew();
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(chosen, v));
  EXPECT_EQ(v.ownerID, 3);
  EXPECT_EQ(fake.contacts.size(), 1u);  // no new contact

  // Only "other contact" typed: no contact, no owner.
  form.OpenNew();
  form.fields.manufacturer = "Tatra";
  form.fields.owner.other = "jen poznámka";
  ASSERT_TRUE(stores.cars->LoadCar(form.StoreNew(), v));
  EXPECT_EQ(v.ownerID, -1);
  EXPECT_EQ(fake.contacts.size(), 1u);

  // The contact store refuses: reported, the vehicle stays without owner.
  form.OpenNew();
  form.fields.manufacturer = "Tatra";
  form.fields.owner.surname = "Novotný";
  fake.contactStoreFails = true;
  ASSERT_TRUE(stores.cars->LoadCar(form.StoreNew(), v));
  EXPECT_EQ(v.ownerID, -1);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_EQ(notifier.shown[0].text, "Nepodařilo se uložit záznam o majiteli do databáze");
  EXPECT_EQ(notifier.shown[0].icon, TMsgIcon::Error);

  // A cancelled chooser changes nothing.
  fake.chosenContact = -1;
  form.ChooseOwner();
  EXPECT_FALSE(form.OwnerReadOnly());
}

TEST_F(VehicleFormTest, ChangeOverwritesTheCopyButKeepsItsRecordFields) {
  const int32_t id = AddStoredVehicle("1A2 3456", "");
  Tautomobil v;
  ASSERT_TRUE(stores.cars->LoadCar(id, v));
  v.lastService = EncodeDate(2023, 5, 2);
  TVehicleForm form(*stores.cars, services);
  form.OpenChange(v);
  EXPECT_FALSE(form.IsNew());
  form.fields.color = "modrá";
  form.fields.owner.surname = "Král";
  ASSERT_TRUE(form.Confirm());
  form.ApplyChange(v);
  EXPECT_EQ(v.ID, id);
  EXPECT_EQ(v.color, "modrá");
  EXPECT_EQ(v.lastService, EncodeDate(2023, 5, 2));
  EXPECT_EQ(fake.contacts[v.ownerID].surname, "Král");
}

TEST_F(VehicleFormTest, WrongLastServiceOfANewVehicleIsReportedAndSetBack) {
  Tautomobil v;
  InitVehicle(v);
  v.lastService = NewVehicleLastService();
  EXPECT_FALSE(RepairNewVehicleLastService(v));
  EXPECT_TRUE(notifier.shown.empty());
  v.lastService = EncodeDate(2001, 1, 1);
  EXPECT_TRUE(RepairNewVehicleLastService(v));
  EXPECT_EQ(v.lastService, EncodeDate(2000, 1, 1));
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "CHYBA");
  EXPECT_EQ(notifier.shown[0].text, "NESEDI DATUM LASTSERVICE!");
}

TEST_F(VehicleFormTest, AStoreThatRefusesTheVehicleGivesNoID) {
  TCustomCarDb readOnly;
  readOnly.Create(VirtualFile("db_cars.dat"), VirtualFile("db_cars_blob.dat"), "<username>", true);
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Tatra";
  EXPECT_EQ(StoreNewVehicle(readOnly, v), -1);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_EQ(notifier.shown[0].text, "Nemohu uložit vozidlo.");
}

TEST(CarInfo, OrderTextLinesAndBody) {
  Tautomobil v;
  InitVehicle(v);
  v.manufacturer = "Škoda";
  v.model = "Octavia";
  v.subtype = "Combi";
  v.engine = "1.9 TDI";
  v.vin = "TMBAB41Z592001234";
  v.year = 2009;
  v.month = 5;
  v.comments = "řemen 2023\r\nSTK\r\n";
  const std::vector<std::string> lines = CarInfoLines(v, "S pozdravem\r\njá");
  EXPECT_EQ(lines, (std::vector<std::string>{"Značka:     Škoda Octavia Combi", "Motor:      1.9 TDI",
                                            "VIN:        TMBAB41Z592001234", "Rok výroby: 5/2009", "",
                                            "Poznámky:", "řemen 2023", "STK", "", "Objednávám:", "",
                                            "S pozdravem", "já"}));
  EXPECT_EQ(OrderMailBody({"a", "", "b"}), "a\r\rb\r");

  v.comments.clear();
  EXPECT_EQ(CarInfoLines(v, "")[6], "");  // an empty comment is one empty line
  EXPECT_EQ(CarInfoLines(v, "").size(), 11u);
  EXPECT_EQ(AdditionalInfoText(v, "Pneu:"), "Pneu:");
  v.comments = "x";
  EXPECT_EQ(AdditionalInfoText(v, "Pneu:"), "x");

  EXPECT_EQ(MemoLines("a\nb\rc\r\n\r\nd"), (std::vector<std::string>{"a", "b", "c", "", "d"}));
}

TEST(CheckMarks, ShorterArrayUncheckedAndOnlyOkReplaces) {
  std::vector<bool> marks = {true, false};
  EXPECT_EQ(InitialCheckStates(marks, 4), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(InitialCheckStates({true, true, true}, 2), (std::vector<bool>{true, true}));
  EXPECT_FALSE(TakeCheckStates(marks, {false, true, true, false}, false));
  EXPECT_EQ(marks, (std::vector<bool>{true, false}));
  EXPECT_TRUE(TakeCheckStates(marks, {false, true, true, false}, true));
  EXPECT_EQ(marks, (std::vector<bool>{false, true, true, false}));
}

}  // namespace
