#include "exchange/ExchangeChanges.h"

#include <cstdlib>

#include "exchange/IdentityHash.h"
#include "servicebook/Activities.h"
#include "storage/Coding.h"
#include "storage/DateText.h"
#include "storage/NumberText.h"
#include "storage/TextUtils.h"

const std::array<const char*, kExchangeListCount> kExchangeListLabels = {
    "Změněné kontakty:", "Nové kontakty:", "Změněná vozidla:", "Nová vozidla:", "Změněné záznamy:", "Nové záznamy:",
};

namespace {

// Collects "label old -> new" for each differing field.
class TDiff {
 public:
  TDiff& Field(const char* label, const std::string& oldValue, const std::string& newValue) {
    if (oldValue != newValue) Shown(label, oldValue, newValue);
    return *this;
  }
  TDiff& Field(const char* label, long long oldValue, long long newValue) {
    if (oldValue != newValue) Shown(label, std::to_string(oldValue), std::to_string(newValue));
    return *this;
  }
  // Compared by one pair of values, shown by another.
  TDiff& Shown(const char* label, const std::string& oldShown, const std::string& newShown) {
    if (!text_.empty()) text_ += ", ";
    text_ += label + oldShown + " -> " + newShown;
    return *this;
  }
  std::string Text() const { return text_; }

 private:
  std::string text_;
};

// Minutes as the long time format, hours:minutes:seconds of a day fraction.
std::string MinutesText(int32_t minutes) {
  long long m = std::llabs(static_cast<long long>(minutes)) % 1440;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld:%02lld:00", m / 60, m % 60);
  return buf;
}

std::string DescriptionShown(const Tzaznam& r) {
  return OneLine(ActivitiesOneLine(r.db.kind, r.db.flags, r.description, TVatSettings{}), ", ");
}

// Every item with its quantity, unit price and total as the file carries
// them (without VAT): what tells two lists apart whose texts are the same.
std::string DescriptionWithValues(const Tzaznam& r) {
  const TVatSettings asStored{false, 0};
  std::string text =
      OneLine(FormatActivities(r.db.kind, r.db.flags, r.description, 0, "", "; ", ' ', asStored), ", ");
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "; ") == 0) text.resize(text.size() - 2);
  return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string RecordLabel(const TzaznamDb& d) { return std::to_string(d.km) + " @ " + DateText(d.date); }

}  // namespace

std::string DescribeContactChanges(const TContactRecord& s, const TContactRecord& r) {
  // The company name is not compared: older files do not carry it.
  return TDiff()
      .Field("Příjmení: ", s.surname, r.surname)
      .Field("Jméno: ", s.firstName, r.firstName)
      .Field("Ulice: ", s.street, r.street)
      .Field("Město: ", s.city, r.city)
      .Field("Tel.: ", s.phones, r.phones)
      .Field("E-mail: ", s.email, r.email)
      .Field("Ost.: ", s.other, r.other)
      .Field("IČO: ", s.ico, r.ico)
      .Field("DIČ: ", s.dic, r.dic)
      .Field("Typ: ", s.type, r.type)
      .Field("Druh: ", s.kind, r.kind)
      .Text();
}

std::string DescribeVehicleChanges(const Tautomobil& s, const Tautomobil& r) {
  TDiff d;
  d.Field("RZ: ", s.tag, r.tag)
      .Field("Výrobce: ", s.manufacturer, r.manufacturer)
      .Field("Model: ", s.model, r.model)
      .Field("Podtyp: ", s.subtype, r.subtype)
      .Field("Motor: ", s.engine, r.engine)
      .Field("Barva: ", s.color, r.color);
  if (s.year != r.year) d.Shown("R.v.: ", YearText(s), YearText(r));
  return d.Field("VIN: ", s.vin, r.vin)
      .Field("Kód motoru: ", s.engineNumber, r.engineNumber)
      .Field("Pozn.: ", s.comments, r.comments)
      .Text();
}

std::string DescribeRecordChanges(const Tzaznam& s, const Tzaznam& r) {
  const TzaznamDb& a = s.db;
  const TzaznamDb& b = r.db;
  TDiff d;
  d.Field("KM: ", a.km, b.km)
      .Field("Datum: ", DateText(a.date), DateText(b.date))
      .Field("Čas: ", MinutesText(a.time), MinutesText(b.time))
      .Field("Trvání: ", MinutesText(a.duration), MinutesText(b.duration))
      .Field("Typ: ", KindToText(a.kind), KindToText(b.kind))
      .Field("Cena p.: ", FormatFixed(a.priceWrk, 2), FormatFixed(b.priceWrk, 2))
      .Field("Cena m.: ", FormatFixed(a.priceMat, 2), FormatFixed(b.priceMat, 2))
      .Field("Č. faktury: ", NumberOrText(a.invoiceNr, a.invoiceNrText), NumberOrText(b.invoiceNr, b.invoiceNrText));
  if (s.description != r.description) {
    std::string before = DescriptionShown(s), after = DescriptionShown(r);
    // Only a count or a price changed: the texts alone would read the same.
    if (before == after) {
      before = DescriptionWithValues(s);
      after = DescriptionWithValues(r);
    }
    d.Shown("Popis: ", before, after);
  }
  return d.Field("Materiál: ", s.material, r.material).Text();
}

bool TExchangeChanges::Empty() const {
  for (int list = 0; list < kExchangeListCount; ++list)
    if (Size(list) > 0) return false;
  return true;
}

size_t TExchangeChanges::Size(int list) const {
  switch (list) {
    case kChangedContacts: return changedContacts.size();
    case kNewContacts: return newContacts.size();
    case kChangedVehicles: return changedVehicles.size();
    case kNewVehicles: return newVehicles.size();
    case kChangedRecords: return changedRecords.size();
    case kNewRecords: return newRecords.size();
    default: return 0;
  }
}

std::string TExchangeChanges::Caption(int list, size_t i) const {
  switch (list) {
    case kChangedContacts: {
      const TChangedContact& c = changedContacts[i];
      return "Změnit údaje kontaktu " + Quoted(c.contact.surname + ", " + c.contact.firstName) + " (" + c.Diff + ")";
    }
    case kNewContacts:
      return "Přidat kontakt " + Quoted(newContacts[i].surname + ", " + newContacts[i].firstName);
    case kChangedVehicles:
      return "Změnit údaje vozidla " + Quoted(changedVehicles[i].vehicle.tag) + " (" + changedVehicles[i].Diff + ")";
    case kNewVehicles: {
      const Tautomobil& v = newVehicles[i].vehicle;
      return "Přidat vozidlo " + Quoted(v.tag + ", " + v.manufacturer + ", " + v.model);
    }
    case kChangedRecords:
      return "Změnit záznam " + Quoted(RecordLabel(changedRecords[i].record.db)) + " (" + changedRecords[i].Diff + ")";
    case kNewRecords: return "Přidat záznam " + Quoted(RecordLabel(newRecords[i].record.db));
    default: return "";
  }
}

std::string TExchangeChanges::ItemText(int list, size_t i) const {
  const std::string caption = Caption(list, i);
  std::string out;
  out.reserve(caption.size());
  for (size_t k = 0; k < caption.size(); ++k) {
    if (caption[k] == '\r' || caption[k] == '\n') {
      if (caption[k] == '\r' && k + 1 < caption.size() && caption[k + 1] == '\n') ++k;
      out += ", ";
    } else {
      out.push_back(caption[k]);
    }
  }
  return out;
}

TExchangeChanges CompareExchangeData(const TDeserializedData& data, TExchangeIndex& index) {
  TExchangeChanges changes;
  TStoreSet& stores = index.Stores();

  for (const TSerializedContact& received : data.Contacts) {
    const TContactRecord& c = received.contact;
    changes.fileContacts.push_back({c.globalId, OwnerHash(c), -1});
    const int32_t id = stores.customers ? index.ContactByGlobalId(c.globalId) : -1;
    if (id < 0) {
      changes.newContacts.push_back(c);
      continue;
    }
    changes.fileContacts.back().storedId = id;
    std::string bytes;
    if (!stores.customers->ReadRecord(id, bytes)) {
      ++changes.unreadableStored;
      continue;
    }
    TContactRecord stored;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), stored);
    std::string diff = DescribeContactChanges(stored, c);
    if (!diff.empty()) changes.changedContacts.push_back({c, diff, id, received.HasCompany});
  }

  for (const TSerializedVehicle& received : data.Vehicles) {
    const Tautomobil& v = received.vehicle;
    changes.fileVehicles.push_back({v.globalId, CarHash(v), -1});
    const int32_t id = index.VehicleByGlobalId(v.globalId);
    if (id < 0) {
      changes.newVehicles.push_back({v, received.OwnerHash});
      continue;
    }
    // The file's records still belong to this vehicle.
    changes.fileVehicles.back().storedId = id;
    Tautomobil stored;
    if (!stores.cars->LoadCar(id, stored)) {
      ++changes.unreadableStored;
      continue;
    }
    std::string diff = DescribeVehicleChanges(stored, v);
    if (!diff.empty())
      changes.changedVehicles.push_back({v, diff, id, received.OwnerHash, stored.ownerID, received.HasMonth});
  }

  for (const TSerializedRecord& received : data.Records) {
    const Tzaznam& r = received.record;
    const int32_t id = index.RecordByGlobalId(r.db.globalId);
    Tzaznam stored;
    InitRecord(stored, -1, 0);
    if (id < 0) {
      changes.newRecords.push_back({r, received.CarHash});
      continue;
    }
    // A record whose texts cannot all be read still compares by what was.
    stores.records->LoadCarRecord(id, stored);
    std::string diff = DescribeRecordChanges(stored, r);
    if (!diff.empty()) changes.changedRecords.push_back({r, diff, id});
  }

  for (int list = 0; list < kExchangeListCount; ++list) {
    const bool isNew = list == kNewContacts || list == kNewVehicles || list == kNewRecords;
    changes.ticks[static_cast<size_t>(list)].assign(changes.Size(list), isNew);
  }
  return changes;
}
