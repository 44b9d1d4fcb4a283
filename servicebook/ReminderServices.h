#pragma once
// What the reminders need from outside the record stores: the records
// window of a vehicle and the e-mail service. Tests pass fakes.

#include <cstdint>
#include <functional>
#include <string>

#include "storage/ServiceRecord.h"

struct TReminderServices {
  // Opens the vehicle's records window (or brings it to the front). Empty
  // while there is none: the command does nothing.
  std::function<void(int32_t vehicleID)> openVehicle;
  // Whether the vehicle's records window is open: it holds the vehicle's
  // records in memory and would write them back over a change made here.
  std::function<bool(int32_t vehicleID)> isVehicleWindowOpen;
  // Lets `change` edit the record as the vehicle's open window holds it; the
  // window then shows and saves it as its own change. False when it could
  // not (no such record there, or one not read cleanly). Empty: a change to
  // a vehicle with an open window is refused.
  std::function<bool(int32_t vehicleID, int32_t recordID, const std::function<void(Tzaznam&)>& change)>
      changeOpenWindowRecord;
  // Sends one message; true when the e-mail service reports it sent.
  std::function<bool(const std::string& to, const std::string& subject, const std::string& body)> sendMail;
};
