#pragma once
// The calendar program's update request: command 256 with a first and a last
// day. The main window keeps both days and, 100 ms later, sends the events of
// the period: every record not after the last day and either not before the
// first day or planned or ordered work (sent however old), then the end of
// the batch.

#include <cstdint>
#include <optional>
#include <string>

class TCustomCarDb;
class TCustomRecDb;

struct TCalendarRequest {
  int32_t firstDay = 0;
  int32_t lastDay = 0;
};

// Reads a copy-data message of the calendar (dwData 0): three int32, the
// command first. Nothing for any other command or a short message.
std::optional<TCalendarRequest> ParseCalendarRequest(const std::string& data);

// Sends the events of the period through the installed calendar link.
// Returns the number of events sent.
int SendCalendarPeriod(TCustomCarDb& cars, TCustomRecDb& records, const TCalendarRequest& request);
