#pragma once
// The boxes of the vehicle window as plain data, their limits, and how they
// go into a vehicle and an owner contact.

#include <string>

#include "catalogues/ContactRecord.h"
#include "storage/Vehicle.h"

inline constexpr int kTagLimit = 20;
inline constexpr int kColorLimit = 30;
inline constexpr int kVehicleTextLimit = 63;  // the other string[63] fields
inline constexpr int kOwnerFieldLimit = 50;
inline constexpr int kLowestYear = 1910;      // also "unknown"
inline constexpr int kHighestYear = 2200;

// The owner panel: surname, first name, street, city, phones, e-mail and
// other contact.
struct TOwnerFields {
  std::string surname, firstName, street, city, phones, email, other;

  // Whether anything but the other contact is filled in: only then is a new
  // contact worth making.
  bool AnyFilled() const;
};

struct TVehicleFormFields {
  std::string tag, manufacturer, model, subtype, engine, engineNumber, color;
  int month = 0;  // 0: "Měsíc", unknown
  int year = 0;   // as typed; 0 for an empty box
  std::string vin;
  std::string comments;  // CR LF line breaks
  TOwnerFields owner;
};

// The year a vehicle keeps: an empty box, 1910 and anything below it mean
// unknown (0); above 2200 is 2200.
int StoredYear(int boxYear);
// The month a vehicle keeps: 1..12, or 0 for unknown.
int StoredMonth(int boxMonth);

// What the boxes show for a vehicle (month outside 1..12 as unknown).
TVehicleFormFields FieldsOfVehicle(const Tautomobil& vehicle);
// The vehicle fields taken from the boxes: texts cut to their limits, the
// VIN upper case, year and month as stored. Owner, comments and everything
// else are left alone but `comments`, which takes the box's text.
void ApplyVehicleFields(const TVehicleFormFields& fields, Tautomobil& vehicle);

TOwnerFields OwnerFieldsOf(const TContactRecord& contact);
// A new customer contact from the typed fields, each cut to 50 characters.
TContactRecord ContactFromOwnerFields(const TOwnerFields& owner);
