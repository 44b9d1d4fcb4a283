#include <gtest/gtest.h>

#include <dirent.h>

#include <map>

#include "exchange/ExchangeExport.h"
#include "exchange/ExchangeFile.h"
#include "exchange/IdentityHash.h"
#include "servicebook/Activities.h"
#include "storage/DateTime.h"
#include "storage/RealFileSystem.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

const char* const kAllApplied = "Všechny zvolené změny byly úspěšně provedeny.";
const char* const kNoChanges = "Soubor neobsahuje žádné změny.";

TContactRecord Contact(const std::string& surname, const std::string& firstName) {
  TContactRecord c;
  InitContactDefault(c);
  c.surname = surname;
  c.firstName = firstName;
  c.email = firstName + "@example.cz";
  return c;
}

Tautomobil Vehicle(const std::string& tag) {
  Tautomobil v;
  InitVehicle(v);
  v.tag = tag;
  v.manufacturer = "Škoda";
  v.model = "Octavia";
  v.subtype = "Combi";
  v.engine = "1.9 TDI";
  v.year = 2004;
  v.month = 5;
  v.comments = "Tažné zařízení";
  return v;
}

Tzaznam Record(int32_t km, float labour) {
  Tzaznam r;
  InitRecord(r, -1, kKindDone);
  r.db.km = km;
  r.db.date = EncodeDate(2026, 3, 14);
  r.db.priceWrk = labour;
  r.db.priceMat = 500;
  r.description = "Výměna oleje";
  r.material = "Olej 5W-30";
  return r;
}

std::map<std::string, std::string> FolderBytes(const std::string& dir) {
  std::map<std::string, std::string> files;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') files[e->d_name] = ReadFileBytes(dir + e->d_name);
    closedir(d);
  }
  return files;
}

// One data folder with its stores open, on the real file system.
struct TFolder {
  // Installations tell their global IDs apart by the user name.
  TFolder(const std::string& path, const std::string& userName, bool readOnly = false) : dir(path) {
    TStoreOpenOptions options;
    options.userName = userName;
    options.readOnly = readOnly;
    options.showMessages = false;
    EXPECT_TRUE(OpenStores(stores, fs, dir, options));
  }
  ~TFolder() { stores.CloseAll(); }

  int32_t AddContact(TContactRecord c) {
    std::string bytes(kContactWidth, '\0');
    EncodeContact(c, reinterpret_cast<uint8_t*>(bytes.data()));
    EXPECT_TRUE(stores.customers->CreateRecord(bytes, ""));
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
    return c.ID;
  }
  int32_t AddVehicle(Tautomobil v, int32_t owner) {
    v.ownerID = owner;
    stores.cars->CreateCar(v, "");
    return v.ID;
  }
  Tzaznam AddRecord(Tzaznam r, int32_t car) {
    EXPECT_TRUE(stores.records->CreateCarRecord(r, car, ""));
    return r;
  }
  TContactRecord LoadContact(int32_t id) {
    std::string bytes;
    TContactRecord c;
    EXPECT_TRUE(stores.customers->ReadRecord(id, bytes));
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
    return c;
  }
  std::vector<int32_t> LiveIDs(TCustomDb& db) {
    std::vector<int32_t> ids;
    for (int s = 0; s < db.Count(); ++s)
      if (db.IDAt(s) >= 0) ids.push_back(db.IDAt(s));
    return ids;
  }

  std::string dir;
  CRealFileSystem fs;
  TStoreSet stores;
};

class ExchangeMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    workshop = std::make_unique<TFolder>(files.dir / "", "dilna");
    mkdir((files.dir / "customer").c_str(), 0700);
    owner = workshop->AddContact(Contact("Řehoř", "Jan"));
    car = workshop->AddVehicle(Vehicle("1B2 3456"), owner);
    service = workshop->AddRecord(Record(120000, 1000), car);
    service.db.flags = kFlagUnpaid | kFlagNoLaborVAT;
    ASSERT_TRUE(workshop->stores.records->SaveCarRecord(service));
  }

  // What the workshop sends about its vehicle: owner, vehicle, the records.
  std::string Send(std::vector<Tzaznam> records, bool withOwner = true, bool withVehicle = true) {
    Tautomobil v;
    EXPECT_TRUE(workshop->stores.cars->LoadCar(car, v));
    TContactRecord c = workshop->LoadContact(owner);
    TExchangeExport what;
    what.vehicle = &v;
    what.owner = &c;
    what.withOwner = withOwner;
    what.withVehicle = withVehicle;
    for (size_t i = 0; i < records.size(); ++i) what.records.emplace_back(i, &records[i]);
    const std::string path = files.dir / "sent.cgarv";
    WriteFileBytes(path, BuildExchangeDocument(what));
    return path;
  }

  // Processes the file in the customer's folder; `tick` sees the lists.
  TExchangeFileResult Receive(const std::string& path, const std::function<bool(TExchangeChanges&)>& tick) {
    TFolder customer(files.dir / "customer/", "doma");
    TExchangeIndex index(customer.stores);
    CRealFileSystem fs;
    return ProcessExchangeFile(MakeFileName(path, fs), index, tick);
  }
  TExchangeFileResult ReceiveAll(const std::string& path) {
    return Receive(path, [](TExchangeChanges&) { return true; });
  }

  TTestFileSystems files;
  TRecordingNotifier notifier;
  std::unique_ptr<TFolder> workshop;
  int32_t owner = -1, car = -1;
  Tzaznam service;
};

}  // namespace

TEST(ExchangeChangeTexts, RecordDescriptionsAndMaterial) {
  auto list = [](float price) {
    TActRecordList work(2);
    work[0].text = "Diagnostika motoru";
    work[0].itemType = kItemActivity;
    work[0].count = 1.5f;
    work[0].price = price;
    work[1].text = "Olejový filtr";
    work[1].itemType = kItemMaterial;
    work[1].count = 1;
    work[1].price = 250;
    return EncodeActivities(work);
  };
  struct TCase {
    std::string storedDescription, receivedDescription, storedMaterial, receivedMaterial, diff;
  } cases[] = {
      {"Výměna oleje", "Výměna oleje a filtru", "", "", "Popis: Výměna oleje -> Výměna oleje a filtru"},
      // Only a price of the list changed: the values show where.
      {list(450), list(500), "", "", "Popis: Diagnostika motoru 1:30 450,00 675,00; Olejový filtr 1,00 250,00 250,00 -> "
                                     "Diagnostika motoru 1:30 500,00 750,00; Olejový filtr 1,00 250,00 250,00"},
      {"", "", "Olej\r\nFiltr", "Olej", "Materiál: Olej\r\nFiltr -> Olej"},
  };
  for (const TCase& c : cases) {
    Tzaznam stored = Record(1000, 100), received = stored;
    stored.description = c.storedDescription;
    received.description = c.receivedDescription;
    stored.material = c.storedMaterial;
    received.material = c.receivedMaterial;
    EXPECT_EQ(DescribeRecordChanges(stored, received), c.diff);
  }
}

TEST_F(ExchangeMerge, NewFileAddsOwnerVehicleAndRecordAndReimportChangesNothing) {
  const std::string file = Send({service});
  std::vector<std::string> captions;
  TExchangeFileResult result = Receive(file, [&](TExchangeChanges& c) {
    for (int list = 0; list < kExchangeListCount; ++list)
      for (size_t i = 0; i < c.Size(list); ++i)
        captions.push_back(std::string(kExchangeListLabels[list]) + " " + c.Caption(list, i) +
                           (c.ticks[list][i] ? " [x]" : " [ ]"));
    return true;
  });
  EXPECT_EQ(captions, (std::vector<std::string>{"Nové kontakty: Přidat kontakt \"Řehoř, Jan\" [x]",
                                                "Nová vozidla: Přidat vozidlo \"1B2 3456, Škoda, Octavia\" [x]",
                                                "Nové záznamy: Přidat záznam \"120000 @ 14.03.2026\" [x]"}));
  EXPECT_EQ(result.applied.applied, 3);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{kAllApplied});

  {
    // After a restart: the vehicle with its owner and month, the record with
    // the sender's global ID.
    TFolder customer(files.dir / "customer/", "doma");
    ASSERT_EQ(customer.LiveIDs(*customer.stores.cars).size(), 1u);
    Tautomobil v;
    ASSERT_TRUE(customer.stores.cars->LoadCar(customer.LiveIDs(*customer.stores.cars)[0], v));
    EXPECT_EQ(v.month, 5);
    EXPECT_EQ(v.comments, "Tažné zařízení");
    EXPECT_EQ(v.lastService, EncodeDate(2026, 3, 14));  // the merged service shows in the list
    EXPECT_EQ(customer.LoadContact(v.ownerID).surname, "Řehoř");
    AZaznamy records;
    customer.stores.records->LoadCarRecords(v.ID, records);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].db.globalId, service.db.globalId);
    EXPECT_EQ(records[0].material, "Olej 5W-30");
  }

  const auto before = FolderBytes(files.dir / "customer/");
  notifier.shown.clear();
  result = Receive(file, [](TExchangeChanges&) -> bool { ADD_FAILURE() << "nothing to choose"; return false; });
  EXPECT_EQ(result.outcome, TExchangeOutcome::NoChanges);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{kNoChanges});
  EXPECT_EQ(FolderBytes(files.dir / "customer/"), before);
}

TEST_F(ExchangeMerge, ChangedRecordKeepsWhatTheFileDoesNotCarry) {
  ReceiveAll(Send({service}));
  // The customer marks the stored copy; the workshop changes km and price.
  {
    TFolder customer(files.dir / "customer/", "doma");
    Tzaznam stored;
    ASSERT_TRUE(customer.stores.records->LoadCarRecord(customer.LiveIDs(*customer.stores.records)[0], stored));
    stored.db.flags = kFlagUnpaid | kFlagNoLaborVAT;
    stored.db.sortDate = 46000;
    ASSERT_TRUE(customer.stores.records->SaveCarRecord(stored));
  }
  Tzaznam changed = service;
  changed.db.km = 120500;
  changed.db.priceWrk = 1500;
  notifier.shown.clear();
  std::vector<std::string> captions;
  Receive(Send({changed}), [&](TExchangeChanges& c) {
    EXPECT_EQ(c.Size(kChangedRecords), 1u);
    EXPECT_FALSE(c.ticks[kChangedRecords][0]);  // changed items start unticked
    captions.push_back(c.Caption(kChangedRecords, 0));
    c.ticks[kChangedRecords][0] = true;
    return true;
  });
  EXPECT_EQ(captions, std::vector<std::string>{
                          "Změnit záznam \"120500 @ 14.03.2026\" (KM: 120000 -> 120500, Cena p.: 1000,00 -> 1500,00)"});
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{kAllApplied});

  TFolder customer(files.dir / "customer/", "doma");
  Tzaznam stored;
  ASSERT_TRUE(customer.stores.records->LoadCarRecord(customer.LiveIDs(*customer.stores.records)[0], stored));
  EXPECT_EQ(stored.db.km, 120500);
  EXPECT_FLOAT_EQ(stored.db.priceWrk, 1500);
  EXPECT_EQ(stored.db.flags, kFlagUnpaid | kFlagNoLaborVAT);
  // The effective date is the records window's, not a stale one.
  EXPECT_EQ(stored.db.sortDate, static_cast<int32_t>(EncodeDate(2026, 3, 14)));
  EXPECT_EQ(customer.LiveIDs(*customer.stores.records).size(), 1u);
}

TEST_F(ExchangeMerge, AMergedPlanFallsDueOnItsNewDate) {
  Tzaznam plan = workshop->AddRecord(Record(-1, 0), car);
  plan.db.kind = kKindPlan;
  plan.db.date = EncodeDate(2027, 6, 1);
  ASSERT_TRUE(workshop->stores.records->SaveCarRecord(plan));
  ReceiveAll(Send({service, plan}));
  {
    // The customer's records window stored the plan's effective date.
    TFolder customer(files.dir / "customer/", "doma");
    Tzaznam stored;
    ASSERT_TRUE(customer.stores.records->LoadCarRecord(customer.LiveIDs(*customer.stores.records)[1], stored));
    EXPECT_EQ(stored.db.sortDate, static_cast<int32_t>(EncodeDate(2027, 6, 1)));
    stored.db.sortDate = static_cast<int32_t>(EncodeDate(2027, 6, 1));
    ASSERT_TRUE(customer.stores.records->SaveCarRecord(stored));
  }
  Tzaznam moved = plan;
  moved.db.date = EncodeDate(2027, 9, 1);
  Receive(Send({service, moved}), [](TExchangeChanges& c) {
    c.ticks[kChangedRecords].assign(c.Size(kChangedRecords), true);
    return true;
  });
  TFolder customer(files.dir / "customer/", "doma");
  const int32_t planId = customer.LiveIDs(*customer.stores.records)[1];
  Tzaznam stored;
  ASSERT_TRUE(customer.stores.records->LoadCarRecord(planId, stored));
  EXPECT_EQ(stored.db.date, EncodeDate(2027, 9, 1));
  // The reminders read the effective date: the new one, not the first.
  EXPECT_EQ(RecordDate(stored.db), EncodeDate(2027, 9, 1));
}

TEST_F(ExchangeMerge, UnchangedFieldsThatAreNotComparedGiveNoEntry) {
  ReceiveAll(Send({service}));
  TContactRecord c = workshop->LoadContact(owner);
  c.company = "Řehoř s.r.o.";
  c.type = 0;  // the contact type is compared; only the company name is not
  std::string bytes(kContactWidth, '\0');
  EncodeContact(c, reinterpret_cast<uint8_t*>(bytes.data()));
  bytes[626] = bytes[627] = 0;  // keep the stored type as it was
  ASSERT_TRUE(workshop->stores.customers->WriteRecord(bytes));
  Tautomobil v;
  ASSERT_TRUE(workshop->stores.cars->LoadCar(car, v));
  v.month = 11;
  workshop->stores.cars->SaveCar(v);
  notifier.shown.clear();
  EXPECT_EQ(ReceiveAll(Send({service})).outcome, TExchangeOutcome::NoChanges);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{kNoChanges});
}

TEST_F(ExchangeMerge, RecordWithoutItsVehicleIsSkippedAndTheRestApplied) {
  // Only the record travels; the customer knows no vehicle with that plate.
  const std::string file = Send({service}, true, false);
  TExchangeFileResult result = ReceiveAll(file);
  EXPECT_EQ(result.applied.applied, 1);  // the contact
  EXPECT_EQ(result.applied.skipped, 1);
  ASSERT_EQ(notifier.shown.size(), 2u);
  EXPECT_EQ(notifier.shown[0].text, "Nemohu nalézt vozidlo k záznamu \"120000 @ 14.03.2026\". Záznam nebude vložen!");
  EXPECT_EQ(notifier.shown[0].caption, "Upozornění");
  EXPECT_NE(notifier.shown[1].text, kAllApplied);  // never "all applied" after a skip
  EXPECT_NE(notifier.shown[1].text.find("Provedeno: 1, neprovedeno: 1."), std::string::npos);
}

TEST_F(ExchangeMerge, HashesMatchOnlyOneStoredEntityAndNeverAnEmptyKey) {
  {
    TFolder customer(files.dir / "customer/", "doma");
    // Two plate-less vehicles and two customers of the same surname.
    Tautomobil a = Vehicle(""), b = Vehicle("");
    a.globalId = b.globalId = "";
    customer.AddVehicle(a, -1);
    customer.AddVehicle(b, -1);
    customer.AddContact(Contact("Řehoř", "Petr"));
    customer.AddContact(Contact("Řehoř", "Pavel"));
  }
  // A plate-less vehicle's record without its vehicle node: never lands on
  // another plate-less vehicle.
  Tautomobil plateless;
  ASSERT_TRUE(workshop->stores.cars->LoadCar(car, plateless));
  plateless.tag = "";
  workshop->stores.cars->SaveCar(plateless);
  ReceiveAll(Send({service}, false, false));
  EXPECT_EQ(notifier.shown.front().text.rfind("Nemohu nalézt vozidlo", 0), 0u);

  // The vehicle itself: its owner hash matches two customers, so no owner;
  // its record follows the vehicle node of the same file.
  notifier.shown.clear();
  ReceiveAll(Send({service}, false, true));
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{kAllApplied});
  TFolder customer(files.dir / "customer/", "doma");
  Tautomobil received;
  const int32_t id = TExchangeIndex(customer.stores).VehicleByGlobalId(plateless.globalId);
  ASSERT_TRUE(customer.stores.cars->LoadCar(id, received));
  EXPECT_EQ(received.ownerID, -1);
  EXPECT_EQ(customer.stores.records->RecordCountOf(id), 1u);
}

TEST_F(ExchangeMerge, OwnerFoundByTheFileOrByTheOnlyMatchingSurname) {
  {
    TFolder customer(files.dir / "customer/", "doma");
    customer.AddContact(Contact("Novák", "Petr"));
    customer.AddContact(Contact("Řehoř", "Jan"));  // a stored customer, not the file's
  }
  // Without the owner node: the only stored Řehoř becomes the owner.
  ReceiveAll(Send({}, false, true));
  {
    TFolder customer(files.dir / "customer/", "doma");
    TExchangeIndex index(customer.stores);
    Tautomobil v;
    Tautomobil sent;
    ASSERT_TRUE(workshop->stores.cars->LoadCar(car, sent));
    ASSERT_TRUE(customer.stores.cars->LoadCar(index.VehicleByGlobalId(sent.globalId), v));
    EXPECT_EQ(customer.LoadContact(v.ownerID).firstName, "Jan");
    EXPECT_EQ(FindCustomerByOwnerHash(index, OwnerHash(Contact("Novák", "")), -1), 1);
    EXPECT_EQ(FindCustomerByOwnerHash(index, "999", -1), -1);
    EXPECT_EQ(FindCustomerByOwnerHash(index, EmptyKeyHash(), -1), -1);
  }
}

TEST_F(ExchangeMerge, UntickingEverythingChangesNothing) {
  const std::string file = Send({service});
  const auto before = FolderBytes(files.dir / "customer/");
  TExchangeFileResult result = Receive(file, [](TExchangeChanges& c) {
    for (auto& t : c.ticks) t.assign(t.size(), false);
    return true;
  });
  EXPECT_EQ(result.applied.applied, 0);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{kAllApplied});
  TFolder customer(files.dir / "customer/", "doma");
  EXPECT_TRUE(customer.LiveIDs(*customer.stores.cars).empty());
  EXPECT_TRUE(customer.LiveIDs(*customer.stores.records).empty());
}

TEST_F(ExchangeMerge, DamagedFilesAreReportedAndChangeNothing) {
  const std::string file = Send({service});
  // Cut in the middle: not well-formed.
  std::string text = ReadFileBytes(file);
  WriteFileBytes(file, text.substr(0, text.size() / 2));
  ReceiveAll(file);  // opens the customer stores once, so the folder exists
  const auto before = FolderBytes(files.dir / "customer/");
  notifier.shown.clear();
  EXPECT_EQ(ReceiveAll(file).outcome, TExchangeOutcome::Refused);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_EQ(notifier.shown[0].caption, "Chyba");
  EXPECT_EQ(FolderBytes(files.dir / "customer/"), before);

  // Every node damaged: reported as unreadable, never as "no changes".
  std::string damaged = text;
  for (size_t at = 0; (at = damaged.find("globalId>", at)) != std::string::npos; at += 9)
    damaged.replace(at, 9, "globalXd>");
  WriteFileBytes(file, damaged);
  notifier.shown.clear();
  EXPECT_EQ(ReceiveAll(file).outcome, TExchangeOutcome::NoChanges);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{"3 položky souboru nelze přečíst.\r\n"
                                                       "Ostatní položky souboru neobsahují žádné změny."});
  EXPECT_EQ(FolderBytes(files.dir / "customer/"), before);

  // A missing file is passed over in silence.
  notifier.shown.clear();
  EXPECT_EQ(ReceiveAll(files.dir / "none.cgarv").outcome, TExchangeOutcome::Missing);
  EXPECT_TRUE(notifier.shown.empty());
}

TEST_F(ExchangeMerge, ReadOnlyStoresAreRefusedBeforeAnyWrite) {
  const std::string file = Send({service});
  { TFolder customer(files.dir / "customer/", "doma"); }
  const auto before = FolderBytes(files.dir / "customer/");
  TFolder customer(files.dir / "customer/", "doma", true);
  TExchangeIndex index(customer.stores);
  CRealFileSystem fs;
  TExchangeFileResult result = ProcessExchangeFile(MakeFileName(file, fs), index, [](TExchangeChanges&) { return true; });
  EXPECT_TRUE(result.applied.failed);
  EXPECT_EQ(result.applied.applied, 0);
  EXPECT_EQ(notifier.shown.back().caption, "Chyba");
  EXPECT_EQ(FolderBytes(files.dir / "customer/"), before);
}

TEST_F(ExchangeMerge, AStoredMatchThatCannotBeReadIsNeverAddedAgain) {
  const std::string file = Send({service});
  ReceiveAll(file);
  {
    // The stored vehicle's comments lead to a blob that is not there.
    TFolder customer(files.dir / "customer/", "doma");
    Tautomobil v;
    const int32_t id = customer.LiveIDs(*customer.stores.cars)[0];
    ASSERT_TRUE(customer.stores.cars->LoadCar(id, v));
    v.commentsBLOBID = 9999;
    std::string bytes(kVehicleWidth, '\0');
    EncodeVehicle(v, reinterpret_cast<uint8_t*>(bytes.data()));
    ASSERT_TRUE(customer.stores.cars->WriteRecord(bytes));
    ASSERT_FALSE(customer.stores.cars->LoadCar(id, v));
  }
  const auto before = FolderBytes(files.dir / "customer/");
  notifier.shown.clear();
  EXPECT_EQ(ReceiveAll(file).outcome, TExchangeOutcome::NoChanges);
  EXPECT_EQ(notifier.Texts(), std::vector<std::string>{UnreadableStoredText(1) +
                                                       "\r\nOstatní položky souboru neobsahují žádné změny."});
  EXPECT_EQ(FolderBytes(files.dir / "customer/"), before);
  EXPECT_EQ(UnreadableStoredText(1), "U 1 položky souboru nelze přečíst záznam uložený v databázi; nebudou převzaty.");
}
