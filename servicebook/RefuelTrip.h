#pragma once
// The texts that REFUEL and TRIP records keep in their description.
//
// Refuelling: "litres=<n>|literprice=<n>|full=<0|1>|place=<text>", numbers
// with two decimals and the decimal comma, "|" in the place written as "/".
// Trip: key=value| pairs (beginDate, beginTime, endDate, endTime, from, to,
// roundTrip, purpose, comment, beginKM, endKM, countKM), with "|" written as
// "/" and "=" as ":" inside values.

#include <string>
#include <utility>
#include <vector>

#include "storage/DateTime.h"

struct TRefuelingRecord {
  float litres = -1;      // -1 = not entered
  float literPrice = -1;  // -1 = not entered
  bool full = false;
  std::string place;
};

std::string EncodeRefueling(const TRefuelingRecord& refueling);
// False when the text holds a key other than the four; the known keys are
// read all the same (defaults stay for the missing ones). Numbers beyond
// the typed-number bounds read as "not entered".
bool DecodeRefueling(const std::string& text, TRefuelingRecord& refueling);

// What the trip editor holds. The dates are the pickers' values (date and
// time of day); the two times count only when their "use" box is checked.
struct TTripRecord {
  TDateTime beginDate = 0, beginTime = 0, endDate = 0, endTime = 0;
  bool beginTimeUsed = false, endTimeUsed = false;
  std::string from, to, purpose;
  bool roundTrip = false;
  std::string comment;  // CR LF between lines
  std::string beginKM, endKM, countKM;  // as typed
};

// The trip text, every key in its order, each pair followed by "|"; dates as
// day.month.year.hour.minute without leading zeros, "!" for an unused time.
std::string EncodeTrip(const TTripRecord& trip);
// Every field reset first (texts empty, boxes unchecked, dates `now`), then
// read from the text. Keys compare without regard to case; an unknown key
// is skipped and a malformed date stays at `now`, so a damaged or foreign
// text still opens.
void DecodeTrip(const std::string& text, TTripRecord& trip, TDateTime now);

// "tankováno 45,50 litrů (do plné nádrže); 32,90 kč/litr; place", or "ERR!"
// for an unreadable text.
std::string RefuelingDescription(const std::string& text);
// "Cesta <from> -> <to>" and " a zpět" for a round trip.
std::string TripDescription(const std::string& text);

// The key=value| fields of a text in order: fields after the first skip
// leading spaces; an empty field ends the text; the key is the part before
// the first "=".
std::vector<std::pair<std::string, std::string>> SplitKeyValueText(const std::string& text);
