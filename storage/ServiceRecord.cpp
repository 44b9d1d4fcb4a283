#include "storage/ServiceRecord.h"

#include <cstring>

#include "storage/Coding.h"
#include "storage/PriceRounding.h"

namespace {

enum : int {
  kOffID = 0, kOffGlobalId = 4, kOffCarID = 64, kOffKm = 68, kOffDate = 72, kOffKind = 80,
  kOffPopis = 84, kOffMaterial = 88, kOffPriceWrk = 92, kOffPriceMat = 96, kOffTime = 100,
  kOffDuration = 104, kOffInvoiceNr = 108, kOffContractNr = 112, kOffReceiptNr = 116,
  kOffSimpleInvoiceNr = 120, kOffInvoiceNrText = 164, kOffSimpleInvoiceNrText = 196,
  kOffContractNrText = 228, kOffReceiptNrText = 260, kOffSortDate = 420, kOffFlags = 424,
  kOffReservedInts = 548, kReservedInts = 32,
};

const char* const kKindWords[] = {"DONE", "PLAN", "PLAN_NOWARN", "ORDER", "REFUEL", "TRIP"};

}  // namespace

void InitRecord(Tzaznam& r, int32_t carID, int32_t kind) {
  r = Tzaznam{};
  TzaznamDb& d = r.db;
  d.image.fill(0);
  d.ID = -1;
  d.carID = carID;
  d.kind = kind;
  d.km = -1;
  d.date = Today();
  d.popisBLOBID = d.materialBLOBID = -1;
  d.priceWrk = d.priceMat = 0;
  d.time = 0;
  d.duration = -1;
  d.invoiceNr = d.contractNr = d.receiptNr = d.simpleInvoiceNr = -1;
  d.flags = 0;
  for (int i = 0; i < kReservedInts; ++i) EncodeInt32(d.image.data() + kOffReservedInts + 4 * i, -1);
  EncodeRecord(d, d.image.data());
}

void DecodeRecord(const uint8_t* b, TzaznamDb& d) {
  std::memcpy(d.image.data(), b, kRecordWidth);
  d.ID = DecodeInt32(b + kOffID);
  d.globalId = DecodeCountedString(b + kOffGlobalId, 31);
  d.carID = DecodeInt32(b + kOffCarID);
  d.km = DecodeInt32(b + kOffKm);
  d.date = DecodeDouble(b + kOffDate);
  d.kind = DecodeInt32(b + kOffKind);
  d.popisBLOBID = DecodeInt32(b + kOffPopis);
  d.materialBLOBID = DecodeInt32(b + kOffMaterial);
  d.priceWrk = DecodeFloat(b + kOffPriceWrk);
  d.priceMat = DecodeFloat(b + kOffPriceMat);
  d.time = DecodeInt32(b + kOffTime);
  d.duration = DecodeInt32(b + kOffDuration);
  d.invoiceNr = DecodeInt32(b + kOffInvoiceNr);
  d.contractNr = DecodeInt32(b + kOffContractNr);
  d.receiptNr = DecodeInt32(b + kOffReceiptNr);
  d.simpleInvoiceNr = DecodeInt32(b + kOffSimpleInvoiceNr);
  d.invoiceNrText = DecodeCountedString(b + kOffInvoiceNrText, 31);
  d.simpleInvoiceNrText = DecodeCountedString(b + kOffSimpleInvoiceNrText, 31);
  d.contractNrText = DecodeCountedString(b + kOffContractNrText, 31);
  d.receiptNrText = DecodeCountedString(b + kOffReceiptNrText, 31);
  d.sortDate = DecodeInt32(b + kOffSortDate);
  d.flags = DecodeFixed32(b + kOffFlags);
}

void DecodeRecordHead(const uint8_t* b, TRecordHead& h) {
  h.ID = DecodeInt32(b + kOffID);
  h.carID = DecodeInt32(b + kOffCarID);
  h.km = DecodeInt32(b + kOffKm);
  h.date = DecodeDouble(b + kOffDate);
  h.kind = DecodeInt32(b + kOffKind);
  h.sortDate = DecodeInt32(b + kOffSortDate);
  h.flags = DecodeFixed32(b + kOffFlags);
}

void EncodeRecord(const TzaznamDb& d, uint8_t* b) {
  if (b != d.image.data()) std::memcpy(b, d.image.data(), kRecordWidth);
  EncodeInt32(b + kOffID, d.ID);
  EncodeCountedString(b + kOffGlobalId, 31, d.globalId);
  EncodeInt32(b + kOffCarID, d.carID);
  EncodeInt32(b + kOffKm, d.km);
  EncodeDouble(b + kOffDate, d.date);
  EncodeInt32(b + kOffKind, d.kind);
  EncodeInt32(b + kOffPopis, d.popisBLOBID);
  EncodeInt32(b + kOffMaterial, d.materialBLOBID);
  EncodeFloat(b + kOffPriceWrk, d.priceWrk);
  EncodeFloat(b + kOffPriceMat, d.priceMat);
  EncodeInt32(b + kOffTime, d.time);
  EncodeInt32(b + kOffDuration, d.duration);
  EncodeInt32(b + kOffInvoiceNr, d.invoiceNr);
  EncodeInt32(b + kOffContractNr, d.contractNr);
  EncodeInt32(b + kOffReceiptNr, d.receiptNr);
  EncodeInt32(b + kOffSimpleInvoiceNr, d.simpleInvoiceNr);
  EncodeCountedString(b + kOffInvoiceNrText, 31, d.invoiceNrText);
  EncodeCountedString(b + kOffSimpleInvoiceNrText, 31, d.simpleInvoiceNrText);
  EncodeCountedString(b + kOffContractNrText, 31, d.contractNrText);
  EncodeCountedString(b + kOffReceiptNrText, 31, d.receiptNrText);
  EncodeInt32(b + kOffSortDate, d.sortDate);
  EncodeFixed32(b + kOffFlags, d.flags);
}

std::string KindToText(int32_t kind) {
  if (kind < kKindDone || kind > kKindTrip) return "";
  return kKindWords[kind - 1];
}

bool TextToKind(const std::string& text, int32_t& kind) {
  for (int32_t k = kKindDone; k <= kKindTrip; ++k) {
    if (text == kKindWords[k - 1]) {
      kind = k;
      return true;
    }
  }
  kind = kKindDone;
  return false;
}

std::string NumberOrText(int32_t number, const std::string& text) {
  return number < 1 ? text : std::to_string(number);
}

TDateTime RecordDate(const TzaznamDb& d) { return d.sortDate >= 1 ? static_cast<TDateTime>(d.sortDate) : d.date; }

TDateTime RecordDate(const TRecordHead& h) { return h.sortDate >= 1 ? static_cast<TDateTime>(h.sortDate) : h.date; }

double RecordPrice(const TzaznamDb& d, bool withVAT, bool includeLabour, double vatRatePercent, bool includeMaterial) {
  const float rate = static_cast<float>(vatRatePercent);
  float sum = 0;
  if (includeLabour) {
    sum += d.priceWrk;
    if (withVAT && !(d.flags & kFlagNoLaborVAT)) sum += d.priceWrk * rate / 100.0f;
  }
  if (includeMaterial) {
    sum += d.priceMat;
    if (withVAT) sum += d.priceMat * rate / 100.0f;
  }
  return RoundPrice(sum);
}
