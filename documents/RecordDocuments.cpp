#include "documents/RecordDocuments.h"

#include "documents/DocInfo.h"
#include "documents/DocumentIssue.h"

namespace {

const char* const kCaptions[4] = {"Zakázkový list:", "Přijmový doklad:", "Faktura:", "Zjednodušený d. d.:"};

}  // namespace

TDocumentKind RecordDocumentKind(int document) {
  switch (document) {
    case rdContract: return TDocumentKind::Contract;
    case rdReceipt: return TDocumentKind::Receipt;
    case rdInvoice: return TDocumentKind::Invoice;
    case rdSimpleInvoice: return TDocumentKind::SimpleInvoice;
  }
  GARVEL_ASSERT(false, "Invalid document", "RecordDocuments");
  return TDocumentKind::Invoice;
}

std::array<TRecordDocumentView, 4> RecordDocumentsView(const Tzaznam* r, bool taxPaid) {
  std::array<TRecordDocumentView, 4> views;
  for (int i = 0; i < 4; ++i) {
    TRecordDocumentView& v = views[static_cast<size_t>(i)];
    v.caption = kCaptions[i];
    if (!r) continue;
    const TDocumentKind kind = RecordDocumentKind(i);
    v.number = RecordDocumentNumber(r->db, kind);
    if (!v.number.empty()) {
      TDocInfo info;
      v.present = LoadDocInfo(DocumentFileName(v.number, kind), info) &&
                  (info.RecordId == r->db.ID || info.RecordId == -1);
      v.missing = !v.present;
      if (i == rdInvoice && v.present && info.Proforma) v.caption = "Proforma faktura:";
    }
    const bool labourWithoutVat = taxPaid && (r->db.flags & kFlagNoLaborVAT) != 0;
    v.canEdit = !v.number.empty() && !r->damaged;
    v.canCreate = v.number.empty() && !r->damaged && (i == rdContract || !labourWithoutVat);
    v.canShow = v.present;
  }
  return views;
}
