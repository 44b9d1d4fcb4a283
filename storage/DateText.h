#pragma once
// Dates as text.

#include <string>
#include <string_view>

#include "storage/DateTime.h"

// DD.MM.YYYY.
std::string DateText(TDateTime date);
// Day, month and year, each ended by any non-digit ("." or "/"); an
// impossible date gives 1 January 2000.
TDateTime TextDate(std::string_view text);
// A date with an optional time (seconds optional), tried against the short
// date and long time forms of a fixed list of 50 locales in order, the Czech
// one (d.M.yyyy H:mm:ss) first; the first form that reads the whole text as a
// valid date and time wins. False (and `result` untouched) when none does.
bool ParseDateTime(std::string_view text, TDateTime& result);
// Monday 0 .. Sunday 6.
int WeekdayIndex(TDateTime date);
