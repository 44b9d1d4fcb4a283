#include <gtest/gtest.h>

#include "catalogues/ContactFields.h"
#include "catalogues/ContactList.h"
#include "catalogues/ContactListPrint.h"
#include "catalogues/Contacts.h"
#include "documents/PagePrinter.h"
#include "shell/Stores.h"
#include "tests/support/RecordingNotifier.h"
#include "tests/support/TestFileSystems.h"

namespace {

TContactRecord Contact(const std::string& surname, const std::string& first, const std::string& company,
                       const std::string& phones = "", const std::string& city = "") {
  TContactRecord c;
  InitContact(c);
  c.surname = surname;
  c.firstName = first;
  c.company = company;
  c.phones = phones;
  c.city = city;
  return c;
}

class ContactsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(OpenStores(stores, GetVirtualFS(), "", TStoreOpenOptions{})); }
  TContactRecord Add(const std::string& surname, const std::string& first, const std::string& company,
                     const std::string& phones = "", const std::string& city = "") {
    TContactRecord c = Contact(surname, first, company, phones, city);
    EXPECT_TRUE(AddContact(*stores.customers, c));
    return c;
  }
  int32_t AddCar(const std::string& plate, int32_t ownerID) {
    Tautomobil v;
    InitVehicle(v);
    v.manufacturer = "Škoda";
    v.model = "Fabia";
    v.tag = plate;
    v.ownerID = ownerID;
    v.color = "modrá";
    stores.cars->CreateCar(v, "");
    return v.ID;
  }
  TRecordingNotifier notifier;
  TTestFileSystems fs;
  TStoreSet stores;
};

std::vector<std::string> Names(const TContactList& list) {
  std::vector<std::string> out;
  for (int r = 0; r < list.RowCount(); ++r) out.push_back(list.Row(r).columns[kContactColName]);
  return out;
}

// A page of 1000 × 1400 pixels, every character 10 wide and 20 high.
class TRecordingCanvas : public ITextCanvas {
 public:
  struct TText {
    int x, y;
    std::string text;
  };
  int PageWidth() const override { return 1000; }
  int PageHeight() const override { return 1400; }
  int TextWidth(const std::string& text) const override { return 10 * static_cast<int>(text.size()); }
  int TextHeight(const std::string&) const override { return 20; }
  void DrawText(int x, int y, const std::string& text) override { texts.push_back({x, y, text}); }
  void DrawLine(int, int, int, int) override {}
  void SetFontSize(int points) override { size_ = points; }
  int FontSize() const override { return size_; }
  void NewPage() override {}
  const TText* Find(const std::string& text) const {
    for (const TText& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }
  std::vector<TText> texts;

 private:
  int size_ = 10;
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
  // Blanks, commas and slashes alone say nothing about a phone number.
  EXPECT_TRUE(names(" / ").empty());
}

TEST(ContactSearch, EveryRuleOnItsOwnField) {
  TContactRecord c = Contact("Dvořák", "Jiří", "Autoservis", "+420 602, 111/222");
  c.street = "Dlouhá 5";
  c.city = "Praha";
  c.email = "Info@Servis.cz";
  struct {
    const char* search;
    bool passes;
  } cases[] = {
      {"", true},          {"dvorak", true},      {"JIRI - AUTO", true}, {"servis.CZ", true},
      {"dlouha 5, pr", true}, {"602111222", true}, {"+420602", true},     {"111 222", true},
      {"praha 5", false},  {"novak", false},      {"@seznam", false},
  };
  for (const auto& t : cases) EXPECT_EQ(ContactMatches(c, t.search), t.passes) << t.search;
}

TEST(ContactList, SortColumnsRowsStayWithTheirContacts) {
  std::vector<TContactRecord> contacts;
  const char* surnames[] = {"Šimek", "Adam", "Chalupa", "Hora", "adam"};
  for (int i = 0; i < 5; ++i) {
    TContactRecord c = Contact(surnames[i], "", "", std::to_string(900 - i));
    c.ID = 10 + i;
    contacts.push_back(c);
  }
  TContactList list;
  list.SetContacts(contacts);
  // Czech order (CH after H), case ignored, equal names in slot order.
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Adam", "adam", "Hora", "Chalupa", "Šimek"}));
  list.SortBy(kContactColName);
  EXPECT_TRUE(list.Descending());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Šimek", "Chalupa", "Hora", "Adam", "adam"}));
  list.SortBy(kContactColPhone);
  EXPECT_FALSE(list.Descending());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"adam", "Hora", "Chalupa", "Adam", "Šimek"}));

  // A changed contact keeps its row until the rows are filled again.
  TContactRecord changed = list.Row(0).record;
  changed.phones = "999";
  list.Replace(0, changed);
  EXPECT_EQ(list.Row(0).columns[kContactColPhone], "999");
  EXPECT_EQ(list.IDOfRow(0), 14);
  list.SetSearch("");
  EXPECT_EQ(list.IDOfRow(4), 14);

  // Removing a row that is not the last leaves every other row on its own
  // contact, in the array as in the rows.
  list.SortBy(kContactColName);
  list.SetSearch("a");
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Adam", "adam", "Hora", "Chalupa"}));
  list.RemoveRow(list.RowOfID(11));  // Adam, not the last element of the array
  EXPECT_EQ(list.Size(), 4);
  for (int r = 0; r < list.RowCount(); ++r)
    EXPECT_EQ(list.At(list.IndexOfRow(r)).ID, list.Row(r).record.ID);
  EXPECT_EQ(list.RowOfID(11), -1);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"adam", "Hora", "Chalupa"}));
  EXPECT_EQ(list.IDOfRow(1), 13);

  // A new contact is placed by the order; hidden by the search it has no row.
  TContactRecord fresh = Contact("Beran", "", "", "1");
  EXPECT_EQ(list.Append(fresh), 1);
  list.SetSearch("nobody");
  EXPECT_EQ(list.Append(Contact("Zeman", "", "")), -1);
  EXPECT_EQ(list.Size(), 6);
}

TEST(ContactFieldsTest, WhatOkStores) {
  TContactRecord c = Contact("Old", "", "");
  c.ID = 7;
  c.globalId = "CUS:x-00000007";
  TContactFields f = ContactFieldsOf(c);
  EXPECT_EQ(f[kFieldSurname], "Old");
  f[kFieldSurname] = std::string(60, 'x');
  for (int i = 0; i < 30; ++i) f[kFieldStreet] += "Ř";
  for (int i = 0; i < 30; ++i) f[kFieldStreet] += "ž";
  f[kFieldIco] = "1234567890123456789";
  f[kFieldDic] = "CZ12345678";
  f.kind = kContactRepairShop;
  ApplyContactFields(f, c);
  EXPECT_EQ(c.surname, std::string(50, 'x'));
  EXPECT_EQ(c.street.substr(0, 2 * 30), [] {
    std::string s;
    for (int i = 0; i < 30; ++i) s += "Ř";
    return s;
  }());
  EXPECT_EQ(c.street.size(), 30u * 2 + 20u * 2);  // 50 characters, two bytes each in UTF-8
  EXPECT_EQ(c.ico, "123456789012345");
  EXPECT_EQ(c.dic, "CZ12345678");
  EXPECT_EQ(c.type, 0);
  EXPECT_EQ(c.kind, kContactRepairShop);
  EXPECT_EQ(c.ID, 7);
  EXPECT_EQ(c.globalId, "CUS:x-00000007");
  f[kFieldCompany] = "Autoservis";
  ApplyContactFields(f, c);
  EXPECT_EQ(c.type, 1);

  // A kind none of the four choices has is kept.
  EXPECT_EQ(ContactKindChoiceIndex(kContactOther), 3);
  EXPECT_EQ(ContactKindChoiceIndex(7), -1);
  c.kind = 7;
  ApplyContactFields(ContactFieldsOf(c), c);
  EXPECT_EQ(c.kind, 7);

  EXPECT_FALSE(CanSendEmail(""));
  EXPECT_TRUE(CanSendEmail("a@b.cz"));
  EXPECT_FALSE(CanShowOnMap("", ""));
  EXPECT_TRUE(CanShowOnMap("", "Brno"));
  EXPECT_EQ(FieldsAddressText(f), f[kFieldStreet] + ", " + f[kFieldCity]);
}

TEST_F(ContactsTest, StoreRoundTripAndRefusals) {
  TContactRecord c = Add("Novák", "Jan", "ACME", "602 123 456", "602 00 Brno");
  EXPECT_EQ(c.ID, 1);
  EXPECT_EQ(c.globalId, "CUS:<username>-00000001");
  c.email = "jan@acme.cz";
  c.kind = kContactSupplier;
  ASSERT_TRUE(SaveContact(*stores.customers, c));
  auto back = LoadContacts(*stores.customers);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].email, "jan@acme.cz");
  EXPECT_EQ(back[0].kind, kContactSupplier);
  EXPECT_EQ(back[0].type, 1);
  EXPECT_EQ(back[0].globalId, c.globalId);
  EXPECT_TRUE(notifier.shown.empty());

  // A contact the store never took cannot be saved or erased.
  TContactRecord stray = Contact("Stray", "", "");
  EXPECT_FALSE(SaveContact(*stores.customers, stray));
  EXPECT_EQ(notifier.shown.back().text, "Nepodařilo se uložit záznam do databáze");
  EXPECT_EQ(notifier.shown.back().caption, "Chyba");
  notifier.Script({TMsgAnswer::Yes});
  EXPECT_EQ(DeleteContact(*stores.customers, *stores.cars, stray), TContactDelete::StoreFailed);
  EXPECT_EQ(notifier.shown.back().text, "Nepodařilo se smazat záznam z databáze");

  // A read-only store refuses to add.
  stores.CloseAll();
  TStoreSet readOnly;
  TStoreOpenOptions options;
  options.readOnly = true;
  ASSERT_TRUE(OpenStores(readOnly, GetVirtualFS(), "", options));
  TContactRecord refused = Contact("Nový", "", "");
  EXPECT_FALSE(AddContact(*readOnly.customers, refused));
  EXPECT_EQ(notifier.shown.back().text, "Nepodařilo se uložit záznam do databáze");
  EXPECT_EQ(refused.ID, -1);
}

TEST_F(ContactsTest, EditAndDeleteWithOwnedVehicles) {
  TContactRecord owner = Add("Novák", "Jan", "");
  Add("Other", "", "");
  AddCar("1A2 3456", owner.ID);
  AddCar("9Z9 9999", -1);
  AddCar("2B3 4567", owner.ID);
  owner.phones = "777 000 111";
  ASSERT_TRUE(SaveContact(*stores.customers, owner));
  EXPECT_EQ(LoadContacts(*stores.customers)[0].phones, "777 000 111");

  EXPECT_EQ(DeleteContactQuestion(*stores.cars, owner.ID),
            "Opravdu chcete tento kontakt smazat?\rTato vozidla jsou registrována na zvoleného majitele:\r"
            "Škoda Fabia , RZ 1A2 3456\rŠkoda Fabia , RZ 2B3 4567\r");
  // A contact without an ID owns nothing, though some vehicles have no owner.
  EXPECT_EQ(DeleteContactQuestion(*stores.cars, -1), "Opravdu chcete tento kontakt smazat?");
  notifier.Script({TMsgAnswer::No});
  EXPECT_EQ(DeleteContact(*stores.customers, *stores.cars, owner), TContactDelete::Cancelled);
  EXPECT_EQ(notifier.shown.back().caption, "Dotaz");
  EXPECT_EQ(notifier.shown.back().defaultAnswer, TMsgAnswer::No);
  EXPECT_EQ(LoadContacts(*stores.customers).size(), 2u);
  notifier.Script({TMsgAnswer::Yes});
  ASSERT_EQ(DeleteContact(*stores.customers, *stores.cars, owner), TContactDelete::Deleted);
  auto contacts = LoadContacts(*stores.customers);
  ASSERT_EQ(contacts.size(), 1u);
  EXPECT_EQ(contacts[0].surname, "Other");
  for (int32_t id : {1, 3}) {
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
  EXPECT_EQ(c.type, 1);
  TContactRecord only;
  InitContact(only);
  only.city = "old";
  FillContactFromText("Město: Brno", only);
  EXPECT_EQ(only.city, "Brno");
  FillContactFromText("nothing here", only);
  EXPECT_EQ(only.city, "");  // neither part present: emptied
  EXPECT_EQ(MapAddress("https://mapy.example/?query=%ADRESA", "Dlouhá 5, Praha"),
            "https://mapy.example/?query=DLOUHA+5%2C+PRAHA");
  EXPECT_EQ(MapAddress("https://m.example/?q=%ADRESA&again=%ADRESA", "Čáslav"),
            "https://m.example/?q=CASLAV&again=CASLAV");
  TContactRecord s;
  InitContact(s);
  s.surname = "Dodavatel";
  s.email = "d@x.cz";
  EXPECT_EQ(SupplierAddressEntry(s), "Dodavatel <d@x.cz>");
}

TEST(ContactText, ClipboardKeysAndValues) {
  TContactFields f;
  f[kFieldSurname] = "Kept";
  FillContactFromText(
      "Obchodní jméno:   Servis: pobočka\n"  // the value ends at the next ":"
      "Sídlo firmy Ulice: Hlavní 1\n"
      "E-mail a telefon: a@b.cz\n"          // E-MAIL is tested before TELEFON
      "Telefon: 1\nTelefon: 2\n"            // the later line wins
      "DIČ: CZ1\n"
      "Sériové číslo: SN-5\n"
      "bez dvojtečky\n"
      "PSČ: 110 00",
      f);
  EXPECT_EQ(f[kFieldSurname], "Kept");
  EXPECT_EQ(f[kFieldCompany], "Servis");
  EXPECT_EQ(f[kFieldStreet], "Hlavní 1");
  EXPECT_EQ(f[kFieldEmail], "a@b.cz");
  EXPECT_EQ(f[kFieldPhones], "2");
  EXPECT_EQ(f[kFieldDic], "CZ1");
  EXPECT_EQ(f[kFieldOther], "SN-5");
  EXPECT_EQ(f[kFieldCity], "110 00");
}

TEST(ContactListPrintTest, TitleCentredThenShownRows) {
  TRecordingNotifier notifier;
  std::vector<TContactRecord> contacts = {Contact("Novák", "Jan", "", "602"), Contact("Adam", "", "", "777"),
                                          Contact("Beran", "", "", "603")};
  TContactList list;
  list.SetContacts(contacts);
  EXPECT_TRUE(ConfirmContactListPrint(list));
  EXPECT_TRUE(notifier.shown.empty());  // no search: no question
  list.SetSearch("60");
  notifier.Script({TMsgAnswer::No});
  EXPECT_FALSE(ConfirmContactListPrint(list));
  EXPECT_EQ(notifier.shown.back().caption, "Tisk");

  TRecordingCanvas canvas;
  PrintContactList(list, canvas);
  const auto* title = canvas.Find("Seznam zákazníků");
  ASSERT_NE(title, nullptr);
  const int titleWidth = canvas.TextWidth("Seznam zákazníků");
  EXPECT_EQ(title->x, 500 - titleWidth / 2);
  ASSERT_NE(canvas.Find("telefon"), nullptr);
  ASSERT_NE(canvas.Find("Beran"), nullptr);
  ASSERT_NE(canvas.Find("Novák, Jan"), nullptr);
  EXPECT_LT(canvas.Find("Beran")->y, canvas.Find("Novák, Jan")->y);  // in the shown order
  EXPECT_EQ(canvas.Find("Adam"), nullptr);                            // not shown, not printed
}
