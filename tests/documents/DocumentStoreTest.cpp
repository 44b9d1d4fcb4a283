#include <gtest/gtest.h>

#include "documents/DocInfo.h"
#include "documents/DocumentRegister.h"
#include "documents/DocumentStore.h"
#include "storage/Errors.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/DocumentFixture.h"

namespace {

using TDocumentStoreTest = TDocumentTest;

TEST_F(TDocumentStoreTest, Numbering) {
  struct TCase {
    const char* what;
    std::vector<std::string> files;
    int year;
    const char* expected;
  };
  const TCase cases[] = {
      {"highest of the year plus one", {"20260001.html", "20260017.html", "2026x.html", "20250099.html"}, 2026,
       "20260018"},
      {"an empty folder", {}, 2026, "20260001"},
      {"a new year", {"20250099.html"}, 2026, "20260001"},
      {"a number with a slash does not count", {"20260003.html", "2026%2F0900.html"}, 2026, "20260004"},
      {"more than four digits", {"202612345.html"}, 2026, "202612346"},
  };
  for (const TCase& c : cases) {
    std::filesystem::remove_all(Dir() + "invoice");
    std::filesystem::create_directories(Dir() + "invoice");
    for (const std::string& f : c.files) WriteFileBytes(Dir() + "invoice/" + f, "x");
    EXPECT_EQ(NextDocumentNumber("invoice", c.year), c.expected) << c.what;
  }
  for (const char* f : {"7.html", "12.html", "12.1.html", "2026-5.html"}) WriteFileBytes(Dir() + "contracts/" + f, "x");
  EXPECT_EQ(NextSequenceNumber("contracts"), "13");
  std::filesystem::remove_all(Dir() + "receipts");
  WriteFileBytes(Dir() + "receipts/2026-5.html", "x");
  EXPECT_EQ(NextSequenceNumber("receipts"), "1");

  EXPECT_EQ(StoredDocument(TDocumentKind::Invoice, "2026/15").name, "invoice\\2026%2F15.html");
  EXPECT_EQ(DocumentFileName("2026/15", 0).name, "");
  WriteFileBytes(Dir() + "invoice/2026%2F15.html", "x");
  EXPECT_EQ(DocumentFileName("2026/15", 0).name, "invoice\\2026%2F15.html");
  EXPECT_THROW(DocumentFileName("1", 2), EAssertionFailed);

  EXPECT_EQ(DocumentNumberProblem("2026/15"), "");
  EXPECT_NE(DocumentNumberProblem(""), "");
  EXPECT_NE(DocumentNumberProblem(".hidden"), "");
  EXPECT_EQ(DocumentNumberProblem(std::string(31, '9')), "");
  EXPECT_NE(DocumentNumberProblem(std::string(32, '9')), "");
}

TEST_F(TDocumentStoreTest, DeletingTakesExactlyTheDocument) {
  for (const char* f : {"12.html", "12.PDF", "12.1.html", "12.1.PDF", "120.html"})
    WriteFileBytes(Dir() + "contracts/" + f, "x");
  EXPECT_TRUE(DeleteDocumentFiles(VirtualFile("contracts\\12.html")));
  EXPECT_FALSE(Exists("contracts/12.html"));
  EXPECT_FALSE(Exists("contracts/12.PDF"));
  EXPECT_TRUE(Exists("contracts/12.1.html"));
  EXPECT_TRUE(Exists("contracts/12.1.PDF"));
  EXPECT_TRUE(Exists("contracts/120.html"));
  EXPECT_FALSE(DeleteDocumentFiles(VirtualFile("")));
  EXPECT_TRUE(Exists("contracts/120.html"));
}

TEST_F(TDocumentStoreTest, DocInfoOfBothFormats) {
  WriteData("invoice/20260001.html",
            "<p><!--PARAM_BEGIN(%DOCUMENT_DATE%)-->05.03.2026<!--PARAM_END--></p>"
            "<!--PARAM_BEGIN(%LABEL%)-->Škoda (1A2); R&amp;D; oprava &amp;x<!--PARAM_END-->"
            "<!--PARAM_BEGIN(%PROFORM_INVOICE%)-->1<!--PARAM_END--><!--PARAM_BEGIN(%VEH_ID%)-->4<!--PARAM_END-->"
            "<!--PARAM_BEGIN(%CUS_ID%)-->x<!--PARAM_END--><!--PARAM_BEGIN(%REC_ID%)-->77<!--PARAM_END-->");
  TDocInfo info;
  ASSERT_TRUE(LoadDocInfo(VirtualFile("invoice\\20260001.html"), info));
  EXPECT_EQ(info.Date, static_cast<int32_t>(EncodeDate(2026, 3, 5)));
  EXPECT_EQ(info.Label, "Škoda (1A2); R&D; oprava &x");  // an unknown "&…" is kept
  EXPECT_TRUE(info.Proforma);
  EXPECT_EQ(info.VehicleId, 4);
  EXPECT_EQ(info.CustomerId, -1);
  EXPECT_EQ(info.RecordId, 77);

  WriteData("invoice/2004-1.html", "<html>\r\n<!--LABEL:38000||Oprava brzd-->\r\n</html>");
  ASSERT_TRUE(LoadDocInfo(VirtualFile("invoice\\2004-1.html"), info));
  EXPECT_EQ(info.Date, static_cast<int32_t>(EncodeDate(2004, 1, 14)));
  EXPECT_EQ(info.Label, "Oprava brzd");
  EXPECT_EQ(info.RecordId, -1);

  WriteData("invoice/2003-7.html", "<!--LABEL:bez data\r\n<!--LABEL:xx||Výměna oleje-->");
  ASSERT_TRUE(LoadDocInfo(VirtualFile("invoice\\2003-7.html"), info));
  EXPECT_EQ(info.Label, "xx||Výměna oleje");  // the last line wins; no date in it
  EXPECT_EQ(info.Date, static_cast<int32_t>(EncodeDate(2003, 1, 1)));

  EXPECT_FALSE(LoadDocInfo(VirtualFile("invoice\\none.html"), info));
  EXPECT_EQ(info.Date, kDocInfoNoDate);
}

TEST_F(TDocumentStoreTest, RegisterAndMonthFilter) {
  WriteData("invoice/2026%2F1.html", "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->05.03.2026<!--PARAM_END-->"
                                     "<!--PARAM_BEGIN(%LABEL%)-->a<!--PARAM_END-->"
                                     "<!--PARAM_BEGIN(%PROFORM_INVOICE%)-->1<!--PARAM_END-->");
  WriteData("invoice/2.html", "<!--PARAM_BEGIN(%DOCUMENT_DATE%)-->20.12.2025<!--PARAM_END-->");
  WriteData("invoice/3.html", "<!--LABEL:0||bez data-->");
  WriteFileBytes(Dir() + "invoice/empty.html", "");
  TDocumentRegister reg = ReadDocumentRegister("invoice");
  ASSERT_EQ(reg.rows.size(), 3u);
  ASSERT_EQ(reg.failed.size(), 1u);
  EXPECT_EQ(reg.failed[0], Dir() + "invoice/empty.html");
  EXPECT_EQ(RegisterFailureText(reg.failed), "Nepodařilo se načíst tyto soubory:\n" + Dir() + "invoice/empty.html\n");
  const TDocumentRow* slash = nullptr;
  for (const TDocumentRow& r : reg.rows)
    if (r.path == "invoice\\2026%2F1.html") slash = &r;
  ASSERT_NE(slash, nullptr);
  EXPECT_EQ(slash->number, "2026/1 (proforma)");
  EXPECT_EQ(slash->dateText, "05.03.2026");

  std::vector<TMonthEntry> months = RegisterMonths(Today());
  ASSERT_EQ(months.size(), 120u);
  EXPECT_EQ(months.front().text, "4/2016");
  EXPECT_EQ(months.back().text, "3/2026");
  const int from = FirstMonthOfYearIndex(Today());
  EXPECT_EQ(months[from].text, "1/2026");
  // This year: the March invoice and the undated one.
  EXPECT_EQ(FilterRows(reg.rows, months[from], months.back()).size(), 2u);
  EXPECT_EQ(FilterRows(reg.rows, months[from - 1], months[from - 1]).size(), 2u);  // December 2025
}

}  // namespace

#include "documents/RecordDocuments.h"

namespace {

TEST_F(TDocumentStoreTest, RecordDocumentsPanel) {
  auto none = RecordDocumentsView(nullptr, true);
  for (const TRecordDocumentView& v : none) EXPECT_TRUE(v.number.empty() && !v.canCreate && !v.canEdit && !v.canShow);
  EXPECT_EQ(none[rdReceipt].caption, "Přijmový doklad:");

  Tzaznam r;
  InitRecord(r, 1, kKindDone);
  r.db.ID = 7;
  r.db.contractNrText = "3";                   // its own
  r.db.receiptNr = 4;                          // another record's
  r.db.invoiceNrText = "2026/1";               // no record named: its own
  r.db.simpleInvoiceNrText = "20260009";       // missing
  WriteData("contracts/3.html", "<!--PARAM_BEGIN(%REC_ID%)-->7<!--PARAM_END-->");
  WriteData("receipts/4.html", "<!--PARAM_BEGIN(%REC_ID%)-->8<!--PARAM_END-->");
  WriteData("invoice/2026%2F1.html", "<!--PARAM_BEGIN(%PROFORM_INVOICE%)-->1<!--PARAM_END-->");
  auto v = RecordDocumentsView(&r, true);
  EXPECT_EQ(v[rdContract].number, "3");
  EXPECT_TRUE(v[rdContract].present && v[rdContract].canShow && v[rdContract].canEdit && !v[rdContract].canCreate);
  EXPECT_EQ(v[rdReceipt].number, "4");
  EXPECT_TRUE(v[rdReceipt].missing && !v[rdReceipt].canShow && v[rdReceipt].canEdit);
  EXPECT_TRUE(v[rdInvoice].present);
  EXPECT_EQ(v[rdInvoice].caption, "Proforma faktura:");
  EXPECT_TRUE(v[rdSimpleInvoice].missing);

  // With VAT paid, labour without VAT gets only a job sheet.
  Tzaznam fresh;
  InitRecord(fresh, 1, kKindDone);
  fresh.db.flags = kFlagNoLaborVAT;
  v = RecordDocumentsView(&fresh, true);
  EXPECT_TRUE(v[rdContract].canCreate);
  EXPECT_FALSE(v[rdReceipt].canCreate || v[rdInvoice].canCreate || v[rdSimpleInvoice].canCreate);
  v = RecordDocumentsView(&fresh, false);
  EXPECT_TRUE(v[rdInvoice].canCreate);
  fresh.damaged = true;  // a record not read cleanly cannot take a number
  EXPECT_FALSE(RecordDocumentsView(&fresh, false)[rdContract].canCreate);
}

}  // namespace
