#pragma once
// What the records window needs from other windows and modules. The program
// fills it (app/garvel); tests fill it with fakes. A command whose member is
// empty is hidden (the add menu item of a kind, printing, text export,
// sending, attachments); the other members must be set.

#include <cstdint>
#include <functional>
#include <string>

#include "catalogues/ContactRecord.h"
#include "servicebook/ServiceBookOutput.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

class QWidget;

// The window's state as the print-out, text export and sending see it.
using TRecordWindowView = TServiceBookView;

struct TRecordWindowServices {
  // Record editors; true when the user confirmed (the record then holds the
  // result). The add entry gets a record made by InitRecord for the kind.
  std::function<bool(QWidget* parent, const Tautomobil& car, Tzaznam& record, int32_t kind)> addRecord;
  std::function<bool(QWidget* parent, const Tautomobil& car, Tzaznam& record, bool locked)> changeRecord;
  std::function<bool(QWidget* parent, Tzaznam& record)> editRefueling;
  std::function<bool(QWidget* parent, Tzaznam& record)> editTrip;

  // The vehicle windows, on the window's copy of the vehicle; true when it
  // changed.
  std::function<bool(QWidget* parent, Tautomobil& vehicle)> changeVehicle;  // "Změnit údaje"
  std::function<bool(QWidget* parent, Tautomobil& vehicle)> editComments;   // "Dodatečné informace"
  std::function<void(QWidget* parent, const Tautomobil& vehicle)> orderParts;  // "Objednat díly"

  // Contacts. `chooseContact` gives the chosen ID, negative when cancelled;
  // `editContact` true when confirmed; `readContact` false when the contact
  // cannot be read; `saveContact` false when it cannot be stored, after
  // telling the user ("Nepodařilo se uložit záznam do databáze").
  std::function<bool(int32_t id, TContactRecord& contact)> readContact;
  std::function<bool(TContactRecord& contact)> saveContact;
  std::function<int32_t(QWidget* parent, int32_t currentID)> chooseContact;
  std::function<bool(QWidget* parent, TContactRecord& contact)> editContact;

  // A message to the owner (the e-mail label).
  std::function<void(const std::string& to, const std::string& subject)> composeEmail;

  // The main window's list after a vehicle was saved or an owner changed.
  std::function<void(int32_t vehicleID)> vehicleSaved;
  std::function<void(int32_t ownerID)> ownerChanged;

  // The documents of a record (0 job sheet, 1 receipt, 2 invoice, 3
  // simplified tax document; their buttons are hidden while empty). `editDocument`
  // runs the document's window on the record with the owner (an empty contact
  // when unknown) and is true when the record's number changed;
  // `showDocument` shows the record's stored document.
  std::function<bool(QWidget* parent, const Tautomobil& vehicle, const TContactRecord& owner, Tzaznam& record,
                     int document)>
      editDocument;
  std::function<void(const Tzaznam& record, int document)> showDocument;

  // Hidden while empty.
  std::function<void(QWidget* parent, const TRecordWindowView& view, bool selectedOnly)> printRecords;
  std::function<void(QWidget* parent, const TRecordWindowView& view)> saveAsText;
  std::function<void(QWidget* parent, const TRecordWindowView& view)> sendRecord;
  std::function<void(QWidget* parent, const Tautomobil& vehicle)> showAttachments;
};
