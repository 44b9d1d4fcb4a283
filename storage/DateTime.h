#pragma once
// Dates are day counts from 30 December 1899 at midnight; the fraction is the
// time of day. A day number is the whole part. 0 means "not set".

#include <cstdint>
#include <functional>

using TDateTime = double;

struct TDateParts {
  int year = 0, month = 0, day = 0;
};

struct TTimeParts {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Proleptic Gregorian calendar.
bool IsValidDate(int year, int month, int day);
int DaysInMonth(int year, int month);
// Day count of a valid date (no check; use IsValidDate first).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDateParts DecodeDate(TDateTime date);
TTimeParts DecodeTime(TDateTime date);
int DayNumber(TDateTime date);  // the whole part, rounded toward minus infinity

// The clock. "Now" is the local wall-clock time; tests replace the clock.
TDateTime Now();
TDateTime Today();  // Now() at midnight
using TClock = std::function<TDateTime()>;
void SetClockForTests(TClock clock);  // empty function restores the real clock
