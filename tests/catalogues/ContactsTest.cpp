#include <gtest/gtest.h>

#include "catalogues/Contacts.h"
#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

class ContactsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{})); }
  TContactRecord Add(const std::string& surname, const std::string& first, const std::string& company,
                     const std::string& phones = "", const std::string& city = "") {
    TContactRecord c;
    InitContact(c);
    c.surname = surname;
    c.firstName = first;
    c.company = company;
    c.phones = phones;
    c.city = city;
    EXPECT_TRUE(AddContact(*stores.customers, c));
    return c;
  }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
};

}  // namespace

TEST_F(ContactsTest, SearchAndOrder) {
  Add("Novák", "Jan", "", "602/123 456");
  Add("", "", "ACME s.r.o.", "", "Brno");
  Add("Černý", "", "");
  Add("Hájek", "Petr", "");
  auto contacts = LoadContacts(*stores.customers);
  ASSERT_EQ(contacts.size(), 4u);
  EXPECT_EQ(contacts[1].type, 1);  // a company name: type 1
  auto names = [&](const std::string& search) {
    std::vector<std::string> out;
    for (size_t i : FilterContacts(contacts, search)) out.push_back(CustomerDisplayName(contacts[i]));
    return out;
  };
  EXPECT_EQ(names(""), (std::vector<std::string>{"ACME s.r.o.", "Černý", "Hájek, Petr", "Novák, Jan"}));
  EXPECT_EQ(names("602 123"), (std::vector<std::string>{"Novák, Jan"}));
  EXPECT_EQ(names("novak"), (std::vector<std::string>{"Novák, Jan"}));
  EXPECT_EQ(names("brno"), (std::vector<std::string>{"ACME s.r.o."}));
  EXPECT_TRUE(names("xyz").empty());
}

TEST_F(ContactsTest, EditAndDeleteWithOwnedVehicles) {
  TContactRecord owner = Add("Novák", "Jan", "");
  Add("Other", "", "");
  for (const char* plate : {"1A2 3456", "2B3 4567"}) {
    Tautomobil v;
    InitVehicle(v);
    v.manufacturer = "Škoda";
    v.model = "Fabia";
    v.tag = plate;
    v.ownerID = owner.ID;
    v.color = "modrá";
    stores.cars->CreateCar(v, "");
  }
  owner.phones = "777 000 111";
  ASSERT_TRUE(SaveContact(*stores.customers, owner));
  EXPECT_EQ(LoadContacts(*stores.customers)[0].phones, "777 000 111");

  EXPECT_EQ(DeleteContactQuestion(*stores.cars, owner.ID),
            "Opravdu chcete tento kontakt smazat?\rTato vozidla jsou registrována na zvoleného majitele:\r"
            "Škoda Fabia , RZ 1A2 3456\rŠkoda Fabia , RZ 2B3 4567\r");
  notifier.Script({TMsgAnswer::No});
  EXPECT_EQ(DeleteContact(*stores.customers, *stores.cars, owner), TContactDelete::Cancelled);
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);
  notifier.Script({TMsgAnswer::Yes});
  ASSERT_EQ(DeleteContact(*stores.customers, *stores.cars, owner), TContactDelete::Deleted);
  auto contacts = LoadContacts(*stores.customers);
  ASSERT_EQ(contacts.size(), 1u);
  EXPECT_EQ(contacts[0].surname, "Other");
  for (int32_t id : {1, 2}) {
    Tautomobil v;
    ASSERT_TRUE(stores.cars->LoadCar(id, v));
    EXPECT_EQ(v.ownerID, -1);
    EXPECT_EQ(v.color, "modrá");  // every other field kept
  }
}

TEST(ContactText, ClipboardAndMap) {
  TContactRecord c;
  InitContact(c);
  FillContactFromText("Jméno: ACME s.r.o.\r\nPSČ: 602 00\r\nMěsto: Brno\r\nTelefon: 777 1\r\nneznámé: x\r\nIČO: 123", c);
  EXPECT_EQ(c.company, "ACME s.r.o.");
  EXPECT_EQ(c.city, "602 00 Brno");
  EXPECT_EQ(c.phones, "777 1");
  EXPECT_EQ(c.ico, "123");
  TContactRecord only;
  InitContact(only);
  only.city = "old";
  FillContactFromText("Město: Brno", only);
  EXPECT_EQ(only.city, "Brno");
  FillContactFromText("nothing here", only);
  EXPECT_EQ(only.city, "");  // neither part present: emptied
  EXPECT_EQ(MapAddress("https://mapy.example/?query=%ADRESA", "Dlouhá 5, Praha"),
            "https://mapy.example/?query=DLOUHA+5%2C+PRAHA");
  TContactRecord s;
  InitContact(s);
  s.surname = "Dodavatel";
  s.email = "d@x.cz";
  EXPECT_EQ(SupplierAddressEntry(s), "Dodavatel <d@x.cz>");
}
