#include "ui/DocumentServices.h"

#include "documents/RecordDocuments.h"
#include "ui/ContractForm.h"
#include "ui/InvoiceForm.h"

void AddDocumentServices(TRecordWindowServices& services) {
  services.editDocument = [](QWidget* parent, const Tautomobil& vehicle, const TContactRecord& owner,
                             Tzaznam& record, int document) {
    switch (document) {
      case rdContract: return EditContract(parent, vehicle, owner, record);
      case rdReceipt: return EditReceipt(parent, vehicle, owner, record);
      case rdInvoice: return EditInvoice(parent, vehicle, owner, record, 0);
      case rdSimpleInvoice: return EditInvoice(parent, vehicle, owner, record, 1);
    }
    return false;
  };
  services.showDocument = [](const Tzaznam& record, int document) {
    switch (document) {
      case rdContract: ShowContract(record); break;
      case rdReceipt: ShowReceipt(record); break;
      case rdInvoice: ShowInvoice(record, 0); break;
      case rdSimpleInvoice: ShowInvoice(record, 1); break;
    }
  };
}
