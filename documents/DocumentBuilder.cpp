#include "documents/DocumentBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "documents/DocumentPictures.h"
#include "documents/EntityParameters.h"
#include "documents/PdfConversion.h"
#include "documents/StoredFile.h"
#include "documents/ValueFormats.h"
#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/NumberText.h"
#include "storage/PriceRounding.h"
#include "storage/TextFiles.h"
#include "storage/TextUtils.h"

namespace {

constexpr long long kMaxItemsPerPage = 65535;

// What every row and page takes from the settings, read once per document.
struct TBuildSettings {
  double rate = 0;  // R: the VAT rate when the workshop pays VAT, else 0
  bool taxPaid = false;
  TPriceRounding rounding;
  std::string currency;
};

TBuildSettings ReadSettings() {
  const TConfig& c = Config();
  TBuildSettings s;
  s.taxPaid = c.taxpaid;
  s.rate = c.taxpaid ? c.taxrate : 0;
  s.rounding = TPriceRounding{c.invoicerounding, c.roundto};
  s.currency = c.currency.empty() ? CurrencyText() : c.currency;
  return s;
}

std::string WithCurrency(double value, const TBuildSettings& s) { return MoneyText(value) + " " + s.currency; }

// An item's name is escaped: names arrive in received files.
std::string ItemNameHtml(const std::string& text) { return EncodeHtmlLines(text, "<br>"); }

void AddFontParameters(TParameters& p, int fontSize) {
  AddParameter(p, "%FONT_SIZE%", std::to_string(fontSize), 0);
  AddParameter(p, "%FONT_SIZE_PRIV%", std::to_string(fontSize), pfUnmarked);
}

// A row of the item list. A count of 0 leaves the amounts blank; a negative
// count (a returned part) is shown, as it counts in the total.
std::string ItemRow(const std::string& rowTemplate, const TActRecord& item, double rate, int fontSize,
                    const TBuildSettings& s) {
  const double total = static_cast<double>(item.price) * static_cast<double>(item.count);
  TParameters p;
  AddParameter(p, "%CURRENCY%", s.currency, pfUnmarked);
  AddParameter(p, "%ITEM_NAME%", ItemNameHtml(item.text), pfRaw);
  if (item.count == 0) {
    for (const char* name : {"%ITEM_AMOUNT%", "%TAX_PERCENT%", "%ITEM_TAX%", "%ITEM_TOTAL_PRICE_TAX%", "%ITEM_PRICE%",
                             "%ITEM_TOTAL_PRICE%"})
      AddParameter(p, name, "&nbsp;", pfRaw);
  } else {
    AddParameter(p, "%ITEM_AMOUNT%", AmountText(item.count), 0);
    AddParameter(p, "%TAX_PERCENT%", PercentText(rate), 0);
    AddParameter(p, "%ITEM_TAX%", MoneyText(rate / 100 * total), 0);
    AddParameter(p, "%ITEM_TOTAL_PRICE_TAX%", WithCurrency(total * (1 + rate / 100), s), 0);
    AddParameter(p, "%ITEM_PRICE%", WithCurrency(item.price, s), 0);
    AddParameter(p, "%ITEM_TOTAL_PRICE%", WithCurrency(total, s), 0);
  }
  AddFontParameters(p, fontSize);
  return ApplyTemplateParameters(rowTemplate, p);
}

// A row of a record without an item list: its labour or material text and
// price; the VAT columns stay as the template has them.
std::string PlainRow(const std::string& rowTemplate, const std::string& name, double price, double rate,
                     int fontSize, const TBuildSettings& s) {
  TParameters p;
  AddParameter(p, "%CURRENCY%", s.currency, pfUnmarked);
  AddParameter(p, "%ITEM_NAME%", ItemNameHtml(name), pfRaw);
  AddParameter(p, "%ITEM_AMOUNT%", AmountText(1), 0);
  AddParameter(p, "%TAX_PERCENT%", PercentText(rate), 0);
  AddParameter(p, "%ITEM_PRICE%", MoneyText(price), 0);
  AddParameter(p, "%ITEM_TOTAL_PRICE%", MoneyText(price), 0);
  AddFontParameters(p, fontSize);
  return ApplyTemplateParameters(rowTemplate, p);
}

int ItemsPerPage(const std::string& pageTemplate, const TDocumentInfo& info) {
  std::string text = "65535";
  for (const TParameter& p : ReadTemplateParameters(pageTemplate)) {
    if (p.Name == "%MAX_ITEMS_PER_PAGE%") {
      text = p.Value;
      break;
    }
  }
  long long n = ParseInteger(TrimBlanks(text), kMaxItemsPerPage);
  if (info.MaxItemsPerPage > 0) n = info.MaxItemsPerPage;
  return static_cast<int>(std::clamp<long long>(n, 1, kMaxItemsPerPage));
}

struct TPageState {
  int number = 1;  // from 1
  int count = 1;
  bool last = true;
  bool multiPage = false;
  std::string items;
  double base = 0, total = 0, rounding = 0;
  bool roundingVisible = false;
};

TParameters PageParameters(const TPageState& page, int itemsPerPage, const TDocumentInfo& info,
                           const Tzaznam& record, const TContactRecord& customer, const Tautomobil& vehicle,
                           const TBuildSettings& s, const std::string& logoUrl, const std::string& signatureUrl) {
  const TConfig& c = Config();
  const bool transfer = info.PaymentMethod == pmTransfer;
  TParameters p;
  AddParameter(p, "%MAX_ITEMS_PER_PAGE%", std::to_string(itemsPerPage), 0);
  AddParameter(p, "%LAST_PAGE_CLASS%", ClassText(page.last), pfRaw | pfUnmarked);
  AddParameter(p, "%MULTI_PAGE_CLASS%", ClassText(page.multiPage), pfRaw | pfUnmarked);
  AddParameter(p, "%PAGE_STR%",
               page.multiPage ? "Stránka " + std::to_string(page.number) + "/" + std::to_string(page.count) : "", 0);
  AddParameter(p, "%CURRENCY%", s.currency, pfUnmarked);
  AddParameter(p, "%DOCUMENT_NUMBER%", info.DocumentNumber, pfUnmarked);
  AddParameter(p, "%DOCUMENT_DATE%", DocDateText(info.DocumentDate), 0);
  AddParameter(p, "%INVOICE_PAYDATE%", DocDateText(info.PayDate), 0);
  AddParameter(p, "%LABEL%", info.Label, pfRaw);
  if (info.PaymentMethod <= pmTransfer) AddParameter(p, "%PAYMENT_METHOD_ID%", PaymentMethodId(info.PaymentMethod), 0);
  AddParameter(p, "%FONT_SIZE%", std::to_string(info.FontSize), 0);
  AddParameter(p, "%FONT_SIZE_PRIV%", std::to_string(info.FontSize), pfUnmarked);
  AddParameter(p, "%TOTAL_PRICE%", MoneyText(page.base), 0);
  AddParameter(p, "%TOTAL_TAX_PRICE%", MoneyText(page.total), pfUnmarked);
  AddParameter(p, "%TOTAL_TAX_PRICE_WORDS%", WordsText(page.total), pfUnmarked);
  AddParameter(p, "%TOTAL_TAX%", MoneyText(page.total - page.base), pfUnmarked);
  AddParameter(p, "%ROUNDING%", MoneyText(page.rounding), pfUnmarked);
  AddParameter(p, "%ROUNDING_CLASS%", ClassText(page.last && page.roundingVisible), pfRaw | pfUnmarked);
  AddParameter(p, "%SUP_EMAIL%", c.email, 0);
  AddParameter(p, "%SUP_PHONE%", c.phones, 0);
  AddParameter(p, "%SUP_DIC%", c.dic, 0);
  AddParameter(p, "%SUP_ICO%", c.ico, 0);
  AddParameter(p, "%SUP_CITY%", c.city + " " + c.postalCode, 0);
  AddParameter(p, "%SUP_STREET%", c.street, 0);
  AddParameter(p, "%SUP_NAME%", c.name, 0);
  AddParameter(p, "%SUP_WWW%", c.www, 0);
  AddParameter(p, "%INVOICE_ITEMS%", page.items, pfRaw);
  AddParameter(p, "%VEHICLE%", DescribeVehicle(vehicle), 0);
  AddParameter(p, "%VAT_CLASS%", ClassText(s.taxPaid), pfRaw | pfUnmarked);
  AddParameter(p, "%VAT_LAST_PAGE_CLASS%", ClassText(s.taxPaid && page.last), pfRaw | pfUnmarked);
  AddParameter(p, "%VAT_PERCENT%", PercentText(s.rate), 0);
  AddParameter(p, "%PAYMENT_INFO_CLASS%", ClassText(transfer), pfRaw | pfUnmarked);
  AddParameter(p, "%IBAN_CLASS%", ClassText(transfer && !info.Iban.empty()), pfRaw | pfUnmarked);
  AddParameter(p, "%PAYMENT_METHOD%", PaymentMethodText(info.PaymentMethod), 0);
  if (transfer) {
    AddParameter(p, "%BANK_NAME%", info.BankName, 0);
    AddParameter(p, "%ACCOUNT_NUMBER%", info.AccountNumber, 0);
    AddParameter(p, "%IBAN%", info.Iban, 0);
    AddParameter(p, "%TRANSACTION_ID%", info.TransactionId, 0);
  }
  AddParameter(p, "%TRANSACTION_FEE_PCT%", PercentText(info.TransactionFeePct), pfRaw);
  AddParameter(p, "%TRANSACTION_FEE%", MoneyText(info.TransactionFee), pfRaw);
  AddVehicleParameters(p, vehicle);
  AddCustomerParameters(p, customer);
  AddRecordParameters(p, record);
  p.insert(p.end(), info.Parameters.begin(), info.Parameters.end());
  AddParameter(p, "%LOGO_PATH%", logoUrl, pfRaw | pfUnmarked);
  AddParameter(p, "%SIGNATURE_PATH%", signatureUrl, pfRaw | pfUnmarked);
  AddParameter(p, "%PAGE_NUMBER%", std::to_string(page.number), 0);
  AddParameter(p, "%NUM_PAGES%", std::to_string(page.count), 0);
  return p;
}

}  // namespace

TTemplateSet InvoiceTemplates() {
  return TTemplateSet{VirtualFile("templates\\invoice.html"), VirtualFile("templates\\invoice_item.html"),
                      VirtualFile("templates\\invoice_material.html"), VirtualFile("templates\\invoice_footer.html"),
                      VirtualFile("templates\\invoice_header.html")};
}

TTemplateSet ContractTemplates() {
  return TTemplateSet{VirtualFile("templates\\contract.html"), VirtualFile("templates\\contract_item.html"),
                      VirtualFile("templates\\contract_material.html"), VirtualFile(""), VirtualFile("")};
}

TTemplateSet ReceiptTemplates() {
  return TTemplateSet{VirtualFile("templates\\receipt.html"), VirtualFile("templates\\receipt_item.html"),
                      VirtualFile("templates\\receipt_material.html"), VirtualFile(""), VirtualFile("")};
}

TBuiltDocument BuildDocumentText(const TTemplateSet& templates, const Tzaznam& record,
                                 const TContactRecord& customer, const Tautomobil& vehicle, const TDocumentInfo& info) {
  auto read = [](const S_FileName& f) { return f.name.empty() ? std::string() : ReadTextFile(f, ""); };
  const std::string pageTemplate = read(templates.page);
  const std::string labourTemplate = read(templates.labourRow);
  const std::string materialTemplate = read(templates.materialRow);
  const TBuildSettings s = ReadSettings();
  const int perPage = ItemsPerPage(pageTemplate, info);
  const std::string logoUrl = EncodeHtml(PictureFileUrl(LogoPicturePath()));
  const std::string signatureUrl = EncodeHtml(
      PictureFileUrl(SignaturePicturePath(GetParameterValue(info.Parameters, "%INCLUDE_SIGNATURE%", "1", true) == "1")));

  TActRecordList items;
  const bool structured = DecodeActivities(record.description, items);
  if (structured && (info.TransactionFeePct > 0 || info.TransactionFee > 0)) {
    double base = 0;  // every item, hidden ones too
    for (const TActRecord& a : items) base += static_cast<double>(a.count) * static_cast<double>(a.price);
    TActRecord fee;
    fee.itemType = kItemActivity;
    fee.price = static_cast<float>(info.TransactionFeePct * base / 100 + info.TransactionFee);
    fee.count = 1;
    fee.purchasePrice = fee.price;
    fee.text = kFeeItemText;
    fee.icon = -1;
    items.push_back(fee);
  }
  const size_t n = structured ? items.size() : 0;
  const size_t per = static_cast<size_t>(perPage);

  TBuiltDocument doc;
  doc.itemsPerPage = perPage;
  doc.pages = structured ? static_cast<int>(std::max<size_t>(1, (n + per - 1) / per)) : 1;
  const bool noLabourVat = (record.db.flags & kFlagNoLaborVAT) != 0;
  double base = 0, total = 0;
  size_t first = 0;
  int pageIndex = 0;
  do {
    TPageState page;
    page.number = pageIndex + 1;
    page.count = doc.pages;
    page.multiPage = structured && n > per;
    if (structured) {
      const size_t last = n == 0 ? 0 : (n - first > per ? first + per - 1 : n - 1);
      for (size_t i = first; n > 0 && i <= last; ++i) {
        const TActRecord& item = items[i];
        if (!item.showOnInvoice) continue;
        const bool labour = item.itemType != kItemMaterial;
        const double rate = labour && noLabourVat ? 0 : s.rate;
        page.items += ItemRow(labour ? labourTemplate : materialTemplate, item, rate, info.FontSize, s);
        const double t = static_cast<double>(item.price) * static_cast<double>(item.count);
        base += t;
        total += t * (1 + rate / 100);
      }
      first = last + 1;
      page.last = first >= n;
    } else {
      const double labourRate = noLabourVat ? 0 : s.rate;
      page.items += PlainRow(labourTemplate, record.description, record.db.priceWrk, labourRate, info.FontSize, s);
      page.items += PlainRow(materialTemplate, record.material, record.db.priceMat, s.rate, info.FontSize, s);
      if (record.db.priceWrk >= 0) {
        base = static_cast<double>(record.db.priceWrk) + static_cast<double>(record.db.priceMat);
        total = record.db.priceWrk * (1 + labourRate / 100) + record.db.priceMat * (1 + s.rate / 100);
      }
      page.last = true;
    }
    page.base = base;
    page.total = total;
    if (page.last && s.rounding.enabled) {
      const double d = RoundPrice(total, s.rounding) - total;
      if (std::fabs(d) >= 0.005) {
        page.rounding = d;
        page.total = total + d;
        page.base = base + d / (1 + s.rate / 100);
        page.roundingVisible = true;
      } else {
        page.rounding = d;
      }
    }
    if (page.last) {
      doc.base = page.base;
      doc.total = page.total;
      doc.rounding = page.rounding;
    }

    std::string pageText = pageTemplate;
    if (pageIndex == 0) pageText = read(templates.header) + pageText;
    if (page.last) pageText += read(templates.footer);
    else pageText += kPageBreak;
    doc.text += ApplyTemplateParameters(
        std::move(pageText), PageParameters(page, perPage, info, record, customer, vehicle, s, logoUrl, signatureUrl));
    ++pageIndex;
  } while (structured && first < n);
  return doc;
}

bool WriteDocument(const TBuiltDocument& document, const S_FileName& output) {
  const std::string html = output.RealPath();
  std::string error;
  if (!ReplaceFileContents(html, Utf8ToCp1250(document.text + "\r\n"), error)) {
    LogError("Document not written: " + html + " (" + error + ")", false);
    return false;
  }
  // The old PDF shows the old content: it goes before a new one is made.
  const std::string pdf = ChangeFileExt(html, ".PDF");
  std::remove(pdf.c_str());
  ConvertToPdf(RealFile(pdf), RealFile(html));
  return true;
}

bool BuildDocument(const S_FileName& pageTemplate, const S_FileName& labourRowTemplate,
                   const S_FileName& materialRowTemplate, const Tzaznam& record, const TContactRecord& customer,
                   const Tautomobil& vehicle, const TDocumentInfo& info, const S_FileName& output,
                   const S_FileName& footerTemplate, const S_FileName& headerTemplate) {
  TTemplateSet templates{pageTemplate, labourRowTemplate, materialRowTemplate, footerTemplate, headerTemplate};
  return WriteDocument(BuildDocumentText(templates, record, customer, vehicle, info), output);
}
