#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "documents/DocumentBuilder.h"
#include "documents/TemplateProcessor.h"
#include "storage/FileSystemSetup.h"
#include "tests/support/DocumentFixture.h"

namespace {

std::string RawTemplate(const std::string& name) {
  std::ifstream in(std::string(GARVEL_SOURCE_DATA_DIR) + "/templates/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const std::vector<std::string> kInvoiceSet = {"invoice_header.html", "invoice.html", "invoice_item.html",
                                              "invoice_material.html", "invoice_footer.html"};
const std::vector<std::string> kContractSet = {"contract.html", "contract_item.html", "contract_material.html"};
const std::vector<std::string> kReceiptSet = {"receipt.html", "receipt_item.html", "receipt_material.html"};

std::string SetText(const std::vector<std::string>& set) {
  std::string text;
  for (const std::string& f : set) text += Cp1250ToUtf8(RawTemplate(f));
  return text;
}

// True when the name stands in text, not inside a tag (a marked value in an
// attribute would break the markup).
bool OutsideTags(const std::string& text, const std::string& name) {
  bool any = false;
  for (size_t p = text.find(name); p != std::string::npos; p = text.find(name, p + 1)) {
    size_t open = text.rfind('<', p), close = text.rfind('>', p);
    if (open != std::string::npos && (close == std::string::npos || close < open)) return false;
    any = true;
  }
  return any;
}

TEST(ShippedTemplates, WellFormedAndComplete) {
  std::set<std::string> all;
  for (const auto* set : {&kInvoiceSet, &kContractSet, &kReceiptSet}) {
    for (const std::string& f : *set) {
      const std::string raw = RawTemplate(f);
      ASSERT_FALSE(raw.empty()) << f;
      for (unsigned char c : raw) EXPECT_TRUE(c != 0x81 && c != 0x83 && c != 0x88 && c != 0x90 && c != 0x98) << f;
      const std::string text = Cp1250ToUtf8(raw);
      size_t begins = 0, ends = 0;
      for (size_t p = text.find(kParamBegin); p != std::string::npos; p = text.find(kParamBegin, p + 1)) ++begins;
      for (size_t p = text.find(kParamEnd); p != std::string::npos; p = text.find(kParamEnd, p + 1)) ++ends;
      EXPECT_EQ(begins, ends) << f;
      TParameters blocks = ReadTemplateParameters(text);
      EXPECT_EQ(blocks.size(), begins) << f;
      for (const TParameter& p : blocks) EXPECT_NO_THROW(DecodeHtml(p.Value)) << f << " " << p.Name;
      std::regex name("%[A-Z_]+%");
      for (auto it = std::sregex_iterator(text.begin(), text.end(), name); it != std::sregex_iterator(); ++it)
        all.insert(it->str());
    }
  }
  const char* const kEveryName[] = {
      "%VEH_TAG%", "%VEH_MAKE%", "%VEH_MODEL%", "%VEH_SUBMODEL%", "%VEH_ENGINE%", "%VEH_COLOR%", "%VEH_YEAR%",
      "%VEH_VIN%", "%VEH_ENGCODE%", "%VEH_COMMENTS%", "%VEH_ID%", "%CUS_SURENAME%", "%CUS_FIRSTNAME%", "%CUS_NAME%",
      "%CUS_STREET%", "%CUS_CITY%", "%CUS_PHONES%", "%CUS_EMAIL%", "%CUS_OTHERCONTACT%", "%CUS_ICO%", "%CUS_DIC%",
      "%CUS_ID%", "%REC_KM%", "%REC_DATE%", "%REC_KIND%", "%REC_PRICEWRK%", "%REC_PRICEMAT%", "%REC_TIME%",
      "%REC_DURATION%", "%REC_INVOICENR%", "%REC_CONTRACTNR%", "%REC_RECEIPTNR%", "%REC_DESCRIPTION%", "%REC_ID%",
      "%CURRENCY%", "%ITEM_NAME%", "%ITEM_AMOUNT%", "%TAX_PERCENT%", "%ITEM_TAX%", "%ITEM_TOTAL_PRICE_TAX%",
      "%ITEM_PRICE%", "%ITEM_TOTAL_PRICE%", "%FONT_SIZE%", "%FONT_SIZE_PRIV%", "%MAX_ITEMS_PER_PAGE%",
      "%LAST_PAGE_CLASS%", "%MULTI_PAGE_CLASS%", "%PAGE_STR%", "%DOCUMENT_NUMBER%", "%DOCUMENT_DATE%",
      "%INVOICE_PAYDATE%", "%LABEL%", "%PAYMENT_METHOD_ID%", "%TOTAL_PRICE%", "%TOTAL_TAX_PRICE%",
      "%TOTAL_TAX_PRICE_WORDS%", "%TOTAL_TAX%", "%ROUNDING%", "%ROUNDING_CLASS%", "%SUP_EMAIL%", "%SUP_PHONE%",
      "%SUP_DIC%", "%SUP_ICO%", "%SUP_CITY%", "%SUP_STREET%", "%SUP_NAME%", "%SUP_WWW%", "%INVOICE_ITEMS%",
      "%VEHICLE%", "%VAT_CLASS%", "%VAT_LAST_PAGE_CLASS%", "%VAT_PERCENT%", "%PAYMENT_INFO_CLASS%", "%IBAN_CLASS%",
      "%PAYMENT_METHOD%", "%BANK_NAME%", "%ACCOUNT_NUMBER%", "%IBAN%", "%TRANSACTION_ID%", "%TRANSACTION_FEE_PCT%",
      "%TRANSACTION_FEE%", "%LOGO_PATH%", "%SIGNATURE_PATH%", "%PAGE_NUMBER%", "%NUM_PAGES%", "%INVOICE_TYPE%",
      "%PROFORM_INVOICE%", "%INCLUDE_VEHICLE_INFO%", "%VEHICLE_CLASS%", "%INCLUDE_SIGNATURE%", "%ORDER_NUMBER%",
      "%ORDER_CLASS%", "%OVERTAKE_DATE%", "%EXPECTED_FINISH%", "%VEHICLE_STATE%", "%VEHICLE_EQUIPMENT%", "%COMMENT%",
      "%FAILURE_DESCRIPTION%", "%EXPECTED_WORK_PRICE%", "%EXPECTED_MAT_PRICE%", "%EXPECTED_PRICE%",
      "%INVOICE_NUMBER%", "%INVOICE_DATE%", "%PDF_SCALE%"};
  for (const char* n : kEveryName) EXPECT_TRUE(all.count(n)) << n << " is used nowhere";
  for (const std::string& n : all)
    EXPECT_NE(std::find_if(std::begin(kEveryName), std::end(kEveryName), [&](const char* k) { return n == k; }),
              std::end(kEveryName))
        << n << " is not a parameter";
}

TEST(ShippedTemplates, EachSetKeepsWhatIsReadBack) {
  struct TSet {
    const std::vector<std::string>* files;
    std::vector<std::string> readBack;
  };
  const std::vector<std::string> common = {"%LABEL%", "%DOCUMENT_DATE%", "%PAYMENT_METHOD_ID%", "%FONT_SIZE%",
                                           "%VEH_ID%", "%CUS_ID%", "%REC_ID%"};
  std::vector<std::string> invoice = common;
  for (const char* n : {"%INVOICE_PAYDATE%", "%TRANSACTION_FEE_PCT%", "%TRANSACTION_FEE%", "%PROFORM_INVOICE%",
                        "%INCLUDE_VEHICLE_INFO%", "%INCLUDE_SIGNATURE%", "%ORDER_NUMBER%", "%BANK_NAME%",
                        "%ACCOUNT_NUMBER%", "%IBAN%", "%TRANSACTION_ID%"})
    invoice.push_back(n);
  std::vector<std::string> contract = common;
  for (const char* n : {"%OVERTAKE_DATE%", "%EXPECTED_FINISH%", "%VEHICLE_STATE%", "%VEHICLE_EQUIPMENT%", "%COMMENT%",
                        "%FAILURE_DESCRIPTION%", "%EXPECTED_WORK_PRICE%", "%EXPECTED_MAT_PRICE%", "%EXPECTED_PRICE%"})
    contract.push_back(n);
  const TSet sets[] = {{&kInvoiceSet, invoice}, {&kContractSet, contract}, {&kReceiptSet, common}};
  for (const TSet& s : sets) {
    // The document starts with the character set its bytes are in.
    EXPECT_NE(RawTemplate(s.files->front()).substr(0, 200).find("charset=windows-1250"), std::string::npos)
        << s.files->front();
    const std::string text = SetText(*s.files);
    for (const std::string& n : s.readBack) EXPECT_TRUE(OutsideTags(text, n)) << s.files->front() << " " << n;
    const TParameters blocks = ReadTemplateParameters(text);
    EXPECT_EQ(std::count_if(blocks.begin(), blocks.end(), [](const TParameter& p) { return p.Name == "%MAX_ITEMS_PER_PAGE%"; }), 1)
        << s.files->front();
    for (const TParameter& p : blocks) {
      // Bank fields stay bare: a cash document must not store them empty.
      EXPECT_TRUE(p.Name != "%BANK_NAME%" && p.Name != "%ACCOUNT_NUMBER%" && p.Name != "%IBAN%" &&
                  p.Name != "%TRANSACTION_ID%");
      if (p.Name == "%ITEM_TAX%" || p.Name == "%ITEM_TOTAL_PRICE_TAX%") {
        EXPECT_EQ(p.Value, "");
      }
    }
    for (const std::string& f : *s.files)
      if (f.find("_item") != std::string::npos || f.find("_material") != std::string::npos)
        for (const char* n : {"%ITEM_TAX%", "%ITEM_TOTAL_PRICE_TAX%"}) {
          const std::string row = Cp1250ToUtf8(RawTemplate(f));
          if (row.find(n) != std::string::npos) {
            EXPECT_NE(row.find(std::string(kParamBegin) + n + ")-->"), std::string::npos) << f << " " << n;
          }
        }
  }
}

using TShippedBuildTest = TDocumentTest;

// Every placeholder of the shipped sets is filled; only the bank fields of a
// document paid in cash stay as names (in the hidden payment box).
TEST_F(TShippedBuildTest, NothingLeftUnfilled) {
  InstallShippedData();
  Tautomobil v;
  InitVehicle(v);
  TContactRecord c;
  InitContact(c);
  Tzaznam r = RecordWithItems({Item(0, 100, 1, "a"), Item(1, 10, 2, "b")});
  for (const TTemplateSet& set : {InvoiceTemplates(), ContractTemplates(), ReceiptTemplates()}) {
    TDocumentInfo info;
    LoadDocumentInfo(info, "");
    for (const char* n : {"%INVOICE_TYPE%", "%PROFORM_INVOICE%", "%INCLUDE_VEHICLE_INFO%", "%VEHICLE_CLASS%",
                          "%INCLUDE_SIGNATURE%", "%ORDER_NUMBER%", "%ORDER_CLASS%", "%OVERTAKE_DATE%",
                          "%EXPECTED_FINISH%", "%VEHICLE_STATE%", "%VEHICLE_EQUIPMENT%", "%COMMENT%",
                          "%FAILURE_DESCRIPTION%", "%EXPECTED_WORK_PRICE%", "%EXPECTED_MAT_PRICE%",
                          "%EXPECTED_PRICE%", "%INVOICE_NUMBER%", "%INVOICE_DATE%"})
      AddParameter(info.Parameters, n, "x", 0);
    std::string text = BuildDocumentText(set, r, c, v, info).text;
    std::regex name("%[A-Z_]+%");
    std::set<std::string> left;
    // Names inside blocks are the markers themselves.
    std::string outside = std::regex_replace(text, std::regex("<!--PARAM_BEGIN\\(%[A-Z_]+%\\)-->"), "");
    for (auto it = std::sregex_iterator(outside.begin(), outside.end(), name); it != std::sregex_iterator(); ++it)
      left.insert(it->str());
    left.erase("%PDF_SCALE%");
    std::set<std::string> bank = {"%BANK_NAME%", "%ACCOUNT_NUMBER%", "%IBAN%", "%TRANSACTION_ID%"};
    for (const std::string& n : left) EXPECT_TRUE(bank.count(n)) << set.page.name << " leaves " << n;
  }
}

}  // namespace
