// garvelctl dump: every customer, vehicle and record of a database folder as
// JSON lines in UTF-8, fields named as in the record layouts. The first key,
// "entity", says what the line describes, so that no field of a record can
// take its place (a customer has a field "type" of its own).
//
// The tables are read in runs of slots with the blobs of each run fetched
// together, and the lines leave through one large buffer.
#include <cstdio>
#include <string>

#include "app/garvelctl/Commands.h"
#include "app/garvelctl/DatabaseFolder.h"
#include "app/garvelctl/JsonLine.h"
#include "catalogues/ContactRecord.h"
#include "storage/SlotScan.h"

namespace {

void DumpCustomers(TCustomDb& customers, TJsonWriter& out) {
  ScanLiveSlots(customers, [&](const std::vector<const uint8_t*>& slots) {
    for (const uint8_t* bytes : slots) {
      TContactRecord c;
      DecodeContact(bytes, c);
      TJsonLine line(out, "customer");
      line.N("ID", c.ID).S("globalId", c.globalId).S("surname", c.surname).S("firstName", c.firstName)
          .S("street", c.street).S("city", c.city).S("phones", c.phones).S("email", c.email).S("other", c.other)
          .S("ico", c.ico).S("dic", c.dic).S("company", c.company).N("type", c.type).N("kind", c.kind);
    }
  });
}

void DumpVehicles(TCustomCarDb& cars, TJsonWriter& out) {
  std::vector<Tautomobil> vehicles;
  std::vector<int32_t> blobs;
  ScanLiveSlots(cars, [&](const std::vector<const uint8_t*>& slots) {
    vehicles.resize(slots.size());
    blobs.clear();
    for (size_t i = 0; i < slots.size(); ++i) {
      DecodeVehicle(slots[i], vehicles[i]);
      ApplyVehicleReadCorrections(vehicles[i]);
      blobs.push_back(vehicles[i].commentsBLOBID);
    }
    cars.Blobs().Prefetch(blobs);
    for (Tautomobil& v : vehicles) {
      if (!cars.Blobs().LoadBLOBText(v.commentsBLOBID, v.comments)) continue;  // as LoadCar fails
      TJsonLine line(out, "vehicle");
      line.N("ID", v.ID).S("globalId", v.globalId).S("tag", v.tag).S("manufacturer", v.manufacturer)
          .S("model", v.model).S("subtype", v.subtype).S("engine", v.engine).S("color", v.color).N("year", v.year)
          .S("vin", v.vin).S("engineNumber", v.engineNumber).N("commentsBLOBID", v.commentsBLOBID)
          .N("ownerID", v.ownerID).N("lastService", v.lastService).N("month", v.month)
          .N("archived", v.archived).S("comments", v.comments);
    }
  });
}

void DumpRecords(TCustomRecDb& records, TJsonWriter& out) {
  std::vector<Tzaznam> list;
  std::vector<int32_t> blobs;
  ScanLiveSlots(records, [&](const std::vector<const uint8_t*>& slots) {
    list.resize(slots.size());
    blobs.clear();
    for (size_t i = 0; i < slots.size(); ++i) {
      DecodeRecord(slots[i], list[i].db);
      blobs.push_back(list[i].db.popisBLOBID);
      blobs.push_back(list[i].db.materialBLOBID);
    }
    records.Blobs().Prefetch(blobs);
    for (Tzaznam& r : list) {
      bool ok = records.Blobs().LoadBLOBText(r.db.popisBLOBID, r.description);
      ok = records.Blobs().LoadBLOBText(r.db.materialBLOBID, r.material) && ok;
      if (!ok) continue;  // as LoadCarRecord fails
      const TzaznamDb& d = r.db;
      TJsonLine line(out, "record");
      line.N("ID", d.ID).S("globalId", d.globalId).N("carID", d.carID).N("km", d.km).N("date", d.date)
          .N("kind", d.kind).N("popisBLOBID", d.popisBLOBID).N("materialBLOBID", d.materialBLOBID)
          .N("priceWrk", d.priceWrk).N("priceMat", d.priceMat).N("time", d.time).N("duration", d.duration)
          .N("invoiceNr", d.invoiceNr).N("contractNr", d.contractNr).N("receiptNr", d.receiptNr)
          .N("simpleInvoiceNr", d.simpleInvoiceNr).S("invoiceNrText", d.invoiceNrText)
          .S("simpleInvoiceNrText", d.simpleInvoiceNrText).S("contractNrText", d.contractNrText)
          .S("receiptNrText", d.receiptNrText).N("sortDate", d.sortDate).N("flags", d.flags)
          .S("description", r.description).S("material", r.material);
    }
  });
}

}  // namespace

int CmdDump(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "Použití: garvelctl dump SLOŽKA\n");
    return 2;
  }
  TDatabaseFolder db(argv[0]);
  if (!db.Open()) return 1;
  TJsonWriter out(stdout);
  if (db.stores.customers) DumpCustomers(*db.stores.customers, out);
  DumpVehicles(*db.stores.cars, out);
  DumpRecords(*db.stores.records, out);
  out.Flush();
  return std::ferror(stdout) ? 1 : 0;
}

namespace {
const TCtlRegistration kRegisterDump(
    "dump", "vypíše zákazníky, vozidla a záznamy databáze jako řádky JSON",
    "SLOŽKA", CmdDump);
}  // namespace
