#include "catalogues/AttachmentDisplay.h"

#include "catalogues/AttachmentNames.h"
#include "catalogues/ContactRecord.h"
#include "storage/CarDb.h"

namespace {

std::string IdText(int32_t id) { return " (ID#" + std::to_string(id) + ")"; }

std::string VehicleName(TCustomCarDb* cars, int32_t id) {
  Tautomobil v;
  InitVehicle(v);
  std::string bytes;
  // The fixed part is enough; the comments are not read.
  if (cars && cars->ReadRecord(id, bytes) && bytes.size() >= static_cast<size_t>(kVehicleWidth))
    DecodeVehicle(reinterpret_cast<const uint8_t*>(bytes.data()), v);
  std::string name = v.manufacturer + " " + v.model + " " + v.subtype + " " + v.engine;
  if (!v.tag.empty()) name += " " + v.tag;
  else if (!v.vin.empty()) name += " VIN:" + v.vin;
  return name + IdText(id);
}

// "<make> " when the manufacturer can be read.
std::string MakePrefix(const TCatalogue& c, int32_t manufacturer) {
  TManufacturerRecord m;
  return ReadManufacturer(c.manufacturers, manufacturer, m) ? m.name + " " : "";
}

}  // namespace

std::string AttachmentDisplayName(const TAttachmentOwners& owners, const std::string& path) {
  std::string tag;
  int32_t id = 0;
  if (!EntityFolderOwner(path, tag, id)) return LastComponent(path);
  const TCatalogue& c = owners.catalogue;
  if (tag == "CAR") return VehicleName(owners.cars, id);
  if (tag == "CON") {
    std::string bytes;
    if (!owners.customers || !owners.customers->ReadRecord(id, bytes) || bytes.size() < static_cast<size_t>(kContactWidth))
      return LastComponent(path);
    TContactRecord contact;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), contact);
    return CustomerDisplayName(contact) + IdText(id);
  }
  if (tag == "MAN") {
    TManufacturerRecord m;
    if (ReadManufacturer(c.manufacturers, id, m)) return "Výrobce " + m.name + IdText(id);
  } else if (tag == "GRP") {
    TConcernRecord g;
    if (ReadConcern(c.concerns, id, g)) return "Koncern " + g.name + IdText(id);
  } else if (tag == "MOD") {
    TModelRecord m;
    if (ReadModel(c.models, id, m)) return "Model " + MakePrefix(c, m.manufacturer) + m.name + IdText(id);
  } else if (tag == "ENG") {
    TEngineRecord e;
    if (ReadEngine(c.engines, id, e)) return "Motor " + MakePrefix(c, e.manufacturer) + e.name + IdText(id);
  } else if (tag == "STP") {
    TSubTypeRecord s;
    if (ReadSubType(c.subtypes, id, s)) {
      TModelRecord m;
      const bool model = ReadModel(c.models, s.model, m);
      return "Podtyp " + (model ? MakePrefix(c, m.manufacturer) + m.name + " " : "") + s.name + IdText(id);
    }
  }
  return LastComponent(path);
}
