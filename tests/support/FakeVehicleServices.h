#pragma once
// Fakes of what the vehicle windows need from other modules: a catalogue, a
// VIN decoder, a contact store and an e-mail service in memory, recording
// what the windows ask of them.

#include <map>
#include <string>
#include <vector>

#include "servicebook/VehicleFormServices.h"
#include "storage/TextUtils.h"

struct TFakeVehicleServices {
  struct TEntry {
    int32_t id, parent, concern;
    std::string name;
  };
  std::vector<TEntry> makes = {{0, -1, 7, "Škoda"}, {1, -1, 7, "Audi"}, {2, -1, -1, "Tatra"}};
  std::vector<TEntry> models = {{10, 0, -1, "Octavia"}, {11, 0, -1, "Fabia"}, {12, 1, -1, "A4"}};
  std::vector<TEntry> engines = {{20, 0, -1, "1.9 TDI"}, {21, -1, 7, "2.0 TDI"}};
  std::vector<TEntry> subtypes = {{30, 10, -1, "Combi"}};

  std::string addResult = "<as proposed>";  // what an add dialog gives back; empty: cancelled
  std::vector<std::string> adds;             // "make:name", "model:<make>:name", "engine:<concern>:<make>:name"
  TVINDecoding decoding;
  int decodeCalls = 0;
  std::map<int32_t, TContactRecord> contacts;
  bool contactStoreFails = false;
  int32_t chosenContact = -1;
  TVehicleFormSettings settings{"Servisní kniha: ", "S pozdravem\r\njá", "", "Objednávka"};
  std::vector<std::string> mails;  // "to|subject|body"
  bool mailFails = false;

  static bool Same(const std::string& a, const std::string& b) { return !a.empty() && FoldText(a) == FoldText(b); }
  static std::vector<std::string> Names(const std::vector<TEntry>& list, int32_t parent) {
    std::vector<std::string> names;
    for (const TEntry& e : list)
      if (e.parent == parent) names.push_back(e.name);
    return names;
  }
  std::string Added(const std::string& proposed) { return addResult == "<as proposed>" ? proposed : addResult; }

  TVehicleFormServices Services() {
    TVehicleFormServices s;
    s.listManufacturerNames = [this] { return Names(makes, -1); };
    s.listModelNames = [this](int32_t make) { return Names(models, make); };
    s.listEngineNames = [this](int32_t make) {
      std::vector<std::string> names = Names(engines, make);
      for (const TEntry& m : makes)
        if (m.id == make && m.concern >= 0)
          for (const TEntry& e : engines)
            if (e.concern == m.concern) names.push_back(e.name);
      return names;
    };
    s.listSubTypeNames = [this](int32_t model) { return Names(subtypes, model); };
    s.findManufacturerByName = [this](const std::string& name) {
      for (const TEntry& m : makes)
        if (Same(m.name, name)) return m.id;
      return -1;
    };
    s.findModelByName = [this](int32_t make, const std::string& name) {
      for (const TEntry& m : models)
        if (m.parent == make && Same(m.name, name)) return m.id;
      return -1;
    };
    s.findEngineByName = [this](int32_t concern, int32_t make, const std::string& name) {
      for (const TEntry& e : engines)
        if (Same(e.name, name) && ((make >= 0 && e.parent == make) || (concern >= 0 && e.concern == concern)))
          return e.id;
      return -1;
    };
    s.findMakeAndModel = [this, s](const std::string& make, const std::string& model) {
      TVehicleCatalogueIDs ids;
      ids.manufacturer = s.findManufacturerByName(make);
      for (const TEntry& m : makes)
        if (m.id == ids.manufacturer) ids.concern = m.concern;
      if (ids.manufacturer >= 0) ids.model = s.findModelByName(ids.manufacturer, model);
      return ids;
    };
    s.addManufacturerToCatalogue = [this](const std::string& name) {
      adds.push_back("make:" + name);
      std::string added = Added(name);
      if (!added.empty()) makes.push_back({static_cast<int32_t>(makes.size() + 100), -1, -1, added});
      return added;
    };
    s.addModelToCatalogue = [this](int32_t make, const std::string& name) {
      adds.push_back("model:" + std::to_string(make) + ":" + name);
      std::string added = Added(name);
      if (!added.empty()) models.push_back({static_cast<int32_t>(models.size() + 100), make, -1, added});
      return added;
    };
    s.addEngineToCatalogue = [this](int32_t concern, int32_t make, const std::string& name) {
      adds.push_back("engine:" + std::to_string(concern) + ":" + std::to_string(make) + ":" + name);
      std::string added = Added(name);
      if (!added.empty()) engines.push_back({static_cast<int32_t>(engines.size() + 100), make, -1, added});
      return added;
    };
    s.decodeVIN = [this](const std::string&) {
      ++decodeCalls;
      return decoding;
    };
    s.readContact = [this](int32_t id, TContactRecord& c) {
      auto it = contacts.find(id);
      if (it == contacts.end()) return false;
      c = it->second;
      return true;
    };
    s.addContact = [this](TContactRecord& c) {
      if (contactStoreFails) return false;
      c.ID = 500 + static_cast<int32_t>(contacts.size());
      contacts[c.ID] = c;
      return true;
    };
    s.chooseContact = [this](int32_t) { return chosenContact; };
    s.supplierAddresses = [] { return std::vector<std::string>{"Novák, Jan <jan@example.cz>"}; };
    s.settings = [this] { return settings; };
    s.sendEmail = [this](const std::string& to, const std::string& subject, const std::string& body) {
      mails.push_back(to + "|" + subject + "|" + body);
      return !mailFails;
    };
    return s;
  }
};
