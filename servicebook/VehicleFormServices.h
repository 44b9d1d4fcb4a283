#pragma once
// What the vehicle windows need from other modules: the vehicle catalogue and
// its add dialogs, the VIN decoder, the contacts, four settings and the
// e-mail service. The program fills it from the real modules
// (ui/VehicleFormWiring.h); tests fill it with fakes. Every member must be
// set before a window uses it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogues/ContactRecord.h"

struct TVehicleCatalogueIDs {
  int32_t manufacturer = -1;
  int32_t concern = -1;  // the manufacturer's concern
  int32_t model = -1;
};

// What the VIN decoder makes of a VIN; empty where it knows nothing.
struct TVINDecoding {
  std::string manufacturer, model, subtype, engine;
  std::string note;  // CR LF between lines
};

struct TVehicleFormSettings {
  std::string addvehinfo;  // multi-line, CR LF
  std::string ordertext;   // multi-line, CR LF
  std::string orderaddr;
  std::string ordersubj;
};

struct TVehicleFormServices {
  // Catalogue queries. Names compare folded; -1 when not found.
  std::function<std::vector<std::string>()> listManufacturerNames;
  std::function<std::vector<std::string>(int32_t manufacturerID)> listModelNames;
  std::function<std::vector<std::string>(int32_t manufacturerID)> listEngineNames;
  std::function<std::vector<std::string>(int32_t modelID)> listSubTypeNames;
  std::function<int32_t(const std::string& name)> findManufacturerByName;
  std::function<int32_t(int32_t manufacturerID, const std::string& name)> findModelByName;
  std::function<int32_t(int32_t concernID, int32_t manufacturerID, const std::string& name)> findEngineByName;
  std::function<TVehicleCatalogueIDs(const std::string& make, const std::string& model)> findMakeAndModel;

  // The add dialogs, opened on a proposed name: the name actually added, or
  // empty when the user cancelled or the add failed.
  std::function<std::string(const std::string& name)> addManufacturerToCatalogue;
  std::function<std::string(int32_t manufacturerID, const std::string& name)> addModelToCatalogue;
  std::function<std::string(int32_t concernID, int32_t manufacturerID, const std::string& name)>
      addEngineToCatalogue;

  std::function<TVINDecoding(const std::string& vin)> decodeVIN;

  // Contacts. `readContact` is false when the contact cannot be read;
  // `addContact` stores a new contact (it gets its ID) without telling the
  // user anything, false when the store refuses it. `chooseContact` opens the
  // owner chooser on the current owner and gives the chosen ID (<0: none).
  std::function<bool(int32_t id, TContactRecord& contact)> readContact;
  std::function<bool(TContactRecord& contact)> addContact;
  std::function<int32_t(int32_t currentID)> chooseContact;
  // The parts-order addresses offered: every supplier with an e-mail, as
  // "surname, first name <e-mail>".
  std::function<std::vector<std::string>()> supplierAddresses;

  std::function<TVehicleFormSettings()> settings;

  // Sends an e-mail; false when it could not be sent.
  std::function<bool(const std::string& to, const std::string& subject, const std::string& body)> sendEmail;
};
