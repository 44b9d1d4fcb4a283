#include "documents/InvoiceForm.h"

#include <algorithm>

#include "documents/DocumentBuilder.h"
#include "documents/DocumentPictures.h"
#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"
#include "documents/ValueFormats.h"
#include "shell/Config.h"
#include "storage/FileSystemSetup.h"
#include "storage/Notifier.h"
#include "storage/NumberText.h"
#include "storage/TextFiles.h"

namespace {

const char* const kInvoicePageTemplate = "templates\\invoice.html";

// The template's defaults (its blocks), or the plain defaults when even the
// template cannot be read.
void LoadTemplateDefaults(TDocumentInfo& info) {
  try {
    LoadDocumentInfo(info, ReadTextFile(VirtualFile(kInvoicePageTemplate), ""));
  } catch (const EConvertError&) {
    LoadDocumentInfo(info, "");
  }
}

}  // namespace

std::string InvoiceCaption(int type) {
  InvoiceKind(type);
  return type == 0 ? "Vytvořit fakturu" : "Vytvořit zjednodušený daňový doklad";
}

TInvoiceFormState OpenInvoiceForm(const Tzaznam& record, int type) {
  TInvoiceFormState s;
  const TDocumentKind kind = InvoiceKind(type);
  s.type = type;
  s.caption = InvoiceCaption(type);
  s.proformaAllowed = type == 0;

  std::string existing = RecordDocumentNumber(record.db, kind);
  const S_FileName file = DocumentFileName(existing, kind);
  const std::string text = ReadTextFile(file, "");
  // A number whose document was made for another record is not this
  // record's; a missing document keeps its number so it can be issued again.
  if (!existing.empty() && !text.empty() && !DocumentBelongsTo(text, record.db.ID)) existing.clear();

  TDocumentInfo info;
  bool reopened = false;
  if (!existing.empty() && !text.empty()) {
    try {
      LoadDocumentInfo(info, text);
      const TParameters& p = info.Parameters;
      s.proforma = GetParameterValue(p, "%PROFORM_INVOICE%", "0", false) == "1";
      s.includeVehicleInfo = GetParameterValue(p, "%INCLUDE_VEHICLE_INFO%", "1", false) == "1";
      s.includeSignature = GetParameterValue(p, "%INCLUDE_SIGNATURE%", "1", false) == "1";
      s.orderNumber = GetParameterValue(p, "%ORDER_NUMBER%", "", false);
      s.variableSymbol = info.TransactionId;
      s.feePct = MoneyText(info.TransactionFeePct);
      s.fee = MoneyText(info.TransactionFee);
      for (int size : kInvoiceFontSizes)
        if (size == info.FontSize) s.fontSize = size;
      reopened = true;
    } catch (const EConvertError& e) {
      ReportDamagedDocument(file, e.what());
    }
  }
  if (!reopened) {
    LoadTemplateDefaults(info);
    s.proforma = false;
    s.includeVehicleInfo = true;
    s.includeSignature = true;
    s.orderNumber.clear();
    s.feePct = "0";
    s.fee = "0";
  }
  if (!s.proformaAllowed) s.proforma = false;

  s.signatureEnabled = SignaturePictureAvailable();
  if (!s.signatureEnabled) s.includeSignature = false;

  s.itemsPerPage = GetParameterValue(info.Parameters, "%MAX_ITEMS_PER_PAGE%", "20", true);

  s.existingNumber = existing;
  if (!existing.empty()) {
    s.number = existing;
    if (s.variableSymbol.empty()) s.variableSymbol = existing;
  } else {
    s.number = NextDocumentNumber(InvoiceFolder(type), DecodeDate(Today()).year);
    s.variableSymbol = s.number;
  }

  s.bank = info.BankName;
  s.accountNr = info.AccountNumber;
  s.iban = info.Iban;
  s.paymentMethod = info.PaymentMethod;
  s.dateCreated = info.DocumentDate;
  s.dateMaturity = info.PayDate;
  ApplyPaymentRule(s);
  return s;
}

void ApplyPaymentRule(TInvoiceFormState& s) {
  s.dateMaturity = s.paymentMethod == pmTransfer ? s.dateCreated + 14 : s.dateCreated;
}

bool BankFieldsVisible(const TInvoiceFormState& s) { return s.paymentMethod == pmTransfer; }

void UseBankAccount(TInvoiceFormState& s, int account) {
  if (account < 0 || account > 3) return;
  const TConfig& c = Config();
  s.bank = c.bankName[account];
  s.accountNr = c.accountNr[account];
  s.iban = c.iban[account];
}

TDocumentInfo InvoiceDocumentInfo(const TInvoiceFormState& s, const Tautomobil& vehicle,
                                  const TContactRecord& customer, const Tzaznam& record) {
  const TConfig& c = Config();
  TDocumentInfo info;
  LoadDocumentInfo(info, "");
  info.DocumentNumber = s.number;
  info.Label = InvoiceLabel(vehicle, customer, record);
  info.DocumentDate = s.dateCreated;
  info.PayDate = s.dateMaturity;
  info.BankName = s.bank;
  info.AccountNumber = s.accountNr;
  info.Iban = s.iban;
  info.TransactionId = s.variableSymbol;
  info.TransactionFeePct = static_cast<float>(std::clamp(ParseNumber(s.feePct, 0), 0.0, 100.0));
  info.TransactionFee = static_cast<float>(std::clamp(ParseNumber(s.fee, 0), 0.0, 10000.0));
  info.FontSize = std::clamp(s.fontSize, 5, 30);
  long long perPage = ParseInteger(s.itemsPerPage, -1);
  info.MaxItemsPerPage = static_cast<int>(std::clamp<long long>(perPage, -1, 65535));
  info.PaymentMethod = s.paymentMethod == pmTransfer ? pmTransfer : s.paymentMethod == pmCard ? pmCard : pmCash;

  TParameters& p = info.Parameters;
  if (s.type == 1) {
    AddParameter(p, "%INVOICE_TYPE%", c.simpleinvoicename, pfUnmarked);
    AddParameter(p, "%PROFORM_INVOICE%", "0", 0);
  } else {
    AddParameter(p, "%INVOICE_TYPE%", s.proforma ? c.proforminvoicename : c.invoicename, pfUnmarked);
    AddParameter(p, "%PROFORM_INVOICE%", s.proforma ? "1" : "0", 0);
  }
  AddParameter(p, "%INCLUDE_VEHICLE_INFO%", s.includeVehicleInfo ? "1" : "0", 0);
  AddParameter(p, "%VEHICLE_CLASS%", ClassText(s.includeVehicleInfo), pfRaw | pfUnmarked);
  AddParameter(p, "%INCLUDE_SIGNATURE%", s.includeSignature ? "1" : "0", 0);
  AddParameter(p, "%ORDER_NUMBER%", s.orderNumber, 0);
  AddParameter(p, "%ORDER_CLASS%", ClassText(!s.orderNumber.empty()), pfRaw | pfUnmarked);
  return info;
}

bool CreateInvoiceDocument(const TInvoiceFormState& state, const S_FileName& output, const Tautomobil& vehicle,
                           const TContactRecord& customer, const Tzaznam& record) {
  return BuildStoredDocument(InvoiceTemplates(), InvoiceDocumentInfo(state, vehicle, customer, record), vehicle,
                             customer, record, output);
}

TIssueResult IssueInvoice(const TInvoiceFormState& s, const Tautomobil& vehicle, const TContactRecord& customer,
                          Tzaznam& record, bool show) {
  TIssueResult result;
  const TDocumentKind kind = InvoiceKind(s.type);
  if (!IsInteger(s.itemsPerPage)) {
    ShowMessage("Chyba", "Nesprávná hodnota \"Položek na stránku\"", TMsgIcon::Warning);
    return result;
  }
  S_FileName output = PrepareOutput(kind, s.number, "Doklad s číslem " + s.number + " již existuje. Chcete jej opravdu přepsat?");
  if (output.name.empty()) return result;
  if (!CreateInvoiceDocument(s, output, vehicle, customer, record)) return result;
  result.done = true;
  result.document = output;
  if (s.number != s.existingNumber) {
    result.recordChanged = true;
    SetRecordDocumentNumber(record.db, kind, s.number);
    if (!s.existingNumber.empty() &&
        AskYesNo("Dotaz", "Chcete smazat původní fakturu \"" + s.existingNumber + "\"?", false)) {
      S_FileName old = DocumentFileName(s.existingNumber, kind);
      if (!old.name.empty() && !DeleteDocumentFiles(old))
        ShowMessage("Chyba", "Původní doklad \"" + old.RealPath() + "\" se nepodařilo smazat.", TMsgIcon::Error);
    }
  }
  if (show) ShowDocument(output);
  return result;
}
