#pragma once
// The contact, `TContactRecord`: a 644-byte record of db_customers.dat
// (table tag "CUS").
//
// Layout (little-endian; string[N] = length byte + N Windows-1250 bytes):
//    0  64  header: ID, globalId string[31], 28 reserved zero bytes
//   64  51  surname string[50]     115  51  firstName string[50]
//  166  51  street string[50]      217  51  city string[50]
//  268  51  phones string[50]      319  51  email string[50]
//  370  51  other string[50]       421  16  ico string[15]
//  437  16  dic string[15]         453  19  reserved
//  472  51  company string[50]     523 103  reserved
//  626   2  type int16 (1 = company name given)
//  628   2  kind uint16 (0 customer, 1 supplier, 2 repair shop, 65535 other)
//  630   2  reserved              632  12  three reserved int32

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kContactWidth = 644;

enum : uint16_t {
  kContactCustomer = 0,
  kContactSupplier = 1,
  kContactRepairShop = 2,
  kContactOther = 65535,
};

struct TContactRecord {
  int32_t ID = -1;
  std::string globalId;
  std::string surname;
  std::string firstName;
  std::string street;
  std::string city;
  std::string phones;
  std::string email;
  std::string other;
  std::string ico;
  std::string dic;
  std::string company;
  int16_t type = 0;
  uint16_t kind = kContactCustomer;

  // The record as last read or initialised; reserved bytes travel through.
  std::array<uint8_t, kContactWidth> image{};
};

// A contact as the contact list makes it: every byte zero.
void InitContact(TContactRecord& contact);
// The store's default record: zero but for the three reserved int32 (-1).
void InitContactDefault(TContactRecord& contact);

void DecodeContact(const uint8_t* bytes, TContactRecord& contact);
// Also sets `type` from the company name.
void EncodeContact(const TContactRecord& contact, uint8_t* bytes);

// Surname, ", " first name, " - " company (separators only after text).
std::string CustomerDisplayName(const TContactRecord& contact);
// Street + ", " + city; an empty part is left out with the separator
// ("Brno", not ", Brno"; nothing at all when both are empty).
std::string ContactAddressText(const TContactRecord& contact);
