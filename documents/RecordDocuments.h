#pragma once
// What the records window shows of the selected record's four documents
// (job sheet, receipt, invoice, simplified tax document): the numbers,
// whether each stored document is there and belongs to the record, and which
// of "Vytvořit", "Upravit", "Zobrazit" apply.

#include <array>
#include <string>

#include "documents/DocumentStore.h"
#include "storage/ServiceRecord.h"

// The panel's order.
enum : int { rdContract = 0, rdReceipt = 1, rdInvoice = 2, rdSimpleInvoice = 3 };
TDocumentKind RecordDocumentKind(int document);

struct TRecordDocumentView {
  std::string caption;  // "Zakázkový list:", …, "Proforma faktura:" for a present proforma
  std::string number;   // empty: none issued
  bool present = false;  // the stored document exists and is the record's (or names no record)
  bool missing = false;  // a number without its document: shown red and struck out
  bool canCreate = false;
  bool canEdit = false;
  bool canShow = false;
};

// `selected` null: nothing selected. With the workshop paying VAT, a record
// whose labour is without VAT gets no receipt, invoice or simplified tax
// document. A record that was not read cleanly gets no new document.
std::array<TRecordDocumentView, 4> RecordDocumentsView(const Tzaznam* selected, bool taxPaid);
