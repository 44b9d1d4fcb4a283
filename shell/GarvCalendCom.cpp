#include "shell/GarvCalendCom.h"

#include "catalogues/ContactRecord.h"
#include "shell/CalendarEvent.h"
#include "storage/CarDb.h"

TGarvCalendCom::TGarvCalendCom(TCustomCarDb& cars, TCustomDb* customers) : cars_(cars), customers_(customers) {
  link_.Connect(kCalendarWindowClass);
}

void TGarvCalendCom::Send(const std::string& event) {
  if (link_.IsConnected()) link_.Send(TCopyDataMessage{0, event});
}

void TGarvCalendCom::SendEvent(const Tzaznam& record) {
  if (!link_.IsConnected()) return;
  Tautomobil vehicle;
  InitVehicle(vehicle);
  cars_.LoadCar(record.db.carID, vehicle);
  TContactRecord owner;
  InitContact(owner);
  std::string bytes;
  if (customers_ && vehicle.ownerID >= 0 && customers_->ReadRecord(vehicle.ownerID, bytes))
    DecodeContact(reinterpret_cast<const uint8_t*>(bytes.data()), owner);
  Send(BuildAddOrChangeEvent(record, vehicle, owner));
}

void TGarvCalendCom::DeleteEvent(const Tzaznam& record) { Send(BuildDeleteEvent(record)); }

void TGarvCalendCom::EndBatch() { Send(BuildEndBatchEvent()); }

void InstallCalendarLink(TCustomCarDb& cars, TCustomDb* customers) {
  SetCalendarLinkFactory([&cars, customers]() -> std::unique_ptr<ICalendarLink> {
    return std::make_unique<TGarvCalendCom>(cars, customers);
  });
}
