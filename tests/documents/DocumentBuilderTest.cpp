#include <gtest/gtest.h>

#include <filesystem>

#include "documents/DocumentBuilder.h"
#include "documents/EntityParameters.h"
#include "documents/ValueFormats.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/DocumentFixture.h"

namespace {

// Values are marked; the tests read the text a reader sees.
std::string Plain(std::string text) {
  for (size_t b = text.find("<!--PARAM_BEGIN("); b != std::string::npos; b = text.find("<!--PARAM_BEGIN(", b)) {
    size_t e = text.find(")-->", b);
    text.erase(b, e + 4 - b);
  }
  for (size_t b = text.find("<!--PARAM_END-->"); b != std::string::npos; b = text.find("<!--PARAM_END-->", b))
    text.erase(b, 16);
  return text;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

class TBuilderTest : public TDocumentTest {
 protected:
  void SetUp() override {
    TDocumentTest::SetUp();
    WriteData("templates/page.html",
              "[%PAGE_STR%|last=%LAST_PAGE_CLASS%|multi=%MULTI_PAGE_CLASS%|rnd=%ROUNDING_CLASS%|vat=%VAT_LAST_PAGE_CLASS%]"
              "%INVOICE_ITEMS%{B=%TOTAL_PRICE% G=%TOTAL_TAX_PRICE% V=%TOTAL_TAX% D=%ROUNDING% W=%TOTAL_TAX_PRICE_WORDS%}"
              "(%BANK_NAME%|%ACCOUNT_NUMBER%|%PAYMENT_METHOD%)"
              "<!--PARAM_BEGIN(%MAX_ITEMS_PER_PAGE%)-->20<!--PARAM_END-->");
    WriteData("templates/labour.html",
              "<L>%ITEM_NAME%|%ITEM_AMOUNT%|%TAX_PERCENT%|%ITEM_TAX%|%ITEM_TOTAL_PRICE_TAX%|%ITEM_PRICE%|%ITEM_TOTAL_PRICE%"
              "</L>\n");
    WriteData("templates/material.html",
              "<M>%ITEM_NAME%|%ITEM_AMOUNT%|%TAX_PERCENT%|%ITEM_TAX%|%ITEM_TOTAL_PRICE_TAX%|%ITEM_PRICE%|%ITEM_TOTAL_PRICE%"
              "</M>\n");
    WriteData("templates/header.html", "HEADER ");
    WriteData("templates/footer.html", " FOOTER");
    LoadDocumentInfo(info, "");
  }
  TTemplateSet Templates() const {
    return TTemplateSet{VirtualFile("templates\\page.html"), VirtualFile("templates\\labour.html"),
                        VirtualFile("templates\\material.html"), VirtualFile("templates\\footer.html"),
                        VirtualFile("templates\\header.html")};
  }
  TBuiltDocument Build(const Tzaznam& record) {
    Tautomobil vehicle;
    InitVehicle(vehicle);
    TContactRecord customer;
    InitContact(customer);
    return BuildDocumentText(Templates(), record, customer, vehicle, info);
  }
  TDocumentInfo info;
};

TEST_F(TBuilderTest, RowsAndTotalsOfARecordWithAHiddenItemAndAFee) {
  info.TransactionFeePct = 1;
  info.TransactionFee = 10;
  Tzaznam record = RecordWithItems({Item(kItemActivity, 200, 1.5, "Výměna oleje"),
                                    Item(kItemMaterial, 250, 4, "Olej 5W-30"),
                                    Item(kItemMaterial, 180.40, 1, "Filtr"),
                                    Item(kItemMaterial, 100, 2, "Interní položka", false)});
  TBuiltDocument doc = Build(record);
  const std::string text = Plain(doc.text);
  EXPECT_EQ(Count(text, "<L>"), 2) << text;  // the activity and the fee
  EXPECT_EQ(Count(text, "<M>"), 2);
  EXPECT_EQ(text.find("Interní"), std::string::npos);
  EXPECT_NE(text.find("<L>Výměna oleje|1,50|21,00|63,00|363,00 Kč|200,00 Kč|300,00 Kč</L>"), std::string::npos);
  EXPECT_NE(text.find("<M>Olej 5W-30|4,00|21,00|210,00|1210,00 Kč|250,00 Kč|1000,00 Kč</M>"), std::string::npos);
  // The fee is 1 % of every item, the hidden one too, plus 10.
  EXPECT_NE(text.find("<L>Poplatek za způsob platby|1,00|21,00|5,63|32,43 Kč|26,80 Kč|26,80 Kč</L>"),
            std::string::npos);
  // B 1507,204 and G 1823,717 rounded to 1824: the base moves by D without VAT.
  EXPECT_NE(text.find("{B=1507,44 G=1824,00 V=316,56 D=0,28 W=jedentisícosmsetdvacetčtyři}"), std::string::npos)
      << text;
  EXPECT_NEAR(doc.total, 1824, 1e-9);
  EXPECT_NE(text.find("HEADER [|last=visible|multi=hidden|rnd=visible|vat=visible]"), std::string::npos);
  EXPECT_NE(text.find(" FOOTER"), std::string::npos);
  // Paid in cash: the bank fields stay as names (the template hides them).
  EXPECT_NE(text.find("(%BANK_NAME%|%ACCOUNT_NUMBER%|hotově)"), std::string::npos);
}

TEST_F(TBuilderTest, Rounding) {
  struct TCase {
    const char* what;
    TActRecordList items;
    uint32_t flags;
    bool taxPaid;
    bool rounding;
    const char* totals;
  };
  const TCase cases[] = {
      {"a performed service", {Item(0, 200, 1.5, "a"), Item(1, 250, 4, "m"), Item(1, 180.40, 1, "f")}, 0, true, true,
       "{B=1480,17 G=1791,00 V=310,83 D=-0,28 W=jedentisícsedmsetdevadesátjeden}"},
      {"labour without VAT stays without VAT", {Item(0, 300, 1, "a"), Item(1, 1180.40, 1, "m")}, kFlagNoLaborVAT, true,
       true, "{B=1480,17 G=1728,00 V=247,83 D=-0,28 W=jedentisícsedmsetdvacetosm}"},
      {"halves to even", {Item(1, 1234.50, 1, "m")}, 0, false, true,
       "{B=1234,00 G=1234,00 V=0,00 D=-0,50 W=jedentisícdvěstětřicetčtyři}"},
      {"rounding off", {Item(1, 1234.50, 1, "m")}, 0, false, false,
       "{B=1234,50 G=1234,50 V=0,00 D=0,00 W=jedentisícdvěstětřicetčtyři}"},
      {"a returned part counts", {Item(1, 500, 1, "m"), Item(1, 100, -1, "vráceno")}, 0, false, true,
       "{B=400,00 G=400,00 V=0,00 D=0,00 W=čtyřista}"},
      {"a credit in words", {Item(1, 100, -3, "vráceno")}, 0, false, true,
       "{B=-300,00 G=-300,00 V=0,00 D=0,00 W=minus třista}"},
  };
  for (const TCase& c : cases) {
    Config().taxpaid = c.taxPaid;
    Config().invoicerounding = c.rounding;
    std::string text = Plain(Build(RecordWithItems(c.items, 7, c.flags)).text);
    EXPECT_NE(text.find(c.totals), std::string::npos) << c.what << "\n" << text;
    EXPECT_NE(text.find(c.taxPaid ? "vat=visible" : "vat=hidden"), std::string::npos) << c.what;
  }
}

TEST_F(TBuilderTest, PagesCarryTotalsOnlyOnTheLast) {
  TActRecordList items;
  for (int i = 0; i < 45; ++i) items.push_back(Item(kItemMaterial, 10, 1, "díl " + std::to_string(i)));
  items[3].showOnInvoice = false;  // takes a slot, prints nothing
  TBuiltDocument doc = Build(RecordWithItems(items));
  ASSERT_EQ(doc.pages, 3);
  const std::string text = Plain(doc.text);
  EXPECT_EQ(Count(text, "<M>"), 44);
  EXPECT_EQ(Count(text, kPageBreak), 2);
  EXPECT_EQ(Count(text, "HEADER"), 1);
  EXPECT_EQ(Count(text, "FOOTER"), 1);
  size_t p1 = text.find("[Stránka 1/3|last=hidden|multi=visible|rnd=hidden|vat=hidden]");
  size_t p2 = text.find("[Stránka 2/3|last=hidden|multi=visible|rnd=hidden|vat=hidden]");
  size_t p3 = text.find("[Stránka 3/3|last=visible|multi=visible|rnd=visible|vat=visible]");
  ASSERT_NE(p3, std::string::npos) << text;
  ASSERT_LT(p1, p2);
  ASSERT_LT(p2, p3);
  EXPECT_EQ(Count(text.substr(p1, p2 - p1), "<M>"), 19);  // 20 slots, one of them hidden
  EXPECT_EQ(Count(text.substr(p3), "<M>"), 5);
  EXPECT_NE(text.find("{B=439,67 G=532,00 V=92,33 D=-0,40", p3), std::string::npos);

  // The totals do not depend on how many items fit on a page.
  items.push_back(Item(kItemMaterial, 0.33, 1, "drobnost"));
  std::string one, all;
  info.MaxItemsPerPage = 1;
  one = Plain(Build(RecordWithItems(items)).text);
  info.MaxItemsPerPage = 100000;  // more than a page can hold: clamped
  TBuiltDocument single = Build(RecordWithItems(items));
  all = Plain(single.text);
  EXPECT_EQ(single.pages, 1);
  auto totals = [](const std::string& t) { return t.substr(t.rfind("{B="), t.rfind('}') - t.rfind("{B=")); };
  EXPECT_EQ(totals(one), totals(all));
  EXPECT_EQ(totals(all), "{B=440,50 G=533,00 V=92,50 D=0,20 W=pětsettřicettři");
}

TEST_F(TBuilderTest, ItemsPerPageComeFromTheTemplateOrAllOnOnePage) {
  TActRecordList items(21, Item(kItemMaterial, 1, 1, "x"));
  EXPECT_EQ(Build(RecordWithItems(items)).pages, 2);
  WriteData("templates/page.html", "[%PAGE_STR%]%INVOICE_ITEMS%");
  TBuiltDocument doc = Build(RecordWithItems(items));
  EXPECT_EQ(doc.pages, 1);
  EXPECT_EQ(doc.itemsPerPage, 65535);
  EXPECT_NE(Plain(doc.text).find("[]"), std::string::npos);
}

TEST_F(TBuilderTest, RowsOfSpecialItems) {
  Tzaznam record = RecordWithItems({Item(kItemActivity, 500, 2, "Práce bez DPH"), Item(kItemMaterial, 99, 0, "Nic"),
                                    Item(kItemMaterial, 50, -2, "Vrácený díl"),
                                    Item(kItemMaterial, 1, 1, "<script>x</script>\r\n<!--PARAM_BEGIN(%REC_ID%)-->99"
                                                              "<!--PARAM_END--> 5%")},
                                   7, kFlagNoLaborVAT);
  std::string text = Build(record).text;
  std::string plain = Plain(text);
  EXPECT_NE(plain.find("<L>Práce bez DPH|2,00|0,00|0,00|1000,00 Kč|500,00 Kč|1000,00 Kč</L>"), std::string::npos);
  EXPECT_NE(plain.find("<M>Nic|&nbsp;|&nbsp;|&nbsp;|&nbsp;|&nbsp;|&nbsp;</M>"), std::string::npos);
  EXPECT_NE(plain.find("<M>Vrácený díl|-2,00|21,00|-21,00|-121,00 Kč|50,00 Kč|-100,00 Kč</M>"), std::string::npos);
  // An item name is text: no markup, no forged block, no placeholder.
  EXPECT_NE(plain.find("<M>&lt;script&gt;x&lt;/script&gt;<br>&lt;!--PARAM_BEGIN(&#37;REC_ID&#37;)--&gt;99"),
            std::string::npos)
      << plain;
  EXPECT_EQ(text.find("<script>"), std::string::npos);
  EXPECT_EQ(ReadTemplateParameters(text).size(), ReadTemplateParameters(text).size());
  for (const TParameter& p : ReadTemplateParameters(text)) EXPECT_NE(p.Name, "%REC_ID%");
}

TEST_F(TBuilderTest, PlainDescription) {
  Tzaznam record;
  InitRecord(record, 3, kKindDone);
  record.description = "Oprava brzd\r\nvpředu";
  record.material = "destičky";
  record.db.priceWrk = 1000;
  record.db.priceMat = 500;
  record.db.flags = kFlagNoLaborVAT;
  info.TransactionFee = 100;  // no fee item without an item list
  TBuiltDocument doc = Build(record);
  std::string text = Plain(doc.text);
  EXPECT_EQ(doc.pages, 1);
  EXPECT_NE(text.find("<L>Oprava brzd<br>vpředu|1,00|0,00|%ITEM_TAX%|%ITEM_TOTAL_PRICE_TAX%|1000,00|1000,00</L>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<M>destičky|1,00|21,00|%ITEM_TAX%|%ITEM_TOTAL_PRICE_TAX%|500,00|500,00</M>"), std::string::npos);
  EXPECT_NE(text.find("{B=1500,00 G=1605,00 V=105,00"), std::string::npos);  // labour at 0 %
  record.db.priceWrk = -1;
  EXPECT_NE(Plain(Build(record).text).find("{B=0,00 G=0,00 V=0,00"), std::string::npos);

  // A damaged item list is shown as a plain description: one page.
  record.description = std::string("\x04\x01Rozbité\x03x\x02", 9);
  EXPECT_EQ(Build(record).pages, 1);
}

TEST_F(TBuilderTest, TransferShowsTheBankAccount) {
  info.PaymentMethod = pmTransfer;
  info.BankName = "Banka & spol.";
  info.AccountNumber = "1/0100";
  std::string text = Plain(Build(RecordWithItems({Item(1, 1, 1, "x")})).text);
  EXPECT_NE(text.find("(Banka &amp; spol.|1/0100|bankovním převodem)"), std::string::npos) << text;
}

TEST(EntityParameters, VehicleAndCustomer) {
  struct TVehicleCase {
    int year, month;
    const char* tag;
    const char* yearText;
    const char* description;
  };
  const TVehicleCase vehicles[] = {
      {2005, 3, "1A2 3456", "3/2005", "Škoda Octavia Combi, r.v. 3/2005, RZ: 1A2 3456"},
      {2005, 13, "", "2005", "Škoda Octavia Combi, r.v. 2005"},
      {2005, 0, "", "2005", "Škoda Octavia Combi, r.v. 2005"},
      {0, 5, "", "?", "Škoda Octavia Combi"},
  };
  for (const TVehicleCase& c : vehicles) {
    Tautomobil v;
    InitVehicle(v);
    v.manufacturer = "Škoda";
    v.model = "Octavia";
    v.subtype = "Combi";
    v.year = c.year;
    v.month = c.month;
    v.tag = c.tag;
    TParameters p;
    AddVehicleParameters(p, v);
    EXPECT_EQ(GetParameterValue(p, "%VEH_YEAR%", "", true), c.yearText);
    EXPECT_EQ(DescribeVehicle(v), c.description);
  }
  Tautomobil plate;
  InitVehicle(plate);
  plate.tag = "5B1 0000";
  EXPECT_EQ(DescribeVehicle(plate), ", RZ: 5B1 0000");

  struct TCustomerCase {
    const char *surname, *first, *company, *name;
  };
  const TCustomerCase customers[] = {
      {"Novák", "Jan", "", "Novák, Jan"},
      {"Novák", "", "Auto s.r.o.", "Novák<br/>Auto s.r.o."},
      {"", "", "Auto s.r.o.", "Auto s.r.o."},
  };
  for (const TCustomerCase& c : customers) {
    TContactRecord contact;
    InitContact(contact);
    contact.surname = c.surname;
    contact.firstName = c.first;
    contact.company = c.company;
    TParameters p;
    AddCustomerParameters(p, contact);
    EXPECT_EQ(Plain(ApplyTemplateParameters("%CUS_NAME%", p)), c.name);
  }

  Tzaznam r;
  InitRecord(r, 1, 99);
  TParameters p;
  AddRecordParameters(p, r);
  EXPECT_EQ(GetParameterValue(p, "%REC_KM%", "x", true), "");
  EXPECT_EQ(GetParameterValue(p, "%REC_KIND%", "x", true), "");
  EXPECT_EQ(GetParameterValue(p, "%REC_INVOICENR%", "x", true), "-1");
}

TEST(ValueFormats, CzechWhateverTheHost) {
  EXPECT_EQ(MoneyText(1480.1653), "1480,17");
  EXPECT_EQ(MoneyText(180.4f), "180,40");
  EXPECT_EQ(MoneyText(-0.001), "0,00");
  EXPECT_EQ(PercentText(21), "21,00");
  EXPECT_EQ(PercentText(12.5), "12,50");
  EXPECT_EQ(PercentText(150), "150,00");
  EXPECT_EQ(AmountText(1.5), "1,50");
  EXPECT_EQ(DocDateText(EncodeDate(2026, 3, 5)), "05.03.2026");
  EXPECT_EQ(DocDateTimeText(EncodeDate(2026, 3, 5) + EncodeTime(8, 5, 0)), "05.03.2026 8:05:00");
  EXPECT_EQ(DocDateTimeText(EncodeDate(2026, 3, 5)), "05.03.2026");
  EXPECT_EQ(MinutesTimeText(90), "1:30:00");
  EXPECT_EQ(WordsText(0.4), "nula");
  EXPECT_EQ(WordsText(-1250), "minus jedentisícdvěstěpadesát");
}

TEST_F(TBuilderTest, WritingReplacesSafely) {
  namespace sfs = std::filesystem;
  sfs::create_directories(Dir() + "invoice");
  WriteFileBytes(Dir() + "invoice/1.html", "old");
  WriteFileBytes(Dir() + "invoice/1.PDF", "%PDF old");
  Tzaznam record = RecordWithItems({Item(1, 10, 1, "x")});
  TBuiltDocument doc = Build(record);
  ASSERT_TRUE(WriteDocument(doc, VirtualFile("invoice\\1.html")));
  EXPECT_EQ(ReadData("invoice/1.html"), doc.text + "\r\n");
  EXPECT_EQ(ReadFileBytes(Dir() + "invoice/1.PDF"), converter.writes);
  ASSERT_EQ(converter.runs.size(), 1u);

  // A converter that leaves no PDF: reported, and no stale PDF stays.
  converter.writes = "garbage";
  converter.exitCode = 1;
  converter.output = "Loading page\nError: Failed to load about:blank\n";
  ASSERT_TRUE(WriteDocument(doc, VirtualFile("invoice\\1.html")));
  EXPECT_FALSE(Exists("invoice/1.PDF"));
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_NE(notifier.shown[0].text.find("Failed to load about:blank"), std::string::npos);
  EXPECT_EQ(notifier.shown[0].text.find("Loading page"), std::string::npos);

  // A document that cannot be written keeps the old one; nothing is left behind.
  sfs::create_directories(Dir() + "invoice/2.html");
  EXPECT_FALSE(WriteDocument(doc, VirtualFile("invoice\\2.html")));
  EXPECT_TRUE(sfs::is_directory(Dir() + "invoice/2.html"));
  size_t entries = 0;
  for (const auto& e : sfs::directory_iterator(Dir() + "invoice")) entries += e.path().filename().string()[0] == '.';
  EXPECT_EQ(entries, 0u);
}

}  // namespace
