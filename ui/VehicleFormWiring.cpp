#include "ui/VehicleFormWiring.h"

#include "catalogues/CatalogueQueries.h"
#include "catalogues/Contacts.h"
#include "catalogues/VinPatterns.h"
#include "exchange/WebService.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "storage/Log.h"
#include "ui/AddEngineForm.h"
#include "ui/AddManufForm.h"
#include "ui/AddModelForm.h"
#include "ui/ContactsForm.h"

namespace {

// The depth of VIN references the vehicle window follows.
constexpr int kVINDecodeDepth = 16;

template <typename List>
std::vector<std::string> Names(List list) {
  TNameList names;
  list(names);
  return names;
}

}  // namespace

TVehicleFormServices VehicleFormServicesFor(TStoreSet& stores, QWidget* parent,
                                            std::function<int32_t(int32_t)> chooseContact) {
  const TCatalogue catalogue = CatalogueOf(stores);
  TVehicleFormServices s;
  s.listManufacturerNames = [catalogue] {
    return Names([&](TNameList& l) { ListManufacturerNames(catalogue, l); });
  };
  s.listModelNames = [catalogue](int32_t make) {
    return Names([&](TNameList& l) { ListModelNames(catalogue, l, make); });
  };
  s.listEngineNames = [catalogue](int32_t make) {
    return Names([&](TNameList& l) { ListEngineNames(catalogue, l, make); });
  };
  s.listSubTypeNames = [catalogue](int32_t model) {
    return Names([&](TNameList& l) { ListSubTypeNames(catalogue, l, model); });
  };
  s.findManufacturerByName = [catalogue](const std::string& name) {
    return FindManufacturerByName(catalogue, name);
  };
  s.findModelByName = [catalogue](int32_t make, const std::string& name) {
    return FindModelByName(catalogue, make, name);
  };
  s.findEngineByName = [catalogue](int32_t concern, int32_t make, const std::string& name) {
    return FindEngineByName(catalogue, concern, make, name);
  };
  s.findMakeAndModel = [catalogue](const std::string& make, const std::string& model) {
    const TMakeAndModel found = FindMakeAndModel(catalogue, make, model);
    return TVehicleCatalogueIDs{found.manufacturer, found.concern, found.model};
  };
  s.addManufacturerToCatalogue = [catalogue, parent](const std::string& name) {
    return AddManufacturerToCatalogue(catalogue, name, parent);
  };
  s.addModelToCatalogue = [catalogue, parent](int32_t make, const std::string& name) {
    return AddModelToCatalogue(catalogue, make, name, parent);
  };
  s.addEngineToCatalogue = [catalogue, parent](int32_t concern, int32_t make, const std::string& name) {
    return AddEngineToCatalogue(catalogue, concern, make, name, parent);
  };
  s.decodeVIN = [catalogue](const std::string& vin) {
    const TVINDecoded d = DecodeVIN(catalogue, vin, kVINDecodeDepth);
    return TVINDecoding{d.manuf, d.model, d.subtype, d.engine, d.info};
  };

  TCustomDb* customers = stores.customers.get();
  TCustomCarDb* cars = stores.cars.get();
  s.readContact = [customers](int32_t id, TContactRecord& contact) {
    std::string bytes;
    if (!customers || id < 0 || !customers->ReadRecord(id, bytes)) return false;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), contact);
    return true;
  };
  // The vehicle window has its own message for a contact it cannot store.
  s.addContact = [customers](TContactRecord& contact) {
    if (!customers) return false;
    std::string bytes(kContactWidth, '\0');
    EncodeContact(contact, reinterpret_cast<uint8_t*>(bytes.data()));
    if (!customers->CreateRecord(bytes, "")) return false;
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), contact);
    LogTrace(1, "Add contact ID#" + std::to_string(contact.ID) + " " + contact.firstName + " " + contact.surname);
    return true;
  };
  if (chooseContact) {
    s.chooseContact = std::move(chooseContact);
  } else {
    s.chooseContact = [customers, cars, parent](int32_t current) -> int32_t {
      if (!customers) return -1;
      return ChooseContact(*customers, *cars, current, parent);
    };
  }
  s.supplierAddresses = [customers] {
    std::vector<std::string> entries;
    if (!customers) return entries;
    for (const TContactRecord& c : LoadContacts(*customers))
      if (c.kind == kContactSupplier && !c.email.empty()) entries.push_back(SupplierAddressEntry(c));
    return entries;
  };
  s.settings = [] {
    const TConfig& c = Config();
    return TVehicleFormSettings{c.addvehinfo, c.ordertext, c.orderaddr, c.ordersubj};
  };
  s.sendEmail = [](const std::string& to, const std::string& subject, const std::string& body) {
    return WebService().SendEmail(to, subject, body);
  };
  return s;
}
