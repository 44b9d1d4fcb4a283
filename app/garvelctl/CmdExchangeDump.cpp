// garvelctl exchange-dump: what a received exchange file holds, decoded as
// the program reads it, as JSON lines; then each node the program would
// leave out, with the reason.
#include <cstdio>

#include "app/garvelctl/Commands.h"
#include "app/garvelctl/JsonLine.h"
#include "exchange/ExchangeFile.h"
#include "storage/RealFileSystem.h"

int CmdExchangeDump(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "Použití: garvelctl exchange-dump SOUBOR.cgarv\n");
    return 2;
  }
  CRealFileSystem fs;
  TDeserializedData data;
  std::string error, detail;
  if (!LoadExchangeFile(MakeFileName(argv[0], fs), data, error, detail)) {
    std::fprintf(stderr, "%s (%s)\n", error.c_str(), detail.c_str());
    return 1;
  }
  TJsonWriter out(stdout);
  for (const TSerializedContact& s : data.Contacts) {
    const TContactRecord& c = s.contact;
    TJsonLine line(out, "contact");
    line.S("name", s.Name).S("globalId", c.globalId).S("surname", c.surname).S("firstName", c.firstName)
        .S("street", c.street).S("city", c.city).S("phones", c.phones).S("email", c.email).S("other", c.other)
        .S("ico", c.ico).S("dic", c.dic).N("type", c.type).N("kind", c.kind).S("company", c.company)
        .B("hasCompany", s.HasCompany);
  }
  for (const TSerializedVehicle& s : data.Vehicles) {
    const Tautomobil& v = s.vehicle;
    TJsonLine line(out, "vehicle");
    line.S("name", s.Name).S("globalId", v.globalId).S("tag", v.tag).S("manufacturer", v.manufacturer)
        .S("model", v.model).S("subtype", v.subtype).S("engine", v.engine).S("color", v.color).N("year", v.year)
        .N("month", v.month).S("vin", v.vin).S("engineNumber", v.engineNumber).S("ownerHash", s.OwnerHash)
        .S("comments", v.comments);
  }
  for (const TSerializedRecord& s : data.Records) {
    const TzaznamDb& d = s.record.db;
    TJsonLine line(out, "record");
    line.S("name", s.Name).S("globalId", d.globalId).S("carHash", s.CarHash).N("km", d.km).N("date", d.date)
        .N("time", d.time).N("duration", d.duration).S("kind", KindToText(d.kind)).N("priceWrk", d.priceWrk)
        .N("priceMat", d.priceMat).S("invoiceNr", d.invoiceNrText).S("simpleInvoiceNr", d.simpleInvoiceNrText)
        .S("receiptNr", d.receiptNrText).S("contractNr", d.contractNrText).S("description", s.record.description)
        .S("material", s.record.material);
  }
  for (const TDroppedNode& d : data.Dropped) {
    TJsonLine line(out, "dropped");
    line.N("position", static_cast<double>(d.position)).S("type", d.type).S("name", d.name).S("reason", d.reason);
  }
  out.Flush();
  return 0;
}

namespace {
const TCtlRegistration kRegisterExchangeDump(
    "exchange-dump", "vypíše obsah datového souboru .cgarv jako řádky JSON",
    "SOUBOR.cgarv", CmdExchangeDump);
}  // namespace
