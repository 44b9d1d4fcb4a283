// garvelctl dump: every customer, vehicle and record of a database folder as
// JSON lines in UTF-8, fields named as in the record layouts.
#include <cstdio>
#include <string>

#include "app/garvelctl/Commands.h"
#include "catalogues/ContactRecord.h"
#include "app/garvelctl/DatabaseFolder.h"

namespace {

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out + "\"";
}

std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

class TLine {
 public:
  explicit TLine(const char* type) { text_ = "{\"type\":" + Json(type); }
  TLine& S(const char* k, const std::string& v) { text_ += ",\"" + std::string(k) + "\":" + Json(v); return *this; }
  TLine& N(const char* k, double v) { text_ += ",\"" + std::string(k) + "\":" + Num(v); return *this; }
  void Print() { std::printf("%s}\n", text_.c_str()); }

 private:
  std::string text_;
};

}  // namespace

int CmdDump(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "Použití: garvelctl dump SLOŽKA\n");
    return 2;
  }
  TDatabaseFolder db(argv[0]);
  if (!db.Open()) return 1;
  TStoreSet& stores = db.stores;
  std::string bytes;
  if (stores.customers) {
    for (int slot = 0; slot < stores.customers->Count(); ++slot) {
      if (!stores.customers->ReadRecord(stores.customers->IDAt(slot), bytes)) continue;
      TContactRecord c;
      DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
      TLine("customer").N("ID", c.ID).S("globalId", c.globalId).S("surname", c.surname).S("firstName", c.firstName)
          .S("street", c.street).S("city", c.city).S("phones", c.phones).S("email", c.email).S("other", c.other)
          .S("ico", c.ico).S("dic", c.dic).S("company", c.company).N("type", c.type).N("kind", c.kind).Print();
    }
  }
  for (int slot = 0; slot < stores.cars->Count(); ++slot) {
    Tautomobil v;
    int32_t id = stores.cars->IDAt(slot);
    if (id < 0 || !stores.cars->LoadCar(id, v)) continue;
    TLine("vehicle").N("ID", v.ID).S("globalId", v.globalId).S("tag", v.tag).S("manufacturer", v.manufacturer)
        .S("model", v.model).S("subtype", v.subtype).S("engine", v.engine).S("color", v.color).N("year", v.year)
        .S("vin", v.vin).S("engineNumber", v.engineNumber).N("commentsBLOBID", v.commentsBLOBID)
        .N("ownerID", v.ownerID).N("lastService", v.lastService).N("month", v.month)
        .N("archived", v.archived).S("comments", v.comments).Print();
  }
  for (int slot = 0; slot < stores.records->Count(); ++slot) {
    Tzaznam r;
    int32_t id = stores.records->IDAt(slot);
    if (id < 0 || !stores.records->LoadCarRecord(id, r)) continue;
    const TzaznamDb& d = r.db;
    TLine("record").N("ID", d.ID).S("globalId", d.globalId).N("carID", d.carID).N("km", d.km).N("date", d.date)
        .N("kind", d.kind).N("popisBLOBID", d.popisBLOBID).N("materialBLOBID", d.materialBLOBID)
        .N("priceWrk", d.priceWrk).N("priceMat", d.priceMat).N("time", d.time).N("duration", d.duration)
        .N("invoiceNr", d.invoiceNr).N("contractNr", d.contractNr).N("receiptNr", d.receiptNr)
        .N("simpleInvoiceNr", d.simpleInvoiceNr).S("invoiceNrText", d.invoiceNrText)
        .S("simpleInvoiceNrText", d.simpleInvoiceNrText).S("contractNrText", d.contractNrText)
        .S("receiptNrText", d.receiptNrText).N("sortDate", d.sortDate).N("flags", d.flags)
        .S("description", r.description).S("material", r.material).Print();
  }
  return 0;
}
