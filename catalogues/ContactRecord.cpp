#include "catalogues/ContactRecord.h"

#include <cstring>

#include "storage/Coding.h"
#include "storage/TextUtils.h"

namespace {
enum : int {
  kOffID = 0, kOffGlobalId = 4, kOffSurname = 64, kOffFirstName = 115, kOffStreet = 166,
  kOffCity = 217, kOffPhones = 268, kOffEmail = 319, kOffOther = 370, kOffIco = 421,
  kOffDic = 437, kOffCompany = 472, kOffType = 626, kOffKind = 628, kOffReservedInts = 632,
};
}  // namespace

void InitContact(TContactRecord& c) {
  c = TContactRecord{};
  c.image.fill(0);
}

void InitContactDefault(TContactRecord& c) {
  InitContact(c);
  c.ID = 0;
  for (int i = 0; i < 3; ++i) EncodeInt32(c.image.data() + kOffReservedInts + 4 * i, -1);
}

void DecodeContact(const uint8_t* b, TContactRecord& c) {
  std::memcpy(c.image.data(), b, kContactWidth);
  c.ID = DecodeInt32(b + kOffID);
  c.globalId = DecodeCountedString(b + kOffGlobalId, 31);
  c.surname = DecodeCountedString(b + kOffSurname, 50);
  c.firstName = DecodeCountedString(b + kOffFirstName, 50);
  c.street = DecodeCountedString(b + kOffStreet, 50);
  c.city = DecodeCountedString(b + kOffCity, 50);
  c.phones = DecodeCountedString(b + kOffPhones, 50);
  c.email = DecodeCountedString(b + kOffEmail, 50);
  c.other = DecodeCountedString(b + kOffOther, 50);
  c.ico = DecodeCountedString(b + kOffIco, 15);
  c.dic = DecodeCountedString(b + kOffDic, 15);
  c.company = DecodeCountedString(b + kOffCompany, 50);
  c.type = DecodeInt16(b + kOffType);
  c.kind = DecodeFixed16(b + kOffKind);
}

void EncodeContact(const TContactRecord& c, uint8_t* b) {
  if (b != c.image.data()) std::memcpy(b, c.image.data(), kContactWidth);
  EncodeInt32(b + kOffID, c.ID);
  EncodeCountedString(b + kOffGlobalId, 31, c.globalId);
  EncodeCountedString(b + kOffSurname, 50, c.surname);
  EncodeCountedString(b + kOffFirstName, 50, c.firstName);
  EncodeCountedString(b + kOffStreet, 50, c.street);
  EncodeCountedString(b + kOffCity, 50, c.city);
  EncodeCountedString(b + kOffPhones, 50, c.phones);
  EncodeCountedString(b + kOffEmail, 50, c.email);
  EncodeCountedString(b + kOffOther, 50, c.other);
  EncodeCountedString(b + kOffIco, 15, c.ico);
  EncodeCountedString(b + kOffDic, 15, c.dic);
  EncodeCountedString(b + kOffCompany, 50, c.company);
  EncodeInt16(b + kOffType, c.company.empty() ? 0 : 1);
  EncodeFixed16(b + kOffKind, c.kind);
}

std::string CustomerDisplayName(const TContactRecord& c) {
  std::string text = c.surname;
  if (!c.firstName.empty()) {
    if (!text.empty()) text += ", ";
    text += c.firstName;
  }
  if (!c.company.empty()) {
    if (!text.empty()) text += " - ";
    text += c.company;
  }
  return text;
}

std::string ContactAddressText(const TContactRecord& c) {
  if (TrimBlanks(c.city).empty()) return TrimBlanks(c.street).empty() ? std::string() : c.street;
  return TrimBlanks(c.street).empty() ? c.city : c.street + ", " + c.city;
}
