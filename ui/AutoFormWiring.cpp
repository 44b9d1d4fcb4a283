#include "ui/AutoFormWiring.h"

#include "catalogues/Contacts.h"
#include "exchange/WebService.h"
#include "shell/Config.h"
#include "shell/Stores.h"
#include "ui/CarInfoForm.h"
#include "ui/ContactDetail.h"
#include "ui/ContactsForm.h"
#include "ui/NovyForm.h"
#include "ui/PridatForm.h"
#include "ui/RefuelingForm.h"
#include "ui/TripForm.h"
#include "ui/VehicleFormWiring.h"
#include "ui/ZmenaForm.h"

TRecordWindowServices RecordWindowServicesFor(TStoreSet& stores, QWidget* parent, const QImage& contactsBackground) {
  TRecordWindowServices s;
  s.addRecord = AddRecordEntry;
  s.changeRecord = ChangeRecordEntry;
  s.editRefueling = EditRefueling;
  s.editTrip = EditTrip;
  TStoreSet* set = &stores;
  // The vehicle windows choose owners in a contact list with the background.
  auto chooser = [set, contactsBackground](QWidget* owner) {
    return [set, owner, contactsBackground](int32_t current) -> int32_t {
      if (!set->customers) return -1;
      return ChooseContact(*set->customers, *set->cars, current, owner, contactsBackground);
    };
  };
  s.changeVehicle = [set, chooser](QWidget* owner, Tautomobil& vehicle) {
    return ChangeVehicle(vehicle, *set, VehicleFormServicesFor(*set, owner, chooser(owner)), owner);
  };
  s.editComments = [](QWidget* owner, Tautomobil& vehicle) {
    return EditAdditionalInfo(vehicle, Config().addvehinfo, owner);
  };
  s.orderParts = [set, chooser](QWidget* owner, const Tautomobil& vehicle) {
    ShowCarInfo(vehicle, VehicleFormServicesFor(*set, owner, chooser(owner)), owner);
  };
  const TVehicleFormServices vehicleServices = VehicleFormServicesFor(stores, parent, chooser(parent));
  s.readContact = vehicleServices.readContact;
  TCustomDb* customers = stores.customers.get();
  TCustomCarDb* cars = stores.cars.get();
  s.saveContact = [customers](TContactRecord& contact) { return customers && SaveContact(*customers, contact); };
  s.chooseContact = [customers, cars, contactsBackground](QWidget* owner, int32_t current) -> int32_t {
    if (!customers) return -1;
    return ChooseContact(*customers, *cars, current, owner, contactsBackground);
  };
  s.editContact = [](QWidget* owner, TContactRecord& contact) { return EditContact(contact, false, owner); };
  s.composeEmail = [](const std::string& to, const std::string& subject) { WebService().ComposeEmail(to, subject, ""); };
  return s;
}
