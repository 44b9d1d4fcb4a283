#include "servicebook/VehicleForm.h"

#include <algorithm>

#include "servicebook/DuplicateVehicles.h"
#include "servicebook/NewVehicleStore.h"
#include "servicebook/VehicleVin.h"
#include "storage/Collation.h"
#include "storage/Notifier.h"
#include "storage/TextUtils.h"

std::string NotInCatalogueQuestion(const std::string& what, const std::string& name) {
  return what + " \"" + name + "\" není v databázi. Chcete jej permanentně přidat?";
}

std::string TakeDecodedQuestion(const TVINDecoding& d, int year) {
  return "Výrobce: " + d.manufacturer + "\r\nModel: " + d.model + "\r\nPodtyp: " + d.subtype +
         "\r\nMotor: " + d.engine + "\r\nRok výroby: " + std::to_string(year) + "\r\nPoznámky: " + d.note;
}

void TVehicleForm::Reset() {
  fields = TVehicleFormFields{};
  vehicleID_ = -1;
  ownerID_ = -1;
  ownerReadOnly_ = false;
  tagDuplicate_ = vinDuplicate_ = false;
  makeShown_ = false;
}

void TVehicleForm::OpenNew() {
  Reset();
  fields.comments = services_.settings().addvehinfo;
  fields.year = DecodeDate(Today()).year - 3;
  fields.month = 0;
  FillMakes();
  RefillForMake(true);
  ModelTextChanged();
}

void TVehicleForm::OpenChange(const Tautomobil& vehicle) {
  Reset();
  vehicleID_ = vehicle.ID;
  fields = FieldsOfVehicle(vehicle);
  ownerID_ = vehicle.ownerID;
  TContactRecord owner;
  if (ownerID_ >= 0 && services_.readContact(ownerID_, owner)) {
    fields.owner = OwnerFieldsOf(owner);
    ownerReadOnly_ = true;
  }
  FillMakes();
  RefillForMake(true);
  ModelTextChanged();
}

void TVehicleForm::FillMakes() {
  makes_ = services_.listManufacturerNames();
  std::stable_sort(makes_.begin(), makes_.end(),
                   [](const std::string& a, const std::string& b) { return CzechCompare(a, b) < 0; });
  ++listsRevision_;
}

void TVehicleForm::RefillForMake(bool always) {
  const int32_t id = fields.manufacturer.empty() ? -1 : services_.findManufacturerByName(fields.manufacturer);
  if (!always && makeShown_ && id == makeID_) return;
  makeID_ = id;
  makeShown_ = true;
  models_.clear();
  engines_.clear();
  if (id >= 0) {
    models_ = services_.listModelNames(id);
    engines_ = services_.listEngineNames(id);
  }
  ++listsRevision_;
}

void TVehicleForm::MakeTextChanged() {
  const int revision = listsRevision_;
  RefillForMake(false);
  // The make decides which model the subtypes belong to.
  if (revision != listsRevision_) ModelTextChanged();
}

void TVehicleForm::ModelTextChanged() {
  TVehicleCatalogueIDs ids;
  if (!fields.manufacturer.empty() && !fields.model.empty())
    ids = services_.findMakeAndModel(fields.manufacturer, fields.model);
  subTypes_.clear();
  if (ids.model >= 0) subTypes_ = services_.listSubTypeNames(ids.model);
  ++listsRevision_;
}

void TVehicleForm::TakeDecodedNote(const std::string& note) {
  fields.comments = SetVINInfoBlock(fields.comments, note);
}

void TVehicleForm::VINEdited() {
  fields.vin = VINBoxText(fields.vin);
  if (VINLength(fields.vin) != kVINLength) return;
  fields.year = StoredYear(YearFromVIN(fields.vin, Today()));
  if (!fields.manufacturer.empty() && !fields.model.empty() && !fields.engine.empty()) return;
  const TVINDecoding d = services_.decodeVIN(fields.vin);
  for (auto [field, value] : {std::pair{&fields.manufacturer, &d.manufacturer}, std::pair{&fields.model, &d.model},
                              std::pair{&fields.subtype, &d.subtype}, std::pair{&fields.engine, &d.engine}})
    if (field->empty()) *field = *value;
  TakeDecodedNote(d.note);
  RefillForMake(false);
  ModelTextChanged();
}

void TVehicleForm::DecodeVINClicked() {
  fields.vin = VINBoxText(fields.vin);
  const TVINDecoding d = services_.decodeVIN(fields.vin);
  const int year = VINLength(fields.vin) >= 10 ? YearFromVIN(fields.vin, Today()) : 0;
  const bool filled =
      !fields.manufacturer.empty() || !fields.model.empty() || !fields.subtype.empty() || !fields.engine.empty();
  if (filled && ShowMessage("Převzít tyto údaje?", TakeDecodedQuestion(d, year), TMsgIcon::Question, mbYesNo,
                            TMsgAnswer::Yes) != TMsgAnswer::Yes)
    return;
  fields.manufacturer = d.manufacturer;
  fields.model = d.model;
  fields.subtype = d.subtype;
  fields.engine = d.engine;
  if (year > 0) fields.year = StoredYear(year);
  TakeDecodedNote(d.note);
  RefillForMake(false);
  ModelTextChanged();
}

bool TVehicleForm::VINBoxRed() const {
  const size_t length = VINLength(fields.vin);
  return length != 0 && length != kVINLength;
}

bool TVehicleForm::YearBoxRed() const {
  return VINLength(fields.vin) == kVINLength && !YearMatchesVIN(fields.year, fields.vin);
}

void TVehicleForm::TagLeft() { tagDuplicate_ = TagExists(cars_, fields.tag, vehicleID_); }

void TVehicleForm::VINLeft() { vinDuplicate_ = VINExists(cars_, fields.vin, vehicleID_); }

void TVehicleForm::ChooseOwner() {
  const int32_t id = services_.chooseContact(ownerID_);
  if (id < 0) return;
  TContactRecord owner;
  if (!services_.readContact(id, owner)) {
    ShowMessage("Chyba", "Nepodařilo se načíst záznam z databáze", TMsgIcon::Error);
    return;
  }
  ownerID_ = id;
  fields.owner = OwnerFieldsOf(owner);
  ownerReadOnly_ = true;
}

TVehicleForm::TAsk TVehicleForm::AskToAdd(const char* what, const std::string& name) {
  switch (ShowMessage("Dotaz", NotInCatalogueQuestion(what, name), TMsgIcon::Question, mbYesNoCancel,
                      TMsgAnswer::Yes)) {
    case TMsgAnswer::Yes:
      return TAsk::Added;
    case TMsgAnswer::No:
      return TAsk::Declined;
    default:
      return TAsk::StayOpen;
  }
}

bool TVehicleForm::Confirm() {
  if (TrimBlanks(fields.manufacturer).empty()) {
    ShowMessage("Chyba zadání", kRequiredFieldsMessage, TMsgIcon::Warning);
    return false;
  }
  // The warnings as the boxes now read, whether or not they were left.
  TagLeft();
  VINLeft();
  if ((tagDuplicate_ || vinDuplicate_) &&
      ShowMessage("Dotaz", kDuplicateQuestion, TMsgIcon::Warning, mbYesNo, TMsgAnswer::No) != TMsgAnswer::Yes)
    return false;

  int32_t make = services_.findManufacturerByName(fields.manufacturer);
  if (make < 0) {
    TAsk answer = AskToAdd("Výrobce", fields.manufacturer);
    if (answer == TAsk::StayOpen) return false;
    // An unknown make kept as typed: its model and engine cannot be checked.
    if (answer == TAsk::Declined) return true;
    const std::string added = services_.addManufacturerToCatalogue(fields.manufacturer);
    if (added.empty()) return false;
    fields.manufacturer = added;
    FillMakes();
    RefillForMake(false);
    ModelTextChanged();
    make = makeID_;
    if (make < 0) return true;
  }

  if (!fields.model.empty() && services_.findModelByName(make, fields.model) < 0) {
    TAsk answer = AskToAdd("Model", fields.model);
    if (answer == TAsk::StayOpen) return false;
    if (answer == TAsk::Added) {
      const std::string added = services_.addModelToCatalogue(make, fields.model);
      if (added.empty()) return false;
      fields.model = added;
      RefillForMake(true);
      ModelTextChanged();
    }
  }

  if (!fields.engine.empty()) {
    const int32_t concern = services_.findMakeAndModel(fields.manufacturer, fields.model).concern;
    if (services_.findEngineByName(concern, make, fields.engine) < 0) {
      TAsk answer = AskToAdd("Motor", fields.engine);
      if (answer == TAsk::StayOpen) return false;
      if (answer == TAsk::Added) {
        const std::string added = services_.addEngineToCatalogue(concern, make, fields.engine);
        if (added.empty()) return false;
        fields.engine = added;
        RefillForMake(true);
      }
    }
  }
  return true;
}

void TVehicleForm::TakeTypedOwner() {
  if (ownerReadOnly_ || !fields.owner.AnyFilled()) return;
  TContactRecord contact = ContactFromOwnerFields(fields.owner);
  if (services_.addContact(contact) && contact.ID >= 0) {
    ownerID_ = contact.ID;
    ownerReadOnly_ = true;
    return;
  }
  ShowMessage("Chyba", kOwnerNotStoredMessage, TMsgIcon::Error);
  ownerID_ = -1;
}

int32_t TVehicleForm::StoreNew() {
  TakeTypedOwner();
  Tautomobil vehicle;
  InitVehicle(vehicle);
  ApplyVehicleFields(fields, vehicle);
  vehicle.lastService = NewVehicleLastService();
  vehicle.ownerID = ownerID_;
  return StoreNewVehicle(cars_, vehicle);
}

void TVehicleForm::ApplyChange(Tautomobil& vehicle) {
  TakeTypedOwner();
  ApplyVehicleFields(fields, vehicle);
  vehicle.ownerID = ownerID_;
}
