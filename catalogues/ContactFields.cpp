#include "catalogues/ContactFields.h"

#include "storage/Coding.h"

namespace {

constexpr int kTextLimit = 50;    // string[50] fields
constexpr int kNumberLimit = 15;  // IČO and DIČ, string[15]

const TContactFieldInfo kFields[kContactFieldCount] = {
    {"Příjmení:", kTextLimit}, {"Jméno:", kTextLimit},   {"Firma:", kTextLimit},  {"Ulice:", kTextLimit},
    {"Město:", kTextLimit},    {"Telefon:", kTextLimit}, {"E-mail:", kTextLimit}, {"Jiný:", kTextLimit},
    {"IČO:", kNumberLimit},    {"DIČ:", kNumberLimit},
};

// The record's member behind each field.
std::string TContactRecord::*const kMembers[kContactFieldCount] = {
    &TContactRecord::surname, &TContactRecord::firstName, &TContactRecord::company, &TContactRecord::street,
    &TContactRecord::city,    &TContactRecord::phones,    &TContactRecord::email,   &TContactRecord::other,
    &TContactRecord::ico,     &TContactRecord::dic,
};

}  // namespace

const TContactFieldInfo& ContactFieldInfo(int field) { return kFields[field]; }

const std::array<TContactKindChoice, 4>& ContactKindChoices() {
  static const std::array<TContactKindChoice, 4> choices = {{
      {"Zákazník", kContactCustomer},
      {"Dodavatel", kContactSupplier},
      {"Opravna", kContactRepairShop},
      {"Jiný...", kContactOther},
  }};
  return choices;
}

int ContactKindChoiceIndex(uint16_t kind) {
  const auto& choices = ContactKindChoices();
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i].kind == kind) return static_cast<int>(i);
  return -1;
}

TContactFields ContactFieldsOf(const TContactRecord& contact) {
  TContactFields f;
  for (int i = 0; i < kContactFieldCount; ++i) f[i] = contact.*kMembers[i];
  f.kind = contact.kind;
  return f;
}

void ApplyContactFields(const TContactFields& fields, TContactRecord& contact) {
  for (int i = 0; i < kContactFieldCount; ++i)
    contact.*kMembers[i] = TruncateChars(fields[i], static_cast<size_t>(kFields[i].limit));
  contact.type = contact.company.empty() ? 0 : 1;
  contact.kind = fields.kind;
}

std::string FieldsAddressText(const TContactFields& fields) {
  return fields[kFieldStreet] + ", " + fields[kFieldCity];
}

bool CanSendEmail(const std::string& email) { return !email.empty(); }

bool CanShowOnMap(const std::string& street, const std::string& city) { return !street.empty() || !city.empty(); }
