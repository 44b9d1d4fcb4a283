#include "catalogues/Contacts.h"

#include <algorithm>

#include "storage/CarDb.h"
#include "storage/Coding.h"
#include "storage/Collation.h"
#include "storage/CustomDb.h"
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

std::string WithoutSeparators(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != ',' && c != '/') out.push_back(c);
  return out;
}

}  // namespace

std::vector<TContactRecord> LoadContacts(TCustomDb& customers) {
  std::vector<TContactRecord> out;
  std::string bytes;
  for (int slot = 0; slot < customers.Count(); ++slot) {
    int32_t id = customers.IDAt(slot);
    if (id < 0 || !customers.ReadRecord(id, bytes)) continue;
    TContactRecord c;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), c);
    out.push_back(std::move(c));
  }
  return out;
}

bool ContactMatches(const TContactRecord& c, const std::string& search) {
  if (search.empty()) return true;
  const std::string digits = WithoutSeparators(search);
  if (!digits.empty() && WithoutSeparators(c.phones).find(digits) != std::string::npos) return true;
  return ContainsFolded(search, CustomerDisplayName(c)) || ContainsFolded(search, c.email) ||
         ContainsFolded(search, ContactAddressText(c));
}

std::vector<size_t> FilterContacts(const std::vector<TContactRecord>& contacts, const std::string& search) {
  std::vector<size_t> shown;
  std::vector<std::string> keys(contacts.size());
  for (size_t i = 0; i < contacts.size(); ++i) {
    if (!ContactMatches(contacts[i], search)) continue;
    shown.push_back(i);
    keys[i] = CzechSortKey(CustomerDisplayName(contacts[i]));
  }
  std::stable_sort(shown.begin(), shown.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
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
    cars.SaveCar(v);
  }
  std::string bytes = Encoded(contact);
  if (!customers.EraseRecord(bytes)) {
    ShowMessage("Chyba", "Nepodařilo se smazat záznam z databáze", TMsgIcon::Error);
    return TContactDelete::StoreFailed;
  }
  return TContactDelete::Deleted;
}

void FillContactFromText(const std::string& text, TContactRecord& c) {
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
    struct { const char* word; int target; } kWords[] = {
        {"JMENO", 0}, {"E-MAIL", 1}, {"TELEFON", 2}, {"ULICE", 3}, {"MESTO", 4},
        {"PSC", 5},   {"ICO", 6},    {"DIC", 7},     {"SERIOVE", 8},
    };
    for (const auto& w : kWords) {
      if (key.find(w.word) == std::string::npos) continue;
      switch (w.target) {
        case 0: c.company = value; break;
        case 1: c.email = value; break;
        case 2: c.phones = value; break;
        case 3: c.street = value; break;
        case 4: city = value; break;
        case 5: postcode = value; break;
        case 6: c.ico = value; break;
        case 7: c.dic = value; break;
        case 8: c.other = value; break;
      }
      break;
    }
  }
  c.city = postcode + (!postcode.empty() && !city.empty() ? " " : "") + city;
}

std::string MapAddress(const std::string& urlTemplate, const std::string& address) {
  return ReplaceAll(urlTemplate, "%ADRESA", URLEncode(FoldText(address)));
}

std::string SupplierAddressEntry(const TContactRecord& c) {
  std::string entry = c.surname;
  if (!c.firstName.empty()) entry += ", " + c.firstName;
  return entry + " <" + c.email + ">";
}
