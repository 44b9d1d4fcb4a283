#include "catalogues/Contacts.h"

#include <algorithm>

#include "catalogues/ContactList.h"
#include "storage/CarDb.h"
#include "storage/Coding.h"
#include "storage/Collation.h"
#include "storage/CustomDb.h"
#include "storage/Errors.h"
#include "storage/Log.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"
#include "storage/UrlCoding.h"

namespace {

std::string Encoded(const TContactRecord& c) {
  std::string bytes(kContactWidth, '\0');
  EncodeContact(c, reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

}  // namespace

bool LoadContact(TCustomDb* customers, int32_t id, TContactRecord& contact) {
  std::string bytes;
  if (!customers || id < 0 || !customers->ReadRecord(id, bytes) || bytes.size() < static_cast<size_t>(kContactWidth))
    return false;
  DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), contact);
  return true;
}

std::vector<TContactRecord> LoadContacts(TCustomDb& customers) {
  // Consecutive slots in one read each, a thousand at a time.
  constexpr int kSlotsPerRead = 1024;
  std::vector<TContactRecord> out;
  out.reserve(static_cast<size_t>(customers.Count()));
  std::vector<int> slots;
  std::vector<std::string> records;
  std::vector<bool> ok;
  for (int first = 0; first < customers.Count(); first += kSlotsPerRead) {
    slots.clear();
    for (int slot = first; slot < std::min(customers.Count(), first + kSlotsPerRead); ++slot)
      if (customers.IDAt(slot) >= 0) slots.push_back(slot);
    customers.ReadSlots(slots, records, ok);
    for (size_t i = 0; i < slots.size(); ++i) {
      if (!ok[i] || records[i].size() < static_cast<size_t>(kContactWidth)) continue;
      TContactRecord c;
      DecodeContact(reinterpret_cast<const uint8_t*>(records[i].data()), c);
      out.push_back(std::move(c));
    }
  }
  return out;
}

bool ContactMatches(const TContactRecord& c, const std::string& search) {
  return ContactMatches(MakeContactEntry(c), PrepareContactSearch(search));
}

std::vector<size_t> FilterContacts(const std::vector<TContactRecord>& contacts, const std::string& search) {
  TContactList list;
  list.SetContacts(contacts);
  list.SetSearch(search);
  std::vector<size_t> shown;
  for (int row = 0; row < list.RowCount(); ++row) shown.push_back(static_cast<size_t>(list.IndexOfRow(row)));
  return shown;
}

bool AddContact(TCustomDb& customers, TContactRecord& contact) {
  std::string bytes = Encoded(contact);
  if (!customers.CreateRecord(bytes, "")) {
    ShowMessage("Chyba", "Nepodařilo se uložit záznam do databáze", TMsgIcon::Error);
    return false;
  }
  DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), contact);
  LogTrace(1, "Add contact ID#" + std::to_string(contact.ID) + " " + contact.firstName + " " + contact.surname);
  return true;
}

bool SaveContact(TCustomDb& customers, TContactRecord& contact) {
  if (!customers.WriteRecord(Encoded(contact))) {
    ShowMessage("Chyba", "Nepodařilo se uložit záznam do databáze", TMsgIcon::Error);
    return false;
  }
  return true;
}

namespace {

std::vector<int32_t> VehiclesOf(TCustomCarDb& cars, int32_t contactID, std::string* lines) {
  std::vector<int32_t> ids;
  if (contactID < 0) return ids;
  for (int slot = 0; slot < cars.Count(); ++slot) {
    int32_t id = cars.IDAt(slot);
    Tautomobil v;
    if (id < 0 || !cars.LoadCar(id, v) || v.ownerID != contactID) continue;
    ids.push_back(id);
    if (lines) *lines += v.manufacturer + " " + v.model + " " + v.subtype + ", RZ " + v.tag + "\r";
  }
  return ids;
}

}  // namespace

std::string DeleteContactQuestion(TCustomCarDb& cars, int32_t contactID) {
  std::string lines;
  VehiclesOf(cars, contactID, &lines);
  std::string question = "Opravdu chcete tento kontakt smazat?";
  if (!lines.empty()) question += "\rTato vozidla jsou registrována na zvoleného majitele:\r" + lines;
  return question;
}

TContactDelete DeleteContact(TCustomDb& customers, TCustomCarDb& cars, TContactRecord& contact) {
  if (!AskYesNo("Dotaz", DeleteContactQuestion(cars, contact.ID), false)) return TContactDelete::Cancelled;
  LogTrace(1, "Delete contact ID#" + std::to_string(contact.ID));
  for (int32_t id : VehiclesOf(cars, contact.ID, nullptr)) {
    Tautomobil v;
    if (!cars.LoadCar(id, v)) continue;
    v.ownerID = -1;
    try {
      cars.SaveCar(v);
    } catch (const EGarvelError& e) {
      LogError(e.what(), true);
    }
  }
  std::string bytes = Encoded(contact);
  if (!customers.EraseRecord(bytes)) {
    ShowMessage("Chyba", "Nepodařilo se smazat záznam z databáze", TMsgIcon::Error);
    return TContactDelete::StoreFailed;
  }
  return TContactDelete::Deleted;
}

void FillContactFromText(const std::string& text, TContactFields& fields) {
  std::string city, postcode;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    std::string line = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? text.size() + 1 : end + 1;
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string key = FoldText(line.substr(0, colon));
    std::string value = line.substr(colon + 1);
    value = value.substr(0, value.find(':'));
    value.erase(0, value.find_first_not_of(' ') == std::string::npos ? value.size() : value.find_first_not_of(' '));
    // The first word the folded key contains decides; -1 city, -2 postcode.
    static const struct { const char* word; int field; } kWords[] = {
        {"JMENO", kFieldCompany}, {"E-MAIL", kFieldEmail}, {"TELEFON", kFieldPhones},
        {"ULICE", kFieldStreet},  {"MESTO", -1},           {"PSC", -2},
        {"ICO", kFieldIco},       {"DIC", kFieldDic},      {"SERIOVE", kFieldOther},
    };
    for (const auto& w : kWords) {
      if (key.find(w.word) == std::string::npos) continue;
      if (w.field == -1) city = value;
      else if (w.field == -2) postcode = value;
      else fields[w.field] = value;
      break;
    }
  }
  fields[kFieldCity] = postcode + (!postcode.empty() && !city.empty() ? " " : "") + city;
}

void FillContactFromText(const std::string& text, TContactRecord& contact) {
  TContactFields fields = ContactFieldsOf(contact);
  FillContactFromText(text, fields);
  ApplyContactFields(fields, contact);
}

std::string MapAddress(const std::string& urlTemplate, const std::string& address) {
  return ReplaceAll(urlTemplate, "%ADRESA", URLEncode(FoldText(address)));
}

std::string SupplierAddressEntry(const TContactRecord& c) {
  std::string entry = c.surname;
  if (!c.firstName.empty()) entry += ", " + c.firstName;
  return entry + " <" + c.email + ">";
}
