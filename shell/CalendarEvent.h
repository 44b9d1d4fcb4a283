#pragma once
// The 1352-byte event record sent to the calendar program (little-endian):
//
//     0    4  command int32: 257 add/change, 259 delete, 3840 end of batch
//     4    4  not used (zero)
//     8   32  the record's globalId, string[31]
//    40  256  title, string[255]                            (257 only)
//   296 1024  body, Windows-1250, zero-terminated, <= 1023  (257 only)
//  1320    8  start: RecordDate (+ time / 1440 when time > 0)
//  1328    1  1 for PLAN or ORDER, else 0
//  1329    3  not used
//  1332    4  duration in minutes, -1 if none
//  1336    4  reminder: -10080 (seven days before, in minutes)
//  1340    4  colour of the kind, red + 256 green + 65536 blue
//  1344    4  record kind
//  1348    4  not used

#include <cstdint>
#include <string>

#include "catalogues/ContactRecord.h"
#include "storage/ServiceRecord.h"
#include "storage/Vehicle.h"

inline constexpr int kCalendarEventSize = 1352;

enum : int32_t {
  kCalendarAddOrChange = 257,
  kCalendarDelete = 259,
  kCalendarEndBatch = 3840,
  kCalendarUpdateRequest = 256,  // from the calendar: send the events of a period
};

// Colour of a record kind as the calendar shows it.
int32_t CalendarKindColor(int32_t kind);

// Title and body texts (UTF-8) of an add-or-change event.
std::string CalendarEventTitle(const Tzaznam& record, const TContactRecord& owner);
std::string CalendarEventBody(const Tzaznam& record, const Tautomobil& vehicle, const TContactRecord& owner);
// Start date and time of the event.
TDateTime CalendarEventStart(const TzaznamDb& record);

std::string BuildAddOrChangeEvent(const Tzaznam& record, const Tautomobil& vehicle, const TContactRecord& owner);
std::string BuildDeleteEvent(const Tzaznam& record);
std::string BuildEndBatchEvent();

// Whether a record belongs in the answer to an update request for the days
// first..last: not after the last day, and not before the first one unless it
// is planned or ordered work.
bool CalendarRequestSelects(const TzaznamDb& record, int32_t firstDay, int32_t lastDay);
