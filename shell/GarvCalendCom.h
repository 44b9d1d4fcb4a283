#pragma once
// TGarvCalendCom: the link to the maker's calendar program, whose window
// class is "TAgendixMainForm". Each operation sends one 1352-byte event
// record as a copy-data message (dwData 0). When the calendar is not
// running, every operation does nothing.

#include "shell/CopyData.h"
#include "storage/CalendarLink.h"

class TCustomCarDb;
class TCustomDb;

inline constexpr const char* kCalendarWindowClass = "TAgendixMainForm";

class TGarvCalendCom : public ICalendarLink {
 public:
  // The stores give the vehicle and its owner for the event texts; the
  // customer store may be missing (the owner's fields are then empty).
  TGarvCalendCom(TCustomCarDb& cars, TCustomDb* customers);

  bool IsConnected() const { return link_.IsConnected(); }
  void SendEvent(const Tzaznam& record) override;
  void DeleteEvent(const Tzaznam& record) override;
  void EndBatch() override;

 private:
  void Send(const std::string& event);

  TCustomCarDb& cars_;
  TCustomDb* customers_;
  TCopyDataLink link_;
};

// Makes every calendar link opened by the stores a TGarvCalendCom.
void InstallCalendarLink(TCustomCarDb& cars, TCustomDb* customers);
