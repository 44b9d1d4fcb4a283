#pragma once
// The vehicle window's work without its widgets: what its boxes and lists
// hold, what each of its events does to them, the questions of confirming,
// and what a confirmed window stores. The window copies its controls into
// `fields` before calling an event and shows `fields` and the lists after it.
//
// Questions and messages go through the notifier (storage/Notifier.h); the
// catalogue, the VIN decoder and the contacts through the services.

#include <cstdint>
#include <string>
#include <vector>

#include "servicebook/VehicleFields.h"
#include "servicebook/VehicleFormServices.h"
#include "storage/Vehicle.h"

class TCustomCarDb;

class TVehicleForm {
 public:
  TVehicleForm(TCustomCarDb& cars, const TVehicleFormServices& services) : cars_(cars), services_(services) {}

  // A new vehicle: empty boxes, the `addvehinfo` text in the additional
  // information, the year three years back, month unknown, no owner.
  void OpenNew();
  // A change of the vehicle: its fields, and its owner read-only when the
  // owner can be read.
  void OpenChange(const Tautomobil& vehicle);

  // Events of the window.
  void MakeTextChanged();   // new make ID: models and engines again, then subtypes
  void ModelTextChanged();  // subtypes of the model
  void VINEdited();         // a 17-character VIN sets the year and asks the decoder
  void DecodeVINClicked();  // "Dekódovat"
  void TagLeft();
  void VINLeft();
  void ChooseOwner();       // "Vybrat majitele z kontaktů"
  // "Přidat automobil" / "Uložit změny": the checks and questions in order;
  // true when the window closes as confirmed.
  bool Confirm();

  // After confirming. The owner typed into an editable owner panel becomes a
  // new contact; then the vehicle is taken from the boxes.
  void TakeTypedOwner();
  // The new vehicle stored with CreateCar: its ID, or -1 when it could not
  // be stored (reported).
  int32_t StoreNew();
  // The copy of a changed vehicle overwritten from the window.
  void ApplyChange(Tautomobil& vehicle);

  bool IsNew() const { return vehicleID_ < 0; }
  bool VINBoxRed() const;
  bool YearBoxRed() const;
  bool TagDuplicateShown() const { return tagDuplicate_; }
  bool VINDuplicateShown() const { return vinDuplicate_; }
  bool OwnerReadOnly() const { return ownerReadOnly_; }
  int32_t OwnerID() const { return ownerID_; }
  int32_t MakeID() const { return makeID_; }

  // Makes sorted (Czech order); models, engines and subtypes in catalogue
  // order. `ListsRevision` grows whenever one of them is filled again.
  const std::vector<std::string>& Makes() const { return makes_; }
  const std::vector<std::string>& Models() const { return models_; }
  const std::vector<std::string>& Engines() const { return engines_; }
  const std::vector<std::string>& SubTypes() const { return subTypes_; }
  int ListsRevision() const { return listsRevision_; }

  TVehicleFormFields fields;

 private:
  void Reset();
  void FillMakes();
  void RefillForMake(bool always);
  void TakeDecodedNote(const std::string& note);
  // One "... není v databázi" question with its add; false keeps the window
  // open.
  enum class TAsk { Added, Declined, StayOpen };
  TAsk AskToAdd(const char* what, const std::string& name);

  TCustomCarDb& cars_;
  const TVehicleFormServices& services_;
  int32_t vehicleID_ = -1;
  int32_t ownerID_ = -1;
  bool ownerReadOnly_ = false;
  int32_t makeID_ = -1;
  bool makeShown_ = false;  // the model and engine lists belong to makeID_
  bool tagDuplicate_ = false;
  bool vinDuplicate_ = false;
  std::vector<std::string> makes_, models_, engines_, subTypes_;
  int listsRevision_ = 0;
};

// Messages of the window.
inline constexpr const char* kRequiredFieldsMessage = "Některé z povinných polí nebylo vyplněno.";
inline constexpr const char* kDuplicateQuestion =
    "Vozidlo se stejnou RZ/VIN již v databázi existuje. Chcete přesto vložit nové vozidlo?";
inline constexpr const char* kOwnerNotStoredMessage = "Nepodařilo se uložit záznam o majiteli do databáze";

// The question before adding a name to the catalogue: `what` ("Výrobce",
// "Model", "Motor") and the name in double quotes.
std::string NotInCatalogueQuestion(const std::string& what, const std::string& name);
// The question of "Dekódovat" when a field is already filled.
std::string TakeDecodedQuestion(const TVINDecoding& decoded, int year);
