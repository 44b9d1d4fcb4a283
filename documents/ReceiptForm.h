#pragma once
// The receipt window's rules ("příjmový doklad"): a receipt for a cash
// payment, citing the record's invoice.

#include <string>

#include "catalogues/ContactRecord.h"
#include "documents/DocumentInfo.h"
#include "documents/DocumentIssue.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

struct TReceiptFormState {
  std::string existingNumber;
  std::string number;
};

TReceiptFormState OpenReceiptForm(const Tzaznam& record);

// The record's invoice number and the date of its document, looked for among
// invoices, then simplified tax documents; the date is empty when there is
// no such document of this record (or of no record) or its date is unknown.
struct TCitedInvoice {
  std::string number;
  std::string date;
};
TCitedInvoice FindRecordInvoice(const Tzaznam& record);

TDocumentInfo ReceiptDocumentInfo(const TReceiptFormState& state, const Tautomobil& vehicle,
                                  const TContactRecord& customer, const Tzaznam& record);
bool CreateReceiptDocument(const TReceiptFormState& state, const S_FileName& output, const Tautomobil& vehicle,
                           const TContactRecord& customer, const Tzaznam& record);
TIssueResult IssueReceipt(const TReceiptFormState& state, const Tautomobil& vehicle, const TContactRecord& customer,
                          Tzaznam& record, bool show);
