#pragma once
// Dates and times of the core (day counts from 30 December 1899) in Qt's
// date and time controls.

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "storage/DateTime.h"

inline QDate ToQDate(TDateTime date) { return QDate(1899, 12, 30).addDays(DayNumber(date)); }

inline QTime ToQTime(TDateTime moment) {
  TTimeParts t = DecodeTime(moment);
  return QTime(t.hour, t.minute, t.second);
}

inline TDateTime FromQDate(const QDate& date) {
  return date.isValid() ? EncodeDate(date.year(), date.month(), date.day()) : 0;
}

inline TDateTime FromQDateAndTime(const QDate& date, const QTime& time) {
  return FromQDate(date) + (time.isValid() ? EncodeTime(time.hour(), time.minute(), time.second()) : 0);
}
