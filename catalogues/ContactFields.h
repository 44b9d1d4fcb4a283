#pragma once
// The fields of the contact detail window as plain data: what the window
// shows, the limits of its boxes, and how its values go back into a
// contact when it is confirmed.

#include <array>
#include <cstdint>
#include <string>

#include "catalogues/ContactRecord.h"

// The text boxes of the window, in the order they are shown.
enum TContactField : int {
  kFieldSurname,
  kFieldFirstName,
  kFieldCompany,
  kFieldStreet,
  kFieldCity,
  kFieldPhones,
  kFieldEmail,
  kFieldOther,
  kFieldIco,
  kFieldDic,
  kContactFieldCount,
};

struct TContactFieldInfo {
  const char* label;  // "Příjmení:", ...
  int limit;          // characters the record keeps
};
const TContactFieldInfo& ContactFieldInfo(int field);

struct TContactFields {
  std::array<std::string, kContactFieldCount> text;
  uint16_t kind = kContactCustomer;

  std::string& operator[](int field) { return text[static_cast<size_t>(field)]; }
  const std::string& operator[](int field) const { return text[static_cast<size_t>(field)]; }
};

// The four kinds offered, in order: "Zákazník", "Dodavatel", "Opravna",
// "Jiný...".
struct TContactKindChoice {
  const char* caption;
  uint16_t kind;
};
const std::array<TContactKindChoice, 4>& ContactKindChoices();
// Index of the choice of a kind, or -1 for a code none of them has.
int ContactKindChoiceIndex(uint16_t kind);

TContactFields ContactFieldsOf(const TContactRecord& contact);
// What OK stores: every text cut to its limit, `type` 1 when the company name
// is not empty, and the kind. ID, globalId and reserved bytes stay.
void ApplyContactFields(const TContactFields& fields, TContactRecord& contact);

// Street + ", " + city, the address the map look-up is given.
std::string FieldsAddressText(const TContactFields& fields);
// "Poslat e-mail" needs an address; "Zobrazit na mapě" a street or a city.
bool CanSendEmail(const std::string& email);
bool CanShowOnMap(const std::string& street, const std::string& city);
