#include "statistics/Periods.h"

#include <cmath>

#include "storage/DateText.h"
#include "storage/TextUtils.h"

namespace {

const char* const kMonthNames[] = {"leden", "únor",  "březen", "duben",    "květen",   "červen",
                                   "červenec", "srpen", "září",  "říjen", "listopad", "prosinec"};

int Month(TDateTime date) { return DecodeDate(date).month; }

}  // namespace

int CountPeriods(int grouping, TDateTime start, TDateTime end) {
  if (start > end) end = start;
  const long long days = static_cast<long long>(std::trunc(end - start)) + 1;
  if (grouping == kGroupDays) return static_cast<int>(days);
  if (grouping == kGroupWeeks) return static_cast<int>((WeekdayIndex(start) + days + 6) / 7);
  const TDateParts a = DecodeDate(start), b = DecodeDate(end);
  return (b.year - a.year) * 12 + b.month - a.month + 1;
}

std::string PeriodLengthText(TDateTime start, TDateTime end) {
  const int days = CountPeriods(kGroupDays, start, end);
  const int weeks = CountPeriods(kGroupWeeks, start, end);
  const int months = CountPeriods(kGroupMonths, start, end);
  return std::to_string(days) + " " + PluralWord(days, "den", "dny", "dnů") + ", " + std::to_string(weeks) + " " +
         PluralWord(weeks, "týden", "týdny", "týdnů") + ", " + std::to_string(months) + " " +
         PluralWord(months, "měsíc", "měsíce", "měsíců");
}

TDateTime IncMonth(TDateTime date, int months) {
  const TDateParts p = DecodeDate(date);
  long long index = static_cast<long long>(p.year) * 12 + (p.month - 1) + months;
  const int year = static_cast<int>(index >= 0 ? index / 12 : (index - 11) / 12);
  const int month = static_cast<int>(index - static_cast<long long>(year) * 12) + 1;
  if (year < 1 || year > 9999) return date;
  const int day = std::min(p.day, DaysInMonth(year, month));
  const double time = date - std::floor(date);
  return EncodeDate(year, month, day) + time;
}

std::string MonthYearText(TDateTime date) {
  const TDateParts p = DecodeDate(date);
  if (p.month < 1 || p.month > 12) return "";
  return std::string(kMonthNames[p.month - 1]) + " " + std::to_string(p.year);
}

std::string PeriodLabel(int grouping, int32_t from, int index) {
  if (grouping == kGroupDays) return DateText(from + index);
  if (grouping == kGroupWeeks) {
    const int32_t day = from + 7 * index;
    const int32_t monday = day - WeekdayIndex(day);
    return DateText(monday) + "-" + DateText(monday + 6);
  }
  return MonthYearText(IncMonth(from, index));
}

std::vector<TSeparator> PeriodSeparators(int grouping, int32_t from, int count) {
  std::vector<TSeparator> out;
  if (grouping == kGroupDays) {
    // Between each Sunday and the following Monday, labelled with the Sunday.
    const int sundayBased = (WeekdayIndex(from) + 1) % 7 + 1;  // Sunday 1 .. Saturday 7
    for (double p = 1.5 - sundayBased; p < count; p += 7)
      out.push_back(TSeparator{p, DateText(std::floor(from + p))});
  } else if (grouping == kGroupWeeks) {
    // Where a month ends: between two weeks when it ends on a Sunday, else
    // on the first week wholly in the new month.
    int p = 0;
    double offset = 0;
    while (p + offset < count) {
      out.push_back(TSeparator{p + offset, MonthYearText(from + (p + 1) * 7 + 1)});
      do {
        ++p;
      } while (Month(from + 7.0 * p) == Month(from + 7.0 * (p + 1)));
      const TDateParts m = DecodeDate(from + 7.0 * p);
      const TDateTime lastDay = EncodeDate(m.year, m.month, DaysInMonth(m.year, m.month));
      offset = WeekdayIndex(lastDay) == 6 ? 0.5 : 1;
    }
  } else {
    // Between December and January, labelled with the new year.
    for (double p = 0.5 - Month(from); p < count; p += 12)
      out.push_back(TSeparator{p, std::to_string(DecodeDate(IncMonth(from, static_cast<int>(std::trunc(p + 1)))).year)});
  }
  return out;
}
