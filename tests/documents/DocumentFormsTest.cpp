#include <gtest/gtest.h>

#include "documents/ContractForm.h"
#include "documents/DocInfo.h"
#include "documents/InvoiceForm.h"
#include "documents/ReceiptForm.h"
#include "documents/ValueFormats.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/DocumentFixture.h"

namespace {

class TFormsTest : public TDocumentTest {
 protected:
  void SetUp() override {
    TDocumentTest::SetUp();
    InstallShippedData();
    InitVehicle(vehicle);
    vehicle.ID = 3;
    vehicle.manufacturer = "Škoda";
    vehicle.model = "Fabia";
    vehicle.tag = "2B3 4567";
    InitContact(customer);
    customer.ID = 5;
    customer.surname = "Malá";
    customer.firstName = "Eva";
    record = RecordWithItems({Item(kItemActivity, 200, 1.5, "Výměna oleje"), Item(kItemMaterial, 250, 4, "Olej"),
                              Item(kItemMaterial, 180.40, 1, "Filtr")});
  }
  std::string Stored(const std::string& relative) { return ReadData(relative); }
  Tautomobil vehicle;
  TContactRecord customer;
  Tzaznam record;
};

TEST_F(TFormsTest, InvoiceIsIssuedAndReopenedWithEverything) {
  TInvoiceFormState s = OpenInvoiceForm(record, 0);
  EXPECT_EQ(s.caption, "Vytvořit fakturu");
  EXPECT_TRUE(s.existingNumber.empty());
  EXPECT_EQ(s.number, "20260001");
  EXPECT_EQ(s.variableSymbol, "20260001");
  EXPECT_EQ(s.itemsPerPage, "20");
  EXPECT_EQ(s.fee, "0");
  EXPECT_EQ(s.dateMaturity, s.dateCreated);
  EXPECT_FALSE(s.signatureEnabled);  // no signature picture set
  EXPECT_FALSE(s.includeSignature);

  s.paymentMethod = pmTransfer;
  ApplyPaymentRule(s);
  EXPECT_EQ(s.dateMaturity, s.dateCreated + 14);
  UseBankAccount(s, 1);
  EXPECT_EQ(s.accountNr, "987654321/0300");
  s.fee = "155";
  s.feePct = "1,5";
  s.proforma = true;
  s.orderNumber = "OBJ 7 & 8";
  s.fontSize = 12;
  s.itemsPerPage = "15";
  s.includeVehicleInfo = false;
  TIssueResult r = IssueInvoice(s, vehicle, customer, record, true);
  ASSERT_TRUE(r.done);
  EXPECT_TRUE(r.recordChanged);
  EXPECT_EQ(record.db.invoiceNr, -1);
  EXPECT_EQ(record.db.invoiceNrText, "20260001");
  EXPECT_TRUE(Exists("invoice/20260001.html"));
  EXPECT_TRUE(Exists("invoice/20260001.PDF"));
  EXPECT_EQ(desktop.documents, std::vector<std::string>{Dir() + "invoice/20260001.PDF"});
  const std::string html = Stored("invoice/20260001.html");
  EXPECT_EQ(html.find("Proforma faktura č."), html.find("Proforma faktura č."));
  EXPECT_NE(html.find("Proforma faktura č."), std::string::npos);

  TInvoiceFormState again = OpenInvoiceForm(record, 0);
  EXPECT_EQ(again.existingNumber, "20260001");
  EXPECT_EQ(again.number, "20260001");
  EXPECT_TRUE(again.proforma);
  EXPECT_FALSE(again.includeVehicleInfo);
  EXPECT_EQ(again.orderNumber, "OBJ 7 & 8");
  EXPECT_EQ(again.fee, "155,00");  // exactly, not rounded to two digits
  EXPECT_EQ(again.feePct, "1,50");
  EXPECT_EQ(again.fontSize, 12);
  EXPECT_EQ(again.itemsPerPage, "15");
  EXPECT_EQ(again.paymentMethod, pmTransfer);
  EXPECT_EQ(again.accountNr, "987654321/0300");
  EXPECT_EQ(again.bank, "Banka B");
  EXPECT_EQ(again.variableSymbol, "20260001");
  EXPECT_EQ(again.dateMaturity, again.dateCreated + 14);

  TDocInfo info;
  ASSERT_TRUE(LoadDocInfo(VirtualFile("invoice\\20260001.html"), info));
  EXPECT_TRUE(info.Proforma);
  EXPECT_EQ(info.RecordId, 7);
  EXPECT_EQ(info.VehicleId, 3);
  EXPECT_EQ(info.CustomerId, 5);
  EXPECT_EQ(info.Label, "Škoda Fabia (2B3 4567); Malá, Eva; Výměna oleje; ");

  // Issuing again under the same number asks first; "No" keeps the window.
  notifier.shown.clear();
  notifier.Script({TMsgAnswer::No});
  EXPECT_FALSE(IssueInvoice(again, vehicle, customer, record, false).done);
  EXPECT_EQ(notifier.shown.at(0).text, "Doklad s číslem 20260001 již existuje. Chcete jej opravdu přepsat?");
  EXPECT_EQ(notifier.shown[0].defaultAnswer, TMsgAnswer::No);
  EXPECT_EQ(Stored("invoice/20260001.html"), html);

  // A new number; the earlier document is deleted on request.
  again.number = "20260002";
  notifier.Script({TMsgAnswer::Yes});
  TIssueResult moved = IssueInvoice(again, vehicle, customer, record, false);
  ASSERT_TRUE(moved.done);
  EXPECT_TRUE(moved.recordChanged);
  EXPECT_EQ(notifier.shown.back().text, "Chcete smazat původní fakturu \"20260001\"?");
  EXPECT_FALSE(Exists("invoice/20260001.html"));
  EXPECT_FALSE(Exists("invoice/20260001.PDF"));
  EXPECT_EQ(record.db.invoiceNrText, "20260002");
}

TEST_F(TFormsTest, AnotherRecordsDocumentIsNotReopened) {
  TInvoiceFormState s = OpenInvoiceForm(record, 1);
  EXPECT_EQ(s.caption, "Vytvořit zjednodušený daňový doklad");
  EXPECT_FALSE(s.proformaAllowed);
  s.fee = "20";
  ASSERT_TRUE(IssueInvoice(s, vehicle, customer, record, false).done);
  EXPECT_TRUE(Exists("invoice_simple/20260001.html"));
  EXPECT_EQ(OpenInvoiceForm(record, 0).number, "20260001");  // invoices number on their own

  Tzaznam other = record;
  other.db.ID = 8;
  TInvoiceFormState o = OpenInvoiceForm(other, 1);
  EXPECT_TRUE(o.existingNumber.empty());
  EXPECT_EQ(o.number, "20260002");
  EXPECT_EQ(o.fee, "0");

  // Without a record ID (the earlier format) a document counts as the record's.
  WriteData("invoice_simple/77.html", "<!--PARAM_BEGIN(%TRANSACTION_FEE%)-->33<!--PARAM_END-->");
  other.db.simpleInvoiceNr = 77;
  EXPECT_EQ(OpenInvoiceForm(other, 1).existingNumber, "77");
  EXPECT_EQ(OpenInvoiceForm(other, 1).fee, "33,00");

  // A damaged document: an error naming the file, then the defaults.
  WriteData("invoice_simple/77.html", "<!--PARAM_BEGIN(%TRANSACTION_FEE%)-->1O0<!--PARAM_END-->");
  notifier.shown.clear();
  TInvoiceFormState damaged = OpenInvoiceForm(other, 1);
  ASSERT_EQ(notifier.shown.size(), 1u);
  EXPECT_NE(notifier.shown[0].text.find(Dir() + "invoice_simple/77.html"), std::string::npos);
  EXPECT_EQ(damaged.fee, "0");
  EXPECT_EQ(damaged.existingNumber, "77");
}

TEST_F(TFormsTest, InvoiceInputIsCheckedAndClamped) {
  TInvoiceFormState s = OpenInvoiceForm(record, 0);
  s.feePct = "150";
  s.fee = "-5";
  s.fontSize = 40;
  TDocumentInfo info = InvoiceDocumentInfo(s, vehicle, customer, record);
  EXPECT_EQ(info.TransactionFeePct, 100);
  EXPECT_EQ(info.TransactionFee, 0);
  EXPECT_EQ(info.FontSize, 30);

  struct TCase {
    std::string number, itemsPerPage, message;
  };
  const TCase bad[] = {{"1", "dvacet", "Nesprávná hodnota \"Položek na stránku\""},
                       {"", "20", "Zadejte číslo dokladu."},
                       {".1", "20", "Číslo dokladu nesmí začínat tečkou."},
                       {std::string(32, '1'), "20", "Číslo dokladu může mít nejvýše 31 znaků."}};
  for (const TCase& c : bad) {
    s.number = c.number;
    s.itemsPerPage = c.itemsPerPage;
    notifier.shown.clear();
    EXPECT_FALSE(IssueInvoice(s, vehicle, customer, record, false).done);
    ASSERT_EQ(notifier.shown.size(), 1u);
    EXPECT_EQ(notifier.shown[0].text, c.message);
  }
  EXPECT_EQ(record.db.invoiceNrText, "");

  vehicle.model = std::string(60, 'x');
  std::string label = InvoiceLabel(vehicle, customer, record);
  EXPECT_EQ(Utf8Length(label), 80u);
  EXPECT_EQ(label.substr(label.size() - 3), "...");
  customer.surname = "A&B";
  vehicle.model = "";
  EXPECT_NE(InvoiceLabel(vehicle, customer, record).find("A&amp;B"), std::string::npos);
}

TEST_F(TFormsTest, JobSheetRoundTrip) {
  record.db.time = 8 * 60 + 30;
  record.db.duration = -1;
  record.db.priceWrk = 300;
  record.db.priceMat = 1180.4f;
  TContractFormState s = OpenContractForm(record);
  EXPECT_EQ(s.number, "1");
  EXPECT_EQ(s.expectedWorkPrice, "300,00");
  EXPECT_EQ(s.expectedMatPrice, "1180,40");
  EXPECT_EQ(s.overtaken, EncodeDate(2026, 3, 2) + EncodeTime(8, 30, 0));
  EXPECT_EQ(s.expectedFinish, s.overtaken);  // no duration
  EXPECT_TRUE(PriceFieldsVisible(s));

  s.failureDescription = "Klepe to & drnčí\r\nvlevo <vpředu>";
  s.vehicleState = "škrábanec\r\nna dveřích";
  s.equipment = "rezerva";
  s.comment = "volat 100% předem";
  s.expectedPrice = "5000";
  s.expectedFinish = s.overtaken + 1.5;
  TIssueResult r = IssueContract(s, vehicle, customer, record, false);
  ASSERT_TRUE(r.done);
  EXPECT_TRUE(r.recordChanged);
  EXPECT_EQ(record.db.contractNrText, "1");
  const std::string html = Stored("contracts/1.html");
  EXPECT_NE(html.find("Klepe to &amp; drnčí<br/>vlevo &lt;vpředu&gt;"), std::string::npos);
  EXPECT_NE(html.find("<!--PARAM_BEGIN(%EXPECTED_WORK_PRICE%)--><!--PARAM_END-->"), std::string::npos);

  TContractFormState again = OpenContractForm(record);
  EXPECT_EQ(again.existingNumber, "1");
  EXPECT_EQ(again.failureDescription, s.failureDescription);
  EXPECT_EQ(again.vehicleState, s.vehicleState);
  EXPECT_EQ(again.equipment, "rezerva");
  EXPECT_EQ(again.comment, "volat 100% předem");
  EXPECT_EQ(again.expectedPrice, "5000");
  EXPECT_FALSE(PriceFieldsVisible(again));
  EXPECT_EQ(again.overtaken, s.overtaken);
  EXPECT_NEAR(again.expectedFinish, s.expectedFinish, 1e-6);

  // Without a total the two typed prices are summed.
  again.expectedPrice = "";
  again.expectedWorkPrice = "1000,5";
  again.expectedMatPrice = "200 Kč";
  TDocumentInfo info = ContractDocumentInfo(again, vehicle, customer, record);
  EXPECT_EQ(GetParameterValue(info.Parameters, "%EXPECTED_PRICE%", "", true), "1200,50");
  EXPECT_EQ(GetParameterValue(info.Parameters, "%EXPECTED_WORK_PRICE%", "", true), "1000,5");
}

TEST_F(TFormsTest, ReceiptCitesTheRecordsInvoice) {
  TReceiptFormState s = OpenReceiptForm(record);
  EXPECT_EQ(s.number, "1");
  TDocumentInfo info = ReceiptDocumentInfo(s, vehicle, customer, record);
  EXPECT_EQ(GetParameterValue(info.Parameters, "%INVOICE_NUMBER%", "x", true), "");
  EXPECT_EQ(GetParameterValue(info.Parameters, "%INVOICE_DATE%", "x", true), "");
  EXPECT_EQ(info.PaymentMethod, pmCash);

  struct TCase {
    const char* what;
    int32_t invoiceNr;
    const char* text;
    const char* file;
    const char* content;
    const char* number;
    const char* date;
  };
  const TCase cases[] = {
      {"a simplified tax document of the record", -1, "2026/9", "invoice_simple/2026%2F9.html",
       "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->01.03.2026<!--PARAM_END--><!--PARAM_BEGIN(%REC_ID%)-->7<!--PARAM_END-->",
       "2026/9", "01.03.2026"},
      {"0 means the text holds it", 0, "55", "invoice/55.html",
       "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->02.03.2026<!--PARAM_END-->", "55", "02.03.2026"},
      {"an invoice of another record gives no date", 66, "", "invoice/66.html",
       "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->03.03.2026<!--PARAM_END--><!--PARAM_BEGIN(%REC_ID%)-->8<!--PARAM_END-->",
       "66", ""},
  };
  for (const TCase& c : cases) {
    WriteData(c.file, c.content);
    record.db.invoiceNr = c.invoiceNr;
    record.db.invoiceNrText = c.text;
    TCitedInvoice cited = FindRecordInvoice(record);
    EXPECT_EQ(cited.number, c.number) << c.what;
    EXPECT_EQ(cited.date, c.date) << c.what;
  }

  ASSERT_TRUE(IssueReceipt(s, vehicle, customer, record, false).done);
  EXPECT_EQ(record.db.receiptNrText, "1");
  EXPECT_EQ(OpenReceiptForm(record).existingNumber, "1");
  Tzaznam other = record;
  other.db.ID = 9;
  EXPECT_EQ(OpenReceiptForm(other).number, "2");
  EXPECT_NE(Stored("receipts/1.html").find("<!--PARAM_BEGIN(%INVOICE_NUMBER%)-->66<!--PARAM_END-->"), std::string::npos);
}

}  // namespace
