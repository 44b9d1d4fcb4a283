#include "documents/DocumentRecords.h"

bool ReadOwnerContact(TCustomDb* customers, int32_t id, TContactRecord& contact) {
  InitContact(contact);
  std::string bytes;
  if (!customers || id < 0 || !customers->ReadRecord(id, bytes) || bytes.size() < static_cast<size_t>(kContactWidth))
    return false;
  DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), contact);
  return true;
}

bool LoadDocumentSubjects(TCustomRecDb& records, TCustomCarDb& cars, TCustomDb* customers, int32_t recordId,
                          Tzaznam& record, Tautomobil& vehicle, TContactRecord& customer, std::string& error) {
  if (recordId < 0 || !records.LoadCarRecord(recordId, record)) {
    error = "Záznam " + std::to_string(recordId) + " nelze načíst.";
    return false;
  }
  if (!cars.LoadCar(record.db.carID, vehicle)) {
    error = "Vozidlo " + std::to_string(record.db.carID) + " záznamu " + std::to_string(recordId) + " nelze načíst.";
    return false;
  }
  ReadOwnerContact(customers, vehicle.ownerID, customer);
  return true;
}

bool StoreDocumentNumber(TCustomRecDb& records, const Tzaznam& record, TDocumentKind kind) {
  if (record.db.ID < 0) return false;
  Tzaznam stored;
  if (!records.LoadCarRecord(record.db.ID, stored)) return false;
  TzaznamDb& s = stored.db;
  const TzaznamDb& r = record.db;
  switch (kind) {
    case TDocumentKind::Invoice: s.invoiceNr = r.invoiceNr, s.invoiceNrText = r.invoiceNrText; break;
    case TDocumentKind::SimpleInvoice:
      s.simpleInvoiceNr = r.simpleInvoiceNr, s.simpleInvoiceNrText = r.simpleInvoiceNrText;
      break;
    case TDocumentKind::Contract: s.contractNr = r.contractNr, s.contractNrText = r.contractNrText; break;
    case TDocumentKind::Receipt: s.receiptNr = r.receiptNr, s.receiptNrText = r.receiptNrText; break;
  }
  return records.SaveCarRecord(stored);
}
