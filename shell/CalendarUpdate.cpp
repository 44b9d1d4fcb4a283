#include "shell/CalendarUpdate.h"

#include "shell/CalendarEvent.h"
#include "storage/CalendarLink.h"
#include "storage/CarDb.h"
#include "storage/Coding.h"
#include "storage/RecDb.h"

std::optional<TCalendarRequest> ParseCalendarRequest(const std::string& data) {
  if (data.size() < 12) return std::nullopt;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(data.data());
  if (DecodeInt32(p) != kCalendarUpdateRequest) return std::nullopt;
  return TCalendarRequest{DecodeInt32(p + 4), DecodeInt32(p + 8)};
}

int SendCalendarPeriod(TCustomCarDb& cars, TCustomRecDb& records, const TCalendarRequest& request) {
  std::unique_ptr<ICalendarLink> link = OpenCalendarLink();
  int sent = 0;
  AZaznamy set;
  for (int slot = 0; slot < cars.Count(); ++slot) {
    int32_t id = cars.IDAt(slot);
    if (id < 0) continue;
    records.LoadCarRecords(id, set);
    for (const Tzaznam& r : set) {
      if (!CalendarRequestSelects(r.db, request.firstDay, request.lastDay)) continue;
      link->SendEvent(r);
      ++sent;
    }
  }
  link->EndBatch();
  return sent;
}
