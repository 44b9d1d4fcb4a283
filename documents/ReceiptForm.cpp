#include "documents/ReceiptForm.h"

#include "documents/DocInfo.h"
#include "documents/DocumentBuilder.h"
#include "documents/DocumentStore.h"
#include "documents/PdfConversion.h"
#include "documents/ValueFormats.h"
#include "storage/TextFiles.h"

TReceiptFormState OpenReceiptForm(const Tzaznam& record) {
  TReceiptFormState s;
  std::string existing = RecordDocumentNumber(record.db, TDocumentKind::Receipt);
  if (!existing.empty()) {
    std::string text = ReadTextFile(DocumentFileName(existing, TDocumentKind::Receipt), "");
    if (!text.empty() && !DocumentBelongsTo(text, record.db.ID)) existing.clear();
  }
  s.existingNumber = existing;
  s.number = existing.empty() ? NextSequenceNumber(DocumentFolder(TDocumentKind::Receipt)) : existing;
  return s;
}

TCitedInvoice FindRecordInvoice(const Tzaznam& record) {
  TCitedInvoice cited;
  cited.number = RecordDocumentNumber(record.db, TDocumentKind::Invoice);
  if (cited.number.empty()) return cited;
  for (TDocumentKind kind : {TDocumentKind::Invoice, TDocumentKind::SimpleInvoice}) {
    S_FileName file = DocumentFileName(cited.number, kind);
    if (file.name.empty()) continue;
    TDocInfo info;
    if (!LoadDocInfo(file, info)) continue;
    // An invoice of that number made for another record is not this one's.
    if (info.RecordId != -1 && info.RecordId != record.db.ID) continue;
    if (info.Date >= 1) cited.date = DocDateText(info.Date);
    break;
  }
  return cited;
}

TDocumentInfo ReceiptDocumentInfo(const TReceiptFormState& s, const Tautomobil& vehicle,
                                  const TContactRecord& customer, const Tzaznam& record) {
  TDocumentInfo info;
  LoadDocumentInfo(info, "");
  const TCitedInvoice cited = FindRecordInvoice(record);
  AddParameter(info.Parameters, "%INVOICE_NUMBER%", cited.number, 0);
  AddParameter(info.Parameters, "%INVOICE_DATE%", cited.date, 0);
  info.DocumentNumber = s.number;
  info.DocumentDate = Now();
  info.PaymentMethod = pmCash;
  info.Label = JobLabel(vehicle, customer, record);
  return info;
}

bool CreateReceiptDocument(const TReceiptFormState& s, const S_FileName& output, const Tautomobil& vehicle,
                           const TContactRecord& customer, const Tzaznam& record) {
  return BuildStoredDocument(ReceiptTemplates(), ReceiptDocumentInfo(s, vehicle, customer, record), vehicle, customer,
                             record, output);
}

TIssueResult IssueReceipt(const TReceiptFormState& s, const Tautomobil& vehicle, const TContactRecord& customer,
                          Tzaznam& record, bool show) {
  return IssueNumberedDocument(
      TDocumentKind::Receipt, s.number,
      "Příjmový doklad s číslem " + s.number + " již existuje. Chcete jej opravdu přepsat?", record, show,
      [&](const S_FileName& output) { return CreateReceiptDocument(s, output, vehicle, customer, record); });
}
