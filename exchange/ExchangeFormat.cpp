#include "exchange/ExchangeFormat.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>

#include "storage/Coding.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/UrlCoding.h"

// Contact node fields: id, globalId, sureName, firstName, street, city,
// phones, email, otherInfo, ico, dic, type, kind, company.
// Vehicle node fields: id, globalId, tag, manufacturer, model, subtype,
// engine, color, year, month, vin, engineNumber, ownerID, ownerHash, comments.
// Record node fields: id, globalId, carId, carHash, km, date, time, duration,
// kind, priceWrk, priceMat, invoiceNr, simpleInvoiceNr, receiptNr,
// contractNr, description, material.

namespace {

constexpr size_t kGlobalIdChars = 31;

std::string Int(long long v) { return std::to_string(v); }

class TNodeWriter {
 public:
  TNodeWriter(TXmlNode root, const char* type, const std::string& name) : node_(root.AddChild("Node")) {
    node_.SetAttribute("Type", type);
    node_.SetAttribute("Name", name);
  }
  TNodeWriter& Raw(const char* tag, const std::string& value) {
    node_.AddChild(tag).SetText(value);
    return *this;
  }
  TNodeWriter& Text(const char* tag, const std::string& value) { return Raw(tag, URLEncode(value)); }

 private:
  TXmlNode node_;
};

std::string TrimmedNumber(std::string text) {
  const char* blanks = " \t\r\n";
  size_t b = text.find_first_not_of(blanks);
  if (b == std::string::npos) return "";
  return text.substr(b, text.find_last_not_of(blanks) - b + 1);
}

// Reads the elements of one node; the first failure keeps its reason and
// makes every later read fail too.
class TNodeReader {
 public:
  explicit TNodeReader(TXmlNode node) : node_(node) {}

  bool Ok() const { return reason_.empty(); }
  const std::string& Reason() const { return reason_; }

  // The decoded text cut to `maxChars` (0: no limit). A missing optional
  // element reads as empty.
  void Text(const char* tag, size_t maxChars, std::string& out, bool required = true) {
    std::string raw;
    if (!Element(tag, raw, required)) return;
    out = URLDecode(raw);
    if (maxChars > 0) out = TruncateChars(out, maxChars);
  }
  // Kept undecoded (the hashes).
  void Raw(const char* tag, std::string& out) { Element(tag, out, true); }

  void GlobalId(std::string& out) {
    std::string raw;
    if (!Element("globalId", raw, true)) return;
    std::string id = URLDecode(raw);
    bool printable = !id.empty() && id.size() <= kGlobalIdChars;
    for (unsigned char c : id) printable = printable && c >= 0x21 && c <= 0x7E;
    if (!printable) return Fail("neplatné globalId \"" + raw.substr(0, 64) + "\"");
    out = id;
  }

  template <typename T>
  void Integer(const char* tag, T& out, bool required = true) {
    std::string raw;
    if (!Element(tag, raw, required) || (!required && !present_)) return;
    const std::string text = TrimmedNumber(raw);
    long long v = 0;
    if (!IsInteger(text)) return Fail("\"" + std::string(tag) + "\" není číslo");
    v = ParseInteger(text, 0);
    if (v < static_cast<long long>(std::numeric_limits<T>::min()) ||
        v > static_cast<long long>(std::numeric_limits<T>::max()))
      return Fail("\"" + std::string(tag) + "\" je mimo rozsah");
    out = static_cast<T>(v);
  }

  void Price(const char* tag, float& out) {
    std::string raw;
    if (!Element(tag, raw, true)) return;
    const std::string text = TrimmedNumber(raw);
    if (!IsNumber(text)) return Fail("\"" + std::string(tag) + "\" není číslo");
    const double v = ParseNumber(text, 0);
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return Fail("\"" + std::string(tag) + "\" je mimo rozsah");
    out = static_cast<float>(v);
  }

  void Date(const char* tag, TDateTime& out) {
    std::string raw;
    if (Element(tag, raw, true)) out = TextDate(TrimmedNumber(raw));
  }

  void Kind(const char* tag, int32_t& out) {
    std::string raw;
    if (!Element(tag, raw, true)) return;
    if (!TextToKind(raw, out)) Fail("neznámý druh záznamu \"" + raw.substr(0, 32) + "\"");
  }

 private:
  bool Element(const char* tag, std::string& out, bool required) {
    present_ = false;
    if (!Ok()) return false;
    TXmlNode e = node_.FirstChild(tag);
    if (!e) {
      if (required) Fail("chybí prvek \"" + std::string(tag) + "\"");
      return !required;
    }
    present_ = true;
    out = e.Text();
    return true;
  }
  void Fail(const std::string& reason) {
    if (reason_.empty()) reason_ = reason;
  }

  TXmlNode node_;
  std::string reason_;
  bool present_ = false;
};

bool Finish(const TNodeReader& r, std::string& reason) {
  reason = r.Reason();
  return r.Ok();
}

}  // namespace

void WriteContactNode(TXmlNode root, const TContactRecord& c, const std::string& name) {
  TNodeWriter(root, "Contact", name)
      .Raw("id", Int(c.ID))
      .Text("globalId", c.globalId)
      .Text("sureName", c.surname)
      .Text("firstName", c.firstName)
      .Text("street", c.street)
      .Text("city", c.city)
      .Text("phones", c.phones)
      .Text("email", c.email)
      .Text("otherInfo", c.other)
      .Text("ico", c.ico)
      .Text("dic", c.dic)
      .Raw("type", Int(c.type))
      .Raw("kind", Int(c.kind))
      .Text("company", c.company);
}

void WriteVehicleNode(TXmlNode root, const Tautomobil& v, const std::string& name, const std::string& ownerHash) {
  TNodeWriter(root, "Vehicle", name)
      .Raw("id", Int(v.ID))
      .Text("globalId", v.globalId)
      .Text("tag", v.tag)
      .Text("manufacturer", v.manufacturer)
      .Text("model", v.model)
      .Text("subtype", v.subtype)
      .Text("engine", v.engine)
      .Text("color", v.color)
      .Raw("year", Int(v.year))
      .Raw("month", Int(v.month))
      .Text("vin", v.vin)
      .Text("engineNumber", v.engineNumber)
      .Raw("ownerID", Int(v.ownerID))
      .Raw("ownerHash", ownerHash)
      .Text("comments", v.comments);
}

void WriteRecordNode(TXmlNode root, const Tzaznam& r, const std::string& name, const std::string& carHash) {
  const TzaznamDb& d = r.db;
  TNodeWriter(root, "Record", name)
      .Raw("id", Int(d.ID))
      .Text("globalId", d.globalId)
      .Raw("carId", Int(d.carID))
      .Raw("carHash", carHash)
      .Raw("km", Int(d.km))
      .Raw("date", DateText(d.date))
      .Raw("time", Int(d.time))
      .Raw("duration", Int(d.duration))
      .Raw("kind", KindToText(d.kind))
      .Raw("priceWrk", FormatFixed(d.priceWrk, 2))
      .Raw("priceMat", FormatFixed(d.priceMat, 2))
      .Text("invoiceNr", NumberOrText(d.invoiceNr, d.invoiceNrText))
      .Text("simpleInvoiceNr", NumberOrText(d.simpleInvoiceNr, d.simpleInvoiceNrText))
      .Text("receiptNr", NumberOrText(d.receiptNr, d.receiptNrText))
      .Text("contractNr", NumberOrText(d.contractNr, d.contractNrText))
      .Text("description", r.description)
      .Text("material", r.material);
}

bool ReadContactNode(TXmlNode node, TContactRecord& c, std::string& reason) {
  InitContactDefault(c);
  c.ID = -1;
  TNodeReader r(node);
  r.GlobalId(c.globalId);
  r.Text("sureName", 50, c.surname);
  r.Text("firstName", 50, c.firstName);
  r.Text("street", 50, c.street);
  r.Text("city", 50, c.city);
  r.Text("phones", 50, c.phones);
  r.Text("email", 50, c.email);
  r.Text("otherInfo", 50, c.other);
  r.Text("ico", 15, c.ico);
  r.Text("dic", 15, c.dic);
  r.Integer("type", c.type);
  r.Integer("kind", c.kind);
  r.Text("company", 50, c.company, false);
  return Finish(r, reason);
}

bool ReadVehicleNode(TXmlNode node, Tautomobil& v, std::string& ownerHash, std::string& reason) {
  // From the store's initial vehicle, so that the stored layout marks make
  // the month survive a reload.
  InitVehicle(v);
  v.ID = -1;
  v.commentsBLOBID = -1;
  v.ownerID = -1;
  v.month = 0;
  TNodeReader r(node);
  r.GlobalId(v.globalId);
  r.Text("tag", 63, v.tag);
  r.Text("manufacturer", 63, v.manufacturer);
  r.Text("model", 63, v.model);
  r.Text("subtype", 63, v.subtype);
  r.Text("engine", 63, v.engine);
  r.Text("color", 63, v.color);
  r.Integer("year", v.year);
  r.Integer("month", v.month, false);
  r.Text("vin", 63, v.vin);
  r.Text("engineNumber", 63, v.engineNumber);
  r.Raw("ownerHash", ownerHash);
  r.Text("comments", 0, v.comments);
  return Finish(r, reason);
}

bool ReadRecordNode(TXmlNode node, Tzaznam& rec, std::string& carHash, std::string& reason) {
  InitRecord(rec, -1, -1);
  TzaznamDb& d = rec.db;
  TNodeReader r(node);
  r.GlobalId(d.globalId);
  r.Raw("carHash", carHash);
  r.Integer("km", d.km);
  r.Date("date", d.date);
  r.Integer("time", d.time);
  r.Integer("duration", d.duration);
  r.Kind("kind", d.kind);
  r.Price("priceWrk", d.priceWrk);
  r.Price("priceMat", d.priceMat);
  r.Text("invoiceNr", 31, d.invoiceNrText);
  r.Text("simpleInvoiceNr", 31, d.simpleInvoiceNrText);
  r.Text("receiptNr", 31, d.receiptNrText);
  r.Text("contractNr", 31, d.contractNrText);
  r.Text("description", 0, rec.description);
  r.Text("material", 0, rec.material);
  return Finish(r, reason);
}

bool IsExchangeRoot(TXmlNode root) { return root.IsElement() && root.Name() == "Root"; }

TDeserializedData ReadExchangeDocument(TXmlNode root) {
  TDeserializedData data;
  std::set<std::string> contactIds, vehicleIds, recordIds;
  size_t position = 0;
  for (TXmlNode node : root.Children()) {
    if (!node.IsElement()) continue;
    ++position;
    const std::string type = node.Attribute("Type");
    const std::string name = node.Attribute("Name");
    std::string reason;
    // Only the first node of a global ID is taken: a second one would be
    // matched as a second new entity and added twice.
    auto keep = [&](auto& list, auto&& entity, std::set<std::string>& seen, std::string globalId) {
      if (!reason.empty()) return;
      if (!seen.insert(globalId).second) {
        reason = "opakované globalId \"" + globalId + "\"";
        return;
      }
      list.push_back(std::move(entity));
    };
    if (type == "Contact") {
      TSerializedContact c;
      c.Name = name;
      c.HasCompany = static_cast<bool>(node.FirstChild("company"));
      if (!ReadContactNode(node, c.contact, reason)) reason = reason.empty() ? "nečitelný uzel" : reason;
      keep(data.Contacts, std::move(c), contactIds, c.contact.globalId);
    } else if (type == "Vehicle") {
      TSerializedVehicle v;
      v.Name = name;
      v.HasMonth = static_cast<bool>(node.FirstChild("month"));
      if (!ReadVehicleNode(node, v.vehicle, v.OwnerHash, reason)) reason = reason.empty() ? "nečitelný uzel" : reason;
      keep(data.Vehicles, std::move(v), vehicleIds, v.vehicle.globalId);
    } else if (type == "Record") {
      TSerializedRecord r;
      r.Name = name;
      if (!ReadRecordNode(node, r.record, r.CarHash, reason)) reason = reason.empty() ? "nečitelný uzel" : reason;
      keep(data.Records, std::move(r), recordIds, r.record.db.globalId);
    } else {
      continue;  // other node types belong to other versions
    }
    if (!reason.empty()) data.Dropped.push_back(TDroppedNode{position, type, name, reason});
  }
  return data;
}
