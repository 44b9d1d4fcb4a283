#include "servicebook/VehicleFields.h"

#include "servicebook/VehicleVin.h"
#include "storage/Coding.h"

namespace {
std::string Cut(const std::string& text, int limit) { return TruncateChars(text, static_cast<size_t>(limit)); }
}  // namespace

bool TOwnerFields::AnyFilled() const {
  for (const std::string* f : {&surname, &firstName, &street, &city, &phones, &email})
    if (!f->empty()) return true;
  return false;
}

int StoredYear(int boxYear) {
  if (boxYear <= kLowestYear) return 0;
  return boxYear > kHighestYear ? kHighestYear : boxYear;
}

int StoredMonth(int boxMonth) { return boxMonth >= 1 && boxMonth <= 12 ? boxMonth : 0; }

TVehicleFormFields FieldsOfVehicle(const Tautomobil& v) {
  TVehicleFormFields f;
  f.tag = v.tag;
  f.manufacturer = v.manufacturer;
  f.model = v.model;
  f.subtype = v.subtype;
  f.engine = v.engine;
  f.engineNumber = v.engineNumber;
  f.color = v.color;
  f.month = StoredMonth(v.month);
  f.year = StoredYear(v.year);
  f.vin = v.vin;
  f.comments = v.comments;
  return f;
}

void ApplyVehicleFields(const TVehicleFormFields& f, Tautomobil& v) {
  v.tag = Cut(f.tag, kTagLimit);
  v.manufacturer = Cut(f.manufacturer, kVehicleTextLimit);
  v.model = Cut(f.model, kVehicleTextLimit);
  v.subtype = Cut(f.subtype, kVehicleTextLimit);
  v.engine = Cut(f.engine, kVehicleTextLimit);
  v.engineNumber = Cut(f.engineNumber, kVehicleTextLimit);
  v.color = Cut(f.color, kColorLimit);
  v.month = StoredMonth(f.month);
  v.year = StoredYear(f.year);
  v.vin = VINBoxText(f.vin);
  v.comments = f.comments;
}

TOwnerFields OwnerFieldsOf(const TContactRecord& c) {
  return TOwnerFields{c.surname, c.firstName, c.street, c.city, c.phones, c.email, c.other};
}

TContactRecord ContactFromOwnerFields(const TOwnerFields& o) {
  TContactRecord c;
  InitContact(c);
  c.kind = kContactCustomer;
  c.surname = Cut(o.surname, kOwnerFieldLimit);
  c.firstName = Cut(o.firstName, kOwnerFieldLimit);
  c.street = Cut(o.street, kOwnerFieldLimit);
  c.city = Cut(o.city, kOwnerFieldLimit);
  c.phones = Cut(o.phones, kOwnerFieldLimit);
  c.email = Cut(o.email, kOwnerFieldLimit);
  c.other = Cut(o.other, kOwnerFieldLimit);
  return c;
}
