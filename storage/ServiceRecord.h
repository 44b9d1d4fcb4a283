#pragma once
// The service record, `Tzaznam`: the 680-byte on-disk part `db` (a record of
// db_records.dat, table tag "REC") followed in memory by the description and
// material texts (blobs of db_rec_blob.dat). A vehicle's records travel
// together as `AZaznamy`.
//
// Layout of `db` (little-endian):
//    0  64  header: ID int32, globalId string[31], 28 reserved zero bytes
//   64   4  carID int32        68   4  km int32          72   8  date
//   80   4  kind int32         84   4  popisBLOBID       88   4  materialBLOBID
//   92   4  priceWrk single    96   4  priceMat single  100   4  time (minutes)
//  104   4  duration int32    108   4  invoiceNr        112   4  contractNr
//  116   4  receiptNr         120   4  simpleInvoiceNr  124  40  reserved
//  164  32  invoiceNrText string[31]        196  32  simpleInvoiceNrText
//  228  32  contractNrText                  260  32  receiptNrText
//  292 128  reserved          420   4  sortDate int32  424   4  flags uint32
//  428 120  reserved          548 128  32 reserved int32 (-1 in new records)
//  676   4  reserved

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/DateTime.h"

inline constexpr int kRecordWidth = 680;

// Record kinds.
enum : int32_t {
  kKindDone = 1,
  kKindPlan = 2,
  kKindPlanNoWarn = 3,
  kKindOrder = 4,
  kKindRefuel = 5,
  kKindTrip = 6,
};

// Flag bits.
enum : uint32_t {
  kFlagUnpaid = 1,      // the record is not paid
  kFlagNoLaborVAT = 2,  // the labour price is not subject to VAT
};

struct TzaznamDb {
  int32_t ID = -1;
  std::string globalId;
  int32_t carID = -1;
  int32_t km = -1;
  TDateTime date = 0;
  int32_t kind = 0;
  int32_t popisBLOBID = -1;
  int32_t materialBLOBID = -1;
  float priceWrk = 0;
  float priceMat = 0;
  int32_t time = 0;
  int32_t duration = -1;
  int32_t invoiceNr = -1;
  int32_t contractNr = -1;
  int32_t receiptNr = -1;
  int32_t simpleInvoiceNr = -1;
  std::string invoiceNrText;
  std::string simpleInvoiceNrText;
  std::string contractNrText;
  std::string receiptNrText;
  int32_t sortDate = 0;
  uint32_t flags = 0;

  // The record as last read or initialised; bytes without an assigned meaning
  // travel through a read-modify-write unchanged.
  std::array<uint8_t, kRecordWidth> image{};
};

struct Tzaznam {
  TzaznamDb db;
  std::string description;
  std::string material;
  // In memory only: a text of the record could not be read in full, so the
  // texts hold only what was read. Such a record is never written back or
  // erased by the record store.
  bool damaged = false;
};

using AZaznamy = std::vector<Tzaznam>;

// The few fixed fields that scans over every record look at (due dates,
// kinds, payment), decoded without the strings and the image so that a pass
// over all records stays cheap.
struct TRecordHead {
  int32_t ID = -1;
  int32_t carID = -1;
  int32_t km = -1;
  TDateTime date = 0;
  int32_t kind = 0;
  int32_t sortDate = 0;
  uint32_t flags = 0;
};

// Every byte zero and both texts empty, then ID -1, carID and kind as given,
// km -1, today's date, no blobs, duration -1, the four document numbers -1
// and the 32 reserved int32 -1.
void InitRecord(Tzaznam& record, int32_t carID, int32_t kind);

void DecodeRecord(const uint8_t* bytes, TzaznamDb& db);
void EncodeRecord(const TzaznamDb& db, uint8_t* bytes);
void DecodeRecordHead(const uint8_t* bytes, TRecordHead& head);

// "DONE", "PLAN", "PLAN_NOWARN", "ORDER", "REFUEL", "TRIP"; empty otherwise.
std::string KindToText(int32_t kind);
// Exact comparison; an unknown word gives kind 1 and false.
bool TextToKind(const std::string& text, int32_t& kind);

// The text if the number is below 1, else the number in decimal.
std::string NumberOrText(int32_t number, const std::string& text);

// sortDate as a date when it is 1 or more, else date.
TDateTime RecordDate(const TzaznamDb& db);
TDateTime RecordDate(const TRecordHead& head);

// Labour and/or material, with VAT when asked (labour VAT only when the
// noLaborVAT flag is clear), summed in single precision, then RoundPrice.
double RecordPrice(const TzaznamDb& db, bool withVAT, bool includeLabour, double vatRatePercent,
                   bool includeMaterial);
