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

struct TRefuelingRecord {
  float litres = -1;      // -1 = not entered
  float literPrice = -1;  // -1 = not entered
  bool full = false;
  std::string place;
};

std::string EncodeRefueling(const TRefuelingRecord& refueling);
// False when the text holds a key other than the four (defaults then stay
// for what was not read).
bool DecodeRefueling(const std::string& text, TRefuelingRecord& refueling);

// "tankováno 45,50 litrů (do plné nádrže); 32,90 kč/litr; place", or "ERR!"
// for an unreadable text.
std::string RefuelingDescription(const std::string& text);
// "Cesta <from> -> <to>" and " a zpět" for a round trip.
std::string TripDescription(const std::string& text);

// The key=value| fields of a text in order: fields after the first skip
// leading spaces; an empty field ends the text; the key is the part before
// the first "=".
std::vector<std::pair<std::string, std::string>> SplitKeyValueText(const std::string& text);
