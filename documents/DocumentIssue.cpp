#include "documents/DocumentIssue.h"

#include "documents/DocumentInfo.h"
#include "documents/PdfConversion.h"
#include "documents/TemplateProcessor.h"
#include "servicebook/Activities.h"
#include "shell/Config.h"
#include "storage/Codec.h"
#include "storage/Coding.h"
#include "storage/FileSystemSetup.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

namespace {

std::string VehiclePart(const Tautomobil& v) {
  return TruncateChars(v.manufacturer, 255) + " " + TruncateChars(v.model, 255) + " (" + TruncateChars(v.tag, 255) +
         "); ";
}

}  // namespace

std::string ActivitiesLabelText(const Tzaznam& record) {
  std::string text;
  TActRecordList items;
  if (DecodeActivities(record.description, items)) {
    for (const TActRecord& a : items)
      if (a.itemType == kItemActivity) text += TrimBlanks(a.text) + "; ";
  } else {
    const TConfig& c = Config();
    text = FormatActivities(record.db.kind, record.db.flags, record.description, -1, "", "; ", '\0',
                            TVatSettings{c.taxpaid, c.taxrate});
  }
  return ReplaceAll(text, "\r\n", ", ");
}

std::string InvoiceLabel(const Tautomobil& vehicle, const TContactRecord& customer, const Tzaznam& record) {
  std::string label = VehiclePart(vehicle) + CustomerDisplayName(customer) + "; " + ActivitiesLabelText(record);
  if (Utf8Length(label) > 80) label = TruncateChars(label, 77) + "...";
  return EncodeHtml(label);
}

std::string JobLabel(const Tautomobil& vehicle, const TContactRecord& customer, const Tzaznam& record) {
  return EncodeHtml(VehiclePart(vehicle) + customer.surname + ", " + customer.firstName + "; " +
                    ActivitiesLabelText(record));
}

std::string RecordDocumentNumber(const TzaznamDb& r, TDocumentKind kind) {
  switch (kind) {
    case TDocumentKind::Invoice: return NumberOrText(r.invoiceNr, r.invoiceNrText);
    case TDocumentKind::SimpleInvoice: return NumberOrText(r.simpleInvoiceNr, r.simpleInvoiceNrText);
    case TDocumentKind::Contract: return NumberOrText(r.contractNr, r.contractNrText);
    case TDocumentKind::Receipt: return NumberOrText(r.receiptNr, r.receiptNrText);
  }
  return "";
}

const std::string& RecordDocumentNumberText(const TzaznamDb& r, TDocumentKind kind) {
  switch (kind) {
    case TDocumentKind::Invoice: return r.invoiceNrText;
    case TDocumentKind::SimpleInvoice: return r.simpleInvoiceNrText;
    case TDocumentKind::Contract: return r.contractNrText;
    case TDocumentKind::Receipt: return r.receiptNrText;
  }
  return r.invoiceNrText;
}

void SetRecordDocumentNumber(TzaznamDb& r, TDocumentKind kind, const std::string& number) {
  std::string text = TruncateChars(number, kMaxDocumentNumber);
  switch (kind) {
    case TDocumentKind::Invoice: r.invoiceNr = -1, r.invoiceNrText = text; break;
    case TDocumentKind::SimpleInvoice: r.simpleInvoiceNr = -1, r.simpleInvoiceNrText = text; break;
    case TDocumentKind::Contract: r.contractNr = -1, r.contractNrText = text; break;
    case TDocumentKind::Receipt: r.receiptNr = -1, r.receiptNrText = text; break;
  }
}

bool DocumentBelongsTo(const std::string& documentText, int32_t recordId) {
  int32_t id = ParameterId(ReadTemplateParameters(documentText), "%REC_ID%");
  return id == -1 || id == recordId;
}

S_FileName PrepareOutput(TDocumentKind kind, const std::string& number, const std::string& overwriteQuestion) {
  S_FileName none = VirtualFile("");
  std::string problem = DocumentNumberProblem(number);
  if (!problem.empty()) {
    ShowMessage("Chyba", problem, TMsgIcon::Warning);
    return none;
  }
  const std::string folder = DocumentFolder(kind);
  if (!GetVirtualFS().ForceDirectories(folder + "\\")) {
    ShowMessage("Chyba", "Nelze vytvořit složku \"" + GetVirtualFS().GetRealPath(folder + "\\") + "\".",
                TMsgIcon::Error);
    return none;
  }
  S_FileName output = StoredDocument(kind, number);
  if (GetVirtualFS().FileOrDirExists(output.name, fdFile) &&
      ShowMessage("Upozornění", overwriteQuestion, TMsgIcon::Warning, mbYesNo, TMsgAnswer::No) != TMsgAnswer::Yes)
    return none;
  return output;
}

bool BuildStoredDocument(const TTemplateSet& t, const TDocumentInfo& info, const Tautomobil& vehicle,
                         const TContactRecord& customer, const Tzaznam& record, const S_FileName& output) {
  if (BuildDocument(t.page, t.labourRow, t.materialRow, record, customer, vehicle, info, output, t.footer, t.header))
    return true;
  ShowMessage("Chyba", "Ukládání souboru \"" + output.RealPath() + "\" selhalo.", TMsgIcon::Error);
  return false;
}

TIssueResult IssueNumberedDocument(TDocumentKind kind, const std::string& number,
                                   const std::string& overwriteQuestion, Tzaznam& record, bool show,
                                   const std::function<bool(const S_FileName& output)>& create) {
  TIssueResult result;
  S_FileName output = PrepareOutput(kind, number, overwriteQuestion);
  if (output.name.empty() || !create(output)) return result;
  result.done = true;
  result.document = output;
  if (number != RecordDocumentNumberText(record.db, kind)) {
    result.recordChanged = true;
    SetRecordDocumentNumber(record.db, kind, number);
  }
  if (show) ShowDocument(output);
  return result;
}

void ReportDamagedDocument(const S_FileName& file, const std::string& what) {
  LogError("Damaged document " + file.RealPath() + ": " + what, false);
  ShowMessage("Chyba",
              "Uložený doklad \"" + file.RealPath() + "\" je poškozený (" + what +
                  "). Okno použije výchozí hodnoty.",
              TMsgIcon::Error);
}
